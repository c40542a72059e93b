// What the user's sizing and moving do: a dragged column edge sets the column's width within its
// limits (or, with auto-fit, its share and its neighbour's), a width that follows the pointer
// with dghTraceColSizing, a dragged row border that sets every row's height, and a dragged title
// that moves its column.
#include "DBGridGxFixture.h"
#include "gui/InputSimulation.h"

namespace {

class DBGridSizingTest : public DBGridTest {
protected:
    void Open() {
        Fill(5);
        OpenGrid();
        Grid->OnColWidthsChanged = [this](TObject*) { ++WidthEvents; };
    }
    TColumnGx* Col(int I) { return Grid->Columns()->ColumnAt(I); }
    // Drags the right edge of a grid column's title by Dx.
    void DragEdge(int RawCol, int Dx, bool CheckBetween = false, int WantBetween = 0) {
        const TRect r = Grid->CellScreenRect(RawCol, 0);
        const int y = (r.Top + r.Bottom) / 2;
        SimulateMouseMove(Grid, r.Right, y);
        SimulateMouseDown(Grid, mbLeft, r.Right, y);
        SimulateMouseMove(Grid, r.Right + Dx, y, TShiftState{ssLeft});
        if (CheckBetween) {
            EXPECT_EQ(Col(RawCol - 1)->Width(), WantBetween);
        }
        SimulateMouseUp(Grid, mbLeft, r.Right + Dx, y);
    }
    int WidthEvents = 0;
};

} // namespace

TEST_F(DBGridSizingTest, ADraggedEdgeSetsTheColumnsWidthWithinItsLimits) {
    Open();
    struct Case {
        const char* Name;
        int Dx, MaxWidth, MinWidth, Want;
    };
    const Case cases[] = {
        {"wider", 30, 0, 0, 94},
        {"narrower", -20, 0, 0, 44},
        {"held by MaxWidth", 60, 80, 0, 80},
        {"held by MinWidth", -40, 0, 90, 90},
    };
    for (const Case& c : cases) {
        Col(0)->SetWidth(64);
        Col(0)->SetMaxWidth(c.MaxWidth);
        Col(0)->SetMinWidth(c.MinWidth);
        WidthEvents = 0;
        DragEdge(1, c.Dx);
        EXPECT_EQ(Col(0)->Width(), c.Want) << c.Name;
        EXPECT_EQ(Grid->ColWidthAt(1), c.Want) << c.Name;
        EXPECT_EQ(WidthEvents, 1) << c.Name;
    }
    // Widths set by code are not the user's: no event.
    WidthEvents = 0;
    Col(1)->SetWidth(120);
    EXPECT_EQ(WidthEvents, 0);
}

TEST_F(DBGridSizingTest, WithTracingTheWidthFollowsThePointer) {
    Open();
    Grid->SetOptionsGx(Grid->OptionsGx() | dghTraceColSizing);
    Col(0)->SetWidth(64);
    DragEdge(1, 25, true, 89);
    EXPECT_EQ(Col(0)->Width(), 89);
    EXPECT_EQ(Grid->GridActivity(), gaNormal);
    EXPECT_EQ(WidthEvents, 1);
}

TEST_F(DBGridSizingTest, AutoFitSharesMoveBetweenNeighbours) {
    Open();
    for (int i = 0; i < 3; ++i)
        Col(i)->SetWidth(100);
    Grid->SetAutoFitColWidths(true);
    const int before0 = Col(0)->AutoFitBaseWidth, before1 = Col(1)->AutoFitBaseWidth;
    const int total = Col(0)->Width() + Col(1)->Width() + Col(2)->Width();
    DragEdge(1, 40);
    EXPECT_GT(Col(0)->AutoFitBaseWidth, before0);
    EXPECT_EQ(Col(0)->AutoFitBaseWidth + Col(1)->AutoFitBaseWidth, before0 + before1);
    EXPECT_EQ(Col(2)->AutoFitBaseWidth, 100);
    EXPECT_EQ(Col(0)->Width() + Col(1)->Width() + Col(2)->Width(), total); // the grid still fits
    EXPECT_GT(Col(0)->Width(), Col(2)->Width());
    // With dghResizeWholeRightPart every auto-fit column right of it gives up room, none below 1.
    Grid->SetOptionsGx(Grid->OptionsGx() | dghResizeWholeRightPart);
    const int right1 = Col(1)->AutoFitBaseWidth, right2 = Col(2)->AutoFitBaseWidth;
    DragEdge(1, 60);
    EXPECT_LT(Col(1)->AutoFitBaseWidth, right1);
    EXPECT_LT(Col(2)->AutoFitBaseWidth, right2);
    EXPECT_GE(Col(1)->AutoFitBaseWidth, 1);
    EXPECT_EQ(Col(0)->Width() + Col(1)->Width() + Col(2)->Width(), total);
}

