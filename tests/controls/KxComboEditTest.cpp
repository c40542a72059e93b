// The combo edit under a calculator edit: the embedded button and its width, the minimum height,
// opening the drop-down by key or button, its place below or above the edit, the focus.
#include "controls/KxCalc.h"
#include "controls/kxCurrEdit.h"
#include "controls/kxVclutils.h"
#include "gui/Clipbrd.h"
#include "gui/Colors.h"
#include "gui/ExtCtrls.h"
#include "gui/Forms.h"
#include "gui/InputSimulation.h"
#include "gui/PopupControl.h"
#include "gui/SystemMetrics.h"

#include <gtest/gtest.h>

namespace {

struct TComboForm {
    TForm Form{nullptr};
    TKxCalcEdit* Edit;
    explicit TComboForm(int Left = 100, int Top = 100) {
        Form.SetBorderStyle(bsNone);
        Form.SetBounds(Left, Top, 300, 60);
        Edit = new TKxCalcEdit(&Form);
        Edit->SetParent(&Form);
        Edit->SetBounds(10, 10, 121, 21);
        Form.Show();
        Edit->SetFocus();
    }
};

} // namespace

TEST(ComboEdit, ButtonWidthZeroAndOneHideTheButton) {
    TComboForm f;
    TKxCalcEdit* e = f.Edit;
    EXPECT_EQ(e->ButtonWidth(), 21);
    EXPECT_TRUE(e->ButtonHolder()->Visible());
    EXPECT_EQ(e->TextMargins().Right, 21);
    EXPECT_EQ(e->NumGlyphs(), 2) << "the calculator glyph has a normal and a disabled cell";
    EXPECT_EQ(e->Glyph()->Width(), 28);
    struct Case {
        int Width;
        bool Visible;
        int TextRight;
    };
    const Case cases[] = {{0, false, 0}, {1, false, 1}, {30, true, 30}, {21, true, 21}};
    for (const Case& k : cases) {
        e->SetButtonWidth(k.Width);
        EXPECT_EQ(e->ButtonWidth(), k.Width);
        EXPECT_EQ(e->ButtonHolder()->Visible(), k.Visible) << k.Width;
        EXPECT_EQ(e->TextMargins().Right, k.TextRight) << k.Width;
    }
    e->SetButtonWidth(500);
    EXPECT_EQ(e->ButtonWidth(), 21) << "not wider than the edit";
    // The currency edit has no button.
    auto* money = new TCurrencyEdit(&f.Form);
    EXPECT_EQ(money->ButtonWidth(), 0);
    EXPECT_EQ(money->Popup(), nullptr);
}

TEST(ComboEdit, MinimumHeight) {
    TComboForm f;
    TKxCalcEdit* e = f.Edit;
    TCanvas measure;
    measure.Font()->Assign(*e->Font());
    const int minimum = measure.TextMetrics().tmHeight + 4 + 1;
    EXPECT_EQ(e->MinimumHeight(), minimum);
    e->SetHeight(5);
    EXPECT_EQ(e->Height(), minimum);
    e->SetHeight(40);
    EXPECT_EQ(e->Height(), 40);
}

TEST(ComboEdit, AltDownOpensThePopupBelowAndTheEditKeepsTheFocus) {
    SetKxPressPause([](int) {});
    TComboForm f;
    TKxCalcEdit* e = f.Edit;
    EXPECT_EQ(e->ClickKey(), 32808);
    SimulateKey(e, VK_DOWN, TShiftState{ssAlt});
    ASSERT_TRUE(e->PopupVisible());
    TPopupWindow* popup = e->Popup();
    EXPECT_TRUE(popup->PopupShowing());
    const TPoint origin = e->ClientToScreen(Point(0, 0));
    EXPECT_EQ(popup->Top(), origin.Y + e->Height());
    EXPECT_EQ(popup->Left(), origin.X + e->Width() - popup->Width()) << "right edges aligned";
    EXPECT_EQ(popup->Width(), 137);
    EXPECT_EQ(popup->Height(), 127);
    EXPECT_EQ(FindFocusedControl(), e);
    EXPECT_TRUE(e->Focused());
    EXPECT_TRUE(e->TCustomEdit::ReadOnly()) << "no typing into the edit while the calculator is open";
    // Alt+Down again: the click key closes it with acceptance.
    SimulateKey(e, VK_DOWN, TShiftState{ssAlt});
    EXPECT_FALSE(e->PopupVisible());
    EXPECT_FALSE(popup->PopupShowing());
    EXPECT_FALSE(e->TCustomEdit::ReadOnly());
    // Without a button the click key does nothing.
    e->SetButtonWidth(0);
    SimulateKey(e, VK_DOWN, TShiftState{ssAlt});
    EXPECT_FALSE(e->PopupVisible());
    SetKxPressPause(nullptr);
}

TEST(ComboEdit, PopupOpensAboveWithoutRoomBelow) {
    const TRect screen = MonitorRectAt(Point(0, 0));
    TComboForm f(screen.Right - 140, screen.Bottom - 60);
    TKxCalcEdit* e = f.Edit;
    e->SetPopupAlign(epaLeft);
    e->DoClick();
    ASSERT_TRUE(e->PopupVisible());
    const TPoint origin = e->ClientToScreen(Point(0, 0));
    TPopupWindow* popup = e->Popup();
    EXPECT_EQ(popup->Top(), origin.Y - popup->Height());
    // Left-aligned it would leave the screen on the right: it ends at the edit's right edge.
    EXPECT_EQ(popup->Left(), origin.X + e->Width() - popup->Width());
    EXPECT_LE(popup->Left() + popup->Width(), screen.Right);
    EXPECT_EQ(FindFocusedControl(), e);
}

