// Scrolling by records through the grid's bar and external bars, thumb tracking, the horizontal
// external bar's scale, the focus exit and the multi-sort switch.
#include "DBGridGxFixture.h"
#include "gui/HintWindow.h"
#include "gui/InputSimulation.h"
#include "gui/StdCtrls.h"

#include <functional>

namespace {

class TUnsequencedQuery : public TADOQuery {
public:
    bool IsSequenced() const override { return false; }
};

class DBGridMessagesTest : public DBGridTest {
protected:
    int Current() { return Grid->DataLink()->DataSet()->FieldByName("F_int")->AsInteger(); }
    void VScroll(TScrollCode Code, int Pos = 0) { Grid->Scroll(sbVertical, Code, Pos); }
    // Three records, the first with a text longer than a narrow column.
    void OpenWithALongText() {
        Fill(3);
        OpenGrid();
        Q->Edit();
        Q->FieldByName("F_text")->SetAsString("quite a long text!!");
        Q->Post();
    }
};

} // namespace

TEST_F(DBGridMessagesTest, UnsequencedThumbPositions) {
    Fill(60);
    TUnsequencedQuery q;
    q.SetConnection(Cnn.get());
    q.SQL()->SetText("select F_int from T_grid order by F_ID");
    q.Open();
    Source.SetDataSet(&q);
    Grid->SetDataSource(&Source);
    int page = Grid->VisibleRowsCount();
    ASSERT_GT(page, 1);
    struct Case {
        int Pos;
        int Want;
    };
    const Case cases[] = {{0, 1}, {1, 30 - page}, {2, 30}, {3, 30 + page}, {4, 60}};
    for (const Case& c : cases) {
        q.First();
        q.MoveBy(29);
        VScroll(scPosition, c.Pos);
        EXPECT_EQ(q.FieldByName("F_int")->AsInteger(), c.Want) << "thumb " << c.Pos;
    }
    Grid->SetDataSource(nullptr);
}

TEST_F(DBGridMessagesTest, LinesPagesAndEnds) {
    Fill(60);
    OpenGrid();
    int shown = Grid->DataLink()->RecordCount();
    VScroll(scLineDown); // just below the last shown row
    EXPECT_EQ(Current(), shown + 1);
    VScroll(scBottom);
    EXPECT_EQ(Current(), 60);
    VScroll(scTop);
    EXPECT_EQ(Current(), 1);
    VScroll(scPosition, 20);
    EXPECT_EQ(Current(), 20);
    VScroll(scPosition, 99);
    EXPECT_EQ(Current(), 60);
    VScroll(scPosition, 1);
    EXPECT_EQ(Current(), 1);
}

TEST_F(DBGridMessagesTest, TrackingMovesWhileDraggingAndNotAgainOnRelease) {
    Fill(60);
    OpenGrid();
    VScroll(scTrack, 10); // without tracking the drag does nothing
    EXPECT_EQ(Current(), 1);
    Grid->VertScrollBar()->Tracking = true;
    VScroll(scTrack, 10);
    EXPECT_EQ(Current(), 10);
    VScroll(scTrack, 15);
    EXPECT_EQ(Current(), 15);
    VScroll(scPosition, 40);
    EXPECT_EQ(Current(), 15);
    VScroll(scEndScroll);
    VScroll(scPosition, 40);
    EXPECT_EQ(Current(), 40);
}

TEST_F(DBGridMessagesTest, ExternalVerticalBar) {
    Fill(60);
    TScrollBar bar(&form);
    bar.SetName("Bar1");
    bar.SetParent(&form);
    bar.SetKind(sbVertical);
    Grid->VertScrollBar()->SetExtScrollBar(&bar);
    OpenGrid();
    int page = Grid->RowsCount() - Grid->TitleOffset();
    EXPECT_EQ(bar.Min(), 1);
    EXPECT_EQ(bar.Max(), 60 + page - 1);
    EXPECT_EQ(bar.PageSize(), page);
    Q->MoveBy(9);
    EXPECT_EQ(bar.Position(), 10);
    int pos = 0;
    ASSERT_TRUE(bar.OnScroll);
    bar.OnScroll(&bar, scBottom, pos);
    EXPECT_EQ(Current(), 60);
    // A bar serves one grid only.
    TTestDBGrid other(&form);
    try {
        other.VertScrollBar()->SetExtScrollBar(&bar);
        FAIL() << "attached twice";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), "Possible Bar1 already attached to the other control.");
    }
    Grid->VertScrollBar()->SetExtScrollBar(nullptr);
    other.VertScrollBar()->SetExtScrollBar(&bar);
    EXPECT_EQ(other.VertScrollBar()->ExtScrollBar(), &bar);
    other.VertScrollBar()->SetExtScrollBar(nullptr);
}

