#include "app/registers/uDLGpjDepotJTH.h"

#include "app/registers/DialogControls.h"
#include "app/registers/RegisterStatement.h"
#include "app/registers/SaveTransaction.h"
#include "app/registers/TypedText.h"
#include "app/registers/uFrmPJdepotGL.h"

#include "app/core/DataDm.h"
#include "app/core/PubUnit.h"
#include "app/core/Vardessa.h"

#include "controls/kxCurrEdit.h"
#include "db/ADODB.h"
#include "gui/ExtCtrls.h"
#include "gui/Input.h"
#include "gui/StdCtrls.h"
#include "rtl/DateUtils.h"
#include "rtl/Format.h"
#include "rtl/StringList.h"

TDLGpjDepotJTH::TDLGpjDepotJTH(TfrmPJdepotGL* list) : TForm(list), FList(list) {
    SetName("DLGpjDepotJTH");
    SetCaption("配件进 (退) 货");
    SetBorderStyle(bsDialog);
    SetBorderIcons(TBorderIcons{biSystemMenu});
    SetKeyPreview(true);
    SetClientWidth(500);
    SetClientHeight(330);
    GroupBox1 = new TGroupBox(this);
    GroupBox1->SetName("GroupBox1");
    GroupBox1->SetParent(this);
    GroupBox1->SetBounds(8, 6, 484, 136);
    GroupBox1->SetCaption("配件信息 ");
    const int left = 10, right = 246, width = 150;
    edtcode = AddEdit(this, GroupBox1, "edtcode", "配件编号：", left, 20, width);
    edtname = AddEdit(this, GroupBox1, "edtname", "配件名称：", right, 20, width);
    edtspec = AddEdit(this, GroupBox1, "edtspec", "规    格：", left, 48, width);
    edtunit = AddEdit(this, GroupBox1, "edtunit", "单    位：", right, 48, width);
    edtAddress = AddEdit(this, GroupBox1, "edtAddress", "产    地：", left, 76, width);
    ceprice1 = AddCurrencyEdit(this, GroupBox1, "ceprice1", "预售单价：", right, 76, width);
    cePrice2 = AddCurrencyEdit(this, GroupBox1, "cePrice2", "进货价格：", left, 104, width);
    rceAmount = AddCalcEdit(this, GroupBox1, "rceAmount", "库存数量：", right, 104, width);
    for (TEdit* shown : {edtcode, edtname, edtspec, edtunit, edtAddress})
        shown->SetReadOnly(true);
    edtcode->SetTabStop(false);
    edtname->SetTabStop(false);
    for (TCurrencyEdit* price : {ceprice1, cePrice2}) {
        price->SetDecimalPlaces(4);
        price->SetDisplayFormat(PriceEditFormat);
        price->SetReadOnly(true);
    }
    rceAmount->SetReadOnly(true);
    RadioGroup1 = new TRadioGroup(this);
    RadioGroup1->SetName("RadioGroup1");
    RadioGroup1->SetParent(this);
    RadioGroup1->SetBounds(18, 150, 160, 40);
    RadioGroup1->SetColumns(2);
    RadioGroup1->Items()->Add("进货");
    RadioGroup1->Items()->Add("退货");
    RadioGroup1->SetItemIndex(0);
    lblflag = AddLabel(this, this, "进货数量：", 196, 160);
    lblflag->SetName("lblflag");
    rceAddAmount = new TKxCalcEdit(this);
    rceAddAmount->SetName("rceAddAmount");
    rceAddAmount->SetParent(this);
    rceAddAmount->SetBounds(196 + DialogLabelWidth, 160, 140, 22);
    RadioGroup1->OnClick = [this](TObject*) {
        lblflag->SetCaption(RadioGroup1->Items()->Strings(std::max(0, RadioGroup1->ItemIndex())) + "数量：");
    };
    cbbXQname = AddEstateCombo(this, this, "cbbXQname", "小区名称：", 18, 196, 150);
    Memo1 = AddMemo(this, this, "Memo1", "备注信息：", 18, 226, 400, 56);
    LimitToColumns("T_pjJHrec", {{cbbXQname, "F_XQname"}});
    Button1 = new TButton(this);
    Button1->SetName("Button1");
    Button1->SetParent(this);
    Button1->SetBounds(320, 294, 80, 28);
    Button1->SetCaption("确定");
    Button1->OnClick = [this](TObject*) { SaveStockMove(); };
    Button2 = new TButton(this);
    Button2->SetName("Button2");
    Button2->SetParent(this);
    Button2->SetBounds(408, 294, 80, 28);
    Button2->SetCaption("取消");
    Button2->SetModalResult(mrCancel);
}

