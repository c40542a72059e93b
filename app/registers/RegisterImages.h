// The pictures of the register windows: the toolbar buttons (20 x 20) and the estate tree
// (16 x 16), from the desktop's icon theme, with the built-in pictures packed into the program by
// tools/register_images.py where no theme has a name. Each list is made once, on first use, and
// lives as long as the program; the theme's pictures are looked up when first drawn.
#pragma once

#include "app/core/IconNames.h"
#include "rtl/Types.h"

#include <cstddef>

class TImageList;

// The toolbar and tree pictures (TToolImage, TTreeImage) and their names in the icon theme are
// those of app/core/IconNames.h.

inline constexpr int ToolImageSize = 20;
inline constexpr int TreeImageSize = 16;

TImageList* RegisterToolImages();
// The tree images of the house list and the house picker.
TImageList* ImageTree();

// The packed strips (BMP files in gzip members; RegisterImagesData.cpp).
extern const Byte ToolImagesPacked[];
extern const size_t ToolImagesPackedSize;
extern const Byte TreeImagesPacked[];
extern const size_t TreeImagesPackedSize;
