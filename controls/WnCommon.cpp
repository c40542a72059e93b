#include "controls/WnCommon.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

bool FullColorScreen = ScreenHasFullColor();

namespace {

// Rounds half to even, as the platform's Round does.
int RoundEven(double v) {
    return static_cast<int>(std::nearbyint(v));
}

Byte ToByte(int v, const char* what) {
    if (v < 0 || v > 255) throw ERangeError(String("Range check error: ") + what);
    return static_cast<Byte>(v);
}

} // namespace

void SplitColorHSL(TColor Color, Byte& H, Byte& S, Byte& L) {
    const TColorRef rgb = ColorToRGB(Color);
    const double r = GetRValue(rgb) / 255.0, g = GetGValue(rgb) / 255.0, b = GetBValue(rgb) / 255.0;
    const double mx = std::max({r, g, b}), mn = std::min({r, g, b});
    const double l = (mx + mn) / 2;
    double h = 0, s = 0;
    if (mx != mn) {
        const double delta = mx - mn;
        s = l < 0.5 ? delta / (mx + mn) : delta / (2 - mx - mn);
        if (r == mx)
            h = (g - b) / delta;
        else if (g != mx)
            h = 4 + (r - g) / delta;
        else
            h = 2 + (b - r) / delta;
        h /= 6;
        if (h < 0) h += 1;
    }
    H = static_cast<Byte>(RoundEven(h * 240));
    S = static_cast<Byte>(RoundEven(s * 240));
    L = static_cast<Byte>(RoundEven(l * 240));
}

Byte HueOfColor(TColor Color) {
    Byte h, s, l;
    SplitColorHSL(Color, h, s, l);
    return h;
}

TColor MakeColorHSL(Byte H, Byte S, Byte L) {
    const double h = H / 239.0, s = S / 240.0, l = L / 240.0;
    const double v = l < 0.5 ? l * (1 + s) : l + s - l * s;
    if (v <= 0) return clBlack;
    const double m = 2 * l - v;
    const int sextant = static_cast<int>(std::trunc(6 * h));
    const double fraction = 6 * h - sextant;
    const double t = v * ((v - m) / v) * fraction;
    const double up = m + t, down = v - t;
    double r, g, b;
    switch (sextant) {
    case 1:
        r = down, g = v, b = m;
        break;
    case 2:
        r = m, g = v, b = up;
        break;
    case 3:
        r = m, g = down, b = v;
        break;
    case 4:
        r = up, g = m, b = v;
        break;
    case 5:
        r = v, g = m, b = down;
        break;
    default:
        r = v, g = up, b = m;
        break;
    }
    auto channel = [](double c) { return ToByte(RoundEven(std::min(c, 1.0) * 255), "colour channel"); };
    return static_cast<TColor>(RGB(channel(r), channel(g), channel(b)));
}

TColor ShadeColor(TColor Color, int Amount) {
    Byte h, s, l;
    SplitColorHSL(Color, h, s, l);
    return MakeColorHSL(h, s, static_cast<Byte>(std::max(l - Amount, 0)));
}

TColor TintColor(TColor Color, int Amount) {
    Byte h, s, l;
    SplitColorHSL(Color, h, s, l);
    return MakeColorHSL(h, s, static_cast<Byte>(std::min(l + Amount, 255)));
}

TColor ShiftLuminance(TColor Color, int Amount) {
    if (Amount < -255 || Amount > 255) throw ERangeError("Range check error: luminance shift");
    if (Amount == 0) return Color;
    return Amount > 0 ? TintColor(Color, Amount) : ShadeColor(Color, -Amount);
}

int ClampLuminanceShift(int Amount) {
    return std::clamp(Amount, -255, 255);
}

TColor MixColors(TColor Color1, TColor Color2, Byte Weight) {
    const TColorRef c1 = ColorToRGB(Color1), c2 = ColorToRGB(Color2);
    const float w = static_cast<float>(Weight) / 255.0f;
    auto mix = [w](int a, int b) {
        return static_cast<int>(
            std::nearbyint(w * static_cast<float>(a) + (1.0f - w) * static_cast<float>(b)));
    };
    return static_cast<TColor>(RGB(mix(GetRValue(c1), GetRValue(c2)), mix(GetGValue(c1), GetGValue(c2)),
                                   mix(GetBValue(c1), GetBValue(c2))));
}

bool ColorsAlike(TColor Color1, TColor Color2) {
    Byte h1, s1, l1, h2, s2, l2;
    SplitColorHSL(Color1, h1, s1, l1);
    SplitColorHSL(Color2, h2, s2, l2);
    return std::abs(h1 - h2) < 20 && std::abs(l1 - l2) < 60;
}

TColor OppositeHueColor(TColor Color, Byte Luminance) {
    const Byte h = HueOfColor(Color);
    return MakeColorHSL(static_cast<Byte>(h < 120 ? h + 120 : h - 120), 240, Luminance);
}

bool ScreenHasFullColor() {
    // A canvas without a surface answers for the screen.
    TCanvas screen;
    return screen.GetDeviceCaps(NUMCOLORS) == -1;
}

