// TCustomForm: a top-level window (or an MDI child) with a client area, an optional menu bar,
// showing, modal showing through the Interaction service, closing, activation and focus, the key
// path's form steps (shortcuts, dialog keys), and the MDI frame.
#include "gui/Forms.h"

#include "gui/ActnList.h"
#include "gui/Interaction.h"
#include "gui/Menus.h"
#include "gui/qt/ControlImpl.h"
#include "gui/qt/FormAccess.h"
#include "gui/qt/FormMoving.h"
#include "gui/qt/MenuAccess.h"
#include "gui/qt/QtSupport.h"

#include <QAction>
#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QTimer>
#include <QWindow>

#include <algorithm>
#include <optional>

#include <set>

// Hears the user move, resize, maximise, minimise or restore an MDI child's sub-window and gives
// the form its new bounds and window state.
class TSubWindowWatch : public QObject {
public:
    explicit TSubWindowWatch(TCustomForm* form) : FForm(form) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Resize || event->type() == QEvent::Move)
            TFormAccess::SubWindowGeometryChanged(FForm, static_cast<QWidget*>(watched));
        else if (event->type() == QEvent::WindowStateChange)
            TFormAccess::SubWindowStateChanged(FForm, static_cast<QWidget*>(watched));
        return false;
    }

private:
    TCustomForm* FForm;
};

// Waits for the window manager to put its frame around a top-level form that was just shown,
// then keeps that outer frame inside the screen's work area (a form as large as the work area
// would otherwise have its title bar or its bottom edge pushed off the screen); once per show.
// And a modal form the window manager minimises (some offer that on every frame) comes straight
// back: nothing else could be used while it waits out of sight.
class TFrameWatch : public QObject {
public:
    explicit TFrameWatch(TCustomForm* form) : FForm(form) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Expose) {
            auto* window = qobject_cast<QWindow*>(watched);
            if (window && window->isExposed()) {
                window->removeEventFilter(this);
                TFormAccess::FrameShown(FForm, window);
            }
        } else if (event->type() == QEvent::WindowStateChange) {
            auto* frame = qobject_cast<QWidget*>(watched);
            if (frame && frame->isMinimized() && FForm->Modal()) TFormAccess::KeepModalInView(FForm, frame);
        }
        return false;
    }

private:
    TCustomForm* FForm;
};

struct TCustomForm::FormImpl {
    QPointer<QMenuBar> MenuBar;
    QPointer<QMdiArea> MdiArea;
    QPointer<QMdiSubWindow> SubWindow;
    std::unique_ptr<TSubWindowWatch> SubWindowWatch;
    std::unique_ptr<TFrameWatch> FrameWatch;
    // The rectangle the form's frame was centred on when first shown, and the frame's widths
    // that centring counted with (the window manager's real ones may differ).
    std::optional<TRect> CentredOn;
    TRect CentredWithExtents;
    // The entries the frame added to its window menu for its child windows.
    std::vector<QPointer<QAction>> WindowListActions;
};

namespace {

std::set<TCustomForm*>& PendingRelease() {
    static std::set<TCustomForm*> pending;
    return pending;
}

TCustomForm* FormOfWidget(QWidget* w) {
    return w ? dynamic_cast<TCustomForm*>(TControlAccess::FromWidget(w)) : nullptr;
}

// Takes the entries of an MDI frame's window list out of its window menu.
void ClearWindowList(std::vector<QPointer<QAction>>& list) {
    for (QPointer<QAction>& a : list)
        delete a.data(); // leaves the menu
    list.clear();
}

} // namespace

TCustomForm::TCustomForm(TComponent* AOwner)
    : TScrollingWinControl(AOwner), FForm(std::make_unique<FormImpl>()),
      FMoving(std::make_unique<TFormMoving>(this)) {
    auto* frame = new QWidget(nullptr, Qt::Window);
    auto* client = new TOrvWidget(this, frame);
    client->FormClient = true;
    client->setFocusPolicy(Qt::ClickFocus);
    TControlAccess::SetVisibleField(this, false);
    TControlAccess::SetWidget(this, frame, client);
    FCanvas = std::make_unique<TControlCanvas>(this);
    TControlAccess::I(this).ClickEvents = true;
    SetParentFont(false);
    SetColor(clBtnFace);
    SetBounds(0, 0, 320, 240);
    Screen()->AddForm(this);
}

TCustomForm::~TCustomForm() {
    Destroying();
    if (!FDestroyed) DoDestroy();
    PendingRelease().erase(this);
    if (Application()->MainForm() == this) Application()->SetMainForm(nullptr);
    Screen()->RemoveForm(this);
    SetWindowMenu(nullptr);
    DestroyComponents();
    if (QMdiSubWindow* sub = FForm->SubWindow.data()) {
        QWidget* frame = TControlAccess::Widget(this);
        sub->setWidget(nullptr);
        if (frame) frame->setParent(nullptr);
        delete sub;
    }
}

