// 确定 of an edit dialog: the member's checks, then one transaction in which the stored row is
// first compared with the row as loaded (when editing) and the record written; the list opens
// again on the saved row (located by id, also after an insert), and the dialog either empties
// itself for the next record (连续新增) or closes. A refused or failed save keeps the dialog open
// with what was typed.
#include "app/registers/EditDialog.h"

#include "app/registers/ListWindow.h"

#include "gui/StdCtrls.h"

bool TEditDialog::SaveClick() {
    if (!CheckFields()) return false;
    int id = 0;
    if (!RunSaveTransaction([&] { id = WriteRecord(); })) return false;
    FList->ReopenAt(id);
    AfterSave(id);
    if (ContinuousAddAllowed() && CheckBox1->Visible() && CheckBox1->Checked()) {
        LoadEditorFields(false);
        if (TWinControl* first = FirstField(); first && first->CanFocus()) first->SetFocus();
        return true;
    }
    SetModalResult(mrOk);
    return true;
}
