#include "gui/PopupWindows.h"

#include "gui/qt/ControlImpl.h"
#include "gui/qt/RegionImpl.h"

#include <QWidget>

void ShowPopupNoActivate(TWinControl* Control, int ScreenX, int ScreenY) {
    QWidget* w = TControlAccess::Widget(Control);
    if (!w) return;
    if (!w->isWindow()) {
        const QSize size = w->size();
        // A window of the tool-tip kind is never activated, by the toolkit or by the window
        // manager, when it shows or is clicked: the focus stays with the control that opened it.
        w->setParent(nullptr, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                                  Qt::WindowDoesNotAcceptFocus);
        w->resize(size);
    }
    w->setAttribute(Qt::WA_ShowWithoutActivating, true);
    w->setFocusPolicy(Qt::NoFocus);
    w->move(ScreenX, ScreenY);
    w->show();
}

void HidePopup(TWinControl* Control) {
    if (QWidget* w = TControlAccess::Widget(Control)) w->hide();
}

bool PopupShowing(TWinControl* Control) {
    QWidget* w = TControlAccess::Widget(Control);
    return w && w->isWindow() && w->isVisible();
}

void SetWindowRegion(TWinControl* Control, const TRegion* Region) {
    QWidget* w = TControlAccess::Widget(Control);
    if (!w) return;
    if (Region)
        w->setMask(Region->impl().Region);
    else
        w->clearMask();
}

bool WindowRegionContains(TWinControl* Control, const TPoint& Point) {
    QWidget* w = TControlAccess::Widget(Control);
    if (!w) return false;
    const QRegion mask = w->mask();
    return mask.isEmpty() || mask.contains(QPoint(Point.X, Point.Y));
}
