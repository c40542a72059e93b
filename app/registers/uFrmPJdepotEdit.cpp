#include "app/registers/uFrmPJdepotEdit.h"

#include "app/registers/DialogControls.h"
#include "app/registers/ListWindow.h"
#include "app/registers/TypedText.h"
#include "app/registers/uFrmPJdepotGL.h"

#include "app/core/DataDm.h"
#include "app/core/Vardessa.h"

#include "controls/kxCurrEdit.h"
#include "db/ADODB.h"
#include "gui/Colors.h"
#include "gui/Input.h"
#include "gui/StdCtrls.h"

namespace {

const String PartTable = "T_PJinfo";

void Refuse(const String& message, TWinControl* focus) {
    ShowMess(message, 0);
    if (focus->CanFocus()) focus->SetFocus();
}

} // namespace

TfrmPJdepotEdit::TfrmPJdepotEdit(TfrmPJdepotGL* list) : TEditDialog(list, "配件资料") {
    SetName("frmPJdepotEdit");
    SetClientWidth(520);
    SetClientHeight(310);
    SetContinuousAddDefault(false);
    Button2->SetCancel(false); // Esc asks first (KeyDown), it does not cancel at once
    GroupBox1 = new TGroupBox(this);
    GroupBox1->SetName("GroupBox1");
    GroupBox1->SetParent(this);
    GroupBox1->SetAlign(alClient);
    GroupBox1->SetCaption("");
    const int left = 14, right = 264, width = 160;
    edtcode = AddEdit(this, GroupBox1, "edtcode", "编    号：", left, 16, width);
    edtname = AddEdit(this, GroupBox1, "edtname", "名    称：", right, 16, width);
    cbbtype = AddCombo(this, GroupBox1, "cbbtype", "类    别：", left, 46, width,
                       "select distinct F_name from t_code where (F_name <> '') and F_type = 'pjtype' ");
    edtspec = AddEdit(this, GroupBox1, "edtspec", "规    格：", right, 46, width);
    cbbunit = AddCombo(this, GroupBox1, "cbbunit", "单    位：", left, 76, width,
                       "select distinct F_name from t_code where (F_name <> '') and F_type = 'unit' ");
    edtAddress = AddEdit(this, GroupBox1, "edtAddress", "产    地：", right, 76, width);
    ceprice1 = AddCurrencyEdit(this, GroupBox1, "ceprice1", "预售单价：", left, 106, width);
    cePrice2 = AddCurrencyEdit(this, GroupBox1, "cePrice2", "进货价格：", right, 106, width);
    for (TCurrencyEdit* price : {ceprice1, cePrice2}) {
        price->SetDecimalPlaces(4);
        price->SetDisplayFormat(PriceEditFormat);
    }
    rceAmount = AddCalcEdit(this, GroupBox1, "rceAmount", "库存数量：", left, 136, width);
    cbbXQname = AddEstateCombo(this, GroupBox1, "cbbXQname", "小区名称：", right, 136, width);
    Memo1 = AddMemo(this, GroupBox1, "Memo1", "备注信息：", left, 166, 410, 80);
    LimitToColumns(PartTable, {{edtcode, "F_code"},
                               {edtname, "F_name"},
                               {cbbtype, "F_type"},
                               {edtspec, "F_spec"},
                               {cbbunit, "F_unit"},
                               {edtAddress, "F_address"},
                               {cbbXQname, "F_XQname"}});
}

void TfrmPJdepotEdit::SetEditorMode(bool editMode) {
    TEditDialog::SetEditorMode(editMode);
    // The stock of a card moves only by stock in, returns and repairs once the card exists.
    rceAmount->SetReadOnly(editMode);
    rceAmount->SetTabStop(!editMode);
    rceAmount->SetColor(editMode ? clAqua : clWindow);
}

TWinControl* TfrmPJdepotEdit::FirstField() const {
    return edtcode;
}

void TfrmPJdepotEdit::LoadEditorFields(bool fromList) {
    if (!fromList) {
        for (TEdit* edit : {edtcode, edtname, edtspec, edtAddress})
            edit->SetText("");
        cbbtype->SetText("");
        cbbunit->SetText("");
        Memo1->SetText("");
        ceprice1->SetValue(0);
        cePrice2->SetValue(0);
        rceAmount->SetValue(0);
        return; // the estate stays
    }
    TADOQuery* row = List()->QryTable;
    auto text = [row](const char* field) { return row->FieldByName(field)->AsString(); };
    edtcode->SetText(text("F_code"));
    edtname->SetText(text("F_name"));
    cbbtype->SetText(text("F_type"));
    edtspec->SetText(text("F_spec"));
    edtAddress->SetText(text("F_address"));
    ceprice1->SetValue(row->FieldByName("F_price1")->AsCurrency().ToDouble());
    cePrice2->SetValue(row->FieldByName("F_price2")->AsCurrency().ToDouble());
    Memo1->SetText(text("F_mem"));
    cbbunit->SetText(text("F_unit"));
    rceAmount->SetValue(row->FieldByName("F_amount")->AsFloat());
    cbbXQname->SetText(text("F_XQname"));
    RememberLoadedRow();
}

