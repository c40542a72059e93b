// The Qt side shared by every control: giving a control its widget, painting through the
// control's canvas, and the bridge that turns Qt events into the platform's events.
#include "gui/Caret.h"
#include "gui/ControlDrag.h"
#include "gui/Forms.h"
#include "gui/qt/ControlBridge.h"
#include "gui/qt/ControlImpl.h"
#include "gui/qt/DragState.h"
#include "gui/qt/FormAccess.h"
#include "gui/qt/KeyMapQt.h"
#include "gui/qt/QtSupport.h"
#include "rtl/ScopeGuards.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QContextMenuEvent>
#include <QInputMethodEvent>
#include <QInputMethodQueryEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QWheelEvent>

namespace {
const char* const ControlProperty = "orvControl";
// Set while a key whose character a handler changed is sent on to the widget.
bool GResending = false;
// The key event the bridge handled last: Qt hands a key the focus widget ignores on to its
// parents, and the platform's key events run once per key.
const QEvent* GHandledKey = nullptr;

// Sees every event before it is delivered: a new delivery of a key starts afresh.
class TKeyDeliveryWatch : public QObject {
public:
    bool eventFilter(QObject* receiver, QEvent* e) override {
        if (e->type() != QEvent::KeyPress && e->type() != QEvent::KeyRelease) return false;
        // Qt calls the application's filters again at each parent the key goes on to.
        const bool goingOn = e == FLastEvent && FLastReceiver && receiver == FLastReceiver->parent();
        if (!goingOn) GHandledKey = nullptr;
        FLastEvent = e;
        FLastReceiver = receiver;
        return false;
    }

private:
    const QEvent* FLastEvent = nullptr;
    QPointer<QObject> FLastReceiver;
};

void WatchKeyDeliveries() {
    static TKeyDeliveryWatch* watch = [] {
        auto* w = new TKeyDeliveryWatch();
        w->setParent(qApp); // lives with the application object
        qApp->installEventFilter(w);
        return w;
    }();
    (void)watch;
}
} // namespace

// ---------------------------------------------------------------------------------------------
// Widgets

TOrvWidget::TOrvWidget(TControl* control, QWidget* parent) : QWidget(parent), FControl(control) {}

void TOrvWidget::paintEvent(QPaintEvent* e) {
    if (FControl->ComponentState().Contains(csDestroying)) return;
    QPainter p(this);
    if (FillBackground && FControl->Color() != clNone) p.fillRect(rect(), ToQColor(FControl->Color()));
    TControl::Impl& impl = TControlAccess::I(FControl);
    impl.PaintRect = e->rect();
    impl.PaintRegion = e->region();
    TControlAccess::Paint(FControl, p, e->rect());
    impl.PaintRect = QRect();
    impl.PaintRegion = QRegion();
    PaintXorStrokes(FControl, p);
}

void TOrvWidget::resizeEvent(QResizeEvent* e) {
    QWidget::resizeEvent(e);
    TControl::Impl& impl = TControlAccess::I(FControl);
    // Scroll bars of the control's own keep to the right and bottom edges.
    const int ext = style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    const bool v = impl.BarShown[SB_VERT] && impl.Bars[SB_VERT];
    const bool h = impl.BarShown[SB_HORZ] && impl.Bars[SB_HORZ];
    if (v) impl.Bars[SB_VERT]->setGeometry(width() - ext, 0, ext, height() - (h ? ext : 0));
    if (h) impl.Bars[SB_HORZ]->setGeometry(0, height() - ext, width() - (v ? ext : 0), ext);
}

void TControlAccess::SetWidget(TControl* c, QWidget* w, QWidget* client) {
    TControl::Impl& impl = *c->FImpl;
    QWidget* old = impl.Widget.data();
    impl.Bridge.reset();
    if (old && old != w) {
        old->disconnect();
        old->blockSignals(true);
        delete old;
    }
    impl.Widget = w;
    impl.Client = client ? client : w;
    w->setProperty(ControlProperty, QVariant::fromValue(static_cast<void*>(c)));
    if (client && client != w)
        client->setProperty(ControlProperty, QVariant::fromValue(static_cast<void*>(c)));
    WatchKeyDeliveries();
    impl.Bridge = std::make_unique<TControlBridge>(c);
    w->installEventFilter(impl.Bridge.get());
    if (client && client != w) client->installEventFilter(impl.Bridge.get());
    if (auto* sa = qobject_cast<QAbstractScrollArea*>(w)) Watch(c, sa->viewport());
    // The state the control already has.
    TApplyGuard guard(c);
    if (!w->isWindow() && c->FParent) w->setParent(Client(c->FParent));
    c->ApplyBounds();
    w->setEnabled(c->FEnabled);
    if (!w->isWindow()) w->setVisible(c->FVisible && c->FParent);
    c->ApplyFont();
    c->ApplyColor();
    c->ApplyHint();
    if (c->FCursor != crDefault) w->setCursor(QtCursorOf(c->FCursor));
}

