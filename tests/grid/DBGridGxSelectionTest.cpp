// The grid's selection: which kinds may be made, the rectangle's corners, the column walks of
// the Shift gesture, the marked records, the repaint ranges and the strips between two boxes.
#include "grid/DBGridGxSelection.h"
#include "DBGridGxFixture.h"

#include <algorithm>

namespace {

class DBGridSelectionTest : public DBGridTest {
protected:
    void SetUp() override {
        DBGridTest::SetUp();
        Grid->OnSelectionChanged = [this](TObject*) { ++Notified; };
    }
    // Six columns: A-2 .. A+3 around A = 2.
    void OpenSixColumns(int Rows = 10) {
        Fill(Rows);
        OpenGrid(
            "select F_int, F_text, F_float, F_int as a, F_text as b, F_float as c from T_grid order by F_ID");
    }
    TColumnGx* Col(int I) { return Grid->Columns()->ColumnAt(I); }
    std::vector<int> Listed() {
        std::vector<int> out;
        TDBGridGxSelectionCols* cols = Grid->Selection()->Columns();
        for (int i = 0; i < cols->Count(); ++i)
            out.push_back(cols->Items(i)->Index());
        return out;
    }
    TBookmark BookmarkOf(int RecNo) {
        Q->First();
        Q->MoveBy(RecNo - 1);
        return Q->GetBookmark();
    }
    TDBGridGxSelection* Sel() { return Grid->Selection(); }
    int Notified = 0;
};

} // namespace

TEST_F(DBGridSelectionTest, KindsAllowedByOptions) {
    struct Case {
        TDBGridOptions Options;
        TDBGridGxAllowedSelections Allowed;
        TDBGridGxSelectionType Kind;
        bool Want;
    };
    const TDBGridOptions base = dgTitles | dgIndicator;
    const Case cases[] = {
        {base, 0x1E, gstNon, true},
        {base, 0x1E, gstRecordBookmarks, false},
        {base | dgMultiSelect, 0x1E, gstRecordBookmarks, true},
        {base | dgMultiSelect, 0x1E, gstRectangle, true},
        {base | dgMultiSelect, 0x1E, gstColumns, true},
        {base | dgMultiSelect, 0x1E, gstAll, true},
        {base | dgMultiSelect, 0x1E & ~(1 << gstRectangle), gstRectangle, false},
        {base | dgMultiSelect | dgRowSelect, 0x1E, gstRectangle, false},
        {base | dgMultiSelect | dgRowSelect, 0x1E, gstColumns, false},
        {base | dgMultiSelect | dgRowSelect, 0x1E, gstRecordBookmarks, true},
        {base | dgMultiSelect | dgRowSelect, 0x1E, gstAll, true},
    };
    for (const Case& c : cases) {
        Grid->SetOptions(c.Options);
        Grid->SetAllowedSelections(c.Allowed);
        EXPECT_EQ(Grid->SelectionAllowedNow(c.Kind), c.Want)
            << "options " << c.Options << " allowed " << int(c.Allowed) << " kind " << c.Kind;
    }
}

TEST_F(DBGridSelectionTest, ShiftClickAnchorsRectangleWithoutSelectingOneCell) {
    Fill(5);
    OpenGrid();
    TBookmark r1 = BookmarkOf(1), r3 = BookmarkOf(3);
    TDBGridGxSelectionRect* rect = Sel()->Rect();
    rect->SelectCell(1, r1, true);
    EXPECT_EQ(Sel()->SelectionType(), gstNon);
    EXPECT_EQ(rect->AnchorCell().Col, 1);
    rect->SelectCell(1, r1, true);
    EXPECT_EQ(Sel()->SelectionType(), gstNon);
    rect->SelectCell(2, r3, true);
    EXPECT_EQ(Sel()->SelectionType(), gstRectangle);
    EXPECT_EQ(rect->AnchorCell().Col, 1);
    EXPECT_EQ(rect->AnchorCell().Row, r1);
    EXPECT_EQ(rect->GetTopmostRow(), r1);
    EXPECT_EQ(rect->GetBottomRow(), r3);
    EXPECT_TRUE(Sel()->CellSelected(2, BookmarkOf(2)));
    EXPECT_FALSE(Sel()->CellSelected(0, BookmarkOf(2)));
    EXPECT_FALSE(Sel()->CellSelected(1, BookmarkOf(4)));
    // Walking back onto the anchor leaves a single cell: no rectangle any more.
    rect->SelectCell(1, r1, true);
    EXPECT_EQ(Sel()->SelectionType(), gstNon);
    // A rectangle upside down has the same corners.
    rect->SelectCell(0, r3, false);
    rect->SelectCell(0, r1, true);
    EXPECT_EQ(rect->GetTopmostRow(), r1);
    EXPECT_EQ(rect->GetBottomRow(), r3);
}

