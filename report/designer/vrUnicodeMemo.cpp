#include "report/designer/vrUnicodeMemo.h"

#include "classes/MetaBuilder.h"
#include "rtl/CodePage.h"
#include "rtl/StrUtils.h"

ORV_META_IMPL(TUnicodeMemo)
void TUnicodeMemo::DeclareMeta(meta::Class<TUnicodeMemo>& c) {
    (void)c;
}

WideString GetWideText(const TUnicodeMemo* memo) {
    return Utf8ToWide(memo->Text());
}

void SetWideText(TUnicodeMemo* memo, const WideString& text) {
    // The memo gives its text back with CR LF line breaks: a text that differs only in its line
    // breaks is the text it holds.
    const String utf8 = WideToUtf8(text);
    if (AdjustLineBreaks(utf8) == memo->Text()) return;
    memo->SetText(utf8);
}