void TCustomForm::DoCreate() {
    FCreated = true;
    if (OnCreate) OnCreate(this);
}

void TCustomForm::DoDestroy() {
    if (FDestroyed) return;
    FDestroyed = true;
    if (OnDestroy) OnDestroy(this);
}

// ---------------------------------------------------------------------------------------------
// Caption, bounds, client area, menu

void TCustomForm::SetTextValue(const String& v) {
    TControlAccess::SetTextField(this, v);
    if (QWidget* w = TControlAccess::Widget(this)) w->setWindowTitle(ToQString(v));
}

String TCustomForm::GetText() const {
    return TControlAccess::TextField(this);
}

int TCustomForm::MenuHeight() const {
    QMenuBar* bar = FForm->MenuBar.data();
    return bar && !bar->isHidden() ? bar->sizeHint().height() : 0;
}

TRect TCustomForm::ClientRect() const {
    return Rect(0, 0, Width(), std::max(0, Height() - MenuHeight()));
}

void TCustomForm::SetClientWidth(int v) {
    SetWidth(v);
}
void TCustomForm::SetClientHeight(int v) {
    SetHeight(v + MenuHeight());
}

void TCustomForm::LayoutFrame() {
    QWidget* client = TControlAccess::Client(this);
    const int mh = MenuHeight();
    if (QMenuBar* bar = FForm->MenuBar.data()) bar->setGeometry(0, 0, Width(), mh);
    if (client) client->setGeometry(0, mh, Width(), std::max(0, Height() - mh));
}

void TCustomForm::BoundsChanged() {
    ApplyFrameSize();
    LayoutFrame();
}

bool TCustomForm::Sizeable() const {
    return FBorderStyle == bsSizeable || FBorderStyle == bsSizeToolWin;
}

// The form's bounds on its window. A top-level window of a fixed border keeps the size its
// bounds give it (the user cannot drag it larger); an MDI child's bounds are those of the window
// inside its sub-window, which adds the title bar and the frame around them.
void TCustomForm::ApplyFrameSize() {
    TApplyGuard guard(this);
    const bool fixed = !Sizeable() && FWindowState == wsNormal;
    if (QMdiSubWindow* sub = FForm->SubWindow.data()) {
        if (sub->isMaximized() || sub->isMinimized()) return;
        const QMargins m = sub->contentsMargins();
        const QSize outer(Width() + m.left() + m.right(), Height() + m.top() + m.bottom());
        if (fixed) {
            sub->setFixedSize(outer);
        } else {
            sub->setMinimumSize(0, 0);
            sub->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        }
        sub->setGeometry(QRect(QPoint(Left(), Top()), outer));
        // The window inside goes where the sub-window's frame leaves room at once (its layout
        // would only place it later).
        if (QWidget* inner = TControlAccess::Widget(this)) {
            inner->setMinimumSize(0, 0); // a size kept while it was a window of its own
            inner->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
            inner->setGeometry(m.left(), m.top(), Width(), Height());
        }
        return;
    }
    QWidget* frame = TControlAccess::Widget(this);
    if (!frame || !frame->isWindow() || FFormStyle == fsMDIChild) return;
    if (fixed) {
        frame->setFixedSize(Width(), Height());
    } else if (frame->minimumSize() == frame->maximumSize()) {
        frame->setMinimumSize(0, 0);
        frame->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        frame->resize(Width(), Height());
    }
}

void TCustomForm::Resize() {
    LayoutFrame();
    TScrollingWinControl::Resize();
}

void TCustomForm::AlignmentDone(const TRect& Rest) {
    if (QMdiArea* area = FForm->MdiArea.data())
        area->setGeometry(Rest.Left, Rest.Top, std::max(0, Rest.Width()), std::max(0, Rest.Height()));
}

void TCustomForm::SetMenu(TMainMenu* v) {
    if (v == FMenu) return;
    if (FMenu) FMenu->SetWindowMenuBar(nullptr);
    FMenu = v;
    QWidget* frame = TControlAccess::Widget(this);
    if (v) {
        v->FreeNotification(this);
        if (!FForm->MenuBar) FForm->MenuBar = new QMenuBar(frame);
        FForm->MenuBar->show();
        v->SetWindowMenuBar(FForm->MenuBar.data());
    } else if (FForm->MenuBar) {
        FForm->MenuBar->hide();
    }
    LayoutFrame();
    Realign();
}

