// The connection: the database file and its password, transactions, statements, two program
// instances on one file, compaction.
#include "DbFixture.h"

#include <fcntl.h>
#include <fstream>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace {

String FileBytes(const String& file) {
    return TempDir::ReadAll(file);
}

// Creates a database file with its password and runs the statements on it; closed again.
void MakeDatabase(const String& file, const String& password, std::initializer_list<const char*> statements) {
    TADOConnection::CreateDatabase(file, password);
    TADOConnection cnn;
    cnn.SetConnectionString(ConnectionStringFor(file, password));
    for (const char* sql : statements)
        cnn.Execute(sql);
}

TEST(ADOConnection, OpensTheFileTheJetConnectionStringNames) {
    TempDir dir;
    const String file = dir.File("wuyegl.mdb");
    TADOConnection::CreateDatabase(file, "tomervalix");
    TADOConnection cnn;
    // The folder as the settings keep it, with "\" separators.
    String windowsStyle = file;
    std::replace(windowsStyle.begin(), windowsStyle.end(), '/', '\\');
    cnn.SetConnectionString(ConnectionStringFor(windowsStyle, "tomervalix"));
    EXPECT_EQ(cnn.DataSourceFile(), windowsStyle);
    EXPECT_EQ(cnn.DatabasePassword(), "tomervalix");
    cnn.Open();
    EXPECT_TRUE(cnn.Connected());
    cnn.Close();
    EXPECT_FALSE(cnn.Connected());
}

TEST(ADOConnection, FailuresSayWhatWentWrong) {
    TempDir dir;
    const String file = dir.File("wuyegl.mdb");
    const struct {
        const char* What;
        String ConnectionString;
        const char* Message;
    } cases[] = {
        {"missing file", ConnectionStringFor(dir.File("none.mdb"), "x"), "Could not find file"},
        {"not a database", ConnectionStringFor(dir.File("text.mdb"), "x"), "Unrecognized database format"},
        {"zero-byte file", ConnectionStringFor(dir.File("empty.mdb"), "x"), "Unrecognized database format"},
        {"wrong password", ConnectionStringFor(file, "wrong"), "Not a valid password."},
        {"empty password", ConnectionStringFor(file, ""), "Not a valid password."},
    };
    TADOConnection::CreateDatabase(file, "tomervalix");
    TempDir::WriteAll(dir.File("text.mdb"), String(4096, 'x'));
    TempDir::WriteAll(dir.File("empty.mdb"), String());
    for (const auto& c : cases) {
        SCOPED_TRACE(c.What);
        TADOConnection cnn;
        cnn.SetConnectionString(c.ConnectionString);
        try {
            cnn.Open();
            ADD_FAILURE() << "opened";
        } catch (const EDatabaseError& e) {
            EXPECT_NE(e.Message().find(c.Message), String::npos) << e.Message();
        }
        EXPECT_FALSE(cnn.Connected());
    }
    // Neither file was taken for a new database and written.
    EXPECT_EQ(FileBytes(dir.File("empty.mdb")), "");
    EXPECT_EQ(FileBytes(dir.File("text.mdb")), String(4096, 'x'));
    EXPECT_FALSE(FileExists(dir.File("empty.mdb-wal")));
}

// Makes a file or folder read-only for everyone while it lives: mode bits, and the immutable
// flag where the file system and the user allow it (the mode alone does not stop the root user).
class ReadOnlyPath {
public:
    explicit ReadOnlyPath(const String& path) : FPath(path) {
        struct stat st {};
        ::stat(path.c_str(), &st);
        FMode = st.st_mode & 07777;
        ::chmod(path.c_str(), FMode & ~0222);
        FImmutable = SetImmutable(true);
    }
    ~ReadOnlyPath() {
        if (FImmutable) SetImmutable(false);
        ::chmod(FPath.c_str(), FMode);
    }

private:
    bool SetImmutable(bool on) {
        const int fd = ::open(FPath.c_str(), O_RDONLY | O_NONBLOCK);
        if (fd < 0) return false;
        int flags = 0;
        bool ok = ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
        flags = on ? flags | FS_IMMUTABLE_FL : flags & ~FS_IMMUTABLE_FL;
        ok = ok && ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
        ::close(fd);
        return ok;
    }
    String FPath;
    mode_t FMode = 0;
    bool FImmutable = false;
};

