#include "gridprint/PrnDbggxMacros.h"

#include "gridprint/PrnDbggx.h"
#include "rtl/DateUtils.h"
#include "rtl/Format.h"
#include "rtl/StrUtils.h"

namespace {
const char* const PagesMacro = "&[Pages]";
}

TPageMacroValues ComputePageMacroValues(int pageCount) {
    TDateTime now = Now();
    const TFormatSettings& fs = FormatSettings();
    TPageMacroValues v;
    v.ShortDate = FormatDateTime(fs.ShortDateFormat, now);
    v.Date = v.ShortDate;
    v.LongDate = FormatDateTime(fs.LongDateFormat, now);
    v.Time = FormatDateTime(fs.LongTimeFormat, now);
    v.Pages = IntToStr(pageCount);
    return v;
}

String ReplaceMacro(const String& text, const String& name, const String& value, char escape,
                    unsigned flags) {
    if (name.empty()) return text;
    bool ignoreCase = flags & rfIgnoreCase;
    String hay = ignoreCase ? UpperCase(text) : text;
    String needle = ignoreCase ? UpperCase(name) : name;
    String out;
    size_t from = 0;
    while (true) {
        size_t at = hay.find(needle, from);
        if (at == String::npos) break;
        out.append(text, from, at - from);
        if (at > 0 && text[at - 1] == escape)
            out += name;
        else
            out += value;
        from = at + name.size();
        if (!(flags & rfReplaceAll)) break;
    }
    out.append(text, from, String::npos);
    return out;
}

String ExpandPageMacros(const String& text, const TPageMacroValues& values, int pageNumber) {
    String page = IntToStr(pageNumber);
    const std::pair<const char*, const String*> macros[] = {
        {"&[Page]", &page},        {"&[ShortDate]", &values.ShortDate},
        {"&[Date]", &values.Date}, {"&[LongDate]", &values.LongDate},
        {"&[Time]", &values.Time}, {PagesMacro, &values.Pages}};
    String out = text;
    for (const auto& [name, value] : macros)
        out = ReplaceMacro(out, name, *value, '&', rfReplaceAll | rfIgnoreCase);
    return out;
}

bool UsesPageCountMacro(const TPageColontitle& header, const TPageColontitle& footer) {
    String needle = UpperCase(PagesMacro);
    for (const TPageColontitle* block : {&header, &footer})
        for (const TStrings* texts : {block->LeftText(), block->CenterText(), block->RightText()})
            if (UpperCase(texts->Text()).find(needle) != String::npos) return true;
    return false;
}
