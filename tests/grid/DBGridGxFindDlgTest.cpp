// The find dialog, played through the interaction responder: its layout, the column list, "All"
// starting at the first record and then going on, Ctrl reversing, match types and case, the keys.
#include "DBGridGxFixture.h"
#include "RowModeGrid.h"
#include "grid/DBCtrlsGxCheck.h"
#include "grid/DBCtrlsGxCombo.h"
#include "grid/DBGridGxFindDlgs.h"
#include "gui/Interaction.h"
#include "gui/StdCtrls.h"

namespace {

class FindDlgTest : public DBGridTest {
protected:
    // 30 rows t1..t30; row 3 is "ABC", row 4 "Abc", row 2 "cAb".
    void SetUp() override {
        DBGridTest::SetUp();
        Fill(30);
        Run("update T_grid set F_text = 'cAb' where F_int = 2");
        Run("update T_grid set F_text = 'ABC' where F_int = 3");
        Run("update T_grid set F_text = 'Abc' where F_int = 4");
        OpenGrid();
    }
    int Record() { return Q->FieldByName("F_int")->AsInteger(); }
    void GoTo(int FInt) { Q->Locate("F_int", FInt); }
    // Opens the dialog modally; Play runs on it as the user, then it is closed.
    void RunDialog(const std::function<void(TDBGridGxFindDlg*)>& Play) {
        TScriptedResponder user;
        TInteractionScope scope(user);
        user.Form([&](TCustomForm* f) {
            auto* d = static_cast<TDBGridGxFindDlg*>(f);
            Play(d);
            return mrCancel;
        });
        GridFindDialogProc(Grid, "", "", nullptr, true);
        ASSERT_EQ(user.Requests().size(), 1u);
        EXPECT_EQ(user.Requests()[0].Caption, "Find text");
    }
    // Puts the dialog's settings back to those it starts with.
    static void Reset(TDBGridGxFindDlg* d) {
        d->cbMatchinType->SetItemIndex(0);
        d->cbFindDirection->SetItemIndex(2);
        d->cbCharCase->SetChecked(false);
        d->cbUseFormat->SetChecked(true);
    }
};

} // namespace

TEST_F(FindDlgTest, OpensWithTheGridsColumnsAndTheFocusedOne) {
    Grid->SetFocusCol(Grid->IndicatorOffset() + 1);
    RunDialog([&](TDBGridGxFindDlg* d) {
        EXPECT_EQ(d->ClientWidth(), 505);
        EXPECT_EQ(d->ClientHeight(), d->dbcTreeFindRange->Top());
        EXPECT_FALSE(d->dbcTreeFindRange->Visible());
        EXPECT_EQ(d->cbFindIn->Items()->CommaText(), "F_int,F_text,F_float,<All>");
        EXPECT_EQ(d->cbFindIn->ItemIndex(), 1);
        EXPECT_EQ(d->cbMatchinType->Text(), "From any part of field");
        EXPECT_EQ(d->cbFindDirection->Text(), "All");
        EXPECT_EQ(d->bCancel->Caption(), "Close");
        EXPECT_EQ(d->ActiveControl(), d->cbText);
        EXPECT_EQ(d->Grid(), Grid);
        EXPECT_TRUE(d->FirstTry());
    });
    Grid->ColumnByFieldName("F_text")->SetVisible(false);
    RunDialog([&](TDBGridGxFindDlg* d) {
        EXPECT_EQ(d->cbFindIn->Items()->CommaText(), "F_int,F_float,<All>");
        EXPECT_EQ(d->cbFindIn->ItemIndex(), 2) << "the focused column is hidden: <All>";
    });
}

// With the title tree on, "Find in" shows a caption's levels as the titles show them, not the
// bars that separate them; the focused column is still found among them.
TEST_F(FindDlgTest, FindInShowsTitleLevelsAsTheTitleTreeDoes) {
    Grid->ColumnByFieldName("F_int")->Title()->SetCaption("Fee|Amount");
    Grid->ColumnByFieldName("F_text")->Title()->SetCaption("Fee|Name");
    Grid->ColumnByFieldName("F_float")->Title()->SetCaption("|Rate|");
    Grid->SetFocusCol(Grid->IndicatorOffset() + 1);
    for (bool tree : {true, false}) {
        Grid->SetUseMultiTitle(tree);
        RunDialog([&](TDBGridGxFindDlg* d) {
            EXPECT_EQ(d->cbFindIn->Items()->Text(), tree ? "Fee - Amount\r\nFee - Name\r\nRate\r\n<All>\r\n"
                                                         : "Fee|Amount\r\nFee|Name\r\n|Rate|\r\n<All>\r\n");
            EXPECT_EQ(d->cbFindIn->ItemIndex(), 1) << tree;
        });
    }
}

