// The page header and footer blocks: three texts aligned left, centre and right with their page
// macros expanded, and an optional single or double rule.
#include "gridprint/PrnDbggxComposer.h"

int TGridPageComposer::Colontitle(const TRect& rect, TPageColontitle& block, bool header, bool measure) {
    SetFont(block.Font());
    const std::pair<TStrings*, TAlignment> texts[] = {{block.LeftText(), taLeftJustify},
                                                      {block.CenterText(), taCenter},
                                                      {block.RightText(), taRightJustify}};
    int h = 0;
    for (const auto& [list, alignment] : texts) {
        String text = list->Text();
        if (text.size() >= 2 && text.compare(text.size() - 2, 2, "\r\n") == 0) text.resize(text.size() - 2);
        if (text.empty()) continue;
        text = ExpandPageMacros(text, FMacros, FPrinter.PageNumber());
        bool measureOnly = measure || FCounting;
        int th = WriteCellText(rect, false, 0, 0, text, alignment, header ? tlTop : tlBottom, false, false, 0,
                               0, measureOnly);
        if (measureOnly) h = std::max(h, th);
    }
    int twentieth = FPrinterY / 20, thirtieth = FPrinterY / 30;
    if (h > 0) h += twentieth;
    int lineSpace = block.LineType() != pcltNon ? twentieth : 0;
    if (block.LineType() != pcltNon) {
        int y1 = header ? rect.Bottom - twentieth : rect.Top + twentieth;
        int y2 = header ? y1 - thirtieth : y1 + thirtieth;
        if (!measure && !FCounting) {
            FCanvas->Pen()->SetWidth(FLineWidth);
            FCanvas->Pen()->SetColor(clBlack);
            FCanvas->MoveTo(rect.Left, y1);
            FCanvas->LineTo(rect.Right, y1);
            if (block.LineType() == pcltDoubleLine) {
                FCanvas->MoveTo(rect.Left, y2);
                FCanvas->LineTo(rect.Right, y2);
            }
        }
        if (block.LineType() == pcltDoubleLine) lineSpace += thirtieth;
    }
    return h + lineSpace;
}
