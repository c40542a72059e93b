// The base grid's model and geometry: extents arrays, the pixel layout of both axes, hit testing,
// cell rectangles and changes of counts and sizes.
#include "grid/GridsGx.h"

#include "classes/MetaBuilder.h"
#include "gui/ControlPaint.h"
#include "gui/ReadingOrder.h"

#include <algorithm>

namespace {

constexpr const char* SIndexOutOfRange = "Grid index out of range";
constexpr const char* STooManyDeleted = "Too many rows or columns deleted";
constexpr const char* SGridTooLarge = "Grid too large for operation";
constexpr const char* SFixedColTooBig = "Fixed column count must be less than column count";
constexpr const char* SFixedRowTooBig = "Fixed row count must be less than row count";

} // namespace

ORV_META_IMPL(TCustomGridGx)
void TCustomGridGx::DeclareMeta(meta::Class<TCustomGridGx>& c) {
    c.Property("FixedColor", &TCustomGridGx::FixedColor, &TCustomGridGx::SetFixedColor);
    c.Property("Flat", &TCustomGridGx::Flat, &TCustomGridGx::SetFlat).Default(false);
}

TCustomGridGx::TCustomGridGx(TComponent* AOwner) : TCustomControl(AOwner) {
    SetColor(clWindow);
    SetTabStop(true);
    PaintWithBackground(false);
    SetBounds(0, 0, FColsCount * FDefColWidth, FRowsCount * FDefRowHeight);
    ResetTopLeftAndFocus();
    FGridLineColors = CreateGridLineColors();
    FTimer = new TTimer(this);
    FTimer->SetEnabled(false);
    FTimer->SetInterval(60);
    FTimer->OnTimer = [this](TObject*) { TimerTick(); };
    FMouseDownCell = MouseCell(-1, -1);
}

TCustomGridGx::~TCustomGridGx() {
    // The editor is owned by the grid and goes with it; the timer likewise.
    FCellEditor = nullptr;
}

// ---- extents ------------------------------------------------------------------------------------

void TCustomGridGx::ResizeExtents(TIntegerArray& A, int NewCount, int Default) {
    const int old = static_cast<int>(A.size());
    A.resize(static_cast<size_t>(std::max(0, NewCount)));
    for (int i = old; i < NewCount; ++i)
        A[static_cast<size_t>(i)] = Default;
}

void TCustomGridGx::MoveExtentEntry(TIntegerArray& A, int FromIndex, int ToIndex) {
    if (A.empty()) return;
    const int n = static_cast<int>(A.size());
    if (FromIndex < 0 || FromIndex >= n || ToIndex < 0 || ToIndex >= n) return;
    const int v = A[static_cast<size_t>(FromIndex)];
    A.erase(A.begin() + FromIndex);
    A.insert(A.begin() + ToIndex, v);
}

void TCustomGridGx::CheckExtentIndex(int Index, int Total) const {
    if (Index < 0 || Index >= Total) throw EInvalidGridOperationGx(SIndexOutOfRange);
}

namespace {

// The entry at Index, or the default outside the array.
int EntryOr(const TIntegerArray& A, int Index, int Default) {
    return Index >= 0 && Index < static_cast<int>(A.size()) ? A[static_cast<size_t>(Index)] : Default;
}

} // namespace

int TCustomGridGx::ColWidthAt(int Index) const {
    return EntryOr(FColWidths, Index, FDefColWidth);
}

int TCustomGridGx::RowHeightAt(int Index) const {
    return EntryOr(FRowHeights, Index, FDefRowHeight);
}

int TCustomGridGx::ColTabStopAt(int Index) const {
    return EntryOr(FColTabStops, Index, 1);
}

// Sets one entry of an extents array (made with the defaults first); false when unchanged.
bool TCustomGridGx::SetExtentEntry(TIntegerArray& A, int Index, int Total, int Default, int Value) {
    CheckExtentIndex(Index, Total);
    if (A.empty()) ResizeExtents(A, Total, Default);
    if (A[static_cast<size_t>(Index)] == Value) return false;
    A[static_cast<size_t>(Index)] = Value;
    return true;
}

void TCustomGridGx::SetColWidthAt(int Index, int Value) {
    if (!SetExtentEntry(FColWidths, Index, TotalColsCount(), FDefColWidth, Value)) return;
    InvalidateWholeGrid();
    ColWidthsWereChanged();
}

