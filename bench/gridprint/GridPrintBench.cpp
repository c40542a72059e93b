// Grid printing: composing and recording 1,000 pages of a 10-column grid, printing the recorded
// pages to the PDF printer, composing the pages straight onto the PDF printer page by page (the
// print without a preview), and, as the physical limit, drawing the same texts and lines straight
// onto a QPdfWriter in the same run. Each reports the peak resident memory of its run
// ("peak MB", measured from a reset of the high-water mark before the run).
#include "../BenchJetDatabase.h"
#include "grid/DBGridGx.h"
#include "gridprint/PrViewGx.h"
#include "gridprint/PrnDbggx.h"

#include "db/ADODB.h"
#include "gui/Forms.h"
#include "rtl/Format.h"

#include <QFont>
#include <QGuiApplication>
#include <QPainter>
#include <QPdfWriter>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <stdlib.h>
#include <vector>

namespace {

constexpr int Columns = 10;
constexpr int TargetPages = 1000;

// A recorder measuring the fixed 600 dpi page of a missing printer, so the figures do not depend
// on the installed printers.
class TFixedPageRecorder : public TPrinterPreview {
public:
    bool HasPrinter() override { return false; }
    std::vector<String> Printers() override { return {}; }
};

// The process's resident memory in MB: now ("VmRSS") or at its peak since the last reset ("VmHWM").
double ResidentMb(const char* key) {
    std::FILE* f = std::fopen("/proc/self/status", "r");
    long kb = -1;
    char line[256], format[32];
    std::snprintf(format, sizeof format, "%s: %%ld kB", key);
    while (f && std::fgets(line, sizeof line, f))
        if (std::sscanf(line, format, &kb) == 1) break;
    if (f) std::fclose(f);
    return kb / 1024.0;
}

// The peak resident memory of one run, from a reset of the high-water mark at its start.
class TPeakMemory {
public:
    TPeakMemory() {
        if (std::FILE* f = std::fopen("/proc/self/clear_refs", "w")) {
            std::fputs("5", f);
            std::fclose(f);
        }
        FBase = ResidentMb("VmRSS");
    }
    // The peak, and how far it rose above what the process held when the run started.
    void Report(benchmark::State& state) const {
        const double peak = ResidentMb("VmHWM");
        state.counters["peak MB"] = peak;
        state.counters["rise MB"] = peak - FBase;
    }

private:
    double FBase = 0;
};

// The grid printer's own path when no preview is shown: every page is composed onto the PDF
// printer as it is reached, nothing is recorded.
class TPdfTarget : public TVirtualPrinter {
public:
    explicit TPdfTarget(const String& file) { FPrinter.SetOutputFile(file); }
    int Pages() const { return FPages; }
    void BeginDoc() override {
        FPages = 1;
        TVirtualPrinter::BeginDoc();
    }
    void NewPage() override {
        ++FPages;
        TVirtualPrinter::NewPage();
    }

protected:
    TPrinter* Target() override { return &FPrinter; }

private:
    TPrinter FPrinter;
    int FPages = 0;
};

struct TPrintSide {
    String Dir;
    TADOConnection Cnn;
    std::unique_ptr<TADOQuery> Q;
    TDataSource Source{nullptr};
    std::unique_ptr<TForm> Form;
    TDBGridGx* Grid = nullptr;
    std::unique_ptr<TPrintDBGridGx> Printer;
    int RowsFor1000Pages = 0;

