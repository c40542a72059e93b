// The lookup grid: sizing by rows, keys of one and two fields, the special row, binding to another
// data set's fields or lookup field, its errors, keys and wheel, and the drop-down form's pointer
// and release behaviour.
#include "DBGridGxFixture.h"
#include "grid/DBLookupGridsGx.h"
#include "gui/Input.h"
#include "gui/Bitmap.h"
#include "gui/ControlShot.h"
#include "gui/InputSimulation.h"
#include "gui/PopupWindows.h"
#include "gui/SystemMetrics.h"
#include "grid/ToolCtrlsGxDropDown.h"

#include <functional>

namespace {

class DBLookupGridTest : public DbTest {
protected:
    void SetUp() override {
        DbTest::SetUp();
        Run("create table T_list (F_ID counter, F_code long, F_sub long, F_name text(20))");
        Run("create table T_room (F_ID counter, F_code long, F_sub long, F_note text(20))");
        form.SetBounds(0, 0, 700, 500);
        form.Show();
    }
    void TearDown() override {
        delete Grid;
        Grid = nullptr;
        Bound.reset();
        List.reset();
    }
    // n list records: F_code i, F_sub 10 i, F_name "n<i>".
    void FillList(int n) {
        Cnn->BeginTrans();
        for (int i = 1; i <= n; ++i)
            Run("insert into T_list (F_code, F_sub, F_name) values (" + IntToStr(i) + ", " + IntToStr(10 * i) +
                ", 'n" + IntToStr(i) + "')");
        Cnn->CommitTrans();
    }
    void OpenList(int n) {
        FillList(n);
        List = Query("select F_code, F_sub, F_name from T_list order by F_ID");
        List->Open();
        ListSource.SetDataSet(List.get());
    }
    template <class G = TDBLookupGridGx> G* MakeGrid() {
        auto* g = new G(&form);
        PinFont(g->Font());
        PinFont(g->TitleFont());
        g->SetParent(&form);
        g->SetBounds(0, 0, 300, 200);
        Grid = g;
        return g;
    }
    // A grid over the list with F_code as key and F_name shown.
    TDBLookupGridGx* CodeGrid(int n) {
        OpenList(n);
        TDBLookupGridGx* g = MakeGrid();
        g->SetListSource(&ListSource);
        g->SetKeyField("F_code");
        g->SetListField("F_name");
        return g;
    }
    int ListCode() { return List->FieldByName("F_code")->AsInteger(); }
    String Key() { return VarIsNull(Grid->KeyValue()) ? String("null") : VarToStr(Grid->KeyValue()); }
    // The held rows the grid paints highlighted, as their codes.
    String HighlightedCodes() {
        String out;
        TGridDataLinkGx* link = Grid->DataLink();
        const int saved = link->ActiveRecord();
        for (int i = 0; i < link->RecordCount(); ++i) {
            link->SetActiveRecord(i);
            TFont font;
            TColor back = clWindow;
            if (Grid->GetDataCellColors(1, i + Grid->TitleOffset(), 0, i, &font, back, TGridDrawState(), false)) {
                if (!out.empty()) out += ",";
                out += IntToStr(ListCode());
            }
        }
        link->SetActiveRecord(saved);
        return out;
    }
    int ExpectedHeight(int Rows, bool Titles, bool Lines, bool WithSpecialRow) {
        const int lw = Lines ? Grid->LineWidth() : 0;
        return (Titles ? Grid->RowHeightAt(0) : 0) + Rows * (Grid->DefRowHeight() + lw) + lw + Grid->FrameSize() +
               (WithSpecialRow ? Grid->DefRowHeight() + lw : 0);
    }

    TForm form{nullptr};
    TDBLookupGridGx* Grid = nullptr;
    TDataSource ListSource{nullptr}, BoundSource{nullptr};
    std::unique_ptr<TADOQuery> List, Bound;
};

} // namespace

// ---- sizing by rows ----------------------------------------------------------------------------------

