// Pictures of what the program draws, as PNG files, for tests and for checking a screen by eye.
#pragma once

#include "gui/Bitmap.h"

// Writes the bitmap's pixels as a PNG file; false when it cannot be written.
bool SaveBitmapAsPng(const TBitmap& bitmap, const String& fileName);
// Draws any picture (a metafile at a scale, a JPEG ...) on white and writes it as a PNG file.
bool SaveGraphicAsPng(TGraphic& graphic, const String& fileName, double scale = 1.0);
// The whole screen as it shows now, window manager's frames included (under a display server;
// offscreen only the program's own windows); false when it cannot be grabbed or written.
bool SaveScreenAsPng(const String& fileName);