TEST_F(DBGridMessagesTest, FreedExternalBarIsForgotten) {
    Fill(3);
    OpenGrid();
    auto* bar = new TScrollBar(&form);
    Grid->HorzScrollBar()->SetExtScrollBar(bar);
    delete bar;
    EXPECT_EQ(Grid->HorzScrollBar()->ExtScrollBar(), nullptr);
}

TEST_F(DBGridMessagesTest, ExternalHorizontalBarScale) {
    Fill(3);
    OpenGrid();
    TScrollBar bar(&form);
    bar.SetParent(&form);
    // Every column fits: no scale, and no division by an empty range.
    Grid->HorzScrollBar()->SetExtScrollBar(&bar);
    EXPECT_EQ(bar.Max(), 0);
    EXPECT_EQ(bar.Position(), 0);
    for (int i = 0; i < Grid->Columns()->Count(); ++i)
        Grid->Columns()->ColumnAt(i)->SetWidth(300);
    Grid->UpdateHorzExtScrollBar();
    EXPECT_EQ(bar.Max(), 127);
    EXPECT_EQ(bar.Position(), 0);
    int pos = 0;
    Grid->Scroll(sbHorizontal, scBottom, pos);
    EXPECT_EQ(bar.Position(), 127);
    Grid->HorzScrollBar()->SetExtScrollBar(nullptr);
}

TEST_F(DBGridMessagesTest, LeavingCancelsAnUntouchedInsert) {
    Fill(3);
    OpenGrid();
    Q->Append();
    Grid->DoExit();
    EXPECT_EQ(Q->State(), dsBrowse);
    Grid->SetOptions(Grid->Options() & ~dgCancelOnExit);
    Q->Append();
    Grid->DoExit();
    EXPECT_EQ(Q->State(), dsInsert);
    Q->Cancel();
}

// A pending edit that the field refuses as the focus leaves keeps the focus in the grid and lets
// the error pass.
TEST_F(DBGridMessagesTest, ARefusedEditOnLeavingTakesTheFocusBack) {
    Fill(3);
    OpenGrid();
    TEdit other(&form);
    other.SetParent(&form);
    other.SetBounds(0, 320, 100, 20);
    Q->FieldByName("F_text")->OnValidate = [](TField* Sender) {
        if (Sender->AsString() == "bad") throw Exception("refused");
    };
    Grid->SetOptions(Grid->Options() | dgEditing);
    Grid->SetFocus();
    Grid->SetFocusCol(2 + Grid->IndicatorOffset() - 1);
    Q->Edit();
    Grid->SetEditText("bad");
    Grid->DataLink()->Modified = true;
    EXPECT_THROW(other.SetFocus(), Exception);
    EXPECT_TRUE(Grid->Focused());
    EXPECT_FALSE(other.Focused());
    Q->Cancel();
}

TEST_F(DBGridMessagesTest, SwitchingMultiSortOffKeepsTheFirstMarker) {
    Fill(3);
    OpenGrid();
    Grid->SetOptionsGx(Grid->OptionsGx() | dghMultiSortMarking);
    Grid->Columns()->ColumnAt(2)->Title()->SetSortMarker(smDownGx);
    Grid->Columns()->ColumnAt(0)->Title()->SetSortMarker(smUpGx);
    ASSERT_EQ(Grid->SortMarkedColumns().Count(), 2);
    Grid->SetOptionsGx(Grid->OptionsGx() & ~dghMultiSortMarking);
    EXPECT_EQ(Grid->Columns()->ColumnAt(2)->Title()->SortMarker(), smDownGx);
    EXPECT_EQ(Grid->Columns()->ColumnAt(0)->Title()->SortMarker(), smNoneGx);
}

namespace {

struct TShownTip {
    String Text;
    TPoint Pos;
};

TShownTip TipAt(TCustomDBGridGx* Grid, const TPoint& P) {
    TShownTip tip;
    if (THintWindow* w = ShowControlHint(Grid, P)) tip = {w->HintText(), TPoint(w->Left(), w->Top())};
    HideControlHint();
    return tip;
}

String HintAt(TCustomDBGridGx* Grid, int Col, int Row, int Dx = 3) {
    TRect r = Grid->CellScreenRect(Col, Row);
    return TipAt(Grid, TPoint(r.Left + Dx, r.Top + 3)).Text;
}

} // namespace

