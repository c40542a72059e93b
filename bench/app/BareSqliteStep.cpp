#include "BareSqliteStep.h"

#include "app/core/DataDm.h"
#include "db/ADODB.h"
#include "db/JetSql.h"

#include <sqlite3.h>

void RunBareSqliteStep(benchmark::State& state, TADOQuery* query, int expectedRows,
                       const std::function<String(String)>& adapt) {
    const TJetStatement jet = TranslateJetSql(query->SQL()->Text());
    const String sql = adapt ? adapt(jet.Sql) : jet.Sql;
    sqlite3* db = nullptr;
    sqlite3_open_v2(dmData->ADOcnn()->DataSourceFile().c_str(), &db, SQLITE_OPEN_READONLY, nullptr);
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(db, sql.c_str(), -1, &statement, nullptr) != SQLITE_OK)
        state.SkipWithError(sqlite3_errmsg(db));
    TParameters* params = query->Parameters();
    for (int p = 0; p < params->Count(); ++p) {
        const String value = params->Items(p)->Value().AsString();
        sqlite3_bind_text(statement, p + 1, value.c_str(), static_cast<int>(value.size()), SQLITE_TRANSIENT);
    }
    for (auto _ : state) {
        int rows = 0;
        size_t bytes = 0;
        while (sqlite3_step(statement) == SQLITE_ROW) {
            ++rows;
            for (int c = 0; c < sqlite3_column_count(statement); ++c) {
                switch (sqlite3_column_type(statement, c)) {
                case SQLITE_INTEGER:
                    bytes += static_cast<size_t>(sqlite3_column_int64(statement, c) & 1);
                    break;
                case SQLITE_FLOAT:
                    bytes += sqlite3_column_double(statement, c) > 0;
                    break;
                case SQLITE_TEXT:
                    bytes += static_cast<size_t>(sqlite3_column_bytes(statement, c));
                    break;
                default:
                    break;
                }
            }
        }
        sqlite3_reset(statement);
        benchmark::DoNotOptimize(bytes);
        if (rows != expectedRows) state.SkipWithError("wrong row count");
    }
    sqlite3_finalize(statement);
    sqlite3_close(db);
    state.SetItemsProcessed(state.iterations() * expectedRows);
}
