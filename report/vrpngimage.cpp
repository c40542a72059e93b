// The PNG picture: chunk classes, the decoded image and reading.
#include "report/vrpngimage.h"
#include "report/vrpngimageRows.h"
#include "rtl/Format.h"

#include <zlib.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <functional>

const char* const PngTooLargeText =
    "This \"Portable Network Graphics\" image is too large to be held in memory.";

namespace {

// The most bytes deflate can give for one byte of compressed data.
constexpr UInt64 PngMaxInflateRatio = 1032;

// The most memory the decoded planes of a picture read from a file may take. A file of well under
// a megabyte can deflate to a gigabyte, so the picture cap alone lets a small hostile file take
// half a gigabyte and seconds of inflating; this keeps loading, drawing and saving any file within
// about 300 MB, while photographs of 60 megapixels and more (RGB, 8 bits) still load.
constexpr Int64 PngMaxReadPlaneBytes = Int64(1) << 28;

constexpr Byte PngSignature[8] = {0x89, 0x50, 0x4E, 0x47, 0x0D, 0x0A, 0x1A, 0x0A};

Cardinal BigEndian32(const Byte* p) {
    return (Cardinal(p[0]) << 24) | (Cardinal(p[1]) << 16) | (Cardinal(p[2]) << 8) | p[3];
}

Cardinal ChunkCrc(const String& type, const Byte* data, std::size_t size) {
    uLong crc = crc32(0L, Z_NULL, 0);
    crc = crc32(crc, reinterpret_cast<const Bytef*>(type.data()), 4);
    if (size > 0) crc = crc32(crc, data, static_cast<uInt>(size));
    return static_cast<Cardinal>(crc);
}

// The chunk classes in their registration order.
using TChunkFactory = std::function<std::unique_ptr<TChunk>(TPNGObject*)>;
const std::vector<std::pair<String, TChunkFactory>>& ChunkClasses() {
    static const std::vector<std::pair<String, TChunkFactory>> classes = {
        {"IEND", [](TPNGObject* o) { return std::make_unique<TChunkIEND>(o); }},
        {"IHDR", [](TPNGObject* o) { return std::make_unique<TChunkIHDR>(o); }},
        {"IDAT", [](TPNGObject* o) { return std::make_unique<TChunkIDAT>(o); }},
        {"PLTE", [](TPNGObject* o) { return std::make_unique<TChunkPLTE>(o); }},
        {"gAMA", [](TPNGObject* o) { return std::make_unique<TChunkgAMA>(o); }},
        {"tRNS", [](TPNGObject* o) { return std::make_unique<TChunktRNS>(o); }},
        {"pHYs", [](TPNGObject* o) { return std::make_unique<TChunkpHYs>(o); }},
        {"tIME", [](TPNGObject* o) { return std::make_unique<TChunktIME>(o); }},
        {"tEXt", [](TPNGObject* o) { return std::make_unique<TChunktEXt>(o); }},
        {"zTXt", [](TPNGObject* o) { return std::make_unique<TChunkzTXt>(o); }},
    };
    return classes;
}

// Grey ramp of n entries through the gamma table.
void GreyRamp(TPngBitmap& image, Integer n, const std::array<Byte, 256>& gamma) {
    image.Palette.resize(n);
    for (Integer i = 0; i < n; ++i) {
        const Byte v = gamma[n > 1 ? (i * 255 + (n - 1) / 2) / (n - 1) : 0];
        image.Palette[i] = TPngRGB{v, v, v};
    }
}

String ZlibStatusText(int status) {
    switch (status) {
    case Z_NEED_DICT:
        return "need dictionary (2)";
    case Z_STREAM_END:
        return "stream end (1)";
    case Z_OK:
        return "(0)";
    case Z_ERRNO:
        return "file error (-1)";
    case Z_STREAM_ERROR:
        return "stream error (-2)";
    case Z_DATA_ERROR:
        return "data error (-3)";
    case Z_MEM_ERROR:
        return "insufficient memory (-4)";
    case Z_BUF_ERROR:
        return "buffer error (-5)";
    case Z_VERSION_ERROR:
        return "incompatible version (-6)";
    default:
        return "(" + IntToStr(status) + ")";
    }
}

} // namespace