bool FontIsTrueType(TFont* Font) {
    constexpr Byte TMPF_TRUETYPE = 4;
    TCanvas screen;
    screen.Font()->Assign(*Font);
    return (screen.TextMetrics().tmPitchAndFamily & TMPF_TRUETYPE) != 0;
}

namespace {

// The colour a glyph is drawn in, and its centre.
TColor GlyphColor(TCanvas* Canvas, int Style, bool Enabled, bool Arrow) {
    if (!Enabled) return clBtnShadow;
    if (Style == 1) {
        // The visual style's glyph colour, kept apart from the window colour.
        TColor c = clWindowText;
        return ColorsAlike(c, clWindow) ? cl3DDkShadow : c;
    }
    if (Arrow) return ColorsAlike(Canvas->Brush()->Color(), clBlack) ? cl3DDkShadow : clBlack;
    return clBlack;
}

TPoint GlyphCentre(const TRect& r) {
    const int cx = r.Left + (r.Right - r.Left) / 2;
    int cy = r.Top + (r.Bottom - r.Top) / 2;
    if ((r.Bottom - r.Top) % 2 == 0) --cy;
    return TPoint(cx, cy);
}

// Keeps the brush colour and leaves the pen solid, whatever happens while drawing.
struct TGlyphPenBrush {
    TCanvas* C;
    TColor Saved;
    explicit TGlyphPenBrush(TCanvas* c) : C(c), Saved(c->Brush()->Color()) { C->Pen()->SetStyle(psClear); }
    ~TGlyphPenBrush() {
        C->Brush()->SetColor(Saved);
        C->Pen()->SetStyle(psSolid);
    }
};

} // namespace

void DrawArrowGlyph(TCanvas* Canvas, const TRect& Rect, int Style, int Direction, bool Down, bool Enabled) {
    TGlyphPenBrush keep(Canvas);
    const TColor color = GlyphColor(Canvas, Style, Enabled, true);
    TPoint c = GlyphCentre(Rect);
    int cx = c.X, cy = c.Y;
    if (Style == 1) {
        switch (Direction) {
        case adUp:
            cy += 4;
            break;
        case adDown:
            cy += 2;
            break;
        case adLeft:
            cx -= 1;
            break;
        case adRight:
            cx -= 3;
            break;
        default:
            break;
        }
    } else if (Direction == adUp || Direction == adDown) {
        cy += 1;
    } else {
        cx -= 2;
    }
    if (Enabled && Down) ++cx, ++cy;
    if (Style == 0) {
        for (int i = 0; i < 4; ++i) {
            const int half = i; // 1, 3, 5, 7 pixels
            for (int k = -half; k <= half; ++k) {
                switch (Direction) {
                case adUp:
                    Canvas->SetPixels(cx + k, cy - 3 + i, color);
                    break;
                case adDown:
                    Canvas->SetPixels(cx + k, cy - i, color);
                    break;
                case adLeft:
                    Canvas->SetPixels(cx + i, cy + k, color);
                    break;
                case adRight:
                    Canvas->SetPixels(cx + 3 - i, cy + k, color);
                    break;
                default:
                    return;
                }
            }
        }
        return;
    }
    std::vector<TPoint> p;
    switch (Direction) {
    case adUp:
        p = {{cx, cy - 5}, {cx + 4, cy}, {cx + 1, cy}, {cx, cy - 2}, {cx - 1, cy}, {cx - 4, cy}};
        break;
    case adDown:
        p = {{cx, cy}, {cx - 3, cy - 4}, {cx, cy - 4}, {cx, cy - 3}, {cx + 1, cy - 4}, {cx + 4, cy - 4}};
        break;
    case adLeft:
        p = {{cx, cy}, {cx + 4, cy - 4}, {cx + 4, cy - 1}, {cx + 3, cy}, {cx + 4, cy + 1}, {cx + 4, cy + 4}};
        break;
    case adRight:
        p = {{cx + 4, cy}, {cx, cy + 4}, {cx, cy + 1}, {cx + 1, cy}, {cx, cy - 1}, {cx, cy - 4}};
        break;
    default:
        return;
    }
    Canvas->Brush()->SetColor(color);
    Canvas->Polygon(p);
}

void DrawCrossGlyph(TCanvas* Canvas, const TRect& Rect, int Style, bool Down, bool Enabled) {
    TGlyphPenBrush keep(Canvas);
    const TColor color = GlyphColor(Canvas, Style, Enabled, false);
    TPoint c = GlyphCentre(Rect);
    int cx = c.X, cy = c.Y;
    if (Enabled && Down) ++cx, ++cy;
    const std::vector<TPoint> p = {{cx, cy - 1}, {cx + 3, cy - 4}, {cx + 5, cy - 4}, {cx + 5, cy - 3},
                                   {cx + 2, cy}, {cx + 5, cy + 4}, {cx + 5, cy + 5}, {cx + 3, cy + 5},
                                   {cx, cy + 1}, {cx - 3, cy + 5}, {cx - 4, cy + 5}, {cx - 4, cy + 3},
                                   {cx - 1, cy}, {cx - 4, cy - 3}, {cx - 4, cy - 4}, {cx - 3, cy - 5}};
    Canvas->Brush()->SetColor(color);
    Canvas->Polygon(p);
}
