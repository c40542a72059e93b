#include "app/fees/FeeRecordEditor.h"

#include "app/fees/uFrmWYFYscgl.h"

#include "app/registers/DialogControls.h"
#include "app/registers/RegisterStatement.h"
#include "app/registers/TypedText.h"
#include "app/registers/uDLGfcinfoCX.h"

#include "app/core/DataDm.h"
#include "app/core/PubUnit.h"
#include "app/core/Vardessa.h"

#include "controls/kxCurrEdit.h"
#include "db/ADODB.h"
#include "gui/Buttons.h"
#include "gui/ComCtrls.h"
#include "gui/Input.h"
#include "gui/StdCtrls.h"
#include "rtl/DateUtils.h"

namespace {

const String FeeLedgerTable = "T_wyFYrec";
const String UnsoldState = "未销售";

} // namespace

TFeeRecordEditor::TFeeRecordEditor(TfrmWYFYscgl* ledger, const String& title, bool metered)
    : TEditDialog(ledger, title), FLedger(ledger), FMetered(metered) {
    SetClientWidth(540);
    SetClientHeight(metered ? 390 : 360);
    GroupBox1 = new TGroupBox(this);
    GroupBox1->SetName("GroupBox1");
    GroupBox1->SetParent(this);
    GroupBox1->SetAlign(alClient);
    GroupBox1->SetCaption("");
    const int left = 14, right = 274, width = 170;
    int top = 16;
    // Created in the order Tab follows; the boxes Tab skips are taken out of it below.
    edtFZcode = AddEdit(this, GroupBox1, "edtFZcode", "房间编号：", left, top, width - 26);
    sbFind = new TSpeedButton(this);
    sbFind->SetName("sbFind");
    sbFind->SetParent(GroupBox1);
    sbFind->SetBounds(left + DialogLabelWidth + width - 24, top, 24, 22);
    sbFind->SetCaption("…");
    sbFind->SetHint("选择房间");
    sbFind->OnClick = [this](TObject*) { PickHouse(); };
    edtXQname = AddEdit(this, GroupBox1, "edtXQname", "小区名称：", right, top, width);
    top += 30;
    edtLDcode = AddEdit(this, GroupBox1, "edtLDcode", "楼 幢 号：", left, top, width);
    edtFZname = AddEdit(this, GroupBox1, "edtFZname", "业主姓名：", right, top, width);
    top += 30;
    dtpFromDate = AddDatePicker(this, GroupBox1, "dtpFromDate", "上次日期：", left, top, width);
    dtpToDate = AddDatePicker(this, GroupBox1, "dtpToDate", "本次日期：", right, top, width);
    top += 30;
    dtpSFdate = AddDatePicker(this, GroupBox1, "dtpSFdate", "交费期限：", left, top, width);
    dtpEditDate = AddDatePicker(this, GroupBox1, "dtpEditDate", "编辑日期：", right, top, width);
    top += 30;
    if (metered) {
        rceBamount = AddCalcEdit(this, GroupBox1, "rceBamount", "上次读数：", left, top, width);
        rceEamount = AddCalcEdit(this, GroupBox1, "rceEamount", "本次读数：", right, top, width);
        top += 30;
    }
    rceAmount = AddCalcEdit(this, GroupBox1, "rceAmount", metered ? "本次用量：" : "计费单位：", left, top, width);
    cePrice = AddCurrencyEdit(this, GroupBox1, "cePrice", "单    价：", right, top, width);
    cePrice->SetDecimalPlaces(4);
    top += 30;
    ceTotalPrice = AddCurrencyEdit(this, GroupBox1, "ceTotalPrice", "应交费用：", left, top, width);
    ceTotalPrice->SetDecimalPlaces(4);
    cbbEmpName = AddCombo(this, GroupBox1, "cbbEmpName", "经 手 人：", right, top, width,
                          "select distinct F_name from t_code where (F_name <> '') and F_type = 'empname' ");
    top += 30;
    edtOperName = AddEdit(this, GroupBox1, "edtOperName", "录入人员：", left, top, width);
    top += 30;
    Memo1 = AddMemo(this, GroupBox1, "Memo1", "备    注：", left, top, 430, 52);
    // The house's texts come from the house only: a code typed over the looked-up one is checked.
    for (TEdit* fromHouse : {edtXQname, edtLDcode, edtFZname, edtOperName})
        fromHouse->SetReadOnly(true);
    for (TWinControl* skipped : std::initializer_list<TWinControl*>{
             dtpFromDate, dtpToDate, dtpSFdate, dtpEditDate, edtXQname, edtLDcode, edtFZname, edtOperName, Memo1})
        skipped->SetTabStop(false);
    dtpToDate->OnChange = [this](TObject*) { dtpSFdate->SetDate(IncMonth(DateOf(dtpToDate->Date()), 1)); };
    rceAmount->OnChange = [this](TObject*) { ProposeTotal(); };
    cePrice->OnChange = [this](TObject*) { ProposeTotal(); };
    LimitToColumns(FeeLedgerTable, {{edtFZcode, "F_FZcode"}, {cbbEmpName, "F_empName"}});
}

