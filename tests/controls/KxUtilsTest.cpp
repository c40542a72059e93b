// The string, memory and drawing utilities, the built-in bitmaps and the registered cursors.
#include "controls/kxStrUtils.h"
#include "controls/kxVclutils.h"
#include "gui/Colors.h"
#include "gui/CursorTable.h"
#include "gui/Forms.h"
#include "gui/Interaction.h"
#include "rtl/SysUtils.h"

#include <gtest/gtest.h>

TEST(KxStrUtils, StringRoutines) {
    struct Case {
        const char* S;
        const char* Find;
        const char* Replacement;
        const char* Result;
    };
    const Case cases[] = {
        {"a.b.c", ".", ",", "a,b,c"},
        {"aaa", "a", "aa", "aaaaaa"},
        {"abc", "", "x", "abc"},
        {"", "a", "b", ""},
    };
    for (const Case& k : cases)
        EXPECT_EQ(ReplaceAll(k.S, k.Find, k.Replacement), k.Result) << k.S;
    EXPECT_EQ(RemoveChar("1,234,5", ','), "12345");
    EXPECT_EQ(TrimSpaces("  \tx  "), "\tx");
    EXPECT_EQ(TrimLeadingSpaces("  x "), "x ");
    EXPECT_EQ(TrimTrailingSpaces(" x  "), " x");
    EXPECT_EQ(TrimSpaces("   "), "");
    EXPECT_EQ(RepeatChar('#', 0), "");
    EXPECT_EQ(RepeatChar('#', -3), "");
    EXPECT_EQ(RepeatChar('#', 3), "###");
    EXPECT_EQ(MaxOf(-2, 3), 3);
    EXPECT_EQ(MinOf(-2, 3), -2);
}

TEST(KxStrUtils, ShortenToWidthKeepsWholeCharacters) {
    TBitmap b(10, 10);
    TCanvas* c = b.Canvas();
    EXPECT_EQ(ShortenToWidth("abc", c, 1000), "abc");
    const String s = ShortenToWidth("\xE5\x90\x88\xE8\xAE\xA1\xE9\x87\x91\xE9\xA2\x9D", c,
                                    c->TextWidth("\xE5\x90\x88..."));
    EXPECT_EQ(s, "\xE5\x90\x88...");
    EXPECT_EQ(ShortenToWidth("abcdef", c, 0), "...") << "the last candidate stands";
}

TEST(KxStrUtils, MemoryRoutines) {
    void* p = AllocZeroedBlock(16);
    ASSERT_NE(p, nullptr);
    EXPECT_TRUE(SameBytes(p, std::vector<Byte>(16, 0).data(), 16));
    Byte src[6] = {1, 2, 3, 4, 5, 6};
    CopyBytes(OffsetPointer(p, 2), src, 6);
    EXPECT_TRUE(SameBytes(OffsetPointer(p, 2), src, 6));
    EXPECT_FALSE(SameBytes(p, src, 6));
    CopyBytes(OffsetPointer(p, 1), OffsetPointer(p, 2), 6); // overlapping
    EXPECT_TRUE(SameBytes(OffsetPointer(p, 1), src, 6));
    FreeBlock(p);
    EXPECT_EQ(p, nullptr);
    FreeBlock(p);
    EXPECT_EQ(AllocZeroedBlock(0), nullptr);
}

TEST(KxVclutils, RectanglesAndColours) {
    EXPECT_EQ(RectWidth(Rect(3, 4, 10, 20)), 7);
    EXPECT_EQ(RectHeight(Rect(3, 4, 10, 20)), 16);
    EXPECT_EQ(PaletteColor(clRed), 0x020000FF);
    EXPECT_EQ(static_cast<Cardinal>(PaletteColor(clBtnFace)) & 0x00FFFFFF, ColorToRGB(clBtnFace));
}

