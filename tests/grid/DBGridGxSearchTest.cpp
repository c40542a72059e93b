// The grid text search: directions, match types, case, display texts, every visible column, the
// focus following the match, hidden columns and a search that finds nothing.
#include "DBGridGxFixture.h"
#include "grid/DBGridGxFilter.h"
#include "grid/DBGridGxFindDlgs.h"
#include "gui/InputQueue.h"

namespace {

class SearchTest : public DBGridTest {
protected:
    // 30 rows; F_text of row 2 is "cAb", of row 4 "Abc", of row 6 empty.
    void SetUp() override {
        DBGridTest::SetUp();
        Fill(30);
        Run("update T_grid set F_text = 'cAb' where F_int = 2");
        Run("update T_grid set F_text = 'Abc' where F_int = 4");
        Run("update T_grid set F_text = '' where F_int = 6");
        OpenGrid();
    }
    int Record() { return Q->FieldByName("F_int")->AsInteger(); }
    void GoTo(int FInt) { Q->Locate("F_int", FInt); }
    String Focused() { return Grid->Columns()->ColumnAt(Grid->FocusedColumnIndex())->FieldName(); }
};

} // namespace

TEST_F(SearchTest, DirectionsMatchTypesAndCase) {
    constexpr int I = gsoIgnoreCaseGx, A = gsoAllColumnsGx;
    struct {
        const char* Field;
        const char* Text;
        int Options, Direction, Match, From;
        int Found; // F_int of the record found, 0 for nothing
    } cases[] = {
        {"F_text", "t5", I, gsdAllGx, gsmAnyPartGx, 20, 5},
        {"F_text", "t1", I, gsdDownGx, gsmAnyPartGx, 5, 10},
        {"F_text", "t1", I, gsdDownGx, gsmAnyPartGx, 10, 11}, // the starting cell is not compared
        {"F_text", "t1", I, gsdUpGx, gsmAnyPartGx, 12, 11},
        {"F_text", "t1", I, gsdUpGx, gsmAnyPartGx, 1, 0},
        {"F_text", "t30", I, gsdDownGx, gsmAnyPartGx, 30, 0},
        {"F_text", "T25", I, gsdAllGx, gsmWholeFieldGx, 1, 25},
        {"F_text", "T25", 0, gsdAllGx, gsmWholeFieldGx, 1, 0},
        {"F_text", "t2", I, gsdAllGx, gsmWholeFieldGx, 1, 0}, // t20 .. t29 are not whole matches
        {"F_text", "Ab", 0, gsdAllGx, gsmBeginningGx, 1, 4},  // "Abc", not "cAb"
        {"F_text", "Ab", 0, gsdAllGx, gsmAnyPartGx, 1, 2},
        {"F_text", "", 0, gsdAllGx, gsmAnyPartGx, 1, 0},    // an empty text is in no cell
        {"F_text", "", 0, gsdAllGx, gsmWholeFieldGx, 1, 6}, // only an empty cell is whole
        {"F_text", "", 0, gsdAllGx, gsmBeginningGx, 9, 1},  // every cell begins with it
        {"", "7.5", A, gsdAllGx, gsmWholeFieldGx, 1, 15},
        {"", "7", A | I, gsdDownGx, gsmAnyPartGx, 3, 7},
    };
    for (const auto& c : cases) {
        GoTo(c.From);
        bool r = SearchGridText(Grid, c.Field, c.Text, c.Options, c.Direction, c.Match, 0);
        EXPECT_EQ(r, c.Found != 0) << c.Text << " from " << c.From;
        EXPECT_EQ(Record(), c.Found ? c.Found : c.From) << c.Text << " from " << c.From;
    }
}

TEST_F(SearchTest, DisplayTextWithFormat) {
    Grid->ColumnByFieldName("F_float")->SetDisplayFormat("0.00");
    EXPECT_FALSE(SearchGridText(Grid, "F_float", "2.50", 0, gsdAllGx, gsmWholeFieldGx, 0));
    EXPECT_TRUE(SearchGridText(Grid, "F_float", "2.50", gsoUseFormatGx, gsdAllGx, gsmWholeFieldGx, 0));
    EXPECT_EQ(Record(), 5);
}

// Every visible column is walked, also those scrolled out of the window.
TEST_F(SearchTest, AllColumnsCoversColumnsOutOfView) {
    for (int i = 0; i < Grid->Columns()->Count(); ++i)
        Grid->Columns()->ColumnAt(i)->SetWidth(400);
    ASSERT_LT(Grid->VisibleColsCount(), 3);
    EXPECT_TRUE(SearchGridText(Grid, "", "12.5", gsoAllColumnsGx, gsdAllGx, gsmWholeFieldGx, 0));
    EXPECT_EQ(Record(), 25);
    EXPECT_EQ(Focused(), "F_float");
}

