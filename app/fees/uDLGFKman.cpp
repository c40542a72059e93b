#include "app/fees/uDLGFKman.h"

#include "app/fees/uFrmWuyeFYjsgl.h"

#include "app/core/FormControls.h"
#include "app/core/PubUnit.h"
#include "app/core/Vardessa.h"

#include "controls/kxCurrEdit.h"
#include "gui/StdCtrls.h"

namespace {

TCurrencyEdit* AddAmount(TdlgFKman* dialog, const String& name, const String& caption, int top, bool readOnly) {
    TCurrencyEdit* edit = AddCurrencyEdit(dialog, dialog, name, caption, 20, top, 150);
    edit->SetDecimalPlaces(4);
    edit->SetDisplayFormat(FmtTotal);
    edit->SetReadOnly(readOnly);
    return edit;
}

} // namespace

TdlgFKman::TdlgFKman(TfrmWuyeFYjsgl* window) : TForm(window), FWindow(window), FTotal(window->FKprice()) {
    SetName("dlgFKman");
    SetCaption(DiscountCaption);
    SetBorderStyle(bsDialog);
    SetBorderIcons(TBorderIcons{biSystemMenu});
    SetPosition(poOwnerFormCenter);
    SetClientWidth(270);
    SetClientHeight(200);
    lblTitle = new TLabel(this);
    lblTitle->SetName("lblTitle");
    lblTitle->SetParent(this);
    lblTitle->SetCaption("现金收费窗口");
    lblTitle->SetVisible(false);
    ceZHprice = AddAmount(this, "ceZHprice", "帐户余额", 16, true);
    ceFKprice = AddAmount(this, "ceFKprice", "本次结款", 48, true);
    ceYHprice = AddAmount(this, "ceYHprice", "优惠金额", 80, false);
    ceSKprice = AddAmount(this, "ceSKprice", "实结金额", 112, true);
    ceZHprice->SetValue(window->BankPrice().ToDouble());
    ceFKprice->SetValue(FTotal.ToDouble());
    ceYHprice->SetValue(window->YHprice().ToDouble());
    ceSKprice->SetValue((FTotal - window->YHprice()).ToDouble());
    ceYHprice->OnChange = [this](TObject*) { ceSKprice->SetValue((FTotal - MoneyOf(ceYHprice)).ToDouble()); };
    btnOk = new TButton(this);
    btnOk->SetName("btnOk");
    btnOk->SetParent(this);
    btnOk->SetBounds(60, 156, 80, 26);
    btnOk->SetCaption("确定");
    btnOk->SetDefault(true);
    btnOk->OnClick = [this](TObject*) {
        if (Confirm()) SetModalResult(mrOk);
    };
    btnClose = new TButton(this);
    btnClose->SetName("btnClose");
    btnClose->SetParent(this);
    btnClose->SetBounds(156, 156, 80, 26);
    btnClose->SetCaption("关闭");
    btnClose->SetModalResult(mrCancel);
    btnClose->SetCancel(true);
    DoCreate();
}

bool TdlgFKman::Confirm() {
    const Currency discount = MoneyOf(ceYHprice);
    if (discount < Currency() || discount > FTotal) {
        ShowMess(MsgDiscountRange, 3);
        if (ceYHprice->CanFocus()) ceYHprice->SetFocus();
        return false;
    }
    FWindow->ApplyDiscount(discount);
    return true;
}
