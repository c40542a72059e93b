// Temporary tables of a connection: made from a Jet declaration, they shadow the file's table of
// the same name for that connection alone, keep the declared types, defaults and rules, and go
// with the connection.
#include "DbFixture.h"

namespace {

const String WorkDeclaration = "CREATE TABLE tempWork (F_code TEXT(5), F_amount DOUBLE DEFAULT 0, "
                               "F_price CURRENCY DEFAULT 0, F_day DATETIME, F_flag LONG DEFAULT 0)";

class TemporaryTable : public DbTest {
protected:
    void SetUp() override {
        DbTest::SetUp();
        Run(WorkDeclaration);
        Run("insert into tempWork (F_code) values ('file')");
    }
    std::unique_ptr<TADOConnection> Second() {
        auto second = std::make_unique<TADOConnection>();
        second->SetConnectionString(ConnectionStringFor(FileName, "tomervalix"));
        second->Open();
        return second;
    }
};

String Scalar(TADOConnection& connection, const String& sql) {
    TADOQuery query;
    query.SetConnection(&connection);
    query.SQL()->SetText(sql);
    query.Open();
    return query.Fields()[0]->IsNull() ? String("null") : query.Fields()[0]->AsString();
}

} // namespace

TEST_F(TemporaryTable, ShadowsTheFilesTableForItsConnectionOnly) {
    EXPECT_TRUE(Cnn->CreateTemporaryTable(WorkDeclaration));
    EXPECT_FALSE(Cnn->CreateTemporaryTable(WorkDeclaration)) << "made once per connection";
    EXPECT_EQ(Rows("select count(*) from tempWork"), "0");
    Run("insert into tempWork (F_code) values ('mine')");
    // Defaults of the declaration: the unnamed columns read 0, not Null.
    EXPECT_EQ(Rows("select F_code, F_amount, F_price, F_flag from tempWork"), "mine,0,0,0");

    auto second = Second();
    EXPECT_EQ(Scalar(*second, "select F_code from tempWork"), "file");
    EXPECT_TRUE(second->CreateTemporaryTable(WorkDeclaration));
    second->Execute("insert into tempWork (F_code) values ('other')");
    EXPECT_EQ(Scalar(*second, "select F_code from tempWork"), "other");
    EXPECT_EQ(Rows("select F_code from tempWork"), "mine");
    EXPECT_EQ(Rows("select F_code from main.tempWork"), "file") << "the file's table untouched";
}

TEST_F(TemporaryTable, KeepsTheDeclaredTypesAndRules) {
    Cnn->CreateTemporaryTable(WorkDeclaration);
    // The types the file's table was made with.
    EXPECT_EQ(Rows("select type from pragma_table_info('tempWork', 'temp') order by cid"),
              Rows("select type from pragma_table_info('tempWork', 'main') order by cid"));
    // Money stays exact through a sum; a date is stored in the date form; a long text is refused.
    Run("insert into tempWork (F_code, F_price, F_day) values ('a', 0.1, '2027-2-3')");
    Run("insert into tempWork (F_code, F_price) values ('b', 0.2)");
    EXPECT_EQ(Rows("select sum(F_price) from tempWork"), "0.3");
    EXPECT_EQ(Rows("select F_day from tempWork where F_code = 'a'"), "2027-02-03");
    EXPECT_THROW(Run("insert into tempWork (F_code) values ('toolong')"), EDatabaseError);
    // The file's table keeps its own rules (named alike, in its own schema).
    EXPECT_EQ(Rows("select count(*) from main.sqlite_master where type = 'trigger' and "
                   "name like 'orv_rules_tempWork%'"),
              "2");
}

TEST_F(TemporaryTable, GoesWithTheConnectionAndIsMadeAgain) {
    Cnn->CreateTemporaryTable(WorkDeclaration);
    Run("insert into tempWork (F_code) values ('mine')");
    Cnn->Close();
    TADOConnection::CompactDatabase(FileName, "tomervalix");
    Cnn->Open();
    EXPECT_EQ(Rows("select F_code from tempWork"), "file") << "closing dropped it";
    EXPECT_TRUE(Cnn->CreateTemporaryTable(WorkDeclaration));
    EXPECT_EQ(Rows("select count(*) from tempWork"), "0");
}

TEST_F(TemporaryTable, RefusesWhatIsNoDeclaration) {
    EXPECT_THROW(Cnn->CreateTemporaryTable("select * from tempWork"), EDatabaseError);
    EXPECT_THROW(Cnn->CreateTemporaryTable("ALTER TABLE tempWork ADD COLUMN F_x LONG"), EDatabaseError);
}
