// The PNG picture's reading, writing, pixel and drawing rules on small files built byte by byte.
#include "report/vrpngimage.h"
#include "rtl/Streams.h"

#include "PeakMemory.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <algorithm>
#include <functional>

namespace {

void Put32(std::vector<Byte>& out, UInt64 v) {
    for (int i = 3; i >= 0; --i)
        out.push_back(static_cast<Byte>((v >> (8 * i)) & 0xFF));
}

std::vector<Byte> Chunk(const std::string& type, const std::vector<Byte>& data) {
    std::vector<Byte> out;
    Put32(out, data.size());
    out.insert(out.end(), type.begin(), type.end());
    out.insert(out.end(), data.begin(), data.end());
    uLong crc = crc32(0L, Z_NULL, 0);
    crc = crc32(crc, reinterpret_cast<const Bytef*>(type.data()), 4);
    if (!data.empty()) crc = crc32(crc, data.data(), static_cast<uInt>(data.size()));
    Put32(out, crc);
    return out;
}

std::vector<Byte> Ihdr(UInt64 w, UInt64 h, Byte depth, Byte type, Byte interlace = 0, Byte compression = 0) {
    std::vector<Byte> d;
    Put32(d, w);
    Put32(d, h);
    d.insert(d.end(), {depth, type, compression, 0, interlace});
    return Chunk("IHDR", d);
}

std::vector<Byte> Deflate(const std::vector<Byte>& raw) {
    uLongf size = compressBound(static_cast<uLong>(raw.size()));
    std::vector<Byte> out(size);
    compress2(out.data(), &size, raw.data(), static_cast<uLong>(raw.size()), 9);
    out.resize(size);
    return out;
}

// A PNG of the given chunks after the signature.
std::vector<Byte> Png(std::initializer_list<std::vector<Byte>> chunks) {
    std::vector<Byte> out{0x89, 0x50, 0x4E, 0x47, 0x0D, 0x0A, 0x1A, 0x0A};
    for (auto& c : chunks)
        out.insert(out.end(), c.begin(), c.end());
    return out;
}

// A 2 × 2 RGB image (filter 0 rows).
std::vector<Byte> RgbIdat() {
    return Chunk("IDAT", Deflate({0, 10, 20, 30, 1, 2, 3, 0, 4, 5, 6, 7, 8, 9}));
}
std::vector<Byte> Iend() {
    return Chunk("IEND", {});
}

std::string ErrorOf(const std::vector<Byte>& file) {
    try {
        TPNGObject png;
        png.LoadFromBytes(file);
    } catch (const Exception& e) {
        return e.Message();
    }
    return "";
}

template <class E> bool Raises(const std::vector<Byte>& file) {
    try {
        TPNGObject png;
        png.LoadFromBytes(file);
    } catch (const E&) {
        return true;
    } catch (...) {
        return false;
    }
    return false;
}

// Chunk types and data sizes of a file.
std::vector<std::pair<std::string, UInt64>> ChunksOf(const std::vector<Byte>& file) {
    std::vector<std::pair<std::string, UInt64>> out;
    for (std::size_t p = 8; p + 8 <= file.size();) {
        const UInt64 n = (UInt64(file[p]) << 24) | (file[p + 1] << 16) | (file[p + 2] << 8) | file[p + 3];
        out.emplace_back(std::string(file.begin() + p + 4, file.begin() + p + 8), n);
        p += 12 + n;
    }
    return out;
}

std::vector<Byte> Inflate(const std::vector<Byte>& file) {
    std::vector<Byte> idat;
    for (std::size_t p = 8; p + 8 <= file.size();) {
        const UInt64 n = (UInt64(file[p]) << 24) | (file[p + 1] << 16) | (file[p + 2] << 8) | file[p + 3];
        if (std::string(file.begin() + p + 4, file.begin() + p + 8) == "IDAT")
            idat.insert(idat.end(), file.begin() + p + 8, file.begin() + p + 8 + n);
        p += 12 + n;
    }
    std::vector<Byte> raw(1 << 22);
    uLongf size = raw.size();
    uncompress(raw.data(), &size, idat.data(), static_cast<uLong>(idat.size()));
    raw.resize(size);
    return raw;
}

TPngBitmap Bitmap24(Integer w, Integer h, const std::function<TPngColor(Integer, Integer)>& color) {
    TPngBitmap bmp;
    bmp.Allocate(w, h, 24);
    for (Integer y = 0; y < h; ++y)
        for (Integer x = 0; x < w; ++x) {
            Byte* p = bmp.Row(y) + 3 * x;
            const TPngColor c = color(x, y);
            p[0] = (c >> 16) & 0xFF;
            p[1] = (c >> 8) & 0xFF;
            p[2] = c & 0xFF;
        }
    return bmp;
}

} // namespace

