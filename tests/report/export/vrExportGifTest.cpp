// The GIF writer: the bytes of the file's blocks, and pictures read back by Pillow and giflib.
#include "ExportFixture.h"

#include "gui/Bitmap.h"
#include "gui/Graphics.h"
#include "report/export/vrExportImage.h"
#include "report/export/vrExportHTML.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>

namespace {

std::vector<Byte> GifBytes(TBitmap& bitmap) {
    TMemoryStream stream;
    WriteGif(stream, bitmap);
    const auto* p = static_cast<const Byte*>(stream.Memory());
    return std::vector<Byte>(p, p + stream.Size());
}

// The pixels of a GIF file as Pillow decodes them, as "index index ..." text, and its size.
String PillowIndexes(const String& file) {
    String out;
    const String script = "from PIL import Image; im = Image.open('" + file +
                          "'); print(im.size[0], im.size[1], im.mode); print(' '.join(map(str, im.getdata())))";
    EXPECT_EQ(RunProgram(SystemPython() + " -c \"" + script + "\"", &out), 0) << out;
    return out;
}

String BitmapIndexes(TBitmap& bitmap) {
    String out = IntToStr(bitmap.Width()) + " " + IntToStr(bitmap.Height()) + " P\n";
    for (int y = 0; y < bitmap.Height(); ++y) {
        const Byte* row = bitmap.ScanLine(y);
        for (int x = 0; x < bitmap.Width(); ++x) {
            if (x || y) out += " ";
            out += IntToStr(row[x]);
        }
    }
    return out + "\n";
}

} // namespace

TEST(vrGifWriter, OneWhitePixelBlocks) {
    TBitmap bitmap(1, 1);
    bitmap.Canvas()->Brush()->SetColor(clWhite);
    bitmap.Canvas()->FillRect(TRect(0, 0, 1, 1));
    const std::vector<Byte> b = GifBytes(bitmap);
    EXPECT_EQ(bitmap.PixelFormat(), pf8bit);
    ASSERT_GT(b.size(), 13u + 768 + 8 + 14 + 10 + 1 + 2);
    EXPECT_EQ(String(b.begin(), b.begin() + 6), "GIF89a");
    EXPECT_EQ((std::vector<Byte>(b.begin() + 6, b.begin() + 13)), (std::vector<Byte>{1, 0, 1, 0, 0xE7, 0, 0}));
    const size_t ext = 13 + 768;
    EXPECT_EQ((std::vector<Byte>(b.begin() + ext, b.begin() + ext + 8)),
              (std::vector<Byte>{0x21, 0xF9, 4, 0, 0, 0, 0, 0}));
    EXPECT_EQ((std::vector<Byte>(b.begin() + ext + 8, b.begin() + ext + 11)), (std::vector<Byte>{0x21, 0xFE, 10}));
    EXPECT_EQ(String(b.begin() + ext + 11, b.begin() + ext + 21), "ZezuDerevu");
    EXPECT_EQ(b[ext + 21], 0);
    EXPECT_EQ((std::vector<Byte>(b.begin() + ext + 22, b.begin() + ext + 33)),
              (std::vector<Byte>{0x2C, 0, 0, 0, 0, 1, 0, 1, 0, 0, 8}));
    // Clear (256), the white pixel's index, end (257) in 9 bits each: one sub-block of 4 bytes.
    const Byte white = bitmap.ScanLine(0)[0];
    const unsigned bits = 256u | (static_cast<unsigned>(white) << 9) | (257u << 18);
    EXPECT_EQ((std::vector<Byte>(b.begin() + ext + 33, b.end())),
              (std::vector<Byte>{4, static_cast<Byte>(bits), static_cast<Byte>(bits >> 8),
                                 static_cast<Byte>(bits >> 16), static_cast<Byte>(bits >> 24), 0, 0x3B}));
    const std::vector<TColor> palette = bitmap.Palette();
    const TColor c = palette.at(white);
    EXPECT_EQ((std::vector<Byte>(b.begin() + 13 + 3 * white, b.begin() + 16 + 3 * white)),
              (std::vector<Byte>{static_cast<Byte>(c), static_cast<Byte>(c >> 8), static_cast<Byte>(c >> 16)}));
}