TEST(ComboEdit, ButtonPressWhileOpenClosesWithAcceptance) {
    SetKxPressPause([](int) {});
    TComboForm f;
    TKxCalcEdit* e = f.Edit;
    int buttonClicks = 0;
    e->OnButtonClick = [&](TObject*) { ++buttonClicks; };
    TEditButton* button = e->Button();
    SimulateClick(button, 5, 5);
    ASSERT_TRUE(e->PopupVisible());
    EXPECT_EQ(buttonClicks, 1);
    SimulateTyping(e, "42");
    SimulateClick(button, 5, 5);
    EXPECT_FALSE(e->PopupVisible()) << "closed, and not opened again";
    EXPECT_EQ(e->Value(), 42);
    EXPECT_EQ(buttonClicks, 1);
    // Read-only: the button does nothing.
    e->SetReadOnly(true);
    SimulateClick(button, 5, 5);
    EXPECT_FALSE(e->PopupVisible());
    EXPECT_EQ(buttonClicks, 1);
    SetKxPressPause(nullptr);
}

TEST(ComboEdit, LeavingClosesThePopupWithoutAcceptance) {
    SetKxPressPause([](int) {});
    TComboForm f;
    auto* other = new TEdit(&f.Form);
    other->SetParent(&f.Form);
    other->SetBounds(150, 10, 100, 21);
    TKxCalcEdit* e = f.Edit;
    e->SetValue(5);
    e->DoClick();
    SimulateTyping(e, "7");
    other->SetFocus();
    EXPECT_FALSE(e->PopupVisible());
    EXPECT_EQ(e->Value(), 5);
    SetKxPressPause(nullptr);
}

TEST(ComboEdit, APressOnAnotherControlClosesWithoutAcceptance) {
    SetKxPressPause([](int) {});
    TComboForm f;
    auto* panel = new TPanel(&f.Form);
    panel->SetParent(&f.Form);
    panel->SetBounds(150, 10, 100, 30);
    TKxCalcEdit* e = f.Edit;
    e->SetValue(5);
    e->DoClick();
    SimulateTyping(e, "7");
    // A press inside the drop-down leaves it open.
    SimulateMouseDown(e->Popup(), mbLeft, 1, 1);
    EXPECT_TRUE(e->PopupVisible());
    SimulateMouseDown(panel, mbLeft, 5, 5);
    EXPECT_FALSE(e->PopupVisible());
    EXPECT_EQ(e->Value(), 5);
    SetKxPressPause(nullptr);
}

TEST(ComboEdit, GlyphKindsSetTheButton) {
    TComboForm f;
    TKxCalcEdit* e = f.Edit;
    const int scrollBar = GetSystemMetrics(SM_CXVSCROLL);
    ASSERT_GT(scrollBar, 1);
    struct Case {
        TGlyphKind Kind;
        int NumGlyphs, ButtonWidth, GlyphWidth, GlyphHeight;
    };
    const Case cases[] = {
        {gkEllipsis, 1, 21, 21 - 6, 4},
        {gkDropDown, 1, scrollBar, 7, 4},
        // The calculator glyph widens a narrower button to a cell and 6 pixels.
        {gkDefault, 2, std::max(28 / 2 + 6, scrollBar), 28, 12},
        {gkCustom, 2, std::max(28 / 2 + 6, scrollBar), 28, 12}, // the glyph stays
    };
    for (const Case& k : cases) {
        e->SetGlyphKind(k.Kind);
        EXPECT_EQ(e->NumGlyphs(), k.NumGlyphs) << k.Kind;
        EXPECT_EQ(e->ButtonWidth(), k.ButtonWidth) << k.Kind;
        EXPECT_EQ(e->Glyph()->Width(), k.GlyphWidth) << k.Kind;
        EXPECT_EQ(e->Glyph()->Height(), k.GlyphHeight) << k.Kind;
    }
    // The ellipsis of a 21-pixel button: three 2-by-2 dots 3 apart, centred in 15 pixels.
    e->SetButtonWidth(21);
    e->SetGlyphKind(gkEllipsis);
    const TBitmap* dots = e->Glyph();
    for (int x = 0; x < dots->Width(); ++x) {
        const bool dot = (x >= 1 && x < 3) || (x >= 6 && x < 8) || (x >= 11 && x < 13);
        EXPECT_EQ(ColorToPixelRGB(dots->Pixel(x, 1)) == 0, dot) << x;
        EXPECT_EQ(ColorToPixelRGB(dots->Pixel(x, 0)) == 0, false) << x;
    }
}

TEST(ComboEdit, WithoutDirectInputOnlyTheButtonChangesTheValue) {
    SetKxPressPause([](int) {});
    TComboForm f;
    TKxCalcEdit* e = f.Edit;
    e->SetValue(5);
    e->SetDirectInput(false);
    e->SetFocus();
    SimulateTyping(e, "9");
    EXPECT_EQ(e->Text(), "5") << "no typing";
    Clipboard()->SetAsText("8");
    e->PasteText();
    EXPECT_EQ(e->Text(), "5") << "no paste";
    e->DoClick();
    ASSERT_TRUE(e->PopupVisible()) << "the button still opens the calculator";
    SimulateTyping(e, "7=");
    EXPECT_FALSE(e->PopupVisible());
    EXPECT_EQ(e->Value(), 7) << "the accepted value reaches the edit";
    SetKxPressPause(nullptr);
}
