// The grid's keys, incremental search, title and cell clicks with sort marking, and fitting
// column widths.
#include "DBGridGxFixture.h"
#include "grid/ToolCtrlsGxButtons.h"
#include "gui/Dialogs.h"
#include "gui/ImgList.h"
#include "gui/Input.h"
#include "gui/InputSimulation.h"
#include "gui/Interaction.h"

#include <functional>

namespace {

class DBGridInputTest : public DBGridTest {
protected:
    void OpenColumns(int Rows) {
        Fill(Rows);
        OpenGrid();
        for (const char* name : {"F_int", "F_text", "F_float"})
            Grid->Columns()->AddColumn()->SetFieldName(name);
    }
    int Current() { return Q->FieldByName("F_int")->AsInteger(); }
    void Key(Word K, TShiftState Shift = TShiftState()) { Grid->KeyDown(K, Shift); }
    void Type(char16_t C) { Grid->KeyPress(C); }
    void GoTo(int RecNo) {
        Q->First();
        Q->MoveBy(RecNo - 1);
    }
    TPoint TitlePoint(int RawCol, int Dx = 0) {
        TRect r = Grid->CellScreenRect(RawCol, 0);
        return TPoint((r.Left + r.Right) / 2 + Dx, (r.Top + r.Bottom) / 2);
    }
    TColumnGx* Col(int I) { return Grid->Columns()->ColumnAt(I); }
};

} // namespace

TEST_F(DBGridInputTest, KeyTable) {
    struct Case {
        const char* Name;
        Word Key;
        TShiftState Shift;
        int StartRec, StartCol; // data column
        int WantRec, WantCol;
    };
    const TShiftState none, shift{ssShift}, ctrl{ssCtrl};
    const Case cases[] = {
        {"down", VK_DOWN, none, 3, 1, 4, 1},
        {"up", VK_UP, none, 3, 1, 2, 1},
        {"ctrl+home", VK_HOME, ctrl, 5, 0, 1, 0},
        {"ctrl+end", VK_END, ctrl, 5, 0, 40, 0},
        {"home goes to the first column", VK_HOME, none, 5, 2, 5, 0},
        {"end goes to the last column", VK_END, none, 5, 0, 5, 2},
        {"right", VK_RIGHT, none, 5, 0, 5, 1},
        {"ctrl+left", VK_LEFT, ctrl, 5, 2, 5, 0},
        {"tab", VK_TAB, none, 5, 1, 5, 2},
        {"tab past the last column wraps to the next record", VK_TAB, none, 5, 2, 6, 0},
        {"shift+tab on the first column wraps to the prior record", VK_TAB, shift, 5, 0, 4, 2},
    };
    OpenColumns(40);
    Grid->SetOptions(Grid->Options() & ~dgIndicator);
    for (const Case& c : cases) {
        GoTo(c.StartRec);
        Grid->SetFocusCol(c.StartCol + Grid->IndicatorOffset());
        Key(c.Key, c.Shift);
        EXPECT_EQ(Current(), c.WantRec) << c.Name;
        EXPECT_EQ(Grid->FocusedColumnIndex(), c.WantCol) << c.Name;
    }
}

