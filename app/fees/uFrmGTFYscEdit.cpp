#include "app/fees/uFrmGTFYscEdit.h"

#include "app/fees/SharedShares.h"
#include "app/fees/uDLGgtbXZ.h"
#include "app/fees/uFrmGTFYscgl.h"

#include "app/registers/DialogControls.h"
#include "app/registers/TypedText.h"

#include "app/core/DataDm.h"
#include "app/core/PubUnit.h"
#include "app/core/Vardessa.h"

#include "controls/kxCurrEdit.h"
#include "db/ADODB.h"
#include "db/DB.h"
#include "db/DataSource.h"
#include "grid/DBGridGx.h"
#include "gui/ActnList.h"
#include "gui/Buttons.h"
#include "gui/Colors.h"
#include "gui/ComCtrls.h"
#include "gui/ExtCtrls.h"
#include "gui/Input.h"
#include "gui/Menus.h"
#include "gui/StdCtrls.h"
#include "rtl/DateUtils.h"
#include "rtl/Format.h"

namespace {

void PostShareRow(TDataSet* dataSet) {
    if (dataSet->State() == dsEdit || dataSet->State() == dsInsert) dataSet->Post();
}

TCurrencyEdit* ShareEdit(TComponent* owner, TWinControl* parent, const String& name, const String& caption, int left,
                         int top, int width) {
    TCurrencyEdit* edit = AddCurrencyEdit(owner, parent, name, caption, left, top, width);
    edit->SetDecimalPlaces(4);
    edit->SetMinValue(0);
    edit->SetMaxValue(0);
    return edit;
}

// A reading as the decimal it reads.
Currency Reading(TCustomNumEdit* edit) {
    return Currency::FromDouble(edit->Value());
}

} // namespace

TfrmGTFYscEdit::TfrmGTFYscEdit(TfrmGTFYscgl* list) : TEditDialog(list, SharedFeeDialogTitle), FRegister(list) {
    SetName("frmGTFYscEdit");
    SetClientWidth(760);
    SetClientHeight(560);
    Button1->OnClick = [this](TObject*) { SaveSharedFee(); };
    BuildFields();
    BuildRows();
}

TfrmGTFYscEdit::~TfrmGTFYscEdit() {
    DBGridGx1->SetDataSource(nullptr);
    for (TCurrencyEdit* edit : {rceBamount, rceEamount, rceAmount, cePrice, ceTotalPrice})
        edit->OnChange = nullptr;
    edtName->OnChange = nullptr;
    edtGTid->OnChange = nullptr;
    dtpToDate->OnChange = nullptr;
}

