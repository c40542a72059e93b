// The data grid's mouse: title buttons with sort marking (a press that drags more than 3 pixels
// becomes a column move), presses on the lower edge of a title that select columns, clicks and
// drags on records that move the data set and mark rows or a rectangle, a press on a selected
// cell of an automatically dragged grid that starts a drag once the pointer moves, column widths
// that follow the pointer, check-box and image cells that step on release, and double clicks on a
// column edge that fit its width.
#include "grid/DBGridGx.h"

#include "grid/DBGridGxCursors.h"
#include "grid/DBGridGxFilterEdit.h"
#include "grid/DBGridGxIndicatorTitle.h"
#include "grid/DBGridGxInplaceEdit.h"
#include "gui/ControlDrag.h"
#include "gui/ControlInput.h"
#include "gui/HintWindow.h"
#include "gui/Input.h"
#include "gui/MouseTracking.h"
#include "rtl/ScopeGuards.h"

#include <cstdlib>

namespace {

TColumnGx* ColumnAtIndex(TDBGridColumnsGx* Columns, int Index) {
    return Index >= 0 && Index < Columns->Count() ? Columns->ColumnAt(Index) : nullptr;
}

// Pixels a press may move sideways on a title button before it becomes a column move.
constexpr int TitleDragThreshold = 3;
// The first interval of the auto-scroll timer while columns are selected.
constexpr int ColumnSelectInterval = 60;

bool IsCheckOrImageKind(int Kind) {
    return Kind == 4 || Kind == 5;
}

} // namespace

void TCustomDBGridGx::InitInput() {
    LoadGridGxCursors();
    FIndicatorTitle = std::make_unique<TDBGridGxIndicatorTitle>(this);
    FAutoScrollTimer->OnTimer = [this](TObject*) {
        if (FRowDragging || FCellDragging || FTrackingState == gtsColSelecting) AutoScrollStep();
    };
    // The cursor and the hints follow the pointer also while no button is held.
    SetMouseTracking(this, true);
    SetControlHintPauseQuery(this, [this](TControl*, const TPoint& P) { return HintPauseAt(P); });
}

bool TCustomDBGridGx::AutoDragOnPress(TShiftState Shift) {
    if (DragMode() == dmAutomatic && (FOptions & dgMultiSelect) && !ComponentState().Contains(csDesigning)) {
        // The press selects as usual; a press on a selected cell arms the drag instead.
        FAutoDragPending = true;
        return false;
    }
    return TCustomGridGx::AutoDragOnPress(Shift);
}

bool TCustomDBGridGx::InTitleLeafPart(int ACol, int X, int Y) const {
    if (!FUseMultiTitle || !(FOptions & dgTitles)) return true;
    THeadTreeNode* leaf = TitleLeaf(ACol - FIndicatorOffset);
    if (!leaf) return true;
    return PtInRect(LeafCaptionRect(CellScreenRect(ACol, 0), leaf), TPoint(X, Y));
}

void TCustomDBGridGx::StopTracking() {
    EndTitleTracking();
    FTitlePressed = false;
    FRowDragging = false;
    FCellDragging = false;
    if (MouseCapture()) SetMouseCapture(false);
}

// ---- press ----------------------------------------------------------------------------------------

void TCustomDBGridGx::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TScopeExit pressDone([this] { FAutoDragPending = false; });
    if (Button == mbRight) SetMouseCapture(true);
    FCheckPressCell = TGridCoord{-1, -1};
    FMouseDownPos = TPoint(X, Y);
    if (PressTakesFocus()) {
        if (!CanFocus()) return;
        if (!Focused()) SetFocus();
    }
    if (FilterRowMouseDown(Button, X, Y)) return;
    if (Shift.Contains(ssDouble) && Button == mbLeft) {
        // DblClick has fitted the column or stepped the value.
        TCustomControl::MouseDown(Button, Shift, X, Y);
        return;
    }
    if (IsOverSizingLine(X, Y)) {
        if (FDataLink->Active()) FDataLink->UpdateRecord();
        if ((FOptionsGx & dghTraceColSizing) && Button == mbLeft) {
            TSizingHit hit = HitTestSizing(X, Y, CalcGridLayout());
            if (hit.Activity == gaColSizing) {
                if (UseRightToLeftAlignment()) hit.Pos = ClientWidth() - hit.Pos;
                EnterTrackedSizing(hit);
                return;
            }
        }
        TCustomGridGx::MouseDown(Button, Shift, X, Y);
        return;
    }
    const TGridCoord cell = MouseCell(X, Y);
    const bool titleRow = cell.Y >= 0 && cell.Y < TitleRowCount();
    if (GridActivity() == gaNormal && CursorAt(X, Y) == crDownCurGx && cell.X >= FIndicatorOffset) {
        // Columns are selected from the lower edge of their titles.
        TColumnGx* column = ColumnAtIndex(FColumns.get(), cell.X - FIndicatorOffset);
        if (column) {
            FTrackingState = gtsColSelecting;
            InvalidateOneColumn(cell.X);
            StartAutoScrollTimer(ColumnSelectInterval);
            if (Shift.Contains(ssShift)) {
                FSelection->Columns()->ExtendTo(column);
            } else if (Shift.Contains(ssCtrl)) {
                FSelection->Columns()->ToggleColumn(column);
            } else {
                InvalidateWholeGrid();
                FSelection->Columns()->SelectColumn(column, false);
            }
        }
        TCustomControl::MouseDown(Button, Shift, X, Y);
        return;
    }
    if (titleRow && cell.X >= FIndicatorOffset && InTitleLeafPart(cell.X, X, Y)) {
        if ((FOptions & dgColumnResize) && Button == mbRight) {
            Button = mbLeft;
            FRightAsLeft = true;
        }
        if (Button == mbLeft) {
            const int index = cell.X - FIndicatorOffset;
            TColumnGx* column = ColumnAtIndex(FColumns.get(), index);
            bool enabled = column && column->Title()->TitleButton();
            if (OnCheckButton) OnCheckButton(this, index, column, enabled);
            if (enabled && column) {
                FTitlePressed = true;
                FPressedTitleCol = cell.X;
                InvalidateOneCell(cell.X, cell.Y);
                UpdateTitleHot(X, Y);
                return;
            }
        }
    }
    if (titleRow && (FOptions & dgColumnResize)) {
        if (cell.Y == 0 && cell.X >= 0 && cell.X < FIndicatorOffset) {
            const TRect r = CellScreenRect(cell.X, cell.Y);
            IndicatorTitleMouseDown(Button, Shift, TPoint(X - r.Left, Y - r.Top));
            InvalidateEditor();
        }
        if (FDataLink->Active()) FDataLink->UpdateRecord();
        Canvas()->Pen()->SetColor(clSilver);
        TCustomGridGx::MouseDown(Button, Shift, X, Y);
        return;
    }
    const bool dataRow = cell.X >= 0 && cell.Y >= FTitleOffset && cell.Y < RowsCount();
    if (dataRow && FDataLink->Active()) {
        if (RecordMoveMouseDown(Button, Shift, X, Y)) return;
        MouseDownOnData(Button, Shift, cell, X, Y);
        if (FDragArmed) return;
    }
    TCustomControl::MouseDown(Button, Shift, X, Y);
}

void TCustomDBGridGx::MouseDownOnData(TMouseButton Button, TShiftState Shift, TGridCoord Cell, int X, int Y) {
    TDataSet* ds = FDataLink->DataSet();
    const bool ctrl = Shift.Contains(ssCtrl), shift = Shift.Contains(ssShift);
    const bool multi = (FOptions & dgMultiSelect) != 0, rowSelect = (FOptions & dgRowSelect) != 0;
    const bool inIndicator = Cell.X < FIndicatorOffset;
    const bool clearing = (FOptionsGx & dghClearSelection) != 0;
    const bool wasCurrent = Cell == CurrentCell();
    const int beforeCol = FocusedColumnIndex();
    const TBookmark beforeRow = ds->GetBookmark();
    {
        TUpdateGuard<TCustomDBGridGx> update(*this);
        FDataLink->UpdateRecord();
        if (!(FOptions & dgAlwaysShowEditor)) HideEditorWindow();
        const int distance = (Cell.Y - FTitleOffset) - FDataLink->ActiveRecord();
        // With Shift the row selection below makes the move.
        if (distance != 0 && !(shift && multi && (inIndicator || rowSelect))) FDataLink->MoveBy(distance);
        if (!inIndicator) MoveToColumn(Cell.X, 0, false);
    }
    const int dc = Cell.X - FIndicatorOffset;
    const TBookmark bm = ds->GetBookmark();
    if (FAutoDragPending && multi && Button == mbLeft && !shift && !inIndicator && dc < FColumns->Count() &&
        FSelection->CellSelected(dc, bm)) {
        // A press on what is selected: a drag begins when the pointer moves.
        FDragArmed = true;
        return;
    }
    if (!inIndicator && !(multi && rowSelect)) {
        FTitlePressed = true;
        FCellDragging = true;
        if (!ctrl && !shift && clearing && FSelection->SelectionType() != gstNon &&
            !(Button == mbRight && FSelection->CellSelected(dc, bm))) {
            FSelection->ClearSelection();
            InvalidateWholeGrid();
        }
        if (Button == mbLeft && SelectionAllowedNow(gstRectangle) && !ds->IsEmpty()) {
            TDBGridGxSelectionRect* rect = FSelection->Rect();
            if (shift && FSelection->SelectionType() != gstRectangle)
                rect->SelectCell(beforeCol, beforeRow, false);
            rect->SelectCell(dc, bm, shift);
            FTrackingState = gtsRectSelecting;
        }
    }
    SelectRowsOnPress(Button, Shift, Cell, (Cell.Y - FTitleOffset) - FDataLink->ActiveRecord());
    if (Button == mbRight || inIndicator) {
        InvalidateEditor();
        return;
    }
    TColumnGx* column = ColumnAtIndex(FColumns.get(), dc);
    if (column && IsCheckOrImageKind(column->GetCellKind()))
        FCheckPressCell = Cell;
    else if (Button == mbLeft && PressEditButton(Cell, X, Y, wasCurrent)) {
        // The press went to the editor: dragging it selects nothing.
        FTrackingState = gtsNone;
        FCellDragging = false;
        FRowDragging = false;
    }
}

