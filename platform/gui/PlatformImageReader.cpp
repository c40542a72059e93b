// Reading a picture file through Qt's image readers.
#include "gui/PlatformImageReader.h"

#include "gui/qt/BitmapImpl.h"
#include "gui/qt/QtSupport.h"

#include <QImageReader>
#include <QPainter>

std::unique_ptr<TBitmap> LoadImageFileViaPlatformReader(const String& FileName, TColor Background) {
    EnsureQtApp();
    QImageReader reader(ToQString(FileName));
    QImage image = reader.read();
    if (image.isNull())
        throw EInvalidGraphic("Cannot read picture file " + FileName + ": " +
                              FromQString(reader.errorString()));
    QImage surface(image.size(), QImage::Format_RGB32);
    surface.fill(ToQColor(Background));
    QPainter p(&surface);
    p.drawImage(0, 0, image);
    p.end();
    auto bmp = std::make_unique<TBitmap>();
    bmp->SetPixelFormat(pf24bit);
    bmp->SetSize(surface.width(), surface.height());
    bmp->impl().SetSurface(surface);
    return bmp;
}
