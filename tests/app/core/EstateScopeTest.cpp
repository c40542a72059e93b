#include "app/core/EstateScope.h"
#include "AppFixture.h"

#include "rtl/StrUtils.h"
#include "rtl/StringList.h"

#include <gtest/gtest.h>

namespace {

using Names = std::vector<String>;

TEST(EstateScope, ParsesTheStoredList) {
    EXPECT_EQ(ParseXQList("'A','B'"), (Names{"A", "B"}));
    EXPECT_EQ(ParseXQList(" 'A' , 'B' "), (Names{"A", "B"}));
    EXPECT_EQ(ParseXQList("'阳光花园','O''Brien'"), (Names{"阳光花园", "O'Brien"}));
    // A quote the editor did not double is kept as part of the name.
    EXPECT_EQ(ParseXQList("'O'Brien','B'"), (Names{"O'Brien", "B"}));
    EXPECT_EQ(ParseXQList("A, B"), (Names{"A", "B"}));
    EXPECT_EQ(ParseXQList(""), Names{});
    EXPECT_EQ(ParseXQList(" , '' ,"), Names{});
    // The full-width comma of Chinese input separates as "," does, quoted or bare; inside a
    // quoted name it stays part of the name.
    EXPECT_EQ(ParseXQList("'A'，'B'"), (Names{"A", "B"}));
    EXPECT_EQ(ParseXQList("A，B, C"), (Names{"A", "B", "C"}));
    EXPECT_EQ(ParseXQList("'甲，乙','C'"), (Names{"甲，乙", "C"}));
    EXPECT_EQ(BuildXQNameScopeSQL("'A'，'B'"), "and (F_name in ('A','B'))");
}

TEST(EstateScope, FormatsNamesWithQuotesDoubled) {
    EXPECT_EQ(FormatXQList({"A", "B"}), "'A','B'");
    EXPECT_EQ(FormatXQList({"x') or (1=1"}), "'x'') or (1=1'");
    EXPECT_EQ(ParseXQList(FormatXQList({"a'b", "c,d"})), (Names{"a'b", "c,d"}));
}

TEST(EstateScope, BuildsTheConditionsOfARestrictedOperator) {
    EXPECT_EQ(BuildXQScopeSQL("'A','B'"),
              "and ((F_XQname in ('A','B'))Or(F_XQname = '')or(F_XQname is Null)) ");
    EXPECT_EQ(BuildXQScopeSQL("'A'", "f."),
              "and ((f.F_XQname in ('A'))Or(f.F_XQname = '')or(f.F_XQname is Null)) ");
    EXPECT_EQ(BuildXQNameScopeSQL("'A','B'"), "and (F_name in ('A','B'))");
}

TEST(EstateScope, AnEmptyListSelectsNoEstateInsteadOfFailing) {
    EXPECT_EQ(BuildXQNameScopeSQL(""), "and (1=0)");
    EXPECT_EQ(BuildXQScopeSQL("  "), "and ((1=0)Or(F_XQname = '')or(F_XQname is Null)) ");
}

TEST(EstateScope, ANameCannotChangeTheStatement) {
    const String scope = BuildXQNameScopeSQL("'x'') or (1=1'");
    EXPECT_EQ(scope, "and (F_name in ('x'') or (1=1'))");
}

using EstateScopeInDatabase = AppFixture;

TEST_F(EstateScopeInDatabase, ListsShowTheListedEstatesAndRecordsWithoutAnEstate) {
    Connect();
    int code = 0;
    for (const char* estate : {"A", "B", "C", "O'Brien"}) // estate codes are unique
        ASSERT_TRUE(Dm->RunSQL("insert into T_XQinfo (F_code, F_name) values ('00" + std::to_string(++code) +
                               "', " + QuotedStr(estate) + ")"));
    ASSERT_TRUE(Dm->RunSQL("insert into T_FCinfo (F_XQname, F_code) values ('A', '1')"));
    ASSERT_TRUE(Dm->RunSQL("insert into T_FCinfo (F_XQname, F_code) values ('C', '2')"));
    ASSERT_TRUE(Dm->RunSQL("insert into T_FCinfo (F_XQname, F_code) values ('', '3')"));
    ASSERT_TRUE(Dm->RunSQL("insert into T_FCinfo (F_code) values ('4')"));
    ASSERT_TRUE(Dm->RunSQL("insert into T_FCinfo (F_XQname, F_code) values ('O''Brien', '5')"));
    struct Case {
        const char* list;
        const char* estates;
        const char* houses;
    };
    for (const Case& c : {Case{"'A','B'", "A,B", "1,3,4"}, Case{"'a'", "A", "1,3,4"},
                          Case{"'O''Brien'", "O'Brien", "3,4,5"}, Case{"", "", "3,4"}}) {
        TStringList estates;
        Dm->FillCombo("select f_name from T_XQinfo where f_name <> '' " + BuildXQNameScopeSQL(c.list) +
                          " order by F_ID",
                      estates);
        String houses;
        for (const String& row :
             Rows("select F_code from T_FCinfo where (1=1) " + BuildXQScopeSQL(c.list) + "order by F_code"))
            houses += (houses.empty() ? "" : ",") + row;
        EXPECT_EQ(estates.CommaText(), c.estates) << c.list;
        EXPECT_EQ(houses, c.houses) << c.list;
    }
    EXPECT_TRUE(Messages.empty()); // no list fails, the empty one included
}

} // namespace
