// Moving the current cell, the anchor and the first visible cell, and the scroll bars' scale.
#include "GridTestSupport.h"

#include "gui/ControlPaint.h"
#include "gui/Graphics.h"

namespace {

// A grid shown on a form (scroll bars need a window that shows).
struct TShownGrid : TShownGridTest {
    void SetUp() override {
        TShownGridTest::SetUp();
        grid->SetScrollBarsShown(ssBoth);
    }
    void Place(int Width, int Height) { grid->SetBounds(0, 0, Width, Height); }
};

} // namespace

TEST_F(TShownGrid, ThumbUsesTheScaleOf127AndReachesTheLastColumn) {
    grid->SetColsCount(13);
    Place(200, 300);
    ASSERT_EQ(grid->ClientWidth(), 200);
    ASSERT_EQ(grid->MaxTopLeftFor(TGridCoord{12, 4}, grid->CalcGridLayout()).X, 11);
    grid->SetFirstVisibleCol(3);
    EXPECT_EQ(grid->GetScrollPos(SB_HORZ), 25); // 2 x 127 / 10 = 25.4
    grid->ApplyScrollCommand(TCustomGridGx::saHorizontal, scPosition, 127, true);
    EXPECT_EQ(grid->TopLeftCell().X, 11);
    EXPECT_EQ(grid->GetScrollPos(SB_HORZ), 127);
    grid->ApplyScrollCommand(TCustomGridGx::saHorizontal, scTop, 0, true);
    EXPECT_EQ(grid->TopLeftCell().X, 1);
    grid->ApplyScrollCommand(TCustomGridGx::saHorizontal, scBottom, 0, true);
    EXPECT_EQ(grid->TopLeftCell().X, 11);
    // Thumb tracking moves only with goThumbTracking.
    grid->ApplyScrollCommand(TCustomGridGx::saHorizontal, scTrack, 0, true);
    EXPECT_EQ(grid->TopLeftCell().X, 11);
    grid->SetGridOptions(grid->GridOptions() + TGridOptions{goThumbTracking});
    grid->ApplyScrollCommand(TCustomGridGx::saHorizontal, scTrack, 0, true);
    EXPECT_EQ(grid->TopLeftCell().X, 1);
}

TEST_F(TShownGrid, LineStepsSkipHiddenColumns) {
    grid->SetColsCount(13);
    Place(200, 300);
    grid->SetColWidthAt(2, 0);
    grid->SetColWidthAt(3, -1);
    struct {
        int From;
        TScrollCode Code;
        int To;
    } cases[] = {
        {1, scLineDown, 4}, {4, scLineUp, 1}, {4, scLineDown, 5}, {11, scLineDown, 11}, {1, scLineUp, 1},
    };
    for (const auto& c : cases) {
        grid->MoveTopLeftTo(c.From, 1);
        grid->ApplyScrollCommand(TCustomGridGx::saHorizontal, c.Code, 0, true);
        EXPECT_EQ(grid->TopLeftCell().X, c.To) << c.From;
    }
}

TEST_F(TShownGrid, PageStepsMoveByTheVisibleRows) {
    grid->SetRowsCount(100);
    Place(400, 25 + 10 * 25);
    const int shown = grid->CalcGridLayout().Rows.LastFullCell - grid->TopLeftCell().Y;
    ASSERT_GE(shown, 1);
    grid->ApplyScrollCommand(TCustomGridGx::saVertical, scPageDown, 0, true);
    EXPECT_EQ(grid->TopLeftCell().Y, 1 + shown);
    grid->ApplyScrollCommand(TCustomGridGx::saVertical, scPageUp, 0, true);
    EXPECT_EQ(grid->TopLeftCell().Y, 1);
    // Rows taller than the window still move by one.
    grid->SetDefRowHeight(400);
    grid->ApplyScrollCommand(TCustomGridGx::saVertical, scPageDown, 0, true);
    EXPECT_EQ(grid->TopLeftCell().Y, 2);
}

