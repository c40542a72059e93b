// The password window's layout and the question asked through it.
#include "report/vrPassw.h"

#include "classes/MetaBuilder.h"
#include "gui/Bitmap.h"
#include "gui/ExtCtrls.h"
#include "gui/Picture.h"
#include "gui/StdCtrls.h"
#include "report/vrRes.h"
#include "report/vrWindows.h"

#include <memory>

namespace {

// The window's picture: a padlock.
void DrawPadlock(TBitmap& bitmap) {
    bitmap.SetSize(32, 32);
    TCanvas* c = bitmap.Canvas();
    c->Brush()->SetColor(clBtnFace);
    c->FillRect(Rect(0, 0, 32, 32));
    c->Pen()->SetColor(clGray);
    c->Pen()->SetWidth(3);
    c->Brush()->SetStyle(bsClear);
    c->RoundRect(9, 3, 24, 22, 12, 12);
    c->Pen()->SetWidth(1);
    c->Pen()->SetColor(clBlack);
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(TColor(0x0000C0E0)); // brass
    c->Rectangle(5, 14, 28, 31);
    c->Brush()->SetColor(clBlack);
    c->Ellipse(14, 18, 19, 23);
    c->FillRect(Rect(16, 22, 18, 27));
}

} // namespace

ORV_META_IMPL(TvrPasswordForm)
void TvrPasswordForm::DeclareMeta(meta::Class<TvrPasswordForm>&) {}

TvrPasswordForm::TvrPasswordForm(TComponent* AOwner) : TForm(AOwner) {
    SetBorderStyle(bsDialog);
    SetPosition(poScreenCenter);
    SetClientWidth(252);
    SetClientHeight(92);
    SetCaption("Password");
    PasswordE = new TEdit(this);
    PasswordE->SetParent(this);
    PasswordE->SetBounds(52, 28, 189, 21);
    PasswordE->SetPasswordChar('*');
    PasswordL = new TLabel(this);
    PasswordL->SetParent(this);
    PasswordL->SetBounds(52, 10, 189, 13);
    PasswordL->SetCaption("Enter the password:");
    Image1 = new TImage(this);
    Image1->SetParent(this);
    Image1->SetBounds(10, 10, 32, 32);
    {
        TBitmap padlock;
        DrawPadlock(padlock);
        Image1->Picture()->Bitmap()->Assign(padlock);
    }
    OkB = new TButton(this);
    OkB->SetParent(this);
    OkB->SetBounds(86, 60, 75, 25);
    OkB->SetDefault(true);
    OkB->SetModalResult(mrOk);
    CancelB = new TButton(this);
    CancelB->SetParent(this);
    CancelB->SetBounds(166, 60, 75, 25);
    CancelB->SetCancel(true);
    CancelB->SetModalResult(mrCancel);
    PasswordE->SetTabOrder(0);

    SetCaption(GetResourceStringById(5000));
    PasswordL->SetCaption(GetResourceStringById(5001));
    OkB->SetCaption(GetResourceStringById(1));
    CancelB->SetCaption(GetResourceStringById(2));
    vrMirrorForReadingOrder(this);
}

bool vrAskPassword(String& typed) {
    auto form = std::make_unique<TvrPasswordForm>(nullptr);
    if (form->ShowModal() != mrOk) return false;
    typed = form->PasswordE->Text();
    return true;
}
