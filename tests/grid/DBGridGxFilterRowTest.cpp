// The filter row: the filter settings the columns and the grid own, the editor opened over a filter
// cell by mouse and keyboard, the keys that move between filter cells or leave the row, the
// drop-down with its special entries, and applying the filters.
#include "DBGridGxFixture.h"
#include "grid/DBGridGxFilter.h"
#include "grid/DBGridGxFilterEdit.h"
#include "grid/DBGridGxStyle.h"
#include "grid/ToolCtrlsGxListBox.h"
#include "gui/ControlPreview.h"
#include "gui/Input.h"
#include "gui/InputSimulation.h"

#include <gtest/gtest.h>

namespace {

class FilterRowTest : public DBGridTest {
protected:
    void SetUp() override {
        DBGridTest::SetUp();
        Fill(20);
        OpenGrid();
        Grid->SetCenter(&Centre);
        Grid->STFilter()->SetVisible(true);
        Grid->OnApplyFilter = [this](TObject*) { ++Applied; };
        Application()->ProcessMessages();
    }
    void TearDown() override {
        DBGridTest::TearDown(); // the grid goes before the centre it uses
        List.reset();
    }
    TColumnGx* Col(int I) const { return Grid->Columns()->ColumnAt(I); }
    TSTColumnFilterGx* Filter(int I) const { return Col(I)->STFilter(); }
    TInplaceFilterEditGx* Editor() const { return Grid->FilterEditor(); }
    TRect FilterCell(int DataCol) const { return Grid->CellScreenRect(DataCol + 1, 1); }
    void ClickFilterCell(int DataCol) {
        const TRect r = FilterCell(DataCol);
        SimulateClick(Grid, r.Left + 5, r.Top + 4);
    }
    // The F_text column's filter lists the texts of a second query over the table.
    void GiveTextColumnAList() {
        List = Query("select F_text from T_grid");
        List->Open();
        ListSource.SetDataSet(List.get());
        Filter(1)->SetListSource(&ListSource);
    }
    // Opens the editor's drop-down on the column and chooses the entry with that text.
    void Choose(int DataCol, const String& Entry) {
        ClickFilterCell(DataCol);
        Editor()->OpenDropDown();
        TPopupListboxGx* list = Editor()->ItemListBox();
        const int i = list->Items()->IndexOf(Entry);
        ASSERT_GE(i, 0) << Entry;
        list->SetItemIndex(i);
        Editor()->CloseDropDown(true);
    }
    std::vector<String> DropDownItems(int Count) {
        std::vector<String> items;
        for (int i = 0; i < Count && i < Editor()->Items()->Count(); ++i)
            items.push_back(Editor()->Items()->Strings(i));
        return items;
    }

    TDBGridGxCenter Centre;
    int Applied = 0;
    std::unique_ptr<TADOQuery> List;
    TDataSource ListSource{nullptr};
};

} // namespace

// ---- settings owned by the columns and the grid ----------------------------------------------------

TEST_F(FilterRowTest, ColumnsAndTheGridOwnTheirFilterSettings) {
    EXPECT_EQ(Grid->STFilter()->Grid(), Grid);
    for (int i = 0; i < Grid->Columns()->Count(); ++i)
        EXPECT_EQ(Filter(i)->Column(), Col(i));
    // The visible filter row is the row under the titles.
    EXPECT_EQ(Grid->FilterRowCount(), 1);
    EXPECT_EQ(Grid->TitleOffset(), 2);
    EXPECT_EQ(Grid->FixedRowsCount(), 2);
    Grid->STFilter()->SetVisible(false);
    EXPECT_EQ(Grid->TitleOffset(), 1);

    // The setters copy the given settings; a column's Assign leaves its filter alone.
    TSTDBGridGxFilter grid(nullptr);
    grid.SetVisible(true);
    grid.SetLocal(true);
    Grid->SetSTFilter(&grid);
    EXPECT_TRUE(Grid->STFilter()->Visible());
    EXPECT_TRUE(Grid->STFilter()->Local());
    TSTColumnFilterGx column(nullptr);
    column.KeyField = "F_key";
    column.SetVisible(false);
    Col(0)->SetSTFilter(&column);
    EXPECT_EQ(Filter(0)->KeyField, "F_key");
    EXPECT_FALSE(Filter(0)->Visible());
    EXPECT_EQ(Filter(0)->Column(), Col(0));
    Col(1)->Assign(Col(0));
    EXPECT_EQ(Filter(1)->KeyField, "");
    EXPECT_TRUE(Filter(1)->Visible());
    // Both are published as sub-objects.
    EXPECT_NE(Grid->ClassInfo()->FindProperty("STFilter"), nullptr);
    EXPECT_NE(Col(0)->ClassInfo()->FindProperty("STFilter"), nullptr);
}

