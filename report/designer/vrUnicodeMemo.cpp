#include "report/designer/vrUnicodeMemo.h"

#include "classes/MetaBuilder.h"
#include "rtl/CodePage.h"

ORV_META_IMPL(TUnicodeMemo)
void TUnicodeMemo::DeclareMeta(meta::Class<TUnicodeMemo>& c) {
    (void)c;
}

namespace {

// Every line break as CR LF, as the memo gives its text back.
WideString WithCrLf(const WideString& text) {
    WideString out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (c == u'\r' || c == u'\n') {
            out += u"\r\n";
            if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') ++i;
        } else {
            out += c;
        }
    }
    return out;
}

} // namespace

WideString GetWideText(const TUnicodeMemo* memo) {
    return Utf8ToWide(memo->Text());
}

void SetWideText(TUnicodeMemo* memo, const WideString& text) {
    if (WithCrLf(text) == GetWideText(memo)) return;
    memo->SetText(WideToUtf8(text));
}
