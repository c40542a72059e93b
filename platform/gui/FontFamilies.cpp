#include "gui/FontFamilies.h"

#include "gui/FontSubstitutes.h"
#include "gui/Printers.h"
#include "gui/qt/QtSupport.h"

#include <QFont>
#include <QFontDatabase>
#include <QFontInfo>

namespace {

int FamilyType(const QString& family) {
    return QFontDatabase::isScalable(family) ? TRUETYPE_FONTTYPE : RASTER_FONTTYPE;
}

} // namespace

std::vector<TFontFamily> ScreenFontFamilies() {
    EnsureQtApp();
    std::vector<TFontFamily> out;
    for (const QString& f : QFontDatabase::families())
        out.push_back({FromQString(f), FamilyType(f)});
    return out;
}

std::vector<TFontFamily> PrinterFontFamilies() {
    EnsureQtApp();
    const QStringList screen = QFontDatabase::families();
    std::vector<TFontFamily> out;
    for (const String& name : Printer()->Fonts()) {
        const QString f = ToQString(name);
        out.push_back({name, screen.contains(f) ? FamilyType(f) : DEVICE_FONTTYPE});
    }
    return out;
}

int FontRealCharset(const String& name) {
    EnsureQtApp();
    QFont font(ToQString(SubstituteFontName(name)));
    const QString family = QFontInfo(font).family();
    return QFontDatabase::writingSystems(family).contains(QFontDatabase::SimplifiedChinese) ? 134 : 0;
}