[[noreturn]] void RaiseZlibError(int status) {
    throw EPNGZLIBError("Could not decompress the image because it contains invalid compressed data.\r\n "
                        "Description: " +
                        ZlibStatusText(status));
}

// ---- Reader ----

// Bounded reads over the bytes of a PNG file.
class TPngReader {
public:
    TPngReader(const Byte* data, std::size_t size) : FData(data), FSize(size) {}
    std::size_t Remaining() const { return FSize - FPos; }
    // Exactly n bytes, or EPngUnexpectedEnd.
    const Byte* Take(UInt64 n) {
        if (n > Remaining()) throw EPngUnexpectedEnd();
        const Byte* p = FData + FPos;
        FPos += static_cast<std::size_t>(n);
        return p;
    }
    Cardinal Take32() { return BigEndian32(Take(4)); }
    // Chunk data and CRC, checked.
    std::vector<Byte> TakeChunkData(const String& type, UInt64 length) {
        const Byte* data = Take(length);
        const Cardinal crc = Take32();
        if (crc != ChunkCrc(type, data, static_cast<std::size_t>(length))) throw EPngInvalidCRC();
        return std::vector<Byte>(data, data + length);
    }
    // The data bytes of the IDAT chunks that follow one after another `skip` bytes after the position,
    // as far as the file holds them (nothing is consumed).
    UInt64 FollowingIdatBytes(UInt64 skip) const {
        UInt64 total = 0;
        if (skip > Remaining()) return 0;
        for (std::size_t at = FPos + static_cast<std::size_t>(skip); FSize - at >= 8;) {
            if (std::memcmp(FData + at + 4, "IDAT", 4) != 0) break;
            const UInt64 n = std::min<UInt64>(BigEndian32(FData + at), FSize - at - 8);
            total += n;
            at += 8 + static_cast<std::size_t>(n);
            if (FSize - at < 4) break;
            at += 4;
        }
        return total;
    }
    String TakeType() {
        const Byte* p = Take(4);
        return String(reinterpret_cast<const char*>(p), 4);
    }

private:
    const Byte* FData;
    std::size_t FSize;
    std::size_t FPos = 0;
};

// ---- Decoded image ----

void TPngBitmap::Allocate(Integer width, Integer height, Integer bitsPerPixel, bool alpha, bool sixteenBit) {
    const Int64 stride = ((Int64(bitsPerPixel) * width + 31) / 32) * 4;
    if (width < 0 || height < 0 || Int64(width) * height > MaxPicturePixels ||
        (height > 0 && stride > MaxPictureBytes / height))
        throw EPNGSizeExceeds(PngTooLargeText);
    // Every plane the image will hold counts against the cap, not only the colour rows.
    const Int64 pixels = Int64(width) * height;
    const Int64 rows = stride * height;
    const Int64 total = rows * (sixteenBit ? 2 : 1) + (alpha ? pixels * (sixteenBit ? 2 : 1) : 0);
    if (total > MaxPictureBytes) throw EPNGOutMemory();
    Width = width;
    Height = height;
    BitsPerPixel = bitsPerPixel;
    BytesPerRow = stride;
    Palette.clear();
    ResizeZeroed(Bits, static_cast<std::size_t>(rows));
    ResizeZeroed(Alpha, alpha ? static_cast<std::size_t>(pixels) : 0);
    ResizeZeroed(LowBytes, sixteenBit ? static_cast<std::size_t>(rows) : 0);
    ResizeZeroed(AlphaLow, alpha && sixteenBit ? static_cast<std::size_t>(pixels) : 0);
}