void TControlAccess::Watch(TControl* c, QWidget* w) {
    if (!w || !c->FImpl->Bridge) return;
    w->setProperty(ControlProperty, QVariant::fromValue(static_cast<void*>(c)));
    w->installEventFilter(c->FImpl->Bridge.get());
}

TControl* TControlAccess::FromWidget(const QObject* o) {
    while (o) {
        QVariant v = o->property(ControlProperty);
        if (v.isValid()) return static_cast<TControl*>(v.value<void*>());
        o = o->parent();
    }
    return nullptr;
}

void TControlAccess::Paint(TControl* c, QPainter& p, const QRect&) {
    auto paintOn = [&](TCanvas* canvas, auto&& body) {
        auto* cc = static_cast<TControlCanvas*>(canvas);
        cc->Font()->Assign(*c->Font());
        cc->Brush()->SetColor(c->Color());
        cc->Pen()->SetColor(clBlack);
        cc->AttachPainter(&p);
        try {
            const TScopeExit detach([cc] { cc->DetachPainter(); });
            body();
        } catch (...) {
            Application()->HandleException(c);
        }
    };
    if (auto* cc = dynamic_cast<TCustomControl*>(c)) {
        paintOn(cc->Canvas(), [&] { cc->Paint(); });
    } else if (auto* gc = dynamic_cast<TGraphicControl*>(c)) {
        paintOn(gc->Canvas(), [&] { gc->Paint(); });
    } else if (auto* f = dynamic_cast<TCustomForm*>(c)) {
        paintOn(f->Canvas(), [&] { f->Paint(); });
    }
}

void TControlAccess::WidgetGeometryChanged(TControl* c) {
    QWidget* w = c->FImpl->Widget.data();
    if (!w || c->FImpl->Applying > 0) return;
    // An MDI child's frame lies inside its sub-window, which keeps the bounds.
    if (!w->isWindow() && !c->FParent && dynamic_cast<TCustomForm*>(c)) return;
    const int l = w->x(), t = w->y(), wd = w->width(), ht = w->height();
    if (l == c->FLeft && t == c->FTop && wd == c->FWidth && ht == c->FHeight) return;
    const bool resized = wd != c->FWidth || ht != c->FHeight;
    SetBoundsFields(c, l, t, wd, ht);
    c->UpdateAnchorRules();
    c->BoundsChanged();
    if (resized) c->Resize();
    if (auto* form = dynamic_cast<TCustomForm*>(c)) TFormAccess::WindowSystemMovedOrSized(form);
}

// ---------------------------------------------------------------------------------------------
// The bridge

namespace {

bool IsDialogKey(Word key) {
    return key == VK_TAB || key == VK_RETURN || key == VK_ESCAPE || key == VK_CANCEL || key == VK_EXECUTE;
}

TMouseButton ButtonOf(Qt::MouseButton b, bool& ok) {
    ok = true;
    switch (b) {
    case Qt::LeftButton:
        return mbLeft;
    case Qt::RightButton:
        return mbRight;
    case Qt::MiddleButton:
        return mbMiddle;
    default:
        ok = false;
        return mbLeft;
    }
}

} // namespace

