// How the numeric edits look, drawn offscreen: the unfocused value right-aligned through its
// display format left of the calculator button, the focused plain edit text, the currency edit
// without a button, and the open calculator with its coloured keys. With ORV_SHOT_DIR set the
// pictures are also written there as PNG files to be looked at.
#include "controls/KxCalc.h"
#include "controls/kxCurrEdit.h"
#include "gui/Colors.h"
#include "gui/ControlShot.h"
#include "gui/Forms.h"
#include "gui/Screenshot.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

void Keep(const TBitmap& shot, const char* name) {
    if (const char* dir = std::getenv("ORV_SHOT_DIR"))
        SaveBitmapAsPng(shot, String(dir) + "/" + name + ".png");
}

bool Dark(TColor c) {
    const TColorRef p = ColorToPixelRGB(c);
    return GetRValue(p) < 0x60 && GetGValue(p) < 0x60 && GetBValue(p) < 0x60;
}

// The columns (x) of the bitmap's dark pixels between rows top and bottom, left of limit.
std::pair<int, int> DarkColumns(const TBitmap& b, int limit) {
    int first = -1, last = -1;
    for (int x = 3; x < limit; ++x)
        for (int y = 4; y < b.Height() - 4; ++y)
            if (Dark(b.Pixel(x, y))) {
                if (first < 0) first = x;
                last = x;
                break;
            }
    return {first, last};
}

int CountColour(const TBitmap& b, TColor colour, int tolerance = 0x30) {
    const TColorRef want = ColorToPixelRGB(colour);
    int n = 0;
    for (int y = 0; y < b.Height(); ++y)
        for (int x = 0; x < b.Width(); ++x) {
            const TColorRef p = ColorToPixelRGB(b.Pixel(x, y));
            if (std::abs(GetRValue(p) - GetRValue(want)) <= tolerance &&
                std::abs(GetGValue(p) - GetGValue(want)) <= tolerance &&
                std::abs(GetBValue(p) - GetBValue(want)) <= tolerance)
                ++n;
        }
    return n;
}

struct TLookForm {
    TForm Form{nullptr};
    TKxCalcEdit* Calc;
    TCurrencyEdit* Money;
    TEdit* Other;
    TLookForm() {
        Form.SetBounds(100, 100, 320, 140);
        Calc = new TKxCalcEdit(&Form);
        Calc->SetParent(&Form);
        Calc->SetBounds(10, 10, 160, 23);
        Money = new TCurrencyEdit(&Form);
        Money->SetParent(&Form);
        Money->SetBounds(10, 45, 160, 23);
        Other = new TEdit(&Form);
        Other->SetParent(&Form);
        Other->SetBounds(10, 80, 160, 23);
        Form.Show();
        Other->SetFocus();
    }
};

} // namespace

TEST(NumEditLook, UnfocusedValueIsRightAlignedBesideTheButton) {
    TLookForm f;
    f.Calc->SetValue(1234.5L);
    TBitmap shot;
    GrabControl(f.Calc, shot);
    Keep(shot, "numedit_unfocused");
    const int button = f.Calc->ButtonWidth();
    const auto [first, last] = DarkColumns(shot, shot.Width() - button - 2);
    ASSERT_GE(first, 0) << "the display text shows";
    EXPECT_GT(first, shot.Width() / 3) << "right-aligned: nothing on the left";
    EXPECT_GE(last, shot.Width() - button - 12) << "it ends near the button";
    // The calculator glyph on the button: its black outline in the button's area.
    int glyph = 0;
    for (int y = 0; y < shot.Height(); ++y)
        for (int x = shot.Width() - button; x < shot.Width(); ++x)
            if (Dark(shot.Pixel(x, y))) ++glyph;
    EXPECT_GT(glyph, 20);
}

// The unfocused value sits by Alignment in the room left of the button.
TEST(NumEditLook, DisplayTextFollowsTheAlignment) {
    TLookForm f;
    f.Calc->SetValue(1234.5L);
    const int room = f.Calc->Width() - f.Calc->ButtonWidth();
    struct Case {
        TAlignment Alignment;
        int MiddleFrom, MiddleTo; // where the middle of the text's dark columns lies
    };
    const Case cases[] = {
        {taLeftJustify, 0, room / 3},
        {taCenter, room / 2 - 4, room / 2 + 4},
        {taRightJustify, room * 2 / 3, room},
    };
    for (const Case& k : cases) {
        f.Calc->SetAlignment(k.Alignment);
        TBitmap shot;
        GrabControl(f.Calc, shot);
        const auto [first, last] = DarkColumns(shot, room - 2);
        ASSERT_GE(first, 0) << k.Alignment;
        const int middle = (first + last) / 2;
        EXPECT_GE(middle, k.MiddleFrom) << k.Alignment;
        EXPECT_LE(middle, k.MiddleTo) << k.Alignment;
    }
}

TEST(NumEditLook, FocusedEditTextStartsAtTheLeft) {
    TLookForm f;
    f.Calc->SetValue(1234.5L);
    f.Calc->SetFocus();
    f.Calc->SetSelStart(0);
    TBitmap shot;
    GrabControl(f.Calc, shot);
    Keep(shot, "numedit_focused");
    const auto [first, last] = DarkColumns(shot, shot.Width() - f.Calc->ButtonWidth() - 2);
    ASSERT_GE(first, 0);
    EXPECT_LT(first, 12) << "the plain edit text is typed from the left";
    EXPECT_LT(last, shot.Width() / 2) << "\"1234.5\" without the separators";
}

TEST(NumEditLook, CurrencyEditHasNoButton) {
    TLookForm f;
    f.Money->SetValue(1234.5L);
    TBitmap shot;
    GrabControl(f.Money, shot);
    Keep(shot, "currencyedit");
    const auto [first, last] = DarkColumns(shot, shot.Width() - 2);
    ASSERT_GE(first, 0);
    EXPECT_GT(first, shot.Width() / 3);
    EXPECT_GE(last, shot.Width() - 14) << "the text runs to the right edge: no button";
}

TEST(NumEditLook, OpenCalculator) {
    TLookForm f;
    f.Calc->SetValue(12.5L);
    f.Calc->SetFocus();
    f.Calc->DoClick();
    ASSERT_TRUE(f.Calc->PopupVisible());
    TBitmap shot;
    GrabControl(f.Calc->Popup(), shot);
    Keep(shot, "calculator_popup");
    TBitmap edit;
    GrabControl(f.Calc, edit);
    Keep(edit, "numedit_with_popup");
    EXPECT_EQ(shot.Width(), 137);
    EXPECT_EQ(shot.Height(), 127);
    // Operator keys in purple, "sqrt" "%" "1/x" in navy, "<-" and "C" in maroon.
    EXPECT_GT(CountColour(shot, clPurple), 10);
    EXPECT_GT(CountColour(shot, clNavy), 10);
    EXPECT_GT(CountColour(shot, clMaroon), 10);
    // While the calculator is open the edit shows its display from the left.
    const auto [first, last] = DarkColumns(edit, edit.Width() - f.Calc->ButtonWidth() - 2);
    ASSERT_GE(first, 0);
    EXPECT_LT(first, 12);
    (void)last;
}
