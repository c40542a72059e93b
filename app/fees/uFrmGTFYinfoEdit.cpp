#include "app/fees/uFrmGTFYinfoEdit.h"

#include "app/fees/uDLGgtcltXZ.h"
#include "app/fees/uFrmGTFYinfoGL.h"

#include "app/registers/DialogControls.h"
#include "app/registers/TypedText.h"

#include "app/core/DataDm.h"
#include "app/core/PubUnit.h"
#include "app/core/Vardessa.h"

#include "controls/kxCurrEdit.h"
#include "db/ADODB.h"
#include "db/DataSource.h"
#include "grid/DBGridGx.h"
#include "gui/ActnList.h"
#include "gui/Colors.h"
#include "gui/ExtCtrls.h"
#include "gui/Input.h"
#include "gui/Menus.h"
#include "gui/StdCtrls.h"

void BuildMeterHouseholdColumns(TDBGridGx* grid); // uFrmGTFYinfoGL.cpp

namespace {

void PostMeterRow(TDataSet* dataSet) {
    if (dataSet->State() == dsEdit || dataSet->State() == dsInsert) dataSet->Post();
}

// The F_ID of a meter other than `id` whose field holds the value (0 when none).
int MeterWith(const char* field, const String& value, int id) {
    TSqlStatement statement;
    statement.Add(String("Select F_ID From t_GTinfo Where ") + field + " = :value").Param("value", value);
    if (id > 0) statement.Add(" and F_ID <> :id").Param("id", id);
    TADOQuery* query = dmData->QryPub();
    SetStatement(query, statement);
    query->Open();
    const int found = query->IsEmpty() ? 0 : query->Fields()[0]->AsInteger();
    query->Close();
    return found;
}

} // namespace

TfrmGTFYinfoEdit::TfrmGTFYinfoEdit(TfrmGTFYinfoGL* list) : TEditDialog(list, MeterDialogTitle), FRegister(list) {
    SetName("frmGTFYinfoEdit");
    SetClientWidth(640);
    SetClientHeight(480);
    Button1->OnClick = [this](TObject*) { SaveMeter(); };
    GroupBox1 = new TGroupBox(this);
    GroupBox1->SetName("GroupBox1");
    GroupBox1->SetParent(this);
    GroupBox1->SetAlign(alTop);
    GroupBox1->SetHeight(140);
    GroupBox1->SetCaption("");
    const int left = 14, middle = 224, right = 434, width = 120;
    edtCode = AddEdit(this, GroupBox1, "edtCode", "编    号：", left, 16, width);
    edtName = AddEdit(this, GroupBox1, "edtName", "名    称：", middle, 16, width);
    cbbType = AddCombo(this, GroupBox1, "cbbType", "类    型：", right, 16, width,
                       "select f_name from t_FYinfo where F_sfType = '按用量' ");
    rceAmount = AddCurrencyEdit(this, GroupBox1, "rceAmount", "读    数：", left, 46, width);
    rceAmount->SetDecimalPlaces(4);
    rceAmount->SetDisplayFormat("0.####");
    cbbXQname = AddEstateCombo(this, GroupBox1, "cbbXQname", "小区名称：", middle, 46, width);
    Memo1 = AddMemo(this, GroupBox1, "Memo1", "备    注：", left, 76, 540, 50);
    LimitToColumns("t_GTinfo", {{edtCode, "F_code"}, {edtName, "F_name"}, {cbbType, "F_type"}, {cbbXQname, "F_XQname"}});
    BuildHouseholds();
}

TfrmGTFYinfoEdit::~TfrmGTFYinfoEdit() {
    // The grid shows the register's households: it lets go of them before the register does.
    DBGridGx2->SetDataSource(nullptr);
}