TEST_F(DBLookupGridTest, RowCountIsKeptBetweenOneAndAHundredAndSetsTheHeight) {
    struct Case {
        int Asked, Rows;
        bool Titles, Lines, WithSpecialRow;
    };
    const Case cases[] = {
        {0, 1, false, false, false}, {-3, 1, true, false, false}, {7, 7, true, true, false},
        {7, 7, true, true, true},    {250, 100, false, true, false}, {3, 3, false, false, true},
    };
    CodeGrid(5);
    for (const Case& c : cases) {
        Grid->SetShowTitles(c.Titles);
        Grid->SetLookupOptions(c.Lines ? dlgColLinesGx | dlgRowLinesGx : dlgColLinesGx);
        Grid->SpecRow()->SetVisible(c.WithSpecialRow);
        Grid->SetRowCount(c.Asked);
        SCOPED_TRACE(c.Asked);
        EXPECT_EQ(Grid->RowCount(), c.Rows);
        EXPECT_EQ(Grid->Height(), ExpectedHeight(c.Rows, c.Titles, c.Lines, c.WithSpecialRow));
        EXPECT_EQ(Grid->DataLink()->BufferCount(), c.Rows);
    }
    // A height between whole rows is cut to the rows it holds.
    Grid->SetHeight(ExpectedHeight(4, false, false, true) + Grid->DefRowHeight() / 2);
    EXPECT_EQ(Grid->RowCount(), 4);
    EXPECT_EQ(Grid->Height(), ExpectedHeight(4, false, false, true));
}

TEST_F(DBLookupGridTest, ThreeListRecordsInThreeRowsAreAllHeld) {
    auto* popup = MakeGrid<TPopupDataGridGx>();
    OpenList(3);
    popup->SetListSource(&ListSource);
    popup->SetKeyField("F_code");
    popup->SetShowTitles(true);
    popup->SetRowCount(3);
    EXPECT_EQ(popup->Height(), ExpectedHeight(3, true, false, false));
    EXPECT_EQ(popup->DataLink()->RecordCount(), 3);
    EXPECT_EQ(popup->RowsCount() - popup->TitleOffset(), 3);
    EXPECT_EQ(popup->DataRect().Bottom, popup->TitlesHeight() + 3 * popup->DataRowHeight());
}

// ---- keys ----------------------------------------------------------------------------------------------

TEST_F(DBLookupGridTest, KeyLocatesAndHighlightsOnlyItsRecord) {
    CodeGrid(5);
    Grid->SetRowCount(5);
    Grid->SetKeyValue(Variant(3));
    EXPECT_EQ(ListCode(), 3);
    EXPECT_EQ(Grid->DisplayText(), "n3");
    EXPECT_TRUE(Grid->KeyRowPositioned());
    EXPECT_EQ(Grid->CurrentCell().Y, Grid->TitleOffset() + 2);
    EXPECT_EQ(HighlightedCodes(), "3");
    // A key outside the list: no row highlighted, the list back at its first record.
    Grid->SetKeyValue(Variant(42));
    EXPECT_EQ(ListCode(), 1);
    EXPECT_EQ(HighlightedCodes(), "");
    EXPECT_FALSE(Grid->KeyRowPositioned());
    Grid->SetKeyValue(Null());
    EXPECT_EQ(HighlightedCodes(), "");
}

TEST_F(DBLookupGridTest, ATwoFieldKeyIsComparedElementByElement) {
    OpenList(4);
    TDBLookupGridGx* g = MakeGrid();
    g->SetListSource(&ListSource);
    g->SetKeyField("F_code;F_sub");
    g->SetListField("F_name;F_code");
    g->SetRowCount(4);
    EXPECT_EQ(g->ListFields().size(), 2u);
    EXPECT_EQ(g->DisplayField()->FieldName(), "F_name");
    struct Case {
        int Code, Sub;
        const char* Highlighted;
        const char* Text;
    };
    const Case cases[] = {{2, 20, "2", "n2"}, {4, 40, "4", "n4"}, {2, 30, "", "n1"}, {3, 20, "", "n1"}};
    for (const Case& c : cases) {
        g->SetKeyValue(VarArrayOf({Variant(c.Code), Variant(c.Sub)}));
        SCOPED_TRACE(c.Highlighted);
        EXPECT_EQ(HighlightedCodes(), c.Highlighted);
        EXPECT_EQ(g->DisplayText(), c.Text);
    }
    // The record of a key is chosen as an array of both fields.
    g->SetKeyValue(VarArrayOf({Variant(1), Variant(10)}));
    Word down = VK_DOWN;
    g->KeyDown(down, TShiftState());
    ASSERT_TRUE(VarIsArray(g->KeyValue()));
    EXPECT_EQ(VarToStr(VarArrayGet(g->KeyValue(), {0})), "2");
    EXPECT_EQ(VarToStr(VarArrayGet(g->KeyValue(), {1})), "20");
}

