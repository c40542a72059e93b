#include "GuiTestSupport.h"

#include "gui/Bitmap.h"
#include "gui/ImgList.h"
#include "gui/Jpeg.h"
#include "gui/Picture.h"
#include "rtl/Streams.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

namespace {

// Four colour blocks: red, green / blue, white.
void PaintBlocks(TBitmap& b) {
    TCanvas* c = b.Canvas();
    int w = b.Width(), h = b.Height();
    c->Brush()->SetColor(clRed);
    c->FillRect(Rect(0, 0, w / 2, h / 2));
    c->Brush()->SetColor(clLime);
    c->FillRect(Rect(w / 2, 0, w, h / 2));
    c->Brush()->SetColor(clBlue);
    c->FillRect(Rect(0, h / 2, w / 2, h));
    c->Brush()->SetColor(clWhite);
    c->FillRect(Rect(w / 2, h / 2, w, h));
}

bool Near(TColor a, TColor b, int tolerance) {
    TColorRef x = ColorToRGB(a), y = ColorToRGB(b);
    return std::abs(GetRValue(x) - GetRValue(y)) <= tolerance &&
           std::abs(GetGValue(x) - GetGValue(y)) <= tolerance &&
           std::abs(GetBValue(x) - GetBValue(y)) <= tolerance;
}

} // namespace

TEST(Bitmap, ScanLinesUseThePlatformRowLayout) {
    TBitmap b(3, 2, pf24bit);
    EXPECT_EQ(b.RowBytes(), 12);
    b.Canvas()->SetPixels(0, 0, clRed);
    b.Canvas()->SetPixels(2, 1, RGB(1, 2, 3));
    const Byte* row0 = static_cast<const TBitmap&>(b).ScanLine(0);
    EXPECT_EQ(row0[0], 0);
    EXPECT_EQ(row0[1], 0);
    EXPECT_EQ(row0[2], 255);
    const Byte* row1 = static_cast<const TBitmap&>(b).ScanLine(1);
    EXPECT_EQ(row1[6], 3);
    EXPECT_EQ(row1[7], 2);
    EXPECT_EQ(row1[8], 1);
    // Writing the rows changes what the canvas sees.
    Byte* w = b.ScanLine(1);
    w[0] = 0xFF; // blue
    w[1] = 0;
    w[2] = 0;
    EXPECT_EQ(b.Canvas()->Pixels(0, 1), clBlue);
    EXPECT_THROW(b.ScanLine(2), EInvalidGraphicOperation);

    TBitmap b32(2, 1, pf32bit);
    b32.Canvas()->SetPixels(1, 0, RGB(10, 20, 30));
    const Byte* p = static_cast<const TBitmap&>(b32).ScanLine(0);
    EXPECT_EQ(p[4], 30);
    EXPECT_EQ(p[5], 20);
    EXPECT_EQ(p[6], 10);
    EXPECT_EQ(b32.RowBytes(), 8);
}

TEST(Bitmap, IndexedFormatsKeepIndexesAndPalette) {
    TBitmap b(5, 2, pf8bit);
    EXPECT_EQ(b.RowBytes(), 8);
    std::vector<TColor> pal(256, clBlack);
    pal[1] = clRed;
    pal[2] = clYellow;
    b.SetPalette(pal);
    Byte* r = b.ScanLine(0);
    r[0] = 1;
    r[4] = 2;
    EXPECT_EQ(b.Pixel(0, 0), clRed);
    EXPECT_EQ(b.Pixel(4, 0), clYellow);
    // Drawing maps back to the palette's indexes.
    b.Canvas()->SetPixels(1, 1, clYellow);
    EXPECT_EQ(static_cast<const TBitmap&>(b).ScanLine(1)[1], 2);

    TBitmap m(10, 1, pf1bit);
    EXPECT_TRUE(m.Monochrome());
    EXPECT_EQ(m.RowBytes(), 4);
    m.Canvas()->Brush()->SetColor(clBlack);
    m.Canvas()->FillRect(Rect(0, 0, 10, 1));
    m.Canvas()->SetPixels(0, 0, clWhite);
    m.Canvas()->SetPixels(9, 0, clWhite);
    const Byte* bits = static_cast<const TBitmap&>(m).ScanLine(0);
    EXPECT_EQ(bits[0], 0x80); // the first pixel is the high bit
    EXPECT_EQ(bits[1], 0x40);

    TBitmap four(3, 1, pf4bit);
    Byte* n = four.ScanLine(0);
    n[0] = 0x9C; // indexes 9 (red) and 12 (blue)
    n[1] = 0xA0; // index 10 (lime)
    EXPECT_EQ(four.Pixel(0, 0), clRed);
    EXPECT_EQ(four.Pixel(1, 0), clBlue);
    EXPECT_EQ(four.Pixel(2, 0), clLime);
}

