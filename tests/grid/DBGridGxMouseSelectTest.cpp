// Selecting with the mouse: columns from the lower edge of their titles, rows dragged over in the
// indicator, a rectangle dragged over cells, the auto-scroll steps beyond the data cells, and the
// drag that a press on a selected cell arms in a grid dragged automatically.
#include "DBGridGxFixture.h"
#include "gui/ControlDrag.h"
#include "gui/InputSimulation.h"

namespace {

class DBGridMouseSelectTest : public DBGridTest {
protected:
    void OpenMulti(int Rows, TDBGridOptions Extra = 0) {
        Fill(Rows);
        OpenGrid();
        Grid->SetOptions(Grid->Options() | dgMultiSelect | Extra);
    }
    int Current() { return Q->FieldByName("F_int")->AsInteger(); }
    // The point low in the title of a grid column (where a press selects columns).
    TPoint TitleEdge(int RawCol) {
        TRect r = Grid->CellScreenRect(RawCol, 0);
        return TPoint(r.Left + 5, r.Bottom - 2);
    }
    TPoint CellPoint(int RawCol, int Row) {
        TRect r = Grid->CellScreenRect(RawCol, Grid->TitleOffset() + Row);
        return TPoint(r.Left + 3, r.Top + 3);
    }
    std::vector<int> SelectedColumns() {
        std::vector<int> out;
        for (int i = 0; i < Grid->Selection()->Columns()->Count(); ++i)
            out.push_back(Grid->Selection()->Columns()->Items(i)->Index());
        return out;
    }
    std::vector<int> MarkedRecords() {
        std::vector<int> out;
        TBookmark keep = Q->GetBookmark();
        for (Q->First(); !Q->Eof(); Q->Next())
            if (Grid->SelectedRows()->CurrentRowSelected()) out.push_back(Current());
        Q->GotoBookmark(keep);
        return out;
    }
    void Press(TPoint P, TShiftState Shift = TShiftState()) {
        SimulateMouseMove(Grid, P.X, P.Y, Shift);
        SimulateMouseDown(Grid, mbLeft, P.X, P.Y, Shift);
    }
    void DragTo(TPoint P, TShiftState Shift = TShiftState()) {
        SimulateMouseMove(Grid, P.X, P.Y, Shift << ssLeft);
    }
    void Release(TPoint P, TShiftState Shift = TShiftState()) {
        SimulateMouseUp(Grid, mbLeft, P.X, P.Y, Shift);
    }
};

} // namespace

TEST_F(DBGridMouseSelectTest, TitleEdgesSelectColumns) {
    OpenMulti(5);
    Press(TitleEdge(1));
    EXPECT_EQ(Grid->TrackingState(), TCustomDBGridGx::gtsColSelecting);
    EXPECT_EQ(Grid->AutoScrollInterval(), 60);
    EXPECT_TRUE(Grid->AutoScrollTimer()->Enabled());
    EXPECT_EQ(SelectedColumns(), std::vector<int>{0});
    DragTo(TitleEdge(3));
    EXPECT_EQ(SelectedColumns(), (std::vector<int>{0, 1, 2}));
    Release(TitleEdge(3));
    EXPECT_EQ(Grid->TrackingState(), TCustomDBGridGx::gtsNone);
    EXPECT_FALSE(Grid->AutoScrollTimer()->Enabled());
    EXPECT_EQ(Grid->Selection()->SelectionType(), gstColumns);
    // A plain press replaces, Ctrl toggles one column, Shift extends from the last one reached.
    struct Case {
        int RawCol;
        TShiftState Shift;
        std::vector<int> Want;
    };
    const Case cases[] = {
        {3, TShiftState(), {2}},
        {1, TShiftState{ssCtrl}, {0, 2}},
        {2, TShiftState{ssShift}, {0, 1, 2}},
    };
    for (const Case& c : cases) {
        Press(TitleEdge(c.RawCol), c.Shift);
        Release(TitleEdge(c.RawCol), c.Shift);
        EXPECT_EQ(SelectedColumns(), c.Want) << "column " << c.RawCol;
    }
}

TEST_F(DBGridMouseSelectTest, DraggingOverTheIndicatorMarksRows) {
    OpenMulti(10);
    Press(CellPoint(0, 1));
    EXPECT_EQ(Grid->TrackingState(), TCustomDBGridGx::gtsRowSelecting);
    DragTo(CellPoint(0, 4));
    Release(CellPoint(0, 4));
    EXPECT_EQ(MarkedRecords(), (std::vector<int>{2, 3, 4, 5}));
    EXPECT_EQ(Current(), 5);
    // A drag that starts on a marked row with Ctrl unmarks what it passes.
    Press(CellPoint(0, 2), TShiftState{ssCtrl});
    DragTo(CellPoint(0, 3), TShiftState{ssCtrl});
    Release(CellPoint(0, 3), TShiftState{ssCtrl});
    EXPECT_EQ(MarkedRecords(), (std::vector<int>{2, 5}));
}