TEST_F(DBLookupGridTest, KeysStepThroughTheListAndChooseTheRecord) {
    struct Case {
        const char* Name;
        int StartKey;
        Word Key;
        int WantKey;
    };
    const Case cases[] = {
        {"down", 3, VK_DOWN, 4},         {"up", 3, VK_UP, 2},           {"page down", 2, VK_NEXT, 5},
        {"page up", 9, VK_PRIOR, 6},     {"end", 2, VK_END, 12},        {"home", 9, VK_HOME, 1},
        {"right without bar", 3, VK_RIGHT, 4}, {"down on the last", 12, VK_DOWN, 12}, {"up on the first", 1, VK_UP, 1},
    };
    CodeGrid(12);
    Grid->SetRowCount(4);
    int clicks = 0;
    Grid->OnClick = [&](TObject*) { ++clicks; };
    for (const Case& c : cases) {
        Grid->SetKeyValue(Variant(c.StartKey));
        Word key = c.Key;
        Grid->KeyDown(key, TShiftState());
        EXPECT_EQ(Key(), IntToStr(c.WantKey)) << c.Name;
        EXPECT_EQ(HighlightedCodes(), IntToStr(c.WantKey)) << c.Name;
        EXPECT_EQ(key, 0) << c.Name;
    }
    EXPECT_EQ(clicks, 7); // a step that comes to the same key chooses nothing
    // Read-only: the data grid's own key handling, no key chosen.
    Grid->SetReadOnly(true);
    Grid->SetKeyValue(Variant(3));
    Word key = VK_DOWN;
    Grid->KeyDown(key, TShiftState());
    EXPECT_EQ(Key(), "3");
}

// ---- special row ---------------------------------------------------------------------------------------

TEST_F(DBLookupGridTest, SpecialRowWithANullValueIsTheKeyNull) {
    CodeGrid(5);
    TSpecRowGx* special = Grid->SpecRow();
    special->SetCellsText("(none)");
    special->SetVisible(true);
    Grid->SetRowCount(3);
    EXPECT_EQ(Grid->TitleOffset(), Grid->TitleRowCount() + 1);
    EXPECT_TRUE(Grid->SpecRowSelected());
    EXPECT_EQ(Grid->DisplayText(), "(none)");
    EXPECT_EQ(HighlightedCodes(), "");
    // Down from the special row chooses the first record, Up from there the special row again.
    const struct {
        Word Key;
        const char* Want;
        bool Selected;
    } steps[] = {{VK_DOWN, "1", false}, {VK_DOWN, "2", false}, {VK_UP, "1", false},
                 {VK_UP, "null", true}, {VK_UP, "null", true}, {VK_DOWN, "1", false}};
    for (const auto& s : steps) {
        Word key = s.Key;
        Grid->KeyDown(key, TShiftState());
        EXPECT_EQ(Key(), s.Want);
        EXPECT_EQ(Grid->SpecRowSelected(), s.Selected);
    }
    EXPECT_EQ(Grid->DisplayText(), "n1");
    // A key set from outside that is the row's value selects it.
    Grid->SetKeyValue(Null());
    EXPECT_TRUE(Grid->SpecRowSelected());
    EXPECT_EQ(Grid->DisplayText(), "(none)");
}

TEST_F(DBLookupGridTest, ShowIfNotInKeyListLetsTheSpecialRowStandForAnUnknownKey) {
    struct Case {
        bool ShowIfNotInList;
        int Key;
        bool Selected;
        const char* Text;
        int ListAt;
    };
    const Case cases[] = {
        {true, 42, true, "(other)", 1}, {true, 2, false, "n2", 2}, {false, 42, false, "n1", 1}, {false, 3, false, "n3", 3}};
    CodeGrid(4);
    TSpecRowGx* special = Grid->SpecRow();
    special->SetCellsText("(other)");
    special->SetValue(Variant(-1));
    special->SetVisible(true);
    for (const Case& c : cases) {
        Grid->SetKeyValue(Null());
        special->SetShowIfNotInKeyList(c.ShowIfNotInList);
        Grid->SetKeyValue(Variant(c.Key));
        SCOPED_TRACE(c.Key);
        EXPECT_EQ(Grid->SpecRowSelected(), c.Selected);
        EXPECT_EQ(Grid->DisplayText(), c.Text);
        EXPECT_EQ(ListCode(), c.ListAt);
    }
}

