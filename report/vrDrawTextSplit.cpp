// Cutting a laid-out text into the lines that fit the box and the rest, which takes the format
// it starts with along as markup.
#include "report/vrDrawText.h"

#include "rtl/CodePage.h"
#include "rtl/MathUtils.h"

#include <algorithm>
#include <cstdio>

Extended TvrDrawText::RemainingSpace() const {
    const Extended box = LayoutBox.Bottom - LayoutBox.Top + 1;
    const Extended line = LineHeight();
    if (line <= 0) return 0;
    const Int64 k = Trunc(box / line);
    if (k <= 0) return 0;
    const Extended r = box - line * k;
    return r == 0 ? 0.0001L : r;
}

WideString TvrDrawText::SplitLayout(bool& insideParagraph) {
    insideParagraph = false;
    WideString remainder;
    const Integer lines = WrappedLines.Count();
    if (lines == 0) return remainder;
    const Extended line = LineHeight();
    Integer fit = lines;
    if (line > 0) {
        const Int64 f = Trunc((LayoutBox.Bottom - LayoutBox.Top + 1) / line);
        fit = static_cast<Integer>(std::max<Int64>(0, std::min<Int64>(f, lines)));
    }
    if (fit >= FTags.ItemCount()) return remainder;
    while (WrappedLines.Count() > fit)
        WrappedLines.Delete(WrappedLines.Count() - 1);
    insideParagraph = fit > 0 && (WrappedLines.Objects(fit - 1) == 0 || WrappedLines.Objects(fit - 1) == 1);
    const TvrHTMLTags* rest = FTags.GetItem(fit);
    const TvrHTMLTag* first = rest->ItemCount() > 0 ? rest->GetItem(0) : nullptr;
    const size_t q =
        first ? static_cast<size_t>(std::max<Integer>(1, first->SourcePos)) : SourceText.size() + 1;
    if (q - 1 < SourceText.size()) remainder = SourceText.substr(q - 1);
    if (insideParagraph && !remainder.empty() && remainder[0] == u' ') remainder.erase(0, 1);
    SourceText = SourceText.substr(0, std::min(q - 1, SourceText.size()));
    const WideString kept = WrappedLines.Text();
    if (WordBreak && kept.size() > 2 && kept[kept.size() - 3] == u'-') SourceText += u"-";
    if (FTags.TagsAllowed && first) {
        if (first->StyleSet.Contains(fsBold)) remainder = u"<b>" + remainder;
        if (first->StyleSet.Contains(fsItalic)) remainder = u"<i>" + remainder;
        if (first->StyleSet.Contains(fsUnderline)) remainder = u"<u>" + remainder;
        const TColorRef rgb = ColorToRGB(first->TagColor);
        char hex[8];
        std::snprintf(hex, sizeof hex, "%02X%02X%02X", static_cast<unsigned>(rgb & 0xFF),
                      static_cast<unsigned>((rgb >> 8) & 0xFF), static_cast<unsigned>((rgb >> 16) & 0xFF));
        remainder = u"<font color=\"#" + Utf8ToWide(hex) + u"\">" + remainder;
    }
    return remainder;
}
