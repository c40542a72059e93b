#include "gui/Screenshot.h"

#include "gui/qt/BitmapImpl.h"
#include "gui/qt/QtSupport.h"

#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>

#include <cmath>

bool SaveBitmapAsPng(const TBitmap& bitmap, const String& fileName) {
    if (bitmap.Empty()) return false;
    EnsureQtApp();
    return bitmap.impl().SurfaceForRead().save(ToQString(fileName), "PNG");
}

bool SaveGraphicAsPng(TGraphic& graphic, const String& fileName, double scale) {
    if (graphic.Empty() || scale <= 0) return false;
    int w = static_cast<int>(std::lround(graphic.Width() * scale));
    int h = static_cast<int>(std::lround(graphic.Height() * scale));
    TBitmap bmp(w, h, pf24bit);
    bmp.Canvas()->Brush()->SetColor(clWhite);
    bmp.Canvas()->FillRect(TRect(0, 0, w, h));
    bmp.Canvas()->StretchDraw(TRect(0, 0, w, h), &graphic);
    return SaveBitmapAsPng(bmp, fileName);
}

bool SaveScreenAsPng(const String& fileName) {
    EnsureQtApp();
    QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen) return false;
    const QPixmap shot = screen->grabWindow(0);
    return !shot.isNull() && shot.save(ToQString(fileName), "PNG");
}