// Keys whose effect depends on the options and on the selection. Record 0 stands for the last
// record the window shows.
TEST_F(DBGridInputTest, KeysWithOptionsAndSelections) {
    struct Case {
        const char* Name;
        Word Key;
        TShiftState Shift;
        TDBGridOptions Options;     // added to the grid's
        TDBGridGxOptions OptionsGx; // added to the grid's
        bool Marked;                // the start record is marked first
        int StartRec, StartCol;
        int WantRec, WantCol;
        TDBGridGxSelectionType WantKind;
        int WantMarked;
    };
    const TShiftState none, shift{ssShift}, ctrl{ssCtrl}, ctrlShift{ssCtrl, ssShift};
    const Case cases[] = {
        {"ctrl+up goes to the first shown record", VK_UP, ctrl, 0, 0, true, 5, 1, 1, 1, gstNon, 0},
        {"ctrl+pgdn goes to the last shown record", VK_NEXT, ctrl, 0, 0, false, 5, 1, 0, 1, gstNon, 0},
        {"ctrl+shift+down marks down to the last shown record", VK_DOWN, ctrlShift, dgMultiSelect, 0, false,
         5, 1, 0, 1, gstRecordBookmarks, -5},
        {"ctrl+shift+home marks up to the first record", VK_HOME, ctrlShift, dgMultiSelect, 0, false, 3, 0, 1,
         0, gstRecordBookmarks, 3},
        {"home with whole rows goes to the first record", VK_HOME, none, dgRowSelect, 0, false, 5, 0, 1, 0,
         gstNon, 0},
        {"shift+end with whole rows marks down to the last record", VK_END, shift,
         dgRowSelect | dgMultiSelect, 0, false, 38, 0, 40, 0, gstRecordBookmarks, 3},
        {"enter as tab", VK_RETURN, none, 0, dghEnterAsTab, false, 5, 0, 5, 1, gstNon, 0},
        {"shift+enter as shift+tab", VK_RETURN, shift, 0, dghEnterAsTab, false, 5, 0, 4, 2, gstNon, 0},
        {"escape clears the marks", VK_ESCAPE, none, dgMultiSelect, 0, true, 5, 1, 5, 1, gstNon, 0},
        {"shift+right spans a rectangle", VK_RIGHT, shift, dgMultiSelect, 0, false, 5, 0, 5, 1, gstRectangle,
         0},
        {"right clears the marks", VK_RIGHT, none, dgMultiSelect, 0, true, 5, 0, 5, 1, gstNon, 0},
        {"shift+down marks both records", VK_DOWN, shift, dgMultiSelect, 0, false, 5, 1, 6, 1,
         gstRecordBookmarks, 2},
        {"shift+down without multi-select marks nothing", VK_DOWN, shift, 0, 0, false, 5, 1, 6, 1, gstNon, 0},
    };
    OpenColumns(40);
    const TDBGridOptions options = Grid->Options();
    const TDBGridGxOptions optionsGx = Grid->OptionsGx();
    for (const Case& c : cases) {
        Grid->SetOptions(options | c.Options);
        Grid->SetOptionsGx(optionsGx | c.OptionsGx);
        Grid->Selection()->ClearSelection();
        GoTo(c.StartRec);
        if (c.Marked) Grid->SelectedRows()->SetCurrentRowSelected(true);
        if (!(c.Options & dgRowSelect)) Grid->SetFocusCol(c.StartCol + Grid->IndicatorOffset());
        const int lastShown =
            Current() - Grid->DataLink()->ActiveRecord() + Grid->DataLink()->RecordCount() - 1;
        Key(c.Key, c.Shift);
        EXPECT_EQ(Current(), c.WantRec ? c.WantRec : lastShown) << c.Name;
        if (!(c.Options & dgRowSelect)) {
            EXPECT_EQ(Grid->FocusedColumnIndex(), c.WantCol) << c.Name;
        }
        EXPECT_EQ(Grid->Selection()->SelectionType(), c.WantKind) << c.Name;
        const int marked = c.WantMarked >= 0 ? c.WantMarked : lastShown + c.WantMarked + 1;
        EXPECT_EQ(Grid->SelectedRows()->BookmarkCount(), marked) << c.Name;
    }
}

TEST_F(DBGridInputTest, DownOnTheLastRecordAppendsAndUpCancelsIt) {
    OpenColumns(3);
    Q->Last();
    Key(VK_DOWN);
    EXPECT_EQ(Q->State(), dsInsert);
    Key(VK_DOWN); // an untouched new record at the end: nothing moves
    EXPECT_EQ(Q->State(), dsInsert);
    Key(VK_UP);
    EXPECT_EQ(Q->State(), dsBrowse);
    EXPECT_EQ(Q->RecordCount(), 3);
    EXPECT_EQ(Current(), 3);
    // Without the append right the grid stays on the last record.
    Grid->AllowedOperations = alopInsertGx | alopUpdateGx | alopDeleteGx;
    Key(VK_DOWN);
    EXPECT_EQ(Q->State(), dsBrowse);
}

