// Backing a database up through the online backup, checking a file before it takes the place of
// the database, restoring it, and compacting, also while a second connection uses the file.
#include "DbFixture.h"

#include "db/DB.h"
#include "rtl/FileUtils.h"

#include <atomic>
#include <thread>
#include <vector>

namespace {

const String kPassword = "tomervalix";

class BackupRestore : public DbTest {
protected:
    void SetUp() override {
        DbTest::SetUp();
        Run("create table T_rec (F_ID counter primary key, F_code text(20), F_amount long)");
        Run("create table T_other (F_name text(20))");
        for (int i = 0; i < 20; ++i)
            Run("insert into T_rec (F_code, F_amount) values ('r" + std::to_string(i) + "', " +
                std::to_string(i) + ")");
    }

    // Reads a count from a database file through a connection of its own.
    static int CountIn(const String& file, const String& password = kPassword,
                       const String& sql = "select count(*) from T_rec") {
        TADOConnection c;
        c.SetConnectionString(ConnectionStringFor(file, password));
        TADOQuery q;
        q.SetConnection(&c);
        q.SQL()->SetText(sql);
        q.Open();
        return q.Fields()[0]->AsInteger();
    }

    // The files of the test's folder other than the database and its WAL files.
    std::vector<String> OtherFiles() const {
        std::vector<String> names;
        for (const String& name : FindFiles(Dir.Path()))
            if (name.rfind("wuyegl.mdb", 0) != 0) names.push_back(name);
        return names;
    }

    String Backup(const String& name = "dp20261211.back") {
        const String file = Dir.File(name);
        Cnn->BackupTo(file);
        return file;
    }

