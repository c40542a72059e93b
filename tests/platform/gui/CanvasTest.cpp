#include "gui/Bitmap.h"
#include "gui/Graphics.h"
#include "rtl/CodePage.h"

#include <gtest/gtest.h>

namespace {

// A white 24-bit bitmap to draw on.
std::unique_ptr<TBitmap> WhiteBitmap(int w, int h) {
    auto b = std::make_unique<TBitmap>();
    b->SetPixelFormat(pf24bit);
    b->SetSize(w, h);
    b->Canvas()->Brush()->SetColor(clWhite);
    b->Canvas()->FillRect(Rect(0, 0, w, h));
    return b;
}

} // namespace

TEST(Canvas, RectangleOutlineAndFillFollowThePlatform) {
    auto b = WhiteBitmap(20, 20);
    TCanvas* c = b->Canvas();
    c->Pen()->SetColor(clRed);
    c->Brush()->SetColor(clBlue);
    c->Rectangle(2, 2, 10, 10);
    EXPECT_EQ(c->Pixels(2, 2), clRed);
    EXPECT_EQ(c->Pixels(9, 9), clRed);
    EXPECT_EQ(c->Pixels(9, 2), clRed);
    EXPECT_EQ(c->Pixels(5, 5), clBlue);
    EXPECT_EQ(c->Pixels(10, 10), clWhite); // right and bottom edges are outside
    EXPECT_EQ(c->Pixels(10, 5), clWhite);
    // Without a pen the fill is one pixel smaller.
    c->Pen()->SetStyle(psClear);
    c->Brush()->SetColor(clLime);
    c->Rectangle(12, 12, 16, 16);
    EXPECT_EQ(c->Pixels(12, 12), clLime);
    EXPECT_EQ(c->Pixels(14, 14), clLime);
    EXPECT_EQ(c->Pixels(15, 15), clWhite);
    EXPECT_EQ(c->Pixels(15, 12), clWhite);
}

TEST(Canvas, LinesLeaveOutTheirLastPoint) {
    auto b = WhiteBitmap(20, 20);
    TCanvas* c = b->Canvas();
    c->Pen()->SetColor(clBlack);
    c->MoveTo(0, 5);
    c->LineTo(10, 5);
    for (int x = 0; x < 10; ++x)
        EXPECT_EQ(c->Pixels(x, 5), clBlack) << x;
    EXPECT_EQ(c->Pixels(10, 5), clWhite);
    EXPECT_EQ(c->PenPos(), Point(10, 5));
    c->LineTo(10, 15);
    EXPECT_EQ(c->Pixels(10, 5), clBlack);
    EXPECT_EQ(c->Pixels(10, 14), clBlack);
    EXPECT_EQ(c->Pixels(10, 15), clWhite);
    // A diagonal.
    c->MoveTo(0, 0);
    c->LineTo(4, 4);
    EXPECT_EQ(c->Pixels(0, 0), clBlack);
    EXPECT_EQ(c->Pixels(3, 3), clBlack);
    EXPECT_EQ(c->Pixels(4, 4), clWhite);
}

TEST(Canvas, FillRectFrameRectAndPixels) {
    auto b = WhiteBitmap(20, 20);
    TCanvas* c = b->Canvas();
    c->Brush()->SetColor(clGreen);
    c->FillRect(Rect(1, 1, 4, 4));
    EXPECT_EQ(c->Pixels(1, 1), clGreen);
    EXPECT_EQ(c->Pixels(3, 3), clGreen);
    EXPECT_EQ(c->Pixels(4, 4), clWhite);
    c->Brush()->SetColor(clNavy);
    c->FrameRect(Rect(6, 6, 12, 12));
    EXPECT_EQ(c->Pixels(6, 6), clNavy);
    EXPECT_EQ(c->Pixels(11, 11), clNavy);
    EXPECT_EQ(c->Pixels(8, 8), clWhite);
    EXPECT_EQ(c->Pixels(12, 12), clWhite);
    c->SetPixels(15, 15, clMaroon);
    EXPECT_EQ(c->Pixels(15, 15), clMaroon);
    EXPECT_EQ(c->Pixels(25, 25), CLR_INVALID);
    // System colours resolve through the table.
    c->Brush()->SetColor(clBtnFace);
    c->FillRect(Rect(16, 0, 20, 4));
    EXPECT_EQ(static_cast<TColorRef>(c->Pixels(17, 1)), RGB(212, 208, 200));
}

