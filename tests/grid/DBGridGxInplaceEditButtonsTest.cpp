// The in-place editor's edit buttons: their layout and heights, what clicking and pressing them
// does, their short cuts, the up-down step, the click in a cell's button zone that presses the
// editor's button at once, and the buttons painted in every row of a column.
#include "InplaceEditFixture.h"

#include "grid/ToolCtrlsGxListBox.h"
#include "gui/Bitmap.h"
#include "gui/Colors.h"
#include "gui/ControlShot.h"
#include "gui/ExtCtrls.h"
#include "gui/SystemMetrics.h"

namespace {

// Flat buttons are half again as tall as wide while the editor has the room; others are square.
TEST_F(InplaceEditTest, ButtonHeightsFollowTheirWidth) {
    Open();
    Grid->SetRowHeight(30);
    TColumnGx* column = Col("F_text");
    column->SetButtonStyle(cbsNone);
    TEditButtonGx* item = column->EditButtons()->AddButton();
    struct Case {
        bool Flat;
        int Width;
        int Height; // 0: the editor's client height
    };
    for (const Case& c : {Case{true, 13, 20}, Case{true, 15, 22}, Case{false, 13, 13}, Case{true, 40, 0}}) {
        Grid->SetFlat(c.Flat);
        item->SetWidth(c.Width);
        TDBGridInplaceEdit* editor = Edit("F_text");
        ASSERT_EQ(editor->ButtonCount(), 2);
        EXPECT_FALSE(editor->ButtonControl(0)->Visible());
        const int expected = c.Height ? c.Height : editor->ClientHeight();
        EXPECT_EQ(editor->ButtonControl(1)->Height(), expected) << c.Flat << " " << c.Width;
        Grid->CloseEditor();
    }
}

// Separator 0, the main button, separator 1, the first item, ... ending at the right edge; the
// group is as wide as the column says its buttons are.
TEST_F(InplaceEditTest, ButtonsLineUpAtTheRightEdge) {
    Open();
    TColumnGx* column = Col("F_text");
    column->SetButtonStyle(cbsEllipsis);
    column->EditButtons()->AddButton()->SetWidth(10);
    column->EditButtons()->AddButton()->SetWidth(12);
    for (bool flat : {true, false}) {
        Grid->SetFlat(flat);
        TDBGridInplaceEdit* editor = Edit("F_text");
        const int line = flat ? 1 : 0;
        const int main = flat ? FlatButtonWidth() : GetSystemMetrics(SM_CXVSCROLL);
        int right = editor->ClientWidth();
        for (int entry = 2; entry >= 0; --entry) {
            const int width = entry == 2 ? 12 : entry == 1 ? 10 : main;
            TEditButtonControlGx* button = editor->ButtonControl(entry);
            EXPECT_EQ(button->Left(), right - width) << flat << " " << entry;
            EXPECT_EQ(button->Width(), width);
            EXPECT_EQ(editor->ButtonSeparator(entry)->Visible(), flat);
            right -= width + line;
        }
        EXPECT_EQ(editor->ButtonsWidth(), editor->ClientWidth() - right);
        EXPECT_EQ(editor->ButtonsWidth(), column->EditButtonsWidth());
        EXPECT_EQ(editor->ButtonControl(0)->Style(), ebsEllipsisGx);
        Grid->CloseEditor();
    }
}

TEST_F(InplaceEditTest, ClickingAndShortCutsRunTheButtons) {
    Open();
    int gridClicks = 0, columnClicks = 0, itemClicks = 0;
    Grid->OnEditButtonClick = [&](TObject*) { ++gridClicks; };
    TColumnGx* column = Col("F_text");
    column->SetButtonStyle(cbsEllipsis);
    column->OnEditButtonClick = [&](TObject*, bool&) { ++columnClicks; };
    TEditButtonGx* item = column->EditButtons()->AddButton();
    item->OnClick = [&](TObject*, bool& Handled) {
        ++itemClicks;
        Handled = true;
    };
    TEditButtonGx* disabled = column->EditButtons()->AddButton();
    disabled->SetEnabled(false);
    TDBGridInplaceEdit* editor = Edit("F_text");
    TEditButtonControlGx* main = editor->ButtonControl(0);
    SimulateClick(main, 2, 2);
    EXPECT_EQ(gridClicks, 1);
    EXPECT_EQ(columnClicks, 1);
    // The item's short cut (Alt+Down) presses and clicks it.
    SimulateKey(editor, VK_DOWN, TShiftState{ssAlt});
    EXPECT_EQ(itemClicks, 1);
    TEditButtonControlGx* button = editor->ButtonControl(1);
    SimulateClick(button, 2, 2);
    EXPECT_EQ(itemClicks, 2);
    EXPECT_EQ(gridClicks, 1);
    EXPECT_FALSE(editor->ButtonControl(2)->Enabled()); // a disabled item stays disabled
}

TEST_F(InplaceEditTest, UpDownButtonStepsTheValue) {
    Open();
    Col("F_int")->SetButtonStyle(cbsUpDown);
    TDBGridInplaceEdit* editor = Edit("F_int");
    TEditButtonControlGx* button = editor->ButtonControl(0);
    ASSERT_EQ(button->Style(), ebsUpDownGx);
    SimulateClick(button, button->Width() / 2, 1);
    EXPECT_EQ(Q->FieldByName("F_int")->AsInteger(), 2);
    SimulateClick(button, button->Width() / 2, button->Height() - 2);
    EXPECT_EQ(Q->FieldByName("F_int")->AsInteger(), 1);
    // What was typed is written before it is stepped.
    editor = Grid->InplaceEditor();
    editor->SelectAll();
    SimulateTyping(editor, "7");
    SimulateClick(button, button->Width() / 2, 1);
    EXPECT_EQ(Q->FieldByName("F_int")->AsInteger(), 8);
    Q->Cancel();
}

// A click in the button zone of a cell that is not current shows the editor there and presses
// its button with the same click.
TEST_F(InplaceEditTest, AClickInACellsButtonZonePressesTheEditorsButton) {
    Open();
    int clicks = 0;
    Grid->OnEditButtonClick = [&](TObject*) { ++clicks; };
    Col("F_text")->SetButtonStyle(cbsEllipsis);
    Col("F_text")->SetAlwaysShowEditButton(true);
    Grid->SetFocus();
    const int col = Col("F_text")->Index() + Grid->IndicatorOffset();
    const TRect cell = Grid->CellScreenRect(col, Grid->TitleOffset() + 1);
    const TPoint p(cell.Right - 3, cell.Top + cell.Height() / 2);
    SimulateMouseDown(Grid, mbLeft, p.X, p.Y);
    TDBGridInplaceEdit* editor = Grid->InplaceEditor();
    ASSERT_NE(editor, nullptr);
    EXPECT_TRUE(editor->Visible());
    EXPECT_EQ(Q->RecNo(), 2);
    SimulateMouseUp(Grid, mbLeft, p.X, p.Y);
    EXPECT_EQ(clicks, 1);
    // A click left of the zone on a cell that is not current shows no editor.
    Grid->CloseEditor();
    const TRect first = Grid->CellScreenRect(col, Grid->TitleOffset());
    SimulateClick(Grid, first.Left + 4, first.Top + first.Height() / 2);
    EXPECT_FALSE(editor->Visible());
    EXPECT_EQ(clicks, 1);
}

TEST_F(InplaceEditTest, ButtonsArePaintedInEveryRowOfTheColumn) {
    Open();
    TColumnGx* column = Col("F_text");
    column->SetButtonStyle(cbsEllipsis);
    column->SetColor(clWhite);
    const int col = column->Index() + Grid->IndicatorOffset();
    const TRect cell = Grid->CellScreenRect(col, Grid->TitleOffset() + 1);
    const int zone = column->EditButtonsWidth();
    ASSERT_GT(zone, 0);
    const TRect area(cell.Right - zone + 1, cell.Top + 1, cell.Right - 1, cell.Bottom - 1);
    // Pixels of the zone unlike the cell's white; and dark ones (the ellipsis dots).
    auto count = [&](bool Dark) {
        TBitmap shot;
        GrabControl(Grid, shot);
        int n = 0;
        for (int y = area.Top; y < area.Bottom; ++y)
            for (int x = area.Left; x < area.Right; ++x) {
                const TColorRef c = ColorToRGB(shot.Canvas()->Pixels(x, y));
                if (Dark ? (c & 0xFF) < 0x40 : c != ColorToRGB(clWhite)) ++n;
            }
        return n;
    };
    EXPECT_EQ(count(false), 0);
    column->SetAlwaysShowEditButton(true);
    Grid->Invalidate();
    EXPECT_GT(count(false), area.Width() * area.Height() / 2);
    EXPECT_GT(count(true), 0);
}

} // namespace

namespace {

// A press on the main button that drags on into the opened list chooses the row it is released
// over.
TEST_F(InplaceEditTest, PressDragReleaseFromTheButtonChoosesInTheList) {
    Open();
    Col("F_text")->PickList()->SetText("one\ntwo\nthree");
    TDBGridInplaceEdit* editor = Edit("F_text");
    TEditButtonControlGx* button = editor->ButtonControl(0);
    SimulateMouseDown(button, mbLeft, 2, 2);
    ASSERT_TRUE(editor->ListVisible());
    TPopupListboxGx* list = editor->PickListBox();
    const TRect row = list->ItemRect(2);
    const TPoint over = button->ScreenToClient(list->ClientToScreen(TPoint(row.Left + 5, row.Top + 2)));
    SimulateMouseMove(button, over.X, over.Y, TShiftState{ssLeft});
    SimulateMouseUp(button, mbLeft, over.X, over.Y);
    EXPECT_FALSE(editor->ListVisible());
    EXPECT_EQ(editor->Text(), "three");
    Q->Cancel();
}

} // namespace
