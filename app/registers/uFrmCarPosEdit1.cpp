#include "app/registers/uFrmCarPosEdit1.h"

#include "app/registers/DialogControls.h"
#include "app/registers/ListWindow.h"
#include "app/registers/TypedText.h"
#include "app/registers/uDLGfcinfoCX.h"
#include "app/registers/uFrmCarPosGL.h"

#include "app/core/DataDm.h"
#include "app/core/NotSetDate.h"
#include "app/core/PubUnit.h"
#include "app/core/Vardessa.h"

#include "controls/kxCurrEdit.h"
#include "db/ADODB.h"
#include "gui/Buttons.h"
#include "gui/ComCtrls.h"
#include "gui/StdCtrls.h"
#include "rtl/DateUtils.h"
#include "rtl/Format.h"
#include "rtl/StringList.h"

namespace {

const String DealTable = "T_carPos";
const String OpenEndText = "3000-08-14";

// The field's date as "yyyy-MM-dd" ("" for Null).
String DateText(const TField& field) {
    return field.IsNull() ? String() : FormatDateTime("yyyy-MM-dd", field.AsDateTime());
}

} // namespace

TfrmCarPosEdit1::TfrmCarPosEdit1(TfrmCarPosGL* list) : TEditDialog(list, "销售、租赁车位管理") {
    SetName("frmCarPosEdit1");
    SetClientWidth(500);
    SetClientHeight(350);
    GroupBox1 = new TGroupBox(this);
    GroupBox1->SetName("GroupBox1");
    GroupBox1->SetParent(this);
    GroupBox1->SetAlign(alClient);
    GroupBox1->SetCaption("");
    const int left = 14, right = 254, width = 150;
    edtCode = AddEdit(this, GroupBox1, "edtCode", "车位编号：", left, 16, width);
    edtAddress = AddEdit(this, GroupBox1, "edtAddress", "车位位置：", right, 16, width);
    edtXQname = AddEdit(this, GroupBox1, "edtXQname", "小区名称：", left, 46, width);
    edtFZcode = AddEdit(this, GroupBox1, "edtFZcode", "房间编号：", right, 46, width - 26);
    sbFind = new TSpeedButton(this);
    sbFind->SetName("sbFind");
    sbFind->SetParent(GroupBox1);
    sbFind->SetBounds(right + DialogLabelWidth + width - 24, 46, 24, 22);
    sbFind->SetCaption("…");
    sbFind->OnClick = [this](TObject*) { PickSpaceHouse(); };
    edtFZname = AddEdit(this, GroupBox1, "edtFZname", "业主姓名：", left, 76, width);
    edtCarCode = AddEdit(this, GroupBox1, "edtCarCode", "车辆号码：", right, 76, width);
    edtPhone = AddEdit(this, GroupBox1, "edtPhone", "联系电话：", left, 106, width);
    edtHandPhone = AddEdit(this, GroupBox1, "edtHandPhone", "手    机：", right, 106, width);
    dtpFromDate = AddDatePicker(this, GroupBox1, "dtpFromDate", "起始日期：", left, 136, width);
    dtpToDate = AddDatePicker(this, GroupBox1, "dtpToDate", "终止日期：", right, 136, width);
    for (TDateTimePicker* picker : {dtpFromDate, dtpToDate}) {
        picker->SetShowCheckbox(true);
        picker->SetChecked(false);
    }
    cbbCQstatus = AddCombo(this, GroupBox1, "cbbCQstatus", "产权状态：", left, 166, width);
    for (const char* state : {"空闲", "出售", "出租"})
        cbbCQstatus->Items()->Add(state);
    ceSJprice = AddCurrencyEdit(this, GroupBox1, "ceSJprice", "收费金额：", right, 166, width);
    cbbEmpname = AddCombo(this, GroupBox1, "cbbEmpname", "经 手 人：", left, 196, width,
                          "select distinct F_name from t_code where (F_name <> '') and F_type = 'empName' ");
    cbFlag = AddCheck(this, GroupBox1, "cbFlag", "停  用", right + DialogLabelWidth, 196);
    Memo1 = AddMemo(this, GroupBox1, "Memo1", "备    注：", left, 226, 400, 70);
    // The space is the list's; the house and what goes with it come from the picker.
    for (TEdit* shown : {edtCode, edtAddress, edtXQname, edtFZcode, edtFZname})
        shown->SetReadOnly(true);
    LimitToColumns(DealTable, {{edtCarCode, "F_CarCode"},
                                 {edtPhone, "F_phone"},
                                 {edtHandPhone, "F_handPhone"},
                                 {cbbCQstatus, "F_CQstatus"},
                                 {cbbEmpname, "F_empName"}});
}

void TfrmCarPosEdit1::DoShow() {
    ceSJprice->SetDisplayFormat(FmtTotal);
    TEditDialog::DoShow();
}

