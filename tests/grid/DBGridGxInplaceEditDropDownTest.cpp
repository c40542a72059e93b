// The in-place editor's drop-downs: the pick list, the month calendar, the calculator and the
// lookup list open under the editor and are steered by the keys while the editor keeps the focus;
// Enter accepts, Esc cancels, Alt+Down toggles, and the list's size follows the column.
#include "InplaceEditFixture.h"

#include "grid/CalculatorGx.h"
#include "grid/ToolCtrlsGxListBox.h"
#include "gui/PopupWindows.h"
#include "rtl/DateUtils.h"

namespace {

TEST_F(InplaceEditTest, PickListOpensClosesAndAcceptsWithTheKeys) {
    Open();
    Col("F_text")->PickList()->SetText("one\ntwo");
    TDBGridInplaceEdit* editor = Edit("F_text");
    ASSERT_EQ(editor->EditStyle(), iesPickList);
    SimulateKey(editor, VK_DOWN, TShiftState{ssAlt});
    ASSERT_TRUE(editor->ListVisible());
    TPopupListboxGx* list = editor->PickListBox();
    EXPECT_TRUE(PopupShowing(list));
    EXPECT_TRUE(editor->Focused()); // the list does not take the focus
    // 2 items in 7 rows: two rows high inside the list's frame.
    EXPECT_EQ(list->VisibleRows(), 2);
    EXPECT_EQ(list->Height(), 2 * list->ItemHeight() + list->NonClientHeight());
    EXPECT_EQ(list->Width(), editor->Width());
    const TPoint under = editor->ClientToScreen(TPoint(0, editor->Height()));
    EXPECT_EQ(list->Top(), under.Y);
    EXPECT_TRUE(editor->ButtonControl(0)->Down());

    // Down moves the list's row and the text follows; Esc puts the text back.
    SimulateKey(editor, VK_DOWN);
    EXPECT_EQ(editor->Text(), "one");
    SimulateKey(editor, VK_ESCAPE);
    EXPECT_FALSE(editor->ListVisible());
    EXPECT_FALSE(PopupShowing(list));
    EXPECT_EQ(editor->Text(), "alpha");
    EXPECT_FALSE(editor->ButtonControl(0)->Down());

    // Alt+Down toggles; Enter accepts the row.
    SimulateKey(editor, VK_DOWN, TShiftState{ssAlt});
    SimulateKey(editor, VK_DOWN, TShiftState{ssAlt});
    EXPECT_FALSE(editor->ListVisible());
    SimulateKey(editor, VK_DOWN, TShiftState{ssAlt});
    SimulateKey(editor, VK_DOWN);
    SimulateKey(editor, VK_DOWN);
    SimulateKey(editor, VK_RETURN);
    EXPECT_FALSE(editor->ListVisible());
    EXPECT_EQ(editor->Text(), "two");
    Grid->DataLink()->UpdateRecord();
    Q->Post();
    EXPECT_EQ(Q->FieldByName("F_text")->AsString(), "two");
}

// A typed character whose code equals a navigation key's ("(" is Down's, "&" is Up's) goes into
// the text; it does not move the open list.
TEST_F(InplaceEditTest, CharactersTypedWithTheListOpenGoIntoTheText) {
    Open();
    Col("F_text")->PickList()->SetText("one\ntwo");
    TDBGridInplaceEdit* editor = Edit("F_text");
    SimulateKey(editor, VK_DOWN, TShiftState{ssAlt});
    ASSERT_TRUE(editor->ListVisible());
    editor->SelectAll();
    SimulateTyping(editor, "(&");
    EXPECT_EQ(editor->Text(), "(&");
    EXPECT_EQ(editor->PickListBox()->ItemIndex(), -1);
    Q->Cancel();
}

TEST_F(InplaceEditTest, TheMainButtonOpensTheListAndASecondClickDropsIt) {
    Open();
    TColumnGx* keyed = Col("F_int");
    keyed->KeyList()->SetText("1\n2");
    keyed->PickList()->SetText("alpha\nbeta\ngamma");
    TDBGridInplaceEdit* editor = Edit("F_int");
    TEditButtonControlGx* button = editor->ButtonControl(0);
    SimulateClick(button, button->Width() / 2, button->Height() / 2);
    ASSERT_TRUE(editor->ListVisible());
    EXPECT_EQ(editor->PickListBox()->Count(), 2); // as many entries as both lists have
    EXPECT_EQ(editor->PickListBox()->ItemIndex(), 0);
    SimulateKey(editor, VK_DOWN);
    SimulateClick(button, button->Width() / 2, button->Height() / 2);
    EXPECT_FALSE(editor->ListVisible());
    EXPECT_EQ(editor->Text(), "alpha"); // closed without accepting
}

TEST_F(InplaceEditTest, CalendarOpensOnTheCellsDateAndWritesTheChosenOne) {
    Open();
    TDBGridInplaceEdit* editor = Edit("F_date");
    ASSERT_EQ(editor->EditStyle(), iesDateCalendar);
    SimulateKey(editor, VK_DOWN, TShiftState{ssAlt});
    ASSERT_TRUE(editor->ListVisible());
    TPopupMonthCalendarGx* calendar = editor->Calendar();
    EXPECT_EQ(calendar->Date(), EncodeDate(2024, 3, 15));
    SimulateKey(editor, VK_RIGHT);
    EXPECT_EQ(calendar->Date(), EncodeDate(2024, 3, 16));
    SimulateKey(editor, VK_RETURN);
    EXPECT_FALSE(editor->ListVisible());
    // The calendar writes the field at once.
    EXPECT_EQ(Q->FieldByName("F_date")->AsDateTime(), EncodeDate(2024, 3, 16));
    Q->Cancel();
}

TEST_F(InplaceEditTest, CalculatorTakesTheKeysWhileOpen) {
    Open();
    Col("F_float")->SetButtonStyle(cbsDropDown);
    TDBGridInplaceEdit* editor = Edit("F_float");
    SimulateKey(editor, VK_DOWN, TShiftState{ssAlt});
    ASSERT_TRUE(editor->ListVisible());
    TPopupCalculatorGx* calculator = editor->Calculator();
    EXPECT_EQ(calculator->DisplayValue(), 1.5);
    SimulateTyping(editor, "4*2=");
    EXPECT_EQ(calculator->DisplayValue(), 8);
    EXPECT_EQ(editor->Text(), "1.5"); // the digits went to the calculator
    SimulateKey(editor, VK_RETURN);
    EXPECT_FALSE(editor->ListVisible());
    EXPECT_EQ(editor->Text(), "8");
    EXPECT_EQ(Grid->EditText(), "8");
    Q->Cancel();
}

TEST_F(InplaceEditTest, CalculatorShowsItsWholeKeypadUnderANarrowOrWideColumn) {
    Open();
    TColumnGx* column = Col("F_float");
    column->SetButtonStyle(cbsDropDown);
    for (int width : {60, 300}) {
        column->SetWidth(width);
        TDBGridInplaceEdit* editor = Edit("F_float");
        SimulateKey(editor, VK_DOWN, TShiftState{ssAlt});
        ASSERT_TRUE(editor->ListVisible());
        TPopupCalculatorGx* calculator = editor->Calculator();
        EXPECT_GE(calculator->Width(), editor->Width()) << width;
        for (const char* name : {"spEqual", "SpeedButton23"}) {
            TSpeedButtonGx* key = calculator->Key(name);
            ASSERT_NE(key, nullptr) << name;
            EXPECT_LE(key->Left() + key->Width(), calculator->ClientWidth()) << width << " " << name;
        }
        SimulateKey(editor, VK_ESCAPE);
        EXPECT_FALSE(editor->ListVisible());
    }
    Q->Cancel();
}

// The column's lookup list grid opens under the editor over the lookup data set, as many rows high
// as a short list has records, and as wide as the column asks: -1 its columns, 0 the editor's, a
// positive width unless narrower than the editor.
TEST_F(InplaceEditTest, LookupListWidthAndRows) {
    Open();
    TColumnGx* column = Col("F_kname");
    column->SetWidth(120);
    column->SetLookupDisplayFields("F_kname;F_kind");
    column->DropDownBox()->SetAutoFitColWidths(false); // the list's own column widths show
    TDBGridInplaceEdit* editor = Edit("F_kname");
    ASSERT_EQ(editor->Width(), 120);
    TPopupDataGridGx* list = LookupList();
    struct Case {
        int DropDownWidth;
        int DropDownRows;
        int Width; // -1: the columns' width is the list's client width
        int Rows;
    };
    const Case cases[] = {
        {-1, 7, -1, 3}, // three records, fewer than seven rows
        {0, 7, 120, 3},
        {50, 2, 120, 2},
        {300, 3, 300, 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.DropDownWidth);
        column->SetDropDownWidth(c.DropDownWidth);
        column->DropDownRows = c.DropDownRows;
        SimulateKey(editor, VK_DOWN, TShiftState{ssAlt});
        ASSERT_TRUE(editor->ListVisible());
        EXPECT_TRUE(PopupShowing(list));
        EXPECT_TRUE(list->Visible());
        EXPECT_FALSE(list->UserResized());
        if (c.Width < 0) {
            EXPECT_EQ(list->ClientWidth(), list->ColumnsWidth());
            EXPECT_GT(list->Width(), 120);
        } else {
            EXPECT_EQ(list->Width(), c.Width);
        }
        EXPECT_EQ(list->RowCount(), c.Rows);
        EXPECT_EQ(list->DataLink()->RecordCount(), c.Rows);
        EXPECT_EQ(list->Height(), list->TitlesHeight() + c.Rows * list->DataRowHeight() + list->FrameSize());
        EXPECT_EQ(list->ListSource()->DataSet(), Kinds.get());
        EXPECT_EQ(list->KeyField(), "F_kind");
        EXPECT_EQ(list->ListField(), "F_kname;F_kind");
        EXPECT_EQ(list->DisplayField()->FieldName(), "F_kname");
        EXPECT_EQ(list->Top(), editor->ClientToScreen(TPoint(0, editor->Height())).Y);
        EXPECT_TRUE(editor->Focused()); // the list does not take the focus
        SimulateKey(editor, VK_ESCAPE);
        EXPECT_FALSE(editor->ListVisible());
        EXPECT_FALSE(PopupShowing(list));
        // Closed, the list lets go of the data set and stops fitting its columns.
        EXPECT_EQ(list->ListSource(), nullptr);
        EXPECT_FALSE(list->AutoFitColWidths());
    }
}

TEST_F(InplaceEditTest, LookupListChoosesTheKeyAndKeepsItsResizedSize) {
    Open();
    Col("F_kname")->SetDropDownShowTitles(true);
    TDBGridInplaceEdit* editor = Edit("F_kname");
    TPopupDataGridGx* list = LookupList();
    SimulateKey(editor, VK_RETURN, TShiftState{ssCtrl});
    ASSERT_TRUE(editor->ListVisible());
    EXPECT_EQ(VarToStr(list->KeyValue()), "1"); // the record's key
    // The list steers the text while it moves.
    SimulateKey(editor, VK_DOWN);
    EXPECT_EQ(VarToStr(list->KeyValue()), "2");
    EXPECT_EQ(editor->Text(), "Energy");
    // The user makes it 2 rows high and 210 wide, then clicks the chosen record's row.
    list->SetRowCount(2);
    list->SetWidth(210);
    EXPECT_TRUE(list->UserResized());
    ASSERT_GE(list->HeldKeyRecord(), 0);
    const TRect row = list->CellScreenRect(0, list->TitleOffset() + list->HeldKeyRecord());
    SimulateMouseDown(list, mbLeft, row.Left + 5, row.Top + 3);
    SimulateMouseUp(list, mbLeft, row.Left + 5, row.Top + 3);
    EXPECT_FALSE(editor->ListVisible());
    EXPECT_EQ(Col("F_kname")->DropDownRows, 2);
    EXPECT_EQ(Col("F_kname")->DropDownWidth(), 210);
    EXPECT_EQ(VarToStr(Grid->EditKeyValue()), "2");
    EXPECT_EQ(editor->Text(), "Energy");
    Grid->DataLink()->UpdateRecord();
    Q->Post();
    EXPECT_EQ(Q->FieldByName("F_kind")->AsInteger(), 2);

    // Esc puts the text back; the list opens as the column now says.
    SimulateKey(editor, VK_DOWN, TShiftState{ssAlt});
    EXPECT_EQ(list->RowCount(), 2);
    EXPECT_EQ(list->Width(), 210);
    SimulateKey(editor, VK_DOWN);
    EXPECT_EQ(editor->Text(), "Water");
    SimulateKey(editor, VK_ESCAPE);
    EXPECT_EQ(editor->Text(), "Energy");
}

// The pointer moving over the open list chooses the record under it without closing it; a release
// over the titles leaves it open, a release over a record accepts that record.
TEST_F(InplaceEditTest, ThePointerChoosesInTheOpenLookupList) {
    Open();
    Col("F_kname")->SetDropDownShowTitles(true);
    TDBGridInplaceEdit* editor = Edit("F_kname");
    TPopupDataGridGx* list = LookupList();
    SimulateKey(editor, VK_DOWN, TShiftState{ssAlt});
    ASSERT_TRUE(editor->ListVisible());
    auto rowPoint = [&](int Row) {
        const TRect r = list->CellScreenRect(0, Row);
        return TPoint(r.Left + 5, (r.Top + r.Bottom) / 2);
    };
    const int first = list->TitleOffset();
    TPoint p = rowPoint(first + 2);
    SimulateMouseMove(list, p.X, p.Y);
    EXPECT_EQ(VarToStr(list->KeyValue()), "3");
    EXPECT_TRUE(editor->ListVisible());
    p = rowPoint(0);
    SimulateMouseMove(list, p.X, p.Y);
    SimulateMouseDown(list, mbLeft, p.X, p.Y);
    SimulateMouseUp(list, mbLeft, p.X, p.Y);
    EXPECT_TRUE(editor->ListVisible());
    EXPECT_EQ(VarToStr(list->KeyValue()), "3");
    p = rowPoint(first + 1);
    SimulateMouseMove(list, p.X, p.Y);
    SimulateMouseDown(list, mbLeft, p.X, p.Y);
    SimulateMouseUp(list, mbLeft, p.X, p.Y);
    EXPECT_FALSE(editor->ListVisible());
    EXPECT_EQ(editor->Text(), "Energy");
    EXPECT_EQ(VarToStr(Grid->EditKeyValue()), "2");
    EXPECT_TRUE(editor->Focused());
    // A release outside it closes it without choosing.
    SimulateKey(editor, VK_DOWN, TShiftState{ssAlt});
    p = rowPoint(first + 2);
    SimulateMouseMove(list, p.X, p.Y);
    SimulateMouseDown(list, mbLeft, p.X, p.Y);
    SimulateMouseUp(list, mbLeft, -20, p.Y);
    EXPECT_FALSE(editor->ListVisible());
    EXPECT_EQ(editor->Text(), "Energy");
    Q->Cancel();
}

// With a special row standing for Null: Up from the first record chooses it and shows its text,
// Down from it chooses the first record.
TEST_F(InplaceEditTest, UpAndDownReachTheSpecialRowOfTheLookupList) {
    Open();
    ShowNoneRow();
    TDBGridInplaceEdit* editor = Edit("F_kname");
    TPopupDataGridGx* list = LookupList();
    SimulateKey(editor, VK_DOWN, TShiftState{ssAlt});
    ASSERT_TRUE(editor->ListVisible());
    EXPECT_TRUE(list->SpecRow()->Visible());
    EXPECT_FALSE(list->SpecRowSelected());
    struct Step {
        Word Key;
        const char* Text;
        bool SpecialRow;
    };
    const Step steps[] = {{VK_UP, "(none)", true},    {VK_UP, "(none)", true},   {VK_DOWN, "Utility", false},
                          {VK_DOWN, "Energy", false}, {VK_UP, "Utility", false}, {VK_UP, "(none)", true}};
    for (const Step& s : steps) {
        SimulateKey(editor, s.Key);
        EXPECT_EQ(editor->Text(), s.Text);
        EXPECT_EQ(list->SpecRowSelected(), s.SpecialRow) << s.Text;
    }
    SimulateKey(editor, VK_RETURN);
    EXPECT_FALSE(editor->ListVisible());
    EXPECT_TRUE(VarIsNull(Grid->EditKeyValue()));
    Grid->DataLink()->UpdateRecord();
    Q->Post();
    EXPECT_TRUE(Q->FieldByName("F_kind")->IsNull());
}

// A press on the main button dragged on into the lookup list chooses the record it is released
// over.
TEST_F(InplaceEditTest, PressDragReleaseFromTheButtonChoosesInTheLookupList) {
    Open();
    TDBGridInplaceEdit* editor = Edit("F_kname");
    TPopupDataGridGx* list = LookupList();
    TEditButtonControlGx* button = editor->ButtonControl(0);
    SimulateMouseDown(button, mbLeft, 2, 2);
    ASSERT_TRUE(editor->ListVisible());
    const TRect row = list->CellScreenRect(0, list->TitleOffset() + 2);
    const TPoint over = button->ScreenToClient(list->ClientToScreen(TPoint(row.Left + 5, row.Top + 3)));
    SimulateMouseMove(button, over.X, over.Y, TShiftState{ssLeft});
    EXPECT_EQ(VarToStr(list->KeyValue()), "3");
    SimulateMouseUp(button, mbLeft, over.X, over.Y);
    EXPECT_FALSE(editor->ListVisible());
    EXPECT_EQ(editor->Text(), "Water");
    EXPECT_EQ(VarToStr(Grid->EditKeyValue()), "3");
    Q->Cancel();
}

// A column the user moves inside the open list takes its special-row text along, and the column
// keeps the texts in the new order when the list closes.
TEST_F(InplaceEditTest, ColumnsMovedInTheLookupListReorderTheSpecialRowTexts) {
    Open();
    TColumnGx* column = Col("F_kname");
    column->SetLookupDisplayFields("F_kname;F_kind");
    column->SetDropDownShowTitles(true);
    column->DropDownBox()->SetOptions(dlgColLinesGx | dlgColumnResizeGx);
    column->DropDownSpecRow()->SetCellsText("(none);0");
    column->DropDownSpecRow()->SetVisible(true);
    TDBGridInplaceEdit* editor = Edit("F_kname");
    TPopupDataGridGx* list = LookupList();
    SimulateKey(editor, VK_DOWN, TShiftState{ssAlt});
    ASSERT_TRUE(editor->ListVisible());
    ASSERT_EQ(list->Columns()->Count(), 2);
    const TRect from = list->CellScreenRect(0, 0), to = list->CellScreenRect(1, 0);
    const int y = (from.Top + from.Bottom) / 2;
    SimulateMouseDown(list, mbLeft, from.Left + 10, y);
    ASSERT_EQ(list->GridActivity(), gaColMoving);
    const int below = list->CellScreenRect(1, list->TitleOffset()).Top + 3;
    SimulateMouseMove(list, to.Right - 5, below, TShiftState{ssLeft});
    SimulateMouseUp(list, mbLeft, to.Right - 5, below);
    EXPECT_TRUE(editor->ListVisible()); // moving a column does not close the list
    EXPECT_EQ(list->Columns()->ColumnAt(0)->FieldName(), "F_kind");
    EXPECT_EQ(list->SpecRow()->CellsText(), "0;(none)");
    SimulateKey(editor, VK_ESCAPE);
    EXPECT_EQ(column->DropDownSpecRow()->CellsText(), "0;(none)");
}

// The wheel over the grid turns the open lookup list: its view moves, the chosen key and the
// grid's record stay.
TEST_F(InplaceEditTest, TheWheelTurnsTheOpenLookupList) {
    Open();
    Col("F_kname")->DropDownRows = 2;
    TDBGridInplaceEdit* editor = Edit("F_kname");
    TPopupDataGridGx* list = LookupList();
    SimulateKey(editor, VK_DOWN, TShiftState{ssAlt});
    ASSERT_TRUE(editor->ListVisible());
    ASSERT_EQ(list->DataLink()->FirstRecord(), 0);
    SimulateWheel(Grid, -120, 5, 5);
    EXPECT_EQ(list->DataLink()->FirstRecord(), 1);
    EXPECT_EQ(VarToStr(list->KeyValue()), "1");
    EXPECT_EQ(Q->RecNo(), 1);
    EXPECT_TRUE(editor->ListVisible());
    SimulateKey(editor, VK_ESCAPE);
}

} // namespace