    TPrintSide() {
        Dir = OpenBenchJetDatabase("orv_gridprintbench", Cnn);
        String create = "create table T_rows (F_ID counter";
        for (int c = 1; c <= Columns; ++c)
            create += c % 2 ? ", F_" + IntToStr(c) + " long" : ", F_" + IntToStr(c) + " text(20)";
        Cnn.Execute(create + ")");
        Cnn.BeginTrans();
        TADOCommand cmd;
        cmd.SetConnection(&Cnn);
        String names, values;
        for (int c = 1; c <= Columns; ++c) {
            names += (c > 1 ? ", F_" : "F_") + IntToStr(c);
            values += (c > 1 ? ", :p" : ":p") + IntToStr(c);
        }
        cmd.SetCommandText("insert into T_rows (" + names + ") values (" + values + ")");
        for (int i = 0; i < 70000; ++i) {
            for (int c = 1; c <= Columns; ++c)
                cmd.Parameters()
                    ->ParamByName("p" + IntToStr(c))
                    ->SetValue(c % 2 ? Variant(i * c) : Variant("R" + IntToStr(i) + "C" + IntToStr(c)));
            cmd.Execute();
        }
        Cnn.CommitTrans();
        Form = std::make_unique<TForm>(nullptr);
        Grid = new TDBGridGx(Form.get());
        Grid->SetParent(Form.get());
        Grid->Font()->SetName("Liberation Sans");
        Grid->Font()->SetSize(9);
        Grid->TitleFont()->Assign(*Grid->Font());
        Grid->SetDataSource(&Source);
        Grid->BeginLayout();
        for (int c = 1; c <= Columns; ++c) {
            TColumnGx* col = Grid->Columns()->AddColumn();
            col->SetFieldName("F_" + IntToStr(c));
            col->Title()->SetCaption("Column " + IntToStr(c));
            col->SetWidth(60);
        }
        Grid->EndLayout();
        Printer = std::make_unique<TPrintDBGridGx>(nullptr);
        Printer->SetDBGridGx(Grid);
        Printer->PageFooter()->RightText()->Add("Page &[Page]");
        // Rows per page from a small print, then the rows that fill 1,000 pages.
        Open(400);
        TFixedPageRecorder probe;
        Printer->PrintToPrinter(&probe);
        int perPage = 0;
        for (const TMetaTextRecord& r : probe.RecordedPage(1)->TextRecords())
            if (r.Text.rfind("R", 0) == 0 && r.Text.find("C2") != String::npos) ++perPage;
        RowsFor1000Pages = perPage * TargetPages;
    }
    void Open(int rows) {
        Source.SetDataSet(nullptr);
        Q = std::make_unique<TADOQuery>();
        Q->SetConnection(&Cnn);
        Q->SQL()->SetText("select * from T_rows where F_ID <= " + IntToStr(rows) + " order by F_ID");
        Q->Open();
        Source.SetDataSet(Q.get());
    }
};

TPrintSide& Side() {
    static TPrintSide* side = [] {
        auto* s = new TPrintSide;
        static String dir = s->Dir;
        std::atexit([] { std::filesystem::remove_all(dir); });
        return s;
    }();
    return *side;
}

// Composing and printing at once, as a print without the preview does: the whole road from the
// data set to the PDF file, to be held against the QPdfWriter loop below.
void BM_ComposeStraightToPdfPrinter(benchmark::State& state) {
    TPrintSide& side = Side();
    side.Open(side.RowsFor1000Pages);
    int pages = 0;
    TPeakMemory memory;
    for (auto _ : state) {
        TPdfTarget target(side.Dir + "/straight.pdf");
        side.Printer->PrintToPrinter(&target);
        pages = target.Pages();
    }
    memory.Report(state);
    state.counters["pages"] = pages;
}
BENCHMARK(BM_ComposeStraightToPdfPrinter)->Unit(benchmark::kMillisecond)->Iterations(1);

// The recorded pages of one full print, kept for the printing benchmarks.
TFixedPageRecorder& Recorded() {
    static TFixedPageRecorder* rec = [] {
        auto* r = new TFixedPageRecorder;
        Side().Open(Side().RowsFor1000Pages);
        Side().Printer->PrintToPrinter(r);
        return r;
    }();
    return *rec;
}

void BM_ComposeAndRecord1000Pages(benchmark::State& state) {
    TPrintSide& side = Side();
    side.Open(side.RowsFor1000Pages);
    int pages = 0;
    TPeakMemory memory;
    for (auto _ : state) {
        TFixedPageRecorder rec;
        side.Printer->PrintToPrinter(&rec);
        pages = rec.RecordedPageCount();
    }
    memory.Report(state);
    state.counters["pages"] = pages;
    state.counters["pages/s"] =
        benchmark::Counter(pages * static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_ComposeAndRecord1000Pages)->Unit(benchmark::kMillisecond)->Iterations(1);

// The recorded pages drawn on the PDF printer, as the preview prints them.
void BM_RecordedPagesToPdfPrinter(benchmark::State& state) {
    TFixedPageRecorder& rec = Recorded();
    TPrinter printer;
    printer.SetOutputFile(Side().Dir + "/ours.pdf");
    TPeakMemory memory;
    for (auto _ : state) {
        printer.BeginDoc();
        for (int n = 1; n <= rec.RecordedPageCount(); ++n) {
            if (n > 1) printer.NewPage();
            rec.DrawPage(printer.Canvas(), n);
        }
        printer.EndDoc();
    }
    memory.Report(state);
    state.counters["pages"] = rec.RecordedPageCount();
}
BENCHMARK(BM_RecordedPagesToPdfPrinter)->Unit(benchmark::kMillisecond)->Iterations(1);

// The physical limit: the same texts at the same places and one line per row and column,
// drawn straight onto a QPdfWriter at 600 dpi.
void BM_SameTextsStraightOnQPdfWriter(benchmark::State& state) {
    TFixedPageRecorder& rec = Recorded();
    struct TText {
        int X, Y;
        QString Text;
    };
    std::vector<std::vector<TText>> pages;
    for (int n = 1; n <= rec.RecordedPageCount(); ++n) {
        std::vector<TText> texts;
        for (const TMetaTextRecord& r : rec.RecordedPage(n)->TextRecords())
            texts.push_back({r.X, r.Y, QString::fromStdString(r.Text)});
        pages.push_back(std::move(texts));
    }
    QString file = QString::fromStdString(Side().Dir + "/reference.pdf");
    TPeakMemory memory;
    for (auto _ : state) {
        QPdfWriter writer(file);
        writer.setResolution(600);
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setPageMargins(QMarginsF(0, 0, 0, 0));
        QPainter p(&writer);
        QFont font("Liberation Sans");
        font.setPointSize(9);
        p.setFont(font);
        int ascent = p.fontMetrics().ascent();
        for (size_t n = 0; n < pages.size(); ++n) {
            if (n > 0) writer.newPage();
            for (const TText& t : pages[n]) {
                p.drawText(t.X, t.Y + ascent, t.Text);
                p.drawLine(t.X, t.Y, t.X + 300, t.Y);
            }
        }
        p.end();
    }
    memory.Report(state);
    state.counters["pages"] = static_cast<double>(pages.size());
}
BENCHMARK(BM_SameTextsStraightOnQPdfWriter)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace
