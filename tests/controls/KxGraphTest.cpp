// Colour reduction and the in-memory bitmap.
#include "controls/KxGraph.h"

#include <gtest/gtest.h>

namespace {

TDibBitmap Rgb(Integer width, Integer height, const std::function<TKxColor(Integer, Integer)>& color) {
    TDibBitmap bmp(width, height, 24);
    for (Integer y = 0; y < height; ++y)
        for (Integer x = 0; x < width; ++x)
            bmp.SetPixel(x, y, color(x, y));
    return bmp;
}

} // namespace

TEST(KxGraph, PopularColorsKeepsUpTo256ColoursMostFrequentFirst) {
    // Colour c appears c + 1 times (c = 0..199): the most frequent comes first.
    std::vector<TKxColor> pixels;
    for (Integer c = 0; c < 200; ++c)
        for (Integer n = 0; n <= c; ++n)
            pixels.push_back(KxRGB(Byte(c), Byte(255 - c), Byte(c / 2)));
    const Integer width = 100, height = static_cast<Integer>((pixels.size() + 99) / 100);
    pixels.resize(static_cast<std::size_t>(width) * height, KxRGB(199, 56, 99));
    const TDibBitmap rgb = Rgb(width, height, [&](Integer x, Integer y) { return pixels[y * width + x]; });
    Byte masks[3];
    const TDibBitmap out = PopularColors(rgb, masks);
    EXPECT_EQ(masks[0] & masks[1] & masks[2], 255);
    EXPECT_EQ(out.Colors[0].Color(), KxRGB(199, 56, 99));
    EXPECT_EQ(out.Colors[1].Color(), KxRGB(198, 57, 99));
    EXPECT_EQ(out.Colors[200], TDibColor::FromRGB(128, 128, 128));
    for (Integer y = 0; y < height; ++y)
        for (Integer x = 0; x < width; ++x)
            ASSERT_EQ(out.Pixel(x, y), rgb.Pixel(x, y));
}

TEST(KxGraph, PopularColorsDropsBitsUntilTheColoursFit) {
    // 3000 distinct colours differing in their low bits.
    const TDibBitmap rgb = Rgb(100, 30, [](Integer x, Integer y) {
        const Integer i = y * 100 + x;
        return KxRGB(Byte(i & 15), Byte((i >> 4) & 15), Byte(i >> 8));
    });
    Byte masks[3];
    PopularColors(rgb, masks);
    EXPECT_EQ(masks[2], 254); // blue lost a bit first
    EXPECT_EQ(masks[0], 255);
}

TEST(KxGraph, NearestLevelsTieToTheLowerLevel) {
    EXPECT_EQ(LevelValue(7, NearestLevel(7, 64)), 43);
    EXPECT_EQ(LevelValue(8, NearestLevel(8, 18)), 0);
    EXPECT_EQ(LevelValue(6, NearestLevel(6, 255)), 255);
}

TEST(KxGraph, MedianCutOfOneColour) {
    const TDibBitmap out = MedianCut(Rgb(4, 4, [](Integer, Integer) { return KxRGB(0x35, 0x80, 0xF0); }));
    EXPECT_EQ(out.ImportantColors, 1u);
    EXPECT_EQ(out.Colors[0].Color(), KxRGB(0x3F, 0x8F, 0xFF));
    const TDibBitmap dark = MedianCut(Rgb(2, 2, [](Integer, Integer) { return KxRGB(1, 0, 0); }));
    EXPECT_EQ(dark.Colors[0].Color(), 0);
}

TEST(KxGraph, MedianCutSplitsDistinctColoursIntoBoxes) {
    const TDibBitmap rgb =
        Rgb(16, 16, [](Integer x, Integer y) { return KxRGB(Byte(x * 16), Byte(y * 16), 0); });
    const TDibBitmap out = MedianCut(rgb);
    EXPECT_EQ(out.ImportantColors, 256u);
    for (Integer y = 0; y < 16; ++y)
        for (Integer x = 0; x < 16; ++x) {
            // Each channel is 16 × its 4-bit value + 15; (15, 15, 15) is dark enough to be black.
            const TKxColor expected = x == 0 && y == 0 ? 0 : KxRGB(Byte(x * 16 + 15), Byte(y * 16 + 15), 15);
            ASSERT_EQ(out.Pixel(x, y), expected);
        }
}

