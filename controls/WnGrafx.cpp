#include "controls/WnGrafx.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <functional>

#include "gui/Forms.h"

namespace {

// The three channels of a colour ramp in 16.16 fixed point.
struct TRamp {
    int Acc[3];
    int Inc[3];
    TRamp(TColorRef from, TColorRef to, int n) {
        const int f[3] = {GetRValue(from), GetGValue(from), GetBValue(from)};
        const int t[3] = {GetRValue(to), GetGValue(to), GetBValue(to)};
        for (int i = 0; i < 3; ++i) {
            Acc[i] = f[i] << 16;
            Inc[i] = n > 0 ? ((t[i] << 16) - Acc[i]) / n : 0;
        }
    }
    TColor Colour() const { return static_cast<TColor>(RGB(Acc[0] >> 16, Acc[1] >> 16, Acc[2] >> 16)); }
    void Advance() {
        for (int i = 0; i < 3; ++i)
            Acc[i] += Inc[i];
    }
};

int MinBandWidth(Byte steps, int over) {
    if (steps <= 8) return std::max<int>(steps, 1);
    return over / steps + 1;
}

// Groups consecutive steps into bands: a band ends at the first step of another colour once it is
// at least MinWidth steps wide. Paint(colour, first step, last step) runs once per band.
class TBander {
public:
    template <class F> TBander(int minWidth, F paint) : FMin(minWidth), FPaint(std::move(paint)) {}
    void Step(TColor colour, int index) {
        if (FCount > 0 && colour != FColour && FCount >= FMin) Flush();
        if (FCount == 0) {
            FColour = colour;
            FFirst = index;
        }
        FLast = index;
        ++FCount;
    }
    void Flush() {
        if (FCount > 0) FPaint(FColour, FFirst, FLast);
        FCount = 0;
    }

private:
    int FMin;
    std::function<void(TColor, int, int)> FPaint;
    TColor FColour = 0;
    int FFirst = 0, FLast = 0, FCount = 0;
};

void FillSolid(TCanvas* dc, const TRect& r, TColor colour) {
    dc->Brush()->SetStyle(bsSolid);
    dc->Brush()->SetColor(colour);
    dc->FillRect(r);
}

// One run of a linear ramp: positions First down to Last, the pixel before each position taking
// the step's colour.
void LinearRun(TCanvas* dc, bool alongX, int first, int last, TColorRef begin, TColorRef target,
               int minWidth) {
    const int n = first - last + 1;
    if (n <= 0) return;
    TRamp ramp(begin, target, n);
    TBander bands(minWidth, [&](TColor c, int firstPos, int lastPos) {
        // Pixels lastPos - 1 .. firstPos - 1.
        const TRect r = alongX ? TRect(lastPos - 1, 0, firstPos, 8) : TRect(0, lastPos - 1, 8, firstPos);
        FillSolid(dc, r, c);
    });
    for (int pos = first; pos >= last; --pos) {
        bands.Step(ramp.Colour(), pos);
        ramp.Advance();
    }
    bands.Flush();
}

std::uint32_t* Row(TBitmap& b, int y) {
    return reinterpret_cast<std::uint32_t*>(b.ScanLine(y));
}

} // namespace

void DrawLinearRamp(TCanvas* DC, int XCentre, int YCentre, int Length, TColor StartColor, TColor StopColor,
                    Byte Steps) {
    const bool alongX = XCentre != 0;
    const int centre = alongX ? XCentre : YCentre;
    const TColorRef start = ColorToRGB(StartColor), stop = ColorToRGB(StopColor);
    const int minWidth = MinBandWidth(Steps, 255);
    DC->Pen()->SetStyle(psClear);
    if (centre <= 0) {
        LinearRun(DC, alongX, Length, 1, stop, start, minWidth);
        return;
    }
    LinearRun(DC, alongX, centre + 1, 1, stop, start, minWidth);
    LinearRun(DC, alongX, Length, centre + 2, start, stop, minWidth);
}

void DrawBoxRamp(TCanvas* DC, int Width, int Height, int XInset, int YInset, TColor StartColor,
                 TColor StopColor, Byte Steps) {
    const TColorRef start = ColorToRGB(StartColor), stop = ColorToRGB(StopColor);
    DC->Pen()->SetStyle(psClear);
    if (start == stop || Width <= 4 || Height <= 4) {
        FillSolid(DC, TRect(0, 0, Width + 1, Height + 1), StartColor);
        return;
    }
    const int hw = (Width - 1) >> 1, hh = (Height - 1) >> 1;
    const int xe = hw - XInset, ye = hh - YInset;
    const int n = std::max(xe, ye) + 1;
    const int dx = (xe << 16) / n, dy = (ye << 16) / n;
    TRamp ramp(stop, start, n);
    std::vector<TPoint> corners; // the corner reached at each step
    int fx = xe << 16, fy = ye << 16;
    std::vector<TColor> colours;
    while (fx >= 0 || fy >= 0) {
        corners.push_back(TPoint(fx >> 16, fy >> 16));
        colours.push_back(ramp.Colour());
        ramp.Advance();
        fx -= dx;
        fy -= dy;
        if (dx == 0 && dy == 0) break;
        if (static_cast<int>(corners.size()) > 2 * n + 2) break;
    }
    TPoint prev(hw + 1, hh + 1);
    TBander bands(MinBandWidth(Steps, 256), [&](TColor c, int, int last) {
        const TPoint p = corners[last];
        if (p.X < 0 && p.Y < 0) return;
        const int x = std::max(p.X, 0), y = std::max(p.Y, 0);
        DC->Brush()->SetColor(c);
        if (y < prev.Y) DC->FillRect(TRect(x, y, hw + 1, prev.Y));
        if (x < prev.X) DC->FillRect(TRect(x, prev.Y, prev.X, hh + 1));
        prev = TPoint(x, y);
    });
    DC->Brush()->SetStyle(bsSolid);
    for (size_t i = 0; i < corners.size(); ++i)
        bands.Step(colours[i], static_cast<int>(i));
    bands.Flush();
}

