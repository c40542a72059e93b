// The GIF picture's reading and writing rules, on small files built byte by byte.
#include "controls/KxGIF.h"
#include "rtl/Streams.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

namespace {

// Builds a GIF file block by block.
class GifBuilder {
public:
    explicit GifBuilder(const char* head = "GIF89a", Integer width = 2, Integer height = 2,
                        Integer globalBits = 1, Byte background = 0) {
        Bytes.assign(head, head + 6);
        Word(width);
        Word(height);
        if (globalBits > 0) {
            Bytes.push_back(static_cast<Byte>(0x80 | (globalBits - 1)));
            Bytes.push_back(background);
            Bytes.push_back(0);
            for (Integer i = 0; i < (1 << globalBits); ++i)
                Bytes.insert(Bytes.end(), {Byte(i * 10), Byte(i * 20), Byte(i * 30)});
        } else {
            Bytes.insert(Bytes.end(), {0, background, 0});
        }
    }
    GifBuilder& Word(Integer v) {
        Bytes.push_back(static_cast<Byte>(v & 0xFF));
        Bytes.push_back(static_cast<Byte>(v >> 8));
        return *this;
    }
    GifBuilder& Raw(std::initializer_list<Byte> b) {
        Bytes.insert(Bytes.end(), b);
        return *this;
    }
    GifBuilder& Comment(const std::string& text) {
        Raw({'!', 0xFE, static_cast<Byte>(text.size())});
        Bytes.insert(Bytes.end(), text.begin(), text.end());
        return Raw({0});
    }
    GifBuilder& Control(Byte flags, Integer delay, Byte index) {
        Raw({'!', 0xF9, 4, flags});
        Word(delay);
        return Raw({index, 0});
    }
    GifBuilder& Application(const std::string& id, std::initializer_list<Byte> block) {
        Raw({'!', 0xFF, static_cast<Byte>(id.size())});
        Bytes.insert(Bytes.end(), id.begin(), id.end());
        Bytes.push_back(static_cast<Byte>(block.size()));
        Bytes.insert(Bytes.end(), block);
        return Raw({0});
    }
    // An image of width × height pixels all of value `pixel` (code size 2 for 0 and 1, else 4).
    GifBuilder& Image(Integer width, Integer height, Byte flags = 0, Byte pixel = 1) {
        Raw({','});
        Word(0).Word(0).Word(width).Word(height);
        Bytes.push_back(flags);
        if (flags & 0x80)
            for (Integer i = 0; i < (2 << (flags & 7)); ++i)
                Bytes.insert(Bytes.end(), {Byte(200), Byte(i), Byte(0)});
        std::vector<Byte> data;
        const Integer w = width > 0 ? width : 2, h = height > 0 ? height : 2, bits = pixel > 1 ? 4 : 1;
        TLzwImageHeader header{w, h, bits};
        TDibBitmap one(w, h, bits);
        for (Integer y = 0; y < h; ++y)
            for (Integer x = 0; x < w; ++x)
                one.SetPixelIndex(x, y, pixel);
        EncodeLzwImage(data, header, false, nullptr, one.Bits().data());
        Bytes.insert(Bytes.end(), data.begin(), data.end());
        return *this;
    }
    GifBuilder& Trailer() { return Raw({';'}); }
    std::vector<Byte> Bytes;
};

std::unique_ptr<TGIFImage> Load(const std::vector<Byte>& bytes) {
    auto gif = std::make_unique<TGIFImage>();
    gif->LoadFromBytes(bytes);
    return gif;
}

std::string ErrorOf(const std::vector<Byte>& bytes) {
    try {
        TGIFImage gif;
        gif.LoadFromBytes(bytes);
    } catch (const Exception& e) {
        return e.Message();
    }
    return "";
}

// Sub-block sizes of the comment extensions of a file.
std::vector<Integer> FindBlockAfter(const std::vector<Byte>& file, std::initializer_list<Byte> marker) {
    std::vector<Byte> m(marker);
    for (std::size_t i = 0; i + m.size() < file.size(); ++i) {
        if (!std::equal(m.begin(), m.end(), file.begin() + i)) continue;
        std::vector<Integer> sizes;
        for (std::size_t p = i + m.size(); p < file.size() && file[p] != 0; p += file[p] + 1)
            sizes.push_back(file[p]);
        return sizes;
    }
    return {};
}

bool Contains(const std::vector<Byte>& file, const std::string& text) {
    return std::search(file.begin(), file.end(), text.begin(), text.end()) != file.end();
}

} // namespace

