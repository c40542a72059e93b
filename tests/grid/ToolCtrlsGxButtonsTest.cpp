// Button and check-box drawing through the bitmap cache, their geometry, tree glyphs, edit
// buttons and the repeat of a held up-down button.
#include "grid/ToolCtrlsGxButtons.h"
#include "gui/Bitmap.h"
#include "gui/ClassicEdges.h"
#include "gui/Colors.h"
#include "gui/Forms.h"
#include "gui/InputSimulation.h"

#include <gtest/gtest.h>

namespace {

class ButtonsTest : public ::testing::Test {
protected:
    void SetUp() override {
        WasThemed = ThemedElementsEnabled();
        SetThemedElementsEnabled(false); // the classic look: pixels our own code draws
        FlushButtonBitmaps();
    }
    void TearDown() override { SetThemedElementsEnabled(WasThemed); }
    bool WasThemed = true;
};

TEST_F(ButtonsTest, CacheEntriesDifferInActiveAndANegativeWidthIsZero) {
    TBitmap target;
    target.SetSize(40, 40);
    PaintEditButton(target.Canvas(), Rect(0, 0, 16, 18), clRed, bdsDropDownGx, 0, false, false, true, 0);
    EXPECT_EQ(ButtonBitmapCount(), 1);
    PaintEditButton(target.Canvas(), Rect(0, 0, 16, 18), clRed, bdsDropDownGx, 0, false, false, true, 0);
    EXPECT_EQ(ButtonBitmapCount(), 1);
    PaintEditButton(target.Canvas(), Rect(0, 0, 16, 18), clRed, bdsDropDownGx, 0, false, true, true, 0);
    EXPECT_EQ(ButtonBitmapCount(), 2);
    TBitmap* b = ButtonBitmap(-5, 10, bdsEllipsisGx, false, false, false, true, 0, 0);
    EXPECT_EQ(b->Width(), 0);
    EXPECT_EQ(ButtonBitmap(0, 10, bdsEllipsisGx, false, false, false, true, 0, 0), b);
    NotifySysColorChange(); // the system colours changed: everything drawn ahead goes
    EXPECT_EQ(ButtonBitmapCount(), 0);
}

TEST_F(ButtonsTest, AnUpDownPairOfOddHeightShowsTheParentColourBetweenItsHalves) {
    TBitmap target;
    target.SetSize(16, 15);
    PaintEditButton(target.Canvas(), Rect(0, 0, 16, 15), clRed, bdsUpDownGx, 2, false, false, true, 0);
    for (int x = 0; x < 16; ++x)
        EXPECT_EQ(ColorToPixelRGB(target.Canvas()->Pixels(x, 7)), ColorToPixelRGB(clRed)) << x;
    EXPECT_NE(ColorToPixelRGB(target.Canvas()->Pixels(8, 6)), ColorToPixelRGB(clRed));
    EXPECT_EQ(UpDownParts(Rect(0, 0, 16, 16), false).Line.Height(), 0);
    const TUpDownPartsGx framed = UpDownParts(Rect(0, 0, 16, 16), true);
    EXPECT_EQ(framed.Line, Rect(1, 7, 15, 9));
    EXPECT_EQ(framed.Upper, Rect(1, 1, 15, 7));
}

TEST_F(ButtonsTest, Geometry) {
    const TEllipsisDotsGx d7 = EllipsisDots(Rect(0, 0, 7, 10), false);
    EXPECT_EQ(d7.Dots[0], Rect(1, 5, 2, 6));
    EXPECT_EQ(d7.Dots[1], Rect(3, 5, 4, 6));
    EXPECT_EQ(d7.Dots[2], Rect(5, 5, 6, 6));
    const TEllipsisDotsGx d12 = EllipsisDots(Rect(0, 0, 12, 12), true);
    EXPECT_EQ(d12.Dots[0], Rect(2, 6, 4, 8));
    EXPECT_EQ(d12.Dots[1], Rect(6, 6, 8, 8));
    EXPECT_EQ(d12.Dots[2], Rect(10, 6, 12, 8));

    const TPlusMinusBarsGx plus = PlusMinusBars(Rect(3, 5, 13, 15), true, false, false);
    EXPECT_EQ(plus.Horizontal, Bounds(3 + 1, 5 + 4, 7, 1));
    EXPECT_EQ(plus.Vertical, Bounds(3 + 4, 5 + 1, 1, 7));
    const TPlusMinusBarsGx minus = PlusMinusBars(Rect(0, 0, 10, 10), false, false, false);
    EXPECT_EQ(minus.Horizontal, Bounds(2, 4, 6, 1));
    EXPECT_EQ(minus.Vertical.Width(), 0);

    struct {
        int Width;
        bool Flat;
        int Height;
    } heights[] = {{15, false, 15}, {15, true, 22}, {13, true, 20}, {5, true, 8}, {9, true, 14}};
    for (auto& h : heights)
        EXPECT_EQ(EditButtonHeightFor(h.Width, h.Flat), h.Height) << h.Width;
    EXPECT_EQ(FlatButtonWidthFor(13, 17), 9);
    EXPECT_EQ(FlatButtonWidthFor(15, 17), 11);
    EXPECT_EQ(FlatButtonWidthFor(30, 17), 17);

    EXPECT_EQ(PlaceCheckBox(Rect(0, 0, 40, 20), taRightJustify, tlCenterGx), Rect(27, 4, 40, 17));
    EXPECT_EQ(PlaceCheckBox(Rect(0, 0, 40, 20), taCenter, tlTopGx), Rect(14, 0, 27, 13));
    EXPECT_EQ(PlaceCheckBox(Rect(10, 10, 50, 18), taLeftJustify, tlBottomGx), Rect(10, 10, 23, 18));
}

TEST_F(ButtonsTest, TreeGlyphKindsNineAndSix) {
    auto draw = [](int kind) {
        auto b = std::make_unique<TBitmap>();
        b->SetSize(16, 16);
        b->Canvas()->Brush()->SetColor(clWhite);
        b->Canvas()->FillRect(Rect(0, 0, 16, 16));
        PaintTreeGlyph(b->Canvas(), Rect(0, 0, 16, 16), kind, 0, 1, 1, false);
        return b;
    };
    auto shadow = [](TBitmap& b, int x, int y) {
        return ColorToPixelRGB(b.Canvas()->Pixels(x, y)) == ColorToPixelRGB(clBtnShadow);
    };
    auto nine = draw(9);
    auto six = draw(6);
    int vertical9 = 0, right9 = 0, right6 = 0;
    for (int y = 0; y < 16; ++y)
        vertical9 += shadow(*nine, 8, y);
    for (int x = 9; x < 16; ++x) {
        right9 += shadow(*nine, x, 8);
        right6 += shadow(*six, x, 8);
    }
    EXPECT_EQ(vertical9, 8); // every other pixel of the full height
    EXPECT_EQ(right9, 0);
    EXPECT_GE(right6, 3);
    for (int y = 0; y < 16; ++y)
        EXPECT_EQ(shadow(*nine, 8, y), shadow(*six, 8, y)) << y;
}

TEST_F(ButtonsTest, EditButtons) {
    TEditButtonGx button;
    int changes = 0;
    button.ChangeHook = [&](TEditButtonGx*) { ++changes; };
    button.SetNumGlyphs(0);
    EXPECT_EQ(button.NumGlyphs(), 1);
    button.SetNumGlyphs(7);
    EXPECT_EQ(button.NumGlyphs(), 4);
    EXPECT_EQ(changes, 1);
    bool handled = false;
    button.ExecuteClick(&button, handled);
    EXPECT_FALSE(handled);
    button.OnClick = [](TObject*, bool& h) { h = true; };
    button.ExecuteClick(&button, handled);
    EXPECT_TRUE(handled);
    TVisibleEditButtonGx visible;
    EXPECT_TRUE(visible.Visible());
    EXPECT_EQ(visible.ShortCut(), 0x8028);
    visible.Assign(&button);
    EXPECT_EQ(visible.NumGlyphs(), 4);
    EXPECT_FALSE(visible.Visible());
}

TEST_F(ButtonsTest, AHeldUpDownButtonRepeatsAfter400ThenEvery100Ms) {
    TForm form(nullptr);
    TEditButtonControlGx button(&form);
    button.SetParent(&form);
    button.SetBounds(0, 0, 16, 20);
    button.SetStyle(ebsUpDownGx);
    std::vector<bool> downs;
    button.DownHook = [&](TObject*, bool top, bool& repeat, bool&) {
        downs.push_back(top);
        repeat = downs.size() < 4;
    };
    SimulateMouseDown(&button, mbLeft, 5, 15);
    EXPECT_EQ(button.DownButton(), 2);
    EXPECT_EQ(downs, (std::vector<bool>{false}));
    EXPECT_EQ(button.RepeatInterval(), 400u);
    button.RepeatTick();
    EXPECT_EQ(button.RepeatInterval(), 100u);
    button.RepeatTick();
    button.RepeatTick(); // the hook asks for no more repeats
    EXPECT_EQ(downs.size(), 4u);
    EXPECT_EQ(button.RepeatInterval(), 0u);

    // Moving into the upper half releases the button; a release then clicks nothing.
    int clicks = 0;
    button.OnClick = [&](TObject*) { ++clicks; };
    SimulateMouseDown(&button, mbLeft, 5, 2);
    EXPECT_EQ(button.DownButton(), 1);
    SimulateMouseMove(&button, 5, 15, TShiftState{ssLeft});
    EXPECT_FALSE(button.Pressed());
    button.RepeatTick();
    EXPECT_EQ(downs.size(), 5u); // the press; the tick of a released button does nothing
    SimulateMouseUp(&button, mbLeft, 5, 15);
    EXPECT_EQ(clicks, 0);
    SimulateClick(&button, 5, 15);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(button.RepeatInterval(), 0u);
}

} // namespace
