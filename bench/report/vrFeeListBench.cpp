// A fee list as the application prints it: a hand-written layout of 54,000 rows (1,000 A4 pages of
// 54 framed rows under a framed column header, with a page footer "第 n 页，共 m 页"), prepared,
// printed to the PDF printer, and measured against a QPdfWriter loop drawing the same texts and
// frames in the same run. The prepare benchmark also reports the peak memory the prepared report
// took against the size of its prepared-report file.
#include "../../tests/PeakMemory.h"

#include "gui/Forms.h"
#include "report/vrClass.h"
#include "report/vrClassObjects.h"
#include "report/vrPreviewPages.h"
#include "report/vrPrinter.h"
#include "report/vrUtils.h"
#include "rtl/FileUtils.h"
#include "rtl/Format.h"
#include "rtl/Streams.h"

#include <QFont>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include <benchmark/benchmark.h>

#include <algorithm>

namespace {

// 24 units of header and 20 of footer leave 1002.93 of the 1046.93 printable units of an A4 page
// with 10 mm margins: 54 rows of 18.5.
constexpr int FeeRowsPerPage = 54;
constexpr int FeePages = 1000;
constexpr int FeeRows = FeeRowsPerPage * FeePages;
constexpr Extended FeeRowHeight = 18.5;

struct TFeeColumn {
    const char16_t* Caption;
    const char16_t* Text;
    Extended Left, Width;
};
const TFeeColumn FeeColumns[] = {
    {u"序号", u"[Line#]", 0, 60},
    {u"房号", u"A-[Line#]", 60, 120},
    {u"收费项目", u"物业管理费", 180, 240},
    {u"金额", u"[Line# #n%2.2f]", 420, 140},
    {u"备注", u"按月收取", 560, 158},
};

TvrMemoView* FramedMemo(TvrComponent* band, const String& name, const TFeeColumn& column, Extended height,
                        const char16_t* text) {
    auto* memo = new TvrMemoView(band);
    memo->SetName(name);
    memo->SetBounds(column.Left, 0, column.Width, height);
    memo->Frame()->Typ = TvrFrameTypes{ftLeft, ftRight, ftTop, ftBottom};
    memo->SetText(text);
    return memo;
}

void BuildFeeList(TvrReport& report) {
    vrStartUp();
    auto* page = new TvrReportPage(&report);
    page->SetName("Page1");
    page->SetDefaults();
    auto* header = new TvrPageHeader(page);
    header->SetName("PageHeader1");
    header->SetBounds(0, 0, 718, 24);
    auto* data = new TvrMasterData(page);
    data->SetName("MasterData1");
    data->SetBounds(0, 40, 718, FeeRowHeight);
    data->SetRowCount(FeeRows);
    int i = 0;
    for (const TFeeColumn& column : FeeColumns) {
        ++i;
        FramedMemo(header, "Caption" + IntToStr(i), column, 24, column.Caption);
        FramedMemo(data, "Cell" + IntToStr(i), column, FeeRowHeight, column.Text);
    }
    auto* footer = new TvrPageFooter(page);
    footer->SetName("PageFooter1");
    footer->SetBounds(0, 1000, 718, 20);
    auto* number = new TvrMemoView(footer);
    number->SetName("PageNumber");
    number->SetBounds(0, 0, 718, 20);
    number->SetText(u"第 [Page#] 页，共 [TotalPages#] 页");
    report.EngineOptions()->HeadlessMode = true;
    report.EngineOptions()->DestroyForms = false;
    report.EngineOptions()->NewSilentMode = simReThrow;
}

TvrReport& PreparedFeeList() {
    static TvrReport* report = [] {
        auto* r = new TvrReport(nullptr);
        BuildFeeList(*r);
        r->PrepareReport(true);
        return r;
    }();
    return *report;
}

void BM_PrepareFeeList(benchmark::State& state) {
    TvrReport report(nullptr);
    BuildFeeList(report);
    Integer pages = 0;
    long peakKb = 0;
    for (auto _ : state) {
        report.PreparedPages()->ClearAll();
        ResetPeakMemory();
        const long before = PeakMemoryKb();
        if (!report.PrepareReport(true)) state.SkipWithError("the report failed");
        peakKb = std::max(peakKb, PeakMemoryKb() - before);
        pages = report.PreparedPages()->GetPageCount();
    }
    TMemoryStream file;
    static_cast<TvrPreviewPages*>(report.PreparedPages())->WriteToStream(file);
    state.counters["pages"] = pages;
    state.counters["pages/s"] =
        benchmark::Counter(static_cast<double>(pages) * state.iterations(), benchmark::Counter::kIsRate);
    state.counters["peak MB"] = static_cast<double>(peakKb) / 1024;
    state.counters["file MB"] = static_cast<double>(file.Size()) / (1024 * 1024);
    state.counters["peak/file"] = static_cast<double>(peakKb) * 1024 / static_cast<double>(file.Size());
}
BENCHMARK(BM_PrepareFeeList)->Unit(benchmark::kMillisecond)->Iterations(3);

// The same header, framed rows and footer painted straight into a PDF file at 96 dots per inch.
void BM_FeeListPdfWriterLoop(benchmark::State& state) {
    Application();
    const String file = GetTempFileInFolder(String()) + ".pdf";
    for (auto _ : state) {
        QPdfWriter writer(QString::fromStdString(file));
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setResolution(96);
        QPainter painter(&writer);
        painter.setFont(QFont("Arial", 10));
        auto cells = [&](double top, double height, bool captions, int row) {
            for (const TFeeColumn& column : FeeColumns) {
                const QRectF box(column.Left, top, column.Width, height);
                painter.drawRect(box);
                if (captions)
                    painter.drawText(box, QString::fromUtf16(column.Caption));
                else if (column.Left == 0)
                    painter.drawText(box, QString::number(row));
                else if (column.Left == 420)
                    painter.drawText(box, QString::number(row, 'f', 2));
                else
                    painter.drawText(box, QString::fromUtf16(column.Text));
            }
        };
        for (int p = 0; p < FeePages; ++p) {
            if (p) writer.newPage();
            cells(0, 24, true, 0);
            for (int r = 0; r < FeeRowsPerPage; ++r)
                cells(24 + r * static_cast<double>(FeeRowHeight), static_cast<double>(FeeRowHeight), false,
                      p * FeeRowsPerPage + r + 1);
            painter.drawText(QRectF(0, 1026, 718, 20),
                             QStringLiteral(u"第 %1 页，共 %2 页").arg(p + 1).arg(FeePages));
        }
        painter.end();
    }
    state.counters["pdf MB"] = static_cast<double>(FileSize(file)) / (1024 * 1024);
    DeleteFile(file);
    state.counters["pages/s"] =
        benchmark::Counter(static_cast<double>(FeePages) * state.iterations(), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_FeeListPdfWriterLoop)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_PrintFeeListToPdf(benchmark::State& state) {
    Application();
    TvrReport& report = PreparedFeeList();
    const String file = GetTempFileInFolder(String()) + ".pdf";
    TvrPrintOptions& options = *report.PrintOptions();
    options.Printer = TPrinter::PdfPrinterName;
    options.ShowDialog = false;
    options.OutputFileName = file;
    for (auto _ : state)
        if (!report.PreparedPages()->SendToPrinter()) state.SkipWithError("nothing was printed");
    state.counters["pdf MB"] = static_cast<double>(FileSize(file)) / (1024 * 1024);
    DeleteFile(file);
    state.counters["pages/s"] =
        benchmark::Counter(static_cast<double>(FeePages) * state.iterations(), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_PrintFeeListToPdf)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace
