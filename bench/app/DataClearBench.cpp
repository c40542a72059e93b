// Clearing every group of the data clearing window over 20,000 houses, 200,000 fee rows and
// 50,000 receipts (with their prepayment withdrawals), against the same statements run through
// sqlite3 in one transaction in the same run. Goal: within 1.5x of the bare run.
#include "app/core/DataClear.h"
#include "app/core/DataDm.h"
#include "app/core/DefaultDatabase.h"
#include "app/core/PubUnit.h"
#include "app/core/Vardessa.h"
#include "app/core/uFrmDataClear.h"

#include "db/ADODB.h"
#include "db/JetSql.h"
#include "db/SqliteDatabase.h"
#include "gui/StdCtrls.h"
#include "rtl/FileUtils.h"

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <cstdlib>
#include <filesystem>

namespace {

// Keeps the rows of a table aside, to put them back before each run.
const char* const Kept[] = {"T_FCinfo", "T_wyFYrec", "T_wyFKrec", "T_YSKrec"};

struct TClearSide {
    String Folder;

    TClearSide() {
        char pattern[] = "/tmp/orv_dataclear_XXXXXX";
        Folder = IncludeTrailingPathDelimiter(mkdtemp(pattern));
        CreateDefaultDatabase(Folder + "data/");
        SetProgramFolder(Folder);
        dmData = new TdmData(nullptr);
        dmData->DataModuleCreate();
        SetShowMessHandler([](const String&, int) { return 1; });
        TSqliteDatabase& db = dmData->ADOcnn()->Database();
        db.ExecuteSql("BEGIN");
        db.ExecuteSql("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 20000) "
                      "INSERT INTO T_FCinfo (F_XQname, F_LDcode, F_code) SELECT 'A', 'L' || (i % 40), "
                      "'R' || i FROM n");
        db.ExecuteSql(
            "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 200000) "
            "INSERT INTO T_wyFYrec (F_mainID, F_XQname, F_totalPrice, F_GTflag, F_JFflag, F_JFcode) "
            "SELECT i % 20000 + 1, 'A', 12.5, i % 10 = 0, i % 4 = 0, "
            "CASE WHEN i % 4 = 0 THEN 'B' || (i / 4 % 50000) ELSE '' END FROM n");
        db.ExecuteSql(
            "WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n WHERE i < 49999) "
            "INSERT INTO T_wyFKrec (F_mainID, F_code, F_SKprice) SELECT i % 20000 + 1, 'B' || i, 50 FROM n");
        db.ExecuteSql("WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n WHERE i < 49999) "
                      "INSERT INTO T_YSKrec (F_mainID, F_price, F_billCode, F_memo1, F_OperFlag) "
                      "SELECT i % 20000 + 1, 50, '', CASE WHEN i % 2 = 0 THEN '支出物业费' ELSE '存入' END, "
                      "CASE WHEN i % 2 = 0 THEN -1 ELSE 1 END FROM n");
        for (const char* table : Kept)
            db.ExecuteSql(String("CREATE TABLE keep_") + table + " AS SELECT * FROM " + table);
        db.ExecuteSql("COMMIT");
    }
    // Puts the rows back (not timed).
    void Refill() {
        TSqliteDatabase& db = dmData->ADOcnn()->Database();
        db.ExecuteSql("BEGIN");
        for (const char* table : Kept) {
            db.ExecuteSql(String("DELETE FROM ") + table);
            db.ExecuteSql(String("INSERT INTO ") + table + " SELECT * FROM keep_" + table);
        }
        db.ExecuteSql("COMMIT");
    }
};

TClearSide& Side() {
    static TClearSide* side = [] {
        auto* s = new TClearSide;
        static String folder = s->Folder;
        std::atexit([] { std::filesystem::remove_all(folder); });
        return s;
    }();
    return *side;
}

void BM_ClearAllGroups(benchmark::State& state) {
    TClearSide& side = Side();
    TFrmDataClear window(nullptr);
    window.TickAll(true);
    for (auto _ : state) {
        state.PauseTiming();
        side.Refill();
        state.ResumeTiming();
        window.btnOkClick();
    }
    state.SetItemsProcessed(state.iterations() * 320000);
}
BENCHMARK(BM_ClearAllGroups)->Unit(benchmark::kMillisecond)->Iterations(5);

// The same statements as the connection translates them, through sqlite3 in one transaction.
// The column rules' functions stand in as what they give for stored values: the value itself.
void Same(sqlite3_context* context, int, sqlite3_value** values) {
    sqlite3_result_value(context, values[0]);
}

void BM_BareSqliteClear(benchmark::State& state) {
    TClearSide& side = Side();
    std::vector<String> statements;
    for (const TClearGroup& group : ClearGroups())
        for (const String& statement : group.Statements)
            statements.push_back(TranslateJetSql(statement).Sql);
    sqlite3* db = nullptr;
    sqlite3_open_v2(dmData->ADOcnn()->DataSourceFile().c_str(), &db, SQLITE_OPEN_READWRITE, nullptr);
    sqlite3_busy_timeout(db, 8000);
    for (const char* name : {"orv_money", "orv_datenorm"})
        sqlite3_create_function(db, name, 1, SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr, Same, nullptr,
                                nullptr);
    for (auto _ : state) {
        state.PauseTiming();
        side.Refill();
        state.ResumeTiming();
        sqlite3_exec(db, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr);
        for (const String& sql : statements) {
            char* error = nullptr;
            if (sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &error) != SQLITE_OK) {
                state.SkipWithError(error ? error : "statement failed");
                sqlite3_free(error);
            }
        }
        sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
    }
    sqlite3_close(db);
    state.SetItemsProcessed(state.iterations() * 320000);
}
BENCHMARK(BM_BareSqliteClear)->Unit(benchmark::kMillisecond)->Iterations(5);

} // namespace