TEST_F(DBGridInputTest, CtrlDeleteAsksAndCancelKeeps) {
    OpenColumns(4);
    Grid->SetOptions(Grid->Options() | dgMultiSelect);
    {
        TScriptedResponder user;
        TInteractionScope scope(user);
        user.Answer(mrCancel).Answer(mrOk);
        Key(VK_DELETE, TShiftState{ssCtrl});
        EXPECT_EQ(Q->RecordCount(), 4);
        Key(VK_DELETE, TShiftState{ssCtrl});
        EXPECT_EQ(Q->RecordCount(), 3);
        ASSERT_EQ(user.Requests().size(), 2u);
        EXPECT_EQ(user.Requests()[0].Text, "Delete record?");
    }
    GoTo(1);
    Grid->SelectedRows()->SetCurrentRowSelected(true);
    GoTo(2);
    Grid->SelectedRows()->SetCurrentRowSelected(true);
    {
        TScriptedResponder user;
        TInteractionScope scope(user);
        user.Answer(mrCancel).Answer(mrOk);
        Key(VK_DELETE, TShiftState{ssCtrl});
        EXPECT_EQ(Grid->SelectedRows()->BookmarkCount(), 2);
        Key(VK_DELETE, TShiftState{ssCtrl});
        EXPECT_EQ(user.Requests()[0].Text, "Delete all selected records?");
    }
    EXPECT_EQ(Q->RecordCount(), 1);
    EXPECT_EQ(Grid->Selection()->SelectionType(), gstNon);
}

TEST_F(DBGridInputTest, CtrlQuoteCopiesThePriorRecordsValue) {
    OpenColumns(3);
    GoTo(2);
    Grid->SetFocusCol(1 + Grid->IndicatorOffset()); // F_text
    Key(VK_OEM_7, TShiftState{ssCtrl});
    EXPECT_EQ(Q->State(), dsEdit);
    EXPECT_EQ(Q->FieldByName("F_text")->AsString(), "t1");
    Q->Cancel();
    GoTo(1); // nothing above the first shown row
    Key(VK_OEM_7, TShiftState{ssCtrl});
    EXPECT_EQ(Q->State(), dsBrowse);
}

TEST_F(DBGridInputTest, ShiftPageDownExtendsTheMarkedRows) {
    OpenColumns(40);
    Grid->SetOptions(Grid->Options() | dgMultiSelect);
    int page = Grid->VisibleRowsCount();
    Key(VK_NEXT, TShiftState{ssShift});
    EXPECT_EQ(Current(), 1 + page);
    EXPECT_EQ(Grid->SelectedRows()->BookmarkCount(), page + 1);
    EXPECT_EQ(Grid->Selection()->SelectionType(), gstRecordBookmarks);
    Key(VK_DOWN); // a plain move clears the marks
    EXPECT_EQ(Grid->SelectedRows()->BookmarkCount(), 0);
}

