// Selecting beyond the data cells: while the pointer stays outside them with the button held,
// timer 1 scrolls towards it and extends the selection, the faster the farther it is.
#include "grid/DBGridGx.h"

#include "rtl/ScopeGuards.h"

namespace {

// Windows of the platform never run a timer faster than this.
constexpr int ShortestTimerInterval = 10;

} // namespace

void TCustomDBGridGx::StartAutoScrollTimer(int Interval) {
    if (FAutoScrollTimer->Enabled() && Interval == FAutoScrollInterval) return;
    FAutoScrollTimer->SetEnabled(false);
    FAutoScrollInterval = Interval;
    FAutoScrollTimer->SetInterval(static_cast<Cardinal>(std::max(Interval, ShortestTimerInterval)));
    FAutoScrollTimer->SetEnabled(true);
}

void TCustomDBGridGx::StopAutoScrollTimer() {
    FAutoScrollTimer->SetEnabled(false);
    FAutoScrollInterval = -1;
}

void TCustomDBGridGx::AutoScrollStep() {
    if (FTrackingState == gtsColSelecting)
        AutoScrollColumns();
    else
        AutoScrollCells();
}

void TCustomDBGridGx::AutoScrollColumns() {
    const TRect data = DataCellsRect();
    const int x = FLastMovePos.X;
    int distance = 0;
    const GridLayout l = CalcGridLayout();
    auto extendTo = [this](int RawCol) {
        if (TColumnGx* c = RawCol >= FIndicatorOffset && RawCol - FIndicatorOffset < FColumns->Count()
                               ? FColumns->ColumnAt(RawCol - FIndicatorOffset)
                               : nullptr)
            FSelection->Columns()->ExtendTo(c);
    };
    if (x >= data.Right) {
        distance = x - data.Right + 1;
        if (l.Cols.LastFullCell < ColsCount() - 1) SetFirstVisibleCol(TopLeftCell().X + 1);
        extendTo(CalcGridLayout().Cols.LastFullCell);
    } else if (x < data.Left) {
        distance = data.Left - x;
        if (TopLeftCell().X > FixedColsCount()) SetFirstVisibleCol(TopLeftCell().X - 1);
        extendTo(TopLeftCell().X);
    }
    StartAutoScrollTimer(std::max(0, 200 - distance * 10));
}

void TCustomDBGridGx::AutoScrollCells() {
    const TRect data = DataCellsRect();
    const TPoint p = FLastMovePos;
    int vertical = 0, horizontal = 0, vdir = 0, hdir = 0;
    if (p.Y < data.Top) {
        vertical = data.Top - p.Y;
        vdir = -1;
    } else if (p.Y >= data.Bottom) {
        vertical = p.Y - data.Bottom + 1;
        vdir = 1;
    }
    if (p.X < data.Left) {
        horizontal = data.Left - p.X;
        hdir = -1;
    } else if (p.X >= data.Right) {
        horizontal = p.X - data.Right + 1;
        hdir = 1;
    }
    const int distance = std::max(vertical, horizontal);
    if (distance == 0) {
        StopAutoScrollTimer();
        return;
    }
    {
        TUpdateGuard<TCustomDBGridGx> update(*this);
        const bool rectMode = FTrackingState == gtsRectSelecting;
        const int rows = vdir * std::min(distance / 6, 8);
        if (rows != 0) {
            if (FRowDragging && FLastMoveShift.Contains(ssLeft))
                DragRowsBy(rows);
            else
                FDataLink->MoveBy(rows);
        }
        if (hdir != 0) {
            if (FCellDragging) {
                const int left = TopLeftCell().X + hdir;
                if (left >= FixedColsCount() && left < ColsCount()) SetFirstVisibleCol(left);
            }
            if (FTrackingState != gtsRowSelecting) {
                const int target = CurrentCell().X + hdir;
                if (target >= FIndicatorOffset && target < ColsCount()) MoveToColumn(target, hdir, false);
            }
        }
        if (rectMode && !FDataLink->DataSet()->IsEmpty()) {
            // Scrolled fully left, the rectangle reaches the first column.
            const int col = TopLeftCell().X <= FixedColsCount() && hdir < 0 ? 0 : FocusedColumnIndex();
            FSelection->Rect()->SelectCell(col, FDataLink->DataSet()->GetBookmark(), true);
        }
    }
    if (!PaintLocked()) Update();
    StartAutoScrollTimer(std::max(0, 200 - distance * 15));
}