void TCustomGridGx::SetRowHeightAt(int Index, int Value) {
    if (!SetExtentEntry(FRowHeights, Index, TotalRowsCount(), FDefRowHeight, Value)) return;
    InvalidateWholeGrid();
    RowHeightsWereChanged();
}

void TCustomGridGx::SetColTabStopAt(int Index, int Value) {
    SetExtentEntry(FColTabStops, Index, TotalColsCount(), 1, Value);
}

void TCustomGridGx::SetDefColWidth(int Value) {
    if (Value == FDefColWidth) return;
    FColWidths.clear();
    FDefColWidth = Value;
    ColWidthsWereChanged();
    InvalidateWholeGrid();
}

void TCustomGridGx::SetDefRowHeight(int Value) {
    if (Value == FDefRowHeight) return;
    FRowHeights.clear();
    FDefRowHeight = Value;
    RowHeightsWereChanged();
    InvalidateWholeGrid();
}

void TCustomGridGx::SetLineWidth(int Value) {
    if (Value == FLineWidth) return;
    FLineWidth = Value;
    UpdateScrollBarsRange();
    InvalidateWholeGrid();
}

void TCustomGridGx::ColWidthsWereChanged() {
    UpdateScrollBarsRange();
    SyncEditor();
}

void TCustomGridGx::RowHeightsWereChanged() {
    UpdateScrollBarsRange();
    SyncEditor();
}

// ---- layout -------------------------------------------------------------------------------------

bool TCustomGridGx::UseRightToLeftAlignment() const {
    return FRightToLeft;
}

void TCustomGridGx::SetRightToLeft(bool Value) {
    if (Value == FRightToLeft) return;
    FRightToLeft = Value;
    SetControlBiDiMode(this, Value ? bdRightToLeft : bdLeftToRight);
    InvalidateWholeGrid();
}

AxisLayout TCustomGridGx::CalcAxis(int Extent, bool Rows) const {
    AxisLayout a;
    const bool lines = Rows ? (FGridOptions.Contains(goFixedHorzLine) || FGridOptions.Contains(goHorzLine))
                            : (FGridOptions.Contains(goFixedVertLine) || FGridOptions.Contains(goVertLine));
    a.LineGap = lines ? FLineWidth : 0;
    a.Extents = Rows ? &FRowHeights : &FColWidths;
    a.DefaultExtent = Rows ? FDefRowHeight : FDefColWidth;
    a.FixedCells = Rows ? FFixedRowsCount : FFixedColsCount;
    a.FrozenCells = Rows ? 0 : FFrozenColCount;
    a.FirstScrollCell = Rows ? FTopLeftCell.Y : FTopLeftCell.X;
    a.CellCount = Rows ? FRowsCount : FColsCount;
    a.ContraCells = Rows ? FContraRowCount : FContraColCount;
    a.TotalCells = a.CellCount + a.ContraCells;
    // 1. The contra strip at the far edge.
    a.ContraStart = Extent;
    for (int i = a.CellCount; i < a.TotalCells; ++i)
        a.ContraStart -= a.Extent(i) + a.LineGap;
    if (a.ContraCells > 0) a.ContraStart -= a.LineGap;
    // 2. The fixed part and its frozen end.
    a.FixedEnd = 0;
    for (int i = 0; i < a.FixedCells; ++i)
        a.FixedEnd += a.Extent(i) + a.LineGap;
    a.FrozenStart = a.FixedEnd;
    for (int i = a.FixedCells - a.FrozenCells; i < a.FixedCells; ++i)
        if (i >= 0) a.FrozenStart -= a.Extent(i) + a.LineGap;
    // 3. The visible scrolling cells.
    a.ClientExtent = Extent;
    a.ScrollLimit = a.ContraStart;
    a.ScrollEnd = a.FixedEnd;
    a.FullVisibleEnd = a.FixedEnd;
    a.LastFullCell = a.FirstScrollCell;
    for (int i = a.FirstScrollCell; i < a.CellCount; ++i) {
        a.ScrollEnd += a.Extent(i) + a.LineGap;
        if (a.ScrollEnd > a.ScrollLimit + a.LineGap) {
            a.ScrollEnd = a.ScrollLimit;
            break;
        }
        a.LastFullCell = i;
        a.FullVisibleEnd = a.ScrollEnd;
    }
    a.WholeEnd = a.ContraCells > 0 ? a.ClientExtent : a.ScrollEnd;
    return a;
}

