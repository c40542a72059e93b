// Picture drawing of the report utilities: image strips cut into lists, masked bitmaps, the
// halftone and transparent stretches and the picture object's drawing rule.
#include "report/vrUtils.h"

#include "gui/Bitmap.h"
#include "gui/ImgList.h"
#include "gui/Metafile.h"

#include <gtest/gtest.h>

namespace {

std::unique_ptr<TBitmap> Filled(int w, int h, TColor colour) {
    auto b = std::make_unique<TBitmap>(w, h, pf24bit);
    b->Canvas()->Brush()->SetColor(colour);
    b->Canvas()->FillRect(TRect(0, 0, w, h));
    return b;
}

// Sets pixels from rows of characters: '#' black, '.' white, 'k' the key colour clFuchsia,
// 'b' blue, 'r' red.
std::unique_ptr<TBitmap> Pattern(const std::vector<String>& rows) {
    auto b =
        std::make_unique<TBitmap>(static_cast<int>(rows[0].size()), static_cast<int>(rows.size()), pf24bit);
    for (size_t y = 0; y < rows.size(); ++y)
        for (size_t x = 0; x < rows[y].size(); ++x) {
            const char c = rows[y][x];
            const TColor colour = c == '#'   ? clBlack
                                  : c == 'k' ? clFuchsia
                                  : c == 'b' ? clBlue
                                  : c == 'r' ? clRed
                                             : clWhite;
            b->Canvas()->SetPixels(static_cast<int>(x), static_cast<int>(y), colour);
        }
    return b;
}

TColor ImagePixel(TImageList& list, int index, int x, int y) {
    list.SetBkColor(clFuchsia);
    TBitmap b;
    list.GetBitmap(index, &b);
    return b.Pixel(x, y);
}

} // namespace

TEST(vrUtilsImages, SplitCutsCellsLeftToRightRowByRowInPairs) {
    // Two rows of 64 x 16 with 16-pixel cells and both lists: two images of each row in each.
    auto strip = std::make_unique<TBitmap>(64, 32, pf24bit);
    const TColor colours[] = {clRed, clBlue, clGreen, clYellow, clNavy, clMaroon, clTeal, clOlive};
    for (int i = 0; i < 8; ++i) {
        const int left = i % 4 * 16, top = i / 4 * 16;
        strip->Canvas()->Brush()->SetColor(colours[i]);
        strip->Canvas()->FillRect(TRect(left, top, left + 16, top + 16));
        strip->Canvas()->SetPixels(left, top + 15, clLime); // each cell's own transparent colour
        strip->Canvas()->SetPixels(left + 3, top + 3, clLime);
    }
    TImageList first(16, 16), second(16, 16);
    SplitBitmapIntoImageLists(strip.get(), 16, 16, &first, &second);
    ASSERT_EQ(first.Count(), 4);
    ASSERT_EQ(second.Count(), 4);
    const TColor firstColours[] = {clRed, clGreen, clNavy, clTeal},
                 secondColours[] = {clBlue, clYellow, clMaroon, clOlive};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(ImagePixel(first, i, 8, 8), firstColours[i]) << i;
        EXPECT_EQ(ImagePixel(second, i, 8, 8), secondColours[i]) << i;
        EXPECT_EQ(ImagePixel(first, i, 3, 3), clFuchsia) << i; // the lime pixels are masked
        EXPECT_EQ(ImagePixel(second, i, 0, 15), clFuchsia) << i;
    }

    TImageList single(16, 16);
    SplitBitmapIntoImageLists(strip.get(), 16, 16, &single, nullptr);
    ASSERT_EQ(single.Count(), 8);
    EXPECT_EQ(ImagePixel(single, 4, 8, 8), clNavy); // second row
}