TEST(GifRead, SignatureAndVersionIgnoreCaseAndOthersAreRefused) {
    EXPECT_EQ(Load(GifBuilder("gif89A").Image(2, 2).Trailer().Bytes)->GifVersion, ver89a);
    EXPECT_EQ(Load(GifBuilder("GIF87a").Image(2, 2).Trailer().Bytes)->GifVersion, ver87a);
    EXPECT_EQ(ErrorOf(GifBuilder("GIF90a").Image(2, 2).Trailer().Bytes), "Unknown GIF version");
    EXPECT_EQ(ErrorOf(GifBuilder("PNG89a").Trailer().Bytes), "Unknown GIF version");
    EXPECT_EQ(ErrorOf({'G', 'I'}), "Unknown GIF version");
}

TEST(GifRead, BackgroundIndexOutsideTheTableLeavesNoBackdrop) {
    EXPECT_EQ(Load(GifBuilder("GIF89a", 2, 2, 2, 7).Image(2, 2).Trailer().Bytes)->BackdropColor, kxColorNone);
    EXPECT_EQ(Load(GifBuilder("GIF89a", 2, 2, 2, 1).Image(2, 2).Trailer().Bytes)->BackdropColor,
              KxRGB(10, 20, 30));
}

TEST(GifRead, ZeroBytesAreSkippedAndAMissingTrailerKeepsCompleteFrames) {
    GifBuilder b;
    b.Raw({0, 0}).Image(2, 2).Raw({0, 0, 0}).Image(2, 2);
    auto gif = Load(b.Bytes);
    EXPECT_EQ(gif->FrameCount(), 2);
    EXPECT_FALSE(gif->FrameAt(1)->DamagedData);
}

TEST(GifRead, LoopCountIsCappedAndNeedsTheExactIdentifier) {
    auto gif = Load(GifBuilder().Application("NETSCAPE2.0", {1, 0x50, 0xC3}).Image(2, 2).Trailer().Bytes);
    EXPECT_TRUE(gif->LoopAnimation);
    EXPECT_EQ(gif->LoopCount, 30000);
    EXPECT_TRUE(Load(GifBuilder().Application("ANIMEXTS1.0", {1, 4, 0}).Image(2, 2).Bytes)->LoopAnimation);
    // A shorter or longer identifier is another application block, skipped by its sizes.
    for (const char* id : {"NETSCAPE2.", "NETSCAPE2.0X", "XMP DataXMP"}) {
        auto other = Load(GifBuilder().Application(id, {1, 4, 0}).Image(2, 2).Trailer().Bytes);
        EXPECT_FALSE(other->LoopAnimation) << id;
        EXPECT_EQ(other->FrameCount(), 1) << id;
    }
    // An application block whose data holds introducer bytes is skipped by its sizes too.
    auto xmp =
        Load(GifBuilder().Application("XMP DataXMP", {',', '!', ';', 0xFF, 1}).Image(2, 2).Trailer().Bytes);
    EXPECT_EQ(xmp->FrameCount(), 1);
}

TEST(GifRead, CommentsBeforeTheTrailerBecomeRemarksAndFrameCommentsStay) {
    auto gif =
        Load(GifBuilder().Comment("on frame").Image(2, 2).Comment("one").Comment("two").Trailer().Bytes);
    ASSERT_NE(gif->FrameAt(0)->CommentList(false), nullptr);
    EXPECT_EQ(gif->FrameAt(0)->CommentList(false)->at(0), "on frame");
    EXPECT_EQ(gif->GifData->Remarks, (std::vector<String>{"one", "\r\n\r\n", "two"}));
}

TEST(GifRead, UnknownExtensionLabelIsReportedInHex) {
    EXPECT_EQ(ErrorOf(GifBuilder().Raw({'!', 0x2C, 0}).Image(2, 2).Bytes),
              "Unrecognized extension block: 2C");
    EXPECT_EQ(ErrorOf(GifBuilder().Raw({'!', 0x0a, 0}).Bytes), "Unrecognized extension block: 0A");
}

TEST(GifRead, StrayBytesAfterARemarkAreAStreamReadError) {
    EXPECT_EQ(ErrorOf(GifBuilder().Image(2, 2).Comment("x").Raw({'#', 1}).Bytes), "Stream read error");
    // After a frame a stray byte simply ends the file.
    EXPECT_EQ(Load(GifBuilder().Image(2, 2).Raw({'#', ','}).Bytes)->FrameCount(), 1);
}

