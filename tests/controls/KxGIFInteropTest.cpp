// Our GIF files read by independent decoders, and files of independent encoders read by us.
#include "GifToolDump.h"
#include "controls/KxGIF.h"

#include <gtest/gtest.h>

using codectest::TempFolder;
using giftest::DumpWithPillow;

namespace {

// An indexed bitmap with `colors` distinct palette entries and noise indices.
TDibBitmap IndexedNoise(Integer width, Integer height, Integer bitCount, Integer colors, unsigned seed) {
    TDibBitmap bmp(width, height, bitCount);
    codectest::Noise noise(seed);
    for (Integer i = 0; i < static_cast<Integer>(bmp.Colors.size()); ++i)
        bmp.Colors[i] = TDibColor::FromRGB(Byte(i * 7 + 3), Byte(255 - i), Byte((i * 37) & 0xFF));
    for (Integer y = 0; y < height; ++y)
        for (Integer x = 0; x < width; ++x)
            bmp.SetPixelIndex(x, y, static_cast<Integer>(noise.Next() % colors));
    return bmp;
}

std::string IndexHex(const TDibBitmap& bmp) {
    std::vector<unsigned char> idx;
    for (Integer y = 0; y < bmp.Height(); ++y)
        for (Integer x = 0; x < bmp.Width(); ++x)
            idx.push_back(static_cast<unsigned char>(bmp.PixelIndex(x, y)));
    return codectest::Hex(idx);
}

std::string PaletteHex(const TDibBitmap& bmp) {
    std::vector<unsigned char> pal;
    for (const TDibColor& c : bmp.Colors)
        pal.insert(pal.end(), {c.Red, c.Green, c.Blue});
    return codectest::Hex(pal);
}

// Colour of pixel i of a Pillow RGB dump.
TKxColor DumpColor(const std::string& rgbHex, std::size_t i) {
    auto byteAt = [&](std::size_t k) {
        return static_cast<Byte>(std::stoi(rgbHex.substr(2 * k, 2), nullptr, 16));
    };
    return KxRGB(byteAt(3 * i), byteAt(3 * i + 1), byteAt(3 * i + 2));
}

// Every pixel of every frame of our decoding has the colour Pillow gives, except where our frame is
// transparent (Pillow shows the frame underneath there).
void ExpectSamePixels(TGIFImage& gif, const giftest::GifDump& dump) {
    ASSERT_EQ(static_cast<std::size_t>(gif.FrameCount()), dump.Frames.size());
    for (Integer i = 0; i < gif.FrameCount(); ++i) {
        TGIFFrame& frame = *gif.FrameAt(i);
        const TDibBitmap& bmp = frame.FrameBitmap();
        const giftest::FrameDump& ref = dump.Frames[i];
        ASSERT_EQ(ref.RgbHex.size(), static_cast<std::size_t>(ref.Width) * ref.Height * 6);
        EXPECT_FALSE(frame.DamagedData) << "frame " << i;
        for (Integer y = 0; y < bmp.Height(); ++y)
            for (Integer x = 0; x < bmp.Width(); ++x) {
                if (frame.TransparentIndex >= 0 && bmp.PixelIndex(x, y) == frame.TransparentIndex) continue;
                const std::size_t at =
                    static_cast<std::size_t>(y + frame.FrameTop) * ref.Width + x + frame.FrameLeft;
                ASSERT_EQ(bmp.Pixel(x, y), DumpColor(ref.RgbHex, at))
                    << "frame " << i << " at " << x << "," << y;
            }
    }
}

struct WriteCase {
    const char* Name;
    Integer Width, Height, BitCount, Colors;
};

class GifWrittenByUs : public ::testing::TestWithParam<WriteCase> {};

} // namespace