TEST(PngRead, SignatureEndAndChunkOrder) {
    EXPECT_TRUE(Raises<EPNGInvalidFileHeader>({'G', 'I', 'F', '8', '9', 'a', 0, 0}));
    EXPECT_TRUE(Raises<EPNGInvalidFileHeader>({0x89, 'P'}));
    std::vector<Byte> cut = Png({Ihdr(2, 2, 8, 2), RgbIdat()});
    EXPECT_TRUE(Raises<EPngUnexpectedEnd>(cut));
    EXPECT_TRUE(
        Raises<EPNGIHDRNotFirst>(Png({Chunk("tEXt", {'a', 0, 'b'}), Ihdr(2, 2, 8, 2), RgbIdat(), Iend()})));
    EXPECT_TRUE(Raises<EPNGNoImageData>(Png({Ihdr(2, 2, 8, 2), Iend()})));
    EXPECT_TRUE(
        Raises<EPNGUnknownCriticalChunk>(Png({Ihdr(2, 2, 8, 2), Chunk("ABCD", {1}), RgbIdat(), Iend()})));
    EXPECT_EQ(ErrorOf(Png({Ihdr(2, 2, 8, 2), Chunk("ABCD", {1})})),
              "This \"Portable Network Graphics\" image contains an unknown critical part which could not be "
              "decoded.");
}

TEST(PngRead, CrcErrorsAreReported) {
    std::vector<Byte> file = Png({Ihdr(2, 2, 8, 2), RgbIdat(), Iend()});
    file[30] ^= 1; // inside IHDR's CRC
    EXPECT_TRUE(Raises<EPngInvalidCRC>(file));
}

TEST(PngRead, HeaderChecks) {
    EXPECT_TRUE(Raises<EPNGSizeExceeds>(Png({Ihdr(65536, 2, 8, 2), RgbIdat(), Iend()})));
    EXPECT_TRUE(Raises<EPNGUnknownInterlace>(Png({Ihdr(2, 2, 8, 2, 2), RgbIdat(), Iend()})));
    EXPECT_TRUE(Raises<EPNGUnknownCompression>(Png({Ihdr(2, 2, 8, 2, 0, 1), RgbIdat(), Iend()})));
    EXPECT_TRUE(Raises<EPngInvalidIHDR>(Png({Chunk("IHDR", {0, 0, 0, 2}), RgbIdat(), Iend()})));
    // Zero sizes and colour type / depth pairs outside the PNG table are refused.
    EXPECT_TRUE(Raises<EPngInvalidIHDR>(Png({Ihdr(0, 2, 8, 2), RgbIdat(), Iend()})));
    EXPECT_TRUE(Raises<EPngInvalidIHDR>(Png({Ihdr(2, 0, 8, 2), RgbIdat(), Iend()})));
    for (auto [depth, type] : {std::pair<Byte, Byte>{4, 2}, {16, 3}, {3, 0}, {8, 5}, {1, 6}, {2, 4}})
        EXPECT_TRUE(Raises<EPngInvalidIHDR>(Png({Ihdr(2, 2, depth, type), RgbIdat(), Iend()})))
            << int(depth) << "/" << int(type);
}

TEST(PngRead, LargeImagesRaiseAClearErrorInsteadOfOverflowing) {
    try {
        TPNGObject png;
        png.LoadFromBytes(Png({Ihdr(65535, 65535, 16, 6), RgbIdat(), Iend()}));
        FAIL();
    } catch (const EPNGSizeExceeds& e) {
        EXPECT_EQ(e.Message(), PngTooLargeText);
    }
}

