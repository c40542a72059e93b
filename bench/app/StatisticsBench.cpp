// The statistics windows over large tables: the arrears "查询" over 300,000 fee rows of 10,000
// houses (households and the first household's rows), and the stock summary's "查询" over 20,000
// parts and 200,000 stock movements (the work table rebuilt by its statements, then the list),
// each against the same statements stepped directly in sqlite3, in the same run. Goal: within
// 1.5x of the bare loops.
#include "BareSqliteStep.h"
#include "app/core/DataDm.h"
#include "app/core/DefaultDatabase.h"
#include "app/core/PubUnit.h"
#include "app/fees/StatisticsWorkTables.h"
#include "app/fees/uFrmKCPJdetailTJ.h"
#include "app/fees/uFrmWYQKbillTJ.h"

#include "db/ADODB.h"
#include "db/JetSql.h"
#include "db/SqliteDatabase.h"
#include "gui/ComCtrls.h"
#include "rtl/DateUtils.h"
#include "rtl/FileUtils.h"

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <cstdlib>
#include <filesystem>
#include <memory>

namespace {

constexpr int Houses = 10000;
constexpr int FeeRows = 300000;
constexpr int Parts = 20000;
constexpr int Movements = 200000;

// A program folder with the default database filled by single statements on the program's
// connection (its date rules need the connection's functions), the data module, both windows.
struct TStatisticsSide {
    String Folder;
    std::unique_ptr<TClockOverride> Clock;
    std::unique_ptr<TfrmWYQKbillTJ> Arrears;
    std::unique_ptr<TfrmKCPJdetailTJ> Stock;

