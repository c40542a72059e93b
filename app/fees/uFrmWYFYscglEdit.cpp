// The grid edit mode of the fee ledger: pending rows in the query's client batch, saved in one
// transaction or cancelled; the insert guard; what stays locked while rows are pending; the
// question on closing with pending rows.
#include "app/fees/uFrmWYFYscgl.h"

#include "app/fees/FeeGeneration.h"
#include "app/fees/FeeRules.h"
#include "app/fees/uDLGggDateEdit.h"
#include "app/fees/uDLGwyfySCedit.h"
#include "app/fees/uFrmWYFYscEdit.h"
#include "app/fees/uFrmWYFYscEdit1.h"

#include "app/registers/SaveTransaction.h"

#include "app/core/Vardessa.h"

#include "controls/WnPageControl.h"
#include "db/ADODB.h"
#include "grid/DBGridGx.h"
#include "gui/ActnList.h"
#include "gui/Buttons.h"
#include "gui/Colors.h"
#include "gui/ComCtrls.h"
#include "gui/StdCtrls.h"
#include "rtl/StrUtils.h"

namespace {

// The columns grid edit draws aqua and keeps read-only.
const char* const KeyColumns[] = {"F_XQname", "F_LDcode", "F_FZcode", "F_fromDate", "F_toDate", "F_SFdate"};

// The grid's column of the field, nullptr when the grid (a saved layout) has none.
TColumnGx* FindColumn(TDBGridGx* grid, const String& field) {
    for (int i = 0; i < grid->Columns()->Count(); ++i)
        if (SameText(grid->Columns()->ColumnAt(i)->FieldName(), field)) return grid->Columns()->ColumnAt(i);
    return nullptr;
}

} // namespace

bool TfrmWYFYscgl::Pending() const {
    return Action4->Enabled();
}

void TfrmWYFYscgl::LockReloading(bool locked) {
    for (TControl* control :
         std::initializer_list<TControl*>{ComboBox1, Edit1, ComboBox2, SpeedButton1, dtpFromDate, dtpToDate,
                                          cbbListType, vleList, Button1, tbNew, tbEdit, tbDel})
        control->SetEnabled(!locked);
}

void TfrmWYFYscgl::SetGridsEditable(bool editable) {
    for (TDBGridGx* grid : {DBGridGx1, DBGridGx2}) {
        grid->SetReadOnly(!editable);
        const TDBGridOptions options = grid->Options();
        grid->SetOptions(static_cast<TDBGridOptions>(editable ? (options & ~dgRowSelect) | dgEditing
                                                              : options | dgRowSelect));
    }
}

void TfrmWYFYscgl::GuardPaidCells(TDBGridGx* grid) {
    for (int i = 0; i < grid->Columns()->Count(); ++i) {
        TColumnGx* column = grid->Columns()->ColumnAt(i);
        if (!FeeFieldKeptWhenPaid(column->FieldName().c_str())) continue;
        column->OnGetCellParams = [this](TObject*, bool editMode, TColCellParamsGx* params) {
            if (editMode && FeeRowPaid(QryTable)) params->ReadOnly = true;
        };
    }
}

void TfrmWYFYscgl::SetGridEditMode(bool on) {
    Action1->SetEnabled(!on);
    Action2->SetEnabled(!on);
    Action3->SetEnabled(!on);
    Action4->SetEnabled(on);
    Action5->SetEnabled(on);
    ToolBar1->SetVisible(!on);
    LockReloading(on);
    // A saved layout may lack a key column: the others are switched all the same.
    for (TDBGridGx* grid : {DBGridGx1, DBGridGx2}) {
        for (const char* field : KeyColumns)
            if (TColumnGx* column = FindColumn(grid, field)) {
                column->SetColor(on ? clAqua : clWindow);
                column->SetReadOnly(true);
            }
        if (on) GuardPaidCells(grid);
    }
}

void TfrmWYFYscgl::GridEditClick() {
    SetGridsEditable(true);
    SetGridEditMode(true);
}

bool TfrmWYFYscgl::SaveEditClick() {
    if (QryTable->Active()) {
        try {
            if (QryTable->State() == dsEdit || QryTable->State() == dsInsert) QryTable->Post();
            // All pending rows in one transaction: a failing row, or one another station changed
            // since it was read, leaves the database and the batch as they were. Generated rows
            // are checked first, inside it: a period another station saved meanwhile is not
            // billed twice.
            const std::vector<TPendingFeeRow> generated =
                RowsGenerated ? PendingInsertedRows(QryTable) : std::vector<TPendingFeeRow>();
            QryTable->UpdateBatch(arAll, [&] {
                if (const int billed = PendingRowsAlreadyBilled(generated); billed > 0)
                    throw ESaveRefused(FeePeriodExistsMessage(billed), 0, nullptr);
            });
        } catch (const EAbort&) {
            return false;
        } catch (const ESaveRefused& refused) {
            ShowMess(refused.Message(), refused.Kind);
            return false;
        } catch (const std::exception&) {
            ShowMess(MsgSaveFailed, 3);
            return false;
        }
    }
    RowsGenerated = false;
    SetGridsEditable(false);
    SetGridEditMode(false);
    return true;
}

void TfrmWYFYscgl::CancelEditClick() {
    RowsGenerated = false;
    SetGridsEditable(false);
    SetGridEditMode(false);
    if (QryTable->Active()) QryTable->CancelBatch(arAll);
}

bool TfrmWYFYscgl::CloseQuery() {
    if (Pending()) {
        // The affirmative answer keeps the window open with its rows pending, to be saved.
        if (ShowMess(MsgFeePendingClose, 1) == 1) return false;
        CancelEditClick();
    }
    return TListWindow::CloseQuery();
}

void TfrmWYFYscgl::EditClick() {
    if (!ToolBar1->Visible()) return; // grid edit mode
    TListWindow::EditClick();
}

void TfrmWYFYscgl::OpenEditor(bool editMode) {
    // Page 0 the meter readings, page 1 the quantities.
    std::unique_ptr<TFeeRecordEditor> editor;
    if (rpcList->ActivePageIndex() == 0)
        editor = std::make_unique<TfrmWYFYscEdit>(this);
    else
        editor = std::make_unique<TfrmWYFYscEdit1>(this);
    DispFormPos(editor.get(), 1);
    editor->ShowEditor(editMode);
}

void TfrmWYFYscgl::BatchAddClick() {
    if (!QryTable->Active()) return;
    auto dialog = std::make_unique<TDLGwyfySCedit>(this);
    DispFormPos(dialog.get(), 1);
    dialog->GenerateFeeRecords();
}

void TfrmWYFYscgl::BatchDateClick() {
    if (ListEmpty()) {
        ShowMess(MsgNoFeeRowsToRedate, 0);
        return;
    }
    auto dialog = std::make_unique<TDLGggDateEdit>(this);
    DispFormPos(dialog.get(), 1);
    dialog->ApplyPeriodDates();
}
