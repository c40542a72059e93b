// The fee-item statistics over 600,000 fee rows (5,000 houses, 10 fee items, 12 months): the
// receivable totals' "查询" on each page (per house, per building, per estate) and the business
// analysis' "查询", each against the same statements stepped directly in sqlite3 on a connection
// of its own (goal: within 1.5x), and beside them one GROUP BY pivot in sqlite3, which gives the
// houses' rows in a single statement, for scale, in the same run.
#include "app/core/DataDm.h"
#include "app/core/DefaultDatabase.h"
#include "app/core/PubUnit.h"
#include "app/fees/StatisticsWorkTables.h"
#include "app/fees/uFrmWYJYtotalTJ.h"
#include "app/fees/uFrmYJFYtotalTJ.h"

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

constexpr int Houses = 5000;
constexpr int Items = 10;
constexpr int Months = 12;
constexpr int FeeRows = Houses * Items * Months;
constexpr int Buildings = 30;
constexpr int Estates = 2;

class TTotalsWindow : public TfrmYJFYtotalTJ {
public:
    using TfrmYJFYtotalTJ::ResultStatement;
    using TfrmYJFYtotalTJ::TfrmYJFYtotalTJ;
    using TfrmYJFYtotalTJ::WorkStatements;
};

class TAnalysisWindow : public TfrmWYJYtotalTJ {
public:
    using TfrmWYJYtotalTJ::ResultStatement;
    using TfrmWYJYtotalTJ::TfrmWYJYtotalTJ;
    using TfrmWYJYtotalTJ::WorkStatements;
};

// A program folder with the default database, ten fee items and the fee rows (every third one
// paid on a receipt dated in its month), the data module and both windows shown.
struct TPivotSide {
    String Folder;
    std::unique_ptr<TClockOverride> Clock;
    std::unique_ptr<TTotalsWindow> Totals;
    std::unique_ptr<TAnalysisWindow> Analysis;

    TPivotSide() {
        char pattern[] = "/tmp/orv_pivot_XXXXXX";
        Folder = IncludeTrailingPathDelimiter(mkdtemp(pattern));
        CreateDefaultDatabase(Folder + "data/");
        SetProgramFolder(Folder);
        Clock = std::make_unique<TClockOverride>(EncodeDate(2027, 12, 31));
        dmData = new TdmData(nullptr);
        dmData->DataModuleCreate();
        TSqliteDatabase& db = dmData->ADOcnn()->Database();
        db.ExecuteSql("delete from T_FYinfo");
        db.ExecuteSql("delete from T_wyFYrec");
        db.ExecuteSql("delete from T_wyFKrec");
        for (int i = 1; i <= Items; ++i)
            db.ExecuteSql("insert into T_FYinfo (F_code, F_name) values ('" + std::to_string(i) + "', '费项" +
                          std::to_string(i) + "')");
        const String n = std::to_string(FeeRows - 1);
        const String houses = std::to_string(Houses);
        const String items = std::to_string(Items);
        db.ExecuteSql("with recursive n(i) as (select 0 union all select i + 1 from n where i < " + n +
                      ") insert into T_wyFYrec (F_mainID, F_XQname, F_LDcode, F_FZcode, F_FZname, F_SFtype, "
                      "F_SFname, F_amount, F_price, F_totalPrice, F_fromDate, F_toDate, F_SFdate, F_editDate, "
                      "F_JFflag, F_JFcode, F_GTflag) select i % " + houses + " + 1, case when i % " + houses +
                      " % 2 = 0 then '阳光小区' else '翠湖花园' end, ((i % " + houses + ") / 2 % " +
                      std::to_string(Buildings / Estates) + " + 1) || '号楼', 'R' || (i % " + houses +
                      "), '业主' || (i % " + houses + "), '按面积', '费项' || ((i / " + houses + ") % " + items +
                      " + 1), 60 + (i % 500) * 0.05, 1.5, (60 + (i % 500) * 0.05) * 1.5, printf('2027-%02d-01', "
                      "i / " + std::to_string(Houses * Items) + " + 1), printf('2027-%02d-28', i / " +
                      std::to_string(Houses * Items) + " + 1), printf('2027-%02d-28', i / " +
                      std::to_string(Houses * Items) + " + 1), '2027-01-05', case when i % 3 = 0 then -1 else "
                      "0 end, case when i % 3 = 0 then 'K' || i else '' end, 0 from n");
        db.ExecuteSql("insert into T_wyFKrec (F_code, F_XQname, F_JFdate, F_SKprice) select F_JFcode, F_XQname, "
                      "F_SFdate, F_totalPrice from T_wyFYrec where F_JFflag <> 0");
        dmData->ReadDecimalPlaces(DecAmount, DecPrice, DecTotal);
        BuildDisplayFormats();
        Totals = std::make_unique<TTotalsWindow>(nullptr);
        Totals->SetBounds(0, 0, 1200, 700);
        Totals->Show();
        Analysis = std::make_unique<TAnalysisWindow>(nullptr);
        Analysis->SetBounds(0, 0, 1200, 700);
        Analysis->Show();
        Analysis->dtpFromDate->SetDate(EncodeDate(2027, 4, 1));
        Analysis->dtpFromDate->SetChecked(true);
        Analysis->dtptoDate->SetDate(EncodeDate(2027, 9, 30));
        Analysis->dtptoDate->SetChecked(true);
    }
};

TPivotSide& Side() {
    static TPivotSide* side = [] {
        auto* s = new TPivotSide;
        static String folder = s->Folder;
        std::atexit([] { std::filesystem::remove_all(folder); });
        return s;
    }();
    return *side;
}

