// The printer: choosing a printer, its paper, orientation and metrics; what its queue offers.
#include "gui/Printers.h"

#include "gui/qt/PrinterImpl.h"
#include "gui/qt/QtSupport.h"

#include <QFontDatabase>
#include <QPageSize>

#include <cmath>

const char* const TPrinter::PdfPrinterName = "PDF";

std::unique_ptr<QPainter> TPrinterCanvas::BeginPaint() {
    if (!Device) return nullptr;
    return std::make_unique<QPainter>(Device);
}

int TPrinterCanvas::DevCaps(int index) {
    switch (index) {
    case TECHNOLOGY:
        return DT_RASPRINTER;
    case HORZRES:
        return FOwner->PageWidth();
    case VERTRES:
        return FOwner->PageHeight();
    case PHYSICALWIDTH:
        return FOwner->PaperWidth();
    case PHYSICALHEIGHT:
        return FOwner->PaperHeight();
    case PHYSICALOFFSETX:
        return FOwner->OffsetX();
    case PHYSICALOFFSETY:
        return FOwner->OffsetY();
    case LOGPIXELSX:
    case LOGPIXELSY:
        return FOwner->Resolution();
    case HORZSIZE:
        return static_cast<int>(std::lround(FOwner->PageWidth() * 25.4 / FOwner->Resolution()));
    case VERTSIZE:
        return static_cast<int>(std::lround(FOwner->PageHeight() * 25.4 / FOwner->Resolution()));
    case BITSPIXEL:
        return 24;
    case PLANES:
        return 1;
    case NUMCOLORS:
        return -1;
    default:
        return 0;
    }
}

TPrinter::TPrinter() : FImpl(std::make_unique<Impl>()) {
    FImpl->Canvas = std::make_unique<TPrinterCanvas>(this);
}

TPrinter::~TPrinter() {
    if (FPrinting && !FRaw) Abort();
    if (FRaw) AbortRawDoc();
}

const std::vector<String>& TPrinter::Printers() {
    if (FPrinters.empty()) Refresh();
    return FPrinters;
}

void TPrinter::Refresh() {
    String current = FIndex >= 0 && FIndex < static_cast<int>(FPrinters.size())
                         ? FPrinters[static_cast<size_t>(FIndex)]
                         : String();
    FImpl->DefaultName.clear();
    FImpl->QueueLoaded = false;
    FPrinters = CupsQueues(FImpl->DefaultName);
    FPrinters.push_back(PdfPrinterName);
    if (FImpl->DefaultName.empty()) FImpl->DefaultName = PdfPrinterName;
    FIndex = -1;
    for (size_t i = 0; i < FPrinters.size(); ++i)
        if (!current.empty() && FPrinters[i] == current) FIndex = static_cast<int>(i);
    if (FIndex < 0) {
        for (size_t i = 0; i < FPrinters.size(); ++i)
            if (FPrinters[i] == FImpl->DefaultName) FIndex = static_cast<int>(i);
        LoadMetrics();
    }
}

String TPrinter::DefaultPrinterName() {
    Printers();
    return FImpl->DefaultName;
}

int TPrinter::PrinterIndex() {
    Printers();
    return FIndex;
}

void TPrinter::SetPrinterIndex(int index) {
    Printers();
    if (index == -1) {
        for (size_t i = 0; i < FPrinters.size(); ++i)
            if (FPrinters[i] == FImpl->DefaultName) index = static_cast<int>(i);
    }
    if (index < 0 || index >= static_cast<int>(FPrinters.size()))
        throw EPrinter("Printer index out of range");
    if (index == FIndex) return;
    if (FPrinting) throw EPrinter("Printing in progress");
    FIndex = index;
    FImpl->QueueLoaded = false;
    LoadMetrics();
}

String TPrinter::PrinterName() {
    Printers();
    return FPrinters[static_cast<size_t>(FIndex)];
}

bool TPrinter::IsPdfPrinter() {
    return PrinterName() == PdfPrinterName;
}

const TQueueInfo& TPrinter::QueueInfo() {
    Printers();
    if (!FImpl->QueueLoaded) {
        FImpl->Queue = IsPdfPrinter() ? TQueueInfo() : ReadQueueInfo(PrinterName());
        FImpl->QueueLoaded = true;
    }
    return FImpl->Queue;
}

