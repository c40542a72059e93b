#include "controls/KxGIFLzw.h"
#include "CodecTestTools.h"
#include "controls/KxGraph.h"

#include <gtest/gtest.h>

namespace {

TDibBitmap NoiseBitmap(Integer width, Integer height, Integer bitCount, Integer values, unsigned seed) {
    TDibBitmap bmp(width, height, bitCount);
    codectest::Noise noise(seed);
    for (Integer y = 0; y < height; ++y)
        for (Integer x = 0; x < width; ++x)
            bmp.SetPixelIndex(x, y, static_cast<Integer>(noise.Next() % values));
    return bmp;
}

std::vector<Byte> Encode(const TDibBitmap& bmp, bool interlaced = false) {
    std::vector<Byte> out;
    EncodeLzwImage(out, TLzwImageHeader{bmp.Width(), bmp.Height(), bmp.BitCount()}, interlaced, nullptr,
                   bmp.Bits().data());
    return out;
}

TDibBitmap Decode(const std::vector<Byte>& data, Integer width, Integer height, Integer bitCount,
                  Integer colorBits, bool& damaged, bool interlaced = false) {
    TDibBitmap bmp(width, height, bitCount);
    DecodeLzwImage(data.data(), data.size(), TLzwImageHeader{width, height, bitCount}, interlaced, nullptr,
                   damaged, bmp.Bits().data(), colorBits);
    return bmp;
}

// Rows of codes packed least significant bit first into one sub-block, with terminator.
std::vector<Byte> PackCodes(Integer codeSize, const std::vector<std::pair<Integer, Integer>>& codes) {
    std::vector<Byte> bytes;
    UInt64 bits = 0;
    Integer count = 0;
    for (auto [code, width] : codes) {
        bits |= static_cast<UInt64>(code) << count;
        count += width;
        while (count >= 8) {
            bytes.push_back(static_cast<Byte>(bits & 0xFF));
            bits >>= 8;
            count -= 8;
        }
    }
    if (count > 0) bytes.push_back(static_cast<Byte>(bits & 0xFF));
    std::vector<Byte> out(bytes.size() + 3, 0);
    out[0] = static_cast<Byte>(codeSize);
    out[1] = static_cast<Byte>(bytes.size());
    for (std::size_t i = 0; i < bytes.size(); ++i)
        out[2 + i] = bytes[i];
    return out;
}

} // namespace

struct LzwCase {
    Integer Width, Height, BitCount, Values;
    bool Interlaced;
};

class LzwRoundTrip : public ::testing::TestWithParam<LzwCase> {};

TEST_P(LzwRoundTrip, DecodesWhatItEncodes) {
    const LzwCase c = GetParam();
    const TDibBitmap source = NoiseBitmap(c.Width, c.Height, c.BitCount, c.Values, 7);
    bool damaged = true;
    const TDibBitmap back = Decode(Encode(source, c.Interlaced), c.Width, c.Height, c.BitCount, c.BitCount,
                                   damaged, c.Interlaced);
    EXPECT_FALSE(damaged);
    EXPECT_EQ(back.Bits(), source.Bits());
}

INSTANTIATE_TEST_SUITE_P(Sizes, LzwRoundTrip,
                         ::testing::Values(LzwCase{1, 1, 1, 2, false}, LzwCase{255, 7, 1, 2, false},
                                           LzwCase{256, 9, 4, 16, false}, LzwCase{1, 40, 8, 256, false},
                                           LzwCase{255, 255, 8, 256, false}, LzwCase{256, 256, 8, 256, false},
                                           LzwCase{300, 200, 8, 3, false}, LzwCase{37, 23, 4, 16, true},
                                           LzwCase{64, 3, 8, 256, true}, LzwCase{5, 1, 1, 2, true}));

TEST(GifLzw, OneBitImagesStartWithCodeSizeTwoAndClearFour) {
    const std::vector<Byte> data = Encode(NoiseBitmap(8, 2, 1, 2, 3));
    ASSERT_GE(data.size(), 3u);
    EXPECT_EQ(data[0], 2);
    EXPECT_EQ(data[2] & 7, 4);
}