TEST(KxGraph, GreyLevelsAndFixedPalettes) {
    const TDibBitmap rgb = Rgb(4, 1, [](Integer x, Integer) {
        static const TKxColor c[] = {KxRGB(255, 0, 0), KxRGB(0, 255, 0), KxRGB(0, 0, 255),
                                     KxRGB(255, 255, 255)};
        return c[x];
    });
    const TDibBitmap grey = ReduceToGray(rgb);
    EXPECT_EQ(grey.PixelIndex(0, 0), 76);
    EXPECT_EQ(grey.PixelIndex(1, 0), 149);
    EXPECT_EQ(grey.PixelIndex(2, 0), 28);
    EXPECT_EQ(grey.PixelIndex(3, 0), 255);
    const TDibBitmap l784 = Reduce784(rgb);
    EXPECT_EQ(l784.ImportantColors, 224u);
    EXPECT_EQ(l784.Pixel(0, 0), KxRGB(255, 0, 0));
    EXPECT_EQ(l784.Pixel(3, 0), KxRGB(255, 255, 255));
    const TDibBitmap l666 = Reduce666(rgb);
    EXPECT_EQ(l666.ImportantColors, 216u);
    EXPECT_EQ(l666.PixelIndex(3, 0), 215);
    const TDibBitmap pattern = ReduceToChannelPattern(rgb);
    // Buffer row 0 is the only row: x = 0 takes red, 1 green, 2 blue.
    EXPECT_EQ(pattern.PixelIndex(0, 0), 63);
    EXPECT_EQ(pattern.PixelIndex(1, 0), 64 + 63);
    EXPECT_EQ(pattern.PixelIndex(2, 0), 128 + 63);
}

TEST(KxGraph, ConvertToIndexedTakesAnyDepthAndRefusesWhatItCannot) {
    TDibBitmap eight(3, 3, 8);
    eight.SetPixelIndex(1, 1, 9);
    EXPECT_EQ(ConvertToIndexed(eight, kxpf8bit, rdPopular).Bits(), eight.Bits());
    TDibBitmap four(5, 2, 4);
    four.Colors[3] = TDibColor::FromRGB(1, 2, 3);
    four.SetPixelIndex(4, 1, 3);
    const TDibBitmap out = ConvertToIndexed(four, kxpf8bit, rdPopular);
    EXPECT_EQ(out.BitCount(), 8);
    EXPECT_EQ(out.Pixel(4, 1), KxRGB(1, 2, 3));
    EXPECT_THROW(ConvertToIndexed(TDibBitmap(), kxpf8bit, rdPopular), EKxInvalidGraphic);
    EXPECT_THROW(ConvertToIndexed(four, kxpf16bit, rdPopular), ENotSupportedException);
    EXPECT_THROW(ConvertToIndexed(four, kxpfDevice, rdPopular), ENotSupportedException);
}

TEST(KxGraph, OneAndFourBitTargetsAreCapturedInTheirOwnFormat) {
    TDibBitmap rgb(6, 1, 24);
    const TKxColor colors[6] = {KxRGB(0, 0, 0),     KxRGB(70, 70, 70), KxRGB(200, 200, 200),
                                KxRGB(250, 10, 10), KxRGB(128, 0, 0),  KxRGB(190, 190, 195)};
    for (Integer x = 0; x < 6; ++x)
        rgb.SetPixel(x, 0, colors[x]);

    const TDibBitmap one = ConvertToIndexed(rgb, kxpf1bit, rdPopular);
    ASSERT_EQ(one.BitCount(), 1);
    ASSERT_EQ(one.Colors.size(), 2u);
    EXPECT_EQ(one.Colors[0].Color(), KxRGB(0, 0, 0));
    EXPECT_EQ(one.Colors[1].Color(), KxRGB(255, 255, 255));
    const Integer oneIndex[6] = {0, 0, 1, 0, 0, 1};
    for (Integer x = 0; x < 6; ++x)
        EXPECT_EQ(one.PixelIndex(x, 0), oneIndex[x]) << x;

    const TDibBitmap four = ConvertToIndexed(rgb, kxpf4bit, rdMedianCut);
    ASSERT_EQ(four.BitCount(), 4);
    ASSERT_EQ(four.Colors.size(), 16u);
    EXPECT_EQ(four.Colors[7].Color(), KxRGB(192, 192, 192));
    const Integer fourIndex[6] = {0, 8, 7, 9, 1, 7};
    for (Integer x = 0; x < 6; ++x)
        EXPECT_EQ(four.PixelIndex(x, 0), fourIndex[x]) << x;

    // A bitmap already in the target format comes back as it is.
    EXPECT_EQ(ConvertToIndexed(four, kxpf4bit, rdPopular).Bits(), four.Bits());
}

TEST(KxGraph, BmpFilesRoundTrip) {
    TDibBitmap bmp(13, 5, 4);
    bmp.Colors[2] = TDibColor::FromRGB(9, 8, 7);
    bmp.SetPixelIndex(12, 4, 2);
    bmp.ImportantColors = 3;
    const std::vector<Byte> file = bmp.SaveToBmp();
    EXPECT_EQ(file[0], 'B');
    EXPECT_EQ(file[10], 54 + 64);
    const TDibBitmap back = TDibBitmap::LoadFromBmp(file.data(), file.size());
    EXPECT_EQ(back.Bits(), bmp.Bits());
    EXPECT_EQ(back.Colors, bmp.Colors);
    EXPECT_EQ(back.ImportantColors, 3u);
    EXPECT_THROW(TDibBitmap::LoadFromBmp(file.data(), 60), EKxInvalidGraphic);
    EXPECT_THROW(TDibBitmap(70000, 70000, 24), EKxInvalidGraphic);
}