TEST_F(FindDlgTest, AllStartsAtTheFirstRecordThenGoesOn) {
    GoTo(20);
    RunDialog([&](TDBGridGxFindDlg* d) {
        Reset(d);
        d->cbFindIn->SetItemIndex(1);
        d->cbText->SetText("t1");
        d->bFind->Click();
        EXPECT_EQ(Record(), 1);
        EXPECT_FALSE(d->FirstTry());
        d->bFind->Click();
        EXPECT_EQ(Record(), 10);
        d->bFind->Click();
        EXPECT_EQ(Record(), 11);
        d->cbText->SetText("t2");
        EXPECT_TRUE(d->FirstTry());
        d->bFind->Click();
        EXPECT_EQ(Record(), 20);
        // Nothing found: the record stays and the next search still starts at the first.
        d->cbText->SetText("zzz");
        d->bFind->Click();
        EXPECT_EQ(Record(), 20);
        EXPECT_TRUE(d->FirstTry());
        EXPECT_EQ(d->cbText->Items()->CommaText(), "t1,t2,zzz");
    });
}

TEST_F(FindDlgTest, CtrlReversesTheDirection) {
    RunDialog([&](TDBGridGxFindDlg* d) {
        Reset(d);
        d->cbFindIn->SetItemIndex(1);
        d->cbText->SetText("t1");
        struct {
            int Direction;
            bool Ctrl;
            int From, Found;
        } cases[] = {
            {gsdDownGx, false, 15, 16}, {gsdDownGx, true, 15, 14}, {gsdUpGx, false, 15, 14},
            {gsdUpGx, true, 15, 16},    {gsdAllGx, true, 15, 14},
        };
        for (const auto& c : cases) {
            GoTo(c.From);
            d->cbFindDirection->SetItemIndex(c.Direction);
            d->FindNext(c.Ctrl);
            EXPECT_EQ(Record(), c.Found) << c.Direction << " " << c.Ctrl;
        }
    });
}

TEST_F(FindDlgTest, MatchTypesAndCase) {
    RunDialog([&](TDBGridGxFindDlg* d) {
        Reset(d);
        d->cbFindIn->SetItemIndex(3); // <All>
        struct {
            const char* Text;
            int Match;
            bool MatchCase;
            int Found; // 0: nothing, the record stays on 30
        } cases[] = {
            {"abc", 1, false, 3}, {"abc", 1, true, 0}, {"Abc", 1, true, 4}, {"Ab", 2, true, 4},
            {"Ab", 0, true, 2},   {"", 0, false, 0},   {"", 1, false, 0},   {"", 2, false, 1},
        };
        for (const auto& c : cases) {
            GoTo(30);
            d->cbText->SetText(c.Text);
            d->cbTextChange(); // also for an unchanged text: start at the first record again
            d->cbMatchinType->SetItemIndex(c.Match);
            d->cbCharCase->SetChecked(c.MatchCase);
            d->bFind->Click();
            EXPECT_EQ(Record(), c.Found ? c.Found : 30) << c.Text << " " << c.Match << " " << c.MatchCase;
        }
    });
}

TEST_F(FindDlgTest, EnterFindsAndEscapeClosesTheStayOnTopDialog) {
    ShowGridFindDialog(Grid, "t7", "", nullptr, false);
    TDBGridGxFindDlg* d = GridFindDialog();
    ASSERT_NE(d, nullptr);
    EXPECT_TRUE(d->Visible());
    EXPECT_EQ(d->FormStyle(), fsStayOnTop);
    Reset(d);
    d->cbFindIn->SetItemIndex(1);
    d->cbMatchinType->SetItemIndex(1);
    Word key = VK_RETURN;
    d->FormKeyDown(key, TShiftState());
    EXPECT_EQ(Record(), 7);
    EXPECT_EQ(key, 0);
    key = VK_ESCAPE;
    d->FormKeyDown(key, TShiftState());
    EXPECT_FALSE(d->Visible());
}

// The dialog outlives grids: a freed grid is forgotten with its columns.
TEST_F(FindDlgTest, FreedGridIsForgotten) {
    RunDialog([](TDBGridGxFindDlg*) {});
    TDBGridGxFindDlg* d = GridFindDialog();
    delete Grid;
    Grid = nullptr;
    EXPECT_EQ(d->Grid(), nullptr);
    EXPECT_EQ(d->cbFindIn->Items()->Count(), 0);
    d->bFindClick();
}

// "Find in Tree:" shows, at the form's full height, only over a data set that presents a tree.
TEST(FindDlgTree, TheTreeRangeShowsOnlyOverATree) {
    TRowModeGrid rows(3, [](int i) { return Format("R%d", {i}); });
    for (bool tree : {false, true, false}) {
        rows.Data->Tree = tree;
        TScriptedResponder user;
        TInteractionScope scope(user);
        user.Form([&](TCustomForm* f) {
            auto* d = static_cast<TDBGridGxFindDlg*>(f);
            EXPECT_EQ(d->lTreeFindRange->Visible(), tree);
            EXPECT_EQ(d->dbcTreeFindRange->Visible(), tree);
            EXPECT_EQ(d->ClientHeight(), tree ? 150 : d->dbcTreeFindRange->Top()) << tree;
            EXPECT_EQ(d->dbcTreeFindRange->Text(), "In all nodes");
            return mrCancel;
        });
        GridFindDialogProc(rows.Grid, "", "", nullptr, true);
        EXPECT_EQ(user.Requests().size(), 1u);
    }
}
