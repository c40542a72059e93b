// The fee ledger on an item of 100,000 rows: opening the item (the list statement, the grid's rows
// and footer sums) and saving a grid edit of 10,000 rows (one transaction of the client batch),
// against sqlite3 stepping the same select and one UPDATE of those rows, in the same run. Goal:
// within 2x of the bare loops.
#include "BareSqliteStep.h"
#include "app/RegisterSeed.h"
#include "app/core/DataDm.h"
#include "app/core/DefaultDatabase.h"
#include "app/core/PubUnit.h"
#include "app/fees/uFrmWYFYscgl.h"

#include "db/ADODB.h"
#include "db/JetSql.h"
#include "db/SqliteDatabase.h"
#include "grid/DBGridGx.h"
#include "gui/StdCtrls.h"
#include "rtl/DateUtils.h"
#include "rtl/FileUtils.h"

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <cstdlib>
#include <filesystem>
#include <memory>

namespace {

constexpr int LedgerRows = 100000;
constexpr int EditedRows = 10000;

// A program folder with the default database, the seed and 100,000 rows of the area item, the
// program's data module and the ledger on that item.
struct TFeeLedgerSide {
    String Folder;
    std::unique_ptr<TClockOverride> Clock;
    std::unique_ptr<TfrmWYFYscgl> Ledger;

    TFeeLedgerSide() {
        char pattern[] = "/tmp/orv_feeledger_XXXXXX";
        Folder = IncludeTrailingPathDelimiter(mkdtemp(pattern));
        CreateDefaultDatabase(Folder + "data/");
        SetProgramFolder(Folder);
        Clock = std::make_unique<TClockOverride>(EncodeDate(2027, 5, 31));
        dmData = new TdmData(nullptr);
        dmData->DataModuleCreate();
        seed::SeedRegisters(dmData->ADOcnn(), 200);
        FillLedger();
        dmData->ReadDecimalPlaces(DecAmount, DecPrice, DecTotal);
        BuildDisplayFormats();
        Ledger = std::make_unique<TfrmWYFYscgl>(nullptr);
        Ledger->SetBounds(0, 0, 1200, 700);
        Ledger->Show();
        Ledger->cbbListType->SetItemIndex(1); // 按面积: the item 物业费
        Ledger->SelectFeeType();
    }
    // The rows written by one statement on the program's connection (its date triggers need the
    // connection's functions).
    void FillLedger() {
        dmData->ADOcnn()->Database().ExecuteSql(
            "with recursive n(i) as (select 0 union all select i + 1 from n where i < " +
            std::to_string(LedgerRows - 1) +
            ") insert into T_wyFYrec (F_mainID, F_XQname, F_LDcode, F_FZcode, F_FZname, F_SFtype, F_SFname, "
            "F_amount, F_price, F_totalPrice, F_editDate, F_JFflag, F_GTflag) select i % 200 + 1, "
            "'阳光小区', "
            "'1号楼', 'R' || i, '业主' || (i % 200), '按面积', '物业费', 60 + (i % 500) * 0.05, 1.5, "
            "(60 + (i % 500) * 0.05) * 1.5, printf('2027-05-%02d', i % 30 + 1), 0, 0 from n");
    }
};

TFeeLedgerSide& FeeSide() {
    static TFeeLedgerSide* side = [] {
        auto* s = new TFeeLedgerSide;
        static String folder = s->Folder;
        std::atexit([] { std::filesystem::remove_all(folder); });
        return s;
    }();
    return *side;
}

// Choosing the item again: the list statement, the grid's rows and its footer sums.
void BM_OpenFeeItem(benchmark::State& state) {
    TFeeLedgerSide& side = FeeSide();
    for (auto _ : state) {
        side.Ledger->SelectFeeItem(0);
        side.Ledger->DBGridGx2->Repaint();
        if (side.Ledger->QryTable->RecordCount() != LedgerRows) state.SkipWithError("wrong row count");
    }
    state.SetItemsProcessed(state.iterations() * LedgerRows);
}
BENCHMARK(BM_OpenFeeItem)->Unit(benchmark::kMillisecond)->Iterations(3);

// "保存当前编辑" of 10,000 rows whose quantity was typed (the typing itself is not timed).
void BM_SaveGridEdit(benchmark::State& state) {
    TFeeLedgerSide& side = FeeSide();
    TADOQuery* query = side.Ledger->QryTable;
    int round = 0;
    for (auto _ : state) {
        state.PauseTiming();
        side.Ledger->GridEditClick();
        query->DisableControls();
        int n = 0;
        for (query->First(); !query->Eof() && n < EditedRows; query->Next(), ++n) {
            query->Edit();
            query->FieldByName("F_amount")->SetAsFloat(70 + round + n % 7 * 0.25);
            query->Post();
        }
        query->EnableControls();
        ++round;
        state.ResumeTiming();
        if (!side.Ledger->SaveEditClick()) state.SkipWithError("save failed");
    }
    state.SetItemsProcessed(state.iterations() * EditedRows);
}
BENCHMARK(BM_SaveGridEdit)->Unit(benchmark::kMillisecond)->Iterations(3);

// sqlite3 stepping the ledger's statement (as the connection translates it, with its parameters)
// over every column of every row.
void BM_FeeItemBareSqliteStep(benchmark::State& state) {
    TFeeLedgerSide& side = FeeSide();
    RunBareSqliteStep(state, side.Ledger->QryTable, LedgerRows);
}
BENCHMARK(BM_FeeItemBareSqliteStep)->Unit(benchmark::kMillisecond)->Iterations(3);

// sqlite3 writing the same 10,000 rows' quantity and amount due in one UPDATE.
void BM_FeeRowsBareSqliteUpdate(benchmark::State& state) {
    FeeSide();
    // On the program's own sqlite3 connection: the table's date triggers need its functions.
    TSqliteDatabase& db = dmData->ADOcnn()->Database();
    int round = 0;
    for (auto _ : state) {
        const std::string sql =
            "update T_wyFYrec set F_amount = F_amount + " + std::to_string(round % 2 ? -1 : 1) +
            ", F_totalPrice = (F_amount + 1) * F_price where F_ID in (select F_ID from "
            "T_wyFYrec where F_SFtype = '按面积' and F_SFname = '物业费' order by F_editDate "
            "limit " +
            std::to_string(EditedRows) + ")";
        if (db.ExecuteSql(sql) != EditedRows) state.SkipWithError("wrong row count");
        ++round;
    }
    state.SetItemsProcessed(state.iterations() * EditedRows);
}
BENCHMARK(BM_FeeRowsBareSqliteUpdate)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace
