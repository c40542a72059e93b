#include "app/registers/uFrmYJinfoEdit.h"

#include "app/registers/DialogControls.h"
#include "app/registers/ListWindow.h"
#include "app/registers/RegisterCodes.h"
#include "app/registers/TypedText.h"
#include "app/registers/uFrmYJinfoGL.h"

#include "app/core/DataDm.h"
#include "app/core/Vardessa.h"

#include "db/ADODB.h"
#include "gui/ComCtrls.h"
#include "gui/StdCtrls.h"
#include "rtl/DateUtils.h"

namespace {

const String YJinfoTable = "T_YJinfo";
constexpr int YJinfoCodeDigits = 3;

} // namespace

TfrmYJinfoEdit::TfrmYJinfoEdit(TfrmYJinfoGL* list) : TEditDialog(list, "建议意见资料") {
    SetName("frmYJinfoEdit");
    SetClientWidth(520);
    SetClientHeight(400);
    GroupBox1 = new TGroupBox(this);
    GroupBox1->SetName("GroupBox1");
    GroupBox1->SetParent(this);
    GroupBox1->SetAlign(alClient);
    GroupBox1->SetCaption("");
    const int left = 14, right = 264, width = 160;
    edtCode = AddEdit(this, GroupBox1, "edtCode", "单据编号：", left, 16, width);
    cbbXQname = AddEstateCombo(this, GroupBox1, "cbbXQname", "小区名称：", right, 16, width);
    edtYZcode = AddEdit(this, GroupBox1, "edtYZcode", "业主门牌：", left, 46, width);
    edtYZname = AddEdit(this, GroupBox1, "edtYZname", "业主姓名：", right, 46, width);
    dtpDate = AddDatePicker(this, GroupBox1, "dtpDate", "建议时间：", left, 76, width);
    cbbJDemp = AddCombo(this, GroupBox1, "cbbJDemp", "接待员工：", right, 76, width,
                        "select f_name from t_code where f_type = 'JDemp'");
    cbbContenttype = AddCombo(this, GroupBox1, "cbbContenttype", "内容类型：", left, 106, width,
                              "select f_name from t_code where f_type = 'Contenttype'");
    Memo1 = AddMemo(this, GroupBox1, "Memo1", "建议内容：", left, 136, 410, 70);
    dtpSLDate = AddDatePicker(this, GroupBox1, "dtpSLDate", "受理时间：", left, 216, width);
    cbbSLtype = AddCombo(this, GroupBox1, "cbbSLtype", "受理状态：", right, 216, width,
                         "select f_name from t_code where f_type = 'SLtype'");
    cbbSLemp = AddCombo(this, GroupBox1, "cbbSLemp", "受理员工：", left, 246, width,
                        "select f_name from t_code where f_type = 'SLemp'");
    Memo2 = AddMemo(this, GroupBox1, "Memo2", "业主反馈：", left, 276, 410, 70);
    LimitToColumns(YJinfoTable, {{edtCode, "F_code"},
                                 {edtYZcode, "F_YZcode"},
                                 {edtYZname, "F_YZname"},
                                 {cbbJDemp, "F_JDemp"},
                                 {cbbContenttype, "F_type"},
                                 {cbbSLtype, "F_SLtype"},
                                 {cbbSLemp, "F_SLemp"},
                                 {cbbXQname, "F_XQname"}});
}

void TfrmYJinfoEdit::SetEditorMode(bool editMode) {
    TEditDialog::SetEditorMode(editMode);
    edtCode->SetReadOnly(editMode);
}

TWinControl* TfrmYJinfoEdit::FirstField() const {
    return dtpDate;
}

