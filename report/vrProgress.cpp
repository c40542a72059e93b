// The progress window: its layout, the run it shows and the form it keeps disabled.
#include "report/vrProgress.h"

#include "classes/MetaBuilder.h"
#include "gui/ComCtrls.h"
#include "gui/ExtCtrls.h"
#include "gui/Monitors.h"
#include "gui/StdCtrls.h"
#include "report/vrRes.h"
#include "report/vrWindows.h"

#include <algorithm>

ORV_META_IMPL(TvrProgress)
void TvrProgress::DeclareMeta(meta::Class<TvrProgress>&) {}

TvrProgress::TvrProgress(TComponent* AOwner) : TForm(AOwner) {
    SetBorderStyle(bsNone);
    SetPosition(poScreenCenter);
    SetClientWidth(271);
    SetClientHeight(101);
    Panel1 = new TPanel(this);
    Panel1->SetParent(this);
    Panel1->SetAlign(alClient);
    Panel1->SetBevelWidth(2);
    LMessage = new TLabel(this);
    LMessage->SetParent(Panel1);
    LMessage->SetAutoSize(false);
    LMessage->SetAlignment(taCenter);
    LMessage->SetBounds(16, 11, 237, 20);
    Bar = new TProgressBar(this);
    Bar->SetParent(Panel1);
    Bar->SetBounds(16, 37, 237, 17);
    Bar->SetStep(1);
    CancelB = new TButton(this);
    CancelB->SetParent(Panel1);
    CancelB->SetBounds(100, 64, 75, 25);
    CancelB->SetCancel(true);
    CancelB->SetModalResult(mrCancel);
    CancelB->SetCaption(GetResourceStringById(2));
    CancelB->OnClick = [this](TObject*) { SetCancelRequested(true); };
    // The window has no title bar: it moves by its face.
    SetDragsByClientArea(true);
    vrMirrorForReadingOrder(this);

    FDisabledForm = Screen()->ActiveForm();
    if (FDisabledForm == this) FDisabledForm = nullptr;
    if (FDisabledForm) {
        FDisabledForm->FreeNotification(this);
        FDisabledForm->SetEnabled(false);
    }
    Bar->SetMin(0);
    Bar->SetMax(100);
    SetBarPosition(0);
}

TvrProgress::~TvrProgress() {
    EnableDisabledForm();
}

void TvrProgress::Notification(TComponent* AComponent, TOperation Operation) {
    TForm::Notification(AComponent, Operation);
    // A freed form is never enabled again.
    if (Operation == opRemove && AComponent == FDisabledForm) FDisabledForm = nullptr;
}

void TvrProgress::EnableDisabledForm() {
    if (FDisabledForm) FDisabledForm->SetEnabled(true);
}

void TvrProgress::DoHide() {
    TForm::DoHide();
    EnableDisabledForm();
}

void TvrProgress::StartProgress(int maximum, const String& message, bool showBar, bool showCancel) {
    FCancelRequested = false;
    CancelB->SetVisible(showCancel);
    FShowBar = showBar;
    Bar->SetVisible(showBar);
    LMessage->SetTop(showBar ? 15 : 35);
    Bar->SetMin(0);
    Bar->SetMax(maximum);
    FBarPosition = 0;
    Bar->SetPosition(0);
    SetMessageText(message);
    Show();
    if (FDisabledForm) {
        // Fully on the monitor of the form it belongs to.
        const TRect area = WorkAreaNearestRect(FDisabledForm->BoundsRect());
        const int left = std::max(area.Left, std::min(Left(), area.Right - Width()));
        const int top = std::max(area.Top, std::min(Top(), area.Bottom - Height()));
        SetBounds(left, top, Width(), Height());
    }
    Application()->ProcessMessages();
}

void TvrProgress::StepProgress() {
    if (FBarPosition < Bar->Max() && FBarPosition >= Bar->Min()) SetBarPosition(FBarPosition + 1);
}

void TvrProgress::SetBarPosition(int value) {
    FBarPosition = value;
    Bar->SetPosition(value);
    if (Visible()) BringToFront();
    Application()->ProcessMessages();
}

void TvrProgress::SetMessageText(const String& value) {
    FMessageText = value;
    LMessage->SetCaption(value);
    LMessage->Repaint();
}

void TvrProgress::SetCancelRequested(bool value) {
    FCancelRequested = value;
    if (value) Close();
}