TEST_F(DBGridInputTest, IncrementalSearchKeepsWhatMatches) {
    OpenColumns(12);
    Run("insert into T_grid (F_int, F_text) values (13, '中文')");
    Q->Requery();
    Grid->SetOptionsGx(Grid->OptionsGx() | dghPreferIncSearch);
    Grid->SetFocusCol(1 + Grid->IndicatorOffset());
    Type(u'T');
    EXPECT_TRUE(Grid->IncSearchActive());
    EXPECT_EQ(Grid->IncSearchText(), "t"); // the found text's spelling
    Type(u'q');                            // nothing begins "tq": the character is dropped
    EXPECT_EQ(Grid->IncSearchText(), "t");
    Type(u'1');
    Type(u'1');
    EXPECT_EQ(Grid->IncSearchText(), "t11");
    EXPECT_EQ(Current(), 11);
    EXPECT_TRUE(Grid->IncSearchTimer()->Enabled());
    EXPECT_EQ(Grid->IncSearchTimer()->Interval(), 1500u);
    Key(VK_BACK);
    EXPECT_EQ(Grid->IncSearchText(), "t1");
    Grid->IncSearchTimer()->Timer(); // the pause ends the search
    EXPECT_FALSE(Grid->IncSearchActive());
    EXPECT_EQ(Grid->IncSearchText(), "");
    // A typed Chinese character arrives whole; Backspace drops it whole.
    Type(u'中');
    Type(u'文');
    EXPECT_EQ(Grid->IncSearchText(), "中文");
    EXPECT_EQ(Current(), 13);
    Key(VK_BACK);
    EXPECT_EQ(Grid->IncSearchText(), "中");
    Key(VK_ESCAPE);
    EXPECT_FALSE(Grid->IncSearchActive());
}

TEST_F(DBGridInputTest, TitleButtonIndexAndTitleClicks) {
    OpenColumns(3);
    for (int i = 0; i < 3; ++i)
        Col(i)->Title()->SetTitleButton(true);
    std::vector<int> indexes;
    std::vector<TColumnGx*> clicked;
    Grid->OnTitleBtnClick = [&](TObject*, int ACol, TColumnGx*) { indexes.push_back(ACol); };
    Grid->OnTitleClick = [&](TColumnGx* C) { clicked.push_back(C); };
    TPoint p = TitlePoint(1);
    SimulateClick(Grid, p.X, p.Y);
    EXPECT_EQ(indexes, std::vector<int>{0});
    EXPECT_EQ(clicked, std::vector<TColumnGx*>{Col(0)});
    // A right click on a title with column resizing counts as a left one.
    p = TitlePoint(2);
    SimulateClick(Grid, p.X, p.Y, mbRight);
    EXPECT_EQ(indexes, (std::vector<int>{0, 1}));
    EXPECT_EQ(clicked.back(), Col(1));
    // Without column resizing a right click stays a right click: no title click at all.
    Grid->SetOptions(Grid->Options() & ~dgColumnResize);
    SimulateClick(Grid, p.X, p.Y, mbRight);
    EXPECT_EQ(indexes, (std::vector<int>{0, 1}));
    EXPECT_EQ(clicked.size(), 2u);
}

TEST_F(DBGridInputTest, AutoSortMarkingClicks) {
    OpenColumns(3);
    Col(0)->Title()->SetTitleButton(true);
    Grid->SetOptionsGx(Grid->OptionsGx() | dghAutoSortMarking);
    int changed = 0;
    Grid->OnSortMarkingChanged = [&](TObject*) { ++changed; };
    TPoint p = TitlePoint(1);
    std::vector<TSortMarkerGx> plain;
    for (int i = 0; i < 3; ++i) {
        SimulateClick(Grid, p.X, p.Y);
        plain.push_back(Col(0)->Title()->SortMarker());
    }
    EXPECT_EQ(plain, (std::vector<TSortMarkerGx>{smDownGx, smUpGx, smDownGx}));
    EXPECT_EQ(changed, 3);
    Col(0)->Title()->SetSortMarker(smNoneGx);
    changed = 0;
    std::vector<TSortMarkerGx> withCtrl;
    for (int i = 0; i < 3; ++i) {
        SimulateClick(Grid, p.X, p.Y, mbLeft, TShiftState{ssCtrl});
        withCtrl.push_back(Col(0)->Title()->SortMarker());
    }
    EXPECT_EQ(withCtrl, (std::vector<TSortMarkerGx>{smDownGx, smUpGx, smNoneGx}));
    EXPECT_EQ(changed, 0);
    EXPECT_TRUE(Grid->CtrlSortPending());
    Word ctrlKey = VK_CONTROL;
    Grid->KeyUp(ctrlKey, TShiftState());
    EXPECT_EQ(changed, 1);
    EXPECT_FALSE(Grid->CtrlSortPending());
}