TEST(PngRead, RgbPixelsAreStoredBlueFirstAndRowsBottomUp) {
    TPNGObject png;
    png.LoadFromBytes(Png({Ihdr(2, 2, 8, 2), RgbIdat(), Iend()}));
    const TPngBitmap& img = png.Header().Image;
    const Byte* top = img.Bits.data() + img.BytesPerRow; // the last buffer row is image row 0
    EXPECT_EQ(std::vector<Byte>(top, top + 3), (std::vector<Byte>{30, 20, 10}));
    EXPECT_EQ(png.GetPixel(0, 0), PngRGB(10, 20, 30));
    EXPECT_EQ(png.GetPixel(1, 1), PngRGB(7, 8, 9));
    EXPECT_EQ(png.GetPixel(5, 5), 0);
}

TEST(PngRead, SplitImageDataAndWhatMayStandBetween) {
    const std::vector<Byte> z = Deflate({0, 10, 20, 30, 1, 2, 3, 0, 4, 5, 6, 7, 8, 9});
    const std::vector<Byte> a(z.begin(), z.begin() + 5), b(z.begin() + 5, z.end());
    TPNGObject png;
    png.LoadFromBytes(Png({Ihdr(2, 2, 8, 2), Chunk("IDAT", a), Chunk("IDAT", b), Iend()}));
    EXPECT_EQ(png.GetPixel(1, 1), PngRGB(7, 8, 9));
    EXPECT_TRUE(Raises<EPNGMissingMultipleIDAT>(
        Png({Ihdr(2, 2, 8, 2), Chunk("IDAT", a), Chunk("tEXt", {'k', 0}), Chunk("IDAT", b), Iend()})));
    EXPECT_TRUE(Raises<EPNGZLIBError>(Png({Ihdr(2, 2, 8, 2), Chunk("IDAT", {1, 2, 3, 4, 5}), Iend()})));
    // A zlib header asking for a preset dictionary (78 BB) is an error, never an endless loop.
    try {
        TPNGObject dict;
        dict.LoadFromBytes(Png({Ihdr(2, 2, 8, 2), Chunk("IDAT", {0x78, 0xBB, 0, 0, 0, 1, 3, 0}), Iend()}));
        FAIL();
    } catch (const EPNGZLIBError& e) {
        EXPECT_NE(e.Message().find("Description: need dictionary (2)"), String::npos);
    }
}

TEST(PngRead, AncillaryChunksAreKeptAndCHRMIsDropped) {
    TPNGObject png;
    png.LoadFromBytes(Png({Ihdr(2, 2, 8, 2), Chunk("cHRM", std::vector<Byte>(32, 1)), Chunk("teSt", {7, 7}),
                           Chunk("tIME", {0x07, 0xE8, 5, 6, 7, 8, 9}), RgbIdat(), Iend()}));
    const auto chunks = ChunksOf(png.SaveToBytes());
    std::vector<std::string> names;
    for (auto& c : chunks)
        names.push_back(c.first);
    EXPECT_EQ(names, (std::vector<std::string>{"IHDR", "teSt", "tIME", "IDAT", "IEND"}));
    EXPECT_EQ(png.Chunks.FindChunk<TChunktIME>()->Year, 2024);
}