bool TControlBridge::eventFilter(QObject* watched, QEvent* event) {
    TControl* c = FControl;
    if (c->ComponentState().Contains(csDestroying)) return false;
    try {
        switch (event->type()) {
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
            if (auto* wc = dynamic_cast<TWinControl*>(c))
                return HandleKey(wc, watched, static_cast<QKeyEvent*>(event));
            return false;
        case QEvent::InputMethod:
            if (auto* wc = dynamic_cast<TWinControl*>(c))
                if (TControlCaret::State().Control == wc && watched == TControlAccess::Widget(c))
                    return HandleInputMethod(wc, static_cast<QInputMethodEvent*>(event));
            return false;
        case QEvent::InputMethodQuery:
            if (auto* wc = dynamic_cast<TWinControl*>(c))
                if (TControlCaret::State().Control == wc && watched == TControlAccess::Widget(c)) {
                    auto* q = static_cast<QInputMethodQueryEvent*>(event);
                    const TRect r = TControlCaret::State().Bounds;
                    if (q->queries() & Qt::ImEnabled) q->setValue(Qt::ImEnabled, true);
                    if (q->queries() & Qt::ImCursorRectangle)
                        q->setValue(Qt::ImCursorRectangle, QRect(r.Left, r.Top, r.Width(), r.Height()));
                    if (q->queries() & Qt::ImHints) q->setValue(Qt::ImHints, int(Qt::ImhNone));
                    q->accept();
                    return true;
                }
            return false;
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::MouseMove:
        case QEvent::Wheel:
        case QEvent::ContextMenu:
            return HandleMouse(watched, event);
        case QEvent::Enter:
            if (watched == TControlAccess::Widget(c)) TControlAccess::MouseEnter(c);
            return false;
        case QEvent::Leave:
            if (watched == TControlAccess::Widget(c)) TControlAccess::MouseLeave(c);
            return false;
        case QEvent::FocusIn:
            if (auto* wc = dynamic_cast<TWinControl*>(c))
                if (TCustomForm* f = c->GetParentForm()) f->FocusChanged(wc);
            return false;
        case QEvent::Resize:
        case QEvent::Move:
            if (watched == TControlAccess::Widget(c)) TControlAccess::WidgetGeometryChanged(c);
            return false;
        case QEvent::Close:
            if (watched == TControlAccess::Widget(c))
                if (auto* f = dynamic_cast<TCustomForm*>(c)) {
                    if (f->WindowCloseRequested()) return false;
                    event->ignore();
                    return true;
                }
            return false;
        case QEvent::WindowActivate:
            if (watched == TControlAccess::Widget(c))
                if (auto* f = dynamic_cast<TCustomForm*>(c)) Screen()->FormActivated(f);
            return false;
        default:
            return false;
        }
    } catch (...) {
        Application()->HandleException(c);
        return true;
    }
}

bool TControlBridge::HandleKey(TWinControl* c, QObject* target, QKeyEvent* e) {
    if (GResending || e == GHandledKey) return false;
    GHandledKey = e;
    const bool down = e->type() == QEvent::KeyPress;
    Word key = VirtualKeyFromQt(e->key(), e->modifiers());
    const TShiftState shift = ShiftStateFromQt(e->modifiers(), QGuiApplication::mouseButtons());
    TCustomForm* form = c->GetParentForm();
    if (!down) {
        if (key == 0) return false;
        if (form && form != c && form->KeyPreview()) {
            form->KeyUp(key, shift);
            if (key == 0) return true;
        }
        c->KeyUp(key, shift);
        return key == 0;
    }
    if (key != 0) {
        // Shortcuts of menus and actions come first, then the form's dialog keys, then the key
        // events (the form's first when it previews keys).
        if (form && form->IsShortCut(ShortCut(key, shift))) return true;
        if (IsDialogKey(key) && !c->WantsKey(key, shift) && form && form->DialogKey(key, shift)) return true;
        if (form && form != c && form->KeyPreview()) {
            form->KeyDown(key, shift);
            if (key == 0) return true;
        }
        c->KeyDown(key, shift);
        if (key == 0) return true;
    }
    const QString text = e->text();
    if (text.size() != 1) return false;
    char16_t ch = text.at(0).unicode();
    const char16_t typed = ch;
    if (form && form != c && form->KeyPreview()) {
        form->KeyPress(ch);
        if (ch == 0) return true;
    }
    c->KeyPress(ch);
    if (ch == 0) return true;
    if (ch != typed) {
        // The handler changed the character: the widget gets the new one.
        QKeyEvent changed(QEvent::KeyPress, e->key(), e->modifiers(), QString(QChar(ch)), e->isAutoRepeat());
        GResending = true;
        QCoreApplication::sendEvent(target, &changed);
        GResending = false;
        return true;
    }
    return false;
}

