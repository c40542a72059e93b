#include "app/core/uFrmAboutInfo.h"

#include "app/core/PubUnit.h"
#include "app/core/ShellRun.h"

#include "gui/StdCtrls.h"

#include <memory>

namespace {

TLabel* NewLink(TfrmAboutInfo* form, int top, const String& text, const String& target) {
    TLabel* label = new TLabel(form);
    label->SetParent(form);
    label->SetBounds(40, top, 300, 20);
    label->SetCaption(text);
    label->Font()->SetColor(clBlue);
    label->Font()->SetStyle(TFontStyles{fsUnderline});
    label->SetCursor(crHandPoint);
    label->OnClick = [target](TObject*) { ShellOpenOrTell(target); };
    return label;
}

} // namespace

TfrmAboutInfo::TfrmAboutInfo(TComponent* AOwner) : TForm(AOwner) {
    SetName("frmAboutInfo");
    SetCaption("关于我们");
    SetBorderStyle(bsDialog);
    SetPosition(poOwnerFormCenter);
    SetClientWidth(380);
    SetClientHeight(200);
    lblProduct = new TLabel(this);
    lblProduct->SetParent(this);
    lblProduct->SetBounds(40, 24, 320, 24);
    lblProduct->Font()->SetSize(12);
    lblWeb = NewLink(this, 70, MakerWebAddress, MakerWebAddress);
    lblEmail = NewLink(this, 100, MakerEmailAddress, "mailto:" + MakerEmailAddress + "?subject");
    btnOk = new TButton(this);
    btnOk->SetParent(this);
    btnOk->SetBounds(150, 150, 80, 26);
    btnOk->SetCaption("确定");
    btnOk->SetModalResult(mrOk);
    btnOk->SetDefault(true);
    btnOk->SetCancel(true);
    DoCreate();
}

void TfrmAboutInfo::DoShow() {
    lblProduct->SetCaption(ProductName + ProductVersion);
    TForm::DoShow();
}

void ShowAboutBox(TComponent* owner) {
    auto box = std::make_unique<TfrmAboutInfo>(owner);
    box->ShowModal();
}