void DrawDiagonalRamp(TCanvas* DC, int Width, int Height, TColor StartColor, TColor StopColor, Byte Steps) {
    const bool mirrored = Width < 0;
    const int w = std::abs(Width), h = Height;
    const int n = static_cast<int>(std::trunc(std::sqrt(double(w) * w + double(h) * h))) + 1;
    const int half = std::max(n >> 1, 1);
    const TColorRef start = ColorToRGB(StartColor), stop = ColorToRGB(StopColor);
    TRamp ramp(mirrored ? stop : start, mirrored ? start : stop, n);
    auto mx = [&](int x) { return mirrored ? w - x : x; };
    // Each step is a line across the picture; a band is the area between two lines.
    struct TLine {
        TPoint A, B;
    };
    std::vector<TLine> lines;
    std::vector<TColor> colours;
    lines.push_back({TPoint(0, h), TPoint(0, h)});
    for (int k = 1; k <= half; ++k) {
        const int x = static_cast<int>((static_cast<long long>(w) << 16) * k / half >> 16);
        const int y = h - static_cast<int>((static_cast<long long>(h) << 16) * k / half >> 16);
        lines.push_back({TPoint(0, y), TPoint(x, h)});
        colours.push_back(ramp.Colour());
        ramp.Advance();
    }
    lines.back() = {TPoint(0, 0), TPoint(w, h)}; // the closing band of the first half
    for (int k = 1; k <= half; ++k) {
        const int x = static_cast<int>((static_cast<long long>(w) << 16) * k / half >> 16);
        const int y = h - static_cast<int>((static_cast<long long>(h) << 16) * k / half >> 16);
        lines.push_back({TPoint(x, 0), TPoint(w, y)});
        colours.push_back(ramp.Colour());
        ramp.Advance();
    }
    lines.back() = {TPoint(w, 0), TPoint(w, 0)}; // the far corner of the top edge
    DC->Pen()->SetStyle(psClear);
    DC->Brush()->SetStyle(bsSolid);
    int from = 0;
    TBander bands(MinBandWidth(Steps, 255), [&](TColor c, int, int last) {
        const TLine& a = lines[from];
        const TLine& b = lines[last + 1];
        std::vector<TPoint> poly;
        for (TPoint p : {a.A, b.A, b.B, a.B})
            poly.push_back(TPoint(mx(p.X), p.Y));
        // The second half's lines run from the top edge to the right edge.
        if (from <= half && last + 1 > half) {
            poly = {TPoint(mx(a.A.X), a.A.Y), TPoint(mx(0), 0), TPoint(mx(b.A.X), b.A.Y),
                    TPoint(mx(b.B.X), b.B.Y), TPoint(mx(w), h), TPoint(mx(a.B.X), a.B.Y)};
        }
        DC->Brush()->SetColor(c);
        DC->Polygon(poly);
        from = last + 1;
    });
    for (size_t i = 0; i < colours.size(); ++i)
        bands.Step(colours[i], static_cast<int>(i));
    bands.Flush();
}

void TileByDoubling(TBitmap& Bitmap, int X, int Y, int TotalWidth, int TotalHeight, int FilledWidth,
                    int FilledHeight) {
    if (FilledWidth <= 0 || FilledHeight <= 0) return;
    bool vertical = FilledHeight < TotalHeight;
    while (FilledWidth < TotalWidth || FilledHeight < TotalHeight) {
        if (vertical) {
            const int rows = std::min(FilledHeight, TotalHeight - FilledHeight);
            for (int r = 0; r < rows; ++r) {
                std::uint32_t* src = Row(Bitmap, Y + r);
                std::copy(src + X, src + X + FilledWidth, Row(Bitmap, Y + FilledHeight + r) + X);
            }
            FilledHeight = std::min(FilledHeight * 2, TotalHeight);
            vertical = FilledWidth >= TotalWidth && FilledHeight < TotalHeight;
        } else {
            const int cols = std::min(FilledWidth, TotalWidth - FilledWidth);
            for (int r = 0; r < FilledHeight; ++r) {
                std::uint32_t* row = Row(Bitmap, Y + r);
                std::copy(row + X, row + X + cols, row + X + FilledWidth);
            }
            FilledWidth = std::min(FilledWidth * 2, TotalWidth);
            vertical = FilledHeight < TotalHeight;
        }
    }
}

