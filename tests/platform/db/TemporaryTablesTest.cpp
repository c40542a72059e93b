// Temporary tables: a work table of the file made again per connection, shadowing the file's
// table, so two connections on one file keep their own rows and the file's table stays empty.
#include "DbFixture.h"

#include "rtl/SysUtils.h"

namespace {

class TemporaryTables : public DbTest {
protected:
    void SetUp() override {
        DbTest::SetUp();
        Run("CREATE TABLE tempCode (F_code TEXT(5))");
        Run("CREATE TABLE T_part (F_ID COUNTER PRIMARY KEY, F_code TEXT(50))");
        Run("INSERT INTO T_part (F_code) VALUES ('P01')");
        Run("INSERT INTO T_part (F_code) VALUES ('P02')");
        Run("INSERT INTO T_part (F_code) VALUES ('P03')");
        Cnn->AddTemporaryTable("tempCode");
    }

    std::unique_ptr<TADOConnection> Second() {
        auto cnn = std::make_unique<TADOConnection>();
        cnn->SetConnectionString(ConnectionStringFor(FileName, "tomervalix"));
        cnn->AddTemporaryTable("tempCode");
        cnn->Open();
        return cnn;
    }

    static String Read(TADOConnection& cnn, const String& sql) {
        TADOQuery q;
        q.SetConnection(&cnn);
        q.SQL()->SetText(sql);
        q.Open();
        String out;
        for (q.First(); !q.Eof(); q.Next())
            out += (out.empty() ? "" : ",") + q.Fields()[0]->AsString();
        return out;
    }

    // A pick as the part picker remembers it: a row appended through a query on the table.
    static void Remember(TADOConnection& cnn, const String& code) {
        TADOQuery q;
        q.SetConnection(&cnn);
        q.SQL()->SetText("select F_code from tempCode ");
        q.Open();
        q.Append();
        q.FieldByName("F_code")->SetAsString(code);
        q.Post();
    }
};

TEST_F(TemporaryTables, TwoConnectionsKeepTheirOwnRowsAndTheFileTableStaysEmpty) {
    auto other = Second();
    Remember(*Cnn, "P01");
    Remember(*other, "P02");
    Remember(*other, "P03");
    const String list = "select F_code from T_part where not(F_code in (select F_code from tempCode)) order by F_code";
    EXPECT_EQ(Read(*Cnn, list), "P02,P03");
    EXPECT_EQ(Read(*other, list), "P01");
    // One station emptying its pool leaves the other's.
    Cnn->Execute("delete from tempCode");
    EXPECT_EQ(Read(*Cnn, list), "P01,P02,P03");
    EXPECT_EQ(Read(*other, list), "P01");
    // A connection that has no temporary table of the name reads the file's table: empty.
    TADOConnection plain;
    plain.SetConnectionString(ConnectionStringFor(FileName, "tomervalix"));
    EXPECT_EQ(Read(plain, "select count(*) from tempCode"), "0");
    EXPECT_EQ(Read(*Cnn, "select count(*) from main.tempCode"), "0");
}

TEST_F(TemporaryTables, AreMadeAgainEmptyAfterTheConnectionReopens) {
    Remember(*Cnn, "P01");
    Cnn->Close();
    Cnn->Open();
    EXPECT_EQ(Read(*Cnn, "select count(*) from tempCode"), "0");
    Remember(*Cnn, "P02");
    EXPECT_EQ(Read(*Cnn, "select F_code from tempCode"), "P02");
    EXPECT_EQ(Read(*Cnn, "select count(*) from main.tempCode"), "0");
}

TEST_F(TemporaryTables, KeepTheDeclaredColumnRulesWithoutTouchingTheFileSchema) {
    const String rules = "select count(*) from main.sqlite_master where type = 'trigger' and name like "
                         "'orv_rules_tempCode%'";
    const String before = Read(*Cnn, rules);
    try {
        Cnn->Execute("insert into tempCode (F_code) values ('TOOLONG')");
        ADD_FAILURE() << "a text beyond the declared size was written";
    } catch (const EDatabaseError& e) {
        EXPECT_NE(String(e.what()).find("too small"), String::npos) << e.what();
    }
    // Text compares without regard to case, as in the file's table.
    Cnn->Execute("insert into tempCode (F_code) values ('p01')");
    EXPECT_EQ(Read(*Cnn, "select F_code from T_part where F_code in (select F_code from tempCode)"), "P01");
    EXPECT_EQ(Read(*Cnn, rules), before);
}

TEST_F(TemporaryTables, ATableTheFileLacksIsRefusedAndTheConnectionStaysUsable) {
    EXPECT_THROW(Cnn->AddTemporaryTable("tempNowhere"), EDatabaseError);
    EXPECT_EQ(Read(*Cnn, "select count(*) from T_part"), "3");
}

} // namespace
