// The data grid's cell painting resources: the indicator and title images built into the program
// and the font of sort indexes.
#pragma once

#include "gui/Bitmap.h"
#include "gui/Graphics.h"
#include "gui/ImgList.h"

struct TGridGxResource {
    const char* Name;
    const Byte* Data;
    size_t Size;
};
extern const TGridGxResource GridGxResources[];
extern const int GridGxResourceCount;

// Loads a built-in bitmap by name (without regard to case); raises when there is none.
void LoadGridGxBitmap(TBitmap& Bitmap, const String& Name);

// Indicator images: 0 current record, 1 editing, 2 inserting, 3 marked, 4 current and marked,
// 5 current on a selection, 6 current during an incremental search.
TImageList* GridIndicatorImages();
// Title images: 0 descending marker, 1 ascending marker, 2 the indicator title's drop-down sign.
TImageList* GridTitleImages();
// "Arial", one pixel lower than the sort marker.
TFont* SortIndexFont();

// Colours of the incremental-search mark.
constexpr TColor IncSearchBackground = TColor(0x00FFFF);
constexpr TColor IncSearchText = clBlack;
