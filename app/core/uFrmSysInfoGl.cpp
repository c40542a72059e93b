#include "app/core/uFrmSysInfoGl.h"

#include "app/core/DataDm.h"
#include "app/core/PubUnit.h"
#include "app/core/Vardessa.h"
#include "app/core/uFrmMain.h"

#include "controls/kxCurrEdit.h"
#include "db/ADODB.h"
#include "gui/StdCtrls.h"

#include <cmath>

TfrmSysInfoGl::TfrmSysInfoGl(TComponent* AOwner) : TForm(AOwner) {
    SetName("frmSysInfoGl");
    SetCaption("软件当前设置");
    SetBorderStyle(bsDialog);
    SetBorderIcons(TBorderIcons{biSystemMenu});
    SetPosition(poOwnerFormCenter);
    SetClientWidth(330);
    SetClientHeight(230);

    GroupBox1 = new TGroupBox(this);
    GroupBox1->SetName("GroupBox1");
    GroupBox1->SetParent(this);
    GroupBox1->SetBounds(12, 10, 306, 130);
    GroupBox1->SetCaption("保留小数点位数");
    rceAmount = NewPlacesEdit("rceAmount", "数量：", 26);
    rcePrice = NewPlacesEdit("rcePrice", "单价：", 60);
    rceTotal = NewPlacesEdit("rceTotal", "金额：", 94);

    lblNote = new TLabel(this);
    lblNote->SetName("lblNote");
    lblNote->SetParent(this);
    lblNote->SetAutoSize(false);
    lblNote->SetWordWrap(true);
    lblNote->SetBounds(14, 148, 302, 36);
    lblNote->Font()->SetColor(clRed);
    lblNote->SetCaption("注意：这里设置的小数位数适用于整个软件中所有同类的数量、单价和金额字段。");

    btnOk = new TButton(this);
    btnOk->SetName("btnOk");
    btnOk->SetParent(this);
    btnOk->SetBounds(140, 192, 80, 26);
    btnOk->SetCaption("确定");
    btnOk->SetDefault(true);
    btnOk->OnClick = [this](TObject*) { btnOkClick(); };
    btnClose = new TButton(this);
    btnClose->SetName("btnClose");
    btnClose->SetParent(this);
    btnClose->SetBounds(232, 192, 80, 26);
    btnClose->SetCaption("关闭");
    btnClose->SetModalResult(mrCancel);
    btnClose->SetCancel(true);
    DoCreate();
}

TKxCalcEdit* TfrmSysInfoGl::NewPlacesEdit(const String& name, const String& caption, int top) {
    TLabel* label = new TLabel(this);
    label->SetParent(GroupBox1);
    label->SetBounds(40, top + 4, 60, 20);
    label->SetCaption(caption);
    TKxCalcEdit* edit = new TKxCalcEdit(this);
    edit->SetName(name);
    edit->SetParent(GroupBox1);
    edit->SetBounds(104, top, 150, 24);
    edit->SetDecimalPlaces(0);
    edit->SetMinValue(0);
    edit->SetMaxValue(10);
    edit->SetZeroEmpty(false);
    return edit;
}

void TfrmSysInfoGl::DoShow() {
    rceAmount->SetValue(DecAmount);
    rcePrice->SetValue(DecPrice);
    rceTotal->SetValue(DecTotal);
    TForm::DoShow();
}

void TfrmSysInfoGl::btnOkClick() {
    const int amount = static_cast<int>(std::trunc(rceAmount->Value()));
    const int price = static_cast<int>(std::trunc(rcePrice->Value()));
    const int total = static_cast<int>(std::trunc(rceTotal->Value()));
    // The database first: when the update fails, the program keeps the counts it has, which are
    // still those of the database.
    TADOQuery* query = dmData->QryPub();
    if (!dmData->ADOcnn()->Connected()) dmData->ADOcnn()->Open();
    query->Close();
    query->SQL()->SetText("update SysInfo Set F_iAmount = :iAmount,F_iPrice = :iPrice, F_iTotal = :iTotal ");
    query->Parameters()->ParamByName("iAmount")->SetValue(amount);
    query->Parameters()->ParamByName("iPrice")->SetValue(price);
    query->Parameters()->ParamByName("iTotal")->SetValue(total);
    query->ExecSQL();
    DecAmount = amount;
    DecPrice = price;
    DecTotal = total;
    BuildDisplayFormats();
    ShowMess(MsgSettingsSaved, 0);
    SetModalResult(mrOk);
}

void RegisterSysInfoWindow() {
    RegisterActionWindow(108, ModalActionWindow<TfrmSysInfoGl>(1));
}
