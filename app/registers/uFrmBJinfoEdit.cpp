#include "app/registers/uFrmBJinfoEdit.h"

#include "app/registers/DialogControls.h"
#include "app/registers/ListWindow.h"
#include "app/registers/RegisterCodes.h"
#include "app/registers/TypedText.h"
#include "app/registers/uFrmBJinfoGL.h"

#include "app/core/DataDm.h"

#include "db/ADODB.h"
#include "gui/ComCtrls.h"
#include "gui/StdCtrls.h"
#include "rtl/DateUtils.h"

namespace {

const String BJinfoTable = "T_BJinfo";
constexpr int BJinfoCodeDigits = 6;

} // namespace

TfrmBJinfoEdit::TfrmBJinfoEdit(TfrmBJinfoGL* list) : TEditDialog(list, "保洁绿化资料") {
    SetName("frmBJinfoEdit");
    SetClientWidth(520);
    SetClientHeight(340);
    GroupBox1 = new TGroupBox(this);
    GroupBox1->SetName("GroupBox1");
    GroupBox1->SetParent(this);
    GroupBox1->SetAlign(alClient);
    GroupBox1->SetCaption("");
    const int left = 14, right = 264, width = 160;
    edtCode = AddEdit(this, GroupBox1, "edtCode", "编    号：", left, 16, width);
    edtCode->SetReadOnly(true);
    edtCode->SetTabStop(false);
    cbbArea = AddCombo(this, GroupBox1, "cbbArea", "区    域：", right, 16, width,
                       "select f_name from t_code where f_type = 'area'");
    edtFZRemp = AddEdit(this, GroupBox1, "edtFZRemp", "负 责 人：", left, 46, width);
    cbbtype = AddCombo(this, GroupBox1, "cbbtype", "类    型：", right, 46, width,
                       "select f_name from t_code where f_type = 'bjtype'");
    dtpDate = AddDatePicker(this, GroupBox1, "dtpDate", "日    期：", left, 76, width);
    cbbXQname = AddEstateCombo(this, GroupBox1, "cbbXQname", "小区名称：", right, 76, width);
    YSmem = AddMemo(this, GroupBox1, "YSmem", "验    收：", left, 106, 410, 80);
    Memo1 = AddMemo(this, GroupBox1, "Memo1", "备    注：", left, 196, 410, 80);
    LimitToColumns(BJinfoTable, {{edtCode, "F_code"},
                                 {cbbArea, "F_area"},
                                 {edtFZRemp, "F_FZRemp"},
                                 {cbbtype, "F_type"},
                                 {cbbXQname, "F_XQname"}});
}

TWinControl* TfrmBJinfoEdit::FirstField() const {
    return cbbArea;
}

void TfrmBJinfoEdit::LoadEditorFields(bool fromList) {
    if (!fromList) {
        edtCode->SetText(
            dmData->NextCode(DigitCounterCodeSql(BJinfoTable, BJinfoCodeDigits), BJinfoCodeDigits));
        cbbArea->SetText("");
        edtFZRemp->SetText("");
        cbbtype->SetText("");
        dtpDate->SetDate(Date());
        YSmem->SetText("");
        Memo1->SetText("");
        return; // the estate stays
    }
    TADOQuery* row = List()->QryTable;
    auto text = [row](const char* field) { return row->FieldByName(field)->AsString(); };
    edtCode->SetText(text("F_code"));
    cbbtype->SetText(text("F_type"));
    cbbArea->SetText(text("F_area"));
    edtFZRemp->SetText(text("F_FZRemp"));
    DateFieldToPicker(*dtpDate, *row->FieldByName("F_date"));
    YSmem->SetText(text("F_YSmem"));
    Memo1->SetText(text("F_memo1"));
    cbbXQname->SetText(text("F_XQname"));
    RememberLoadedRow();
}

void TfrmBJinfoEdit::SetParams(TSqlStatement& statement, const String& code) {
    statement.Param("Code", code)
        .Param("type", TypedText(cbbtype->Text()))
        .Param("area", TypedText(cbbArea->Text()))
        .Param("FZRemp", TypedText(edtFZRemp->Text()))
        .Param("date", PickerDateText(*dtpDate))
        .Param("YSmem", TypedMemo(YSmem->Text()))
        .Param("Memo1", TypedMemo(Memo1->Text()))
        .Param("XQname", TypedText(cbbXQname->Text()));
}

int TfrmBJinfoEdit::WriteRecord() {
    String code = TypedText(edtCode->Text());
    if (EditMode()) {
        const int id = RecordId();
        VerifyLoaded(BJinfoTable);
        code = CodeForEdit(BJinfoTable, BJinfoCodeDigits, code, id);
        TSqlStatement update;
        update.Add("Update T_BJinfo Set F_code = :code,F_type = :type,F_area = :area, F_FZRemp = :FZRemp,"
                   "F_date = :date,F_YSmem = :YSmem,F_memo1 = :memo1, F_XQname = :XQname Where F_ID = :ID ");
        SetParams(update, code);
        update.Param("ID", id);
        ExecStatement(dmData->QryPub(), update);
        edtCode->SetText(code);
        return id;
    }
    auto insert = [this](const String& newCode) {
        TSqlStatement statement;
        statement.Add("Insert into T_BJinfo(F_Code,F_type,F_area,F_FZRemp,F_date, F_YSmem,F_Memo1,F_XQname) "
                      "Values(:Code,:type,:area,:FZRemp,:date,:YSmem,:Memo1,:XQname) ");
        SetParams(statement, newCode);
        ExecStatement(dmData->QryPub(), statement);
    };
    code = InsertUnderFreeCode(BJinfoTable, BJinfoCodeDigits, code, insert);
    edtCode->SetText(code);
    return InsertedId(BJinfoTable);
}
