// The grid text search over the 100,000-row query of the grid benchmarks against a plain loop over the same
// records, in the same run: "<All>" columns, a text that is in no cell, so both walk every record. The plain
// loop reads the same fields' AsString and looks for the text in each; the difference is what the search adds
// (its column walk, disabled controls and the saved position).
#include "grid/DBGridGx.h"
#include "grid/DBGridGxFindDlgs.h"

#include "GridBenchSide.h"

#include <benchmark/benchmark.h>

#include <vector>

namespace {

using namespace gridbench;

const char* const Missing = "no such text";

void BM_SearchGridText_AllColumnsNoMatch(benchmark::State& state) {
    TGridSide& s = GridSide();
    s.Open();
    for (auto _ : state) {
        bool found = SearchGridText(s.Grid, "", Missing, gsoAllColumnsGx, gsdAllGx, gsmAnyPartGx, 0);
        benchmark::DoNotOptimize(found);
    }
    state.SetItemsProcessed(state.iterations() * Rows);
}
BENCHMARK(BM_SearchGridText_AllColumnsNoMatch)->Unit(benchmark::kMillisecond);

void BM_PlainAsStringLoop_NoMatch(benchmark::State& state) {
    TGridSide& s = GridSide();
    s.Open();
    TDataSet* ds = s.Q.get();
    std::vector<TField*> fields;
    for (int i = 0; i < s.Grid->VisibleColumns().Count(); ++i)
        fields.push_back(s.Grid->VisibleColumns().ColumnAt(i)->Field());
    const String text = Missing;
    for (auto _ : state) {
        bool found = false;
        ds->DisableControls();
        for (ds->First(); !ds->Eof() && !found; ds->Next())
            for (TField* f : fields)
                if (f->AsString().find(text) != String::npos) found = true;
        ds->First();
        ds->EnableControls();
        benchmark::DoNotOptimize(found);
    }
    state.SetItemsProcessed(state.iterations() * Rows);
}
BENCHMARK(BM_PlainAsStringLoop_NoMatch)->Unit(benchmark::kMillisecond);

} // namespace