void TCustomDBGridGx::SelectRowsOnPress(TMouseButton Button, TShiftState Shift, TGridCoord Cell,
                                        int Distance) {
    const bool rowSelect = (FOptions & dgRowSelect) != 0;
    const bool inIndicator = Cell.X < FIndicatorOffset;
    const bool rects = SelectionAllowedNow(gstRectangle);
    if (!SelectionAllowedNow(gstRecordBookmarks) || !(rowSelect || inIndicator || !rects)) return;
    TDataSet* ds = FDataLink->DataSet();
    // The pressed row: its bookmark, and whether it was marked before the press.
    TBookmark pressed;
    {
        ActivateRow(Cell.Y - FTitleOffset);
        const TScopeExit restore([this] { RestoreActiveRecord(); });
        pressed = ds->GetBookmark();
    }
    int index = 0;
    const bool wasMarked = FBookmarks->LocateBookmark(pressed, index);
    if (Shift.Contains(ssShift) && Distance != 0) {
        SelectToggleMode = true;
        MoveRowsExtending(Distance, true);
    } else if (Button == mbLeft && (Shift.Contains(ssCtrl) || !(FOptionsGx & dghClearSelection))) {
        FBookmarks->SetCurrentRowSelected(!FBookmarks->CurrentRowSelected());
    } else if (Button == mbLeft) {
        FBookmarks->Clear();
        FBookmarks->SetCurrentRowSelected(true);
    }
    if (rowSelect || !rects || inIndicator) {
        // Dragging over further rows paints them as the pressed row now is.
        FRowDragging = true;
        FTitlePressed = true;
        FSelectAnchorBookmark = pressed;
        FSelectDragValue = !wasMarked;
        FTrackingState = gtsRowSelecting;
    }
}

// ---- move ---------------------------------------------------------------------------------------

void TCustomDBGridGx::MouseMove(TShiftState Shift, int X, int Y) {
    FLastMovePos = TPoint(X, Y);
    FLastMoveShift = Shift;
    if (RecordMoveMouseMove(X, Y)) return;
    if (ForwardEditButtonMouse(WM_MOUSEMOVE, Shift, X, Y)) return;
    if (FDragArmed) {
        FDragArmed = false;
        BeginDrag(Mouse()->DragImmediate(), Mouse()->DragThreshold());
        return;
    }
    if (FTrackingState == gtsIndicatorTitleDown) {
        FIndicatorTitle->SetPressed(MouseCell(X, Y) == TGridCoord{0, 0});
    } else if (FPressedTitleCol >= 0) {
        TrackTitleButton(X, Y);
    } else if (FRowDragging || FCellDragging) {
        TrackDrag(Shift, X, Y);
    } else if (FTrackingState == gtsColSelecting) {
        const TRect data = DataCellsRect();
        const TGridCoord cell = MouseCell(X, Y);
        if (X < data.Left || X >= data.Right || cell.X < FIndicatorOffset)
            AutoScrollStep();
        else if (TColumnGx* column = ColumnAtIndex(FColumns.get(), cell.X - FIndicatorOffset))
            FSelection->Columns()->ExtendTo(column);
    } else if ((FOptionsGx & dghTraceColSizing) && GridActivity() == gaColSizing) {
        TraceColumnSizing(X);
        return;
    }
    TCustomGridGx::MouseMove(Shift, X, Y);
}

