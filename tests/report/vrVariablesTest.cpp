// Report variables with categories, variables files and the associative array.
#include "TempDir.h"
#include "report/vrVariables.h"

#include <gtest/gtest.h>

namespace {

struct Variables : ::testing::Test {
    void SetUp() override {
        for (const char* name : {" Fees", "Total", "Rate", " Dates", "From"})
            v.Add()->Name = name;
    }
    std::vector<String> Names() const {
        std::vector<String> names;
        for (int i = 0; i < v.Count(); ++i)
            names.push_back(v.GetItem(i)->Name);
        return names;
    }
    static std::vector<String> Lines(const TStrings& list) {
        std::vector<String> lines;
        for (int i = 0; i < list.Count(); ++i)
            lines.push_back(list[i]);
        return lines;
    }
    TvrVariables v;
};

TEST_F(Variables, CategoriesAndTheirVariables) {
    TStringList list;
    v.GetCategoriesList(list);
    EXPECT_EQ(Lines(list), (std::vector<String>{"Fees", "Dates"}));
    v.GetVariablesList("Fees", list);
    EXPECT_EQ(Lines(list), (std::vector<String>{"Total", "Rate"}));
    v.GetVariablesList("", list);
    EXPECT_EQ(list.Count(), 0);
    v.GetVariablesList("Other", list);
    EXPECT_EQ(list.Count(), 0);
}

TEST_F(Variables, AddVariableCases) {
    v.AddVariable("Fees", "Tax", 1);
    v.AddVariable("Dates", "To", 2);
    v.AddVariable("Other", "Lost", 3);
    EXPECT_EQ(Names(), (std::vector<String>{" Fees", "Total", "Rate", "Tax", " Dates", "From", "To"}));
    v.AddVariable("Dates", "Total", 9);
    EXPECT_EQ(v.Count(), 7);
    EXPECT_EQ(v.Variables("total").AsInteger(), 9);
    v.DeleteCategory("Fees");
    EXPECT_EQ(Names(), (std::vector<String>{" Dates", "From", "To"}));
    v.DeleteVariable("FROM");
    EXPECT_EQ(Names(), (std::vector<String>{" Dates", "To"}));
    EXPECT_TRUE(VarIsNull(v.Variables("Missing")));
    v.SetVariable("Missing", 5);
    EXPECT_EQ(v.IndexOf("missing"), 2);
}

TEST_F(Variables, FileRoundTripGivesTextsAndNulls) {
    TempDir dir;
    v.SetVariable("Total", 3.5);
    v.SetVariable("Rate", "€ 😀");
    v.SaveToFile(dir.File("v.xml"));
    const String text = TempDir::ReadAll(dir.File("v.xml"));
    EXPECT_NE(text.find("<variables>"), String::npos);
    TvrVariables loaded;
    loaded.LoadFromFile(dir.File("v.xml"));
    ASSERT_EQ(loaded.Count(), 5);
    EXPECT_EQ(VarType(loaded.Variables("Total")), varString);
    EXPECT_EQ(loaded.Variables("Total").AsString(), "3.5");
    EXPECT_EQ(loaded.Variables("Rate").AsString(), "€ 😀");
    EXPECT_TRUE(VarIsNull(loaded.Variables("From")));
    EXPECT_EQ(loaded.GetItem(0)->Name, " Fees");
}

TEST(VariableArray, ItemsAreNamedByTheIndexText) {
    TvrArray a;
    a.SetVariable(1, "one");
    a.SetVariable("key", 2);
    a.SetVariable(1, "uno");
    EXPECT_EQ(a.Count(), 2);
    EXPECT_EQ(a.Variables("1").AsString(), "uno");
    EXPECT_EQ(a.Variables("KEY").AsInteger(), 2);
    EXPECT_TRUE(VarIsNull(a.Variables(3)));
}

} // namespace
