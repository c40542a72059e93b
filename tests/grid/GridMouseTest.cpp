// The base grid driven by simulated input: sizing lines, cell clicks, range selection, the in-place
// editor's keys and the auto-scroll of a column drag.
#include "GridTestSupport.h"

#include "gui/CursorPos.h"
#include "gui/InputSimulation.h"
#include "gui/SystemMetrics.h"

namespace {

struct TMouseFixture : TShownGridTest {
    void SetUp() override {
        TShownGridTest::SetUp();
        grid->SetFocus();
    }
    void Options(TGridOptions Add) { grid->SetGridOptions(grid->GridOptions() + Add); }
};

} // namespace

TEST_F(TMouseFixture, SizingHotZoneAroundALine) {
    Options(TGridOptions{goColSizing});
    struct {
        int LineWidth, Line, First, Last;
    } cases[] = {
        {1, 129, 126, 133}, // L - 3 .. L + 4
        {7, 135, 135, 142}, // L .. L + 7
    };
    for (const auto& c : cases) {
        grid->SetLineWidth(c.LineWidth);
        const GridLayout l = grid->CalcGridLayout();
        for (int x = c.First - 3; x <= c.Last + 3; ++x) {
            const TTestGrid::TSizingHit h = grid->HitTestSizing(x, 10, l);
            const bool inside = x >= c.First && x <= c.Last;
            EXPECT_EQ(h.Activity == gaColSizing, inside) << c.LineWidth << " at " << x;
            if (inside) {
                EXPECT_EQ(h.Index, 1);
                EXPECT_EQ(h.Pos, c.Line);
            }
        }
        // Below the titles nothing sizes a column.
        EXPECT_EQ(grid->HitTestSizing(c.Line, 60, l).Activity, gaNormal);
    }
}

TEST_F(TMouseFixture, DraggingALineSizesTheColumnButNotToOnePixel) {
    Options(TGridOptions{goColSizing, goRowSizing});
    SimulateMouseDown(grid, mbLeft, 129, 10);
    EXPECT_EQ(grid->GridActivity(), gaColSizing);
    SimulateMouseMove(grid, 66, 10, TShiftState{ssLeft});
    SimulateMouseUp(grid, mbLeft, 66, 10);
    EXPECT_EQ(grid->GridActivity(), gaNormal);
    EXPECT_EQ(grid->ColWidthAt(1), 64); // a width of 1 is ignored
    SimulateMouseDown(grid, mbLeft, 130, 10);
    SimulateMouseMove(grid, 100, 10, TShiftState{ssLeft});
    SimulateMouseUp(grid, mbLeft, 100, 10);
    EXPECT_EQ(grid->ColWidthAt(1), 100 - 1 - 65); // the press was one pixel right of the line
    // A row's line in the title column.
    SimulateMouseDown(grid, mbLeft, 10, 49);
    EXPECT_EQ(grid->GridActivity(), gaRowSizing);
    SimulateMouseMove(grid, 10, 70, TShiftState{ssLeft});
    SimulateMouseUp(grid, mbLeft, 10, 70);
    EXPECT_EQ(grid->RowHeightAt(1), 70 - 25);
    EXPECT_TRUE(grid->ClickedCells.empty());
}

// Column 1's line lies at 129 (65 + 64); right to left, positions are mirrored (client width 500).
TEST_F(TMouseFixture, SizingInBothReadingOrdersIgnoresASizeOfOneOrLess) {
    Options(TGridOptions{goColSizing});
    struct {
        bool RightToLeft;
        int DragTo, Width;
    } cases[] = {
        {false, 67, 2},  {false, 66, 64}, {false, 65, 64}, {false, 40, 64}, {false, 100, 35},
        {true, 67, 2},   {true, 66, 64},  {true, 65, 64},  {true, 40, 64},  {true, 100, 35},
    };
    for (const auto& c : cases) {
        grid->SetRightToLeft(c.RightToLeft);
        grid->SetColWidthAt(1, 64);
        ASSERT_EQ(grid->ClientWidth(), 500);
        const auto x = [&](int p) { return c.RightToLeft ? 500 - p : p; };
        // The hot zone 126 .. 133 around the line, mirrored as a whole.
        const GridLayout l = grid->CalcGridLayout();
        for (int p = 123; p <= 136; ++p) {
            const bool inside = p >= 126 && p <= 133;
            EXPECT_EQ(grid->HitTestSizing(x(p), 10, l).Activity == gaColSizing, inside)
                << c.RightToLeft << " at " << p;
        }
        SimulateMouseDown(grid, mbLeft, x(129), 10);
        ASSERT_EQ(grid->GridActivity(), gaColSizing) << c.RightToLeft;
        SimulateMouseMove(grid, x(c.DragTo), 10, TShiftState{ssLeft});
        SimulateMouseUp(grid, mbLeft, x(c.DragTo), 10);
        EXPECT_EQ(grid->GridActivity(), gaNormal);
        EXPECT_EQ(grid->ColWidthAt(1), c.Width) << c.RightToLeft << " to " << c.DragTo;
    }
}