void MirrorQuadrant(TBitmap& Bitmap, int X, int Y, int Width, int Height) {
    const int hw = Width >> 1, hh = Height >> 1, odd = hw & 1;
    if (hw <= 0 || hh <= 0) return;
    // The top-left block upside down into the bottom rows (hw + 1 columns).
    for (int j = 0; j < hh; ++j) {
        const int dy = Y + Height - 1 - j;
        if (dy < Y + hh) break;
        std::vector<std::uint32_t> src(Row(Bitmap, Y + j) + X, Row(Bitmap, Y + j) + X + hw);
        std::uint32_t* dst = Row(Bitmap, dy) + X;
        for (int i = 0; i <= hw && X + i < X + Width; ++i)
            dst[i] = src[std::min(i * hw / (hw + 1), hw - 1)];
    }
    // The left half, mirrored left to right, into the right half.
    const int srcW = hw - odd, dstW = hw + odd;
    if (srcW <= 0) return;
    for (int r = 0; r < Height; ++r) {
        std::uint32_t* row = Row(Bitmap, Y + r) + X;
        for (int i = 0; i < dstW; ++i) {
            const int dx = Width - 1 - i;
            if (dx < hw) break;
            row[dx] = row[std::min(i * srcW / dstW, srcW - 1)];
        }
    }
}

void DrawGradient(TCanvas* Canvas, const TRect& Bounds, RampStyle Style, TColor StartColor, TColor StopColor,
                  Byte Steps) {
    const int w = std::abs(Bounds.Right - Bounds.Left), h = std::abs(Bounds.Bottom - Bounds.Top);
    if (w == 0 || h == 0) return;
    TBitmap bmp(w, h, pf32bit);
    TCanvas* dc = bmp.Canvas();
    dc->Pen()->SetWidth(1);
    dc->Pen()->SetStyle(psClear);
    dc->Pen()->SetMode(pmCopy);
    dc->Brush()->SetStyle(bsSolid);
    const bool same = ColorToRGB(StartColor) == ColorToRGB(StopColor);
    switch (Style) {
    case grdRisingDiagonal:
    case grdFallingDiagonal:
        if (same)
            FillSolid(dc, TRect(0, 0, w, h), StartColor);
        else
            DrawDiagonalRamp(dc, Style == grdFallingDiagonal ? -w : w, h, StartColor, StopColor, Steps);
        break;
    case grdTopToBottom:
    case grdMiddleRow:
        DrawLinearRamp(dc, 0, Style == grdMiddleRow ? h / 2 : -1, h, StartColor, StopColor, Steps);
        TileByDoubling(bmp, 0, 0, w, h, std::min(8, w), h);
        break;
    case grdLeftToRight:
    case grdMiddleColumn:
        DrawLinearRamp(dc, Style == grdMiddleColumn ? std::max(w / 2, 0) : -1, 0, w, StartColor, StopColor,
                       Steps);
        if (Style == grdMiddleColumn && w / 2 == 0)
            DrawLinearRamp(dc, -1, 0, w, StartColor, StopColor, Steps);
        TileByDoubling(bmp, 0, 0, w, h, w, std::min(8, h));
        break;
    case grdWideBox:
        FillSolid(dc, TRect(0, 0, w, h), StartColor);
        DrawBoxRamp(dc, w, h, w >> 2, 0, StartColor, StopColor, Steps);
        MirrorQuadrant(bmp, 0, 0, w, h);
        break;
    case grdTallBox:
        DrawBoxRamp(dc, w, h, 0, h >> 2, StartColor, StopColor, Steps);
        MirrorQuadrant(bmp, 0, 0, w, h);
        break;
    case grdFullBox:
        FillSolid(dc, TRect(0, 0, w, h), StartColor);
        DrawBoxRamp(dc, w, h, 0, 0, StartColor, StopColor, Steps);
        MirrorQuadrant(bmp, 0, 0, w, h);
        break;
    case grdInsetBox:
        DrawBoxRamp(dc, w, h, w >> 2, h >> 2, StartColor, StopColor, Steps);
        MirrorQuadrant(bmp, 0, 0, w, h);
        break;
    }
    Canvas->Draw(Bounds.Left, Bounds.Top, &bmp);
}

void PaintParentBackground(TControl* Control, TCanvas* Canvas, bool InvalidateParent) {
    TWinControl* parent = Control->Parent();
    if (!parent) return;
    // The parent's own picture is its colour: the controls this system places behind a
    // transparent control paint nothing else there.
    TBrush saved;
    saved.Assign(*Canvas->Brush());
    Canvas->Brush()->SetStyle(bsSolid);
    Canvas->Brush()->SetColor(parent->Color());
    Canvas->FillRect(TRect(0, 0, Control->Width(), Control->Height()));
    Canvas->SetBrush(saved);
    if (InvalidateParent && !dynamic_cast<TCustomControl*>(parent) && !dynamic_cast<TCustomForm*>(parent))
        parent->Invalidate();
}