    const std::vector<String> Tables{"T_rec", "t_OTHER"};
};

TEST_F(BackupRestore, ABackupIsAFileOfItsOwnWithTheRowsAndThePassword) {
    const String file = Backup();
    // Nothing beside it: not the temporary file, no journal, no WAL.
    EXPECT_EQ(OtherFiles(), std::vector<String>{"dp20261211.back"});
    // Its header marks a rollback-journal database (bytes 18 and 19 are 1), not a WAL one.
    const std::string bytes = TempDir::ReadAll(file);
    ASSERT_GT(bytes.size(), 100u);
    EXPECT_EQ(bytes.substr(0, 15), "SQLite format 3");
    EXPECT_EQ(bytes[18], 1);
    EXPECT_EQ(bytes[19], 1);
    EXPECT_EQ(CountIn(file), 20);
    EXPECT_THROW(CountIn(file, "other"), EDatabaseError);
    EXPECT_NO_THROW(TADOConnection::CheckDatabaseFile(file, kPassword, Tables));
    // A second backup replaces the first.
    Run("delete from T_rec where F_amount >= 5");
    Backup();
    EXPECT_EQ(CountIn(file), 5);
    EXPECT_EQ(OtherFiles(), std::vector<String>{"dp20261211.back"});
}

TEST_F(BackupRestore, AFailedBackupLeavesTheEarlierFileAndNoTemporaryOne) {
    const String file = Dir.File("dp20261211.back");
    SaveFileAtomic(file, "the day's earlier backup");
    // Inside a transaction: what it wrote is not committed.
    Cnn->BeginTrans();
    EXPECT_THROW(Cnn->BackupTo(file), EDatabaseError);
    Cnn->RollbackTrans();
    // Onto a folder, and into a folder that is not there.
    ForceDirectories(Dir.File("folder.back"));
    EXPECT_THROW(Cnn->BackupTo(Dir.File("folder.back")), EDatabaseError);
    EXPECT_THROW(Cnn->BackupTo(Dir.File("missing/dp.back")), EDatabaseError);
    EXPECT_EQ(TempDir::ReadAll(file), "the day's earlier backup");
    EXPECT_EQ(OtherFiles(), std::vector<String>{"dp20261211.back"});
}

// A second station commits batches of ten rows while backups are made: each backup holds every
// batch wholly or not at all.
TEST_F(BackupRestore, ABackupHoldsAnotherStationsTransactionWhollyOrNotAtAll) {
    // An open transaction of the other station is not in the backup.
    TADOConnection other;
    other.SetConnectionString(ConnectionStringFor(FileName, kPassword));
    other.BeginTrans();
    other.Execute("insert into T_rec (F_code, F_amount) values ('open', 1)");
    EXPECT_EQ(CountIn(Backup("open.back")), 20);
    other.CommitTrans();
    EXPECT_EQ(CountIn(Backup("committed.back")), 21);

    std::atomic<bool> done{false};
    std::thread writer([&] {
        TADOConnection w;
        w.SetConnectionString(ConnectionStringFor(FileName, kPassword));
        for (int batch = 0; batch < 60; ++batch) {
            w.BeginTrans();
            for (int i = 0; i < 10; ++i)
                w.Execute("insert into T_rec (F_code, F_amount) values ('b', " + std::to_string(batch) + ")");
            w.CommitTrans();
        }
        done = true;
    });
    std::vector<int> seen;
    for (int i = 0; i < 40 && !done; ++i)
        seen.push_back(CountIn(Backup("during.back")) - 21);
    writer.join();
    ASSERT_FALSE(seen.empty());
    for (int n : seen)
        EXPECT_EQ(n % 10, 0) << n;
    EXPECT_EQ(CountIn(Backup("after.back")), 21 + 600);
}

// Files that must not take the database's place, each refused with its reason.
TEST_F(BackupRestore, TheCheckRefusesWhatIsNotABackupOfThisDatabase) {
    const String good = Backup();
    const std::string goodBytes = TempDir::ReadAll(good);

    SaveFileAtomic(Dir.File("empty.back"), "");
    SaveFileAtomic(Dir.File("text.back"), "just some text, not a database at all");
    SaveFileAtomic(Dir.File("truncated.back"), goodBytes.substr(0, goodBytes.size() / 2));
    {
        TSqliteDatabase foreign; // another program's SQLite file: no password record, other tables
        TSqliteDatabase::Create(Dir.File("created.db"), "");
        foreign.Open(Dir.File("created.db"), "");
        foreign.ExecuteSql("drop table MSysPassword");
        foreign.ExecuteSql("create table notes (x text)");
    }
    TADOConnection::CreateDatabase(Dir.File("otherpass.back"), "secret");
    {
        TADOConnection c;
        c.SetConnectionString(ConnectionStringFor(Dir.File("otherpass.back"), "secret"));
        c.Execute("create table T_rec (F_ID counter primary key, F_code text(20), F_amount long)");
        c.Execute("create table T_other (F_name text(20))");
    }
    TADOConnection::CreateDatabase(Dir.File("notable.back"), kPassword);
    {
        TADOConnection c;
        c.SetConnectionString(ConnectionStringFor(Dir.File("notable.back"), kPassword));
        c.Execute("create table T_rec (F_ID counter primary key)");
    }
    struct Case {
        const char* File;
        const char* Reason;
    };
    for (const Case& c : std::vector<Case>{{"missing.back", "Could not find file"},
                                           {"empty.back", "Unrecognized database format"},
                                           {"text.back", "Unrecognized database format"},
                                           {"truncated.back", ""},
                                           {"created.db", "Not a valid password"},
                                           {"otherpass.back", "Not a valid password"},
                                           {"notable.back", "no table 't_OTHER'"}}) {
        try {
            TADOConnection::CheckDatabaseFile(Dir.File(c.File), kPassword, Tables);
            ADD_FAILURE() << c.File << " passed the check";
        } catch (const EDatabaseError& e) {
            EXPECT_NE(e.Message().find(c.Reason), String::npos) << c.File << ": " << e.Message();
        }
    }
    // The check only reads.
    EXPECT_EQ(TempDir::ReadAll(good), goodBytes);
}

TEST_F(BackupRestore, ARestoreReplacesTheDatabaseAndComesBackToWalMode) {
    const String file = Backup();
    Run("delete from T_rec");
    Run("insert into T_other (F_name) values ('after the backup')");
    auto q = Query("select * from T_rec");
    q->Open();
    Cnn->RestoreFrom(file);
    EXPECT_FALSE(q->Active()); // the connection's data sets were closed first
    EXPECT_EQ(Rows("select count(*), sum(F_amount) from T_rec"), "20,190");
    EXPECT_EQ(Rows("select count(*) from T_other"), "0");
    EXPECT_EQ(Rows("pragma journal_mode"), "wal");
    // The file it came from is as it was and still opens on its own.
    EXPECT_EQ(CountIn(file), 20);
    Cnn->Close();
    EXPECT_EQ(CountIn(FileName), 20);
    EXPECT_THROW(CountIn(FileName, "other"), EDatabaseError);
}

// The password record is the restored file's: a database restored from a file made with another
// password opens with that one (the check in front of a restore refuses such a file).
TEST_F(BackupRestore, TheRestoredPasswordIsTheFilesOwn) {
    TADOConnection::CreateDatabase(Dir.File("other.back"), "secret");
    Cnn->RestoreFrom(Dir.File("other.back"));
    Cnn->Close();
    EXPECT_THROW(Cnn->Open(), EDatabaseError);
    TADOConnection c;
    c.SetConnectionString(ConnectionStringFor(FileName, "secret"));
    EXPECT_NO_THROW(c.Open());
}

TEST_F(BackupRestore, ARestoreWhileAnotherConnectionHasTheFileOpenChangesNothing) {
    const String file = Backup();
    Run("delete from T_rec where F_amount > 2");
    TADOConnection other;
    other.SetConnectionString(ConnectionStringFor(FileName, kPassword));
    other.Open();
    // The main file as it stands with every change written into it.
    Cnn->Execute("pragma wal_checkpoint(TRUNCATE)");
    const std::string before = TempDir::ReadAll(FileName);
    EXPECT_THROW(Cnn->RestoreFrom(file), EDatabaseInUse);
    EXPECT_EQ(TempDir::ReadAll(FileName), before);
    EXPECT_EQ(Rows("select count(*) from T_rec"), "3");
    EXPECT_EQ(Rows("pragma journal_mode"), "wal");
    // The other station goes on working; once it is gone the restore runs.
    other.Execute("insert into T_other (F_name) values ('still there')");
    other.Close();
    Cnn->RestoreFrom(file);
    EXPECT_EQ(Rows("select count(*) from T_rec"), "20");
    // Not inside a transaction of its own either.
    Cnn->BeginTrans();
    EXPECT_THROW(Cnn->RestoreFrom(file), EDatabaseError);
    Cnn->RollbackTrans();
}

TEST_F(BackupRestore, CompactionLetsAReaderReadAndFailsUnderAnotherStationsWrite) {
    Run("delete from T_rec where F_amount >= 10");
    Cnn->Close();
    TADOConnection reader;
    reader.SetConnectionString(ConnectionStringFor(FileName, kPassword));
    TADOQuery q;
    q.SetConnection(&reader);
    q.SQL()->SetText("select F_code from T_rec order by F_amount");
    q.Open();
    EXPECT_NO_THROW(TADOConnection::CompactDatabase(FileName, kPassword));
    q.Close();
    q.Open();
    EXPECT_EQ(q.RecordCount(), 10);
    EXPECT_EQ(q.Fields()[0]->AsString(), "r0");

    reader.BeginTrans();
    reader.Execute("insert into T_rec (F_code, F_amount) values ('writing', 1)");
    EXPECT_THROW(TADOConnection::CompactDatabase(FileName, kPassword), EDatabaseError);
    reader.CommitTrans();
    EXPECT_EQ(CountIn(FileName), 11);
}

} // namespace
