// How the base grid paints itself: grid lines per area in colours chosen by TGridLineColorsGx, the
// cells of each area (fixed, frozen, scrolling, contra) through the virtual PaintCell, the gaps
// filled with the control colour, the contra strips kept out of the main area by clipping, and
// right-to-left mirroring. The sizing line and the move marker are painted last, over the cells.
#include "grid/GridsGx.h"

#include "classes/MetaBuilder.h"
#include "gui/ControlPaint.h"
#include "gui/Forms.h"
#include "gui/Graphics.h"
#include "rtl/ScopeGuards.h"

#include <algorithm>

// ---- line colours -------------------------------------------------------------------------------

ORV_META_IMPL(TGridLineColorsGx)
void TGridLineColorsGx::DeclareMeta(meta::Class<TGridLineColorsGx>&) {}

TGridLineColorsGx::TGridLineColorsGx(TCustomGridGx* Grid) : FGrid(Grid) {}

TColor TGridLineColorsGx::DarkColor() const {
    if (DarkSetting != clDefault) return DarkSetting;
    return FGrid && FGrid->Flat() ? clGray : clBlack;
}

TColor TGridLineColorsGx::BrightColor() const {
    if (BrightSetting != clDefault) return BrightSetting;
    return FGrid && ColorToPixelRGB(FGrid->Color()) == static_cast<TColorRef>(clSilver) ? clGray : clSilver;
}

TColor TGridLineColorsGx::CellLineColor(int Col, int Row) const {
    if (FGrid && (Col < FGrid->FixedColsCount() - FGrid->FrozenColCount() || Row < FGrid->FixedRowsCount()))
        return DarkColor();
    return BrightColor();
}

TColor TGridLineColorsGx::VertLineColorAt(int Col) const {
    return FGrid && Col == FGrid->ColsCount() ? ContraVertLineColor() : BrightColor();
}

TColor TGridLineColorsGx::HorzLineColorAt(int Row) const {
    return FGrid && Row == FGrid->RowsCount() ? ContraHorzLineColor() : BrightColor();
}

TColor TGridLineColorsGx::FrozenVertLineColor(int Col) const {
    if (FGrid && FGrid->FrozenColCount() > 0 && Col + 1 == FGrid->FixedColsCount()) return FrozenLineColor();
    return BrightColor();
}

TColor TGridLineColorsGx::FrozenHorzLineColor(int) const {
    return BrightColor();
}

TColor TGridLineColorsGx::FrozenLineColor() const {
    return FrozenLineSetting != clDefault ? FrozenLineSetting : DarkColor();
}

TColor TGridLineColorsGx::ContraVertLineColor() const {
    return ContraVertLineSetting != clDefault ? ContraVertLineSetting : DarkColor();
}

TColor TGridLineColorsGx::ContraHorzLineColor() const {
    return ContraHorzLineSetting != clDefault ? ContraHorzLineSetting : DarkColor();
}

std::unique_ptr<TGridLineColorsGx> TCustomGridGx::CreateGridLineColors() {
    return std::make_unique<TGridLineColorsGx>(this);
}

// ---- painting -----------------------------------------------------------------------------------

// The strokes of one painting pass: two points per stroke, at most Limit strokes.
struct TCustomGridGx::TDrawLinesInfo {
    std::vector<TPoint> Points;
    std::vector<int> Strokes;
    int Limit = 0;
    int LastCol = 0;
    int LastRow = 0;
    void Reset(int limit, int lastCol, int lastRow) {
        Limit = limit;
        LastCol = lastCol;
        LastRow = lastRow;
        Points.clear();
        Points.reserve(static_cast<size_t>(2 * limit));
        Strokes.assign(static_cast<size_t>(limit), 2);
    }
};

namespace {

bool FixedHorz(TGridOptions o) {
    return o.Contains(goFixedHorzLine);
}
bool FixedVert(TGridOptions o) {
    return o.Contains(goFixedVertLine);
}

} // namespace

