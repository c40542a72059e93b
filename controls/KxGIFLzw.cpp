#include "controls/KxGIFLzw.h"

#include <array>
#include <memory>

Int64 LzwStride(Int64 width, Int64 bitCount) {
    return ((width * bitCount + 31) / 32) * 4;
}

Integer NextInterlacedRow(Integer row, Integer height, Integer& pass) {
    static const Integer steps[4] = {8, 8, 4, 2};
    Integer next = row + steps[pass & 3];
    if (next < height) return next;
    if (pass == 0) {
        pass = 1;
        if (height > 4) return 4;
        next = 4;
    }
    if (pass == 1) {
        pass = 2;
        if (height > 2) return 2;
        next = 2;
    }
    if (pass == 2) {
        pass = 3;
        return 1;
    }
    return next < height ? next : height;
}

namespace {

constexpr Integer LzwMaxCodes = 4096;
constexpr Integer LzwEndOfData = 0xFFFF;

// Reads codes from the sub-blocks of the encoded data, least significant bit first.
class TLzwCodeReader {
public:
    TLzwCodeReader(const Byte* data, std::size_t size, std::size_t start)
        : FData(data), FSize(size), FPos(start) {}

    // The next code of `width` bits, or LzwEndOfData when the data ends first.
    Integer Read(Integer width) {
        while (FCount < width) {
            if (FBlockLeft == 0) {
                if (FEnded || FPos >= FSize) return End();
                FBlockLeft = FData[FPos++];
                if (FBlockLeft == 0) return End();
            }
            if (FPos >= FSize) return End();
            FBits |= static_cast<UInt64>(FData[FPos++]) << FCount;
            FCount += 8;
            --FBlockLeft;
        }
        Integer code = static_cast<Integer>(FBits & ((1u << width) - 1));
        FBits >>= width;
        FCount -= width;
        return code;
    }
    std::size_t Position() const { return FPos; }

private:
    Integer End() {
        FEnded = true;
        return LzwEndOfData;
    }
    const Byte* FData;
    std::size_t FSize;
    std::size_t FPos;
    std::size_t FBlockLeft = 0;
    UInt64 FBits = 0;
    Integer FCount = 0;
    bool FEnded = false;
};

// Walks the pixels of the bitmap rows in file order (top row first, interlaced when asked).
class TLzwRowWalker {
public:
    TLzwRowWalker(const TLzwImageHeader& header, bool interlaced, Byte* pixels)
        : FWidth(header.Width), FHeight(header.Height), FBits(header.BitCount), FInterlaced(interlaced),
          FPixels(pixels), FStride(LzwStride(header.Width, header.BitCount)) {
        if (FWidth <= 0 || FHeight <= 0 || FPixels == nullptr) FDone = true;
        SetRowPointer();
    }
    bool Done() const { return FDone; }
    Integer Row() const { return FRow; }
    Integer RowsWalked() const { return FRowsWalked; }

    void Put(Integer pixel) {
        if (FDone) return;
        switch (FBits) {
        case 1:
            if ((FX & 7) == 0)
                FLine[FX >> 3] = static_cast<Byte>((pixel & 1) << 7);
            else
                FLine[FX >> 3] |= static_cast<Byte>((pixel & 1) << (7 - (FX & 7)));
            break;
        case 4:
            if ((FX & 1) == 0)
                FLine[FX >> 1] = static_cast<Byte>((pixel & 15) << 4);
            else
                FLine[FX >> 1] |= static_cast<Byte>(pixel & 15);
            break;
        default:
            FLine[FX] = static_cast<Byte>(pixel);
            break;
        }
        Advance();
    }

    Integer Get() {
        Integer pixel;
        switch (FBits) {
        case 1:
            pixel = (FLine[FX >> 3] >> (7 - (FX & 7))) & 1;
            break;
        case 4:
            pixel = (FX & 1) ? (FLine[FX >> 1] & 15) : (FLine[FX >> 1] >> 4);
            break;
        default:
            pixel = FLine[FX];
            break;
        }
        Advance();
        return pixel;
    }

