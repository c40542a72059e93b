// Record moving and tree nodes over a data set that offers IMemTableGx: rows by number, the tree
// part of the first column with its buttons, dragging records in the indicator with the move line
// and its drop levels, and the moves asked of the data set.
#include "DBGridGxFixture.h"
#include "MemTableGxTestData.h"
#include "grid/DBGridGxFilter.h"
#include "grid/DBGridGxFilterEdit.h"
#include "gui/Bitmap.h"
#include "gui/ControlShot.h"
#include "gui/Input.h"
#include "gui/InputSimulation.h"

#include <gtest/gtest.h>

namespace {

class RecordMoveTest : public ::testing::Test {
protected:
    void SetUp() override {
        // Rows: 0 A, 1 A1, 2 A1a (level 3, one child), 3 A1a-x, 4 A1b, 5 A2, 6 B.
        Data = std::make_unique<TTreeTestDataSet>(std::vector<TTreeTestDataSet::TNode>{
            {"A", 1}, {"A1", 2}, {"A1a", 3}, {"A1a-x", 4}, {"A1b", 3}, {"A2", 2}, {"B", 1}});
        Data->Open();
        form.SetBounds(0, 0, 600, 400);
        Grid = new TDBGridGx(&form);
        PinFont(Grid->Font());
        PinFont(Grid->TitleFont());
        Grid->SetParent(&form);
        Grid->SetBounds(0, 0, 500, 300);
        Grid->SetOptionsGx(Grid->OptionsGx() | dghRecordMoving);
        form.Show();
        Source.SetDataSet(Data.get());
        Grid->SetDataSource(&Source);
        Grid->Columns()->ColumnAt(0)->SetWidth(120);
    }
    void TearDown() override { delete Grid; }
    int TitleOffset() const { return Grid->TitleOffset(); }
    TRect Cell(int Col, int DataRow) const { return Grid->CellScreenRect(Col, DataRow + TitleOffset()); }
    // A point in the indicator of a data row.
    TPoint Indicator(int DataRow) const {
        const TRect r = Cell(0, DataRow);
        return TPoint(r.Left + 3, r.Top + r.Height() / 2);
    }
    String Name(int DataRow) {
        Grid->ActivateRow(DataRow);
        const String s = Data->FieldByName("F_name")->AsString();
        Grid->RestoreActiveRecord();
        return s;
    }

    TForm form{nullptr};
    TDBGridGx* Grid = nullptr;
    TDataSource Source{nullptr};
    std::unique_ptr<TTreeTestDataSet> Data;
};

} // namespace

TEST_F(RecordMoveTest, EveryRowOfTheViewIsAGridRowAndTheCurrentRowFollows) {
    EXPECT_EQ(Grid->MemTable(), static_cast<IMemTableGx*>(Data.get()));
    EXPECT_EQ(Grid->RowsCount(), 7 + TitleOffset());
    EXPECT_EQ(Name(6), "B");
    Data->SetRecNo(5);
    EXPECT_EQ(Grid->CurrentCell().Y, 4 + TitleOffset());
    // The rows are read without moving the current record.
    EXPECT_EQ(Name(1), "A1");
    EXPECT_EQ(Data->RecNo(), 5);
    EXPECT_GT(Data->FetchedRows, 0); // the view is not full: more rows were asked for
}

TEST_F(RecordMoveTest, ALevelTakesEighteenPixelsAndTheNodesButtonIsTheLastOfThem) {
    Grid->ActivateRow(2);
    EXPECT_EQ(Grid->TreeIndentWidth(), 54);
    Grid->RestoreActiveRecord();
    Data->Tree = false;
    Grid->ActivateRow(2);
    EXPECT_EQ(Grid->TreeIndentWidth(), 0);
    Grid->RestoreActiveRecord();
    Data->Tree = true;

    const TRect cell = Cell(1, 2);
    const int y = cell.Top + 4;
    struct {
        int Offset;
        bool Hit;
    } cases[] = {{0, true}, {35, true}, {36, true}, {53, true}, {54, false}, {80, false}};
    for (const auto& c : cases)
        EXPECT_EQ(Grid->TreeButtonClick(cell.Left + c.Offset, y, true), c.Hit) << c.Offset;

    // A press in the indent but before the button flips nothing.
    EXPECT_TRUE(Grid->TreeButtonClick(cell.Left + 20, y, false));
    EXPECT_EQ(Grid->RowsCount(), 7 + TitleOffset());
    // The node's own button collapses it, hiding its child, and makes it current.
    SimulateClick(Grid, cell.Left + 40, y);
    EXPECT_FALSE(Data->NodeAt(2).Expanded);
    EXPECT_EQ(Grid->RowsCount(), 6 + TitleOffset());
    EXPECT_EQ(Name(3), "A1b");
    EXPECT_EQ(Data->RecNo(), 3);
    // The keypad's "*" toggles the current node back open, "-" collapses it.
    SimulateKey(Grid, VK_MULTIPLY);
    EXPECT_TRUE(Data->NodeAt(2).Expanded);
    EXPECT_EQ(Grid->RowsCount(), 7 + TitleOffset());
    SimulateKey(Grid, VK_SUBTRACT);
    EXPECT_FALSE(Data->NodeAt(2).Expanded);
    SimulateKey(Grid, VK_ADD);
    EXPECT_TRUE(Data->NodeAt(2).Expanded);
}

TEST_F(RecordMoveTest, InAMultiSelectGridOnlyAMarkedRowWithoutModifiersStartsAMove) {
    struct {
        bool MultiSelect;
        bool Marked;
        TShiftState Shift;
        bool Starts;
    } cases[] = {
        {false, false, TShiftState(), true},       {true, false, TShiftState(), false},
        {true, true, TShiftState(), true},         {true, true, TShiftState{ssCtrl}, false},
        {true, true, TShiftState{ssShift}, false},
    };
    for (const auto& c : cases) {
        Grid->SelectedRows()->RemoveAllMarks();
        TDBGridOptions o = Grid->Options() & ~dgMultiSelect;
        Grid->SetOptions(c.MultiSelect ? o | dgMultiSelect : o);
        if (c.Marked) {
            Data->SetRecNo(2);
            Grid->SelectedRows()->SetCurrentRowSelected(true);
            Data->First();
        }
        const TPoint p = Indicator(1);
        EXPECT_EQ(Grid->CanStartRecordMoving(p.X, p.Y, c.Shift, true), c.Starts)
            << c.MultiSelect << c.Marked << c.Shift.Contains(ssCtrl);
        SimulateMouseDown(Grid, mbLeft, p.X, p.Y, c.Shift);
        EXPECT_EQ(Grid->RecordMoving(), c.Starts);
        SimulateMouseUp(Grid, mbLeft, p.X, p.Y, c.Shift);
        EXPECT_FALSE(Grid->RecordMoving());
        EXPECT_EQ(Data->PerformedMoves(), 0);
    }
}

TEST_F(RecordMoveTest, TheDropLevelFollowsThePointerWithinTheTargetsBounds) {
    // Dragging A (row 0) to A2 (row 5: level 2, followed by B at level 1).
    const TPoint from = Indicator(0);
    SimulateMouseDown(Grid, mbLeft, from.X, from.Y);
    ASSERT_TRUE(Grid->RecordMoving());
    EXPECT_TRUE(Grid->MoveLineShown());
    EXPECT_EQ(Grid->MoveLineStart().Y, Cell(0, 0).Top);
    const int left = Cell(1, 5).Left;
    const int y = Cell(1, 5).Top + 4;
    struct {
        int X;
        int Level;
        int LineX;
    } cases[] = {
        {from.X, 1, left + 18}, // after the source: the parent's level
        {left + 5, 1, left + 18},
        {left + 40, 2, left + 36},
        {left + 100, 2, left + 36}, // at most one below the next node's level
    };
    for (const auto& c : cases) {
        SimulateMouseMove(Grid, c.X, y, TShiftState{ssLeft});
        EXPECT_EQ(Grid->RecordMoveTargetRow(), 5 + TitleOffset()) << c.X;
        EXPECT_EQ(Grid->RecordMoveTargetLevel(), c.Level) << c.X;
        EXPECT_EQ(Grid->MoveLineStart().X, c.LineX) << c.X;
        // Moving down: the line runs under the target row.
        EXPECT_EQ(Grid->MoveLineStart().Y, Cell(0, 5).Bottom) << c.X;
    }
    SimulateMouseUp(Grid, mbLeft, left + 40, y);
    EXPECT_FALSE(Grid->RecordMoving());
    EXPECT_FALSE(Grid->MoveLineShown());
    ASSERT_EQ(Data->PerformedMoves(), 1);
    const TTreeTestDataSet::TMoveCall& move = Data->Moves.back();
    EXPECT_EQ(move.ToRecNo, 6);
    EXPECT_EQ(move.TreeLevel, 2);
    Data->First();
    EXPECT_EQ(move.Bookmarks, std::vector<String>{Data->GetBookmark()});
}