TEST_F(DBLookupGridTest, MovingAColumnCarriesItsSpecialRowTextAndTheListFieldOrder) {
    CodeGrid(3);
    Grid->SetListField("F_code;F_name;F_sub");
    Grid->SetListFieldIndex(1);
    Grid->SpecRow()->SetCellsText("a;b;c");
    Grid->SpecRow()->SetVisible(true);
    ASSERT_EQ(Grid->Columns()->Count(), 3);
    auto* name = static_cast<TDBLookupGridColumnGx*>(Grid->Columns()->ColumnAt(1));
    EXPECT_EQ(name->SpecCell()->Text(), "b");
    name->SetIndex(2);
    EXPECT_EQ(Grid->SpecRow()->CellsText(), "a;c;b");
    EXPECT_EQ(Grid->ListField(), "F_code;F_sub;F_name");
    EXPECT_EQ(Grid->ListFieldIndex(), 2);
    EXPECT_EQ(Grid->DisplayField()->FieldName(), "F_name");
    EXPECT_EQ(Grid->Columns()->ColumnAt(2), name);
    EXPECT_EQ(name->SpecCell()->Text(), "b");
    // A text of its own stays with the cell.
    name->SpecCell()->SetText("own");
    name->SetIndex(0);
    EXPECT_EQ(name->SpecCell()->Text(), "own");
    EXPECT_EQ(Grid->ListField(), "F_name;F_code;F_sub");
    EXPECT_EQ(Grid->ListFieldIndex(), 0);
    // The list data set's fields stay where they were.
    EXPECT_EQ(List->Fields()[0]->FieldName(), "F_code");
    EXPECT_EQ(List->Fields()[2]->FieldName(), "F_name");
}

// ---- binding -------------------------------------------------------------------------------------------

TEST_F(DBLookupGridTest, ABoundFieldGivesAndTakesTheKey) {
    CodeGrid(4);
    Run("insert into T_room (F_code, F_note) values (2, 'a')");
    Run("insert into T_room (F_code, F_note) values (4, 'b')");
    Bound = Query("select F_code, F_note from T_room order by F_ID");
    Bound->Open();
    BoundSource.SetDataSet(Bound.get());
    Grid->SetBoundDataSource(&BoundSource);
    Grid->SetBoundDataField("F_code");
    EXPECT_EQ(Key(), "2");
    EXPECT_EQ(Grid->DisplayText(), "n2");
    Bound->Next();
    EXPECT_EQ(Key(), "4");
    Word key = VK_UP;
    Grid->KeyDown(key, TShiftState());
    EXPECT_EQ(Bound->State(), dsEdit);
    EXPECT_EQ(Bound->FieldByName("F_code")->AsInteger(), 3);
    EXPECT_EQ(Key(), "3");
    Bound->Post();
    // A read-only bound field: the keys choose nothing.
    Bound->FieldByName("F_code")->SetReadOnly(true);
    EXPECT_FALSE(Grid->CanModify());
    key = VK_UP;
    Grid->KeyDown(key, TShiftState());
    EXPECT_EQ(Bound->FieldByName("F_code")->AsInteger(), 3);
    Grid->SetBoundDataSource(nullptr);
    EXPECT_EQ(Key(), "null");
}

TEST_F(DBLookupGridTest, ABoundLookupFieldDefinesTheList) {
    OpenList(3);
    Run("insert into T_room (F_code, F_note) values (3, 'a')");
    Bound = Query("select F_code, F_note from T_room order by F_ID");
    std::vector<std::unique_ptr<TField>> fields;
    auto add = [&](std::unique_ptr<TField> f, const char* name) {
        f->SetFieldName(name);
        f->SetDataSet(Bound.get());
        fields.push_back(std::move(f));
        return fields.back().get();
    };
    add(std::make_unique<TIntegerField>(), "F_code");
    add(std::make_unique<TStringField>(), "F_note");
    TField* name = add(std::make_unique<TStringField>(), "F_lname");
    name->SetFieldKind(fkLookup);
    name->SetKeyFields("F_code");
    name->SetLookupDataSet(List.get());
    name->SetLookupKeyFields("F_code");
    name->SetLookupResultField("F_name");
    Bound->Open();
    BoundSource.SetDataSet(Bound.get());
    TDBLookupGridGx* g = MakeGrid();
    g->SetBoundDataSource(&BoundSource);
    g->SetBoundDataField("F_lname");
    EXPECT_TRUE(g->LookupMode());
    EXPECT_EQ(g->ListSource(), g->LookupSource());
    EXPECT_EQ(g->KeyField(), ""); // read empty while a lookup field defines it
    EXPECT_EQ(g->MasterFieldNames(), "F_code");
    EXPECT_EQ(VarToStr(g->KeyValue()), "3");
    EXPECT_EQ(g->DisplayText(), "n3");
    Word key = VK_UP;
    g->KeyDown(key, TShiftState());
    EXPECT_EQ(Bound->FieldByName("F_code")->AsInteger(), 2);
    Bound->Cancel();
    for (auto set : std::vector<std::function<void()>>{[&] { g->SetKeyField("F_sub"); },
                                                       [&] { g->SetListSource(&ListSource); }}) {
        try {
            set();
            ADD_FAILURE() << "no error";
        } catch (const Exception& e) {
            EXPECT_EQ(e.Message(), "Property already defined by lookup field");
        }
    }
    g->SetBoundDataField("F_note");
    EXPECT_FALSE(g->LookupMode());
    EXPECT_EQ(g->ListSource(), nullptr);
    g->SetBoundDataSource(nullptr);
    delete g;
    Grid = nullptr;
    Bound->Close();
}

