// The data grid's mouse: title buttons with sort marking (a press that drags more than 3 pixels
// becomes a column move), clicks on records that move the data set and mark rows, check-box and
// image cells that step on release, and double clicks on a column edge that fit its width.
#include "grid/DBGridGx.h"
#include "grid/DBGridGxInplaceEdit.h"

#include "grid/DBGridGxFilterEdit.h"

#include <cstdlib>

namespace {

TColumnGx* ColumnAtIndex(TDBGridColumnsGx* Columns, int Index) {
    return Index >= 0 && Index < Columns->Count() ? Columns->ColumnAt(Index) : nullptr;
}

// Pixels a press may move sideways on a title button before it becomes a column move.
constexpr int TitleDragThreshold = 3;

} // namespace

void TCustomDBGridGx::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    FCheckPressCell = TGridCoord{-1, -1};
    FMouseDownPos = TPoint(X, Y);
    if (PressTakesFocus()) {
        if (!CanFocus()) return;
        if (!Focused()) SetFocus();
    }
    if (FilterRowMouseDown(Button, X, Y)) return;
    TGridCoord cell = MouseCell(X, Y);
    if (IsOverSizingLine(X, Y)) {
        if (FDataLink->Active()) FDataLink->UpdateRecord();
        TCustomGridGx::MouseDown(Button, Shift, X, Y);
        return;
    }
    bool titleRow = cell.Y >= 0 && cell.Y < TitleRowCount();
    if (titleRow && cell.X >= FIndicatorOffset) {
        if ((FOptions & dgColumnResize) && Button == mbRight) {
            Button = mbLeft;
            FRightAsLeft = true;
        }
        if (Button == mbLeft) {
            int index = cell.X - FIndicatorOffset;
            TColumnGx* column = ColumnAtIndex(FColumns.get(), index);
            bool enabled = column && column->Title()->TitleButton();
            if (OnCheckButton) OnCheckButton(this, index, column, enabled);
            if (enabled && column) {
                FPressedTitleCol = cell.X;
                InvalidateOneCell(cell.X, cell.Y);
                UpdateTitleHot(X, Y);
                TCustomControl::MouseDown(Button, Shift, X, Y);
                return;
            }
        }
    }
    if (titleRow && (FOptions & dgColumnResize)) {
        if (FDataLink->Active()) FDataLink->UpdateRecord();
        TCustomGridGx::MouseDown(Button, Shift, X, Y);
        return;
    }
    bool dataRow = cell.Y >= FTitleOffset && cell.Y < RowsCount();
    if (!dataRow || !FDataLink->Active() || cell.X < 0) {
        TCustomControl::MouseDown(Button, Shift, X, Y);
        return;
    }
    if (RecordMoveMouseDown(Button, Shift, X, Y)) return;
    const bool ctrl = Shift.Contains(ssCtrl), shift = Shift.Contains(ssShift);
    const bool inIndicator = cell.X < FIndicatorOffset;
    const bool clearing = (FOptionsGx & dghClearSelection) != 0;
    bool wasCurrent = cell == CurrentCell();
    int distance = (cell.Y - FTitleOffset) - FDataLink->ActiveRecord();
    bool rowSelecting = SelectionKindAllowed(gstRecordBookmarks) &&
                        ((FOptions & dgRowSelect) || inIndicator || !SelectionKindAllowed(gstRectangle));
    BeginUpdate();
    try {
        FDataLink->UpdateRecord();
        if (!(FOptions & dgAlwaysShowEditor)) HideEditorWindow();
        if (distance != 0 && !(shift && rowSelecting)) FDataLink->MoveBy(distance);
        if (!inIndicator) MoveToColumn(cell.X, 0, false);
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
    SelectToggleMode = ctrl || !clearing;
    if (rowSelecting) {
        if (shift && distance != 0) {
            MoveRowsExtending(distance, true);
        } else if (Button == mbLeft && (ctrl || !clearing)) {
            FBookmarks->SetCurrentRowSelected(!FBookmarks->CurrentRowSelected());
        } else if (Button == mbLeft) {
            FBookmarks->Clear();
            FBookmarks->SetCurrentRowSelected(true);
        }
    } else if (!inIndicator) {
        TDataSet* ds = FDataLink->DataSet();
        TBookmark bm = ds->GetBookmark();
        int dc = cell.X - FIndicatorOffset;
        if (!ctrl && !shift && clearing && FSelection->SelectionType() != gstNon &&
            !(Button == mbRight && FSelection->CellSelected(dc, bm)))
            FSelection->ClearSelection();
        if (Button == mbLeft && SelectionKindAllowed(gstRectangle) && !ds->IsEmpty()) {
            FSelection->Rect()->SelectCell(dc, bm, shift);
            FTrackingState = 3;
        }
    }
    if (!inIndicator) {
        TColumnGx* column = ColumnAtIndex(FColumns.get(), cell.X - FIndicatorOffset);
        int kind = column ? column->GetCellKind() : 0;
        if (kind == 4 || kind == 5)
            FCheckPressCell = cell;
        else if (Button == mbLeft && PressEditButton(cell, X, Y, wasCurrent))
            FTrackingState = 0;
    }
    TCustomControl::MouseDown(Button, Shift, X, Y);
}

