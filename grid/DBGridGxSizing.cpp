// What the user's sizing and moving do to the columns: a column width dragged in the grid
// becomes the column's own width (within its limits), or, with auto-fit, rescales the share of
// that column and of its neighbour (or of everything right of it); a dragged row border sets the
// height of every row; a dragged column moves in the collection.
#include "grid/DBGridGx.h"

#include "rtl/ScopeGuards.h"

void TCustomDBGridGx::ColWidthsWereChanged() {
    const bool byUser = FUserColSizing;
    FUserColSizing = false;
    if (!byUser) {
        TCustomGridGx::ColWidthsWereChanged();
        return;
    }
    if ((FDataLink->Active() || FColumns->State() == csCustomizedGx) && AcquireLayoutLock()) {
        TScopeExit endLayout([this] { EndLayout(); });
        TCustomGridGx::ColWidthsWereChanged();
        const int count = std::min(FColumns->Count(), ColsCount() - FIndicatorOffset);
        for (int i = 0; i < count; ++i) {
            TColumnGx* column = FColumns->ColumnAt(i);
            const int width = ColWidthAt(i + FIndicatorOffset);
            if (!column->Visible() || width <= 0) continue;
            const int limited = column->ClampWidth(width);
            if (limited != width) SetColWidthAt(i + FIndicatorOffset, limited);
        }
        for (int i = 0; i < count; ++i) {
            TColumnGx* column = FColumns->ColumnAt(i);
            const int width = ColWidthAt(i + FIndicatorOffset);
            if (!column->Visible() || width == column->Width()) continue;
            if (!FAutoFitColWidths || ComponentState().Contains(csDesigning)) {
                column->SetWidth(width);
            } else if (FOptionsGx & dghResizeWholeRightPart) {
                RescaleRightPart(column, width);
            } else if (column->AutoFitColWidth()) {
                // The column takes its new share from the next visible column.
                const int old = column->AutoFitBaseWidth;
                const int scaled = column->Width() != 0 ? MulDiv(old, width, column->Width()) : old;
                column->AutoFitBaseWidth = scaled;
                const int p = FVisibleColumns.IndexOf(column);
                if (p >= 0 && p + 1 < FVisibleColumns.Count()) {
                    TColumnGx* next = FVisibleColumns.ColumnAt(p + 1);
                    next->AutoFitBaseWidth = std::max(0, next->AutoFitBaseWidth + old - scaled);
                }
            } else {
                column->SetWidth(width);
            }
        }
    } else {
        TCustomGridGx::ColWidthsWereChanged();
    }
    InvalidateEditor();
    if (OnColWidthsChanged) OnColWidthsChanged(this);
    UpdateHorzExtScrollBar();
}

void TCustomDBGridGx::RescaleRightPart(TColumnGx* Column, int Width) {
    const int old = Column->Width();
    if (Column->AutoFitColWidth())
        Column->AutoFitBaseWidth =
            old != 0 ? MulDiv(Width, Column->AutoFitBaseWidth, old) : Column->AutoFitBaseWidth;
    else
        Column->SetWidth(Width);
    std::vector<TColumnGx*> right;
    int sum = 0;
    bool past = false;
    for (TColumnGx* c : FVisibleColumns.Items()) {
        if (past && c->AutoFitColWidth()) {
            right.push_back(c);
            sum += c->Width();
        }
        if (c == Column) past = true;
    }
    if (sum == 0) return;
    for (TColumnGx* c : right)
        c->AutoFitBaseWidth = std::max(1, MulDiv(sum + old - Width, c->AutoFitBaseWidth, sum));
}

void TCustomDBGridGx::RowHeightsWereChanged() {
    if (FRowSizingPending) {
        FRowSizingPending = false;
        for (int r = (FOptions & dgTitles) ? 1 : 0; r < RowsCount(); ++r) {
            const int height = RowHeightAt(r);
            if (height == DefRowHeight()) continue;
            // Every row takes the height the user gave one of them.
            BeginLayout();
            {
                TScopeExit endLayout([this] { EndLayout(); });
                SetRowLines(0);
                SetRowHeight(height);
            }
            AdjustVertScrollBar();
            break;
        }
    }
    TCustomGridGx::RowHeightsWereChanged();
}

void TCustomDBGridGx::ColumnWasMoved(int FromIndex, int ToIndex) {
    TCustomGridGx::ColumnWasMoved(FromIndex, ToIndex);
    const int from = FromIndex - FIndicatorOffset, to = ToIndex - FIndicatorOffset;
    if (from < 0 || to < 0 || from >= FColumns->Count() || to >= FColumns->Count()) return;
    FColumns->ColumnAt(from)->SetIndex(to);
    if (OnColumnMoved) OnColumnMoved(this, from, to);
}