    // True right after the last pixel of a row was walked.
    bool RowEnded() const { return FX == 0; }

private:
    void Advance() {
        if (++FX < FWidth) return;
        FX = 0;
        ++FRowsWalked;
        if (FInterlaced)
            FRow = NextInterlacedRow(FRow, FHeight, FPass);
        else
            ++FRow;
        if (FRow >= FHeight || FRowsWalked >= FHeight) {
            FDone = true;
            return;
        }
        SetRowPointer();
    }
    void SetRowPointer() {
        if (!FDone) FLine = FPixels + static_cast<Int64>(FHeight - FRow - 1) * FStride;
    }

    Integer FWidth, FHeight, FBits;
    bool FInterlaced;
    Byte* FPixels;
    Int64 FStride;
    Byte* FLine = nullptr;
    Integer FX = 0, FRow = 0, FPass = 0, FRowsWalked = 0;
    bool FDone = false;
};

void Report(const TLzwProgress& progress, TLzwStage stage, Integer percent, const String& message = {}) {
    if (progress) progress(stage, percent, message);
}

} // namespace

void DecodeLzwImage(const Byte* data, std::size_t size, const TLzwImageHeader& header, bool interlaced,
                    const TLzwProgress& progress, bool& damaged, Byte* pixels, Integer colorBits) {
    damaged = false;
    Report(progress, lzwStarting, 0);
    if (size == 0 || pixels == nullptr) {
        damaged = true;
        Report(progress, lzwEnding, 100);
        return;
    }
    auto prefix = std::make_unique<std::array<Word, LzwMaxCodes>>();
    auto suffix = std::make_unique<std::array<Byte, LzwMaxCodes>>();
    auto stack = std::make_unique<std::array<Byte, LzwMaxCodes + 1>>();

    Integer codeSize = data[0];
    if (codeSize < 2 || codeSize > 9) {
        damaged = true;
        codeSize = codeSize < 2 ? 2 : 9;
    }
    const Integer clear = 1 << codeSize;
    const Integer end = clear + 1;
    const Integer firstFree = clear + 2;
    Integer nextFree = firstFree;
    Integer width = codeSize + 1;
    Integer limit = 1 << width;
    if (colorBits < 1 || colorBits > 8) colorBits = 8;
    const Integer colorMask = (1 << colorBits) - 1;
    Integer oldCode = -1; // no previous code since the last clear
    Integer firstValue = 0;
    bool tableFull = false;

    TLzwCodeReader reader(data, size, 1);
    TLzwRowWalker walker(header, interlaced, pixels);
    Integer lastPercent = -1;

    Integer code = reader.Read(width);
    while (code != end && code != LzwEndOfData && !walker.Done()) {
        if (code == clear) {
            width = codeSize + 1;
            limit = 1 << width;
            nextFree = firstFree;
            tableFull = false;
            oldCode = -1;
        } else if (oldCode < 0) {
            // The first code after a clear (or at the start) must be a literal.
            if (code > clear) {
                damaged = true;
                break;
            }
            oldCode = code;
            firstValue = code;
            walker.Put(code & colorMask);
        } else {
            const Integer incoming = code;
            Integer sp = 0;
            if (code > nextFree || code >= LzwMaxCodes) {
                damaged = true;
                break;
            }
            if (code == nextFree) {
                (*stack)[sp++] = static_cast<Byte>(firstValue);
                code = oldCode;
            }
            bool corrupt = false;
            while (code >= clear) {
                if (sp >= LzwMaxCodes || code >= LzwMaxCodes) {
                    corrupt = true;
                    break;
                }
                (*stack)[sp++] = (*suffix)[code];
                code = (*prefix)[code];
            }
            if (corrupt) {
                damaged = true;
                break;
            }
            firstValue = code;
            (*stack)[sp++] = static_cast<Byte>(code);
            while (sp > 0 && !walker.Done())
                walker.Put((*stack)[--sp] & colorMask);
            if (!tableFull) {
                (*prefix)[nextFree] = static_cast<Word>(oldCode);
                (*suffix)[nextFree] = static_cast<Byte>(firstValue);
                ++nextFree;
                if (nextFree >= limit) {
                    if (width >= 12) {
                        tableFull = true;
                    } else {
                        ++width;
                        limit <<= 1;
                    }
                }
            }
            oldCode = incoming;
        }
        code = reader.Read(width);
        if (progress) {
            Integer percent = static_cast<Integer>(static_cast<Int64>(reader.Position()) * 100 / size);
            if (percent != lastPercent) {
                lastPercent = percent;
                Report(progress, lzwRunning, percent);
            }
        }
    }
    // Data that ends before the end code while rows remain: keep what was decoded, mark it damaged.
    if (code == LzwEndOfData && !walker.Done()) damaged = true;
    Report(progress, lzwEnding, 100);
}

