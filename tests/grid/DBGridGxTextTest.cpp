// Text placement is read from the text records of a recorded canvas; images and the dithered-colour
// path from the pixels of a bitmap.
#include "grid/DBGridGxText.h"
#include "DBGridGxFixture.h"
#include "gui/Bitmap.h"
#include "gui/Metafile.h"
#include "gui/ScreenColors.h"
#include "rtl/CodePage.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

void Pin(TCanvas* C) {
    C->Font()->SetName("DejaVu Sans");
    C->Font()->SetHeight(-12);
}

// Runs the drawing on a recording canvas with the pinned font and returns its text records.
std::vector<TMetaTextRecord> Record(const std::function<void(TCanvas*)>& Draw) {
    TMetafile meta;
    {
        TMetafileCanvas c(&meta);
        Pin(&c);
        Draw(&c);
    }
    return meta.TextRecords();
}

int WidthOf(const String& Text) {
    TBitmap b(10, 10);
    Pin(b.Canvas());
    return b.Canvas()->TextWidth(Text);
}

int HeightOf(const String& Text) {
    TBitmap b(10, 10);
    Pin(b.Canvas());
    return b.Canvas()->TextHeight(Text);
}

// A canvas that counts the changes of its clip.
class ClipCountingCanvas : public TMetafileCanvas {
public:
    using TMetafileCanvas::TMetafileCanvas;
    int ClipChanges = 0;

protected:
    void DevSetClip(const TRegion* Rgn) override {
        ++ClipChanges;
        TMetafileCanvas::DevSetClip(Rgn);
    }
};

} // namespace

TEST(DBGridGxText, SingleLinePlacement) {
    const TRect r(10, 5, 110, 45);
    const int w = WidthOf("abc"), h = HeightOf("abc");
    struct Case {
        TAlignment Alignment;
        TTextLayout Layout;
        int DX, DY, X, Y;
    } cases[] = {
        {taLeftJustify, tlTop, 2, 2, 12, 7},
        {taRightJustify, tlTop, 0, 1, 110 - w - 3, 6},
        {taRightJustify, tlTop, 7, 1, 110 - w - 3, 6},
        {taCenter, tlTop, 2, 2, 10 + 50 - w / 2, 7},
        {taLeftJustify, tlCenter, 2, 2, 12, (5 + 45 - h) / 2},
        {taLeftJustify, tlBottom, 2, 2, 12, 45 - h},
    };
    for (const Case& c : cases) {
        auto recs = Record([&](TCanvas* C) {
            DrawCellText(C, r, false, c.DX, c.DY, "abc", c.Alignment, c.Layout, false, false, 0, 0, false);
        });
        ASSERT_EQ(recs.size(), 1u);
        EXPECT_EQ(recs[0].X, c.X) << c.Alignment << " " << c.Layout << " dx " << c.DX;
        EXPECT_EQ(recs[0].Y, c.Y) << c.Alignment << " " << c.Layout;
        EXPECT_EQ(recs[0].ClipRect, r);
        EXPECT_FALSE(recs[0].Options & ETO_OPAQUE);
    }
}

TEST(DBGridGxText, TextTallerThanTheCellStartsAtTopPlusDY) {
    const int h = HeightOf("abc");
    for (TTextLayout layout : {tlTop, tlCenter, tlBottom}) {
        const TRect r(0, 10, 100, 10 + h); // less than dy to spare
        auto recs = Record([&](TCanvas* C) {
            DrawCellText(C, r, true, 2, 2, "abc", taLeftJustify, layout, false, false, 0, 0, false);
        });
        ASSERT_EQ(recs.size(), 1u);
        EXPECT_EQ(recs[0].Y, 12) << layout;
        EXPECT_TRUE(recs[0].Options & ETO_OPAQUE) << "a filled cell is filled with the text";
    }
}

TEST(DBGridGxText, EndEllipsisShortensToTheWidthLessDX) {
    auto recs = Record([&](TCanvas* C) {
        DrawCellText(C, TRect(0, 0, WidthOf("abcd...") + 4, 20), false, 4, 2, "abcdefg", taLeftJustify, tlTop,
                     false, true, 0, 0, false);
    });
    ASSERT_EQ(recs.size(), 1u);
    EXPECT_EQ(recs[0].Text, "abcd...");
}

