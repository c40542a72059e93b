// The edit's button strip on a shown form: geometry flat and 3D, order of the buttons and their
// lines, the main button toggling a drop-down, a drop-down menu instead of the drop-down, the
// buttons following the edit's enabled state, short cuts, and presses that leave the caret.
#include "grid/DBCtrlsGxEdit.h"
#include "gui/ExtCtrls.h"
#include "gui/Forms.h"
#include "gui/ImgList.h"
#include "gui/Input.h"
#include "gui/InputSimulation.h"
#include "gui/Interaction.h"
#include "gui/Menus.h"
#include "gui/SystemMetrics.h"

#include <gtest/gtest.h>

namespace {

// The edit's single border lies inside its client area; the strip keeps this far from it.
constexpr int FrameInset = 2;

// An edit with a drop-down that only notes its state, as the combo box's list would.
class TDropEdit : public TCustomDBEditGx {
public:
    using TCustomDBEditGx::TCustomDBEditGx;
    int Opened = 0, Closed = 0;
    void OpenDropDown() override {
        TCustomDBEditGx::OpenDropDown();
        SetDropDownShown(true);
        ++Opened;
    }
    void CloseDropDown(bool Accept) override {
        TCustomDBEditGx::CloseDropDown(Accept);
        SetDropDownShown(false);
        ++Closed;
    }
};

class EditButtonsTest : public ::testing::Test {
protected:
    void SetUp() override {
        form.SetBounds(0, 0, 400, 200);
        Edit = new TDropEdit(&form);
        Edit->SetParent(&form);
        Edit->SetBounds(10, 10, 200, 40);
        form.Show();
        Application()->ProcessMessages();
    }
    // Presses and releases the entry's control with the mouse.
    void ClickEntry(int Entry) {
        TEditButtonControlGx* c = Edit->ButtonControl(Entry);
        SimulateClick(c, c->Width() / 2, c->Height() / 2);
        Application()->ProcessMessages();
    }
    TForm form{nullptr};
    TDropEdit* Edit = nullptr;
};

TEST_F(EditButtonsTest, FlatButtonsAreOneAndAHalfTimesAsHighAsWideAndSquareWhen3D) {
    Edit->EditButton()->SetVisible(true);
    struct Case {
        bool Flat;
        int Width, Height;
    };
    const int flat = FlatButtonWidth(), bar = GetSystemMetrics(SM_CXVSCROLL);
    for (const Case& c : {Case{true, flat, EditButtonHeightFor(flat, true)}, Case{false, bar, bar}}) {
        SCOPED_TRACE(c.Flat);
        Edit->SetFlat(c.Flat);
        ASSERT_LT(c.Height, Edit->ClientHeight() - 2 * FrameInset); // taller than the buttons
        EXPECT_EQ(Edit->ButtonControl(0)->Width(), c.Width);
        EXPECT_EQ(Edit->ButtonControl(0)->Height(), c.Height);
        EXPECT_EQ(Edit->StripButtonHeight(), c.Height);
        EXPECT_EQ(Edit->StripWidth(), c.Width + (c.Flat ? 1 : 0) + FrameInset);
        EXPECT_EQ(Edit->ButtonControl(0)->Top(), FrameInset);
        TRect area;
        Edit->TextAreaRect(area);
        EXPECT_EQ(area.Right, Edit->ClientWidth() - Edit->StripWidth());
    }
    Edit->EditButton()->SetWidth(30);
    Edit->SetHeight(24); // lower than the width's 3/2: the strip's height
    EXPECT_EQ(Edit->ButtonControl(0)->Height(), Edit->ClientHeight() - 2 * FrameInset);
}

TEST_F(EditButtonsTest, MainButtonThenTheFurtherButtonsEachAfterALineOnlyWhenFlat) {
    Edit->EditButton()->SetVisible(true);
    Edit->EditButtons()->AddButton()->SetStyle(ebsEllipsisGx);
    Edit->EditButtons()->AddButton()->SetStyle(ebsPlusGx);
    ASSERT_EQ(Edit->ButtonStripCount(), 3);
    for (bool flat : {true, false}) {
        SCOPED_TRACE(flat);
        Edit->SetFlat(flat);
        int x = Edit->ClientWidth() - Edit->StripWidth();
        for (int i = 0; i < 3; ++i) {
            TShape* line = Edit->ButtonLine(i);
            EXPECT_EQ(line->Left(), x);
            EXPECT_EQ(line->Width(), flat ? 1 : 0);
            x += line->Width();
            EXPECT_EQ(Edit->ButtonControl(i)->Left(), x);
            x += Edit->ButtonControl(i)->Width();
        }
        EXPECT_EQ(x, Edit->ClientWidth() - FrameInset);
    }
    EXPECT_EQ(Edit->ButtonControl(1)->Style(), ebsEllipsisGx);
    EXPECT_EQ(Edit->ButtonControl(2)->Style(), ebsPlusGx);
    Edit->EditButtons()->Delete(0);
    EXPECT_EQ(Edit->ButtonStripCount(), 2);
    EXPECT_EQ(Edit->ButtonControl(1)->Style(), ebsPlusGx);
}

TEST_F(EditButtonsTest, TheMainButtonTogglesTheDropDown) {
    Edit->EditButton()->SetVisible(true);
    int clicks = 0;
    Edit->OnButtonClick = [&](TObject* Sender, bool&) {
        EXPECT_EQ(Sender, Edit->ButtonControl(0));
        ++clicks;
    };
    ClickEntry(0); // the press opens it; the click ending that press keeps it open
    EXPECT_TRUE(Edit->DropDownShown());
    EXPECT_TRUE(Edit->ButtonControl(0)->Down());
    EXPECT_TRUE(Edit->Focused());
    ClickEntry(0); // the next click closes it
    EXPECT_FALSE(Edit->DropDownShown());
    EXPECT_FALSE(Edit->ButtonControl(0)->Down());
    EXPECT_EQ(Edit->Opened, 1);
    EXPECT_EQ(Edit->Closed, 1);
    EXPECT_EQ(clicks, 2);

    Edit->EditButton()->SetShortCut(ShortCut(VK_DOWN, TShiftState{ssAlt}));
    SimulateKey(Edit, VK_DOWN, TShiftState{ssAlt});
    EXPECT_TRUE(Edit->DropDownShown());
}

TEST_F(EditButtonsTest, ADropdownMenuPopsInsteadOfTheDropDown) {
    TPopupMenu menu(&form);
    auto* item = new TMenuItem(&menu);
    item->SetCaption("One");
    menu.Items()->Add(item);
    Edit->EditButton()->SetVisible(true);
    Edit->EditButton()->SetDropdownMenu(&menu);
    int clicks = 0;
    Edit->OnButtonClick = [&](TObject*, bool&) { ++clicks; };
    TScriptedResponder user;
    TInteractionScope scope(user);
    user.MenuItem("");
    ClickEntry(0);
    ASSERT_EQ(user.Requests().size(), 1u);
    EXPECT_EQ(Edit->Opened, 0);
    EXPECT_EQ(clicks, 0);
    EXPECT_FALSE(Edit->ButtonControl(0)->Down());
}

TEST_F(EditButtonsTest, ADisabledEditDisablesItsButtons) {
    Edit->EditButton()->SetVisible(true);
    Edit->EditButtons()->AddButton();
    Edit->EditButtons()->ButtonAt(0)->SetEnabled(false);
    EXPECT_TRUE(Edit->ButtonControl(0)->Enabled());
    EXPECT_FALSE(Edit->ButtonControl(1)->Enabled());
    Edit->SetEnabled(false);
    EXPECT_FALSE(Edit->ButtonControl(0)->Enabled());
    Edit->SetEnabled(true);
    EXPECT_TRUE(Edit->ButtonControl(0)->Enabled());
    EXPECT_FALSE(Edit->ButtonControl(1)->Enabled());
}

TEST_F(EditButtonsTest, FurtherButtonsRunTheirOwnEventsAndPressesOnStripOrImageLeaveTheCaret) {
    Edit->EditButton()->SetVisible(true);
    auto* images = new TImageList(16, 16, &form);
    Edit->ImageSettings()->SetImages(images);
    Edit->ImageSettings()->SetVisible(true);
    TEditButtonGx* extra = Edit->EditButtons()->AddButton();
    int downs = 0, clicks = 0;
    extra->OnDown = [&](TObject*, bool, bool&, bool&) { ++downs; };
    extra->OnClick = [&](TObject*, bool& Handled) {
        ++clicks;
        Handled = true;
    };
    Edit->SetText("abcdef");
    Edit->SetFocus();
    Edit->SetSelStart(2);
    Edit->SetSelLength(0);
    ClickEntry(1);
    EXPECT_EQ(downs, 1);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(Edit->Opened, 0);
    EXPECT_EQ(Edit->SelStart(), 2);
    // A press in the strip's area outside the buttons never reaches the native edit either.
    SimulateClick(Edit, Edit->ClientWidth() - 2, Edit->ClientHeight() - 2);
    EXPECT_EQ(Edit->SelStart(), 2);
    // Nor does one on the image at the left, where the text would put the caret at 0.
    TRect area;
    Edit->TextAreaRect(area);
    ASSERT_EQ(area.Left, images->Width() + 4);
    SimulateClick(Edit, 5, Edit->ClientHeight() / 2);
    EXPECT_EQ(Edit->SelStart(), 2);
    SimulateClick(Edit, area.Left + 1, Edit->ClientHeight() / 2); // the text itself still takes it
    EXPECT_EQ(Edit->SelStart(), 0);
}

} // namespace