TEST(GifLzw, TooLargeCodeSizeDecodesAsNineAndMarksDamaged) {
    // Code size byte 12 is taken as 9: clear 512, end 513, codes of 10 bits.
    const std::vector<Byte> data = PackCodes(12, {{512, 10}, {7, 10}, {513, 10}});
    bool damaged = false;
    const TDibBitmap bmp = Decode(data, 1, 1, 8, 8, damaged);
    EXPECT_TRUE(damaged);
    EXPECT_EQ(bmp.PixelIndex(0, 0), 7);
}

TEST(GifLzw, InterlacedHeightThreeFillsRowsZeroTwoOne) {
    TDibBitmap source(2, 3, 8);
    for (Integer y = 0; y < 3; ++y)
        for (Integer x = 0; x < 2; ++x)
            source.SetPixelIndex(x, y, 10 + y);
    bool damaged = false;
    const TDibBitmap back = Decode(Encode(source), 2, 3, 8, 8, damaged, true);
    EXPECT_EQ(back.PixelIndex(0, 0), 10);
    EXPECT_EQ(back.PixelIndex(0, 2), 11);
    EXPECT_EQ(back.PixelIndex(0, 1), 12);
}

TEST(GifLzw, EndCodeStopsDecodingAndLeavesTheRestZero) {
    const std::vector<Byte> data = PackCodes(2, {{4, 3}, {1, 3}, {2, 3}, {5, 3}});
    bool damaged = true;
    const TDibBitmap bmp = Decode(data, 4, 2, 8, 2, damaged);
    EXPECT_FALSE(damaged);
    EXPECT_EQ(bmp.PixelIndex(0, 0), 1);
    EXPECT_EQ(bmp.PixelIndex(1, 0), 2);
    EXPECT_EQ(bmp.PixelIndex(2, 0), 0);
    EXPECT_EQ(bmp.PixelIndex(3, 1), 0);
}

TEST(GifLzw, FilledRowsStopDecodingEvenWhenCodesRemain) {
    const std::vector<Byte> data = PackCodes(2, {{4, 3}, {1, 3}, {2, 3}, {3, 3}, {3, 3}, {5, 3}});
    bool damaged = true;
    const TDibBitmap bmp = Decode(data, 2, 1, 8, 2, damaged);
    EXPECT_FALSE(damaged);
    EXPECT_EQ(bmp.PixelIndex(0, 0), 1);
    EXPECT_EQ(bmp.PixelIndex(1, 0), 2);
}

TEST(GifLzw, TruncatedDataKeepsDecodedRowsAndIsDamaged) {
    TDibBitmap source = NoiseBitmap(64, 64, 8, 256, 11);
    std::vector<Byte> data = Encode(source);
    data.resize(data.size() / 2); // cut inside the sub-blocks
    bool damaged = false;
    const TDibBitmap back = Decode(data, 64, 64, 8, 8, damaged);
    EXPECT_TRUE(damaged);
    // The first rows came through.
    for (Integer y = 0; y < 8; ++y)
        for (Integer x = 0; x < 64; ++x)
            ASSERT_EQ(back.PixelIndex(x, y), source.PixelIndex(x, y)) << x << "," << y;
}

TEST(GifLzw, LiteralsAreCodesBelowClearWhateverTheColourBits) {
    // A 4-bit code stream (clear 16) decoded for a frame of 8 colour bits: table codes 18 and up must
    // not be taken for pixels although they fit the colour mask.
    const TDibBitmap source = NoiseBitmap(50, 20, 4, 4, 5);
    bool damaged = true;
    const TDibBitmap back = Decode(Encode(source), 50, 20, 8, 8, damaged);
    EXPECT_FALSE(damaged);
    for (Integer y = 0; y < 20; ++y)
        for (Integer x = 0; x < 50; ++x)
            ASSERT_EQ(back.PixelIndex(x, y), source.PixelIndex(x, y));
    // An 8-bit stream whose literals exceed a 2-bit frame's colours: still literals, masked when stored.
    TDibBitmap wide(3, 1, 8);
    wide.SetPixelIndex(0, 0, 5);
    wide.SetPixelIndex(1, 0, 6);
    wide.SetPixelIndex(2, 0, 7);
    const TDibBitmap narrow = Decode(Encode(wide), 3, 1, 4, 2, damaged);
    EXPECT_EQ(narrow.PixelIndex(0, 0), 1);
    EXPECT_EQ(narrow.PixelIndex(1, 0), 2);
    EXPECT_EQ(narrow.PixelIndex(2, 0), 3);
}