int PageRows(int page) {
    return page == 0 ? Houses : page == 1 ? Buildings : Estates;
}

// A sqlite3 connection of its own on the database, with the Jet functions and the work table as
// a temporary table, as the program's connection has them.
sqlite3* BareConnection(const String& workTable) {
    sqlite3* db = nullptr;
    sqlite3_open_v2(dmData->ADOcnn()->DataSourceFile().c_str(), &db, SQLITE_OPEN_READWRITE, nullptr);
    RegisterJetFunctions(db);
    if (!workTable.empty()) {
        const String declaration = JetToSqlite(WorkTableDeclaration(workTable));
        sqlite3_exec(db, ("CREATE TEMP TABLE " + declaration.substr(String("CREATE TABLE ").size())).c_str(),
                     nullptr, nullptr, nullptr);
    }
    return db;
}

// Runs each statement with its parameters bound in order, then steps the list over every column
// of every row; the rows listed.
int StepStatements(benchmark::State& state, sqlite3* db, const std::vector<TSqlStatement>& statements,
                   const TSqlStatement& list) {
    auto run = [&](const TSqlStatement& s, bool rows) {
        const TJetStatement jet = TranslateJetSql(s.Text);
        sqlite3_stmt* statement = nullptr;
        if (sqlite3_prepare_v2(db, jet.Sql.c_str(), -1, &statement, nullptr) != SQLITE_OK) {
            state.SkipWithError(sqlite3_errmsg(db));
            return 0;
        }
        for (size_t p = 0; p < s.Params.size(); ++p) {
            const String value = s.Params[p].second.AsString();
            sqlite3_bind_text(statement, static_cast<int>(p) + 1, value.c_str(), static_cast<int>(value.size()),
                              SQLITE_TRANSIENT);
        }
        int count = 0;
        size_t bytes = 0;
        while (sqlite3_step(statement) == SQLITE_ROW) {
            ++count;
            if (rows)
                for (int c = 0; c < sqlite3_column_count(statement); ++c)
                    bytes += static_cast<size_t>(sqlite3_column_bytes(statement, c));
        }
        sqlite3_finalize(statement);
        benchmark::DoNotOptimize(bytes);
        return count;
    };
    for (const TSqlStatement& s : statements) run(s, false);
    return run(list, true);
}

void BM_ReceivableTotals(benchmark::State& state) {
    TPivotSide& side = Side();
    const int page = static_cast<int>(state.range(0));
    side.Totals->PageControl1->SetActivePageIndex(page);
    for (auto _ : state) {
        side.Totals->QueryClick();
        if (side.Totals->ActiveQuery()->RecordCount() != PageRows(page)) state.SkipWithError("wrong row count");
    }
    state.SetItemsProcessed(state.iterations() * FeeRows);
}
BENCHMARK(BM_ReceivableTotals)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->Iterations(3);

// The same statements as the window runs them, stepped in sqlite3.
void BM_ReceivableTotalsBareSqlite(benchmark::State& state) {
    TPivotSide& side = Side();
    const int page = static_cast<int>(state.range(0));
    side.Totals->PageControl1->SetActivePageIndex(page);
    const std::vector<TSqlStatement> statements = side.Totals->WorkStatements();
    const TSqlStatement list = side.Totals->ResultStatement();
    sqlite3* db = BareConnection("tempFYrec");
    for (auto _ : state)
        if (StepStatements(state, db, statements, list) != PageRows(page)) state.SkipWithError("wrong row count");
    sqlite3_close(db);
    state.SetItemsProcessed(state.iterations() * FeeRows);
}
BENCHMARK(BM_ReceivableTotalsBareSqlite)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->Iterations(3);

// One GROUP BY over the fee rows giving the houses' pivot directly (for scale only).
void BM_GroupByPivotSqlite(benchmark::State& state) {
    Side();
    String sums, total;
    for (int i = 1; i <= Items; ++i)
        sums += ", sum(case when F_SFname = '费项" + std::to_string(i) + "' then F_totalPrice else 0 end) as F_SZ" +
                std::to_string(i);
    const TSqlStatement pivot{"select F_mainID, F_XQname, F_LDcode, F_FZcode, F_FZname" + sums +
                                  ", sum(F_totalPrice) as F_totalPrice from T_wyFYrec group by F_mainID, F_XQname, "
                                  "F_LDcode, F_FZcode, F_FZname order by F_XQname, F_LDcode, F_FZcode",
                              {}};
    sqlite3* db = BareConnection("");
    for (auto _ : state)
        if (StepStatements(state, db, {}, pivot) != Houses) state.SkipWithError("wrong row count");
    sqlite3_close(db);
    state.SetItemsProcessed(state.iterations() * FeeRows);
}
BENCHMARK(BM_GroupByPivotSqlite)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_Analysis(benchmark::State& state) {
    TPivotSide& side = Side();
    for (auto _ : state) {
        side.Analysis->QueryClick();
        if (side.Analysis->QryTable->RecordCount() != Items) state.SkipWithError("wrong item count");
    }
    state.SetItemsProcessed(state.iterations() * FeeRows);
}
BENCHMARK(BM_Analysis)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_AnalysisBareSqlite(benchmark::State& state) {
    TPivotSide& side = Side();
    const std::vector<TSqlStatement> statements = side.Analysis->WorkStatements();
    const TSqlStatement list = side.Analysis->ResultStatement();
    sqlite3* db = BareConnection("tempJYrec");
    for (auto _ : state)
        if (StepStatements(state, db, statements, list) != Items) state.SkipWithError("wrong item count");
    sqlite3_close(db);
    state.SetItemsProcessed(state.iterations() * FeeRows);
}
BENCHMARK(BM_AnalysisBareSqlite)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace
