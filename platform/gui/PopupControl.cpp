// The drop-down window: a frameless tool window that shows without activation.
#include "gui/PopupControl.h"

#include "classes/MetaBuilder.h"
#include "gui/Forms.h"
#include "gui/qt/ControlImpl.h"
#include "gui/qt/QtSupport.h"

#include <QApplication>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QScreen>
#include <QWidget>

// Watches the application's mouse presses (from the first showing on; it acts only while the
// drop-down shows).
class TCustomPopupControl::TOutsideWatch : public QObject {
public:
    explicit TOutsideWatch(TCustomPopupControl* popup) : FPopup(popup) {}
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::MouseButtonPress || !FPopup->PopupShowing()) return false;
        auto* w = qobject_cast<QWidget*>(watched);
        if (!w) return false;
        QWidget* own = TControlAccess::Widget(FPopup);
        auto* owner = dynamic_cast<TControl*>(FPopup->Owner());
        QWidget* ownerWidget = TControlAccess::Widget(owner);
        if (own && (w == own || own->isAncestorOf(w))) return false;
        if (ownerWidget && (w == ownerWidget || ownerWidget->isAncestorOf(w))) return false;
        try {
            FPopup->CancelMode(TControlAccess::FromWidget(w));
        } catch (...) {
            Application()->HandleException(FPopup);
        }
        return false;
    }

private:
    TCustomPopupControl* FPopup;
};

TCustomPopupControl::~TCustomPopupControl() {
    if (FWatch && qApp) qApp->removeEventFilter(FWatch);
    delete FWatch;
}

TCustomPopupControl::TCustomPopupControl(TComponent* AOwner) : TCustomControl(AOwner) {
    QWidget* w = TControlAccess::Widget(this);
    w->setParent(nullptr);
    w->setWindowFlags(Qt::Tool | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus |
                      Qt::WindowStaysOnTopHint);
    w->setAttribute(Qt::WA_ShowWithoutActivating);
    w->setFocusPolicy(Qt::NoFocus);
    TApplyGuard guard(this);
    w->hide();
    TControlAccess::SetVisibleField(this, false);
}

void TCustomPopupControl::SetParent(TWinControl*) {
    // A drop-down is a window of its own: it never goes into another control.
}

void TCustomPopupControl::ShowAt(const TPoint& ScreenPos) {
    SetBounds(ScreenPos.X, ScreenPos.Y, Width(), Height());
    QWidget* w = TControlAccess::Widget(this);
    TControlAccess::SetVisibleField(this, true);
    TApplyGuard guard(this);
    w->move(ScreenPos.X, ScreenPos.Y);
    w->show();
    w->raise();
    if (!FWatch) {
        FWatch = new TOutsideWatch(this);
        qApp->installEventFilter(FWatch);
    }
}

void TCustomPopupControl::HidePopup() {
    TControlAccess::SetVisibleField(this, false);
    TApplyGuard guard(this);
    TControlAccess::Widget(this)->hide();
}

bool TCustomPopupControl::PopupShowing() const {
    QWidget* w = TControlAccess::Widget(this);
    return w && w->isVisible();
}

TRect MonitorRectAt(const TPoint& ScreenPos) {
    EnsureQtApp();
    QScreen* s = QGuiApplication::screenAt(QPoint(ScreenPos.X, ScreenPos.Y));
    if (!s) s = QGuiApplication::primaryScreen();
    if (!s) return Rect(0, 0, 1024, 768);
    const QRect r = s->geometry();
    return Bounds(r.x(), r.y(), r.width(), r.height());
}

ORV_META_IMPL(TCustomPopupControl)
void TCustomPopupControl::DeclareMeta(meta::Class<TCustomPopupControl>&) {}
