// TControl: bounds, parent, alignment requests, visibility, text, font, colour, hints, cursor,
// actions and the input hooks every control shares.
#include "gui/Controls.h"

#include "gui/ActnList.h"
#include "gui/Forms.h"
#include "gui/Menus.h"
#include "gui/qt/ControlImpl.h"
#include "gui/qt/DockAccess.h"
#include "gui/qt/DragState.h"
#include "gui/qt/QtSupport.h"

#include "classes/MetaBuilder.h"

#include <QApplication>
#include <QCursor>
#include <QPainter>

#include <algorithm>

// ---------------------------------------------------------------------------------------------
// Size constraints

void TSizeConstraints::SetMinWidth(int v) {
    FMinWidth = std::max(0, v);
    Changed();
}
void TSizeConstraints::SetMinHeight(int v) {
    FMinHeight = std::max(0, v);
    Changed();
}
void TSizeConstraints::SetMaxWidth(int v) {
    FMaxWidth = std::max(0, v);
    Changed();
}
void TSizeConstraints::SetMaxHeight(int v) {
    FMaxHeight = std::max(0, v);
    Changed();
}
void TSizeConstraints::Assign(const TPersistent* Source) {
    if (auto* s = dynamic_cast<const TSizeConstraints*>(Source)) {
        FMinWidth = s->FMinWidth;
        FMinHeight = s->FMinHeight;
        FMaxWidth = s->FMaxWidth;
        FMaxHeight = s->FMaxHeight;
        Changed();
        return;
    }
    TPersistent::Assign(Source);
}
void TSizeConstraints::Changed() {
    if (FControl)
        FControl->SetBounds(FControl->Left(), FControl->Top(), FControl->Width(), FControl->Height());
}

// ---------------------------------------------------------------------------------------------
// TControl

namespace {
TControl* GCapture = nullptr;
}

TControl::TControl(TComponent* AOwner) : TComponent(AOwner), FImpl(std::make_unique<Impl>()) {
    EnsureQtApp();
    FFont.OnChange = [this](TObject* s) { DoFontChange(s); };
}

TControl::~TControl() {
    Destroying();
    if (GCapture == this) GCapture = nullptr;
    ForgetDrag(this);
    TDockAccess::ControlDestroyed(this);
    LinkActionClient(this, FAction, nullptr);
    if (FParent) FParent->RemoveControl(this);
    FParent = nullptr;
    FImpl->Bridge.reset();
    // Forms still owned by the application when the process ends go with its static objects,
    // after the toolkit's own per-thread storage: their windows are left to the system then.
    if (ApplicationClosingDown()) return;
    if (QWidget* w = FImpl->Widget.data()) {
        w->disconnect();
        w->blockSignals(true);
        delete w;
    }
}

void TControl::SetParent(TWinControl* NewParent) {
    if (NewParent == FParent) return;
    if (NewParent == this) throw EInvalidOperation("A control cannot have itself as its parent");
    // Nor one of its own controls: the chain of parents would run in a circle.
    for (TWinControl* p = NewParent ? NewParent->Parent() : nullptr; p; p = p->Parent())
        if (p == this) throw EInvalidOperation("A control cannot have one of its own controls as its parent");
    TWinControl* old = FParent;
    if (old) old->RemoveControl(this);
    FParent = NewParent;
    if (QWidget* w = FImpl->Widget.data()) {
        TApplyGuard guard(this);
        w->setParent(NewParent ? TControlAccess::Client(NewParent) : nullptr, w->windowFlags() & ~Qt::Window);
        if (!NewParent) w->setWindowFlags(w->windowFlags() | Qt::Window);
        ApplyBounds();
        w->setVisible(FVisible && NewParent);
    }
    if (NewParent) {
        NewParent->InsertControl(this);
        if (FParentFont) ParentFontChanged();
        if (FParentColor) ParentColorChanged();
        if (FParentShowHint) ParentShowHintChanged();
        UpdateAnchorRules();
    }
    if (old && FAlign != alNone) old->Realign();
    if (NewParent) NewParent->Realign();
}

void TControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
    const TSizeConstraints& c = FConstraints;
    if (c.MaxWidth() > 0 && AWidth > c.MaxWidth()) AWidth = c.MaxWidth();
    if (AWidth < c.MinWidth()) AWidth = c.MinWidth();
    if (c.MaxHeight() > 0 && AHeight > c.MaxHeight()) AHeight = c.MaxHeight();
    if (AHeight < c.MinHeight()) AHeight = c.MinHeight();
    if (AWidth < 0) AWidth = 0;
    if (AHeight < 0) AHeight = 0;
    if ((AWidth != FWidth || AHeight != FHeight) && !CanResize(AWidth, AHeight)) {
        AWidth = FWidth;
        AHeight = FHeight;
    }
    if (ALeft == FLeft && ATop == FTop && AWidth == FWidth && AHeight == FHeight) return;
    const bool resized = AWidth != FWidth || AHeight != FHeight;
    FLeft = ALeft;
    FTop = ATop;
    FWidth = AWidth;
    FHeight = AHeight;
    ApplyBounds();
    UpdateAnchorRules();
    BoundsChanged();
    if (FParent && (FAlign != alNone || !FParent->FControls.empty())) {
        if (FAlign != alNone) FParent->Realign();
    }
    if (resized) Resize();
}

void TControl::ApplyBounds() {
    QWidget* w = FImpl->Widget.data();
    if (!w) return;
    TApplyGuard guard(this);
    if (w->isWindow()) {
        w->move(FLeft, FTop);
        w->resize(FWidth, FHeight);
    } else {
        w->setGeometry(FLeft, FTop, FWidth, FHeight);
    }
}

void TControl::UpdateAnchorRules() {
    if (!FParent || FParent->FAlignLevel > 0) return;
    TRect r = FParent->ClientRect();
    if (r.Width() <= 0 || r.Height() <= 0) {
        FAnchorValid = false;
        return;
    }
    FAnchorRight = r.Width() - (FLeft + FWidth);
    FAnchorBottom = r.Height() - (FTop + FHeight);
    FAnchorValid = true;
}

TRect TControl::ClientRect() const {
    return Rect(0, 0, FWidth, FHeight);
}

void TControl::SetClientWidth(int v) {
    SetWidth(v + (FWidth - ClientWidth()));
}
void TControl::SetClientHeight(int v) {
    SetHeight(v + (FHeight - ClientHeight()));
}

TPoint TControl::ClientOrigin() const {
    if (QWidget* c = TControlAccess::Client(this)) {
        QPoint p = c->mapToGlobal(QPoint(0, 0));
        return {p.x(), p.y()};
    }
    TPoint p{FLeft, FTop};
    if (FParent) {
        TPoint o = FParent->ClientOrigin();
        p.X += o.X;
        p.Y += o.Y;
    }
    return p;
}

TPoint TControl::ClientToScreen(const TPoint& p) const {
    TPoint o = ClientOrigin();
    return {p.X + o.X, p.Y + o.Y};
}

TPoint TControl::ScreenToClient(const TPoint& p) const {
    TPoint o = ClientOrigin();
    return {p.X - o.X, p.Y - o.Y};
}

TPoint TControl::ClientToParent(const TPoint& p, TWinControl* AParent) const {
    if (!AParent) AParent = FParent;
    if (!AParent) throw EInvalidOperation("Control '" + Name() + "' has no parent window");
    TPoint r = p;
    const TControl* c = this;
    while (c && c != AParent) {
        r.X += c->FLeft;
        r.Y += c->FTop;
        c = c->FParent;
    }
    if (c != AParent) throw EInvalidOperation("Control '" + Name() + "' is not a child of the given window");
    return r;
}

void TControl::SetAlign(TAlign v) {
    if (v == FAlign) return;
    TAlign old = FAlign;
    FAlign = v;
    // An aligned control stretches along its edge: anchors follow, as on the platform.
    switch (v) {
    case alTop:
        FAnchors = TAnchors{akLeft, akTop, akRight};
        break;
    case alBottom:
        FAnchors = TAnchors{akLeft, akRight, akBottom};
        break;
    case alLeft:
        FAnchors = TAnchors{akLeft, akTop, akBottom};
        break;
    case alRight:
        FAnchors = TAnchors{akRight, akTop, akBottom};
        break;
    case alClient:
        FAnchors = TAnchors{akLeft, akTop, akRight, akBottom};
        break;
    default:
        if (old != alNone) FAnchors = TAnchors{akLeft, akTop};
        break;
    }
    if (FParent) FParent->Realign();
}

void TControl::SetAnchors(TAnchors v) {
    FAnchors = v;
    UpdateAnchorRules();
}

void TControl::SetVisible(bool v) {
    if (v == FVisible) return;
    FVisible = v;
    if (QWidget* w = FImpl->Widget.data()) {
        TApplyGuard guard(this);
        if (!w->isWindow()) w->setVisible(v);
    }
    if (FParent) FParent->Realign();
    // A floating control shows and hides with its floating window.
    if (FFloatHost) FFloatHost->SetVisible(v);
}

void TControl::Show() {
    SetVisible(true);
    if (QWidget* w = FImpl->Widget.data()) w->raise();
}
void TControl::Hide() {
    SetVisible(false);
}

bool TControl::Showing() const {
    if (!FVisible) return false;
    if (FParent) return FParent->Showing();
    QWidget* w = FImpl->Widget.data();
    return w && w->isVisible();
}

void TControl::SetEnabled(bool v) {
    if (v == FEnabled) return;
    FEnabled = v;
    if (QWidget* w = FImpl->Widget.data()) {
        TApplyGuard guard(this);
        w->setEnabled(v);
    }
    EnabledChanged();
}

void TControl::EnabledChanged() {
    Invalidate();
}

void TControl::SetText(const String& v) {
    if (v == GetText()) return;
    SetTextValue(v);
}

void TControl::SetTextValue(const String& v) {
    FText = v;
    Invalidate();
}

void TControl::DoFontChange(TObject*) {
    if (!FFontFromParent) FParentFont = false;
    ApplyFont();
    FontChanged();
}

void TControl::FontChanged() {
    Invalidate();
}

void TControl::ApplyFont() {
    QWidget* w = FImpl->Widget.data();
    if (!w) return;
    TApplyGuard guard(this);
    w->setFont(QFontOf(FFont));
    // The font colour is the text colour of an enabled control (active or inactive window); a
    // disabled control shows its text in the system's grey whatever its font colour, as the
    // platform draws it.
    QPalette pal = w->palette();
    const QColor c = ToQColor(FFont.Color());
    const QColor grey = ToQColor(clGrayText);
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText}) {
        pal.setColor(QPalette::Active, role, c);
        pal.setColor(QPalette::Inactive, role, c);
        pal.setColor(QPalette::Disabled, role, grey);
    }
    w->setPalette(pal);
}

void TControl::SetColor(TColor v) {
    FParentColor = false;
    if (v == FColor) return;
    FColor = v;
    ApplyColor();
    ColorChanged();
}

void TControl::ColorChanged() {
    Invalidate();
}

void TControl::ApplyColor() {
    QWidget* w = FImpl->Widget.data();
    if (!w || dynamic_cast<TOrvWidget*>(w)) {
        Invalidate();
        return;
    }
    TApplyGuard guard(this);
    QPalette pal = w->palette();
    QColor c = ToQColor(FColor);
    pal.setColor(QPalette::Base, c);
    pal.setColor(QPalette::Window, c);
    w->setPalette(pal);
}

void TControl::SetParentFont(bool v) {
    FParentFont = v;
    if (v) ParentFontChanged();
}

void TControl::ParentFontChanged() {
    if (!FParentFont || !FParent) return;
    FFontFromParent = true;
    FFont.Assign(*FParent->Font());
    FFontFromParent = false;
    FParentFont = true;
}

void TControl::SetParentColor(bool v) {
    FParentColor = v;
    if (v) ParentColorChanged();
}

void TControl::ParentColorChanged() {
    if (!FParentColor || !FParent) return;
    if (FColor != FParent->Color()) {
        FColor = FParent->Color();
        ApplyColor();
        ColorChanged();
    }
}

void TControl::SetHint(const String& v) {
    FHint = v;
    ApplyHint();
}

void TControl::SetShowHint(bool v) {
    FShowHint = v;
    FParentShowHint = false;
    ApplyHint();
    if (auto* wc = dynamic_cast<TWinControl*>(this))
        for (int i = 0; i < wc->ControlCount(); ++i)
            wc->Controls(i)->ParentShowHintChanged();
}

