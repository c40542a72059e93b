#include "gui/qt/QtSupport.h"

#include "gui/Display.h"
#include "gui/FontSubstitutes.h"

#include <QApplication>
#include <QFontInfo>
#include <QGuiApplication>
#include <QIcon>
#include <QLibraryInfo>
#include <QPainter>
#include <QPixmap>
#include <QTranslator>

#include <cmath>
#include <cstdlib>
#include <map>
#include <mutex>
#include <tuple>

namespace {

// The program's own window icon (a house on a blue tile), so no window shows the toolkit's.
QIcon ProgramIcon() {
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x2E, 0x6D, 0xB4));
    p.drawRoundedRect(1, 1, 30, 30, 6, 6);
    p.setBrush(Qt::white);
    const QPointF roof[] = {{16, 5}, {28, 16}, {4, 16}};
    p.drawPolygon(roof, 3);
    p.drawRect(8, 15, 16, 12);
    p.setBrush(QColor(0x2E, 0x6D, 0xB4));
    p.drawRect(14, 19, 5, 8);
    p.end();
    return QIcon(pixmap);
}

// The toolkit's own texts (message-box buttons, the file dialog, the system menu of MDI children,
// context menus) in Chinese, as the rest of the program. Debian installs the catalogue with
// qt6-translations-l10n; without it the toolkit's texts stay English.
void LoadToolkitTranslations(QApplication& app) {
    static QTranslator translator;
    if (translator.load(QStringLiteral("qtbase_zh_CN"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        app.installTranslator(&translator);
}

} // namespace

void EnsureQtApp() {
    if (QCoreApplication::instance()) return;
    static std::once_flag once;
    std::call_once(once, [] {
        // Tools and benchmarks draw without a display; the program itself refuses to start
        // without one (DisplayAvailable) rather than run where nobody sees it.
        if (!DisplayAvailable()) setenv("QT_QPA_PLATFORM", "offscreen", 1);
        static int argc = 1;
        static char name[] = "orvanta";
        static char* argv[] = {name, nullptr};
        // Lives until the process ends; the application object of the program takes it over.
        static QApplication* app = new QApplication(argc, argv);
        app->setWindowIcon(ProgramIcon());
        LoadToolkitTranslations(*app);
    });
}

QDateTime QtDateTime(TDateTime v) {
    const QDate base(1899, 12, 30);
    double days = std::floor(v);
    double frac = std::fabs(v - days);
    QDate d = base.addDays(static_cast<qint64>(days));
    int ms = static_cast<int>(std::lround(frac * 86400000.0));
    if (ms >= 86400000) ms = 86399999;
    return QDateTime(d, QTime(0, 0).addMSecs(ms));
}

TDateTime FromQtDateTime(const QDateTime& dt) {
    const QDate base(1899, 12, 30);
    double days = static_cast<double>(base.daysTo(dt.date()));
    double frac = dt.time().msecsSinceStartOfDay() / 86400000.0;
    return days + frac;
}

namespace {

using FontKey = std::tuple<String, int, int, int, int, int>;

std::mutex CacheLock;
std::map<FontKey, std::shared_ptr<const TRealFont>>& Cache() {
    static std::map<FontKey, std::shared_ptr<const TRealFont>> cache;
    return cache;
}

void FillMetrics(TRealFont& rf, int emPixels, const TFont& f) {
    const QFontMetrics& fm = rf.Metrics;
    TTextMetric& tm = rf.TM;
    tm.tmAscent = fm.ascent();
    tm.tmDescent = fm.descent();
    tm.tmHeight = tm.tmAscent + tm.tmDescent;
    tm.tmInternalLeading = std::max(0, tm.tmHeight - emPixels);
    tm.tmExternalLeading = std::max(0, fm.leading());
    tm.tmAveCharWidth = fm.horizontalAdvance(QLatin1Char('x'));
    tm.tmMaxCharWidth = fm.maxWidth();
    tm.tmWeight = f.Style().Contains(fsBold) ? 700 : 400;
    tm.tmItalic = f.Style().Contains(fsItalic) ? 1 : 0;
    tm.tmUnderlined = f.Style().Contains(fsUnderline) ? 1 : 0;
    tm.tmStruckOut = f.Style().Contains(fsStrikeOut) ? 1 : 0;
    tm.tmCharSet = f.Charset();
    bool fixed = QFontInfo(rf.Font).fixedPitch();
    // The platform's bit 0 set means variable pitch.
    tm.tmPitchAndFamily = static_cast<Byte>(fixed ? 0x30 : 0x21);
}

} // namespace

std::shared_ptr<const TRealFont> RealizeFont(const TFont& f, int deviceHeight) {
    if (deviceHeight == 0) deviceHeight = -1;
    FontKey key{
        f.Name(),        deviceHeight, static_cast<int>(f.Style().Bits()), static_cast<int>(f.Pitch()),
        f.Orientation(), f.Charset()};
    {
        std::lock_guard<std::mutex> guard(CacheLock);
        auto it = Cache().find(key);
        if (it != Cache().end()) return it->second;
    }
    EnsureQtApp();
    auto rf = std::make_shared<TRealFont>();
    rf->Symbol = IsSymbolFontName(f.Name());
    rf->Escapement = f.Orientation();
    QFont font;
    QString family = ToQString(SubstituteFontName(f.Name()));
    // Chinese text falls back to the Chinese face whatever the Latin face is.
    font.setFamilies({family, QStringLiteral("WenQuanYi Micro Hei")});
    font.setBold(f.Style().Contains(fsBold));
    font.setItalic(f.Style().Contains(fsItalic));
    font.setUnderline(f.Style().Contains(fsUnderline));
    font.setStrikeOut(f.Style().Contains(fsStrikeOut));
    // Glyph advances add up as the platform's do: no kerning, whole-pixel advances.
    font.setKerning(false);
    font.setHintingPreference(QFont::PreferFullHinting);
    font.setStyleStrategy(QFont::PreferNoShaping);
    if (f.Pitch() == fpFixed) font.setFixedPitch(true);
    int em = deviceHeight < 0 ? -deviceHeight : deviceHeight;
    font.setPixelSize(std::max(1, em));
    if (deviceHeight > 0) {
        // A positive height is the cell height: find the em size whose ascent + descent fits it.
        QFontMetrics probe(font);
        int cell = probe.ascent() + probe.descent();
        if (cell > 0) {
            int px = std::max(1, static_cast<int>(static_cast<long long>(em) * em / cell));
            font.setPixelSize(px);
            while (px > 1) {
                QFontMetrics m(font);
                if (m.ascent() + m.descent() <= deviceHeight) break;
                font.setPixelSize(--px);
            }
            em = px;
        }
    }
    rf->Font = font;
    rf->Metrics = QFontMetrics(font);
    for (const QString& face : font.families()) {
        QFont single = font;
        single.setFamilies({face});
        QRawFont raw = QRawFont::fromFont(single);
        if (raw.isValid()) rf->Faces.push_back(raw);
    }
    FillMetrics(*rf, em, f);
    for (int c = 0; c < 128; ++c)
        rf->Ascii[c] = rf->Metrics.horizontalAdvance(QChar(c));
    std::lock_guard<std::mutex> guard(CacheLock);
    if (Cache().size() > 512) Cache().clear();
    return Cache().emplace(key, std::move(rf)).first->second;
}

namespace {

// Wingdings codes with a Unicode counterpart the installed fonts carry.
char16_t WingdingsChar(char16_t c) {
    switch (c) {
    case 0x6C:
        return 0x25CF; // black circle
    case 0x6E:
        return 0x25A0; // black square
    case 0x6F:
        return 0x25A1; // white square
    case 0x71:
        return 0x2751; // shadowed white square
    case 0x77:
        return 0x25C6; // black diamond
    case 0x9F:
        return 0x2022; // bullet
    case 0xA1:
        return 0x25CB; // white circle
    case 0xA8:
        return 0x25FB; // white medium square
    case 0xD8:
        return 0x27A2; // arrowhead
    case 0xE0:
        return 0x2192; // rightwards arrow
    case 0xFB:
        return 0x2718; // heavy ballot x
    case 0xFC:
        return 0x2714; // heavy check mark
    case 0xFD:
        return 0x2612; // ballot box with x
    case 0xFE:
        return 0x2611; // ballot box with check
    default:
        return c;
    }
}

} // namespace

QString DrawnText(const TRealFont& font, const QString& text) {
    if (!font.Symbol) return text;
    QString r = text;
    for (auto& ch : r) {
        char16_t c = ch.unicode();
        if (c >= 0xF000 && c <= 0xF0FF) c = static_cast<char16_t>(c - 0xF000);
        ch = QChar(WingdingsChar(c));
    }
    return r;
}

int TextAdvances(const TRealFont& font, const QString& drawn, std::vector<int>* advances) {
    int total = 0;
    qsizetype n = drawn.size();
    if (advances) advances->assign(static_cast<size_t>(n), 0);
    for (qsizetype i = 0; i < n; ++i) {
        char16_t c = drawn[i].unicode();
        int a;
        if (c < 128) {
            a = font.Ascii[c];
        } else if (QChar::isHighSurrogate(c) && i + 1 < n) {
            a = font.Metrics.horizontalAdvance(drawn.mid(i, 2));
            if (advances) (*advances)[static_cast<size_t>(i)] = a;
            total += a;
            ++i;
            continue;
        } else {
            a = font.Metrics.horizontalAdvance(drawn[i]);
        }
        if (advances) (*advances)[static_cast<size_t>(i)] = a;
        total += a;
    }
    return total;
}