TEST(DBGridGxText, ShortenWithEllipsisCountsWholeCharacters) {
    TBitmap b(10, 10);
    TCanvas* c = b.Canvas();
    Pin(c);
    struct Case {
        String Text;
        int MaxWidth;
        String Expected;
    } cases[] = {
        {"abcdefg", WidthOf("abcdefg"), "abcdefg"},
        {"abcdefgWWW", WidthOf("abcdefgW..."), "abcdefgW..."}, // the first shortening drops two
        {"abcdefg", WidthOf("abcd..."), "abcd..."},
        {"abcdefg", 0, "..."},                       // even the ellipsis alone does not fit
        {"物业管理系统收费", WidthOf("物业管..."), "物业管..."},
        {"物业管理系统收费", WidthOf("物业管...") - 1, "物业..."},
    };
    for (const Case& k : cases) {
        String s = ShortenWithEllipsis(k.Text, c, k.MaxWidth);
        EXPECT_EQ(s, k.Expected) << k.Text << " in " << k.MaxWidth;
        EXPECT_TRUE(IsValidUtf8(s));
    }
}

TEST(DBGridGxText, WordWrapLaysOutWithMarginsAndClipsToTheCell) {
    // A negative left margin widens the layout area: centred text is centred on the wider area.
    const int w = WidthOf("ab");
    TMetafile meta;
    {
        ClipCountingCanvas c(&meta);
        Pin(&c);
        DrawCellText(&c, TRect(100, 0, 200, 40), false, 0, 0, "ab", taCenter, tlTop, true, false, -40, 0, false);
        EXPECT_EQ(c.ClipChanges, 2) << "clipped to the cell, then the clip restored";
    }
    auto recs = meta.TextRecords();
    ASSERT_EQ(recs.size(), 1u);
    EXPECT_NEAR(recs[0].X, 60 + (140 - w) / 2, 1);
}

TEST(DBGridGxText, RotatedFontTurnsAndSubstitutesDefault) {
    TFont f;
    f.SetName("Default");
    f.SetStyle(TFontStyles{fsBold, fsItalic});
    f.SetHeight(-13);
    auto r = CreateRotatedFont(&f);
    EXPECT_EQ(r->Name(), "MS Sans Serif");
    EXPECT_EQ(r->Orientation(), 900);
    EXPECT_EQ(r->Height(), -13);
    EXPECT_EQ(r->Style(), f.Style());
    f.SetName("Arial");
    EXPECT_EQ(CreateRotatedFont(&f)->Name(), "Arial");
    EXPECT_EQ(f.Orientation(), 0) << "the font itself stays upright";
}

TEST(DBGridGxText, RotatedTextRunsUpwardAndMeasuresItsExtent) {
    const int w = WidthOf("Fee");
    TBitmap b(10, 10);
    Pin(b.Canvas());
    EXPECT_EQ(DrawRotatedCellText(b.Canvas(), TRect(0, 0, 20, 80), false, 2, 2, "Fee", taLeftJustify, tlBottom,
                                  false, true),
              w);
    auto recs = Record([&](TCanvas* C) {
        int e = DrawRotatedCellText(C, TRect(10, 0, 30, 80), false, 2, 3, "Fee", taLeftJustify, tlBottom, false, false);
        EXPECT_EQ(e, w);
        EXPECT_EQ(C->Font()->Orientation(), 0) << "the canvas font is upright again";
    });
    ASSERT_EQ(recs.size(), 1u);
    EXPECT_EQ(recs[0].Orientation, 900);
    EXPECT_EQ(recs[0].ClipRect, TRect(10, 0, 30, 80));
}

