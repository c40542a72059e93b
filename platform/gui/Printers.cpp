#include "gui/Printers.h"

#include "gui/CupsLibrary.h"
#include "gui/qt/PainterCanvas.h"
#include "gui/qt/QtSupport.h"
#include "rtl/FileUtils.h"

#include <QFontDatabase>
#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <unistd.h>

const char* const TPrinter::PdfPrinterName = "PDF";

namespace {

String SafeFileName(const String& title) {
    String s = title.empty() ? String("document") : title;
    for (char& c : s)
        if (c == '/' || c == '\\' || c == ':' || c == '*' || c == '?' || c == '"' || c == '<' || c == '>' ||
            c == '|')
            c = '_';
    return s;
}

// Queues known to CUPS, with the default one; none when no CUPS service answers.
std::vector<String> CupsQueues(String& defaultName) {
    std::vector<String> names;
    const TCupsLibrary* cups = CupsLibrary();
    if (!cups) return names;
    cups_dest_t* dests = nullptr;
    int n = cups->GetDests2(CUPS_HTTP_DEFAULT, &dests);
    for (int i = 0; i < n; ++i) {
        String name = dests[i].name;
        if (dests[i].instance) name += String("/") + dests[i].instance;
        names.push_back(name);
        if (dests[i].is_default) defaultName = name;
    }
    cups->FreeDests(n, dests);
    return names;
}

// The library for a job on a print queue (queues come from it, so it is there).
const TCupsLibrary& QueueLibrary() {
    const TCupsLibrary* cups = CupsLibrary();
    if (!cups) throw EPrinter("Printing failed: the print service's library is not installed");
    return *cups;
}

QPageSize PageSizeOf(int paper, double w, double h) {
    if (paper != DMPAPER_USER) {
        QPageSize::PageSizeId id = QPageSize::id(paper);
        if (id != QPageSize::Custom) return QPageSize(id);
    }
    return QPageSize(QSizeF(w, h), QPageSize::Millimeter, QString(), QPageSize::ExactMatch);
}

} // namespace

// The printer's canvas: paints on the document while one is open; measures at the printer's
// resolution always.
class TPrinterCanvas : public TPainterCanvas {
public:
    explicit TPrinterCanvas(TPrinter* owner) : FOwner(owner) {}
    QPrinter* Device = nullptr; // set while a document is open

protected:
    std::unique_ptr<QPainter> BeginPaint() override {
        if (!Device) return nullptr;
        return std::make_unique<QPainter>(Device);
    }
    int Resolution() override { return FOwner->Resolution(); }
    int DevCaps(int index) override {
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
    TSize DevSize() override { return {FOwner->PageWidth(), FOwner->PageHeight()}; }

private:
    TPrinter* FOwner;
};

struct TPrinter::Impl {
    std::unique_ptr<TPrinterCanvas> Canvas;
    std::unique_ptr<QPrinter> Device;
    String DefaultName;
    String Target;        // the file the document is written to
    bool ToQueue = false; // the file goes to a CUPS queue afterwards
    // RAW documents
    std::FILE* RawFile = nullptr;
    int RawJob = 0;
    // metrics in device pixels
    QRect Full;
    QRect Paint;
    QMarginsF Margins; // mm, of the oriented page
};

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
    if (FPrinting) throw EPrinter("Printing in progress");
    Printers();
    if (index == -1) {
        for (size_t i = 0; i < FPrinters.size(); ++i)
            if (FPrinters[i] == FImpl->DefaultName) index = static_cast<int>(i);
    }
    if (index < 0 || index >= static_cast<int>(FPrinters.size()))
        throw EPrinter("Printer index out of range");
    FIndex = index;
    LoadMetrics();
}

String TPrinter::PrinterName() {
    Printers();
    return FPrinters[static_cast<size_t>(FIndex)];
}

bool TPrinter::IsPdfPrinter() {
    return PrinterName() == PdfPrinterName;
}