bool TfrmPJdepotEdit::CheckFields() {
    if (TypedText(edtcode->Text()).empty()) {
        Refuse(MsgPartCodeEmpty, edtcode);
        return false;
    }
    if (TypedText(edtname->Text()).empty()) {
        Refuse(MsgPartNameEmpty, edtname);
        return false;
    }
    if (MoneyOf(ceprice1) <= Currency()) {
        Refuse(MsgPartPrice1, ceprice1);
        return false;
    }
    if (MoneyOf(cePrice2) <= Currency()) {
        Refuse(MsgPartPrice2, cePrice2);
        return false;
    }
    if (TypedText(cbbtype->Text()).empty()) {
        Refuse(MsgPartTypeEmpty, cbbtype);
        return false;
    }
    return true; // the code's uniqueness is tested inside the save's transaction
}

void TfrmPJdepotEdit::SetParams(TSqlStatement& statement) {
    statement.Param("type", TypedText(cbbtype->Text()))
        .Param("code", TypedText(edtcode->Text()))
        .Param("name", TypedText(edtname->Text()))
        .Param("spec", TypedText(edtspec->Text()))
        .Param("address", TypedText(edtAddress->Text()))
        .Param("unit", TypedText(cbbunit->Text()))
        .Param("price1", MoneyOf(ceprice1))
        .Param("price2", MoneyOf(cePrice2))
        .Param("rate", 0)
        .Param("mem", TypedMemo(Memo1->Text()))
        .Param("XQname", TypedText(cbbXQname->Text()));
}

int TfrmPJdepotEdit::WriteRecord() {
    const int id = EditMode() ? RecordId() : 0;
    if (EditMode()) VerifyLoaded(PartTable, {"F_AMOUNT"});
    // The code and the estate as they are saved (trimmed).
    TADOQuery taken;
    taken.SetConnection(dmData->ADOcnn());
    taken.SQL()->SetText("select F_ID from T_PJinfo where F_code = :code and F_XQname = :XQname");
    taken.Parameters()->ParamByName("code")->SetValue(TypedText(edtcode->Text()));
    taken.Parameters()->ParamByName("XQname")->SetValue(TypedText(cbbXQname->Text()));
    taken.Open();
    for (taken.First(); !taken.Eof(); taken.Next())
        if (taken.Fields()[0]->AsInteger() != id) throw ESaveRefused(MsgPartCodeTaken, 0, edtcode);
    TSqlStatement statement;
    if (EditMode()) {
        statement.Add("Update T_PJinfo Set F_type = :type,F_code = :code,F_name = :name, f_spec = :spec,"
                      "F_address = :address,F_unit = :unit,F_price1 = :price1, F_price2 = :price2,"
                      "F_rate = :rate,F_mem = :mem, F_XQname = :XQname Where F_ID = :ID ");
        SetParams(statement);
        statement.Param("ID", id);
    } else {
        statement.Add("Insert into T_PJinfo(F_type,F_code,F_name,F_spec,F_address, F_unit,F_price1,F_price2,"
                      "F_amount,F_rate,F_mem,F_XQname) Values(:type,:code,:name,:spec,:address,:unit,:price1,"
                      ":price2,:amount, :rate,:mem,:XQname) ");
        SetParams(statement);
        statement.Param("amount", static_cast<double>(rceAmount->Value()));
    }
    ExecStatement(dmData->QryPub(), statement);
    return EditMode() ? id : InsertedId(PartTable);
}

void TfrmPJdepotEdit::KeyDown(Word& Key, TShiftState Shift) {
    if (Shift.Contains(ssCtrl) || Shift.Contains(ssAlt)) {
        if (Key == 'S') return; // the card has no Ctrl+S
        return TEditDialog::KeyDown(Key, Shift);
    }
    if (Key == VK_RETURN) { // memo included
        Key = 0;
        SelectNext(ActiveControl(), true, true);
        return;
    }
    if (Key == VK_ESCAPE) {
        Key = 0;
        if (ShowMess(LeaveQuestion(Caption()), 1) == 1) Button2->Click();
        return;
    }
    TEditDialog::KeyDown(Key, Shift);
}

void TfrmPJdepotEdit::KeyPress(char16_t& Key) {
    if (Key == u'\r') Key = 0;
    TEditDialog::KeyPress(Key);
}