namespace {

// A prime: the multiplicative hash below then never collapses to one slot on long runs of one colour.
constexpr Integer LzwHashSize = 17783;

// Packs codes least significant bit first into 255-byte sub-blocks.
class TLzwCodeWriter {
public:
    explicit TLzwCodeWriter(std::vector<Byte>& out) : FOut(out) {}
    void Write(Integer code, Integer width) {
        FBits |= static_cast<UInt64>(code) << FCount;
        FCount += width;
        while (FCount >= 8) {
            PutByte(static_cast<Byte>(FBits & 0xFF));
            FBits >>= 8;
            FCount -= 8;
        }
    }
    void Flush() {
        if (FCount > 0) PutByte(static_cast<Byte>(FBits & 0xFF));
        FBits = 0;
        FCount = 0;
        if (FBlockLen > 0) {
            FOut.push_back(static_cast<Byte>(FBlockLen));
            FOut.insert(FOut.end(), FBlock, FBlock + FBlockLen);
            FBlockLen = 0;
        }
        FOut.push_back(0);
    }

private:
    void PutByte(Byte b) {
        FBlock[FBlockLen++] = b;
        if (FBlockLen == 255) {
            FOut.push_back(255);
            FOut.insert(FOut.end(), FBlock, FBlock + 255);
            FBlockLen = 0;
        }
    }
    std::vector<Byte>& FOut;
    Byte FBlock[255] = {};
    Integer FBlockLen = 0;
    UInt64 FBits = 0;
    Integer FCount = 0;
};

struct TLzwEntry {
    Word Prefix;
    Word Code;
    Byte Suffix;
};

} // namespace

namespace {

// Palette index x of a bitmap row of 1, 4 or 8 bits per pixel.
template <int Bits> inline Integer RowPixel(const Byte* line, Integer x) {
    if constexpr (Bits == 8)
        return line[x];
    else if constexpr (Bits == 4)
        return (x & 1) ? (line[x >> 1] & 15) : (line[x >> 1] >> 4);
    else
        return (line[x >> 3] >> (7 - (x & 7))) & 1;
}

// The LZW string table of the encoder: entries found through a hash of prefix and suffix.
class TLzwEncoder {
public:
    TLzwEncoder(std::vector<Byte>& out, Integer initialWidth)
        : FWriter(out), FInitialWidth(initialWidth), FClear(1 << (initialWidth - 1)), FEnd(FClear + 1),
          FLastCode(FEnd), FWidth(initialWidth), FLimit(1 << initialWidth),
          FSlots(std::make_unique<std::array<Word, LzwHashSize>>()),
          FEntries(std::make_unique<std::array<TLzwEntry, LzwMaxCodes>>()) {
        FWriter.Write(FClear, FWidth);
        FSlots->fill(0xFFFF);
    }

