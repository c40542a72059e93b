// PNG files of independent encoders read by us, and our files read by independent decoders.
#include "PngTools.h"
#include "report/vrpngimage.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <map>

using codectest::TempFolder;
using pngtest::SampleDump;

namespace {

// Every colour type and depth, plain and interlaced, from the python encoder (all five filters, the
// data split over two IDAT chunks), and Pillow's own files with tRNS, gAMA and text chunks.
const char* Fixtures = R"PY(
random.seed(5)
from PIL import Image, PngImagePlugin
table = {0: (1, 2, 4, 8, 16), 2: (8, 16), 3: (1, 2, 4, 8), 4: (8, 16), 6: (8, 16)}
names = []
for ct, depths in table.items():
    for depth in depths:
        for il in (0, 1):
            for (w, h) in ((13, 11), (1, 1)):
                ch = CH[ct]
                top = (1 << depth) - 1
                pix = [[tuple(random.randint(0, top) for c in range(ch)) for x in range(w)] for y in range(h)]
                pal = [random.randrange(256) for i in range(3 << depth)] if ct == 3 else None
                before = b''
                if ct == 3 and depth == 8:
                    before = chunk(b'tRNS', bytes([255, 0, 128, 255]))
                elif ct == 2 and depth == 8:
                    before = chunk(b'tRNS', bytes([0, 7, 0, 8, 0, 9]))
                name = 'f_%d_%d_%d_%dx%d.png' % (ct, depth, il, w, h)
                encode(d + '/' + name, w, h, ct, depth, pix, il, before=before, palette=pal)
                names.append(name)
def noise(mode, w, h):
    im = Image.new(mode, (w, h))
    if mode == 'P':
        im.putpalette([random.randrange(256) for i in range(768)])
        im.putdata([random.randrange(256) for i in range(w * h)])
    elif mode in ('L', '1'):
        im.putdata([random.randrange(256) for i in range(w * h)])
    elif mode == 'I;16':
        im.putdata([random.randrange(65536) for i in range(w * h)])
    else:
        n = len(mode)
        im.putdata([tuple(random.randrange(256) for c in range(n)) for i in range(w * h)])
    return im
info = PngImagePlugin.PngInfo()
info.add_text('Title', 'plain text')
info.add_text('Comment', 'compressed text ' * 50, zip=True)
info.add(b'gAMA', struct.pack('>I', 45455))
info.add(b'cHRM', bytes(32))
noise('RGB', 31, 17).save(d + '/p_rgb.png', pnginfo=info)
noise('RGBA', 17, 9).save(d + '/p_rgba.png')
noise('LA', 10, 10).save(d + '/p_la.png')
noise('L', 9, 4).save(d + '/p_l.png', pnginfo=info)
noise('1', 19, 3).save(d + '/p_1.png')
noise('I;16', 7, 5).save(d + '/p_16.png')
p = noise('P', 20, 15)
p.info['transparency'] = bytes([255, 0, 77, 200])
p.save(d + '/p_p.png', transparency=bytes([255, 0, 77, 200]))
noise('P', 6, 6).save(d + '/p_p4.png', bits=4)
names += ['p_rgb.png', 'p_rgba.png', 'p_la.png', 'p_l.png', 'p_1.png', 'p_16.png', 'p_p.png', 'p_p4.png']
with open(d + '/expected.txt', 'w') as f:
    for name in names:
        f.write(name + ' ' + dump(*decode(d + '/' + name)[:6]) + '\n')
)PY";

// Our decoding as samples in the dump's form (the file's samples, 16-bit ones from both planes).
SampleDump SamplesOf(TPNGObject& png) {
    const TChunkIHDR& h = png.Header();
    const TPngBitmap& img = h.Image;
    SampleDump d;
    d.Width = img.Width;
    d.Height = img.Height;
    d.ColorType = h.ColorType;
    d.Depth = h.BitDepth;
    d.Interlace = png.InterlaceMode;
    char buf[8];
    auto put = [&](Integer v) {
        std::snprintf(buf, sizeof buf, "%04x", v);
        d.Samples += buf;
    };
    const bool wide = h.BitDepth == 16;
    for (Integer y = 0; y < img.Height; ++y) {
        const Int64 line = static_cast<Int64>(img.Height - 1 - y) * img.BytesPerRow;
        for (Integer x = 0; x < img.Width; ++x) {
            const std::size_t a = static_cast<std::size_t>(y) * img.Width + x;
            auto sample = [&](Int64 at) {
                return wide ? (img.Bits[at] << 8) | img.LowBytes[at] : img.Bits[at];
            };
            switch (h.ColorType) {
            case 0:
                if (wide)
                    put(sample(line + x));
                else
                    put(h.BitDepth == 2 ? img.PixelIndex(x, y) / 5 : img.PixelIndex(x, y));
                break;
            case 3:
                put(img.PixelIndex(x, y));
                break;
            case 4:
                put(sample(line + x));
                put(wide ? (img.Alpha[a] << 8) | img.AlphaLow[a] : img.Alpha[a]);
                break;
            default:
                put(sample(line + 3 * x + 2));
                put(sample(line + 3 * x + 1));
                put(sample(line + 3 * x));
                if (h.ColorType == 6) put(wide ? (img.Alpha[a] << 8) | img.AlphaLow[a] : img.Alpha[a]);
                break;
            }
        }
    }
    return d;
}

std::map<std::string, SampleDump> Expected(const TempFolder& dir) {
    std::map<std::string, SampleDump> expected;
    std::istringstream in(codectest::ReadText(dir / "expected.txt"));
    std::string name, rest;
    while (in >> name && std::getline(in, rest))
        expected[name] = pngtest::ParseDump(rest);
    return expected;
}

