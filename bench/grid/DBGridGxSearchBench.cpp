// The grid text search over a 100,000-row query against a plain loop over the same records, in the
// same run: "<All>" columns, a text that is in no cell, so both walk every record. The plain loop
// reads the same fields' AsString and looks for the text in each; the difference is what the
// search adds (its column walk, disabled controls and the saved position).
#include "grid/DBGridGx.h"
#include "grid/DBGridGxFindDlgs.h"

#include "GridBenchRows.h"

#include "db/ADODB.h"
#include "gui/Forms.h"
#include "rtl/Format.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>

#include <cstdlib>
#include <stdlib.h>

namespace {

constexpr int Rows = 100000;
const char* const Missing = "no such text";

struct TSearchSide {
    String Dir;
    TADOConnection Cnn;
    std::unique_ptr<TADOQuery> Q;
    TDataSource Source{nullptr};
    std::unique_ptr<TForm> Form;
    TDBGridGx* Grid = nullptr;

    TSearchSide() {
        Dir = CreateGridBenchRows(Cnn, "/tmp/orv_gridsearchbench_XXXXXX", Rows);
        Q = std::make_unique<TADOQuery>();
        Q->SetConnection(&Cnn);
        Q->SQL()->SetText("select F_ID, F_code, F_name, F_price, F_n from T_page order by F_ID");
        Q->Open();
        Source.SetDataSet(Q.get());
        Form = std::make_unique<TForm>(nullptr);
        Form->SetBounds(0, 0, 800, 600);
        Grid = new TDBGridGx(Form.get());
        Grid->SetParent(Form.get());
        Grid->SetBounds(0, 0, 800, 600);
        Grid->SetDataSource(&Source);
        Form->Show();
        Application()->ProcessMessages();
    }
};

TSearchSide& SearchSide() {
    static TSearchSide* side = [] {
        auto* s = new TSearchSide;
        static String dir = s->Dir;
        std::atexit([] { std::filesystem::remove_all(dir); });
        return s;
    }();
    return *side;
}

void BM_SearchGridText_AllColumnsNoMatch(benchmark::State& state) {
    TSearchSide& s = SearchSide();
    for (auto _ : state) {
        bool found = SearchGridText(s.Grid, "", Missing, gsoAllColumnsGx, gsdAllGx, gsmAnyPartGx, 0);
        benchmark::DoNotOptimize(found);
    }
    state.SetItemsProcessed(state.iterations() * Rows);
}
BENCHMARK(BM_SearchGridText_AllColumnsNoMatch)->Unit(benchmark::kMillisecond);

void BM_PlainAsStringLoop_NoMatch(benchmark::State& state) {
    TSearchSide& s = SearchSide();
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
