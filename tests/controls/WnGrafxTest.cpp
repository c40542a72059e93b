// Gradients: the colour steps in 16.16 fixed point, bands of one colour merged into one fill, the
// solid cases, and placement of the picture.
#include "controls/WnGrafx.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

// Records the fills a ramp makes (rectangle and brush colour).
class TFillRecorder : public TCanvas {
public:
    struct Fill {
        TRect R;
        TColor C;
    };
    std::vector<Fill> Fills;

protected:
    void DevFillRect(const TRect& r) override { Fills.push_back({r, Brush()->Color()}); }
};

TColor Px(TBitmap& b, int x, int y) {
    return b.Canvas()->Pixels(x, y);
}

std::unique_ptr<TBitmap> White(int w, int h) {
    auto b = std::make_unique<TBitmap>(w, h, pf32bit);
    b->Canvas()->Brush()->SetColor(clWhite);
    b->Canvas()->FillRect(TRect(0, 0, w, h));
    return b;
}

} // namespace

TEST(WnGrafx, TopToBottomEndsOnTheStopColourAndStartsOneStepShort) {
    auto bp = White(10, 16);
    TBitmap& b = *bp;
    DrawGradient(b.Canvas(), TRect(0, 0, 10, 16), grdTopToBottom, clRed, clBlue, 1);
    // The bottom row is the stop colour exactly; the top row is 15 of 16 steps from it:
    // red 15 * (255 << 16) / 16 >> 16 = 239, blue 255 - 239.06 = 15.
    for (int x : {0, 5, 9}) {
        EXPECT_EQ(Px(b, x, 15), clBlue);
        EXPECT_EQ(Px(b, x, 0), static_cast<TColor>(RGB(239, 0, 15)));
    }
    // Left to right is the same ramp turned.
    auto cp = White(16, 3);
    TBitmap& c = *cp;
    DrawGradient(c.Canvas(), TRect(0, 0, 16, 3), grdLeftToRight, clRed, clBlue, 1);
    EXPECT_EQ(Px(c, 15, 2), clBlue);
    EXPECT_EQ(Px(c, 0, 0), static_cast<TColor>(RGB(239, 0, 15)));
}

TEST(WnGrafx, EqualStepsMergeIntoOneBand) {
    struct Case {
        TColor From, To;
        int Length;
        Byte Steps;
        size_t Fills;
    } cases[] = {
        {clRed, clRed, 40, 1, 1},                               // one colour: one fill
        {clBlack, static_cast<TColor>(RGB(4, 4, 4)), 40, 1, 5}, // levels 4 down to 0 over 40 rows
        {clBlack, clWhite, 10, 1, 10},                          // every row differs
        {clBlack, clWhite, 10, 5, 2},                           // at least 5 rows a band
        {clBlack, clWhite, 300, 16, 19},                        // 255 div 16 + 1 = 16 rows a band
    };
    for (const Case& c : cases) {
        TFillRecorder rec;
        DrawLinearRamp(&rec, 0, -1, c.Length, c.From, c.To, c.Steps);
        EXPECT_EQ(rec.Fills.size(), c.Fills) << c.Length << " steps " << int(c.Steps);
        // Bands cover the ramp without gaps, from the bottom up.
        int covered = 0;
        for (const auto& f : rec.Fills)
            covered += f.R.Bottom - f.R.Top;
        EXPECT_EQ(covered, c.Length);
        EXPECT_EQ(rec.Fills.front().R.Bottom, c.Length);
        EXPECT_EQ(rec.Fills.front().C, static_cast<TColor>(ColorToRGB(c.To)));
    }
}

TEST(WnGrafx, EqualColoursFillSolidlyInEveryStyle) {
    for (int style = grdRisingDiagonal; style <= grdInsetBox; ++style) {
        auto bp = White(20, 12);
        TBitmap& b = *bp;
        DrawGradient(b.Canvas(), TRect(0, 0, 20, 12), RampStyle(style), clTeal, clTeal, 1);
        for (int y = 0; y < 12; ++y)
            for (int x = 0; x < 20; ++x)
                ASSERT_EQ(Px(b, x, y), clTeal) << "style " << style << " at " << x << "," << y;
    }
}

TEST(WnGrafx, BoxStylesOnAThinAreaFillWithTheStartColour) {
    for (RampStyle style : {grdWideBox, grdTallBox, grdFullBox, grdInsetBox}) {
        auto bp = White(4, 20);
        TBitmap& b = *bp;
        DrawGradient(b.Canvas(), TRect(0, 0, 4, 20), style, clRed, clBlue, 1);
        EXPECT_EQ(Px(b, 0, 0), clRed) << style;
        EXPECT_EQ(Px(b, 3, 19), clRed) << style;
    }
}

TEST(WnGrafx, BoxAndDiagonalRampsRunFromEdgeToCentreAndCornerToCorner) {
    auto bp = White(41, 41);
    TBitmap& b = *bp;
    DrawGradient(b.Canvas(), TRect(0, 0, 41, 41), grdFullBox, clBlack, clWhite, 1);
    // Start colour at the edges, stop colour in the middle, mirrored to every quadrant.
    EXPECT_LT(GetRValue(ColorToRGB(Px(b, 0, 0))), 20);
    EXPECT_LT(GetRValue(ColorToRGB(Px(b, 40, 40))), 20);
    EXPECT_GT(GetRValue(ColorToRGB(Px(b, 20, 20))), 230);

    auto dp = White(40, 30);
    TBitmap& d = *dp;
    DrawGradient(d.Canvas(), TRect(0, 0, 40, 30), grdRisingDiagonal, clBlack, clWhite, 1);
    EXPECT_LT(GetRValue(ColorToRGB(Px(d, 0, 29))), 30);  // start colour bottom left
    EXPECT_GT(GetRValue(ColorToRGB(Px(d, 39, 0))), 220); // stop colour top right
    auto fp = White(40, 30);
    TBitmap& f = *fp;
    DrawGradient(f.Canvas(), TRect(0, 0, 40, 30), grdFallingDiagonal, clBlack, clWhite, 1);
    EXPECT_LT(GetRValue(ColorToRGB(Px(f, 0, 0))), 30);    // start colour top left
    EXPECT_GT(GetRValue(ColorToRGB(Px(f, 39, 29))), 220); // stop colour bottom right
}

TEST(WnGrafx, PlacementOfTheGradient) {
    // A rectangle given right to left paints its absolute width from its Left value.
    auto bp = White(40, 5);
    TBitmap& b = *bp;
    DrawGradient(b.Canvas(), TRect(20, 0, 10, 5), grdTopToBottom, clRed, clRed, 1);
    EXPECT_EQ(Px(b, 19, 2), clWhite);
    EXPECT_EQ(Px(b, 20, 2), clRed);
    EXPECT_EQ(Px(b, 29, 2), clRed);
    EXPECT_EQ(Px(b, 30, 2), clWhite);
    // A zero-sized area paints nothing.
    TFillRecorder rec;
    DrawGradient(&rec, TRect(5, 5, 5, 50), grdTopToBottom, clRed, clBlue, 1);
    EXPECT_TRUE(rec.Fills.empty());
}