TEST(GifRead, ControlExtensionGivesDelayTransparencyAndDisposal) {
    auto gif = Load(GifBuilder().Control(0x09, 7, 1).Image(2, 2).Trailer().Bytes);
    TGIFFrame& frame = *gif->FrameAt(0);
    EXPECT_EQ(frame.DelayMs, 70);
    EXPECT_EQ(frame.KeyColor, KxRGB(10, 20, 30));
    EXPECT_EQ(frame.DisposalCode, 2);
    // Delays keep their full range: 65535 hundredths are 655350 ms.
    EXPECT_EQ(Load(GifBuilder().Control(0, 65535, 0).Image(2, 2).Bytes)->FrameAt(0)->DelayMs, 655350);
}

TEST(GifRead, ZeroSizedDescriptorTakesTheLogicalScreen) {
    auto gif = Load(GifBuilder("GIF89a", 3, 2).Image(0, 0).Trailer().Bytes);
    EXPECT_EQ(gif->FrameAt(0)->Item().Width, 3);
    EXPECT_EQ(gif->FrameAt(0)->Item().Height, 2);
    EXPECT_EQ(gif->GetWidth(), 3);
}

TEST(GifRead, FrameWithoutAnyColourTableUsesADefaultPaletteOfTheCodeSize) {
    auto gif = Load(GifBuilder("GIF89a", 2, 2, 0).Image(2, 2, 0, 3).Trailer().Bytes);
    TGIFFrame& frame = *gif->FrameAt(0);
    EXPECT_EQ(frame.Item().FramePalette.Count, 16); // code size 4
    const TDibBitmap& bmp = frame.FrameBitmap();
    EXPECT_EQ(bmp.PixelIndex(1, 1), 3);
    EXPECT_EQ(bmp.Pixel(1, 1), KxRGB(51, 51, 51));
    EXPECT_FALSE(frame.DamagedData);
}

TEST(GifRead, TruncatedFrameKeepsItsDecodedRowsAndIsMarkedDamaged) {
    TDibBitmap source(64, 64, 8);
    for (Integer y = 0; y < 64; ++y)
        for (Integer x = 0; x < 64; ++x)
            source.SetPixelIndex(x, y, (x * 7 + y * 13) & 0xFF);
    TGIFImage gif;
    gif.Assign(source);
    std::vector<Byte> file = gif.SaveToBytes();
    file.resize(file.size() * 3 / 4);
    auto back = Load(file);
    ASSERT_EQ(back->FrameCount(), 1);
    TGIFFrame& frame = *back->FrameAt(0);
    EXPECT_TRUE(frame.DamagedData);
    const TDibBitmap& bmp = frame.FrameBitmap();
    for (Integer y = 0; y < 16; ++y)
        for (Integer x = 0; x < 64; ++x)
            ASSERT_EQ(bmp.PixelIndex(x, y), source.PixelIndex(x, y));
}

TEST(GifRead, ImagesBeyondTheSizeCapRaiseAClearError) {
    GifBuilder b("GIF89a", 0xFFFF, 0xFFFF);
    b.Raw({','}).Word(0).Word(0).Word(0xFFFF).Word(0xFFFF).Raw({0, 2, 2, 0x4C, 0x01, 0, ';'});
    try {
        Load(b.Bytes);
        FAIL() << "no error";
    } catch (const EKxInvalidGraphic& e) {
        EXPECT_EQ(e.Message(), "Image too large to hold in memory");
    }
}

TEST(GifDecode, BitCountsAndPaletteOfTheDecodedBitmap) {
    auto two = Load(GifBuilder("GIF89a", 2, 2, 1).Image(2, 2).Trailer().Bytes);
    const TDibBitmap& one = two->FrameAt(0)->FrameBitmap();
    EXPECT_EQ(one.BitCount(), 1);
    EXPECT_EQ(one.Colors.size(), 2u);
    auto eight = Load(GifBuilder("GIF89a", 2, 2, 3).Image(2, 2).Trailer().Bytes);
    const TDibBitmap& four = eight->FrameAt(0)->FrameBitmap();
    EXPECT_EQ(four.BitCount(), 4);
    ASSERT_EQ(four.Colors.size(), 16u);
    EXPECT_EQ(four.Colors[7], TDibColor::FromRGB(70, 140, 210));
    EXPECT_EQ(four.Colors[8], (TDibColor{128, 128, 128, 128}));
    EXPECT_EQ(four.Colors[15], (TDibColor{128, 128, 128, 128}));
}