TEST(Bitmap, BmpFilesRoundTripInEveryFormat) {
    TTempDir dir;
    for (TPixelFormat f : {pf1bit, pf4bit, pf8bit, pf15bit, pf16bit, pf24bit, pf32bit}) {
        SCOPED_TRACE(static_cast<int>(f));
        TBitmap b(13, 7, f);
        PaintBlocks(b);
        String file = dir.File("b" + std::to_string(static_cast<int>(f)) + ".bmp");
        b.SaveToFile(file);
        TBitmap loaded;
        loaded.LoadFromFile(file);
        EXPECT_EQ(loaded.PixelFormat(), f);
        EXPECT_EQ(loaded.Width(), 13);
        EXPECT_EQ(loaded.Height(), 7);
        for (int y = 0; y < 7; ++y)
            for (int x = 0; x < 13; ++x)
                EXPECT_EQ(loaded.Pixel(x, y), b.Pixel(x, y)) << x << "," << y;
    }
    TStringStream junk("BM\x20\0\0\0 not a bitmap at all......");
    TBitmap bad;
    EXPECT_THROW(bad.LoadFromStream(junk), EInvalidGraphic);
}

TEST(Bitmap, BmpFilesReadByAnIndependentReader) {
    ASSERT_TRUE(HasPillow()) << "python3 with Pillow is required (scripts/packages.txt installs it)";
    TTempDir dir;
    struct {
        TPixelFormat Format;
        const char* Mode;
    } cases[] = {{pf24bit, "RGB"}, {pf8bit, "P"}, {pf1bit, "1"}};
    for (const auto& c : cases) {
        TBitmap b(20, 10, c.Format);
        PaintBlocks(b);
        if (c.Format == pf1bit) {
            b.Canvas()->Brush()->SetColor(clBlack);
            b.Canvas()->FillRect(Rect(0, 0, 10, 10));
        }
        String file = dir.File("p.bmp");
        b.SaveToFile(file);
        bool ok;
        String out = RunPython("from PIL import Image\nim = Image.open('" + file +
                                   "')\nprint(im.size, im.mode, im.convert('RGB').getpixel((15, 7)), "
                                   "im.convert('RGB').getpixel((2, 2)))\n",
                               ok);
        ASSERT_TRUE(ok) << out;
        String expected = String("(20, 10) ") + c.Mode + " (255, 255, 255) " +
                          (c.Format == pf1bit ? "(0, 0, 0)" : "(255, 0, 0)");
        EXPECT_EQ(out, expected);
    }
}

TEST(Bitmap, TransparentDrawingLeavesTheKeyColourOut) {
    TBitmap sprite(4, 4, pf24bit);
    sprite.Canvas()->Brush()->SetColor(clFuchsia);
    sprite.Canvas()->FillRect(Rect(0, 0, 4, 4));
    sprite.Canvas()->Brush()->SetColor(clNavy);
    sprite.Canvas()->FillRect(Rect(1, 1, 3, 3));
    sprite.SetTransparent(true);
    EXPECT_EQ(sprite.TransparentColor() & 0xFFFFFF, clFuchsia);
    TBitmap back(4, 4, pf24bit);
    back.Canvas()->Brush()->SetColor(clWhite);
    back.Canvas()->FillRect(Rect(0, 0, 4, 4));
    back.Canvas()->Draw(0, 0, &sprite);
    EXPECT_EQ(back.Pixel(0, 0), clWhite);
    EXPECT_EQ(back.Pixel(1, 1), clNavy);
}

