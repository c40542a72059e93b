// Cell values: key and pick lists, check boxes, stepping, and the single write path.
#include "DBGridGxFixture.h"

class CellValuesTest : public DBGridTest {
protected:
    void SetUp() override {
        DBGridTest::SetUp();
        Fill(1);
        Grid->BeginLayout();
        IntCol = Grid->Columns()->AddColumn();
        IntCol->SetFieldName("F_int");
        TextCol = Grid->Columns()->AddColumn();
        TextCol->SetFieldName("F_text");
        Grid->EndLayout();
        OpenGrid();
    }
    void Put(const char* field, const Variant& v) {
        Q->Edit();
        Q->FieldByName(field)->SetAsVariant(v);
        Q->Post();
    }
    Variant Get(const char* field) { return Q->FieldByName(field)->AsVariant(); }
    TColumnGx* IntCol = nullptr;
    TColumnGx* TextCol = nullptr;
};

TEST_F(CellValuesTest, KeyListShowsPickListTexts) {
    IntCol->KeyList()->SetCommaText("1,0");
    IntCol->PickList()->SetCommaText("Yes,No");
    EXPECT_EQ(IntCol->GetCellKind(), 3);
    struct {
        int value, notInList;
        const char* text;
    } cases[] = {{1, -1, "Yes"}, {0, -1, "No"}, {5, -1, ""}, {5, 1, "No"}};
    for (auto& c : cases) {
        Put("F_int", c.value);
        IntCol->SetNotInKeyListIndex(c.notInList);
        EXPECT_EQ(IntCol->CurrentCellText(), c.text) << c.value << " " << c.notInList;
    }
}

TEST_F(CellValuesTest, CheckBoxesOnTextKeys) {
    TextCol->SetCheckboxes(true);
    TextCol->KeyList()->Add("Y;Yes;");
    TextCol->KeyList()->Add("N");
    struct {
        Variant value;
        TCheckBoxState state;
    } cases[] = {{"Y", cbChecked}, {"yes", cbChecked}, {Null(), cbChecked}, {"n", cbUnchecked}, {"x", cbGrayed}};
    for (auto& c : cases) {
        Put("F_text", c.value);
        EXPECT_EQ(TextCol->CurrentCheckboxState(), c.state) << VarToStr(c.value);
    }
    TextCol->StepValue(1); // from grayed
    EXPECT_EQ(VarToStr(Get("F_text")), "Y");
    EXPECT_FALSE(TColumnGx::KeyTextMatches("", "x"));
    EXPECT_TRUE(TColumnGx::KeyTextMatches("", ""));
}

TEST_F(CellValuesTest, CheckBoxesOnIntegers) {
    IntCol->SetCheckboxes(true);
    IntCol->KeyList()->SetCommaText("5,7");
    Put("F_int", 5);
    EXPECT_EQ(IntCol->CurrentCheckboxState(), cbChecked);
    IntCol->StepValue(1);
    EXPECT_EQ(VarToStr(Get("F_int")), "7");
    EXPECT_EQ(IntCol->CurrentCheckboxState(), cbUnchecked);
    IntCol->StepValue(1);
    EXPECT_EQ(VarToStr(Get("F_int")), "5");
    IntCol->KeyList()->Clear();
    EXPECT_EQ(IntCol->CurrentCheckboxState(), cbUnchecked);
    IntCol->StepValue(1);
    EXPECT_EQ(VarToStr(Get("F_int")), "1");
    EXPECT_EQ(IntCol->CurrentCheckboxState(), cbChecked);
    IntCol->StepValue(1);
    EXPECT_EQ(VarToStr(Get("F_int")), "0");
}

TEST_F(CellValuesTest, NumericSteps) {
    struct {
        Variant start;
        double inc;
        const char* want;
    } cases[] = {{Null(), 1, "0"}, {Null(), -1, "0"}, {7, 1, "8"}, {7, -1, "6"}};
    for (auto& c : cases) {
        Put("F_int", c.start);
        IntCol->StepValue(c.inc);
        Q->Post();
        EXPECT_EQ(VarToStr(Get("F_int")), c.want) << VarToStr(c.start) << " " << c.inc;
    }
}

TEST_F(CellValuesTest, PickListWrapGoesThroughUpdateData) {
    TextCol->PickList()->SetCommaText("a,b,c");
    std::vector<String> seen;
    bool veto = false;
    TextCol->OnUpdateData = [&](TObject*, String& Text, Variant&, bool&, bool& Handled) {
        seen.push_back(Text);
        Handled = veto;
    };
    Put("F_text", "c");
    TextCol->StepValue(1); // wraps to the first entry
    EXPECT_EQ(VarToStr(Get("F_text")), "a");
    TextCol->StepValue(1);
    EXPECT_EQ(VarToStr(Get("F_text")), "b");
    EXPECT_EQ(seen, (std::vector<String>{"a", "b"}));
    veto = true;
    Put("F_text", "a");
    TextCol->StepValue(-1); // a vetoed wrap leaves the field alone
    EXPECT_EQ(VarToStr(Get("F_text")), "a");
}

TEST_F(CellValuesTest, FormatFieldText) {
    Put("F_text", "abc");
    TField* t = Q->FieldByName("F_text");
    EXPECT_EQ(TColumnGx::FormatFieldText(t, ""), "abc");
    EXPECT_EQ(TColumnGx::FormatFieldText(t, "0.00"), "");
    Put("F_int", 7);
    EXPECT_EQ(TColumnGx::FormatFieldText(Q->FieldByName("F_int"), "0.00"), "7.00");
}

TEST_F(CellValuesTest, ReadOnlyGridRefusesEdits) {
    EXPECT_TRUE(IntCol->CanModify(false));
    Grid->SetReadOnly(true);
    EXPECT_FALSE(IntCol->CanModify(true));
    Put("F_int", 3);
    IntCol->StepValue(1);
    EXPECT_EQ(VarToStr(Get("F_int")), "3");
}