TEST_F(FilterRowTest, AKeptValueListGoesWithTheColumnsField) {
    GiveTextColumnAList();
    ClickFilterCell(1);
    Editor()->OpenDropDown();
    Editor()->CloseDropDown(false);
    ASSERT_NE(Col(1)->FilterValueList(), nullptr);
    Grid->Columns()->ResetFieldBindings();
    EXPECT_EQ(Col(1)->FilterValueList(), nullptr);
}

// ---- entering and leaving --------------------------------------------------------------------------

TEST_F(FilterRowTest, APressOnAFilterCellOpensTheEditorThereAndAPressOnTheDataStoresItsText) {
    ClickFilterCell(1);
    ASSERT_NE(Editor(), nullptr);
    EXPECT_TRUE(Editor()->Visible());
    EXPECT_TRUE(Grid->FilterActive());
    EXPECT_EQ(Grid->FilterColumn(), 1);
    EXPECT_EQ(Grid->FocusedColumnIndex(), 1);
    TRect cell = FilterCell(1);
    cell.Left += 1;
    EXPECT_EQ(Editor()->BoundsRect(), cell);
    EXPECT_TRUE(ControlWindowFocused(Editor()));
    EXPECT_EQ(Editor()->Font()->Color(), TColor(0xFF0000));
    // Without a list the cell has no drop-down button.
    EXPECT_FALSE(Editor()->EditButton()->Visible());

    SimulateTyping(Editor(), "t1");
    const TRect data = Grid->CellScreenRect(3, 4);
    SimulateClick(Grid, data.Left + 5, data.Top + 4);
    EXPECT_FALSE(Grid->FilterActive());
    EXPECT_FALSE(Editor()->Visible());
    EXPECT_EQ(Filter(1)->FilterText(), "t1");
    EXPECT_EQ(Filter(1)->Expression().FirstOp, stoLike);
    EXPECT_EQ(Applied, 0);
    // Opened again, the cell shows the expression as written back.
    ClickFilterCell(1);
    EXPECT_EQ(Editor()->Text(), "~ 't1'");
}

TEST_F(FilterRowTest, ATextThatDoesNotParseKeepsTheEditorOpenOnItsCell) {
    Filter(0)->SetFilterText("> 5");
    for (bool toOtherCell : {false, true}) {
        ClickFilterCell(0);
        Editor()->SetText("(5");
        if (toOtherCell)
            EXPECT_THROW(Grid->ShowFilterEditor(2), Exception);
        else
            EXPECT_THROW(Grid->EndFilterEditing(), Exception);
        EXPECT_TRUE(Editor()->Visible()) << toOtherCell;
        EXPECT_TRUE(Grid->FilterActive()) << toOtherCell;
        EXPECT_EQ(Grid->FilterColumn(), 0) << toOtherCell;
        EXPECT_EQ(Editor()->Text(), "(5") << toOtherCell;
        EXPECT_EQ(Filter(0)->FilterText(), "> 5") << toOtherCell;
        Editor()->SetText("< 3");
        Grid->EndFilterEditing();
        EXPECT_EQ(Filter(0)->FilterText(), "< 3");
        Filter(0)->SetFilterText("> 5");
    }
}

