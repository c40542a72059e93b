// Writing 10,000 rows in one transaction: parameterised inserts through TADOCommand, Append/Post
// on an open query, and a client batch written by UpdateBatch, each beside a raw SQLite
// prepared-insert loop over the same table in the same run.
#include "db/ADODB.h"
#include "db/SqliteDatabase.h"

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <filesystem>
#include <memory>
#include <string>

namespace {

constexpr int kRows = 10000;

struct TWriteDb {
    String Dir, File;
    TWriteDb() {
        char pattern[] = "/tmp/orv_dbwrite_XXXXXX";
        Dir = ::mkdtemp(pattern);
        File = Dir + "/wuyegl.mdb";
        TADOConnection::CreateDatabase(File, "pw");
        TADOConnection cnn;
        cnn.SetConnectionString(ConnectionString());
        cnn.Execute("create table T_ins (F_ID counter, F_code text(20), F_name text(50), F_price currency, "
                    "F_amount double, F_flag yesno, F_date datetime, F_n long)");
    }
    ~TWriteDb() { std::filesystem::remove_all(Dir); }
    String ConnectionString() const {
        return "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" + File + ";Jet OLEDB:Database Password=pw";
    }
};

TWriteDb& Db() {
    static TWriteDb db;
    return db;
}

String Code(int i) {
    return "C" + std::to_string(i);
}
String Name(int i) {
    return "Name of house " + std::to_string(i % 977);
}
String Day(int i) {
    return String("2026-03-") + (i % 28 < 9 ? "0" : "") + std::to_string(i % 28 + 1);
}

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
            const String c = Code(i), n = Name(i), d = Day(i);
            sqlite3_bind_text(st, 1, c.c_str(), static_cast<int>(c.size()), SQLITE_TRANSIENT);
            sqlite3_bind_text(st, 2, n.c_str(), static_cast<int>(n.size()), SQLITE_TRANSIENT);
            sqlite3_bind_double(st, 3, 12.5 + i % 100);
            sqlite3_bind_double(st, 4, i * 0.25);
            sqlite3_bind_int(st, 5, i % 3 == 0 ? -1 : 0);
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
    cmd.SetCommandText("insert into T_ins (F_code, F_name, F_price, F_amount, F_flag, F_date, F_n) "
                       "values (:c, :n, :p, :a, :f, :d, :i)");
    TParameters& p = *cmd.Parameters();
    for (auto _ : state) {
        cnn.BeginTrans();
        for (int i = 0; i < kRows; ++i) {
            p.ParamByName("c")->SetValue(Code(i));
            p.ParamByName("n")->SetValue(Name(i));
            p.ParamByName("p")->SetValue(12.5 + i % 100);
            p.ParamByName("a")->SetValue(i * 0.25);
            p.ParamByName("f")->SetValue(i % 3 == 0);
            p.ParamByName("d")->SetValue(Day(i));
            p.ParamByName("i")->SetValue(i);
            cmd.Execute();
        }
        cnn.CommitTrans();
        state.PauseTiming();
        Empty(cnn);
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * kRows);
}
BENCHMARK(BM_CommandInsert)->Unit(benchmark::kMillisecond);

void FillRecord(TADOQuery& q, TField* const* f, int i) {
    f[0]->SetAsString(Code(i));
    f[1]->SetAsString(Name(i));
    f[2]->SetAsFloat(12.5 + i % 100);
    f[3]->SetAsFloat(i * 0.25);
    f[4]->SetAsBoolean(i % 3 == 0);
    f[5]->SetAsString(Day(i));
    f[6]->SetAsInteger(i);
    q.Post();
}

// Append and Post on an open query: each Post writes its row at once.
void BM_AppendPost(benchmark::State& state) {
    TADOConnection cnn;
    cnn.SetConnectionString(Db().ConnectionString());
    cnn.Open();
    for (auto _ : state) {
        auto query = std::make_unique<TADOQuery>();
        TADOQuery& q = *query;
        q.SetConnection(&cnn);
        q.SQL()->SetText("select F_code, F_name, F_price, F_amount, F_flag, F_date, F_n from T_ins where 1 = 0");
        q.Open();
        TField* const f[] = {q.Fields()[0], q.Fields()[1], q.Fields()[2], q.Fields()[3],
                             q.Fields()[4], q.Fields()[5], q.Fields()[6]};
        cnn.BeginTrans();
        for (int i = 0; i < kRows; ++i) {
            q.Append();
            FillRecord(q, f, i);
        }
        cnn.CommitTrans();
        state.PauseTiming(); // freeing the cursor is not part of writing
        query.reset();
        Empty(cnn);
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * kRows);
}
BENCHMARK(BM_AppendPost)->Unit(benchmark::kMillisecond);

// A client batch: the rows appended in memory, then written by one UpdateBatch.
void BM_UpdateBatch(benchmark::State& state) {
    TADOConnection cnn;
    cnn.SetConnectionString(Db().ConnectionString());
    cnn.Open();
    for (auto _ : state) {
        auto query = std::make_unique<TADOQuery>();
        TADOQuery& q = *query;
        q.SetConnection(&cnn);
        q.SetLockType(ltBatchOptimistic);
        q.SQL()->SetText("select F_code, F_name, F_price, F_amount, F_flag, F_date, F_n from T_ins where 1 = 0");
        q.Open();
        TField* const f[] = {q.Fields()[0], q.Fields()[1], q.Fields()[2], q.Fields()[3],
                             q.Fields()[4], q.Fields()[5], q.Fields()[6]};
        for (int i = 0; i < kRows; ++i) {
            q.Append();
            FillRecord(q, f, i);
        }
        q.UpdateBatch();
        state.PauseTiming(); // freeing the cursor is not part of writing
        query.reset();
        Empty(cnn);
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * kRows);
}
BENCHMARK(BM_UpdateBatch)->Unit(benchmark::kMillisecond);

} // namespace
