#include "app/core/DefaultDatabase.h"
#include "app/core/Rights.h"

#include "rtl/StrUtils.h"

#include <gtest/gtest.h>

#include <set>

namespace {

TEST(SchemaText, SplitsAtSemicolonsOutsideQuotesAndDropsComments) {
    const auto statements = SplitSqlStatements("-- a comment; not a statement\n"
                                               "CREATE TABLE a (x TEXT(5));\n"
                                               "  -- another\n"
                                               "INSERT INTO a (x) VALUES ('1;2'), ('it''s; --no');\n\n;\n"
                                               "DELETE FROM a");
    ASSERT_EQ(statements.size(), 3u);
    EXPECT_EQ(statements[0], "CREATE TABLE a (x TEXT(5))");
    EXPECT_EQ(statements[1], "INSERT INTO a (x) VALUES ('1;2'), ('it''s; --no')");
    EXPECT_EQ(statements[2], "DELETE FROM a");
}

TEST(SchemaText, CreatesEveryTableOfTheSystem) {
    std::set<String> tables;
    for (const String& s : DefaultDatabaseStatements())
        if (StartsText("CREATE TABLE ", s)) tables.insert(LowerCase(Trim(s.substr(13, s.find('(') - 13))));
    for (const char* name :
         {"OperList",   "OperLimit",    "Limits",   "LogRec",    "SysInfo",    "cfg_Grid",
          "cfg_import", "t_code",       "T_XQinfo", "T_FCinfo",  "T_carPos",   "T_PJinfo",
          "T_pjJHrec",  "T_publicSet",  "T_BJinfo", "T_XLinfo",  "T_YJinfo",   "T_FYinfo",
          "T_wyFYrec",  "T_wyFKrec",    "T_YSKrec", "t_GTinfo",  "t_GTdetail", "t_wyGTrec",
          "T_ZHBX",     "t_ZHBXdetail", "tempCode", "tempFYrec", "tempJYrec",  "tempDepot"})
        EXPECT_EQ(tables.count(LowerCase(name)), 1u) << name;
    EXPECT_EQ(tables.size(), 30u);
}

TEST(SchemaText, ShipsOneLimitsRowPerActionNamedAfterIt) {
    int rows = 0;
    for (const String& s : DefaultDatabaseStatements()) {
        if (!StartsText("INSERT INTO Limits ", s)) continue;
        ++rows;
    }
    EXPECT_EQ(rows, 34);
    const String text = WuyeglSchemaText();
    for (const TActionInfo& a : AppActions()) {
        const String row = "VALUES ('" + String(a.Caption) + "', '" + std::to_string(a.Code) + "', True)";
        EXPECT_NE(text.find(row), String::npos) << row;
    }
}

} // namespace
