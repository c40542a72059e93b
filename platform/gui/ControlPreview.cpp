// The preview: an event filter installed after the control's own, so it runs first.
#include "gui/ControlPreview.h"
#include "gui/qt/ControlImpl.h"
#include "gui/qt/KeyMapQt.h"
#include "gui/qt/NamedFilter.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>

namespace {

constexpr const char* kPreviewName = "orvMessagePreview";

class TPreviewFilter : public QObject {
public:
    TPreviewFilter(TWinControl* control, TMessagePreview preview) : FControl(control), FPreview(std::move(preview)) {}
    void Set(TMessagePreview preview) { FPreview = std::move(preview); }

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (!FPreview) return false;
        const bool handled = Preview(event);
        if (FDirect) {
            FDirect = false;
            watched->event(event); // the widget alone, no filters
            return true;
        }
        return handled;
    }

private:
    bool Done(const TControlMessage& m) {
        if (m.Result == PreviewDeliverDirect) FDirect = true;
        return m.Result != 0;
    }

    bool Preview(QEvent* event) {
        TControlMessage m;
        switch (event->type()) {
        case QEvent::KeyPress:
        case QEvent::KeyRelease: {
            auto* e = static_cast<QKeyEvent*>(event);
            m.Shift = ShiftStateFromQt(e->modifiers(), QGuiApplication::mouseButtons());
            const Word key = VirtualKeyFromQt(e->key(), e->modifiers());
            m.Msg = event->type() == QEvent::KeyPress ? WM_KEYDOWN : WM_KEYUP;
            m.WParam = key;
            if (key) FPreview(FControl, m);
            if (m.Result) return Done(m);
            if (event->type() == QEvent::KeyPress && e->text().size() == 1) {
                TControlMessage c;
                c.Msg = WM_CHAR;
                c.WParam = e->text().at(0).unicode();
                c.Shift = m.Shift;
                FPreview(FControl, c);
                return Done(c);
            }
            return false;
        }
        case QEvent::FocusIn:
        case QEvent::FocusOut:
            m.Msg = event->type() == QEvent::FocusIn ? WM_SETFOCUS : WM_KILLFOCUS;
            FPreview(FControl, m);
            return Done(m);
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::MouseMove: {
            auto* e = static_cast<QMouseEvent*>(event);
            const bool left = e->button() == Qt::LeftButton;
            const bool right = e->button() == Qt::RightButton;
            switch (event->type()) {
            case QEvent::MouseButtonPress:
                m.Msg = left ? Cardinal(WM_LBUTTONDOWN) : right ? Cardinal(WM_RBUTTONDOWN) : 0u;
                break;
            case QEvent::MouseButtonRelease:
                m.Msg = left ? Cardinal(WM_LBUTTONUP) : right ? Cardinal(WM_RBUTTONUP) : 0u;
                break;
            case QEvent::MouseButtonDblClick:
                m.Msg = left ? Cardinal(WM_LBUTTONDBLCLK) : 0u;
                break;
            default:
                m.Msg = WM_MOUSEMOVE;
                break;
            }
            if (!m.Msg) return false;
            m.Shift = ShiftStateFromQt(e->modifiers(), e->buttons());
            const QPoint p = e->position().toPoint();
            const QPoint g = e->globalPosition().toPoint();
            m.Pos = TPoint(p.x(), p.y());
            m.ScreenPos = TPoint(g.x(), g.y());
            FPreview(FControl, m);
            return Done(m);
        }
        default:
            return false;
        }
    }

    TWinControl* FControl;
    TMessagePreview FPreview;
    bool FDirect = false;
};

} // namespace

void SetControlMessagePreview(TWinControl* Control, TMessagePreview Preview) {
    const bool remove = !Preview;
    SetNamedFilter<TPreviewFilter>(TControlAccess::Widget(Control), kPreviewName, Control, std::move(Preview), remove);
}

void DeliverDoubleClick(TWinControl* Control, const TPoint& Pos) {
    QWidget* w = TControlAccess::Widget(Control);
    if (!w) return;
    const QPointF local(Pos.X, Pos.Y);
    QMouseEvent e(QEvent::MouseButtonDblClick, local, w->mapToGlobal(local), Qt::LeftButton, Qt::LeftButton,
                  QGuiApplication::keyboardModifiers());
    QCoreApplication::sendEvent(w, &e);
}

void DeliverMousePress(TWinControl* Control, TMouseButton Button, const TPoint& Pos) {
    QWidget* w = TControlAccess::Widget(Control);
    if (!w) return;
    const Qt::MouseButton b = Button == mbRight    ? Qt::RightButton
                              : Button == mbMiddle ? Qt::MiddleButton
                                                   : Qt::LeftButton;
    const QPointF local(Pos.X, Pos.Y);
    QMouseEvent e(QEvent::MouseButtonPress, local, w->mapToGlobal(local), b, b,
                  QGuiApplication::keyboardModifiers());
    QCoreApplication::sendEvent(w, &e);
}

void ShowControlWindow(TWinControl* Control, bool Show) {
    if (QWidget* w = TControlAccess::Widget(Control)) w->setVisible(Show);
}

bool ControlWindowVisible(const TWinControl* Control) {
    QWidget* w = TControlAccess::Widget(Control);
    return w && w->isVisible();
}

void FocusControlWindow(TWinControl* Control) {
    if (QWidget* w = TControlAccess::Widget(Control)) w->setFocus(Qt::OtherFocusReason);
}

bool ControlWindowFocused(const TWinControl* Control) {
    QWidget* w = TControlAccess::Widget(Control);
    return w && w->hasFocus();
}
