// GIF files written by our codec read by the platform's own image reader (the toolkit's GIF
// plugin, through the windowing layer), pixel for pixel, transparency included.
#include "CodecTestTools.h"
#include "controls/KxGIF.h"
#include "gui/PlatformImageReader.h"

#include <gtest/gtest.h>

namespace {

TDibBitmap Noise(Integer width, Integer height, Integer bitCount, Integer colors, unsigned seed) {
    TDibBitmap bmp(width, height, bitCount);
    codectest::Noise noise(seed);
    for (Integer i = 0; i < static_cast<Integer>(bmp.Colors.size()); ++i)
        bmp.Colors[i] = TDibColor::FromRGB(Byte(i * 7 + 3), Byte(255 - i), Byte((i * 37) & 0xFF));
    for (Integer y = 0; y < height; ++y)
        for (Integer x = 0; x < width; ++x)
            bmp.SetPixelIndex(x, y, static_cast<Integer>(noise.Next() % colors));
    return bmp;
}

struct ReadCase {
    const char* Name;
    Integer Width, Height, BitCount, Colors;
};

class GifReadByThePlatform : public ::testing::TestWithParam<ReadCase> {};

} // namespace

TEST_P(GifReadByThePlatform, SamePixels) {
    const ReadCase c = GetParam();
    codectest::TempFolder dir;
    const TDibBitmap source = Noise(c.Width, c.Height, c.BitCount, c.Colors, 5);
    TGIFImage gif;
    gif.Assign(source);
    const std::string file = dir / "ours.gif";
    codectest::WriteFile(file, gif.SaveToBytes());

    auto read = LoadImageFileViaPlatformReader(file);
    ASSERT_EQ(read->Width(), c.Width);
    ASSERT_EQ(read->Height(), c.Height);
    for (Integer y = 0; y < c.Height; ++y)
        for (Integer x = 0; x < c.Width; ++x)
            ASSERT_EQ(read->Pixel(x, y), source.Pixel(x, y)) << x << "," << y;
}

INSTANTIATE_TEST_SUITE_P(Sizes, GifReadByThePlatform,
                         ::testing::Values(ReadCase{"OneBit", 37, 11, 1, 2},
                                           ReadCase{"FourBit", 64, 9, 4, 16},
                                           ReadCase{"EightBit", 255, 20, 8, 256},
                                           // The code table fills and restarts many times.
                                           ReadCase{"EightBitLarge", 256, 256, 8, 256}),
                         [](const auto& info) { return std::string(info.param.Name); });

TEST(GifPlatformReader, TransparentPixelsShowWhatIsBehind) {
    codectest::TempFolder dir;
    const TDibBitmap source = Noise(40, 30, 8, 64, 9);
    TGIFImage gif;
    gif.Assign(source);
    TGIFFrame& frame = *gif.FrameAt(0);
    frame.KeyColor = source.Colors[3].Color(); // index 3 is transparent
    const std::string file = dir / "transparent.gif";
    codectest::WriteFile(file, gif.SaveToBytes());

    // Over two backgrounds: transparent pixels take the background, the others keep their colour.
    auto overFuchsia = LoadImageFileViaPlatformReader(file, clFuchsia);
    auto overLime = LoadImageFileViaPlatformReader(file, clLime);
    int transparent = 0;
    for (Integer y = 0; y < 30; ++y)
        for (Integer x = 0; x < 40; ++x) {
            if (source.PixelIndex(x, y) == 3) {
                ++transparent;
                ASSERT_EQ(overFuchsia->Pixel(x, y), clFuchsia) << x << "," << y;
                ASSERT_EQ(overLime->Pixel(x, y), clLime) << x << "," << y;
            } else {
                ASSERT_EQ(overFuchsia->Pixel(x, y), source.Pixel(x, y)) << x << "," << y;
                ASSERT_EQ(overLime->Pixel(x, y), source.Pixel(x, y)) << x << "," << y;
            }
        }
    EXPECT_GT(transparent, 0);
}

TEST(GifPlatformReader, AFileNoReaderTakesRaises) {
    codectest::TempFolder dir;
    const std::string file = dir / "broken.gif";
    codectest::WriteFile(file, {'G', 'I', 'F', '8', '9', 'a', 1, 2});
    EXPECT_THROW(LoadImageFileViaPlatformReader(file), EInvalidGraphic);
}
