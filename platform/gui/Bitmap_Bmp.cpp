// BMP files of TBitmap: reading the core and info headers (1, 4, 8, 16, 24, 32 bits, bit fields,
// RLE4 and RLE8) and writing BITMAPINFOHEADER files in the bitmap's own pixel format.
#include "gui/Bitmap.h"

#include "gui/qt/BitmapImpl.h"
#include "gui/qt/QtSupport.h"
#include "rtl/Streams.h"

#include <algorithm>
#include <cstring>

namespace {

[[noreturn]] void Invalid() {
    throw EInvalidGraphic("Bitmap image is not valid");
}

Cardinal U32(const Byte* p) {
    return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<Cardinal>(p[3]) << 24);
}
Word U16(const Byte* p) {
    return static_cast<Word>(p[0] | (p[1] << 8));
}
void Put32(std::vector<Byte>& b, Cardinal v) {
    for (int i = 0; i < 4; ++i)
        b.push_back(static_cast<Byte>(v >> (8 * i)));
}
void Put16(std::vector<Byte>& b, Word v) {
    b.push_back(static_cast<Byte>(v));
    b.push_back(static_cast<Byte>(v >> 8));
}

int RowBytesOf(int width, int bits) {
    return ((width * bits + 31) / 32) * 4;
}

// Expands RLE8/RLE4 data into bottom-up rows of indexes (one byte per pixel).
std::vector<Byte> DecodeRle(const Byte* p, size_t n, int width, int height, int bits) {
    std::vector<Byte> out(static_cast<size_t>(width) * static_cast<size_t>(height), 0);
    int x = 0, y = 0;
    size_t i = 0;
    auto put = [&](Byte v) {
        if (x < width && y < height)
            out[static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)] = v;
        ++x;
    };
    while (i + 1 < n && y < height) {
        Byte count = p[i], value = p[i + 1];
        i += 2;
        if (count > 0) {
            for (int k = 0; k < count; ++k)
                put(bits == 8 ? value : static_cast<Byte>((k & 1) ? (value & 0x0F) : (value >> 4)));
            continue;
        }
        if (value == 0) {
            x = 0;
            ++y;
        } else if (value == 1) {
            break;
        } else if (value == 2) {
            if (i + 1 >= n) break;
            x += p[i];
            y += p[i + 1];
            i += 2;
        } else {
            int bytes = bits == 8 ? value : (value + 1) / 2;
            if (i + static_cast<size_t>(bytes) > n) Invalid();
            for (int k = 0; k < value; ++k) {
                Byte b = bits == 8 ? p[i + static_cast<size_t>(k)] : p[i + static_cast<size_t>(k / 2)];
                put(bits == 8 ? b : static_cast<Byte>((k & 1) ? (b & 0x0F) : (b >> 4)));
            }
            i += static_cast<size_t>((bytes + 1) & ~1);
        }
    }
    return out;
}

int Shift(Cardinal mask) {
    int s = 0;
    if (!mask) return 0;
    while (!(mask & 1))
        mask >>= 1, ++s;
    return s;
}

int Scale(Cardinal v, Cardinal mask) {
    if (!mask) return 0;
    Cardinal m = mask >> Shift(mask);
    return static_cast<int>((v * 255 + m / 2) / m);
}

} // namespace