TEST_F(DBGridInputTest, TitleDragBeyondThreeStartsAColumnMove) {
    OpenColumns(3);
    Col(0)->Title()->SetTitleButton(true);
    int clicks = 0;
    Grid->OnTitleBtnClick = [&](TObject*, int, TColumnGx*) { ++clicks; };
    struct Case {
        int Dx;
        int WantClicks;
        TGridActivity WantWhileDragging;
    };
    for (const Case& c : {Case{3, 1, gaNormal}, Case{4, 0, gaColMoving}}) {
        clicks = 0;
        TPoint p = TitlePoint(1);
        SimulateMouseDown(Grid, mbLeft, p.X, p.Y);
        SimulateMouseMove(Grid, p.X + c.Dx, p.Y, TShiftState{ssLeft});
        EXPECT_EQ(Grid->GridActivity(), c.WantWhileDragging) << "moved " << c.Dx;
        SimulateMouseUp(Grid, mbLeft, p.X + c.Dx, p.Y);
        EXPECT_EQ(clicks, c.WantClicks) << "moved " << c.Dx;
        EXPECT_EQ(Grid->GridActivity(), gaNormal);
    }
}

TEST_F(DBGridInputTest, ClickingARecordMovesTheDataSet) {
    OpenColumns(10);
    int cellClicks = 0;
    Grid->OnCellClick = [&](TColumnGx*) { ++cellClicks; };
    TRect r = Grid->CellScreenRect(2 + Grid->IndicatorOffset() - 1, Grid->TitleOffset() + 4);
    SimulateClick(Grid, r.Left + 3, r.Top + 3);
    EXPECT_EQ(Current(), 5);
    EXPECT_EQ(Grid->FocusedColumnIndex(), 1);
    EXPECT_EQ(cellClicks, 1);
}

TEST_F(DBGridInputTest, OptimizedWidthFitsTheLongestText) {
    OpenColumns(3);
    GoTo(2);
    Q->Edit();
    Q->FieldByName("F_text")->SetAsString("a longer cell text");
    Q->Post();
    Grid->OptimizeColumnWidth(Col(1));
    int want = 4 + Grid->MeasureTextWidth(Col(1)->Font(), "a longer cell text");
    EXPECT_EQ(Col(1)->Width(), want);
    EXPECT_EQ(Current(), 2);
}

TEST_F(DBGridInputTest, FailingCellHandlerLeavesControlsAndPositionAsTheyWere) {
    OpenColumns(5);
    TField* text = Q->FieldByName("F_text");
    struct Case {
        const char* Name;
        std::function<void(bool)> Raise; // sets or clears a handler that raises over record 4
    };
    const Case cases[] = {
        {"cell parameters",
         [&](bool on) {
             Col(1)->OnGetCellParams = nullptr;
             if (on)
                 Col(1)->OnGetCellParams = [&](TObject*, bool, TColCellParamsGx* P) {
                     if (P->Text == "t4") throw Exception("bad cell");
                 };
         }},
        {"field text",
         [&](bool on) {
             text->OnGetText = nullptr;
             if (on)
                 text->OnGetText = [](TField* Sender, String& Text, bool) {
                     Text = Sender->AsString();
                     if (Text == "t4") throw Exception("bad text");
                 };
         }},
    };
    for (const Case& c : cases) {
        GoTo(3);
        c.Raise(true);
        int before = Col(1)->Width();
        EXPECT_THROW(Grid->OptimizeColumnWidth(Col(1)), Exception) << c.Name;
        c.Raise(false);
        EXPECT_FALSE(Q->ControlsDisabled()) << c.Name;
        EXPECT_EQ(Current(), 3) << c.Name;
        EXPECT_EQ(Col(1)->Width(), before) << c.Name;
    }
}

