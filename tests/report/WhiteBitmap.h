// A bitmap filled white for drawing tests of report objects, read back pixel by pixel.
#pragma once

#include "gui/Bitmap.h"

struct TWhiteBitmap {
    int W, H;
    TBitmap Bitmap;
    explicit TWhiteBitmap(int w = 300, int h = 200) : W(w), H(h), Bitmap(w, h) {
        Bitmap.Canvas()->Brush()->SetColor(clWhite);
        Bitmap.Canvas()->FillRect(TRect{0, 0, w, h});
    }
    TCanvas* Canvas() { return Bitmap.Canvas(); }
    TColor At(int x, int y) { return Bitmap.Canvas()->Pixels(x, y); }
    int CountNotWhite() {
        int n = 0;
        for (int y = 0; y < H; ++y)
            for (int x = 0; x < W; ++x)
                if (At(x, y) != clWhite) ++n;
        return n;
    }
};