TEST(Canvas, ExclusiveOrPenAndFocusRectUndoThemselves) {
    auto b = WhiteBitmap(20, 20);
    TCanvas* c = b->Canvas();
    c->Brush()->SetColor(clYellow);
    c->FillRect(Rect(0, 0, 20, 20));
    c->Pen()->SetMode(pmXor);
    c->Pen()->SetColor(clWhite);
    c->MoveTo(0, 3);
    c->LineTo(20, 3);
    EXPECT_EQ(c->Pixels(5, 3), clBlue); // yellow xor white
    c->MoveTo(0, 3);
    c->LineTo(20, 3);
    EXPECT_EQ(c->Pixels(5, 3), clYellow);
    c->DrawFocusRect(Rect(2, 2, 12, 12));
    EXPECT_EQ(c->Pixels(2, 2), clBlue);
    EXPECT_EQ(c->Pixels(3, 2), clYellow);
    c->DrawFocusRect(Rect(2, 2, 12, 12));
    EXPECT_EQ(c->Pixels(2, 2), clYellow);
}

TEST(Canvas, ClippingAndSavedStates) {
    auto b = WhiteBitmap(20, 20);
    TCanvas* c = b->Canvas();
    int saved = c->SaveDC();
    EXPECT_EQ(c->IntersectClipRect(Rect(0, 0, 10, 10)), SIMPLEREGION);
    EXPECT_EQ(c->ExcludeClipRect(Rect(0, 0, 5, 5)), COMPLEXREGION);
    EXPECT_EQ(c->ClipRect(), Rect(0, 0, 10, 10));
    c->Brush()->SetColor(clRed);
    c->FillRect(Rect(0, 0, 20, 20));
    EXPECT_EQ(c->Pixels(7, 7), clRed);
    EXPECT_EQ(b->Pixel(2, 2), clWhite);   // excluded
    EXPECT_EQ(b->Pixel(15, 15), clWhite); // outside
    EXPECT_FALSE(c->RectVisible(Rect(12, 12, 15, 15)));
    EXPECT_TRUE(c->RestoreDC(saved));
    EXPECT_TRUE(c->RectVisible(Rect(12, 12, 15, 15)));
    c->FillRect(Rect(0, 0, 20, 20));
    EXPECT_EQ(b->Pixel(15, 15), clRed);
    EXPECT_FALSE(c->RestoreDC(-1));
}

TEST(Canvas, MappingModeScalesLogicalUnits) {
    auto b = WhiteBitmap(40, 40);
    TCanvas* c = b->Canvas();
    c->SetMapMode(MM_ANISOTROPIC);
    c->SetWindowExtEx(100, 100);
    c->SetViewportExtEx(200, 200);
    c->SetViewportOrgEx(10, 0);
    c->Brush()->SetColor(clBlack);
    c->FillRect(Rect(0, 0, 5, 5));
    EXPECT_EQ(b->Pixel(10, 0), clBlack);
    EXPECT_EQ(b->Pixel(19, 9), clBlack);
    EXPECT_EQ(b->Pixel(20, 10), clWhite);
    EXPECT_EQ(b->Pixel(9, 0), clWhite);
    EXPECT_EQ(c->LPtoDP(Point(3, 4)), Point(16, 8));
    EXPECT_EQ(c->DPtoLP(Point(16, 8)), Point(3, 4));
}