void TfrmGTFYscEdit::BuildFields() {
    GroupBox1 = new TGroupBox(this);
    GroupBox1->SetName("GroupBox1");
    GroupBox1->SetParent(this);
    GroupBox1->SetAlign(alTop);
    GroupBox1->SetHeight(220);
    GroupBox1->SetCaption("");
    const int left = 14, middle = 264, right = 514, width = 150;
    edtCode = AddEdit(this, GroupBox1, "edtCode", "编    号：", left, 16, width - 26);
    sbFind = new TSpeedButton(this);
    sbFind->SetName("sbFind");
    sbFind->SetParent(GroupBox1);
    sbFind->SetBounds(left + DialogLabelWidth + width - 24, 15, 24, 23);
    sbFind->SetCaption("…");
    sbFind->OnClick = [this](TObject*) { PickSharedMeter(); };
    edtName = AddEdit(this, GroupBox1, "edtName", "名    称：", middle, 16, width);
    edtType = AddEdit(this, GroupBox1, "edtType", "类    型：", right, 16, width - 10);
    for (TEdit* edit : {edtName, edtType}) {
        edit->SetReadOnly(true);
        edit->SetColor(clAqua);
    }
    dtpFromDate = AddDatePicker(this, GroupBox1, "dtpFromDate", "上次日期：", left, 46, width);
    dtpToDate = AddDatePicker(this, GroupBox1, "dtpToDate", "本次日期：", middle, 46, width);
    dtpSFdate = AddDatePicker(this, GroupBox1, "dtpSFdate", "交费期限：", right, 46, width - 10);
    rceBamount = ShareEdit(this, GroupBox1, "rceBamount", "上次读数：", left, 76, width);
    rceEamount = ShareEdit(this, GroupBox1, "rceEamount", "本次读数：", middle, 76, width);
    rceAmount = ShareEdit(this, GroupBox1, "rceAmount", "本次用量：", right, 76, width - 10);
    cePrice = ShareEdit(this, GroupBox1, "cePrice", "单    价：", left, 106, width);
    ceTotalPrice = ShareEdit(this, GroupBox1, "ceTotalPrice", "应交费用：", middle, 106, width);
    cbbEmpName = AddCombo(this, GroupBox1, "cbbEmpName", "经 手 人：", right, 106, width - 10,
                          "select distinct F_name from t_code where (F_name <> '') and F_type = 'empname' ");
    dtpEditDate = AddDatePicker(this, GroupBox1, "dtpEditDate", "编辑日期：", left, 136, width);
    edtOperName = AddEdit(this, GroupBox1, "edtOperName", "录入人员：", middle, 136, width);
    edtOperName->SetReadOnly(true);
    edtOperName->SetColor(clAqua);
    cbbXQname = AddEstateCombo(this, GroupBox1, "cbbXQname", "小区名称：", right, 136, width - 10);
    Memo1 = AddMemo(this, GroupBox1, "Memo1", "备    注：", left, 166, 420, 44);
    edtGTid = AddEdit(this, GroupBox1, "edtGTid", "流水编号：", right, 176, width - 10);
    edtGTid->SetReadOnly(true);
    edtGTid->SetColor(clAqua);
    LimitToColumns("t_wyGTrec", {{edtCode, "F_GTcode"}, {cbbEmpName, "F_empName"}, {cbbXQname, "F_XQname"}});
    rceBamount->OnChange = [this](TObject*) { AmountsChanged(); };
    rceEamount->OnChange = [this](TObject*) { AmountsChanged(); };
    for (TCurrencyEdit* edit : {rceAmount, cePrice})
        edit->OnChange = [this](TObject*) { UsageChanged(); };
    edtName->OnChange = [this](TObject*) { UsageChanged(); };
    edtGTid->OnChange = [this](TObject*) { UsageChanged(); };
    ceTotalPrice->OnChange = [this](TObject*) { SplitEvenly(2); };
    dtpToDate->OnChange = [this](TObject*) {
        if (!FLoading && !FSettled) dtpSFdate->SetDate(IncMonth(dtpToDate->Date(), 1));
    };
}