TEST(DBGridGxText, ItalicRotatedTextCountsItsSlant) {
    TBitmap b(10, 10);
    Pin(b.Canvas());
    const int upright = DrawRotatedCellText(b.Canvas(), TRect(0, 0, 20, 80), false, 0, 0, "Fee", taLeftJustify,
                                            tlBottom, false, true);
    b.Canvas()->Font()->SetStyle(TFontStyles{fsItalic});
    const int italic = DrawRotatedCellText(b.Canvas(), TRect(0, 0, 20, 80), false, 0, 0, "Fee", taLeftJustify,
                                           tlBottom, false, true);
    EXPECT_GT(italic, b.Canvas()->TextWidth("Fee"));
    EXPECT_GT(italic, upright - 3);
}

TEST(DBGridGxText, ImageThatFitsLeavesTheClipAlone) {
    TBitmap image(8, 8);
    TMetafile meta;
    ClipCountingCanvas c(&meta);
    DrawImageClipped(nullptr, &image, &c, taCenter, 0, 0, TRect(0, 0, 20, 20));
    EXPECT_EQ(c.ClipChanges, 0);
}

TEST(DBGridGxText, ImageLargerThanTheCellIsClippedAndTheClipRestored) {
    TBitmap target(40, 30);
    TCanvas* c = target.Canvas();
    c->Brush()->SetColor(clWhite);
    c->FillRect(TRect(0, 0, 40, 30));
    TBitmap image(20, 20);
    image.Canvas()->Brush()->SetColor(clRed);
    image.Canvas()->FillRect(TRect(0, 0, 20, 20));
    // Centred: x = (5 + 15 - 20) / 2 = 0, so columns 0..4 would be red without the clip.
    DrawImageClipped(nullptr, &image, c, taCenter, 0, 0, TRect(5, 5, 15, 15));
    EXPECT_EQ(c->Pixels(10, 10), clRed);
    EXPECT_EQ(c->Pixels(2, 10), clWhite);
    EXPECT_EQ(c->Pixels(10, 18), clWhite);
    TRegion rgn;
    EXPECT_FALSE(c->GetClipRgn(rgn)) << "no clip before, none after";
}

TEST(DBGridGxText, ImageListImagesAlignInTheCell) {
    TImageList list(8, 6);
    TBitmap img(8, 6);
    img.Canvas()->Brush()->SetColor(clBlue);
    img.Canvas()->FillRect(TRect(0, 0, 8, 6));
    list.AddMasked(&img, clWhite);
    TBitmap target(40, 20);
    TCanvas* c = target.Canvas();
    c->Brush()->SetColor(clWhite);
    c->FillRect(TRect(0, 0, 40, 20));
    DrawImageClipped(&list, nullptr, c, taRightJustify, -1, 0, TRect(0, 0, 40, 20));
    EXPECT_EQ(c->Pixels(31, 7), clBlue); // x = 40 - 8 - 1
    EXPECT_EQ(c->Pixels(38, 7), clBlue);
    EXPECT_EQ(c->Pixels(39, 7), clWhite);
    EXPECT_EQ(c->Pixels(35, 6), clWhite); // y = (20 - 6) / 2 = 7
}

TEST(DBGridGxText, BrightenColor) {
    struct Case {
        TColor In;
        double D;
        TColor Out;
    } cases[] = {
        {TColor(RGB(64, 128, 200)), 8, TColor(RGB(72, 144, 225))},
        {clWhite, 8, clWhite},
        {TColor(RGB(250, 10, 0)), 8, TColor(RGB(255, 11, 0))},
        {TColor(0x9BCDFF), 8, TColor(RGB(255, 230, 174))},
        {clBlack, 2, clBlack},
    };
    for (const Case& c : cases)
        EXPECT_EQ(BrightenColor(c.In, c.D), c.Out) << std::hex << c.In;
}

TEST(DBGridGxText, PointWithinCountsEveryEdge) {
    const TRect r(10, 10, 20, 20);
    struct Case {
        TPoint P;
        bool In;
    } cases[] = {{{10, 10}, true}, {{20, 20}, true}, {{15, 20}, true}, {{9, 15}, false}, {{15, 21}, false}};
    for (const Case& c : cases)
        EXPECT_EQ(PointWithin(c.P, r), c.In) << c.P.X << "," << c.P.Y;
}

