// The font families a device offers, with their kind as the platform's font enumeration reports
// it: scalable outline fonts count as TrueType, the others as raster fonts, and a family only a
// printer knows as the printer's own (device) font.
#pragma once

#include "rtl/Types.h"

#include <vector>

enum : int { RASTER_FONTTYPE = 0x1, DEVICE_FONTTYPE = 0x2, TRUETYPE_FONTTYPE = 0x4 };

struct TFontFamily {
    String Name;
    int FontType = 0;
};

// The families the screen shows, each once, in the font database's order.
std::vector<TFontFamily> ScreenFontFamilies();
// The families of the current printer: the screen's kind where the screen knows the family, a
// device font otherwise.
std::vector<TFontFamily> PrinterFontFamilies();

// The character set a font really covers, as the platform's text metrics report it: 134
// (GB2312_CHARSET) when the family that draws the name (after substitution) covers Chinese, else
// 0 (ANSI_CHARSET).
int FontRealCharset(const String& name);
