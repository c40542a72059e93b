// Where the pointer is over the data grid: the data cells, the sizing edges the grid allows (row
// borders only in the indicator, the last column for an edge past the columns), the zone at a
// title's right edge that sizes or fits a column, and the cursor each part shows.
#include "grid/DBGridGx.h"

#include "grid/DBGridGxCursors.h"

GridCellRange TCustomDBGridGx::DataCellsBox() const {
    return GridCellRange{FIndicatorOffset, FTitleOffset, ColsCount() - 1, RowsCount() - 1};
}

TRect TCustomDBGridGx::DataCellsRect() const {
    const GridCellRange box = DataCellsBox();
    return BoxScreenRect(box.Left, box.Top, box.Right, box.Bottom);
}

TCustomGridGx::TSizingHit TCustomDBGridGx::HitTestSizing(int X, int Y, const GridLayout& Layout) const {
    TSizingHit hit = TCustomGridGx::HitTestSizing(X, Y, Layout);
    if (hit.Activity == gaColSizing) {
        // An edge past the columns belongs to the last scrolled column; with one scrolled column
        // wider than the room, the edge right of it is its own.
        if (hit.Index >= TotalColsCount()) hit.Index = ColsCount() - 1;
        if (ContraColCount() == 0 && Layout.Cols.LastFullCell < Layout.Cols.FirstScrollCell &&
            hit.Index > Layout.Cols.FirstScrollCell && hit.Index < ColsCount())
            hit.Index = Layout.Cols.FirstScrollCell;
    } else if (hit.Activity == gaRowSizing) {
        // Rows are sized only at their borders inside the indicator.
        const int w = FIndicatorOffset > 0 ? ColWidthAt(0) : 0;
        const bool inIndicator = UseRightToLeftAlignment() ? X >= ClientWidth() - w : X < w;
        if (!inIndicator) hit = TSizingHit();
    }
    return hit;
}

int TCustomDBGridGx::TitleEdgeZoneColumn(int X, int Y) {
    if (!GridOptions().Contains(goColSizing) || TitleRowCount() == 0) return -1;
    const TRect title = CellScreenRect(0, 0);
    if (Y < 0 || Y >= title.Bottom) return -1;
    const int lw = LineWidth();
    const int g = lw <= 6 ? (7 - lw) / 2 : 0;
    const int reach = std::max(lw, 7);
    for (int c = FIndicatorOffset; c < FixedColsCount(); ++c) {
        const TRect r = CellScreenRect(c, 0);
        if (IsRectEmpty(r)) continue;
        const int edge = UseRightToLeftAlignment() ? r.Left : r.Right;
        const int from = UseRightToLeftAlignment() ? edge - reach + g : edge - g;
        if (X >= from && X < from + reach) return c;
    }
    // A grid exactly as wide as its client area: the strip at the right edge sizes the last column.
    if (GridPixelWidth() == ClientWidth() && X >= ClientWidth() - 7 && X < ClientWidth())
        return ColsCount() - 1;
    return -1;
}

TCursor TCustomDBGridGx::CursorAt(int X, int Y) {
    if (GridActivity() == gaNormal && FTrackingState == gtsNone && TitleEdgeZoneColumn(X, Y) >= 0)
        return crHSplit;
    if (FDataLink->Active() && (FOptions & dgMultiSelect) && !IsOverSizingLine(X, Y)) {
        const TGridCoord cell = MouseCell(X, Y);
        const bool dataRow = cell.Y >= FTitleOffset && cell.Y < RowsCount();
        // Over the indicator of a row whose record a press would start to move, the row-select
        // cursor does not show.
        if (cell.X >= 0 && cell.X < FIndicatorOffset && dataRow && !FDataLink->DataSet()->IsEmpty() &&
            SelectionAllowedNow(gstRecordBookmarks) && !CanStartRecordMoving(X, Y, FLastMoveShift, true))
            return UseRightToLeftAlignment() ? crLeftCurGx : crRightCurGx;
        if ((FOptions & dgTitles) && cell.Y == 0 && cell.X >= FIndicatorOffset && !(FOptions & dgRowSelect) &&
            SelectionAllowedNow(gstColumns)) {
            const TRect r = CellScreenRect(cell.X, 0);
            if (r.Height() < 7 || Y >= r.Bottom - 7) return crDownCurGx;
        }
    }
    return TCustomGridGx::CursorAt(X, Y);
}