bool TCustomGridGx::IsActiveControl() const {
    if (TCustomForm* f = GetParentForm()) {
        TWinControl* a = f->ActiveControl();
        return a == this || (a && FCellEditor && a == FCellEditor);
    }
    TWinControl* focused = FindFocusedControl();
    return focused && (focused == this || ContainsControl(focused));
}

void TCustomGridGx::SetGridOrientation(bool RightToLeft) {
    // Mirroring is done on the coordinates handed to the canvas (cells get screen rectangles).
    FMirrored = RightToLeft;
}

void TCustomGridGx::PolyLinesMirrored(const TPoint* Points, const int* Strokes, int PointCount) {
    if (PointCount < 2) return;
    if (!FMirrored) {
        Canvas()->PolyPolyline(Points, Strokes, PointCount / 2);
        return;
    }
    const int w = ClientWidth();
    std::vector<TPoint> p(Points, Points + PointCount);
    for (TPoint& pt : p)
        pt.X = w - 1 - pt.X;
    Canvas()->PolyPolyline(p.data(), Strokes, PointCount / 2);
}

void TCustomGridGx::PolylineMirrored(const TPoint* Points, int Count) {
    if (!FMirrored) {
        Canvas()->Polyline(Points, Count);
        return;
    }
    const int w = ClientWidth();
    std::vector<TPoint> p(Points, Points + Count);
    for (TPoint& pt : p)
        pt.X = w - 1 - pt.X;
    Canvas()->Polyline(p.data(), Count);
}

void TCustomGridGx::SetLinePen(TColor Color) {
    TPen* pen = Canvas()->Pen();
    pen->SetStyle(psSolid);
    pen->SetMode(pmCopy);
    pen->SetWidth(FLineWidth);
    pen->SetColor(Color);
    if (FLineWidth > 1) {
        pen->SetEndCap(pecFlat);
        pen->SetJoinStyle(pjsMiter);
    }
}

void TCustomGridGx::DrawSegment(int X1, int Y1, int X2, int Y2, TColor Color) {
    SetLinePen(Color);
    const TPoint pts[2] = {TPoint(X1, Y1), TPoint(X2, Y2)};
    const int strokes[1] = {2};
    PolyLinesMirrored(pts, strokes, 2);
}

void TCustomGridGx::DrawLineSet(const AxisLayout& Axis, const TRect& Bounds, int StartCell, int Major,
                                int LastCell, bool UseOn, TColor OnColor, TColor OffColor,
                                TDrawLinesInfo& Info) {
    if (Axis.LineGap == 0) return;
    SetLinePen(UseOn ? OnColor : OffColor);
    const int majorStart = Major == 0 ? Bounds.Left : Bounds.Top;
    const int majorEnd = Major == 0 ? Bounds.Right : Bounds.Bottom;
    const int minorStart = Major == 0 ? Bounds.Top : Bounds.Left;
    const int minorEnd = Major == 0 ? Bounds.Bottom : Bounds.Right;
    const int lastAllowed = majorEnd + Axis.LineGap;
    int cell = StartCell;
    int line = majorStart + Axis.Extent(cell) + Axis.LineGap / 2;
    Info.Points.clear();
    while (true) {
        if (Major == 0) {
            Info.Points.emplace_back(line, minorStart);
            Info.Points.emplace_back(line, minorEnd);
        } else {
            Info.Points.emplace_back(minorStart, line);
            Info.Points.emplace_back(minorEnd, line);
        }
        ++cell;
        while (cell <= LastCell && Axis.Extent(cell) + Axis.LineGap <= 0)
            ++cell;
        line += Axis.Extent(cell) + Axis.LineGap;
        if (line > lastAllowed || cell > LastCell || static_cast<int>(Info.Points.size()) >= 2 * Info.Limit)
            break;
    }
    PolyLinesMirrored(Info.Points.data(), Info.Strokes.data(), static_cast<int>(Info.Points.size()));
}

