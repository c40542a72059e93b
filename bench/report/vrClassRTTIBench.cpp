// 100,000 band events whose PascalScript handler reads Memo1.Left, writes Memo1.Text and calls
// Report.Calc, against the same work in C++ through the class records in the same run.
#include "classes/MetaProps.h"
#include "report/vrClass.h"
#include "report/vrClassBand.h"
#include "report/vrClassMemo.h"
#include "report/vrClassPage.h"
#include "report/vrUnicodeUtils.h"
#include "script/vs_iinterpreter.h"

#include <benchmark/benchmark.h>

namespace {

constexpr int Events = 100000;

// The report library starts before the report makes its script.
struct TStarted {
    TStarted() { vrStartUp(); }
};

struct TBandReport {
    TStarted Started;
    TvrReport Report{nullptr};
    TvrMemoView* Memo = nullptr;
    TBandReport() {
        auto* page = new TvrReportPage(&Report);
        page->SetName("Page1");
        auto* band = new TvrMasterData(page);
        band->SetName("MasterData1");
        Memo = new TvrMemoView(band);
        Memo->SetName("Memo1");
        Memo->SetLeft(12);
    }
};

void BM_BandEventsInPascalScript(benchmark::State& state) {
    TBandReport r;
    TvsScript* script = r.Report.ReportScript();
    r.Report.ScriptText()->SetText("procedure OnBand(Sender: TObject);\n"
                                   "var x: Extended;\n"
                                   "begin\n"
                                   "  x := Memo1.Left;\n"
                                   "  Memo1.Text := 'row';\n"
                                   "  x := x + Report.Calc('1 + 2');\n"
                                   "end;\n"
                                   "begin end.");
    if (!r.Report.PrepareScript()) {
        state.SkipWithError(r.Report.ErrorList()->Text().c_str());
        return;
    }
    const Variant args = VarArrayOf({vsObjectToVariant(r.Memo)});
    for (auto _ : state) {
        Variant result;
        for (int i = 0; i < Events; ++i)
            script->CallFunction("OnBand", args, result);
    }
    state.counters["events/s"] =
        benchmark::Counter(static_cast<double>(Events) * state.iterations(), benchmark::Counter::kIsRate);
}

void BM_BandEventsInCpp(benchmark::State& state) {
    TBandReport r;
    r.Report.PrepareScript();
    for (auto _ : state) {
        for (int i = 0; i < Events; ++i) {
            Variant x = GetPropValue(r.Memo, "Left");
            r.Memo->SetText(u"row");
            x = x.AsDouble() + r.Report.Calc("1 + 2", vrScriptCallMark()).AsDouble();
            benchmark::DoNotOptimize(x);
        }
    }
    state.counters["events/s"] =
        benchmark::Counter(static_cast<double>(Events) * state.iterations(), benchmark::Counter::kIsRate);
}

} // namespace

BENCHMARK(BM_BandEventsInPascalScript)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BandEventsInCpp)->Unit(benchmark::kMillisecond);
