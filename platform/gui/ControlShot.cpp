// Offscreen pictures of controls through QWidget::grab.
#include "gui/ControlShot.h"

#include "gui/Bitmap.h"
#include "gui/qt/BitmapImpl.h"
#include "gui/qt/ControlImpl.h"
#include "gui/qt/QtSupport.h"

#include <QPixmap>

namespace {
QImage Grab(TControl* Control) {
    QWidget* w = TControlAccess::Widget(Control);
    if (!w) return {};
    if (!w->testAttribute(Qt::WA_WState_Polished)) w->ensurePolished();
    return w->grab().toImage().convertToFormat(QImage::Format_RGB32);
}
} // namespace

void GrabControl(TControl* Control, TBitmap& Bitmap) {
    QImage img = Grab(Control);
    Bitmap.SetPixelFormat(pf24bit);
    Bitmap.SetSize(img.width(), img.height());
    Bitmap.impl().SetSurface(img);
}

bool SaveControlAsPng(TControl* Control, const String& FileName) {
    QImage img = Grab(Control);
    return !img.isNull() && img.save(ToQString(FileName), "PNG");
}
