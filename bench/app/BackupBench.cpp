// The backup of a 200 MB database through the online backup (a consistent snapshot written to a
// temporary file, made a file of its own and renamed onto the day's file) against a plain copy of
// the database file, in the same run. Goal: within 3x of the plain copy.
#include "../BenchJetDatabase.h"

#include "db/ADODB.h"
#include "db/SqliteDatabase.h"
#include "rtl/FileUtils.h"

#include <benchmark/benchmark.h>

#include <filesystem>

namespace {

struct TBigDatabase {
    TADOConnection Cnn;
    String Dir;
    String File;
    TBigDatabase() {
        Dir = OpenBenchJetDatabase("orv_backup_bench", Cnn);
        File = Dir + "/wuyegl.mdb";
        // 200,000 rows of 1,000 characters: about 200 MB once written.
        TSqliteDatabase& db = Cnn.Database();
        db.ExecuteSql("CREATE TABLE big (id INTEGER PRIMARY KEY, body TEXT)");
        db.ExecuteSql("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 200000) "
                      "INSERT INTO big SELECT i, hex(randomblob(500)) FROM n");
        db.ExecuteSql("PRAGMA wal_checkpoint(TRUNCATE)");
    }
    ~TBigDatabase() {
        Cnn.Close();
        std::error_code ec;
        std::filesystem::remove_all(Dir, ec);
    }
};

TBigDatabase& Big() {
    static TBigDatabase big;
    return big;
}

void BM_BackupThroughTheOnlineBackup(benchmark::State& state) {
    TBigDatabase& big = Big();
    const String target = big.Dir + "/dp20261214.back";
    for (auto _ : state)
        big.Cnn.BackupTo(target);
    state.counters["MB"] = static_cast<double>(FileSize(target)) / 1e6;
}

void BM_PlainCopyOfTheFile(benchmark::State& state) {
    TBigDatabase& big = Big();
    const String target = big.Dir + "/copy.back";
    for (auto _ : state)
        CopyFile(big.File, target, false);
    state.counters["MB"] = static_cast<double>(FileSize(target)) / 1e6;
}

BENCHMARK(BM_BackupThroughTheOnlineBackup)->Unit(benchmark::kMillisecond)->Iterations(5)->UseRealTime();
BENCHMARK(BM_PlainCopyOfTheFile)->Unit(benchmark::kMillisecond)->Iterations(5)->UseRealTime();

} // namespace
