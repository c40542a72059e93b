// The data grid's keyboard: the key map (records, columns, selection, editing and deleting keys),
// typed characters that feed the incremental search or open the editor, and the Ctrl release
// that reports a changed sort marking.
#include "grid/DBGridGx.h"

#include "grid/ToolCtrlsGxMemTable.h"
#include "gui/Dialogs.h"
#include "gui/Input.h"
#include "rtl/CodePage.h"
#include "rtl/ScopeGuards.h"

namespace {

bool IsCtrlOnly(TShiftState Shift) {
    return Shift.Contains(ssCtrl) && !Shift.Contains(ssAlt);
}
bool NoModifier(TShiftState Shift) {
    return !Shift.Contains(ssCtrl) && !Shift.Contains(ssShift) && !Shift.Contains(ssAlt);
}

} // namespace

bool TCustomDBGridGx::WantsKey(Word Key, TShiftState Shift) const {
    switch (Key) {
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN:
    case VK_PRIOR:
    case VK_NEXT:
    case VK_HOME:
    case VK_END:
        return true;
    case VK_TAB:
        return (FOptions & dgTabs) && !Shift.Contains(ssAlt);
    case VK_RETURN:
        return (FOptions & dgEditing) || (FOptionsGx & dghEnterAsTab) || FIncSearchActive;
    case VK_ESCAPE:
        return FIncSearchActive || (FDataLink->Active() && FDataLink->DataSet()->State() >= dsEdit);
    default:
        return TCustomGridGx::WantsKey(Key, Shift);
    }
}

// ---- moving -------------------------------------------------------------------------------------

void TCustomDBGridGx::MoveRowsExtending(int Distance, bool Extend) {
    TDataSet* ds = FDataLink->DataSet();
    if (!Extend || !SelectionAllowedNow(gstRecordBookmarks)) {
        ClearSelectionIfAllowed();
        FDataLink->MoveBy(Distance);
        return;
    }
    // Each record passed is marked (toggled in toggle mode), the starting one included.
    int step = Distance < 0 ? -1 : 1;
    if (!FBookmarks->CurrentRowSelected()) FBookmarks->SetCurrentRowSelected(true);
    for (int i = 0; i != Distance; i += step) {
        if (FDataLink->MoveBy(step) == 0) break;
        bool marked = FBookmarks->CurrentRowSelected();
        FBookmarks->SetCurrentRowSelected(SelectToggleMode ? !marked : true);
    }
    (void)ds;
}

void TCustomDBGridGx::NextRow(bool Extend) {
    TDataSet* ds = FDataLink->DataSet();
    if (ds->State() == dsInsert && !ds->Modified() && !FDataLink->Modified) {
        if (ds->Eof()) return;
        ds->Cancel();
    } else {
        MoveRowsExtending(1, Extend);
    }
    if (ds->Eof() && ds->CanModify() && !FReadOnly && (FOptions & dgEditing) &&
        (AllowedOperations & alopAppendGx))
        ds->Append();
}

void TCustomDBGridGx::PriorRow(bool Extend) {
    TDataSet* ds = FDataLink->DataSet();
    if (ds->State() == dsInsert && !ds->Modified() && !FDataLink->Modified && ds->Eof())
        ds->Cancel();
    else
        MoveRowsExtending(-1, Extend);
}

void TCustomDBGridGx::SetCurrentColumn(int RawCol) {
    if (RawCol < FixedColsCount() && RawCol >= FIndicatorOffset)
        MoveFocus(RawCol, CurrentCell().Y, false, true);
    else
        SetFocusCol(RawCol);
}

void TCustomDBGridGx::MoveToColumn(int RawCol, int Direction, bool ExtendRect) {
    bool rect = ExtendRect && !(FOptions & dgRowSelect) && SelectionAllowedNow(gstRectangle);
    TDataSet* ds = FDataLink->DataSet();
    if (rect && FSelection->SelectionType() != gstRectangle && ds && !ds->IsEmpty())
        FSelection->Rect()->SelectCell(FocusedColumnIndex(), ds->GetBookmark(), false);
    if (FDataLink->Active()) FDataLink->UpdateRecord();
    int last = ColsCount() - 1;
    RawCol = std::clamp(RawCol, FIndicatorOffset, std::max(FIndicatorOffset, last));
    if (Direction != 0)
        while (ColWidthAt(RawCol) <= 0) {
            RawCol += Direction;
            if (RawCol < FIndicatorOffset || RawCol > last) return;
        }
    if (RawCol != CurrentCell().X) {
        if (OnColExit && !FInColExit) {
            int before = CurrentCell().X;
            {
                FInColExit = true;
                const TScopeExit leave([this] { FInColExit = false; });
                OnColExit(this);
            }
            if (CurrentCell().X != before) return;
        }
        if (!(FOptions & dgAlwaysShowEditor)) HideEditorWindow();
        if (!(FOptions & dgRowSelect)) SetCurrentColumn(RawCol);
        if (EditorAlwaysShown()) ShowCellEditor();
        if (OnColEnter) OnColEnter(this);
    }
    if (rect && ds && !ds->IsEmpty())
        FSelection->Rect()->SelectCell(FocusedColumnIndex(), ds->GetBookmark(), true);
    if (FIncSearchActive) StopIncrementalSearch();
}

