// Internal to platform/gui: images of an image list for Qt widgets (menus, tool buttons, tree and
// list items, tabs) and the greyed look of disabled images. Included only by .cpp files.
#pragma once

#include "gui/ImgList.h"

#include <QIcon>
#include <QImage>

struct TImageListAccess {
    // The image's pixels (alpha 0 where transparent); nullptr for a bad index or no list.
    static const QImage* Pixels(const TCustomImageList* list, int index);
    // The theme's disabled rendering of an entry showing a picture of the icon theme, else nullptr.
    static const QImage* ThemeDisabledPixels(const TCustomImageList* list, int index);
    // The icon made for (index, selected index) before, nullptr when none; and storing one.
    static const QIcon* CachedIcon(const TCustomImageList* list, int index, int selectedIndex);
    static void CacheIcon(TCustomImageList* list, int index, int selectedIndex, const QIcon& icon);
};

// The disabled look of an image: its dark parts as a shape in the highlight colour one pixel down
// and right, with the shape in the shadow colour over it; one pixel wider and higher than the image.
QImage GreyedImage(const QImage& image);

// SelectedIndex meaning "the selected look is the image itself".
constexpr int TImageListKeepImage = -2;

// The icon of entry Index: the image in the normal mode; in the disabled mode the entry of
// DisabledImages when given, else the theme's disabled rendering of a theme picture, else the
// greyed image; in the selected mode the entry SelectedIndex (nothing when that is no entry, the
// image itself with TImageListKeepImage). A missing image is a transparent one of the list's size,
// so rows keep their indent. A null icon without a list.
QIcon ImageListIcon(TCustomImageList* Images, int Index, TCustomImageList* DisabledImages = nullptr,
                    int SelectedIndex = TImageListKeepImage);
