// Preparing a 1,000-page list report through the engine into the prepared-pages store, against
// the same rows written straight to a PDF file with the toolkit's painter in the same run.
#include "ListReport.h"

#include "gui/Forms.h"
#include "report/vrUtils.h"
#include "rtl/FileUtils.h"
#include "rtl/Format.h"

#include <QFont>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include <benchmark/benchmark.h>

namespace {

void BM_PrepareListReport(benchmark::State& state) {
    TvrReport report(nullptr);
    BuildListReport(report);
    Integer pages = 0;
    for (auto _ : state) {
        if (!report.PrepareReport(true)) state.SkipWithError("the report failed");
        pages = report.PreparedPages()->GetPageCount();
    }
    state.counters["pages"] = pages;
    state.counters["pages/s"] =
        benchmark::Counter(static_cast<double>(pages) * state.iterations(), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_PrepareListReport)->Unit(benchmark::kMillisecond)->Iterations(3);

// The same rows and texts painted straight into a PDF file, a page every 52 rows.
void BM_PdfWriterLoop(benchmark::State& state) {
    Application();
    const String file = GetTempFileInFolder(String()) + ".pdf";
    for (auto _ : state) {
        QPdfWriter writer(QString::fromStdString(file));
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setResolution(96);
        QPainter painter(&writer);
        painter.setFont(QFont("Arial", 10));
        for (int row = 1; row <= RowCount; ++row) {
            const int y = ((row - 1) % RowsPerPage) * 20;
            painter.drawText(QRectF(0, y, 190, 20), QString::number(row));
            painter.drawText(QRectF(200, y, 190, 20), QStringLiteral(u"收费项目 物业管理费"));
            painter.drawText(QRectF(400, y, 190, 20), QString::number(row, 'f', 2));
            if (row % RowsPerPage == 0 && row < RowCount) writer.newPage();
        }
        painter.end();
    }
    DeleteFile(file);
    state.counters["pages/s"] =
        benchmark::Counter(static_cast<double>(PageCount) * state.iterations(), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_PdfWriterLoop)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace
