// The drop-down window: a frameless tool window that shows without activation.
#include "gui/PopupControl.h"

#include "classes/MetaBuilder.h"
#include "gui/qt/ControlImpl.h"
#include "gui/qt/QtSupport.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

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
