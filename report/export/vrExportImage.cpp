// The GIF writer of the picture exports.
#include "report/export/vrExportImage.h"

#include "gui/Bitmap.h"
#include "gui/Graphic.h"
#include "gui/Graphics.h"
#include "report/export/vrExportFile.h"
#include "rtl/SysUtils.h"

#include <array>
#include <vector>

namespace {

// LZW codes packed least-significant bit first into sub-blocks of at most 254 bytes.
class TGifCodeWriter {
public:
    explicit TGifCodeWriter(std::vector<Byte>& out) : FOut(out) {}
    void Code(int code, int bits) {
        FAcc |= static_cast<unsigned long>(code) << FBits;
        FBits += bits;
        while (FBits >= 8) {
            Put(static_cast<Byte>(FAcc & 0xFF));
            FAcc >>= 8;
            FBits -= 8;
        }
    }
    void Finish() {
        if (FBits > 0) Put(static_cast<Byte>(FAcc & 0xFF));
        FAcc = 0;
        FBits = 0;
        FlushBlock();
    }

private:
    void Put(Byte b) {
        FBlock[FCount++] = b;
        if (FCount == 254) FlushBlock();
    }
    void FlushBlock() {
        if (FCount == 0) return;
        FOut.push_back(static_cast<Byte>(FCount));
        FOut.insert(FOut.end(), FBlock.begin(), FBlock.begin() + FCount);
        FCount = 0;
    }
    std::vector<Byte>& FOut;
    std::array<Byte, 254> FBlock{};
    int FCount = 0;
    unsigned long FAcc = 0;
    int FBits = 0;
};

constexpr int HashSize = 5003;
constexpr int ClearCode = 256, EndCode = 257, FirstFree = 258, MaxCodes = 4096;

void EncodeLzw(const std::vector<Byte>& pixels, std::vector<Byte>& out) {
    TGifCodeWriter writer(out);
    std::vector<long> keys(HashSize, -1);
    std::vector<int> codes(HashSize, 0);
    int bits = 9, maxCode = (1 << bits) - 1, freeCode = FirstFree;
    bool clearRequested = false;
    const auto output = [&](int code) {
        writer.Code(code, bits);
        if (clearRequested) {
            bits = 9;
            maxCode = (1 << bits) - 1;
            clearRequested = false;
        } else if (freeCode > maxCode) {
            ++bits;
            maxCode = bits == 12 ? MaxCodes : (1 << bits) - 1;
        }
    };
    output(ClearCode);
    if (pixels.empty()) {
        output(EndCode);
        writer.Finish();
        return;
    }
    int prefix = pixels[0];
    for (size_t i = 1; i < pixels.size(); ++i) {
        const int pixel = pixels[i];
        const long key = (static_cast<long>(pixel) << 12) + prefix;
        int slot = (pixel << 4) ^ prefix;
        const int step = slot == 0 ? 1 : HashSize - slot;
        bool found = false;
        while (keys[static_cast<size_t>(slot)] >= 0) {
            if (keys[static_cast<size_t>(slot)] == key) {
                prefix = codes[static_cast<size_t>(slot)];
                found = true;
                break;
            }
            slot -= step;
            if (slot < 0) slot += HashSize;
        }
        if (found) continue;
        output(prefix);
        if (freeCode < MaxCodes) {
            keys[static_cast<size_t>(slot)] = key;
            codes[static_cast<size_t>(slot)] = freeCode++;
        } else {
            std::fill(keys.begin(), keys.end(), -1);
            freeCode = FirstFree;
            clearRequested = true;
            output(ClearCode);
        }
        prefix = pixel;
    }
    output(prefix);
    output(EndCode);
    writer.Finish();
}

void Word16(std::vector<Byte>& out, int v) {
    out.push_back(static_cast<Byte>(v & 0xFF));
    out.push_back(static_cast<Byte>((v >> 8) & 0xFF));
}

} // namespace

void WriteGif(TStream& stream, TBitmap& bitmap) {
    const int w = bitmap.Width(), h = bitmap.Height();
    if (w > 65535 || h > 65535)
        throw EInvalidGraphicOperation("A GIF picture holds at most 65535 pixels a side (" + IntToStr(w) + " x " +
                                       IntToStr(h) + ")");
    bitmap.SetPixelFormat(pf8bit);
    std::vector<Byte> out{'G', 'I', 'F', '8', '9', 'a'};
    out.reserve(1024);
    Word16(out, w);
    Word16(out, h);
    out.push_back(0xE7);
    out.push_back(0);
    out.push_back(0);
    const std::vector<TColor> palette = bitmap.Palette();
    for (size_t i = 0; i < 256; ++i) {
        const TColor c = i < palette.size() ? palette[i] : 0;
        out.push_back(static_cast<Byte>(c & 0xFF));
        out.push_back(static_cast<Byte>((c >> 8) & 0xFF));
        out.push_back(static_cast<Byte>((c >> 16) & 0xFF));
    }
    for (const Byte b : {0x21, 0xF9, 4, 0, 0, 0, 0, 0}) out.push_back(b);
    for (const Byte b : {0x21, 0xFE, 10}) out.push_back(b);
    const char* comment = "ZezuDerevu";
    out.insert(out.end(), comment, comment + 10);
    out.push_back(0);
    out.push_back(0x2C);
    Word16(out, 0);
    Word16(out, 0);
    Word16(out, w);
    Word16(out, h);
    out.push_back(0);
    out.push_back(8);
    std::vector<Byte> pixels;
    pixels.reserve(static_cast<size_t>(w) * static_cast<size_t>(h));
    for (int y = 0; y < h; ++y) {
        const Byte* row = bitmap.ScanLine(y);
        pixels.insert(pixels.end(), row, row + w);
    }
    EncodeLzw(pixels, out);
    out.push_back(0);
    out.push_back(0x3B);
    stream.WriteBuffer(out.data(), static_cast<Int64>(out.size()));
}

void SaveBitmapAsGif(const String& fileName, TBitmap& bitmap) {
    TvrExportFile file(fileName);
    WriteGif(file.Stream(), bitmap);
    file.Commit();
}
