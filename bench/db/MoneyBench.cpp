// Money columns read through the data layer: 100,000 rows with four CURRENCY columns opened into
// the client cursor and summed as Currency, beside the same rows with DOUBLE columns summed as
// doubles, and a plain SQLite step loop that sums the stored amounts as integer ten-thousandths,
// all in the same run.
#include "BenchDatabase.h"
#include "db/ADODB.h"

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <cmath>

namespace {

constexpr int kRows = 100000;
const char* const kColumns[] = {"F_price", "F_totalPrice", "F_paid", "F_discount"};

// One file with the same rows twice: T_money with CURRENCY columns, T_double with DOUBLE ones.
struct TMoneyDb : TBenchDatabase {
    TMoneyDb() : TBenchDatabase("T_money", Columns(" currency")) {
        TADOConnection cnn;
        cnn.SetConnectionString(ConnectionString());
        cnn.Execute("create table T_double (" + Columns(" double") + ")");
        for (const char* table : {"T_money", "T_double"}) {
            const bool money = String(table) == "T_money";
            cnn.BeginTrans();
            TADOCommand insert;
            insert.SetConnection(&cnn);
            insert.SetCommandText(String("insert into ") + table +
                                  " (F_price, F_totalPrice, F_paid, F_discount) values (:a, :b, :c, :d)");
            TParameters& p = *insert.Parameters();
            for (int i = 0; i < kRows; ++i) {
                // Amounts with two and four decimals, some whole.
                const Currency amounts[] = {Currency::FromRaw(125000 + (i % 997) * 100),
                                            Currency::FromRaw(static_cast<Int64>(i) * 7 + 3),
                                            Currency::FromRaw((i % 50) * 10000),
                                            Currency::FromRaw(-(i % 13) * 25)};
                for (int c = 0; c < 4; ++c) {
                    if (money)
                        p[c]->SetValue(Variant(amounts[c]));
                    else
                        p[c]->SetValue(Variant(static_cast<double>(amounts[c].ToDouble())));
                }
                insert.Execute();
            }
            cnn.CommitTrans();
        }
    }
    static String Columns(const String& type) {
        return "F_ID counter, F_price" + type + ", F_totalPrice" + type + ", F_paid" + type + ", F_discount" +
               type;
    }
};

TMoneyDb& Db() {
    static TMoneyDb db;
    return db;
}

// The anchor: sqlite3 steps the rows and sums the four amounts as integer ten-thousandths.
void BM_MoneySqliteStepSum(benchmark::State& state) {
    sqlite3* db = nullptr;
    sqlite3_open_v2(Db().File.c_str(), &db, SQLITE_OPEN_READONLY, nullptr);
    sqlite3_stmt* st = nullptr;
    sqlite3_prepare_v2(db, "select F_price, F_totalPrice, F_paid, F_discount from T_money order by F_ID", -1,
                       &st, nullptr);
    for (auto _ : state) {
        Int64 sum = 0;
        while (sqlite3_step(st) == SQLITE_ROW)
            for (int c = 0; c < 4; ++c)
                sum += sqlite3_column_type(st, c) == SQLITE_INTEGER
                           ? sqlite3_column_int64(st, c) * 10000
                           : std::llround(sqlite3_column_double(st, c) * 10000.0);
        sqlite3_reset(st);
        benchmark::DoNotOptimize(sum);
    }
    sqlite3_finalize(st);
    sqlite3_close(db);
    state.SetItemsProcessed(state.iterations() * kRows);
}
BENCHMARK(BM_MoneySqliteStepSum)->Unit(benchmark::kMillisecond);

// The data layer: open the query (every row into the cursor) and sum the four fields.
template <bool Money> void OpenAndSum(benchmark::State& state) {
    TADOConnection cnn;
    cnn.SetConnectionString(Db().ConnectionString());
    cnn.Open();
    TADOQuery q;
    q.SetConnection(&cnn);
    q.SQL()->SetText(String("select F_price, F_totalPrice, F_paid, F_discount from ") +
                     (Money ? "T_money" : "T_double") + " order by F_ID");
    for (auto _ : state) {
        q.Open();
        TField* fields[4];
        for (int c = 0; c < 4; ++c)
            fields[c] = q.FieldByName(kColumns[c]);
        Currency money;
        double plain = 0;
        for (q.First(); !q.Eof(); q.Next())
            for (TField* f : fields)
                if (Money)
                    money += f->AsCurrency();
                else
                    plain += f->AsFloat();
        benchmark::DoNotOptimize(money);
        benchmark::DoNotOptimize(plain);
        state.PauseTiming(); // freeing the cursor is not part of reading it
        q.Close();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * kRows);
}

void BM_MoneyColumnsOpenAndSum(benchmark::State& state) {
    OpenAndSum<true>(state);
}
BENCHMARK(BM_MoneyColumnsOpenAndSum)->Unit(benchmark::kMillisecond);

void BM_DoubleColumnsOpenAndSum(benchmark::State& state) {
    OpenAndSum<false>(state);
}
BENCHMARK(BM_DoubleColumnsOpenAndSum)->Unit(benchmark::kMillisecond);

// The database's own sum of the four money columns, exact, against SQLite's SUM over the doubles.
template <bool Money> void SumInStatement(benchmark::State& state) {
    TADOConnection cnn;
    cnn.SetConnectionString(Db().ConnectionString());
    cnn.Open();
    TADOQuery q;
    q.SetConnection(&cnn);
    q.SQL()->SetText(String("select sum(F_price), sum(F_totalPrice), sum(F_paid), sum(F_discount) from ") +
                     (Money ? "T_money" : "T_double"));
    for (auto _ : state) {
        q.Open();
        benchmark::DoNotOptimize(q.Fields()[0]->AsFloat());
        q.Close();
    }
    state.SetItemsProcessed(state.iterations() * kRows);
}

void BM_MoneyColumnsSumInStatement(benchmark::State& state) {
    SumInStatement<true>(state);
}
BENCHMARK(BM_MoneyColumnsSumInStatement)->Unit(benchmark::kMillisecond);

void BM_DoubleColumnsSumInStatement(benchmark::State& state) {
    SumInStatement<false>(state);
}
BENCHMARK(BM_DoubleColumnsSumInStatement)->Unit(benchmark::kMillisecond);

} // namespace
