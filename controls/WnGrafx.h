// Colour gradients in ten styles, painted with as few fills as possible (bands of one colour merge,
// one-axis ramps are painted into an 8-pixel strip and replicated, box ramps are painted in one
// quadrant and mirrored), and the parent's background behind a control.
#pragma once

#include "gui/Bitmap.h"
#include "gui/Controls.h"

enum RampStyle : Byte {
    grdRisingDiagonal,
    grdFallingDiagonal,
    grdTopToBottom,
    grdMiddleRow,
    grdWideBox,
    grdLeftToRight,
    grdMiddleColumn,
    grdTallBox,
    grdFullBox,
    grdInsetBox,
};

// Paints the gradient over Bounds (a rectangle given right to left or bottom to top counts by its
// absolute size, placed at Left, Top). Steps is the least band width: 0..8 pixels (0 counts as 1),
// above 8 bands of 255 div Steps + 1 pixels. A zero-sized area paints nothing.
void DrawGradient(TCanvas* Canvas, const TRect& Bounds, RampStyle Style, TColor StartColor, TColor StopColor,
                  Byte Steps);

// The ramps DrawGradient builds from, drawing into a bitmap's canvas from (0, 0).
// One axis: exactly one centre is non-zero-or-negative; XCentre != 0 ramps along x in rows 0..8,
// else along y in columns 0..8. A negative centre ramps over the full length, a positive one
// mirrors about that position.
void DrawLinearRamp(TCanvas* DC, int XCentre, int YCentre, int Length, TColor StartColor, TColor StopColor,
                    Byte Steps);
// The top-left quadrant of concentric rectangles (stop colour inside).
void DrawBoxRamp(TCanvas* DC, int Width, int Height, int XInset, int YInset, TColor StartColor,
                 TColor StopColor, Byte Steps);
// Diagonal bands; a negative width mirrors the picture left to right.
void DrawDiagonalRamp(TCanvas* DC, int Width, int Height, TColor StartColor, TColor StopColor, Byte Steps);
// Replicates the filled block at (X, Y) over the total area by doubling copies.
void TileByDoubling(TBitmap& Bitmap, int X, int Y, int TotalWidth, int TotalHeight, int FilledWidth,
                    int FilledHeight);
// Completes a picture whose top-left quadrant is painted by mirroring it down and right.
void MirrorQuadrant(TBitmap& Bitmap, int X, int Y, int Width, int Height);

// Paints what the control's parent shows behind the control, so that it can look transparent.
void PaintParentBackground(TControl* Control, TCanvas* Canvas, bool InvalidateParent = false);
