#include "app/registers/uFrmFYinfoEdit.h"

#include "app/registers/DialogControls.h"
#include "app/registers/ListWindow.h"
#include "app/registers/RegisterCodes.h"
#include "app/registers/TypedText.h"
#include "app/registers/uFrmFYinfoGL.h"

#include "app/core/DataDm.h"
#include "app/core/PubUnit.h"

#include "controls/kxCurrEdit.h"
#include "db/ADODB.h"
#include "gui/StdCtrls.h"

namespace {

const String FYinfoTable = "T_FYinfo";
constexpr int FYinfoCodeDigits = 3;

// The item holding the name (0 when none), inside the save's transaction.
int ItemWithName(const String& name) {
    TADOQuery query;
    query.SetConnection(dmData->ADOcnn());
    query.SQL()->SetText("select F_ID from T_FYinfo where F_name = :name");
    query.Parameters()->ParamByName("name")->SetValue(name);
    query.Open();
    return query.IsEmpty() ? 0 : query.Fields()[0]->AsInteger();
}

} // namespace

TfrmFYinfoEdit::TfrmFYinfoEdit(TfrmFYinfoGL* list) : TEditDialog(list, "费用项目") {
    SetName("frmFYinfoEdit");
    SetClientWidth(520);
    SetClientHeight(330);
    GroupBox1 = new TGroupBox(this);
    GroupBox1->SetName("GroupBox1");
    GroupBox1->SetParent(this);
    GroupBox1->SetAlign(alClient);
    GroupBox1->SetCaption("");
    const int left = 14, right = 264, width = 160;
    edtCode = AddEdit(this, GroupBox1, "edtCode", "编    号：", left, 16, width);
    edtCode->SetReadOnly(true);
    edtCode->SetTabStop(false);
    edtName = AddEdit(this, GroupBox1, "edtName", "名    称：", right, 16, width);
    cbbSFtype = AddCombo(this, GroupBox1, "cbbSFtype", "收费方式：", left, 46, width,
                         "select f_name from t_code where f_type = 'sftype'");
    ceSFprice = AddCurrencyEdit(this, GroupBox1, "ceSFprice", "单位价格：", right, 46, width);
    cbbSFcycle = AddCombo(this, GroupBox1, "cbbSFcycle", "收费周期：", left, 76, width,
                          "select f_name from t_code where f_type = 'sfcycle'");
    cbbXQname = AddEstateCombo(this, GroupBox1, "cbbXQname", "小区名称：", right, 76, width);
    Memo1 = AddMemo(this, GroupBox1, "Memo1", "备    注：", left, 106, 410, 80);
    lblGuide = new TLabel(this);
    lblGuide->SetName("lblGuide");
    lblGuide->SetParent(GroupBox1);
    lblGuide->SetBounds(left + DialogLabelWidth, 196, 410, 76);
    lblGuide->SetCaption("1.按住户收取的物业费如：治安费等；\n2.按面积收取的物业费如：取暖费等；\n"
                         "3.按用量收取的物业费如：水电费等；\n4.自定义的物业费价格可以自由设定；");
    LimitToColumns(FYinfoTable, {{edtCode, "F_code"},
                                 {edtName, "F_name"},
                                 {cbbSFtype, "F_SFtype"},
                                 {cbbSFcycle, "F_SFcycle"},
                                 {cbbXQname, "F_XQname"}});
}

void TfrmFYinfoEdit::DoShow() {
    ceSFprice->SetDisplayFormat(FmtPrice);
    ceSFprice->SetDecimalPlaces(DecPrice);
    TEditDialog::DoShow();
}

TWinControl* TfrmFYinfoEdit::FirstField() const {
    return edtName;
}

void TfrmFYinfoEdit::LoadEditorFields(bool fromList) {
    if (!fromList) {
        edtCode->SetText(
            dmData->NextCode(DigitCounterCodeSql(FYinfoTable, FYinfoCodeDigits), FYinfoCodeDigits));
        edtName->SetText("");
        cbbSFtype->SetText("");
        cbbSFcycle->SetText("");
        ceSFprice->SetValue(0);
        Memo1->SetText("");
        FOldName.clear();
        return; // the estate stays
    }
    TADOQuery* row = List()->QryTable;
    auto text = [row](const char* field) { return row->FieldByName(field)->AsString(); };
    edtCode->SetText(text("F_Code"));
    edtName->SetText(text("F_name"));
    cbbSFtype->SetText(text("F_SFtype"));
    ceSFprice->SetValue(row->FieldByName("F_SFprice")->AsCurrency().ToDouble());
    cbbSFcycle->SetText(text("F_SFcycle"));
    Memo1->SetText(text("F_memo1"));
    cbbXQname->SetText(text("F_XQname"));
    FOldName = text("F_name");
    RememberLoadedRow();
}

void TfrmFYinfoEdit::SetParams(TSqlStatement& statement, const String& code) {
    statement.Param("Code", code)
        .Param("Name", TypedText(edtName->Text()))
        .Param("SFtype", TypedText(cbbSFtype->Text()))
        .Param("SFprice", MoneyOf(ceSFprice))
        .Param("SFcycle", TypedText(cbbSFcycle->Text()))
        .Param("Memo1", TypedMemo(Memo1->Text()))
        .Param("XQname", TypedText(cbbXQname->Text()));
}

int TfrmFYinfoEdit::WriteRecord() {
    String code = TypedText(edtCode->Text());
    const String name = TypedText(edtName->Text());
    const int id = EditMode() ? RecordId() : 0;
    if (EditMode()) VerifyLoaded(FYinfoTable);
    // Inside the save's transaction: of two stations saving one name at once, the second is told.
    const int namesake = ItemWithName(name);
    if (namesake > 0 && namesake != id) throw ESaveRefused(MsgFeeItemNameTaken, 3, edtName);
    if (EditMode()) {
        code = CodeForEdit(FYinfoTable, FYinfoCodeDigits, code, id);
        TSqlStatement update;
        update.Add("Update T_FYinfo Set F_code = :code,F_name = :name,F_SFtype = :SFtype, F_SFprice = :SFprice,"
                   "F_SFcycle = :SFcycle,F_memo1 = :memo1,F_XQname = :XQname Where F_ID = :ID ");
        SetParams(update, code);
        update.Param("ID", id);
        ExecStatement(dmData->QryPub(), update);
        const String oldName = TypedText(FOldName);
        if (oldName != name) {
            // The item's rows follow its name: every ledger row (any method, paid or not) and every
            // shared-fee record. A failure here undoes the item's change as well.
            for (const char* table : {"T_wyFYrec", "t_wyGTrec"}) {
                TSqlStatement rename;
                rename.Add(String("update ") + table + " set F_SFname = :new where F_SFname = :old")
                    .Param("new", name)
                    .Param("old", FOldName);
                ExecStatement(dmData->QryPub(), rename);
            }
        }
        edtCode->SetText(code);
        return id;
    }
    auto insert = [this](const String& newCode) {
        TSqlStatement statement;
        statement.Add("Insert into T_FYinfo(F_Code,F_name,F_SFtype,F_SFprice,F_SFcycle, F_Memo1,F_XQname) "
                      "Values(:Code,:Name,:SFtype,:SFprice,:SFcycle,:Memo1,:XQname) ");
        SetParams(statement, newCode);
        ExecStatement(dmData->QryPub(), statement);
    };
    code = InsertUnderFreeCode(FYinfoTable, FYinfoCodeDigits, code, insert);
    edtCode->SetText(code);
    return InsertedId(FYinfoTable);
}