void TfrmGTFYscEdit::BuildRows() {
    ActionList1 = new TActionList(this);
    ActionList1->SetName("ActionList1");
    Action1 = new TAction(this);
    Action1->SetName("Action1");
    Action1->SetCaption("编    辑");
    Action1->SetActionList(ActionList1);
    Action1->OnExecute = [this](TObject*) { PickSharedMeter(); };
    Action2 = new TAction(this);
    Action2->SetName("Action2");
    Action2->SetCaption("删    除");
    Action2->SetActionList(ActionList1);
    Action2->OnExecute = [this](TObject*) { DeleteShareRow(); };
    PanelRows = new TPanel(this);
    PanelRows->SetName("PanelRows");
    PanelRows->SetParent(this);
    PanelRows->SetAlign(alTop);
    PanelRows->SetHeight(32);
    PanelRows->SetBevelOuter(bvNone);
    PanelRows->SetCaption("");
    auto* caption = new TLabel(this);
    caption->SetParent(PanelRows);
    caption->SetBounds(14, 9, 140, 16);
    caption->SetCaption("分摊当前表的用户：");
    btnPick = new TButton(this);
    btnPick->SetName("btnPick");
    btnPick->SetParent(PanelRows);
    btnPick->SetBounds(160, 4, 80, 24);
    btnPick->SetAction(Action1);
    btnDel = new TButton(this);
    btnDel->SetName("btnDel");
    btnDel->SetParent(PanelRows);
    btnDel->SetBounds(246, 4, 80, 24);
    btnDel->SetAction(Action2);
    btnSplit = new TButton(this);
    btnSplit->SetName("btnSplit");
    btnSplit->SetParent(PanelRows);
    btnSplit->SetBounds(332, 4, 80, 24);
    btnSplit->SetCaption("平均分摊");
    btnSplit->OnClick = [this](TObject*) { SplitEvenly(0); };
    for (TButton* button : {btnPick, btnDel, btnSplit})
        button->SetTabStop(false);
    DBGridGx1 = new TDBGridGx(this);
    DBGridGx1->SetName("DBGridGx1");
    DBGridGx1->SetParent(this);
    DBGridGx1->SetAlign(alClient);
    DBGridGx1->SetOptions(DBGridGx1->Options() | dgMultiSelect);
    DBGridGx1->SetFooterRowCount(1);
    DBGridGx1->SumList()->SetActive(true);
    DBGridGx1->SetDataSource(FRegister->dsDetail);
    DBGridGx1->BeginLayout();
    struct TRowColumn {
        const char* Field;
        const char* Caption;
        TFooterValueType Footer;
    };
    const TRowColumn columns[] = {
        {"F_XQname", "小区名称", fvtStaticText}, {"F_LDcode", "楼幢号", fvtNon}, {"F_FZcode", "房间编号", fvtNon},
        {"F_FZname", "业主姓名", fvtNon},        {"F_amount", "分摊量", fvtSum}, {"F_totalPrice", "分摊费用", fvtSum},
    };
    for (const TRowColumn& spec : columns) {
        TColumnGx* column = DBGridGx1->Columns()->AddColumn();
        column->SetFieldName(spec.Field);
        column->Title()->SetCaption(spec.Caption);
        column->Title()->SetAlignment(taCenter);
        column->SetWidth(100);
        column->Footer()->SetValueType(spec.Footer);
        if (spec.Footer == fvtStaticText) column->Footer()->SetValue("合  计");
    }
    DBGridGx1->EndLayout();
    PopupMenu1 = new TPopupMenu(this);
    PopupMenu1->SetName("PopupMenu1");
    for (TAction* action : {Action1, Action2}) {
        auto* item = new TMenuItem(this);
        item->SetAction(action);
        PopupMenu1->Items()->Add(item);
    }
    DBGridGx1->SetPopupMenu(PopupMenu1);
}

void TfrmGTFYscEdit::SetEditorMode(bool editMode) {
    TEditDialog::SetEditorMode(editMode);
    edtCode->SetReadOnly(editMode);
    edtCode->SetColor(editMode ? clAqua : clWindow);
    rceBamount->SetDisplayFormat(FmtAmount);
    rceEamount->SetDisplayFormat(FmtAmount);
    rceAmount->SetDisplayFormat(FmtAmount);
    cePrice->SetDisplayFormat(FmtPrice);
    ceTotalPrice->SetDisplayFormat(FmtTotal);
    dmData->ApplyColumnFormats(DBGridGx1, 1);
}

void TfrmGTFYscEdit::LoadEditorFields(bool fromList) {
    FLoading = true;
    FSettled = false;
    if (!fromList) {
        for (TEdit* edit : {edtCode, edtName, edtType})
            edit->SetText("");
        cbbEmpName->SetText("");
        Memo1->SetText("");
        for (TDateTimePicker* picker : {dtpFromDate, dtpToDate, dtpSFdate, dtpEditDate})
            picker->SetDate(Date());
        for (TCurrencyEdit* edit : {rceBamount, rceEamount, rceAmount, ceTotalPrice})
            edit->SetValue(0);
        cePrice->SetValue(FRegister->CurSFprice.ToDouble());
        edtOperName->SetText(OperName);
        FLoading = false;
        return;
    }
    TADOQuery* row = FRegister->QryTable;
    auto text = [row](const char* field) { return row->FieldByName(field)->AsString(); };
    // A record with a paid share opens as saved: nothing re-splits its rows.
    try {
        FSettled = SharedFeeRecordPaid(text("F_GTid"));
    } catch (const std::exception&) {
        FSettled = false;
    }
    edtGTid->SetText(text("F_GTid"));
    edtCode->SetText(text("F_GTcode"));
    edtName->SetText(text("F_GTname"));
    edtType->SetText(text("F_GTtype"));
    cbbEmpName->SetText(text("F_EmpName"));
    DateFieldToPicker(*dtpFromDate, *row->FieldByName("F_fromDate"));
    DateFieldToPicker(*dtpToDate, *row->FieldByName("F_toDate"));
    rceBamount->SetValue(row->FieldByName("F_Bamount")->AsFloat());
    rceEamount->SetValue(row->FieldByName("F_Eamount")->AsFloat());
    rceAmount->SetValue(row->FieldByName("F_Amount")->AsFloat());
    cePrice->SetValue(row->FieldByName("F_price")->AsCurrency().ToDouble());
    ceTotalPrice->SetValue(row->FieldByName("F_totalPrice")->AsCurrency().ToDouble());
    DateFieldToPicker(*dtpSFdate, *row->FieldByName("F_SFdate"));
    Memo1->SetText(text("F_memo1"));
    DateFieldToPicker(*dtpEditDate, *row->FieldByName("F_editDate"));
    edtOperName->SetText(text("F_operName"));
    cbbXQname->SetText(text("F_XQname"));
    FLoading = false;
}