void TCustomDBGridGx::TabStep(bool Backward) {
    ClearSelectionIfAllowed();
    const TUpdateGuard<TCustomDBGridGx> update(*this);
    int start = CurrentCell().X;
    int col = start;
    int last = ColsCount() - 1;
    for (;;) {
        col += Backward ? -1 : 1;
        if (col > last) {
            NextRow(false);
            col = FIndicatorOffset;
        } else if (col < FIndicatorOffset) {
            PriorRow(false);
            col = last;
        }
        if (col == start) break;
        if (ColTabStopAt(col) && ColWidthAt(col) > 0) {
            MoveToColumn(col, 0, false);
            break;
        }
    }
}

// ---- editing keys -------------------------------------------------------------------------------

void TCustomDBGridGx::CancelPendingEdit() {
    if (FDataLink->Modified) {
        FDataLink->Modified = false;
        InvalidateEditor();
    } else {
        FDataLink->DataSet()->Cancel();
    }
}

void TCustomDBGridGx::DeleteRecordsConfirmed() {
    TDataSet* ds = FDataLink->DataSet();
    bool several = FBookmarks->BookmarkCount() > 1;
    if (FOptions & dgConfirmDelete) {
        String question = several ? "Delete all selected records?" : "Delete record?";
        if (MessageDlg(question, mtConfirmation, TMsgDlgButtons{mbOK, mbCancel}, 0) == mrCancel) return;
    }
    if (FBookmarks->BookmarkCount() > 0) {
        FBookmarks->DeleteMarkedRecords();
        FSelection->ClearSelection();
    } else {
        ds->Delete();
    }
}

void TCustomDBGridGx::CopyFromPriorRecord() {
    int active = FDataLink->ActiveRecord();
    int dataCol = FocusedColumnIndex();
    if (active <= 0 || !ColumnEditable(dataCol)) return;
    TField* f = FColumns->ColumnAt(dataCol)->Field();
    if (!f) return;
    bool lookup = f->Lookup() && !f->KeyFields().empty();
    Variant value;
    {
        ActivateRow(active - 1);
        const TScopeExit restore([this] { RestoreActiveRecord(); });
        value = lookup ? f->DataSet()->FieldValues(f->KeyFields()) : f->AsVariant();
    }
    FSelection->ClearSelection();
    TDataSet* ds = f->DataSet();
    ds->Edit();
    if (lookup)
        ds->SetFieldValues(f->KeyFields(), value);
    else
        f->SetAsVariant(value);
    ShowCellEditor();
    if (CellEditor()) CellEditor()->SelectAll();
}

// ---- key down -----------------------------------------------------------------------------------