// Every offset, size and count of the file is checked in 64 bits against the bytes present before
// it is used; a file that fails a check raises "Bitmap image is not valid" and leaves the bitmap as
// it was.
void TBitmap::LoadFromBytes(const std::vector<Byte>& bytes) {
    EnsureQtApp();
    const Byte* d = bytes.data();
    const UInt64 n = bytes.size();
    if (n < 14 + 12 || d[0] != 'B' || d[1] != 'M') Invalid();
    UInt64 offBits = U32(d + 10);
    const Byte* h = d + 14;
    const UInt64 hsize = U32(h);
    int width, height, bits;
    Cardinal compression = 0, clrUsed = 0;
    bool core = hsize == 12;
    if (core) {
        width = U16(h + 4);
        height = static_cast<SmallInt>(U16(h + 6));
        bits = U16(h + 10);
    } else {
        if (hsize < 40 || 14 + hsize > n) Invalid();
        width = static_cast<Integer>(U32(h + 4));
        height = static_cast<Integer>(U32(h + 8));
        bits = U16(h + 14);
        compression = U32(h + 16);
        clrUsed = U32(h + 32);
    }
    bool topDown = height < 0;
    if (topDown) height = -height;
    if (width <= 0 || height <= 0 || width > 65535 || height > 65535) Invalid();
    if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32) Invalid();
    // The same pixel and memory cap as the other picture readers, before anything is allocated.
    if (Int64(width) * height > MaxPicturePixels || Int64(RowBytesOf(width, bits)) * height > MaxPictureBytes)
        Invalid();
    Cardinal masks[3] = {0, 0, 0};
    UInt64 palettePos = 14 + hsize;
    if (compression == 3) { // bit fields: only 16- and 32-bit pixels hold masked words
        if (bits != 16 && bits != 32) Invalid();
        if (hsize >= 52) {
            masks[0] = U32(h + 40);
            masks[1] = U32(h + 44);
            masks[2] = U32(h + 48);
        } else {
            if (palettePos + 12 > n) Invalid();
            masks[0] = U32(d + palettePos);
            masks[1] = U32(d + palettePos + 4);
            masks[2] = U32(d + palettePos + 8);
            palettePos += 12;
        }
    } else if (compression != 0 && !(compression == 1 && bits == 8) && !(compression == 2 && bits == 4)) {
        Invalid();
    }
    std::vector<QRgb> palette;
    UInt64 paletteEnd = palettePos;
    if (bits <= 8) {
        const UInt64 count = clrUsed ? clrUsed : (1u << bits);
        if (count > 256) Invalid();
        const UInt64 entry = core ? 3 : 4;
        if (palettePos + count * entry > n) Invalid();
        for (UInt64 i = 0; i < count; ++i) {
            const Byte* e = d + palettePos + i * entry;
            palette.push_back(qRgb(e[2], e[1], e[0]));
        }
        paletteEnd = palettePos + count * entry;
        palette.resize(static_cast<size_t>(1) << bits, qRgb(0, 0, 0));
    }
    // A missing or impossible pixel offset means the pixels follow the colour entries the file has.
    if (offBits == 0 || offBits > n) offBits = paletteEnd;
    if (offBits > n) Invalid();
    const Byte* pixels = d + offBits;
    const size_t avail = static_cast<size_t>(n - offBits);
    int srcRow = RowBytesOf(width, bits);

    TPixelFormat format;
    switch (bits) {
    case 1:
        format = pf1bit;
        break;
    case 4:
        format = pf4bit;
        break;
    case 8:
        format = pf8bit;
        break;
    case 16:
        format = (compression == 3 && masks[1] == 0x07E0) ? pf16bit : pf15bit;
        break;
    case 24:
        format = pf24bit;
        break;
    default:
        format = pf32bit;
        break;
    }

    if (compression == 1 || compression == 2) {
        std::vector<Byte> idx = DecodeRle(pixels, avail, width, height, bits);
        QImage raw(width, height, QImage::Format_Indexed8);
        for (int y = 0; y < height; ++y)
            std::memcpy(raw.scanLine(y),
                        idx.data() +
                            static_cast<size_t>(topDown ? y : height - 1 - y) * static_cast<size_t>(width),
                        static_cast<size_t>(width));
        if (bits == 4) {
            FImpl->SetRaw(Pack4(raw), pf4bit, palette, width);
        } else {
            FImpl->SetRaw(raw, pf8bit, palette, width);
        }
    } else {
        if (avail < static_cast<size_t>(srcRow) * static_cast<size_t>(height)) Invalid();
        auto srcLine = [&](int y) {
            return pixels + static_cast<size_t>(topDown ? y : height - 1 - y) * static_cast<size_t>(srcRow);
        };
        bool customMasks =
            compression == 3 &&
            !(bits == 16 && (masks[1] == 0x07E0 || masks[1] == 0x03E0) && (masks[2] == 0x001F)) &&
            !(bits == 32 && masks[0] == 0xFF0000 && masks[1] == 0xFF00 && masks[2] == 0xFF);
        if (customMasks) {
            QImage img(width, height, QImage::Format_RGB32);
            for (int y = 0; y < height; ++y) {
                const Byte* s = srcLine(y);
                auto* o = reinterpret_cast<QRgb*>(img.scanLine(y));
                for (int x = 0; x < width; ++x) {
                    Cardinal v = bits == 16 ? U16(s + 2 * x) : U32(s + 4 * x);
                    o[x] = qRgb(Scale((v & masks[0]) >> Shift(masks[0]), masks[0]),
                                Scale((v & masks[1]) >> Shift(masks[1]), masks[1]),
                                Scale((v & masks[2]) >> Shift(masks[2]), masks[2]));
                }
            }
            FImpl->SetRaw(img, pf32bit, {}, width);
            if (bits == 16) SetPixelFormat(pf16bit);
        } else {
            QImage raw;
            switch (format) {
            case pf1bit:
                raw = QImage(width, height, QImage::Format_Mono);
                break;
            case pf4bit:
                raw = QImage((width + 1) / 2, height, QImage::Format_Grayscale8);
                break;
            case pf8bit:
                raw = QImage(width, height, QImage::Format_Indexed8);
                break;
            case pf15bit:
                raw = QImage(width, height, QImage::Format_RGB555);
                break;
            case pf16bit:
                raw = QImage(width, height, QImage::Format_RGB16);
                break;
            case pf24bit:
                raw = QImage(width, height, QImage::Format_BGR888);
                break;
            default:
                raw = QImage(width, height, QImage::Format_RGB32);
                break;
            }
            if (raw.isNull()) Invalid();
            size_t copy =
                std::min<size_t>(static_cast<size_t>(srcRow), static_cast<size_t>(raw.bytesPerLine()));
            for (int y = 0; y < height; ++y)
                std::memcpy(raw.scanLine(y), srcLine(y), copy);
            if (format == pf32bit)
                for (int y = 0; y < height; ++y) {
                    auto* o = reinterpret_cast<QRgb*>(raw.scanLine(y));
                    for (int x = 0; x < width; ++x)
                        o[x] |= 0xFF000000u;
                }
            if (format == pf8bit || format == pf1bit)
                raw.setColorTable(QList<QRgb>(palette.begin(), palette.end()));
            FImpl->SetRaw(raw, format, palette, width);
        }
    }
    FHandleType = bmDIB;
    Changed();
}