Integer TPngBitmap::PixelIndex(Integer x, Integer y) const {
    if (x < 0 || y < 0 || x >= Width || y >= Height) return 0;
    const Byte* row = Row(y);
    switch (BitsPerPixel) {
    case 1:
        return (row[x >> 3] >> (7 - (x & 7))) & 1;
    case 4:
        return (x & 1) ? (row[x >> 1] & 15) : (row[x >> 1] >> 4);
    case 8:
        return row[x];
    default:
        return 0;
    }
}

void TPngBitmap::SetPixelIndex(Integer x, Integer y, Integer index) {
    if (x < 0 || y < 0 || x >= Width || y >= Height) return;
    Byte* row = Row(y);
    switch (BitsPerPixel) {
    case 1: {
        const Byte bit = static_cast<Byte>(0x80 >> (x & 7));
        row[x >> 3] = static_cast<Byte>((index & 1) ? (row[x >> 3] | bit) : (row[x >> 3] & ~bit));
        break;
    }
    case 4:
        row[x >> 1] = (x & 1) ? static_cast<Byte>((row[x >> 1] & 0xF0) | (index & 15))
                              : static_cast<Byte>((row[x >> 1] & 0x0F) | ((index & 15) << 4));
        break;
    case 8:
        row[x] = static_cast<Byte>(index);
        break;
    default:
        break;
    }
}

// ---- Chunk list ----

TChunk* TPNGList::Add(std::unique_ptr<TChunk> chunk) {
    FItems.push_back(std::move(chunk));
    return FItems.back().get();
}

void TPNGList::Remove(TChunk* chunk) {
    FItems.erase(std::remove_if(FItems.begin(), FItems.end(), [&](auto& c) { return c.get() == chunk; }),
                 FItems.end());
}

void TPNGList::Insert(Integer index, std::unique_ptr<TChunk> chunk) {
    index = std::clamp(index, 0, Count());
    FItems.insert(FItems.begin() + index, std::move(chunk));
}

// ---- Chunks ----

TChunk::TChunk(TPNGObject* owner) : FOwner(owner) {}

void TChunk::AssignChunk(const TChunk& source) {
    Name = source.Name;
    Data = source.Data;
}

bool TChunk::LoadChunk(TPngReader& in, const String& type, UInt64 length) {
    Name = type;
    Data = in.TakeChunkData(type, length);
    return true;
}

void TChunk::WriteRaw(std::vector<Byte>& out) const {
    const UInt64 size = Data.size();
    for (int i = 3; i >= 0; --i)
        out.push_back(static_cast<Byte>((size >> (8 * i)) & 0xFF));
    String type = Name.size() == 4 ? Name : ChunkName();
    type.resize(4, ' ');
    out.insert(out.end(), type.begin(), type.end());
    out.insert(out.end(), Data.begin(), Data.end());
    const Cardinal crc = ChunkCrc(type, Data.data(), Data.size());
    for (int i = 3; i >= 0; --i)
        out.push_back(static_cast<Byte>((crc >> (8 * i)) & 0xFF));
}

bool TChunk::SaveChunk(std::vector<Byte>& out) {
    WriteRaw(out);
    return true;
}

// IHDR

void TChunkIHDR::PrepareImageData() {
    Integer bpp;
    switch (ColorType) {
    case 0:
    case 3:
        bpp = BitDepth == 2 ? 4 : (BitDepth == 16 ? 8 : BitDepth);
        break;
    case 4:
        bpp = 8;
        break;
    default:
        bpp = 24;
        break;
    }
    Image.Allocate(static_cast<Integer>(Width), static_cast<Integer>(Height), bpp,
                   ColorType == 4 || ColorType == 6, BitDepth == 16);
    const auto& gamma = FOwner->GammaTable;
    if (ColorType == 0) GreyRamp(Image, 1 << bpp, gamma);
    if (ColorType == 4) GreyRamp(Image, 256, gamma);
    if (ColorType == 3) Image.Palette.assign(std::size_t(1) << bpp, TPngRGB{});
}