void TCustomGridGx::DrawGridLines(const GridLayout& L, bool HorzOn, bool VertOn, int StartCol, int StartRow,
                                  const TRect& Bounds, TColor OnColor, TColor OffColor,
                                  TDrawLinesInfo& Info) {
    if (Bounds.Width() == 0 || Bounds.Height() == 0) return;
    if (HorzOn) {
        DrawLineSet(L.Cols, Bounds, StartCol, 0, Info.LastCol, VertOn, OnColor, OffColor, Info);
        DrawLineSet(L.Rows, Bounds, StartRow, 1, Info.LastRow, HorzOn, OnColor, OffColor, Info);
    } else {
        DrawLineSet(L.Rows, Bounds, StartRow, 1, Info.LastRow, HorzOn, OnColor, OffColor, Info);
        DrawLineSet(L.Cols, Bounds, StartCol, 0, Info.LastCol, VertOn, OnColor, OffColor, Info);
    }
}

void TCustomGridGx::FillArea(const TRect& R, TColor Color) {
    if (IsRectEmpty(R)) return;
    TRect r = R;
    if (FMirrored) r = Rect(ClientWidth() - R.Right, R.Top, ClientWidth() - R.Left, R.Bottom);
    Canvas()->Brush()->SetStyle(bsSolid);
    Canvas()->Brush()->SetColor(Color);
    Canvas()->FillRect(r);
}

bool TCustomGridGx::CellAreaVisible(const TRect& R) {
    TRect i;
    return IntersectRect(i, R, FPaintArea) && Canvas()->RectVisible(R);
}

void TCustomGridGx::DrawCellBlock(const GridLayout& L, int StartCol, int StartRow, int StartX, int StartY,
                                  int StopX, int StopY, TGridDrawState Included, bool Contra) {
    const int colLimit = Contra ? TotalColsCount() : FColsCount;
    const int rowLimit = Contra ? TotalRowsCount() : FRowsCount;
    const bool active = !Contra && IsActiveControl();
    const GridCellRange sel = SelectedRange();
    const int w = ClientWidth();
    int top = StartY;
    for (int row = StartRow; top < StopY && row < rowLimit; ++row) {
        const int height = L.Rows.Extent(row);
        int left = StartX;
        for (int col = StartCol; left < StopX && col < colLimit; ++col) {
            const int width = L.Cols.Extent(col);
            if (width > 0 && height > 0) {
                TRect r = Rect(left, top, left + width, top + height);
                if (FMirrored) r = Rect(w - r.Right, r.Top, w - r.Left, r.Bottom);
                if (CellAreaVisible(r)) {
                    TGridDrawState state = Included;
                    const bool focused = active && col == FCurrentCell.X && row == FCurrentCell.Y;
                    if (focused) state << gdFocused;
                    if (!Contra && col >= sel.Left && col <= sel.Right && row >= sel.Top && row <= sel.Bottom)
                        state << gdSelected;
                    if (!(focused && FGridOptions.Contains(goEditing) && FEditingActive)) {
                        if (FCellBackgroundFill) {
                            Canvas()->Brush()->SetStyle(bsSolid);
                            Canvas()->Brush()->SetColor(state.Contains(gdFixed) ? FFixedColor : Color());
                            Canvas()->FillRect(r);
                        }
                        const int saved = Canvas()->SaveDC();
                        Canvas()->IntersectClipRect(r);
                        PaintCell(col, row, r, state);
                        Canvas()->RestoreDC(saved);
                    }
                }
            }
            left += width + L.Cols.LineGap;
        }
        top += height + L.Rows.LineGap;
    }
}

void TCustomGridGx::Paint() {
    if (FScrollRangePending) UpdateScrollBarsRange();
    FInPaint = true;
    try {
        // A few separate parts (two rows far apart after a one-row scroll) paint one by one, each
        // clipped to itself, instead of every cell between them.
        const std::vector<TRect> parts = ControlPaintRects(this);
        if (parts.size() > 1 && parts.size() <= 8) {
            TCanvas* cv = Canvas();
            for (const TRect& part : parts) {
                const int saved = cv->SaveDC();
                const TScopeExit restore([cv, saved] { cv->RestoreDC(saved); });
                cv->IntersectClipRect(part);
                FPaintArea = part;
                PaintWholeGrid();
            }
            FPaintArea = ControlPaintRect(this);
        } else {
            FPaintArea = ControlPaintRect(this);
            PaintWholeGrid();
        }
        if (FOverlayShown) DrawOverlay();
        PaintOverCells();
    } catch (...) {
        FInPaint = false;
        throw;
    }
    FInPaint = false;
}

