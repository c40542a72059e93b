// Internal to platform/gui: the Qt side of the graphics types. Included only by .cpp files of
// this library; never by a public header.
#pragma once

#include "gui/Graphics.h"

#include <QColor>
#include <QDateTime>
#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QRawFont>
#include <QString>

#include <memory>
#include <vector>

// Makes sure a Qt application object exists (a widgets application; the offscreen platform
// when no display is there), so fonts, images, the clipboard and printing work from tests and
// tools as from the program.
void EnsureQtApp();

inline QColor ToQColor(TColor color) {
    TColorRef c = ColorToRGB(color);
    return QColor(GetRValue(c), GetGValue(c), GetBValue(c));
}
inline TColor FromQColor(const QColor& c) {
    return static_cast<TColor>(RGB(c.red(), c.green(), c.blue()));
}
// 0xAARRGGBB (QImage pixel) <-> 0x00BBGGRR.
inline TColor FromQRgb(QRgb p) {
    return static_cast<TColor>(RGB(qRed(p), qGreen(p), qBlue(p)));
}
inline QRgb ToQRgb(TColor color) {
    TColorRef c = ColorToRGB(color);
    return qRgb(GetRValue(c), GetGValue(c), GetBValue(c));
}

// Days since 1899-12-30 and the fraction of the day, to and from Qt's local date and time.
QDateTime QtDateTime(TDateTime v);
TDateTime FromQtDateTime(const QDateTime& dt);

inline QString ToQString(const String& s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}
inline QString ToQString(const WideString& s) {
    return QString(reinterpret_cast<const QChar*>(s.data()), static_cast<qsizetype>(s.size()));
}
inline String FromQString(const QString& s) {
    return s.toUtf8().toStdString();
}
inline WideString WideFromQString(const QString& s) {
    return WideString(reinterpret_cast<const char16_t*>(s.utf16()), static_cast<size_t>(s.size()));
}

// A font realised at a device pixel height, with its metrics. Shared by every canvas that asks
// for the same font, so measuring on a bitmap, a metafile and a printer agrees.
struct TRealFont {
    QFont Font;
    QFontMetrics Metrics{QFont()};
    TTextMetric TM;
    bool Symbol = false; // 8-bit symbol codes are translated (Wingdings)
    int Escapement = 0;  // tenths of a degree
    int Ascii[128] = {}; // advances of the ASCII characters
    // The faces the font draws from, in the order it falls back to them (the face named, then the
    // Chinese face), for drawing characters at given advances as one run of glyphs.
    std::vector<QRawFont> Faces;
};

// The advance of every UTF-16 unit of the drawn text (a surrogate pair's advance goes to its
// first unit); returns their sum, the width the text takes.
int TextAdvances(const TRealFont& font, const QString& drawn, std::vector<int>* advances);

// The realised font for f at device height h (negative: em height, positive: cell height).
std::shared_ptr<const TRealFont> RealizeFont(const TFont& f, int deviceHeight);

// The text as drawn with the font: symbol faces get their 8-bit codes mapped to Unicode.
QString DrawnText(const TRealFont& font, const QString& text);
