// Truncated and bit-flipped PNG files: never a crash, a hang or a sanitizer report; only the codec's
// own exceptions may come out.
#include "PngTools.h"
#include "report/vrpngimage.h"

#include <gtest/gtest.h>
#include <zlib.h>

namespace {

const char* Fixtures = R"PY(
random.seed(11)
from PIL import Image, PngImagePlugin
pix = [[(random.randrange(256), random.randrange(256), random.randrange(256), random.randrange(256))
        for x in range(19)] for y in range(13)]
encode(d + '/rgba.png', 19, 13, 6, 8, pix, 1)
grey = [[(random.randrange(65536),) for x in range(9)] for y in range(7)]
encode(d + '/grey16.png', 9, 7, 0, 16, grey, 0)
im = Image.new('P', (23, 11))
im.putpalette([random.randrange(256) for i in range(48)])
im.putdata([random.randrange(16) for i in range(23 * 11)])
info = PngImagePlugin.PngInfo()
info.add_text('Comment', 'some text ' * 20, zip=True)
im.save(d + '/pal.png', bits=4, transparency=bytes([0, 255, 128]), pnginfo=info)
)PY";

void Exercise(const std::vector<Byte>& data) {
    try {
        TPNGObject png;
        png.LoadFromBytes(data);
        TPngSurface surface(30, 20, PngRGB(9, 9, 9));
        png.DrawOnto(surface, 0, 0, 30, 20);
        png.SaveToBytes();
    } catch (const Exception&) {
        // A clear error is an acceptable outcome for damaged data.
    }
}

// Recomputes every chunk's CRC, so that damage reaches the chunk readers and the image decoder.
void FixCrcs(std::vector<Byte>& file) {
    for (std::size_t p = 8; p + 12 <= file.size();) {
        const UInt64 n = (UInt64(file[p]) << 24) | (file[p + 1] << 16) | (file[p + 2] << 8) | file[p + 3];
        if (p + 12 + n > file.size()) return;
        uLong crc = crc32(0L, Z_NULL, 0);
        crc = crc32(crc, file.data() + p + 4, static_cast<uInt>(n + 4));
        for (int i = 0; i < 4; ++i)
            file[p + 8 + n + i] = static_cast<Byte>((crc >> (24 - 8 * i)) & 0xFF);
        p += 12 + n;
    }
}

} // namespace

TEST(PngDamage, TruncatedAndBitFlippedCopiesNeverCrash) {
    codectest::TempFolder dir;
    std::string output;
    ASSERT_EQ(codectest::RunPython(dir, pngtest::Script(Fixtures), &output), 0) << output;
    codectest::Noise noise(5);
    for (const char* name : {"rgba.png", "grey16.png", "pal.png"}) {
        const std::vector<Byte> file = codectest::ReadFile(dir / name);
        ASSERT_FALSE(file.empty()) << name;
        for (std::size_t n = 0; n < file.size(); n += 1 + file.size() / 200)
            Exercise({file.begin(), file.begin() + n});
        for (int round = 0; round < 300; ++round) {
            std::vector<Byte> copy = file;
            const std::size_t span = (round % 2) ? copy.size() : std::min<std::size_t>(copy.size(), 60);
            copy[8 + noise.Next() % (span - 8)] ^= static_cast<Byte>(1u << (noise.Next() % 8));
            Exercise(copy);
            FixCrcs(copy);
            Exercise(copy);
        }
    }
}