TEST_F(FilterRowTest, UpOnTheFirstRecordOrWithCtrlEntersTheFilterRowOnTheCurrentColumn) {
    struct {
        int RecNo;
        TShiftState Shift;
        bool Enters;
    } cases[] = {{1, TShiftState(), true}, {3, TShiftState(), false}, {3, TShiftState{ssCtrl}, true}};
    for (const auto& c : cases) {
        Grid->EndFilterEditing();
        Grid->SetFocus();
        Q->SetRecNo(c.RecNo);
        Grid->MoveToColumn(3, 0, false);
        SimulateKey(Grid, VK_UP, c.Shift);
        EXPECT_EQ(Grid->FilterActive(), c.Enters) << c.RecNo;
        if (c.Enters) {
            EXPECT_EQ(Grid->FilterColumn(), 2);
        }
        EXPECT_EQ(Q->RecNo(), c.Enters ? c.RecNo : c.RecNo - 1);
    }
}

TEST_F(FilterRowTest, KeysMoveBetweenVisibleFiltersOrLeaveTheRow) {
    Filter(1)->SetVisible(false);
    struct {
        int From;
        const char* Text;
        Word Key;
        TShiftState Shift;
        int To; // filter column afterwards, -1 when the row was left
    } cases[] = {
        {0, "", VK_TAB, TShiftState(), 2},         {2, "", VK_TAB, TShiftState(), 0},
        {0, "", VK_TAB, TShiftState{ssShift}, 2},  {0, "", VK_RIGHT, TShiftState(), 2},
        {2, "", VK_LEFT, TShiftState(), 0},        {0, "", VK_RIGHT, TShiftState{ssCtrl}, 2},
        {2, "5", VK_LEFT, TShiftState{ssCtrl}, 0}, {0, "", VK_END, TShiftState(), 2},
        {2, "", VK_HOME, TShiftState(), 0},        {0, "", VK_UP, TShiftState(), 0},
        {0, "", VK_DOWN, TShiftState(), -1},       {2, "", VK_DOWN, TShiftState{ssCtrl}, -1},
    };
    for (const auto& c : cases) {
        Q->SetRecNo(18);
        const int firstShown = Grid->DataLink()->FirstRecord() + 1;
        ASSERT_GT(firstShown, 1);
        ClickFilterCell(c.From);
        Editor()->SetText(c.Text);
        Editor()->SetSelection(0, 0);
        SimulateKey(Editor(), c.Key, c.Shift);
        const String what = ShortCutToText(ShortCut(c.Key, c.Shift)) + " from " + IntToStr(c.From);
        EXPECT_EQ(Grid->FilterActive(), c.To >= 0) << what;
        if (c.To >= 0) {
            EXPECT_EQ(Grid->FilterColumn(), c.To) << what;
            EXPECT_TRUE(Editor()->Visible()) << what;
            EXPECT_EQ(Q->RecNo(), 18) << what;
        } else {
            EXPECT_EQ(Grid->FocusedColumnIndex(), c.From) << what;
            // Down goes to the first visible record, Ctrl+Down stays on the record.
            EXPECT_EQ(Q->RecNo(), c.Key == VK_DOWN && c.Shift.Empty() ? firstShown : 18) << what;
        }
        Grid->EndFilterEditing();
    }
    // With text after the caret, Right moves the caret, not the cell.
    ClickFilterCell(0);
    Editor()->SetText("12");
    Editor()->SetSelection(0, 0);
    SimulateKey(Editor(), VK_RIGHT);
    EXPECT_EQ(Grid->FilterColumn(), 0);
    EXPECT_EQ(Editor()->CaretPosition(), 1);
}

// ---- applying ------------------------------------------------------------------------------------