TEST(vrUtilsImages, SplitKeepsAPartialLastCellAndIgnoresNothingToCut) {
    auto strip = Filled(40, 10, clRed); // two whole 16 x 16 cells and a part, one partial row
    strip->Canvas()->SetPixels(0, 9, clBlue);
    TImageList list(16, 16);
    SplitBitmapIntoImageLists(strip.get(), 16, 16, &list, nullptr);
    ASSERT_EQ(list.Count(), 3);
    EXPECT_EQ(ImagePixel(list, 0, 0, 9), clBlue);
    EXPECT_EQ(ImagePixel(list, 0, 5, 5), clRed);
    EXPECT_EQ(ImagePixel(list, 0, 0, 15), clFuchsia); // beyond the strip: white, the cell's mask colour
    EXPECT_EQ(ImagePixel(list, 2, 7, 5), clRed);
    EXPECT_EQ(ImagePixel(list, 2, 8, 5), clFuchsia);

    TBitmap empty;
    SplitBitmapIntoImageLists(&empty, 16, 16, &list, nullptr);
    SplitBitmapIntoImageLists(nullptr, 16, 16, &list, nullptr);
    SplitBitmapIntoImageLists(strip.get(), 0, 16, &list, nullptr);
    EXPECT_EQ(list.Count(), 3);
}

TEST(vrUtilsImages, DrawMaskedBitmapLeavesTheTransparentColourOut) {
    auto dest = Filled(12, 12, clYellow);
    auto glyph = Pattern({"rrrk", "rkrr", "rrrr", "krrr"}); // bottom-left pixel: the key
    DrawMaskedBitmap(dest->Canvas(), 4, 5, glyph.get());
    EXPECT_EQ(dest->Pixel(4, 5), clRed);
    EXPECT_EQ(dest->Pixel(7, 5), clYellow);
    EXPECT_EQ(dest->Pixel(5, 6), clYellow);
    EXPECT_EQ(dest->Pixel(4, 8), clYellow);
    EXPECT_EQ(dest->Pixel(7, 8), clRed);
    EXPECT_EQ(dest->Pixel(3, 5), clYellow);
    DrawMaskedBitmap(dest->Canvas(), 0, 0, nullptr); // nothing
}

TEST(vrUtilsImages, HalftoneAveragesWhereItShrinksAndRepeatsWhereItGrows) {
    auto checker = Pattern({"#.#.", ".#.#", "#.#.", ".#.#"});
    auto dest = Filled(4, 4, clRed);
    StretchBitmapHalftone(dest->Canvas(), TRect(0, 0, 2, 2), checker.get());
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 2; ++x)
            EXPECT_EQ(dest->Pixel(x, y), 0x808080) << x << "," << y;
    EXPECT_EQ(dest->Pixel(2, 2), clRed);

    auto twoByTwo = Pattern({"#.", "b#"});
    StretchBitmapAsDIB(dest->Canvas(), TRect(0, 0, 4, 4), twoByTwo.get());
    EXPECT_EQ(dest->Pixel(1, 1), clBlack);
    EXPECT_EQ(dest->Pixel(2, 1), clWhite);
    EXPECT_EQ(dest->Pixel(0, 3), clBlue);
    EXPECT_EQ(dest->Pixel(3, 3), clBlack);

    // A monochrome bitmap is not averaged: black wins.
    checker->SetPixelFormat(pf1bit);
    StretchBitmapHalftone(dest->Canvas(), TRect(0, 0, 2, 2), checker.get());
    EXPECT_EQ(dest->Pixel(0, 0), clBlack);
}

