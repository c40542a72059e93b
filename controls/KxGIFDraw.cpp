// Drawing GIF frames onto in-memory surfaces: a stretch copy, leaving pixels of the key colour out.
#include "controls/KxGIF.h"

void TGIFFrame::DrawOnto(TDibBitmap& surface, Integer left, Integer top, Integer width, Integer height,
                         bool transparent) {
    const TDibBitmap& bmp = FrameBitmap();
    if (bmp.Empty() || surface.BitCount() < 24) return;
    if (width < 1) width = bmp.Width();
    if (height < 1) height = bmp.Height();
    const bool masked = transparent && KeyColor != kxColorNone;
    const TKxColor key = KeyColor & 0xFFFFFF;
    for (Integer dy = 0; dy < height; ++dy) {
        const Integer y = top + dy;
        if (y < 0 || y >= surface.Height()) continue;
        const Integer sy = static_cast<Integer>(static_cast<Int64>(dy) * bmp.Height() / height);
        for (Integer dx = 0; dx < width; ++dx) {
            const Integer x = left + dx;
            if (x < 0 || x >= surface.Width()) continue;
            const Integer sx = static_cast<Integer>(static_cast<Int64>(dx) * bmp.Width() / width);
            const TKxColor color = bmp.Pixel(sx, sy);
            if (masked && color == key) continue;
            surface.SetPixel(x, y, color);
        }
    }
}

void TGIFImage::DrawOnto(TDibBitmap& surface, Integer left, Integer top, Integer width, Integer height) {
    if (ActiveFrame < 0 || ActiveFrame >= FrameCount()) return;
    FrameList[ActiveFrame]->DrawOnto(surface, left, top, width, height, GetTransparent());
}
