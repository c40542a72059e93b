// The edit's list of remembered texts on a shown form: filtered as the user types, sorted, case
// rules, closed by an emptied text, Enter taking a chosen row before the form's default button,
// a read-only edit left unchanged, stored texts remembered; and the list box's own scroll bar.
#include "grid/DBCtrlsGxEdit.h"
#include "grid/ToolCtrlsGxMRUListBox.h"
#include "gui/Forms.h"
#include "gui/Input.h"
#include "gui/InputSimulation.h"
#include "gui/PopupWindows.h"
#include "gui/StdCtrls.h"
#include "rtl/Format.h"

#include <gtest/gtest.h>

namespace {

String Rows(TStrings* s) {
    String r;
    for (int i = 0; i < s->Count(); ++i)
        r += (i ? "|" : "") + s->Strings(i);
    return r;
}

class EditMRUTest : public ::testing::Test {
protected:
    void SetUp() override {
        form.SetBounds(0, 0, 400, 300);
        Edit = new TCustomDBEditGx(&form);
        Edit->SetParent(&form);
        Edit->SetBounds(10, 10, 150, 24);
        Default = new TButton(&form);
        Default->SetParent(&form);
        Default->SetBounds(10, 200, 80, 24);
        Default->SetDefault(true);
        Default->OnClick = [this](TObject*) { ++Defaults; };
        for (const char* s : {"Banana", "apricot", "Apple"})
            Edit->MRUList()->Items()->Add(s);
        Edit->MRUList()->SetActive(true);
        form.Show();
        Edit->SetFocus();
        Application()->ProcessMessages();
    }
    TForm form{nullptr};
    TCustomDBEditGx* Edit = nullptr;
    TButton* Default = nullptr;
    int Defaults = 0;
};

TEST_F(EditMRUTest, TypingShowsTheMatchingTextsSortedAndCaseRulesApply) {
    SimulateTyping(Edit, "ap");
    ASSERT_TRUE(Edit->MRUListShown());
    TMRUListboxGx* list = Edit->MRUListBox();
    EXPECT_TRUE(PopupShowing(list));
    EXPECT_EQ(Rows(list->Items()), "Apple|apricot");
    EXPECT_TRUE(Edit->Focused());
    TRect area;
    Edit->TextAreaRect(area);
    EXPECT_EQ(list->Left(), Edit->ClientToScreen(TPoint(area.Left, 0)).X);
    EXPECT_EQ(list->Width(), area.Width());

    SimulateKey(Edit, VK_BACK);
    SimulateKey(Edit, VK_BACK); // the emptied text closes the list
    EXPECT_FALSE(Edit->MRUListShown());
    EXPECT_FALSE(PopupShowing(list));

    Edit->MRUList()->SetCaseSensitive(true);
    SimulateTyping(Edit, "ap");
    EXPECT_EQ(Rows(list->Items()), "apricot");
    SimulateTyping(Edit, "x"); // nothing matches: the list closes
    EXPECT_FALSE(Edit->MRUListShown());
}

// Characters whose codes equal the navigation keys' ("!" Page Up, '"' Page Down, "&" Up, "(" Down)
// are typed into the text while the list is shown; they do not move its row.
TEST_F(EditMRUTest, CharactersTypedWithTheListShownGoIntoTheText) {
    for (const char* typed : {"!", "\"", "&", "("}) {
        SCOPED_TRACE(typed);
        Edit->SetText("");
        SimulateTyping(Edit, "a");
        ASSERT_TRUE(Edit->MRUListShown());
        SimulateTyping(Edit, typed);
        EXPECT_EQ(Edit->Text(), String("a") + typed);
    }
}

TEST_F(EditMRUTest, EnterTakesTheChosenRowBeforeTheDefaultButtonElseTheFormHasIt) {
    SimulateTyping(Edit, "a");
    ASSERT_TRUE(Edit->MRUListShown());
    SimulateKey(Edit, VK_DOWN);
    SimulateKey(Edit, VK_DOWN);
    EXPECT_EQ(Edit->MRUListBox()->ItemIndex(), 1);
    SimulateKey(Edit, VK_RETURN);
    EXPECT_TRUE(Edit->Focused());
    EXPECT_FALSE(Edit->MRUListShown()); // the chosen text does not open the list again
    EXPECT_TRUE(Edit->Modified());
    Application()->ProcessMessages();
    EXPECT_FALSE(Edit->MRUListShown());
    EXPECT_EQ(Edit->Text(), "apricot");
    EXPECT_EQ(Defaults, 0);
    // The offscreen platform deactivates the form when a tool window hides; a desktop does not.
    Edit->SetFocus();
    Application()->ProcessMessages();

    Edit->SetText("");
    SimulateTyping(Edit, "b");
    ASSERT_TRUE(Edit->MRUListShown());
    SimulateKey(Edit, VK_RETURN); // no row chosen: the form's default button
    Application()->ProcessMessages();
    EXPECT_EQ(Defaults, 1);
    EXPECT_EQ(Edit->Text(), "b");
}

TEST_F(EditMRUTest, AReadOnlyEditKeepsItsTextAndStoredTextsAreRemembered) {
    SimulateTyping(Edit, "ap");
    SimulateKey(Edit, VK_DOWN);
    Edit->SetReadOnly(true);
    SimulateKey(Edit, VK_RETURN);
    EXPECT_FALSE(Edit->MRUListShown());
    EXPECT_EQ(Edit->Text(), "ap");
    Edit->SetReadOnly(false);

    Edit->SetText("Cherry"); // stored at once (standalone)
    EXPECT_EQ(Rows(Edit->MRUList()->Items()), "Banana|apricot|Apple|Cherry");
    Edit->SetText("banana");
    EXPECT_EQ(Rows(Edit->MRUList()->Items()), "apricot|Apple|Cherry|Banana");
}

TEST(MRUListboxTest, ItsScrollBarShowsWhileRowsAreHiddenAndKeepsClearOfTheGrip) {
    TForm form(nullptr);
    form.SetBounds(0, 0, 300, 300);
    TMRUListboxGx list(&form);
    list.SetParent(&form);
    list.SetItemHeight(16);
    for (int i = 0; i < 10; ++i)
        list.Items()->Add("row " + IntToStr(i));
    list.SetBounds(10, 10, 120, list.NonClientHeight() + 16 * 4);
    form.Show();
    Application()->ProcessMessages();
    TScrollBar* bar = list.RowScrollBar();
    ASSERT_TRUE(bar->Visible());
    EXPECT_EQ(bar->Left(), list.ClientWidth() - bar->Width());
    EXPECT_EQ(bar->Top(), 0);
    EXPECT_EQ(bar->Height(), list.ClientHeight() - list.Grip()->Height()); // grip bottom-right
    EXPECT_EQ(bar->PageSize(), 4);
    EXPECT_EQ(bar->Max(), 9);
    EXPECT_FALSE(list.Grip()->TriangleShape()); // a square beside the bar

    list.Perform(GripSideMessage, 2, 0); // the grip goes to the top
    EXPECT_EQ(bar->Top(), list.Grip()->Height());
    list.Perform(GripSideMessage, 0, 0); // and to the left: the bar takes the whole height
    EXPECT_EQ(bar->Height(), list.ClientHeight());
    EXPECT_TRUE(list.Grip()->TriangleShape());

    SimulateWheel(&list, -120, 20, 20);
    EXPECT_EQ(bar->Position(), list.TopIndex());
    bar->SetPosition(3);
    EXPECT_EQ(list.TopIndex(), 3);

    list.SetBounds(10, 10, 120, list.NonClientHeight() + 16 * 10);
    EXPECT_FALSE(bar->Visible());
}

} // namespace