void TControl::SetParentShowHint(bool v) {
    FParentShowHint = v;
    if (v) ParentShowHintChanged();
}

void TControl::ParentShowHintChanged() {
    if (FParentShowHint && FParent) FShowHint = FParent->ShowHint();
    ApplyHint();
    if (auto* wc = dynamic_cast<TWinControl*>(this))
        for (int i = 0; i < wc->ControlCount(); ++i)
            wc->Controls(i)->ParentShowHintChanged();
}

bool TControl::EffectiveShowHint() const {
    return FShowHint && Application()->ShowHint();
}

void TControl::ApplyHint() {
    QWidget* w = FImpl->Widget.data();
    if (!w) return;
    w->setToolTip(EffectiveShowHint() ? ToQString(GetShortHint(FHint)) : QString());
}

void TControl::SetCursor(TCursor v) {
    FCursor = v;
    if (QWidget* w = FImpl->Widget.data()) {
        if (v == crDefault)
            w->unsetCursor();
        else
            w->setCursor(QtCursorOf(v));
    }
}

void TControl::SetPopupMenu(TPopupMenu* v) {
    FPopupMenu = v;
    if (v) v->FreeNotification(this);
}

void TControl::SetAction(TBasicAction* v) {
    if (LinkActionClient(this, FAction, v)) ActionChange(v, false);
}

void TControl::ActionChange(TBasicAction* Sender, bool CheckDefaults) {
    auto* a = dynamic_cast<TCustomAction*>(Sender);
    if (!a) return;
    if (!CheckDefaults || Caption().empty()) SetCaption(a->Caption());
    if (!CheckDefaults || FEnabled) SetEnabled(a->Enabled());
    if (!CheckDefaults || FHint.empty()) SetHint(a->Hint());
    if (!CheckDefaults || FVisible) SetVisible(a->Visible());
}

void TControl::Notification(TComponent* AComponent, TOperation Operation) {
    TComponent::Notification(AComponent, Operation);
    if (Operation == opRemove) {
        if (AComponent == FPopupMenu) FPopupMenu = nullptr;
        if (AComponent == FAction) FAction = nullptr;
    }
}

void TControl::Loaded() {
    TComponent::Loaded();
    if (FParent) FParent->Realign();
}

void TControl::Invalidate() {
    if (QWidget* w = FImpl->Widget.data()) w->update();
}

void TControl::Update() {
    if (QWidget* w = FImpl->Widget.data())
        if (w->isVisible()) w->repaint();
}

void TControl::Repaint() {
    if (QWidget* w = FImpl->Widget.data()) {
        if (w->isVisible())
            w->repaint();
        else
            w->update();
    }
}

void TControl::BringToFront() {
    if (QWidget* w = FImpl->Widget.data()) w->raise();
    if (FParent) {
        auto& v = FParent->FControls;
        v.erase(std::remove(v.begin(), v.end(), this), v.end());
        v.push_back(this);
        if (FAlign != alNone) FParent->Realign();
    }
}

void TControl::SendToBack() {
    if (QWidget* w = FImpl->Widget.data()) w->lower();
    if (FParent) {
        auto& v = FParent->FControls;
        v.erase(std::remove(v.begin(), v.end(), this), v.end());
        v.insert(v.begin(), this);
        if (FAlign != alNone) FParent->Realign();
    }
}

void TControl::SetMouseCapture(bool v) {
    if (v) {
        GCapture = this;
        if (QWidget* w = FImpl->Widget.data())
            if (w->isVisible()) w->grabMouse();
    } else if (GCapture == this) {
        if (QWidget* w = FImpl->Widget.data())
            if (QWidget::mouseGrabber() == w) w->releaseMouse();
        GCapture = nullptr;
    }
}

bool TControl::MouseCapture() const {
    return GCapture == this;
}

void ReleaseCapture() {
    if (GCapture) GCapture->SetMouseCapture(false);
}
TControl* GetCaptureControl() {
    return GCapture;
}

void TControl::Click() {
    if (OnClick)
        OnClick(this);
    else if (FAction && !ComponentState().Contains(csDesigning))
        FAction->Execute();
}