// Widening a column far with dghResizeWholeRightPart leaves a narrow auto-fit column on its right a
// share weight of 1, never 0 (a weight of 0 would hide it from every later fit).
TEST_F(DBGridSizingTest, RightPartRescaleKeepsEveryShareAtLeastOne) {
    Open();
    for (int i = 0; i < 3; ++i)
        Col(i)->SetWidth(100);
    Grid->SetAutoFitColWidths(true);
    Grid->SetOptionsGx(Grid->OptionsGx() | dghResizeWholeRightPart);
    Col(1)->AutoFitBaseWidth = 200;
    Col(2)->AutoFitBaseWidth = 2;
    Grid->RequestLayout();
    ASSERT_LT(Col(0)->Width() + 300, Grid->ClientWidth());
    const int before1 = Col(1)->AutoFitBaseWidth;
    DragEdge(1, 300);
    EXPECT_LT(Col(1)->AutoFitBaseWidth, before1);
    EXPECT_EQ(Col(2)->AutoFitBaseWidth, 1);
}

TEST_F(DBGridSizingTest, ADraggedRowBorderSetsEveryRowsHeight) {
    Open();
    Grid->SetRowSizingAllowed(true);
    const int before = Grid->DefRowHeight();
    const TRect r = Grid->CellScreenRect(0, Grid->TitleOffset());
    SimulateMouseMove(Grid, r.Left + 3, r.Bottom);
    SimulateMouseDown(Grid, mbLeft, r.Left + 3, r.Bottom);
    SimulateMouseMove(Grid, r.Left + 3, r.Bottom + 10, TShiftState{ssLeft});
    SimulateMouseUp(Grid, mbLeft, r.Left + 3, r.Bottom + 10);
    EXPECT_EQ(Grid->RowHeight(), before + 10);
    EXPECT_EQ(Grid->RowLines(), 0);
    EXPECT_EQ(Grid->DefRowHeight(), before + 10);
    for (int row = Grid->TitleOffset(); row < Grid->RowsCount(); ++row)
        EXPECT_EQ(Grid->RowHeightAt(row), before + 10);
}

TEST_F(DBGridSizingTest, ADraggedTitleMovesItsColumn) {
    for (const char* name : {"F_int", "F_text", "F_float"})
        Grid->Columns()->AddColumn()->SetFieldName(name);
    Open();
    std::vector<std::pair<int, int>> moves;
    Grid->OnColumnMoved = [&](TObject*, int From, int To) { moves.emplace_back(From, To); };
    const TRect from = Grid->CellScreenRect(1, 0), to = Grid->CellScreenRect(3, 0);
    const int y = (from.Top + from.Bottom) / 2;
    SimulateMouseDown(Grid, mbLeft, from.Left + 10, y);
    EXPECT_EQ(Grid->GridActivity(), gaColMoving);
    // The base grid follows the pointer over the data rows.
    const int below = Grid->CellScreenRect(3, Grid->TitleOffset()).Top + 3;
    SimulateMouseMove(Grid, (to.Left + to.Right) / 2, below, TShiftState{ssLeft});
    SimulateMouseUp(Grid, mbLeft, (to.Left + to.Right) / 2, below);
    ASSERT_EQ(moves.size(), 1u);
    EXPECT_EQ(moves[0], std::make_pair(0, 2));
    EXPECT_EQ(Col(0)->FieldName(), "F_text");
    EXPECT_EQ(Col(2)->FieldName(), "F_int");
}
