// The grid's in-place editor on a real display (Xvfb with a window manager, started by the test):
// the keyboard focus moves from the grid into the editor and back, the drop-down lists, the
// calendar, the calculator and the list of remembered texts show without taking the focus or the
// activation from the form, and the focus leaving the editor drops an open list unaccepted.
// Screenshots are kept in ScreenshotFolder().
#include "../app/desktop/XServer.h"
#include "../grid/InplaceEditFixture.h"

#include "grid/CalculatorGx.h"
#include "grid/ToolCtrlsGxListBox.h"
#include "grid/ToolCtrlsGxMRUListBox.h"
#include "gui/ControlPreview.h"
#include "gui/PopupWindows.h"
#include "gui/Screenshot.h"
#include "gui/StdCtrls.h"

namespace {

class InplaceEditFocusTest : public InplaceEditTest {
protected:
    void SetUp() override {
        if (!XServerRunning()) GTEST_SKIP() << XServerProblem();
        InplaceEditTest::SetUp();
        Other = new TEdit(&form);
        Other->SetParent(&form);
        Other->SetBounds(10, 320, 150, 24);
        ASSERT_TRUE(WaitFor([this] { return form.Active(); }));
        Open();
    }
    // The editor holds the keyboard focus and the form stays the active window.
    testing::AssertionResult EditorKeepsTheFocus(TDBGridInplaceEdit* Editor) {
        Settle(100);
        if (!ControlWindowFocused(Editor)) {
            TWinControl* f = FindFocusedControl();
            return testing::AssertionFailure()
                   << "the editor lost the focus to " << (f ? f->ClassName() : String("nothing"))
                   << " active " << form.Active();
        }
        if (!form.Active()) return testing::AssertionFailure() << "the form is no longer active";
        return testing::AssertionSuccess();
    }
    TEdit* Other = nullptr;
};

TEST_F(InplaceEditFocusTest, TheFocusMovesIntoTheEditorAndBackToTheGrid) {
    Grid->SetFocus();
    ASSERT_TRUE(WaitFor([this] { return ControlWindowFocused(Grid); }));
    TDBGridInplaceEdit* editor = Edit("F_text");
    ASSERT_TRUE(WaitFor([editor] { return ControlWindowFocused(editor); }));
    EXPECT_TRUE(EditorKeepsTheFocus(editor));
    SimulateKey(editor, VK_ESCAPE);
    EXPECT_TRUE(WaitFor([this] { return ControlWindowFocused(Grid); }));
    EXPECT_FALSE(editor->Visible());
    EXPECT_TRUE(form.Active());
}

TEST_F(InplaceEditFocusTest, DropDownsShowWithoutTakingTheFocus) {
    Col("F_text")->PickList()->SetText("one\ntwo\nthree");
    Col("F_float")->SetButtonStyle(cbsDropDown);
    struct Case {
        const char* Field;
        const char* Shot;
    };
    for (const Case& c :
         {Case{"F_text", "grid_editor_picklist.png"}, Case{"F_date", "grid_editor_calendar.png"},
          Case{"F_float", "grid_editor_calculator.png"}}) {
        SCOPED_TRACE(c.Field);
        TDBGridInplaceEdit* editor = Edit(c.Field);
        ASSERT_TRUE(WaitFor([editor] { return ControlWindowFocused(editor); }));
        SimulateKey(editor, VK_DOWN, TShiftState{ssAlt});
        ASSERT_TRUE(editor->ListVisible());
        TWinControl* list = editor->ActiveList();
        EXPECT_TRUE(WaitFor([list] { return PopupShowing(list); }));
        EXPECT_TRUE(EditorKeepsTheFocus(editor));
        // The drop-down lies under the editor.
        EXPECT_EQ(list->Top(), editor->ClientToScreen(TPoint(0, editor->Height())).Y);
        SaveScreenAsPng(ScreenshotFolder() + c.Shot);
        SimulateKey(editor, VK_ESCAPE);
        EXPECT_FALSE(PopupShowing(list));
        EXPECT_TRUE(EditorKeepsTheFocus(editor));
        Grid->CloseEditor();
    }
}

TEST_F(InplaceEditFocusTest, AClickOnTheListChoosesItsRowAndLeavesTheFocusInTheEditor) {
    Col("F_text")->PickList()->SetText("one\ntwo\nthree");
    TDBGridInplaceEdit* editor = Edit("F_text");
    ASSERT_TRUE(WaitFor([editor] { return ControlWindowFocused(editor); }));
    TEditButtonControlGx* button = editor->ButtonControl(0);
    SimulateClick(button, button->Width() / 2, button->Height() / 2);
    ASSERT_TRUE(editor->ListVisible());
    TPopupListboxGx* list = editor->PickListBox();
    ASSERT_TRUE(WaitFor([list] { return PopupShowing(list); }));
    const TRect row = list->ItemRect(2);
    SimulateClick(list, row.Left + 5, row.Top + 2);
    EXPECT_FALSE(editor->ListVisible());
    EXPECT_EQ(editor->Text(), "three");
    EXPECT_TRUE(EditorKeepsTheFocus(editor));
    Q->Cancel();
}

TEST_F(InplaceEditFocusTest, TheFocusLeavingTheEditorDropsTheOpenList) {
    Col("F_text")->PickList()->SetText("one\ntwo");
    TDBGridInplaceEdit* editor = Edit("F_text");
    ASSERT_TRUE(WaitFor([editor] { return ControlWindowFocused(editor); }));
    SimulateKey(editor, VK_DOWN, TShiftState{ssAlt});
    SimulateKey(editor, VK_DOWN);
    ASSERT_EQ(editor->Text(), "one");
    Other->SetFocus();
    EXPECT_TRUE(WaitFor([this] { return ControlWindowFocused(Other); }));
    EXPECT_FALSE(editor->ListVisible());
    EXPECT_FALSE(PopupShowing(editor->PickListBox()));
    Q->Cancel();
}

TEST_F(InplaceEditFocusTest, RememberedTextsShowWithoutTakingTheFocus) {
    TMRUListGx* mru = Col("F_text")->MRUList();
    mru->SetActive(true);
    mru->Items()->SetText("apple\napricot");
    TDBGridInplaceEdit* editor = Edit("F_text");
    ASSERT_TRUE(WaitFor([editor] { return ControlWindowFocused(editor); }));
    editor->SelectAll();
    SimulateTyping(editor, "ap");
    ASSERT_TRUE(editor->MRUDroppedDown());
    EXPECT_TRUE(WaitFor([editor] { return PopupShowing(editor->MRUBox()); }));
    EXPECT_TRUE(EditorKeepsTheFocus(editor));
    SaveScreenAsPng(ScreenshotFolder() + "grid_editor_remembered.png");
    SimulateKey(editor, VK_ESCAPE);
    EXPECT_FALSE(editor->MRUDroppedDown());
    EXPECT_TRUE(EditorKeepsTheFocus(editor));
    Q->Cancel();
}

} // namespace