TEST(ADOConnection, AReadOnlyFileOrFolderOpensForReading) {
    const struct {
        const char* What;
        bool File, Folder;
    } cases[] = {{"read-only file in a read-only folder", true, true},
                 {"read-only folder", false, true},
                 {"read-only file", true, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.What);
        TempDir dir;
        const String folder = dir.File("ro");
        ::mkdir(folder.c_str(), 0755);
        const String file = folder + "/wuyegl.mdb";
        MakeDatabase(file, "pw", {"create table T (F_a text(10))", "insert into T values ('kept')"});
        const String before = FileBytes(file);
        {
            std::unique_ptr<ReadOnlyPath> lockedFile, lockedFolder;
            if (c.File) lockedFile = std::make_unique<ReadOnlyPath>(file);
            if (c.Folder) lockedFolder = std::make_unique<ReadOnlyPath>(folder);
            TADOConnection cnn;
            cnn.SetConnectionString(ConnectionStringFor(file, "pw"));
            ASSERT_NO_THROW(cnn.Open());
            TADOQuery q;
            q.SetConnection(&cnn);
            q.SQL()->SetText("select F_a from T");
            q.Open();
            EXPECT_EQ(q.Fields()[0]->AsString(), "kept");
            q.Close();
            EXPECT_THROW(cnn.Execute("insert into T values ('new')"), EDatabaseError);
            TADOConnection wrong;
            wrong.SetConnectionString(ConnectionStringFor(file, "guess"));
            EXPECT_THROW(wrong.Open(), EDatabaseError);
        }
        EXPECT_EQ(FileBytes(file), before);
    }
}

// Statements the database refuses leave the file as it was, byte for byte.
TEST(ADOConnection, RefusedStatementsLeaveTheFileByteIdentical) {
    TempDir dir;
    const String file = dir.File("wuyegl.mdb");
    MakeDatabase(file, "pw",
                 {"create table T (F_code text(5), F_date datetime, F_n long, F_flag yesno)",
                  "create unique index ux_T on T (F_code)",
                  "insert into T values ('a', #2026-03-01#, 1, True)"});
    const struct {
        const char* Jet;
        const char* Message;
    } cases[] = {
        {"insert into T (F_code) values ('b'); delete from T",
         "Characters found after end of SQL statement."},
        {"insert into T (F_code) values ('toolong')", "The field is too small"},
        {"update T set F_code = F_code & 'xxxxx'", "The field is too small"},
        {"insert into T (F_code, F_date) values ('c', 'someday')", "Data type mismatch"},
        {"update T set F_n = CLng(1e30)", "Overflow"},
        {"update T set F_n = F_n / 0", "Division by zero"},
        {"update T set F_date = DateSerial(99999, 1, 1)", "Overflow"},
        {"insert into T (F_code) values ('A')", "duplicate values in the index"},
        {"transform count(*) select F_code from T group by F_code pivot F_n", "TRANSFORM is not supported."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Jet);
        const String before = FileBytes(file);
        {
            TADOConnection cnn;
            cnn.SetConnectionString(ConnectionStringFor(file, "pw"));
            try {
                cnn.Execute(c.Jet);
                ADD_FAILURE() << "ran";
            } catch (const Exception& e) {
                EXPECT_NE(e.Message().find(c.Message), String::npos) << e.Message();
            }
        }
        EXPECT_EQ(FileBytes(file), before);
    }
}

TEST(ADOConnection, AWrongPasswordLeavesTheFileUntouched) {
    TempDir dir;
    const String file = dir.File("wuyegl.mdb");
    MakeDatabase(file, "secret", {"create table T (F_a long)", "insert into T values (1)"});
    const String before = FileBytes(file);
    TADOConnection bad;
    bad.SetConnectionString(ConnectionStringFor(file, "guess"));
    EXPECT_THROW(bad.Open(), EDatabaseError);
    EXPECT_EQ(FileBytes(file), before);
    EXPECT_FALSE(FileExists(file + "-wal") && FileSize(file + "-wal") > 0);
}

TEST(ADOConnection, CreatingOverAnExistingFileFails) {
    TempDir dir;
    const String file = dir.File("wuyegl.mdb");
    TADOConnection::CreateDatabase(file, "a");
    EXPECT_THROW(TADOConnection::CreateDatabase(file, "b"), EDatabaseError);
    TADOConnection cnn;
    cnn.SetConnectionString(ConnectionStringFor(file, "a"));
    EXPECT_NO_THROW(cnn.Open());
}

class ConnectionTest : public DbTest {
protected:
    void SetUp() override {
        DbTest::SetUp();
        Run("create table T_rec (F_ID counter, F_code text(20) not null, F_amount double)");
    }
    int Count() { return std::stoi(Rows("select count(*) from T_rec")); }
};

TEST_F(ConnectionTest, ExecuteReturnsTheRowsChanged) {
    EXPECT_EQ(Cnn->Execute("insert into T_rec (F_code) values ('a')"), 1);
    EXPECT_EQ(Cnn->Execute("insert into T_rec (F_code) values ('b')"), 1);
    EXPECT_EQ(Cnn->Execute("update T_rec set F_amount = 1"), 2);
    EXPECT_EQ(Cnn->Execute("delete from T_rec where F_code = 'zz'"), 0);
    EXPECT_EQ(Cnn->Execute("delete from T_rec"), 2);
}

