// Exclusive-or strokes over a shown control: shown at once over its painting, erased when drawn
// again, kept over later paints; the window-moved notification.
#include "gui/Bitmap.h"
#include "gui/ControlShot.h"
#include "gui/ExtCtrls.h"
#include "gui/Forms.h"
#include "gui/ScreenStrokes.h"

#include <gtest/gtest.h>

namespace {

TColor PixelOf(TControl* control, int x, int y) {
    TBitmap shot;
    GrabControl(control, shot);
    return shot.Canvas()->Pixels(x, y) & 0xFFFFFF;
}

} // namespace

TEST(ScreenStrokes, AStrokeInvertsWhatLiesUnderItUntilDrawnAgain) {
    TForm form(nullptr);
    form.SetBounds(0, 0, 300, 200);
    auto* panel = new TPanel(&form);
    panel->SetParent(&form);
    panel->SetBevelOuter(bvNone);
    panel->SetColor(clWhite);
    panel->SetBounds(10, 10, 200, 100);
    form.Show();
    const TScreenStroke stroke{{10, 20}, {100, 20}, clSilver, false};
    DrawXorStroke(panel, stroke);
    ASSERT_EQ(XorStrokes(panel).size(), 1u);
    EXPECT_EQ(PixelOf(panel, 50, 20), 0xFFFFFFu ^ 0xC0C0C0u);
    EXPECT_EQ(PixelOf(panel, 50, 21), 0xFFFFFFu);
    // A repaint keeps it over the painting.
    panel->Invalidate();
    EXPECT_EQ(PixelOf(panel, 50, 20), 0xFFFFFFu ^ 0xC0C0C0u);
    DrawXorStroke(panel, stroke);
    EXPECT_TRUE(XorStrokes(panel).empty());
    EXPECT_EQ(PixelOf(panel, 50, 20), 0xFFFFFFu);
    // A frame is four strokes; clearing erases them all.
    DrawXorFrame(panel, Rect(5, 5, 50, 40), clBlack, true);
    EXPECT_EQ(XorStrokes(panel).size(), 4u);
    ClearXorStrokes(panel);
    EXPECT_TRUE(XorStrokes(panel).empty());
}

TEST(ScreenStrokes, MovesOfTheControlOrAWindowAboveItAreReported) {
    TForm form(nullptr);
    form.SetBounds(0, 0, 300, 200);
    auto* outer = new TPanel(&form);
    outer->SetParent(&form);
    outer->SetBounds(10, 10, 200, 150);
    auto* inner = new TPanel(&form);
    inner->SetParent(outer);
    inner->SetBounds(5, 5, 50, 50);
    form.Show();
    int moves = 0;
    SetWindowMovedHandler(inner, [&] { ++moves; });
    outer->SetBounds(20, 10, 200, 150);
    EXPECT_GE(moves, 1);
    const int before = moves;
    inner->SetBounds(6, 5, 50, 50);
    EXPECT_GT(moves, before);
    SetWindowMovedHandler(inner, nullptr);
    const int stopped = moves;
    outer->SetBounds(30, 10, 200, 150);
    EXPECT_EQ(moves, stopped);
}
