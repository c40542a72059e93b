// The data-aware combo box on a shown form, standalone and over a query on a temporary database,
// driven by simulated typing: keyed values, incremental search, completion, stepping, clearing.
#include "grid/DBCtrlsGxCombo.h"
#include "gui/Forms.h"
#include "gui/Input.h"
#include "gui/InputSimulation.h"
#include "gui/StdCtrls.h"
#include "platform/db/DbFixture.h"

namespace {

class ComboTest : public DbTest {
protected:
    void SetUp() override {
        DbTest::SetUp();
        form.SetBounds(0, 0, 400, 200);
        Combo = new TDBComboBoxGx(&form);
        Combo->SetParent(&form);
        Combo->SetBounds(10, 10, 150, 24);
        Other = new TEdit(&form);
        Other->SetParent(&form);
        Other->SetBounds(10, 50, 150, 24);
        form.Show();
        Focus(Other);
    }
    void Focus(TWinControl* c) {
        c->SetFocus();
        Application()->ProcessMessages();
    }
    void Fill(std::initializer_list<const char*> Items, std::initializer_list<const char*> Keys = {}) {
        Combo->Items()->Clear();
        for (const char* s : Items)
            Combo->Items()->Add(s);
        Combo->KeyItems()->Clear();
        for (const char* s : Keys)
            Combo->KeyItems()->Add(s);
    }
    // A query on a table with a direction text, bound to the combo.
    void Bind(bool Required) {
        Run("create table T_step (F_ID counter, F_dir text(10))");
        Run("insert into T_step (F_dir) values ('Up')");
        Q = Query("select * from T_step");
        Q->Open();
        Q->FieldByName("F_dir")->SetRequired(Required);
        Source.SetDataSet(Q.get());
        Combo->SetDataSource(&Source);
        Combo->SetDataField("F_dir");
    }
    TForm form{nullptr};
    TDBComboBoxGx* Combo = nullptr;
    TEdit* Other = nullptr;
    std::unique_ptr<TADOQuery> Q;
    TDataSource Source;
};

TEST_F(ComboTest, ItemsAsTheirOwnKeysGiveTheKeyAsValueAndAcceptOnlyItems) {
    Fill({"Up", "Down", "All"}, {"Up", "Down", "All"});
    Bind(false);
    EXPECT_TRUE(Combo->UsesKeys());
    EXPECT_EQ(Combo->Text(), "Up");
    EXPECT_EQ(Combo->ItemIndex(), 0);
    Focus(Combo);
    SimulateTyping(Combo, "x"); // no item starts with x: nothing changes
    EXPECT_EQ(Combo->Text(), "Up");
    SimulateTyping(Combo, "a");
    EXPECT_EQ(Combo->Text(), "All");
    EXPECT_EQ(VarToStr(Combo->Value()), "All");
    Focus(Other);
    EXPECT_EQ(Q->FieldByName("F_dir")->AsString(), "All");
}

TEST_F(ComboTest, KeysBeyondTheItemsNameNoItem) {
    Fill({"North", "South"}, {"N", "S", "E", "W"});
    EXPECT_EQ(Combo->UsableItemCount(), 2);
    struct {
        const char* Key;
        const char* Text;
        int Index;
    } cases[] = {{"S", "South", 1}, {"E", "", -1}, {"N", "North", 0}, {"W", "", -1}};
    for (const auto& c : cases) {
        Combo->SetValue(Variant(String(c.Key)));
        EXPECT_EQ(Combo->Text(), c.Text) << c.Key;
        EXPECT_EQ(Combo->ItemIndex(), c.Index) << c.Key;
        EXPECT_EQ(Combo->ItemImageIndex(), c.Index) << c.Key;
        EXPECT_EQ(VarToStr(Combo->Value()), c.Key);
    }
    Combo->SetItemIndex(3); // not a usable item
    EXPECT_EQ(Combo->ItemIndex(), -1);
    EXPECT_TRUE(VarIsNull(Combo->Value()));
}

TEST_F(ComboTest, TypingSearchesAKeyedComboByPrefixAndBackspaceShortensIt) {
    Fill({"Beijing", "Berlin", "Bern"}, {"BJ", "BL", "BN"});
    Focus(Combo);
    struct {
        const char* Typed;
        const char* Text;
        int SelStart;
    } steps[] = {{"b", "Beijing", 1}, {"e", "Beijing", 2}, {"r", "Berlin", 3}, {"\b", "Berlin", 2}, {"i", "Beijing", 3}};
    for (const auto& s : steps) {
        if (String(s.Typed) == "\b")
            SimulateKey(Combo, VK_BACK);
        else
            SimulateTyping(Combo, s.Typed);
        EXPECT_EQ(Combo->Text(), s.Text) << s.Typed;
        EXPECT_EQ(Combo->SelStart(), s.SelStart) << s.Typed;
        EXPECT_EQ(Combo->SelEnd(), static_cast<int>(String(s.Text).size())) << s.Typed;
    }
    EXPECT_EQ(VarToStr(Combo->Value()), "BJ");
}

TEST_F(ComboTest, AFreeTextComboCompletesAtTheEndOnly) {
    Fill({"Apple", "Apricot", "Banana"});
    Focus(Combo);
    SimulateTyping(Combo, "a");
    EXPECT_EQ(Combo->Text(), "Apple");
    EXPECT_EQ(Combo->SelStart(), 1);
    EXPECT_EQ(Combo->SelLength(), 4);
    EXPECT_EQ(Combo->ItemIndex(), 0);
    SimulateTyping(Combo, "pr"); // typing over the selection goes on completing
    EXPECT_EQ(Combo->Text(), "Apricot");
    EXPECT_EQ(Combo->SelStart(), 3);
    Combo->SetText("Ap");
    Combo->SetCaretPosition(1);
    SimulateTyping(Combo, "x");
    EXPECT_EQ(Combo->Text(), "Axp");
    EXPECT_EQ(Combo->ItemIndex(), -1);
    Combo->SetText("1");
    Combo->SetCaretPosition(1);
    Fill({"1.5", "2"});
    Combo->SetText("1");
    Combo->SetCaretPosition(1);
    SimulateTyping(Combo, "."); // a period completes like any other character
    EXPECT_EQ(Combo->Text(), "1.5");
}

TEST_F(ComboTest, UpFromNoItemGoesToTheLastAndDownAtTheLastStays) {
    Fill({"One", "Two", "Three"});
    Focus(Combo);
    EXPECT_EQ(Combo->ItemIndex(), -1);
    SimulateKey(Combo, VK_UP);
    EXPECT_EQ(Combo->Text(), "Three");
    SimulateKey(Combo, VK_DOWN);
    EXPECT_EQ(Combo->Text(), "Three");
    SimulateKey(Combo, VK_UP);
    SimulateKey(Combo, VK_UP);
    EXPECT_EQ(Combo->Text(), "One");
    SimulateKey(Combo, VK_UP); // from the first: nothing
    EXPECT_EQ(Combo->ItemIndex(), 0);
    EXPECT_EQ(Combo->SelLength(), 3);
}

TEST_F(ComboTest, AListOfTheWidestItemIsNeverNarrowerThanTheCombo) {
    Fill({"a", "b"});
    Combo->DropDownBox()->SetWidth(-1);
    EXPECT_EQ(Combo->DropDownListWidth(), 150);
    Fill({"a rather long item that does not fit into the combo box"});
    EXPECT_GT(Combo->DropDownListWidth(), 150);
    Combo->DropDownBox()->SetWidth(0);
    EXPECT_EQ(Combo->DropDownListWidth(), 150);
    Combo->DropDownBox()->SetWidth(90);
    EXPECT_EQ(Combo->DropDownListWidth(), 150);
    Combo->DropDownBox()->SetWidth(220);
    EXPECT_EQ(Combo->DropDownListWidth(), 220);
}

TEST_F(ComboTest, DeleteClearsAKeyedChoiceUnlessTheFieldIsRequired) {
    Fill({"Up", "Down"}, {"Up", "Down"});
    Bind(true);
    for (bool required : {true, false}) {
        Q->FieldByName("F_dir")->SetRequired(required);
        Focus(Combo);
        SimulateKey(Combo, VK_DELETE);
        EXPECT_EQ(Combo->Text(), required ? "Up" : "") << required;
        Focus(Other);
        EXPECT_EQ(Q->FieldByName("F_dir")->IsNull(), !required) << required;
    }
}

TEST(DropDownBox, AssignCopiesAllButAutoDrop) {
    TDropDownBoxGx a, b;
    a.SetAlign(daRight);
    a.SetRows(12);
    a.SetWidth(-1);
    a.SetSizable(true);
    a.SetAutoDrop(true);
    b.Assign(&a);
    EXPECT_EQ(b.Align(), daRight);
    EXPECT_EQ(b.Rows(), 12);
    EXPECT_EQ(b.Width(), -1);
    EXPECT_TRUE(b.Sizable());
    EXPECT_FALSE(b.AutoDrop());
}

} // namespace
