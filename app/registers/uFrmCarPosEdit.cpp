#include "app/registers/uFrmCarPosEdit.h"

#include "app/registers/DialogControls.h"
#include "app/registers/ListWindow.h"
#include "app/registers/RegisterCodes.h"
#include "app/registers/TypedText.h"
#include "app/registers/uFrmCarPosGL.h"

#include "app/core/DataDm.h"
#include "app/core/NotSetDate.h"
#include "app/core/Vardessa.h"

#include "controls/kxCurrEdit.h"
#include "db/ADODB.h"
#include "gui/StdCtrls.h"

namespace {

const String NewSpaceTable = "T_carPos";

} // namespace

TfrmCarPosEdit::TfrmCarPosEdit(TfrmCarPosGL* list) : TEditDialog(list, "车位档案") {
    SetName("frmCarPosEdit");
    SetClientWidth(480);
    SetClientHeight(230);
    GroupBox1 = new TGroupBox(this);
    GroupBox1->SetName("GroupBox1");
    GroupBox1->SetParent(this);
    GroupBox1->SetAlign(alClient);
    GroupBox1->SetCaption("");
    const int left = 14, right = 244, width = 150;
    edtCode = AddEdit(this, GroupBox1, "edtCode", "车位编号：", left, 16, width);
    ceYSprice = AddCurrencyEdit(this, GroupBox1, "ceYSprice", "预售价格：", right, 16, width);
    edtAddress = AddEdit(this, GroupBox1, "edtAddress", "所在位置：", left, 46, width);
    ceYZprice = AddCurrencyEdit(this, GroupBox1, "ceYZprice", "预租价格：", right, 46, width);
    for (TCurrencyEdit* price : {ceYSprice, ceYZprice}) {
        price->SetDecimalPlaces(4);
        price->SetDisplayFormat(PriceEditFormat);
    }
    Memo1 = AddMemo(this, GroupBox1, "Memo1", "备    注：", left, 76, 380, 90);
    LimitToColumns(NewSpaceTable, {{edtCode, "F_code"}, {edtAddress, "F_address"}});
}

void TfrmCarPosEdit::LoadEditorFields(bool fromList) {
    (void)fromList; // the dialog only creates spaces
    edtCode->SetText("");
    edtAddress->SetText("");
    ceYSprice->SetValue(0);
    ceYZprice->SetValue(0);
    Memo1->SetText("");
}

bool TfrmCarPosEdit::CheckFields() {
    if (!TypedText(edtCode->Text()).empty()) return true;
    ShowMess(MsgSpaceCodeEmpty, 0);
    if (edtCode->CanFocus()) edtCode->SetFocus();
    return false;
}

int TfrmCarPosEdit::WriteRecord() {
    const String code = TypedText(edtCode->Text());
    // Inside the save's transaction: of two stations saving one code at once, the second is told.
    if (RowWithCode(NewSpaceTable, code) > 0) throw ESaveRefused(MsgSpaceCodeTaken, 0, edtCode);
    TSqlStatement insert;
    insert.Add("Insert into T_carPos(F_code,F_Address,F_YSprice,F_YZprice,F_memo1, F_flag,F_fromDate,F_toDate) "
               "Values(:code,:Address,:YSprice,:YZprice,:memo1,:Flag,:fromDate,:toDate) ")
        .Param("code", code)
        .Param("Address", TypedText(edtAddress->Text()))
        .Param("YSprice", MoneyOf(ceYSprice))
        .Param("YZprice", MoneyOf(ceYZprice))
        .Param("memo1", TypedMemo(Memo1->Text()))
        .Param("Flag", false)
        .Param("fromDate", NotSetDateText)
        .Param("toDate", String("3000-08-14"));
    ExecStatement(dmData->QryPub(), insert);
    return InsertedId(NewSpaceTable);
}
