// The pictures of the register windows, packed into the program by tools/register_images.py: the
// toolbar buttons (20 x 20) and the estate tree (16 x 16). Each list is made once, on first use,
// and lives as long as the program.
#pragma once

#include "rtl/Types.h"

#include <cstddef>

class TImageList;

// The toolbar pictures, in the order of the strip.
enum TToolImage {
    tiNew,
    tiEdit,
    tiDelete,
    tiFirst,
    tiPrior,
    tiNext,
    tiLast,
    tiQuery,
    tiPrint,
    tiSet,
    tiExport,
    tiExit,
    tiSave,
    tiCancel,
    tiSale,
    tiMoveIn,
    tiVacate,
    tiCopy,
    ToolImageCount
};
// The tree pictures: an estate, a building with children collapsed, expanded, a building
// without children.
enum TTreeImage { tiEstate, tiBuildingClosed, tiBuildingOpen, tiBuildingLeaf, TreeImageCount };

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