void TCustomForm::SetWindowMenu(TMenuItem* v) {
    if (v == FWindowMenu) return;
    if (FWindowMenu) {
        TMenuAccess::SetShowHook(FWindowMenu, nullptr);
        ClearWindowList(FForm->WindowListActions);
    }
    FWindowMenu = v;
    if (v) {
        v->FreeNotification(this);
        TMenuAccess::SetShowHook(v, [this](QMenu* menu) { TFormAccess::UpdateWindowList(this, menu); });
    }
}

void TCustomForm::Notification(TComponent* AComponent, TOperation Operation) {
    TScrollingWinControl::Notification(AComponent, Operation);
    if (Operation != opRemove) return;
    if (AComponent == FWindowMenu) {
        FWindowMenu = nullptr;
        FForm->WindowListActions.clear();
    }
    if (AComponent == FMenu) {
        FMenu = nullptr;
        if (FForm->MenuBar) FForm->MenuBar->hide();
        LayoutFrame();
    }
    if (AComponent == FActiveControl) FActiveControl = nullptr;
}

// ---------------------------------------------------------------------------------------------
// Look

void TCustomForm::SetBorderStyle(TFormBorderStyle v) {
    FBorderStyle = v;
    if (!Visible() || FForm->SubWindow) ApplyWindowFlags();
    ApplyFrameSize();
}

void TCustomForm::SetBorderIcons(TBorderIcons v) {
    FBorderIcons = v;
    if (!Visible() || FForm->SubWindow) ApplyWindowFlags();
}

// The title bar as the platform builds it: the close button and the system menu with
// biSystemMenu; minimise and maximise buttons only with the system menu and never on a dialog or
// tool window frame; the help button only where neither of those shows.
void TCustomForm::ApplyWindowFlags() {
    QWidget* frame = TControlAccess::Widget(this);
    if (!frame || Parent()) return; // a docked form has no border of its own
    QMdiSubWindow* sub = FForm->SubWindow.data();
    const bool systemMenu = FBorderIcons.Contains(biSystemMenu);
    const bool boxes = FBorderStyle == bsSingle || FBorderStyle == bsSizeable;
    const bool minimize = systemMenu && boxes && FBorderIcons.Contains(biMinimize);
    const bool maximize = systemMenu && boxes && FBorderIcons.Contains(biMaximize);
    Qt::WindowFlags f;
    if (FBorderStyle == bsNone) {
        f = Qt::FramelessWindowHint;
    } else {
        f = Qt::CustomizeWindowHint | Qt::WindowTitleHint;
        if (systemMenu) f |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
        if (minimize) f |= Qt::WindowMinimizeButtonHint;
        if (maximize) f |= Qt::WindowMaximizeButtonHint;
        if (systemMenu && FBorderIcons.Contains(biHelp) && !minimize && !maximize)
            f |= Qt::WindowContextHelpButtonHint;
    }
    TApplyGuard guard(this);
    if (sub) {
        sub->setWindowFlags(Qt::SubWindow | f);
        return;
    }
    switch (FBorderStyle) {
    case bsDialog:
        f |= Qt::Dialog;
        break;
    case bsToolWindow:
    case bsSizeToolWin:
        f |= Qt::Tool;
        break;
    default:
        f |= Qt::Window;
        break;
    }
    if (FFormStyle == fsStayOnTop) f |= Qt::WindowStaysOnTopHint;
    frame->setWindowFlags(f);
}

void TCustomForm::SetFormStyle(TFormStyle v) {
    if (v == FFormStyle) return;
    FFormStyle = v;
    if (v == fsMDIForm && !FForm->MdiArea) {
        auto* area = new QMdiArea(TControlAccess::Client(this));
        area->setBackground(QBrush(ToQColor(clAppWorkSpace)));
        area->show();
        FForm->MdiArea = area;
        Realign();
    }
    if (!Visible()) ApplyWindowFlags();
}

void TCustomForm::SetWindowState(TWindowState v) {
    FWindowState = v;
    if (!Visible()) return;
    QWidget* w =
        FForm->SubWindow ? static_cast<QWidget*>(FForm->SubWindow.data()) : TControlAccess::Widget(this);
    // A fixed size would keep the window from growing to the whole area (a sub-window lets go
    // of it when its state changes, as when the user maximises it).
    if (v != wsNormal && !FForm->SubWindow) ApplyFrameSize();
    switch (v) {
    case wsMaximized:
        w->showMaximized();
        break;
    case wsMinimized:
        w->showMinimized();
        break;
    default:
        w->showNormal();
        ApplyFrameSize();
        break;
    }
}

