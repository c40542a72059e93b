// The work tables as tables of each connection: two stations on one file keep their own rows,
// the file's tables stay untouched, the columns are the schema's, and a run after a compaction
// (which closed the connection) makes them again.
#include "StatisticsFixture.h"

#include "app/fees/StatisticsWorkTables.h"
#include "app/fees/uFrmKCPJdetailTJ.h"

namespace {

class WorkTables : public Statistics {
protected:
    void SetUp() override {
        Statistics::SetUp();
        Exec("insert into T_pjJHrec (F_PJcode, F_amount, F_OperFlag, F_XQname) select F_code, 3, 1, F_XQname "
             "from T_PJinfo");
    }
    std::vector<String> Intakes(TStatisticsWindow& window) { return Column(window, "F_enter"); }
};

String Scalar(TADOConnection& connection, const String& sql) {
    TADOQuery query;
    query.SetConnection(&connection);
    query.SQL()->SetText(sql);
    query.Open();
    return query.Fields()[0]->AsString();
}

} // namespace

TEST_F(WorkTables, TwoStationsKeepTheirOwnRowsAndTheFilesTablesStayEmpty) {
    auto first = Open<TfrmKCPJdetailTJ>();
    first->QueryClick();
    const std::vector<String> intakes = Intakes(*first);
    ASSERT_FALSE(intakes.empty());
    EXPECT_EQ(intakes.front(), "3");

    // A second station on the same file, in the middle of its own run.
    TdmData second(nullptr);
    ASSERT_TRUE(second.DataModuleCreate());
    PrepareWorkTables(second.ADOcnn(), {"tempDepot"});
    second.ADOcnn()->Execute("delete from tempDepot");
    second.ADOcnn()->Execute("insert into tempDepot (F_PJid, F_enter, F_flag) values (1, 999, 1)");
    EXPECT_EQ(Scalar(*second.ADOcnn(), "select count(*) from tempDepot"), "1");
    // The first station's rows are its own; a run of it now lists the same figures.
    EXPECT_EQ(One("select count(*) from tempDepot where F_enter = 999"), "0");
    first->QueryClick();
    EXPECT_EQ(Intakes(*first), intakes);
    EXPECT_EQ(Scalar(*second.ADOcnn(), "select F_enter from tempDepot"), "999");
    // Nothing reached the file's tables.
    EXPECT_EQ(One("select count(*) from main.tempDepot"), "0");
    EXPECT_EQ(Scalar(*second.ADOcnn(), "select count(*) from main.tempDepot"), "0");
}

TEST_F(WorkTables, TheColumnsAreTheSchemasWithTheirDefaults) {
    PrepareWorkTables(Dm->ADOcnn(), {"tempFYrec", "tempJYrec", "tempDepot"});
    for (const char* table : {"tempFYrec", "tempJYrec"}) {
        EXPECT_EQ(One(String("select group_concat(name || ' ' || type || ' ' || ifnull(dflt_value, ''), ',') from "
                             "pragma_table_info('") + table + "', 'temp')"),
                  One(String("select group_concat(name || ' ' || type || ' ' || ifnull(dflt_value, ''), ',') from "
                             "pragma_table_info('") + table + "', 'main')"))
            << table;
    }
    // The part row column the stock summary keys by.
    EXPECT_EQ(One("select type || ' ' || dflt_value from pragma_table_info('tempDepot', 'temp') where name = "
                  "'F_PJid'"),
              "INTEGER 0");
    Exec("insert into tempFYrec (F_MainID) values (1)");
    EXPECT_EQ(One("select F_SZ1 + F_SZ15 from tempFYrec"), "0") << "the pivots rely on zeros";
    EXPECT_THROW(WorkTableDeclaration("tempNone"), Exception);
}

TEST_F(WorkTables, ARunAfterACompactionMakesThemAgain) {
    auto window = Open<TfrmKCPJdetailTJ>();
    window->QueryClick();
    const std::vector<String> intakes = Intakes(*window);
    window->QryTable->Close();
    const String file = Dm->ADOcnn()->DataSourceFile();
    Dm->ADOcnn()->Close();
    TADOConnection::CompactDatabase(file, "tomervalix");
    window->QueryClick();
    EXPECT_EQ(Intakes(*window), intakes);
    EXPECT_TRUE(Messages.empty());
    EXPECT_EQ(One("select count(*) from main.tempDepot"), "0");
}