TEST_F(DBGridInputTest, DoubleClickOnAColumnEdgeFitsIt) {
    OpenColumns(3);
    Grid->SetOptionsGx(Grid->OptionsGx() | dghDblClickOptimizeColWidth);
    Col(1)->SetWidth(200);
    TRect r = Grid->CellScreenRect(2, 0);
    SimulateDblClick(Grid, r.Right, (r.Top + r.Bottom) / 2);
    EXPECT_LT(Col(1)->Width(), 200);
}

// A press and a release on the same check-box cell step its value; a release elsewhere, a column
// that steps on double clicks, a read-only column or a grid without editing leave it.
TEST_F(DBGridInputTest, CheckBoxClicksStepTheValue) {
    struct Case {
        const char* Name;
        int Row;        // data row pressed: record Row + 1
        int ReleaseRow; // data row released over
        std::function<void()> Set;
        int WantValue; // F_int of the pressed record afterwards
    };
    const Case cases[] = {
        {"a click on the current record", 0, 0, [] {}, 0},
        {"a click on another record", 2, 2, [] {}, 1},
        {"released over another row", 0, 1, [] {}, 1},
        {"a column stepping on double clicks", 0, 0, [&] { Col(0)->SetDblClickNextVal(true); }, 1},
        {"a read-only column", 0, 0, [&] { Col(0)->SetReadOnly(true); }, 1},
        {"a grid without editing", 0, 0, [&] { Grid->SetOptions(Grid->Options() & ~dgEditing); }, 1},
    };
    OpenColumns(4);
    Col(0)->SetCheckboxes(true);
    ASSERT_EQ(Col(0)->GetCellKind(), 5);
    for (const Case& c : cases) {
        GoTo(1);
        Grid->SetOptions(Grid->Options() | dgEditing);
        Col(0)->SetDblClickNextVal(false);
        Col(0)->SetReadOnly(false);
        c.Set();
        const TRect press = Grid->CellScreenRect(Grid->IndicatorOffset(), Grid->TitleOffset() + c.Row);
        const TRect release =
            Grid->CellScreenRect(Grid->IndicatorOffset(), Grid->TitleOffset() + c.ReleaseRow);
        SimulateMouseDown(Grid, mbLeft, press.Left + 3, press.Top + 3);
        SimulateMouseUp(Grid, mbLeft, release.Left + 3, release.Top + 3);
        if (Q->State() != dsBrowse) Q->Post();
        const String text = "t" + IntToStr(c.Row + 1);
        EXPECT_EQ(Q->FieldByName("F_text")->AsString(), text) << c.Name;
        EXPECT_EQ(Current(), c.WantValue) << c.Name;
        // The next case starts from the original value.
        Q->Edit();
        Q->FieldByName("F_int")->SetAsInteger(c.Row + 1);
        Q->Post();
    }
}

// A fitted width makes room for what the cells, titles and footers show besides the text.
TEST_F(DBGridInputTest, OptimizedWidthMakesRoomForMarkersButtonsCheckBoxesAndFooters) {
    OpenColumns(3);
    Grid->SetFooterRowCount(1);
    TFont big;
    big.Assign(*Col(1)->Font());
    big.SetHeight(-24);
    auto textWidth = [&](TFont* font, const String& text) { return Grid->MeasureTextWidth(font, text); };
    struct Case {
        const char* Name;
        std::function<void()> Set;
        std::function<int()> Want;
    };
    const Case cases[] = {
        {"the longest cell text", [] {}, [&] { return 4 + textWidth(Col(1)->Font(), "t3"); }},
        {"a sort marker beside the caption",
         [&] {
             Col(1)->Title()->SetCaption("Name");
             Col(1)->Title()->SetSortMarker(smDownGx);
         },
         [&] { return 18 + textWidth(Col(1)->Title()->Font(), "Name"); }},
        {"edit buttons shown in every row",
         [&] {
             Col(1)->SetButtonStyle(cbsEllipsis);
             Col(1)->SetAlwaysShowEditButton(true);
         },
         [&] { return 4 + Col(1)->EditButtonsWidth() + textWidth(Col(1)->Font(), "t3"); }},
        {"check boxes", [&] { Col(1)->SetCheckboxes(true); }, [&] { return 4 + CheckBoxWidth(); }},
        {"a footer text",
         [&] {
             Col(1)->Footer()->SetValueType(fvtStaticText);
             Col(1)->Footer()->SetValue("the footer's long text");
         },
         [&] { return 5 + textWidth(Col(1)->Footer()->Font(), "the footer's long text"); }},
        {"the grid's cell font",
         [&] {
             Grid->OnGetCellParams = [&](TObject*, TColumnGx*, TFont* AFont, TColor&, TGridDrawState) {
                 AFont->Assign(big);
             };
         },
         [&] { return 4 + textWidth(&big, "t3"); }},
    };
    for (const Case& c : cases) {
        Col(1)->Title()->SetCaption("x");
        Col(1)->Title()->SetSortMarker(smNoneGx);
        Col(1)->SetButtonStyle(cbsAuto);
        Col(1)->SetAlwaysShowEditButton(false);
        Col(1)->SetCheckboxes(false);
        Col(1)->Footer()->SetValueType(fvtNon);
        Grid->OnGetCellParams = nullptr;
        c.Set();
        Grid->OptimizeColumnWidth(Col(1));
        EXPECT_EQ(Col(1)->Width(), c.Want()) << c.Name;
    }
}

