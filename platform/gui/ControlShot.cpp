// Offscreen pictures of controls through QWidget::grab.
#include "gui/ControlShot.h"

#include "gui/Bitmap.h"
#include "gui/qt/BitmapImpl.h"
#include "gui/qt/ControlImpl.h"
#include "gui/qt/MenuAccess.h"
#include "gui/qt/QtSupport.h"

#include <QMenu>
#include <QPixmap>

namespace {
QImage Grab(TControl* Control) {
    QWidget* w = TControlAccess::Widget(Control);
    if (!w) return {};
    if (!w->testAttribute(Qt::WA_WState_Polished)) w->ensurePolished();
    return w->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

void ToBitmap(const QImage& img, TBitmap& Bitmap) {
    Bitmap.SetPixelFormat(pf24bit);
    Bitmap.SetSize(img.width(), img.height());
    Bitmap.impl().SetSurface(img);
}
} // namespace

void GrabControl(TControl* Control, TBitmap& Bitmap) {
    ToBitmap(Grab(Control), Bitmap);
}

void GrabMenu(TMenuItem* Item, TBitmap& Bitmap) {
    QMenu* menu = Item ? TMenuAccess::SubMenu(Item) : nullptr;
    if (!menu) {
        Bitmap.SetSize(0, 0);
        return;
    }
    menu->ensurePolished();
    menu->adjustSize();
    ToBitmap(menu->grab().toImage().convertToFormat(QImage::Format_RGB32), Bitmap);
}

bool SaveControlAsPng(TControl* Control, const String& FileName) {
    QImage img = Grab(Control);
    return !img.isNull() && img.save(ToQString(FileName), "PNG");
}