void TfrmGTFYinfoEdit::BuildHouseholds() {
    ActionList1 = new TActionList(this);
    ActionList1->SetName("ActionList1");
    Action1 = new TAction(this);
    Action1->SetName("Action1");
    Action1->SetCaption("新增");
    Action1->SetShortCut(ShortCut('A', TShiftState{ssCtrl}));
    Action1->SetActionList(ActionList1);
    Action1->OnExecute = [this](TObject*) { PickMeterHouseholds(); };
    Action2 = new TAction(this);
    Action2->SetName("Action2");
    Action2->SetCaption("删除");
    Action2->SetShortCut(ShortCut('D', TShiftState{ssCtrl}));
    Action2->SetActionList(ActionList1);
    Action2->OnExecute = [this](TObject*) { DeleteHousehold(); };
    PanelHouseholds = new TPanel(this);
    PanelHouseholds->SetName("PanelHouseholds");
    PanelHouseholds->SetParent(this);
    PanelHouseholds->SetAlign(alTop);
    PanelHouseholds->SetHeight(32);
    PanelHouseholds->SetBevelOuter(bvNone);
    PanelHouseholds->SetCaption("");
    auto* caption = new TLabel(this);
    caption->SetParent(PanelHouseholds);
    caption->SetBounds(14, 9, 140, 16);
    caption->SetCaption("分摊当前表的用户：");
    btnAdd = new TButton(this);
    btnAdd->SetName("btnAdd");
    btnAdd->SetParent(PanelHouseholds);
    btnAdd->SetBounds(160, 4, 70, 24);
    btnAdd->SetAction(Action1);
    btnDel = new TButton(this);
    btnDel->SetName("btnDel");
    btnDel->SetParent(PanelHouseholds);
    btnDel->SetBounds(236, 4, 70, 24);
    btnDel->SetAction(Action2);
    for (TButton* button : {btnAdd, btnDel})
        button->SetTabStop(false);
    DBGridGx2 = new TDBGridGx(this);
    DBGridGx2->SetName("DBGridGx2");
    DBGridGx2->SetParent(this);
    DBGridGx2->SetAlign(alClient);
    DBGridGx2->SetReadOnly(true);
    DBGridGx2->DrawMemoText = true;
    DBGridGx2->SetOptions(DBGridGx2->Options() | dgRowSelect | dgAlwaysShowSelection);
    DBGridGx2->SetDataSource(FRegister->dsDetail);
    BuildMeterHouseholdColumns(DBGridGx2);
    if (TColumnGx* room = DBGridGx2->ColumnByFieldName("F_FZcode")) {
        room->SetButtonStyle(cbsEllipsis);
        room->OnEditButtonClick = [this](TObject*, bool& handled) {
            handled = true;
            PickMeterHouseholds();
        };
    }
    PopupMenu1 = new TPopupMenu(this);
    PopupMenu1->SetName("PopupMenu1");
    for (TAction* action : {Action1, Action2}) {
        auto* item = new TMenuItem(this);
        item->SetAction(action);
        PopupMenu1->Items()->Add(item);
    }
    DBGridGx2->SetPopupMenu(PopupMenu1);
}

void TfrmGTFYinfoEdit::SetEditorMode(bool editMode) {
    TEditDialog::SetEditorMode(editMode);
    edtCode->SetReadOnly(editMode);
    edtCode->SetColor(editMode ? clAqua : clWindow);
    edtCode->SetTabStop(!editMode);
}

void TfrmGTFYinfoEdit::LoadEditorFields(bool fromList) {
    if (!fromList) {
        for (TEdit* edit : {edtCode, edtName})
            edit->SetText("");
        cbbType->SetText("");
        Memo1->SetText("");
        rceAmount->SetValue(0);
        return; // the estate is kept
    }
    TADOQuery* row = FRegister->QryTable;
    edtCode->SetText(row->FieldByName("F_code")->AsString());
    edtName->SetText(row->FieldByName("F_name")->AsString());
    cbbType->SetText(row->FieldByName("F_type")->AsString());
    rceAmount->SetValue(row->FieldByName("F_amount")->AsFloat());
    Memo1->SetText(row->FieldByName("F_memo1")->AsString());
    cbbXQname->SetText(row->FieldByName("F_XQname")->AsString());
}

void TfrmGTFYinfoEdit::PickMeterHouseholds() {
    TADOQuery* households = FRegister->QryDetail;
    PostMeterRow(households);
    // The pool: every room code but those on this meter, saved or pending.
    dmData->RunSQL("delete from tempCode");
    dmData->RunSQL("insert into tempCode(F_code)select F_code from t_FCinfo order by F_code");
    if (households->Active()) {
        households->DisableControls();
        const TBookmark place = households->GetBookmark();
        for (households->First(); !households->Eof(); households->Next()) {
            TSqlStatement statement;
            statement.Add("delete from tempCode where F_code = :code")
                .Param("code", households->FieldByName("F_FZcode")->AsString());
            try {
                ExecStatement(dmData->QryPub(), statement);
            } catch (const std::exception&) {
                ShowMess(MsgOperationFailed, 3);
            }
        }
        try {
            households->GotoBookmark(place);
        } catch (const std::exception&) {
            households->First();
        }
        households->EnableControls();
    }
    TDLGgtcltXZ picker(this);
    picker.QueryMeterHouses();
    picker.ShowModal();
}