TEST(PngRead, TransparencyChunkLengthsAndModes) {
    const std::vector<Byte> plte = Chunk("PLTE", {1, 1, 1, 2, 2, 2, 3, 3, 3});
    const std::vector<Byte> idat = Chunk("IDAT", Deflate({0, 0x12, 0}));
    TPNGObject bit;
    bit.LoadFromBytes(Png({Ihdr(3, 1, 2, 3), plte, Chunk("tRNS", {0xFF, 0x00, 0xFF}), idat, Iend()}));
    EXPECT_EQ(bit.TransparencyMode(), ptmBit);
    EXPECT_EQ(bit.TransparentColor(), PngRGB(2, 2, 2));
    TPNGObject partial;
    partial.LoadFromBytes(Png({Ihdr(3, 1, 2, 3), plte, Chunk("tRNS", {0xFF, 0x80, 0x00}), idat, Iend()}));
    EXPECT_EQ(partial.TransparencyMode(), ptmPartial);
    EXPECT_TRUE(Raises<EPNGInvalidPalette>(
        Png({Ihdr(3, 1, 2, 3), plte, Chunk("tRNS", std::vector<Byte>(257, 1)), idat, Iend()})));
    // Grey needs exactly 2 bytes, RGB exactly 6.
    EXPECT_TRUE(
        Raises<EPNGInvalidPalette>(Png({Ihdr(2, 2, 8, 2), Chunk("tRNS", {0, 1}), RgbIdat(), Iend()})));
    EXPECT_TRUE(Raises<EPNGInvalidPalette>(
        Png({Ihdr(1, 1, 8, 0), Chunk("tRNS", {0}), Chunk("IDAT", Deflate({0, 5})), Iend()})));
    EXPECT_TRUE(Raises<EPNGInvalidPalette>(Png({Ihdr(3, 1, 2, 3), Chunk("PLTE", {1, 2}), idat, Iend()})));
}

TEST(PngRead, GammaTables) {
    TPNGObject png;
    png.LoadFromBytes(Png({Ihdr(2, 2, 8, 2), Chunk("gAMA", {0, 0, 0xB1, 0x8F}), RgbIdat(), Iend()}));
    for (Integer i = 0; i < 256; ++i)
        EXPECT_EQ(png.GammaTable[i], i);
    png.LoadFromBytes(Png({Ihdr(2, 2, 8, 2), Chunk("gAMA", {0, 0, 0, 0}), RgbIdat(), Iend()}));
    for (Integer i = 0; i < 256; ++i)
        EXPECT_EQ(png.GammaTable[i], i);
    // Gamma 1.0: the samples are brightened as 255 × (i / 255)^(1 / 2.2).
    png.LoadFromBytes(Png({Ihdr(2, 2, 8, 2), Chunk("gAMA", {0, 1, 0x86, 0xA0}), RgbIdat(), Iend()}));
    EXPECT_EQ(png.GammaTable[64], 136);
    EXPECT_EQ(png.Header().Image.Row(0)[2], png.GammaTable[10]);
}

TEST(PngRead, CompressedTextIsInflatedOnlyUpToTheBound) {
    std::vector<Byte> text(PngMaxTextBytes + 100, 'a');
    std::vector<Byte> data{'k', 0, 0};
    const std::vector<Byte> z = Deflate(text);
    data.insert(data.end(), z.begin(), z.end());
    TPNGObject png;
    png.LoadFromBytes(Png({Ihdr(2, 2, 8, 2), Chunk("zTXt", data), RgbIdat(), Iend()}));
    EXPECT_EQ(png.Chunks.FindChunk<TChunkzTXt>()->Keyword, "k");
    EXPECT_TRUE(png.Chunks.FindChunk<TChunkzTXt>()->Text.empty());
}

