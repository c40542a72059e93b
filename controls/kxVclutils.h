// Drawing helpers shared by the numeric edits, the calculator, the speed button and the GIF
// picture code: rectangle sizes, palette colours, bitmap cells, transparent stretch drawing, the
// disabled look of a glyph, a parent's background behind a transparent control; the program's
// built-in bitmaps and the two cursors registered at start-up (14000 and 14001).
#pragma once

#include "gui/Bitmap.h"
#include "gui/Controls.h"

#include <functional>

// The built-in resources of the controls library (BMP files drawn by tools/controls_images.py).
struct TKxResource {
    const char* Name;
    const Byte* Data;
    size_t Size;
};
extern const TKxResource KxResources[];
extern const int KxResourceCount;

// Loads the built-in bitmap of that name (without regard to case); raises EResNotFound when
// there is none.
void LoadKxBitmap(TBitmap& Bitmap, const String& Name);

// The screen cursor numbers of "KX_HANDCUR" and "KX_DRAGCUR".
enum : TCursor { crKxHand = 14000, crKxDrag = 14001 };
// Registers the two cursors with the screen's cursor table (done once at start-up; later calls
// do nothing).
void RegisterKxCursors();

int RectWidth(const TRect& R);
int RectHeight(const TRect& R);
// The colour as RGB with the palette-relative flag 0x02000000.
TColor PaletteColor(TColor C);

// The platform's beep, through a hook a test may replace (nullptr restores the sound).
void KxBeep();
void SetKxBeepHook(std::function<void()> Hook);

// True when the program's active window is one of ours.
bool IsOwnThreadActive();
// Resets the screen cursor, shows "Function not yet implemented" and aborts silently.
[[noreturn]] void NotImplemented();

// Cell Index of a picture cut into Cols x Rows cells, into Dest (which takes the cell's size).
void CopyBitmapCell(TGraphic* Source, TBitmap* Dest, int Cols, int Rows, int Index);
// Stretches the source rectangle of Bitmap onto (X, Y, W, H), leaving out the pixels of
// TransparentColor (clDefault: the bottom-left pixel's colour; clNone: a plain copy). A width or
// height below 1 takes the bitmap's; a source size below 1 the whole bitmap.
void DrawBitmapTransparentStretched(TCanvas* Dest, int X, int Y, int W, int H, int SrcX, int SrcY, int SrcW,
                                    int SrcH, TBitmap* Bitmap, TColor TransparentColor);
void DrawBitmapRectTransparent(TCanvas* Dest, int X, int Y, int W, int H, const TRect& SourceRect,
                               TBitmap* Bitmap, TColor TransparentColor);
// Stretches pixels of Source onto Dest, keeping the background where the source has MaskColor.
void MaskedStretchBlt(TCanvas* Dest, int X, int Y, int W, int H, const TBitmap& Source, int SrcX, int SrcY,
                      int SrcW, int SrcH, TColor MaskColor);
// The disabled look of a glyph: a bitmap of its size filled with BackColor on which the pixels of
// OutlineColor are stamped in HighlightColor one pixel to the lower right (when DrawHighlight)
// and in ShadowColor in place. MakeDisabledGlyph uses the button face, highlight and shadow.
void MakeDisabledGlyphEx(const TBitmap& Source, TBitmap& Result, TColor OutlineColor, TColor BackColor,
                         TColor HighlightColor, TColor ShadowColor, bool DrawHighlight);
void MakeDisabledGlyph(const TBitmap& Source, TBitmap& Result, TColor OutlineColor);
// Paints what the control's parent shows under it (the parent's colour and the graphic controls
// before it that overlap it) into Canvas, in the control's client coordinates.
void PaintParentImage(TControl* Control, TCanvas* Canvas);
