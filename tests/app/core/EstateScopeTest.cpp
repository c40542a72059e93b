#include "app/core/EstateScope.h"

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

} // namespace