TEST_F(TMouseFixture, ACellClickNeedsPressAndReleaseOnOneCell) {
    // With goEditing a press on a data cell moves the focus without starting a selection (a
    // selection in progress raises no cell click).
    Options(TGridOptions{goEditing});
    const TRect c22 = grid->CellScreenRect(2, 2);
    const TRect c32 = grid->CellScreenRect(3, 2);
    SimulateMouseDown(grid, mbLeft, c22.Left + 5, c22.Top + 5);
    SimulateMouseUp(grid, mbLeft, c32.Left + 5, c32.Top + 5);
    EXPECT_TRUE(grid->ClickedCells.empty());
    SimulateMouseDown(grid, mbLeft, c32.Left + 7, c32.Top + 4);
    SimulateMouseUp(grid, mbLeft, c32.Left + 9, c32.Top + 6);
    ASSERT_EQ(grid->ClickedCells.size(), 1u);
    EXPECT_EQ(grid->ClickedCells[0], (TGridCoord{3, 2}));
    EXPECT_EQ(grid->ClickedAt[0], TPoint(9, 6));
    // A handler of OnCellMouseClick takes the click instead.
    int handled = 0;
    grid->OnCellMouseClick = [&](TCustomGridGx*, TGridCoord, TMouseButton, TShiftState, int, int) {
        ++handled;
    };
    SimulateClick(grid, c22.Left + 5, c22.Top + 5);
    EXPECT_EQ(handled, 1);
    EXPECT_EQ(grid->ClickedCells.size(), 1u);
}

TEST_F(TMouseFixture, ShiftClickMovesOnlyTheAnchor) {
    const TRect a = grid->CellScreenRect(2, 2);
    const TRect b = grid->CellScreenRect(4, 3);
    SimulateClick(grid, a.Left + 5, a.Top + 5);
    SimulateMouseDown(grid, mbLeft, b.Left + 5, b.Top + 5, TShiftState{ssShift});
    SimulateMouseUp(grid, mbLeft, b.Left + 5, b.Top + 5, TShiftState{ssShift});
    EXPECT_EQ(grid->CurrentCell(), (TGridCoord{2, 2}));
    EXPECT_EQ(grid->AnchorCell(), (TGridCoord{4, 3}));
    EXPECT_EQ(grid->SelectedRange(), (GridCellRange{2, 2, 4, 3}));
    EXPECT_EQ(grid->GridActivity(), gaNormal);
    EXPECT_FALSE(grid->ScrollTimer()->Enabled());
}

TEST_F(TMouseFixture, EnterTogglesTheEditorAndItsSelection) {
    Options(TGridOptions{goEditing});
    grid->EditTexts[1 * 8 + 1] = "hello";
    SimulateKey(grid, VK_RETURN);
    ASSERT_TRUE(grid->EditingActive());
    TInplaceEdit* ed = grid->CellEditor();
    ASSERT_TRUE(ed && ed->Visible());
    EXPECT_EQ(ed->Text(), "hello");
    EXPECT_EQ(ed->BoundsRect(), grid->CellScreenRect(1, 1));
    EXPECT_EQ(ed->SelLength(), 5); // loaded with all selected
    SimulateKey(ed, VK_RETURN);
    EXPECT_EQ(ed->SelLength(), 0);
    EXPECT_EQ(ed->CaretPosition(), 5);
    SimulateKey(ed, VK_RETURN);
    EXPECT_EQ(ed->SelLength(), 5);
    // The grid's Enter closes it again; the text goes back to the cell. (The platform tells a key
    // that travels on to a parent by the event's address, and two simulated keys may share one:
    // a key to the form in between keeps the grid's Enter a key of its own.)
    SimulateKey(&form, VK_SHIFT);
    SimulateKey(grid, VK_RETURN);
    EXPECT_FALSE(grid->EditingActive());
    EXPECT_FALSE(ed->Visible());
    EXPECT_EQ(grid->EditorCell(), (TGridCoord{-1, -1}));
    ASSERT_FALSE(grid->Posted.empty());
    EXPECT_EQ(grid->Posted.back().second, "hello");
}