TEST(Jpeg, RoundTripThroughFilesAndPictures) {
    TTempDir dir;
    TBitmap b(64, 48, pf24bit);
    PaintBlocks(b);
    TJPEGImage jpeg;
    jpeg.Assign(b);
    jpeg.SetCompressionQuality(95);
    String file = dir.File("blocks.jpg");
    jpeg.SaveToFile(file);

    TPicture pic;
    pic.LoadFromFile(file);
    auto* loaded = dynamic_cast<TJPEGImage*>(pic.Graphic());
    ASSERT_NE(loaded, nullptr);
    EXPECT_EQ(pic.Width(), 64);
    EXPECT_EQ(pic.Height(), 48);
    const TBitmap& px = loaded->Bitmap();
    EXPECT_TRUE(Near(px.Pixel(8, 8), clRed, 12));
    EXPECT_TRUE(Near(px.Pixel(56, 8), clLime, 12));
    EXPECT_TRUE(Near(px.Pixel(8, 40), clBlue, 12));
    EXPECT_TRUE(Near(px.Pixel(56, 40), clWhite, 12));

    // Unchanged data is written back as it was loaded.
    TMemoryStream again;
    loaded->SaveToStream(again);
    TMemoryStream original;
    original.LoadFromFile(file);
    EXPECT_EQ(again.Bytes(), original.Bytes());

    // A lower quality gives a smaller file; grey scale gives one channel.
    TJPEGImage low;
    low.Assign(b);
    low.SetCompressionQuality(10);
    EXPECT_LT(low.SaveToBytes().size(), jpeg.SaveToBytes().size());
    TJPEGImage grey;
    grey.SetGrayscale(true);
    grey.Assign(b);
    String greyFile = dir.File("grey.jpg");
    grey.SaveToFile(greyFile);

    ASSERT_TRUE(HasPillow()) << "python3 with Pillow is required (scripts/packages.txt installs it)";
    bool ok;
    String out = RunPython("from PIL import Image\na = Image.open('" + file + "')\nb = Image.open('" + greyFile +
                               "')\nprint(a.format, a.size, a.mode, b.mode)\n",
                           ok);
    ASSERT_TRUE(ok) << out;
    EXPECT_EQ(out, "JPEG (64, 48) RGB L");

    TStringStream broken(String("\xFF\xD8\xFF\xE0 broken", 11));
    TJPEGImage bad;
    EXPECT_THROW(bad.LoadFromStream(broken), EJPEG);
}

namespace {

// A picture kind of the test's own, registered like the GIF and PNG units register theirs.
class TTestGraphic : public TBitmap {
public:
    String ClassName() const override { return "TTestGraphic"; }
    void LoadFromStream(TStream& stream) override {
        char head[4];
        stream.ReadBuffer(head, 4);
        SetSize(3, 3);
    }
    std::unique_ptr<TGraphic> NewOfSameClass() const override { return std::make_unique<TTestGraphic>(); }
};

} // namespace

TEST(Picture, ReadsByExtensionAndBySignatureThroughTheRegistry) {
    TTempDir dir;
    TBitmap b(5, 4, pf24bit);
    PaintBlocks(b);
    TMemoryStream bmp;
    b.SaveToStream(bmp);
    bmp.SetPosition(0);
    TPicture pic;
    pic.LoadFromStream(bmp);
    EXPECT_NE(dynamic_cast<TBitmap*>(pic.Graphic()), nullptr);
    EXPECT_EQ(pic.Width(), 5);

    TJPEGImage j;
    j.Assign(b);
    TMemoryStream jpg;
    j.SaveToStream(jpg);
    jpg.SetPosition(0);
    pic.LoadFromStream(jpg);
    EXPECT_NE(dynamic_cast<TJPEGImage*>(pic.Graphic()), nullptr);

    try {
        pic.LoadFromFile(dir.File("x.xyz"));
        FAIL();
    } catch (const EInvalidGraphic& e) {
        EXPECT_EQ(e.Message(), "Unknown picture file extension (.xyz)");
    }
    TStringStream tst("TST!rest");
    EXPECT_THROW(pic.LoadFromStream(tst), EInvalidGraphic);

    TPicture::RegisterFileFormat(
        "tst", "Test pictures", "TTestGraphic", [] { return std::make_unique<TTestGraphic>(); },
        [](const Byte* d, size_t n) { return n >= 4 && std::memcmp(d, "TST!", 4) == 0; });
    tst.SetPosition(0);
    pic.LoadFromStream(tst);
    EXPECT_EQ(pic.Graphic()->ClassName(), "TTestGraphic");
    EXPECT_EQ(tst.Position(), 4);
    EXPECT_NE(TPicture::GraphicFilter().find("Test pictures (*.tst)|*.tst"), String::npos);
    EXPECT_EQ(TPicture::GraphicFilter("TBitmap"), "All (*.bmp)|*.bmp|Bitmaps (*.bmp)|*.bmp");
    TPicture::UnregisterGraphicClass("TTestGraphic");
    tst.SetPosition(0);
    EXPECT_THROW(pic.LoadFromStream(tst), EInvalidGraphic);

    // Asking for the bitmap of a JPEG picture gives a new, empty bitmap.
    pic.LoadFromStream((jpg.SetPosition(0), jpg));
    EXPECT_TRUE(pic.Bitmap()->Empty());
}

