// Opening a 100,000-row query into the client cursor, against a plain SQLite step loop over the
// same statement in the same run.
#include "db/ADODB.h"
#include "db/SqliteDatabase.h"
#include "rtl/FileUtils.h"

#include <benchmark/benchmark.h>

#include <filesystem>

namespace {

const char* kSelect = "select * from T_bench order by F_ID";

struct TBenchDb {
    String Dir;
    String File;
    TBenchDb() {
        char pattern[] = "/tmp/orv_dbbench_XXXXXX";
        Dir = ::mkdtemp(pattern);
        File = Dir + "/wuyegl.mdb";
        TADOConnection::CreateDatabase(File, "pw");
        TADOConnection cnn;
        cnn.SetConnectionString(ConnectionString());
        cnn.Execute("create table T_bench (F_ID counter, F_code text(20), F_name text(50), F_price currency, "
                    "F_amount double, F_flag yesno, F_date datetime, F_n long)");
        cnn.BeginTrans();
        TADOCommand cmd;
        cmd.SetConnection(&cnn);
        cmd.SetCommandText("insert into T_bench (F_code, F_name, F_price, F_amount, F_flag, F_date, F_n) "
                           "values (:c, :n, :p, :a, :f, :d, :i)");
        for (int i = 0; i < 100000; ++i) {
            cmd.Parameters()->ParamByName("c")->SetValue(String("C") + std::to_string(i));
            cmd.Parameters()->ParamByName("n")->SetValue(String("Name of house ") + std::to_string(i % 977));
            cmd.Parameters()->ParamByName("p")->SetValue(12.5 + i % 100);
            cmd.Parameters()->ParamByName("a")->SetValue(i * 0.25);
            cmd.Parameters()->ParamByName("f")->SetValue(i % 3 == 0);
            cmd.Parameters()->ParamByName("d")->SetValue(String("2026-03-") + (i % 28 < 9 ? "0" : "") +
                                                         std::to_string(i % 28 + 1));
            cmd.Parameters()->ParamByName("i")->SetValue(i);
            cmd.Execute();
        }
        cnn.CommitTrans();
    }
    ~TBenchDb() { std::filesystem::remove_all(Dir); }
    String ConnectionString() const {
        return "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" + File + ";Jet OLEDB:Database Password=pw";
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

} // namespace
