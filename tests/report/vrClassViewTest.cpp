// Views: drawing geometry, frames and shadows on bitmaps, stored frame attributes, the diff, tag
// expressions, and shapes.
#include "report/vrClassView.h"
#include "WhiteBitmap.h"
#include "report/vrClass.h"
#include "report/vrXMLSerializer.h"

#include <gtest/gtest.h>

TEST(View, PixelRectangleAtScaleAndOffsetAndWithShadow) {
    TvrView v(nullptr);
    v.SetBounds(10, 20, 100, 50);
    TWhiteBitmap b;
    v.BeginDraw(b.Canvas(), 2, 2, 5, 7);
    EXPECT_EQ((TRect{v.X, v.Y, v.X1, v.Y1}), (TRect{25, 47, 225, 147}));
    EXPECT_EQ(v.DX, 200);
    EXPECT_EQ(v.DY, 100);
    EXPECT_EQ(v.FramePixels, 2);
    v.Frame()->DropShadow = true;
    v.BeginDraw(b.Canvas(), 2, 2, 5, 7);
    EXPECT_EQ(v.X1, 217);
    EXPECT_EQ(v.Y1, 139);
}

TEST(View, FramesThatDrawNothingStillDrawTheShadow) {
    struct TCase {
        const char* What;
        bool Sides;
        Extended Width;
        TColor Color;
    } cases[] = {{"no sides", false, 1, clBlack},
                 {"width 0", true, 0, clBlack},
                 {"transparent", true, 1, clTransparent}};
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.What);
        TvrView v(nullptr);
        v.SetBounds(10, 10, 100, 50);
        if (c.Sides) v.Frame()->Typ = vrFrameTypFromBits(15);
        v.Frame()->SetWidth(c.Width);
        v.Frame()->SetColor(c.Color);
        TWhiteBitmap b;
        v.Draw(b.Canvas(), 1, 1, 0, 0);
        EXPECT_EQ(b.CountNotWhite(), 0);
        v.Frame()->DropShadow = true;
        v.Frame()->ShadowColor = clBlue;
        v.Draw(b.Canvas(), 1, 1, 0, 0);
        // The shadow lies inside the object's bounds, right and below of the shrunk rectangle.
        EXPECT_EQ(b.At(108, 30), clBlue);
        EXPECT_EQ(b.At(50, 58), clBlue);
        EXPECT_EQ(b.At(50, 30), clWhite);
    }
}

TEST(View, FillAndFrameAtKnownPixels) {
    TvrView v(nullptr);
    v.SetBounds(10, 10, 100, 50);
    v.Color = clYellow;
    v.Frame()->Typ = vrFrameTypFromBits(15);
    v.Frame()->SetColor(clRed);
    TWhiteBitmap b;
    v.Draw(b.Canvas(), 1, 1, 0, 0);
    EXPECT_EQ(b.At(50, 30), clYellow);
    EXPECT_EQ(b.At(10, 30), clRed);
    EXPECT_EQ(b.At(110, 30), clRed);
    EXPECT_EQ(b.At(50, 10), clRed);
    EXPECT_EQ(b.At(50, 60), clRed);
    EXPECT_EQ(b.At(112, 30), clWhite);
}

TEST(View, ASolidThickSideIsPulledInAtFreeEnds) {
    for (bool withTop : {false, true}) {
        SCOPED_TRACE(withTop);
        TvrView v(nullptr);
        v.SetBounds(20, 20, 100, 100);
        v.Frame()->Typ = vrFrameTypFromBits(withTop ? 1 | 4 : 1);
        v.Frame()->SetWidth(3);
        v.Frame()->TopLine()->Color = clRed;
        TWhiteBitmap b;
        v.Draw(b.Canvas(), 1, 1, 0, 0);
        int top = -1, bottom = -1;
        for (int y = 0; y < 200; ++y)
            if (b.At(20, y) != clWhite) {
                if (top < 0) top = y;
                bottom = y;
            }
        // Square caps reach w div 2 beyond the ends; pulled in, a free end stays on the rectangle.
        EXPECT_EQ(top, withTop ? 19 : 20);
        // The free bottom end, pulled in to 119, reaches the rectangle's bottom line (120) with its
        // square cap and goes no further, as the free top end reaches the top line.
        EXPECT_EQ(bottom, 120);
        EXPECT_EQ(b.At(18, 60), clWhite);
        EXPECT_EQ(b.At(19, 60), clBlack);
        EXPECT_EQ(b.At(21, 60), clBlack);
    }
}

TEST(View, SquaresAndRoundDotsDrawnByGeometricPens) {
    struct TCase {
        TvrFrameStyle Style;
        TColor Fill;
        std::vector<int> Black, Gap; // x along the top side at y = 10
        TColor GapColor;
    } cases[] = {
        {fsSquare, clTransparent, {11, 13, 19}, {15, 17, 23}, clWhite},
        {fsSquare, clYellow, {11, 19}, {15, 23}, clYellow},
        {fsAltDot, clTransparent, {10, 18, 26}, {14, 22}, clWhite},
    };
    for (const TCase& c : cases) {
        TvrView v(nullptr);
        v.SetBounds(10, 10, 100, 50);
        v.Color = c.Fill;
        v.Frame()->Typ = TvrFrameTypes{ftTop};
        v.Frame()->SetStyle(c.Style);
        v.Frame()->SetWidth(4);
        TWhiteBitmap b;
        v.Draw(b.Canvas(), 1, 1, 0, 0);
        for (int x : c.Black)
            EXPECT_EQ(b.At(x, 10), clBlack) << x;
        for (int x : c.Gap)
            EXPECT_EQ(b.At(x, 10), c.GapColor) << x;
        // The canvas's pen is plain again afterwards.
        EXPECT_TRUE(b.Canvas()->Pen()->UserDash().empty());
    }
}

