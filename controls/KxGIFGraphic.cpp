// The GIF picture as a picture of the windowing layer: bitmaps in and out, drawing, the clipboard and
// the registration with the picture class.
#include "classes/ClassRegistry.h"
#include "classes/MetaBuilder.h"
#include "controls/KxGIF.h"
#include "gui/Clipbrd.h"
#include "gui/Icon.h"
#include "gui/Picture.h"
#include "rtl/StrUtils.h"
#include "rtl/Streams.h"

#include <algorithm>
#include <cctype>
#include <cstring>

ORV_META_IMPL(TGIFImage)
void TGIFImage::DeclareMeta(meta::Class<TGIFImage>&) {}

namespace {

// A bitmap of the windowing layer as an in-memory bitmap (15- and 16-bit ones as 24 bits).
TDibBitmap DibFromBitmap(const TBitmap& source) {
    if (source.Empty()) return TDibBitmap();
    TBitmap converted;
    const TBitmap* src = &WithCodecPixelFormat(source, converted);
    const Integer bits = src->BitsPerPixel();
    TDibBitmap dib(src->Width(), src->Height(), bits);
    if (bits <= 8) {
        const std::vector<TColor> palette = src->Palette();
        for (std::size_t i = 0; i < dib.Colors.size() && i < palette.size(); ++i)
            dib.Colors[i] = TDibColor::FromRGB(KxRed(palette[i]), KxGreen(palette[i]), KxBlue(palette[i]));
    }
    const std::size_t rowBytes =
        static_cast<std::size_t>(std::min<Int64>(dib.Stride(), static_cast<Int64>(src->RowBytes())));
    for (Integer y = 0; y < dib.Height(); ++y)
        std::memcpy(dib.ScanLine(y), src->ScanLine(y), rowBytes);
    dib.Monochrome = source.Monochrome();
    dib.Transparent = source.Transparent();
    dib.TransparentColor = source.TransparentColor();
    return dib;
}

std::unique_ptr<TBitmap> BitmapFromDib(const TDibBitmap& dib) {
    if (dib.Empty()) return std::make_unique<TBitmap>();
    const TPixelFormat format = dib.BitCount() == 1    ? pf1bit
                                : dib.BitCount() == 4  ? pf4bit
                                : dib.BitCount() == 8  ? pf8bit
                                : dib.BitCount() == 24 ? pf24bit
                                                       : pf32bit;
    auto bmp = std::make_unique<TBitmap>(dib.Width(), dib.Height(), format);
    if (dib.BitCount() <= 8) {
        std::vector<TColor> palette;
        for (const TDibColor& c : dib.Colors)
            palette.push_back(c.Color());
        bmp->SetPalette(palette);
    }
    const std::size_t rowBytes =
        static_cast<std::size_t>(std::min<Int64>(dib.Stride(), static_cast<Int64>(bmp->RowBytes())));
    for (Integer y = 0; y < dib.Height(); ++y)
        std::memcpy(bmp->ScanLine(y), dib.ScanLine(y), rowBytes);
    return bmp;
}

} // namespace

void TGIFFrame::DrawFrame(TCanvas& canvas, const TRect& r, bool transparent) {
    const TDibBitmap& dib = FrameBitmap();
    if (dib.Empty()) return;
    const std::unique_ptr<TBitmap> bmp = BitmapFromDib(dib);
    const TColor key = transparent && KeyColor != kxColorNone ? (KeyColor & 0xFFFFFF) : clNone;
    canvas.StretchBlt(r, *bmp, TRect(0, 0, dib.Width(), dib.Height()), canvas.CopyMode(), key);
}

void TGIFImage::Draw(TCanvas& canvas, const TRect& r) {
    if (ActiveFrame < 0 || ActiveFrame >= FrameCount()) return;
    FrameList[ActiveFrame]->DrawFrame(canvas, r, GetTransparent());
}

void TGIFImage::Assign(const TPersistent* source) {
    if (!source) {
        AssignNothing();
        return;
    }
    TGraphic::Assign(source);
}

std::vector<TDibColor> TGIFImage::GetPalette() {
    if (FrameList.empty()) return {};
    return CurrentBitmap().Colors;
}

void TGIFImage::Assign(const TGraphic& source) {
    if (auto* gif = dynamic_cast<const TGIFImage*>(&source)) {
        Assign(*gif);
    } else if (auto* bmp = dynamic_cast<const TBitmap*>(&source)) {
        Reset();
        AddFrame(*bmp);
        Changed();
    } else {
        TGraphic::Assign(source);
    }
}

