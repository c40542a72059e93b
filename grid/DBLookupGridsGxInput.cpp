// The lookup grid's keys and mouse: arrows and pages step through the list and choose the record
// they come to (Up from the first record chooses the special row), a press or a drag chooses the
// record under the pointer, a drag beyond the top or bottom edge scrolls record by record on a
// timer that runs faster the farther the pointer is, and the wheel pages the view.
#include "grid/DBLookupGridsGx.h"

#include "gui/Input.h"
#include "rtl/ScopeGuards.h"

#include <algorithm>
#include <climits>

namespace {

// Where the special row lies: the rows above it are the title rows (and a filter row).
struct RowSpan {
    int Top = 0;
    int Bottom = 0;
};

} // namespace

bool TDBLookupGridGx::ListAtBeginning() {
    TDataSet* ds = DataLink()->DataSet();
    return ds && (ds->Bof() || (ds->IsSequenced() && ds->RecNo() <= 1));
}

void TDBLookupGridGx::StepList(int Distance) {
    if (Distance != 0) DataLink()->MoveBy(Distance);
    ChooseCurrentRecord();
}

// ---- keys ----------------------------------------------------------------------------------------------

void TDBLookupGridGx::KeyDown(Word& Key, TShiftState Shift) {
    if (!CanModify()) {
        TCustomDBGridGx::KeyDown(Key, Shift);
        return;
    }
    // The grid has no frame of its own: a lower client area is the horizontal bar's.
    const bool horzBarHidden = ClientHeight() >= Height();
    int step = 0;
    switch (Key) {
    case VK_PRIOR:
        step = 1 - FRowCount;
        break;
    case VK_NEXT:
        step = FRowCount - 1;
        break;
    case VK_END:
        step = INT_MAX;
        break;
    case VK_HOME:
        step = -INT_MAX;
        break;
    case VK_LEFT:
        step = horzBarHidden ? -1 : 0;
        break;
    case VK_UP:
        step = -1;
        break;
    case VK_RIGHT:
        step = horzBarHidden ? 1 : 0;
        break;
    case VK_DOWN:
        step = 1;
        break;
    default:
        break;
    }
    if (step == 0) {
        TCustomDBGridGx::KeyDown(Key, Shift);
        return;
    }
    Key = 0;
    if (IncSearchActive()) StopIncrementalSearch();
    TDataSet* ds = DataLink()->DataSet();
    if (step < 0 && FSpecRow->Visible() && (ListAtBeginning() || FSpecRowSelected)) {
        ChooseSpecRow();
        ds->First();
        return;
    }
    if (step > 0 && FSpecRowSelected) ds->First();
    if (step == -INT_MAX) {
        ds->First();
        step = 0;
    } else if (step == INT_MAX) {
        ds->Last();
        step = 0;
    } else {
        const int held = HeldKeyRecord();
        if (held < 0) {
            KeyValueUpdated();
            step = 0;
        } else {
            DataLink()->MoveBy(held - DataLink()->ActiveRecord());
        }
    }
    StepList(step);
}

// ---- mouse ---------------------------------------------------------------------------------------------

namespace {

RowSpan SpecRowSpan(TDBLookupGridGx* Grid) {
    const int gap = (Grid->Options() & dgRowLines) ? Grid->LineWidth() : 0;
    const int row = Grid->TitleOffset() - 1;
    RowSpan span;
    for (int i = 0; i < row && i < Grid->RowsCount(); ++i) span.Top += Grid->RowHeightAt(i) + gap;
    span.Bottom = span.Top + Grid->RowHeightAt(row) + gap;
    return span;
}

bool OverSpecRow(TDBLookupGridGx* Grid, int Y) {
    if (!Grid->SpecRow()->Visible()) return false;
    const RowSpan span = SpecRowSpan(Grid);
    return Y >= span.Top && Y < span.Bottom;
}

bool OverDataCell(TDBLookupGridGx* Grid, int X, int Y) {
    const TGridCoord cell = Grid->MouseCell(X, Y);
    return cell.X >= Grid->IndicatorOffset() && cell.Y >= Grid->TitleOffset() && cell.Y < Grid->RowsCount();
}

} // namespace