TEST_F(TMouseFixture, ATypedLetterOpensTheEditorWithIt) {
    Options(TGridOptions{goEditing});
    grid->EditTexts[1 * 8 + 1] = "old";
    SimulateTyping(grid, "x");
    Application()->ProcessMessages();
    TInplaceEdit* ed = grid->CellEditor();
    ASSERT_TRUE(ed && ed->Visible());
    EXPECT_EQ(ed->Text(), "x");
    SimulateTyping(ed, "yz");
    EXPECT_EQ(ed->Text(), "xyz");
    EXPECT_EQ(grid->Posted.back().second, "xyz");
    // Up goes to the grid, which moves nothing itself but keeps the editor.
    grid->MoveFocus(2, 2, true, true);
    EXPECT_FALSE(ed->Visible());
    // A read-only cell takes no characters.
    grid->MaxLength = -1;
    grid->OpenEditor();
    SimulateTyping(grid->CellEditor(), "q");
    EXPECT_EQ(grid->CellEditor()->Text(), "");
    EXPECT_FALSE(grid->EditorWritable());
}

TEST_F(TMouseFixture, ADraggedColumnScrollsOneColumnPerTick) {
    Options(TGridOptions{goColMoving});
    grid->SetColsCount(20);
    const TRect title = grid->CellScreenRect(3, 0);
    SimulateMouseDown(grid, mbLeft, title.Left + 10, 10);
    ASSERT_EQ(grid->GridActivity(), gaColMoving);
    EXPECT_TRUE(grid->ScrollTimer()->Enabled());
    EXPECT_EQ(grid->ScrollTimer()->Interval(), 60u);
    SetCursorPos(grid->ClientToScreen(TPoint(grid->ClientWidth() - 2, 60)));
    ASSERT_EQ(grid->ScreenToClient(GetCursorPos()), TPoint(grid->ClientWidth() - 2, 60));
    const int lastFull = grid->CalcGridLayout().Cols.LastFullCell;
    grid->TimerTick(); // the marker goes to the last fully visible column
    EXPECT_EQ(grid->MoveToIndex(), lastFull);
    EXPECT_EQ(grid->TopLeftCell().X, 1);
    for (int tick = 1; tick <= 3; ++tick) {
        grid->TimerTick();
        EXPECT_EQ(grid->TopLeftCell().X, 1 + tick);
        EXPECT_EQ(grid->MoveToIndex(), lastFull + tick);
    }
    const int to = grid->MoveToIndex();
    grid->SetColWidthAt(3, 33);
    SimulateMouseUp(grid, mbLeft, grid->ClientWidth() - 2, 60);
    EXPECT_EQ(grid->GridActivity(), gaNormal);
    EXPECT_FALSE(grid->ScrollTimer()->Enabled());
    EXPECT_EQ(grid->ColWidthAt(to), 33);
}

TEST_F(TMouseFixture, SelectingOutsideTheCellsStepsTheAnchorPerTick) {
    grid->SetRowsCount(50);
    const TRect c = grid->CellScreenRect(2, 2);
    SimulateMouseDown(grid, mbLeft, c.Left + 5, c.Top + 5);
    ASSERT_EQ(grid->GridActivity(), gaSelecting);
    SetCursorPos(grid->ClientToScreen(TPoint(c.Left + 5, grid->ClientHeight() + 30)));
    grid->TimerTick();
    grid->TimerTick();
    EXPECT_EQ(grid->AnchorCell(), (TGridCoord{2, 4}));
    grid->CancelGridActivity();
    EXPECT_EQ(grid->GridActivity(), gaNormal);
    EXPECT_FALSE(grid->ScrollTimer()->Enabled());
}