TEST_F(DBLookupGridTest, AListLinkedToTheBoundSourceIsCircular) {
    Run("insert into T_room (F_code, F_note) values (1, 'a')");
    FillList(2);
    Bound = Query("select F_code, F_note from T_room order by F_ID");
    Bound->Open();
    BoundSource.SetDataSet(Bound.get());
    List = Query("select F_code, F_sub, F_name from T_list where F_code = :F_code");
    List->SetDataSource(&BoundSource);
    List->Open();
    ListSource.SetDataSet(List.get());
    TDBLookupGridGx* g = MakeGrid();
    g->SetListSource(&ListSource);
    g->SetBoundDataSource(&BoundSource);
    try {
        g->SetKeyField("F_code");
        ADD_FAILURE() << "no error";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), "Circular datalinks are not allowed");
    }
    EXPECT_FALSE(g->ListActive());
    g->SetBoundDataSource(nullptr);
}

TEST_F(DBLookupGridTest, MissingFieldsAreNamedInTheError) {
    CodeGrid(2);
    const struct {
        std::function<void()> Set;
        const char* Message;
    } cases[] = {
        {[&] { Grid->SetKeyField("F_nokey"); }, "Field 'F_nokey' not found"},
        {[&] { Grid->SetListField("F_name;F_nolist"); }, "Field 'F_name;F_nolist' not found"},
    };
    for (const auto& c : cases) {
        Grid->SetKeyField("F_code");
        Grid->SetListField("F_name");
        try {
            c.Set();
            ADD_FAILURE() << c.Message;
        } catch (const Exception& e) {
            EXPECT_NE(e.Message().find(c.Message), String::npos) << e.Message();
        }
    }
}

// ---- mouse and wheel -----------------------------------------------------------------------------------

TEST_F(DBLookupGridTest, WheelPagesTheViewAndKeepsTheKey) {
    CodeGrid(12);
    Grid->SetRowCount(4);
    Grid->SetKeyValue(Variant(2));
    // Down: to the record after the last held one; up: to the one before the first.
    EXPECT_TRUE(Grid->DoMouseWheel(TShiftState(), -120, TPoint(10, 10)));
    EXPECT_EQ(ListCode(), 5);
    EXPECT_EQ(Grid->DataLink()->FirstRecord(), 1);
    EXPECT_EQ(Key(), "2");
    EXPECT_TRUE(Grid->DoMouseWheel(TShiftState(), -120, TPoint(10, 10)));
    EXPECT_EQ(ListCode(), 6);
    EXPECT_EQ(HighlightedCodes(), "");
    EXPECT_TRUE(Grid->DoMouseWheel(TShiftState(), 120, TPoint(10, 10)));
    EXPECT_EQ(ListCode(), 2);
    EXPECT_EQ(Grid->DataLink()->FirstRecord(), 1);
    EXPECT_EQ(HighlightedCodes(), "2");
    // Down from a key that is not in view brings it back first.
    Grid->DoMouseWheel(TShiftState(), -120, TPoint(10, 10));
    Grid->DoMouseWheel(TShiftState(), -120, TPoint(10, 10));
    ASSERT_EQ(HighlightedCodes(), "");
    Word key = VK_DOWN;
    Grid->KeyDown(key, TShiftState());
    EXPECT_EQ(Key(), "2");
    EXPECT_EQ(HighlightedCodes(), "2");
}

TEST_F(DBLookupGridTest, ScrollBarFollowsTheHeldRecords) {
    CodeGrid(12);
    Grid->SetRowCount(4);
    TScrollInfo info{};
    info.fMask = SIF_ALL;
    ASSERT_TRUE(Grid->GetScrollInfo(SB_VERT, info));
    EXPECT_EQ(info.nMin, 0);
    EXPECT_EQ(info.nMax, 11);
    EXPECT_EQ(info.nPage, 4u);
    EXPECT_EQ(info.nPos, 0);
    int pos = 6;
    Grid->Scroll(sbVertical, scTrack, pos);
    EXPECT_EQ(Grid->DataLink()->FirstRecord(), 6);
    Grid->GetScrollInfo(SB_VERT, info);
    EXPECT_EQ(info.nPos, 6);
    Grid->Scroll(sbVertical, scLineUp, pos);
    EXPECT_EQ(Grid->DataLink()->FirstRecord(), 5);
    Grid->Scroll(sbVertical, scPageDown, pos);
    EXPECT_EQ(Grid->DataLink()->FirstRecord(), 8);
    Grid->Scroll(sbVertical, scTop, pos);
    EXPECT_EQ(Grid->DataLink()->FirstRecord(), 0);
    EXPECT_EQ(Key(), "null");
}