TEST_P(GifWrittenByUs, PillowAndGiftextReadTheSameIndicesAndPalette) {
    const WriteCase c = GetParam();
    TempFolder dir;
    const TDibBitmap source = IndexedNoise(c.Width, c.Height, c.BitCount, c.Colors, 17);
    TGIFImage gif;
    gif.Assign(source);
    const std::vector<Byte> file = gif.SaveToBytes();

    const giftest::GifDump dump = DumpWithPillow(dir, file);
    ASSERT_TRUE(dump.Ok) << dump.Error;
    ASSERT_EQ(dump.Frames.size(), 1u);
    EXPECT_EQ(dump.Frames[0].Width, c.Width);
    EXPECT_EQ(dump.Frames[0].Height, c.Height);
    EXPECT_EQ(dump.Frames[0].IndexHex, IndexHex(source));
    EXPECT_EQ(dump.Frames[0].PaletteHex.substr(0, PaletteHex(source).size()), PaletteHex(source));
    EXPECT_NE(giftest::GifText(dir, file).find("GIF file terminated normally."), std::string::npos);

    // And our own reader gives the same indices back.
    TGIFImage back;
    back.LoadFromBytes(file);
    EXPECT_EQ(IndexHex(back.FrameAt(0)->FrameBitmap()), IndexHex(source));
}

