#include "app/registers/uFrmPublicSetEdit.h"

#include "app/registers/DialogControls.h"
#include "app/registers/ListWindow.h"
#include "app/registers/RegisterCodes.h"
#include "app/registers/TypedText.h"
#include "app/registers/uFrmPublicSetGL.h"

#include "app/core/DataDm.h"
#include "app/core/PubUnit.h"

#include "controls/kxCurrEdit.h"
#include "db/ADODB.h"
#include "gui/StdCtrls.h"

namespace {

const String FacilityTable = "T_publicSet";
constexpr int FacilityCodeDigits = 6;

} // namespace

TfrmPublicSetEdit::TfrmPublicSetEdit(TfrmPublicSetGL* list) : TEditDialog(list, "公共设施资料") {
    SetName("frmPublicSetEdit");
    SetClientWidth(520);
    SetClientHeight(330);
    GroupBox1 = new TGroupBox(this);
    GroupBox1->SetName("GroupBox1");
    GroupBox1->SetParent(this);
    GroupBox1->SetAlign(alClient);
    GroupBox1->SetCaption("");
    const int left = 14, right = 264, width = 160;
    edtCode = AddEdit(this, GroupBox1, "edtCode", "设施编号：", left, 16, width);
    edtName = AddEdit(this, GroupBox1, "edtName", "设施名称：", right, 16, width);
    cbbSETtype = AddCombo(this, GroupBox1, "cbbSETtype", "设备类型：", left, 46, width,
                          "select f_name from t_code where f_type = 'settype'");
    cbbpinpai = AddCombo(this, GroupBox1, "cbbpinpai", "品    牌：", right, 46, width,
                         "select f_name from t_code where f_type = 'pinpai'");
    edtspec = AddEdit(this, GroupBox1, "edtspec", "规    格：", left, 76, width);
    edtaddress = AddEdit(this, GroupBox1, "edtaddress", "产    地：", right, 76, width);
    cbbXQname = AddCombo(this, GroupBox1, "cbbXQname", "小区名称：", left, 106, width);
    cbbXQname->OnEnter = [this](TObject*) {
        const String text = cbbXQname->Text();
        dmData->FillCombo("select f_name from T_XQinfo where f_name <> '' " + XQNameScopeSQL,
                          *cbbXQname->Items());
        cbbXQname->SetText(text);
    };
    cbUseFlag = AddCheck(this, GroupBox1, "cbUseFlag", "停用", right + DialogLabelWidth, 106);
    rceAmount = AddCalcEdit(this, GroupBox1, "rceAmount", "数    量：", left, 136, width);
    ceprice = AddCurrencyEdit(this, GroupBox1, "ceprice", "单    价：", right, 136, width);
    ceprice->SetDecimalPlaces(4);
    ceTotalprice = AddCurrencyEdit(this, GroupBox1, "ceTotalprice", "金    额：", left, 166, width);
    ceTotalprice->SetDecimalPlaces(4);
    Memo1 = AddMemo(this, GroupBox1, "Memo1", "备    注：", left, 196, 410, 76);
    rceAmount->OnChange = [this](TObject*) { ProposeTotal(); };
    ceprice->OnChange = [this](TObject*) { ProposeTotal(); };
    LimitToColumns(FacilityTable, {{edtCode, "F_code"},
                                   {edtName, "F_name"},
                                   {cbbSETtype, "F_type"},
                                   {cbbpinpai, "F_pinpai"},
                                   {edtspec, "F_spec"},
                                   {edtaddress, "F_address"},
                                   {cbbXQname, "F_XQname"}});
}

void TfrmPublicSetEdit::DoShow() {
    rceAmount->SetDisplayFormat(FmtAmount);
    ceprice->SetDisplayFormat(FmtPrice);
    ceTotalprice->SetDisplayFormat(FmtTotal);
    TEditDialog::DoShow();
}

void TfrmPublicSetEdit::SetEditorMode(bool editMode) {
    TEditDialog::SetEditorMode(editMode);
    edtCode->SetReadOnly(editMode);
}

TWinControl* TfrmPublicSetEdit::FirstField() const {
    return edtName;
}

void TfrmPublicSetEdit::ProposeTotal() {
    const Currency total = MoneyOf(ceprice) * Currency::FromDouble(rceAmount->Value());
    ceTotalprice->SetValue(total.ToDouble());
}