void TfrmGTFYscEdit::AmountsChanged() {
    if (FSettled) return;
    rceAmount->SetValue((Reading(rceEamount) - Reading(rceBamount)).ToDouble());
}

void TfrmGTFYscEdit::UsageChanged() {
    if (FSettled) return;
    ceTotalPrice->SetValue(MulQuantity(MoneyOf(cePrice), static_cast<double>(rceAmount->Value())).ToDouble());
    SplitEvenly(1);
}

void TfrmGTFYscEdit::SplitEvenly(int what) {
    if (FSettled) return;
    TADOQuery* rows = FRegister->QryDetail;
    if (!rows->Active()) return;
    PostShareRow(rows);
    const int count = rows->RecordCount();
    if (count == 0) return;
    const double usage = static_cast<double>(rceAmount->Value()) / count;
    const std::vector<Currency> shares = SplitMoney(MoneyOf(ceTotalPrice), count, DecTotal);
    rows->DisableControls();
    int i = 0;
    for (rows->First(); !rows->Eof() && i < count; rows->Next(), ++i) {
        rows->Edit();
        if (what == 0 || what == 1) rows->FieldByName("F_amount")->SetAsFloat(usage);
        if (what == 0 || what == 2) rows->FieldByName("F_totalPrice")->SetAsCurrency(shares[i]);
        rows->Post();
    }
    rows->First();
    rows->EnableControls();
}

void TfrmGTFYscEdit::StampShareRows(const String& id) {
    TADOQuery* rows = FRegister->QryDetail;
    if (!rows->Active()) return;
    PostShareRow(rows);
    const Currency price = MoneyOf(cePrice); // the price the shares were worked out from
    const String memo = edtName->Text() + ":费用公摊";
    rows->DisableControls();
    for (rows->First(); !rows->Eof(); rows->Next()) {
        rows->Edit();
        rows->FieldByName("F_GTid")->SetAsString(id);
        rows->FieldByName("F_price")->SetAsCurrency(price);
        rows->FieldByName("F_fromDate")->SetAsDateTime(dtpFromDate->Date());
        rows->FieldByName("F_toDate")->SetAsDateTime(dtpToDate->Date());
        rows->FieldByName("F_SFdate")->SetAsDateTime(dtpSFdate->Date());
        rows->FieldByName("F_editDate")->SetAsDateTime(dtpEditDate->Date());
        rows->FieldByName("F_empName")->SetAsString(TypedText(cbbEmpName->Text()));
        rows->FieldByName("F_OperName")->SetAsString(TypedText(edtOperName->Text()));
        rows->FieldByName("F_GTflag")->SetAsInteger(1);
        rows->FieldByName("F_SFtype")->SetAsString(FRegister->CurSFtype);
        rows->FieldByName("F_SFname")->SetAsString(FRegister->CurSFname);
        rows->FieldByName("F_memo1")->SetAsString(memo);
        rows->Post();
    }
    rows->EnableControls();
}

