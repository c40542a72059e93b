// A workbook through the Jet connection string with "Extended Properties=Excel 8.0".
#include "DbFixture.h"
#include "XlsFixture.h"

#include "db/ADODB.h"
#include "rtl/StringList.h"

#include <gtest/gtest.h>

namespace {

String WorkbookConnection(const String& file) {
    return "Provider=Microsoft.Jet.OLEDB.4.0; Data Source=" + file + "; " + "Extended Properties=Excel 8.0; " +
           "Persist Security Info=False";
}

class WorkbookSheets : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(WriteXls(Book, {{"说明", {{XlsText("只是说明")}}},
                                    {"房屋",
                                     {{XlsText("小区名称"), XlsEmpty(), XlsText("建筑面积"), XlsText("小区名称"),
                                       XlsText("入住日期")},
                                      {XlsText("阳光小区"), XlsText("x"), XlsNumber(85.5), XlsText("dup"),
                                       XlsDate("2021-06-01")},
                                      {},
                                      {XlsText("翠湖花园"), XlsEmpty(), XlsNumber(101), XlsEmpty(), XlsEmpty()}}},
                                    {"只有标题", {{XlsText("房间编号"), XlsText("楼层")}}},
                                    {"空表", {}}}));
        Cnn.SetLoginPrompt(false);
        Cnn.SetConnectionString(WorkbookConnection(Book));
        Cnn.Open();
    }
    std::vector<String> Rows(const String& sql) {
        TADOQuery q;
        q.SetConnection(&Cnn);
        q.SQL()->SetText(sql);
        q.Open();
        std::vector<String> rows;
        String names;
        for (int i = 0; i < q.FieldCount(); ++i)
            names += (i ? "|" : "") + q.Fields()[i]->FieldName();
        rows.push_back(names);
        for (q.First(); !q.Eof(); q.Next()) {
            String row;
            for (int i = 0; i < q.FieldCount(); ++i)
                row += (i ? "|" : "") + (q.Fields()[i]->IsNull() ? String("<null>") : q.Fields()[i]->AsString());
            rows.push_back(row);
        }
        return rows;
    }
    TempDir Dir;
    String Book = Dir.File("houses.xls");
    TADOConnection Cnn;
};

TEST_F(WorkbookSheets, SheetsAreTablesInWorkbookOrder) {
    TStringList names;
    Cnn.GetTableNames(&names);
    EXPECT_EQ(names.Text(), "说明\r\n房屋\r\n只有标题\r\n空表\r\n");
}

TEST_F(WorkbookSheets, ASheetReadsAsTextColumnsNamedByItsFirstRow) {
    EXPECT_EQ(Rows("select * from [房屋] "),
              (std::vector<String>{"小区名称|F2|建筑面积|F4|入住日期", "阳光小区|x|85.5|dup|2021-06-01",
                                   "<null>|<null>|<null>|<null>|<null>", "翠湖花园|<null>|101|<null>|<null>"}));
    EXPECT_EQ(Rows("select * from [只有标题] "), (std::vector<String>{"房间编号|楼层"}));
    EXPECT_EQ(Rows("select * from [空表]"), (std::vector<String>{"F1"}));
    TADOQuery q;
    q.SetConnection(&Cnn);
    q.SQL()->SetText("select * from [房屋]");
    q.Open();
    EXPECT_EQ(q.FieldByName("建筑面积")->DataType(), ftString);
}

TEST_F(WorkbookSheets, TheWorkbookIsReadOnly) {
    EXPECT_THROW(Cnn.Execute("delete from [房屋]"), EDatabaseError);
    EXPECT_EQ(Rows("select count(*) as n from [房屋]"), (std::vector<String>{"n", "3"}));
}

TEST(WorkbookConnection, WhatIsNotAWorkbookIsRefused) {
    TempDir dir;
    TempDir::WriteAll(dir.File("text.xls"), "小区名称\t房间编号\n");
    const String database = dir.File("wuyegl.xls");
    TADOConnection::CreateDatabase(database, ""); // a database file named as a workbook
    const struct {
        String File;
        const char* Message;
    } cases[] = {{dir.File("text.xls"), "External table is not in the expected format."},
                 {database, "External table is not in the expected format."},
                 {dir.File("none.xls"), "Could not find file"},
                 {"", "Could not find file"}};
    for (const auto& c : cases) {
        TADOConnection cnn;
        cnn.SetConnectionString(WorkbookConnection(c.File));
        try {
            cnn.Open();
            ADD_FAILURE() << "opened " << c.File;
        } catch (const EDatabaseError& e) {
            EXPECT_NE(e.Message().find(c.Message), String::npos) << e.Message();
        }
        EXPECT_FALSE(cnn.Connected());
    }
    TADOConnection other;
    other.SetConnectionString(ConnectionStringFor(database, "") + ";Extended Properties=dBASE IV");
    EXPECT_THROW(other.Open(), EDatabaseError);
}

TEST(WorkbookConnection, ADatabaseListsItsTablesByName) {
    TempDir dir;
    const String file = dir.File("wuyegl.mdb");
    TADOConnection::CreateDatabase(file, "pw");
    TADOConnection cnn;
    cnn.SetConnectionString(ConnectionStringFor(file, "pw"));
    cnn.Execute("create table zeta (a text(10))");
    cnn.Execute("create table Alpha (a text(10))");
    TStringList names;
    cnn.GetTableNames(&names);
    EXPECT_EQ(names.Text(), "Alpha\r\nzeta\r\n");
    cnn.GetTableNames(&names, true);
    EXPECT_EQ(names.Text(), "Alpha\r\nMSysPassword\r\nzeta\r\n");
}

} // namespace
