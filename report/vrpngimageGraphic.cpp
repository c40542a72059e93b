// The PNG picture as a picture of the windowing layer: drawing on canvases, bitmaps in and out, the
// clipboard and the registration with the picture class.
#include "classes/ClassRegistry.h"
#include "classes/MetaBuilder.h"
#include "gui/Picture.h"
#include "report/vrpngimage.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

ORV_META_IMPL(TPNGObject)
void TPNGObject::DeclareMeta(meta::Class<TPNGObject>&) {}

namespace {

// A bitmap of the windowing layer as the codec's bitmap (15- and 16-bit ones as 24 bits).
TPngBitmap PngFromBitmap(const TBitmap& source) {
    TBitmap converted;
    const TBitmap* src = &WithCodecPixelFormat(source, converted);
    const Integer bits = src->BitsPerPixel();
    TPngBitmap bmp;
    bmp.Allocate(src->Width(), src->Height(), bits);
    if (bits <= 8)
        for (TColor c : src->Palette())
            bmp.Palette.push_back(TPngRGB{Byte(c & 0xFF), Byte((c >> 8) & 0xFF), Byte((c >> 16) & 0xFF)});
    const std::size_t rowBytes = static_cast<std::size_t>(std::min<Int64>(bmp.BytesPerRow, src->RowBytes()));
    for (Integer y = 0; y < bmp.Height; ++y)
        std::memcpy(bmp.Row(y), src->ScanLine(y), rowBytes);
    return bmp;
}

// A 32-bit bitmap holding the surface's pixels, and back.
void SurfaceToBitmap(const TPngSurface& surface, TBitmap& bmp) {
    bmp.SetPixelFormat(pf32bit);
    bmp.SetSize(surface.Width, surface.Height);
    for (Integer y = 0; y < surface.Height; ++y) {
        Byte* row = bmp.ScanLine(y);
        std::memcpy(row, &surface.Pixels[static_cast<std::size_t>(y) * surface.Width * 4],
                    static_cast<std::size_t>(surface.Width) * 4);
        for (Integer x = 0; x < surface.Width; ++x)
            row[4 * x + 3] = 255;
    }
}

TPngSurface BitmapToSurface(TBitmap& bmp) {
    TPngSurface surface(bmp.Width(), bmp.Height());
    for (Integer y = 0; y < surface.Height; ++y)
        for (Integer x = 0; x < surface.Width; ++x)
            surface.SetPixel(x, y, bmp.Pixel(x, y));
    return surface;
}

// The colour shown for one pixel: its palette entry (black past the palette's end) or, for 24-bit
// pictures, the blue, green and red bytes the row holds.
TPngRGB DisplayColor(const TPngBitmap& image, Integer x, Integer y) {
    if (image.BitsPerPixel <= 8) {
        const Integer v = image.PixelIndex(x, y);
        return v < static_cast<Integer>(image.Palette.size()) ? image.Palette[v] : TPngRGB{};
    }
    const Byte* p = image.Row(y) + 3 * Int64(x);
    return TPngRGB{p[2], p[1], p[0]};
}

} // namespace

TPngSurface TPNGObject::DisplayPixels() const {
    const TChunkIHDR& header = Header();
    const TPngBitmap& image = header.Image;
    TPngSurface surface(image.Width, image.Height);
    for (Integer y = 0; y < image.Height; ++y)
        for (Integer x = 0; x < image.Width; ++x) {
            const TPngRGB p = DisplayColor(image, x, y);
            surface.SetPixel(x, y, PngRGB(p.Red, p.Green, p.Blue));
        }
    return surface;
}

void TPNGObject::Draw(TCanvas& canvas, const TRect& r) {
    if (GetEmpty()) return;
    const TPNGTransparencyMode mode = TransparencyMode();
    // A colour key cannot tell 16-bit samples apart: such images take the per-pixel path.
    if (mode == ptmNone || (mode == ptmBit && Header().BitDepth != 16)) {
        TBitmap bmp;
        const TRect dev = canvas.LPtoDP(r);
        const Integer w = std::abs(dev.Right - dev.Left), h = std::abs(dev.Bottom - dev.Top);
        const TPngBitmap& image = Header().Image;
        if (w > 0 && h > 0 && (w < image.Width || h < image.Height)) {
            // Sampled at the size drawn: a large picture in a small box costs no full-size copy.
            TPngSurface surface(std::min(w, image.Width), std::min(h, image.Height),
                                mode == ptmBit ? TransparentColor() : 0);
            DrawOnto(surface, 0, 0, surface.Width, surface.Height);
            SurfaceToBitmap(surface, bmp);
        } else {
            // The displayed colours go straight into the bitmap: no second full-size copy.
            bmp.SetPixelFormat(pf32bit);
            bmp.SetSize(image.Width, image.Height);
            for (Integer y = 0; y < image.Height; ++y) {
                Byte* out = bmp.ScanLine(y);
                for (Integer x = 0; x < image.Width; ++x, out += 4) {
                    const TPngRGB p = DisplayColor(image, x, y);
                    out[0] = p.Blue;
                    out[1] = p.Green;
                    out[2] = p.Red;
                    out[3] = 255;
                }
            }
        }
        canvas.StretchBlt(r, bmp, TRect(0, 0, bmp.Width(), bmp.Height()), cmSrcCopy,
                          mode == ptmBit ? TransparentColor() : clNone);
        return;
    }
    TRect area(std::min(r.Left, r.Right), std::min(r.Top, r.Bottom), std::max(r.Left, r.Right),
               std::max(r.Top, r.Bottom));
    const Integer w = area.Right - area.Left, h = area.Bottom - area.Top;
    if (w == 0 || h == 0) return;
    // What the canvas holds under the rectangle, blended with the image and put back.
    TBitmap back(w, h, pf32bit);
    back.Canvas()->CopyRect(TRect(0, 0, w, h), &canvas, area);
    TPngSurface surface = BitmapToSurface(back);
    DrawOnto(surface, 0, 0, w, h);
    SurfaceToBitmap(surface, back);
    canvas.StretchBlt(area, back, TRect(0, 0, w, h), cmSrcCopy);
}

