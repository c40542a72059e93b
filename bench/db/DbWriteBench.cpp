// Writing 10,000 rows in one transaction: parameterised inserts through TADOCommand, Append/Post
// on an open query, and a client batch written by UpdateBatch, each beside a raw SQLite
// prepared-insert loop over the same table in the same run.
#include "BenchDatabase.h"
#include "db/ADODB.h"
#include "db/SqliteDatabase.h"

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <memory>
#include <string>

namespace {

constexpr int kRows = 10000;

TBenchDatabase& Db() {
    static TBenchDatabase db("T_ins");
    return db;
}

using Row = TBenchDatabase;

void Empty(TADOConnection& cnn) {
    cnn.Execute("delete from T_ins");
}

// The floor: sqlite3 itself, one prepared insert bound and stepped per row.
void BM_RawInsertLoop(benchmark::State& state) {
    sqlite3* db = nullptr;
    sqlite3_open_v2(Db().File.c_str(), &db, SQLITE_OPEN_READWRITE, nullptr);
    sqlite3_exec(db, "PRAGMA synchronous=NORMAL", nullptr, nullptr, nullptr);
    RegisterJetFunctions(db); // the table's column rules call them
    for (auto _ : state) {
        sqlite3_exec(db, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr);
        sqlite3_stmt* st = nullptr;
        sqlite3_prepare_v2(db,
                           "INSERT INTO T_ins (F_code, F_name, F_price, F_amount, F_flag, F_date, F_n) "
                           "VALUES (?, ?, ?, ?, ?, ?, ?)",
                           -1, &st, nullptr);
        for (int i = 0; i < kRows; ++i) {
            const String c = Row::Code(i), n = Row::Name(i), d = Row::Day(i);
            sqlite3_bind_text(st, 1, c.c_str(), static_cast<int>(c.size()), SQLITE_TRANSIENT);
            sqlite3_bind_text(st, 2, n.c_str(), static_cast<int>(n.size()), SQLITE_TRANSIENT);
            sqlite3_bind_double(st, 3, Row::Price(i));
            sqlite3_bind_double(st, 4, Row::Amount(i));
            sqlite3_bind_int(st, 5, Row::Flag(i) ? -1 : 0);
            sqlite3_bind_text(st, 6, d.c_str(), static_cast<int>(d.size()), SQLITE_TRANSIENT);
            sqlite3_bind_int(st, 7, i);
            sqlite3_step(st);
            sqlite3_reset(st);
        }
        sqlite3_finalize(st);
        sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
        state.PauseTiming();
        sqlite3_exec(db, "DELETE FROM T_ins", nullptr, nullptr, nullptr);
        state.ResumeTiming();
    }
    sqlite3_close(db);
    state.SetItemsProcessed(state.iterations() * kRows);
}
BENCHMARK(BM_RawInsertLoop)->Unit(benchmark::kMillisecond);

// A parameterised Jet insert through TADOCommand, parameters set by name.
void BM_CommandInsert(benchmark::State& state) {
    TADOConnection cnn;
    cnn.SetConnectionString(Db().ConnectionString());
    cnn.Open();
    TADOCommand cmd;
    cmd.SetConnection(&cnn);
    cmd.SetCommandText(Db().InsertSql());
    for (auto _ : state) {
        cnn.BeginTrans();
        Row::InsertRows(cmd, kRows);
        cnn.CommitTrans();
        state.PauseTiming();
        Empty(cnn);
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * kRows);
}
BENCHMARK(BM_CommandInsert)->Unit(benchmark::kMillisecond);

void FillRecord(TADOQuery& q, TField* const* f, int i) {
    f[0]->SetAsString(Row::Code(i));
    f[1]->SetAsString(Row::Name(i));
    f[2]->SetAsFloat(Row::Price(i));
    f[3]->SetAsFloat(Row::Amount(i));
    f[4]->SetAsBoolean(Row::Flag(i));
    f[5]->SetAsString(Row::Day(i));
    f[6]->SetAsInteger(i);
    q.Post();
}

// Appends kRows rows to an empty query and posts each: with ltOptimistic each Post writes its row
// (in one transaction), with ltBatchOptimistic one UpdateBatch writes them all.
void AppendRows(benchmark::State& state, TADOLockType lock) {
    TADOConnection cnn;
    cnn.SetConnectionString(Db().ConnectionString());
    cnn.Open();
    const bool batch = lock == ltBatchOptimistic;
    for (auto _ : state) {
        auto query = std::make_unique<TADOQuery>();
        TADOQuery& q = *query;
        q.SetConnection(&cnn);
        q.SetLockType(lock);
        q.SQL()->SetText(
            "select F_code, F_name, F_price, F_amount, F_flag, F_date, F_n from T_ins where 1 = 0");
        q.Open();
        TField* const f[] = {q.Fields()[0], q.Fields()[1], q.Fields()[2], q.Fields()[3],
                             q.Fields()[4], q.Fields()[5], q.Fields()[6]};
        if (!batch) cnn.BeginTrans();
        for (int i = 0; i < kRows; ++i) {
            q.Append();
            FillRecord(q, f, i);
        }
        if (batch)
            q.UpdateBatch();
        else
            cnn.CommitTrans();
        state.PauseTiming(); // freeing the cursor is not part of writing
        query.reset();
        Empty(cnn);
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * kRows);
}

void BM_AppendPost(benchmark::State& state) {
    AppendRows(state, ltOptimistic);
}
BENCHMARK(BM_AppendPost)->Unit(benchmark::kMillisecond);

void BM_UpdateBatch(benchmark::State& state) {
    AppendRows(state, ltBatchOptimistic);
}
BENCHMARK(BM_UpdateBatch)->Unit(benchmark::kMillisecond);

} // namespace