// ---------------------------------------------------------------------------------------------
// Showing, hiding, closing

// Centres the form's outer frame (its bounds and the window manager's frame around them, of the
// widths given) on a rectangle, kept inside the work area where it fits.
void TCustomForm::CentreFrameOn(const TRect& r, const TRect& e) {
    FForm->CentredOn = r;
    FForm->CentredWithExtents = e;
    const int outerWidth = Width() + e.Left + e.Right;
    const int outerHeight = Height() + e.Top + e.Bottom;
    const TRect area = Screen()->WorkAreaRect();
    const int left =
        std::max(area.Left, std::min(r.Left + (r.Width() - outerWidth) / 2, area.Right - outerWidth));
    const int top =
        std::max(area.Top, std::min(r.Top + (r.Height() - outerHeight) / 2, area.Bottom - outerHeight));
    SetBounds(left, top, Width(), Height());
}

void TCustomForm::PlaceOnFirstShow() {
    FForm->CentredOn.reset();
    const TRect e = Screen()->FrameExtents();
    // Another form's outer frame.
    auto frameOf = [&e](TCustomForm* f) {
        return Bounds(f->Left(), f->Top(), f->Width() + e.Left + e.Right, f->Height() + e.Top + e.Bottom);
    };
    auto centerOn = [this, &e](const TRect& r) { CentreFrameOn(r, e); };
    const TRect screen = Screen()->WorkAreaRect();
    TCustomForm* main = Application()->MainForm();
    switch (FPosition) {
    case poScreenCenter:
    case poDesktopCenter:
        centerOn(screen);
        break;
    case poMainFormCenter:
        if (main && main != this)
            centerOn(frameOf(main));
        else
            centerOn(screen);
        break;
    case poOwnerFormCenter:
        if (auto* owner = dynamic_cast<TCustomForm*>(Owner()))
            centerOn(frameOf(owner));
        else if (main && main != this)
            centerOn(frameOf(main));
        else
            centerOn(screen);
        break;
    default:
        break;
    }
}

void TCustomForm::SetVisible(bool v) {
    if (v)
        ShowWindow();
    else
        HideWindow();
}

void TCustomForm::Show() {
    ShowWindow();
    if (QWidget* w = TControlAccess::Widget(this)) w->raise();
}

void TCustomForm::Hide() {
    HideWindow();
}

void TCustomForm::ShowWindow() {
    QWidget* frame = TControlAccess::Widget(this);
    if (Parent()) {
        // Docked: a child window of its site, which places it.
        if (Visible()) return;
        TControlAccess::SetVisibleField(this, true);
        DoShow();
        {
            TApplyGuard guard(this);
            frame->show();
            LayoutFrame();
        }
        Realign();
        Parent()->Realign();
        return;
    }
    if (Visible()) {
        Screen()->FormActivated(this);
        return;
    }
    if (FFormStyle == fsMDIChild) {
        TCustomForm* main = Application()->MainForm();
        if (!main || main == this || !main->FForm->MdiArea)
            throw EInvalidOperation("Cannot create form. No MDI forms are currently active");
        if (!FForm->SubWindow) {
            QMdiSubWindow* sub = main->FForm->MdiArea->addSubWindow(frame);
            FForm->SubWindow = sub;
            sub->setAttribute(Qt::WA_DeleteOnClose, false);
            ApplyWindowFlags();
            ApplyFrameSize();
            FForm->SubWindowWatch = std::make_unique<TSubWindowWatch>(this);
            sub->installEventFilter(FForm->SubWindowWatch.get());
        }
    } else {
        ApplyWindowFlags();
        PlaceOnFirstShow();
        SetTransientOwner();
        if (FBorderStyle != bsNone) {
            frame->winId(); // the window the frame watch listens to
            if (!FForm->FrameWatch) FForm->FrameWatch = std::make_unique<TFrameWatch>(this);
            if (QWindow* window = frame->windowHandle()) window->installEventFilter(FForm->FrameWatch.get());
            frame->removeEventFilter(FForm->FrameWatch.get());
            frame->installEventFilter(FForm->FrameWatch.get());
        }
    }
    TControlAccess::SetVisibleField(this, true);
    DoShow();
    FShownOnce = true;
    ApplyFrameSize();
    {
        TApplyGuard guard(this);
        QWidget* w = FForm->SubWindow ? static_cast<QWidget*>(FForm->SubWindow.data()) : frame;
        switch (FWindowState) {
        case wsMaximized:
            w->showMaximized();
            break;
        case wsMinimized:
            w->showMinimized();
            break;
        default:
            w->show();
            break;
        }
        if (FForm->SubWindow) frame->show();
        LayoutFrame();
    }
    Realign();
    Screen()->FormActivated(this);
}

