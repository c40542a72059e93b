// Text and small images in a cell rectangle: single-line text with alignment, vertical layout and
// an end ellipsis, word-wrapped text with margins and right-to-left reading, text turned by 90
// degrees for vertical titles, images centred and clipped to a cell. The grid's painting, its
// title tree and the grid printer draw through these.
#pragma once

#include "classes/Alignment.h"
#include "gui/Bitmap.h"
#include "gui/Controls.h"
#include "gui/Graphics.h"
#include "gui/ImgList.h"

#include <memory>

// Formatted-text flags per alignment (no prefix processing, tab expansion, the alignment), and
// those of text turned by 90 degrees.
constexpr Cardinal CellTextAlignFlags[3] = {0x0840, 0x0842, 0x0841};
constexpr Cardinal RotatedTextAlignFlags[3] = {0x0850, 0x0852, 0x0851};

// Writes text into a cell. Single-line text is placed by alignment and layout (right-aligned text
// sits 3 pixels from the right edge whatever DX is); word wrap, margins and right-to-left reading
// go through formatted text. A dithered brush colour on a palette screen draws through the shared
// bitmap so that the background stays even.
void DrawCellText(TCanvas* Canvas, const TRect& Rect, bool Fill, int DX, int DY, const String& Text,
                  TAlignment Alignment, TTextLayout Layout, bool WordWrap, bool EndEllipsis, int LeftMargin,
                  int RightMargin, bool RightToLeftReading);
// A number that does not fit the room shows as spreadsheets show it, '#' filling the room; a
// clipped part of it would read as another number ("13,235,252.61" cut to "3,235,252.61"). A
// text that fits, or holds no digit, comes back as it is.
String FitNumberText(TCanvas* Canvas, const String& Text, int Room);
// The width single-line text may take in a cell and still show whole as DrawCellText places it.
int CellTextRoom(const TRect& Rect, int DX, TAlignment Alignment);

// Writes text turned by 90 degrees, running upward; answers the text's extent along its
// direction (and only measures when MeasureOnly).
int DrawRotatedCellText(TCanvas* Canvas, const TRect& Rect, bool Fill, int DX, int DY, const String& Text,
                        TAlignment Alignment, TTextLayout Layout, bool EndEllipsis, bool MeasureOnly);
// The same font turned by 90 degrees (a font named "Default" becomes "MS Sans Serif").
std::unique_ptr<TFont> CreateRotatedFont(const TFont* Font);
// The text, or the longest beginning of it (in whole characters) followed by "..." that fits.
String ShortenWithEllipsis(const String& Text, TCanvas* Canvas, int MaxWidth);
// Draws an image of the list (or the bitmap when there is no list) aligned in the rectangle and
// vertically centred; an image larger than the rectangle is clipped to it.
void DrawImageClipped(TCustomImageList* Images, TBitmap* Bitmap, TCanvas* Canvas, TAlignment Alignment,
                      int XOffset, int ImageIndex, const TRect& Rect);
// Each RGB channel v becomes min(255, v + trunc(v / Divisor)).
TColor BrightenColor(TColor Color, double Divisor);
// Inside the rectangle or on any of its edges.
bool PointWithin(const TPoint& P, const TRect& R);

// A right-to-left column's text: left and right alignment and the margins change places.
void MirrorCellTextPlacement(TAlignment& Alignment, int& LeftMargin, int& RightMargin);

// The off-screen bitmap shared by every grid: each grid holds a reference while it lives. The
// bitmap only grows.
void AcquireTextBitmap();
void ReleaseTextBitmap();
int TextBitmapRefCount();
TBitmap* SharedTextBitmap();