void TCustomGridGx::PaintWholeGrid() {
    if (PaintLocked()) return;
    if (!FInPaint) FPaintArea = ControlPaintRect(this);
    if (UseRightToLeftAlignment()) SetGridOrientation(true);
    const GridLayout L = CalcGridLayout();
    const AxisLayout& c = L.Cols;
    const AxisLayout& r = L.Rows;
    const int w = ClientWidth();
    TCanvas* cv = Canvas();
    const bool contra = FContraColCount > 0 || FContraRowCount > 0;
    TRegion savedClip;
    bool hadClip = false;
    if (contra) {
        hadClip = cv->GetClipRgn(savedClip);
        cv->IntersectClipRect(FMirrored ? Rect(w - c.ContraStart, 0, w, r.ContraStart)
                                        : Rect(0, 0, c.ContraStart, r.ContraStart));
    }
    const TGridOptions o = FGridOptions;
    const int firstCol = FTopLeftCell.X, firstRow = FTopLeftCell.Y;
    TGridLineColorsGx* lc = FGridLineColors.get();
    if (c.LineGap > 0 || r.LineGap > 0) {
        TDrawLinesInfo info;
        info.Reset(std::max(c.LastFullCell - firstCol + FFixedColsCount,
                            r.LastFullCell - firstRow + FFixedRowsCount) +
                       3,
                   c.LastFullCell, r.LastFullCell);
        DrawGridLines(L, FixedHorz(o), FixedVert(o), 0, 0, Rect(0, 0, c.FixedEnd, r.FixedEnd),
                      lc->CellLineColor(0, 0), FFixedColor, info);
        DrawGridLines(L, FixedHorz(o), FixedVert(o), firstCol, 0,
                      Rect(c.FixedEnd, 0, c.ScrollEnd, r.FixedEnd), lc->CellLineColor(firstCol, 0),
                      FFixedColor, info);
        DrawGridLines(L, FixedHorz(o), FixedVert(o), 0, firstRow,
                      Rect(0, r.FixedEnd, c.FrozenStart, r.ScrollEnd), lc->CellLineColor(0, firstRow),
                      FFixedColor, info);
        const int frozenFirst = FFixedColsCount - FFrozenColCount;
        DrawGridLines(L, FixedHorz(o), FixedVert(o), frozenFirst, firstRow,
                      Rect(c.FrozenStart, r.FixedEnd, c.FixedEnd - 1, r.ScrollEnd),
                      lc->CellLineColor(frozenFirst, firstRow), FFixedColor, info);
        if (FFrozenColCount > 0)
            DrawSegment(c.FixedEnd - 1, r.FixedEnd, c.FixedEnd - 1, r.ScrollEnd,
                        lc->FrozenVertLineColor(FFixedColsCount - 1));
        DrawGridLines(L, o.Contains(goHorzLine), o.Contains(goVertLine), firstCol, firstRow,
                      Rect(c.FixedEnd, r.FixedEnd, c.ScrollEnd, r.ScrollEnd),
                      lc->CellLineColor(firstCol, firstRow), Color(), info);
    }
    DrawCellBlock(L, 0, 0, 0, 0, c.FixedEnd, r.FixedEnd, TGridDrawState{gdFixed}, false);
    DrawCellBlock(L, firstCol, 0, c.FixedEnd - FColPixelOffset, 0, c.ScrollEnd, r.FixedEnd,
                  TGridDrawState{gdFixed}, false);
    DrawCellBlock(L, 0, firstRow, 0, r.FixedEnd, c.FrozenStart, r.ScrollEnd, TGridDrawState{gdFixed}, false);
    DrawCellBlock(L, FFixedColsCount - FFrozenColCount, firstRow, c.FrozenStart, r.FixedEnd, c.FixedEnd,
                  r.ScrollEnd, TGridDrawState(), false);
    DrawCellBlock(L, firstCol, firstRow, c.FixedEnd - FColPixelOffset, r.FixedEnd, c.ScrollEnd, r.ScrollEnd,
                  TGridDrawState(), false);
    FillArea(Rect(c.ScrollEnd, 0, c.ScrollLimit, r.ScrollEnd), Color());
    FillArea(Rect(0, r.ScrollEnd, c.ScrollLimit, r.ScrollLimit), Color());
    if (contra) cv->SelectClipRgn(hadClip ? &savedClip : nullptr);
    PaintContraAreas(L);
    if (FMirrored) SetGridOrientation(false);
}