GridLayout TCustomGridGx::CalcGridLayoutFor(int Width, int Height) const {
    GridLayout l;
    l.Cols = CalcAxis(Width, false);
    l.Rows = CalcAxis(Height, true);
    return l;
}

GridLayout TCustomGridGx::CalcGridLayout() const {
    return CalcGridLayoutFor(ClientWidth(), ClientHeight());
}

namespace {

// The cell of an axis under position P, -1 when none.
int AxisCellAt(const AxisLayout& a, int P, bool WithContra) {
    int start = 0, first = 0, last = 0;
    if (P < a.FixedEnd) {
        first = 0;
        last = a.FixedCells - 1;
    } else if (WithContra && a.ContraCells > 0 && P > a.ContraStart) {
        start = a.ContraStart + a.LineGap;
        first = a.CellCount;
        last = a.TotalCells - 1;
    } else {
        start = a.FixedEnd;
        first = a.FirstScrollCell;
        last = a.CellCount - 1;
    }
    int pos = start;
    for (int i = first; i <= last; ++i) {
        pos += a.Extent(i) + a.LineGap;
        if (pos > P) return i;
    }
    return -1;
}

} // namespace

TGridCoord TCustomGridGx::CellAtPoint(int X, int Y) const {
    const GridLayout l = CalcGridLayout();
    TGridCoord c;
    if (UseRightToLeftAlignment())
        c.X = AxisCellAt(l.Cols, ClientWidth() - X, false);
    else
        c.X = AxisCellAt(l.Cols, X, true);
    c.Y = AxisCellAt(l.Rows, Y, true);
    return c;
}

TGridCoord TCustomGridGx::MouseCell(int X, int Y) const {
    TGridCoord c = CellAtPoint(X, Y);
    if (c.X < 0 || c.Y < 0) return TGridCoord{-1, -1};
    return c;
}

int TCustomGridGx::CellStartPos(const AxisLayout& a, int I) {
    int from, pos;
    if (I < a.FixedCells) {
        from = 0;
        pos = 0;
    } else if (I >= a.CellCount && a.ContraCells > 0) {
        from = a.CellCount;
        pos = a.ContraStart + a.LineGap;
    } else if (I >= a.FirstScrollCell) {
        from = a.FirstScrollCell;
        pos = a.FixedEnd;
    } else {
        return 0;
    }
    for (int i = from; i < I; ++i) {
        pos += a.Extent(i) + a.LineGap;
        if (pos > a.ClientExtent) return 0;
    }
    return pos;
}

namespace {

// One axis of RangeScreenRect; false when the whole rectangle is empty.
bool AxisRange(const AxisLayout& a, int Min, int Max, bool IncludeLines, int& Start, int& End) {
    if (Min > a.TotalCells + 1) {
        Min = a.TotalCells;
    } else if (Min >= a.FixedCells && Min < a.FirstScrollCell) {
        if (Max < a.FirstScrollCell) return false;
        Min = a.FirstScrollCell;
    }
    bool contraMax = false;
    if (Max > a.LastFullCell) {
        if (a.ContraCells > 0 && Max >= a.CellCount) {
            Max = std::min(Max, a.TotalCells - 1);
            contraMax = true;
        } else {
            Max = a.LastFullCell;
            if (Max < a.CellCount - 1) {
                ++Max;
                if (TCustomGridGx::CellStartPos(a, Max) == 0) --Max;
            }
        }
    }
    contraMax = contraMax || (a.ContraCells > 0 && Max >= a.CellCount);
    Start = TCustomGridGx::CellStartPos(a, Min);
    End = TCustomGridGx::CellStartPos(a, Max);
    End = End == 0 ? Start + a.Extent(Min) : End + a.Extent(Max);
    End = std::min(End, contraMax ? a.ClientExtent : a.ScrollLimit);
    if (IncludeLines) End += a.LineGap;
    return true;
}

} // namespace

