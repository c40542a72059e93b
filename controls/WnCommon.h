// Colour arithmetic on a hue, saturation and luminance scale of 0 to 240, the full-colour test of
// the screen, the small arrow and cross glyphs of the tab strip's buttons and a TrueType test for
// fonts. The tab control paints with these; none of them keeps state but the full-colour flag.
#pragma once

#include "gui/Graphics.h"

// True when the screen shows full colour (no palette limit); set once at start-up. The tab control
// paints gradients only while it is true.
extern bool FullColorScreen;

// Hue, saturation and luminance of a colour (system colours resolved), each 0..240.
void SplitColorHSL(TColor Color, Byte& H, Byte& S, Byte& L);
Byte HueOfColor(TColor Color);
// The RGB colour of hue, saturation and luminance (hue divided by 239). Raises ERangeError when the
// values drive a channel below 0.
TColor MakeColorHSL(Byte H, Byte S, Byte L);

// The colour with its luminance lowered by Amount (not below 0) / raised by Amount (up to 255,
// where channels past 1.0 are held at 255); hue and saturation unchanged.
TColor ShadeColor(TColor Color, int Amount);
TColor TintColor(TColor Color, int Amount);
// Amount -255..255: 0 returns the colour as it is (a system colour stays one), positive tints,
// negative shades. Outside that range ERangeError is raised.
TColor ShiftLuminance(TColor Color, int Amount);
// The amount a property such as FlatColorAdjustment may hold (the range ShiftLuminance accepts).
int ClampLuminanceShift(int Amount);
// Per channel round(w * c1 + (1 - w) * c2), w = Weight / 255.
TColor MixColors(TColor Color1, TColor Color2, Byte Weight);
// Hues closer than 20 and luminances closer than 60 (hues do not wrap around).
bool ColorsAlike(TColor Color1, TColor Color2);
// The colour 120 hue steps away, fully saturated, at the given luminance.
TColor OppositeHueColor(TColor Color, Byte Luminance);

bool ScreenHasFullColor();
// Whether the font reports the TrueType bit in its text metrics.
bool FontIsTrueType(TFont* Font);

// Direction of DrawArrowGlyph.
enum : int { adUp = 0, adDown = 1, adLeft = 2, adRight = 3 };
// The strip's scroll and list arrows and its close cross, centred in Rect. Style 0 is the classic
// look; style 1 takes its colour from the visual style.
void DrawArrowGlyph(TCanvas* Canvas, const TRect& Rect, int Style, int Direction, bool Down, bool Enabled);
void DrawCrossGlyph(TCanvas* Canvas, const TRect& Rect, int Style, bool Down, bool Enabled);

inline int SmallerOf(int A, int B) {
    return A < B ? A : B;
}
inline int LargerOf(int A, int B) {
    return A > B ? A : B;
}
