#include "gui/ScreenGrab.h"

#include "gui/Bitmap.h"
#include "gui/qt/BitmapImpl.h"
#include "gui/qt/ControlImpl.h"

#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>

bool GrabControlFromScreen(TControl* Control, TBitmap& Bitmap) {
    QWidget* w = TControlAccess::Widget(Control);
    if (!w || QGuiApplication::platformName() == "offscreen") return false;
    QScreen* screen = w->screen();
    if (!screen) return false;
    const QPoint origin = w->mapToGlobal(QPoint(0, 0)) - screen->geometry().topLeft();
    const QPixmap shot = screen->grabWindow(0, origin.x(), origin.y(), w->width(), w->height());
    if (shot.isNull()) return false;
    const QImage img = shot.toImage().convertToFormat(QImage::Format_RGB32);
    Bitmap.SetPixelFormat(pf24bit);
    Bitmap.SetSize(img.width(), img.height());
    Bitmap.impl().SetSurface(img);
    return true;
}
