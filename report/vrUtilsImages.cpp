// Picture drawing for screen and printer, masked bitmaps and cutting button strips into image
// lists.
#include "gui/Bitmap.h"
#include "gui/ImgList.h"
#include "gui/Metafile.h"
#include "report/vrUtils.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

// A bitmap's pixels as 24-bit rows (B, G, R), read once.
struct TPixels {
    int W = 0;
    int H = 0;
    std::vector<Byte> Rgb; // W * 3 bytes per row

    explicit TPixels(const TBitmap& bitmap) {
        TBitmap copy;
        copy.Assign(bitmap);
        copy.SetPixelFormat(pf24bit);
        W = copy.Width();
        H = copy.Height();
        Rgb.resize(static_cast<size_t>(W) * static_cast<size_t>(H) * 3);
        for (int y = 0; y < H; ++y)
            std::memcpy(Row(y), copy.ScanLine(y), static_cast<size_t>(W) * 3);
    }
    Byte* Row(int y) { return Rgb.data() + static_cast<size_t>(y) * static_cast<size_t>(W) * 3; }
    const Byte* Row(int y) const { return Rgb.data() + static_cast<size_t>(y) * static_cast<size_t>(W) * 3; }
};

// The source pixels one target pixel covers along an axis, with the share of each.
struct TSpan {
    int First = 0;
    std::vector<double> Weights;
};

std::vector<TSpan> Spans(int source, int target) {
    std::vector<TSpan> spans(static_cast<size_t>(target));
    const double scale = static_cast<double>(source) / target;
    for (int t = 0; t < target; ++t) {
        const double from = t * scale, to = (t + 1) * scale;
        TSpan& s = spans[static_cast<size_t>(t)];
        s.First = static_cast<int>(from);
        for (int i = s.First; i < source && i < to; ++i)
            s.Weights.push_back(std::min<double>(i + 1, to) - std::max<double>(i, from));
    }
    return spans;
}

// B, G, R of a colour value (red in the low byte).
void ColorBytes(TColor color, Byte* bgr) {
    const unsigned rgb = static_cast<unsigned>(color);
    bgr[0] = static_cast<Byte>((rgb >> 16) & 0xFF);
    bgr[1] = static_cast<Byte>((rgb >> 8) & 0xFF);
    bgr[2] = static_cast<Byte>(rgb & 0xFF);
}

// The bitmap shrunk to width x height by the halftone rule: every target pixel is the average of
// the source pixels it covers, weighted by the share covered. With a key colour (>= 0) the key's
// pixels stay out of the averages, and a target pixel covering more key than other pixels takes
// the key; an averaged pixel that happens to equal the key is moved off it by one step of blue.
// darkest takes the darkest covered pixel instead of the average (black wins, for monochrome).
std::unique_ptr<TBitmap> Shrink(const TBitmap& bitmap, int width, int height, TColor key, bool darkest) {
    const TPixels src(bitmap);
    Byte keyBytes[3] = {0, 0, 0};
    if (key >= 0) ColorBytes(key, keyBytes);
    const std::vector<TSpan> xs = Spans(src.W, width), ys = Spans(src.H, height);
    auto result = std::make_unique<TBitmap>(width, height, pf24bit);
    for (int ty = 0; ty < height; ++ty) {
        Byte* out = result->ScanLine(ty);
        const TSpan& sy = ys[static_cast<size_t>(ty)];
        for (int tx = 0; tx < width; ++tx, out += 3) {
            const TSpan& sx = xs[static_cast<size_t>(tx)];
            double sum[3] = {0, 0, 0}, opaque = 0, clear = 0;
            int dark[3] = {255, 255, 255};
            for (size_t j = 0; j < sy.Weights.size(); ++j) {
                const Byte* row = src.Row(sy.First + static_cast<int>(j));
                for (size_t i = 0; i < sx.Weights.size(); ++i) {
                    const Byte* p = row + static_cast<size_t>(sx.First + static_cast<int>(i)) * 3;
                    const double w = sy.Weights[j] * sx.Weights[i];
                    if (key >= 0 && p[0] == keyBytes[0] && p[1] == keyBytes[1] && p[2] == keyBytes[2]) {
                        clear += w;
                        continue;
                    }
                    opaque += w;
                    for (int c = 0; c < 3; ++c) {
                        sum[c] += w * p[c];
                        dark[c] = std::min<int>(dark[c], p[c]);
                    }
                }
            }
            if (opaque <= 0 || clear > opaque) {
                std::memcpy(out, keyBytes, 3);
                continue;
            }
            for (int c = 0; c < 3; ++c)
                out[c] = darkest ? static_cast<Byte>(dark[c]) : static_cast<Byte>(sum[c] / opaque + 0.5);
            if (key >= 0 && std::memcmp(out, keyBytes, 3) == 0) out[0] = out[0] > 0 ? out[0] - 1 : 1;
        }
    }
    return result;
}