void TCustomGridGx::PaintContraAreas(const GridLayout& L) {
    const AxisLayout& c = L.Cols;
    const AxisLayout& r = L.Rows;
    if (FContraColCount == 0 && FContraRowCount == 0) return;
    const TGridOptions o = FGridOptions;
    TGridLineColorsGx* lc = FGridLineColors.get();
    const int firstCol = FTopLeftCell.X, firstRow = FTopLeftCell.Y;
    const int frozenFirst = FFixedColsCount - FFrozenColCount;
    const int w = ClientWidth();
    TCanvas* cv = Canvas();
    TDrawLinesInfo info;
    info.Reset(std::max({c.LastFullCell - firstCol + FFixedColsCount,
                         r.LastFullCell - firstRow + FFixedRowsCount, FContraColCount, FContraRowCount}) +
                   3,
               TotalColsCount() - 1, TotalRowsCount() - 1);
    const bool lines = c.LineGap > 0 || r.LineGap > 0;
    // 1. Lines of the contra rows.
    if (FContraRowCount > 0 && lines) {
        const int top = r.ContraStart + 1, bottom = r.ClientExtent;
        DrawGridLines(L, FixedHorz(o), FixedVert(o), 0, FRowsCount, Rect(0, top, c.FrozenStart, bottom),
                      lc->CellLineColor(0, FRowsCount), FFixedColor, info);
        DrawGridLines(L, FixedHorz(o), FixedVert(o), frozenFirst, FRowsCount,
                      Rect(c.FrozenStart, top, c.FixedEnd - 1, bottom),
                      lc->CellLineColor(frozenFirst, FRowsCount), FFixedColor, info);
        if (FFrozenColCount > 0)
            DrawSegment(c.FixedEnd - 1, top, c.FixedEnd - 1, bottom,
                        lc->FrozenVertLineColor(FFixedColsCount - 1));
        if (r.LineGap > 0)
            DrawSegment(0, r.ContraStart, c.FixedEnd, r.ContraStart, lc->HorzLineColorAt(FRowsCount));
        DrawGridLines(L, o.Contains(goHorzLine), o.Contains(goVertLine), firstCol, FRowsCount,
                      Rect(c.FixedEnd, top, c.ScrollEnd, bottom), lc->CellLineColor(firstCol, FRowsCount),
                      Color(), info);
        if (r.LineGap > 0)
            DrawSegment(c.FixedEnd, r.ContraStart, c.ScrollEnd, r.ContraStart,
                        lc->HorzLineColorAt(FRowsCount));
    }
    // 2. Lines of the contra columns.
    if (FContraColCount > 0 && lines) {
        const int left = c.ContraStart + 1, right = c.ClientExtent;
        DrawGridLines(L, FixedHorz(o), FixedVert(o), FColsCount, 0, Rect(left, 0, right, r.FixedEnd),
                      lc->CellLineColor(FColsCount, 0), FFixedColor, info);
        if (c.LineGap > 0)
            DrawSegment(c.ContraStart, 0, c.ContraStart, r.FixedEnd, lc->VertLineColorAt(FColsCount));
        DrawGridLines(L, o.Contains(goHorzLine), o.Contains(goVertLine), FColsCount, firstRow,
                      Rect(left, r.FixedEnd, right, r.ScrollEnd), lc->CellLineColor(FColsCount, firstRow),
                      Color(), info);
        if (c.LineGap > 0)
            DrawSegment(c.ContraStart, r.FixedEnd, c.ContraStart, r.ScrollEnd,
                        lc->VertLineColorAt(FColsCount));
    }
    // 3. The corner.
    if (FContraColCount > 0 && FContraRowCount > 0 && lines) {
        DrawGridLines(L, o.Contains(goHorzLine), o.Contains(goVertLine), FColsCount, FRowsCount,
                      Rect(c.ContraStart + 1, r.ContraStart + 1, c.ClientExtent, r.ClientExtent),
                      lc->CellLineColor(FColsCount, FRowsCount), Color(), info);
        if (c.LineGap > 0)
            DrawSegment(c.ContraStart, r.ContraStart, c.ContraStart, r.ClientExtent,
                        lc->ContraVertLineColor());
        if (r.LineGap > 0)
            DrawSegment(c.ContraStart, r.ContraStart, c.ClientExtent, r.ContraStart,
                        lc->ContraHorzLineColor());
    }
    // 4. Cells of the contra rows.
    if (FContraRowCount > 0) {
        const int top = r.ContraStart + 1, bottom = r.ClientExtent;
        TRegion saved;
        bool hadClip = false;
        if (FContraColCount > 0) {
            hadClip = cv->GetClipRgn(saved);
            cv->IntersectClipRect(FMirrored ? Rect(w - c.ScrollEnd, r.ContraStart, w, bottom)
                                            : Rect(0, r.ContraStart, c.ScrollEnd, bottom));
        }
        DrawCellBlock(L, 0, FRowsCount, 0, top, c.FrozenStart, bottom, TGridDrawState{gdFixed}, true);
        DrawCellBlock(L, frozenFirst, FRowsCount, c.FrozenStart, top, c.FixedEnd, bottom, TGridDrawState(),
                      true);
        DrawCellBlock(L, firstCol, FRowsCount, c.FixedEnd - FColPixelOffset, top, c.ScrollEnd, bottom,
                      TGridDrawState(), true);
        if (FContraColCount > 0) cv->SelectClipRgn(hadClip ? &saved : nullptr);
    }
    // 5. Cells of the contra columns.
    if (FContraColCount > 0) {
        const int left = c.ContraStart + 1, right = c.ClientExtent;
        TRegion saved;
        bool hadClip = false;
        if (FContraRowCount > 0) {
            hadClip = cv->GetClipRgn(saved);
            cv->IntersectClipRect(FMirrored ? Rect(0, 0, w - c.ContraStart, r.ScrollEnd)
                                            : Rect(c.ContraStart, 0, w, r.ScrollEnd));
        }
        DrawCellBlock(L, FColsCount, 0, left, 0, right, r.FixedEnd, TGridDrawState{gdFixed}, true);
        DrawCellBlock(L, FColsCount, firstRow, left, r.FixedEnd, right, r.ScrollEnd, TGridDrawState(), true);
        if (FContraRowCount > 0) cv->SelectClipRgn(hadClip ? &saved : nullptr);
    }
    // 6. The corner cells.
    if (FContraColCount > 0 && FContraRowCount > 0)
        DrawCellBlock(L, FColsCount, FRowsCount, c.ContraStart + 1, r.ContraStart + 1, c.ClientExtent,
                      r.ClientExtent, TGridDrawState(), true);
    // 7. The strips' parts beyond the scrolling cells.
    if (FContraColCount > 0)
        FillArea(Rect(c.ContraStart, r.ScrollEnd, c.ClientExtent, r.ScrollLimit), Color());
    if (FContraRowCount > 0)
        FillArea(Rect(c.ScrollEnd, r.ContraStart, c.ContraStart, r.ClientExtent), Color());
}