TEST(vrUtilsImages, BlitTransparentLeavesTheDestinationUnderTheKey) {
    auto image = Pattern({"bbkk", "bbkk", "b##k", "bk.r"});
    image->Canvas()->SetPixels(1, 3, clFuchsia);
    auto dest = Filled(6, 6, clYellow);
    BlitTransparent(dest->Canvas(), TRect(1, 1, 5, 5), image.get(), clFuchsia, false);
    EXPECT_EQ(dest->Pixel(1, 1), clBlue);
    EXPECT_EQ(dest->Pixel(3, 1), clYellow);
    EXPECT_EQ(dest->Pixel(4, 3), clYellow);
    EXPECT_EQ(dest->Pixel(4, 4), clRed);
    EXPECT_EQ(dest->Pixel(0, 0), clYellow);

    // Shrunk to half: each block is averaged; a block mostly of key leaves the destination as it was.
    auto half = Pattern({"bbkk", "bbkk", "#.kk", ".#kr"});
    dest = Filled(2, 2, clYellow);
    BlitTransparent(dest->Canvas(), TRect(0, 0, 2, 2), half.get(), clFuchsia, true);
    EXPECT_EQ(dest->Pixel(0, 0), clBlue);
    EXPECT_EQ(dest->Pixel(1, 0), clYellow);
    EXPECT_EQ(dest->Pixel(0, 1), 0x808080);
    EXPECT_EQ(dest->Pixel(1, 1), clYellow);

    // Two colours next to the key whose average is the key: moved one step off it, still drawn.
    auto nearKey = Pattern({".."});
    nearKey->Canvas()->SetPixels(0, 0, 0xFF00FE);
    nearKey->Canvas()->SetPixels(1, 0, 0xFE00FF);
    dest = Filled(1, 1, clYellow);
    BlitTransparent(dest->Canvas(), TRect(0, 0, 1, 1), nearKey.get(), clFuchsia, false);
    EXPECT_EQ(dest->Pixel(0, 0), 0xFE00FF); // averaged colour, kept off the key
}

TEST(vrUtilsImages, PictureDrawingFollowsPrintingQualityAndTransparency) {
    auto checker = Pattern({"#.#.", ".#.#", "#.#.", ".#.#"});

    // Screen, plain: the canvas stretches (no averaging); the brush becomes white.
    auto dest = Filled(2, 2, clRed);
    dest->Canvas()->Brush()->SetColor(clGreen);
    DrawPictureGraphic(dest->Canvas(), TRect(0, 0, 2, 2), checker.get(), false, false, false, clNone);
    EXPECT_EQ(dest->Canvas()->Brush()->Color(), clWhite);
    EXPECT_TRUE(dest->Pixel(0, 0) == clBlack || dest->Pixel(0, 0) == clWhite);

    // High quality or printing: the halftone stretch.
    for (bool printing : {false, true}) {
        dest = Filled(2, 2, clRed);
        DrawPictureGraphic(dest->Canvas(), TRect(0, 0, 2, 2), checker.get(), printing, !printing, false,
                           clNone);
        EXPECT_EQ(dest->Pixel(1, 1), 0x808080) << printing;
    }

    // Transparent: the key colour leaves the destination as it was, on every road.
    auto keyed = Pattern({"kkbb", "kkbb", "bbbb", "bbbb"});
    for (int road = 0; road < 3; ++road) {
        dest = Filled(4, 4, clYellow);
        keyed->SetTransparent(false);
        DrawPictureGraphic(dest->Canvas(), TRect(0, 0, 4, 4), keyed.get(), road == 1, road == 2, true,
                           clFuchsia);
        EXPECT_EQ(dest->Pixel(0, 0), clYellow) << road;
        EXPECT_EQ(dest->Pixel(3, 3), clBlue) << road;
        if (road == 0) {
            EXPECT_TRUE(keyed->Transparent());
        }
    }

    // A metafile is replayed by the canvas, also in high quality.
    TMetafile meta;
    meta.SetWidth(10);
    meta.SetHeight(10);
    {
        TMetafileCanvas c(&meta);
        c.Brush()->SetColor(clBlue);
        c.FillRect(TRect(0, 0, 10, 10));
    }
    dest = Filled(20, 20, clYellow);
    DrawPictureGraphic(dest->Canvas(), TRect(0, 0, 20, 20), &meta, false, true, false, clNone);
    EXPECT_EQ(dest->Pixel(10, 10), clBlue);

    DrawPictureGraphic(dest->Canvas(), TRect(0, 0, 20, 20), nullptr, false, false, false, clNone); // nothing
}