void TfrmGTFYscEdit::PickSharedMeter() {
    if (FSettled) return;
    TDLGgtbXZ picker(this);
    picker.QuerySharedMeters();
    if (picker.ShowModal() != mrOk || !picker.QryMeters->Active() || picker.QryMeters->IsEmpty()) return;
    TADOQuery* meter = picker.QryMeters;
    edtCode->SetText(meter->FieldByName("F_code")->AsString());
    edtName->SetText(meter->FieldByName("F_name")->AsString());
    edtType->SetText(meter->FieldByName("F_type")->AsString());
    cePrice->SetValue(FRegister->CurSFprice.ToDouble());
    rceBamount->SetValue(meter->FieldByName("F_amount")->AsFloat());
    if (rceEamount->Value() == 0) rceEamount->SetValue(rceBamount->Value());
    TADOQuery* households = picker.QryHouseholds;
    if (!households->Active() || households->IsEmpty()) return; // the rows already there stay
    TADOQuery* rows = FRegister->QryDetail;
    PostShareRow(rows);
    rows->DisableControls();
    rows->First();
    while (!rows->IsEmpty())
        rows->Delete();
    for (households->First(); !households->Eof(); households->Next()) {
        rows->Append();
        rows->FieldByName("F_mainID")->SetAsInteger(households->FieldByName("F_mainID")->AsInteger());
        for (const char* field : {"F_XQname", "F_LDcode", "F_FZcode", "F_FZname"})
            rows->FieldByName(field)->SetAsString(households->FieldByName(field)->AsString());
        rows->FieldByName("F_JFflag")->SetAsBoolean(false);
        rows->FieldByName("F_GTflag")->SetAsInteger(1);
        rows->Post();
    }
    rows->First();
    rows->EnableControls();
}

void TfrmGTFYscEdit::DeleteShareRow() {
    TADOQuery* rows = FRegister->QryDetail;
    if (FSettled || !rows->Active() || rows->IsEmpty()) return;
    const String room = rows->FieldByName("F_FZcode")->AsString();
    if (ShowMess("真的要删除当前房间编号为 \"" + room + "\"的分摊信息吗？", 1) == 1) rows->Delete();
}

void TfrmGTFYscEdit::WriteHeader(const String& id, int recordId) {
    TSqlStatement statement;
    if (recordId > 0) {
        statement.Add("Update t_wyGTrec Set F_GTcode = :GTcode,F_GTname = :GTname,F_GTtype = :GTtype, "
                      "F_GThs = :GThs,F_fromDate = :fromDate,F_toDate = :toDate,F_SFdate = :SFdate, "
                      "F_Bamount = :Bamount,F_Eamount = :Eamount,F_amount = :amount,F_price = :price, "
                      "F_totalPrice = :totalPrice,F_memo1 = :memo1,F_empName = :empName, "
                      "F_OperName = :OperName,F_SFtype = :SFtype,F_SFname = :SFname,F_editDate = :editDate, "
                      "F_GTid = :GTid,F_XQname = :XQname Where F_ID = :ID ");
        statement.Param("ID", recordId);
    } else {
        statement.Add("Insert into t_wyGTrec(F_GTcode,F_GTname,F_GTtype,F_GThs,F_fromDate, F_toDate,F_SFdate,"
                      "F_Bamount,F_Eamount,F_amount,F_price,F_totalPrice, F_memo1,F_empName,F_operName,F_SFtype,"
                      "F_SFname,F_editDate,F_GTid,F_XQname) Values(:GTcode,:GTname,:GTtype,:GThs,:fromDate,"
                      ":toDate,:SFdate,:Bamount, :Eamount,:amount,:price,:totalPrice,:memo1,:empName,:OperName,"
                      ":SFtype, :SFname,:editDate,:GTid,:XQname) ");
    }
    TADOQuery* rows = FRegister->QryDetail;
    statement.Param("GTcode", TypedText(edtCode->Text()))
        .Param("GTname", TypedText(edtName->Text()))
        .Param("GTtype", TypedText(edtType->Text()))
        .Param("GThs", rows->Active() ? rows->RecordCount() : 0)
        .Param("fromDate", FormatDateTime("yyyy-MM-dd", dtpFromDate->Date()))
        .Param("toDate", FormatDateTime("yyyy-MM-dd", dtpToDate->Date()))
        .Param("SFdate", FormatDateTime("yyyy-MM-dd", dtpSFdate->Date()))
        .Param("editDate", FormatDateTime("yyyy-MM-dd", dtpEditDate->Date()))
        .Param("Bamount", static_cast<double>(rceBamount->Value()))
        .Param("Eamount", static_cast<double>(rceEamount->Value()))
        .Param("amount", static_cast<double>(rceAmount->Value()))
        .Param("price", MoneyOf(cePrice))
        .Param("totalPrice", MoneyOf(ceTotalPrice))
        .Param("memo1", TypedMemo(Memo1->Text()))
        .Param("empName", TypedText(cbbEmpName->Text()))
        .Param("OperName", edtOperName->Text())
        .Param("SFtype", FRegister->CurSFtype)
        .Param("SFname", FRegister->CurSFname)
        .Param("GTid", id)
        .Param("XQname", TypedText(cbbXQname->Text()));
    ExecStatement(dmData->QryPub(), statement);
}