TEST(vrGifWriter, NoiseForcesAClearAndReadsBack) {
    TBitmap bitmap(300, 300);
    std::mt19937 random(7);
    for (int y = 0; y < 300; ++y) {
        Byte* row = bitmap.ScanLine(y);
        for (int x = 0; x < 300 * 3; ++x) row[x] = static_cast<Byte>(random());
    }
    TempDir dir;
    const String file = dir.File("noise.gif");
    SaveBitmapAsGif(file, bitmap);
    const String data = TempDir::ReadAll(file);
    // Sub-blocks of 254 bytes after the code size byte.
    const size_t start = 13 + 768 + 8 + 14 + 10 + 1;
    ASSERT_GT(data.size(), start + 255);
    EXPECT_EQ(static_cast<Byte>(data[start]), 254);
    EXPECT_EQ(static_cast<Byte>(data[start + 255]), 254);
    EXPECT_EQ(PillowIndexes(file), BitmapIndexes(bitmap));
    String text;
    EXPECT_EQ(RunProgram("giftext -e " + file, &text), 0) << text;
    EXPECT_NE(text.find("GIF89 comment (Ext Code = 254"), String::npos) << text;
    EXPECT_NE(text.find("GIF file terminated normally"), String::npos) << text;
    // Decoding through giflib: 256 colours over 300 × 300 pixels of noise fill the code table.
    EXPECT_EQ(RunProgram("gif2rgb -1 -o " + dir.File("noise.rgb") + " " + file, &text), 0) << text;
    EXPECT_EQ(std::filesystem::file_size(dir.File("noise.rgb")), 300u * 300u * 3u);
}

TEST(vrGifWriter, SidesOverTheFormatsLimitAreRefused) {
    TBitmap bitmap(65536, 1);
    TMemoryStream stream;
    EXPECT_THROW(WriteGif(stream, bitmap), EInvalidGraphicOperation);
    EXPECT_EQ(stream.Size(), 0);
}

TEST(vrGifWriter, AFailedSaveKeepsTheOldFile) {
    TempDir dir;
    const String file = dir.File("p.gif");
    std::ofstream(file) << "old";
    TBitmap bitmap(1, 65536);
    EXPECT_THROW(SaveBitmapAsGif(file, bitmap), EInvalidGraphicOperation);
    EXPECT_EQ(TempDir::ReadAll(file), "old");
}

TEST(vrHTMLExport, GifPicturesOpenAtTheirStatedSize) {
    TExportReport made;
    made.BuildSample();
    made.Prepare();
    auto html = TvrCustomExportFilter::CreateNoRegister<TvrHTMLExport>();
    html->SetUseGif(true);
    TempDir dir;
    ASSERT_TRUE(ExportWithoutDialog(made.Report, *html, dir.File("s.html")));
    const String text = TempDir::ReadAll(dir.File("s.html"));
    const size_t p = text.find("<img src=\"s.files/img0.gif\" width=\"");
    ASSERT_NE(p, String::npos) << text;
    const String attrs = text.substr(p, text.find('>', p) - p);
    String out;
    ASSERT_EQ(RunProgram(SystemPython() + " -c \"from PIL import Image; im = Image.open('" + dir.File("s.files/img0.gif") +
                             "'); print(im.size[0], im.size[1])\"",
                         &out),
              0)
        << out;
    const auto space = out.find(' ');
    EXPECT_NE(attrs.find("width=\"" + out.substr(0, space) + "\" height=\"" + Trim(out.substr(space + 1)) + "\""),
              String::npos)
        << attrs << " / " << out;
}