TEST(PngWrite, SignatureFiltersAndIdatSize) {
    TPNGObject png;
    png.AssignBitmap(Bitmap24(64, 8, [](Integer x, Integer y) { return PngRGB(Byte(x), Byte(y), 0); }), false,
                     0);
    const std::vector<Byte> file = png.SaveToBytes();
    EXPECT_EQ(std::vector<Byte>(file.begin(), file.begin() + 8),
              (std::vector<Byte>{0x89, 0x50, 0x4E, 0x47, 0x0D, 0x0A, 0x1A, 0x0A}));
    auto filtersOf = [](const std::vector<Byte>& f, Int64 rowBytes) {
        const std::vector<Byte> raw = Inflate(f);
        std::vector<Byte> types;
        for (std::size_t p = 0; p < raw.size(); p += rowBytes + 1)
            types.push_back(raw[p]);
        return types;
    };
    // Left unset, each row takes the filter whose output has the smallest absolute sum: on this
    // gradient the first row is predicted from the left (Sub wins its tie with Paeth), every later
    // row exactly by Paeth.
    EXPECT_EQ(filtersOf(file, 192), (std::vector<Byte>{1, 4, 4, 4, 4, 4, 4, 4}));
    png.FilterSet = FilterBit(pfSub);
    EXPECT_EQ(filtersOf(png.SaveToBytes(), 192), std::vector<Byte>(8, 1)); // {Sub} when asked for
    png.FilterSet = FilterBit(pfNone);
    EXPECT_EQ(filtersOf(png.SaveToBytes(), 192), std::vector<Byte>(8, 0));
    png.FilterSet = 0;
    EXPECT_EQ(filtersOf(png.SaveToBytes(), 192), std::vector<Byte>(8, 0));
    png.FilterSet = FilterBit(pfSub) | FilterBit(pfUp);
    const auto chosen = filtersOf(png.SaveToBytes(), 192);
    EXPECT_EQ(chosen[0], 1); // Sub scores on the first row, Up repeats nothing
    // Every chosen row reads back.
    TPNGObject back;
    back.LoadFromBytes(png.SaveToBytes());
    EXPECT_EQ(back.GetPixel(63, 7), PngRGB(63, 7, 0));

    // Data that deflates to about 100,000 bytes goes out as IDATs of 65,535 bytes and the rest.
    TPngBitmap noise;
    noise.Allocate(200, 170, 24);
    unsigned s = 1;
    for (Byte& b : noise.Bits)
        b = static_cast<Byte>((s = s * 1103515245u + 12345u) >> 16);
    TPNGObject big;
    big.AssignBitmap(noise, false, 0);
    big.FilterSet = FilterBit(pfNone);
    big.DeflateLevel = 0;
    std::vector<UInt64> idats;
    for (auto& c : ChunksOf(big.SaveToBytes()))
        if (c.first == "IDAT") idats.push_back(c.second);
    ASSERT_EQ(idats.size(), 2u);
    EXPECT_EQ(idats[0], 65535u);
    EXPECT_LT(idats[1], 65535u);
}

TEST(PngWrite, TwoBitImagesComeBackAsFourBit) {
    TPNGObject png;
    png.LoadFromBytes(Png({Ihdr(3, 1, 2, 0), Chunk("IDAT", Deflate({0, 0b00011011})), Iend()}));
    EXPECT_EQ(png.GetPixel(1, 0), PngRGB(85, 85, 85));
    TPNGObject back;
    back.LoadFromBytes(png.SaveToBytes());
    EXPECT_EQ(back.Header().BitDepth, 4);
    EXPECT_EQ(back.GetPixel(0, 0), 0);
    EXPECT_EQ(back.GetPixel(1, 0), PngRGB(85, 85, 85));
    EXPECT_EQ(back.GetPixel(2, 0), PngRGB(170, 170, 170));
}

TEST(PngWrite, SixteenBitSamplesKeepTheirLowBytes) {
    // One RGBA pixel of 16-bit samples and one grey + alpha pixel.
    const std::vector<Byte> rgba{0, 0x12, 0x34, 0x56, 0x78, 0x9A, 0xBC, 0xDE, 0xF0};
    TPNGObject png;
    png.LoadFromBytes(Png({Ihdr(1, 1, 16, 6), Chunk("IDAT", Deflate(rgba)), Iend()}));
    png.FilterSet = FilterBit(pfNone);
    EXPECT_EQ(Inflate(png.SaveToBytes()), rgba);
    const std::vector<Byte> la{0, 0xAB, 0xCD, 0x01, 0x02};
    png.LoadFromBytes(Png({Ihdr(1, 1, 16, 4), Chunk("IDAT", Deflate(la)), Iend()}));
    EXPECT_EQ(Inflate(png.SaveToBytes()), la);
}