TEST(Canvas, TextUsesTheFontColourAndTheBackgroundMode) {
    auto b = WhiteBitmap(120, 30);
    TCanvas* c = b->Canvas();
    c->Font()->SetName("Arial");
    c->Font()->SetHeight(-20);
    c->Font()->SetColor(clBlack);
    // A solid brush makes the text opaque in the brush colour.
    c->Brush()->SetColor(clYellow);
    TSize size = c->TextExtent("MM");
    EXPECT_GT(size.cx, 20);
    EXPECT_EQ(size.cy, c->TextMetrics().tmHeight);
    c->TextOut(0, 0, "MM");
    EXPECT_EQ(c->PenPos(), Point(size.cx, 0));
    int dark = 0, yellow = 0;
    for (int y = 0; y < size.cy; ++y)
        for (int x = 0; x < size.cx; ++x) {
            TColor p = b->Pixel(x, y);
            if (p == clBlack) ++dark;
            if (p == clYellow) ++yellow;
        }
    EXPECT_GT(dark, 20);
    EXPECT_GT(yellow, 20);
    EXPECT_EQ(b->Pixel(size.cx + 2, 5), clWhite);
    // A clear brush draws transparent text.
    c->Brush()->SetStyle(bsClear);
    c->TextOut(60, 0, "MM");
    EXPECT_EQ(b->Pixel(60, 0), clWhite);
}

TEST(Canvas, ChineseTextRenders) {
    auto b = WhiteBitmap(100, 30);
    TCanvas* c = b->Canvas();
    c->Font()->SetName("宋体");
    c->Font()->SetSize(12);
    c->Brush()->SetStyle(bsClear);
    TSize size = c->TextExtent("物业管理");
    EXPECT_GE(size.cx, 4 * 14);
    c->TextOut(0, 0, "物业管理");
    int dark = 0;
    for (int y = 0; y < size.cy; ++y)
        for (int x = 0; x < size.cx; ++x)
            if ((ColorToRGB(b->Pixel(x, y)) & 0xFF) < 0x80) ++dark;
    EXPECT_GT(dark, 40);
}

TEST(Canvas, CopyRectAppliesTheCopyMode) {
    auto src = WhiteBitmap(10, 10);
    src->Canvas()->Brush()->SetColor(clRed);
    src->Canvas()->FillRect(Rect(0, 0, 5, 10));
    auto dst = WhiteBitmap(10, 10);
    dst->Canvas()->Brush()->SetColor(clBlue);
    dst->Canvas()->FillRect(Rect(0, 0, 10, 10));
    dst->Canvas()->CopyRect(Rect(0, 0, 10, 10), src->Canvas(), Rect(0, 0, 10, 10));
    EXPECT_EQ(dst->Pixel(2, 2), clRed);
    EXPECT_EQ(dst->Pixel(7, 2), clWhite);
    dst->Canvas()->SetCopyMode(cmSrcInvert);
    dst->Canvas()->CopyRect(Rect(0, 0, 10, 10), src->Canvas(), Rect(0, 0, 10, 10));
    EXPECT_EQ(dst->Pixel(2, 2), clBlack);
    EXPECT_EQ(dst->Pixel(7, 2), clBlack);
    // Stretching doubles the pixels.
    auto big = WhiteBitmap(20, 20);
    big->Canvas()->CopyRect(Rect(0, 0, 20, 20), src->Canvas(), Rect(0, 0, 10, 10));
    EXPECT_EQ(big->Pixel(9, 5), clRed);
    EXPECT_EQ(big->Pixel(10, 5), clWhite);
}