void TChunkIHDR::AssignChunk(const TChunk& source) {
    auto* src = dynamic_cast<const TChunkIHDR*>(&source);
    if (!src) throw EPngError("The chunks must be compatible to be assigned.");
    TChunk::AssignChunk(source);
    Width = src->Width;
    Height = src->Height;
    BitDepth = src->BitDepth;
    ColorType = src->ColorType;
    CompressionMethod = src->CompressionMethod;
    FilterMethod = src->FilterMethod;
    InterlaceMethod = src->InterlaceMethod;
    Image = src->Image;
}

bool TChunkIHDR::LoadChunk(TPngReader& in, const String& type, UInt64 length) {
    TChunk::LoadChunk(in, type, length);
    if (Data.size() < 13) throw EPngInvalidIHDR();
    Width = BigEndian32(Data.data());
    Height = BigEndian32(Data.data() + 4);
    BitDepth = Data[8];
    ColorType = Data[9];
    CompressionMethod = Data[10];
    FilterMethod = Data[11];
    InterlaceMethod = Data[12];
    if (Width > 65535 || Height > 65535) throw EPNGSizeExceeds();
    if (Width == 0 || Height == 0) throw EPngInvalidIHDR();
    if (CompressionMethod != 0) throw EPNGUnknownCompression();
    if (InterlaceMethod != 0 && InterlaceMethod != 1) throw EPNGUnknownInterlace();
    // Colour type and bit depth as the PNG table allows them.
    bool valid;
    switch (ColorType) {
    case 0:
        valid = BitDepth == 1 || BitDepth == 2 || BitDepth == 4 || BitDepth == 8 || BitDepth == 16;
        break;
    case 3:
        valid = BitDepth == 1 || BitDepth == 2 || BitDepth == 4 || BitDepth == 8;
        break;
    case 2:
    case 4:
    case 6:
        valid = BitDepth == 8 || BitDepth == 16;
        break;
    default:
        valid = false;
        break;
    }
    if (!valid) throw EPngInvalidIHDR();
    FOwner->InterlaceMode = InterlaceMethod;
    PrepareImageData();
    return true;
}

// PLTE

void TChunkPLTE::AssignChunk(const TChunk& source) {
    auto* src = dynamic_cast<const TChunkPLTE*>(&source);
    if (!src) throw EPngError("The chunks must be compatible to be assigned.");
    TChunk::AssignChunk(source);
    Count = src->Count;
}

bool TChunkPLTE::LoadChunk(TPngReader& in, const String& type, UInt64 length) {
    TChunk::LoadChunk(in, type, length);
    if (Data.size() % 3 != 0 || Data.size() > 768) throw EPNGInvalidPalette();
    Count = static_cast<Integer>(Data.size() / 3);
    TChunkIHDR& header = FOwner->Header();
    if (header.ColorType != 3) return true; // a suggested palette only
    const auto& gamma = FOwner->GammaTable;
    std::vector<TPngRGB>& palette = header.Image.Palette;
    palette.assign(std::max<std::size_t>(palette.size(), static_cast<std::size_t>(Count)), TPngRGB{});
    for (Integer i = 0; i < Count; ++i)
        palette[i] = TPngRGB{gamma[Data[3 * i]], gamma[Data[3 * i + 1]], gamma[Data[3 * i + 2]]};
    return true;
}

// tRNS

void TChunktRNS::AssignChunk(const TChunk& source) {
    TChunk::AssignChunk(source);
    if (auto* src = dynamic_cast<const TChunktRNS*>(&source)) {
        PaletteValues = src->PaletteValues;
        BitTransparency = src->BitTransparency;
    }
}