TEST_F(DBGridMouseSelectTest, DraggingOverCellsSpansARectangle) {
    OpenMulti(10);
    Press(CellPoint(1, 1));
    EXPECT_EQ(Grid->TrackingState(), TCustomDBGridGx::gtsRectSelecting);
    DragTo(CellPoint(3, 3));
    Release(CellPoint(3, 3));
    ASSERT_EQ(Grid->Selection()->SelectionType(), gstRectangle);
    EXPECT_EQ(Grid->Selection()->Rect()->GetLeftmostCol(), 0);
    EXPECT_EQ(Grid->Selection()->Rect()->GetRightmostCol(), 2);
    EXPECT_EQ(Current(), 4);
    // Shift+click extends the rectangle to the clicked cell.
    SimulateClick(Grid, CellPoint(2, 5).X, CellPoint(2, 5).Y, mbLeft, TShiftState{ssShift});
    EXPECT_EQ(Grid->Selection()->Rect()->GetRightmostCol(), 1);
    EXPECT_EQ(Current(), 6);
}

TEST_F(DBGridMouseSelectTest, AutoScrollStepsBelowTheDataCells) {
    OpenMulti(100, dgRowSelect);
    const TRect data = Grid->DataCellsRect();
    // Pointer below the data cells by d pixels: min(d div 6, 8) records a step, and the timer's
    // next interval is 200 - 15 d (not below 0).
    struct Case {
        int Below;
        int Moved;
        int Interval;
    };
    const Case cases[] = {{3, 0, 155}, {12, 2, 20}, {30, 5, 0}, {60, 8, 0}};
    for (const Case& c : cases) {
        Q->First();
        Press(CellPoint(2, 0));
        DragTo(TPoint(CellPoint(2, 0).X, data.Bottom - 1 + c.Below));
        const int before = Current();
        Grid->AutoScrollTimer()->Timer();
        EXPECT_EQ(Current() - before, c.Moved) << c.Below;
        EXPECT_EQ(Grid->AutoScrollInterval(), c.Interval) << c.Below;
        Release(TPoint(CellPoint(2, 0).X, data.Bottom - 1 + c.Below));
        EXPECT_EQ(Grid->AutoScrollInterval(), -1);
    }
    // Back inside the data cells the timer stops.
    Press(CellPoint(2, 0));
    DragTo(TPoint(CellPoint(2, 0).X, data.Bottom + 30));
    EXPECT_TRUE(Grid->AutoScrollTimer()->Enabled());
    DragTo(CellPoint(2, 2));
    EXPECT_FALSE(Grid->AutoScrollTimer()->Enabled());
    Release(CellPoint(2, 2));
}

TEST_F(DBGridMouseSelectTest, ColumnSelectingScrollsTowardsThePointer) {
    Fill(3);
    OpenGrid("select F_int, F_text, F_float, F_int as a, F_text as b, F_float as c, F_int as d from T_grid");
    Grid->SetOptions(Grid->Options() | dgMultiSelect);
    for (int i = 0; i < Grid->Columns()->Count(); ++i)
        Grid->Columns()->ColumnAt(i)->SetWidth(150);
    Press(TitleEdge(1));
    const TRect data = Grid->DataCellsRect();
    DragTo(TPoint(data.Right + 4, TitleEdge(1).Y));
    EXPECT_EQ(Grid->AutoScrollInterval(), 150); // 200 - 5 x 10
    EXPECT_EQ(Grid->TopLeftCell().X, 2);
    EXPECT_GE(SelectedColumns().size(), 3u);
    Release(TPoint(data.Right + 4, TitleEdge(1).Y));
}

TEST_F(DBGridMouseSelectTest, APressOnASelectedCellArmsADrag) {
    OpenMulti(5, dgRowSelect);
    Grid->SetDragMode(dmAutomatic);
    int starts = 0;
    Grid->OnStartDrag = [&](TObject*) { ++starts; };
    SimulateClick(Grid, CellPoint(1, 1).X, CellPoint(1, 1).Y);
    EXPECT_EQ(MarkedRecords(), std::vector<int>{2});
    EXPECT_FALSE(Grid->DragArmed());
    // The press on the marked row arms the drag; the first move begins it.
    Press(CellPoint(1, 1));
    EXPECT_TRUE(Grid->DragArmed());
    DragTo(CellPoint(2, 1));
    EXPECT_FALSE(Grid->DragArmed());
    EXPECT_TRUE(Grid->Dragging());
    EXPECT_EQ(starts, 1);
    Release(CellPoint(2, 1));
    EXPECT_FALSE(Grid->Dragging());
    EXPECT_EQ(MarkedRecords(), std::vector<int>{2});
    // Released without moving, the press clears the selection after all; with Ctrl it toggles.
    Press(CellPoint(1, 1));
    Release(CellPoint(1, 1));
    EXPECT_EQ(MarkedRecords(), std::vector<int>{});
    EXPECT_EQ(starts, 1);
}
