// TCanvas: state, mapping modes, clipping and the shape operations. Text is in Canvas_Text.cpp.
#include "gui/Bitmap.h"
#include "gui/Graphics.h"

#include <algorithm>
#include <cstdlib>

struct TCanvas::SavedState {
    std::unique_ptr<TRegion> Clip;
    int BkMode;
    TColor BkColor;
    Cardinal TextAlign;
    int PolyFillMode;
    int MapMode;
    TPoint WindowOrg;
    TSize WindowExt;
    TPoint ViewportOrg;
    TSize ViewportExt;
    TPoint PenPos;
};

TCanvas::TCanvas() {
    FBrush.OnChange = [this](TObject*) { BrushChanged(); };
}

TCanvas::~TCanvas() = default;

void TCanvas::Changing() {
    if (OnChanging) OnChanging(this);
}

void TCanvas::DidChange() {
    if (OnChange) OnChange(this);
}

void TCanvas::BrushChanged() {
    if (FBrush.Style() == bsSolid && !FBrush.Bitmap()) {
        FBkMode = OPAQUE;
        FBkColor = FBrush.Color();
    } else {
        FBkMode = TRANSPARENT;
        FBkColor = static_cast<TColor>(~ColorToRGB(FBrush.Color()) & 0xFFFFFF);
    }
}

// ---- mapping

int TCanvas::MapX(int x) const {
    if (FMapMode == MM_TEXT) return x - FWindowOrg.X + FViewportOrg.X;
    return MulDiv(x - FWindowOrg.X, FViewportExt.cx, FWindowExt.cx) + FViewportOrg.X;
}

int TCanvas::MapY(int y) const {
    if (FMapMode == MM_TEXT) return y - FWindowOrg.Y + FViewportOrg.Y;
    return MulDiv(y - FWindowOrg.Y, FViewportExt.cy, FWindowExt.cy) + FViewportOrg.Y;
}

int TCanvas::MapCX(int cx) const {
    if (FMapMode == MM_TEXT) return cx;
    return std::abs(MulDiv(cx, FViewportExt.cx, FWindowExt.cx));
}

int TCanvas::MapCY(int cy) const {
    if (FMapMode == MM_TEXT) return cy;
    return std::abs(MulDiv(cy, FViewportExt.cy, FWindowExt.cy));
}

int TCanvas::UnmapCX(int cx) const {
    if (FMapMode == MM_TEXT) return cx;
    return std::abs(MulDiv(cx, FWindowExt.cx, FViewportExt.cx));
}

int TCanvas::UnmapCY(int cy) const {
    if (FMapMode == MM_TEXT) return cy;
    return std::abs(MulDiv(cy, FWindowExt.cy, FViewportExt.cy));
}

TRect TCanvas::MapRect(int x1, int y1, int x2, int y2) const {
    int a = MapX(x1), b = MapX(x2), c = MapY(y1), d = MapY(y2);
    return TRect(std::min(a, b), std::min(c, d), std::max(a, b), std::max(c, d));
}

TPoint TCanvas::LPtoDP(const TPoint& p) const {
    return {MapX(p.X), MapY(p.Y)};
}

TRect TCanvas::LPtoDP(const TRect& r) const {
    return MapRect(r.Left, r.Top, r.Right, r.Bottom);
}

TPoint TCanvas::DPtoLP(const TPoint& p) const {
    if (FMapMode == MM_TEXT)
        return {p.X - FViewportOrg.X + FWindowOrg.X, p.Y - FViewportOrg.Y + FWindowOrg.Y};
    return {MulDiv(p.X - FViewportOrg.X, FWindowExt.cx, FViewportExt.cx) + FWindowOrg.X,
            MulDiv(p.Y - FViewportOrg.Y, FWindowExt.cy, FViewportExt.cy) + FWindowOrg.Y};
}

