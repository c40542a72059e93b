// The check list box: states set in code, the user's toggling by the box or the space key in the
// platform's order of states, disabled entries, and the entries' states kept with them.
#include "gui/CheckLst.h"
#include "gui/Forms.h"
#include "gui/InputSimulation.h"

#include "rtl/Format.h"
#include "rtl/StringList.h"

#include <gtest/gtest.h>

namespace {

struct TCheckListFixture : ::testing::Test {
    TForm Form{nullptr};
    TCheckListBox* List = nullptr;
    int ClickChecks = 0;
    void SetUp() override {
        List = new TCheckListBox(&Form);
        List->SetParent(&Form);
        List->SetBounds(10, 10, 200, 120);
        for (const char* s : {"电费", "水费", "物业费"})
            List->Items()->Add(s);
        List->OnClickCheck = [this](TObject*) { ++ClickChecks; };
        Form.Show();
    }
    // Client point inside entry i: on its box, or on its text.
    TPoint OnBox(int i) const { return TPoint(List->ItemRect(i).Left + 6, List->ItemRect(i).Top + 4); }
    TPoint OnText(int i) const { return TPoint(List->ItemRect(i).Left + 80, List->ItemRect(i).Top + 4); }
};

} // namespace

TEST_F(TCheckListFixture, StatesSetInCodeRunNoEvent) {
    EXPECT_FALSE(List->Checked(0));
    List->SetChecked(0, true);
    List->SetState(1, cbGrayed);
    EXPECT_TRUE(List->Checked(0));
    EXPECT_EQ(List->State(0), cbChecked);
    // A grayed entry is not checked; AllowGrayed rules only the user's toggling.
    EXPECT_FALSE(List->Checked(1));
    EXPECT_EQ(List->State(1), cbGrayed);
    // Unchecking what is not checked leaves it grayed, as on the platform.
    List->SetChecked(1, false);
    EXPECT_EQ(List->State(1), cbGrayed);
    EXPECT_EQ(ClickChecks, 0);
    EXPECT_THROW(List->Checked(3), EListError);
    EXPECT_THROW(List->SetState(-1, cbChecked), EListError);
    EXPECT_THROW(List->ItemEnabled(5), EListError);

    // States stay with their entries when others are added or deleted.
    List->Items()->Insert(0, "新");
    EXPECT_FALSE(List->Checked(0));
    EXPECT_TRUE(List->Checked(1));
    List->Items()->Delete(0);
    EXPECT_TRUE(List->Checked(0));
}

TEST_F(TCheckListFixture, ClickOnTheBoxTogglesAndRunsOnClickCheck) {
    TPoint p = OnBox(1);
    SimulateClick(List, p.X, p.Y);
    EXPECT_TRUE(List->Checked(1));
    EXPECT_EQ(ClickChecks, 1);
    // A click on the text selects without toggling.
    p = OnText(2);
    SimulateClick(List, p.X, p.Y);
    EXPECT_FALSE(List->Checked(2));
    EXPECT_EQ(List->ItemIndex(), 2);
    EXPECT_EQ(ClickChecks, 1);
    p = OnBox(1);
    SimulateClick(List, p.X, p.Y);
    EXPECT_FALSE(List->Checked(1));
    EXPECT_EQ(ClickChecks, 2);
}

TEST_F(TCheckListFixture, SpaceTogglesThroughGrayedWithAllowGrayed) {
    List->SetItemIndex(0);
    List->SetFocus();
    const TCheckBoxState plain[] = {cbChecked, cbUnchecked, cbChecked};
    for (TCheckBoxState want : plain) {
        SimulateKey(List, VK_SPACE);
        EXPECT_EQ(List->State(0), want);
    }
    List->SetChecked(0, false);
    List->SetAllowGrayed(true);
    const TCheckBoxState grayed[] = {cbGrayed, cbChecked, cbUnchecked, cbGrayed};
    for (TCheckBoxState want : grayed) {
        SimulateKey(List, VK_SPACE);
        EXPECT_EQ(List->State(0), want);
    }
    EXPECT_EQ(ClickChecks, 7);
}

TEST_F(TCheckListFixture, DisabledEntriesCannotBeToggledByTheUser) {
    List->SetItemEnabled(1, false);
    EXPECT_FALSE(List->ItemEnabled(1));
    EXPECT_TRUE(List->ItemEnabled(0));
    TPoint p = OnBox(1);
    SimulateClick(List, p.X, p.Y);
    EXPECT_FALSE(List->Checked(1));
    // Still selectable, and the program still sets its state.
    EXPECT_EQ(List->ItemIndex(), 1);
    SimulateKey(List, VK_SPACE);
    EXPECT_FALSE(List->Checked(1));
    EXPECT_EQ(ClickChecks, 0);
    List->SetChecked(1, true);
    EXPECT_TRUE(List->Checked(1));
    List->SetItemEnabled(1, true);
    SimulateClick(List, p.X, p.Y);
    EXPECT_FALSE(List->Checked(1));
    EXPECT_EQ(ClickChecks, 1);
}

// Two columns: the entries fill the first column from the top, then the second, each column half
// the list's width; a press on a box of the second column toggles that entry.
TEST_F(TCheckListFixture, TwoColumnsShareTheWidthTopToBottom) {
    List->Items()->Clear();
    for (int i = 0; i < 12; ++i)
        List->Items()->Add("权限" + IntToStr(i));
    List->SetColumns(2);
    EXPECT_EQ(List->Columns(), 2);
    const TRect first = List->ItemRect(0);
    const TRect second = List->ItemRect(1);
    EXPECT_EQ(second.Left, first.Left);
    EXPECT_GT(second.Top, first.Top);
    int firstOfColumn2 = -1;
    for (int i = 1; i < 12 && firstOfColumn2 < 0; ++i)
        if (List->ItemRect(i).Left > first.Left) firstOfColumn2 = i;
    ASSERT_GT(firstOfColumn2, 1);
    const TRect top2 = List->ItemRect(firstOfColumn2);
    EXPECT_EQ(top2.Top, first.Top);
    EXPECT_NEAR(top2.Left - first.Left, 98, 4); // half of 200 less the frame
    EXPECT_LE(top2.Right - top2.Left, 100);
    const TPoint p = OnBox(firstOfColumn2);
    SimulateClick(List, p.X, p.Y);
    EXPECT_TRUE(List->Checked(firstOfColumn2));
    EXPECT_EQ(ClickChecks, 1);

    // Back to one column: the entries stand under each other again.
    List->SetColumns(0);
    EXPECT_EQ(List->ItemRect(firstOfColumn2).Left, first.Left);
}