// Stretches the bitmap into rect, shrinking it first by the halftone rule where the rectangle
// has fewer device pixels than the bitmap; enlarging repeats pixels. key < 0: no transparency.
void StretchInto(TCanvas* canvas, const TRect& rect, TBitmap* bitmap, TColor key) {
    if (!canvas || !bitmap || bitmap->Empty()) return;
    const TRect dev = canvas->LPtoDP(rect);
    const int devW = std::abs(dev.Right - dev.Left), devH = std::abs(dev.Bottom - dev.Top);
    if (devW == 0 || devH == 0) return;
    const int w = std::min(devW, bitmap->Width()), h = std::min(devH, bitmap->Height());
    if (w == bitmap->Width() && h == bitmap->Height()) {
        canvas->StretchBlt(rect, *bitmap, TRect(0, 0, w, h), cmSrcCopy, key >= 0 ? key : clNone);
        return;
    }
    const std::unique_ptr<TBitmap> shrunk = Shrink(*bitmap, w, h, key, bitmap->Monochrome());
    canvas->StretchBlt(rect, *shrunk, TRect(0, 0, w, h), cmSrcCopy, key >= 0 ? key : clNone);
}

} // namespace

void StretchBitmapHalftone(TCanvas* canvas, const TRect& rect, TBitmap* bitmap) {
    StretchInto(canvas, rect, bitmap, -1);
}

void StretchBitmapAsDIB(TCanvas* canvas, const TRect& rect, TBitmap* bitmap) {
    StretchInto(canvas, rect, bitmap, -1);
}

void BlitTransparent(TCanvas* canvas, const TRect& rect, TBitmap* bitmap, TColor transparentColor,
                     bool useDIB) {
    (void)useDIB;
    if (!bitmap) return;
    if (transparentColor == clDefault) transparentColor = bitmap->TransparentColor();
    const TColor key =
        transparentColor == clNone ? -1 : static_cast<TColor>(ColorToPixelRGB(transparentColor));
    StretchInto(canvas, rect, bitmap, key);
}

void DrawPictureGraphic(TCanvas* canvas, const TRect& rect, TGraphic* graphic, bool isPrinting,
                        bool highQuality, bool transparent, TColor transparentColor) {
    if (!canvas) return;
    canvas->Brush()->SetColor(clWhite);
    if (!graphic || graphic->Empty()) return;
    auto* bitmap = dynamic_cast<TBitmap*>(graphic);
    const bool metafile = dynamic_cast<TMetafile*>(graphic) != nullptr;
    if (!metafile && (isPrinting || highQuality || (graphic->Transparent() && !bitmap))) {
        // Drawn once at its own size (on white), then stretched with the better stretch.
        TBitmap temp(graphic->Width(), graphic->Height(), isPrinting ? pf32bit : pf24bit);
        temp.Canvas()->Draw(0, 0, graphic);
        if (transparent)
            BlitTransparent(canvas, rect, &temp, transparentColor, isPrinting);
        else if (isPrinting)
            StretchBitmapAsDIB(canvas, rect, &temp);
        else
            StretchBitmapHalftone(canvas, rect, &temp);
        return;
    }
    graphic->SetTransparent(transparent);
    if (bitmap && bitmap->Transparent())
        BlitTransparent(canvas, rect, bitmap, transparentColor, false);
    else
        canvas->StretchDraw(rect, graphic);
}

std::unique_ptr<TBitmap> ShrinkGraphic(TGraphic* graphic, int width, int height, TColor key) {
    if (!graphic || graphic->Empty() || width <= 0 || height <= 0) return nullptr;
    constexpr int samples = 4;
    const int w = std::min(graphic->Width(), width * samples), h = std::min(graphic->Height(), height * samples);
    TBitmap sample(w, h, pf24bit);
    TCanvas* canvas = sample.Canvas();
    canvas->Brush()->SetColor(key >= 0 ? key : clWhite);
    canvas->FillRect(TRect(0, 0, w, h));
    canvas->StretchDraw(TRect(0, 0, w, h), graphic);
    auto* bitmap = dynamic_cast<TBitmap*>(graphic);
    return Shrink(sample, std::min(width, w), std::min(height, h), key, bitmap && bitmap->Monochrome());
}

void DrawMaskedBitmap(TCanvas* canvas, int x, int y, TBitmap* bitmap) {
    if (!canvas || !bitmap || bitmap->Empty()) return;
    TImageList list(bitmap->Width(), bitmap->Height());
    list.AddMasked(bitmap, bitmap->TransparentColor());
    list.Draw(canvas, x, y, 0, true);
}

void SplitBitmapIntoImageLists(TBitmap* bitmap, int cellWidth, int cellHeight, TImageList* images,
                               TImageList* secondImages) {
    if (!bitmap || bitmap->Empty() || !images || cellWidth <= 0 || cellHeight <= 0) return;
    const TPixels strip(*bitmap);
    auto addCell = [&](int left, int top, TImageList* list) {
        TBitmap cell(cellWidth, cellHeight, pf24bit);
        const int inside = std::max(0, std::min(cellWidth, strip.W - left));
        for (int y = 0; y < cellHeight; ++y) {
            Byte* row = cell.ScanLine(y);
            std::memset(row, 0xFF, static_cast<size_t>(cellWidth) * 3);
            if (top + y < strip.H && inside > 0)
                std::memcpy(row, strip.Row(top + y) + static_cast<size_t>(left) * 3,
                            static_cast<size_t>(inside) * 3);
        }
        list->AddMasked(&cell, cell.TransparentColor());
    };
    for (int top = 0; top < strip.H; top += cellHeight)
        for (int left = 0; left < strip.W;) {
            addCell(left, top, images);
            left += cellWidth;
            if (secondImages) {
                addCell(left, top, secondImages);
                left += cellWidth;
            }
        }
}