TDLGpjDepotJTH::~TDLGpjDepotJTH() {
    DestroyComponents();
}

int TDLGpjDepotJTH::ShowStockDialog() {
    LoadStockDialog();
    return ShowModal();
}

void TDLGpjDepotJTH::LoadStockDialog() {
    TADOQuery* row = FList->QryTable;
    auto text = [row](const char* field) { return row->FieldByName(field)->AsString(); };
    FPartId = FList->CurrentId();
    FPartCode = text("F_code");
    edtcode->SetText(FPartCode);
    edtname->SetText(text("F_name"));
    edtspec->SetText(text("F_spec"));
    edtAddress->SetText(text("F_address"));
    edtunit->SetText(text("F_unit"));
    ceprice1->SetValue(row->FieldByName("F_price1")->AsCurrency().ToDouble());
    cePrice2->SetValue(row->FieldByName("F_price2")->AsCurrency().ToDouble());
    rceAmount->SetValue(row->FieldByName("F_amount")->AsFloat());
    cbbXQname->SetText(text("F_XQname"));
    SetActiveControl(rceAddAmount); // the part is shown; the quantity is what is typed
}

bool TDLGpjDepotJTH::SaveStockMove() {
    const bool stockIn = RadioGroup1->ItemIndex() != 1;
    const double quantity = rceAddAmount->Value();
    if (!(quantity > 0)) {
        ShowMess(stockIn ? MsgStockInQuantity : MsgReturnQuantity, 2);
        if (rceAddAmount->CanFocus()) rceAddAmount->SetFocus();
        return false;
    }
    const bool saved = RunSaveTransaction([&] {
        TSqlStatement stock;
        if (stockIn)
            stock.Add("update T_PJinfo set F_amount = F_amount + :amount where F_ID = :ID");
        else
            stock.Add("update T_PJinfo set F_amount = F_amount - :amount where F_ID = :ID and F_amount >= :least");
        stock.Param("amount", quantity).Param("ID", FPartId);
        if (!stockIn) stock.Param("least", quantity);
        if (ExecStatement(dmData->QryPub(), stock) == 0) {
            if (stockIn) throw EStaleRecord(MsgRecordChanged); // the part is gone
            throw ESaveRefused(MsgStockShort, 0, rceAddAmount);
        }
        TSqlStatement move;
        move.Add("insert into T_pjJHrec(F_PJcode,F_editDate,F_amount,F_memo1, F_price1,F_price2,F_OperName,"
                 "F_OperFlag,F_XQname)Values(:PJcode,:editDate,:Amount,:memo1,:price1,:price2,:OperName, "
                 ":OperFlag,:XQname)")
            .Param("PJcode", FPartCode)
            .Param("editDate", FormatDateTime("yyyy-mm-dd", Date()))
            .Param("Amount", quantity)
            .Param("memo1", TypedMemo(Memo1->Text()))
            .Param("price1", MoneyOf(ceprice1))
            .Param("price2", MoneyOf(cePrice2))
            .Param("OperName", OperName)
            .Param("OperFlag", stockIn ? 1 : -1)
            .Param("XQname", TypedText(cbbXQname->Text()));
        ExecStatement(dmData->QryPub(), move);
    });
    if (!saved) return false;
    FList->ReopenAt(FPartId);
    SetModalResult(mrOk);
    return true;
}

void TDLGpjDepotJTH::KeyDown(Word& Key, TShiftState Shift) {
    if (Key == VK_ESCAPE && !Shift.Contains(ssCtrl)) {
        Key = 0;
        if (ShowMess(LeaveQuestion(Caption()), 1) == 1) Button2->Click();
        return;
    }
    TForm::KeyDown(Key, Shift);
}