void TPNGObject::Assign(const TGraphic& source) {
    if (auto* png = dynamic_cast<const TPNGObject*>(&source)) {
        Assign(*png);
    } else if (auto* bmp = dynamic_cast<const TBitmap*>(&source)) {
        if (bmp->Empty()) {
            Chunks.Clear();
            Changed();
            return;
        }
        AssignBitmap(PngFromBitmap(*bmp), bmp->Transparent(), bmp->TransparentColor());
    } else {
        TGraphic::Assign(source);
    }
}

void TPNGObject::Assign(const TPersistent* source) {
    if (!source) {
        Chunks.Clear();
        FTransparent = false;
        Changed();
        return;
    }
    TGraphic::Assign(source);
}

std::vector<TPngRGB> TPNGObject::GetPalette() const {
    auto* header = Chunks.Count() > 0 ? dynamic_cast<TChunkIHDR*>(Chunks.Item(0)) : nullptr;
    if (!header || header->Image.BitsPerPixel > 8) return {};
    return header->Image.Palette;
}

void TPNGObject::SetPalette(const std::vector<TPngRGB>& colors) {
    TChunkIHDR& header = Header();
    TPngBitmap& image = header.Image;
    if (image.BitsPerPixel > 8) return;
    const std::size_t count = std::min(colors.size(), image.Palette.size());
    std::copy(colors.begin(), colors.begin() + static_cast<std::ptrdiff_t>(count), image.Palette.begin());
    Changed();
}

void TPNGObject::AssignTo(TGraphic& dest) {
    if (auto* png = dynamic_cast<TPNGObject*>(&dest)) {
        png->Assign(*this);
        return;
    }
    auto* bmp = dynamic_cast<TBitmap*>(&dest);
    if (!bmp) throw EConvertError("Cannot assign a " + ClassName() + " to a " + dest.ClassName());
    if (GetEmpty()) return;
    const TChunkIHDR& header = Header();
    const TPNGTransparencyMode mode = TransparencyMode();
    TPixelFormat format;
    if (mode == ptmPartial)
        format = pf24bit;
    else if (header.BitDepth == 1)
        format = pf1bit;
    else if (header.BitDepth == 2 || header.BitDepth == 4)
        format = pf4bit;
    else if (header.BitDepth == 8 || header.BitDepth == 16)
        format = header.ColorType == 3 ? pf8bit : pf24bit;
    else
        throw Exception("");
    bmp->SetPixelFormat(format);
    if (format != pf24bit) {
        std::vector<TColor> palette;
        for (const TPngRGB& c : header.Image.Palette)
            palette.push_back(PngRGB(c.Red, c.Green, c.Blue));
        bmp->SetPalette(palette);
    }
    bmp->SetSize(GetWidth(), GetHeight());
    Draw(*bmp->Canvas(), TRect(0, 0, GetWidth(), GetHeight()));
    if (mode == ptmBit) {
        bmp->SetTransparentColor(TransparentColor());
        bmp->SetTransparent(true);
    }
}

void TPNGObject::SaveToClipboardFormat(Word& format, std::vector<Byte>& data) {
    TBitmap bmp(std::max(GetWidth(), 0), std::max(GetHeight(), 0), pf24bit);
    if (!GetEmpty()) Draw(*bmp.Canvas(), TRect(0, 0, GetWidth(), GetHeight()));
    bmp.SaveToClipboardFormat(format, data);
}

void TPNGObject::LoadFromClipboardFormat(Word format, const std::vector<Byte>& data) {
    TBitmap bmp;
    bmp.LoadFromClipboardFormat(format, data);
    AssignBitmap(PngFromBitmap(bmp), false, 0);
}

void RegisterPNGObject() {
    static const bool registered = [] {
        RegisterClass<TPNGObject>();
        for (const auto& f : TPicture::FileFormats())
            if (f.Extension == "png") return true;
        TPicture::RegisterFileFormat(
            "png", "Portable Network Graphics", "TPNGObject",
            [] { return std::unique_ptr<TGraphic>(std::make_unique<TPNGObject>()); },
            [](const Byte* data, size_t size) {
                static const Byte signature[8] = {0x89, 0x50, 0x4E, 0x47, 0x0D, 0x0A, 0x1A, 0x0A};
                return size >= 8 && std::memcmp(data, signature, 8) == 0;
            });
        return true;
    }();
    (void)registered;
}

namespace {
// At start-up (this file comes with every program that uses the PNG picture).
const bool PngRegisteredAtStart = (RegisterPNGObject(), true);
} // namespace