TEST(View, FrameColourOnAllSidesAndOneSideStoredAlone) {
    TvrView v(nullptr);
    v.Frame()->SetColor(clRed);
    for (TvrFrameLine* l :
         {v.Frame()->LeftLine(), v.Frame()->TopLine(), v.Frame()->RightLine(), v.Frame()->BottomLine()}) {
        EXPECT_EQ(l->Color, clRed);
        EXPECT_FALSE(l->IsColorStored());
    }
    v.Frame()->LeftLine()->Color = clBlue;
    EXPECT_TRUE(v.Frame()->LeftLine()->IsColorStored());
    EXPECT_FALSE(v.Frame()->TopLine()->IsColorStored());
}

TEST(View, FrameTypesAreStoredAsBits) {
    vrStartUp();
    TvrShapeView v(nullptr);
    v.Frame()->Typ = TvrFrameTypes{ftLeft, ftBottom};
    v.Frame()->SetColor(clRed);
    v.Frame()->LeftLine()->Color = clBlue;
    TvrXMLSerializer s;
    const String text = s.WriteObjectText(&v);
    EXPECT_NE(text.find("Frame.Typ=\"9\""), String::npos) << text;
    EXPECT_NE(text.find("Frame.LeftLine.Color=\"16711680\""), String::npos) << text;
    EXPECT_EQ(text.find("Frame.TopLine.Color"), String::npos) << text;
    EXPECT_EQ(text.find("Frame.Width"), String::npos) << text;
    std::unique_ptr<TvrComponent> back(s.ReadObjectText(nullptr, text));
    auto* r = dynamic_cast<TvrShapeView*>(back.get());
    ASSERT_NE(r, nullptr);
    EXPECT_EQ(r->Frame()->Typ, (TvrFrameTypes{ftLeft, ftBottom}));
    EXPECT_EQ(r->Frame()->LeftLine()->Color, clBlue);
    EXPECT_EQ(r->Frame()->TopLine()->Color, clRed);
}

TEST(View, DiffWritesSideValuesAgainstTheFrameOrTheTemplate) {
    TvrView a(nullptr), t(nullptr);
    a.Frame()->SetColor(clRed);
    a.Frame()->TopLine()->Color = clBlue;
    a.Frame()->Typ = TvrFrameTypes{ftLeft, ftBottom};
    const String d = a.Diff(&t);
    EXPECT_NE(d.find(" Frame.Color=\"255\""), String::npos) << d;
    EXPECT_NE(d.find(" Frame.Typ=\"9\""), String::npos) << d;
    EXPECT_NE(d.find(" Frame.TopLine.Color=\"16711680\""), String::npos) << d;
    EXPECT_EQ(d.find("Frame.LeftLine.Color"), String::npos) << d;
    // Same frame colour: a side is compared with the template's side.
    t.Frame()->SetColor(clRed);
    const String d2 = a.Diff(&t);
    EXPECT_EQ(d2.find(" Frame.Color="), String::npos) << d2;
    EXPECT_NE(d2.find(" Frame.TopLine.Color=\"16711680\""), String::npos) << d2;
    a.TagStr = "a<b";
    EXPECT_NE(a.Diff(&t).find(" TagStr=\"a&#60;b\""), String::npos) << a.Diff(&t);
}

TEST(View, TagExpressionsAndAnOpenBracketWithoutClose) {
    vrStartUp();
    TvrReport report(nullptr);
    TvrView v(&report);
    struct TCase {
        const char* Tag;
        const char* Expected;
    } cases[] = {
        {"id [1+2]", "id 3"},       {"[1][2]", "12"}, {"Price [unit", "Price [unit"},
        {"[2] and [x", "2 and [x"}, {"none", "none"},
    };
    for (const TCase& c : cases) {
        v.TagStr = c.Tag;
        v.URL = c.Tag;
        v.BeforePrint();
        v.GetData();
        EXPECT_EQ(v.TagStr, c.Expected) << c.Tag;
        EXPECT_EQ(v.URL, c.Expected) << c.Tag;
        v.AfterPrint();
        EXPECT_EQ(v.TagStr, c.Tag);
    }
}

TEST(Shape, RoundRectangleCornersAndDiagonal) {
    TvrShapeView v(nullptr);
    v.SetBounds(10, 10, 80, 40);
    v.Shape = skRoundRectangle;
    v.Color = clRed;
    TWhiteBitmap b;
    v.Draw(b.Canvas(), 1, 1, 0, 0);
    // Corners of 10 pixels: the very corner stays white, the middle of the top edge is drawn.
    EXPECT_EQ(b.At(10, 10), clWhite);
    EXPECT_EQ(b.At(50, 10), clBlack);
    EXPECT_EQ(b.At(50, 30), clRed);
    // Corners of radius 5: the edge is straight 5 pixels below the corner, not yet 2 below.
    EXPECT_EQ(b.At(10, 15), clBlack);
    EXPECT_EQ(b.At(10, 12), clWhite);

    TvrShapeView d(nullptr);
    d.SetBounds(0, 0, 100, 100);
    d.Shape = skDiagonal2;
    TWhiteBitmap b2;
    d.Draw(b2.Canvas(), 1, 1, 0, 0);
    EXPECT_EQ(b2.At(50, 50), clBlack);
    EXPECT_EQ(b2.At(10, 10), clBlack);
    EXPECT_EQ(b2.At(90, 10), clWhite);
    EXPECT_EQ(b2.At(10, 90), clWhite);
}