namespace {

void AdjustIsotropic(TSize& window, TSize& viewport) {
    if (window.cx == 0 || window.cy == 0) return;
    double sx = std::abs(static_cast<double>(viewport.cx) / window.cx);
    double sy = std::abs(static_cast<double>(viewport.cy) / window.cy);
    auto sign = [](int v) { return v < 0 ? -1 : 1; };
    if (sx > sy)
        viewport.cx = sign(viewport.cx) * static_cast<int>(std::abs(window.cx) * sy + 0.5);
    else if (sy > sx)
        viewport.cy = sign(viewport.cy) * static_cast<int>(std::abs(window.cy) * sx + 0.5);
}

} // namespace

int TCanvas::SetMapMode(int mode) {
    int old = FMapMode;
    if (mode < MM_TEXT || mode > MM_ANISOTROPIC) return 0;
    FMapMode = mode;
    int dx = GetDeviceCaps(LOGPIXELSX), dy = GetDeviceCaps(LOGPIXELSY);
    switch (mode) {
    case MM_TEXT:
        FWindowExt = {1, 1};
        FViewportExt = {1, 1};
        break;
    case MM_LOMETRIC:
        FWindowExt = {254, 254};
        FViewportExt = {dx, -dy};
        break;
    case MM_HIMETRIC:
        FWindowExt = {2540, 2540};
        FViewportExt = {dx, -dy};
        break;
    case MM_LOENGLISH:
        FWindowExt = {100, 100};
        FViewportExt = {dx, -dy};
        break;
    case MM_HIENGLISH:
        FWindowExt = {1000, 1000};
        FViewportExt = {dx, -dy};
        break;
    case MM_TWIPS:
        FWindowExt = {1440, 1440};
        FViewportExt = {dx, -dy};
        break;
    case MM_ISOTROPIC:
        AdjustIsotropic(FWindowExt, FViewportExt);
        break;
    default:
        break;
    }
    return old;
}

void TCanvas::SetWindowOrgEx(int x, int y) {
    FWindowOrg = {x, y};
}

void TCanvas::SetWindowExtEx(int cx, int cy) {
    if (FMapMode != MM_ISOTROPIC && FMapMode != MM_ANISOTROPIC) return;
    if (cx == 0 || cy == 0) return;
    FWindowExt = {cx, cy};
    if (FMapMode == MM_ISOTROPIC) AdjustIsotropic(FWindowExt, FViewportExt);
}

void TCanvas::SetViewportOrgEx(int x, int y) {
    FViewportOrg = {x, y};
}

void TCanvas::SetViewportExtEx(int cx, int cy) {
    if (FMapMode != MM_ISOTROPIC && FMapMode != MM_ANISOTROPIC) return;
    if (cx == 0 || cy == 0) return;
    FViewportExt = {cx, cy};
    if (FMapMode == MM_ISOTROPIC) AdjustIsotropic(FWindowExt, FViewportExt);
}

int TCanvas::DeviceFontHeight() {
    int h = FFont.Height();
    if (h == 0) h = -MulDiv(9, FFont.PixelsPerInch(), 72);
    if (FMapMode == MM_TEXT) return h;
    int d = std::max(1, MapCY(std::abs(h)));
    return h < 0 ? -d : d;
}

int TCanvas::DevicePenWidth() {
    int w = FPen.Width();
    if (w <= 0) return 1;
    return std::max(1, MapCX(w));
}

std::vector<int> TCanvas::DeviceUserDash() {
    std::vector<int> out;
    out.reserve(FPen.UserDash().size());
    for (int d : FPen.UserDash())
        out.push_back(d == 0 ? 0 : std::max(1, MapCX(d)));
    return out;
}

int TCanvas::GetDeviceCaps(int index) {
    return DevCaps(index);
}

// ---- state

int TCanvas::SetBkMode(int mode) {
    int old = FBkMode;
    if (mode == TRANSPARENT || mode == OPAQUE) FBkMode = mode;
    return old;
}

int TCanvas::GetBkMode() {
    return FBkMode;
}