void TFeeRecordEditor::DoShow() {
    for (TCustomNumEdit* reading : std::initializer_list<TCustomNumEdit*>{rceBamount, rceEamount, rceAmount})
        if (reading) reading->SetDisplayFormat(FmtAmount);
    cePrice->SetDisplayFormat(FmtPrice);
    ceTotalPrice->SetDisplayFormat(FmtTotal);
    TEditDialog::DoShow();
}

TWinControl* TFeeRecordEditor::FirstField() const {
    return edtFZcode;
}

void TFeeRecordEditor::ProposeTotal() {
    const Currency total = MulQuantity(MoneyOf(cePrice), static_cast<double>(rceAmount->Value()));
    ceTotalPrice->SetValue(total.ToDouble());
}

void TFeeRecordEditor::LockPaidFigures(bool paid) {
    edtFZcode->SetReadOnly(paid);
    sbFind->SetEnabled(!paid);
    for (TCustomNumEdit* figure :
         std::initializer_list<TCustomNumEdit*>{rceBamount, rceEamount, rceAmount, cePrice, ceTotalPrice})
        if (figure) figure->SetReadOnly(paid);
}

void TFeeRecordEditor::LoadEditorFields(bool fromList) {
    if (!fromList) {
        FHouseId = -1;
        FHouseCode.clear();
        for (TEdit* edit : {edtFZcode, edtXQname, edtLDcode, edtFZname})
            edit->SetText("");
        cbbEmpName->SetText("");
        Memo1->SetText("");
        for (TDateTimePicker* picker : {dtpFromDate, dtpToDate, dtpSFdate, dtpEditDate})
            picker->SetDate(Date());
        if (rceBamount) rceBamount->SetValue(0);
        if (rceEamount) rceEamount->SetValue(0);
        rceAmount->SetValue(0);
        cePrice->SetValue(FLedger->CurSFprice.ToDouble());
        ceTotalPrice->SetValue(0);
        edtOperName->SetText(OperName);
        LockPaidFigures(false);
        return;
    }
    TADOQuery* row = FLedger->QryTable;
    auto text = [row](const char* field) { return row->FieldByName(field)->AsString(); };
    edtFZcode->SetText(text("F_FZcode"));
    edtXQname->SetText(text("F_XQname"));
    TField* house = row->FieldByName("F_mainID");
    FHouseId = house->IsNull() ? -1 : house->AsInteger();
    FHouseCode = FHouseId > 0 ? TypedText(text("F_FZcode")) : String();
    edtLDcode->SetText(text("F_LDcode"));
    edtFZname->SetText(text("F_FZname"));
    DateFieldToPicker(*dtpFromDate, *row->FieldByName("F_fromDate"));
    DateFieldToPicker(*dtpToDate, *row->FieldByName("F_toDate"));
    if (rceBamount) rceBamount->SetValue(row->FieldByName("F_Bamount")->AsFloat());
    if (rceEamount) rceEamount->SetValue(row->FieldByName("F_Eamount")->AsFloat());
    // The stored figures stand after the rules have run on the loading.
    rceAmount->SetValue(row->FieldByName("F_amount")->AsFloat());
    cePrice->SetValue(row->FieldByName("F_price")->AsCurrency().ToDouble());
    ceTotalPrice->SetValue(row->FieldByName("F_totalPrice")->AsCurrency().ToDouble());
    DateFieldToPicker(*dtpSFdate, *row->FieldByName("F_SFdate"));
    Memo1->SetText(text("F_memo1"));
    cbbEmpName->SetText(text("F_empName"));
    edtOperName->SetText(text("F_OperName"));
    DateFieldToPicker(*dtpEditDate, *row->FieldByName("F_editDate"));
    TField* paid = row->FieldByName("F_JFflag");
    LockPaidFigures(!paid->IsNull() && paid->AsBoolean());
    RememberLoadedRow();
}

void TFeeRecordEditor::TakeHouse(int id, bool soldOnly) {
    TSqlStatement statement;
    statement.Add("select F_ID,F_code,F_XQname,F_LDcode,F_FZname" + ExtraHouseColumns() + " from T_FCinfo where ");
    if (soldOnly) statement.Add("(F_curStatus <> :unsold) and ").Param("unsold", UnsoldState);
    statement.Add("F_ID = :id " + XQScopeSQL).Param("id", id);
    TADOQuery house(nullptr);
    house.SetConnection(dmData->ADOcnn());
    if (!OpenStatement(&house, statement) || house.IsEmpty()) return;
    FHouseId = house.FieldByName("F_ID")->AsInteger();
    FHouseCode = TypedText(house.FieldByName("F_code")->AsString());
    edtFZcode->SetText(house.FieldByName("F_code")->AsString());
    edtXQname->SetText(house.FieldByName("F_XQname")->AsString());
    edtLDcode->SetText(house.FieldByName("F_LDcode")->AsString());
    edtFZname->SetText(house.FieldByName("F_FZname")->AsString());
    if (MoneyOf(cePrice) == Currency()) cePrice->SetValue(FLedger->CurSFprice.ToDouble());
    TakeHouseFigures(house);
}