TEST(KxVclutils, BuiltInBitmapsAndCells) {
    TBitmap cedit, calc;
    LoadKxBitmap(cedit, "CEDITBMP");
    LoadKxBitmap(calc, "calcbtns");
    EXPECT_EQ(cedit.Width(), 28);
    EXPECT_EQ(cedit.Height(), 12);
    EXPECT_EQ(calc.Width(), 84);
    EXPECT_EQ(calc.Height(), 13);
    EXPECT_THROW(LoadKxBitmap(cedit, "NOSUCH"), Exception);
    // Cell 1 of six across (the OK check mark, green) and index/size rules.
    TBitmap cell;
    CopyBitmapCell(&calc, &cell, 6, 1, 1);
    EXPECT_EQ(cell.Width(), 14);
    EXPECT_EQ(cell.Height(), 13);
    EXPECT_EQ(ColorToPixelRGB(cell.Pixel(2, 5)), RGB(0, 128, 0));
    EXPECT_EQ(ColorToPixelRGB(cell.TransparentColor()), RGB(255, 0, 255));
    CopyBitmapCell(&calc, &cell, 0, 0, -4); // one cell, index 0: the whole strip
    EXPECT_EQ(cell.Width(), 84);
    CopyBitmapCell(nullptr, &cell, 6, 1, 1);
}

TEST(KxVclutils, TransparentStretchLeavesTheBackground) {
    TBitmap source(4, 4);
    source.Canvas()->Brush()->SetColor(clWhite);
    source.Canvas()->FillRect(Rect(0, 0, 4, 4));
    source.Canvas()->SetPixels(1, 1, clRed);
    TBitmap dest(8, 8);
    dest.Canvas()->Brush()->SetColor(clBlue);
    dest.Canvas()->FillRect(Rect(0, 0, 8, 8));
    // clDefault: the bottom-left pixel (white) is transparent; a width below 1 takes the bitmap's.
    DrawBitmapTransparentStretched(dest.Canvas(), 2, 2, 0, 0, 0, 0, 0, 0, &source, clDefault);
    EXPECT_EQ(ColorToPixelRGB(dest.Pixel(3, 3)), ColorToPixelRGB(clRed));
    EXPECT_EQ(ColorToPixelRGB(dest.Pixel(2, 2)), ColorToPixelRGB(clBlue));
    EXPECT_EQ(ColorToPixelRGB(dest.Pixel(5, 5)), ColorToPixelRGB(clBlue));
    // clNone: a plain copy, stretched.
    DrawBitmapRectTransparent(dest.Canvas(), 0, 0, 8, 8, Rect(0, 0, 4, 4), &source, clNone);
    EXPECT_EQ(ColorToPixelRGB(dest.Pixel(0, 0)), ColorToPixelRGB(clWhite));
    EXPECT_EQ(ColorToPixelRGB(dest.Pixel(3, 3)), ColorToPixelRGB(clRed));
}

TEST(KxVclutils, DisabledGlyphEmbossesTheOutline) {
    TBitmap source(4, 4);
    source.Canvas()->Brush()->SetColor(clWhite);
    source.Canvas()->FillRect(Rect(0, 0, 4, 4));
    source.Canvas()->SetPixels(1, 1, clBlack);
    TBitmap result;
    MakeDisabledGlyphEx(source, result, clBlack, clSilver, clWhite, clGray, true);
    EXPECT_EQ(result.Width(), 4);
    EXPECT_EQ(ColorToPixelRGB(result.Pixel(1, 1)), ColorToPixelRGB(clGray));
    EXPECT_EQ(ColorToPixelRGB(result.Pixel(2, 2)), ColorToPixelRGB(clWhite));
    EXPECT_EQ(ColorToPixelRGB(result.Pixel(0, 0)), ColorToPixelRGB(clSilver));
    MakeDisabledGlyphEx(source, result, clBlack, clSilver, clWhite, clGray, false);
    EXPECT_EQ(ColorToPixelRGB(result.Pixel(2, 2)), ColorToPixelRGB(clSilver));
}

TEST(KxVclutils, CursorsAreRegistered) {
    RegisterKxCursors();
    EXPECT_TRUE(ScreenCursorRegistered(14000));
    EXPECT_TRUE(ScreenCursorRegistered(14001));
    EXPECT_FALSE(ScreenCursorRegistered(14002));
}

TEST(KxVclutils, NotImplementedTellsAndAbortsSilently) {
    TScriptedResponder user;
    TInteractionScope scope(user);
    user.Answer(mrOk);
    EXPECT_THROW(NotImplemented(), EAbort);
    ASSERT_EQ(user.Requests().size(), 1u);
    EXPECT_EQ(user.Requests()[0].Text, "Function not yet implemented");
    EXPECT_EQ(Screen()->Cursor(), crDefault);
}