TEST_F(RecordMoveTest, ADropOnTheSourceRowAndLevelMovesNothing) {
    const TPoint from = Indicator(3);
    SimulateMouseDown(Grid, mbLeft, from.X, from.Y);
    ASSERT_TRUE(Grid->RecordMoving());
    SimulateMouseMove(Grid, from.X, from.Y + 2, TShiftState{ssLeft});
    SimulateMouseUp(Grid, mbLeft, from.X, from.Y + 2);
    EXPECT_EQ(Data->PerformedMoves(), 0);

    // A refused target leaves the line where it was; Escape ends the drag without a move.
    Data->AllowMove = false;
    SimulateMouseDown(Grid, mbLeft, from.X, from.Y);
    const TPoint line = Grid->MoveLineStart();
    const TPoint to = Indicator(6);
    SimulateMouseMove(Grid, to.X, to.Y, TShiftState{ssLeft});
    EXPECT_EQ(Grid->RecordMoveTargetRow(), 3 + TitleOffset());
    EXPECT_EQ(Grid->MoveLineStart(), line);
    SimulateKey(Grid, VK_ESCAPE);
    EXPECT_FALSE(Grid->RecordMoving());
    EXPECT_FALSE(Grid->RecordMoveTimer()->Enabled());
    EXPECT_EQ(Data->PerformedMoves(), 0);
}

TEST_F(RecordMoveTest, OnMoveRecordsReplacesTheDataSetsMover) {
    int calls = 0, toRecNo = 0;
    Grid->OnMoveRecords = [&](TObject*, TStrings* List, int ToRecNo, int, bool CheckOnly) {
        if (!CheckOnly) {
            ++calls;
            toRecNo = ToRecNo;
            EXPECT_EQ(List->Count(), 1);
        }
        return true;
    };
    const TPoint from = Indicator(6), to = Indicator(1);
    SimulateMouseDown(Grid, mbLeft, from.X, from.Y);
    SimulateMouseMove(Grid, to.X, to.Y, TShiftState{ssLeft});
    // Moving up: the line runs over the target row.
    EXPECT_EQ(Grid->MoveLineStart().Y, Cell(0, 1).Top);
    SimulateMouseUp(Grid, mbLeft, to.X, to.Y);
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(toRecNo, 2);
    EXPECT_TRUE(Data->Moves.empty());
}

namespace {
bool Dark(TColor c) {
    return (c & 0xFF) < 0x50 && ((c >> 8) & 0xFF) < 0x50 && ((c >> 16) & 0xFF) < 0x50;
}
} // namespace

TEST_F(RecordMoveTest, TheFirstColumnPaintsEachRowsTreePart) {
    Application()->ProcessMessages();
    TBitmap shot;
    GrabControl(Grid, shot);
    // Row 2 (level 3, expanded, a sibling follows): a minus in its own box, the boxes of the
    // ancestors that have a following sibling carry a through line.
    const TRect cell = Cell(1, 2);
    const int cy = (cell.Top + cell.Bottom) / 2;
    auto pixel = [&](int x, int y) { return shot.Canvas()->Pixels(x, y); };
    EXPECT_TRUE(Dark(pixel(cell.Left + 45, cy)));      // the minus
    EXPECT_FALSE(Dark(pixel(cell.Left + 45, cy - 2))); // no plus bar
    auto lineAt = [&](int x, int top, int bottom) {
        for (int y = top; y < bottom; ++y)
            if (pixel(x, y) != Grid->Columns()->ColumnAt(0)->Color()) return true;
        return false;
    };
    EXPECT_TRUE(lineAt(cell.Left + 9, cell.Top, cell.Bottom));  // A has B after it
    EXPECT_TRUE(lineAt(cell.Left + 27, cell.Top, cell.Bottom)); // A1 has A2 after it
    // Collapsed, the button shows a plus.
    Data->SetRecNo(3);
    SimulateKey(Grid, VK_SUBTRACT);
    Application()->ProcessMessages();
    GrabControl(Grid, shot);
    EXPECT_FALSE(Data->NodeAt(2).Expanded);
    EXPECT_TRUE(Dark(pixel(cell.Left + 45, cy - 2)));
}