// A modal form or a dialog stays above its owner and goes with it: the window manager is told
// whose window it belongs to (the owner form, else the active or the main form).
void TCustomForm::SetTransientOwner() {
    if (!FModal && FBorderStyle != bsDialog && FBorderStyle != bsToolWindow && FBorderStyle != bsSizeToolWin)
        return;
    QWidget* frame = TControlAccess::Widget(this);
    if (!frame) return;
    auto usable = [this](TCustomForm* f) { return f && f != this && f->Visible(); };
    TCustomForm* owner = dynamic_cast<TCustomForm*>(Owner());
    if (!usable(owner)) owner = Screen()->ActiveForm();
    if (!usable(owner)) owner = Application()->MainForm();
    if (!usable(owner)) return;
    QWidget* ownerWindow = TFormAccess::FrameWindow(owner);
    ownerWindow = ownerWindow ? ownerWindow->window() : nullptr;
    if (!ownerWindow || ownerWindow == frame || !ownerWindow->windowHandle()) return;
    frame->winId(); // the window of its own, to name its owner's
    if (QWindow* window = frame->windowHandle()) window->setTransientParent(ownerWindow->windowHandle());
}

void TCustomForm::HideWindow() {
    if (!Visible()) return;
    TControlAccess::SetVisibleField(this, false);
    DoHide();
    {
        TApplyGuard guard(this);
        if (FForm->SubWindow)
            FForm->SubWindow->hide();
        else if (QWidget* w = TControlAccess::Widget(this))
            w->hide();
    }
    Screen()->FormHidden(this);
    if (Parent()) Parent()->Realign();
}

void TCustomForm::DoShow() {
    if (OnShow) OnShow(this);
}
void TCustomForm::DoHide() {
    if (OnHide) OnHide(this);
}
void TCustomForm::DoClose(TCloseAction& Action) {
    if (OnClose) OnClose(this, Action);
}

bool TCustomForm::CloseQuery() {
    if (FFormStyle == fsMDIForm)
        for (int i = 0; i < MDIChildCount(); ++i)
            if (!MDIChildren(i)->CloseQuery()) return false;
    bool canClose = true;
    if (OnCloseQuery) OnCloseQuery(this, canClose);
    return canClose;
}

void TCustomForm::Close() {
    if (FModal) {
        FModalResult = mrCancel;
        return;
    }
    if (!CloseQuery()) return;
    TCloseAction action =
        FFormStyle == fsMDIChild ? (FBorderIcons.Contains(biMinimize) ? caMinimize : caNone) : caHide;
    DoClose(action);
    if (action == caNone) return;
    if (Application()->MainForm() == this) {
        Application()->Terminate();
        HideWindow();
    } else if (action == caHide) {
        HideWindow();
    } else if (action == caMinimize) {
        SetWindowState(wsMinimized);
    } else {
        Release();
    }
}

bool TCustomForm::WindowCloseRequested() {
    Close();
    return false;
}

void TCustomForm::Release() {
    if (PendingRelease().count(this)) return;
    PendingRelease().insert(this);
    HideWindow();
    QMetaObject::invokeMethod(
        qApp,
        [this] {
            if (PendingRelease().erase(this) == 0) return;
            delete this; // leaves its owner's list
        },
        Qt::QueuedConnection);
}

void TCustomForm::CloseModal() {
    TCloseAction action = caNone;
    if (CloseQuery()) {
        action = caHide;
        DoClose(action);
    }
    switch (action) {
    case caNone:
        FModalResult = mrNone;
        break;
    case caFree:
        Release();
        break;
    default:
        break;
    }
}

int TCustomForm::ShowModal() {
    if (Visible() || !Enabled() || FModal || FFormStyle == fsMDIChild)
        throw EInvalidOperation("Cannot make a visible window modal");
    ReleaseCapture();
    TCustomForm* previous = Screen()->ActiveForm();
    QWidget* frame = TControlAccess::Widget(this);
    FModal = true;
    ++Application()->FModalLevel;
    struct TModalEnd {
        TCustomForm* Form;
        QWidget* Frame;
        TCustomForm* Previous;
        ~TModalEnd() {
            Form->HideWindow();
            Form->FModal = false;
            --Application()->FModalLevel;
            if (Frame) Frame->setWindowModality(Qt::NonModal);
            if (Previous && Previous != Form && Previous->Visible()) Screen()->FormActivated(Previous);
        }
    } end{this, frame, previous};
    if (frame) frame->setWindowModality(Qt::ApplicationModal);
    FModalResult = mrNone;
    ShowWindow();
    if (Interaction::HasResponder()) {
        // The responder plays the user: each answer is one turn while the form stays open.
        while (FModalResult == mrNone) {
            TInteractionRequest r;
            r.Kind = TInteractionKind::ModalForm;
            r.Caption = Caption();
            r.Form = this;
            r.FormClass = ClassName();
            TInteractionAnswer a = Interaction::Ask(r);
            if (a.FormHandler) {
                int result = a.FormHandler(this);
                if (result != mrNone) FModalResult = result;
            } else if (a.Result != mrNone) {
                FModalResult = a.Result;
            }
            if (FModalResult != mrNone) CloseModal();
        }
    } else {
        while (FModalResult == mrNone) {
            Application()->HandleMessage();
            if (Application()->Terminated())
                FModalResult = mrCancel;
            else if (FModalResult != mrNone)
                CloseModal();
        }
    }
    return FModalResult;
}

bool TCustomForm::Active() const {
    return Screen()->ActiveForm() == this;
}

void TCustomForm::Activate() {
    if (!FActiveControl) {
        if (TWinControl* first = FindNextControl(nullptr, true, true, false)) FocusControl(first);
    } else if (QWidget* w = TControlAccess::Widget(FActiveControl)) {
        w->setFocus(Qt::ActiveWindowFocusReason);
    }
    if (OnActivate) OnActivate(this);
}

void TCustomForm::Deactivate() {
    if (OnDeactivate) OnDeactivate(this);
}

void TCustomForm::Paint() {
    if (OnPaint) OnPaint(this);
}

// ---------------------------------------------------------------------------------------------
// Focus and keys

void TCustomForm::SetActiveControl(TWinControl* v) {
    if (v && (v == this || !ContainsControl(v)))
        throw EInvalidOperation("Invalid control: the active control must be on the form");
    if (!v) {
        if (FActiveControl) FActiveControl->DoExit();
        FActiveControl = nullptr;
        return;
    }
    if (Visible() && !v->CanFocus()) throw EInvalidOperation("Cannot focus a disabled or invisible window");
    FocusControl(v);
}

void TCustomForm::FocusControl(TWinControl* Control) {
    if (Control != FActiveControl) {
        TWinControl* old = FActiveControl;
        FActiveControl = Control;
        if (old) {
            try {
                old->DoExit();
            } catch (...) {
                // A control that refuses to be left (its text fails a check) keeps the focus.
                FActiveControl = old;
                if (QWidget* w = TControlAccess::Widget(old))
                    if (!w->hasFocus()) w->setFocus(Qt::OtherFocusReason);
                throw;
            }
        }
        if (FActiveControl == Control && Control) Control->DoEnter();
        Screen()->ActiveControlChanged();
    }
    // A control whose entering passed the focus on (a grid to its cell editor) keeps it passed.
    if (Control && FActiveControl == Control)
        if (QWidget* w = TControlAccess::Widget(Control))
            if (!w->hasFocus()) w->setFocus(Qt::OtherFocusReason);
}

void TCustomForm::FocusChanged(TWinControl* Control) {
    if (!Control || Control == this || Control == FActiveControl) return;
    FocusControl(Control);
}

void TCustomForm::ControlRemoved(TControl* Control) {
    if (FActiveControl &&
        (FActiveControl == Control || (dynamic_cast<TWinControl*>(Control) &&
                                       static_cast<TWinControl*>(Control)->ContainsControl(FActiveControl))))
        FActiveControl = nullptr;
}

bool TCustomForm::IsShortCut(TShortCut ShortCut) {
    if (ShortCut == scNone) return false;
    bool handled = false;
    if (OnShortCut) OnShortCut(ShortCut, handled);
    if (handled) return true;
    if (FMenu && FMenu->IsShortCut(ShortCut)) return true;
    for (int i = 0; i < ComponentCount(); ++i)
        if (auto* list = dynamic_cast<TCustomActionList*>(Components(i)))
            if (list->IsShortCut(ShortCut)) return true;
    if (FFormStyle == fsMDIChild) {
        TCustomForm* main = Application()->MainForm();
        if (main && main != this && main->IsShortCut(ShortCut)) return true;
    } else if (Application()->MainForm() != this && Application()->ModalLevel() == 0) {
        return Application()->IsShortCut(ShortCut);
    }
    return false;
}

bool TCustomForm::DialogKey(Word Key, TShiftState Shift) {
    if (Shift.Contains(ssAlt)) return false;
    // Ctrl+Tab is offered to the controls held (a page control turns its pages with it).
    if (Shift.Contains(ssCtrl)) return Key == VK_TAB && TScrollingWinControl::DialogKey(Key, Shift);
    if (Key == VK_TAB) {
        SelectNext(FActiveControl, !Shift.Contains(ssShift), true);
        return true;
    }
    return TScrollingWinControl::DialogKey(Key, Shift);
}

// ---------------------------------------------------------------------------------------------
// MDI

int TCustomForm::MDIChildCount() const {
    QMdiArea* area = FForm->MdiArea.data();
    if (!area) return 0;
    int n = 0;
    for (QMdiSubWindow* s : area->subWindowList())
        if (FormOfWidget(s->widget())) ++n;
    return n;
}

TCustomForm* TCustomForm::MDIChildren(int I) const {
    QMdiArea* area = FForm->MdiArea.data();
    if (!area) ListIndexError(I);
    std::vector<TCustomForm*> list;
    auto subs = area->subWindowList(QMdiArea::ActivationHistoryOrder);
    for (auto it = subs.rbegin(); it != subs.rend(); ++it)
        if (TCustomForm* f = FormOfWidget((*it)->widget())) list.push_back(f);
    if (I < 0 || I >= static_cast<int>(list.size())) ListIndexError(I);
    return list[static_cast<size_t>(I)];
}

TCustomForm* TCustomForm::ActiveMDIChild() const {
    QMdiArea* area = FForm->MdiArea.data();
    if (!area) return nullptr;
    QMdiSubWindow* s = area->activeSubWindow();
    if (!s) s = area->currentSubWindow();
    return s ? FormOfWidget(s->widget()) : nullptr;
}

void TCustomForm::Cascade() {
    if (QMdiArea* a = FForm->MdiArea.data()) a->cascadeSubWindows();
}
void TCustomForm::Tile() {
    if (QMdiArea* a = FForm->MdiArea.data()) a->tileSubWindows();
}
void TCustomForm::ArrangeIcons() {
    if (QMdiArea* a = FForm->MdiArea.data())
        for (QMdiSubWindow* s : a->subWindowList())
            if (s->isMinimized()) s->showMinimized();
}
void TCustomForm::Next() {
    if (QMdiArea* a = FForm->MdiArea.data()) a->activateNextSubWindow();
}
void TCustomForm::Previous() {
    if (QMdiArea* a = FForm->MdiArea.data()) a->activatePreviousSubWindow();
}

QWidget* TFormAccess::FrameWindow(const TCustomForm* Form) {
    if (QMdiSubWindow* sub = Form->FForm->SubWindow.data()) return sub;
    return TControlAccess::Widget(Form);
}

// The window manager has framed the form's window: its frame's widths are remembered for the
// next placements, and a normal window whose frame crosses the work area's edge is moved (and,
// when larger than the work area, shrunk) so the whole frame is inside.
void TFormAccess::FrameShown(TCustomForm* Form, QWindow* Window) {
    const QMargins m = Window->frameMargins();
    if (m.isNull()) return;
    const TRect extents = Rect(m.left(), m.top(), m.right(), m.bottom());
    Screen()->FrameExtentsSeen(extents);
    QWidget* frame = TControlAccess::Widget(Form);
    if (!frame || Form->WindowState() != wsNormal || Window->windowStates() != Qt::WindowNoState) return;
    const QRect area = Window->screen() ? Window->screen()->availableGeometry() : QRect();
    if (area.isEmpty()) return;
    const int width = std::min(Form->Width(), area.width() - m.left() - m.right());
    const int height = std::min(Form->Height(), area.height() - m.top() - m.bottom());
    // A centred form placed before the frame's widths were known is centred again with them.
    if (Form->FForm->CentredOn && Form->FForm->CentredWithExtents != extents) {
        Form->SetBounds(Form->Left(), Form->Top(), width, height);
        Form->CentreFrameOn(*Form->FForm->CentredOn, extents);
        return;
    }
    const QRect outer = Window->frameGeometry();
    const int outerWidth = width + m.left() + m.right();
    const int outerHeight = height + m.top() + m.bottom();
    const int left = std::clamp(outer.left(), area.left(), area.left() + area.width() - outerWidth);
    const int top = std::clamp(outer.top(), area.top(), area.top() + area.height() - outerHeight);
    if (left == outer.left() && top == outer.top() && width == Form->Width() && height == Form->Height())
        return;
    Form->SetBounds(left, top, width, height);
}

void TFormAccess::BecomeChild(TCustomForm* Form) {
    QWidget* frame = TControlAccess::Widget(Form);
    if (!frame || !Form->Parent()) return;
    TApplyGuard guard(Form);
    frame->setMinimumSize(0, 0); // a size kept while it was a window of its own
    frame->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    frame->setParent(TControlAccess::Client(Form->Parent()), Qt::Widget);
    frame->setGeometry(Form->Left(), Form->Top(), Form->Width(), Form->Height());
    frame->setVisible(Form->Visible());
}