TEST(PngBuild, BitmapsBecomeRgbOrPaletteImages) {
    TPNGObject rgb;
    rgb.AssignBitmap(Bitmap24(3, 2, [](Integer x, Integer) { return PngRGB(Byte(x), 1, 2); }), false, 0);
    EXPECT_EQ(rgb.Header().ColorType, 2);
    EXPECT_EQ(rgb.Header().BitDepth, 8);

    TPngBitmap eight;
    eight.Allocate(4, 4, 8);
    eight.Palette.resize(256);
    for (Integer i = 0; i < 256; ++i)
        eight.Palette[i] = TPngRGB{Byte(i), Byte(255 - i), 9};
    eight.SetPixelIndex(1, 1, 200);
    TPNGObject pal;
    pal.AssignBitmap(eight, true, PngRGB(3, 252, 9));
    const auto chunks = ChunksOf(pal.SaveToBytes());
    ASSERT_EQ(chunks.size(), 5u);
    EXPECT_EQ(chunks[1], (std::pair<std::string, UInt64>{"PLTE", 768}));
    EXPECT_EQ(chunks[2], (std::pair<std::string, UInt64>{"tRNS", 4}));
    EXPECT_EQ(pal.TransparencyMode(), ptmBit);
    EXPECT_EQ(pal.TransparentColor(), PngRGB(3, 252, 9));
    // A colour no entry has makes nothing transparent, and the file stays readable.
    TPNGObject none;
    none.AssignBitmap(eight, true, PngRGB(1, 1, 1));
    EXPECT_EQ(none.Chunks.FindChunk<TChunktRNS>(), nullptr);
    TPNGObject back;
    back.LoadFromBytes(none.SaveToBytes());
    EXPECT_EQ(back.GetPixel(1, 1), PngRGB(200, 55, 9));
}

TEST(PngPixels, ResizeKeepsSharedRowsAndMakesNewPixelsOpaque) {
    TPNGObject png;
    std::vector<Byte> raw;
    for (Integer y = 0; y < 10; ++y) {
        raw.push_back(0);
        for (Integer x = 0; x < 10; ++x)
            raw.insert(raw.end(), {Byte(x), Byte(y), 0, 100});
    }
    png.LoadFromBytes(Png({Ihdr(10, 10, 8, 6), Chunk("IDAT", Deflate(raw)), Iend()}));
    png.Resize(20, 5);
    const TPngBitmap& img = png.Header().Image;
    EXPECT_EQ(png.GetWidth(), 20);
    EXPECT_EQ(png.GetPixel(9, 4), PngRGB(9, 4, 0));
    EXPECT_EQ(png.GetPixel(15, 4), 0);
    EXPECT_EQ(img.Alpha[4 * 20 + 9], 100);
    EXPECT_EQ(img.Alpha[4 * 20 + 15], 255);
    EXPECT_THROW(png.Resize(0, 3), EPNGInvalidNewSize);
    EXPECT_EQ(png.GetWidth(), 20);
    TPNGObject empty;
    EXPECT_THROW(empty.SetWidth(3), EPNGHeaderNotPresent);
}

TEST(PngPixels, SetPixelAndGreyScales) {
    TPNGObject png;
    png.LoadFromBytes(Png({Ihdr(2, 1, 4, 0), Chunk("IDAT", Deflate({0, 0x3F})), Iend()}));
    EXPECT_EQ(png.GetPixel(0, 0), PngRGB(51, 51, 51));
    EXPECT_EQ(png.GetPixel(1, 0), PngRGB(255, 255, 255));
    png.SetPixel(0, 0, PngRGB(170, 170, 170));
    EXPECT_EQ(png.GetPixel(0, 0), PngRGB(170, 170, 170));
}