TEST_F(RecordMoveTest, TheMoveLineIsPaintedOverTheCellsAndGoesWithTheDrag) {
    Application()->ProcessMessages();
    TBitmap before, during, after;
    GrabControl(Grid, before);
    const TPoint from = Indicator(1);
    SimulateMouseDown(Grid, mbLeft, from.X, from.Y);
    Application()->ProcessMessages();
    GrabControl(Grid, during);
    const int y = Grid->MoveLineStart().Y;
    int changed = 0;
    for (int x = Grid->MoveLineStart().X; x < Grid->ClientWidth(); ++x)
        if (during.Canvas()->Pixels(x, y) != before.Canvas()->Pixels(x, y)) ++changed;
    EXPECT_GT(changed, 20);
    SimulateMouseUp(Grid, mbLeft, from.X, from.Y);
    Application()->ProcessMessages();
    GrabControl(Grid, after);
    for (int x = 0; x < Grid->ClientWidth(); ++x)
        ASSERT_EQ(after.Canvas()->Pixels(x, y), before.Canvas()->Pixels(x, y)) << x;
}

TEST(RecordMoveRows, TheBarAndTheWheelScrollTheRowsWhileTheRecordStays) {
    std::vector<TTreeTestDataSet::TNode> nodes;
    for (int i = 0; i < 40; ++i)
        nodes.push_back({"N" + IntToStr(i), 1});
    TTreeTestDataSet data(nodes);
    data.Tree = false;
    data.Open();
    TForm form(nullptr);
    form.SetBounds(0, 0, 600, 400);
    auto* grid = new TDBGridGx(&form);
    PinFont(grid->Font());
    PinFont(grid->TitleFont());
    grid->SetParent(&form);
    grid->SetBounds(0, 0, 500, 300);
    form.Show();
    TDataSource source(nullptr);
    source.SetDataSet(&data);
    grid->SetDataSource(&source);
    const int fixed = grid->FixedRowsCount();
    const int page = grid->VisibleRowsCount();
    ASSERT_GT(page, 3);
    EXPECT_EQ(grid->RowsCount(), 40 + fixed);
    EXPECT_EQ(grid->LastVertScroll().nMin, 1);
    EXPECT_EQ(grid->LastVertScroll().nMax, 40);
    EXPECT_EQ(static_cast<int>(grid->LastVertScroll().nPage), page);
    EXPECT_EQ(grid->LastVertScroll().nPos, 1);
    const int lastTop = 40 + fixed - page;
    struct {
        TScrollCode Code;
        int Pos;
        int Top; // first shown data row afterwards (0-based)
    } cases[] = {{scLineDown, 0, 1},
                 {scPageDown, 0, 1 + page},
                 {scLineUp, 0, page},
                 {scBottom, 0, lastTop - fixed},
                 {scLineDown, 0, lastTop - fixed},
                 {scTop, 0, 0},
                 {scLineUp, 0, 0},
                 {scPosition, 11, 10}};
    for (const auto& c : cases) {
        int pos = c.Pos;
        grid->Scroll(sbVertical, c.Code, pos);
        EXPECT_EQ(grid->TopLeftCell().Y - fixed, c.Top) << c.Code;
        EXPECT_EQ(grid->LastVertScroll().nPos, c.Top + 1) << c.Code;
        EXPECT_EQ(data.RecNo(), 1) << c.Code;
    }
    int top = 0;
    grid->Scroll(sbVertical, scTop, top);
    SimulateWheel(grid, -120, 50, 50);
    EXPECT_EQ(grid->TopLeftCell().Y - fixed, 1);
    EXPECT_EQ(data.RecNo(), 1);
    SimulateWheel(grid, -120, 50, 50, TShiftState{ssShift});
    EXPECT_EQ(data.RecNo(), 2);
    // Near the end, a page down asks for more rows first.
    const int fetched = data.FetchedRows;
    grid->SetFocus();
    SimulateKey(grid, VK_NEXT);
    EXPECT_EQ(data.FetchedRows, fetched);
    grid->Scroll(sbVertical, scBottom, top);
    SimulateKey(grid, VK_NEXT);
    EXPECT_GT(data.FetchedRows, fetched);
    // A record out of view brings its row into view.
    data.SetRecNo(35);
    EXPECT_EQ(grid->CurrentCell().Y, 34 + fixed);
    EXPECT_LE(grid->TopLeftCell().Y, grid->CurrentCell().Y);
    EXPECT_GE(grid->TopLeftCell().Y + page - 1, grid->CurrentCell().Y);
    delete grid;
}