// Fitting walks every record but leaves the current record on the row of the window it was on.
TEST_F(DBGridInputTest, OptimizingKeepsTheRecordAndItsRowInTheWindow) {
    OpenColumns(60);
    GoTo(30);
    Q->MoveBy(-5); // the record in the middle of the window
    const int row = Grid->DataLink()->ActiveRecord();
    ASSERT_GT(row, 0);
    ASSERT_LT(row, Grid->DataLink()->RecordCount() - 1);
    Grid->OptimizeColumnWidth(Col(1));
    EXPECT_EQ(Current(), 25);
    EXPECT_EQ(Grid->DataLink()->ActiveRecord(), row);
}

// Space and clicks step an image or check-box cell by one entry whatever its Increment; an
// OnKeyPress handler that takes the Space leaves the value.
TEST_F(DBGridInputTest, SpaceAndClicksStepListCellsByOneEntry) {
    OpenColumns(2);
    TImageList images(16, 16, &form);
    TColumnGx* column = Col(0);
    column->Increment = 2;
    column->KeyList()->SetText("1\n2\n3");
    enum TAction { Click, Space, SpaceTaken };
    struct Case {
        const char* Name;
        bool Images; // kind 4 (images) or 5 (check boxes)
        TAction Action;
        int WantValue;
    };
    const Case cases[] = {
        {"a click on an image cell", true, Click, 2},
        {"space on an image cell", true, Space, 2},
        {"space taken by OnKeyPress", true, SpaceTaken, 1},
        {"space on a check box", false, Space, 2}, // checked (entry 0) becomes unchecked (entry 1)
    };
    for (const Case& c : cases) {
        GoTo(1);
        Q->Edit();
        Q->FieldByName("F_int")->SetAsInteger(1);
        Q->Post();
        column->SetImageList(c.Images ? &images : nullptr);
        column->SetCheckboxes(!c.Images);
        ASSERT_EQ(column->GetCellKind(), c.Images ? 4 : 5) << c.Name;
        Grid->SetFocusCol(Grid->IndicatorOffset());
        Grid->OnKeyPress = nullptr;
        if (c.Action == SpaceTaken) Grid->OnKeyPress = [](TObject*, char16_t& K) { K = 0; };
        if (c.Action == Click) {
            const TRect r = Grid->CellScreenRect(Grid->IndicatorOffset(), Grid->TitleOffset());
            SimulateClick(Grid, r.Left + 3, r.Top + 3);
        } else {
            Type(u' ');
        }
        if (Q->State() != dsBrowse) Q->Post();
        EXPECT_EQ(Current(), c.WantValue) << c.Name;
    }
    column->SetImageList(nullptr);
}
