// TApplication: the message loop over Qt's event dispatcher, idle handling (action updates and
// OnIdle), exception handling and the platform's message box.
#include "gui/Forms.h"

#include "gui/ActnList.h"
#include "gui/Interaction.h"
#include "gui/qt/QtSupport.h"

#include "rtl/FileUtils.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QWidget>

TApplication::TApplication(TComponent* AOwner) : TComponent(AOwner) {
    EnsureQtApp();
    // The screen object outlives the application's forms, which leave its list when they go.
    Screen();
}

namespace {
bool GClosingDown = false;
}

bool ApplicationClosingDown() {
    return GClosingDown;
}

// The application object is a static that ends with the process: the controls it still owns
// are freed as components, their native windows are not (see TControl's destructor).
TApplication::~TApplication() {
    GClosingDown = true;
    Destroying();
    DestroyComponents();
}

TApplication* Application() {
    static std::unique_ptr<TApplication> app = std::make_unique<TApplication>(nullptr);
    return app.get();
}

// The title names the application in its own boxes (ShowException). It is not the toolkit's
// display name, which the toolkit would append to every window title.
void TApplication::SetTitle(const String& v) {
    FTitle = v;
}

String TApplication::ExeName() const {
    return FromQString(QCoreApplication::applicationFilePath());
}

void TApplication::Run() {
    if (FMainForm && FShowMainForm) FMainForm->Show();
    while (!FTerminated)
        HandleMessage();
}

void TApplication::ProcessMessages() {
    EnsureQtApp();
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void TApplication::HandleMessage() {
    EnsureQtApp();
    QAbstractEventDispatcher* d = QAbstractEventDispatcher::instance();
    QCoreApplication::sendPostedEvents();
    if (d && d->processEvents(QEventLoop::AllEvents)) return;
    Idle();
    if (FTerminated) return;
    if (d) d->processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
}

void TApplication::Idle() {
    // Actions of the shown forms update their state, as the platform does when the queue empties.
    for (int i = 0; i < Screen()->FormCount(); ++i) {
        TCustomForm* f = Screen()->Forms(i);
        if (!f->Visible()) continue;
        for (int j = 0; j < f->ComponentCount(); ++j)
            if (auto* list = dynamic_cast<TCustomActionList*>(f->Components(j))) list->UpdateActions();
    }
    bool done = true;
    if (OnIdle) {
        try {
            OnIdle(this, done);
        } catch (...) {
            HandleException(this);
        }
    }
    (void)done;
}

void TApplication::Terminate() {
    FTerminated = true;
    if (QAbstractEventDispatcher* d = QAbstractEventDispatcher::instance()) d->wakeUp();
}

void TApplication::SetShowHint(bool v) {
    FShowHint = v;
    // Controls rebuild their tool tips from the flag.
    for (int i = 0; i < Screen()->FormCount(); ++i) {
        TCustomForm* f = Screen()->Forms(i);
        f->SetShowHint(f->ShowHint());
    }
}

void TApplication::SetHintPause(int v) {
    FHintPause = v;
}

void TApplication::SetHint(const String& v) {
    if (v == FHint) return;
    FHint = v;
    if (OnHint) OnHint(this);
}

void TApplication::HandleException(TObject* Sender) {
    try {
        throw;
    } catch (const EAbort&) {
        // silent
    } catch (const std::exception& e) {
        if (OnException)
            OnException(Sender, e);
        else
            ShowException(e);
    } catch (...) {
        Exception e("Unknown exception");
        if (OnException)
            OnException(Sender, e);
        else
            ShowException(e);
    }
}

void TApplication::ShowException(const std::exception& E) {
    String msg = E.what();
    // The platform ends the message with a full stop unless it has one (or other punctuation).
    if (!msg.empty() && static_cast<unsigned char>(msg.back()) > '.') msg += ".";
    MessageBox(msg, FTitle, MB_OK | MB_ICONSTOP);
}

int TApplication::MessageBox(const String& Text, const String& Caption, Cardinal Flags) {
    TInteractionRequest r;
    r.Kind = TInteractionKind::MessageBox;
    r.Caption = Caption;
    r.Text = Text;
    r.Flags = Flags;
    return Interaction::Ask(r).Result;
}

void TApplication::Minimize() {
    for (int i = 0; i < Screen()->FormCount(); ++i)
        if (Screen()->Forms(i)->Visible()) Screen()->Forms(i)->SetWindowState(wsMinimized);
}

void TApplication::Restore() {
    for (int i = 0; i < Screen()->FormCount(); ++i)
        if (Screen()->Forms(i)->Visible() && Screen()->Forms(i)->WindowState() == wsMinimized)
            Screen()->Forms(i)->SetWindowState(wsNormal);
}

void TApplication::BringToFront() {
    if (TCustomForm* f = Screen()->ActiveForm() ? Screen()->ActiveForm() : FMainForm) f->Show();
}

bool TApplication::Active() const {
    return QApplication::activeWindow() != nullptr || Screen()->ActiveForm();
}

void TApplication::Notification(TComponent* AComponent, TOperation Operation) {
    TComponent::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FMainForm) FMainForm = nullptr;
}

bool TApplication::IsShortCut(TShortCut ShortCut) {
    bool handled = false;
    if (OnShortCut) OnShortCut(ShortCut, handled);
    if (handled) return true;
    return FMainForm && FMainForm->Enabled() && FMainForm->IsShortCut(ShortCut);
}