TEST(GifLzw, CorruptCodesMarkDamagedWithoutCrashing) {
    // A code far beyond the next free entry, and a table code right after a clear.
    for (const auto& codes : {std::vector<std::pair<Integer, Integer>>{{4, 3}, {1, 3}, {7, 3}, {5, 3}},
                              std::vector<std::pair<Integer, Integer>>{{4, 3}, {6, 3}, {5, 3}}}) {
        bool damaged = false;
        Decode(PackCodes(2, codes), 4, 4, 8, 2, damaged);
        EXPECT_TRUE(damaged);
    }
}

TEST(GifLzw, ProgressReportsStartAndEnd) {
    const TDibBitmap source = NoiseBitmap(40, 40, 8, 256, 2);
    std::vector<std::pair<TLzwStage, Integer>> seen;
    auto progress = [&](TLzwStage stage, Integer percent, const String&) {
        seen.emplace_back(stage, percent);
    };
    std::vector<Byte> data;
    EncodeLzwImage(data, TLzwImageHeader{40, 40, 8}, false, progress, source.Bits().data());
    ASSERT_GE(seen.size(), 3u);
    EXPECT_EQ(seen.front(), std::make_pair(lzwStarting, 0));
    EXPECT_EQ(seen.back(), std::make_pair(lzwEnding, 100));
    seen.clear();
    TDibBitmap back(40, 40, 8);
    bool damaged = false;
    DecodeLzwImage(data.data(), data.size(), TLzwImageHeader{40, 40, 8}, false, progress, damaged,
                   back.Bits().data(), 8);
    EXPECT_EQ(seen.front(), std::make_pair(lzwStarting, 0));
    EXPECT_EQ(seen.back(), std::make_pair(lzwEnding, 100));
    for (auto& [stage, percent] : seen)
        EXPECT_TRUE(percent >= 0 && percent <= 100);
}

TEST(GifLzw, InterlacedRowOrder) {
    std::vector<Integer> rows;
    Integer pass = 0;
    for (Integer row = 0; row < 20; row = NextInterlacedRow(row, 20, pass))
        rows.push_back(row);
    EXPECT_EQ(rows,
              (std::vector<Integer>{0, 8, 16, 4, 12, 2, 6, 10, 14, 18, 1, 3, 5, 7, 9, 11, 13, 15, 17, 19}));
}

namespace {

// A fingerprint of encoded data: its size and its FNV-1a hash.
std::pair<std::size_t, UInt64> Fingerprint(const std::vector<Byte>& data) {
    UInt64 h = 1469598103934665603ULL;
    for (Byte b : data)
        h = (h ^ b) * 1099511628211ULL;
    return {data.size(), h};
}

} // namespace

TEST(GifLzw, EncodedBytesStayThoseOfTheEarlierWriter) {
    // Fingerprints of what the writer produced before its hash table got a prime size and its rows
    // a loop of their own: ordinary pictures must come out byte for byte the same.
    struct Case {
        const char* name;
        TDibBitmap bmp;
        bool interlaced;
        std::size_t size;
        UInt64 hash;
    };
    TDibBitmap gradient(300, 200, 8);
    for (Integer y = 0; y < 200; ++y)
        for (Integer x = 0; x < 300; ++x)
            gradient.SetPixelIndex(x, y, (x + 2 * y) & 255);
    TDibBitmap flat(640, 480, 8);
    Case cases[] = {
        {"noise 8 bits", NoiseBitmap(257, 131, 8, 256, 7), false, 46170, 5383052868637697474ULL},
        {"noise 8 bits, 16 values, interlaced", NoiseBitmap(199, 77, 8, 16, 8), true, 9703, 4534166978764413312ULL},
        {"noise 4 bits", NoiseBitmap(123, 45, 4, 16, 9), false, 3440, 12373334602560580374ULL},
        {"noise 1 bit", NoiseBitmap(77, 33, 1, 2, 10), true, 418, 16447333675464264980ULL},
        {"gradient", gradient, false, 11130, 3161788110967464294ULL},
        {"one colour", flat, false, 959, 11929671557101523329ULL},
    };
    for (Case& c : cases) {
        const auto [size, hash] = Fingerprint(Encode(c.bmp, c.interlaced));
        EXPECT_EQ(size, c.size) << c.name;
        EXPECT_EQ(hash, c.hash) << c.name;
    }
}
