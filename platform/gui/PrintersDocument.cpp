// The printer's documents: pages drawn into a PDF file, which the PDF printer keeps and a queue
// receives as one job per run of pages with the same tray and duplex.
#include "gui/Printers.h"

#include "gui/qt/PrinterImpl.h"
#include "gui/qt/QtSupport.h"
#include "rtl/FileUtils.h"
#include "rtl/ScopeGuards.h"

#include <QPageLayout>
#include <QPageSize>

#include <filesystem>
#include <unistd.h>

String SafeFileName(const String& title) {
    String s = title.empty() ? String("document") : title;
    for (char& c : s)
        if (c == '/' || c == '\\' || c == ':' || c == '*' || c == '?' || c == '"' || c == '<' || c == '>' ||
            c == '|')
            c = '_';
    return s;
}

namespace {

QPageSize PageSizeOf(int paper, double w, double h) {
    if (paper != DMPAPER_USER) {
        QPageSize::PageSizeId id = QPageSize::id(paper);
        if (id != QPageSize::Custom) return QPageSize(id);
    }
    return QPageSize(QSizeF(w, h), QPageSize::Millimeter, QString(), QPageSize::ExactMatch);
}

void RemoveFile(const String& name) {
    std::error_code ec;
    std::filesystem::remove(name, ec);
}

} // namespace

String TPrinter::PdfTarget() {
    if (!FOutputFile.empty()) return FOutputFile;
    return GetTempDir() + SafeFileName(FTitle) + ".pdf";
}

void TPrinter::BeginDoc() {
    if (FPrinting) throw EPrinter("Printing in progress");
    Printers();
    EnsureQtApp();
    LoadMetrics();
    FImpl->ToQueue = !IsPdfPrinter() && FOutputFile.empty();
    FPrinting = true;
    FAborted = false;
    FPageNumber = 1;
    OpenPart();
}

void TPrinter::OpenPart() {
    static int parts = 0;
    FImpl->Target = FImpl->ToQueue ? GetTempDir() + "orvanta-print-" + std::to_string(::getpid()) + "-" +
                                         std::to_string(++parts) + ".pdf"
                                   : PdfTarget();
    FImpl->PartOptions = {FCopies, FDuplex, FTray};
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
    if (!FImpl->Canvas->ActivePainter()) {
        const String target = FImpl->Target;
        ResetDocument();
        throw EPrinter("Cannot start the document on " + PrinterName() + " (" + target + ")");
    }
}

void TPrinter::SendPart() {
    FImpl->Canvas->ReleasePainter();
    FImpl->Canvas->Device = nullptr;
    FImpl->Device.reset();
    if (!FImpl->ToQueue) return;
    const TScopeExit removeFile([this] { RemoveFile(FImpl->Target); });
    SendPdfJob(PrinterName(), FImpl->Target, FTitle.empty() ? String("document") : FTitle, QueueInfo(),
               FImpl->PartOptions);
}

void TPrinter::ResetDocument() {
    FImpl->Canvas->ReleasePainter();
    FImpl->Canvas->Device = nullptr;
    FImpl->Device.reset();
    FPrinting = false;
    FPageNumber = 0;
}

void TPrinter::NewPage() {
    if (!FPrinting || FRaw) throw EPrinter("Printer is not currently printing");
    ++FPageNumber;
    if (FImpl->ToQueue && (FDuplex != FImpl->PartOptions.Duplex || FTray != FImpl->PartOptions.Tray)) {
        // The queue takes tray and duplex per job: the pages so far go, the next ones follow.
        const TScopeExit resetOnFailure([this] {
            if (std::uncaught_exceptions()) ResetDocument();
        });
        SendPart();
        OpenPart();
        return;
    }
    // The next page takes the paper and orientation set since the last one.
    const QPageLayout layout(PageSizeOf(FPaper, FPaperW, FPaperH),
                             FOrientation == poLandscape ? QPageLayout::Landscape : QPageLayout::Portrait,
                             FImpl->Margins, QPageLayout::Millimeter);
    if (!layout.isEquivalentTo(FImpl->Device->pageLayout())) FImpl->Device->setPageLayout(layout);
    FImpl->Device->newPage();
}

void TPrinter::EndDoc() {
    if (!FPrinting || FRaw) throw EPrinter("Printer is not currently printing");
    const TScopeExit reset([this] { ResetDocument(); });
    SendPart();
    FLastOutputFile = FImpl->ToQueue ? String() : FImpl->Target;
}

void TPrinter::Abort() {
    if (!FPrinting || FRaw) return;
    FAborted = true;
    ResetDocument();
    RemoveFile(FImpl->Target);
}
