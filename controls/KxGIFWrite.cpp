// Writing GIF files from frames.
#include "controls/KxGIF.h"

#include <algorithm>

namespace {

void PutWord(std::vector<Byte>& out, Integer v) {
    v = std::clamp(v, 0, 0xFFFF);
    out.push_back(static_cast<Byte>(v & 0xFF));
    out.push_back(static_cast<Byte>(v >> 8));
}

// Each line as sub-blocks of at most 255 bytes (a longer line takes several), then the terminator.
void PutLines(std::vector<Byte>& out, const std::vector<String>& lines) {
    for (const String& line : lines) {
        for (std::size_t at = 0; at < line.size(); at += 255) {
            const std::size_t n = std::min<std::size_t>(255, line.size() - at);
            out.push_back(static_cast<Byte>(n));
            out.insert(out.end(), line.begin() + at, line.begin() + at + n);
        }
    }
    out.push_back(0);
}

// A colour table of 2^bits entries (entries past the palette's count are black).
void PutPalette(std::vector<Byte>& out, const TGifPalette& palette, Integer bits) {
    const Integer count = 1 << bits;
    for (Integer i = 0; i < count; ++i)
        for (Integer c = 0; c < 3; ++c)
            out.push_back(i < palette.Count ? palette.Entries[i][c] : 0);
}

// Brings the frame's graphic control extension up to date with its delay, key colour and disposal.
void UpdateGraphicControl(TGIFFrame& frame, TGIFVersion& version) {
    TExtension* gce = frame.GraphicControl();
    if (!gce && (frame.DelayMs != 0 || frame.KeyColor != kxColorNone || frame.DisposalCode != 0)) {
        auto ext = std::make_unique<TExtension>();
        ext->ExtKind = ekGraphicControl;
        ext->ExtHeader = {4, 0, 0, 0, 0, 0};
        gce = ext.get();
        frame.FrameExtensions.push_back(std::move(ext));
    }
    if (gce) {
        gce->ExtHeader.resize(6, 0);
        gce->ExtHeader[0] = 4;
        const Integer delay = std::clamp(frame.DelayMs / 10, 0, 0xFFFF);
        gce->ExtHeader[2] = static_cast<Byte>(delay & 0xFF);
        gce->ExtHeader[3] = static_cast<Byte>(delay >> 8);
        const TGifPalette& palette = frame.Item().FramePalette;
        Integer index = -1;
        if (frame.KeyColor != kxColorNone) {
            const Integer kept = frame.TransparentIndex;
            if (kept >= 0 && kept < palette.Count && palette.Color(kept) == (frame.KeyColor & 0xFFFFFF))
                index = kept;
            else
                index = palette.IndexOf(frame.KeyColor);
        }
        Byte flags = gce->ExtHeader[1];
        if (index >= 0) {
            gce->ExtHeader[4] = static_cast<Byte>(index);
            flags |= 1;
        } else {
            flags &= static_cast<Byte>(~1);
        }
        flags = static_cast<Byte>((flags & ~0x1C) | ((frame.DisposalCode & 7) << 2));
        gce->ExtHeader[1] = flags;
        gce->ExtHeader[5] = 0;
    }
    auto& exts = frame.FrameExtensions;
    exts.erase(std::remove_if(exts.begin(), exts.end(),
                              [](const std::unique_ptr<TExtension>& e) {
                                  return e->ExtKind == ekComment && e->ExtLines.empty();
                              }),
               exts.end());
    if (!exts.empty()) version = ver89a;
}

void PutExtension(std::vector<Byte>& out, const TExtension& ext) {
    out.push_back(GifExtensionIntroducer);
    switch (ext.ExtKind) {
    case ekGraphicControl:
        out.push_back(GifLabelGraphicControl);
        out.insert(out.end(), ext.ExtHeader.begin(), ext.ExtHeader.end());
        break;
    case ekPlainText:
        out.push_back(GifLabelPlainText);
        out.insert(out.end(), ext.ExtHeader.begin(), ext.ExtHeader.end());
        PutLines(out, ext.ExtLines);
        break;
    case ekApplication:
        out.push_back(GifLabelApplication);
        out.insert(out.end(), ext.ExtHeader.begin(), ext.ExtHeader.end());
        PutLines(out, ext.ExtLines);
        break;
    case ekComment:
        out.push_back(GifLabelComment);
        PutLines(out, ext.ExtLines);
        break;
    }
}

} // namespace

