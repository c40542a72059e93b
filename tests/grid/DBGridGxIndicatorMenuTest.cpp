// The indicator title's menu and the columns' context menus: what the menu lists, where it opens,
// what its entries do, and the press on the indicator title without a menu.
#include "DBGridGxFixture.h"
#include "grid/DBGridGxStyle.h"
#include "gui/Clipbrd.h"
#include "gui/InputSimulation.h"
#include "gui/Interaction.h"

namespace {

class DBGridIndicatorMenuTest : public DBGridTest {
protected:
    void Open() {
        Fill(3);
        OpenGrid();
        Grid->SetOptions(Grid->Options() | dgMultiSelect);
        Grid->EditActions = 0x1F;
    }
    TPoint IndicatorTitle() {
        TRect r = Grid->CellScreenRect(0, 0);
        return TPoint(r.Left + 3, r.Top + 3);
    }
    void PressIndicatorTitle() {
        SimulateMouseDown(Grid, mbLeft, IndicatorTitle().X, IndicatorTitle().Y);
        SimulateMouseUp(Grid, mbLeft, IndicatorTitle().X, IndicatorTitle().Y);
    }
    TColumnGx* Col(int I) { return Grid->Columns()->ColumnAt(I); }
};

} // namespace

TEST_F(DBGridIndicatorMenuTest, TheTitleButtonOpensTheMenuBelowTheCell) {
    Open();
    Grid->IndicatorTitle()->TitleButton = true;
    TScriptedResponder user;
    TInteractionScope scope(user);
    user.MenuItem("Visible columns/F_text");
    PressIndicatorTitle();
    ASSERT_EQ(user.Requests().size(), 1u);
    const TInteractionRequest& r = user.Requests()[0];
    EXPECT_EQ(r.Caption, "DBGridGxIndicatorTitlePopupMenu");
    const TRect cell = Grid->CellScreenRect(0, 0);
    EXPECT_EQ(r.Position, Grid->ClientToScreen(TPoint(cell.Left, cell.Bottom)));
    EXPECT_EQ(r.Items, (std::vector<String>{"Visible columns", "Visible columns/F_int",
                                            "Visible columns/F_text", "Visible columns/F_float", "Cut",
                                            "Copy", "Paste", "Delete", "Select All"}));
    EXPECT_FALSE(Col(1)->Visible()); // the chosen entry hid its column
    EXPECT_FALSE(Grid->IndicatorTitle()->Pressed());
    // The next opening shows it unchecked; choosing "Select All" selects everything.
    user.MenuItem("Select All");
    PressIndicatorTitle();
    EXPECT_EQ(Grid->Selection()->SelectionType(), gstAll);
    TPopupMenu* menu = nullptr;
    Grid->Center()->BuildIndicatorMenu(Grid, menu);
    EXPECT_FALSE(menu->Items()->Items(0)->Items(1)->Checked());
    EXPECT_TRUE(menu->Items()->Items(0)->Items(0)->Checked());
}

TEST_F(DBGridIndicatorMenuTest, EditEntriesRunOnTheSelection) {
    Open();
    Grid->IndicatorTitle()->TitleButton = true;
    Q->First();
    Grid->SelectedRows()->SetCurrentRowSelected(true);
    TScriptedResponder user;
    TInteractionScope scope(user);
    Clipboard()->SetAsText("before");
    user.MenuItem("Copy");
    PressIndicatorTitle();
    EXPECT_NE(Clipboard()->AsText().find("t1"), String::npos);
    user.MenuItem("Delete").Answer(mrOk);
    PressIndicatorTitle();
    EXPECT_EQ(user.Requests().back().Text, "Delete record?");
    EXPECT_EQ(Q->RecordCount(), 2);
}

TEST_F(DBGridIndicatorMenuTest, TheTitlesOwnMenuFollowsTheBuiltInEntries) {
    Open();
    TPopupMenu own(&form);
    int clicked = 0;
    own.Items()->Add(NewItem(&own, "Print", scNone, false, true, [&](TObject*) { ++clicked; }));
    own.Items()->Add(NewItem(&own, "Export", scNone, true, false, nullptr));
    Grid->IndicatorTitle()->SetDropdownMenu(&own);
    auto captions = [&] {
        TPopupMenu* m = nullptr;
        Grid->Center()->BuildIndicatorMenu(Grid, m);
        std::vector<String> out;
        for (int i = 0; i < m->Items()->Count(); ++i)
            out.push_back(m->Items()->Items(i)->Caption());
        return out;
    };
    struct Case {
        const char* Name;
        bool Global;
        int Items;
        std::vector<String> Want;
    };
    const Case cases[] = {
        {"all built-in entries",
         true,
         63,
         {"Visible columns", "Cut", "Copy", "Paste", "Delete", "Select All", "-", "Print", "Export"}},
        {"copy only", true, imiCopyGx, {"Copy", "-", "Print", "Export"}},
        {"no built-in entry", true, 0, {"Print", "Export"}},
        {"no global menu", false, 63, {"Print", "Export"}},
    };
    for (const Case& c : cases) {
        Grid->IndicatorTitle()->UseGlobalMenu = c.Global;
        Grid->Center()->IndicatorMenuItems = c.Items;
        EXPECT_EQ(captions(), c.Want) << c.Name;
    }
    Grid->Center()->IndicatorMenuItems = 63;
    // The copies keep the state and the click of the originals.
    TPopupMenu* m = nullptr;
    Grid->Center()->BuildIndicatorMenu(Grid, m);
    TMenuItem* copy = m->Items()->Items(m->Items()->Count() - 1);
    EXPECT_TRUE(copy->Checked());
    EXPECT_FALSE(copy->Enabled());
    m->Items()->Items(m->Items()->Count() - 2)->Click();
    EXPECT_EQ(clicked, 1);
    // A freed menu is forgotten.
    {
        TPopupMenu gone(nullptr);
        Grid->IndicatorTitle()->SetDropdownMenu(&gone);
    }
    EXPECT_EQ(Grid->IndicatorTitle()->DropdownMenu(), nullptr);
}

