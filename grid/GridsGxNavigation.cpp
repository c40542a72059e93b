// Everything of the base grid that moves: the current cell and the selection anchor, the first
// visible scrolling cell, the window scrolling that follows it and the two scroll bars (positions on
// a fixed scale of 0 .. 127; a grid of one column scrolls by pixels).
#include "grid/GridsGx.h"

#include "gui/ControlPaint.h"
#include "gui/Graphics.h"
#include "gui/SystemMetrics.h"

#include <algorithm>

namespace {

constexpr int ScrollScale = 127;

} // namespace

void TCustomGridGx::MoveFocus(int Col, int Row, bool MoveAnchor, bool Show) {
    if (Col < 0 || Col >= FColsCount || Row < 0 || Row >= FRowsCount)
        throw EInvalidGridOperationGx("Grid index out of range");
    if (!CanSelectCell(Col, Row)) return;
    const GridCellRange oldSel = SelectedRange();
    const TGridCoord oldCell = FCurrentCell;
    FCurrentCell = TGridCoord{Col, Row};
    if (!FGridOptions.Contains(goAlwaysShowEditor)) HideEditorWindow();
    if (MoveAnchor || !FGridOptions.Contains(goRangeSelect)) {
        FAnchorCell = FCurrentCell;
        if (FGridOptions.Contains(goRowSelect)) FAnchorCell.X = FColsCount - 1;
    }
    if (FGridOptions.Contains(goRowSelect)) FCurrentCell.X = FFixedColsCount;
    if (Show) ScrollIntoView(FCurrentCell);
    RepaintSelectionDifference(oldSel);
    InvalidateOneCell(oldCell.X, oldCell.Y);
    InvalidateOneCell(FCurrentCell.X, FCurrentCell.Y);
}

void TCustomGridGx::FocusCellAndClick(int Col, int Row, bool MoveAnchor) {
    MoveFocus(Col, Row, MoveAnchor, true);
    SyncEditor();
    Click();
}

void TCustomGridGx::SetFocusCol(int Index) {
    if (Index == FCurrentCell.X) return;
    FocusCellAndClick(Index, FCurrentCell.Y, true);
}

void TCustomGridGx::SetFocusRow(int Index) {
    if (Index == FCurrentCell.Y) return;
    FocusCellAndClick(FCurrentCell.X, Index, true);
}

void TCustomGridGx::MoveAnchorTo(TGridCoord Cell) {
    if (FGridOptions.Contains(goRangeSelect) && !FGridOptions.Contains(goEditing)) {
        const GridCellRange oldSel = SelectedRange();
        FAnchorCell = Cell;
        if (FGridOptions.Contains(goRowSelect)) FAnchorCell.X = FColsCount - 1;
        ScrollIntoView(Cell);
        RepaintSelectionDifference(oldSel);
    } else {
        MoveFocus(Cell.X, Cell.Y, true, true);
    }
}

void TCustomGridGx::RepaintSelectionDifference(const GridCellRange& OldSel) {
    const TRect o = RangeScreenRect(OldSel, true);
    const TRect n = RangeScreenRect(SelectedRange(), true);
    TRect i;
    if (IntersectRect(i, o, n)) {
        TRect u;
        UnionRect(u, o, n);
        InvalidateGridRect(Rect(u.Left, u.Top, u.Right, i.Top));
        InvalidateGridRect(Rect(u.Left, i.Bottom, u.Right, u.Bottom));
        InvalidateGridRect(Rect(u.Left, i.Top, i.Left, i.Bottom));
        InvalidateGridRect(Rect(i.Right, i.Top, u.Right, i.Bottom));
    } else {
        InvalidateGridRect(o);
        InvalidateGridRect(n);
    }
}

void TCustomGridGx::ScrollIntoView(TGridCoord Cell) {
    const GridLayout l = CalcGridLayout();
    const bool colShown = Cell.X >= l.Cols.FirstScrollCell && Cell.X <= l.Cols.LastFullCell;
    const bool rowShown = Cell.Y >= l.Rows.FirstScrollCell && Cell.Y <= l.Rows.LastFullCell;
    if (colShown && rowShown) return;
    const TGridCoord m = MaxTopLeftFor(Cell, l);
    const TGridCoord old = FTopLeftCell;
    TGridCoord next = old;
    if (Cell.X < l.Cols.FirstScrollCell && Cell.X >= FFixedColsCount)
        next.X = Cell.X;
    else if (Cell.X > l.Cols.LastFullCell)
        next.X = m.X;
    if (Cell.Y < l.Rows.FirstScrollCell && Cell.Y >= FFixedRowsCount)
        next.Y = Cell.Y;
    else if (Cell.Y > l.Rows.LastFullCell)
        next.Y = m.Y;
    if (next == old) return;
    if (Showing()) PaintPending(this);
    FTopLeftCell = next;
    TopLeftMovedFrom(old);
}