TEST(PngDraw, AlphaBlendingAndStretching) {
    // 1 × 1 black pixel of alpha 128 over white.
    TPNGObject png;
    png.LoadFromBytes(Png({Ihdr(1, 1, 8, 6), Chunk("IDAT", Deflate({0, 0, 0, 0, 128})), Iend()}));
    TPngSurface surface(1, 1, PngRGB(255, 255, 255));
    png.DrawOnto(surface, 0, 0, 1, 1);
    EXPECT_EQ(surface.Pixel(0, 0), PngRGB(127, 127, 127));

    // A 2 × 2 picture drawn twice its size repeats every pixel in a 2 × 2 block.
    std::vector<Byte> raw{0, 10, 0, 0, 255, 20, 0, 0, 255, 0, 30, 0, 0, 255, 40, 0, 0, 255};
    png.LoadFromBytes(Png({Ihdr(2, 2, 8, 6), Chunk("IDAT", Deflate(raw)), Iend()}));
    TPngSurface big(4, 4);
    png.DrawOnto(big, 0, 0, 4, 4);
    for (Integer y = 0; y < 4; ++y)
        for (Integer x = 0; x < 4; ++x)
            EXPECT_EQ(big.Pixel(x, y), png.GetPixel(x / 2, y / 2));

    // One transparent colour leaves the surface where the image has it.
    TPNGObject bit;
    bit.LoadFromBytes(Png({Ihdr(2, 2, 8, 2), Chunk("tRNS", {0, 10, 0, 20, 0, 30}), RgbIdat(), Iend()}));
    TPngSurface under(2, 2, PngRGB(1, 1, 1));
    bit.DrawOnto(under, 0, 0, 2, 2);
    EXPECT_EQ(under.Pixel(0, 0), PngRGB(1, 1, 1));
    EXPECT_EQ(under.Pixel(1, 0), PngRGB(1, 2, 3));
}

TEST(PngObject, AssignCopiesChunksAndStreamsWork) {
    TPNGObject png;
    png.LoadFromBytes(Png({Ihdr(2, 2, 8, 2), Chunk("tEXt", {'k', 0, 'v'}), RgbIdat(), Iend()}));
    TPNGObject copy;
    copy.Assign(png);
    EXPECT_EQ(copy.SaveToBytes(), png.SaveToBytes());
    EXPECT_EQ(copy.Chunks.FindChunk<TChunktEXt>()->Text, "v");
    TMemoryStream stream;
    png.SaveToStream(stream);
    stream.SetPosition(0);
    TPNGObject back;
    back.LoadFromStream(stream);
    EXPECT_EQ(back.GetPixel(1, 1), PngRGB(7, 8, 9));
}

TEST(PngRead, EveryPlaneCountsAgainstTheMemoryCap) {
    // 11585 × 11585 is under the pixel cap, but 16-bit RGBA needs colour, alpha and both low-byte
    // planes: over a gigabyte from a 68-byte file. It is refused before anything is allocated.
    const std::vector<Byte> file = Png({Ihdr(11585, 11585, 16, 6), RgbIdat(), Iend()});
    ResetPeakMemory();
    const long before = PeakMemoryKb();
    EXPECT_TRUE(Raises<EPNGOutMemory>(file));
    EXPECT_LT(PeakMemoryKb() - before, 16 * 1024);
}

TEST(PngRead, MemoryFollowsTheRowsThatArrive) {
    // A header promising 300 MB of rows with only two rows of data behind it costs little.
    const std::vector<Byte> file = Png({Ihdr(10000, 10000, 8, 2), RgbIdat(), Iend()});
    ResetPeakMemory();
    const long before = PeakMemoryKb();
    try {
        TPNGObject png;
        png.LoadFromBytes(file);
    } catch (const Exception&) {
        // Missing rows may be reported; what matters is the memory spent on the way.
    }
    // 300 MB if the planes were written when allocated; sanitizer bookkeeping adds a few MB.
    EXPECT_LT(PeakMemoryKb() - before, 64 * 1024);
}

namespace {

// Draws the picture 1:1 onto a surface filled with a marker colour, so transparent pixels keep it.
std::vector<TPngColor> DrawnRow(TPNGObject& png, Integer width) {
    const TPngColor marker = PngRGB(9, 9, 9);
    TPngSurface surface(width, 1, marker);
    png.DrawOnto(surface, 0, 0, width, 1);
    std::vector<TPngColor> row;
    for (Integer x = 0; x < width; ++x)
        row.push_back(surface.Pixel(x, 0));
    return row;
}

// The data of the first chunk of a type in a PNG file.
std::vector<Byte> ChunkData(const std::vector<Byte>& file, const std::string& type) {
    for (std::size_t at = 8; at + 12 <= file.size();) {
        const std::size_t length = (std::size_t(file[at]) << 24) | (file[at + 1] << 16) | (file[at + 2] << 8) |
                                   file[at + 3];
        if (std::string(file.begin() + at + 4, file.begin() + at + 8) == type)
            return std::vector<Byte>(file.begin() + at + 8, file.begin() + at + 8 + length);
        at += 12 + length;
    }
    return {};
}

} // namespace