void TFeeRecordEditor::PickHouse() {
    if (!sbFind->Enabled()) return;
    TDLGfcinfoCX picker(this);
    const int id = picker.SelectHouse(FHouseId);
    if (id != FHouseId && id > 0) TakeHouse(id, true);
}

bool TFeeRecordEditor::LookUpRoomCode() {
    if (edtFZcode->ReadOnly()) return true;
    TSqlStatement statement;
    statement.Add("select F_ID,F_code from T_FCinfo where F_code = :code ").Param("code", TypedText(edtFZcode->Text()));
    TADOQuery found(nullptr);
    found.SetConnection(dmData->ADOcnn());
    if (!OpenStatement(&found, statement)) return false;
    if (found.RecordCount() != 1) {
        // None, or the code in several estates or buildings: the operator chooses.
        PickHouse();
        return false;
    }
    const int id = found.FieldByName("F_ID")->AsInteger();
    if (id != FHouseId) TakeHouse(id, false);
    return true;
}

void TFeeRecordEditor::KeyDown(Word& Key, TShiftState Shift) {
    if (Key == VK_RETURN && !Shift.Contains(ssCtrl) && ActiveControl() == edtFZcode) {
        Key = 0;
        if (LookUpRoomCode()) SelectNext(edtFZcode, true, true);
        return;
    }
    TEditDialog::KeyDown(Key, Shift);
}

bool TFeeRecordEditor::CheckFields() {
    // Only a looked-up house: its id with its own code (and the texts that came with it).
    if (FHouseId > 0 && !FHouseCode.empty() && TypedText(edtFZcode->Text()) == FHouseCode) return true;
    ShowMess(MsgFeeHouseEmpty, 0);
    if (edtFZcode->CanFocus()) edtFZcode->SetFocus();
    return false;
}

int TFeeRecordEditor::WriteRecord() {
    TSqlStatement statement;
    const bool editing = EditMode();
    const int id = editing ? RecordId() : 0;
    if (editing) {
        VerifyLoaded(FeeLedgerTable);
        statement.Add("Update T_wyFYrec Set F_mainID = :mainID,F_FZcode = :FZcode,F_XQname = :XQname, "
                      "F_LDcode = :LDcode,F_FZname = :FZname,F_fromDate = :fromDate,F_toDate = :toDate, ");
        if (FMetered) statement.Add("F_Bamount = :Bamount,F_Eamount = :Eamount,");
        statement.Add("F_Amount = :Amount,F_price = :Price, F_totalPrice = :totalPrice,F_SFdate = :SFdate,"
                      "F_memo1 = :memo1, F_empName = :empName,F_OperName = :OperName,F_editDate = :editdate "
                      "Where F_ID = :ID")
            .Param("ID", id);
    } else {
        statement.Add("Insert into T_wyFYrec(F_mainID,F_FZcode,F_XQname,F_LDcode,F_FZname, F_fromDate,F_toDate,");
        if (FMetered) statement.Add("F_Bamount,F_Eamount,");
        statement.Add("F_Amount,F_price,F_totalPrice, F_SFdate,F_memo1,F_SFtype,F_SFname,F_EmpName,F_OperName,"
                      "F_editDate) Values(:mainID,:FZcode,:XQname,:LDcode,:FZname,:fromDate,:toDate,");
        if (FMetered) statement.Add(":Bamount,:Eamount,");
        statement.Add(":Amount,:Price,:TotalPrice,:SFdate,:memo1,:SFtype,:SFname,:EmpName,:OperName,:editDate) ")
            .Param("SFtype", FLedger->CurSFtype)
            .Param("SFname", FLedger->CurSFname);
    }
    statement.Param("mainID", FHouseId)
        .Param("FZcode", TypedText(edtFZcode->Text()))
        .Param("XQname", TypedText(edtXQname->Text()))
        .Param("LDcode", TypedText(edtLDcode->Text()))
        .Param("FZname", TypedText(edtFZname->Text()))
        .Param("fromDate", PickerDateText(*dtpFromDate))
        .Param("toDate", PickerDateText(*dtpToDate))
        .Param("SFdate", PickerDateText(*dtpSFdate))
        .Param("editDate", PickerDateText(*dtpEditDate))
        .Param("Amount", static_cast<double>(rceAmount->Value()))
        .Param("Price", MoneyOf(cePrice))
        .Param("TotalPrice", MoneyOf(ceTotalPrice))
        .Param("memo1", TypedText(Memo1->Text()))
        .Param("EmpName", TypedText(cbbEmpName->Text()))
        .Param("OperName", OperName);
    if (FMetered)
        statement.Param("Bamount", static_cast<double>(rceBamount->Value()))
            .Param("Eamount", static_cast<double>(rceEamount->Value()));
    if (ExecStatement(dmData->QryPub(), statement) == 0) throw EStaleRecord(MsgRecordChanged);
    return editing ? id : InsertedId(FeeLedgerTable);
}
