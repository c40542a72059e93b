// The picture exports' GIF writer: one bitmap as a single-image GIF89a file with a 256-colour
// global table, LZW-coded pixels in sub-blocks of 254 bytes, and the writer's comment.
#pragma once

#include "rtl/Streams.h"

class TBitmap;

// Writes the bitmap to the stream. The bitmap is converted to 8 bits per pixel first (the
// platform's conversion with its palette) and keeps that format. Sides over 65535 pixels, which
// the format cannot hold, raise EInvalidGraphicOperation before anything is written.
void WriteGif(TStream& stream, TBitmap& bitmap);
// Writes the bitmap as a GIF file, under a temporary name renamed over the file when complete:
// a failure leaves an existing file as it was.
void SaveBitmapAsGif(const String& fileName, TBitmap& bitmap);
