// Title painting of the grid printer: the component's title lines, centred over the whole grid
// width with each page showing its share, and the column titles of a column group.
#include "gridprint/PrnDbggxComposer.h"

#include "grid/DBGridGx.h"
#include "grid/DBGridGxColumns.h"
#include "grid/DBGridGxText.h"

#include <algorithm>

// With the grid's multi-level titles a caption holds its levels separated by "|"; the column's
// own level, the last one, is what its width must hold.
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
    if (FGrid->UseMultiTitle()) return MultiTitleHeight(PrintTitleTree());
    SetFont(FGrid->TitleFont());
    if (FGrid->TitleHeight() == 0 && FGrid->TitleLines() == 0) return FCanvas->TextHeight("Wg") + 2 * FVPad;
    TTextMetric tm = FCanvas->TextMetrics();
    int height = FVPad + FGrid->TitleLines() * tm.tmHeight + tm.tmExternalLeading +
                 Round(FGrid->TitleHeight() * FScaleY);
    if (FGrid->Options() & dgRowLines) height += FLineExtra;
    return height;
}

void TGridPageComposer::DrawTitles(int a, int b) {
    if (FGrid->UseMultiTitle()) {
        DrawMultiTitles(a, b);
        return;
    }
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

// ---- multi-level titles -------------------------------------------------------------------------

// The grid's title tree with print widths: a leaf takes the clipped width of its printed column
// and 0 for a column that is not printed, a header node the sum of its children. The grid keeps
// the tree current while it lays out multi-level titles; one that does not match the columns is
// rebuilt from the captions.
THeadTreeNode* TGridPageComposer::PrintTitleTree() {
    TDBGridColumnsGx* columns = FGrid->Columns();
    bool current = FGrid->TitleLeaf(columns->Count()) == nullptr;
    for (int i = 0; current && i < columns->Count(); ++i) {
        THeadTreeNode* leaf = FGrid->TitleLeaf(i);
        current = leaf && leaf->Column == columns->ColumnAt(i);
    }
    if (!current) FGrid->BuildTitleTree();
    for (int i = 0; i < columns->Count(); ++i)
        FGrid->TitleLeaf(i)->PrintWidth = 0;
    for (size_t i = 0; i < FColumns.size(); ++i)
        FGrid->TitleLeaf(FColumns[i]->Index())->PrintWidth = FClipped[i];
    THeadTreeNode* root = FGrid->TitleRoot();
    MultiTitleWidths(root);
    return root;
}

int TGridPageComposer::MultiTitleWidths(THeadTreeNode* node) {
    if (!node->Child) return node->PrintWidth;
    int width = 0;
    node->ForEachChild([&](THeadTreeNode* ch) { width += MultiTitleWidths(ch); });
    node->PrintWidth = width;
    return width;
}

// The height of the levels below node. A level is as high as the tallest of its captions plus
// the levels below that caption; a header node keeps the rest above its children, a leaf reaches
// down to the bottom of the title area.
int TGridPageComposer::MultiTitleHeight(THeadTreeNode* node) {
    int level = 0;
    std::vector<int> below;
    node->ForEachChild([&](THeadTreeNode* ch) {
        const int sub = ch->Child ? MultiTitleHeight(ch) : 0;
        below.push_back(sub);
        SetFont(FGrid->TitleFont());
        const String text = ch->Text.empty() ? String(" ") : ch->Text;
        int own = 0;
        if (ch->PrintWidth > 0) {
            const int w = std::max(1, ch->PrintWidth - Round(4 * FScaleX));
            if (ch->Column && ch->Column->Title()->Orientation() == tohVertical)
                own = DrawRotatedCellText(FCanvas, TRect(0, 0, w, 0), false, 0, 0, text, taLeftJustify, tlBottom,
                                          false, true) +
                      Round(4 * FScaleY);
            else
                own = WriteCellText(TRect(0, 0, w, 0), false, 0, 0, text, taLeftJustify, tlTop, true, false, 0, 0,
                                    true, false) +
                      Round(FGrid->VTitleMargin() * FScaleY);
        }
        level = std::max(level, sub + own);
    });
    size_t k = 0;
    node->ForEachChild([&](THeadTreeNode* ch) {
        const int sub = below[k++];
        ch->PrintHeight = ch->Child ? level - sub : level;
    });
    node->PrintHeight = level;
    return level;
}

// Each printed column's leaf cell stands on the bottom of the title area; above it the header
// cells not yet drawn for this group, each spanning its full width but cut at the group's edges,
// its caption centred over the full width.
void TGridPageComposer::DrawMultiTitles(int a, int b) {
    THeadTreeNode* root = PrintTitleTree();
    MultiTitleHeight(root);
    const int bottom = FTop + FYOffset;
    const int top = bottom - FTitleHeight;
    const bool colored = FOwner.HasOption(pghColored);
    const bool rtl = FGrid->UseRightToLeftAlignment();
    int groupRight = FLeft;
    for (int i = a; i <= b; ++i)
        groupRight += FClipped[static_cast<size_t>(i)];
    auto mirrorX = [&](int x) { return rtl ? FRight - (x - FLeft) : x; };
    auto mirror = [&](const TRect& r) {
        return rtl ? TRect(mirrorX(r.Right), r.Top, mirrorX(r.Left), r.Bottom) : r;
    };
    auto cellEdges = [&](const TRect& r) {
        if (!FCounting)
            AddLine({{mirrorX(r.Left), r.Top}, {mirrorX(r.Left), r.Bottom}, {mirrorX(r.Right), r.Bottom}}, true);
    };
    auto brush = [&] {
        SetFont(FGrid->TitleFont());
        FCanvas->Brush()->SetStyle(colored ? bsSolid : bsClear);
        FCanvas->Brush()->SetColor(colored ? FGrid->FixedColor() : clWhite);
    };
    std::vector<const THeadTreeNode*> drawn;
    int x = FLeft;
    for (int i = a; i <= b; ++i) {
        TColumnGx* c = FColumns[static_cast<size_t>(i)];
        const THeadTreeNode* leaf = FGrid->TitleLeaf(c->Index());
        const int w = FClipped[static_cast<size_t>(i)];
        const TRect cell(x, bottom - leaf->PrintHeight, x + w, bottom);
        brush();
        if (c->Title()->Orientation() == tohVertical) {
            if (colored && !FCounting) FCanvas->FillRect(mirror(cell));
            DrawRotatedCellText(FCanvas, mirror(cell), false, FHPad, FLineExtra + FVPad, leaf->Text, taCenter,
                                tlBottom, false, FCounting);
        } else {
            WriteCellText(mirror(cell), colored, 0, FLineExtra, leaf->Text, taCenter, tlCenter, true, false, FHPad,
                          FHPad, FCounting);
        }
        FCanvas->Brush()->SetStyle(bsClear);
        cellEdges(cell);

        const THeadTreeNode* n = leaf;
        int left = x, cellTop = cell.Top;
        for (const THeadTreeNode* p = n->Host; p && p != root; n = p, p = p->Host) {
            if (std::find(drawn.begin(), drawn.end(), p) != drawn.end()) break;
            drawn.push_back(p);
            for (const THeadTreeNode* s = p->Child; s != n; s = s->Next)
                left -= s->PrintWidth;
            const TRect full(left, cellTop - p->PrintHeight, left + p->PrintWidth, cellTop);
            const TRect cut(std::max(full.Left, FLeft), full.Top, std::min(full.Right, groupRight), full.Bottom);
            brush();
            WriteCellText(mirror(cut), colored, 0, FLineExtra, p->Text, taCenter, tlCenter, true, false,
                          FHPad - (cut.Left - full.Left), FHPad - (full.Right - cut.Right), FCounting);
            FCanvas->Brush()->SetStyle(bsClear);
            cellEdges(cut);
            cellTop = full.Top;
        }
        x += w;
    }
    if (!FCounting) {
        AddLine({{mirrorX(FLeft), top}, {mirrorX(x), top}, {mirrorX(x), bottom}}, true);
        FCanvas->Pen()->SetWidth(FLineWidth);
        FCanvas->Pen()->SetColor(clBlack);
        FCanvas->PolyPolyline(FTitlePoints.data(), FTitleCounts.data(), static_cast<int>(FTitleCounts.size()));
        FTitlePoints.clear();
        FTitleCounts.clear();
    }
}