void TfrmGTFYinfoEdit::DeleteHousehold() {
    TADOQuery* households = FRegister->QryDetail;
    if (!households->Active() || households->IsEmpty()) return;
    const String name = households->FieldByName("F_FZname")->AsString();
    if (ShowMess("真的要删除当前用户名为 \"" + name + "\"的信息吗？", 1) == 1) households->Delete();
}

bool TfrmGTFYinfoEdit::SaveMeter() {
    const int id = EditMode() ? FRegister->CurrentId() : 0;
    const String code = TypedText(edtCode->Text());
    const String name = TypedText(edtName->Text());
    if (code.empty()) {
        ShowMess(MsgMeterCodeEmpty, 0);
        if (edtCode->CanFocus()) edtCode->SetFocus();
        return false;
    }
    try {
        if (MeterWith("F_code", code, id) > 0) {
            ShowMess(MsgMeterCodeTaken, 3);
            if (edtCode->CanFocus()) edtCode->SetFocus();
            return false;
        }
        if (MeterWith("F_name", name, id) > 0) {
            ShowMess(MsgMeterNameTaken, 3);
            if (edtName->CanFocus()) edtName->SetFocus();
            return false;
        }
    } catch (const std::exception&) {
        ShowMess(MsgMeterSaveFailed, 3);
        return false;
    }
    TADOQuery* households = FRegister->QryDetail;
    TADOConnection* cnn = dmData->ADOcnn();
    int savedId = id;
    try {
        cnn->BeginTrans();
        TSqlStatement statement;
        if (EditMode()) {
            statement.Add("Update t_GTinfo Set F_code = :code,F_name = :name,F_type = :type, F_amount = :Amount,"
                          "F_memo1 = :memo1,F_XQname = :XQname Where F_ID = :ID ");
            statement.Param("ID", id);
        } else {
            statement.Add("Insert into t_GTinfo(F_Code,F_name,F_type,F_amount,F_memo1,F_XQname) "
                          "Values(:code,:name,:type,:amount,:memo1,:XQname) ");
        }
        statement.Param("code", code)
            .Param("name", name)
            .Param("type", TypedText(cbbType->Text()))
            .Param("amount", static_cast<double>(rceAmount->Value()))
            .Param("memo1", TypedMemo(Memo1->Text()))
            .Param("XQname", TypedText(cbbXQname->Text()));
        ExecStatement(dmData->QryPub(), statement);
        if (!EditMode()) savedId = InsertedId("t_GTinfo");
        if (households->Active()) {
            PostMeterRow(households);
            // Every household belongs to the code saved, whatever 编号 held when it was picked.
            households->DisableControls();
            for (households->First(); !households->Eof(); households->Next())
                if (households->FieldByName("F_code")->AsString() != code) {
                    households->Edit();
                    households->FieldByName("F_code")->SetAsString(code);
                    households->Post();
                }
            households->EnableControls();
            // The households last: a batch written stops being pending.
            households->UpdateBatch(arAll);
        }
        cnn->CommitTrans();
    } catch (const std::exception&) {
        try {
            if (cnn->InTransaction()) cnn->RollbackTrans();
        } catch (const std::exception&) {
        }
        if (households->Active() && households->ControlsDisabled()) households->EnableControls();
        ShowMess(MsgMeterSaveFailed, 3);
        return false;
    }
    FRegister->ReopenAt(savedId);
    FRegister->AttachHouseholds();
    if (EditMode()) {
        SetModalResult(mrOk);
        return true;
    }
    if (CheckBox1->Visible() && CheckBox1->Checked()) {
        LoadEditorFields(false);
        FRegister->DetachHouseholds("GTFYcode");
        if (edtName->CanFocus()) edtName->SetFocus();
        SetEditorMode(false);
        return true;
    }
    SetModalResult(mrOk);
    return true;
}

void TfrmGTFYinfoEdit::KeyDown(Word& Key, TShiftState Shift) {
    if (Shift.Contains(ssCtrl) && (Key == 'A' || Key == 'D')) {
        (Key == 'A' ? Action1 : Action2)->Execute();
        Key = 0;
        return;
    }
    TEditDialog::KeyDown(Key, Shift);
}