void TFormAccess::BecomeWindow(TCustomForm* Form) {
    QWidget* frame = TControlAccess::Widget(Form);
    if (!frame || Form->Parent()) return;
    Form->ApplyWindowFlags();
    Form->ApplyFrameSize();
    TApplyGuard guard(Form);
    frame->setGeometry(Form->Left(), Form->Top(), Form->Width(), Form->Height());
    if (Form->Visible()) frame->show();
}

void TFormAccess::KeepModalInView(TCustomForm* Form, QWidget* Frame) {
    Form->FWindowState = wsNormal;
    QPointer<QWidget> target = Frame;
    QTimer::singleShot(0, Frame, [target] {
        if (!target) return;
        target->showNormal();
        target->raise();
        target->activateWindow();
    });
}

// A maximised child takes the size of the frame's area, as on the platform; restored, it comes
// back to the bounds the sub-window kept. A minimised child keeps its bounds.
void TFormAccess::SubWindowGeometryChanged(TCustomForm* Form, QWidget* SubWindow) {
    if (IsApplying(Form) || SubWindow->isMinimized()) return;
    const QMargins m = SubWindow->contentsMargins();
    const QRect g = SubWindow->geometry();
    const int w = std::max(0, g.width() - m.left() - m.right());
    const int h = std::max(0, g.height() - m.top() - m.bottom());
    if (g.x() == Form->Left() && g.y() == Form->Top() && w == Form->Width() && h == Form->Height()) return;
    const bool resized = w != Form->Width() || h != Form->Height();
    TControlAccess::SetBoundsFields(Form, g.x(), g.y(), w, h);
    Form->LayoutFrame();
    if (resized) TControlAccess::FireResize(Form);
    // Restored from maximised, a fixed border keeps its size again.
    if (!Form->Sizeable() && !SubWindow->isMaximized() &&
        SubWindow->minimumSize() != SubWindow->maximumSize()) {
        TApplyGuard guard(Form);
        SubWindow->setFixedSize(g.size());
    }
}

// The state comes before the new geometry: a maximised or minimised window may take any size.
void TFormAccess::SubWindowStateChanged(TCustomForm* Form, QWidget* SubWindow) {
    const Qt::WindowStates state = SubWindow->windowState();
    Form->FWindowState = state.testFlag(Qt::WindowMinimized)   ? wsMinimized
                         : state.testFlag(Qt::WindowMaximized) ? wsMaximized
                                                               : wsNormal;
    if (Form->FWindowState != wsNormal) {
        TApplyGuard guard(Form);
        SubWindow->setMinimumSize(0, 0);
        SubWindow->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    }
}

// The platform's window list: the visible children in the order they were created, numbered with
// accelerators 1 to 9; choosing one restores it when minimised and makes it the active child.
void TFormAccess::UpdateWindowList(TCustomForm* Frame, QMenu* Menu) {
    auto& list = Frame->FForm->WindowListActions;
    ClearWindowList(list);
    QMdiArea* area = Frame->FForm->MdiArea.data();
    if (!area || Frame->FFormStyle != fsMDIForm) return;
    TCustomForm* active = Frame->ActiveMDIChild();
    int number = 0;
    for (QMdiSubWindow* sub : area->subWindowList(QMdiArea::CreationOrder)) {
        TCustomForm* child = FormOfWidget(sub->widget());
        if (!child || !child->Visible()) continue;
        if (number == 0) list.emplace_back(Menu->addSeparator());
        ++number;
        QString text = number <= 9 ? QString("&%1 ").arg(number) : QString("%1 ").arg(number);
        QAction* a = Menu->addAction(text + ToQString(child->Caption()));
        a->setCheckable(true);
        a->setChecked(child == active);
        QPointer<QMdiSubWindow> target = sub;
        QPointer<QMdiArea> frameArea = area;
        QObject::connect(a, &QAction::triggered, a, [frameArea, target] {
            if (!target || !frameArea) return;
            if (target->isMinimized()) target->showNormal();
            frameArea->setActiveSubWindow(target.data());
        });
        list.emplace_back(a);
    }
}

// ---------------------------------------------------------------------------------------------

TForm::TForm(TComponent* AOwner) : TCustomForm(AOwner) {}

String GetShortHint(const String& Hint) {
    size_t p = Hint.find('|');
    return p == String::npos ? Hint : Hint.substr(0, p);
}

String GetLongHint(const String& Hint) {
    size_t p = Hint.find('|');
    return p == String::npos ? Hint : Hint.substr(p + 1);
}
