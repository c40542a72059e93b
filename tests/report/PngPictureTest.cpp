// The PNG picture among the windowing layer's pictures: loading through TPicture, drawing on a
// canvas, bitmaps in and out, the clipboard.
#include "CodecTestTools.h"
#include "gui/Picture.h"
#include "report/vrpngimage.h"
#include "rtl/Streams.h"

#include <gtest/gtest.h>
#include <zlib.h>

namespace {

std::vector<Byte> Chunk(const std::string& type, const std::vector<Byte>& data) {
    std::vector<Byte> out;
    for (int i = 3; i >= 0; --i)
        out.push_back(static_cast<Byte>((data.size() >> (8 * i)) & 0xFF));
    out.insert(out.end(), type.begin(), type.end());
    out.insert(out.end(), data.begin(), data.end());
    uLong crc = crc32(0L, Z_NULL, 0);
    crc = crc32(crc, reinterpret_cast<const Bytef*>(type.data()), 4);
    if (!data.empty()) crc = crc32(crc, data.data(), static_cast<uInt>(data.size()));
    for (int i = 3; i >= 0; --i)
        out.push_back(static_cast<Byte>((crc >> (8 * i)) & 0xFF));
    return out;
}

// A 2 × 1 picture of colour type `type` (8 bits) with the given row and extra chunks.
std::vector<Byte> Png(Byte type, const std::vector<Byte>& row, const std::vector<Byte>& extra = {}) {
    std::vector<Byte> out{0x89, 0x50, 0x4E, 0x47, 0x0D, 0x0A, 0x1A, 0x0A};
    auto add = [&](const std::vector<Byte>& c) { out.insert(out.end(), c.begin(), c.end()); };
    add(Chunk("IHDR", {0, 0, 0, 2, 0, 0, 0, 1, 8, type, 0, 0, 0}));
    out.insert(out.end(), extra.begin(), extra.end());
    std::vector<Byte> raw{0};
    raw.insert(raw.end(), row.begin(), row.end());
    uLongf size = compressBound(static_cast<uLong>(raw.size()));
    std::vector<Byte> z(size);
    compress2(z.data(), &size, raw.data(), static_cast<uLong>(raw.size()), 9);
    z.resize(size);
    add(Chunk("IDAT", z));
    add(Chunk("IEND", {}));
    return out;
}

std::unique_ptr<TBitmap> Filled(int w, int h, TColor color) {
    auto bmp = std::make_unique<TBitmap>(w, h, pf24bit);
    bmp->Canvas()->Brush()->SetColor(color);
    bmp->Canvas()->FillRect(TRect(0, 0, w, h));
    return bmp;
}

} // namespace

TEST(PngPicture, PicturesLoadPngByExtensionAndBySignature) {
    RegisterPNGObject();
    codectest::TempFolder dir;
    const std::vector<Byte> file = Png(2, {10, 20, 30, 40, 50, 60});
    codectest::WriteFile(dir / "pic.png", file);
    TPicture picture;
    picture.LoadFromFile(dir / "pic.png");
    ASSERT_NE(dynamic_cast<TPNGObject*>(picture.Graphic()), nullptr);
    EXPECT_EQ(picture.Width(), 2);
    TMemoryStream stream;
    stream.WriteBuffer(file.data(), static_cast<Int64>(file.size()));
    stream.SetPosition(0);
    TPicture byContent;
    byContent.LoadFromStream(stream);
    ASSERT_NE(dynamic_cast<TPNGObject*>(byContent.Graphic()), nullptr);
}

TEST(PngPicture, DrawsWithNoOneColourOrAlphaTransparency) {
    TPNGObject plain;
    plain.LoadFromBytes(Png(2, {10, 20, 30, 40, 50, 60}));
    auto target = Filled(4, 2, PngRGB(255, 255, 255));
    target->Canvas()->StretchDraw(TRect(0, 0, 4, 2), &plain);
    EXPECT_EQ(target->Pixel(1, 1), PngRGB(10, 20, 30));
    EXPECT_EQ(target->Pixel(2, 0), PngRGB(40, 50, 60));

    TPNGObject keyed;
    keyed.LoadFromBytes(Png(2, {10, 20, 30, 40, 50, 60}, Chunk("tRNS", {0, 10, 0, 20, 0, 30})));
    EXPECT_TRUE(keyed.Transparent());
    auto under = Filled(2, 1, PngRGB(0, 0, 255));
    under->Canvas()->Draw(0, 0, &keyed);
    EXPECT_EQ(under->Pixel(0, 0), PngRGB(0, 0, 255));
    EXPECT_EQ(under->Pixel(1, 0), PngRGB(40, 50, 60));

    TPNGObject alpha;
    alpha.LoadFromBytes(Png(6, {0, 0, 0, 128, 9, 9, 9, 255}));
    auto white = Filled(2, 1, PngRGB(255, 255, 255));
    white->Canvas()->Draw(0, 0, &alpha);
    EXPECT_EQ(white->Pixel(0, 0), PngRGB(127, 127, 127));
    EXPECT_EQ(white->Pixel(1, 0), PngRGB(9, 9, 9));
}

