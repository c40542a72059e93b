// Preparing a 1,000-page list report through the engine into the prepared-pages store, against
// the same rows written straight to a PDF file with the toolkit's painter in the same run.
#include "gui/Forms.h"
#include "report/vrClass.h"
#include "report/vrClassObjects.h"
#include "report/vrUtils.h"
#include "rtl/CodePage.h"
#include "rtl/FileUtils.h"
#include "rtl/Format.h"

#include <QFont>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include <benchmark/benchmark.h>

namespace {

// 52 rows of 20 units fill the 1046.93 printable units of an A4 page with 10 mm margins.
constexpr int RowsPerPage = 52;
constexpr int PageCount = 1000;
constexpr int RowCount = RowsPerPage * PageCount;

void BuildLayout(TvrReport& Report) {
    vrStartUp();
    auto* page = new TvrReportPage(&Report);
    page->SetName("Page1");
    page->SetDefaults();
    auto* data = new TvrMasterData(page);
    data->SetName("MasterData1");
    data->SetBounds(0, 100, 718, 20);
    data->SetRowCount(RowCount);
    const char16_t* texts[] = {u"[Line#]", u"收费项目 物业管理费", u"[Line# #n%2.2f]"};
    for (int i = 0; i < 3; ++i) {
        auto* memo = new TvrMemoView(data);
        memo->SetName("Memo" + IntToStr(i + 1));
        memo->SetBounds(i * 200, 0, 190, 20);
        memo->SetText(texts[i]);
    }
    Report.EngineOptions()->HeadlessMode = true;
    Report.EngineOptions()->DestroyForms = false;
    Report.EngineOptions()->NewSilentMode = simReThrow;
}

void BM_PrepareListReport(benchmark::State& state) {
    TvrReport report(nullptr);
    BuildLayout(report);
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
