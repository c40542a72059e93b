// The house list on an estate of 20,000 houses: opening it (the list statement, the grid's rows and
// the footer sum) and the re-run of one keystroke in the search box, against sqlite3 stepping the
// same statement over every column in the same run. Goal: within 3x of the bare loop.
#include "BareSqliteStep.h"
#include "app/RegisterSeed.h"
#include "app/core/DataDm.h"
#include "app/core/DefaultDatabase.h"
#include "app/core/PubUnit.h"
#include "app/registers/ListSearchPanel.h"
#include "app/registers/uFrmFCinfoGL.h"

#include "db/ADODB.h"
#include "db/JetSql.h"
#include "grid/DBGridGx.h"
#include "gui/ComCtrls.h"
#include "gui/ExtCtrls.h"
#include "gui/StdCtrls.h"
#include "rtl/FileUtils.h"

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <cstdlib>
#include <filesystem>
#include <memory>

namespace {

constexpr int HousesPerEstate = 20000;

// A program folder with the default database, seeded with two estates of 20,000 houses each, the
// program's data module and the house list on the first estate (every state listed).
struct THouseListSide {
    String Folder;
    std::unique_ptr<TfrmFCinfoGL> List;

    THouseListSide() {
        char pattern[] = "/tmp/orv_houselist_XXXXXX";
        Folder = IncludeTrailingPathDelimiter(mkdtemp(pattern));
        CreateDefaultDatabase(Folder + "data/");
        SetProgramFolder(Folder);
        dmData = new TdmData(nullptr);
        dmData->DataModuleCreate();
        seed::SeedRegisters(dmData->ADOcnn(), 2 * HousesPerEstate);
        dmData->ReadDecimalPlaces(DecAmount, DecPrice, DecTotal);
        BuildDisplayFormats();
        List = std::make_unique<TfrmFCinfoGL>(nullptr);
        List->SetBounds(0, 0, 1200, 700);
        List->Show();
        for (int i = 0; i < List->tvTree->Items()->Count(); ++i)
            if (List->tvTree->Items()->Item(i)->Text() == seed::EstateA)
                List->tvTree->SetSelected(List->tvTree->Items()->Item(i));
        List->RadioGroup1->SetItemIndex(3);
    }
    // Opens the list as a double click on the estate does, and paints the grid with its footer.
    void Open() {
        List->RefreshList();
        List->DBGridGx1->Repaint();
    }
};

THouseListSide& Side() {
    static THouseListSide* side = [] {
        auto* s = new THouseListSide;
        static String folder = s->Folder;
        std::atexit([] { std::filesystem::remove_all(folder); });
        return s;
    }();
    return *side;
}

void BM_OpenHouseList(benchmark::State& state) {
    THouseListSide& side = Side();
    for (auto _ : state) {
        side.Open();
        if (side.List->QryTable->RecordCount() != HousesPerEstate) state.SkipWithError("wrong row count");
    }
    state.SetItemsProcessed(state.iterations() * HousesPerEstate);
}
BENCHMARK(BM_OpenHouseList)->Unit(benchmark::kMillisecond)->Iterations(5);

// One keystroke in the search box over 房屋备注 (contains): the list runs again with the text.
void BM_SearchKeystroke(benchmark::State& state) {
    THouseListSide& side = Side();
    side.List->ComboBox1->SetItemIndex(5);
    side.List->SearchPanel->ColumnChanged();
    bool odd = false;
    for (auto _ : state) {
        side.List->Edit1->SetText(odd ? "房屋1" : "房屋"); // every keystroke runs the list
        side.List->DBGridGx1->Repaint();
        odd = !odd;
    }
    side.List->Edit1->SetText("");
    state.SetItemsProcessed(state.iterations() * HousesPerEstate);
}
BENCHMARK(BM_SearchKeystroke)->Unit(benchmark::kMillisecond)->Iterations(6);

// sqlite3 stepping the list's statement (as the connection translates it, with its parameters)
// over every column of every row.
void BM_BareSqliteStep(benchmark::State& state) {
    THouseListSide& side = Side();
    side.List->Edit1->SetText("");
    side.Open();
    RunBareSqliteStep(state, side.List->QryTable, HousesPerEstate);
}
BENCHMARK(BM_BareSqliteStep)->Unit(benchmark::kMillisecond)->Iterations(5);

} // namespace