TEST_F(FilterRowTest, EnterStoresTheTextAndApplies) {
    ClickFilterCell(0);
    SimulateTyping(Editor(), "> 5");
    SimulateKey(Editor(), VK_RETURN);
    EXPECT_EQ(Applied, 1);
    EXPECT_EQ(Filter(0)->Expression().FirstOp, stoGreater);
    EXPECT_EQ(Filter(0)->FirstOperand().AsDouble(), 5.0);
    EXPECT_TRUE(Grid->FilterActive());
    EXPECT_TRUE(Editor()->Visible());
    EXPECT_EQ(Editor()->Text(), "> 5");
}

TEST_F(FilterRowTest, WithoutAHandlerTheCentreUsesTheDataSetsRegisteredFiltering) {
    struct TCountingFeatures : TDataSetCapabilitiesGx {
        using TDataSetCapabilitiesGx::TDataSetCapabilitiesGx;
        void ApplyFilter(TCustomDBGridGx* Grid, TDataSet* DataSet, bool IsReopen) override {
            Calls.push_back({Grid, DataSet, IsReopen});
        }
        struct TCall {
            TCustomDBGridGx* Grid;
            TDataSet* DataSet;
            bool IsReopen;
        };
        std::vector<TCall> Calls;
    };
    Grid->OnApplyFilter = nullptr;
    Grid->ApplyFilter(); // no entry: nothing happens
    auto* entry = static_cast<TCountingFeatures*>(
        DatasetFeaturesRegistry().Register(std::make_unique<TCountingFeatures>("TCustomADODataSet")));
    Grid->ApplyFilter();
    ASSERT_EQ(entry->Calls.size(), 1u);
    EXPECT_EQ(entry->Calls[0].Grid, Grid);
    EXPECT_EQ(entry->Calls[0].DataSet, Q.get());
    EXPECT_TRUE(entry->Calls[0].IsReopen);
    int handled = 0;
    Centre.ApplyFilterHandler = [&](TCustomDBGridGx*) { ++handled; };
    Grid->ApplyFilter();
    EXPECT_EQ(handled, 1);
    EXPECT_EQ(entry->Calls.size(), 1u);
    DatasetFeaturesRegistry().Unregister(entry);
}

TEST_F(FilterRowTest, AfterApplyingTheViewComesBackAndTheSumsAreRecalculatedAlsoWhenFilteringFails) {
    for (int i = 0; i < Grid->Columns()->Count(); ++i)
        Col(i)->SetWidth(300);
    Grid->SumList()->SetActive(true);
    int recalculated = 0;
    Grid->OnSumListRecalcAll = [&](TDBSumListProducer*) { ++recalculated; };
    for (bool raising : {false, true}) {
        ClickFilterCell(0);
        const int left = Grid->TopLeftCell().X;
        const int before = recalculated;
        Grid->OnApplyFilter = [&](TObject*) {
            Grid->SetFirstVisibleCol(3);
            if (raising) throw Exception("no filter");
        };
        if (raising)
            EXPECT_THROW(Grid->ApplyFilter(), Exception);
        else
            Grid->ApplyFilter();
        EXPECT_EQ(Grid->TopLeftCell().X, left) << raising;
        EXPECT_EQ(recalculated, before + 1) << raising;
        TRect cell = FilterCell(0);
        cell.Left += 1;
        EXPECT_EQ(Editor()->BoundsRect(), cell) << raising;
    }
}

// ---- the drop-down --------------------------------------------------------------------------------

TEST_F(FilterRowTest, TheDropDownBeginsWithTheSpecialEntriesThenTheValues) {
    GiveTextColumnAList();
    struct {
        bool AutoSortMarking;
        bool TitleButton;
        std::vector<String> Begins;
    } cases[] = {
        {true,
         true,
         {"(Order by descending)", "(Order by ascending)", "-", "(Clear filter)", "(All)", "(Not empty)",
          "(Empty)", "t1"}},
        {true, false, {"(Clear filter)", "(All)", "(Not empty)", "(Empty)", "t1", "t10"}},
        {false, true, {"(Clear filter)", "(All)", "(Not empty)", "(Empty)", "t1", "t10"}},
    };
    for (const auto& c : cases) {
        Grid->SetOptionsGx(c.AutoSortMarking ? Grid->OptionsGx() | dghAutoSortMarking
                                             : Grid->OptionsGx() & ~dghAutoSortMarking);
        Col(1)->Title()->SetTitleButton(c.TitleButton);
        ClickFilterCell(1);
        EXPECT_TRUE(Editor()->EditButton()->Visible());
        Editor()->OpenDropDown();
        EXPECT_EQ(DropDownItems(static_cast<int>(c.Begins.size())), c.Begins);
        Editor()->CloseDropDown(false);
        Grid->EndFilterEditing();
    }
}