TEST(DBGridGxText, DitheredColourDrawsThroughTheSharedBitmap) {
    AcquireTextBitmap();
    SetScreenColorCountOverride(256);
    TBitmap target(60, 30);
    TCanvas* c = target.Canvas();
    Pin(c);
    const TColor odd = TColor(RGB(1, 2, 3)); // not one of the static colours
    c->Brush()->SetColor(odd);
    DrawCellText(c, TRect(5, 5, 55, 25), true, 2, 2, "ab", taLeftJustify, tlTop, false, false, 0, 0, false);
    SetScreenColorCountOverride(0);
    EXPECT_GE(SharedTextBitmap()->Width(), 50);
    EXPECT_GE(SharedTextBitmap()->Height(), 20);
    EXPECT_EQ(c->Pixels(54, 24), odd);
    EXPECT_NE(c->Pixels(4, 4), odd);
    EXPECT_EQ(c->Brush()->Color(), odd);
    ReleaseTextBitmap();
}

TEST(DBGridGxText, SharedBitmapIsCountedByTheGrids) {
    const int before = TextBitmapRefCount();
    {
        TDBGridGx a(nullptr), b(nullptr);
        EXPECT_EQ(TextBitmapRefCount(), before + 2);
        EXPECT_NE(SharedTextBitmap(), nullptr);
    }
    EXPECT_EQ(TextBitmapRefCount(), before);
}

TEST(DBGridGxText, RightToLeftExchangesAlignmentAndMargins) {
    struct Case {
        TAlignment In, Out;
    } cases[] = {{taLeftJustify, taRightJustify}, {taRightJustify, taLeftJustify}, {taCenter, taCenter}};
    for (const Case& c : cases) {
        TAlignment a = c.In;
        int l = 3, r = 7;
        MirrorCellTextPlacement(a, l, r);
        EXPECT_EQ(a, c.Out);
        EXPECT_EQ(l, 7);
        EXPECT_EQ(r, 3);
    }
}

TEST_F(DBGridTest, MapCanvasRightToLeftMirrorsTheGridCanvasAndBack) {
    TCanvas* c = Grid->Canvas();
    const int w = Grid->ClientWidth();
    Grid->MapCanvasRightToLeft(true);
    EXPECT_EQ(c->LPtoDP(TPoint(0, 5)), TPoint(w, 5));
    EXPECT_EQ(c->LPtoDP(TPoint(10, 7)), TPoint(w - 10, 7));
    Grid->MapCanvasRightToLeft(false);
    EXPECT_EQ(c->LPtoDP(TPoint(10, 7)), TPoint(10, 7));
}

// A number wider than its room shows as '#' filling the room, as spreadsheets show it; a cut part
// would read as another number ("13,235,252.61" as "3,235,252.61").
TEST(DBGridGxText, NumbersThatDoNotFitShowAsHashes) {
    TBitmap b(10, 10);
    Pin(b.Canvas());
    const String amount = "13,235,252.61";
    const int full = WidthOf(amount), hash = WidthOf("#");
    const struct {
        String Text;
        int Room;
        String Shown;
    } cases[] = {
        {amount, full, amount},                                                   // fits exactly
        {amount, full - 1, String(static_cast<size_t>((full - 1) / hash), '#')}, // one pixel short
        {"￥62,706.83", 20, String(static_cast<size_t>(20 / hash), '#')},
        {"-5", 1, "#"},              // no room at all: one '#' still marks it
        {"Total", 3, "Total"},       // no digit: a text is no number
        {"", 0, ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FitNumberText(b.Canvas(), c.Text, c.Room), c.Shown) << c.Text << " in " << c.Room;
    // The room as the single-line text is placed: a right-aligned text keeps 3 pixels from the
    // right edge, a left-aligned one starts DX in.
    EXPECT_EQ(CellTextRoom(TRect(10, 0, 60, 20), 2, taRightJustify), 47);
    EXPECT_EQ(CellTextRoom(TRect(10, 0, 60, 20), 2, taLeftJustify), 48);
    EXPECT_EQ(CellTextRoom(TRect(10, 0, 60, 20), 2, taCenter), 50);
}