TRect TCustomGridGx::RangeScreenRect(const GridCellRange& Range, bool IncludeLines) const {
    TRect r;
    if (Range.Left > Range.Right || Range.Top > Range.Bottom) return r;
    const GridLayout l = CalcGridLayout();
    auto beyond = [](const AxisLayout& a, int Min, int Max) {
        return Min > a.LastFullCell + 1 && !(a.ContraCells > 0 && Max >= a.CellCount);
    };
    if (beyond(l.Cols, Range.Left, Range.Right) || beyond(l.Rows, Range.Top, Range.Bottom)) return r;
    TRect out;
    if (!AxisRange(l.Cols, Range.Left, Range.Right, IncludeLines, out.Left, out.Right)) return r;
    if (!AxisRange(l.Rows, Range.Top, Range.Bottom, IncludeLines, out.Top, out.Bottom)) return r;
    if (UseRightToLeftAlignment()) {
        const int w = ClientWidth();
        const int left = w - out.Right;
        out.Right = w - out.Left;
        out.Left = left;
    }
    return out;
}

TRect TCustomGridGx::CellScreenRect(int Col, int Row) const {
    return RangeScreenRect(GridCellRange{Col, Row, Col, Row}, false);
}

TRect TCustomGridGx::BoxScreenRect(int Left, int Top, int Right, int Bottom) const {
    return RangeScreenRect(GridCellRange{Left, Top, Right, Bottom}, false);
}

GridCellRange TCustomGridGx::SelectedRange() const {
    return GridCellRange{std::min(FCurrentCell.X, FAnchorCell.X), std::min(FCurrentCell.Y, FAnchorCell.Y),
                         std::max(FCurrentCell.X, FAnchorCell.X), std::max(FCurrentCell.Y, FAnchorCell.Y)};
}

namespace {

int AxisMaxTopLeft(const AxisLayout& a, int S) {
    int result = S;
    const int start = std::max(S, a.FixedCells);
    int line = a.ScrollLimit + a.LineGap;
    for (int i = start; i >= a.FixedCells; --i) {
        const int e = a.Extent(i);
        if (e <= 0) continue;
        line -= e + a.LineGap;
        if (line < a.FixedEnd) {
            if (result == start && a.Extent(result) <= 0) result = i;
            break;
        }
        result = i;
    }
    return result;
}

} // namespace

TGridCoord TCustomGridGx::MaxTopLeftFor(TGridCoord Cell, const GridLayout& Layout) const {
    return TGridCoord{AxisMaxTopLeft(Layout.Cols, Cell.X), AxisMaxTopLeft(Layout.Rows, Cell.Y)};
}

int TCustomGridGx::VisibleColsCount() const {
    const GridLayout l = CalcGridLayout();
    return l.Cols.LastFullCell - l.Cols.FirstScrollCell + 1;
}

int TCustomGridGx::VisibleRowsCount() const {
    const GridLayout l = CalcGridLayout();
    return l.Rows.LastFullCell - l.Rows.FirstScrollCell + 1;
}

int TCustomGridGx::GridPixelWidth() const {
    return CalcGridLayout().Cols.ScrollEnd;
}

int TCustomGridGx::GridPixelHeight() const {
    return CalcGridLayout().Rows.ScrollEnd;
}

// ---- invalidation -------------------------------------------------------------------------------

void TCustomGridGx::InvalidateGridRect(const TRect& R) {
    if (!IsRectEmpty(R)) InvalidateControlRect(this, &R);
}

void TCustomGridGx::InvalidateOneCell(int Col, int Row) {
    InvalidateGridRect(RangeScreenRect(GridCellRange{Col, Row, Col, Row}, true));
}

void TCustomGridGx::InvalidateCellRange(const GridCellRange& Range) {
    InvalidateGridRect(RangeScreenRect(Range, true));
}

void TCustomGridGx::InvalidateWholeGrid() {
    InvalidateGridRect(Rect(0, 0, std::max(Width(), ClientWidth()), std::max(Height(), ClientHeight())));
}