class PngInterop : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(codectest::Python().empty()) << "python3 with Pillow is required";
        std::string output;
        ASSERT_EQ(codectest::RunPython(Dir, pngtest::Script(Fixtures), &output), 0) << output;
        Files = Expected(Dir);
        ASSERT_EQ(Files.size(), 68u);
    }
    TempFolder Dir;
    std::map<std::string, SampleDump> Files;
};

} // namespace

TEST_F(PngInterop, FilesOfOtherEncodersReadWithTheSameSamples) {
    for (const auto& [name, expected] : Files) {
        SCOPED_TRACE(name);
        TPNGObject png;
        png.LoadFromBytes(codectest::ReadFile(Dir / name));
        EXPECT_EQ(SamplesOf(png), expected);
    }
}

TEST_F(PngInterop, ChunksOfPillowFilesAreKeptAndCHRMDropped) {
    TPNGObject png;
    png.LoadFromBytes(codectest::ReadFile(Dir / "p_rgb.png"));
    const TChunktEXt* text = png.Chunks.FindChunk<TChunktEXt>();
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->Keyword, "Title");
    EXPECT_EQ(text->Text, "plain text");
    const TChunkzTXt* ztxt = png.Chunks.FindChunk<TChunkzTXt>();
    ASSERT_NE(ztxt, nullptr);
    EXPECT_EQ(ztxt->Keyword, "Comment");
    String repeated;
    for (int i = 0; i < 50; ++i)
        repeated += "compressed text ";
    EXPECT_EQ(ztxt->Text, repeated);
    ASSERT_NE(png.Chunks.FindChunk<TChunkgAMA>(), nullptr);
    EXPECT_EQ(png.Chunks.FindChunk<TChunkgAMA>()->Gamma, 45455u);
    for (Integer i = 0; i < png.Chunks.Count(); ++i)
        EXPECT_NE(png.Chunks.Item(i)->Name, "cHRM");

    TPNGObject pal;
    pal.LoadFromBytes(codectest::ReadFile(Dir / "p_p.png"));
    EXPECT_EQ(pal.TransparencyMode(), ptmPartial);
    EXPECT_EQ(pal.Chunks.FindChunk<TChunktRNS>()->PaletteValues[2], 77);
}

namespace {

// Our files decoded by the python decoder and opened by Pillow; Pillow's pixels must be the
// samples as Pillow presents them (16-bit colour samples by their high bytes).
const char* ReadOurFiles = R"PY(
from PIL import Image
out = []
for name in open(d + '/ours.txt').read().split():
    raw = decode(d + '/' + name)
    w, h, ct, depth, il, pix, chunks = raw
    out.append(name + ' ' + dump(w, h, ct, depth, il, pix))
    im = Image.open(d + '/' + name)
    im.load()
    got = []
    for v in im.getdata():
        got.extend(v if isinstance(v, tuple) else (v,))
    want = []
    for row in pix:
        for px in row:
            if ct == 4 and im.mode == 'RGBA':  # Pillow widens 16-bit grey + alpha to RGBA
                px = (px[0], px[0], px[0], px[1])
            for s in px:
                if ct == 0 and depth < 8 and im.mode in ('L', '1'):
                    s = s * (255 // ((1 << depth) - 1))
                elif depth == 16 and ct != 0:
                    s >>= 8
                want.append(s)
    out.append('pillow %s %s %s' % (name, im.mode, 'ok' if got == want else 'differs'))
open(d + '/ours_dump.txt', 'w').write('\n'.join(out) + '\n')
)PY";

} // namespace

TEST_F(PngInterop, OurFilesReadInDecodersAndPillowWithTheSamePixels) {
    std::string list;
    std::map<std::string, SampleDump> expected;
    for (const auto& [name, original] : Files) {
        TPNGObject png;
        png.LoadFromBytes(codectest::ReadFile(Dir / name));
        png.FilterSet = FilterBit(pfNone) | FilterBit(pfSub) | FilterBit(pfUp) | FilterBit(pfAverage) |
                        FilterBit(pfPaeth);
        const std::string ours = "ours_" + name;
        codectest::WriteFile(Dir / ours, png.SaveToBytes());
        list += ours + " ";
        // 2-bit samples come back as 4-bit ones (grey 2-bit v as 5v).
        SampleDump want = original;
        if (want.Depth == 2) {
            want.Depth = 4;
            if (want.ColorType == 0)
                for (std::size_t i = 0; i < want.Samples.size(); i += 4) {
                    char buf[8];
                    std::snprintf(buf, sizeof buf, "%04x",
                                  std::stoi(want.Samples.substr(i, 4), nullptr, 16) * 5);
                    want.Samples.replace(i, 4, buf);
                }
        }
        expected[ours] = want;
    }
    codectest::WriteText(Dir / "ours.txt", list);
    std::string output;
    ASSERT_EQ(codectest::RunPython(Dir, pngtest::Script(ReadOurFiles), &output), 0) << output;
    std::istringstream in(codectest::ReadText(Dir / "ours_dump.txt"));
    std::string first, rest;
    int checked = 0, pillow = 0;
    while (in >> first && std::getline(in, rest)) {
        if (first == "pillow") {
            std::istringstream ps(rest);
            std::string name, mode, verdict;
            ps >> name >> mode >> verdict;
            EXPECT_EQ(verdict, "ok") << name << " in mode " << mode;
            ++pillow;
            continue;
        }
        EXPECT_EQ(pngtest::ParseDump(rest), expected[first]) << first;
        ++checked;
    }
    EXPECT_EQ(checked, 68);
    EXPECT_EQ(pillow, 68);
}