TEST_F(DBLookupGridTest, DraggingBeyondTheBottomScrollsFasterFartherAway) {
    CodeGrid(12);
    Grid->SetRowCount(4);
    Grid->SetKeyValue(Variant(2));
    const TRect r = Grid->CellScreenRect(0, Grid->TitleOffset() + 1);
    SimulateMouseDown(Grid, mbLeft, r.Left + 5, r.Top + 2);
    EXPECT_TRUE(Grid->Tracking());
    EXPECT_EQ(Key(), "2");
    SimulateMouseMove(Grid, r.Left + 5, Grid->ClientHeight() + 4, TShiftState{ssLeft});
    EXPECT_TRUE(Grid->TrackingTimer()->Enabled());
    EXPECT_EQ(Grid->TrackingTimer()->Interval(), 200u - 15u * 5u);
    const String afterMove = Key();
    Grid->TrackingTimer()->Timer();
    EXPECT_EQ(Key(), IntToStr(StrToInt(afterMove) + 1));
    SimulateMouseMove(Grid, r.Left + 5, r.Top + 2, TShiftState{ssLeft});
    EXPECT_FALSE(Grid->TrackingTimer()->Enabled());
    SimulateMouseUp(Grid, mbLeft, r.Left + 5, r.Top + 2);
    EXPECT_FALSE(Grid->Tracking());
    EXPECT_EQ(Key(), IntToStr(Grid->DataLink()->FirstRecord() + 2));
}

TEST_F(DBLookupGridTest, PopupChoiceFollowsThePointerAndReleasesCloseIt) {
    auto* popup = MakeGrid<TPopupDataGridGx>();
    OpenList(6);
    popup->SetListSource(&ListSource);
    popup->SetKeyField("F_code");
    popup->SetListField("F_name");
    popup->SetShowTitles(true);
    popup->SpecRow()->SetCellsText("(none)");
    popup->SpecRow()->SetVisible(true);
    popup->SetRowCount(4);
    popup->SetKeyValue(Variant(1));
    std::vector<bool> closes;
    popup->CloseUpHook = [&](TObject*, bool Accept) { closes.push_back(Accept); };
    ShowPopupNoActivate(popup, 100, 100);
    popup->SetVisible(true);
    EXPECT_FALSE(popup->Focused());
    auto rowPoint = [&](int Row) {
        const TRect r = popup->CellScreenRect(0, Row);
        return TPoint(r.Left + 5, (r.Top + r.Bottom) / 2);
    };
    const int first = popup->TitleOffset();
    TPoint p = rowPoint(first + 2);
    SimulateMouseMove(popup, p.X, p.Y);
    EXPECT_EQ(Key(), "3");
    p = rowPoint(first - 1); // the special row
    SimulateMouseMove(popup, p.X, p.Y);
    EXPECT_EQ(Key(), "null");
    EXPECT_TRUE(popup->SpecRowSelected());
    // A release over the title leaves it open; over a record it accepts; outside it cancels.
    p = rowPoint(0);
    SimulateMouseDown(popup, mbLeft, p.X, p.Y);
    SimulateMouseUp(popup, mbLeft, p.X, p.Y);
    EXPECT_TRUE(closes.empty());
    p = rowPoint(first + 1);
    SimulateMouseDown(popup, mbLeft, p.X, p.Y);
    SimulateMouseUp(popup, mbLeft, p.X, p.Y);
    ASSERT_EQ(closes.size(), 1u);
    EXPECT_TRUE(closes[0]);
    EXPECT_EQ(Key(), "2");
    SimulateMouseDown(popup, mbLeft, p.X, p.Y);
    SimulateMouseUp(popup, mbLeft, -20, p.Y);
    ASSERT_EQ(closes.size(), 2u);
    EXPECT_FALSE(closes[1]);
    EXPECT_FALSE(popup->Focused());
    // Pressing did not take the focus, and a read-only grid does not follow the pointer.
    popup->SetReadOnly(true);
    p = rowPoint(first + 3);
    SimulateMouseMove(popup, p.X, p.Y);
    EXPECT_NE(Key(), "4");
    HidePopup(popup);
}

