// The combo box's drop-down list on a shown form: opened by the main button and Alt+Down,
// steered by the keys while the focus stays in the combo, accepted by Enter or a release inside
// it, dropped by Esc and the focus leaving, and reopened at the size the user gave it.
#include "grid/DBCtrlsGxCombo.h"
#include "grid/ToolCtrlsGxListBox.h"
#include "gui/Forms.h"
#include "gui/Input.h"
#include "gui/InputSimulation.h"
#include "gui/PopupWindows.h"
#include "gui/StdCtrls.h"

#include <gtest/gtest.h>

namespace {

class ComboListTest : public ::testing::Test {
protected:
    void SetUp() override {
        form.SetBounds(0, 0, 400, 300);
        Combo = new TDBComboBoxGx(&form);
        Combo->SetParent(&form);
        Combo->SetBounds(10, 10, 150, 24);
        Other = new TEdit(&form);
        Other->SetParent(&form);
        Other->SetBounds(10, 250, 150, 24);
        for (const char* s : {"Beijing", "Berlin", "Bern", "Cairo"})
            Combo->Items()->Add(s);
        Combo->OnCloseUp = [this](TObject*, bool Accept) { CloseUps.push_back(Accept); };
        form.Show();
        Combo->SetFocus();
        Application()->ProcessMessages();
    }
    void ClickMainButton() {
        TEditButtonControlGx* b = Combo->ButtonControl(0);
        SimulateClick(b, b->Width() / 2, b->Height() / 2);
        Application()->ProcessMessages();
    }
    TForm form{nullptr};
    TDBComboBoxGx* Combo = nullptr;
    TEdit* Other = nullptr;
    std::vector<bool> CloseUps;
};

TEST_F(ComboListTest, TheMainButtonOpensTheListUnderTheComboAndClosesItAgain) {
    ASSERT_TRUE(Combo->EditButton()->Visible());
    ClickMainButton();
    ASSERT_TRUE(Combo->ListShown());
    TPopupListboxGx* list = Combo->ItemListBox();
    EXPECT_TRUE(PopupShowing(list));
    EXPECT_TRUE(Combo->Focused()); // the focus stays in the combo
    EXPECT_EQ(list->Count(), 4);
    EXPECT_EQ(list->VisibleRows(), 4);
    EXPECT_EQ(list->Width(), Combo->Width());
    const TPoint under = Combo->ClientToScreen(TPoint(0, Combo->Height()));
    EXPECT_EQ(list->Left(), under.X);
    EXPECT_EQ(list->Top(), under.Y);
    ClickMainButton();
    EXPECT_FALSE(Combo->ListShown());
    EXPECT_FALSE(PopupShowing(list));
    EXPECT_EQ(CloseUps, std::vector<bool>{false});
}

TEST_F(ComboListTest, KeysMoveTheListsRowAndEnterAcceptsIt) {
    SimulateKey(Combo, VK_DOWN, TShiftState{ssAlt});
    ASSERT_TRUE(Combo->ListShown());
    TPopupListboxGx* list = Combo->ItemListBox();
    EXPECT_EQ(list->ItemIndex(), -1);
    SimulateKey(Combo, VK_DOWN);
    SimulateKey(Combo, VK_DOWN);
    EXPECT_EQ(list->ItemIndex(), 1);
    EXPECT_EQ(Combo->ItemIndex(), -1); // nothing chosen until accepted
    SimulateKey(Combo, VK_END, TShiftState{ssCtrl});
    EXPECT_EQ(list->ItemIndex(), 3);
    SimulateKey(Combo, VK_UP);
    SimulateKey(Combo, VK_RETURN);
    EXPECT_FALSE(Combo->ListShown());
    EXPECT_EQ(Combo->Text(), "Bern");
    EXPECT_EQ(CloseUps, std::vector<bool>{true});

    // Esc drops the list without a change; Alt+Down toggles it shut as well.
    SimulateKey(Combo, VK_DOWN, TShiftState{ssAlt});
    EXPECT_EQ(list->ItemIndex(), 2); // the open list shows the chosen item
    SimulateKey(Combo, VK_DOWN);
    SimulateKey(Combo, VK_ESCAPE);
    EXPECT_EQ(Combo->Text(), "Bern");
    SimulateKey(Combo, VK_DOWN, TShiftState{ssAlt});
    SimulateKey(Combo, VK_DOWN, TShiftState{ssAlt});
    EXPECT_FALSE(Combo->ListShown());
    EXPECT_EQ(CloseUps, (std::vector<bool>{true, false, false}));
}

// While the list is open only the navigation keys go to it. A character whose code equals a
// navigation key's ("!" Page Up, '"' Page Down, "&" Up, "(" Down) is typed into the text.
TEST_F(ComboListTest, CharactersTypedWithTheListOpenGoIntoTheText) {
    for (const char* typed : {"!", "\"", "&", "("}) {
        SCOPED_TRACE(typed);
        Combo->SetText("");
        SimulateKey(Combo, VK_DOWN, TShiftState{ssAlt});
        ASSERT_TRUE(Combo->ListShown());
        SimulateTyping(Combo, typed);
        EXPECT_EQ(Combo->Text(), typed);
        EXPECT_EQ(Combo->ItemListBox()->ItemIndex(), -1);
        Combo->CloseDropDown(false);
    }
    SimulateKey(Combo, VK_DOWN, TShiftState{ssAlt}); // the keys themselves still steer it
    SimulateKey(Combo, VK_NEXT);
    EXPECT_EQ(Combo->ItemListBox()->ItemIndex(), 3);
    SimulateKey(Combo, VK_PRIOR);
    EXPECT_EQ(Combo->ItemListBox()->ItemIndex(), 0);
    Combo->CloseDropDown(false);
}

TEST_F(ComboListTest, AReleaseInsideTheListAcceptsItsRowAndLeavingTheComboDropsIt) {
    ClickMainButton();
    TPopupListboxGx* list = Combo->ItemListBox();
    const TRect row = list->ItemRect(3);
    SimulateClick(list, row.Left + 5, row.Top + 2);
    Application()->ProcessMessages();
    EXPECT_FALSE(Combo->ListShown());
    EXPECT_EQ(Combo->Text(), "Cairo");

    ClickMainButton();
    Other->SetFocus();
    Application()->ProcessMessages();
    EXPECT_FALSE(Combo->ListShown());
    EXPECT_EQ(Combo->Text(), "Cairo");
}

TEST_F(ComboListTest, AResizedListReopensAtItsNewSizeAndAutoDropOpensOnTyping) {
    Combo->DropDownBox()->SetRows(2);
    ClickMainButton();
    TPopupListboxGx* list = Combo->ItemListBox();
    EXPECT_EQ(list->VisibleRows(), 2);
    list->SetBounds(list->Left(), list->Top(), 220, list->NonClientHeight() + 3 * list->ItemHeight());
    SimulateKey(Combo, VK_ESCAPE);
    EXPECT_EQ(Combo->DropDownBox()->Rows(), 3);
    EXPECT_EQ(Combo->DropDownBox()->Width(), 220);
    ClickMainButton();
    EXPECT_EQ(list->VisibleRows(), 3);
    EXPECT_EQ(list->Width(), 220);
    SimulateKey(Combo, VK_ESCAPE);

    Combo->DropDownBox()->SetAutoDrop(true);
    SimulateTyping(Combo, "c");
    EXPECT_TRUE(Combo->ListShown());
    EXPECT_EQ(Combo->Text(), "Cairo"); // completed as ever
}

} // namespace
