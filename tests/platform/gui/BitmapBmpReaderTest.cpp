// The BMP reader on damaged and hostile files: every offset, size and count is checked against the
// bytes present, bit fields only where the format has them, and sizes beyond the picture cap are
// refused before anything is allocated. A refused file raises "Bitmap image is not valid" and
// leaves the bitmap as it was.
#include "gui/Bitmap.h"
#include "rtl/Streams.h"

#include "PeakMemory.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace {

void Put16(std::vector<Byte>& b, UInt64 v) {
    b.push_back(static_cast<Byte>(v));
    b.push_back(static_cast<Byte>(v >> 8));
}
void Put32(std::vector<Byte>& b, UInt64 v) {
    for (int i = 0; i < 4; ++i)
        b.push_back(static_cast<Byte>(v >> (8 * i)));
}

struct TBmpFields {
    UInt64 FileSize = 0; // 0: the real size
    UInt64 OffBits = 0;
    UInt64 HeaderSize = 40;
    Int64 Width = 2, Height = 2;
    UInt64 Bits = 24, Compression = 0, ClrUsed = 0;
};

// A file header and an info header with the fields given, followed by `rest`.
std::vector<Byte> Bmp(const TBmpFields& f, const std::vector<Byte>& rest) {
    std::vector<Byte> info;
    Put32(info, f.HeaderSize);
    Put32(info, static_cast<UInt64>(f.Width));
    Put32(info, static_cast<UInt64>(f.Height));
    Put16(info, 1);
    Put16(info, f.Bits);
    Put32(info, f.Compression);
    Put32(info, 0);
    Put32(info, 3780);
    Put32(info, 3780);
    Put32(info, f.ClrUsed);
    Put32(info, 0);
    std::vector<Byte> out{'B', 'M'};
    Put32(out, f.FileSize ? f.FileSize : 14 + info.size() + rest.size());
    Put32(out, 0);
    Put32(out, f.OffBits);
    out.insert(out.end(), info.begin(), info.end());
    out.insert(out.end(), rest.begin(), rest.end());
    return out;
}


// Loads the bytes into a 3 × 1 bitmap; true when the reader refused them and the bitmap kept its size.
bool Refused(const std::vector<Byte>& file) {
    TBitmap bmp(3, 1, pf24bit);
    try {
        bmp.LoadFromBytes(file);
    } catch (const EInvalidGraphic& e) {
        return e.Message() == "Bitmap image is not valid" && bmp.Width() == 3 && bmp.Height() == 1;
    }
    return false;
}

} // namespace

TEST(BmpReader, DamagedFilesAreRefusedWithoutReadingPastTheirBytes) {
    struct Case {
        const char* name;
        std::vector<Byte> file;
    };
    TBmpFields wrap;
    wrap.HeaderSize = 0xFFFFFFF2; // 14 + size wraps to 0 in 32 bits
    TBmpFields noOffset;         // 8 bits, one colour entry, pixel offset 0: rows would follow 256 entries
    noOffset.Bits = 8;
    noOffset.ClrUsed = 1;
    TBmpFields farOffset = noOffset;
    farOffset.OffBits = 0x7FFFFFFF;
    TBmpFields fields24;
    fields24.Compression = 3; // bit fields on 24-bit pixels
    TBmpFields fields8 = fields24;
    fields8.Bits = 8;
    TBmpFields rle;
    rle.Bits = 8;
    rle.Compression = 1;
    rle.ClrUsed = 2;
    rle.OffBits = 0xFFFFFFF0;
    TBmpFields shortRows;
    const Case cases[] = {
        {"header size wraps", Bmp(wrap, std::vector<Byte>(16, 0))},
        {"pixel offset 0, palette short", Bmp(noOffset, {1, 2, 3, 0})},
        {"pixel offset beyond the file", Bmp(farOffset, {1, 2, 3, 0, 9})},
        {"bit fields on 24 bits", Bmp(fields24, std::vector<Byte>(12 + 16, 0xFF))},
        {"bit fields on 8 bits", Bmp(fields8, std::vector<Byte>(12 + 1024 + 8, 0xFF))},
        {"rows missing", Bmp(shortRows, std::vector<Byte>(10, 0))},
    };
    for (const Case& c : cases)
        EXPECT_TRUE(Refused(c.file)) << c.name;
    // An RLE file whose pixel offset lies beyond it reads its runs from after the colour entries.
    TBitmap bmp;
    bmp.LoadFromBytes(Bmp(rle, {0, 0, 0, 0, 255, 255, 255, 0, 2, 1}));
    EXPECT_EQ(bmp.Canvas()->Pixels(0, 1), clWhite);
    EXPECT_EQ(bmp.Canvas()->Pixels(0, 0), clBlack);
}

TEST(BmpReader, SizesBeyondThePictureCapAreRefusedBeforeAllocating) {
    // A 60-byte RLE file declaring 65535 × 65535.
    TBmpFields huge;
    huge.Width = huge.Height = 65535;
    huge.Bits = 8;
    huge.Compression = 1;
    huge.ClrUsed = 1;
    std::vector<Byte> file = Bmp(huge, {0, 0, 0, 0, 0, 1});
    EXPECT_EQ(file.size(), 60u);
    ResetPeakMemory();
    const long before = PeakMemoryKb();
    EXPECT_TRUE(Refused(file));
    // A stream whose header's size field says 4 GB is read only as far as it goes.
    std::vector<Byte> tiny{'B', 'M', 0xFF, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0, 26, 0, 0, 0};
    TMemoryStream stream;
    stream.WriteBuffer(tiny.data(), static_cast<Int64>(tiny.size()));
    stream.SetPosition(0);
    TBitmap bmp;
    EXPECT_THROW(bmp.LoadFromStream(stream), EInvalidGraphic);
    EXPECT_LT(PeakMemoryKb() - before, 32 * 1024);
}

TEST(BmpReader, BitFieldsOfSixteenAndThirtyTwoBitsStillRead) {
    TBmpFields f;
    f.Width = 1;
    f.Height = 1;
    f.Bits = 32;
    f.Compression = 3;
    // Masks red 0xFF, green 0xFF00, blue 0xFF0000 (swapped from the usual order), then one pixel.
    std::vector<Byte> rest;
    Put32(rest, 0xFF);
    Put32(rest, 0xFF00);
    Put32(rest, 0xFF0000);
    rest.insert(rest.end(), {10, 20, 30, 0});
    TBitmap bmp;
    bmp.LoadFromBytes(Bmp(f, rest));
    EXPECT_EQ(bmp.Canvas()->Pixels(0, 0), static_cast<TColor>(10 | (20 << 8) | (30 << 16)));
}
