// The pictures of the main window's actions: one 32 x 32 picture per action, in the order of the
// rights table, packed into the program by tools/desktop_images.py.
#pragma once

#include "rtl/Types.h"

#include <cstddef>

class TCustomImageList;

// The packed strip (a BMP in a gzip member; ActionImagesData.cpp).
extern const Byte ActionImagesPacked[];
extern const size_t ActionImagesPackedSize;

inline constexpr int ActionImageSize = 32;

// Appends the 34 pictures to a 32 x 32 image list, each masked by its background colour.
void LoadActionImages(TCustomImageList& list);
// Appends the cells of a packed strip (a BMP in a gzip member, as the image tools write them) to
// an image list of the cells' size, each masked by its background colour.
void LoadPackedImages(TCustomImageList& list, const Byte* packed, size_t size);
// The picture of an action code: its place in the rights table; -1 for codes that are not actions.
int ActionImageIndex(int code);
