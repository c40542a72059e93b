// Row mode: a data set that offers IMemTableGx is shown row by row. Every row of its view is a grid
// row (the data link's record window holds them all), the grid's current row follows the data
// set's, other rows are read through the interface, and the vertical bar and the wheel scroll the
// view by rows while the current record stays.
#include "grid/DBGridGx.h"

#include "grid/ToolCtrlsGxMemTable.h"
#include "rtl/ScopeGuards.h"

void TCustomDBGridGx::RefreshMemTable() {
    IMemTableGx* table = nullptr;
    if (FDataLink && FDataLink->Active())
        if (TDataSet* ds = FDataLink->DataSet(); ds && !ds->ComponentState().Contains(csDestroying))
            table = dynamic_cast<IMemTableGx*>(ds);
    if (table == FMemTable) return;
    FMemTable = table;
    RequestLayout();
}

void TCustomDBGridGx::AdjustRowCountByRows() {
    const int rows = std::max(1, FMemTable->MemTableRowCount());
    FDataLink->SetBufferCount(rows);
    SetRowCountKeeping(rows + FTitleOffset);
    SetContraCounts(ContraColCount(), FFooterRowCount);
    const int maxTop = std::max(
        FixedRowsCount(), MaxTopLeftFor(TGridCoord{FixedColsCount(), RowsCount() - 1}, CalcGridLayout()).Y);
    if (TopLeftCell().Y > maxTop) SetFirstVisibleRow(maxTop);
    SyncCurrentRowByRows();
    // The rows that fit below the loaded ones are asked for; one more when the last row shows.
    const GridLayout l = CalcGridLayout();
    if (l.Rows.LastFullCell >= RowsCount() - 1) {
        const int pitch = std::max(1, DefRowHeight());
        const int free = ClientHeight() - l.Rows.ScrollEnd;
        FMemTable->FetchRecords(free >= pitch ? ClientHeight() / pitch + 1 : 1);
    }
}

void TCustomDBGridGx::SyncCurrentRowByRows() {
    if (!FDataLink->Active() || ComponentState().Contains(csLoading)) return;
    const int current = FMemTable->MemTableCurrentRow();
    const int row = current < 0 ? FTitleOffset : current + FTitleOffset;
    const TGridCoord cur = CurrentCell();
    if (row == cur.Y || row >= RowsCount()) return;
    if (!(FOptions & dgAlwaysShowEditor)) HideEditorWindow();
    const int col = std::clamp(cur.X, 0, ColsCount() - 1);
    if (col >= FIndicatorOffset && col < FixedColsCount()) {
        // A frozen column is reached through the first scrolling one.
        MoveFocus(std::min(FixedColsCount(), ColsCount() - 1), row, false, true);
        MoveFocus(col, row, false, false);
    } else {
        MoveFocus(col, row, false, true);
    }
    InvalidateOneRow(cur.Y);
    InvalidateOneRow(row);
    RefreshEditor();
}

void TCustomDBGridGx::AdjustVertScrollBarByRows() {
    TScrollInfo si{};
    si.fMask = SIF_ALL;
    si.nMin = 1;
    si.nMax = std::max(1, RowsCount() - FTitleOffset);
    si.nPage = static_cast<Cardinal>(std::max(0, VisibleRowsCount()));
    si.nPos = TopLeftCell().Y - FixedRowsCount() + 1;
    if (!FVertScrollBar->Visible) si.nMax = si.nMin;
    if (si.nMin == FLastVertScroll.nMin && si.nMax == FLastVertScroll.nMax &&
        si.nPage == FLastVertScroll.nPage && si.nPos == FLastVertScroll.nPos)
        return;
    SetScrollInfo(SB_VERT, si, true);
    FLastVertScroll = si;
}

void TCustomDBGridGx::ScrollByRows(TScrollCode Code, int Pos) {
    const int top = TopLeftCell().Y;
    const int first = FixedRowsCount();
    const int last = RowsCount() - 1;
    const int page = std::max(1, VisibleRowsCount());
    int target = top;
    switch (Code) {
    case scLineUp:
        target = top - 1;
        break;
    case scLineDown:
        target = top + 1;
        break;
    case scPageUp:
        target = top - page;
        break;
    case scPageDown:
        target = top + page;
        break;
    case scTop:
        target = first;
        break;
    case scBottom:
        target = last;
        break;
    case scTrack:
        if (!FVertScrollBar->Tracking) return;
        target = first + Pos - 1;
        break;
    case scPosition:
        target = first + Pos - 1;
        break;
    case scEndScroll:
        AdjustVertScrollBar();
        return;
    }
    const GridLayout l = CalcGridLayout();
    const int maxTop = std::max(first, MaxTopLeftFor(TGridCoord{FixedColsCount(), last}, l).Y);
    target = std::clamp(target, first, std::min(last, maxTop));
    if (target == top) return;
    SetFirstVisibleRow(target);
    AdjustVertScrollBar();
}

bool TCustomDBGridGx::WheelByRows(TShiftState Shift, int WheelDelta) {
    int steps = WheelDelta / 120;
    if (steps == 0) steps = WheelDelta < 0 ? -1 : 1;
    const bool ctrl = Shift.Contains(ssCtrl);
    if (Shift.Contains(ssShift)) {
        FDataLink->MoveBy(ctrl ? -steps * std::max(1, VisibleRowsCount()) : -steps);
        return true;
    }
    const GridLayout l = CalcGridLayout();
    if (steps < 0 && l.Rows.LastFullCell >= RowsCount() - 1)
        FMemTable->FetchRecords(std::max(1, VisibleRowsCount()));
    const TScrollCode code = steps < 0 ? (ctrl ? scPageDown : scLineDown) : (ctrl ? scPageUp : scLineUp);
    for (int i = 0; i < std::abs(steps); ++i)
        ScrollByRows(code, 0);
    return true;
}
