// Reading GIF87a and GIF89a files into frames.
#include "controls/KxGIF.h"
#include "rtl/Format.h"
#include "rtl/StrUtils.h"

#include <algorithm>
#include <cctype>
#include <cstring>

// Bounded reads over the bytes of a GIF file: reads past the end give zeros and never move on.
class TGifByteReader {
public:
    TGifByteReader(const Byte* data, std::size_t size) : FData(data), FSize(size) {}
    bool AtEnd() const { return FPos >= FSize; }
    std::size_t Remaining() const { return FSize - FPos; }
    Byte ReadByte() { return FPos < FSize ? FData[FPos++] : 0; }
    Integer ReadWord() {
        const Integer lo = ReadByte();
        return lo | (ReadByte() << 8);
    }
    // Copies up to n bytes; returns how many were there.
    std::size_t Read(Byte* dest, std::size_t n) {
        n = std::min(n, Remaining());
        if (n > 0) std::memcpy(dest, FData + FPos, n);
        FPos += n;
        return n;
    }
    void Skip(std::size_t n) { FPos += std::min(n, Remaining()); }
    void SkipToEnd() { FPos = FSize; }
    const Byte* Here() const { return FData + FPos; }
    // The next non-zero byte, or 0 at the end of the data.
    Byte NextSeparator() {
        while (FPos < FSize) {
            const Byte b = FData[FPos++];
            if (b != 0) return b;
        }
        return 0;
    }

private:
    const Byte* FData;
    std::size_t FSize;
    std::size_t FPos = 0;
};

namespace {

bool SameText3(const Byte* p, const char* text) {
    for (int i = 0; i < 3; ++i)
        if (UpCase(static_cast<char>(p[i])) != UpCase(text[i])) return false;
    return true;
}

// Data sub-blocks: one line per non-empty block, up to the zero block or the end of the data.
void ReadSubBlocks(TGifByteReader& in, std::vector<String>* lines) {
    while (!in.AtEnd()) {
        const std::size_t size = in.ReadByte();
        if (size == 0) return;
        const std::size_t n = std::min(size, in.Remaining());
        if (lines) lines->emplace_back(reinterpret_cast<const char*>(in.Here()), n);
        in.Skip(n);
    }
}

// A loop extension: an application block of exactly the 11 bytes "NETSCAPE2.0" or "ANIMEXTS1.0"
// whose first sub-block holds 1 and the 16-bit count.
bool IsLoopExtension(const TExtension& ext) {
    if (ext.ExtKind != ekApplication || ext.ExtLines.empty()) return false;
    if (ext.ExtHeader.size() != 12 || ext.ExtHeader[0] != 11) return false;
    const char* id = reinterpret_cast<const char*>(ext.ExtHeader.data() + 1);
    if (std::memcmp(id, "NETSCAPE2.0", 11) != 0 && std::memcmp(id, "ANIMEXTS1.0", 11) != 0) return false;
    const String& line = ext.ExtLines[0];
    return line.size() >= 3 && static_cast<Byte>(line[0]) == 1;
}

} // namespace

std::unique_ptr<TExtension> TGIFImage::ReadExtension(TGifByteReader& in) {
    const Byte label = in.ReadByte();
    auto ext = std::make_unique<TExtension>();
    switch (label) {
    case GifLabelGraphicControl: {
        // Block size (4), flags, delay, transparent index; any further bytes and sub-blocks are skipped.
        ext->ExtKind = ekGraphicControl;
        const std::size_t size = in.ReadByte();
        Byte fields[4] = {0, 0, 0, 0};
        const std::size_t n = in.Read(fields, std::min<std::size_t>(size, 4));
        if (size > n) in.Skip(size - n);
        ext->ExtHeader = {4, fields[0], fields[1], fields[2], fields[3], 0};
        ReadSubBlocks(in, nullptr);
        break;
    }
    case GifLabelComment:
        ext->ExtKind = ekComment;
        ReadSubBlocks(in, &ext->ExtLines);
        break;
    case GifLabelPlainText:
    case GifLabelApplication: {
        ext->ExtKind = label == GifLabelPlainText ? ekPlainText : ekApplication;
        const std::size_t size = in.ReadByte();
        ext->ExtHeader.assign(1 + size, 0);
        ext->ExtHeader[0] = static_cast<Byte>(size);
        ext->ExtHeader.resize(1 + in.Read(ext->ExtHeader.data() + 1, size));
        ReadSubBlocks(in, &ext->ExtLines);
        break;
    }
    default:
        throw EGIFImageError("Unrecognized extension block: " + IntToHex(Integer(label), 2));
    }
    return ext;
}

