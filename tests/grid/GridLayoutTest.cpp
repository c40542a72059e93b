// The base grid's geometry, count changes and their messages, worked out over a given client size
// without painting.
#include "GridTestSupport.h"

#include "classes/Filer.h"

namespace {

// A grid of the given counts, one fixed column and row, line width 1.
struct TLayoutFixture : ::testing::Test {
    TTestGrid grid{nullptr};
};

} // namespace

TEST_F(TLayoutFixture, FixedPartEndsAfterTheTitleCellsAndTheirLines) {
    const GridLayout l = grid.CalcGridLayoutFor(500, 300);
    EXPECT_EQ(l.Cols.FixedEnd, 65);
    EXPECT_EQ(l.Rows.FixedEnd, 25);
    EXPECT_EQ(l.Cols.LineGap, 1);
    // The default bounds are 5 x 64 by 5 x 24: points hit the cells below them.
    struct {
        int X, Y;
        TGridCoord Cell;
    } cases[] = {
        {64, 10, {0, 0}},  {65, 10, {1, 0}},  {0, 0, {0, 0}},
        {129, 24, {1, 0}}, {130, 25, {2, 1}}, {319, 119, {4, 4}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(grid.CellAtPoint(c.X, c.Y), c.Cell) << c.X << "," << c.Y;
    }
    EXPECT_EQ(grid.MouseCell(400, 10), (TGridCoord{-1, -1}));
    EXPECT_EQ(grid.CellAtPoint(400, 10), (TGridCoord{-1, 0}));
}

TEST_F(TLayoutFixture, WithoutLinesTheCellsTouch) {
    grid.SetGridOptions(TGridOptions{goRangeSelect});
    const GridLayout l = grid.CalcGridLayoutFor(500, 300);
    EXPECT_EQ(l.Cols.LineGap, 0);
    EXPECT_EQ(l.Cols.FixedEnd, 64);
    EXPECT_EQ(l.Rows.FixedEnd, 24);
}

TEST_F(TLayoutFixture, ContraColumnsArePinnedToTheRightEdge) {
    grid.SetColsCount(20);
    grid.SetContraColCount(2);
    grid.SetColWidthAt(20, 40);
    grid.SetColWidthAt(21, 40);
    const GridLayout l = grid.CalcGridLayoutFor(500, 300);
    EXPECT_EQ(l.Cols.ContraStart, 417);
    EXPECT_EQ(l.Cols.ScrollLimit, 417);
    EXPECT_LE(l.Cols.ScrollEnd, 417);
    EXPECT_EQ(l.Cols.WholeEnd, 500);
    // Columns 1..5 fit whole (65 + 5 x 65 = 390), column 6 is cut at the strip.
    EXPECT_EQ(l.Cols.LastFullCell, 5);
    EXPECT_EQ(l.Cols.FullVisibleEnd, 390);
    // The strip's cells start after its line.
    EXPECT_EQ(TCustomGridGx::CellStartPos(l.Cols, 20), 418);
    EXPECT_EQ(TCustomGridGx::CellStartPos(l.Cols, 21), 459);
}

TEST_F(TLayoutFixture, RangeRectanglesFollowTheVisibleCells) {
    grid.SetBounds(0, 0, 500, 300);
    grid.SetColsCount(20);
    grid.SetRowsCount(40);
    grid.SetContraColCount(2);
    grid.MoveTopLeftTo(5, 3);
    EXPECT_TRUE(IsRectEmpty(grid.RangeScreenRect(GridCellRange{2, 4, 3, 5}, false)));
    EXPECT_TRUE(IsRectEmpty(grid.RangeScreenRect(GridCellRange{3, 4, 2, 5}, false)));
    EXPECT_EQ(grid.CellScreenRect(5, 3), Rect(65, 25, 129, 49));
    EXPECT_EQ(grid.RangeScreenRect(GridCellRange{5, 3, 5, 3}, true), Rect(65, 25, 130, 50));
    // A range that reaches into the contra columns runs to the client's edge.
    const TRect wide = grid.RangeScreenRect(GridCellRange{6, 4, 21, 4}, true);
    EXPECT_EQ(wide.Left, 130);
    EXPECT_EQ(wide.Right, 500);
    // A range starting left of the first visible column starts at it.
    EXPECT_EQ(grid.RangeScreenRect(GridCellRange{2, 3, 6, 3}, false).Left, 65);
}

TEST_F(TLayoutFixture, RightToLeftMirrorsTheColumns) {
    grid.SetBounds(0, 0, 500, 300);
    grid.SetRightToLeft(true);
    EXPECT_EQ(grid.CellScreenRect(1, 1), Rect(500 - 129, 25, 500 - 65, 49));
    EXPECT_EQ(grid.CellAtPoint(500 - 10, 10), (TGridCoord{0, 0}));
    EXPECT_EQ(grid.CellAtPoint(500 - 66, 10), (TGridCoord{1, 0}));
}

TEST_F(TLayoutFixture, LargestFirstVisibleCellShowsTheTargetWhole) {
    grid.SetColsCount(13);
    const GridLayout l = grid.CalcGridLayoutFor(200, 300);
    EXPECT_EQ(grid.MaxTopLeftFor(TGridCoord{12, 4}, l).X, 11);
    EXPECT_EQ(grid.MaxTopLeftFor(TGridCoord{1, 4}, l).X, 1);
    // A hidden last column is skipped.
    grid.SetColWidthAt(12, 0);
    EXPECT_EQ(grid.MaxTopLeftFor(TGridCoord{12, 4}, grid.CalcGridLayoutFor(200, 300)).X, 10);
}

TEST_F(TLayoutFixture, CountChangesKeepTheFixedCountBelowTheCount) {
    grid.SetColsCount(6);
    grid.SetFixedColsCount(3);
    grid.SetColsCount(2);
    EXPECT_EQ(grid.FixedColsCount(), 1);
    EXPECT_EQ(grid.ColsCount(), 2);
    grid.SetColsCount(0);
    EXPECT_EQ(grid.ColsCount(), 1);
    EXPECT_EQ(grid.FixedColsCount(), 0);
}

TEST_F(TLayoutFixture, EveryMessageOfTheModel) {
    TTestGrid g(nullptr);
    struct {
        const char* What;
        std::function<void()> Run;
        const char* Message;
    } cases[] = {
        {"negative fixed count", [&] { g.SetFixedColsCount(-1); }, "Grid index out of range"},
        {"fixed columns = count", [&] { g.SetFixedColsCount(5); },
         "Fixed column count must be less than column count"},
        {"fixed rows = count", [&] { g.SetFixedRowsCount(5); },
         "Fixed row count must be less than row count"},
        {"negative contra columns", [&] { g.SetContraColCount(-1); }, "FContraColCount can not be negative."},
        {"negative contra rows", [&] { g.SetContraRowCount(-2); }, "FContraRowCount can not be negative."},
        {"width past the end", [&] { g.SetColWidthAt(5, 10); }, "Grid index out of range"},
        {"negative width index", [&] { g.SetColWidthAt(-1, 10); }, "Grid index out of range"},
        {"negative height index", [&] { g.SetRowHeightAt(-3, 10); }, "Grid index out of range"},
        {"tab stop past the end", [&] { g.SetColTabStopAt(9, 0); }, "Grid index out of range"},
        {"move from before the start", [&] { g.MoveColumnTo(-1, 2); }, "Grid index out of range"},
        {"move past the end", [&] { g.MoveColumnTo(1, 5); }, "Grid index out of range"},
        {"row move to a negative place", [&] { g.MoveRowTo(2, -1); }, "Grid index out of range"},
        {"focus outside", [&] { g.MoveFocus(1, 5, true, false); }, "Grid index out of range"},
        {"too many deleted", [&] { g.ShiftAxisCells(6, -3, false); }, "Too many rows or columns deleted"},
        {"too large",
         [&] {
             g.SetColWidthAt(0, 64);
             g.ShiftAxisCells(5, 134217726, false);
         },
         "Grid too large for operation"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(GridErrorOf(c.Run), c.Message) << c.What;
    // Nothing changed on the way.
    EXPECT_EQ(g.ColsCount(), 5);
    EXPECT_EQ(g.FixedColsCount(), 1);
    EXPECT_EQ(g.ContraColCount(), 0);
    EXPECT_EQ(g.ContraRowCount(), 0);
}

TEST_F(TLayoutFixture, ReadersAnswerTheDefaultOutsideTheArrays) {
    grid.SetColWidthAt(2, 30);
    grid.SetRowHeightAt(1, 10);
    grid.SetColTabStopAt(3, 0);
    struct {
        int Index, Width, Height, Tab;
    } cases[] = {{-1, 64, 24, 1}, {2, 30, 24, 1}, {1, 64, 10, 1},
                 {3, 64, 24, 0},  {5, 64, 24, 1}, {1000, 64, 24, 1}};
    for (const auto& c : cases) {
        EXPECT_EQ(grid.ColWidthAt(c.Index), c.Width) << c.Index;
        EXPECT_EQ(grid.RowHeightAt(c.Index), c.Height) << c.Index;
        EXPECT_EQ(grid.ColTabStopAt(c.Index), c.Tab) << c.Index;
    }
}

TEST_F(TLayoutFixture, MovingAColumnCarriesItsWidthAndTheCurrentColumn) {
    grid.SetColsCount(8);
    grid.SetColWidthAt(2, 20);
    grid.MoveFocus(4, 1, true, false);
    grid.MoveColumnTo(2, 5);
    EXPECT_EQ(grid.CurrentCell().X, 3);
    EXPECT_EQ(grid.ColWidthAt(5), 20);
    EXPECT_EQ(grid.ColWidthAt(2), 64);
    grid.MoveFocus(2, 1, true, false);
    grid.MoveColumnTo(2, 5);
    EXPECT_EQ(grid.CurrentCell().X, 5);
    EXPECT_EQ(grid.AnchorCell().X, 5);
    grid.MoveColumnTo(5, 1);
    EXPECT_EQ(grid.CurrentCell().X, 1);
}

TEST_F(TLayoutFixture, ContraWidthsStayBehindTheNormalColumnsWhenTheCountChanges) {
    grid.SetContraColCount(1);
    grid.SetColWidthAt(5, 33);
    grid.SetColWidthAt(1, 50);
    grid.SetColsCount(8);
    EXPECT_EQ(grid.ColWidthAt(8), 33);
    EXPECT_EQ(grid.ColWidthAt(1), 50);
    EXPECT_EQ(grid.ColWidthAt(6), 64);
    grid.SetColsCount(3);
    EXPECT_EQ(grid.ColWidthAt(3), 33);
    EXPECT_EQ(grid.ColWidths().size(), 4u);
}

// A scrolled grid repaints the moved column's shown cells, not only its title.
TEST_F(TLayoutFixture, MovedColumnOfAScrolledGridIsRepaintedWhereItShows) {
    grid.SetBounds(0, 0, 400, 300);
    grid.SetColsCount(8);
    grid.SetRowsCount(100);
    grid.SetContraRowCount(1);
    grid.MoveTopLeftTo(1, 40);
    grid.Invalidated.clear();
    grid.MoveColumnTo(2, 3);
    const TRect shown = grid.CellScreenRect(2, 45);
    ASSERT_FALSE(IsRectEmpty(shown));
    EXPECT_TRUE(grid.InvalidatedAt(shown.Left + 5, shown.Top + 5));
    EXPECT_TRUE(grid.InvalidatedAt(grid.CellScreenRect(3, 41).Left + 5, grid.CellScreenRect(3, 41).Top + 5));
    EXPECT_TRUE(grid.InvalidatedAt(shown.Left + 5, 5)); // the title
    const TRect footer = grid.CellScreenRect(2, 100);
    EXPECT_TRUE(grid.InvalidatedAt(footer.Left + 5, footer.Top + 5));
    grid.Invalidated.clear();
    grid.InvalidateOneColumn(4);
    const TRect c4 = grid.CellScreenRect(4, 50);
    EXPECT_TRUE(grid.InvalidatedAt(c4.Left + 1, c4.Top + 1));
    EXPECT_FALSE(grid.InvalidatedAt(grid.CellScreenRect(5, 50).Left + 5, c4.Top + 1));
    grid.Invalidated.clear();
    grid.MoveRowTo(45, 46);
    const TRect r45 = grid.CellScreenRect(3, 45);
    EXPECT_TRUE(grid.InvalidatedAt(r45.Left + 5, r45.Top + 5));
}

// Scrolled both ways, with a contra column and a contra row: a moved (or repainted) column or row
// is repainted in its fixed cells, its shown cells and its contra cells, and no other column (row).
TEST_F(TLayoutFixture, MovedRowsAndColumnsOfAGridScrolledBothWaysRepaintEveryPart) {
    grid.SetBounds(0, 0, 400, 300);
    grid.SetColsCount(30);
    grid.SetRowsCount(100);
    grid.SetContraColCount(1);
    grid.SetContraRowCount(1);
    grid.MoveTopLeftTo(10, 40);
    ASSERT_EQ(grid.TopLeftCell(), (TGridCoord{10, 40}));
    struct {
        const char* What;
        std::function<void()> Run;
        std::vector<TGridCoord> Repainted, Untouched;
    } cases[] = {
        {"column moved", [&] { grid.MoveColumnTo(11, 12); },
         {{11, 0}, {11, 45}, {11, 100}, {12, 0}, {12, 45}, {12, 100}}, {}},
        {"row moved", [&] { grid.MoveRowTo(44, 45); },
         {{0, 44}, {11, 44}, {30, 44}, {0, 45}, {12, 45}, {30, 45}}, {}},
        {"one column", [&] { grid.InvalidateOneColumn(13); }, {{13, 0}, {13, 41}, {13, 100}}, {{14, 41}, {12, 41}}},
        {"one row", [&] { grid.InvalidateOneRow(42); }, {{0, 42}, {11, 42}, {30, 42}}, {{11, 43}, {11, 41}}},
    };
    for (const auto& c : cases) {
        grid.Invalidated.clear();
        c.Run();
        const auto at = [&](TGridCoord cell) {
            const TRect r = grid.CellScreenRect(cell.X, cell.Y);
            EXPECT_FALSE(IsRectEmpty(r)) << c.What << " " << cell.X << "," << cell.Y;
            return grid.InvalidatedAt(r.Left + 3, r.Top + 3);
        };
        for (TGridCoord cell : c.Repainted)
            EXPECT_TRUE(at(cell)) << c.What << " " << cell.X << "," << cell.Y;
        for (TGridCoord cell : c.Untouched)
            EXPECT_FALSE(at(cell)) << c.What << " " << cell.X << "," << cell.Y;
    }
}

// Individual widths and heights travel with the grid's stored form while it keeps its extents.
TEST_F(TLayoutFixture, StoredFormCarriesTheIndividualExtents) {
    struct {
        const char* What;
        bool SaveExtents, SetWidths, SetHeights;
    } cases[] = {
        {"widths and heights", true, true, true},
        {"heights only", true, false, true},
        {"nothing set", true, false, false},
        {"extents not kept", false, true, true},
    };
    for (const auto& c : cases) {
        TTestGrid source(nullptr);
        source.SetColsCount(6);
        source.SetRowsCount(4);
        source.SetContraColCount(1);
        source.SetSaveExtents(c.SaveExtents);
        if (c.SetWidths) {
            source.SetColWidthAt(2, 30);
            source.SetColWidthAt(4, 0); // hidden
            source.SetColWidthAt(6, 90); // the contra column stays out of the stored list
        }
        if (c.SetHeights) source.SetRowHeightAt(3, 11);
        TMemoryStream m;
        TWriter w(m);
        w.WriteProperties(source);
        const std::string bytes(m.Memory(), m.Memory() + m.Size());
        const bool widthsStored = c.SaveExtents && c.SetWidths;
        const bool heightsStored = c.SaveExtents && c.SetHeights;
        EXPECT_EQ(bytes.find("ColWidths") != std::string::npos, widthsStored) << c.What;
        EXPECT_EQ(bytes.find("RowHeights") != std::string::npos, heightsStored) << c.What;

        TTestGrid copy(nullptr);
        copy.SetColsCount(6);
        copy.SetRowsCount(4);
        copy.SetContraColCount(1);
        m.SetPosition(0);
        if (m.Size() > 0) {
            TReader r(m);
            r.ReadProperties(copy);
        }
        EXPECT_EQ(copy.ColWidthAt(2), widthsStored ? 30 : 64) << c.What;
        EXPECT_EQ(copy.ColWidthAt(4), widthsStored ? 0 : 64) << c.What;
        EXPECT_EQ(copy.ColWidthAt(3), 64) << c.What;
        EXPECT_EQ(copy.ColWidthAt(6), 64) << c.What;
        EXPECT_EQ(copy.RowHeightAt(3), heightsStored ? 11 : 24) << c.What;
        EXPECT_EQ(copy.RowHeightAt(2), 24) << c.What;
    }
}
