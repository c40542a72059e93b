// The in-memory device-independent bitmap and its BMP file form.
#include "controls/KxGraph.h"

#include <cstring>

namespace {

void PutWord(std::vector<Byte>& out, std::size_t at, Word v) {
    out[at] = static_cast<Byte>(v & 0xFF);
    out[at + 1] = static_cast<Byte>(v >> 8);
}
void PutLong(std::vector<Byte>& out, std::size_t at, UInt64 v) {
    for (int i = 0; i < 4; ++i)
        out[at + i] = static_cast<Byte>((v >> (8 * i)) & 0xFF);
}
UInt64 GetLong(const Byte* p) {
    return p[0] | (p[1] << 8) | (p[2] << 16) | (UInt64(p[3]) << 24);
}
Integer GetWord(const Byte* p) {
    return p[0] | (p[1] << 8);
}

[[noreturn]] void NotValid() {
    throw EKxInvalidGraphic("Bitmap image is not valid");
}

} // namespace

Int64 KxCheckedImageBytes(Int64 width, Int64 height, Int64 bitCount) {
    if (width < 0 || height < 0) NotValid();
    const Int64 stride = ((width * bitCount + 31) / 32) * 4;
    if (width * height > KxMaxImagePixels || (height > 0 && stride > KxMaxImageBytes / height))
        throw EKxInvalidGraphic("Image too large to hold in memory");
    return stride * height;
}

TDibBitmap::TDibBitmap(Integer width, Integer height, Integer bitCount) {
    if (bitCount != 1 && bitCount != 4 && bitCount != 8 && bitCount != 24 && bitCount != 32) NotValid();
    const Int64 bytes = KxCheckedImageBytes(width, height, bitCount);
    FWidth = width;
    FHeight = height;
    FBitCount = bitCount;
    FStride = ((static_cast<Int64>(width) * bitCount + 31) / 32) * 4;
    FBits.assign(static_cast<std::size_t>(bytes), 0);
    if (bitCount <= 8) Colors.assign(std::size_t(1) << bitCount, TDibColor{});
}

Integer TDibBitmap::PixelIndex(Integer x, Integer y) const {
    if (x < 0 || y < 0 || x >= FWidth || y >= FHeight) return 0;
    const Byte* line = ScanLine(y);
    switch (FBitCount) {
    case 1:
        return (line[x >> 3] >> (7 - (x & 7))) & 1;
    case 4:
        return (x & 1) ? (line[x >> 1] & 15) : (line[x >> 1] >> 4);
    case 8:
        return line[x];
    default:
        return 0;
    }
}

void TDibBitmap::SetPixelIndex(Integer x, Integer y, Integer index) {
    if (x < 0 || y < 0 || x >= FWidth || y >= FHeight) return;
    Byte* line = ScanLine(y);
    switch (FBitCount) {
    case 1: {
        const Byte bit = static_cast<Byte>(0x80 >> (x & 7));
        line[x >> 3] = static_cast<Byte>((index & 1) ? (line[x >> 3] | bit) : (line[x >> 3] & ~bit));
        break;
    }
    case 4:
        if (x & 1)
            line[x >> 1] = static_cast<Byte>((line[x >> 1] & 0xF0) | (index & 15));
        else
            line[x >> 1] = static_cast<Byte>((line[x >> 1] & 0x0F) | ((index & 15) << 4));
        break;
    case 8:
        line[x] = static_cast<Byte>(index);
        break;
    default:
        break;
    }
}

TKxColor TDibBitmap::Pixel(Integer x, Integer y) const {
    if (x < 0 || y < 0 || x >= FWidth || y >= FHeight) return 0;
    if (FBitCount <= 8) {
        const Integer index = PixelIndex(x, y);
        return index < static_cast<Integer>(Colors.size()) ? Colors[index].Color() : 0;
    }
    const Byte* p = ScanLine(y) + static_cast<Int64>(x) * (FBitCount / 8);
    return KxRGB(p[2], p[1], p[0]);
}

void TDibBitmap::SetPixel(Integer x, Integer y, TKxColor color) {
    if (x < 0 || y < 0 || x >= FWidth || y >= FHeight || FBitCount < 24) return;
    Byte* p = ScanLine(y) + static_cast<Int64>(x) * (FBitCount / 8);
    p[0] = KxBlue(color);
    p[1] = KxGreen(color);
    p[2] = KxRed(color);
}

std::vector<Byte> TDibBitmap::SaveToBmp() const {
    const std::size_t colors = FBitCount <= 8 ? (std::size_t(1) << FBitCount) : 0;
    const std::size_t offset = 54 + 4 * colors;
    std::vector<Byte> out(offset + FBits.size(), 0);
    out[0] = 'B';
    out[1] = 'M';
    PutLong(out, 2, out.size());
    PutLong(out, 10, offset);
    PutLong(out, 14, 40);
    PutLong(out, 18, static_cast<UInt64>(FWidth));
    PutLong(out, 22, static_cast<UInt64>(FHeight));
    PutWord(out, 26, 1);
    PutWord(out, 28, static_cast<Word>(FBitCount));
    PutLong(out, 34, FBits.size());
    PutLong(out, 50, ImportantColors);
    for (std::size_t i = 0; i < colors; ++i) {
        TDibColor c = i < Colors.size() ? Colors[i] : TDibColor{};
        out[54 + 4 * i] = c.Blue;
        out[55 + 4 * i] = c.Green;
        out[56 + 4 * i] = c.Red;
        out[57 + 4 * i] = c.Reserved;
    }
    if (!FBits.empty()) std::memcpy(out.data() + offset, FBits.data(), FBits.size());
    return out;
}

TDibBitmap TDibBitmap::LoadFromBmp(const Byte* data, std::size_t size) {
    if (size < 54 || data[0] != 'B' || data[1] != 'M') NotValid();
    const UInt64 offset = GetLong(data + 10);
    const UInt64 headerSize = GetLong(data + 14);
    if (headerSize < 40 || 14 + headerSize > size) NotValid();
    const Int64 width = static_cast<Integer>(GetLong(data + 18));
    Int64 height = static_cast<Integer>(GetLong(data + 22));
    const Integer bitCount = GetWord(data + 28);
    const UInt64 compression = GetLong(data + 30);
    UInt64 used = GetLong(data + 46);
    const bool topDown = height < 0;
    if (topDown) height = -height;
    if (width <= 0 || height <= 0 || compression != 0) NotValid();
    TDibBitmap bmp(static_cast<Integer>(width), static_cast<Integer>(height), bitCount);
    bmp.ImportantColors = static_cast<Cardinal>(GetLong(data + 50));
    if (bitCount <= 8) {
        const UInt64 full = UInt64(1) << bitCount;
        if (used == 0 || used > full) used = full;
        const std::size_t table = 14 + headerSize;
        for (UInt64 i = 0; i < used && table + 4 * i + 4 <= size; ++i) {
            const Byte* p = data + table + 4 * i;
            bmp.Colors[i] = TDibColor{p[0], p[1], p[2], p[3]};
        }
    }
    const UInt64 bytes = bmp.FBits.size();
    if (offset > size || size - offset < bytes) NotValid();
    if (topDown) {
        for (Int64 y = 0; y < height; ++y)
            std::memcpy(bmp.ScanLine(static_cast<Integer>(y)), data + offset + y * bmp.FStride,
                        static_cast<std::size_t>(bmp.FStride));
    } else if (bytes > 0) {
        std::memcpy(bmp.FBits.data(), data + offset, static_cast<std::size_t>(bytes));
    }
    return bmp;
}