TEST_F(TShownGrid, OneColumnScrollsByPixels) {
    grid->SetFixedColsCount(0);
    grid->SetColsCount(1);
    grid->SetColWidthAt(0, 500);
    Place(200, 300);
    const int space = grid->ClientWidth();
    const int zero = grid->Canvas()->TextWidth("0");
    ASSERT_GT(zero, 0);
    grid->ApplyScrollCommand(TCustomGridGx::saHorizontal, scLineDown, 0, true);
    EXPECT_EQ(grid->ColPixelOffset(), zero);
    grid->ApplyScrollCommand(TCustomGridGx::saHorizontal, scBottom, 0, true);
    EXPECT_EQ(grid->ColPixelOffset(), 500 - space);
    grid->ApplyScrollCommand(TCustomGridGx::saHorizontal, scPageDown, 0, true);
    EXPECT_EQ(grid->ColPixelOffset(), 500 - space);
    grid->ApplyScrollCommand(TCustomGridGx::saHorizontal, scTop, 0, true);
    EXPECT_EQ(grid->ColPixelOffset(), 0);
    grid->ApplyScrollCommand(TCustomGridGx::saHorizontal, scPosition, 77, true);
    EXPECT_EQ(grid->ColPixelOffset(), 77);
    EXPECT_EQ(grid->GetScrollPos(SB_HORZ), 77);
}

TEST_F(TShownGrid, MovingTheFocusScrollsItIntoView) {
    grid->SetColsCount(30);
    grid->SetRowsCount(100);
    Place(400, 300);
    grid->MoveFocus(25, 80, true, true);
    const GridLayout l = grid->CalcGridLayout();
    EXPECT_EQ(l.Cols.LastFullCell, 25);
    EXPECT_EQ(l.Rows.LastFullCell, 80);
    grid->MoveFocus(3, 2, true, true);
    EXPECT_EQ(grid->TopLeftCell(), (TGridCoord{3, 2}));
    // A jump farther than the visible extent repaints the whole grid instead of moving pixels.
    grid->Invalidated.clear();
    grid->MoveTopLeftTo(3, 60);
    EXPECT_TRUE(grid->InvalidatedAt(5, 5));
    EXPECT_TRUE(grid->InvalidatedAt(grid->ClientWidth() - 2, grid->ClientHeight() - 2));
}

TEST(GridNavigation, SelectionRulesOfMoveFocus) {
    TTestGrid grid(nullptr);
    grid.SetBounds(0, 0, 500, 300);
    grid.SetColsCount(6);
    grid.SetRowsCount(8);
    grid.SetContraRowCount(2);
    EXPECT_EQ(GridErrorOf([&] { grid.MoveFocus(2, 8, true, false); }), "Grid index out of range");
    EXPECT_EQ(GridErrorOf([&] { grid.MoveFocus(6, 2, true, false); }), "Grid index out of range");
    // goRangeSelect: a move without the anchor keeps the anchor.
    grid.MoveFocus(2, 2, true, false);
    grid.MoveFocus(4, 5, false, false);
    EXPECT_EQ(grid.AnchorCell(), (TGridCoord{2, 2}));
    EXPECT_EQ(grid.SelectedRange(), (GridCellRange{2, 2, 4, 5}));
    grid.MoveAnchorTo(TGridCoord{1, 1});
    EXPECT_EQ(grid.SelectedRange(), (GridCellRange{1, 1, 4, 5}));
    // A refused cell changes nothing.
    grid.AllowSelect = false;
    grid.MoveFocus(5, 7, true, true);
    EXPECT_EQ(grid.CurrentCell(), (TGridCoord{4, 5}));
    EXPECT_EQ(grid.AnchorCell(), (TGridCoord{1, 1}));
    EXPECT_EQ(grid.TopLeftCell(), (TGridCoord{1, 1}));
    grid.AllowSelect = true;
    // Whole rows.
    grid.SetGridOptions(grid.GridOptions() + TGridOptions{goRowSelect});
    grid.MoveFocus(3, 6, true, false);
    EXPECT_EQ(grid.CurrentCell(), (TGridCoord{1, 6}));
    EXPECT_EQ(grid.AnchorCell(), (TGridCoord{5, 6}));
    // Without goRangeSelect the anchor always follows.
    grid.SetGridOptions(TGridOptions{goVertLine, goHorzLine});
    grid.MoveFocus(2, 3, false, false);
    EXPECT_EQ(grid.AnchorCell(), (TGridCoord{2, 3}));
}

// A line step moves the painted pixels: only the row it uncovers is painted again.
TEST_F(TShownGrid, ALineStepPaintsOnlyTheRowItUncovers) {
    grid->SetRowsCount(1000);
    grid->Repaint();
    Application()->ProcessMessages();
    grid->Painted.clear();
    grid->ApplyScrollCommand(TCustomGridGx::saVertical, scLineDown, 0, false);
    PaintPending(grid);
    const int last = grid->CalcGridLayout().Rows.LastFullCell;
    ASSERT_FALSE(grid->Painted.empty());
    for (const auto& p : grid->Painted)
        EXPECT_GE(p.Row, last) << p.Col << "," << p.Row;
    EXPECT_LE(grid->Painted.size(), 2u * 5u);
}