TEST_F(DBLookupGridTest, PopupKeepsAMinimumSizeAndMarksEveryResize) {
    auto* popup = MakeGrid<TPopupDataGridGx>();
    popup->SetUserResized(false);
    popup->SetBounds(0, 0, 2, 2);
    EXPECT_EQ(popup->Width(), GetSystemMetrics(SM_CXVSCROLL));
    EXPECT_TRUE(popup->UserResized());
    popup->SetUserResized(false);
    popup->SetBounds(0, 0, popup->Width(), popup->Height());
    EXPECT_FALSE(popup->UserResized());
    // The placement tells on which side the grip belongs.
    popup->SetBounds(0, 0, 200, 150);
    popup->Perform(GripSideMessage, 2, 0);
    EXPECT_EQ(popup->SizeGrip()->GripCorner(), 1);
    popup->Perform(GripSideMessage, 0, 0);
    EXPECT_EQ(popup->SizeGrip()->GripCorner(), 0);
}

TEST_F(DBLookupGridTest, TheDropDownHasARaisedRimAndThePlainGridNone) {
    // A raised outer edge: the light 3D colour at left and top, the dark shadow at right and bottom.
    const TColor light = TColor(ColorToRGB(cl3DLight)), dark = TColor(ColorToRGB(cl3DDkShadow));
    struct Case {
        bool Popup;
        bool Rim;
    } cases[] = {{true, true}, {false, false}};
    for (const Case& c : cases) {
        delete Grid;
        Grid = nullptr;
        TDBLookupGridGx* g = c.Popup ? MakeGrid<TPopupDataGridGx>() : MakeGrid();
        g->SetVisible(true);
        g->SetBounds(0, 0, 200, 150);
        TBitmap shot;
        GrabControl(g, shot);
        const int w = g->Width(), h = g->Height();
        TCanvas* cv = shot.Canvas();
        const bool raised = cv->Pixels(0, h / 2) == light && cv->Pixels(w / 2, 0) == light &&
                            cv->Pixels(w - 1, h / 2) == dark && cv->Pixels(w / 2, h - 1) == dark;
        EXPECT_EQ(raised, c.Rim) << c.Popup;
    }
}

TEST_F(DBLookupGridTest, TheColumnMakesItsLookupGridOnce) {
    TDBGridGx grid(nullptr);
    TColumnGx* column = grid.Columns()->AddColumn();
    TPopupDataGridGx* list = column->LookupGrid();
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->Name(), "DataList");
    EXPECT_EQ(list->Owner(), nullptr);
    EXPECT_TRUE(list->PopupMode());
    EXPECT_EQ(column->LookupGrid(), list);
    EXPECT_TRUE(list->Columns()->Count() == 0 || dynamic_cast<TDBLookupGridColumnGx*>(list->Columns()->ColumnAt(0)));
}

TEST_F(DBLookupGridTest, OptionsSwitchTheDataGridsOptions) {
    TDBLookupGridGx* g = MakeGrid();
    EXPECT_EQ(g->LookupOptions(), dlgColLinesGx);
    EXPECT_EQ(g->Options(), dgColLines | dgRowSelect);
    g->SetLookupOptions(dlgColumnResizeGx | dlgRowLinesGx | dlgAutoSortMarkingGx | dlgMultiSortMarkingGx);
    EXPECT_EQ(g->Options(), dgColumnResize | dgRowLines | dgRowSelect);
    EXPECT_TRUE(g->OptionsGx() & dghAutoSortMarking);
    EXPECT_TRUE(g->OptionsGx() & dghMultiSortMarking);
    EXPECT_TRUE(g->OptionsGx() & dghTraceColSizing);
    g->SetLookupOptions(dlgColLinesGx);
    EXPECT_EQ(g->Options(), dgColLines | dgRowSelect);
    EXPECT_FALSE(g->OptionsGx() & (dghAutoSortMarking | dghMultiSortMarking));
}

