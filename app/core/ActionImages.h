// The pictures of the main window's actions: one picture per action, in the order of the rights
// table, from the desktop's icon theme by the names of app/core/IconNames.h; the built-in ones
// (32 x 32, packed into the program by tools/desktop_images.py) stand where no theme has a name.
#pragma once

#include "rtl/Types.h"

#include <cstddef>

class TCustomImageList;

// The packed strip (a BMP in a gzip member; ActionImagesData.cpp).
extern const Byte ActionImagesPacked[];
extern const size_t ActionImagesPackedSize;

inline constexpr int ActionImageSize = 32;

// Appends the 34 pictures to an image list of any size (16, 24, 32 ...), each named after its
// picture in the icon theme, which the list looks up when it first draws the entry.
void LoadActionImages(TCustomImageList& list);
// Appends the cells of a packed strip (a BMP in a gzip member, as the image tools write them) to
// an image list, each masked by its background colour; square cells of another size than the
// list's are scaled to it.
void LoadPackedImages(TCustomImageList& list, const Byte* packed, size_t size);
// The picture of an action code: its place in the rights table; -1 for codes that are not actions.
int ActionImageIndex(int code);
