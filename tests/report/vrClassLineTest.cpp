// The line and subreport objects: straightening, drawing as a frame side, diagonals and arrow heads.
#include "report/vrClassLine.h"
#include "WhiteBitmap.h"
#include "report/vrClass.h"
#include "report/vrClassSubreport.h"

#include <gtest/gtest.h>

TEST(Line, StraightLinesBecomeHorizontalOrVertical) {
    struct TCase {
        Extended W, H;
        Extended ExpectW, ExpectH;
        int X, Y;
    } cases[] = {{100, 5, 100, 0, 60, 10}, {5, 100, 0, 100, 10, 60}};
    for (const TCase& c : cases) {
        TvrLineView l(nullptr);
        l.SetBounds(10, 10, c.W, c.H);
        TWhiteBitmap b;
        l.Draw(b.Canvas(), 1, 1, 0, 0);
        EXPECT_EQ(l.Width(), c.ExpectW);
        EXPECT_EQ(l.Height(), c.ExpectH);
        EXPECT_EQ(b.At(c.X, c.Y), clBlack);
        EXPECT_EQ(b.At(c.X + 3, c.Y + 3), clWhite);
    }
}

TEST(Line, DiagonalWithArrowsAtBothEnds) {
    TvrLineView l(nullptr);
    l.SetBounds(20, 100, 160, 0);
    l.Diagonal = true;
    l.ArrowStart = true;
    l.ArrowEnd = true;
    l.ArrowSolid = true;
    TWhiteBitmap b;
    l.Draw(b.Canvas(), 1, 1, 0, 0);
    EXPECT_EQ(b.At(100, 100), clBlack);
    // Each head spreads 5 pixels across the line, 20 pixels from its tip, pointing outwards.
    EXPECT_EQ(b.At(165, 97), clBlack);
    EXPECT_EQ(b.At(35, 97), clBlack);
    EXPECT_EQ(b.At(100, 97), clWhite);
    EXPECT_EQ(l.GetDescription(), "obLine");
}

TEST(Subreport, APlaceholderThatPreparedPagesDoNotCopy) {
    vrStartUp();
    TvrReport report(nullptr);
    auto* page = new TvrReportPage(&report);
    auto* band = new TvrMasterData(page);
    auto* sub = new TvrSubreport(band);
    auto* target = new TvrReportPage(&report);
    sub->SetPage(target);
    EXPECT_FALSE(sub->Flags.Contains(ofPreviewCopy));
    EXPECT_EQ(sub->Frame()->TypBits(), 15);
    EXPECT_EQ(sub->Color, 0xC0C0C0);
    EXPECT_EQ(sub->Font()->Name(), "Tahoma");
    EXPECT_EQ(sub->GetDescription(), "obSubRep");
    delete target;
    EXPECT_EQ(sub->Page(), nullptr);
}
