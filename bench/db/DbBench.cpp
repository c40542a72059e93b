// Opening a 100,000-row query into the client cursor, against a plain SQLite step loop over the
// same statement in the same run.
#include "BenchDatabase.h"
#include "db/ADODB.h"
#include "db/SqliteDatabase.h"
#include "rtl/FileUtils.h"

#include <benchmark/benchmark.h>
#include <malloc.h>

#include <vector>

namespace {

const char* kSelect = "select * from T_bench order by F_ID";

// The table filled with 100,000 rows.
struct TBenchDb : TBenchDatabase {
    TBenchDb() : TBenchDatabase("T_bench") {
        TADOConnection cnn;
        cnn.SetConnectionString(ConnectionString());
        cnn.BeginTrans();
        TADOCommand cmd;
        cmd.SetConnection(&cnn);
        cmd.SetCommandText(InsertSql());
        InsertRows(cmd, 100000);
        cnn.CommitTrans();
    }
};

TBenchDb& Db() {
    static TBenchDb db;
    return db;
}

// The floor: step through the rows and read every column.
void BM_SqliteStepLoop(benchmark::State& state) {
    TSqliteDatabase db;
    db.Open(Db().File, "pw");
    for (auto _ : state) {
        auto st = db.Prepare(kSelect);
        Int64 sum = 0;
        while (st->Step()) {
            for (int c = 0; c < st->ColumnCount(); ++c) {
                switch (st->ColumnType(c)) {
                case 1:
                    sum += st->ColumnInt64(c);
                    break;
                case 2:
                    sum += static_cast<Int64>(st->ColumnDouble(c));
                    break;
                case 3: {
                    size_t n = 0;
                    st->ColumnText(c, n);
                    sum += static_cast<Int64>(n);
                    break;
                }
                default:
                    break;
                }
            }
        }
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * 100000);
}
BENCHMARK(BM_SqliteStepLoop)->Unit(benchmark::kMillisecond);

// The client cursor: open the query (all rows loaded, fields made).
void BM_QueryOpen(benchmark::State& state) {
    TADOConnection cnn;
    cnn.SetConnectionString(Db().ConnectionString());
    cnn.Open();
    TADOQuery q;
    q.SetConnection(&cnn);
    q.SQL()->SetText(kSelect);
    for (auto _ : state) {
        q.Open();
        benchmark::DoNotOptimize(q.RecordCount());
        state.PauseTiming(); // freeing the cursor is not part of opening it
        q.Close();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * 100000);
}
BENCHMARK(BM_QueryOpen)->Unit(benchmark::kMillisecond);

// Opening and walking every record through its fields.
void BM_QueryOpenAndWalk(benchmark::State& state) {
    TADOConnection cnn;
    cnn.SetConnectionString(Db().ConnectionString());
    cnn.Open();
    TADOQuery q;
    q.SetConnection(&cnn);
    q.SQL()->SetText(kSelect);
    for (auto _ : state) {
        q.Open();
        TField* price = q.FieldByName("F_price");
        double sum = 0;
        for (q.First(); !q.Eof(); q.Next())
            sum += price->AsFloat();
        benchmark::DoNotOptimize(sum);
        q.Close();
    }
    state.SetItemsProcessed(state.iterations() * 100000);
}
BENCHMARK(BM_QueryOpenAndWalk)->Unit(benchmark::kMillisecond);

// Bytes held per value: the open cursor, and a plain copy of the same rows (each row a vector of
// its values' texts), both measured from the allocator.
size_t HeapInUse() {
    return mallinfo2().uordblks;
}

void BM_QueryOpenMemory(benchmark::State& state) {
    TADOConnection cnn;
    cnn.SetConnectionString(Db().ConnectionString());
    cnn.Open();
    double cursorBytes = 0, plainBytes = 0, values = 0;
    for (auto _ : state) {
        TADOQuery q;
        q.SetConnection(&cnn);
        q.SQL()->SetText(kSelect);
        malloc_trim(0);
        const size_t before = HeapInUse();
        q.Open();
        cursorBytes = static_cast<double>(HeapInUse() - before);
        values = static_cast<double>(q.RecordCount()) * q.FieldCount();
        std::vector<std::vector<String>> plain;
        const size_t beforePlain = HeapInUse();
        for (q.First(); !q.Eof(); q.Next()) {
            std::vector<String> row;
            row.reserve(static_cast<size_t>(q.FieldCount()));
            for (int c = 0; c < q.FieldCount(); ++c)
                row.push_back(q.Fields()[c]->AsString());
            plain.push_back(std::move(row));
        }
        plainBytes = static_cast<double>(HeapInUse() - beforePlain);
        q.Close();
    }
    state.counters["cursor_bytes_per_value"] = cursorBytes / values;
    state.counters["plain_bytes_per_value"] = plainBytes / values;
    state.counters["ratio"] = cursorBytes / plainBytes;
}
BENCHMARK(BM_QueryOpenMemory)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace
