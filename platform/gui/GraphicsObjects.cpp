// Fonts, pens and brushes: attribute storage with change notification.
#include "gui/Graphics.h"

#include <algorithm>

void TGraphicsObject::Changed() {
    if (OnChange) OnChange(this);
}

// ---- TFont

TFont::TFont()
    : FName("MS Sans Serif"), FHeight(-11), FColor(clWindowText), FCharset(DEFAULT_CHARSET),
      FPitch(fpDefault), FOrientation(0), FPixelsPerInch(96) {}

void TFont::Assign(const TPersistent* Source) {
    if (auto* f = dynamic_cast<const TFont*>(Source))
        Assign(*f);
    else
        TGraphicsObject::Assign(Source);
}

void TFont::Assign(const TFont& source) {
    if (&source == this) return;
    FName = source.FName;
    FStyle = source.FStyle;
    FColor = source.FColor;
    FCharset = source.FCharset;
    FPitch = source.FPitch;
    FOrientation = source.FOrientation;
    // The size in points carries over between resolutions, as the platform assigns fonts.
    if (source.FPixelsPerInch != FPixelsPerInch)
        FHeight = -MulDiv(source.Size(), FPixelsPerInch, 72);
    else
        FHeight = source.FHeight;
    Changed();
}

bool TFont::SameAs(const TFont& o) const {
    return FName == o.FName && FHeight == o.FHeight && FStyle == o.FStyle && FColor == o.FColor &&
           FCharset == o.FCharset && FPitch == o.FPitch && FOrientation == o.FOrientation &&
           FPixelsPerInch == o.FPixelsPerInch;
}

void TFont::SetName(const TFontName& name) {
    if (name.empty() || name == FName) return;
    FName = name;
    Changed();
}

int TFont::Size() const {
    return -MulDiv(FHeight, 72, FPixelsPerInch);
}

void TFont::SetSize(int points) {
    SetHeight(-MulDiv(points, FPixelsPerInch, 72));
}

void TFont::SetHeight(int height) {
    if (height == FHeight) return;
    FHeight = height;
    Changed();
}

void TFont::SetStyle(TFontStyles style) {
    if (style == FStyle) return;
    FStyle = style;
    Changed();
}

void TFont::SetColor(TColor color) {
    if (color == FColor) return;
    FColor = color;
    Changed();
}

void TFont::SetCharset(TFontCharset charset) {
    if (charset == FCharset) return;
    FCharset = charset;
    Changed();
}

void TFont::SetPitch(TFontPitch pitch) {
    if (pitch == FPitch) return;
    FPitch = pitch;
    Changed();
}

void TFont::SetOrientation(int tenths) {
    if (tenths == FOrientation) return;
    FOrientation = tenths;
    Changed();
}

// ---- TPen

void TPen::Assign(const TPersistent* Source) {
    if (auto* p = dynamic_cast<const TPen*>(Source))
        Assign(*p);
    else
        TGraphicsObject::Assign(Source);
}

void TPen::Assign(const TPen& source) {
    if (&source == this) return;
    FColor = source.FColor;
    FWidth = source.FWidth;
    FStyle = source.FStyle;
    FMode = source.FMode;
    FEndCap = source.FEndCap;
    FJoinStyle = source.FJoinStyle;
    FUserDash = source.FUserDash;
    Changed();
}

bool TPen::SameAs(const TPen& o) const {
    return FColor == o.FColor && FWidth == o.FWidth && FStyle == o.FStyle && FMode == o.FMode &&
           FEndCap == o.FEndCap && FJoinStyle == o.FJoinStyle && FUserDash == o.FUserDash;
}

void TPen::SetColor(TColor color) {
    if (color == FColor) return;
    FColor = color;
    Changed();
}

void TPen::SetWidth(int width) {
    if (width < 0) width = 0;
    if (width == FWidth) return;
    FWidth = width;
    Changed();
}

void TPen::SetStyle(TPenStyle style) {
    if (style == FStyle) return;
    FStyle = style;
    Changed();
}

void TPen::SetMode(TPenMode mode) {
    if (mode == FMode) return;
    FMode = mode;
    Changed();
}

void TPen::SetEndCap(TPenEndCap cap) {
    if (cap == FEndCap) return;
    FEndCap = cap;
    Changed();
}

void TPen::SetJoinStyle(TPenJoinStyle join) {
    if (join == FJoinStyle) return;
    FJoinStyle = join;
    Changed();
}

void TPen::SetUserDash(const std::vector<int>& dash) {
    std::vector<int> clean;
    clean.reserve(dash.size());
    for (int d : dash)
        clean.push_back(std::max(0, d));
    if (clean == FUserDash) return;
    FUserDash = std::move(clean);
    Changed();
}

// ---- TBrush

void TBrush::Assign(const TPersistent* Source) {
    if (auto* b = dynamic_cast<const TBrush*>(Source))
        Assign(*b);
    else
        TGraphicsObject::Assign(Source);
}

void TBrush::Assign(const TBrush& source) {
    if (&source == this) return;
    FColor = source.FColor;
    FStyle = source.FStyle;
    FBitmap = source.FBitmap;
    Changed();
}

bool TBrush::SameAs(const TBrush& o) const {
    return FColor == o.FColor && FStyle == o.FStyle && FBitmap == o.FBitmap;
}

void TBrush::SetColor(TColor color) {
    if (color == FColor && FStyle != bsClear) return;
    FColor = color;
    if (FStyle == bsClear) FStyle = bsSolid;
    Changed();
}

void TBrush::SetStyle(TBrushStyle style) {
    if (style == FStyle) return;
    FStyle = style;
    Changed();
}

void TBrush::SetBitmap(TBitmap* bitmap) {
    if (bitmap == FBitmap) return;
    FBitmap = bitmap;
    Changed();
}