TEST_F(ConnectionTest, AFailureBetweenTwoWritesRollsBothBack) {
    Cnn->BeginTrans();
    try {
        Run("insert into T_rec (F_code) values ('first')");
        Run("insert into T_rec (F_code) values (Null)"); // F_code must have a value
        Cnn->CommitTrans();
        FAIL();
    } catch (const EDatabaseError& e) {
        EXPECT_NE(e.Message().find("F_code"), String::npos) << e.Message();
        Cnn->RollbackTrans();
    }
    EXPECT_FALSE(Cnn->InTransaction());
    EXPECT_EQ(Count(), 0);
}

TEST_F(ConnectionTest, NestedTransactionsEndInnermostFirst) {
    EXPECT_EQ(Cnn->BeginTrans(), 1);
    Run("insert into T_rec (F_code) values ('outer')");
    EXPECT_EQ(Cnn->BeginTrans(), 2);
    Run("insert into T_rec (F_code) values ('inner')");
    Cnn->RollbackTrans(); // only the inner work goes
    EXPECT_TRUE(Cnn->InTransaction());
    EXPECT_EQ(Cnn->BeginTrans(), 2);
    Run("insert into T_rec (F_code) values ('inner2')");
    Cnn->CommitTrans();
    Cnn->CommitTrans();
    EXPECT_FALSE(Cnn->InTransaction());
    EXPECT_EQ(Rows("select F_code from T_rec order by F_ID"), "outer;inner2");
    EXPECT_THROW(Cnn->CommitTrans(), EDatabaseError);
}

TEST_F(ConnectionTest, ParametersBindValuesThatHoldQuotes) {
    auto q = Query("insert into T_rec (F_code, F_amount) values (:Code, :amount)");
    const String evil = "x'); drop table T;--"; // within the column's 20 characters
    q->Parameters()->ParamByName("code")->SetValue(evil);
    q->Parameters()->ParamByName("AMOUNT")->SetValue(2.5);
    EXPECT_EQ(q->ExecSQL(), 1);
    EXPECT_EQ(q->RowsAffected(), 1);
    EXPECT_EQ(Rows("select F_code, F_amount from T_rec"), evil + ",2.5");
    EXPECT_THROW(q->Parameters()->ParamByName("nope"), EDatabaseError);
}

TEST_F(ConnectionTest, CommandRunsWithItsParameters) {
    TADOCommand cmd;
    cmd.SetConnection(Cnn.get());
    cmd.SetCommandText("insert into T_rec (F_code, F_amount) values (:c, :a)");
    ASSERT_EQ(cmd.Parameters()->Count(), 2);
    cmd.Parameters()->ParamByName("C")->SetValue("k");
    cmd.Parameters()->ParamByName("a")->SetValue(3);
    EXPECT_EQ(cmd.Execute(), 1);
    EXPECT_EQ(Rows("select F_code, F_amount from T_rec"), "k,3");
}

TEST_F(ConnectionTest, ClosingTheConnectionClosesItsQueriesAndTheNextOpenReconnects) {
    Run("insert into T_rec (F_code) values ('a')");
    auto q = Query("select * from T_rec");
    q->Open();
    Cnn->Close();
    EXPECT_FALSE(q->Active());
    q->Open(); // the connection opens again with the same connection string
    EXPECT_TRUE(Cnn->Connected());
    EXPECT_EQ(q->RecordCount(), 1);
}

TEST_F(ConnectionTest, TwoConnectionsOnOneFileWriteAndReadAtOnce) {
    TADOConnection other;
    other.SetConnectionString(ConnectionStringFor(FileName, "tomervalix"));
    other.Open();
    std::thread writer([&] {
        TADOConnection w;
        w.SetConnectionString(ConnectionStringFor(FileName, "tomervalix"));
        for (int i = 0; i < 200; ++i) {
            w.BeginTrans();
            w.Execute("insert into T_rec (F_code, F_amount) values ('w', " + std::to_string(i) + ")");
            w.Execute("update T_rec set F_amount = F_amount + 1 where F_code = 'w'");
            w.CommitTrans();
        }
    });
    int lastSeen = 0;
    bool shrank = false;
    for (int i = 0; i < 200; ++i) {
        TADOQuery q;
        q.SetConnection(&other);
        q.SQL()->SetText("select count(*) from T_rec");
        q.Open();
        const int n = q.Fields()[0]->AsInteger();
        if (n < lastSeen) shrank = true;
        lastSeen = n;
        Cnn->Execute("update T_rec set F_amount = F_amount where F_ID = 1");
    }
    writer.join();
    EXPECT_FALSE(shrank);
    EXPECT_EQ(Count(), 200);
}

TEST_F(ConnectionTest, CompactionKeepsTheData) {
    for (int i = 0; i < 50; ++i)
        Run("insert into T_rec (F_code) values ('r" + std::to_string(i) + "')");
    Run("delete from T_rec where F_ID > 10");
    Cnn->Close();
    TADOConnection::CompactDatabase(FileName, "tomervalix");
    EXPECT_THROW(TADOConnection::CompactDatabase(FileName, "bad"), EDatabaseError);
    Cnn->Open();
    EXPECT_EQ(Count(), 10);
}

} // namespace