bool TChunktRNS::LoadChunk(TPngReader& in, const String& type, UInt64 length) {
    TChunk::LoadChunk(in, type, length);
    if (Data.size() > 256) throw EPNGInvalidPalette();
    const Byte colorType = FOwner->Header().ColorType;
    // The stored sample must be complete: 2 bytes of grey, 6 of red, green and blue.
    if ((colorType == 0 && Data.size() != 2) || (colorType == 2 && Data.size() != 6))
        throw EPNGInvalidPalette();
    PaletteValues.fill(255);
    std::copy(Data.begin(), Data.end(), PaletteValues.begin());
    OutOfRange = false;
    if (colorType == 0 || colorType == 2) {
        BitTransparency = true;
        const Cardinal largest = (Cardinal(1) << FOwner->Header().BitDepth) - 1;
        for (std::size_t at = 0; at + 1 < Data.size(); at += 2)
            if (((Cardinal(Data[at]) << 8) | Data[at + 1]) > largest) OutOfRange = true;
    } else if (colorType == 3) {
        BitTransparency = std::count_if(Data.begin(), Data.end(), [](Byte b) { return b != 255; }) == 1;
    } else {
        BitTransparency = false;
    }
    return true;
}

bool TChunktRNS::MatchesWideSample(Integer x, Integer y) const {
    const TChunkIHDR& header = FOwner->Header();
    const TPngBitmap& image = header.Image;
    if (header.BitDepth != 16 || image.LowBytes.empty() || x < 0 || y < 0 || x >= image.Width ||
        y >= image.Height)
        return false;
    const Int64 line = static_cast<Int64>(image.Height - 1 - y) * image.BytesPerRow;
    if (header.ColorType == 0)
        return Data.size() == 2 && image.Bits[line + x] == Data[0] && image.LowBytes[line + x] == Data[1];
    if (header.ColorType != 2 || Data.size() != 6) return false;
    // The bitmap holds blue, green, red with the gamma applied; the file's samples are red first.
    const auto& inverse = FOwner->InverseGamma;
    const Byte* hi = image.Bits.data() + line + 3 * Int64(x);
    const Byte* lo = image.LowBytes.data() + line + 3 * Int64(x);
    return inverse[hi[2]] == Data[0] && lo[2] == Data[1] && inverse[hi[1]] == Data[2] && lo[1] == Data[3] &&
           inverse[hi[0]] == Data[4] && lo[0] == Data[5];
}

TPngColor TChunktRNS::TransparentColor() const {
    const TChunkIHDR& header = FOwner->Header();
    // The displayed sample is the stored value for depths up to 8 and its high byte for 16.
    auto sample = [&](std::size_t at) -> Byte {
        if (at + 1 >= Data.size()) return 0;
        return header.BitDepth == 16 ? Data[at] : Data[at + 1];
    };
    switch (header.ColorType) {
    case 0: {
        Integer v = sample(0);
        if (header.BitDepth < 8) {
            const Integer bpp = header.Image.BitsPerPixel;
            v = header.BitDepth == 2 ? v * 5 : v;
            v = std::min(v, (1 << bpp) - 1);
        }
        const TPngRGB c =
            v < static_cast<Integer>(header.Image.Palette.size()) ? header.Image.Palette[v] : TPngRGB{};
        return PngRGB(c.Red, c.Green, c.Blue);
    }
    case 2: {
        const auto& gamma = FOwner->GammaTable;
        return PngRGB(gamma[sample(0)], gamma[sample(2)], gamma[sample(4)]);
    }
    case 3:
        for (std::size_t i = 0; i < Data.size() && i < header.Image.Palette.size(); ++i)
            if (PaletteValues[i] == 0) {
                const TPngRGB c = header.Image.Palette[i];
                return PngRGB(c.Red, c.Green, c.Blue);
            }
        return 0;
    default:
        return 0;
    }
}

// gAMA, pHYs, tIME, tEXt, zTXt

void TChunkgAMA::AssignChunk(const TChunk& source) {
    auto* src = dynamic_cast<const TChunkgAMA*>(&source);
    if (!src) throw EPngError("The chunks must be compatible to be assigned.");
    TChunk::AssignChunk(source);
    Gamma = src->Gamma;
}