// The input method's committed text reaches a control that draws its own text as typed
// characters, one UTF-16 unit at a time (the form previewing them first).
bool TControlBridge::HandleInputMethod(TWinControl* c, QInputMethodEvent* e) {
    const QString text = e->commitString();
    TCustomForm* form = c->GetParentForm();
    for (const QChar q : text) {
        char16_t ch = q.unicode();
        if (form && form != c && form->KeyPreview()) {
            form->KeyPress(ch);
            if (ch == 0) continue;
        }
        c->KeyPress(ch);
    }
    e->accept();
    return true;
}

bool TControlBridge::HandleMouse(QObject* watched, QEvent* event) {
    TControl* c = FControl;
    QWidget* client = TControlAccess::Client(c);
    if (!client) return false;
    auto* w = qobject_cast<QWidget*>(watched);
    if (!w) return false;
    if (event->type() == QEvent::Wheel) {
        auto* we = static_cast<QWheelEvent*>(event);
        QPoint g = we->globalPosition().toPoint();
        TShiftState s = ShiftStateFromQt(we->modifiers(), we->buttons());
        int delta = we->angleDelta().y() != 0 ? we->angleDelta().y() : we->angleDelta().x();
        return TControlAccess::MouseWheel(c, s, delta, Point(g.x(), g.y()));
    }
    if (event->type() == QEvent::ContextMenu) {
        auto* ce = static_cast<QContextMenuEvent*>(event);
        TPoint p(-1, -1);
        if (ce->reason() != QContextMenuEvent::Keyboard) {
            QPoint q = client->mapFromGlobal(ce->globalPos());
            p = Point(q.x(), q.y());
        }
        bool handled = false;
        TControlAccess::ContextPopup(c, p, handled);
        return handled;
    }
    auto* me = static_cast<QMouseEvent*>(event);
    const QPoint q =
        w == client ? me->position().toPoint() : client->mapFromGlobal(me->globalPosition().toPoint());
    TShiftState s = ShiftStateFromQt(me->modifiers(), me->buttons());
    TControl::Impl& impl = TControlAccess::I(c);
    const QPoint g = me->globalPosition().toPoint();
    const TPoint screen(g.x(), g.y());
    NoteMousePoint(c, screen);
    switch (event->type()) {
    case QEvent::MouseMove:
        if (me->buttons() != Qt::NoButton) DragMouseMoved(c, screen);
        TControlAccess::MouseMove(c, s, q.x(), q.y());
        return false;
    case QEvent::MouseButtonPress: {
        bool ok;
        TMouseButton b = ButtonOf(me->button(), ok);
        if (!ok) return false;
        if (b == mbLeft && TControlAccess::AutoDragOnPress(c, s)) {
            c->BeginDrag(Mouse()->DragImmediate(), Mouse()->DragThreshold());
            return false;
        }
        if (b == mbLeft) impl.Pressed = true;
        TControlAccess::MouseDown(c, b, s, q.x(), q.y());
        return false;
    }
    case QEvent::MouseButtonDblClick: {
        bool ok;
        TMouseButton b = ButtonOf(me->button(), ok);
        if (!ok) return false;
        s << ssDouble;
        if (b == mbLeft && TControlAccess::AutoDragOnPress(c, s)) {
            c->BeginDrag(Mouse()->DragImmediate(), Mouse()->DragThreshold());
            return false;
        }
        if (b == mbLeft) impl.Pressed = true;
        if (b == mbLeft && impl.DoubleClicks) TControlAccess::DblClick(c);
        TControlAccess::MouseDown(c, b, s, q.x(), q.y());
        return false;
    }
    case QEvent::MouseButtonRelease: {
        bool ok;
        TMouseButton b = ButtonOf(me->button(), ok);
        if (!ok) return false;
        if (c->Dragging()) {
            // A drag that started takes the release: it ends there, without a click.
            impl.Pressed = false;
            DragMouseReleased(c, screen);
            if (c->MouseCapture()) c->SetMouseCapture(false);
            return false;
        }
        c->EndDrag(false); // a drag still waiting for its threshold never starts
        const bool wasPressed = impl.Pressed && b == mbLeft;
        if (b == mbLeft) impl.Pressed = false;
        TControlAccess::MouseUp(c, b, s, q.x(), q.y());
        if (wasPressed && impl.ClickEvents && PtInRect(c->ClientRect(), Point(q.x(), q.y()))) c->Click();
        if (c->MouseCapture()) c->SetMouseCapture(false);
        return false;
    }
    default:
        return false;
    }
}