void TDBLookupGridGx::StartTracking() {
    FTracking = true;
    SetMouseCapture(true);
}

void TDBLookupGridGx::StopTracking() {
    FTracking = false;
    FTrackingTimer->SetEnabled(false);
    if (MouseCapture()) SetMouseCapture(false);
}

void TDBLookupGridGx::CancelMode() {
    TCustomDBGridGx::CancelMode();
    StopTracking();
}

void TDBLookupGridGx::ChooseItemAt(int X, int Y) {
    if (OverSpecRow(this, Y)) {
        ChooseSpecRow();
        return;
    }
    Y = std::min(Y, ClientHeight() - 1);
    TGridDataLinkGx* link = DataLink();
    if (!link->Active() || !OverDataCell(this, X, Y)) return;
    const int held = MouseCell(X, Y).Y - TitleOffset();
    if (held >= link->RecordCount()) return;
    UpdateRecordPosition();
    StepList(held - FRecordIndex);
}

void TDBLookupGridGx::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    if (!OverDataCell(this, X, Y) && !OverSpecRow(this, Y)) {
        TCustomDBGridGx::MouseDown(Button, Shift, X, Y);
        return;
    }
    TCustomControl::MouseDown(Button, Shift, X, Y);
    if (Button != mbLeft) return;
    if (!FPopupMode) {
        if (CanFocus() && !Focused()) SetFocus();
        if (!Focused()) return;
    }
    if (!CanModify()) return;
    // The platform has raised the double click already.
    if (Shift.Contains(ssDouble)) return;
    StartTracking();
    if (Y >= TitlesHeight()) ChooseItemAt(X, Y);
}

void TDBLookupGridGx::MouseMove(TShiftState Shift, int X, int Y) {
    if (!FTracking) {
        TCustomDBGridGx::MouseMove(Shift, X, Y);
        return;
    }
    ChooseItemAt(X, Y);
    FMouseY = Y;
    TrackingScrollStep();
    TCustomControl::MouseMove(Shift, X, Y);
}

void TDBLookupGridGx::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    if (!FTracking) {
        TCustomDBGridGx::MouseUp(Button, Shift, X, Y);
        return;
    }
    StopTracking();
    if (Y >= TitlesHeight()) ChooseItemAt(X, Y);
    TCustomControl::MouseUp(Button, Shift, X, Y);
}

void TDBLookupGridGx::TrackingScrollStep() {
    const int bottom = ClientHeight() - 1;
    int distance = 0;
    if (FMouseY < 0)
        distance = -FMouseY;
    else if (FMouseY > bottom)
        distance = FMouseY - bottom;
    if (!FTracking || distance == 0 || !DataLink()->Active()) {
        FTrackingTimer->SetEnabled(false);
        return;
    }
    if (FMouseY < 0 && FSpecRow->Visible() && ListAtBeginning()) {
        ChooseSpecRow();
    } else if (DataLink()->MoveBy(FMouseY < 0 ? -1 : 1) != 0) {
        ChooseCurrentRecord();
    }
    // Farther beyond the edge, faster steps.
    FTrackingTimer->SetInterval(static_cast<Cardinal>(std::max(1, 200 - 15 * distance)));
    FTrackingTimer->SetEnabled(true);
}

bool TDBLookupGridGx::DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos) {
    if (TCustomControl::DoMouseWheel(Shift, WheelDelta, MousePos)) return true;
    TGridDataLinkGx* link = DataLink();
    if (!link->Active()) return false;
    // A page of held records: the view moves, the key stays.
    UpdateRecordPosition();
    const int active = link->ActiveRecord(), held = link->RecordCount();
    if (WheelDelta < 0)
        link->MoveBy(held - active);
    else if (WheelDelta > 0)
        link->MoveBy(-active - 1);
    return true;
}