bool TChunkgAMA::LoadChunk(TPngReader& in, const String& type, UInt64 length) {
    TChunk::LoadChunk(in, type, length);
    if (Data.size() < 4) return true;
    Gamma = BigEndian32(Data.data());
    if (Gamma == 0) return true;
    auto& gamma = FOwner->GammaTable;
    auto& inverse = FOwner->InverseGamma;
    const double exponent = 1.0 / (2.2 * Gamma / 100000.0);
    for (Integer i = 0; i < 256; ++i) {
        const double v = i == 0 ? 0.0 : std::nearbyint(255.0 * std::pow(i / 255.0, exponent));
        gamma[i] = static_cast<Byte>(std::clamp(v, 0.0, 255.0));
        inverse[gamma[i]] = static_cast<Byte>(i);
    }
    return true;
}

void TChunkpHYs::AssignChunk(const TChunk& source) {
    TChunk::AssignChunk(source);
    if (auto* src = dynamic_cast<const TChunkpHYs*>(&source)) {
        PPUnitX = src->PPUnitX;
        PPUnitY = src->PPUnitY;
        UnitType = src->UnitType;
    }
}

bool TChunkpHYs::LoadChunk(TPngReader& in, const String& type, UInt64 length) {
    TChunk::LoadChunk(in, type, length);
    if (Data.size() == 9) {
        PPUnitX = BigEndian32(Data.data());
        PPUnitY = BigEndian32(Data.data() + 4);
        UnitType = Data[8];
    }
    return true;
}

void TChunktIME::AssignChunk(const TChunk& source) {
    TChunk::AssignChunk(source);
    if (auto* src = dynamic_cast<const TChunktIME*>(&source)) {
        Year = src->Year;
        Month = src->Month;
        Day = src->Day;
        Hour = src->Hour;
        Minute = src->Minute;
        Second = src->Second;
    }
}

bool TChunktIME::LoadChunk(TPngReader& in, const String& type, UInt64 length) {
    TChunk::LoadChunk(in, type, length);
    if (Data.size() == 7) {
        Year = static_cast<Word>((Data[0] << 8) | Data[1]);
        Month = Data[2];
        Day = Data[3];
        Hour = Data[4];
        Minute = Data[5];
        Second = Data[6];
    }
    return true;
}

void TChunktEXt::AssignChunk(const TChunk& source) {
    TChunk::AssignChunk(source);
    if (auto* src = dynamic_cast<const TChunktEXt*>(&source)) {
        Keyword = src->Keyword;
        Text = src->Text;
    }
}

bool TChunktEXt::LoadChunk(TPngReader& in, const String& type, UInt64 length) {
    TChunk::LoadChunk(in, type, length);
    if (Data.size() > 2) {
        const auto nul = std::find(Data.begin(), Data.end(), Byte(0));
        Keyword.assign(Data.begin(), nul);
        Text.assign(nul == Data.end() ? Data.end() : nul + 1, Data.end());
    }
    return true;
}

bool TChunkzTXt::LoadChunk(TPngReader& in, const String& type, UInt64 length) {
    TChunktEXt::LoadChunk(in, type, length);
    Text.clear();
    if (Data.size() <= 3) return true;
    const auto nul = std::find(Data.begin(), Data.end(), Byte(0));
    Keyword.assign(Data.begin(), nul);
    if (Data.end() - nul < 2) return true;
    const Byte* compressed = &*(nul + 2);
    const std::size_t size = static_cast<std::size_t>(Data.end() - (nul + 2));
    // Inflate at most PngMaxTextBytes; a longer or damaged text stays empty.
    z_stream z{};
    if (inflateInit(&z) != Z_OK) return true;
    z.next_in = const_cast<Bytef*>(compressed);
    z.avail_in = static_cast<uInt>(size);
    String text;
    Byte buf[16384];
    int status = Z_OK;
    while (status == Z_OK) {
        z.next_out = buf;
        z.avail_out = sizeof buf;
        status = inflate(&z, Z_NO_FLUSH);
        text.append(reinterpret_cast<const char*>(buf), sizeof buf - z.avail_out);
        if (text.size() > PngMaxTextBytes) {
            status = Z_MEM_ERROR;
            break;
        }
        if (status == Z_BUF_ERROR || (status == Z_OK && z.avail_in == 0 && z.avail_out != 0)) break;
    }
    inflateEnd(&z);
    if (status == Z_STREAM_END) Text = std::move(text);
    return true;
}