void TfrmCarPosEdit1::LoadEditorFields(bool fromList) {
    TADOQuery* row = List()->QryTable;
    auto text = [row](const char* field) { return row->FieldByName(field)->AsString(); };
    edtCode->SetText(text("F_code"));
    edtAddress->SetText(text("F_Address"));
    if (!fromList) {
        for (TEdit* edit : {edtXQname, edtFZcode, edtFZname, edtCarCode, edtPhone, edtHandPhone})
            edit->SetText("");
        FLDcode.clear();
        FHouseId = -1;
        for (TDateTimePicker* picker : {dtpFromDate, dtpToDate}) {
            picker->SetDate(Date());
            picker->SetChecked(false);
        }
        cbbCQstatus->SetText("");
        ceSJprice->SetValue(0);
        Memo1->SetText("");
        cbFlag->SetChecked(false);
        return;
    }
    edtFZcode->SetText(text("F_FZcode"));
    edtFZname->SetText(text("F_FZname"));
    edtXQname->SetText(text("F_XQname"));
    FLDcode = text("F_LDcode");
    FHouseId = row->FieldByName("F_mainID")->IsNull() ? -1 : row->FieldByName("F_mainID")->AsInteger();
    edtCarCode->SetText(text("F_carCode"));
    edtPhone->SetText(text("F_phone"));
    edtHandPhone->SetText(text("F_handPhone"));
    DateToPicker(*dtpFromDate, DateText(*row->FieldByName("F_fromDate")));
    const String to = DateText(*row->FieldByName("F_toDate"));
    if (to > "3000-08-13") {
        dtpToDate->SetDate(Date());
        dtpToDate->SetChecked(false);
    } else
        DateToPicker(*dtpToDate, to);
    cbbCQstatus->SetText(text("F_CQstatus"));
    ceSJprice->SetValue(row->FieldByName("F_SJprice")->AsCurrency().ToDouble());
    Memo1->SetText(text("F_memo1"));
    cbFlag->SetChecked(row->FieldByName("F_flag")->AsBoolean());
    RememberLoadedRow();
}

void TfrmCarPosEdit1::PickSpaceHouse() {
    TDLGfcinfoCX picker(this);
    const int id = picker.SelectHouse(FHouseId);
    if (id == FHouseId || id <= 0) return;
    TADOQuery house;
    house.SetConnection(dmData->ADOcnn());
    house.SQL()->SetText("select F_ID,F_code,F_XQname,F_LDcode,F_FZname from T_FCinfo where (F_curStatus <> "
                         "'未销售') and F_ID = :ID");
    house.Parameters()->ParamByName("ID")->SetValue(id);
    try {
        house.Open();
    } catch (const std::exception&) {
        ShowMess("打开操作失败，请检查数据连接... ", 3);
        return;
    }
    if (house.IsEmpty()) return; // sold back meanwhile: the deal keeps its house
    FHouseId = house.FieldByName("F_ID")->AsInteger();
    edtFZcode->SetText(house.FieldByName("F_code")->AsString());
    edtXQname->SetText(house.FieldByName("F_XQname")->AsString());
    FLDcode = house.FieldByName("F_LDcode")->AsString();
    edtFZname->SetText(house.FieldByName("F_FZname")->AsString());
}

bool TfrmCarPosEdit1::CheckFields() {
    const String state = TypedText(cbbCQstatus->Text());
    if ((state != "出售" && state != "出租") || FHouseId > 0) return true;
    ShowMess(MsgSpaceHouseEmpty, 0);
    if (edtFZcode->CanFocus()) edtFZcode->SetFocus();
    return false;
}

int TfrmCarPosEdit1::WriteRecord() {
    const int spaceId = RecordId();
    if (EditMode())
        VerifyLoaded(DealTable);
    else {
        // A new deal: the space must still be free (another station may have sold it meanwhile).
        TADOQuery space;
        space.SetConnection(dmData->ADOcnn());
        space.SQL()->SetText("select F_CQstatus from T_carPos where F_ID = :ID");
        space.Parameters()->ParamByName("ID")->SetValue(spaceId);
        space.Open();
        if (space.IsEmpty()) throw EStaleRecord(MsgRecordChanged);
        const String state = space.Fields()[0]->AsString();
        if (state == "出售" || state == "出租") throw ESaveRefused(MsgSpaceTaken, 0, nullptr);
    }
    TSqlStatement update;
    update.Add("Update T_carPos Set F_mainID = :mainID,F_FZcode = :FZcode,F_XQname = :XQname, F_LDcode = :LDcode,"
               "F_FZname = :FZname,F_CarCode = :CarCode,F_Phone = :Phone, F_handPhone = :handPhone,"
               "F_fromDate = :fromDate,F_toDate = :toDate, F_CQstatus = :CQstatus,F_SJprice = :SJprice,"
               "F_Memo1 = :memo1,F_flag = :flag, F_Empname = :EmpName Where F_ID = :ID")
        .Param("ID", spaceId)
        .Param("mainID", FHouseId)
        .Param("FZcode", TypedText(edtFZcode->Text()))
        .Param("XQname", TypedText(edtXQname->Text()))
        .Param("LDcode", FLDcode)
        .Param("FZname", TypedText(edtFZname->Text()))
        .Param("CarCode", TypedText(edtCarCode->Text()))
        .Param("Phone", TypedText(edtPhone->Text()))
        .Param("handPhone", TypedText(edtHandPhone->Text()))
        .Param("fromDate", DateFromPicker(*dtpFromDate))
        .Param("toDate", dtpToDate->Checked() ? FormatDateTime("yyyy-MM-dd", dtpToDate->Date()) : OpenEndText)
        .Param("CQstatus", TypedText(cbbCQstatus->Text()))
        .Param("SJprice", MoneyOf(ceSJprice))
        .Param("memo1", TypedText(Memo1->Text()))
        .Param("flag", cbFlag->Checked())
        .Param("EmpName", TypedText(cbbEmpname->Text()));
    if (ExecStatement(dmData->QryPub(), update) == 0) throw EStaleRecord(MsgRecordChanged);
    return spaceId;
}