std::vector<Byte> TGIFImage::StoreGif(bool withSizePrefix) {
    if (FrameList.empty()) throw EGIFImageError("No GIF Data to write");
    for (auto& frame : FrameList)
        if (frame->Item().EncodedData.empty()) frame->EncodeBitmap();
    for (auto& frame : FrameList)
        UpdateGraphicControl(*frame, GifVersion);
    const TGIFData& gif = *GifData;
    const bool loop = LoopAnimation && FrameCount() > 1;
    // Extensions exist only from 89a on.
    if (!gif.Remarks.empty() || loop) GifVersion = ver89a;

    std::vector<Byte> out;
    const char* head = GifVersion == ver89a ? "GIF89a" : "GIF87a";
    out.insert(out.end(), head, head + 6);

    UpdateLogicalSize();
    PutWord(out, LogicalWidth);
    PutWord(out, LogicalHeight);
    const TGifPalette& global = gif.GlobalPalette;
    if (global.Count > 0) {
        const Integer bits = BitsToHoldColors(global.Count);
        out.push_back(static_cast<Byte>(0x80 | ((bits - 1) << 4) | (bits - 1)));
        out.push_back(static_cast<Byte>(std::max(global.IndexOf(BackdropColor), 0)));
        out.push_back(gif.AspectRatio);
        PutPalette(out, global, bits);
    } else {
        out.push_back(0);
        out.push_back(0);
        out.push_back(gif.AspectRatio);
    }

    if (loop) {
        static const char id[] = "NETSCAPE2.0";
        out.push_back(GifExtensionIntroducer);
        out.push_back(GifLabelApplication);
        out.push_back(11);
        out.insert(out.end(), id, id + 11);
        out.push_back(3);
        out.push_back(1);
        PutWord(out, LoopCount);
        out.push_back(0);
    }

    for (auto& frame : FrameList) {
        for (auto& ext : frame->FrameExtensions)
            PutExtension(out, *ext);
        TGIFItem& item = frame->Item();
        out.push_back(GifImageIntroducer);
        PutWord(out, frame->FrameLeft);
        PutWord(out, frame->FrameTop);
        PutWord(out, item.Width);
        PutWord(out, item.Height);
        Byte flags = 0;
        Integer bits = 0;
        if (frame->OwnPalette) {
            bits = BitsToHoldColors(item.FramePalette.Count);
            item.BitsPerPixel = bits;
            flags |= static_cast<Byte>(0x80 | (bits - 1));
        }
        if (frame->InterlacedRows) flags |= 0x40;
        out.push_back(flags);
        if (frame->OwnPalette) PutPalette(out, item.FramePalette, bits);
        out.insert(out.end(), item.EncodedData.begin(), item.EncodedData.end());
    }

    if (!gif.Remarks.empty()) {
        out.push_back(GifExtensionIntroducer);
        out.push_back(GifLabelComment);
        PutLines(out, gif.Remarks);
    }
    out.push_back(GifTrailer);

    if (!withSizePrefix) return out;
    std::vector<Byte> prefixed;
    prefixed.reserve(out.size() + 4);
    const UInt64 size = out.size();
    for (int i = 0; i < 4; ++i)
        prefixed.push_back(static_cast<Byte>((size >> (8 * i)) & 0xFF));
    prefixed.insert(prefixed.end(), out.begin(), out.end());
    return prefixed;
}