namespace {

// A plain query moves its records through the centre, which asks the data set class's entry.
class QueryRecordMoveTest : public DBGridTest {
protected:
    struct TMovingFeatures : TDataSetCapabilitiesGx {
        using TDataSetCapabilitiesGx::TDataSetCapabilitiesGx;
        bool MoveRecords(TCustomDBGridGx*, TDataSet*, TStrings* BookmarkList, int ToRecNo, int TreeLevel,
                         bool CheckOnly) override {
            if (!CheckOnly)
                Moves.push_back(
                    {BookmarkList->Count() ? BookmarkList->Strings(0) : String(), ToRecNo, TreeLevel});
            return true;
        }
        struct TMove {
            String Bookmark;
            int ToRecNo;
            int TreeLevel;
        };
        std::vector<TMove> Moves;
    };
    void SetUp() override {
        DBGridTest::SetUp();
        Fill(10);
        OpenGrid();
        Grid->SetOptionsGx(Grid->OptionsGx() | dghRecordMoving);
        Application()->ProcessMessages();
    }
    TPoint Indicator(int DataRow) const {
        const TRect r = Grid->CellScreenRect(0, DataRow + Grid->TitleOffset());
        return TPoint(r.Left + 3, r.Top + r.Height() / 2);
    }
    void Drag(int From, int To) {
        const TPoint a = Indicator(From), b = Indicator(To);
        SimulateMouseDown(Grid, mbLeft, a.X, a.Y);
        SimulateMouseMove(Grid, b.X, b.Y, TShiftState{ssLeft});
        SimulateMouseUp(Grid, mbLeft, b.X, b.Y);
    }
};

} // namespace

TEST_F(QueryRecordMoveTest, TheRegisteredMoverGetsTheDraggedRecordAndTheViewStays) {
    // Without an entry every target is refused: the line stays on the dragged row.
    const TPoint a = Indicator(1), b = Indicator(5);
    SimulateMouseDown(Grid, mbLeft, a.X, a.Y);
    ASSERT_TRUE(Grid->RecordMoving());
    SimulateMouseMove(Grid, b.X, b.Y, TShiftState{ssLeft});
    EXPECT_EQ(Grid->RecordMoveTargetRow(), 1 + Grid->TitleOffset());
    EXPECT_EQ(Grid->RecordMoveTargetLevel(), -1);
    SimulateMouseUp(Grid, mbLeft, b.X, b.Y);

    auto* entry = static_cast<TMovingFeatures*>(
        DatasetFeaturesRegistry().Register(std::make_unique<TMovingFeatures>("TADOQuery")));
    Q->SetRecNo(2);
    const TBookmark dragged = Q->GetBookmark();
    Q->SetRecNo(3);
    Drag(1, 5);
    ASSERT_EQ(entry->Moves.size(), 1u);
    EXPECT_EQ(entry->Moves[0].Bookmark, dragged);
    EXPECT_EQ(entry->Moves[0].ToRecNo, 6);
    EXPECT_EQ(entry->Moves[0].TreeLevel, -1);
    EXPECT_EQ(Q->RecNo(), 3);
    EXPECT_EQ(Grid->CurrentCell().Y, 2 + Grid->TitleOffset());
    DatasetFeaturesRegistry().Unregister(entry);
}

TEST_F(RecordMoveTest, TheFilterCellOfSuchADataSetListsTheFieldsValues) {
    Grid->STFilter()->SetVisible(true);
    const TRect r = Grid->CellScreenRect(2, 1);
    SimulateClick(Grid, r.Left + 5, r.Top + 4);
    ASSERT_NE(Grid->FilterEditor(), nullptr);
    EXPECT_TRUE(Grid->Columns()->ColumnAt(1)->STFilter()->HasDropDownButton());
    EXPECT_TRUE(Grid->FilterEditor()->EditButton()->Visible());
    Grid->FilterEditor()->OpenDropDown();
    TStrings* items = Grid->FilterEditor()->Items();
    ASSERT_EQ(items->Count(), 4 + 7);
    EXPECT_EQ(items->Strings(4), "A");
    EXPECT_EQ(items->Strings(10), "B");
    Grid->FilterEditor()->CloseDropDown(false);
}