bool TCustomDBGridGx::TrackTitleButton(int X, int Y) {
    UpdateTitleHot(X, Y);
    if (std::abs(X - FMouseDownPos.X) <= TitleDragThreshold || !(FOptions & dgColumnResize)) return false;
    // The press turns into a column move that starts where the press was.
    StopTracking();
    SetMouseCapture(true);
    TCustomGridGx::MouseDown(mbLeft, TShiftState(), FMouseDownPos.X, FMouseDownPos.Y);
    return true;
}

bool TCustomDBGridGx::TrackDrag(TShiftState Shift, int X, int Y) {
    const TRect data = DataCellsRect();
    const int cx = std::clamp(X, 0, std::max(0, ClientWidth() - 1));
    const int cy = std::clamp(Y, 0, std::max(0, ClientHeight() - 1));
    const TGridCoord cell = MouseCell(cx, cy);
    const bool rectMode = FTrackingState == gtsRectSelecting;
    const int row = FDataLink->ActiveRecord() + FTitleOffset;
    if (Y > data.Top && Y < data.Bottom && cell.Y >= FTitleOffset && cell.Y != row) {
        const int distance = cell.Y - row;
        if (FRowDragging && Shift.Contains(ssLeft))
            DragRowsBy(distance);
        else
            FDataLink->MoveBy(distance);
    }
    if (FCellDragging && X > data.Left && X < data.Right && cell.X >= FIndicatorOffset &&
        cell.X != CurrentCell().X)
        MoveToColumn(cell.X, cell.X < CurrentCell().X ? -1 : 1, false);
    if (rectMode && !FDataLink->DataSet()->IsEmpty())
        FSelection->Rect()->SelectCell(FocusedColumnIndex(), FDataLink->DataSet()->GetBookmark(), true);
    AutoScrollStep();
    return true;
}

void TCustomDBGridGx::DragRowsBy(int Distance) {
    const int step = Distance < 0 ? -1 : 1;
    for (int i = 0; i != Distance; i += step) {
        if (FDataLink->MoveBy(step) == 0) break;
        FBookmarks->SetCurrentRowSelected(FSelectDragValue);
    }
}

void TCustomDBGridGx::TraceColumnSizing(int X) {
    const int x = UseRightToLeftAlignment() ? ClientWidth() - X : X;
    const int pos = x + SizingOffset();
    MoveTrackedSizing(pos);
    const int width = std::max(1, TrackedSizingExtent());
    const int index = SizingIndex();
    const int cols = ColsCount();
    if (FAutoFitColWidths && !ComponentState().Contains(csDesigning) &&
        pos >= ClientWidth() + index - cols - (cols - index) * LineWidth())
        return;
    FUserColSizing = true;
    TScopeExit sized([this] { FUserColSizing = false; });
    SetColWidthAt(index, width);
}

// ---- release --------------------------------------------------------------------------------------