TColor TCanvas::SetBkColor(TColor color) {
    TColor old = FBkColor;
    FBkColor = color;
    return old;
}

TColor TCanvas::GetBkColor() {
    return FBkColor;
}

Cardinal TCanvas::SetTextAlign(Cardinal align) {
    Cardinal old = FTextAlign;
    FTextAlign = align;
    return old;
}

int TCanvas::SaveDC() {
    SavedState s;
    if (FClip) s.Clip = std::make_unique<TRegion>(*FClip);
    s.BkMode = FBkMode;
    s.BkColor = FBkColor;
    s.TextAlign = FTextAlign;
    s.PolyFillMode = FPolyFillMode;
    s.MapMode = FMapMode;
    s.WindowOrg = FWindowOrg;
    s.WindowExt = FWindowExt;
    s.ViewportOrg = FViewportOrg;
    s.ViewportExt = FViewportExt;
    s.PenPos = FPenPos;
    FSaved.push_back(std::move(s));
    return static_cast<int>(FSaved.size());
}

bool TCanvas::RestoreDC(int saved) {
    int n = static_cast<int>(FSaved.size());
    if (saved < 0) saved = n + 1 + saved;
    if (saved < 1 || saved > n) return false;
    SavedState s = std::move(FSaved[static_cast<size_t>(saved - 1)]);
    FSaved.resize(static_cast<size_t>(saved - 1));
    FClip = std::move(s.Clip);
    FBkMode = s.BkMode;
    FBkColor = s.BkColor;
    FTextAlign = s.TextAlign;
    FPolyFillMode = s.PolyFillMode;
    FMapMode = s.MapMode;
    FWindowOrg = s.WindowOrg;
    FWindowExt = s.WindowExt;
    FViewportOrg = s.ViewportOrg;
    FViewportExt = s.ViewportExt;
    FPenPos = s.PenPos;
    ApplyClip();
    return true;
}

void TCanvas::Lock() {
    FLock.lock();
    ++FLockCount;
}

void TCanvas::Unlock() {
    --FLockCount;
    FLock.unlock();
}

bool TCanvas::TryLock() {
    if (!FLock.try_lock()) return false;
    ++FLockCount;
    return true;
}

// ---- clipping

int TCanvas::ApplyClip() {
    DevSetClip(FClip.get());
    return FClip ? FClip->Kind() : SIMPLEREGION;
}

TRect TCanvas::ClipRect() {
    TSize size = DevSize();
    TRect device = FClip ? FClip->Bounds() : TRect(0, 0, size.cx, size.cy);
    TPoint a = DPtoLP(device.TopLeft()), b = DPtoLP(device.BottomRight());
    return TRect(std::min(a.X, b.X), std::min(a.Y, b.Y), std::max(a.X, b.X), std::max(a.Y, b.Y));
}

int TCanvas::IntersectClipRect(const TRect& r) {
    TRegion add(LPtoDP(r));
    if (FClip)
        FClip->Combine(add, RGN_AND);
    else
        FClip = std::make_unique<TRegion>(std::move(add));
    return ApplyClip();
}

int TCanvas::ExcludeClipRect(const TRect& r) {
    if (!FClip) {
        TSize size = DevSize();
        FClip = std::make_unique<TRegion>(TRect(0, 0, size.cx, size.cy));
    }
    FClip->Combine(TRegion(LPtoDP(r)), RGN_DIFF);
    return ApplyClip();
}

int TCanvas::SelectClipRect(const TRect* r) {
    if (!r) {
        FClip.reset();
        return ApplyClip();
    }
    FClip = std::make_unique<TRegion>(LPtoDP(*r));
    return ApplyClip();
}

int TCanvas::SelectClipRgn(const TRegion* rgn) {
    if (!rgn)
        FClip.reset();
    else
        FClip = std::make_unique<TRegion>(*rgn);
    return ApplyClip();
}