std::vector<Byte> TBitmap::SaveToBytes() {
    std::vector<Byte> out;
    if (Empty()) return out;
    TPixelFormat format = FImpl->Format;
    if (format == pfDevice || format == pfCustom) format = pf24bit;
    int bits = format == pf1bit                           ? 1
               : format == pf4bit                         ? 4
               : format == pf8bit                         ? 8
               : (format == pf15bit || format == pf16bit) ? 16
               : format == pf24bit                        ? 24
                                                          : 32;
    int w = Width(), h = Height();
    int rowBytes = RowBytesOf(w, bits);
    QImage rows;
    if (FImpl->Format == format) {
        rows = FImpl->RowsForRead();
    } else {
        // A device bitmap is written as 24 bits.
        rows = FImpl->SurfaceForRead().convertToFormat(QImage::Format_BGR888);
    }
    std::vector<QRgb> palette = bits <= 8 ? FImpl->Palette : std::vector<QRgb>();
    if (bits <= 8) palette.resize(static_cast<size_t>(1) << bits, qRgb(0, 0, 0));
    Cardinal headerSize = 40;
    Cardinal masksSize = format == pf16bit ? 12 : 0;
    Cardinal offBits = 14 + headerSize + masksSize + static_cast<Cardinal>(palette.size() * 4);
    Cardinal imageSize = static_cast<Cardinal>(rowBytes) * static_cast<Cardinal>(h);
    out.reserve(offBits + imageSize);
    out.push_back('B');
    out.push_back('M');
    Put32(out, offBits + imageSize);
    Put32(out, 0);
    Put32(out, offBits);
    Put32(out, headerSize);
    Put32(out, static_cast<Cardinal>(w));
    Put32(out, static_cast<Cardinal>(h));
    Put16(out, 1);
    Put16(out, static_cast<Word>(bits));
    Put32(out, format == pf16bit ? 3 : 0);
    Put32(out, imageSize);
    Put32(out, 3780); // 96 dots per inch
    Put32(out, 3780);
    Put32(out, bits <= 8 ? static_cast<Cardinal>(palette.size()) : 0);
    Put32(out, 0);
    if (format == pf16bit) {
        Put32(out, 0xF800);
        Put32(out, 0x07E0);
        Put32(out, 0x001F);
    }
    for (QRgb c : palette) {
        out.push_back(static_cast<Byte>(qBlue(c)));
        out.push_back(static_cast<Byte>(qGreen(c)));
        out.push_back(static_cast<Byte>(qRed(c)));
        out.push_back(0);
    }
    size_t copy = std::min<size_t>(static_cast<size_t>(rowBytes), static_cast<size_t>(rows.bytesPerLine()));
    for (int y = h - 1; y >= 0; --y) {
        const uchar* line = rows.constScanLine(y);
        size_t at = out.size();
        out.insert(out.end(), line, line + copy);
        out.resize(at + static_cast<size_t>(rowBytes), 0);
    }
    return out;
}