void TGIFImage::ReadFrame(TGifByteReader& in, TGIFFrame& frame) {
    TGIFItem& item = frame.Item();
    const Integer left = in.ReadWord(), top = in.ReadWord();
    Integer width = in.ReadWord(), height = in.ReadWord();
    const Byte flags = in.ReadByte();
    frame.InterlacedRows = (flags & 0x40) != 0;
    if (flags & 0x80) {
        const Integer bits = (flags & 7) + 1;
        item.BitsPerPixel = bits;
        item.FramePalette.Count = 1 << bits;
        in.Read(&item.FramePalette.Entries[0][0], static_cast<std::size_t>(3) << bits);
        frame.OwnPalette = true;
    } else {
        item.FramePalette.Clear();
        frame.OwnPalette = false;
    }
    // The encoded data as it stands: code size byte, sub-blocks, terminator.
    if (!in.AtEnd()) item.EncodedData.push_back(in.ReadByte());
    while (!in.AtEnd()) {
        const std::size_t size = in.ReadByte();
        if (size == 0) {
            item.EncodedData.push_back(0);
            break;
        }
        if (size > in.Remaining()) {
            frame.DamagedData = true;
            in.SkipToEnd();
            break;
        }
        item.EncodedData.push_back(static_cast<Byte>(size));
        item.EncodedData.insert(item.EncodedData.end(), in.Here(), in.Here() + size);
        in.Skip(size);
    }
    if (width == 0) width = LogicalWidth;
    if (height == 0) height = LogicalHeight;
    frame.FrameLeft = left;
    frame.FrameTop = top;
    item.Width = width;
    item.Height = height;
    item.DescriptorFlags = flags;
    if (!frame.OwnPalette) {
        if (GifData->GlobalPalette.Count > 0) {
            item.FramePalette = GifData->GlobalPalette;
        } else {
            // No colour table at all: a grey ramp of 2^code size entries.
            const Integer codeSize = item.EncodedData.empty() ? 8 : item.EncodedData[0];
            const Integer bits = std::clamp(codeSize, 1, 8);
            const Integer count = 1 << bits;
            item.BitsPerPixel = bits;
            item.FramePalette.Count = count;
            for (Integer i = 0; i < count; ++i) {
                const Byte v = static_cast<Byte>(i * 255 / (count - 1));
                item.FramePalette.Entries[i][0] = item.FramePalette.Entries[i][1] =
                    item.FramePalette.Entries[i][2] = v;
            }
        }
    }
    for (auto& ext : frame.FrameExtensions) {
        if (ext->ExtKind != ekGraphicControl || ext->ExtHeader.size() < 6) continue;
        const Byte gceFlags = ext->ExtHeader[1];
        const Integer delay = ext->ExtHeader[2] | (ext->ExtHeader[3] << 8);
        const Integer index = ext->ExtHeader[4];
        frame.DelayMs = std::max(frame.DelayMs, delay * 10);
        if (gceFlags & 1) {
            if (index < item.FramePalette.Count) {
                frame.KeyColor = item.FramePalette.Color(index);
                frame.TransparentIndex = index;
            }
        } else {
            frame.KeyColor = kxColorNone;
            frame.TransparentIndex = -1;
        }
        frame.DisposalCode = (gceFlags >> 2) & 7;
    }
}