INSTANTIATE_TEST_SUITE_P(
    Sizes, GifWrittenByUs,
    ::testing::Values(WriteCase{"OneBitWidth1", 1, 1, 1, 2}, WriteCase{"OneBitWidth255", 255, 5, 1, 2},
                      WriteCase{"OneBitWidth256", 256, 3, 1, 2}, WriteCase{"FourBitWidth255", 255, 9, 4, 16},
                      WriteCase{"FourBitWidth256", 256, 4, 4, 16}, WriteCase{"EightBitWidth1", 1, 33, 8, 256},
                      WriteCase{"EightBitWidth255", 255, 20, 8, 256},
                      // Noise over 256 colours: strings never repeat, the table fills and clears many times.
                      WriteCase{"EightBitTableFills", 256, 256, 8, 256}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(GifInterop, AnimationDelaysLoopTransparencyAndCommentsReadBack) {
    TempFolder dir;
    TGIFImage gif;
    const TDibBitmap first = IndexedNoise(40, 30, 8, 256, 1);
    TDibBitmap second = first;
    for (Integer x = 0; x < 40; ++x)
        second.SetPixelIndex(x, 10, 9);
    gif.AddFrame(first);
    gif.AddFrame(second);
    TGIFFrame& f0 = *gif.FrameAt(0);
    TGIFFrame& f1 = *gif.FrameAt(1);
    f0.KeyColor = first.Colors[3].Color();
    f0.DelayMs = 100000; // beyond 16 bits of milliseconds
    f0.DisposalCode = 1;
    f1.DelayMs = 70;
    f1.DisposalCode = 2;
    f0.CommentList(true)->push_back("first frame");
    gif.LoopAnimation = true;
    gif.LoopCount = 5;
    gif.GifData->Remarks.push_back(String(300, 'r')); // longer than one sub-block
    const std::vector<Byte> file = gif.SaveToBytes();

    const giftest::GifDump dump = DumpWithPillow(dir, file);
    ASSERT_TRUE(dump.Ok) << dump.Error;
    ASSERT_EQ(dump.Frames.size(), 2u);
    EXPECT_EQ(dump.Loop, 5);
    EXPECT_EQ(dump.Frames[0].Duration, 100000);
    EXPECT_EQ(dump.Frames[1].Duration, 70);
    EXPECT_EQ(dump.Frames[0].Transparency, 3);
    EXPECT_EQ(dump.Frames[0].Disposal, 1);
    EXPECT_EQ(dump.Frames[1].Disposal, 2);
    EXPECT_EQ(dump.Frames[0].CommentHex, giftest::HexOf("first frame"));
    ASSERT_EQ(dump.Comments.size(), 2u);
    EXPECT_EQ(dump.Comments[1].first, giftest::HexOf(String(300, 'r')));
    EXPECT_EQ(dump.Comments[1].second, "255,45");

    const std::string text = giftest::GifText(dir, file);
    EXPECT_NE(text.find("DelayTime: 10000"), std::string::npos) << text;
    EXPECT_NE(text.find("DelayTime: 7"), std::string::npos);
    EXPECT_NE(text.find("Transparent Index: 3"), std::string::npos);
    EXPECT_NE(text.find("GIF file terminated normally."), std::string::npos);

    TGIFImage back;
    back.LoadFromBytes(file);
    ASSERT_EQ(back.FrameCount(), 2);
    EXPECT_EQ(back.FrameAt(0)->DelayMs, 100000);
    EXPECT_EQ(back.FrameAt(0)->KeyColor, first.Colors[3].Color());
    EXPECT_TRUE(back.LoopAnimation);
    EXPECT_EQ(back.LoopCount, 5);
    ASSERT_EQ(back.GifData->Remarks.size(), 2u);
    EXPECT_EQ(back.GifData->Remarks[0] + back.GifData->Remarks[1], String(300, 'r'));
    ExpectSamePixels(back, dump);
    EXPECT_EQ(IndexHex(back.FrameAt(1)->FrameBitmap()), IndexHex(second));
}

TEST(GifInterop, InterlacedFramesWeWriteReadInPillowAndGiftext) {
    TempFolder dir;
    const TDibBitmap source = IndexedNoise(33, 27, 8, 200, 4);
    TGIFImage gif;
    gif.Assign(source);
    gif.SaveToBytes(); // encodes the frame
    TGIFFrame& frame = *gif.FrameAt(0);
    frame.Item().EncodedData.clear();
    EncodeLzwImage(frame.Item().EncodedData, TLzwImageHeader{33, 27, 8}, true, nullptr, source.Bits().data());
    frame.InterlacedRows = true;
    const std::vector<Byte> file = gif.SaveToBytes();

    const giftest::GifDump dump = DumpWithPillow(dir, file);
    ASSERT_TRUE(dump.Ok) << dump.Error;
    EXPECT_EQ(dump.Frames[0].IndexHex, IndexHex(source));
    EXPECT_NE(giftest::GifText(dir, file).find("Image is Interlaced."), std::string::npos);
    TGIFImage back;
    back.LoadFromBytes(file);
    EXPECT_TRUE(back.FrameAt(0)->InterlacedRows);
    EXPECT_EQ(IndexHex(back.FrameAt(0)->FrameBitmap()), IndexHex(source));
}

namespace {

// Pillow writes the fixtures the gifsicle cases start from.
const char* PillowFixtures = R"PY(
import sys, random
from PIL import Image
d = sys.argv[1]
random.seed(7)
def noise(w, h, colors):
    im = Image.new('P', (w, h))
    im.putpalette([random.randrange(256) for i in range(3 * colors)])
    im.putdata([random.randrange(colors) for i in range(w * h)])
    return im
noise(1, 1, 2).save(d + '/tiny.gif')
noise(255, 7, 2).save(d + '/bw255.gif')
noise(256, 256, 256).save(d + '/noise256.gif')
noise(97, 61, 16).save(d + '/sixteen.gif')
a, b, c = noise(40, 30, 256), noise(40, 30, 256), noise(40, 30, 256)
a.save(d + '/anim.gif', save_all=True, append_images=[b, c], duration=[70, 1230, 40], loop=0,
       comment=b'made by pillow', transparency=3, disposal=[1, 2, 0])
a.save(d + '/l0.gif')
b.save(d + '/l1.gif')
)PY";

std::vector<Byte> LoadFixture(const TempFolder& dir, const std::string& name) {
    return codectest::ReadFile(dir / name);
}

} // namespace

class GifFromOtherEncoders : public ::testing::Test {
protected:
    void SetUp() override {
        std::string output;
        ASSERT_FALSE(codectest::Python().empty()) << "python3 with Pillow is required";
        ASSERT_EQ(codectest::RunPython(Dir, PillowFixtures, &output), 0) << output;
    }
    void ExpectReadsLikePillow(const std::vector<Byte>& file) {
        TGIFImage gif;
        gif.LoadFromBytes(file);
        TempFolder other;
        const giftest::GifDump dump = DumpWithPillow(other, file);
        ASSERT_TRUE(dump.Ok) << dump.Error;
        ExpectSamePixels(gif, dump);
    }
    TempFolder Dir;
};

TEST_F(GifFromOtherEncoders, PillowStillsReadWithTheSamePixels) {
    for (const char* name : {"tiny.gif", "bw255.gif", "noise256.gif", "sixteen.gif"}) {
        SCOPED_TRACE(name);
        ExpectReadsLikePillow(LoadFixture(Dir, name));
    }
}

TEST_F(GifFromOtherEncoders, PillowAnimationKeepsDelaysTransparencyDisposalAndComment) {
    const std::vector<Byte> file = LoadFixture(Dir, "anim.gif");
    ExpectReadsLikePillow(file);
    TGIFImage gif;
    gif.LoadFromBytes(file);
    ASSERT_EQ(gif.FrameCount(), 3);
    EXPECT_EQ(gif.FrameAt(0)->DelayMs, 70);
    EXPECT_EQ(gif.FrameAt(1)->DelayMs, 1230);
    EXPECT_EQ(gif.FrameAt(0)->TransparentIndex, 3);
    EXPECT_EQ(gif.FrameAt(0)->DisposalCode, 1);
    EXPECT_EQ(gif.FrameAt(1)->DisposalCode, 2);
    EXPECT_TRUE(gif.LoopAnimation);
    EXPECT_EQ(gif.LoopCount, 0);
    const std::vector<String>* comment = gif.FrameAt(0)->CommentList(false);
    ASSERT_NE(comment, nullptr);
    EXPECT_EQ(comment->at(0), "made by pillow");
}

TEST_F(GifFromOtherEncoders, GifsicleInterlacedLocalTablesLoopDelayCommentTransparencyDisposal) {
    std::string output;
    const std::string out = Dir / "sicle.gif";
    ASSERT_EQ(codectest::Run("gifsicle --interlace --loopcount=3 --delay=25 --comment 'from gifsicle' -t 3 "
                             "--disposal background " +
                                 (Dir / "l0.gif") + " " + (Dir / "l1.gif") + " -o " + out,
                             &output),
              0)
        << output;
    const std::vector<Byte> file = codectest::ReadFile(out);
    ExpectReadsLikePillow(file);
    TGIFImage gif;
    gif.LoadFromBytes(file);
    ASSERT_EQ(gif.FrameCount(), 2);
    for (Integer i = 0; i < 2; ++i) {
        TGIFFrame& frame = *gif.FrameAt(i);
        EXPECT_TRUE(frame.InterlacedRows);
        EXPECT_EQ(frame.DelayMs, 250);
        EXPECT_EQ(frame.DisposalCode, 2);
        EXPECT_GE(frame.TransparentIndex, 0);
    }
    TempFolder other;
    EXPECT_EQ(gif.FrameAt(0)->TransparentIndex, DumpWithPillow(other, file).Frames[0].Transparency);
    EXPECT_TRUE(gif.FrameAt(1)->OwnPalette); // 2 × 256 colours do not fit one table
    EXPECT_EQ(gif.LoopCount, 3);
    ASSERT_NE(gif.FrameAt(0)->CommentList(false), nullptr);
    EXPECT_EQ(gif.FrameAt(0)->CommentList(false)->at(0), "from gifsicle");

    // Written back, the frames keep their encoded data and the independent reader agrees again.
    const std::vector<Byte> again = gif.SaveToBytes();
    ExpectReadsLikePillow(again);
    EXPECT_NE(giftest::GifText(Dir, again).find("Image is Interlaced."), std::string::npos);
}