void TCustomDBGridGx::MouseMove(TShiftState Shift, int X, int Y) {
    if (RecordMoveMouseMove(X, Y)) return;
    if (ForwardEditButtonMouse(WM_MOUSEMOVE, Shift, X, Y)) return;
    if (FPressedTitleCol >= 0) {
        if (std::abs(X - FMouseDownPos.X) > TitleDragThreshold && (FOptions & dgColumnResize)) {
            // The press turns into a column move that starts where the press was.
            EndTitleTracking();
            TCustomGridGx::MouseDown(mbLeft, TShiftState(), FMouseDownPos.X, FMouseDownPos.Y);
            TCustomGridGx::MouseMove(Shift, X, Y);
            return;
        }
        UpdateTitleHot(X, Y);
        return;
    }
    TCustomGridGx::MouseMove(Shift, X, Y);
}

void TCustomDBGridGx::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    if (Button == mbLeft && ForwardEditButtonMouse(WM_LBUTTONUP, Shift, X, Y)) {
        TCustomControl::MouseUp(Button, Shift, X, Y);
        return;
    }
    const bool ctrl = Shift.Contains(ssCtrl);
    TGridCoord cell = MouseCell(X, Y);
    if (RecordMoving()) EndRecordDrag(X, Y, true);
    if (FPressedTitleCol >= 0) {
        int pressed = FPressedTitleCol;
        EndTitleTracking();
        bool inside = X >= 0 && Y >= 0 && X < ClientWidth() && Y < ClientHeight();
        if (inside && cell.Y == 0 && cell.X == pressed) {
            int index = cell.X - ((FOptions & dgIndicator) ? 1 : 0);
            if (TColumnGx* column = ColumnAtIndex(FColumns.get(), index)) {
                if (OnTitleBtnClick) OnTitleBtnClick(this, index, column);
                FCtrlSortPending = ctrl;
                if (FOptionsGx & dghAutoSortMarking) StepSortMarking(column, ctrl);
                if (!ctrl) SortMarkingChanged();
            }
        }
    }
    if (FRightAsLeft) {
        FRightAsLeft = false;
        Button = mbLeft;
    }
    if (FTrackingState != 0) FAutoScrollTimer->SetEnabled(false);
    FTrackingState = 0;
    TGridActivity activity = GridActivity();
    TCustomGridGx::MouseUp(Button, Shift, X, Y);
    if (activity == gaRowSizing || activity == gaColSizing) return;
    if (Button != mbLeft || cell.X < FIndicatorOffset || cell.Y < 0) return;
    TColumnGx* column = ColumnAtIndex(FColumns.get(), cell.X - FIndicatorOffset);
    if (!column) return;
    if (cell.Y < TitleRowCount()) {
        if (OnTitleClick) OnTitleClick(column);
    } else if (cell.Y >= FTitleOffset && cell.Y < RowsCount()) {
        if (OnCellClick && !TreeButtonClick(X, Y, true)) OnCellClick(column);
    }
    int kind = column->GetCellKind();
    if (cell == FCheckPressCell && (kind == 4 || kind == 5) && !column->DblClickNextVal() &&
        !Shift.Contains(ssDouble) && ColumnEditable(cell.X - FIndicatorOffset))
        column->StepValue(Shift.Contains(ssShift) ? -column->Increment : column->Increment);
    FCheckPressCell = TGridCoord{-1, -1};
}

void TCustomDBGridGx::DblClick() {
    GridLayout layout = CalcGridLayout();
    TSizingHit hit = HitTestSizing(FMouseDownPos.X, FMouseDownPos.Y, layout);
    if (hit.Activity == gaColSizing && (FOptionsGx & dghDblClickOptimizeColWidth)) {
        CancelGridActivity();
        if (TColumnGx* column = ColumnAtIndex(FColumns.get(), hit.Index - FIndicatorOffset))
            OptimizeColumnWidth(column);
        return;
    }
    TGridCoord cell = MouseCell(FMouseDownPos.X, FMouseDownPos.Y);
    if (cell.Y >= FTitleOffset && cell.Y < RowsCount() && FDataLink->Active()) {
        TColumnGx* column = ColumnAtIndex(FColumns.get(), cell.X - FIndicatorOffset);
        int kind = column ? column->GetCellKind() : 0;
        if ((kind == 4 || kind == 5) && column->DblClickNextVal() &&
            ColumnEditable(cell.X - FIndicatorOffset))
            column->StepValue(column->Increment);
    }
    TCustomGridGx::DblClick();
}

void TCustomDBGridGx::CancelMode() {
    if (RecordMoving()) EndRecordDrag(0, 0, false);
    if (FilterEditor()) FilterEditor()->CloseDropDown(false);
    CancelGridActivity();
    EndTitleTracking();
    FRightAsLeft = false;
    FTrackingState = 0;
    FAutoScrollTimer->SetEnabled(false);
}

bool TCustomDBGridGx::DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos) {
    // An open drop-down list of the editor takes the wheel.
    if (TDBGridInplaceEdit* editor = InplaceEditor(); editor && editor->ListMouseWheel(Shift, WheelDelta, MousePos))
        return true;
    if (TCustomControl::DoMouseWheel(Shift, WheelDelta, MousePos)) return true;
    if (!FDataLink->Active()) return false;
    if (MemTable()) return WheelByRows(Shift, WheelDelta);
    int steps = WheelDelta / 120;
    if (steps == 0) steps = WheelDelta < 0 ? -1 : 1;
    FDataLink->MoveBy(-steps);
    return true;
}
