// PNG reader: load, draw onto a small surface, write back.
#include "FuzzTarget.h"
#include "report/vrpngimage.h"

ORV_FUZZ_TARGET(png) {
    TPNGObject png;
    png.LoadFromBytes(data, size);
    TPngSurface surface(24, 16, PngRGB(9, 9, 9));
    png.DrawOnto(surface, 0, 0, 24, 16);
    png.SaveToBytes();
}
