// Rows on the record window, the vertical scroll bar and what a scroll repaints.
#include "DBGridGxFixture.h"

namespace {
class TUnsequencedQuery : public TADOQuery {
public:
    bool IsSequenced() const override { return false; }
};
} // namespace

TEST_F(DBGridTest, BufferHoldsTheRowsThatFit) {
    Fill(100);
    OpenGrid();
    int fixed = Grid->RowHeightAt(0) + Grid->LineWidth();
    int want = (Grid->ClientHeight() - fixed) / Grid->RowPitch();
    EXPECT_EQ(Grid->DataLink()->BufferCount(), want);
    EXPECT_EQ(Grid->RowsCount(), want + 1);
    Grid->SetBounds(0, 0, 500, 10);
    EXPECT_EQ(Grid->DataLink()->BufferCount(), 1);
}

TEST_F(DBGridTest, SequencedScrollBarFollowsRecNo) {
    Fill(100);
    OpenGrid();
    Q->MoveBy(5);
    TScrollInfo si = Grid->LastVertScroll();
    int page = Grid->RowsCount() - Grid->TitleOffset();
    EXPECT_EQ(si.nMin, 1);
    EXPECT_EQ(static_cast<int>(si.nPage), page);
    EXPECT_EQ(si.nMax, 100 + page - 1);
    EXPECT_EQ(si.nPos, 6);
}

TEST_F(DBGridTest, UnsequencedScrollBarHasThreePositions) {
    Fill(30);
    TUnsequencedQuery q;
    q.SetConnection(Cnn.get());
    q.SQL()->SetText("select F_int from T_grid");
    q.Open();
    Source.SetDataSet(&q);
    Grid->SetDataSource(&Source);
    EXPECT_EQ(Grid->LastVertScroll().nMax, 4);
    EXPECT_EQ(Grid->LastVertScroll().nPos, 0);
    q.MoveBy(3);
    EXPECT_EQ(Grid->LastVertScroll().nPos, 2);
    q.Last();
    EXPECT_EQ(Grid->LastVertScroll().nPos, 4);
    Grid->SetDataSource(nullptr);
}

TEST_F(DBGridTest, AlwaysShownBarIsDisabledWhenNothingScrolls) {
    Fill(1);
    Grid->VertScrollBar()->VisibleMode = sbAlwaysShowGx;
    OpenGrid();
    EXPECT_TRUE(Grid->VertBarDisabled());
    // Shown all the same: it takes room from the cells, which the automatic mode gives back.
    const int shown = Grid->ClientWidth();
    Grid->VertScrollBar()->VisibleMode = sbAutoShowGx;
    Grid->AdjustVertScrollBar();
    EXPECT_FALSE(Grid->VertBarDisabled());
    EXPECT_GT(Grid->ClientWidth(), shown);
}

TEST_F(DBGridTest, OneRecordScrollRepaintsOnlyWhatMoved) {
    Fill(100);
    OpenGrid();
    Grid->SetFooterRowCount(1);
    int rows = Grid->RowsCount() - Grid->TitleOffset();
    Q->MoveBy(rows - 1); // the last row of the window
    Grid->Invalidated.clear();
    Q->Next(); // the window moves by one record
    int x = Grid->ClientWidth() / 2;
    TRect mid = Grid->CellScreenRect(1, Grid->TitleOffset() + rows / 2);
    TRect last = Grid->CellScreenRect(1, Grid->RowsCount() - 1);
    EXPECT_FALSE(Grid->InvalidatedAt(x, (mid.Top + mid.Bottom) / 2));
    EXPECT_TRUE(Grid->InvalidatedAt(x, (last.Top + last.Bottom) / 2));
    TRect footer = Grid->CellScreenRect(1, Grid->RowsCount());
    EXPECT_TRUE(Grid->InvalidatedAt(x, (footer.Top + footer.Bottom) / 2));
    Grid->Invalidated.clear();
    Q->MoveBy(50); // a jump: everything
    EXPECT_TRUE(Grid->InvalidatedAt(x, (mid.Top + mid.Bottom) / 2));
}

// A jump of two records from the middle of the window: the old current row, the two uncovered rows
// (the new current row among them) and the footers repaint; the rows that only moved do not.
TEST_F(DBGridTest, AShortJumpRepaintsBothCurrentRows) {
    Fill(100);
    OpenGrid();
    Grid->SetFooterRowCount(1);
    const int top = Grid->TitleOffset();
    const int rows = Grid->RowsCount() - top;
    ASSERT_GT(rows, 8);
    Q->MoveBy(2);
    Grid->Invalidated.clear();
    Q->MoveBy(rows - 1); // the window moves by two records
    const int x = Grid->ClientWidth() / 2;
    auto repainted = [&](int row) {
        const TRect r = Grid->CellScreenRect(1, row);
        return Grid->InvalidatedAt(x, (r.Top + r.Bottom) / 2);
    };
    struct {
        const char* what;
        int row;
        bool want;
    } cases[] = {{"old current row", top + 2, true},
                 {"moved row", top + rows / 2, false},
                 {"uncovered row", Grid->RowsCount() - 2, true},
                 {"new current row", Grid->RowsCount() - 1, true},
                 {"footer", Grid->RowsCount(), true}};
    for (auto& c : cases) EXPECT_EQ(repainted(c.row), c.want) << c.what;
}