void TGIFImage::LoadGif(const Byte* data, Int64 count, bool decodeFirstFrame) {
    Reset();
    if (count <= 0 || data == nullptr) return;
    TGifByteReader in(data, static_cast<std::size_t>(count));
    Byte head[6] = {0, 0, 0, 0, 0, 0};
    in.Read(head, 6);
    if (!SameText3(head, "GIF")) throw EGIFImageError("Unknown GIF version");
    if (SameText3(head + 3, "87a"))
        GifVersion = ver87a;
    else if (SameText3(head + 3, "89a"))
        GifVersion = ver89a;
    else
        throw EGIFImageError("Unknown GIF version");

    LogicalWidth = in.ReadWord();
    LogicalHeight = in.ReadWord();
    const Byte flags = in.ReadByte();
    const Integer background = in.ReadByte();
    TGIFData& gif = *GifData;
    gif.AspectRatio = in.ReadByte();
    gif.BitsPerPixel = (flags & 7) + 1;
    gif.ColorResolution = ((flags >> 4) & 7) + 1;
    if (flags & 0x80) {
        gif.GlobalPalette.Count = 1 << gif.BitsPerPixel;
        in.Read(&gif.GlobalPalette.Entries[0][0], static_cast<std::size_t>(3) << gif.BitsPerPixel);
        if (background < gif.GlobalPalette.Count) BackdropColor = gif.GlobalPalette.Color(background);
    }

    Byte separator = in.NextSeparator();
    std::vector<std::unique_ptr<TExtension>> gathered;
    while (separator != 0 && separator != GifTrailer && !in.AtEnd()) {
        while (separator == GifExtensionIntroducer) {
            std::unique_ptr<TExtension> ext = ReadExtension(in);
            if (ext->ExtKind == ekPlainText) {
                gathered.clear();
            } else if (ext->ExtKind == ekApplication) {
                if (IsLoopExtension(*ext)) {
                    const String& line = ext->ExtLines[0];
                    LoopAnimation = true;
                    LoopCount = static_cast<Word>(
                        std::min(static_cast<Byte>(line[1]) + 256 * static_cast<Byte>(line[2]), 30000));
                }
            } else {
                gathered.push_back(std::move(ext));
            }
            separator = in.AtEnd() ? GifTrailer : in.NextSeparator();
        }
        if (separator == GifImageIntroducer) {
            auto frame = std::make_unique<TGIFFrame>(this);
            if (gif.GlobalPalette.Count > 0)
                frame->Item().BitsPerPixel = BitsForColorCount(gif.GlobalPalette.Count);
            frame->FrameExtensions = std::move(gathered);
            gathered.clear();
            ReadFrame(in, *frame);
            FrameList.push_back(std::move(frame));
            separator = in.AtEnd() ? GifTrailer : in.NextSeparator();
            if (separator != GifExtensionIntroducer && separator != GifImageIntroducer &&
                separator != GifTrailer)
                separator = 0;
        } else if (gif.Remarks.empty() && !gathered.empty()) {
            bool first = true;
            for (auto& ext : gathered) {
                if (ext->ExtKind != ekComment) continue;
                if (!first) gif.Remarks.push_back("\r\n\r\n");
                first = false;
                gif.Remarks.insert(gif.Remarks.end(), ext->ExtLines.begin(), ext->ExtLines.end());
            }
            gathered.clear();
        } else {
            gathered.clear();
            if (separator != 0 && separator != GifTrailer) throw EGIFImageError("Stream read error");
        }
    }
    if (!FrameList.empty()) {
        ActiveFrame = 0;
        if (decodeFirstFrame) {
            try {
                FrameList[0]->FrameBitmap();
            } catch (...) {
                FrameList.erase(FrameList.begin());
                ActiveFrame = FrameList.empty() ? -1 : 0;
                throw;
            }
        }
    }
    PaletteModified = true;
    Changed();
}
