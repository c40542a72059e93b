// Incremental search in the current column (the typed prefix, found without regard to case, with
// a pause timer that ends it) and the sort marking of title clicks.
#include "grid/DBGridGx.h"

#include "rtl/CodePage.h"
#include "rtl/ScopeGuards.h"
#include "rtl/StrUtils.h"

void TCustomDBGridGx::IncrementalSearch(const String& Text, int PauseMs, int Direction) {
    if (!FDataLink->Active()) return;
    String candidate = FIncSearchText + Text;
    const String previous = FIncSearchText;
    bool found = false;
    int dc = FocusedColumnIndex();
    TColumnGx* column = dc >= 0 && dc < FColumns->Count() ? FColumns->ColumnAt(dc) : nullptr;
    if (!candidate.empty() && column) {
        TDataSet* ds = FDataLink->DataSet();
        const String wanted = AnsiLowerCase(candidate);
        auto matches = [&] { return StartsStr(wanted, AnsiLowerCase(column->CurrentCellText())); };
        TBookmark saved = ds->GetBookmark();
        {
            BeginPaintLock();
            const TScopeExit unlock([this] { EndPaintLock(); });
            ds->DisableControls();
            const TScopeExit enable([ds] { ds->EnableControls(); });
            if (Direction == 2) {
                ds->First();
                found = !ds->IsEmpty() && matches();
            }
            int step = Direction == 0 ? -1 : 1;
            while (!found && ds->MoveBy(step) != 0)
                found = matches();
            if (!found) ds->GotoBookmark(saved);
        }
        // The prefix takes the found text's own spelling.
        if (found) candidate = Utf8Copy(column->CurrentCellText(), 1, Utf8Length(candidate));
        // Shown row by row, the view puts the found row half a page down.
        if (found && FMemTable) ShowRowsFrom(CurrentCell().Y - VisibleRowsCount() / 2);
    }
    HideEditorWindow();
    FIncSearchActive = true;
    FIncSearchText = found ? candidate : previous;
    InvalidateOneRow(CurrentCell().Y);
    FIncPause = PauseMs;
    StartIncSearchTimer();
}

// The pause timer starts again with every step; a pause of -1 runs none.
void TCustomDBGridGx::StartIncSearchTimer() {
    StopIncSearchTimer();
    if (FIncPause < 0) return;
    FIncSearchTimer->SetInterval(static_cast<Cardinal>(FIncPause));
    FIncSearchTimer->SetEnabled(true);
}

void TCustomDBGridGx::StopIncSearchTimer() {
    FIncSearchTimer->SetEnabled(false);
}

void TCustomDBGridGx::StopIncrementalSearch() {
    StopIncSearchTimer();
    if (!FIncSearchActive && FIncSearchText.empty()) return;
    FIncSearchActive = false;
    FIncSearchText.clear();
    InvalidateOneRow(CurrentCell().Y);
    if ((FOptions & dgAlwaysShowEditor) && EditorShowAllowed()) ShowCellEditor();
}

// ---- sort marking -------------------------------------------------------------------------------

void TCustomDBGridGx::StepSortMarking(TColumnGx* Column, bool Ctrl) {
    Column->Title()->StepSortMarker(Ctrl);
}

void TCustomDBGridGx::SortMarkingChanged() {
    if (!(FOptionsGx & dghAutoSortMarking)) return;
    if (OnSortMarkingChanged) OnSortMarkingChanged(this);
}