TEST(GifWrite, DelaysAreWrittenInHundredthsAndKeepTheirRange) {
    auto gif = Load(GifBuilder().Control(0, 7, 0).Image(2, 2).Trailer().Bytes);
    std::vector<Byte> file = gif->SaveToBytes();
    EXPECT_EQ(Load(file)->FrameAt(0)->DelayMs, 70);
    gif->FrameAt(0)->DelayMs = 75;
    EXPECT_EQ(Load(gif->SaveToBytes())->FrameAt(0)->DelayMs, 70);
    gif->FrameAt(0)->DelayMs = 300000;
    EXPECT_EQ(Load(gif->SaveToBytes())->FrameAt(0)->DelayMs, 300000);
}

TEST(GifWrite, SingleFrameWritesNoLoopExtension) {
    auto gif = Load(GifBuilder().Image(2, 2).Trailer().Bytes);
    gif->LoopAnimation = true;
    EXPECT_FALSE(Contains(gif->SaveToBytes(), "NETSCAPE2.0"));
    gif->AddFrame(gif->FrameAt(0)->FrameBitmap());
    const std::vector<Byte> file = gif->SaveToBytes();
    EXPECT_TRUE(Contains(file, "NETSCAPE2.0"));
    EXPECT_TRUE(Contains(file, "GIF89a"));
}

TEST(GifWrite, LongCommentsAreWrittenAsSeveralSubBlocks) {
    auto gif = Load(GifBuilder().Image(2, 2).Trailer().Bytes);
    gif->GifData->Remarks = {String(300, 'c'), "", "end"};
    const std::vector<Byte> file = gif->SaveToBytes();
    EXPECT_EQ(FindBlockAfter(file, {'!', 0xFE}), (std::vector<Integer>{255, 45, 3}));
}

TEST(GifWrite, TransparentIndexStaysWhereTheFileHadIt) {
    // Entries 0 and 1 of a 4-entry local table have the same colour; index 1 is transparent.
    GifBuilder b("GIF89a", 2, 2, 0);
    b.Control(1, 0, 1).Raw({','}).Word(0).Word(0).Word(2).Word(2).Raw(
        {0x81, 5, 5, 5, 5, 5, 5, 9, 9, 9, 8, 8, 8});
    std::vector<Byte> data;
    TDibBitmap px(2, 2, 1);
    px.SetPixelIndex(0, 0, 1);
    EncodeLzwImage(data, TLzwImageHeader{2, 2, 1}, false, nullptr, px.Bits().data());
    b.Bytes.insert(b.Bytes.end(), data.begin(), data.end());
    b.Trailer();
    auto gif = Load(b.Bytes);
    auto back = Load(gif->SaveToBytes());
    EXPECT_EQ(back->FrameAt(0)->TransparentIndex, 1);
}

TEST(GifWrite, WritingAnEmptyImageRaises) {
    TGIFImage gif;
    try {
        gif.SaveToBytes();
        FAIL();
    } catch (const EGIFImageError& e) {
        EXPECT_EQ(e.Message(), "No GIF Data to write");
    }
    EXPECT_THROW(gif.SetWidth(3), EGIFImageError);
}

TEST(GifBitmaps, TrueColourBitmapsAreReducedAndShareOrOwnPalettes) {
    TDibBitmap rgb(10, 6, 24);
    for (Integer y = 0; y < 6; ++y)
        for (Integer x = 0; x < 10; ++x)
            rgb.SetPixel(x, y, KxRGB(Byte(x * 20), Byte(y * 40), 7));
    TGIFImage gif;
    gif.Assign(rgb);
    const std::vector<Byte> file = gif.SaveToBytes();
    EXPECT_FALSE(gif.FrameAt(0)->OwnPalette);
    EXPECT_EQ(gif.GifData->GlobalPalette.Count, 256);
    auto back = Load(file);
    for (Integer y = 0; y < 6; ++y)
        for (Integer x = 0; x < 10; ++x)
            ASSERT_EQ(back->FrameAt(0)->FrameBitmap().Pixel(x, y), rgb.Pixel(x, y));
    gif.AddFrame(rgb);
    gif.SaveToBytes();
    EXPECT_TRUE(gif.FrameAt(1)->OwnPalette);
}

TEST(GifBitmaps, EmptyImageSizesAndCurrentBitmap) {
    TGIFImage gif;
    EXPECT_EQ(gif.GetWidth(), 0);
    EXPECT_TRUE(gif.GetEmpty());
    EXPECT_TRUE(gif.CurrentBitmap().Empty());
    EXPECT_EQ(gif.FrameCount(), 1);
}

