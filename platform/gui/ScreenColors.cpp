#include "gui/ScreenColors.h"

namespace {
int Override = 0;
}

int ScreenColorCount() { return Override != 0 ? Override : -1; }

void SetScreenColorCountOverride(int Count) { Override = Count; }

#include "gui/Colors.h"

TColor ScreenNearestColor(TColor Color) {
    TColorRef c = ColorToRGB(Color);
    if (ScreenColorCount() == -1) return static_cast<TColor>(c);
    static const TColorRef Static[20] = {
        RGB(0, 0, 0),       RGB(128, 0, 0),     RGB(0, 128, 0),     RGB(128, 128, 0),   RGB(0, 0, 128),
        RGB(128, 0, 128),   RGB(0, 128, 128),   RGB(192, 192, 192), RGB(192, 220, 192), RGB(166, 202, 240),
        RGB(255, 251, 240), RGB(160, 160, 164), RGB(128, 128, 128), RGB(255, 0, 0),     RGB(0, 255, 0),
        RGB(255, 255, 0),   RGB(0, 0, 255),     RGB(255, 0, 255),   RGB(0, 255, 255),   RGB(255, 255, 255)};
    auto dist = [&](TColorRef p) {
        int dr = int(p & 0xFF) - int(c & 0xFF), dg = int((p >> 8) & 0xFF) - int((c >> 8) & 0xFF),
            db = int((p >> 16) & 0xFF) - int((c >> 16) & 0xFF);
        return dr * dr + dg * dg + db * db;
    };
    TColorRef best = Static[0];
    for (TColorRef p : Static)
        if (dist(p) < dist(best)) best = p;
    return static_cast<TColor>(best);
}
