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

// The lookup list's width: -1 its columns, 0 the editor's, a positive width unless narrower than
// the editor.
TEST_F(InplaceEditTest, LookupListWidthAndRows) {
    Open();
    TColumnGx* column = Col("F_kname");
    column->SetWidth(120);
    TDBGridInplaceEdit* editor = Edit("F_kname");
    ASSERT_EQ(editor->Width(), 120);
    struct Case {
        int DropDownWidth;
        int DropDownRows;
        int ClientWidth; // -1: the editor's width is the list's width
        int Rows;
    };
    const Case cases[] = {
        {-1, 7, 200, 3}, // three records, fewer than seven rows
        {0, 7, -1, 3},
        {50, 2, -1, 2},
        {300, 3, -1, 3},
    };
    for (const Case& c : cases) {
        column->SetDropDownWidth(c.DropDownWidth);
        column->DropDownRows = c.DropDownRows;
        SimulateKey(editor, VK_DOWN, TShiftState{ssAlt});
        ASSERT_TRUE(editor->ListVisible()) << c.DropDownWidth;
        if (c.ClientWidth >= 0)
            EXPECT_EQ(List->ClientWidth(), c.ClientWidth);
        else
            EXPECT_EQ(List->Width(), std::max(120, c.DropDownWidth)) << c.DropDownWidth;
        EXPECT_EQ(List->Rows, c.Rows) << c.DropDownWidth;
        EXPECT_EQ(List->Prepared.ListSource->DataSet(), Kinds.get());
        SimulateKey(editor, VK_ESCAPE);
        EXPECT_FALSE(editor->ListVisible());
    }
    EXPECT_EQ(List->Prepared.KeyFieldNames, "F_kind");
    EXPECT_EQ(List->Prepared.ListSource->DataSet(), nullptr); // let go when the list closed
    EXPECT_EQ(List->Finished, 4);
}

TEST_F(InplaceEditTest, LookupListChoosesTheKeyAndKeepsItsResizedSize) {
    Open();
    TDBGridInplaceEdit* editor = Edit("F_kname");
    SimulateKey(editor, VK_RETURN, TShiftState{ssCtrl});
    ASSERT_TRUE(editor->ListVisible());
    EXPECT_EQ(VarToStr(List->Key), "1"); // the record's key
    // The list steers the text while it moves.
    List->Key = Variant(2);
    List->Display = "Energy";
    SimulateKey(editor, VK_DOWN);
    EXPECT_EQ(editor->Text(), "Energy");
    List->Resized = true;
    List->Rows = 4;
    List->SetWidth(210);
    List->CloseUpHook(true); // a click on a row
    EXPECT_FALSE(editor->ListVisible());
    EXPECT_EQ(Col("F_kname")->DropDownRows, 4);
    EXPECT_EQ(Col("F_kname")->DropDownWidth(), 210);
    EXPECT_EQ(VarToStr(Grid->EditKeyValue()), "2");
    EXPECT_EQ(editor->Text(), "Energy");
    Grid->DataLink()->UpdateRecord();
    Q->Post();
    EXPECT_EQ(Q->FieldByName("F_kind")->AsInteger(), 2);

    // Esc puts the text back.
    SimulateKey(editor, VK_DOWN, TShiftState{ssAlt});
    List->Display = "Water";
    SimulateKey(editor, VK_DOWN);
    SimulateKey(editor, VK_ESCAPE);
    EXPECT_EQ(editor->Text(), "Energy");
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
    TSpecRowGx* spec = Col("F_kname")->DropDownSpecRow();
    spec->SetCellsText("(none)");
    spec->SetValue(Null());
    spec->SetVisible(true);
    TDBGridInplaceEdit* editor = Edit("F_kname");
    SimulateKey(editor, VK_DELETE, TShiftState{ssAlt});
    EXPECT_EQ(editor->Text(), "(none)");
    EXPECT_TRUE(VarIsNull(Grid->EditKeyValue()));
    Grid->DataLink()->UpdateRecord();
    Q->Post();
    EXPECT_TRUE(Q->FieldByName("F_kind")->IsNull());
}

} // namespace