void TfrmPublicSetEdit::LoadEditorFields(bool fromList) {
    if (!fromList) {
        edtCode->SetText(
            dmData->NextCode(DigitCounterCodeSql("t_publicSet", FacilityCodeDigits), FacilityCodeDigits));
        for (TEdit* edit : {edtName, edtspec, edtaddress})
            edit->SetText("");
        cbbSETtype->SetText("");
        cbbpinpai->SetText("");
        Memo1->SetText("");
        rceAmount->SetValue(0);
        ceprice->SetValue(0);
        ceTotalprice->SetValue(0);
        cbUseFlag->SetChecked(false);
        return; // the estate stays: a series of new records keeps to one estate
    }
    TADOQuery* row = List()->QryTable;
    auto text = [row](const char* field) { return row->FieldByName(field)->AsString(); };
    edtCode->SetText(text("F_Code"));
    edtName->SetText(text("F_Name"));
    cbbSETtype->SetText(text("F_type"));
    cbbpinpai->SetText(text("F_pinPai"));
    edtaddress->SetText(text("F_address"));
    edtspec->SetText(text("F_spec"));
    rceAmount->SetValue(row->FieldByName("F_amount")->AsFloat());
    ceprice->SetValue(row->FieldByName("F_price")->AsCurrency().ToDouble());
    // Set after 数量 and 单价, whose changes propose an amount.
    ceTotalprice->SetValue(row->FieldByName("F_totalPrice")->AsCurrency().ToDouble());
    Memo1->SetText(text("F_memo1"));
    cbUseFlag->SetChecked(row->FieldByName("F_UseFlag")->AsBoolean());
    cbbXQname->SetText(text("F_XQname"));
    RememberLoadedRow();
}

void TfrmPublicSetEdit::SetParams(TSqlStatement& statement, const String& code) {
    statement.Param("Code", code)
        .Param("Name", TypedText(edtName->Text()))
        .Param("type", TypedText(cbbSETtype->Text()))
        .Param("pinpai", TypedText(cbbpinpai->Text()))
        .Param("spec", TypedText(edtspec->Text()))
        .Param("address", TypedText(edtaddress->Text()))
        .Param("amount", static_cast<double>(rceAmount->Value()))
        .Param("price", MoneyOf(ceprice))
        .Param("totalprice", MoneyOf(ceTotalprice))
        .Param("Memo1", TypedMemo(Memo1->Text()))
        .Param("useFlag", cbUseFlag->Checked())
        .Param("XQname", TypedText(cbbXQname->Text()));
}

int TfrmPublicSetEdit::WriteRecord() {
    String code = TypedText(edtCode->Text());
    if (EditMode()) {
        const int id = RecordId();
        VerifyLoaded(FacilityTable);
        code = CodeForEdit(FacilityTable, FacilityCodeDigits, code, id);
        TSqlStatement update;
        update.Add("Update T_publicSET Set F_code = :code,F_name = :name,F_type = :type, F_pinpai = :pinpai,"
                   "F_spec = :spec,F_address = :address,F_amount = :amount, F_price = :price,"
                   "F_totalPrice = :totalprice,F_memo1 = :memo1, F_useFlag = :useFlag,F_XQname = :XQname "
                   "Where F_ID = :ID ");
        SetParams(update, code);
        update.Param("ID", id);
        ExecStatement(dmData->QryPub(), update);
        edtCode->SetText(code);
        return id;
    }
    auto insert = [this](const String& newCode) {
        TSqlStatement statement;
        statement.Add(
            "Insert into T_publicSET(F_Code,F_Name,F_type,F_pinpai,F_spec, F_address,F_amount,F_price,"
            "F_totalprice,F_Memo1,F_useFlag,F_XQname) Values(:Code,:Name,:type,:pinpai,:spec,:address,"
            ":amount,:price, :totalprice,:Memo1,:useFlag,:XQname) ");
        SetParams(statement, newCode);
        ExecStatement(dmData->QryPub(), statement);
    };
    // A code another facility holds gives way to the next free one; the numbering inserts in the
    // same write transaction, so two stations never write one code.
    code = InsertUnderFreeCode(FacilityTable, FacilityCodeDigits, code, insert);
    edtCode->SetText(code);
    return InsertedId(FacilityTable);
}