    TStatisticsSide() {
        char pattern[] = "/tmp/orv_statistics_XXXXXX";
        Folder = IncludeTrailingPathDelimiter(mkdtemp(pattern));
        CreateDefaultDatabase(Folder + "data/");
        SetProgramFolder(Folder);
        Clock = std::make_unique<TClockOverride>(EncodeDate(2027, 5, 31));
        dmData = new TdmData(nullptr);
        dmData->DataModuleCreate();
        TSqliteDatabase& db = dmData->ADOcnn()->Database();
        db.ExecuteSql("with recursive n(i) as (select 0 union all select i + 1 from n where i < " +
                      std::to_string(FeeRows - 1) +
                      ") insert into T_wyFYrec (F_mainID, F_XQname, F_LDcode, F_FZcode, F_FZname, F_SFtype, "
                      "F_SFname, F_amount, F_price, F_totalPrice, F_SFdate, F_editDate, F_JFflag, F_GTflag) select "
                      "i % " + std::to_string(Houses) + " + 1, case when i % 2 = 0 then '阳光小区' else '翠湖花园' end, "
                      "((i % " + std::to_string(Houses) + ") % 30) || '号楼', 'R' || (i % " + std::to_string(Houses) + "), '业主' || (i % " +
                      std::to_string(Houses) + "), '按面积', case when i % 3 = 0 then '水费' else '物业费' end, "
                      "60 + (i % 500) * 0.05, 1.5, (60 + (i % 500) * 0.05) * 1.5, printf('2027-%02d-28', i % 12 + 1), "
                      "printf('2027-05-%02d', i % 30 + 1), case when i % 7 = 0 then -1 else 0 end, 0 from n");
        db.ExecuteSql("with recursive n(i) as (select 0 union all select i + 1 from n where i < " +
                      std::to_string(Parts - 1) +
                      ") insert into T_PJinfo (F_code, F_name, F_type, F_XQname, F_price1, F_price2, F_amount) "
                      "select 'P' || (i % 15000), '配件' || i, '五金', case when i < 15000 then '阳光小区' else "
                      "'翠湖花园' end, 12.5, 10, i % 40 from n");
        db.ExecuteSql("with recursive n(i) as (select 0 union all select i + 1 from n where i < " +
                      std::to_string(Movements - 1) +
                      ") insert into T_pjJHrec (F_PJcode, F_amount, F_OperFlag, F_XQname) select 'P' || (i % 15000), "
                      "1 + i % 7, case when i % 10 = 0 then -1 else 1 end, case when i % 4 = 0 then '翠湖花园' else "
                      "'阳光小区' end from n");
        dmData->ReadDecimalPlaces(DecAmount, DecPrice, DecTotal);
        BuildDisplayFormats();
        Arrears = std::make_unique<TfrmWYQKbillTJ>(nullptr);
        Arrears->SetBounds(0, 0, 1200, 700);
        Arrears->Show();
        Stock = std::make_unique<TfrmKCPJdetailTJ>(nullptr);
        Stock->SetBounds(0, 0, 1200, 700);
        Stock->Show();
    }
};

TStatisticsSide& Side() {
    static TStatisticsSide* side = [] {
        auto* s = new TStatisticsSide;
        static String folder = s->Folder;
        std::atexit([] { std::filesystem::remove_all(folder); });
        return s;
    }();
    return *side;
}

void BM_ArrearsQuery(benchmark::State& state) {
    TStatisticsSide& side = Side();
    for (auto _ : state) {
        side.Arrears->QueryClick();
        if (side.Arrears->QryTable->RecordCount() != Houses)
            state.SkipWithError(("wrong household count " + std::to_string(side.Arrears->QryTable->RecordCount())).c_str());
    }
    state.SetItemsProcessed(state.iterations() * FeeRows);
}
BENCHMARK(BM_ArrearsQuery)->Unit(benchmark::kMillisecond)->Iterations(3);

// sqlite3 stepping the household statement over every column of every row.
void BM_ArrearsBareSqliteStep(benchmark::State& state) {
    TStatisticsSide& side = Side();
    side.Arrears->QueryClick();
    RunBareSqliteStep(state, side.Arrears->QryTable, Houses);
}
BENCHMARK(BM_ArrearsBareSqliteStep)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_StockQuery(benchmark::State& state) {
    TStatisticsSide& side = Side();
    for (auto _ : state) {
        side.Stock->QueryClick();
        if (side.Stock->QryTable->RecordCount() != Parts) state.SkipWithError("wrong part count");
    }
    state.SetItemsProcessed(state.iterations() * (Parts + Movements));
}
BENCHMARK(BM_StockQuery)->Unit(benchmark::kMillisecond)->Iterations(3);

// The same rebuild and list on a bare sqlite3 connection of its own (with the Jet functions and
// its own temporary work table): each statement as the connection translates it, the list
// stepped over every column of every row.
class TStockStatements : public TfrmKCPJdetailTJ {
public:
    using TfrmKCPJdetailTJ::ResultStatement;
    using TfrmKCPJdetailTJ::TfrmKCPJdetailTJ;
    using TfrmKCPJdetailTJ::WorkStatements;
};

void BM_StockBareSqlite(benchmark::State& state) {
    Side();
    TStockStatements window(nullptr);
    sqlite3* db = nullptr;
    sqlite3_open_v2(dmData->ADOcnn()->DataSourceFile().c_str(), &db, SQLITE_OPEN_READWRITE, nullptr);
    RegisterJetFunctions(db);
    const String declaration = JetToSqlite(WorkTableDeclaration("tempDepot"));
    sqlite3_exec(db, ("CREATE TEMP TABLE " + declaration.substr(String("CREATE TABLE ").size())).c_str(), nullptr,
                 nullptr, nullptr);
    std::vector<String> statements;
    for (const TSqlStatement& statement : window.WorkStatements())
        statements.push_back(JetToSqlite(statement.Text));
    const String list = JetToSqlite(window.ResultStatement().Text);
    for (auto _ : state) {
        for (const String& sql : statements) {
            char* error = nullptr;
            if (sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &error) != SQLITE_OK) {
                state.SkipWithError(error ? error : "statement failed");
                sqlite3_free(error);
            }
        }
        sqlite3_stmt* statement = nullptr;
        sqlite3_prepare_v2(db, list.c_str(), -1, &statement, nullptr);
        int rows = 0;
        size_t bytes = 0;
        while (sqlite3_step(statement) == SQLITE_ROW) {
            ++rows;
            for (int c = 0; c < sqlite3_column_count(statement); ++c)
                bytes += static_cast<size_t>(sqlite3_column_bytes(statement, c));
        }
        sqlite3_finalize(statement);
        benchmark::DoNotOptimize(bytes);
        if (rows != Parts) state.SkipWithError("wrong part count");
    }
    sqlite3_close(db);
    state.SetItemsProcessed(state.iterations() * (Parts + Movements));
}
BENCHMARK(BM_StockBareSqlite)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace
