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

namespace {

void PutChunk(std::vector<Byte>& file, const char* type, const std::vector<Byte>& data) {
    const auto n = static_cast<Cardinal>(data.size());
    for (int i = 3; i >= 0; --i)
        file.push_back(static_cast<Byte>((n >> (8 * i)) & 0xFF));
    const std::size_t start = file.size();
    file.insert(file.end(), type, type + 4);
    file.insert(file.end(), data.begin(), data.end());
    const uLong crc = crc32(crc32(0L, Z_NULL, 0), file.data() + start, static_cast<uInt>(data.size() + 4));
    for (int i = 3; i >= 0; --i)
        file.push_back(static_cast<Byte>((crc >> (8 * i)) & 0xFF));
}

// A PNG of the header's size whose image data is `raw` (filter bytes and rows) deflated, cut to
// `keep` bytes of compressed data when given.
std::vector<Byte> CraftPng(Cardinal w, Cardinal h, Byte depth, Byte colorType, Byte interlace,
                           const std::vector<Byte>& raw, std::size_t keep = std::size_t(-1)) {
    std::vector<Byte> file = {0x89, 0x50, 0x4E, 0x47, 0x0D, 0x0A, 0x1A, 0x0A};
    std::vector<Byte> ihdr;
    for (Cardinal v : {w, h})
        for (int i = 3; i >= 0; --i)
            ihdr.push_back(static_cast<Byte>((v >> (8 * i)) & 0xFF));
    ihdr.insert(ihdr.end(), {depth, colorType, 0, 0, interlace});
    PutChunk(file, "IHDR", ihdr);
    uLongf size = compressBound(static_cast<uLong>(raw.size()));
    std::vector<Byte> packed(size);
    compress2(packed.data(), &size, raw.data(), static_cast<uLong>(raw.size()), 9);
    packed.resize(std::min<std::size_t>(size, keep));
    PutChunk(file, "IDAT", packed);
    PutChunk(file, "IEND", {});
    return file;
}

} // namespace

// Image data that cannot fill the picture its header promises is refused as missing, before any
// memory of the promised size is touched; data that can fill it loads, even when it ends early.
TEST(PngDamage, ImageDataTooShortForThePictureIsRefused) {
    const std::vector<Byte> few(16, 0);
    struct Case {
        const char* name;
        Cardinal w, h;
        Byte depth, colorType, interlace;
    } refused[] = {
        {"RGB 8 at the pixel cap", 11585, 11585, 8, 2, 0},
        {"interlaced grey 2", 11585, 11585, 2, 0, 1},
        {"RGBA 16", 4096, 4096, 16, 6, 0},
        {"grey 8, widest", 65535, 2000, 8, 0, 0},
        {"palette 1", 11585, 11585, 1, 3, 0},
    };
    for (const Case& c : refused) {
        TPNGObject png;
        EXPECT_THROW(png.LoadFromBytes(CraftPng(c.w, c.h, c.depth, c.colorType, c.interlace, few)),
                     EPNGNoImageData)
            << c.name;
    }
    // 2000 rows of 2000 zero grey samples deflate about a thousand-fold, near the most deflate can
    // give: the whole stream loads.
    const std::vector<Byte> zeros(std::size_t(2000) * 2001, 0);
    TPNGObject whole;
    whole.LoadFromBytes(CraftPng(2000, 2000, 8, 0, 0, zeros));
    EXPECT_EQ(whole.GetWidth(), 2000);
    EXPECT_EQ(whole.GetPixel(1999, 1999), 0);
    // Noise cut in half could have filled the picture: it is not taken for missing data but read
    // until its stream runs out (where the next chunk is not image data).
    codectest::Noise noise(9);
    std::vector<Byte> rows;
    for (int y = 0; y < 300; ++y) {
        rows.push_back(0);
        for (int x = 0; x < 300; ++x)
            rows.push_back(static_cast<Byte>(noise.Next()));
    }
    TPNGObject half;
    EXPECT_THROW(half.LoadFromBytes(CraftPng(300, 300, 8, 0, 0, rows, rows.size() / 2)),
                 EPNGMissingMultipleIDAT);
    uLongf size = compressBound(static_cast<uLong>(zeros.size()));
    std::vector<Byte> packed(size);
    compress2(packed.data(), &size, zeros.data(), static_cast<uLong>(zeros.size()), 9);
    // Cut to a tenth, the data can no longer fill the picture.
    TPNGObject tenth;
    EXPECT_THROW(tenth.LoadFromBytes(CraftPng(2000, 2000, 8, 0, 0, zeros, size / 10)), EPNGNoImageData);
}

namespace {
// A PNG of the header's size whose IDAT holds the given compressed bytes as they are.
std::vector<Byte> CraftPngData(Cardinal w, Cardinal h, Byte depth, Byte colorType, const std::vector<Byte>& idat) {
    std::vector<Byte> file = {0x89, 0x50, 0x4E, 0x47, 0x0D, 0x0A, 0x1A, 0x0A};
    std::vector<Byte> ihdr;
    for (Cardinal v : {w, h})
        for (int i = 3; i >= 0; --i)
            ihdr.push_back(static_cast<Byte>((v >> (8 * i)) & 0xFF));
    ihdr.insert(ihdr.end(), {depth, colorType, 0, 0, 0});
    PutChunk(file, "IHDR", ihdr);
    PutChunk(file, "IDAT", idat);
    PutChunk(file, "IEND", {});
    return file;
}
} // namespace

// Image data that could fill planes of more than a quarter of a gigabyte is refused as too large
// before it is inflated: a deflate bomb of half a megabyte no longer costs half a gigabyte. Just
// under the bound the data is inflated (here it runs out: missing image parts).
TEST(PngDamage, DataForPlanesBeyondTheReadBoundIsRefusedBeforeInflating) {
    // Zero rows deflated at the highest level: about a thousand-fold, enough to fill any picture here.
    const std::vector<Byte> zeros(std::size_t(1) << 20, 0);
    uLongf size = compressBound(static_cast<uLong>(zeros.size()));
    std::vector<Byte> packed(size);
    compress2(packed.data(), &size, zeros.data(), static_cast<uLong>(zeros.size()), 9);
    // The compressed megabyte repeated until it could fill 600 MB (more than any picture here packs).
    std::vector<Byte> bomb;
    while (bomb.size() * 1032 < (std::size_t(600) << 20)) bomb.insert(bomb.end(), packed.begin(), packed.begin() + size);
    struct Case {
        const char* name;
        Cardinal w, h;
        Byte depth, colorType;
        bool tooLarge;
    } cases[] = {
        {"RGBA 8 11000x11000", 11000, 11000, 8, 6, true},
        {"RGBA 16 8000x8000", 8000, 8000, 16, 6, true},
        {"RGB 8 10000x10000", 10000, 10000, 8, 2, true},
        {"RGBA 8 8000x8000", 8000, 8000, 8, 6, false},
        {"RGB 8 9000x9000", 9000, 9000, 8, 2, false},
        {"grey 8 11000x11000", 11000, 11000, 8, 0, false},
    };
    for (const Case& c : cases) {
        TPNGObject png;
        const std::vector<Byte> file = CraftPngData(c.w, c.h, c.depth, c.colorType, bomb);
        if (c.tooLarge)
            EXPECT_THROW(png.LoadFromBytes(file), EPNGSizeExceeds) << c.name;
        else
            try {
                png.LoadFromBytes(file);
            } catch (const EPNGSizeExceeds&) {
                ADD_FAILURE() << c.name << " refused as too large";
            } catch (const std::exception&) {
                // the repeated streams do not make a whole picture: any other refusal will do
            }
    }
}
