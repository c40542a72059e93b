// Tool tips without a pause: over a footer, data or title cell whose tool tips are on the tip
// shows as soon as the pointer rests there; footer cells get tips of their cut texts too.
#include "DBGridGxFixture.h"
#include "gui/HintWindow.h"
#include "gui/InputSimulation.h"

namespace {

class DBGridHintPauseTest : public DBGridTest {
protected:
    void Open() {
        Fill(3);
        Grid->BeginLayout();
        for (const char* n : {"F_int", "F_text", "F_float"})
            Grid->Columns()->AddColumn()->SetFieldName(n);
        Grid->EndLayout();
        Grid->SetFooterRowCount(1);
        OpenGrid();
    }
    TColumnGx* Col(int I) { return Grid->Columns()->ColumnAt(I); }
    TPoint In(int RawCol, int Row) {
        TRect r = Grid->CellScreenRect(RawCol, Row);
        return TPoint(r.Left + 3, r.Top + 3);
    }
    int FooterRow() { return Grid->RowsCount(); }
};

} // namespace

TEST_F(DBGridHintPauseTest, PauseIsZeroWhereToolTipsAreOn) {
    Open();
    const int app = Application()->HintPause();
    struct Case {
        const char* Name;
        std::function<void()> Set;
        int Row;
        int Want;
    };
    const Case cases[] = {
        {"plain data cell", [] {}, 1, app},
        {"data cell with tool tips", [&] { Col(1)->SetToolTips(true); }, 1, 0},
        {"footer with tool tips", [&] { Col(1)->Footer()->SetToolTips(true); }, FooterRow(), 0},
        {"plain footer", [] {}, FooterRow(), app},
        {"title with tool tips", [&] { Col(1)->Title()->SetToolTips(true); }, 0, 0},
        {"title with tool tips and a hint",
         [&] {
             Col(1)->Title()->SetToolTips(true);
             Col(1)->Title()->Hint = "Name";
         },
         0, app},
    };
    for (const Case& c : cases) {
        Col(1)->SetToolTips(false);
        Col(1)->Footer()->SetToolTips(false);
        Col(1)->Title()->SetToolTips(false);
        Col(1)->Title()->Hint.clear();
        c.Set();
        EXPECT_EQ(Grid->HintPauseAt(In(2, c.Row)), c.Want) << c.Name;
    }
}

TEST_F(DBGridHintPauseTest, ACutFooterTextShowsItsTipAtOnce) {
    Open();
    TColumnFooterGx* f = Col(1)->Footer();
    f->SetValueType(fvtStaticText);
    f->SetValue("a footer text that does not fit");
    f->SetToolTips(true);
    Col(1)->SetWidth(40);
    const TPoint at = In(2, FooterRow());
    SimulateMouseMove(Grid, at.X, at.Y);
    THintWindow* tip = ShownHintWindow();
    ASSERT_NE(tip, nullptr);
    EXPECT_EQ(tip->HintText(), "a footer text that does not fit");
    // Over a footer that fits there is no tip, and the one shown goes.
    Col(2)->Footer()->SetValueType(fvtStaticText);
    Col(2)->Footer()->SetValue("ok");
    Col(2)->Footer()->SetToolTips(true);
    const TPoint other = In(3, FooterRow());
    SimulateMouseMove(Grid, other.X, other.Y);
    EXPECT_EQ(ShownHintWindow(), nullptr);
    HideControlHint();
}

TEST_F(DBGridHintPauseTest, LeavingTheGridReportsAPendingCtrlSortMarking) {
    Open();
    Col(0)->Title()->SetTitleButton(true);
    Grid->SetOptionsGx(Grid->OptionsGx() | dghAutoSortMarking);
    int changed = 0;
    Grid->OnSortMarkingChanged = [&](TObject*) { ++changed; };
    TEdit* other = new TEdit(&form);
    other->SetParent(&form);
    other->SetBounds(0, 320, 100, 20);
    Grid->SetFocus();
    const TPoint title = In(1, 0);
    SimulateClick(Grid, title.X, title.Y, mbLeft, TShiftState{ssCtrl});
    EXPECT_TRUE(Grid->CtrlSortPending());
    EXPECT_EQ(changed, 0);
    other->SetFocus();
    Grid->DoExit();
    EXPECT_FALSE(Grid->CtrlSortPending());
    EXPECT_EQ(changed, 1);
}
