// The grid's in-place editor: the edit style each column gets, the text area beside the buttons,
// the text limit, typing into pick-list, key-list and lookup cells, Delete on a lookup text, the
// keys it hands to the grid, and the list of remembered texts.
#include "InplaceEditFixture.h"

#include "grid/ToolCtrlsGxMRUListBox.h"
#include "gui/Bitmap.h"
#include "gui/Clipbrd.h"
#include "gui/ControlShot.h"

#include <map>

namespace {

TEST_F(InplaceEditTest, EditStylesByButtonStyleFieldAndReadOnly) {
    Open();
    struct Case {
        const char* Field;
        TColumnButtonStyleGx Button;
        const char* Setting; // "" none, "pick" a pick list, "ro" the column read-only, "keyro" the key field
                             // read-only
        TInplaceEditStyleGx Style;
        bool MainButton;
    };
    const Case cases[] = {
        {"F_text", cbsEllipsis, "", iesEllipsis, true},   {"F_int", cbsUpDown, "", iesUpDown, true},
        {"F_float", cbsDropDown, "", iesDropDown, true},  {"F_text", cbsNone, "pick", iesSimple, false},
        {"F_text", cbsAuto, "", iesSimple, false},        {"F_text", cbsAuto, "pick", iesPickList, true},
        {"F_text", cbsAuto, "pick ro", iesSimple, false}, {"F_date", cbsAuto, "", iesDateCalendar, true},
        {"F_date", cbsAuto, "ro", iesSimple, false},      {"F_kname", cbsAuto, "", iesDataList, true},
        {"F_kname", cbsAuto, "ro", iesSimple, false},     {"F_kname", cbsAuto, "keyro", iesSimple, false},
        {"F_float", cbsAuto, "", iesSimple, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(String(c.Field) + " " + c.Setting);
        TColumnGx* column = Col(c.Field);
        const String setting = c.Setting;
        column->SetButtonStyle(c.Button);
        column->PickList()->Clear();
        if (setting.find("pick") != String::npos) column->PickList()->SetText("one\ntwo");
        column->SetReadOnly(setting.find("ro") == 0 || setting.find(" ro") != String::npos);
        Q->FieldByName("F_kind")->SetReadOnly(setting == "keyro");
        EXPECT_EQ(column->DefaultEditStyle(), c.Style);
        TDBGridInplaceEdit* editor = Edit(c.Field);
        ASSERT_NE(editor, nullptr);
        EXPECT_EQ(editor->EditStyle(), c.Style);
        EXPECT_EQ(editor->ButtonControl(0)->Visible(), c.MainButton);
        EXPECT_EQ(column->EditButtonsWidth() > 0, c.MainButton);
        column->SetReadOnly(false);
        Q->FieldByName("F_kind")->SetReadOnly(false);
    }
    // A column without a field edits plain text.
    TColumnGx* unbound = Grid->Columns()->AddColumn();
    EXPECT_EQ(unbound->DefaultEditStyle(), iesSimple);
}

TEST_F(InplaceEditTest, TextAreaIsInsetByTheFlatLookAndTheButtons) {
    Open();
    struct Case {
        bool Flat;
        TColumnButtonStyleGx Button;
    };
    for (const Case& c :
         {Case{true, cbsAuto}, Case{false, cbsAuto}, Case{true, cbsEllipsis}, Case{false, cbsEllipsis}}) {
        Grid->SetFlat(c.Flat);
        Col("F_text")->SetButtonStyle(c.Button);
        TDBGridInplaceEdit* editor = Edit("F_text");
        const int w = editor->ClientWidth(), h = editor->ClientHeight();
        const int buttons = editor->ButtonsWidth();
        EXPECT_EQ(buttons > 0, c.Button == cbsEllipsis);
        const TRect expected = c.Flat ? TRect(2, 1, w - 2 - buttons, h - 1) : TRect(2, 2, w - 2 - buttons, h);
        EXPECT_EQ(editor->TextArea(), expected) << c.Flat << " " << c.Button;
        EXPECT_EQ(editor->TextRect(), expected);
        Grid->CloseEditor();
    }
}

TEST_F(InplaceEditTest, TextLimitFollowsTheFieldAndTheKeyList) {
    Open();
    EXPECT_EQ(Edit("F_text")->MaxLength(), 20);
    Grid->CloseEditor();
    Col("F_text")->KeyList()->SetText("a\nb");
    Col("F_text")->PickList()->SetText("Alpha\nBeta");
    EXPECT_EQ(Edit("F_text")->MaxLength(), 0);
}

// Typing into a key-list column completes the first entry that begins with the typed text and
// takes no other character; a plain pick list completes too but types what matches nothing.
TEST_F(InplaceEditTest, TypingCompletesAgainstPickAndKeyLists) {
    Open();
    TColumnGx* keyed = Col("F_int");
    keyed->KeyList()->SetText("1\n2\n3");
    keyed->PickList()->SetText("alpha\nbeta\nBravo");
    TColumnGx* plain = Col("F_text");
    plain->PickList()->SetText("Apple\nbanana");
    struct Case {
        const char* Field;
        const char* Typed;
        const char* Text;
        int SelStart;
    };
    const Case cases[] = {
        {"F_int", "b", "beta", 1},                              // the rest selected, "b" not
        {"F_int", "br", "Bravo", 2},                            // the prefix narrows
        {"F_int", "bx", "beta", 1},                             // "x" matches nothing and is swallowed
        {"F_text", "ba", "banana", 2}, {"F_text", "x", "x", 1}, // typed as it is
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(String(c.Field) + " " + c.Typed);
        TDBGridInplaceEdit* editor = Edit(c.Field);
        editor->SelectAll();
        SimulateTyping(editor, c.Typed);
        EXPECT_EQ(editor->Text(), c.Text);
        EXPECT_EQ(editor->SelStart(), c.SelStart);
        EXPECT_EQ(Grid->EditText(), c.Text);
        Grid->CloseEditor();
        Q->Cancel();
    }
    // The completed key-list text is written as its key.
    TDBGridInplaceEdit* editor = Edit("F_int");
    editor->SelectAll();
    SimulateTyping(editor, "br");
    Grid->DataLink()->UpdateRecord();
    Q->Post();
    EXPECT_EQ(Q->FieldByName("F_int")->AsInteger(), 3);
}

TEST_F(InplaceEditTest, TypingIntoALookupCellCompletesTheNameAndKey) {
    Open();
    TDBGridInplaceEdit* editor = Edit("F_kname");
    EXPECT_EQ(editor->Text(), "Utility");
    editor->SelectAll();
    SimulateTyping(editor, "wz");
    EXPECT_EQ(editor->Text(), "Water");
    EXPECT_EQ(editor->SelStart(), 1);
    EXPECT_EQ(VarToStr(Grid->EditKeyValue()), "3");
    ASSERT_EQ(editor->DataList(), LookupList());
    EXPECT_EQ(VarToStr(LookupList()->KeyValue()), "3"); // the column's list follows
    Grid->DataLink()->UpdateRecord();
    Q->Post();
    EXPECT_EQ(Q->FieldByName("F_kind")->AsInteger(), 3);
}

// Delete on a lookup cell: the whole text clears the value to Null; part of it cannot go unless
// the column takes texts that are not in the list, and then only the selection goes.
TEST_F(InplaceEditTest, DeleteOnALookupText) {
    Open();
    TDBGridInplaceEdit* editor = Edit("F_kname");
    editor->SetSelection(0, 3);
    SimulateKey(editor, VK_DELETE);
    EXPECT_EQ(editor->Text(), "Utility");
    editor->SelectAll();
    SimulateKey(editor, VK_DELETE);
    EXPECT_EQ(editor->Text(), "");
    EXPECT_TRUE(VarIsNull(Grid->EditKeyValue()));
    Grid->DataLink()->UpdateRecord();
    Q->Post();
    EXPECT_TRUE(Q->FieldByName("F_kind")->IsNull());

    Q->Next();
    Col("F_kname")->OnNotInList = [](TObject*, const String&, bool&) {};
    editor = Edit("F_kname");
    ASSERT_EQ(editor->Text(), "Energy");
    editor->SetSelection(0, 2);
    SimulateKey(editor, VK_DELETE);
    EXPECT_EQ(editor->Text(), "ergy");
    EXPECT_EQ(Grid->EditText(), "ergy");
    EXPECT_TRUE(VarIsNull(Grid->EditKeyValue()));
    Q->Cancel();
}

TEST_F(InplaceEditTest, PasteIntoAKeyListCellCompletesTheEntry) {
    Open();
    TColumnGx* keyed = Col("F_int");
    keyed->KeyList()->SetText("1\n2");
    keyed->PickList()->SetText("alpha\nbeta");
    TDBGridInplaceEdit* editor = Edit("F_int");
    editor->SelectAll();
    Clipboard()->SetAsText("be");
    SimulateKey(editor, 'V', TShiftState{ssCtrl});
    EXPECT_EQ(editor->Text(), "beta");
    EXPECT_EQ(editor->SelStart(), 2);
    Clipboard()->SetAsText("zz");
    SimulateKey(editor, 'V', TShiftState{ssCtrl});
    EXPECT_EQ(editor->Text(), "beta"); // a text not in the list is not pasted
    Q->Cancel();
}

TEST_F(InplaceEditTest, KeysTheEditorHandsOn) {
    Open();
    int clicks = 0;
    Grid->OnEditButtonClick = [&](TObject*) { ++clicks; };
    Col("F_text")->SetButtonStyle(cbsEllipsis);
    TDBGridInplaceEdit* editor = Edit("F_text");
    SimulateKey(editor, VK_RETURN, TShiftState{ssCtrl});
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(editor->Text(), "alpha"); // no line feed typed

    // In a word-wrapping editor Up and Down stay with the editor unless it is always shown.
    Grid->SetRowLines(2);
    Col("F_text")->SetWordWrap(true);
    editor = Edit("F_text");
    ASSERT_TRUE(editor->WordWrap());
    SimulateKey(editor, VK_DOWN);
    EXPECT_EQ(Q->RecNo(), 1);
    Grid->SetOptions(Grid->Options() | dgAlwaysShowEditor);
    editor = Edit("F_text");
    SimulateKey(editor, VK_DOWN);
    EXPECT_EQ(Q->RecNo(), 2);
}

TEST_F(InplaceEditTest, RememberedTextsDropDownOnAMatchingPrefix) {
    Open();
    TMRUListGx* mru = Col("F_text")->MRUList();
    mru->SetActive(true);
    for (const char* s : {"apricot", "banana", "apple"})
        mru->Items()->Add(s);
    TDBGridInplaceEdit* editor = Edit("F_text");
    editor->SelectAll();
    SimulateTyping(editor, "ap");
    ASSERT_TRUE(editor->MRUDroppedDown());
    TMRUListboxGx* box = editor->MRUBox();
    ASSERT_EQ(box->Count(), 2);
    EXPECT_EQ(box->Items()->Strings(0), "apple"); // sorted
    SimulateKey(editor, VK_DOWN);
    SimulateKey(editor, VK_DOWN);
    SimulateKey(editor, VK_RETURN);
    EXPECT_FALSE(editor->MRUDroppedDown());
    EXPECT_EQ(editor->Text(), "apricot");
    EXPECT_EQ(Grid->EditText(), "apricot");
    // A prefix nothing begins with closes it; the written text is remembered.
    SimulateTyping(editor, "x");
    EXPECT_FALSE(editor->MRUDroppedDown());
    editor->SetText("cherry");
    Grid->DataLink()->UpdateRecord();
    EXPECT_EQ(mru->Items()->Strings(mru->Items()->Count() - 1), "cherry");
    Q->Cancel();
}

} // namespace

namespace {

// Backspace in a key-list cell steps the caret back over the typed text; with a not-in-list
// handler it takes the completed part and the character before it.
TEST_F(InplaceEditTest, BackspaceInListCells) {
    Open();
    TColumnGx* keyed = Col("F_int");
    keyed->KeyList()->SetText("1\n2\n3");
    keyed->PickList()->SetText("alpha\nbeta\nbetter");
    TDBGridInplaceEdit* editor = Edit("F_int");
    editor->SelectAll();
    SimulateTyping(editor, "be");
    ASSERT_EQ(editor->Text(), "beta");
    SimulateKey(editor, VK_BACK);
    EXPECT_EQ(editor->Text(), "beta");
    EXPECT_EQ(editor->SelStart(), 1);
    SimulateTyping(editor, "a");
    EXPECT_EQ(editor->Text(), "beta"); // "ba" is in no entry
    Q->Cancel();
    Grid->CloseEditor();

    keyed->OnNotInList = [](TObject*, const String&, bool&) {};
    editor = Edit("F_int");
    editor->SelectAll();
    SimulateTyping(editor, "bet");
    ASSERT_EQ(editor->Text(), "beta");
    SimulateKey(editor, VK_BACK);
    EXPECT_EQ(editor->Text(), "be");
    EXPECT_EQ(Grid->EditText(), "be");
    Q->Cancel();
}

TEST_F(InplaceEditTest, ADoubleClickStepsToTheNextValue) {
    Open();
    TColumnGx* column = Col("F_text");
    column->PickList()->SetText("alpha\nbeta\ngamma");
    column->SetDblClickNextVal(true);
    TDBGridInplaceEdit* editor = Edit("F_text");
    SimulateDblClick(editor, editor->TextRect().Left + 3, editor->Height() / 2);
    EXPECT_EQ(Q->FieldByName("F_text")->AsString(), "beta");
    Q->Cancel();
}

} // namespace

namespace {

// Ctrl+' on a lookup cell copies the prior record's key, and the editor shows its name selected.
TEST_F(InplaceEditTest, CtrlQuoteCopiesThePriorRecordsLookupKey) {
    Open();
    Q->Next();
    ASSERT_EQ(Q->FieldByName("F_kind")->AsInteger(), 2);
    Grid->SetFocus();
    Grid->SetFocusCol(Col("F_kname")->Index() + Grid->IndicatorOffset());
    SimulateKey(Grid, VK_OEM_7, TShiftState{ssCtrl});
    EXPECT_EQ(Q->State(), dsEdit);
    EXPECT_EQ(Q->FieldByName("F_kind")->AsInteger(), 1);
    TDBGridInplaceEdit* editor = Grid->InplaceEditor();
    ASSERT_NE(editor, nullptr);
    EXPECT_TRUE(editor->Visible());
    EXPECT_EQ(editor->Text(), "Utility");
    EXPECT_EQ(editor->SelLength(), 7);
    Q->Cancel();
}

} // namespace

namespace {

// The left and right ends of the text's ink in a rectangle of the bitmap: pixels that differ from
// the rectangle's most common colour (its background).
std::pair<int, int> InkSpan(TBitmap& Shot, const TRect& R) {
    std::map<TColor, int> counts;
    for (int y = R.Top; y < R.Bottom; ++y)
        for (int x = R.Left; x < R.Right; ++x)
            ++counts[Shot.Canvas()->Pixels(x, y)];
    TColor back = counts.begin()->first;
    for (const auto& [c, n] : counts)
        if (n > counts[back]) back = c;
    // A column inked over most of the height is the editor's caret, not text.
    int left = R.Right, right = R.Left - 1;
    for (int x = R.Left; x < R.Right; ++x) {
        int inked = 0;
        for (int y = R.Top; y < R.Bottom; ++y)
            if (Shot.Canvas()->Pixels(x, y) != back) ++inked;
        if (inked > 0 && inked < R.Height() * 7 / 10) left = std::min(left, x), right = std::max(right, x);
    }
    return {left, right};
}

} // namespace

// The editor opens with the text where the cell showed it: a number stays on the right (it went
// to the left), and the text does not move by the edit's own margin.
TEST_F(InplaceEditTest, TheEditorKeepsTheCellsAlignmentAndTextPosition) {
    Open();
    for (const char* field : {"F_text", "F_float", "F_int"}) {
        SCOPED_TRACE(field);
        Grid->SetFocus();
        Grid->SetFocusCol(Col(field)->Index() + Grid->IndicatorOffset());
        Application()->ProcessMessages();
        const TRect cell = Grid->CellScreenRect(Grid->CurrentCell().X, Grid->CurrentCell().Y);
        // Inside the grid lines and the frame of the focused cell.
        const TRect inner(cell.Left + 2, cell.Top + 2, cell.Right - 2, cell.Bottom - 2);
        TBitmap shot;
        GrabControl(Grid, shot);
        const auto shown = InkSpan(shot, inner);
        TDBGridInplaceEdit* editor = Edit(field);
        EXPECT_EQ(editor->Alignment(), Col(field)->Alignment());
        editor->CaretToEnd(); // the text opens selected; its ink is compared
        Application()->ProcessMessages();
        GrabControl(Grid, shot);
        const auto edited = InkSpan(shot, inner);
        EXPECT_LT(shown.first, shown.second);
        EXPECT_NEAR(edited.first, shown.first, 1);
        EXPECT_NEAR(edited.second, shown.second, 1);
        Grid->CloseEditor();
    }
}

// A money cell keeps its sign in the editor: the amount alone is edited, and the sign shows right
// before it, where the cell showed it (a narrow column leaves the sign at the text area's edge).
TEST_F(InplaceEditTest, AMoneyEditorShowsTheSignBesideTheAmount) {
    Open();
    struct {
        const char* Format;
        int Width;
        const char* Sign;
    } cases[] = {{"￥0.0", 120, "￥"}, {"'RMB '0.0", 120, "RMB "}, {"￥0.0", 40, "￥"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(String(c.Format) + " " + IntToStr(c.Width));
        Col("F_float")->SetDisplayFormat(c.Format);
        Col("F_float")->SetWidth(c.Width);
        Grid->SetFocus();
        Grid->SetFocusCol(Col("F_float")->Index() + Grid->IndicatorOffset());
        Application()->ProcessMessages();
        const TRect cell = Grid->CellScreenRect(Grid->CurrentCell().X, Grid->CurrentCell().Y);
        const TRect inner(cell.Left + 2, cell.Top + 2, cell.Right - 2, cell.Bottom - 2);
        TBitmap shot;
        GrabControl(Grid, shot);
        const auto shown = InkSpan(shot, inner);
        TDBGridInplaceEdit* editor = Edit("F_float");
        EXPECT_EQ(editor->Text(), "1.5");
        EXPECT_EQ(editor->AmountPrefix(), c.Sign);
        // The sign takes its room from the text area.
        EXPECT_GT(editor->TextArea().Left, 2);
        editor->CaretToEnd();
        Application()->ProcessMessages();
        GrabControl(Grid, shot);
        const auto edited = InkSpan(shot, inner);
        if (c.Width > 60) {
            EXPECT_NEAR(edited.first, shown.first, 1);
            EXPECT_NEAR(edited.second, shown.second, 1);
        } else {
            EXPECT_LT(edited.first, edited.second);
        }
        Grid->CloseEditor();
    }
    // Other number cells have no sign.
    EXPECT_EQ(Edit("F_int")->AmountPrefix(), "");
    Grid->CloseEditor();
}