TEST_F(DBLookupGridTest, PaintsTheSelectedSpecialRowOrTheKeyRecordHighlighted) {
    CodeGrid(4);
    Grid->SpecRow()->SetCellsText("(none)");
    Grid->SpecRow()->SetVisible(true);
    Grid->SetRowCount(4);
    // A point in each row near its right end, clear of the text and the focus rectangle.
    auto rowColor = [&](TBitmap& Shot, int Row) {
        const TRect r = Grid->CellScreenRect(0, Row);
        return Shot.Canvas()->Pixels(r.Right - 6, (r.Top + r.Bottom) / 2);
    };
    const TColor highlight = ColorToRGB(clHighlight), window = ColorToRGB(Grid->Color());
    struct Case {
        Variant Key;
        int HighlightedRow; // -1: the special row
    };
    const Case cases[] = {{Null(), -1}, {Variant(2), 1}, {Variant(4), 3}};
    for (const Case& c : cases) {
        Grid->SetKeyValue(c.Key);
        TBitmap shot;
        GrabControl(Grid, shot);
        for (int row = -1; row < 4; ++row) {
            SCOPED_TRACE(row);
            EXPECT_EQ(rowColor(shot, Grid->TitleOffset() + row), row == c.HighlightedRow ? highlight : window);
        }
    }
}

TEST_F(DBLookupGridTest, FittedColumnsFillTheWidthAndADraggedBorderResizesTheDropDown) {
    auto* popup = MakeGrid<TPopupDataGridGx>();
    OpenList(3);
    popup->SetListSource(&ListSource);
    popup->SetKeyField("F_code");
    popup->SetListField("F_name;F_code");
    popup->SetLookupOptions(dlgColLinesGx | dlgColumnResizeGx);
    popup->SetShowTitles(true);
    popup->SetRowCount(3);
    popup->SetWidth(240);
    popup->SetAutoFitColWidths(true);
    TColumnGx* first = popup->Columns()->ColumnAt(0);
    TColumnGx* second = popup->Columns()->ColumnAt(1);
    EXPECT_EQ(popup->ScrollBarsShown(), ssNone);
    EXPECT_EQ(first->Width() + second->Width() + 2 * popup->LineWidth(), popup->ClientWidth());
    EXPECT_EQ(popup->ColumnsWidth(), popup->ClientWidth());
    EXPECT_EQ(first->AutoFitBaseWidth, first->Width());
    // Narrower: the columns share the new width.
    popup->SetWidth(200);
    EXPECT_EQ(first->Width() + second->Width() + 2 * popup->LineWidth(), popup->ClientWidth());
    // Dragging the first column's border 30 pixels to the right widens the drop-down by as much.
    ShowPopupNoActivate(popup, 50, 50);
    popup->SetVisible(true);
    const int width = popup->ClientWidth(), firstWidth = first->Width(), secondWidth = second->Width();
    const TRect title = popup->CellScreenRect(0, 0);
    const int y = (title.Top + title.Bottom) / 2;
    SimulateMouseDown(popup, mbLeft, title.Right, y);
    ASSERT_EQ(popup->GridActivity(), gaColSizing);
    SimulateMouseMove(popup, title.Right + 30, y, TShiftState{ssLeft});
    SimulateMouseUp(popup, mbLeft, title.Right + 30, y);
    EXPECT_EQ(first->Width(), firstWidth + 30);
    EXPECT_EQ(second->Width(), secondWidth);
    EXPECT_EQ(popup->ClientWidth(), width + 30);
    EXPECT_EQ(popup->ColumnsWidth(), popup->ClientWidth());
    HidePopup(popup);
}

TEST_F(DBLookupGridTest, SpecialRowCellsFollowTheRowUntilSetThemselves) {
    CodeGrid(2);
    Grid->SetListField("F_code;F_name");
    TSpecRowGx* special = Grid->SpecRow();
    special->SetCellsText("x;y");
    special->SetColor(clYellow);
    special->Font()->SetSize(14);
    auto* cell = static_cast<TDBLookupGridColumnGx*>(Grid->Columns()->ColumnAt(1))->SpecCell();
    EXPECT_EQ(cell->Text(), "y");
    EXPECT_EQ(cell->Color(), clYellow);
    EXPECT_EQ(cell->Font()->Size(), 14);
    EXPECT_FALSE(cell->FontAssigned());
    cell->Font()->SetSize(9);
    cell->SetColor(clRed);
    EXPECT_TRUE(cell->FontAssigned());
    special->SetColor(clLime);
    EXPECT_EQ(cell->Color(), clRed);
    EXPECT_EQ(cell->Font()->Size(), 9);
    // Only what the source set is copied.
    TGridColumnSpecCellGx copy;
    copy.Assign(cell);
    EXPECT_TRUE(copy.ColorAssigned());
    EXPECT_TRUE(copy.FontAssigned());
    EXPECT_FALSE(copy.TextAssigned());
    // The column defaults publish only the ellipsis, the titles and the tool tips.
    String names;
    for (const meta::TPropInfo* p : TDBLookupGridColumnDefValuesGx::StaticClassInfo().Properties())
        names += p->Name + ";";
    EXPECT_EQ(names, "EndEllipsis;Title;ToolTips;");
}