void TfrmYJinfoEdit::LoadEditorFields(bool fromList) {
    if (!fromList) {
        edtCode->SetText(
            dmData->NextCode(DigitCounterCodeSql(YJinfoTable, YJinfoCodeDigits), YJinfoCodeDigits));
        for (TEdit* edit : {edtYZcode, edtYZname})
            edit->SetText("");
        for (TComboBox* combo : {cbbJDemp, cbbContenttype, cbbSLtype, cbbSLemp})
            combo->SetText("");
        Memo1->SetText("");
        Memo2->SetText("");
        dtpDate->SetDate(Date());
        dtpSLDate->SetDate(Date());
        return; // the estate stays
    }
    TADOQuery* row = List()->QryTable;
    auto text = [row](const char* field) { return row->FieldByName(field)->AsString(); };
    edtCode->SetText(text("F_code"));
    edtYZcode->SetText(text("F_YZcode"));
    edtYZname->SetText(text("F_YZname"));
    DateFieldToPicker(*dtpDate, *row->FieldByName("F_date"));
    cbbJDemp->SetText(text("F_JDemp"));
    Memo1->SetText(text("F_memo1"));
    cbbContenttype->SetText(text("F_type"));
    DateFieldToPicker(*dtpSLDate, *row->FieldByName("F_SLdate"));
    cbbSLtype->SetText(text("F_SLtype"));
    cbbSLemp->SetText(text("F_SLemp"));
    Memo2->SetText(text("F_memo2"));
    cbbXQname->SetText(text("F_XQname"));
    RememberLoadedRow();
}

bool TfrmYJinfoEdit::CheckFields() {
    if (!TypedText(edtCode->Text()).empty()) return true;
    ShowMess(MsgSuggestionCodeEmpty, 0);
    if (edtCode->CanFocus()) edtCode->SetFocus();
    return false;
}

void TfrmYJinfoEdit::SetParams(TSqlStatement& statement, const String& code) {
    statement.Param("Code", code)
        .Param("YZcode", TypedText(edtYZcode->Text()))
        .Param("YZname", TypedText(edtYZname->Text()))
        .Param("date", PickerDateText(*dtpDate))
        .Param("JDemp", TypedText(cbbJDemp->Text()))
        .Param("memo1", TypedMemo(Memo1->Text()))
        .Param("type", TypedText(cbbContenttype->Text()))
        .Param("SLdate", PickerDateText(*dtpSLDate))
        .Param("SLemp", TypedText(cbbSLemp->Text()))
        .Param("memo2", TypedMemo(Memo2->Text()))
        .Param("SLtype", TypedText(cbbSLtype->Text()))
        .Param("XQname", TypedText(cbbXQname->Text()));
}

int TfrmYJinfoEdit::WriteRecord() {
    const String code = TypedText(edtCode->Text());
    const int id = EditMode() ? RecordId() : 0;
    if (EditMode()) VerifyLoaded(YJinfoTable);
    // Tested inside the save's transaction: two stations saving one number at once cannot both pass.
    const int holder = RowWithCode(YJinfoTable, code);
    if (holder > 0 && holder != id) throw ESaveRefused(MsgSuggestionCodeTaken, 0, edtCode);
    TSqlStatement statement;
    if (EditMode()) {
        statement.Add("Update T_YJinfo Set F_code = :code,F_YZcode =:YZcode,F_YZname = :YZname, F_date = :date,"
                      "F_JDemp = :JDemp,F_memo1 = :memo1,F_type = :type,F_SLdate=:SLdate, F_SLemp = :SLemp,"
                      "F_memo2 = :memo2,F_SLtype = :SLtype,F_XQname = :XQname Where F_ID = :ID ");
        SetParams(statement, code);
        statement.Param("ID", id);
    } else {
        statement.Add("Insert into T_YJinfo(F_Code,F_YZcode,F_YZname,F_date,F_JDemp,F_memo1, F_type,F_SLdate,"
                      "F_SLemp,F_memo2,F_SLtype,F_XQname) Values(:Code,:YZcode,:YZname,:date,:JDemp,:memo1,"
                      ":type,:SLdate,:SLemp, :memo2,:SLtype,:XQname) ");
        SetParams(statement, code);
    }
    ExecStatement(dmData->QryPub(), statement);
    return EditMode() ? id : InsertedId(YJinfoTable);
}