TEST(PngTransparency, TwoBitGreyKeepsItsTransparentGreyWhenSavedWider) {
    // Greys 0, 1, 2, 3 with 3 (white) transparent.
    const std::vector<Byte> file =
        Png({Ihdr(4, 1, 2, 0), Chunk("tRNS", {0, 3}), Chunk("IDAT", Deflate({0, 0x1B})), Iend()});
    const TPngColor marker = PngRGB(9, 9, 9);
    const std::vector<TPngColor> expected{PngRGB(0, 0, 0), PngRGB(85, 85, 85), PngRGB(170, 170, 170), marker};
    TPNGObject png;
    png.LoadFromBytes(file);
    EXPECT_EQ(DrawnRow(png, 4), expected);
    const std::vector<Byte> saved = png.SaveToBytes();
    EXPECT_EQ(ChunkData(saved, "IHDR")[8], 4);                     // written as 4-bit samples
    EXPECT_EQ(ChunkData(saved, "tRNS"), (std::vector<Byte>{0, 15})); // the white of 4 bits
    EXPECT_EQ(DrawnRow(png, 4), expected);
    TPNGObject reread;
    reread.LoadFromBytes(saved);
    EXPECT_EQ(DrawnRow(reread, 4), expected);
    EXPECT_EQ(reread.SaveToBytes(), saved);
}

TEST(PngTransparency, GreyBeyondTheBitDepthLeavesThePictureOpaque) {
    const std::vector<Byte> file =
        Png({Ihdr(4, 1, 2, 0), Chunk("tRNS", {0x74, 0x45}), Chunk("IDAT", Deflate({0, 0x1B})), Iend()});
    TPNGObject png;
    png.LoadFromBytes(file);
    EXPECT_EQ(png.TransparencyMode(), ptmNone);
    EXPECT_FALSE(png.GetTransparent());
    EXPECT_EQ(DrawnRow(png, 4), (std::vector<TPngColor>{PngRGB(0, 0, 0), PngRGB(85, 85, 85),
                                                        PngRGB(170, 170, 170), PngRGB(255, 255, 255)}));
    // The same holds for an RGB sample beyond 8 bits.
    TPNGObject rgb;
    rgb.LoadFromBytes(Png({Ihdr(2, 2, 8, 2), Chunk("tRNS", {0, 10, 1, 20, 0, 30}), RgbIdat(), Iend()}));
    EXPECT_EQ(rgb.TransparencyMode(), ptmNone);
}

TEST(PngTransparency, SixteenBitSamplesAreComparedOnAllBits) {
    // Greys 0x1200 and 0x12FF share their high byte; only the second is transparent.
    const std::vector<Byte> grey =
        Png({Ihdr(2, 1, 16, 0), Chunk("tRNS", {0x12, 0xFF}), Chunk("IDAT", Deflate({0, 0x12, 0x00, 0x12, 0xFF})),
             Iend()});
    TPNGObject png;
    png.LoadFromBytes(grey);
    EXPECT_EQ(DrawnRow(png, 2), (std::vector<TPngColor>{PngRGB(0x12, 0x12, 0x12), PngRGB(9, 9, 9)}));
    const std::vector<Byte> rgb = Png({Ihdr(2, 1, 16, 2), Chunk("tRNS", {0x12, 0x34, 0x56, 0x78, 0x9A, 0xBC}),
                                       Chunk("IDAT", Deflate({0, 0x12, 0x34, 0x56, 0x78, 0x9A, 0xBC, 0x12, 0x35,
                                                              0x56, 0x78, 0x9A, 0xBC})),
                                       Iend()});
    TPNGObject png2;
    png2.LoadFromBytes(rgb);
    EXPECT_EQ(DrawnRow(png2, 2), (std::vector<TPngColor>{PngRGB(9, 9, 9), PngRGB(0x12, 0x56, 0x9A)}));
}