// A column's cells are its fixed cells, the cells shown below them and its contra-row cells. The
// rows shown start at the first visible row; counting the visible rows from row 0 would leave the
// shown cells of a scrolled grid out.
void TCustomGridGx::InvalidateOneColumn(int Col) {
    const GridLayout l = CalcGridLayout();
    InvalidateGridRect(RangeScreenRect(GridCellRange{Col, 0, Col, FFixedRowsCount - 1}, true));
    InvalidateGridRect(
        RangeScreenRect(GridCellRange{Col, l.Rows.FirstScrollCell, Col, l.Rows.LastFullCell + 1}, true));
    if (FContraRowCount > 0)
        InvalidateGridRect(RangeScreenRect(GridCellRange{Col, FRowsCount, Col, TotalRowsCount() - 1}, true));
}

void TCustomGridGx::InvalidateOneRow(int Row) {
    const GridLayout l = CalcGridLayout();
    InvalidateGridRect(RangeScreenRect(GridCellRange{0, Row, FFixedColsCount - 1, Row}, true));
    InvalidateGridRect(
        RangeScreenRect(GridCellRange{l.Cols.FirstScrollCell, Row, l.Cols.LastFullCell + 1, Row}, true));
    if (FContraColCount > 0)
        InvalidateGridRect(RangeScreenRect(GridCellRange{FColsCount, Row, TotalColsCount() - 1, Row}, true));
}

// ---- counts -------------------------------------------------------------------------------------

void TCustomGridGx::ResetTopLeftAndFocus() {
    FTopLeftCell = TGridCoord{FFixedColsCount, FFixedRowsCount};
    FCurrentCell = FTopLeftCell;
    FAnchorCell = FCurrentCell;
    if (FGridOptions.Contains(goRowSelect)) FAnchorCell.X = FColsCount - 1;
}

void TCustomGridGx::ResizeGridSteps(int OldCols, int OldRows, const TGridCoord& OldTopLeft) {
    const GridLayout before = CalcGridLayout();
    if (!FColWidths.empty()) ResizeExtents(FColWidths, FColsCount + FContraColCount, FDefColWidth);
    if (!FColTabStops.empty()) ResizeExtents(FColTabStops, FColsCount + FContraColCount, 1);
    if (!FRowHeights.empty()) ResizeExtents(FRowHeights, FRowsCount + FContraRowCount, FDefRowHeight);
    const TGridCoord cur = FCurrentCell;
    TGridCoord limited{std::min(cur.X, FColsCount - 1), std::min(cur.Y, FRowsCount - 1)};
    if (!(limited == cur)) MoveFocus(limited.X, limited.Y, true, true);
    if (!(FAnchorCell == FCurrentCell) && !(limited == cur)) FAnchorCell = FCurrentCell;
    const GridLayout after = CalcGridLayout();
    if (FFullRepaintOnResize || !(FTopLeftCell == OldTopLeft)) {
        InvalidateWholeGrid();
    } else {
        // Only what follows the smaller of the old and new last visible cells.
        const int col = std::min(before.Cols.LastFullCell, after.Cols.LastFullCell);
        const int row = std::min(before.Rows.LastFullCell, after.Rows.LastFullCell);
        const int x = CellStartPos(after.Cols, col);
        const int y = CellStartPos(after.Rows, row);
        TRect r = Rect(x, 0, Width(), Height());
        InvalidateGridRect(r);
        r = Rect(0, y, Width(), Height());
        InvalidateGridRect(r);
    }
    UpdateScrollBarsRange();
    GridSizeChanged(OldCols, OldRows);
}

void TCustomGridGx::ResizeGrid(int NewColCount, int NewRowCount) {
    const int oldCols = FColsCount, oldRows = FRowsCount;
    const TGridCoord oldTopLeft = FTopLeftCell;
    if (NewColCount <= FFixedColsCount) FFixedColsCount = NewColCount - 1;
    if (NewRowCount <= FFixedRowsCount) FFixedRowsCount = NewRowCount - 1;
    FColsCount = NewColCount;
    FRowsCount = NewRowCount;
    try {
        ResizeGridSteps(oldCols, oldRows, oldTopLeft);
    } catch (...) {
        FColsCount = oldCols;
        FRowsCount = oldRows;
        try {
            ResizeGridSteps(oldCols, oldRows, oldTopLeft);
        } catch (...) {
        }
        InvalidateWholeGrid();
        throw;
    }
}