// IDAT: decodes the zlib stream that runs across consecutive IDAT chunks into the header's image.
bool TChunkIDAT::LoadChunk(TPngReader& in, const String& type, UInt64 length) {
    TChunkIHDR& header = FOwner->Header();
    // Deflate yields at most about 1,032 bytes per input byte: image data too short to fill even the
    // packed samples of the picture holds no picture of the promised size. It is refused before any
    // row is inflated, drawn or written, so that a tiny file never costs the memory its header names.
    {
        const UInt64 compressed = length + in.FollowingIdatBytes(length + 4);
        const UInt64 bitsPerPixel = UInt64(header.BitDepth) *
            (header.ColorType == 2 ? 3 : header.ColorType == 4 ? 2 : header.ColorType == 6 ? 4 : 1);
        const UInt64 packed = UInt64(header.Height) * ((UInt64(header.Width) * bitsPerPixel) / 8);
        if (packed / PngMaxInflateRatio > compressed + 1) throw EPNGNoImageData();
        // Data that could fill it is inflated only into planes within the read bound.
        const TPngBitmap& image = header.Image;
        const Int64 planes =
            Int64(image.Bits.size() + image.Alpha.size() + image.LowBytes.size() + image.AlphaLow.size());
        if (planes > PngMaxReadPlaneBytes) throw EPNGSizeExceeds(PngTooLargeText);
    }
    TChunk::LoadChunk(in, type, length);
    TPngBitmap& image = header.Image;
    if (header.ColorType == 0) GreyRamp(image, 1 << image.BitsPerPixel, FOwner->GammaTable);
    if (header.ColorType == 4) GreyRamp(image, 256, FOwner->GammaTable);

    z_stream z{};
    if (inflateInit(&z) != Z_OK) RaiseZlibError(Z_MEM_ERROR);
    std::vector<Byte> input = std::move(Data);
    Data.clear();
    z.next_in = input.data();
    z.avail_in = static_cast<uInt>(input.size());
    bool streamEnded = false;

    // Fills `dest` with n inflated bytes; false when the zlib stream ends first.
    auto inflateBytes = [&](Byte* dest, std::size_t n) -> bool {
        z.next_out = dest;
        z.avail_out = static_cast<uInt>(n);
        while (z.avail_out > 0) {
            if (streamEnded) return false;
            if (z.avail_in == 0) {
                // The stream goes on in the next chunk, which must be an IDAT.
                const UInt64 nextLength = in.Take32();
                const String nextType = in.TakeType();
                if (nextType != "IDAT") throw EPNGMissingMultipleIDAT();
                input = in.TakeChunkData(nextType, nextLength);
                z.next_in = input.data();
                z.avail_in = static_cast<uInt>(input.size());
                continue;
            }
            const int status = inflate(&z, Z_NO_FLUSH);
            if (status == Z_STREAM_END) {
                streamEnded = true;
            } else if ((status < 0 && status != Z_BUF_ERROR) || status == Z_NEED_DICT ||
                       (status == Z_BUF_ERROR && z.avail_in > 0 && z.avail_out > 0)) {
                // A stream that needs a preset dictionary, or makes no progress with input and room
                // left, can never go on.
                inflateEnd(&z);
                RaiseZlibError(status);
            }
        }
        return true;
    };
    try {
        TPngRowCodec codec(header, *FOwner);
        codec.Decode(inflateBytes);
    } catch (...) {
        inflateEnd(&z);
        throw;
    }
    inflateEnd(&z);
    return true;
}

