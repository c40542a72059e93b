// Title painting of the grid printer: the component's title lines, centred over the whole grid
// width with each page showing its share, and the column titles of a column group.
#include "gridprint/PrnDbggxComposer.h"

#include "grid/DBGridGx.h"
#include "grid/DBGridGxText.h"

// With the grid's multi-level titles a caption holds its levels separated by "|"; a column
// prints its own level, the last one.
String TGridPageComposer::TitleCaption(TColumnGx* column) const {
    String caption = column->Title()->Caption();
    if (FGrid->UseMultiTitle()) {
        size_t bar = caption.rfind('|');
        if (bar != String::npos) caption = caption.substr(bar + 1);
    }
    return caption;
}

int TGridPageComposer::TitleLinesHeight() {
    String text = FOwner.Title()->Text();
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r'))
        text.pop_back();
    if (text.empty()) return 0;
    SetFont(FGrid->TitleFont());
    int width = 0;
    for (int w : FClipped)
        width += w;
    int vInset = FGrid->UseMultiTitle() ? Round(FGrid->VTitleMargin() * FScaleY / 2) : FVPad;
    return WriteCellText(TRect(0, 0, width, 0), false, FHPad, vInset, text, taCenter, tlCenter, true, false,
                         0, 0, true);
}

void TGridPageComposer::DrawTitleLines(int a, int b) {
    if (FTitleLinesHeight == 0) return;
    String text = FOwner.Title()->Text();
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r'))
        text.pop_back();
    int before = 0, group = 0, after = 0;
    for (int i = 0; i < static_cast<int>(FClipped.size()); ++i) {
        int w = FClipped[static_cast<size_t>(i)];
        if (i < a)
            before += w;
        else if (i > b)
            after += w;
        else
            group += w;
    }
    int y = FTop + FYOffset - FTitleHeight - FTitleLinesHeight;
    TRect r(FLeft, y, FLeft + group, y + FTitleLinesHeight);
    if (FGrid->UseRightToLeftAlignment())
        r = TRect(FRight - (r.Right - FLeft), r.Top, FRight - (r.Left - FLeft), r.Bottom);
    SetFont(FGrid->TitleFont());
    bool colored = FOwner.HasOption(pghColored);
    FCanvas->Brush()->SetStyle(colored ? bsSolid : bsClear);
    FCanvas->Brush()->SetColor(colored ? FGrid->FixedColor() : clWhite);
    int vInset = FGrid->UseMultiTitle() ? Round(FGrid->VTitleMargin() * FScaleY / 2) : FVPad;
    WriteCellText(r, colored, 0, vInset, text, taCenter, tlTop, true, false, FHPad - before, FHPad - after,
                  FCounting);
    FCanvas->Brush()->SetStyle(bsClear);
    if (!FCounting) {
        FCanvas->Pen()->SetWidth(FLineWidth);
        std::vector<TPoint> edge = {
            {r.Left, r.Bottom}, {r.Left, r.Top}, {r.Right, r.Top}, {r.Right, r.Bottom}};
        FCanvas->Polyline(edge);
    }
}

// The columns' titles all print in the grid's title font.
int TGridPageComposer::TitleHeight() {
    SetFont(FGrid->TitleFont());
    if (FGrid->TitleHeight() == 0 && FGrid->TitleLines() == 0) return FCanvas->TextHeight("Wg") + 2 * FVPad;
    TTextMetric tm = FCanvas->TextMetrics();
    int height = FVPad + FGrid->TitleLines() * tm.tmHeight + tm.tmExternalLeading +
                 Round(FGrid->TitleHeight() * FScaleY);
    if (FGrid->Options() & dgRowLines) height += FLineExtra;
    return height;
}

void TGridPageComposer::DrawTitles(int a, int b) {
    int bottom = FTop + FYOffset;
    int top = bottom - FTitleHeight;
    bool colored = FOwner.HasOption(pghColored);
    bool rtl = FGrid->UseRightToLeftAlignment();
    int x = FLeft;
    for (int i = a; i <= b; ++i) {
        TColumnGx* c = FColumns[static_cast<size_t>(i)];
        TRect cell(x, top, x + FClipped[static_cast<size_t>(i)], bottom);
        x = cell.Right;
        if (rtl) cell = TRect(FRight - (cell.Right - FLeft), top, FRight - (cell.Left - FLeft), bottom);
        SetFont(FGrid->TitleFont());
        FCanvas->Brush()->SetStyle(colored ? bsSolid : bsClear);
        FCanvas->Brush()->SetColor(colored ? FGrid->FixedColor() : clWhite);
        if (c->Title()->Orientation() == tohVertical) {
            if (colored && !FCounting) FCanvas->FillRect(cell);
            DrawRotatedCellText(FCanvas, cell, false, FHPad, 2 * FVPad, TitleCaption(c),
                                c->Title()->Alignment(), tlBottom, false, FCounting);
        } else {
            WriteCellText(cell, colored, FHPad, FVPad, TitleCaption(c), c->Title()->Alignment(), tlTop, false,
                          c->Title()->EndEllipsis(), 0, 0, FCounting);
        }
        FCanvas->Brush()->SetStyle(bsClear);
        if (!FCounting)
            AddLine({{cell.Left, cell.Bottom}, {cell.Right, cell.Bottom}, {cell.Right, cell.Top}}, true);
    }
    if (!FCounting) {
        int l = rtl ? FRight - (x - FLeft) : FLeft;
        int r = rtl ? FRight : x;
        AddLine({{l, bottom}, {l, top}, {r, top}}, true);
        FCanvas->Pen()->SetWidth(FLineWidth);
        FCanvas->Pen()->SetColor(clBlack);
        FCanvas->PolyPolyline(FTitlePoints.data(), FTitleCounts.data(),
                              static_cast<int>(FTitleCounts.size()));
        FTitlePoints.clear();
        FTitleCounts.clear();
    }
}