    // Adds one pixel to the current string, writing the string's code when it cannot grow.
    inline void Put(Integer k) {
        ++FLength;
        if (FLength == 1) {
            FPrefix = k;
            FHash = k * 301 + 903;
            return;
        }
        FHash = ((k + FLength + 4) * FHash) % LzwHashSize;
        Integer slot = static_cast<Integer>(FHash);
        while ((*FSlots)[slot] != 0xFFFF) {
            const TLzwEntry& e = (*FEntries)[(*FSlots)[slot]];
            if (e.Prefix == FPrefix && e.Suffix == k) {
                FPrefix = e.Code;
                return;
            }
            if (++slot >= LzwHashSize) slot = 0;
        }
        FWriter.Write(FPrefix, FWidth);
        ++FLastCode;
        (*FEntries)[FEntryCount] =
            TLzwEntry{static_cast<Word>(FPrefix), static_cast<Word>(FLastCode), static_cast<Byte>(k)};
        (*FSlots)[slot] = static_cast<Word>(FEntryCount++);
        FPrefix = k;
        FHash = k * 301 + 903;
        FLength = 1;
        if (FLastCode >= FLimit) {
            FLimit <<= 1;
            ++FWidth;
        } else if (FLastCode >= 4094) {
            FWriter.Write(FPrefix, FWidth);
            FWriter.Write(FClear, FWidth);
            FLength = 0;
            FLastCode = FEnd;
            FWidth = FInitialWidth;
            FLimit = 1 << FWidth;
            FSlots->fill(0xFFFF);
            FEntryCount = 0;
        }
    }

    void Finish() {
        if (FLength > 0) FWriter.Write(FPrefix, FWidth);
        FWriter.Write(FEnd, FWidth);
        FWriter.Flush();
    }

private:
    TLzwCodeWriter FWriter;
    const Integer FInitialWidth, FClear, FEnd;
    Integer FLastCode, FWidth, FLimit;
    Integer FLength = 0, FPrefix = 0;
    Int64 FHash = 0;
    std::unique_ptr<std::array<Word, LzwHashSize>> FSlots;
    std::unique_ptr<std::array<TLzwEntry, LzwMaxCodes>> FEntries;
    Integer FEntryCount = 0;
};

template <int Bits> inline void EncodeRow(TLzwEncoder& encoder, const Byte* line, Integer width) {
    for (Integer x = 0; x < width; ++x)
        encoder.Put(RowPixel<Bits>(line, x));
}

} // namespace

void EncodeLzwImage(std::vector<Byte>& out, const TLzwImageHeader& header, bool interlaced,
                    const TLzwProgress& progress, const Byte* pixels) {
    const Integer bitCount = header.BitCount == 1 ? 1 : (header.BitCount == 4 ? 4 : 8);
    const Integer initialWidth = bitCount == 1 ? 3 : bitCount + 1;
    out.push_back(static_cast<Byte>(initialWidth - 1));
    TLzwEncoder encoder(out, initialWidth);
    Report(progress, lzwStarting, 0);

    // Rows in file order: top first, interlaced when asked.
    const Integer width = header.Width, height = header.Height;
    const Int64 stride = LzwStride(width, bitCount);
    Integer lastPercent = -1;
    Integer row = 0, pass = 0;
    for (Integer walked = 0; pixels && width > 0 && walked < height && row < height; ++walked) {
        const Byte* line = pixels + static_cast<Int64>(height - row - 1) * stride;
        if (bitCount == 8)
            EncodeRow<8>(encoder, line, width);
        else if (bitCount == 4)
            EncodeRow<4>(encoder, line, width);
        else
            EncodeRow<1>(encoder, line, width);
        if (progress) {
            const Integer percent = static_cast<Integer>(static_cast<Int64>(walked + 1) * 100 / height);
            if (percent != lastPercent) {
                lastPercent = percent;
                Report(progress, lzwRunning, percent);
            }
        }
        row = interlaced ? NextInterlacedRow(row, height, pass) : row + 1;
    }
    encoder.Finish();
    Report(progress, lzwEnding, 100);
}