void TCustomDBGridGx::KeyDown(Word& Key, TShiftState Shift) {
    SelectToggleMode = Shift.Contains(ssCtrl) || !(FOptionsGx & dghClearSelection);
    TWinControl::KeyDown(Key, Shift);
    if (Key == 0) return;
    if (FilterRowKeyDown(Key, Shift)) return;
    if (UseRightToLeftAlignment()) {
        if (Key == VK_LEFT)
            Key = VK_RIGHT;
        else if (Key == VK_RIGHT)
            Key = VK_LEFT;
    }
    if (!FDataLink->Active() || !GridAcceptsKey(Key, Shift)) return;
    TDataSet* ds = FDataLink->DataSet();
    const bool ctrl = Shift.Contains(ssCtrl);
    const bool shift = Shift.Contains(ssShift);
    const bool multi = (FOptions & dgMultiSelect) != 0;
    const Word key = Key;
    Key = 0;
    // Keys of the incremental search first.
    if (FIncSearchActive) {
        if ((key == VK_RETURN || key == VK_ESCAPE || key == VK_F2) && NoModifier(Shift)) {
            StopIncrementalSearch();
            return;
        }
        if (key == VK_BACK && NoModifier(Shift)) {
            // Drops the last character, a whole code point.
            int n = Utf8Length(FIncSearchText);
            FIncSearchText = Utf8Copy(FIncSearchText, 1, n - 1);
            InvalidateOneRow(CurrentCell().Y);
            StartIncSearchTimer();
            return;
        }
        if (key == VK_RETURN && IsCtrlOnly(Shift)) {
            IncrementalSearch(String(), FIncPause, shift ? 0 : 1);
            return;
        }
    }
    if ((key == VK_MULTIPLY || key == VK_ADD || key == VK_SUBTRACT) && MemTable() &&
        MemTable()->TreeViewMode()) {
        StepCurrentNode(key == VK_MULTIPLY ? 0 : key == VK_ADD ? 1 : -1);
        return;
    }
    if (key == VK_NEXT && !ctrl && MemTable() && RowsCount() - 1 - TopLeftCell().Y < VisibleRowsCount())
        MemTable()->FetchRecords(std::max(1, VisibleRowsCount())); // a page more to move into
    if (ctrl && key == VK_OEM_7) {
        CopyFromPriorRecord();
        return;
    }
    if (ctrl && key == 'F' && (FOptionsGx & (dghIncSearch | dghDialogFind))) {
        const bool dialog = (FOptionsGx & dghDialogFind) != 0;
        if ((FOptionsGx & dghIncSearch) && !(dialog && FIncSearchActive)) {
            IncrementalSearch(String(), -1, 2);
            return;
        }
        if (FIncSearchActive) StopIncrementalSearch();
        OpenFindDialog(String(), String(), true);
        return;
    }
    if (ClipboardKey(key, Shift)) return;
    switch (key) {
    case VK_PRIOR:
    case VK_UP:
        if (ctrl) {
            if (shift && multi)
                MoveRowsExtending(-FDataLink->ActiveRecord(), true);
            else {
                ClearSelectionIfAllowed();
                FDataLink->MoveBy(-FDataLink->ActiveRecord());
            }
        } else if (key == VK_UP) {
            PriorRow(shift && multi);
        } else {
            MoveRowsExtending(-std::max(1, VisibleRowsCount()), shift && multi);
        }
        return;
    case VK_NEXT:
    case VK_DOWN:
        if (ctrl) {
            int distance = FDataLink->BufferCount() - FDataLink->ActiveRecord() - 1;
            if (shift && multi)
                MoveRowsExtending(FDataLink->RecordCount() - FDataLink->ActiveRecord() - 1, true);
            else {
                ClearSelectionIfAllowed();
                FDataLink->MoveBy(distance);
            }
        } else if (key == VK_DOWN) {
            NextRow(shift && multi);
        } else {
            MoveRowsExtending(std::max(1, VisibleRowsCount()), shift && multi);
        }
        return;
    case VK_HOME:
    case VK_END: {
        bool toEnd = key == VK_END;
        bool records = ctrl || ColsCount() - FIndicatorOffset <= 1 || (FOptions & dgRowSelect);
        if (!records) {
            MoveToColumn(toEnd ? ColsCount() - 1 : FIndicatorOffset, toEnd ? -1 : 1, shift && multi);
        } else if (shift && multi) {
            MoveRowsExtending(toEnd ? ds->RecordCount() : -ds->RecordCount(), true);
        } else {
            ClearSelectionIfAllowed();
            if (toEnd)
                ds->Last();
            else
                ds->First();
        }
        return;
    }
    case VK_LEFT:
    case VK_RIGHT: {
        int dir = key == VK_LEFT ? -1 : 1;
        if (ctrl) {
            MoveToColumn(dir < 0 ? FIndicatorOffset : ColsCount() - 1, -dir, false);
        } else if (FOptions & dgRowSelect) {
            int left = std::clamp(TopLeftCell().X + dir, FixedColsCount(), ColsCount() - 1);
            SetFirstVisibleCol(left);
        } else {
            if (!(shift && multi)) ClearSelectionIfAllowed();
            MoveToColumn(CurrentCell().X + dir, dir, shift && multi);
        }
        return;
    }
    case VK_TAB:
        if (!Shift.Contains(ssAlt)) TabStep(shift);
        return;
    case VK_RETURN:
        if (FOptionsGx & dghEnterAsTab) {
            TabStep(shift);
            return;
        }
        break;
    case VK_ESCAPE:
        CancelPendingEdit();
        ClearSelectionIfAllowed();
        if (!(FOptions & dgAlwaysShowEditor)) HideEditorWindow();
        if (GridActivity() != gaNormal || FTrackingState != 0) CancelMode();
        return;
    case VK_DELETE:
        if (ctrl) {
            if (!FReadOnly && !ds->IsEmpty() && ds->CanModify() && (AllowedOperations & alopDeleteGx))
                DeleteRecordsConfirmed();
            return;
        }
        if (!(FOptions & dgRowSelect)) {
            int dc = FocusedColumnIndex();
            if (dc >= 0 && dc < FColumns->Count()) {
                TColumnGx* c = FColumns->ColumnAt(dc);
                int kind = c->GetCellKind();
                TField* f = c->Field();
                if ((kind == 4 || kind == 5) && f && !f->ReadOnly() && c->CanModify(true)) {
                    c->UpdateData(String(), Null(), false);
                    return;
                }
            }
        }
        break;
    case VK_INSERT:
        if (!shift && ds->CanModify() && !FReadOnly && (FOptions & dgEditing)) {
            ClearSelectionIfAllowed();
            if (AllowedOperations & alopInsertGx)
                ds->Insert();
            else if (AllowedOperations & alopAppendGx)
                ds->Append();
            return;
        }
        break;
    case VK_F2:
        if (NoModifier(Shift)) {
            SetEditingActive(true);
            return;
        }
        break;
    default:
        break;
    }
    Key = key;
    TCustomGridGx::KeyDown(Key, Shift);
}