void DeliverKey(TWinControl* target, Word vk, TShiftState shift, bool down, bool up) {
    QWidget* w = TControlAccess::Widget(target);
    if (!w) return;
    bool keypad = false;
    int qk = QtKeyFromVirtualKey(vk, &keypad);
    if (vk == VK_TAB && shift.Contains(ssShift)) qk = Qt::Key_Backtab;
    Qt::KeyboardModifiers mods = QtModifiersFromShift(shift);
    if (keypad) mods |= Qt::KeypadModifier;
    const QString text = TypedTextOfKey(vk, shift);
    if (down) {
        QKeyEvent press(QEvent::KeyPress, qk, mods, text);
        QCoreApplication::sendEvent(w, &press);
    }
    if (up) {
        QKeyEvent release(QEvent::KeyRelease, qk, mods, text);
        QCoreApplication::sendEvent(w, &release);
    }
}

void DeliverMouse(TControl* target, QEvent::Type type, Qt::MouseButton button, Qt::MouseButtons buttons, int x,
                  int y, TShiftState shift) {
    QWidget* w = TControlAccess::Client(target);
    if (!w) return;
    // Item views take the mouse on their viewport.
    QWidget* receiver = w;
    if (auto* area = qobject_cast<QAbstractScrollArea*>(TControlAccess::Widget(target))) receiver = area->viewport();
    const QPointF local(x, y);
    QMouseEvent e(type, local, receiver->mapToGlobal(local), button, buttons, QtModifiersFromShift(shift));
    QCoreApplication::sendEvent(receiver, &e);
}

void keybd_event(Byte bVk, Byte, Cardinal dwFlags, std::uintptr_t) {
    TWinControl* target = FindFocusedControl();
    if (!target) return;
    TShiftState shift;
    Qt::KeyboardModifiers m = QGuiApplication::queryKeyboardModifiers();
    shift = ShiftStateFromQt(m, Qt::NoButton);
    const bool keyUp = (dwFlags & KEYEVENTF_KEYUP) != 0;
    DeliverKey(target, bVk, shift, !keyUp, keyUp);
}

SmallInt GetKeyState(int nVirtKey) {
    Qt::KeyboardModifiers m = QGuiApplication::queryKeyboardModifiers();
    Qt::MouseButtons b = QGuiApplication::mouseButtons();
    bool down = false;
    switch (nVirtKey) {
    case VK_SHIFT:
    case VK_LSHIFT:
    case VK_RSHIFT:
        down = m.testFlag(Qt::ShiftModifier);
        break;
    case VK_CONTROL:
    case VK_LCONTROL:
    case VK_RCONTROL:
        down = m.testFlag(Qt::ControlModifier);
        break;
    case VK_MENU:
    case VK_LMENU:
    case VK_RMENU:
        down = m.testFlag(Qt::AltModifier);
        break;
    case VK_LBUTTON:
        down = b.testFlag(Qt::LeftButton);
        break;
    case VK_RBUTTON:
        down = b.testFlag(Qt::RightButton);
        break;
    case VK_MBUTTON:
        down = b.testFlag(Qt::MiddleButton);
        break;
    default:
        break;
    }
    return down ? static_cast<SmallInt>(-128) : 0;
}

TWinControl* FindFocusedControl() {
    if (QWidget* w = QApplication::focusWidget())
        if (auto* wc = dynamic_cast<TWinControl*>(TControlAccess::FromWidget(w))) {
            // A form's client area stands for the form, an inner widget for its control.
            if (TCustomForm* f = wc->GetParentForm())
                if (wc == f && f->ActiveControl()) return f->ActiveControl();
            return wc;
        }
    if (TCustomForm* f = Screen()->ActiveForm()) return f->ActiveControl() ? f->ActiveControl() : f;
    return nullptr;
}

TControl* FindDragTarget(const TPoint& Pos, bool AllowDisabled) {
    QWidget* w = QApplication::widgetAt(Pos.X, Pos.Y);
    TControl* c = w ? TControlAccess::FromWidget(w) : nullptr;
    if (c && !AllowDisabled && !c->Enabled()) return nullptr;
    return c;
}

TControl* FindVCLWindowAtCursor() {
    QPoint p = QCursor::pos();
    return FindDragTarget(Point(p.x(), p.y()), true);
}