TEST_F(DBGridMessagesTest, ToolTipsOnlyWhereTextIsCut) {
    OpenWithALongText();
    TColumnGx* text = Grid->Columns()->ColumnAt(1);
    TColumnGx* num = Grid->Columns()->ColumnAt(0);
    text->SetToolTips(true);
    num->SetToolTips(true);
    text->SetWidth(30);
    int row = Grid->TitleOffset();
    EXPECT_EQ(HintAt(Grid, 2, row), "quite a long text!!");
    text->SetWidth(400);
    EXPECT_EQ(HintAt(Grid, 2, row), ""); // fits: no tip
    // A right-aligned cell cut by the grid's right edge gets a tip although its text fits.
    num->SetAlignment(taRightJustify);
    num->SetWidth(60);
    for (int i = 1; i < Grid->Columns()->Count(); ++i)
        Grid->Columns()->ColumnAt(i)->SetWidth(30);
    num->SetWidth(Grid->ClientWidth() - Grid->CellScreenRect(1, row).Left + 40);
    EXPECT_EQ(HintAt(Grid, 1, row), "1");
    num->SetAlignment(taLeftJustify);
    EXPECT_EQ(HintAt(Grid, 1, row), "");
}

TEST_F(DBGridMessagesTest, TitleHintWinsOverToolTips) {
    Fill(1);
    OpenGrid();
    TColumnGx* c = Grid->Columns()->ColumnAt(1);
    c->SetWidth(10);
    c->Title()->SetToolTips(true);
    EXPECT_EQ(HintAt(Grid, 2, 0), "F_text");
    c->Title()->Hint = "The tenant's name|Longer help";
    EXPECT_EQ(HintAt(Grid, 2, 0), "The tenant's name");
}

TEST_F(DBGridMessagesTest, WheelMovesOneRecordPerStep) {
    Fill(10);
    OpenGrid();
    SimulateWheel(Grid, -240, 20, 40);
    EXPECT_EQ(Current(), 3);
    SimulateWheel(Grid, 120, 20, 40);
    EXPECT_EQ(Current(), 2);
}

// What a tool tip shows and where: a cut text's tip lies over the cell's text; a check box shows
// its pick-list entry although nothing is cut; the buttons shown in every row and a title's sort
// marker are no room for the text.
TEST_F(DBGridMessagesTest, ToolTipTextsAndPlaces) {
    OpenWithALongText();
    TColumnGx* num = Grid->Columns()->ColumnAt(0);
    TColumnGx* text = Grid->Columns()->ColumnAt(1);
    const int row = Grid->TitleOffset();
    const int d = Grid->Flat() ? 2 : 1;
    struct Case {
        const char* Name;
        std::function<void()> Set;
        int RawCol, Row;
        int Dx; // from the cell's left edge; negative: from its right edge
        const char* Want;
        bool Placed; // the tip's place checked: left-aligned over the cell's text
    };
    const Case cases[] = {
        {"a cut text", [&] { text->SetWidth(30); }, 2, row, 3, "quite a long text!!", true},
        {"a fitting text", [] {}, 2, row, 3, "", false},
        {"a check box",
         [&] {
             num->SetCheckboxes(true);
             num->PickList()->SetText("Yes\nNo");
         },
         1, row, 3, "Yes", false},
        {"a check box without its entry", [&] { num->SetCheckboxes(true); }, 1, row, 3, "", false},
        {"over the buttons of a cut text",
         [&] {
             text->SetWidth(60);
             text->SetButtonStyle(cbsEllipsis);
             text->SetAlwaysShowEditButton(true);
         },
         2, row, -3, "", false},
        {"beside the buttons of a cut text",
         [&] {
             text->SetWidth(60);
             text->SetButtonStyle(cbsEllipsis);
             text->SetAlwaysShowEditButton(true);
         },
         2, row, 3, "quite a long text!!", true},
        {"a title cut by its sort marker",
         [&] {
             text->Title()->SetCaption("Name");
             text->SetWidth(Grid->MeasureTextWidth(text->Title()->Font(), "Name") + 10);
             text->Title()->SetSortMarker(smDownGx);
         },
         2, 0, 3, "Name", false},
        {"a title without a marker",
         [&] {
             text->Title()->SetCaption("Name");
             text->SetWidth(Grid->MeasureTextWidth(text->Title()->Font(), "Name") + 10);
         },
         2, 0, 3, "", false},
    };
    for (const Case& c : cases) {
        num->SetCheckboxes(false);
        num->PickList()->Clear();
        text->SetWidth(400);
        text->SetButtonStyle(cbsAuto);
        text->SetAlwaysShowEditButton(false);
        text->Title()->SetSortMarker(smNoneGx);
        for (TColumnGx* col : {num, text}) {
            col->SetToolTips(true);
            col->Title()->SetToolTips(true);
        }
        c.Set();
        const TRect r = Grid->CellScreenRect(c.RawCol, c.Row);
        const TPoint p(c.Dx >= 0 ? r.Left + c.Dx : r.Right + c.Dx, r.Top + 3);
        const TShownTip tip = TipAt(Grid, p);
        EXPECT_EQ(tip.Text, c.Want) << c.Name;
        if (c.Placed) {
            EXPECT_EQ(tip.Pos, Grid->ClientToScreen(TPoint(r.Left - 1, r.Top - d))) << c.Name;
        }
    }
}