bool TfrmGTFYscEdit::SaveSharedFee() {
    const int recordId = EditMode() ? FRegister->CurrentId() : 0;
    if (TypedText(edtCode->Text()).empty()) {
        ShowMess(MsgSharedMeterEmpty, 0);
        if (edtCode->CanFocus()) edtCode->SetFocus();
        return false;
    }
    if (FSettled) {
        ShowMess(MsgSharedFeePaidNoEdit, 3);
        return false;
    }
    TADOQuery* rows = FRegister->QryDetail;
    TADOConnection* cnn = dmData->ADOcnn();
    String id = edtGTid->Text();
    int savedId = recordId;
    try {
        cnn->BeginTrans();
        if (rows->Active()) PostShareRow(rows);
        if (EditMode()) {
            if (SharedFeeRecordPaid(id)) {
                // Paid meanwhile at another station.
                cnn->RollbackTrans();
                ShowMess(MsgSharedFeePaidNoEdit, 3);
                return false;
            }
            WriteHeader(id, recordId);
        } else {
            auto insert = [this](const String& code) { WriteHeader(code, 0); };
            TSqlStatement taken;
            taken.Add("Select F_ID From T_wyGTrec Where F_GTid = :id").Param("id", id);
            TADOQuery* pub = dmData->QryPub();
            SetStatement(pub, taken);
            pub->Open();
            const bool isTaken = !pub->IsEmpty();
            pub->Close();
            // A taken id gives way, silently, to the next free one, numbered in this transaction.
            if (isTaken || id.empty())
                id = dmData->NextCode("select Max(F_GTid) from t_wyGTrec ", 8, insert);
            else
                try {
                    insert(id);
                } catch (const EDatabaseKeyViolation&) {
                    id = dmData->NextCode("select Max(F_GTid) from t_wyGTrec ", 8, insert);
                }
            savedId = InsertedId("t_wyGTrec");
        }
        StampShareRows(id);
        if (rows->Active()) rows->UpdateBatch(arAll);
        cnn->CommitTrans();
    } catch (const std::exception&) {
        try {
            if (cnn->InTransaction()) cnn->RollbackTrans();
        } catch (const std::exception&) {
        }
        if (rows->Active() && rows->ControlsDisabled()) rows->EnableControls();
        ShowMess(MsgSharedFeeSaveFailed, 3);
        return false;
    }
    FLoading = true;
    edtGTid->SetText(id);
    FLoading = false;
    FRegister->ReopenAt(savedId);
    FRegister->AttachShareRows();
    if (EditMode()) {
        SetModalResult(mrOk);
        return true;
    }
    if (CheckBox1->Visible() && CheckBox1->Checked()) {
        LoadEditorFields(false);
        FRegister->DetachShareRows(edtGTid->Text());
        if (edtName->CanFocus()) edtName->SetFocus();
        SetEditorMode(false);
        return true;
    }
    SetModalResult(mrOk);
    return true;
}

void TfrmGTFYscEdit::KeyDown(Word& Key, TShiftState Shift) {
    if (Shift.Contains(ssCtrl) && (Key == 'A' || Key == 'D')) {
        (Key == 'A' ? Action1 : Action2)->Execute();
        Key = 0;
        return;
    }
    TEditDialog::KeyDown(Key, Shift);
}
