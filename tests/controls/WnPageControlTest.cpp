// The page control: tabs from visible sheets, page order and its errors, switching with veto,
// hidden tabs, Ctrl+Tab, closing, coloured tabs and dragging a tab to another place.
#include "controls/WnPageControl.h"

#include "gui/ExtCtrls.h"
#include "gui/Forms.h"
#include "gui/InputSimulation.h"
#include "gui/StdCtrls.h"

#include <gtest/gtest.h>

namespace {

struct Pages {
    TForm Form{nullptr};
    TWnPageControl* PC;
    std::vector<TWnTabSheet*> Sheets;
    explicit Pages(std::vector<String> captions) {
        Form.SetBounds(0, 0, 420, 260);
        PC = new TWnPageControl(&Form);
        PC->SetParent(&Form);
        PC->SetBounds(0, 0, 400, 240);
        PC->SetTabWidth(80);
        PC->SetTabHeight(20);
        for (const String& c : captions) {
            auto* sheet = new TWnTabSheet(&Form);
            sheet->SetPageControl(PC);
            sheet->SetCaption(c);
            Sheets.push_back(sheet);
        }
        PC->SetActivePageIndex(0);
        PC->UpdateLayout();
    }
    // Centre of a tab in control coordinates.
    TPoint TabCentre(int tab) {
        const TRect r = PC->GetTabRect(tab);
        return TPoint((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2 + 2);
    }
    std::vector<String> Order() const {
        std::vector<String> out;
        for (int i = 0; i < PC->PageCount(); ++i)
            out.push_back(PC->Pages(i)->Caption());
        return out;
    }
};

} // namespace

TEST(WnPageControl, TabsComeFromTheVisibleSheets) {
    Pages p({"A", "B", "C"});
    EXPECT_EQ(p.PC->Tabs()->Count(), 3);
    p.Sheets[1]->SetTabVisible(false);
    ASSERT_EQ(p.PC->Tabs()->Count(), 2);
    EXPECT_EQ(p.PC->Tabs()->Items(1)->Caption, "C");
    EXPECT_EQ(p.Sheets[2]->SheetTabIndex(), 1);
    EXPECT_EQ(p.Sheets[1]->SheetTabIndex(), -1);
    EXPECT_EQ(p.PC->PageForTab(1), p.Sheets[2]);
    p.Sheets[2]->SetCaption("C2");
    EXPECT_EQ(p.PC->Tabs()->Items(1)->Caption, "C2");
    p.Sheets[0]->SetTabEnabled(false);
    EXPECT_FALSE(p.PC->Tabs()->Items(0)->Enabled);
    // Only the active page shows.
    EXPECT_TRUE(p.Sheets[0]->Visible());
    EXPECT_FALSE(p.Sheets[2]->Visible());
    // The sheets fill the page area.
    EXPECT_EQ(p.Sheets[0]->BoundsRect(), p.PC->GetDisplayRect());
}

TEST(WnPageControl, PageIndexAndVisibleErrors) {
    Pages p({"A", "B", "C"});
    for (int bad : {-1, 3, 9}) {
        try {
            p.Sheets[0]->SetPageIndex(bad);
            ADD_FAILURE() << bad;
        } catch (const EWnTabControlError& e) {
            EXPECT_EQ(String(e.what()),
                      std::to_string(bad) +
                          " is an invalid PageIndex value. PageIndex must be between 0 and 2");
        }
    }
    try {
        p.Sheets[1]->SetVisible(true);
        ADD_FAILURE();
    } catch (const EWnTabControlError& e) {
        EXPECT_STREQ(e.what(), "You cannot change the Visible property of a page");
    }
    std::vector<std::pair<int, int>> moves;
    p.PC->OnTabOrderChange = [&](TObject*, int from, int to) { moves.push_back({from, to}); };
    p.Sheets[0]->SetPageIndex(2);
    EXPECT_EQ(p.Order(), (std::vector<String>{"B", "C", "A"}));
    EXPECT_EQ(moves, (std::vector<std::pair<int, int>>{{0, 2}}));
    // A sheet without page control has no place and ignores a new one.
    TWnTabSheet loose(&p.Form);
    EXPECT_EQ(loose.PageIndex(), -1);
    EXPECT_NO_THROW(loose.SetPageIndex(5));
}

TEST(WnPageControl, OnChangingCanRefuseASwitch) {
    Pages p({"A", "B", "C"});
    int changes = 0, pageChanges = 0;
    bool allow = false;
    int asked = -1;
    p.PC->OnChange = [&](TObject*) { ++changes; };
    p.PC->OnPageChange = [&](TObject*) { ++pageChanges; };
    p.PC->OnChanging = [&](TObject*, int index, bool& a) {
        asked = index;
        a = allow;
    };
    p.PC->SetTabIndex(2);
    EXPECT_EQ(asked, 2);
    EXPECT_EQ(p.PC->TabIndex(), 0);
    EXPECT_EQ(p.PC->ActivePage(), p.Sheets[0]);
    EXPECT_EQ(changes + pageChanges, 0);
    allow = true;
    p.PC->SetTabIndex(2);
    EXPECT_EQ(p.PC->ActivePage(), p.Sheets[2]);
    EXPECT_TRUE(p.Sheets[2]->Visible());
    EXPECT_FALSE(p.Sheets[0]->Visible());
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(pageChanges, 1);
    // Clicking a tab asks as well.
    allow = false;
    const TPoint c = p.TabCentre(1);
    SimulateMouseDown(p.PC, mbLeft, c.X, c.Y);
    SimulateMouseUp(p.PC, mbLeft, c.X, c.Y);
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(p.PC->ActivePage(), p.Sheets[2]);
}

TEST(WnPageControl, HiddenTabsLeaveThePagesSwitchable) {
    Pages p({" 按 用 量 ", " 按 面 积 "});
    int pageChanges = 0;
    p.PC->OnPageChange = [&](TObject*) { ++pageChanges; };
    p.PC->HideAllTabs();
    EXPECT_EQ(p.PC->Tabs()->Count(), 0);
    EXPECT_EQ(p.PC->TabIndex(), -1);
    p.PC->UpdateLayout();
    EXPECT_EQ(p.PC->TabIndex(), -1);
    p.PC->SetActivePageIndex(1);
    EXPECT_EQ(p.PC->ActivePageIndex(), 1);
    EXPECT_TRUE(p.Sheets[1]->Visible());
    EXPECT_FALSE(p.Sheets[0]->Visible());
    EXPECT_EQ(pageChanges, 1);
    EXPECT_EQ(p.PC->TabIndex(), -1);
    // With no tabs the page fills the control (less the frame).
    EXPECT_EQ(p.PC->GetCardRect(0), TRect(0, 0, 399, 239));
    p.PC->ShowAllTabs();
    EXPECT_EQ(p.PC->Tabs()->Count(), 2);
    EXPECT_EQ(p.PC->TabIndex(), 1);
}

TEST(WnPageControl, CtrlTabCyclesThroughThePagesWithVisibleTabs) {
    Pages p({"A", "B", "C", "D"});
    p.Sheets[2]->SetTabVisible(false);
    auto* edit = new TEdit(&p.Form);
    edit->SetParent(p.Sheets[0]);
    edit->SetBounds(10, 10, 80, 20);
    p.Form.Show();
    edit->SetFocus();
    ASSERT_EQ(p.Form.ActiveControl(), edit);
    SimulateKey(edit, VK_TAB, TShiftState{ssCtrl});
    EXPECT_EQ(p.PC->ActivePage(), p.Sheets[1]);
    // The focus left the hidden page.
    EXPECT_NE(p.Form.ActiveControl(), edit);
    SimulateKey(p.PC, VK_TAB, TShiftState{ssCtrl});
    EXPECT_EQ(p.PC->ActivePage(), p.Sheets[3]); // C's tab is hidden
    SimulateKey(p.PC, VK_TAB, TShiftState{ssCtrl});
    EXPECT_EQ(p.PC->ActivePage(), p.Sheets[0]);
    SimulateKey(p.PC, VK_TAB, TShiftState{ssCtrl, ssShift});
    EXPECT_EQ(p.PC->ActivePage(), p.Sheets[3]);
    EXPECT_EQ(p.PC->FindNextPage(p.Sheets[3], true, false), p.Sheets[0]);
    EXPECT_EQ(p.PC->FindNextPage(nullptr, true, true), p.Sheets[0]);
    p.Form.Hide();
}

TEST(WnPageControl, ClosingTabsSelectsTheOneBefore) {
    Pages p({"A", "B", "C"});
    p.PC->SetShowCloseButton(true);
    ASSERT_NE(p.PC->CloseButton(), nullptr);
    bool allow = false;
    p.PC->OnClose = [&](TObject*, bool& a) { a = allow; };
    p.PC->SetActivePageIndex(1);
    p.PC->CloseTab();
    EXPECT_EQ(p.PC->PageCount(), 3); // not allowed
    allow = true;
    p.PC->CloseTab();
    EXPECT_EQ(p.Order(), (std::vector<String>{"A", "C"}));
    EXPECT_EQ(p.PC->ActivePage()->Caption(), "A");
    p.PC->SetActivePageIndex(0);
    p.PC->CloseTab();
    EXPECT_EQ(p.PC->ActivePage()->Caption(), "C"); // the new first tab
    p.PC->CloseTab();
    EXPECT_EQ(p.PC->PageCount(), 0);
    EXPECT_EQ(p.PC->ActivePage(), nullptr);
    EXPECT_EQ(p.PC->TabIndex(), -1);
}

TEST(WnPageControl, SheetColoursTurnColouredTabsOn) {
    Pages p({"A", "B"});
    EXPECT_FALSE(p.PC->UseColoredTabs());
    p.Sheets[1]->SetColor(clYellow);
    EXPECT_TRUE(p.PC->UseColoredTabs());
    EXPECT_EQ(p.PC->Tabs()->Items(1)->Color, clYellow);
    // Switching coloured tabs off gives every sheet the control's colour.
    p.PC->SetUseColoredTabs(false);
    EXPECT_EQ(p.Sheets[1]->Color(), p.PC->Color());
}

TEST(WnPageControl, DraggingATabMovesItsPageAlsoWithHiddenTabs) {
    // Pages A B C D with B's tab hidden: the tabs are A C D. Dragging A onto D's tab (tab 2)
    // must move A behind D (page 3), not to page 2.
    Pages p({"A", "B", "C", "D"});
    p.Sheets[1]->SetTabVisible(false);
    p.PC->SetAllowTabDragging(true);
    p.PC->UpdateLayout();
    p.Form.Show(); // a press on the current tab first takes the focus
    ASSERT_EQ(p.PC->ActivePage(), p.Sheets[0]);
    const TPoint from = p.TabCentre(0), to = p.TabCentre(2);
    SimulateMouseDown(p.PC, mbLeft, from.X, from.Y);
    SimulateMouseMove(p.PC, from.X + 20, from.Y, TShiftState{ssLeft});
    EXPECT_TRUE(p.PC->Dragging());
    SimulateMouseMove(p.PC, to.X, to.Y, TShiftState{ssLeft});
    EXPECT_EQ(p.PC->DragOverTab(), 2);
    EXPECT_FALSE(IsRectEmpty(p.PC->DropMarker()));
    SimulateMouseUp(p.PC, mbLeft, to.X, to.Y);
    EXPECT_FALSE(p.PC->Dragging());
    EXPECT_TRUE(IsRectEmpty(p.PC->DropMarker()));
    EXPECT_EQ(p.Order(), (std::vector<String>{"B", "C", "D", "A"}));
    EXPECT_EQ(p.PC->ActivePage(), p.Sheets[0]);
    EXPECT_EQ(p.PC->TabIndex(), 2);
}

TEST(WnPageControl, DraggingPastTheStripEndScrollsTheTabs) {
    Pages p({"A", "B", "C", "D", "E", "F", "G"});
    p.PC->SetBounds(0, 0, 300, 200);
    p.PC->SetAllowTabDragging(true);
    p.PC->UpdateLayout();
    p.Form.Show();
    ASSERT_TRUE(p.PC->ScrollNeeded());
    const TPoint from = p.TabCentre(0);
    SimulateMouseDown(p.PC, mbLeft, from.X, from.Y);
    SimulateMouseMove(p.PC, from.X + 20, from.Y, TShiftState{ssLeft});
    SimulateMouseMove(p.PC, 250, 60, TShiftState{ssLeft}); // over the page, off the tabs
    ASSERT_NE(p.PC->DragScrollTimer(), nullptr);
    EXPECT_EQ(p.PC->DragScrollTimer()->Interval(), 400u);
    EXPECT_TRUE(p.PC->DragScrollTimer()->Enabled());
    SimulateMouseUp(p.PC, mbLeft, 250, 60);
    EXPECT_FALSE(p.PC->DragScrollTimer()->Enabled());
    EXPECT_EQ(p.Order()[0], "A"); // dropped on no tab: nothing moves
}

TEST(WnPageControl, LoadingStartsOnTheDefaultPageQuietly) {
    Pages p({"A", "B", "C"});
    p.PC->ActivePageDefault = p.Sheets[2];
    int events = 0;
    p.PC->OnChange = [&](TObject*) { ++events; };
    p.PC->OnPageChange = [&](TObject*) { ++events; };
    p.PC->OnChanging = [&](TObject*, int, bool&) { ++events; };
    p.PC->Loaded();
    EXPECT_EQ(p.PC->ActivePage(), p.Sheets[2]);
    EXPECT_EQ(p.PC->TabIndex(), 2);
    EXPECT_TRUE(p.Sheets[2]->Visible());
    EXPECT_FALSE(p.Sheets[0]->Visible());
    EXPECT_EQ(events, 0);
}