void TPrinter::LoadMetrics() {
    FMarginL = FMarginT = FMarginR = FMarginB = 0;
    if (FIndex >= 0) {
        // The unprintable border of the queue's device for this paper, when CUPS tells it.
        for (const TQueueMedia& m : QueueInfo().Media)
            if (std::fabs(m.WidthMM - FPaperW) < 2 && std::fabs(m.HeightMM - FPaperH) < 2) {
                FMarginL = m.Left;
                FMarginT = m.Top;
                FMarginR = m.Right;
                FMarginB = m.Bottom;
                break;
            }
    }
    // Device pixels from millimetres, each rounded as the device reports them.
    auto px = [&](double mm) { return static_cast<int>(std::lround(mm * FResolution / 25.4)); };
    bool landscape = FOrientation == poLandscape;
    double w = landscape ? FPaperH : FPaperW, h = landscape ? FPaperW : FPaperH;
    double l = landscape ? FMarginT : FMarginL, t = landscape ? FMarginR : FMarginT;
    double r = landscape ? FMarginB : FMarginR, b = landscape ? FMarginL : FMarginB;
    FImpl->Margins = QMarginsF(l, t, r, b);
    FImpl->Full = QRect(0, 0, px(w), px(h));
    FImpl->Paint = QRect(px(l), px(t), px(w) - px(l) - px(r), px(h) - px(t) - px(b));
    FImpl->Canvas->Font()->SetPixelsPerInch(FResolution);
}

int TPrinter::PageWidth() {
    return Printers(), FImpl->Paint.width();
}
int TPrinter::PageHeight() {
    return Printers(), FImpl->Paint.height();
}
int TPrinter::PaperWidth() {
    return Printers(), FImpl->Full.width();
}
int TPrinter::PaperHeight() {
    return Printers(), FImpl->Full.height();
}
int TPrinter::OffsetX() {
    return Printers(), FImpl->Paint.left() - FImpl->Full.left();
}
int TPrinter::OffsetY() {
    return Printers(), FImpl->Paint.top() - FImpl->Full.top();
}

void TPrinter::SetCopies(int copies) {
    FCopies = std::max(1, copies);
}

void TPrinter::SetOrientation(TPrinterOrientation orientation) {
    FOrientation = orientation;
    LoadMetrics();
}

void TPrinter::SetResolution(int dpi) {
    if (FPrinting) throw EPrinter("Printing in progress");
    if (dpi < 72 || dpi > 2400) return;
    FResolution = dpi;
    LoadMetrics();
}

int TPrinter::Capabilities() {
    return (1 << pcCopies) | (1 << pcOrientation) | (1 << pcCollation);
}

bool TPrinter::CanDuplex() {
    for (const String& s : QueueInfo().Sides)
        if (DuplexOfSides(s) != DMDUP_SIMPLEX) return true;
    return false;
}

int TPrinter::DefaultDuplex() {
    const String& sides = QueueInfo().DefaultSides;
    return sides.empty() ? DMDUP_SIMPLEX : DuplexOfSides(sides);
}

std::vector<TTrayInfo> TPrinter::Trays() {
    return QueueInfo().Trays;
}

String TPrinter::DefaultTray() {
    return QueueInfo().DefaultTray;
}

bool TPrinter::SetPaper(int number) {
    if (number == DMPAPER_USER) {
        SetCustomPaper(FPaperW, FPaperH);
        return true;
    }
    QPageSize::PageSizeId id = QPageSize::id(number);
    if (id == QPageSize::Custom) return false;
    QSizeF mm = QPageSize(id).size(QPageSize::Millimeter);
    FPaper = number;
    FPaperW = mm.width();
    FPaperH = mm.height();
    LoadMetrics();
    return true;
}

void TPrinter::SetCustomPaper(double widthMM, double heightMM) {
    if (widthMM <= 0 || heightMM <= 0) return;
    FPaper = DMPAPER_USER;
    FPaperW = widthMM;
    FPaperH = heightMM;
    LoadMetrics();
}

std::vector<TPaperInfo> TPrinter::Papers() {
    if (!QueueInfo().Papers.empty()) return QueueInfo().Papers;
    // The PDF printer, and queues that name no paper: the common sizes.
    std::vector<TPaperInfo> out;
    for (auto id : {QPageSize::A4, QPageSize::A3, QPageSize::A5, QPageSize::B5, QPageSize::Letter,
                    QPageSize::Legal, QPageSize::Executive}) {
        QPageSize ps(id);
        QSizeF mm = ps.size(QPageSize::Millimeter);
        int n = ps.windowsId();
        out.push_back({n > 0 && n < 256 ? n : DMPAPER_USER, FromQString(ps.name()), mm.width(), mm.height()});
    }
    return out;
}

int TPrinter::DefaultPaper() {
    return QueueInfo().DefaultPaper;
}

TCanvas* TPrinter::Canvas() {
    Printers();
    return FImpl->Canvas.get();
}

std::vector<String> TPrinter::Fonts() {
    EnsureQtApp();
    std::vector<String> out;
    for (const QString& f : QFontDatabase::families())
        out.push_back(FromQString(f));
    return out;
}

namespace {
TPrinter* CurrentPrinter = nullptr;
}

TPrinter* Printer() {
    static TPrinter printer;
    return CurrentPrinter ? CurrentPrinter : &printer;
}

TPrinter* SetPrinter(TPrinter* printer) {
    TPrinter* previous = Printer();
    CurrentPrinter = printer;
    return previous;
}