TEST(Canvas, PieAndArcRunCounterClockwiseFromStartToEnd) {
    auto b = WhiteBitmap(40, 40);
    TCanvas* c = b->Canvas();
    c->Pen()->SetColor(clBlack);
    c->Brush()->SetColor(clRed);
    // From the east radial to the north radial: the upper right quarter.
    c->Pie(0, 0, 40, 40, 40, 20, 20, 0);
    EXPECT_EQ(c->Pixels(28, 10), clRed);
    EXPECT_EQ(c->Pixels(10, 10), clWhite);
    EXPECT_EQ(c->Pixels(28, 30), clWhite);
    // From north to east the other way round: three quarters.
    auto d = WhiteBitmap(40, 40);
    d->Canvas()->Brush()->SetColor(clBlue);
    d->Canvas()->Pie(0, 0, 40, 40, 20, 0, 40, 20);
    EXPECT_EQ(d->Pixel(28, 10), clWhite);
    EXPECT_EQ(d->Pixel(10, 10), clBlue);
    EXPECT_EQ(d->Pixel(28, 30), clBlue);
}

TEST(Canvas, TextRectClipsAndFillsItsRectangle) {
    auto b = WhiteBitmap(100, 30);
    TCanvas* c = b->Canvas();
    c->Font()->SetName("Arial");
    c->Font()->SetHeight(-20);
    c->Brush()->SetColor(clAqua);
    c->TextRect(Rect(10, 5, 40, 25), 12, 5, "WWWWWWWWWW");
    EXPECT_EQ(b->Pixel(11, 6), clAqua); // the rectangle is filled
    EXPECT_EQ(b->Pixel(39, 24), clAqua);
    for (int x = 40; x < 100; ++x)
        for (int y = 0; y < 30; ++y)
            ASSERT_EQ(b->Pixel(x, y), clWhite) << x << "," << y; // nothing outside
    EXPECT_EQ(b->Pixel(5, 10), clWhite);
    // The TTextFormat form measures with tfCalcRect and can give back the cut text.
    TRect r = Rect(0, 0, 60, 0);
    String text = "A long caption text";
    c->TextRect(r, text, tfCalcRect | tfSingleLine);
    EXPECT_EQ(r.Right, c->TextWidth(text));
    r = Rect(0, 0, 60, 30);
    c->TextRect(r, text, tfSingleLine | tfEndEllipsis | tfModifyString);
    EXPECT_EQ(text.substr(text.size() - 3), "...");
    EXPECT_LE(c->TextWidth(text), 60);
}

TEST(Canvas, TextAtGivenAdvancesDrawsAsEachCharacterAlone) {
    // Each character drawn by itself at its place is what text at given advances must look like,
    // also where the font's Chinese face draws some of its characters.
    struct Case {
        const char* Font;
        bool Bold;
        const char16_t* Text;
    };
    const Case cases[] = {{"Arial", false, u"Fee 12.50"},
                          {"宋体", false, u"物业管理费"},
                          {"Arial", true, u"A-12 物业费 ￥3.00"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Font);
        const WideString text(c.Text);
        std::vector<int> dx(text.size(), 0);
        auto together = WhiteBitmap(400, 40), alone = WhiteBitmap(400, 40);
        for (TBitmap* b : {together.get(), alone.get()}) {
            b->Canvas()->Font()->SetName(c.Font);
            b->Canvas()->Font()->SetSize(14);
            b->Canvas()->Font()->SetStyle(c.Bold ? TFontStyles{fsBold} : TFontStyles{});
            b->Canvas()->Brush()->SetStyle(bsClear);
        }
        int x = 5;
        for (size_t i = 0; i < text.size(); ++i) {
            const WideString ch = text.substr(i, 1);
            alone->Canvas()->TextOut(x, 5, ch);
            dx[i] = alone->Canvas()->TextWidth(WideToUtf8(ch)) + 3; // spread out, so that the advances count
            x += dx[i];
        }
        together->Canvas()->ExtTextOut(5, 5, 0, nullptr, text, dx.data());
        int differing = 0, dark = 0;
        for (int py = 0; py < 40; ++py)
            for (int px = 0; px < 400; ++px) {
                if (together->Pixel(px, py) != alone->Pixel(px, py)) ++differing;
                if (alone->Pixel(px, py) != clWhite) ++dark;
            }
        EXPECT_GT(dark, 50);
        EXPECT_EQ(differing, 0);
    }
}