// The focus moves to the matching column with and without regard to case, so that the next
// search goes on after the match instead of finding it again.
TEST_F(SearchTest, FocusFollowsEveryMatch) {
    for (int options : {int(gsoAllColumnsGx), gsoAllColumnsGx | gsoIgnoreCaseGx}) {
        GoTo(1);
        Grid->SetFocusCol(Grid->IndicatorOffset());
        ASSERT_TRUE(SearchGridText(Grid, "", "t3", options, gsdAllGx, gsmWholeFieldGx, 0));
        EXPECT_EQ(Record(), 3);
        EXPECT_EQ(Focused(), "F_text");
        ASSERT_TRUE(SearchGridText(Grid, "", "3", options, gsdDownGx, gsmAnyPartGx, 0));
        EXPECT_EQ(Record(), 6) << "F_float 3 of row 6 follows t3 of row 3";
        EXPECT_EQ(Focused(), "F_float");
    }
}

// "All" compares every cell of the first record, also those left of the focused column.
TEST_F(SearchTest, AllStartsAtTheFirstCellOfTheFirstRecord) {
    GoTo(5);
    Grid->SetFocusCol(Grid->ColumnByFieldName("F_float")->Index() + Grid->IndicatorOffset());
    ASSERT_TRUE(SearchGridText(Grid, "", "t1", gsoAllColumnsGx, gsdAllGx, gsmWholeFieldGx, 0));
    EXPECT_EQ(Record(), 1);
    EXPECT_EQ(Focused(), "F_text");
}

TEST_F(SearchTest, HiddenColumnIsSearchedOnItsOwn) {
    Grid->ColumnByFieldName("F_float")->SetVisible(false);
    EXPECT_TRUE(SearchGridText(Grid, "F_float", "4.5", gsoAllColumnsGx, gsdAllGx, gsmWholeFieldGx, 0));
    EXPECT_EQ(Record(), 9);
    EXPECT_FALSE(SearchGridText(Grid, "F_text", "4.5", 0, gsdAllGx, gsmWholeFieldGx, 0));
}

TEST_F(SearchTest, UnknownFieldRaises) {
    try {
        SearchGridText(Grid, "F_none", "x", 0, gsdAllGx, gsmAnyPartGx, 0);
        FAIL();
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), "Field name 'F_none' not found");
    }
}

TEST_F(SearchTest, NothingFoundKeepsRecordAndTopRow) {
    GoTo(25);
    Q->MoveBy(-2);
    int top = Grid->DataLink()->ActiveRecord();
    ASSERT_GT(Q->RecNo(), top + 1);
    EXPECT_FALSE(SearchGridText(Grid, "", "zzz", gsoAllColumnsGx, gsdAllGx, gsmAnyPartGx, 0));
    EXPECT_EQ(Record(), 23);
    EXPECT_EQ(Grid->DataLink()->ActiveRecord(), top);
}

// With the stop option a key press waiting in the queue ends the walk (the key stays queued); the
// record and its column are where they were.
TEST_F(SearchTest, AWaitingKeyStopsTheSearchWithTheStopOption) {
    struct {
        bool KeyWaiting;
        int Options;
        int Found; // F_int of the record found, 0 for nothing
    } cases[] = {
        {true, gsoStopOnKeyGx, 0},
        {true, 0, 25},
        {false, gsoStopOnKeyGx, 25},
    };
    for (const auto& c : cases) {
        GoTo(3);
        if (c.KeyWaiting) PostKeyDown(Grid, VK_ESCAPE);
        EXPECT_EQ(SearchGridText(Grid, "F_text", "t25", c.Options, gsdAllGx, gsmWholeFieldGx, 0),
                  c.Found != 0)
            << c.KeyWaiting << " " << c.Options;
        EXPECT_EQ(Record(), c.Found ? c.Found : 3) << c.KeyWaiting << " " << c.Options;
        EXPECT_EQ(KeyDownWaiting(), c.KeyWaiting);
        Application()->ProcessMessages();
        EXPECT_FALSE(KeyDownWaiting());
    }
}

TEST_F(SearchTest, ClosedDataSetFindsNothing) {
    Q->Close();
    EXPECT_FALSE(SearchGridText(Grid, "", "t1", 0, gsdAllGx, gsmAnyPartGx, 0));
}

// The grid's locate goes to a registered entry of the data set's class before its own search.
TEST_F(SearchTest, LocateUsesARegisteredEntryFirst) {
    struct TEntry : TDataSetCapabilitiesGx {
        using TDataSetCapabilitiesGx::TDataSetCapabilitiesGx;
        String Asked;
        bool LocateText(TCustomDBGridGx*, const String&, const String& Text, int, int, int, int) override {
            Asked = Text;
            return true;
        }
    };
    EXPECT_TRUE(Grid->CenterLocateText("F_text", "t7", gsoIgnoreCaseGx, gsdAllGx, gsmWholeFieldGx, 0));
    EXPECT_EQ(Record(), 7);
    auto* entry =
        static_cast<TEntry*>(DatasetFeaturesRegistry().Register(std::make_unique<TEntry>("TADOQuery")));
    EXPECT_TRUE(Grid->CenterLocateText("F_text", "t9", 0, gsdAllGx, gsmWholeFieldGx, 0));
    EXPECT_EQ(entry->Asked, "t9");
    EXPECT_EQ(Record(), 7);
    DatasetFeaturesRegistry().Unregister(entry);
}