void TCustomGridGx::SetColsCount(int Value) {
    if (Value == FColsCount) return;
    if (Value <= 0) Value = 1;
    if (FFixedColsCount >= Value) SetFixedColsCount(Value - 1);
    const int old = FColsCount;
    if (FContraColCount == 0)
        ResizeGrid(Value, FRowsCount);
    else
        ShiftAxisCells(std::min(old, Value), Value - old, false);
    if (FGridOptions.Contains(goRowSelect)) {
        FAnchorCell.X = FColsCount - 1;
        InvalidateWholeGrid();
    }
}

void TCustomGridGx::SetRowsCount(int Value) {
    if (Value == FRowsCount) return;
    if (Value <= 0) Value = 1;
    if (FFixedRowsCount >= Value) SetFixedRowsCount(Value - 1);
    const int old = FRowsCount;
    if (FContraRowCount == 0)
        ResizeGrid(FColsCount, Value);
    else
        ShiftAxisCells(std::min(old, Value), Value - old, true);
}

void TCustomGridGx::ShiftAxisCells(int Index, int Delta, bool Rows) {
    const int oldCols = FColsCount, oldRows = FRowsCount;
    int& count = Rows ? FRowsCount : FColsCount;
    if (count + Delta < Index) throw EInvalidGridOperationGx(STooManyDeleted);
    if (Rows) {
        if (!FRowHeights.empty())
            ShiftExtentsKeepingContra(FRowHeights, Index, Delta, FDefRowHeight, FContraRowCount);
    } else {
        if (!FColTabStops.empty()) ShiftExtentsKeepingContra(FColTabStops, Index, Delta, 1, FContraColCount);
        if (!FColWidths.empty())
            ShiftExtentsKeepingContra(FColWidths, Index, Delta, FDefColWidth, FContraColCount);
    }
    count += Delta;
    TGridCoord cell = FCurrentCell;
    int& c = Rows ? cell.Y : cell.X;
    if (Delta < 0 && c >= Index && c < Index - Delta)
        c = Index;
    else if (c >= Index)
        c += Delta;
    c = std::max(0, std::min(c, count - 1));
    InvalidateWholeGrid();
    GridSizeChanged(oldCols, oldRows);
    if (!(cell == FCurrentCell)) MoveFocus(cell.X, cell.Y, true, true);
    UpdateScrollBarsRange();
}

// Changes the normal cells' part of an extents array while the contra entries stay at its end.
void TCustomGridGx::ShiftExtentsKeepingContra(TIntegerArray& A, int Index, int Amount, int Default,
                                              int Contra) {
    const int n = static_cast<int>(A.size());
    std::vector<int> contra(A.end() - std::min(n, Contra), A.end());
    A.resize(static_cast<size_t>(n - static_cast<int>(contra.size())));
    // Removing cells drops the band [Index, Index - Amount); adding opens one at Index.
    const int normal = static_cast<int>(A.size());
    if (Index < 0 || Index > normal) throw EInvalidGridOperationGx(SIndexOutOfRange);
    if (Amount < 0) {
        if (normal + Amount < 0) throw EInvalidGridOperationGx(STooManyDeleted);
        A.erase(A.begin() + Index, A.begin() + std::min(normal, Index - Amount));
    } else if (Amount > 0) {
        if (normal + Amount >= 134217726) throw EInvalidGridOperationGx(SGridTooLarge);
        A.insert(A.begin() + Index, static_cast<size_t>(Amount), Default);
    }
    A.insert(A.end(), contra.begin(), contra.end());
}

void TCustomGridGx::SetFixedColsCount(int Value) {
    if (Value == FFixedColsCount) return;
    if (Value < 0) throw EInvalidGridOperationGx(SIndexOutOfRange);
    if (Value >= FColsCount) throw EInvalidGridOperationGx(SFixedColTooBig);
    FFixedColsCount = Value;
    ResetTopLeftAndFocus();
    InvalidateWholeGrid();
}

void TCustomGridGx::SetFixedRowsCount(int Value) {
    if (Value == FFixedRowsCount) return;
    if (Value < 0) throw EInvalidGridOperationGx(SIndexOutOfRange);
    if (Value >= FRowsCount) throw EInvalidGridOperationGx(SFixedRowTooBig);
    FFixedRowsCount = Value;
    ResetTopLeftAndFocus();
    InvalidateWholeGrid();
}