Integer TGIFImage::AddFrame(const TGraphic& graphic) {
    if (auto* gif = dynamic_cast<const TGIFImage*>(&graphic)) {
        FrameList.push_back(std::make_unique<TGIFFrame>(this));
        ActiveFrame = FrameCount() - 1;
        FrameList.back()->Assign(const_cast<TGIFImage&>(*gif));
    } else if (auto* bmp = dynamic_cast<const TBitmap*>(&graphic)) {
        AddFrame(DibFromBitmap(*bmp));
    } else if (graphic.Empty()) {
        AddFrame(TDibBitmap());
    } else {
        // Any other picture goes through a bitmap; one a bitmap cannot take is drawn onto a
        // background of $FF00FF instead.
        TBitmap bmp;
        bool drawn = false;
        try {
            bmp.Assign(graphic);
        } catch (const Exception&) {
            bmp.SetPixelFormat(pf24bit);
            bmp.SetSize(graphic.Width(), graphic.Height());
            bmp.Canvas()->Brush()->SetColor(0xFF00FF);
            bmp.Canvas()->FillRect(TRect(0, 0, graphic.Width(), graphic.Height()));
            bmp.Canvas()->Draw(0, 0, const_cast<TGraphic*>(&graphic));
            drawn = true;
        }
        TDibBitmap dib = DibFromBitmap(bmp);
        dib.Transparent = graphic.Transparent();
        dib.TransparentColor = drawn ? 0xFF00FF : bmp.TransparentColor();
        AddFrame(dib);
    }
    if (GifVersion == verNone) GifVersion = ver87a;
    if (FrameCount() > 1) GifVersion = ver89a;
    return ActiveFrame;
}

void TGIFImage::AssignTo(TGraphic& dest) {
    if (auto* gif = dynamic_cast<TGIFImage*>(&dest)) {
        gif->Assign(*this);
        return;
    }
    if (GetEmpty()) return;
    TDibBitmap dib =
        ActiveFrame < 0 ? CurrentBitmap() : FrameList[std::min(ActiveFrame, FrameCount() - 1)]->AssignTo();
    const std::unique_ptr<TBitmap> bmp = BitmapFromDib(dib);
    if (dib.Transparent) {
        bmp->SetTransparentColor(dib.TransparentColor);
        bmp->SetTransparent(true);
    }
    dest.Assign(*bmp);
}

void TGIFImage::SaveToClipboardFormat(Word& format, std::vector<Byte>& data) {
    format = 0;
    data.clear();
    if (FrameList.empty()) return;
    const bool encoded = std::all_of(FrameList.begin(), FrameList.end(),
                                     [](const auto& f) { return !f->Item().EncodedData.empty(); });
    if (encoded) {
        // The GIF with its size prefix; the clipboard adds frame 0 as a bitmap beside it.
        format = GifClipboardFormat();
        data = StoreGif(true);
    } else {
        BitmapFromDib(FrameList[0]->FrameBitmap())->SaveToClipboardFormat(format, data);
    }
}

void TGIFImage::LoadFromClipboardFormat(Word format, const std::vector<Byte>& data) {
    if (format == GifClipboardFormat()) {
        if (data.size() < 4) throw EReadError("Stream read error");
        const Int64 count = data[0] | (data[1] << 8) | (data[2] << 16) | (Int64(data[3]) << 24);
        if (count > static_cast<Int64>(data.size()) - 4) throw EReadError("Stream read error");
        LoadGif(data.data() + 4, count, false);
        if (!FrameList.empty()) ActiveFrame = 0;
        return;
    }
    TBitmap bmp;
    bmp.LoadFromClipboardFormat(format, data);
    Assign(bmp);
}

Word GifClipboardFormat() {
    static const Word format = RegisterClipboardFormat("GIF Image");
    return format;
}

Word QuornaIconFormat() {
    static const Word format = RegisterClipboardFormat("Quorna Icon");
    return format;
}

void RegisterGIFImage() {
    static const bool registered = [] {
        RegisterClass<TGIFImage>();
        auto factory = [] { return std::unique_ptr<TGraphic>(std::make_unique<TGIFImage>()); };
        auto signature = [](const Byte* data, size_t size) {
            return size >= 6 && UpCase(static_cast<char>(data[0])) == 'G' &&
                   UpCase(static_cast<char>(data[1])) == 'I' && UpCase(static_cast<char>(data[2])) == 'F' &&
                   data[3] == '8';
        };
        TPicture::RegisterFileFormat("gif", "CompuServe GIF Image", "TGIFImage", factory, signature);
        TPicture::RegisterClipboardFormat(GifClipboardFormat(), "TGIFImage", factory);
        TPicture::RegisterClipboardFormat(
            QuornaIconFormat(), "TIcon", [] { return std::unique_ptr<TGraphic>(std::make_unique<TIcon>()); });
        return true;
    }();
    (void)registered;
}

namespace {
// At start-up (this file comes with every program that uses the GIF picture).
const bool GifRegisteredAtStart = (RegisterGIFImage(), true);
} // namespace
