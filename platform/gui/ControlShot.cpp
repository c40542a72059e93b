// Offscreen pictures of controls through QWidget::grab.
#include "gui/ControlShot.h"

#include "gui/Bitmap.h"
#include "gui/qt/BitmapImpl.h"
#include "gui/qt/ControlImpl.h"
#include "gui/qt/FormAccess.h"
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

TBorderIcons ShownBorderIcons(TCustomForm* Form) {
    TBorderIcons icons;
    QWidget* w = Form ? TFormAccess::FrameWindow(Form) : nullptr;
    if (!w) return icons;
    const Qt::WindowFlags f = w->windowFlags();
    if (f.testFlag(Qt::FramelessWindowHint)) return icons;
    if (f.testFlag(Qt::WindowSystemMenuHint)) icons.Include(biSystemMenu);
    if (f.testFlag(Qt::WindowMinimizeButtonHint)) icons.Include(biMinimize);
    if (f.testFlag(Qt::WindowMaximizeButtonHint)) icons.Include(biMaximize);
    if (f.testFlag(Qt::WindowContextHelpButtonHint)) icons.Include(biHelp);
    return icons;
}

bool ShownSizeable(TCustomForm* Form) {
    QWidget* w = Form ? TFormAccess::FrameWindow(Form) : nullptr;
    return w && w->minimumSize() != w->maximumSize();
}

TRect ShownFrameRect(TCustomForm* Form) {
    QWidget* w = Form ? TFormAccess::FrameWindow(Form) : nullptr;
    if (!w) return TRect();
    w = w->window();
    const QRect r = w->frameGeometry();
    return Bounds(r.x(), r.y(), r.width(), r.height());
}

String WindowSystemId(TCustomForm* Form) {
    QWidget* w = Form ? TFormAccess::FrameWindow(Form) : nullptr;
    if (!w || !w->window()->internalWinId()) return String();
    return std::to_string(static_cast<unsigned long long>(w->window()->internalWinId()));
}