int TCanvas::ExtSelectClipRgn(const TRegion* rgn, int mode) {
    if (mode == RGN_COPY || !rgn) return SelectClipRgn(mode == RGN_COPY ? rgn : FClip.get());
    if (!FClip) {
        TSize size = DevSize();
        FClip = std::make_unique<TRegion>(TRect(0, 0, size.cx, size.cy));
    }
    FClip->Combine(*rgn, mode);
    return ApplyClip();
}

bool TCanvas::GetClipRgn(TRegion& rgn) const {
    if (!FClip) return false;
    rgn = *FClip;
    return true;
}

bool TCanvas::RectVisible(const TRect& r) {
    TRect d = LPtoDP(r);
    if (FClip) return FClip->Intersects(d);
    TSize size = DevSize();
    TRect common;
    return IntersectRect(common, d, TRect(0, 0, size.cx, size.cy));
}

// ---- shapes

void TCanvas::MoveTo(int x, int y) {
    FPenPos = {x, y};
}

void TCanvas::LineTo(int x, int y) {
    Changing();
    TPoint pts[2] = {LPtoDP(FPenPos), {MapX(x), MapY(y)}};
    DevPolyline(pts, 2);
    FPenPos = {x, y};
    DidChange();
}

void TCanvas::Rectangle(int x1, int y1, int x2, int y2) {
    Changing();
    DevRectangle(MapRect(x1, y1, x2, y2));
    DidChange();
}

void TCanvas::FillRect(const TRect& r) {
    Changing();
    DevFillRect(LPtoDP(r));
    DidChange();
}

void TCanvas::FrameRect(const TRect& r) {
    TRect d = LPtoDP(r);
    if (IsRectEmpty(d)) return;
    Changing();
    int tx = std::max(1, MapCX(1)), ty = std::max(1, MapCY(1));
    DevFillRect(TRect(d.Left, d.Top, d.Right, std::min(d.Bottom, d.Top + ty)));
    DevFillRect(TRect(d.Left, std::max(d.Top, d.Bottom - ty), d.Right, d.Bottom));
    DevFillRect(TRect(d.Left, d.Top + ty, std::min(d.Right, d.Left + tx), d.Bottom - ty));
    DevFillRect(TRect(std::max(d.Left, d.Right - tx), d.Top + ty, d.Right, d.Bottom - ty));
    DidChange();
}

void TCanvas::RoundRect(int x1, int y1, int x2, int y2, int x3, int y3) {
    Changing();
    DevRoundRect(MapRect(x1, y1, x2, y2), MapCX(x3), MapCY(y3));
    DidChange();
}

void TCanvas::Ellipse(int x1, int y1, int x2, int y2) {
    Changing();
    DevEllipse(MapRect(x1, y1, x2, y2));
    DidChange();
}

void TCanvas::ArcCommon(int kind, int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) {
    Changing();
    DevArc(kind, MapRect(x1, y1, x2, y2), {MapX(x3), MapY(y3)}, {MapX(x4), MapY(y4)});
    DidChange();
}

void TCanvas::Arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) {
    ArcCommon(0, x1, y1, x2, y2, x3, y3, x4, y4);
}

void TCanvas::Pie(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) {
    ArcCommon(1, x1, y1, x2, y2, x3, y3, x4, y4);
}

void TCanvas::Chord(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) {
    ArcCommon(2, x1, y1, x2, y2, x3, y3, x4, y4);
}

void TCanvas::Polygon(const TPoint* points, int count) {
    if (count < 2) return;
    Changing();
    std::vector<TPoint> d(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i)
        d[static_cast<size_t>(i)] = LPtoDP(points[i]);
    DevPolygon(d.data(), count, FPolyFillMode);
    DidChange();
}

void TCanvas::Polyline(const TPoint* points, int count) {
    if (count < 2) return;
    Changing();
    std::vector<TPoint> d(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i)
        d[static_cast<size_t>(i)] = LPtoDP(points[i]);
    DevPolyline(d.data(), count);
    DidChange();
}

void TCanvas::DrawFocusRect(const TRect& r) {
    Changing();
    DevFocusRect(LPtoDP(r));
    DidChange();
}