void TCustomGridGx::MoveTopLeftTo(int Left, int Top) {
    if (Left == FTopLeftCell.X && Top == FTopLeftCell.Y) return;
    if (Showing()) PaintPending(this);
    const TGridCoord old = FTopLeftCell;
    FTopLeftCell = TGridCoord{Left, Top};
    TopLeftMovedFrom(old);
}

void TCustomGridGx::SetFirstVisibleCol(int Index) {
    if (Index == FTopLeftCell.X) return;
    MoveTopLeftTo(Index, FTopLeftCell.Y);
}

void TCustomGridGx::SetFirstVisibleRow(int Index) {
    if (Index == FTopLeftCell.Y) return;
    MoveTopLeftTo(FTopLeftCell.X, Index);
}

void TCustomGridGx::TopLeftMovedFrom(TGridCoord Old) {
    UpdateScrollBarsPos();
    const GridLayout l = CalcGridLayout();
    // The pixels between the old and the new first visible cell; negative towards higher indices.
    auto amount = [](const AxisLayout& a, int from, int to, bool& tooFar) {
        int sum = 0;
        for (int i = std::min(from, to); i < std::max(from, to); ++i)
            sum += a.Extent(i) + a.LineGap;
        if (sum > a.ScrollEnd - a.FixedEnd) tooFar = true;
        return to > from ? -sum : sum;
    };
    bool tooFar = false;
    const int dx = amount(l.Cols, Old.X, FTopLeftCell.X, tooFar);
    const int dy = amount(l.Rows, Old.Y, FTopLeftCell.Y, tooFar);
    if (tooFar)
        InvalidateWholeGrid();
    else
        ScrollContent(dx, dy, l);
    TopLeftWasChanged();
}

void TCustomGridGx::ScrollContent(int Dx, int Dy, const GridLayout& L) {
    const AxisLayout& c = L.Cols;
    const AxisLayout& r = L.Rows;
    if (Dx != 0 && Dy != 0) {
        ScrollControlRect(this, Dx, 0, Rect(c.FixedEnd, 0, c.ScrollLimit, r.FixedEnd));
        ScrollControlRect(this, 0, Dy, Rect(0, r.FixedEnd, c.FixedEnd, r.ScrollLimit));
        ScrollControlRect(this, Dx, Dy, Rect(c.FixedEnd, r.FixedEnd, c.ScrollLimit, r.ScrollLimit));
        ScrollControlRect(this, Dx, 0, Rect(c.FixedEnd, r.ScrollLimit, c.ScrollLimit, r.ClientExtent));
        ScrollControlRect(this, 0, Dy, Rect(c.ScrollLimit, r.FixedEnd, c.ClientExtent, r.ScrollLimit));
    } else if (Dy != 0) {
        ScrollControlRect(this, 0, Dy, Rect(0, r.FixedEnd, c.ClientExtent, r.ScrollLimit));
    } else if (Dx != 0) {
        TRect band = Rect(c.FixedEnd, 0, c.ScrollLimit, r.ClientExtent);
        if (UseRightToLeftAlignment()) {
            band = Rect(c.ClientExtent - c.ScrollLimit, 0, c.ClientExtent - c.FixedEnd, r.ClientExtent);
            Dx = -Dx;
        }
        ScrollControlRect(this, Dx, 0, band);
    }
    if (FGridOptions.Contains(goRowSelect)) InvalidateCellRange(SelectedRange());
}

// ---- scroll bars --------------------------------------------------------------------------------

namespace {

int ThumbOf(int First, int Fixed, int Max) {
    return Max > Fixed ? MulDiv(First - Fixed, ScrollScale, Max - Fixed) : 0;
}

} // namespace