TEST(ImageList, MaskedAndGreyedDrawing) {
    TImageList list(4, 4);
    TBitmap strip(8, 4, pf24bit);
    strip.Canvas()->Brush()->SetColor(clFuchsia);
    strip.Canvas()->FillRect(Rect(0, 0, 8, 4));
    strip.Canvas()->Brush()->SetColor(clBlack);
    strip.Canvas()->FillRect(Rect(1, 1, 3, 3));
    strip.Canvas()->Brush()->SetColor(clYellow);
    strip.Canvas()->FillRect(Rect(4, 0, 8, 2));
    EXPECT_EQ(list.AddMasked(&strip, clFuchsia), 0);
    EXPECT_EQ(list.Count(), 2);

    TBitmap target(12, 6, pf24bit);
    target.Canvas()->Brush()->SetColor(clWhite);
    target.Canvas()->FillRect(Rect(0, 0, 12, 6));
    list.Draw(target.Canvas(), 0, 0, 0);
    EXPECT_EQ(target.Pixel(0, 0), clWhite);
    EXPECT_EQ(target.Pixel(1, 1), clBlack);
    list.Draw(target.Canvas(), 4, 0, 1);
    EXPECT_EQ(target.Pixel(5, 1), clYellow);
    EXPECT_EQ(target.Pixel(5, 3), clWhite);
    // Greyed: the shape in the shadow colour, its highlight one pixel down and right.
    list.Draw(target.Canvas(), 8, 0, 0, false);
    EXPECT_EQ(static_cast<TColorRef>(target.Pixel(9, 1)), ColorToRGB(clBtnShadow));
    EXPECT_EQ(static_cast<TColorRef>(target.Pixel(11, 3)), ColorToRGB(clBtnHighlight));
    EXPECT_EQ(target.Pixel(8, 0), clWhite);

    TBitmap copy;
    EXPECT_TRUE(list.GetBitmap(1, &copy));
    EXPECT_EQ(copy.Width(), 4);
    EXPECT_EQ(copy.Pixel(0, 0), clYellow);
    EXPECT_EQ(static_cast<TColorRef>(copy.Pixel(0, 3)), ColorToRGB(clBtnFace));
    EXPECT_FALSE(list.GetBitmap(2, &copy));
    list.SetSize(8, 8);
    EXPECT_EQ(list.Count(), 0);
}

TEST(Icon, LoadsAndDrawsWithItsTransparency) {
    ASSERT_TRUE(HasPillow()) << "python3 with Pillow is required (scripts/packages.txt installs it)";
    TTempDir dir;
    String file = dir.File("app.ico");
    bool ok;
    String out = RunPython(
        "from PIL import Image\nim = Image.new('RGBA', (32, 32), (0, 0, 0, 0))\n"
        "for x in range(8, 24):\n    for y in range(8, 24):\n        im.putpixel((x, y), (255, 0, 0, 255))\n"
        "im.save('" +
            file + "', sizes=[(32, 32)])\n",
        ok);
    ASSERT_TRUE(ok) << out;
    TPicture pic;
    pic.LoadFromFile(file);
    ASSERT_EQ(pic.Graphic()->ClassName(), "TIcon");
    EXPECT_EQ(pic.Width(), 32);
    TBitmap back(32, 32, pf24bit);
    back.Canvas()->Brush()->SetColor(clWhite);
    back.Canvas()->FillRect(Rect(0, 0, 32, 32));
    back.Canvas()->Draw(0, 0, pic.Graphic());
    EXPECT_EQ(back.Pixel(2, 2), clWhite);
    EXPECT_EQ(back.Pixel(16, 16), clRed);
    TStringStream notIcon("BM......");
    EXPECT_THROW(pic.Graphic()->LoadFromStream(notIcon), EInvalidGraphic);
}
