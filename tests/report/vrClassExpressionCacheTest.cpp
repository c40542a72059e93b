// The expression cache: one compiled function per expression text, in each language.
#include "report/vrClass.h"
#include "report/vrRes.h"
#include "script/vs_iinterpreter.h"

#include <gtest/gtest.h>

namespace {

struct ExpressionCache : ::testing::Test {
    ExpressionCache() { main.AddRTTI(); }
    TvsScript main{nullptr};
    TvrExpressionCache cache{&main};
    Variant Eval(const String& e, String& error) {
        Variant v;
        cache.Calc(e, error, v, &main);
        return v;
    }
};

TEST_F(ExpressionCache, EachNewExpressionBecomesTheNextFunctionInEveryLanguage) {
    for (const char* language : {"PascalScript", "D++Idezer", "VuzirUzezid", "JScript"}) {
        cache.Clear();
        cache.ScriptLanguage = language;
        String error;
        EXPECT_EQ(Eval("1 + 2", error).AsInteger(), 3) << language << ": " << error;
        EXPECT_NE(cache.Script()->FindLocal("di3f0"), nullptr) << language;
        EXPECT_EQ(Eval("10 * 3", error).AsInteger(), 30) << language << ": " << error;
        EXPECT_NE(cache.Script()->FindLocal("di3f1"), nullptr) << language;
        EXPECT_EQ(Eval("1 + 2", error).AsInteger(), 3) << language;
        EXPECT_EQ(cache.Count(), 2) << language; // the first one compiled nothing again
        EXPECT_TRUE(main.IsMainProgram);
    }
}

TEST_F(ExpressionCache, TextsThatDifferInCaseKeepTheirOwnValues) {
    String error;
    EXPECT_EQ(Eval("'Yes'", error).AsString(), "Yes");
    EXPECT_EQ(Eval("'YES'", error).AsString(), "YES");
    EXPECT_EQ(Eval("'Yes'", error).AsString(), "Yes");
    EXPECT_EQ(cache.Count(), 2);
}

TEST_F(ExpressionCache, SyntaxErrorsAreReportedAndNotCached) {
    String error;
    Variant v = Eval("1 +", error);
    EXPECT_TRUE(VarIsNull(v));
    const String prefix = GetResources().GetString("clExprError") + " '1 +': ";
    EXPECT_EQ(error.rfind(prefix, 0), 0u) << error;
    EXPECT_GT(error.size(), prefix.size());
    EXPECT_EQ(cache.Count(), 0);
    String again;
    Eval("1 +", again);
    EXPECT_EQ(again, error);
    EXPECT_EQ(cache.Count(), 0);
    EXPECT_EQ(Eval("2 + 2", error).AsInteger(), 4);
    EXPECT_TRUE(error.empty());
}

TEST_F(ExpressionCache, RunTimeErrorsGiveTheirMessage) {
    String error;
    Variant v = Eval("1 / 0", error);
    EXPECT_FALSE(error.empty());
    EXPECT_TRUE(VarIsNull(v));
    EXPECT_EQ(cache.Count(), 1);
}

} // namespace