void TBitmap::LoadFromStream(TStream& stream) {
    // The file header tells the size, so a bitmap inside a larger stream reads only its own bytes.
    // Some writers put a wrong size in the header: only the bytes the stream has are read, so a
    // size field promising gigabytes costs nothing.
    std::vector<Byte> bytes(14);
    if (stream.Read(bytes.data(), 14) != 14 || bytes[0] != 'B' || bytes[1] != 'M') Invalid();
    const Int64 size = U32(bytes.data() + 2);
    if (size < 14 + 12) Invalid();
    const Int64 left = std::max<Int64>(stream.Size() - stream.Position(), 0);
    bytes.resize(static_cast<size_t>(14 + std::min(size - 14, left)));
    const Int64 got = stream.Read(bytes.data() + 14, static_cast<Int64>(bytes.size()) - 14);
    bytes.resize(static_cast<size_t>(14 + std::max<Int64>(got, 0)));
    LoadFromBytes(bytes);
}

void TBitmap::SaveToStream(TStream& stream) {
    std::vector<Byte> bytes = SaveToBytes();
    if (!bytes.empty()) stream.WriteBuffer(bytes.data(), static_cast<Int64>(bytes.size()));
}

void TBitmap::SaveToClipboardFormat(Word& format, std::vector<Byte>& data) {
    std::vector<Byte> file = SaveToBytes();
    format = 8; // CF_DIB
    data.assign(file.begin() + (file.empty() ? 0 : 14), file.end());
}

void TBitmap::LoadFromClipboardFormat(Word format, const std::vector<Byte>& data) {
    if (format != 8 && format != 2) throw EInvalidGraphic("Unsupported clipboard format");
    if (data.size() < 12) Invalid();
    // Rebuild the file header in front of the packed bitmap.
    Cardinal hsize = U32(data.data());
    Cardinal bits = hsize == 12 ? U16(data.data() + 10) : U16(data.data() + 14);
    Cardinal compression = hsize == 12 ? 0 : U32(data.data() + 16);
    Cardinal clrUsed = hsize >= 40 ? U32(data.data() + 32) : 0;
    Cardinal colours = bits <= 8 ? (clrUsed ? clrUsed : (1u << bits)) : 0;
    Cardinal extra = (compression == 3 && hsize == 40) ? 12 : 0;
    Cardinal off = 14 + hsize + extra + colours * (hsize == 12 ? 3 : 4);
    std::vector<Byte> file;
    file.push_back('B');
    file.push_back('M');
    Put32(file, static_cast<Cardinal>(14 + data.size()));
    Put32(file, 0);
    Put32(file, off);
    file.insert(file.end(), data.begin(), data.end());
    LoadFromBytes(file);
}