TCustomForm* TControl::GetParentForm() const {
    const TControl* c = this;
    while (c->FParent)
        c = c->FParent;
    return dynamic_cast<TCustomForm*>(const_cast<TControl*>(c));
}

Integer TControl::Perform(Cardinal Msg, std::uintptr_t WParam, std::intptr_t LParam) {
    (void)LParam;
    switch (Msg) {
    case WM_SETREDRAW:
        if (QWidget* w = FImpl->Widget.data()) {
            w->setUpdatesEnabled(WParam != 0);
            if (WParam) w->update();
        }
        return 0;
    case WM_CLOSE:
        if (auto* f = dynamic_cast<TCustomForm*>(this)) f->Close();
        return 0;
    case CM_ENABLEDCHANGED:
        EnabledChanged();
        return 0;
    case CM_FONTCHANGED:
        FontChanged();
        return 0;
    case CM_COLORCHANGED:
        ColorChanged();
        return 0;
    default:
        return 0;
    }
}

void TControl::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    if (OnMouseDown) OnMouseDown(this, Button, Shift, X, Y);
}
void TControl::MouseMove(TShiftState Shift, int X, int Y) {
    if (OnMouseMove) OnMouseMove(this, Shift, X, Y);
}
void TControl::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    if (OnMouseUp) OnMouseUp(this, Button, Shift, X, Y);
}
void TControl::DblClick() {
    if (OnDblClick) OnDblClick(this);
}
bool TControl::DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos) {
    bool handled = false;
    if (OnMouseWheel) OnMouseWheel(this, Shift, WheelDelta, MousePos, handled);
    return handled;
}

void TControl::DoContextPopup(TPoint MousePos, bool& Handled) {
    if (OnContextPopup) OnContextPopup(this, MousePos, Handled);
    if (Handled || !FPopupMenu || !FPopupMenu->AutoPopup()) return;
    TPoint p = MousePos.X < 0 ? Point(FWidth / 2, FHeight / 2) : MousePos;
    p = ClientToScreen(p);
    FPopupMenu->SetPopupComponent(this);
    FPopupMenu->Popup(p.X, p.Y);
    Handled = true;
}

void TControl::Resize() {
    if (OnResize) OnResize(this);
}

bool TControl::CanResize(int& NewWidth, int& NewHeight) {
    bool ok = true;
    if (OnCanResize) OnCanResize(this, NewWidth, NewHeight, ok);
    return ok;
}

void TControl::BoundsChanged() {}

// ---------------------------------------------------------------------------------------------
// Helpers of the Qt side

QFont QFontOf(const TFont& font) {
    int h = font.Height();
    if (h == 0) h = -11;
    return RealizeFont(font, h)->Font;
}

Qt::CursorShape QtCursorShape(TCursor cursor) {
    switch (cursor) {
    case crNone:
        return Qt::BlankCursor;
    case crCross:
        return Qt::CrossCursor;
    case crIBeam:
        return Qt::IBeamCursor;
    case crSizeNESW:
        return Qt::SizeBDiagCursor;
    case crSizeNS:
        return Qt::SizeVerCursor;
    case crSizeNWSE:
        return Qt::SizeFDiagCursor;
    case crSizeWE:
        return Qt::SizeHorCursor;
    case crUpArrow:
        return Qt::UpArrowCursor;
    case crHourGlass:
    case crSQLWait:
        return Qt::WaitCursor;
    case crDrag:
    case crMultiDrag:
        return Qt::DragCopyCursor;
    case crNoDrop:
    case crNo:
        return Qt::ForbiddenCursor;
    case crHSplit:
        return Qt::SplitHCursor;
    case crVSplit:
        return Qt::SplitVCursor;
    case crAppStart:
        return Qt::BusyCursor;
    case crHelp:
        return Qt::WhatsThisCursor;
    case crHandPoint:
        return Qt::PointingHandCursor;
    case crSizeAll:
        return Qt::SizeAllCursor;
    default:
        return Qt::ArrowCursor;
    }
}

TSize TControlCanvas::DevSize() {
    TRect r = FControl->ClientRect();
    return {r.Width(), r.Height()};
}

void MessageBeep(Cardinal) {
    QApplication::beep();
}