TEST(GifBitmaps, AssignmentSharesDataAndCopiesFrames) {
    auto gif = Load(GifBuilder().Control(0x01, 3, 1).Image(2, 2).Trailer().Bytes);
    gif->LoopCount = 9;
    TGIFImage copy;
    copy.Assign(*gif);
    EXPECT_TRUE(copy.Equals(*gif));
    EXPECT_EQ(copy.LoopCount, 9);
    ASSERT_EQ(copy.FrameCount(), 1);
    EXPECT_EQ(copy.FrameAt(0)->SharedItem(), gif->FrameAt(0)->SharedItem());
    EXPECT_EQ(copy.FrameAt(0)->KeyColor, gif->FrameAt(0)->KeyColor);
    EXPECT_EQ(copy.SaveToBytes(), gif->SaveToBytes());
    TGIFImage single;
    single.Assign(*gif->FrameAt(0));
    EXPECT_EQ(single.FrameCount(), 1);
    EXPECT_EQ(single.GifData->GlobalPalette.Count, 2);
    EXPECT_TRUE(gif->GetTransparent());
}

TEST(GifStreams, StreamFormsAndTheSizePrefix) {
    TGIFImage gif;
    gif.LoadFromBytes(GifBuilder().Comment("c").Image(2, 2).Trailer().Bytes);
    TMemoryStream stream;
    gif.WriteData(stream);
    const std::vector<Byte> plain = gif.SaveToBytes();
    ASSERT_EQ(stream.Size(), static_cast<Int64>(plain.size()) + 4);
    EXPECT_EQ(stream.Bytes()[0], plain.size() & 0xFF);
    stream.SetPosition(0);
    TGIFImage back;
    back.ReadData(stream);
    EXPECT_EQ(back.FrameCount(), 1);
    TMemoryStream file;
    gif.SaveToStream(file);
    file.SetPosition(0);
    TGIFImage again;
    again.LoadFromStream(file);
    EXPECT_EQ(again.SaveToBytes(), plain);
    // A byte count beyond the stream is the stream read error.
    TMemoryStream shortStream;
    const Byte prefix[4] = {100, 0, 0, 0};
    shortStream.WriteBuffer(prefix, 4);
    shortStream.WriteBuffer(plain.data(), 10);
    shortStream.SetPosition(0);
    EXPECT_THROW(back.ReadData(shortStream), EReadError);
}

namespace {
// A memory stream that remembers the largest read asked of it.
class TReadWatchStream : public TMemoryStream {
public:
    Int64 Read(void* buffer, Int64 count) override {
        Largest = std::max(Largest, count);
        return TMemoryStream::Read(buffer, count);
    }
    Int64 Largest = 0;
};
} // namespace

TEST(GifStreams, ADamagedSizePrefixIsRefusedBeforeAnythingOfItsSizeIsRead) {
    TReadWatchStream stream;
    const Byte prefix[4] = {0xF0, 0xFF, 0xFF, 0xFF}; // claims almost 4 GB
    stream.WriteBuffer(prefix, 4);
    stream.WriteBuffer("GIF89a", 6);
    stream.SetPosition(0);
    TGIFImage gif;
    try {
        gif.ReadData(stream);
        FAIL();
    } catch (const EReadError& e) {
        EXPECT_EQ(e.Message(), "Stream read error");
    }
    EXPECT_LE(stream.Largest, 4);
    EXPECT_EQ(gif.FrameCount(), 0);
}

TEST(GifDraw, ActiveFrameStretchesAndLeavesTheKeyColourOut) {
    TDibBitmap bmp(2, 1, 8);
    bmp.Colors[0] = TDibColor::FromRGB(255, 255, 255);
    bmp.Colors[1] = TDibColor::FromRGB(10, 20, 30);
    bmp.SetPixelIndex(1, 0, 1);
    TGIFImage gif;
    gif.Assign(bmp);
    TDibBitmap surface(4, 2, 24);
    gif.DrawOnto(surface, 0, 0, 4, 2);
    EXPECT_EQ(surface.Pixel(1, 1), KxRGB(255, 255, 255));
    EXPECT_EQ(surface.Pixel(3, 1), KxRGB(10, 20, 30));
    gif.FrameAt(0)->KeyColor = KxRGB(255, 255, 255);
    TDibBitmap under(4, 2, 24);
    under.SetPixel(0, 0, KxRGB(1, 2, 3));
    gif.DrawOnto(under, 0, 0, 4, 2);
    EXPECT_EQ(under.Pixel(0, 0), KxRGB(1, 2, 3));
    EXPECT_EQ(under.Pixel(2, 0), KxRGB(10, 20, 30));
}
