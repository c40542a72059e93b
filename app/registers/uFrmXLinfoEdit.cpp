#include "app/registers/uFrmXLinfoEdit.h"

#include "app/registers/DialogControls.h"
#include "app/registers/ListWindow.h"
#include "app/registers/RegisterCodes.h"
#include "app/registers/TypedText.h"
#include "app/registers/uFrmXLinfoGL.h"

#include "app/core/DataDm.h"

#include "db/ADODB.h"
#include "gui/ComCtrls.h"
#include "gui/StdCtrls.h"
#include "rtl/DateUtils.h"
#include "rtl/Format.h"

#include <cmath>

namespace {

const String XLinfoTable = "T_XLinfo";
constexpr int XLinfoCodeDigits = 6;

// The time of day of a date-time, to the second.
TDateTime TimeOfDay(TDateTime value) {
    return value - std::floor(static_cast<double>(value));
}

} // namespace

TfrmXLinfoEdit::TfrmXLinfoEdit(TfrmXLinfoGL* list) : TEditDialog(list, "保安巡逻资料") {
    SetName("frmXLinfoEdit");
    SetClientWidth(520);
    SetClientHeight(330);
    GroupBox1 = new TGroupBox(this);
    GroupBox1->SetName("GroupBox1");
    GroupBox1->SetParent(this);
    GroupBox1->SetAlign(alClient);
    GroupBox1->SetCaption("");
    const int left = 14, right = 264, width = 160;
    edtCode = AddEdit(this, GroupBox1, "edtCode", "档案编号：", left, 16, width);
    edtCode->SetTabStop(false);
    edtDSRemp = AddEdit(this, GroupBox1, "edtDSRemp", "当 事 人：", right, 16, width);
    cbbXLtype = AddCombo(this, GroupBox1, "cbbXLtype", "事件类型：", left, 46, width,
                         "select f_name from t_code where f_type = 'xltype'");
    cbbArea = AddCombo(this, GroupBox1, "cbbArea", "区    域：", right, 46, width,
                       "select f_name from t_code where f_type = 'area'");
    edtCLRemp = AddEdit(this, GroupBox1, "edtCLRemp", "处 理 人：", left, 76, width);
    cbbXQname = AddEstateCombo(this, GroupBox1, "cbbXQname", "小区名称：", right, 76, width);
    dtpDate = AddDatePicker(this, GroupBox1, "dtpDate", "日    期：", left, 106, width);
    dtpTime = AddDatePicker(this, GroupBox1, "dtpTime", "时    间：", right, 106, width);
    dtpTime->SetKind(dtkTime);
    dtpTime->SetFormat("HH:mm:ss");
    edtCLmem = AddEdit(this, GroupBox1, "edtCLmem", "处理结果：", left, 136, 410);
    Memo1 = AddMemo(this, GroupBox1, "Memo1", "事件简要：", left, 166, 410, 110);
    LimitToColumns(XLinfoTable, {{edtCode, "F_code"},
                                 {edtDSRemp, "F_DSRemp"},
                                 {cbbXLtype, "F_type"},
                                 {cbbArea, "F_area"},
                                 {edtCLRemp, "F_CLRemp"},
                                 {cbbXQname, "F_XQname"}});
}

void TfrmXLinfoEdit::SetEditorMode(bool editMode) {
    TEditDialog::SetEditorMode(editMode);
    edtCode->SetReadOnly(editMode);
}

TWinControl* TfrmXLinfoEdit::FirstField() const {
    return edtDSRemp;
}

void TfrmXLinfoEdit::LoadEditorFields(bool fromList) {
    if (!fromList) {
        edtCode->SetText(
            dmData->NextCode(DigitCounterCodeSql(XLinfoTable, XLinfoCodeDigits), XLinfoCodeDigits));
        for (TEdit* edit : {edtDSRemp, edtCLRemp, edtCLmem})
            edit->SetText("");
        cbbXLtype->SetText("");
        cbbArea->SetText("");
        Memo1->SetText("");
        dtpDate->SetDate(Date());
        dtpTime->SetTime(TimeOfDay(Now()));
        return; // the estate stays
    }
    TADOQuery* row = List()->QryTable;
    auto text = [row](const char* field) { return row->FieldByName(field)->AsString(); };
    edtCode->SetText(text("F_code"));
    edtDSRemp->SetText(text("F_DSRemp"));
    cbbXLtype->SetText(text("F_type"));
    cbbArea->SetText(text("F_area"));
    edtCLRemp->SetText(text("F_CLRemp"));
    DateFieldToPicker(*dtpDate, *row->FieldByName("F_date"));
    TField* time = row->FieldByName("F_time");
    dtpTime->SetTime(time->IsNull() ? TDateTime(0) : TimeOfDay(time->AsDateTime()));
    edtCLmem->SetText(text("F_CLmem"));
    Memo1->SetText(text("F_memo1"));
    cbbXQname->SetText(text("F_XQname"));
    RememberLoadedRow();
}

void TfrmXLinfoEdit::SetParams(TSqlStatement& statement, const String& code) {
    statement.Param("Code", code)
        .Param("DSRemp", TypedText(edtDSRemp->Text()))
        .Param("type", TypedText(cbbXLtype->Text()))
        .Param("area", TypedText(cbbArea->Text()))
        .Param("CLRemp", TypedText(edtCLRemp->Text()))
        .Param("date", PickerDateText(*dtpDate))
        .Param("time", FormatDateTime("hh:nn:ss", dtpTime->Time()))
        .Param("CLmem", TypedText(edtCLmem->Text()))
        .Param("Memo1", TypedMemo(Memo1->Text()))
        .Param("XQname", TypedText(cbbXQname->Text()));
}

int TfrmXLinfoEdit::WriteRecord() {
    String code = TypedText(edtCode->Text());
    if (EditMode()) {
        const int id = RecordId();
        VerifyLoaded(XLinfoTable);
        code = CodeForEdit(XLinfoTable, XLinfoCodeDigits, code, id);
        TSqlStatement update;
        update.Add("Update T_XLinfo Set F_code = :code,F_DSRemp = :DSRemp,F_type = :type, F_area = :area,"
                   "F_CLRemp = :CLRemp,F_date = :date,F_time = :time, F_CLmem = :CLmem,F_memo1 = :memo1,"
                   "F_XQname = :XQname Where F_ID = :ID ");
        SetParams(update, code);
        update.Param("ID", id);
        ExecStatement(dmData->QryPub(), update);
        edtCode->SetText(code);
        return id;
    }
    auto insert = [this](const String& newCode) {
        TSqlStatement statement;
        statement.Add("Insert into T_XLinfo(F_Code,F_DSRemp,F_type,F_area,F_CLRemp, F_date,F_time,F_CLmem,"
                      "F_Memo1,F_XQname) Values(:Code,:DSRemp,:type,:area,:CLRemp,:date,:time,:CLmem, "
                      ":Memo1,:XQname) ");
        SetParams(statement, newCode);
        ExecStatement(dmData->QryPub(), statement);
    };
    code = InsertUnderFreeCode(XLinfoTable, XLinfoCodeDigits, code, insert);
    edtCode->SetText(code);
    return InsertedId(XLinfoTable);
}