void TCanvas::PatBlt(const TRect& r, TCopyMode rop) {
    Changing();
    DevPatBlt(LPtoDP(r), rop);
    DidChange();
}

// ---- pictures and pixels

void TCanvas::Draw(int x, int y, TGraphic* graphic) {
    if (!graphic || graphic->Empty()) return;
    Changing();
    graphic->Draw(*this, Bounds(x, y, graphic->Width(), graphic->Height()));
    DidChange();
}

void TCanvas::StretchDraw(const TRect& r, TGraphic* graphic) {
    if (!graphic || graphic->Empty()) return;
    Changing();
    graphic->Draw(*this, r);
    DidChange();
}

void TCanvas::CopyRect(const TRect& dest, TCanvas* source, const TRect& sourceRect) {
    if (!source) return;
    TBitmap pixels;
    if (!source->DevGrab(source->LPtoDP(sourceRect), pixels)) return;
    Changing();
    DevStretchBlt(LPtoDP(dest), pixels, TRect(0, 0, pixels.Width(), pixels.Height()), FCopyMode, clNone);
    DidChange();
}

void TCanvas::StretchBlt(const TRect& dest, const TBitmap& bitmap, const TRect& src, TCopyMode rop,
                         TColor transparentColor) {
    Changing();
    DevStretchBlt(LPtoDP(dest), bitmap, src, rop, transparentColor);
    DidChange();
}

TColor TCanvas::Pixels(int x, int y) {
    return DevGetPixel(MapX(x), MapY(y));
}

void TCanvas::SetPixels(int x, int y, TColor color) {
    Changing();
    DevSetPixel(MapX(x), MapY(y), color);
    DidChange();
}

int GetDeviceCaps(TCanvas* canvas, int index) {
    return canvas ? canvas->GetDeviceCaps(index) : 0;
}

// ---- a canvas without a surface

namespace {
[[noreturn]] void NoDrawing() {
    throw EInvalidOperation("Canvas does not allow drawing");
}
} // namespace

void TCanvas::DevPolyline(const TPoint*, int) {
    NoDrawing();
}
void TCanvas::DevPolygon(const TPoint*, int, int) {
    NoDrawing();
}
void TCanvas::DevRectangle(const TRect&) {
    NoDrawing();
}
void TCanvas::DevRoundRect(const TRect&, int, int) {
    NoDrawing();
}
void TCanvas::DevEllipse(const TRect&) {
    NoDrawing();
}
void TCanvas::DevArc(int, const TRect&, const TPoint&, const TPoint&) {
    NoDrawing();
}
void TCanvas::DevFillRect(const TRect&) {
    NoDrawing();
}
void TCanvas::DevFocusRect(const TRect&) {
    NoDrawing();
}
void TCanvas::DevPatBlt(const TRect&, TCopyMode) {
    NoDrawing();
}
void TCanvas::DevTextOut(int, int, Cardinal, const TRect*, const WideString&, const int*, bool, TColor) {
    NoDrawing();
}
void TCanvas::DevStretchBlt(const TRect&, const TBitmap&, const TRect&, TCopyMode, TColor) {
    NoDrawing();
}
TColor TCanvas::DevGetPixel(int, int) {
    NoDrawing();
}
void TCanvas::DevSetPixel(int, int, TColor) {
    NoDrawing();
}
void TCanvas::DevSetClip(const TRegion*) {}
bool TCanvas::DevGrab(const TRect&, TBitmap&) {
    return false;
}
int TCanvas::DevCaps(int index) {
    switch (index) {
    case TECHNOLOGY:
        return DT_RASDISPLAY;
    case LOGPIXELSX:
    case LOGPIXELSY:
        return 96;
    case BITSPIXEL:
        return 32;
    case PLANES:
        return 1;
    case NUMCOLORS:
        return -1;
    default:
        return 0;
    }
}
TSize TCanvas::DevSize() {
    return {0, 0};
}