TEST_F(DBGridSelectionTest, ExtendingRectangleRepaintsOnlyTheChangedStrip) {
    Fill(5);
    OpenGrid();
    TBookmark r1 = BookmarkOf(1), r2 = BookmarkOf(2);
    Sel()->Rect()->SelectCell(0, r1, false);
    Sel()->Rect()->SelectCell(0, r2, true);
    Grid->Invalidated.clear();
    int before = Notified;
    Sel()->Rect()->SelectCell(1, r2, true);
    TRect kept = Grid->CellScreenRect(1, Grid->TitleOffset());
    TRect added = Grid->CellScreenRect(2, Grid->TitleOffset());
    EXPECT_FALSE(Grid->InvalidatedAt(kept.Left + 3, kept.Top + 3));
    EXPECT_TRUE(Grid->InvalidatedAt(added.Left + 3, added.Top + 3));
    EXPECT_EQ(Notified, before + 1);
}

TEST_F(DBGridSelectionTest, RectangleWithoutDataRaises) {
    Fill(2);
    OpenGrid();
    Sel()->Rect()->SelectCell(0, BookmarkOf(1), false);
    Q->Close();
    try {
        (void)Sel()->Rect()->GetBottomRow();
        FAIL() << "no error";
    } catch (const EInvalidGridOperationGx& e) {
        EXPECT_EQ(e.Message(), "Error in TDBGridGxSelectionRect.GetBottomRow");
    }
    EXPECT_THROW((void)Sel()->Rect()->CellSelected(0, "x"), EInvalidGridOperationGx);
    EXPECT_THROW((void)Sel()->Rect()->GetTopmostRow(), EInvalidGridOperationGx);
    EXPECT_THROW((void)Sel()->Rect()->GetLeftmostCol(), EInvalidGridOperationGx);
}

TEST_F(DBGridSelectionTest, ShiftColumnWalkUndoesWhatItReturnsOver) {
    OpenSixColumns();
    TDBGridGxSelectionCols* cols = Sel()->Columns();
    cols->SelectColumn(Col(2), false); // A
    cols->ExtendTo(Col(5));            // A+3
    EXPECT_EQ(Listed(), (std::vector<int>{2, 3, 4, 5}));
    cols->ExtendTo(Col(3)); // A+1
    EXPECT_EQ(Listed(), (std::vector<int>{2, 3}));
    cols->ExtendTo(Col(0));
    EXPECT_EQ(Listed(), (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(Sel()->SelectionType(), gstColumns);
    EXPECT_EQ(cols->AnchorColumn(), Col(2));
    EXPECT_EQ(cols->ShiftColumn(), Col(0));
}

TEST_F(DBGridSelectionTest, ShiftAfterAnchorToggledOffDeselectsAndRestores) {
    OpenSixColumns();
    TDBGridGxSelectionCols* cols = Sel()->Columns();
    cols->SelectColumn(Col(0), false);
    cols->ExtendTo(Col(4));
    EXPECT_EQ(Listed(), (std::vector<int>{0, 1, 2, 3, 4}));
    cols->ToggleColumn(Col(2));
    EXPECT_EQ(Listed(), (std::vector<int>{0, 1, 3, 4}));
    cols->ExtendTo(Col(4));
    EXPECT_EQ(Listed(), (std::vector<int>{0, 1}));
    cols->ExtendTo(Col(3));
    EXPECT_EQ(Listed(), (std::vector<int>{0, 1, 4}));
    cols->ExtendTo(Col(2));
    EXPECT_EQ(Listed(), (std::vector<int>{0, 1, 3, 4}));
}

TEST_F(DBGridSelectionTest, ShiftWalkSkipsHiddenColumnsAndTogglingLastEmpties) {
    OpenSixColumns();
    Col(3)->SetVisible(false);
    TDBGridGxSelectionCols* cols = Sel()->Columns();
    cols->SelectColumn(Col(1), false);
    cols->ExtendTo(Col(4));
    EXPECT_EQ(Listed(), (std::vector<int>{1, 2, 4}));
    EXPECT_TRUE(Sel()->CellSelected(4, BookmarkOf(1)));
    EXPECT_FALSE(Sel()->CellSelected(-1, BookmarkOf(1)));
    TGridRect r = Sel()->ToGridRect();
    EXPECT_EQ(r, (TGridRect{1 + Grid->IndicatorOffset(), 0, 4 + Grid->IndicatorOffset(), Grid->RowsCount()}));
    cols->SelectColumn(Col(0), false);
    cols->ToggleColumn(Col(0));
    EXPECT_EQ(Sel()->SelectionType(), gstNon);
}

TEST_F(DBGridSelectionTest, DeletedColumnLeavesTheSelection) {
    Fill(3);
    OpenGrid();
    for (const char* name : {"F_int", "F_text", "F_float", "F_int"})
        Grid->Columns()->AddColumn()->SetFieldName(name);
    TDBGridGxSelectionCols* cols = Sel()->Columns();
    cols->SelectColumn(Col(1), false);
    cols->ExtendTo(Col(3));
    delete Col(2);
    EXPECT_EQ(Listed(), (std::vector<int>{1, 2}));
    EXPECT_EQ(cols->AnchorColumn(), Col(1));
}

TEST_F(DBGridSelectionTest, MarkingRowsReplacesAnotherKindAndEmptyingDropsIt) {
    Fill(6);
    OpenGrid();
    Sel()->Rect()->SelectCell(0, BookmarkOf(1), false);
    Sel()->Rect()->SelectCell(1, BookmarkOf(2), true);
    ASSERT_EQ(Sel()->SelectionType(), gstRectangle);
    Q->First();
    Q->MoveBy(1);
    Grid->SelectedRows()->SetCurrentRowSelected(true);
    EXPECT_EQ(Sel()->SelectionType(), gstRecordBookmarks);
    EXPECT_EQ(Sel()->Rect()->AnchorCell().Col, -1);
    Q->MoveBy(2);
    Grid->SelectedRows()->SetCurrentRowSelected(true);
    EXPECT_EQ(Grid->SelectedRows()->BookmarkCount(), 2);
    // Rows 2 and 4 of the window: the repaint range spans from the first to the last.
    TGridRect r = Sel()->ToGridRect();
    EXPECT_EQ(r, (TGridRect{0, Grid->TitleOffset() + 1, Grid->ColsCount() - 1, Grid->TitleOffset() + 3}));
    EXPECT_TRUE(Sel()->CellSelected(0, BookmarkOf(4)));
    EXPECT_FALSE(Sel()->CellSelected(0, BookmarkOf(3)));
    Q->First();
    Q->MoveBy(1);
    Grid->SelectedRows()->SetCurrentRowSelected(false);
    Q->MoveBy(2);
    int before = Notified;
    Grid->SelectedRows()->SetCurrentRowSelected(false);
    EXPECT_EQ(Sel()->SelectionType(), gstNon);
    EXPECT_EQ(Notified, before + 1);
    // Clearing an empty list still tells the listeners.
    Grid->SelectedRows()->Clear();
    EXPECT_EQ(Notified, before + 2);
}

TEST_F(DBGridSelectionTest, MarkingWithClosedDataRaisesBeforeAnyChange) {
    EXPECT_THROW(Grid->SelectedRows()->SetCurrentRowSelected(true), Exception);
    EXPECT_EQ(Sel()->SelectionType(), gstNon);
}

TEST_F(DBGridSelectionTest, SelectAllAndItsClearingAreNotNotified) {
    Fill(3);
    OpenGrid();
    Sel()->SelectAll();
    EXPECT_EQ(Sel()->SelectionType(), gstAll);
    EXPECT_TRUE(Sel()->CellSelected(-1, "anything"));
    Grid->Invalidated.clear();
    Sel()->SelectAll();
    EXPECT_TRUE(Grid->Invalidated.empty());
    Sel()->ClearSelection();
    EXPECT_EQ(Sel()->SelectionType(), gstNon);
    EXPECT_FALSE(Grid->Invalidated.empty());
    EXPECT_EQ(Notified, 0);
}

TEST_F(DBGridSelectionTest, DisallowingTheCurrentKindClearsIt) {
    Fill(3);
    OpenGrid();
    Sel()->Rect()->SelectCell(0, BookmarkOf(1), false);
    Sel()->Rect()->SelectCell(1, BookmarkOf(2), true);
    Grid->SetAllowedSelections(0x1E & ~(1 << gstColumns));
    EXPECT_EQ(Sel()->SelectionType(), gstRectangle);
    Grid->SetAllowedSelections(0x1E & ~(1 << gstRectangle));
    EXPECT_EQ(Sel()->SelectionType(), gstNon);
}

TEST_F(DBGridSelectionTest, ClosingTheDataClearsMarks) {
    Fill(3);
    OpenGrid();
    Grid->SelectedRows()->SetCurrentRowSelected(true);
    Q->Close();
    EXPECT_EQ(Grid->SelectedRows()->BookmarkCount(), 0);
    EXPECT_EQ(Sel()->SelectionType(), gstNon);
}

TEST_F(DBGridSelectionTest, RectangleRepaintRangeFollowsTheShownRows) {
    Fill(60);
    OpenGrid();
    int shown = Grid->DataLink()->RecordCount();
    ASSERT_LT(shown, 40);
    TBookmark r2 = BookmarkOf(2), r3 = BookmarkOf(3), r50 = BookmarkOf(50);
    Sel()->Rect()->SelectCell(0, r2, false);
    Sel()->Rect()->SelectCell(1, r50, true);
    int off = Grid->TitleOffset(), ind = Grid->IndicatorOffset();
    Q->First();
    // Past the last shown record: ends at the window's last position.
    EXPECT_EQ(Sel()->ToGridRect(), (TGridRect{ind, off + 1, ind + 1, off + shown - 1}));
    // A rectangle wholly above the shown rows gives nothing.
    Sel()->Rect()->SelectCell(0, r2, false);
    Sel()->Rect()->SelectCell(1, r3, true);
    Q->Last();
    EXPECT_EQ(Sel()->ToGridRect(), NoGridRect);
}

TEST(ChangedStrips, StripsAroundTheIntersection) {
    struct Case {
        TRect R1, R2;
        std::array<TRect, 4> Want;
    };
    const Case cases[] = {
        // Apart: the two boxes themselves.
        {{0, 0, 5, 5}, {10, 10, 20, 20}, {TRect{0, 0, 5, 5}, TRect{10, 10, 20, 20}, TRect{}, TRect{}}},
        // Overlapping corners: two L shapes split into four strips.
        {{0, 0, 10, 10},
         {5, 5, 15, 15},
         {TRect{0, 0, 5, 10}, TRect{5, 0, 10, 5}, TRect{10, 5, 15, 15}, TRect{5, 10, 10, 15}}},
        // Widened to the right: only the right strip has an area.
        {{0, 0, 10, 10},
         {0, 0, 20, 10},
         {TRect{0, 0, 0, 10}, TRect{0, 0, 20, 0}, TRect{10, 0, 20, 10}, TRect{0, 10, 10, 10}}},
    };
    for (const Case& c : cases) {
        auto got = ChangedStrips(c.R1, c.R2);
        for (int i = 0; i < 4; ++i)
            EXPECT_EQ(got[i], c.Want[i]) << "strip " << i;
    }
}
