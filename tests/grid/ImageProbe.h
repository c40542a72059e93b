// Probes of images painted into a grid: an image list of solid squares, and the box the pixels of
// one colour take inside a rectangle of a picture.
#pragma once

#include "gui/Bitmap.h"
#include "gui/ImgList.h"

#include <memory>
#include <vector>

// An image list of Size x Size squares, one per colour, without transparent parts.
inline std::unique_ptr<TImageList> SolidImageList(const std::vector<TColor>& Colors, int Size = 8) {
    auto list = std::make_unique<TImageList>(Size, Size);
    for (TColor color : Colors) {
        TBitmap b(Size, Size);
        b.Canvas()->Brush()->SetColor(color);
        b.Canvas()->FillRect(TRect(0, 0, Size, Size));
        list->Add(&b, nullptr);
    }
    return list;
}

// The bounding box of the pixels of Color inside Area; empty (Left >= Right) when there is none.
inline TRect BoxOf(TBitmap& Shot, const TRect& Area, TColor Color) {
    TRect box(Area.Right, Area.Bottom, Area.Left, Area.Top);
    for (int y = Area.Top; y < Area.Bottom; ++y)
        for (int x = Area.Left; x < Area.Right; ++x)
            if (Shot.Canvas()->Pixels(x, y) == Color) {
                if (x < box.Left) box.Left = x;
                if (y < box.Top) box.Top = y;
                if (x + 1 > box.Right) box.Right = x + 1;
                if (y + 1 > box.Bottom) box.Bottom = y + 1;
            }
    return box;
}