TEST_F(FilterRowTest, AStoredWidthOfNothingOpensAHundredPixelsAndSeventeenRows) {
    GiveTextColumnAList();
    Col(1)->SetWidth(60);
    ClickFilterCell(1);
    Editor()->OpenDropDown();
    EXPECT_EQ(Editor()->ItemListBox()->Width(), 100);
    EXPECT_EQ(Editor()->ItemListBox()->VisibleRows(), 17);
    Editor()->ItemListBox()->SetItemIndex(5);
    Editor()->CloseDropDown(true);
    // Chosen, the sizes stay with the column's filter.
    EXPECT_EQ(Filter(1)->DropDownWidth, 100);
    EXPECT_EQ(Filter(1)->DropDownRows, 17);
}

TEST_F(FilterRowTest, ChoosingAnEntryActsByItsKind) {
    GiveTextColumnAList();
    Grid->SetOptionsGx(Grid->OptionsGx() | dghAutoSortMarking);
    Col(1)->Title()->SetTitleButton(true);
    int sortChanges = 0;
    Grid->OnSortMarkingChanged = [&](TObject*) { ++sortChanges; };
    struct {
        const char* Entry;
        bool ApplyOnCloseUp;
        const char* Text;
        int Applied;
        bool OtherFilterCleared;
    } cases[] = {
        {"(Empty)", false, "=Null", 0, false},
        {"(Empty)", true, "=Null", 1, false},
        {"(Not empty)", false, "<>Null", 0, false},
        {"(All)", true, "", 1, false},
        {"(Clear filter)", false, "", 1, true},
        {"t3", false, "t3", 0, false},
        {"t3", true, "t3", 1, false},
    };
    for (const auto& c : cases) {
        Filter(0)->SetFilterText("> 5");
        Filter(1)->SetFilterText("t9");
        Centre.ApplyFilterOnCloseUp = c.ApplyOnCloseUp;
        Applied = 0;
        Choose(1, c.Entry);
        EXPECT_EQ(Editor()->Text(), c.Text) << c.Entry << c.ApplyOnCloseUp;
        EXPECT_EQ(Applied, c.Applied) << c.Entry << c.ApplyOnCloseUp;
        EXPECT_EQ(Filter(0)->FilterText().empty(), c.OtherFilterCleared) << c.Entry << c.ApplyOnCloseUp;
        // What was applied is what the editor showed.
        if (c.Applied) {
            EXPECT_EQ(Filter(1)->FilterText(), c.Text) << c.Entry;
        }
        Grid->EndFilterEditing();
    }
    EXPECT_EQ(sortChanges, 0);
    // The order entries set the column's marker alone and report the change.
    Col(0)->Title()->SetSortMarker(smUpGx);
    Applied = 0;
    Choose(1, "(Order by ascending)");
    EXPECT_EQ(Col(1)->Title()->SortMarker(), smDownGx);
    EXPECT_EQ(Col(0)->Title()->SortMarker(), smNoneGx);
    EXPECT_EQ(sortChanges, 1);
    Choose(1, "(Order by descending)");
    EXPECT_EQ(Col(1)->Title()->SortMarker(), smUpGx);
    EXPECT_EQ(Grid->SortMarkedColumns().Count(), 1);
    EXPECT_EQ(sortChanges, 2);
    EXPECT_EQ(Applied, 0);
}
