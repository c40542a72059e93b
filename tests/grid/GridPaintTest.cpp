// The base grid painted offscreen: a test grid writes each cell's address; pixels are read back at
// the line positions the layout computes.
#include "GridTestSupport.h"

#include "gui/Bitmap.h"
#include "gui/ControlShot.h"

#include <algorithm>

namespace {

struct TPaintFixture : TShownGridTest {
    TBitmap shot;
    void Grab() {
        grid->Painted.clear();
        GrabControl(grid, shot);
    }
    TColor At(int x, int y) { return static_cast<TColor>(ColorToPixelRGB(shot.Canvas()->Pixels(x, y))); }
    bool PaintedCell(int Col, int Row) const {
        return std::any_of(grid->Painted.begin(), grid->Painted.end(),
                           [&](const TTestGrid::TPainted& p) { return p.Col == Col && p.Row == Row; });
    }
};

constexpr TColor White = 0xFFFFFF;

} // namespace

TEST_F(TPaintFixture, LinesLieAfterEachCellInTheirColours) {
    Grab();
    const GridLayout l = grid->CalcGridLayout();
    ASSERT_EQ(l.Cols.FixedEnd, 65);
    const int y = 46; // inside row 1, below its text
    struct {
        int X, Y;
        TColor Colour;
        const char* What;
    } probes[] = {
        {129, y, clSilver, "first data line at FixedEnd + the first column's width"},
        {128, y, White, "the cell before it"},
        {130, y, White, "the cell after it"},
        {64, y, clBlack, "the title column's line"},
        {100, 49, clSilver, "the first row's line"},
        {30, 24, clBlack, "the title row's line"},
        {100, 24, clBlack, "the title row's line over the data columns"},
    };
    for (const auto& p : probes)
        EXPECT_EQ(At(p.X, p.Y), p.Colour) << p.What;
    // Each visible cell was handed to PaintCell with its rectangle and area state.
    ASSERT_TRUE(PaintedCell(0, 0));
    for (const auto& p : grid->Painted) {
        if (p.Col == 2 && p.Row == 3) {
            EXPECT_EQ(p.Rect, grid->CellScreenRect(2, 3));
            EXPECT_FALSE(p.State.Contains(gdFixed));
        }
        if (p.Col == 0 || p.Row == 0) {
            EXPECT_TRUE(p.State.Contains(gdFixed));
        }
    }
}

TEST_F(TPaintFixture, LineColoursFollowTheGridColourAndFlat) {
    struct {
        TColor GridColour;
        bool Flat;
        TColor DataLine, FixedLine;
    } cases[] = {
        {clWindow, false, clSilver, clBlack},
        {clSilver, false, clGray, clBlack},
        {clWindow, true, clSilver, clGray},
    };
    for (const auto& c : cases) {
        grid->SetColor(c.GridColour);
        grid->SetFlat(c.Flat);
        Grab();
        EXPECT_EQ(At(129, 46), c.DataLine) << c.GridColour << " " << c.Flat;
        EXPECT_EQ(At(64, 46), c.FixedLine) << c.GridColour << " " << c.Flat;
    }
}

TEST_F(TPaintFixture, SwitchedOffLineLeavesAGapInTheControlColour) {
    grid->SetColor(0x00E0FFE0);
    grid->SetGridOptions(TGridOptions{goFixedVertLine, goFixedHorzLine, goHorzLine});
    Grab();
    EXPECT_EQ(grid->CalcGridLayout().Cols.LineGap, 1);
    EXPECT_EQ(At(129, 46), 0x00E0FFE0);
    EXPECT_EQ(At(64, 46), clBlack);
    EXPECT_EQ(At(100, 49), clSilver);
}

TEST_F(TPaintFixture, WideLinesFillTheirWholeGap) {
    grid->SetLineWidth(3);
    Grab();
    const GridLayout l = grid->CalcGridLayout();
    const int start = l.Cols.FixedEnd + 64; // the first data line's gap
    for (int x = start; x < start + 3; ++x)
        EXPECT_EQ(At(x, 60), clSilver) << x;
    EXPECT_EQ(At(start - 1, 60), White);
    EXPECT_EQ(At(start + 3, 60), White);
}

TEST_F(TPaintFixture, FooterRowsSitAtTheBottomWithTheFillerAbove) {
    grid->SetRowsCount(3);
    grid->SetContraRowCount(2);
    Grab();
    const GridLayout l = grid->CalcGridLayout();
    ASSERT_EQ(l.Rows.ContraStart, 300 - 2 * 25 - 1);
    EXPECT_TRUE(PaintedCell(2, 3));
    EXPECT_TRUE(PaintedCell(2, 4));
    for (const auto& p : grid->Painted)
        if (p.Row == 3) {
            EXPECT_EQ(p.Rect.Top, l.Rows.ContraStart + 1);
        }
    EXPECT_EQ(At(200, 150), White);                        // the filler
    EXPECT_EQ(At(200, l.Rows.ContraStart), clBlack);       // the strip's top line
    EXPECT_EQ(At(200, l.Rows.ContraStart + 25), clSilver); // between the footer rows
    EXPECT_EQ(At(64, l.Rows.ContraStart + 10), clBlack);   // the title column's line in the strip
}

TEST_F(TPaintFixture, TheEditedCellIsLeftToTheEditor) {
    grid->SetGridOptions(grid->GridOptions() + TGridOptions{goEditing});
    grid->SetFocus();
    grid->MoveFocus(2, 2, true, false);
    grid->OpenEditor();
    ASSERT_TRUE(grid->CellEditor() && grid->CellEditor()->Visible());
    Grab();
    EXPECT_FALSE(PaintedCell(2, 2));
    EXPECT_TRUE(PaintedCell(3, 2));
    grid->CloseEditor();
    Grab();
    EXPECT_TRUE(PaintedCell(2, 2));
}

TEST_F(TPaintFixture, NothingIsPaintedUnderAPaintLock) {
    grid->BeginPaintLock();
    Grab();
    EXPECT_TRUE(grid->Painted.empty());
    grid->EndPaintLock();
    grid->EndPaintLock(); // stays at 0
    EXPECT_FALSE(grid->PaintLocked());
    Grab();
    EXPECT_FALSE(grid->Painted.empty());
}

TEST_F(TPaintFixture, FrozenColumnsAreDataCellsWithTheirEdge) {
    grid->SetColsCount(10);
    grid->SetFixedColsCount(2);
    grid->SetFrozenColCount(1);
    grid->MoveTopLeftTo(4, 1);
    Grab();
    const GridLayout l = grid->CalcGridLayout();
    for (const auto& p : grid->Painted)
        if (p.Col == 1 && p.Row == 2) {
            EXPECT_FALSE(p.State.Contains(gdFixed));
        }
    EXPECT_TRUE(PaintedCell(1, 2));
    EXPECT_FALSE(PaintedCell(2, 2));                 // scrolled away
    EXPECT_EQ(At(l.Cols.FixedEnd - 1, 60), clBlack); // the frozen columns' right edge
}

TEST_F(TPaintFixture, RightToLeftPaintsTheTitleColumnAtTheRight) {
    grid->SetRightToLeft(true);
    Grab();
    const int w = grid->ClientWidth();
    for (const auto& p : grid->Painted)
        if (p.Col == 0 && p.Row == 1) {
            EXPECT_EQ(p.Rect, Rect(w - 64, 25, w, 49));
        }
    EXPECT_EQ(At(w - 65, 46), clBlack);   // the title column's line
    EXPECT_EQ(At(w - 130, 46), clSilver); // the first data line
}