// ---- Image ----

TPNGObject::TPNGObject() {
    ResetGamma();
}

TPNGObject::~TPNGObject() = default;

void TPNGObject::ResetGamma() {
    for (Integer i = 0; i < 256; ++i)
        GammaTable[i] = InverseGamma[i] = static_cast<Byte>(i);
}

TChunkIHDR& TPNGObject::Header() const {
    TChunkIHDR* header = Chunks.Count() > 0 ? dynamic_cast<TChunkIHDR*>(Chunks.Item(0)) : nullptr;
    if (!header) throw EPNGHeaderNotPresent();
    return *header;
}

Integer TPNGObject::GetWidth() const {
    auto* header = Chunks.Count() > 0 ? dynamic_cast<TChunkIHDR*>(Chunks.Item(0)) : nullptr;
    return header ? static_cast<Integer>(header->Width) : 0;
}

Integer TPNGObject::GetHeight() const {
    auto* header = Chunks.Count() > 0 ? dynamic_cast<TChunkIHDR*>(Chunks.Item(0)) : nullptr;
    return header ? static_cast<Integer>(header->Height) : 0;
}

TPNGTransparencyMode TPNGObject::TransparencyMode() const {
    auto* header = Chunks.Count() > 0 ? dynamic_cast<TChunkIHDR*>(Chunks.Item(0)) : nullptr;
    if (!header) return ptmNone;
    const TChunktRNS* trns = Chunks.FindChunk<TChunktRNS>();
    switch (header->ColorType) {
    case 0:
    case 2:
        return trns && !trns->OutOfRange ? ptmBit : ptmNone;
    case 3:
        if (!trns) return ptmNone;
        return trns->BitTransparency ? ptmBit : ptmPartial;
    case 4:
    case 6:
        return ptmPartial;
    default:
        return ptmNone;
    }
}

TPngColor TPNGObject::TransparentColor() const {
    const TChunktRNS* trns = Chunks.FindChunk<TChunktRNS>();
    return trns ? trns->TransparentColor() : 0;
}

void TPNGObject::LoadFromBytes(const Byte* data, std::size_t size) {
    Chunks.Clear();
    ResetGamma();
    if (size < 8 || std::memcmp(data, PngSignature, 8) != 0) throw EPNGInvalidFileHeader();
    TPngReader in(data + 8, size - 8);
    bool imageRead = false;
    for (;;) {
        const UInt64 length = in.Take32();
        const String type = in.TakeType();
        if (Chunks.Count() == 0 && type != "IHDR") throw EPNGIHDRNotFirst();
        if (Chunks.Count() > 0 && type == "IHDR") throw EPngInvalidIHDR();
        if (type == "cHRM" || (type == "IDAT" && imageRead)) {
            in.Take(length);
            in.Take32();
            continue;
        }
        std::unique_ptr<TChunk> chunk;
        for (const auto& [name, make] : ChunkClasses())
            if (name == type) {
                chunk = make(this);
                break;
            }
        if (!chunk) {
            if (type[0] >= 'A' && type[0] <= 'Z') throw EPNGUnknownCriticalChunk();
            chunk = std::make_unique<TChunk>(this);
        }
        chunk->Name = type;
        TChunk* added = Chunks.Add(std::move(chunk));
        const bool more = added->LoadChunk(in, type, length);
        if (type == "IDAT") imageRead = true;
        if (type == "IEND" || !more) break;
    }
    if (!imageRead) throw EPNGNoImageData();
    FTransparent = TransparencyMode() != ptmNone;
    Changed();
}

std::vector<Byte> TPNGObject::SaveToBytes() {
    std::vector<Byte> out(PngSignature, PngSignature + 8);
    for (Integer i = 0; i < Chunks.Count(); ++i)
        Chunks.Item(i)->SaveChunk(out);
    return out;
}