void TCustomGridGx::SetFrozenColCount(int Value) {
    if (Value == FFrozenColCount) return;
    FFrozenColCount = Value;
    InvalidateWholeGrid();
}

void TCustomGridGx::SetContraColCount(int Value) {
    if (Value == FContraColCount) return;
    if (Value < 0) throw EInvalidGridOperationGx("FContraColCount can not be negative.");
    SetContraCounts(Value, FContraRowCount);
}

void TCustomGridGx::SetContraRowCount(int Value) {
    if (Value == FContraRowCount) return;
    if (Value < 0) throw EInvalidGridOperationGx("FContraRowCount can not be negative.");
    SetContraCounts(FContraColCount, Value);
}

void TCustomGridGx::SetContraCounts(int Cols, int Rows) {
    const int oldCols = FContraColCount, oldRows = FContraRowCount;
    FContraColCount = Cols;
    FContraRowCount = Rows;
    try {
        if (!FColWidths.empty()) ResizeExtents(FColWidths, TotalColsCount(), FDefColWidth);
        if (!FColTabStops.empty()) ResizeExtents(FColTabStops, TotalColsCount(), 1);
        if (!FRowHeights.empty()) ResizeExtents(FRowHeights, TotalRowsCount(), FDefRowHeight);
    } catch (...) {
        FContraColCount = oldCols;
        FContraRowCount = oldRows;
    }
    InvalidateWholeGrid();
    UpdateScrollBarsRange();
}

// ---- moving columns and rows --------------------------------------------------------------------

namespace {

// Where an index goes when the entry at From moves to To.
int FollowMove(int Index, int From, int To) {
    if (Index == From) return To;
    if (To < From && Index >= To && Index < From) return Index + 1;
    if (To > From && Index > From && Index <= To) return Index - 1;
    return Index;
}

} // namespace

void TCustomGridGx::MoveColumnTo(int FromIndex, int ToIndex) {
    if (FromIndex == ToIndex) return;
    CheckExtentIndex(FromIndex, TotalColsCount());
    CheckExtentIndex(ToIndex, TotalColsCount());
    if (!FColWidths.empty()) {
        MoveExtentEntry(FColWidths, FromIndex, ToIndex);
        MoveExtentEntry(FColTabStops, FromIndex, ToIndex);
    }
    FCurrentCell.X = FollowMove(FCurrentCell.X, FromIndex, ToIndex);
    FAnchorCell.X = FollowMove(FAnchorCell.X, FromIndex, ToIndex);
    if (FEditorCell.X >= 0) FEditorCell.X = FollowMove(FEditorCell.X, FromIndex, ToIndex);
    for (int c = std::min(FromIndex, ToIndex); c <= std::max(FromIndex, ToIndex); ++c)
        InvalidateOneColumn(c);
    ColumnWasMoved(FromIndex, ToIndex);
    if (!FColWidths.empty()) ColWidthsWereChanged();
    SyncEditor();
}

void TCustomGridGx::MoveRowTo(int FromIndex, int ToIndex) {
    if (FromIndex == ToIndex) return;
    CheckExtentIndex(FromIndex, TotalRowsCount());
    CheckExtentIndex(ToIndex, TotalRowsCount());
    if (!FRowHeights.empty()) MoveExtentEntry(FRowHeights, FromIndex, ToIndex);
    FCurrentCell.Y = FollowMove(FCurrentCell.Y, FromIndex, ToIndex);
    FAnchorCell.Y = FollowMove(FAnchorCell.Y, FromIndex, ToIndex);
    if (FEditorCell.Y >= 0) FEditorCell.Y = FollowMove(FEditorCell.Y, FromIndex, ToIndex);
    for (int r = std::min(FromIndex, ToIndex); r <= std::max(FromIndex, ToIndex); ++r)
        InvalidateOneRow(r);
    RowWasMoved(FromIndex, ToIndex);
    if (!FRowHeights.empty()) RowHeightsWereChanged();
    SyncEditor();
}

void TCustomGridGx::RemoveColumnAt(int Index) {
    MoveColumnTo(Index, FColsCount - 1);
    SetColsCount(FColsCount - 1);
}

void TCustomGridGx::RemoveRowAt(int Index) {
    MoveRowTo(Index, FRowsCount - 1);
    SetRowsCount(FRowsCount - 1);
}
