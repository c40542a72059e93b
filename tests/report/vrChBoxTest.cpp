// The check-box object: defaults, data from expressions with Null, and the line marks.
#include "report/vrChBox.h"
#include "WhiteBitmap.h"
#include "report/vrClass.h"

#include <gtest/gtest.h>

TEST(CheckBox, NewIsCheckedAndFiveMillimetresSquare) {
    TvrCheckBoxView c(nullptr);
    EXPECT_TRUE(c.Checked);
    EXPECT_NEAR(static_cast<double>(c.Width()), 18.89765, 1e-9);
    EXPECT_EQ(c.Width(), c.Height());
    EXPECT_EQ(c.GetDescription(), "obChBox");
    EXPECT_TRUE(c.Flags.Contains(ofAttributeDiff));
}

TEST(CheckBox, ExpressionsDecideAndNullIsUnchecked) {
    vrStartUp();
    TvrReport report(nullptr);
    auto* c = new TvrCheckBoxView(&report);
    struct TCase {
        const char* Expression;
        bool Checked;
    } cases[] = {{"Null", false}, {"1", true}, {"0", false}, {"1 = 1", true}};
    for (const TCase& k : cases) {
        c->Checked = !k.Checked;
        c->Expression = k.Expression;
        c->GetData();
        EXPECT_EQ(c->Checked, k.Checked) << k.Expression;
    }
    c->Expression.clear();
    c->Checked = false;
    c->GetData();
    EXPECT_FALSE(c->Checked);
}

TEST(CheckBox, LineMarksWithAFrameWidthOfZero) {
    TvrCheckBoxView c(nullptr);
    c.SetBounds(10, 10, 40, 40);
    c.Frame()->SetWidth(0);
    c.Checked = false;
    c.UncheckStyle = usMinus;
    c.CheckColor = clBlue;
    TWhiteBitmap b;
    c.Draw(b.Canvas(), 1, 1, 0, 0);
    // One horizontal one-pixel line through the middle, from L + 3 to R - 2.
    EXPECT_EQ(b.At(30, 30), clBlue);
    EXPECT_EQ(b.At(14, 30), clBlue);
    EXPECT_EQ(b.At(12, 30), clWhite);
    EXPECT_EQ(b.At(30, 29), clWhite);
    EXPECT_EQ(b.At(30, 31), clWhite);

    c.Checked = true;
    c.CheckStyle = csLineCross;
    TWhiteBitmap b2;
    c.Draw(b2.Canvas(), 1, 1, 0, 0);
    EXPECT_EQ(b2.At(20, 20), clBlue);
    EXPECT_EQ(b2.At(40, 20), clBlue);
    EXPECT_EQ(b2.At(30, 20), clWhite);
}