void TCustomGridGx::UpdateScrollBarsPos() {
    if (FScrollBarsShown == ssNone || FInScrollRange) return;
    const GridLayout l = CalcGridLayout();
    const TGridCoord m = MaxTopLeftFor(TGridCoord{FColsCount - 1, FRowsCount - 1}, l);
    const bool rtl = UseRightToLeftAlignment();
    if (FScrollBarsShown == ssHorizontal || FScrollBarsShown == ssBoth) {
        int pos;
        if (FColsCount == 1) {
            const int space = ClientWidth() - l.Cols.FixedEnd;
            const int width = ColWidthAt(0);
            if (FColPixelOffset > 0 && space > width - FColPixelOffset) {
                ApplyScrollCommand(saHorizontal, scPosition, width - space, false);
                return;
            }
            pos = rtl ? width - space - FColPixelOffset : FColPixelOffset;
        } else {
            pos = ThumbOf(FTopLeftCell.X, FFixedColsCount, m.X);
            if (rtl) pos = ScrollScale - pos;
        }
        if (GetScrollPos(SB_HORZ) != pos) SetScrollPos(SB_HORZ, pos);
    }
    if (FScrollBarsShown == ssVertical || FScrollBarsShown == ssBoth) {
        const int pos = ThumbOf(FTopLeftCell.Y, FFixedRowsCount, m.Y);
        if (GetScrollPos(SB_VERT) != pos) SetScrollPos(SB_VERT, pos);
    }
}

void TCustomGridGx::UpdateScrollBarsRange() {
    if (FInScrollRange || FScrollBarsShown == ssNone) return;
    // A grid that does not show yet gets its ranges when it first paints.
    FScrollRangePending = !Showing();
    if (FScrollRangePending) return;
    FInScrollRange = true;
    const TGridCoord old = FTopLeftCell;
    try {
        auto barShown = [this](int bar) {
            TScrollInfo si;
            si.fMask = SIF_RANGE;
            GetScrollInfo(bar, si);
            return si.nMax > si.nMin;
        };
        auto setRange = [this](int bar, int max) {
            TScrollInfo si;
            si.fMask = SIF_RANGE;
            si.nMin = 0;
            si.nMax = max;
            SetScrollInfo(bar, si);
        };
        const bool horz = FScrollBarsShown == ssHorizontal || FScrollBarsShown == ssBoth;
        const bool vert = FScrollBarsShown == ssVertical || FScrollBarsShown == ssBoth;
        // The size the grid would have without its scroll bars.
        const int usableW = ClientWidth() + (vert && barShown(SB_VERT) ? GetSystemMetrics(SM_CXVSCROLL) : 0);
        const int usableH = ClientHeight() + (horz && barShown(SB_HORZ) ? GetSystemMetrics(SM_CYHSCROLL) : 0);
        bool repainted = false;
        auto horizontal = [&](int width, int height) {
            if (!horz) return;
            if (FColsCount == 1) {
                setRange(SB_HORZ, std::max(0, ColWidthAt(0) - ClientWidth()));
                return;
            }
            const GridLayout l = CalcGridLayoutFor(width, height);
            const TGridCoord m = MaxTopLeftFor(TGridCoord{FColsCount - 1, FRowsCount - 1}, l);
            setRange(SB_HORZ, FFixedColsCount < m.X ? ScrollScale : 0);
            if (FTopLeftCell.X > m.X) {
                if (!repainted) PaintPending(this);
                repainted = true;
                FTopLeftCell.X = m.X;
            }
        };
        horizontal(usableW, usableH);
        const int widthBefore = ClientWidth();
        if (vert) {
            const GridLayout l = CalcGridLayoutFor(ClientWidth(), ClientHeight());
            const TGridCoord m = MaxTopLeftFor(TGridCoord{FColsCount - 1, FRowsCount - 1}, l);
            setRange(SB_VERT, FFixedRowsCount < m.Y ? ScrollScale : 0);
            if (FTopLeftCell.Y > m.Y) {
                if (!repainted) PaintPending(this);
                repainted = true;
                FTopLeftCell.Y = m.Y;
            }
        }
        if (ClientWidth() != widthBefore) horizontal(ClientWidth(), ClientHeight());
    } catch (...) {
        FInScrollRange = false;
        throw;
    }
    FInScrollRange = false;
    UpdateScrollBarsPos();
    if (!(FTopLeftCell == old)) TopLeftMovedFrom(old);
}

