// Printing the engine benchmark's 1,000-page list report to the PDF printer, against painting the
// same prepared pages through PaintPage onto a QPdfWriter at the printer's resolution in the same
// run: what the print job adds (papers, pages, the printer layer's document) over the drawing.
#include "ListReport.h"

#include "gui/Forms.h"
#include "gui/qt/PainterCanvas.h"
#include "report/vrPreviewPages.h"
#include "report/vrPrinter.h"
#include "report/vrUtils.h"
#include "rtl/FileUtils.h"

#include <QPageSize>
#include <QPdfWriter>

#include <benchmark/benchmark.h>

namespace {

constexpr int Dpi = 600;

// A canvas on a PDF writer that takes itself for a printer's, as the PDF printer's canvas does.
class TPdfWriterCanvas : public TPainterCanvas {
public:
    explicit TPdfWriterCanvas(QPdfWriter* writer) : FWriter(writer) {}

protected:
    std::unique_ptr<QPainter> BeginPaint() override { return std::make_unique<QPainter>(FWriter); }
    int Resolution() override { return Dpi; }
    int DevCaps(int index) override {
        switch (index) {
        case TECHNOLOGY:
            return DT_RASPRINTER;
        case LOGPIXELSX:
        case LOGPIXELSY:
            return Dpi;
        default:
            return TPainterCanvas::DevCaps(index);
        }
    }
    TSize DevSize() override { return {4961, 7016}; } // A4 at 600 dpi

private:
    QPdfWriter* FWriter;
};

// The report prepared once for both benchmarks.
TvrReport& PreparedListReport() {
    static TvrReport* report = [] {
        auto* r = new TvrReport(nullptr);
        BuildListReport(*r);
        r->PrepareReport(true);
        return r;
    }();
    return *report;
}

void BM_PrintListReportToPdf(benchmark::State& state) {
    Application();
    TvrReport& report = PreparedListReport();
    const String file = GetTempFileInFolder(String()) + ".pdf";
    TvrPrintOptions& options = *report.PrintOptions();
    options.Printer = TPrinter::PdfPrinterName;
    options.ShowDialog = false;
    options.OutputFileName = file;
    for (auto _ : state)
        if (!report.PreparedPages()->SendToPrinter()) state.SkipWithError("nothing was printed");
    DeleteFile(file);
    state.counters["pages/s"] =
        benchmark::Counter(static_cast<double>(PageCount) * state.iterations(), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_PrintListReportToPdf)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_PaintPagesOnPdfWriter(benchmark::State& state) {
    Application();
    auto* pages = static_cast<TvrPreviewPages*>(PreparedListReport().PreparedPages());
    const String file = GetTempFileInFolder(String()) + ".pdf";
    const Extended scale = Dpi / 96.0L;
    for (auto _ : state) {
        QPdfWriter writer(QString::fromStdString(file));
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setPageMargins(QMarginsF(0, 0, 0, 0));
        writer.setResolution(Dpi);
        TPdfWriterCanvas canvas(&writer);
        for (Integer i = 0; i < pages->GetPageCount(); ++i) {
            if (i) writer.newPage();
            pages->PaintPage(i, &canvas, scale, scale, 0, 0);
            pages->ClearPageCache();
        }
        canvas.ReleasePainter();
    }
    DeleteFile(file);
    state.counters["pages/s"] =
        benchmark::Counter(static_cast<double>(PageCount) * state.iterations(), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_PaintPagesOnPdfWriter)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace
