// Registered cursors, kept as Qt cursors and found by number.
#include "gui/CursorTable.h"

#include "gui/Bitmap.h"
#include "gui/qt/BitmapImpl.h"
#include "gui/qt/ControlImpl.h"

#include <QCursor>
#include <QPixmap>

#include <map>

namespace {
std::map<TCursor, QCursor>& Table() {
    static std::map<TCursor, QCursor> table;
    return table;
}
} // namespace

void RegisterScreenCursor(TCursor Id, const TBitmap& Image, int HotX, int HotY) {
    QImage image = Image.impl().SurfaceForRead().convertToFormat(QImage::Format_ARGB32);
    const QRgb clear = static_cast<QRgb>(ColorToPixelRGB(Image.TransparentColor()));
    const QRgb key = qRgb(GetRValue(clear), GetGValue(clear), GetBValue(clear));
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x)
            if ((line[x] & 0x00FFFFFF) == (key & 0x00FFFFFF)) line[x] = 0;
    }
    Table()[Id] = QCursor(QPixmap::fromImage(image), HotX, HotY);
}

bool ScreenCursorRegistered(TCursor Id) {
    return Table().count(Id) > 0;
}

QCursor QtCursorOf(TCursor cursor) {
    auto it = Table().find(cursor);
    if (it != Table().end()) return it->second;
    return QCursor(QtCursorShape(cursor));
}
