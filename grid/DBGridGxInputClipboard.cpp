// The grid's clipboard and select-all keys, and what decides whether each edit action is open:
// the keys and the indicator-title menu run the clipboard actions on the current selection.
#include "grid/DBGridGx.h"

#include "grid/DBGridGxImpExpGrid.h"
#include "gui/Clipbrd.h"

bool TCustomDBGridGx::CanModifyData() const {
    if (!FDataLink->Active()) return false;
    TDataSet* ds = FDataLink->DataSet();
    const bool inserting = ds->State() == dsInsert;
    return ((AllowedOperations & alopUpdateGx) || inserting) &&
           (!ds->IsEmpty() || (AllowedOperations & (alopInsertGx | alopAppendGx)));
}

bool TCustomDBGridGx::CanCopySelection() const {
    return FDataLink->Active() && FSelection->SelectionType() != gstNon;
}

bool TCustomDBGridGx::CanCutSelection() const {
    return CanCopySelection() && CanDeleteSelection();
}

bool TCustomDBGridGx::CanPasteIntoGrid() const {
    if (!FDataLink->Active() || FReadOnly) return false;
    TDataSet* ds = FDataLink->DataSet();
    if (!ds->CanModify()) return false;
    TClipboard* clip = Clipboard();
    if (!clip->HasFormat(GridDataClipboardFormat()) && !clip->HasFormat(CF_TEXT)) return false;
    return ds->State() == dsInsert || (AllowedOperations & alopUpdateGx);
}

bool TCustomDBGridGx::CanSelectAll() const {
    return FDataLink->Active() && !FDataLink->DataSet()->IsEmpty() && (AllowedSelections & (1 << gstAll));
}

bool TCustomDBGridGx::CanDeleteSelection() const {
    if (!FDataLink->Active() || FReadOnly) return false;
    TDataSet* ds = FDataLink->DataSet();
    if (ds->IsEmpty() || !ds->CanModify()) return false;
    switch (FSelection->SelectionType()) {
    case gstRecordBookmarks:
    case gstAll:
        return (AllowedOperations & alopDeleteGx) != 0;
    case gstRectangle:
    case gstColumns:
        return (AllowedOperations & alopUpdateGx) != 0;
    case gstNon:
        break;
    }
    return false;
}

bool TCustomDBGridGx::ClipboardKey(Word Key, TShiftState Shift) {
    const bool ctrl = Shift.Contains(ssCtrl), shift = Shift.Contains(ssShift);
    TDBGridGxImpExpGrid source(this);
    if ((ctrl && (Key == VK_INSERT || Key == 'C')) && !shift) {
        if (CanCopySelection() && (EditActions & geaCopyGx)) CopyGridToClipboard(&source, false);
        return true;
    }
    const bool canCut = CanCutSelection() && (EditActions & geaCutGx);
    if (ctrl && Key == 'X') {
        if (canCut) CutGridToClipboard(&source, false);
        return true;
    }
    if (shift && !ctrl && Key == VK_DELETE && canCut) {
        CutGridToClipboard(&source, false);
        return true;
    }
    if ((ctrl && Key == 'V') || (shift && !ctrl && Key == VK_INSERT)) {
        if (FIncSearchActive) {
            IncrementalSearch(Clipboard()->AsText(), FIncPause, 2);
        } else if (CanPasteIntoGrid() && (EditActions & geaPasteGx)) {
            PasteGridFromClipboard(&source, false);
        }
        return true;
    }
    if (ctrl && Key == 'A') {
        if (CanSelectAll() && (EditActions & geaSelectAllGx)) FSelection->SelectAll();
        return true;
    }
    if (ctrl && Key == VK_DELETE && (EditActions & geaDeleteGx) && FSelection->SelectionType() != gstNon) {
        if (CanDeleteSelection()) DeleteGridSelection(&source, false);
        return true;
    }
    return false;
}