TEST_F(DBGridIndicatorMenuTest, ColumnsWithoutCaptionsLeaveTheSubmenuEmpty) {
    // Columns bound to no field have no caption.
    Grid->Columns()->AddColumn();
    Grid->Columns()->AddColumn();
    Open();
    ASSERT_EQ(Col(0)->Title()->Caption(), "");
    TPopupMenu* m = nullptr;
    Grid->Center()->BuildIndicatorMenu(Grid, m);
    ASSERT_GT(m->Items()->Count(), 0);
    EXPECT_EQ(m->Items()->Items(0)->Caption(), "Visible columns");
    EXPECT_EQ(m->Items()->Items(0)->Count(), 0);
}

TEST_F(DBGridIndicatorMenuTest, EventsAndTheCentreMayReplaceTheMenuAndThePress) {
    Open();
    Grid->IndicatorTitle()->TitleButton = true;
    TPopupMenu mine(&form);
    mine.SetName("pmMine");
    mine.Items()->Add(NewItem(&mine, "Mine", scNone, false, true, nullptr));
    Grid->OnBuildIndicatorTitleMenu = [&](TCustomDBGridGx*, TPopupMenu*& Menu) { Menu = &mine; };
    TScriptedResponder user;
    TInteractionScope scope(user);
    user.MenuItem("");
    PressIndicatorTitle();
    ASSERT_EQ(user.Requests().size(), 1u);
    EXPECT_EQ(user.Requests()[0].Caption, "pmMine");
    // The press itself goes to the event when one is set.
    TPoint at(-1, -1);
    Grid->OnIndicatorTitleMouseDown = [&](TObject*, TGridCoord, TMouseButton, TShiftState, TPoint P) {
        at = P;
    };
    PressIndicatorTitle();
    EXPECT_EQ(at, TPoint(3, 3));
    EXPECT_EQ(user.Requests().size(), 1u);
    Grid->OnIndicatorTitleMouseDown = nullptr;
    // A menu without entries makes the cell a button held while the pointer stays on it.
    TPopupMenu empty(&form);
    Grid->OnBuildIndicatorTitleMenu = [&](TCustomDBGridGx*, TPopupMenu*& Menu) { Menu = &empty; };
    SimulateMouseDown(Grid, mbLeft, IndicatorTitle().X, IndicatorTitle().Y);
    EXPECT_EQ(Grid->TrackingState(), TCustomDBGridGx::gtsIndicatorTitleDown);
    EXPECT_TRUE(Grid->IndicatorTitle()->Pressed());
    const TRect data = Grid->CellScreenRect(1, 1);
    SimulateMouseMove(Grid, data.Left + 3, data.Top + 3, TShiftState{ssLeft});
    EXPECT_FALSE(Grid->IndicatorTitle()->Pressed());
    SimulateMouseUp(Grid, mbLeft, data.Left + 3, data.Top + 3);
    EXPECT_EQ(Grid->TrackingState(), TCustomDBGridGx::gtsNone);
}

TEST_F(DBGridIndicatorMenuTest, WithoutTheTitleButtonThePressSelectsOrClearsEverything) {
    Open();
    PressIndicatorTitle();
    EXPECT_EQ(Grid->Selection()->SelectionType(), gstAll);
    PressIndicatorTitle();
    EXPECT_EQ(Grid->Selection()->SelectionType(), gstNon);
    Grid->SetAllowedSelections(0x1E & ~(1 << gstAll));
    PressIndicatorTitle();
    EXPECT_EQ(Grid->Selection()->SelectionType(), gstNon);
}

TEST_F(DBGridIndicatorMenuTest, AColumnsContextMenuComesBeforeTheGrids) {
    Open();
    TPopupMenu gridMenu(&form), columnMenu(&form);
    gridMenu.SetName("pmGrid");
    columnMenu.SetName("pmColumn");
    gridMenu.Items()->Add(NewItem(&gridMenu, "G", scNone, false, true, nullptr));
    columnMenu.Items()->Add(NewItem(&columnMenu, "C", scNone, false, true, nullptr));
    Grid->SetPopupMenu(&gridMenu);
    Col(1)->SetPopupMenu(&columnMenu);
    TScriptedResponder user;
    TInteractionScope scope(user);
    struct Case {
        const char* Name;
        int RawCol, Row;
        const char* Menu;
    };
    const Case cases[] = {
        {"data cell of the column", 2, 2, "pmColumn"},
        {"title of the column", 2, 0, "pmColumn"},
        {"another column", 1, 2, "pmGrid"},
        {"the indicator", 0, 2, "pmGrid"},
    };
    for (const Case& c : cases) {
        user.MenuItem("");
        const TRect r = Grid->CellScreenRect(c.RawCol, c.Row);
        SimulateContextMenu(Grid, r.Left + 3, r.Top + 3);
        EXPECT_EQ(user.Requests().back().Caption, c.Menu) << c.Name;
        EXPECT_EQ(user.Requests().back().Position, Grid->ClientToScreen(TPoint(r.Left + 3, r.Top + 3)))
            << c.Name;
    }
    EXPECT_EQ(columnMenu.PopupComponent(), Grid);
    // A freed menu is forgotten by its column.
    {
        TPopupMenu gone(nullptr);
        Col(0)->SetPopupMenu(&gone);
    }
    EXPECT_EQ(Col(0)->PopupMenu(), nullptr);
}