int TCustomGridGx::ScrollStep(const AxisLayout& A, int Current, TScrollCode Code, int Pos, int M, int Factor,
                              int PageUp) const {
    const int fixed = A.FixedCells;
    switch (Code) {
    case scLineUp:
        return Current - Factor;
    case scLineDown:
        return Current + Factor;
    case scPageUp:
        return Current - Factor * PageUp;
    case scPageDown:
        return Current + Factor * std::max(1, A.LastFullCell - A.FirstScrollCell);
    case scPosition:
    case scTrack:
        if (Factor < 0) return M - MulDiv(Pos, M - fixed, ScrollScale);
        return fixed + MulDiv(Pos, M - fixed, ScrollScale);
    case scTop:
        return fixed;
    case scBottom:
        return M;
    default:
        return Current;
    }
}

void TCustomGridGx::ApplyScrollCommand(TScrollAxis Axis, TScrollCode Code, int Pos, bool UseRightToLeft) {
    const bool horizontal = Axis == saHorizontal;
    const int factor = horizontal && UseRightToLeft && UseRightToLeftAlignment() ? -1 : 1;
    if (Visible() && TabStop() && CanFocus() && !Focused()) SetFocus();
    if (Code == scTrack && !FGridOptions.Contains(goThumbTracking)) return;
    const GridLayout l = CalcGridLayout();
    if (horizontal && FColsCount == 1) {
        // Pixel scrolling of the single column.
        const int c = ColWidthAt(0);
        const int s = ClientWidth() - l.Cols.FixedEnd;
        int o = FColPixelOffset;
        switch (Code) {
        case scLineUp:
            o -= Canvas()->TextWidth("0") * factor;
            break;
        case scLineDown:
            o += Canvas()->TextWidth("0") * factor;
            break;
        case scPageUp:
            o -= s * factor;
            break;
        case scPageDown:
            o += s * factor;
            break;
        case scPosition:
        case scTrack:
            o = UseRightToLeftAlignment() ? (c - s) - Pos : Pos;
            break;
        case scTop:
            o = 0;
            break;
        case scBottom:
            o = c - s;
            break;
        default:
            return;
        }
        o = std::max(0, std::min(o, c - s));
        if (o != FColPixelOffset) {
            const int d = FColPixelOffset - o;
            FColPixelOffset = o;
            ScrollContent(d, 0, l);
            InvalidateGridRect(Rect(0, 0, ClientWidth(), l.Rows.FixedEnd));
            if (Showing()) PaintPending(this);
            UpdateScrollBarsPos();
        }
        return;
    }
    const TGridCoord m = MaxTopLeftFor(TGridCoord{FColsCount - 1, FRowsCount - 1}, l);
    const AxisLayout& a = horizontal ? l.Cols : l.Rows;
    const int current = horizontal ? FTopLeftCell.X : FTopLeftCell.Y;
    const int max = horizontal ? m.X : m.Y;
    const int f = horizontal ? factor : 1;
    const TGridCoord upTo = MaxTopLeftFor(FTopLeftCell, l);
    const int pageUp = std::max(1, current - (horizontal ? upTo.X : upTo.Y));
    int value = ScrollStep(a, current, Code, Pos, max, f, pageUp);
    int from = current;
    // Hidden cells are stepped over.
    while (value > a.FixedCells && value < max && a.Extent(value) <= 0 && value != from) {
        from = value;
        value = ScrollStep(a, value, Code, Pos, max, f, pageUp);
    }
    value = std::max(a.FixedCells, std::min(value, max));
    if (value == current) return;
    if (horizontal)
        MoveTopLeftTo(value, FTopLeftCell.Y);
    else
        MoveTopLeftTo(FTopLeftCell.X, value);
}

void TCustomGridGx::Scroll(TScrollBarKind Kind, TScrollCode Code, int& Pos) {
    TCustomControl::Scroll(Kind, Code, Pos);
    if (Code == scEndScroll) return;
    ApplyScrollCommand(Kind == sbHorizontal ? saHorizontal : saVertical, Code, Pos, true);
}

void TCustomGridGx::Resize() {
    TCustomControl::Resize();
    UpdateScrollBarsRange();
    if (UseRightToLeftAlignment() || FContraColCount > 0 || FContraRowCount > 0) InvalidateWholeGrid();
}

void TCustomGridGx::TopLeftWasChanged() {
    if (FEditingActive && FCellEditor)
        FCellEditor->MoveEditor(CellScreenRect(FCurrentCell.X, FCurrentCell.Y), false);
}