void TPrinter::LoadMetrics() {
    FMarginL = FMarginT = FMarginR = FMarginB = 0;
    if (FIndex >= 0 && FPrinters[static_cast<size_t>(FIndex)] != PdfPrinterName) {
        // The unprintable border of the queue's device for this paper, when CUPS tells it.
        const String& name = FPrinters[static_cast<size_t>(FIndex)];
        const TCupsLibrary& cups = QueueLibrary();
        cups_dest_t* dest = cups.GetNamedDest(CUPS_HTTP_DEFAULT, name.c_str(), nullptr);
        if (dest) {
            cups_dinfo_t* info = cups.CopyDestInfo(CUPS_HTTP_DEFAULT, dest);
            cups_size_t size;
            if (info &&
                cups.GetDestMediaBySize(CUPS_HTTP_DEFAULT, dest, info, static_cast<int>(FPaperW * 100),
                                        static_cast<int>(FPaperH * 100), CUPS_MEDIA_FLAGS_DEFAULT, &size)) {
                FMarginL = size.left / 100.0;
                FMarginR = size.right / 100.0;
                FMarginT = size.top / 100.0;
                FMarginB = size.bottom / 100.0;
            }
            if (info) cups.FreeDestInfo(info);
            cups.FreeDests(1, dest);
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
    if (FPrinting) throw EPrinter("Printing in progress");
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
    std::vector<TPaperInfo> out;
    auto add = [&](QPageSize::PageSizeId id) {
        QPageSize ps(id);
        QSizeF mm = ps.size(QPageSize::Millimeter);
        int n = ps.windowsId();
        out.push_back({n > 0 && n < 256 ? n : DMPAPER_USER, FromQString(ps.name()), mm.width(), mm.height()});
    };
    if (!IsPdfPrinter()) {
        const TCupsLibrary& cups = QueueLibrary();
        cups_dest_t* dest = cups.GetNamedDest(CUPS_HTTP_DEFAULT, PrinterName().c_str(), nullptr);
        if (dest) {
            cups_dinfo_t* info = cups.CopyDestInfo(CUPS_HTTP_DEFAULT, dest);
            int n =
                info ? cups.GetDestMediaCount(CUPS_HTTP_DEFAULT, dest, info, CUPS_MEDIA_FLAGS_DEFAULT) : 0;
            for (int i = 0; i < n; ++i) {
                cups_size_t size;
                if (!cups.GetDestMediaByIndex(CUPS_HTTP_DEFAULT, dest, info, i, CUPS_MEDIA_FLAGS_DEFAULT,
                                              &size))
                    continue;
                QPageSize ps(QSizeF(size.width / 100.0, size.length / 100.0), QPageSize::Millimeter);
                int number = ps.windowsId();
                out.push_back({number > 0 && number < 256 ? number : DMPAPER_USER, size.media,
                               size.width / 100.0, size.length / 100.0});
            }
            if (info) cups.FreeDestInfo(info);
            cups.FreeDests(1, dest);
        }
        if (!out.empty()) return out;
    }
    for (auto id : {QPageSize::A4, QPageSize::A3, QPageSize::A5, QPageSize::B5, QPageSize::Letter,
                    QPageSize::Legal, QPageSize::Executive})
        add(id);
    return out;
}

String TPrinter::PdfTarget() {
    if (!FOutputFile.empty()) return FOutputFile;
    return GetTempDir() + SafeFileName(FTitle) + ".pdf";
}

TCanvas* TPrinter::Canvas() {
    Printers();
    return FImpl->Canvas.get();
}

void TPrinter::BeginDoc() {
    if (FPrinting) throw EPrinter("Printing in progress");
    Printers();
    EnsureQtApp();
    LoadMetrics();
    bool toFile = IsPdfPrinter() || !FOutputFile.empty();
    FImpl->ToQueue = !toFile;
    FImpl->Target =
        toFile ? PdfTarget() : GetTempDir() + "orvanta-print-" + std::to_string(::getpid()) + ".pdf";
    auto device = std::make_unique<QPrinter>(QPrinter::HighResolution);
    device->setOutputFormat(QPrinter::PdfFormat);
    device->setOutputFileName(ToQString(FImpl->Target));
    device->setResolution(FResolution);
    device->setDocName(ToQString(FTitle));
    device->setFullPage(false);
    device->setPageLayout(
        QPageLayout(PageSizeOf(FPaper, FPaperW, FPaperH),
                    FOrientation == poLandscape ? QPageLayout::Landscape : QPageLayout::Portrait,
                    FImpl->Margins, QPageLayout::Millimeter));
    FImpl->Device = std::move(device);
    FImpl->Canvas->Device = FImpl->Device.get();
    FPrinting = true;
    FAborted = false;
    FPageNumber = 1;
    if (!FImpl->Canvas->ActivePainter()) {
        FImpl->Canvas->Device = nullptr;
        FImpl->Device.reset();
        FPrinting = false;
        FPageNumber = 0;
        throw EPrinter("Cannot start the document on " + PrinterName() + " (" + FImpl->Target + ")");
    }
}

void TPrinter::NewPage() {
    if (!FPrinting) throw EPrinter("Printer is not currently printing");
    FImpl->Device->newPage();
    ++FPageNumber;
}

void TPrinter::EndDoc() {
    if (!FPrinting) throw EPrinter("Printer is not currently printing");
    FImpl->Canvas->ReleasePainter();
    FImpl->Canvas->Device = nullptr;
    FImpl->Device.reset();
    FPrinting = false;
    FPageNumber = 0;
    if (!FImpl->ToQueue) {
        FLastOutputFile = FImpl->Target;
        return;
    }
    FLastOutputFile.clear();
    const TCupsLibrary& cups = QueueLibrary();
    int options = 0;
    cups_option_t* opts = nullptr;
    options = cups.AddOption("copies", std::to_string(FCopies).c_str(), options, &opts);
    const char* sides = FDuplex == DMDUP_VERTICAL     ? "two-sided-long-edge"
                        : FDuplex == DMDUP_HORIZONTAL ? "two-sided-short-edge"
                                                      : "one-sided";
    options = cups.AddOption("sides", sides, options, &opts);
    String title = FTitle.empty() ? String("document") : FTitle;
    int job = cups.PrintFile2(CUPS_HTTP_DEFAULT, PrinterName().c_str(), FImpl->Target.c_str(), title.c_str(),
                              options, opts);
    cups.FreeOptions(options, opts);
    std::error_code ec;
    std::filesystem::remove(FImpl->Target, ec);
    if (job == 0) throw EPrinter(String("Printing failed: ") + cups.LastErrorString());
}

void TPrinter::Abort() {
    if (!FPrinting) return;
    FAborted = true;
    FImpl->Canvas->ReleasePainter();
    FImpl->Canvas->Device = nullptr;
    FImpl->Device.reset();
    FPrinting = false;
    FPageNumber = 0;
    std::error_code ec;
    std::filesystem::remove(FImpl->Target, ec);
}

void TPrinter::BeginRawDoc() {
    if (FPrinting) throw EPrinter("Printing in progress");
    Printers();
    bool toFile = IsPdfPrinter() || !FOutputFile.empty();
    if (toFile) {
        String target = !FOutputFile.empty() ? FOutputFile : GetTempDir() + SafeFileName(FTitle) + ".prn";
        FImpl->RawFile = std::fopen(target.c_str(), "wb");
        if (!FImpl->RawFile) throw EPrinter("Cannot create " + target);
        FImpl->Target = target;
    } else {
        String title = FTitle.empty() ? String("document") : FTitle;
        const TCupsLibrary& cups = QueueLibrary();
        int options = 0;
        cups_option_t* opts = nullptr;
        options = cups.AddOption("raw", "true", options, &opts);
        int job = cups.CreateJob(CUPS_HTTP_DEFAULT, PrinterName().c_str(), title.c_str(), options, opts);
        cups.FreeOptions(options, opts);
        if (job == 0) throw EPrinter(String("Printing failed: ") + cups.LastErrorString());
        if (cups.StartDocument(CUPS_HTTP_DEFAULT, PrinterName().c_str(), job, title.c_str(), CUPS_FORMAT_RAW,
                               1) != HTTP_STATUS_CONTINUE) {
            cups.CancelJob(PrinterName().c_str(), job);
            throw EPrinter(String("Printing failed: ") + cups.LastErrorString());
        }
        FImpl->RawJob = job;
        FImpl->Target.clear();
    }
    FRaw = true;
    FPrinting = true;
    FAborted = false;
}

void TPrinter::WriteRaw(const void* data, size_t size) {
    if (!FRaw) throw EPrinter("Printer is not currently printing");
    if (size == 0) return;
    if (FImpl->RawFile) {
        if (std::fwrite(data, 1, size, FImpl->RawFile) != size)
            throw EPrinter("Cannot write " + FImpl->Target);
    } else {
        QueueLibrary().WriteRequestData(CUPS_HTTP_DEFAULT, static_cast<const char*>(data), size);
    }
}

void TPrinter::EndRawDoc() {
    if (!FRaw) throw EPrinter("Printer is not currently printing");
    FRaw = false;
    FPrinting = false;
    if (FImpl->RawFile) {
        bool ok = std::fclose(FImpl->RawFile) == 0;
        FImpl->RawFile = nullptr;
        FLastOutputFile = FImpl->Target;
        if (!ok) throw EPrinter("Cannot write " + FImpl->Target);
        return;
    }
    FLastOutputFile.clear();
    const TCupsLibrary& cups = QueueLibrary();
    ipp_status_t status = cups.FinishDocument(CUPS_HTTP_DEFAULT, PrinterName().c_str());
    FImpl->RawJob = 0;
    if (status > IPP_STATUS_OK_CONFLICTING)
        throw EPrinter(String("Printing failed: ") + cups.LastErrorString());
}

void TPrinter::AbortRawDoc() {
    if (!FRaw) return;
    FRaw = false;
    FPrinting = false;
    FAborted = true;
    if (FImpl->RawFile) {
        std::fclose(FImpl->RawFile);
        FImpl->RawFile = nullptr;
        std::error_code ec;
        std::filesystem::remove(FImpl->Target, ec);
    } else if (FImpl->RawJob) {
        const TCupsLibrary& cups = QueueLibrary();
        cups.FinishDocument(CUPS_HTTP_DEFAULT, PrinterName().c_str());
        cups.CancelJob(PrinterName().c_str(), FImpl->RawJob);
        FImpl->RawJob = 0;
    }
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