TEST(PngPicture, BitmapsInAndOutAndTheClipboard) {
    auto source = Filled(3, 2, PngRGB(1, 2, 3));
    TPNGObject png;
    png.Assign(*source);
    EXPECT_EQ(png.Header().ColorType, 2);
    EXPECT_EQ(png.GetPixel(2, 1), PngRGB(1, 2, 3));
    TBitmap out;
    png.AssignTo(out);
    EXPECT_EQ(out.PixelFormat(), pf24bit);
    EXPECT_EQ(out.Pixel(0, 0), PngRGB(1, 2, 3));
    Word format = 0;
    std::vector<Byte> data;
    png.SaveToClipboardFormat(format, data);
    TPNGObject back;
    back.LoadFromClipboardFormat(format, data);
    EXPECT_EQ(back.GetPixel(1, 1), PngRGB(1, 2, 3));
}

TEST(PngPicture, PalettesOfPaletteImagesCanBeReadAndReplaced) {
    TPNGObject png;
    png.LoadFromBytes(Png(3, {0, 1}, Chunk("PLTE", {10, 20, 30, 40, 50, 60})));
    std::vector<TPngRGB> palette = png.GetPalette();
    ASSERT_EQ(palette.size(), 256u);
    EXPECT_EQ(palette[1], (TPngRGB{40, 50, 60}));
    png.SetPalette({{1, 2, 3}, {4, 5, 6}});
    EXPECT_EQ(png.GetPixel(0, 0), PngRGB(1, 2, 3));
    EXPECT_EQ(png.GetPixel(1, 0), PngRGB(4, 5, 6));
    TPNGObject back;
    back.LoadFromBytes(png.SaveToBytes()); // the replaced colours are the palette written
    EXPECT_EQ(back.GetPixel(1, 0), PngRGB(4, 5, 6));

    TPNGObject grey;
    grey.LoadFromBytes(Png(0, {0, 255}));
    ASSERT_EQ(grey.GetPalette().size(), 256u);
    EXPECT_EQ(grey.GetPalette()[255], (TPngRGB{255, 255, 255}));

    TPNGObject rgb;
    rgb.LoadFromBytes(Png(2, {10, 20, 30, 40, 50, 60}));
    EXPECT_TRUE(rgb.GetPalette().empty());
    rgb.SetPalette({{1, 2, 3}}); // a true-colour image has no palette to replace
    EXPECT_EQ(rgb.GetPixel(0, 0), PngRGB(10, 20, 30));

    TPNGObject empty;
    EXPECT_TRUE(empty.GetPalette().empty());
    EXPECT_THROW(empty.SetPalette({{1, 2, 3}}), EPNGHeaderNotPresent);
}

TEST(PngPicture, AssigningNothingEmptiesTheImage) {
    TPNGObject png;
    png.LoadFromBytes(Png(2, {10, 20, 30, 40, 50, 60}, Chunk("tRNS", {0, 10, 0, 20, 0, 30})));
    int changes = 0;
    png.OnChange = [&](TObject*) { ++changes; };
    png.Assign(static_cast<const TPersistent*>(nullptr));
    EXPECT_TRUE(png.Empty());
    EXPECT_EQ(png.Width(), 0);
    EXPECT_FALSE(png.Transparent());
    EXPECT_EQ(changes, 1);
}

TEST(PngPicture, SettingATransparentColourMakesThePictureTransparent) {
    TPNGObject png;
    png.LoadFromBytes(Png(2, {10, 20, 30, 40, 50, 60}));
    EXPECT_FALSE(png.Transparent());
    png.SetTransparentColor(PngRGB(10, 20, 30));
    EXPECT_TRUE(png.Transparent());
    EXPECT_EQ(png.TransparencyMode(), ptmBit);
    auto under = Filled(2, 1, PngRGB(0, 0, 255));
    under->Canvas()->Draw(0, 0, &png);
    EXPECT_EQ(under->Pixel(0, 0), PngRGB(0, 0, 255));
    EXPECT_EQ(under->Pixel(1, 0), PngRGB(40, 50, 60));
}
