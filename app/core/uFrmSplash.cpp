#include "app/core/uFrmSplash.h"

#include "app/core/PubUnit.h"

#include "gui/StdCtrls.h"

TfrmSplash::TfrmSplash(TComponent* AOwner) : TForm(AOwner) {
    SetName("frmSplash");
    SetBorderStyle(bsNone);
    SetPosition(poScreenCenter);
    SetBounds(0, 0, 420, 220);
    SetColor(TColor(0x8B4513)); // a deep blue
    lblTitle = new TLabel(this);
    lblTitle->SetParent(this);
    lblTitle->SetAutoSize(false);
    lblTitle->SetBounds(0, 60, 420, 50);
    lblTitle->SetAlignment(taCenter);
    lblTitle->Font()->SetSize(20);
    lblTitle->Font()->SetColor(clWhite);
    lblTitle->SetCaption(ApplicationTitle);
    Label1 = new TLabel(this);
    Label1->SetParent(this);
    Label1->SetAutoSize(false);
    Label1->SetBounds(20, 180, 380, 20);
    Label1->Font()->SetColor(clWhite);
    Label1->SetCaption("系统正在启动，请稍候 .....");
    DoCreate();
}

void TfrmSplash::SetStatus(const String& text) {
    Label1->SetCaption(text);
    Label1->Repaint();
    Application()->ProcessMessages();
}
