// Pictures read by the platform's own image readers (the GIF, PNG, JPEG, BMP and ICO readers of
// the toolkit), independent of the program's codecs: tests check what the codecs write with it.
#pragma once

#include "gui/Bitmap.h"

#include <memory>

// The first image of the file as a 24-bit bitmap, transparent pixels composed over Background.
// A file no reader takes raises EInvalidGraphic "Cannot read picture file <name>: <reason>".
std::unique_ptr<TBitmap> LoadImageFileViaPlatformReader(const String& FileName, TColor Background = clWhite);