namespace {

TEST_F(InplaceEditTest, TypingOpensAnAutoDropDownAndTheWheelTurnsTheOpenList) {
    Open();
    TColumnGx* column = Col("F_text");
    column->PickList()->SetText("one\ntwo\nthree\nfour\nfive\nsix\nseven\neight\nnine");
    column->DropDownRows = 3;
    column->SetAutoDropDown(true);
    TDBGridInplaceEdit* editor = Edit("F_text");
    editor->SelectAll();
    SimulateTyping(editor, "t");
    ASSERT_TRUE(editor->ListVisible());
    EXPECT_EQ(editor->Text(), "two");
    EXPECT_EQ(editor->PickListBox()->ItemIndex(), 1);
    const int top = editor->PickListBox()->TopIndex();
    SimulateWheel(Grid, -120, 5, 5);
    EXPECT_EQ(editor->PickListBox()->TopIndex(), top + 1);
    EXPECT_EQ(Q->RecNo(), 1); // the grid's record stays
    SimulateKey(editor, VK_ESCAPE);
    Q->Cancel();
}

TEST_F(InplaceEditTest, TheSpecialRowsShortCutChoosesItsValue) {
    Open();
    ShowNoneRow();
    TDBGridInplaceEdit* editor = Edit("F_kname");
    SimulateKey(editor, VK_DELETE, TShiftState{ssAlt});
    EXPECT_EQ(editor->Text(), "(none)");
    EXPECT_TRUE(VarIsNull(Grid->EditKeyValue()));
    Grid->DataLink()->UpdateRecord();
    Q->Post();
    EXPECT_TRUE(Q->FieldByName("F_kind")->IsNull());
}

} // namespace