// ---- characters ---------------------------------------------------------------------------------

void TCustomDBGridGx::KeyPress(char16_t& Key) {
    // A character beyond the basic plane arrives in two halves: the first waits for the second.
    if (Key >= 0xD800 && Key <= 0xDBFF) {
        FPendingSurrogate = Key;
        Key = 0;
        return;
    }
    WideString wide;
    if (FPendingSurrogate && Key >= 0xDC00 && Key <= 0xDFFF) wide.push_back(FPendingSurrogate);
    FPendingSurrogate = 0;
    wide.push_back(Key);
    FKeyPressText = WideToUtf8(wide);
    if (FilterRowKeyPress(Key)) return;
    // Space steps a check-box or image cell, unless an OnKeyPress handler takes it.
    if (Key == u' ' && !(FOptions & dgRowSelect)) {
        const int dc = FocusedColumnIndex();
        TColumnGx* column = dc >= 0 && dc < FColumns->Count() ? FColumns->ColumnAt(dc) : nullptr;
        const int kind = column ? column->GetCellKind() : 0;
        if (kind == 4 || kind == 5) {
            TWinControl::KeyPress(Key);
            if (Key == u' ') column->StepValue(GetKeyState(VK_SHIFT) < 0 ? -1 : 1);
            return;
        }
    }
    if ((Key == u'*' || Key == u'+' || Key == u'-') && MemTable() && MemTable()->TreeViewMode()) {
        TWinControl::KeyPress(Key); // the tree keys open no editor
        return;
    }
    if ((FOptionsGx & dghEnterAsTab) && Key == VK_RETURN) Key = VK_TAB;
    if (Key == VK_RETURN && !(FOptions & dgAlwaysShowEditor) && FDataLink->Active())
        FDataLink->UpdateRecord();
    TDataSet* ds = FDataLink->DataSet();
    bool browsing = FDataLink->Active() && ds->State() < dsEdit;
    bool columnEditable = ColumnEditable(FocusedColumnIndex()) && (FOptions & dgEditing);
    bool editorHidden = !CellEditor() || !CellEditor()->Visible();
    bool prefer = (FOptionsGx & dghPreferIncSearch) && !(FOptions & dgAlwaysShowEditor) && editorHidden;
    bool searching = FIncSearchActive || prefer || ((FOptionsGx & dghIncSearch) && !columnEditable);
    if (searching && browsing && (Key >= 32 || Key == VK_BACK)) {
        TWinControl::KeyPress(Key);
        if (Key >= 32 && (FIncSearchActive || prefer)) {
            IncrementalSearch(FKeyPressText, FIncSearchActive ? FIncPause : 1500, 2);
            Key = 0;
        }
        return;
    }
    TCustomGridGx::KeyPress(Key);
}

void TCustomDBGridGx::KeyUp(Word& Key, TShiftState Shift) {
    if (FCtrlSortPending && Key == VK_CONTROL) {
        FCtrlSortPending = false;
        SortMarkingChanged();
    }
    TCustomGridGx::KeyUp(Key, Shift);
}