void TCustomDBGridGx::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    if (Button == mbLeft && ForwardEditButtonMouse(WM_LBUTTONUP, Shift, X, Y)) {
        TCustomControl::MouseUp(Button, Shift, X, Y);
        return;
    }
    const bool ctrl = Shift.Contains(ssCtrl);
    if (RecordMoving()) EndRecordDrag(X, Y, true);
    if (FDragArmed) {
        // No drag happened: the press acts on the selection after all.
        FDragArmed = false;
        if (ctrl && (FOptions & dgRowSelect))
            FBookmarks->SetCurrentRowSelected(!FBookmarks->CurrentRowSelected());
        else if (FOptionsGx & dghClearSelection)
            ClearSelectionIfAllowed();
    } else if ((FOptionsGx & dghTraceColSizing) && GridActivity() == gaColSizing) {
        LeaveTrackedSizing();
        return;
    }
    const int tracking = FTrackingState;
    FTrackingState = gtsNone;
    const TGridActivity activity = GridActivity();
    if (activity == gaRowSizing) FRowSizingPending = true;
    const TGridCoord cell = MouseCell(X, Y);
    if (FPressedTitleCol >= 0) {
        const int pressed = FPressedTitleCol;
        const bool inside = X >= 0 && Y >= 0 && X < ClientWidth() && Y < ClientHeight();
        const bool counted = inside && cell.Y == 0 && cell.X == pressed && InTitleLeafPart(cell.X, X, Y);
        StopTracking();
        if (counted) {
            const int index = cell.X - ((FOptions & dgIndicator) ? 1 : 0);
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
        if (MouseCapture()) SetMouseCapture(false);
        Button = mbLeft;
    }
    if (FRowDragging || FCellDragging) StopTracking();
    if (tracking != gtsNone) StopAutoScrollTimer();
    if (tracking == gtsIndicatorTitleDown) {
        FTitlePressed = false;
        FIndicatorTitle->SetPressed(false);
    }
    FUserColSizing = activity == gaColSizing;
    {
        TScopeExit sized([this] {
            FUserColSizing = false;
            FRowSizingPending = false;
        });
        TCustomGridGx::MouseUp(Button, Shift, X, Y);
    }
    if (activity == gaRowSizing || activity == gaColSizing) return;
    if (TInplaceEdit* editor = CellEditor();
        editor && editor->Visible() && PtInRect(editor->BoundsRect(), TPoint(X, Y)))
        return;
    if (Button != mbLeft || cell.X < FIndicatorOffset || cell.Y < 0) return;
    TColumnGx* column = ColumnAtIndex(FColumns.get(), cell.X - FIndicatorOffset);
    if (!column) return;
    if (cell.Y < TitleRowCount()) {
        if (OnTitleClick) OnTitleClick(column);
    } else if (cell.Y >= FTitleOffset && cell.Y < RowsCount()) {
        if (OnCellClick && !TreeButtonClick(X, Y, true)) OnCellClick(column);
    }
    const int kind = column->GetCellKind();
    if (cell == FCheckPressCell && IsCheckOrImageKind(kind) && !column->DblClickNextVal() &&
        !Shift.Contains(ssDouble) && ColumnEditable(cell.X - FIndicatorOffset))
        column->StepValue(Shift.Contains(ssShift) ? -1 : 1);
    FCheckPressCell = TGridCoord{-1, -1};
}

void TCustomDBGridGx::DblClick() {
    GridLayout layout = CalcGridLayout();
    TSizingHit hit = HitTestSizing(FMouseDownPos.X, FMouseDownPos.Y, layout);
    if (hit.Activity != gaColSizing) {
        // The zone at a title's right edge sizes too.
        const int zone = TitleEdgeZoneColumn(FMouseDownPos.X, FMouseDownPos.Y);
        if (zone >= 0) {
            hit.Activity = gaColSizing;
            hit.Index = zone;
        }
    }
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
        if (IsCheckOrImageKind(kind) && column->DblClickNextVal() &&
            ColumnEditable(cell.X - FIndicatorOffset))
            column->StepValue(GetKeyState(VK_SHIFT) < 0 ? -1 : 1);
    }
    TCustomGridGx::DblClick();
}

void TCustomDBGridGx::CancelMode() {
    if (RecordMoving()) EndRecordDrag(0, 0, false);
    if (FilterEditor()) FilterEditor()->CloseDropDown(false);
    CancelGridActivity();
    StopTracking();
    FRightAsLeft = false;
    FDragArmed = false;
    if (FTrackingState != gtsNone) StopAutoScrollTimer();
    if (FTrackingState == gtsIndicatorTitleDown) FIndicatorTitle->SetPressed(false);
    FTrackingState = gtsNone;
}

bool TCustomDBGridGx::DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos) {
    // An open drop-down list of the editor takes the wheel.
    if (TDBGridInplaceEdit* editor = InplaceEditor(); editor && editor->ListMouseWheel(Shift, WheelDelta, MousePos))
        return true;
    // So does the filter editor while it is active.
    if (FilterEditorActive() && FilterEditor()) {
        SendMouseWheel(FilterEditor(), Shift, WheelDelta, MousePos);
        return true;
    }
    if (TCustomControl::DoMouseWheel(Shift, WheelDelta, MousePos)) return true;
    if (!FDataLink->Active()) return false;
    if (MemTable()) return WheelByRows(Shift, WheelDelta);
    int steps = WheelDelta / 120;
    if (steps == 0) steps = WheelDelta < 0 ? -1 : 1;
    FDataLink->MoveBy(-steps);
    return true;
}
