// Truncated and bit-flipped GIF files: never a crash, a hang or a sanitizer report; only the
// codec's own exceptions may come out.
#include "CodecTestTools.h"
#include "controls/KxGIF.h"

#include <gtest/gtest.h>

namespace {

const char* Fixtures = R"PY(
import sys, random
from PIL import Image
d = sys.argv[1]
random.seed(3)
def noise(w, h, colors):
    im = Image.new('P', (w, h))
    im.putpalette([random.randrange(256) for i in range(3 * colors)])
    im.putdata([random.randrange(colors) for i in range(w * h)])
    return im
a, b = noise(24, 17, 256), noise(24, 17, 16)
a.save(d + '/anim.gif', save_all=True, append_images=[b], duration=[70, 40], loop=2, comment=b'c' * 300,
       transparency=3, disposal=[1, 2], interlace=True)
)PY";

// How a damaged file came out: read and written back, or refused with the codec's own error.
// Anything else (another exception, a crash) ends the test.
struct Outcomes {
    int Decoded = 0;
    int Refused = 0;
};

// Reads the file, decodes every frame and writes it back.
void Exercise(const std::vector<Byte>& data, Outcomes& outcomes) {
    try {
        TGIFImage gif;
        gif.LoadGif(data.data(), static_cast<Int64>(data.size()), true);
        for (Integer i = 0; i < gif.FrameCount(); ++i)
            gif.FrameAt(i)->FrameBitmap();
        if (gif.FrameCount() > 0) gif.SaveToBytes();
        ++outcomes.Decoded;
    } catch (const Exception&) {
        ++outcomes.Refused; // a clear error is an acceptable outcome for damaged data
    }
}

// Two animations of two frames each: one written by Pillow, one by us.
std::vector<std::vector<Byte>> Originals() {
    std::vector<std::vector<Byte>> files;
    codectest::TempFolder dir;
    std::string output;
    EXPECT_EQ(codectest::RunPython(dir, Fixtures, &output), 0) << output;
    files.push_back(codectest::ReadFile(dir / "anim.gif"));
    TDibBitmap bmp(30, 20, 8);
    codectest::Noise noise(9);
    for (Integer y = 0; y < 20; ++y)
        for (Integer x = 0; x < 30; ++x)
            bmp.SetPixelIndex(x, y, static_cast<Integer>(noise.Next() % 256));
    TGIFImage gif;
    gif.AddFrame(bmp);
    gif.AddFrame(bmp);
    gif.FrameAt(1)->KeyColor = bmp.Colors[5].Color();
    gif.FrameAt(1)->DelayMs = 1230;
    gif.LoopAnimation = true;
    gif.GifData->Remarks.push_back("remark");
    files.push_back(gif.SaveToBytes());
    return files;
}

} // namespace

TEST(GifDamage, TheUndamagedFilesReadWithTheirTwoFrames) {
    for (const auto& file : Originals()) {
        ASSERT_FALSE(file.empty());
        TGIFImage gif;
        gif.LoadGif(file.data(), static_cast<Int64>(file.size()), true);
        EXPECT_EQ(gif.FrameCount(), 2);
    }
}

TEST(GifDamage, TruncatedCopiesAreReadOrRefusedWithTheCodecsError) {
    const auto files = Originals();
    ASSERT_EQ(files.size(), 2u);
    Outcomes outcomes;
    int copies = 0;
    for (const auto& file : files) {
        ASSERT_FALSE(file.empty());
        for (std::size_t n = 0; n < file.size(); n += 1 + file.size() / 300, ++copies)
            Exercise({file.begin(), file.begin() + n}, outcomes);
    }
    EXPECT_EQ(outcomes.Decoded + outcomes.Refused, copies);
    EXPECT_GT(outcomes.Refused, 0); // a file cut inside its header at least is refused
    EXPECT_GT(outcomes.Decoded, 0); // one cut only in its last blocks still reads
}

TEST(GifDamage, BitFlippedCopiesAreReadOrRefusedWithTheCodecsError) {
    const auto files = Originals();
    ASSERT_EQ(files.size(), 2u);
    codectest::Noise noise(77);
    Outcomes outcomes;
    for (const auto& file : files) {
        ASSERT_FALSE(file.empty());
        for (int round = 0; round < 400; ++round) {
            std::vector<Byte> copy = file;
            const int flips = 1 + static_cast<int>(noise.Next() % 4);
            for (int f = 0; f < flips; ++f) {
                // Headers and block structure are hit more often than pixel data.
                const std::size_t span = (round % 2) ? copy.size() : std::min<std::size_t>(copy.size(), 64);
                copy[noise.Next() % span] ^= static_cast<Byte>(1u << (noise.Next() % 8));
            }
            Exercise(copy, outcomes);
        }
    }
    // The damage reaches the decoder both ways: some copies are refused, some still read.
    EXPECT_EQ(outcomes.Decoded + outcomes.Refused, 2 * 400);
    EXPECT_GT(outcomes.Refused, 0);
    EXPECT_GT(outcomes.Decoded, 0);
}
