// Selecting beyond the data cells: while the pointer stays outside them with the button held,
// timer 1 scrolls towards it and extends the selection, the faster the farther it is.
#include "grid/DBGridGx.h"

#include "rtl/ScopeGuards.h"

namespace {

// Windows of the platform never run a timer faster than this.
constexpr int ShortestTimerInterval = 10;

// How far P lies outside From .. To (To excluded), and on which side (-1 before, +1 after).
int Overshoot(int P, int From, int To, int& Direction) {
    Direction = P < From ? -1 : P >= To ? 1 : 0;
    return P < From ? From - P : P >= To ? P - To + 1 : 0;
}

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
    int direction = 0;
    const int distance = Overshoot(FLastMovePos.X, data.Left, data.Right, direction);
    auto extendTo = [this](int RawCol) {
        if (TColumnGx* c = RawCol >= FIndicatorOffset && RawCol - FIndicatorOffset < FColumns->Count()
                               ? FColumns->ColumnAt(RawCol - FIndicatorOffset)
                               : nullptr)
            FSelection->Columns()->ExtendTo(c);
    };
    if (direction > 0) {
        if (CalcGridLayout().Cols.LastFullCell < ColsCount() - 1) SetFirstVisibleCol(TopLeftCell().X + 1);
        extendTo(CalcGridLayout().Cols.LastFullCell);
    } else if (direction < 0) {
        if (TopLeftCell().X > FixedColsCount()) SetFirstVisibleCol(TopLeftCell().X - 1);
        extendTo(TopLeftCell().X);
    }
    StartAutoScrollTimer(std::max(0, 200 - distance * 10));
}

void TCustomDBGridGx::AutoScrollCells() {
    const TRect data = DataCellsRect();
    const TPoint p = FLastMovePos;
    int vdir = 0, hdir = 0;
    const int vertical = Overshoot(p.Y, data.Top, data.Bottom, vdir);
    const int horizontal = Overshoot(p.X, data.Left, data.Right, hdir);
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
