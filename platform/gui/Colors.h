// Colours as the platform gives them: a 32-bit value 0x00BBGGRR, or a system colour whose low byte
// indexes the fixed system colour table (the classic desktop scheme), or one of the two special
// values clNone and clDefault.
#pragma once

#include "rtl/Types.h"

using TColor = Integer;
using TColorRef = Cardinal;

constexpr TColorRef RGB(int r, int g, int b) {
    return static_cast<TColorRef>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}
constexpr int GetRValue(TColorRef c) {
    return static_cast<int>(c & 0xFF);
}
constexpr int GetGValue(TColorRef c) {
    return static_cast<int>((c >> 8) & 0xFF);
}
constexpr int GetBValue(TColorRef c) {
    return static_cast<int>((c >> 16) & 0xFF);
}

// System colour indexes (GetSysColor).
enum : int {
    COLOR_SCROLLBAR = 0,
    COLOR_BACKGROUND = 1,
    COLOR_ACTIVECAPTION = 2,
    COLOR_INACTIVECAPTION = 3,
    COLOR_MENU = 4,
    COLOR_WINDOW = 5,
    COLOR_WINDOWFRAME = 6,
    COLOR_MENUTEXT = 7,
    COLOR_WINDOWTEXT = 8,
    COLOR_CAPTIONTEXT = 9,
    COLOR_ACTIVEBORDER = 10,
    COLOR_INACTIVEBORDER = 11,
    COLOR_APPWORKSPACE = 12,
    COLOR_HIGHLIGHT = 13,
    COLOR_HIGHLIGHTTEXT = 14,
    COLOR_BTNFACE = 15,
    COLOR_BTNSHADOW = 16,
    COLOR_GRAYTEXT = 17,
    COLOR_BTNTEXT = 18,
    COLOR_INACTIVECAPTIONTEXT = 19,
    COLOR_BTNHIGHLIGHT = 20,
    COLOR_3DDKSHADOW = 21,
    COLOR_3DLIGHT = 22,
    COLOR_INFOTEXT = 23,
    COLOR_INFOBK = 24,
    COLOR_HOTLIGHT = 26,
    COLOR_GRADIENTACTIVECAPTION = 27,
    COLOR_GRADIENTINACTIVECAPTION = 28,
    COLOR_MENUHILIGHT = 29,
    COLOR_MENUBAR = 30,
    COLOR_ENDCOLORS = 30,
};

constexpr TColor TColorOf(Cardinal v) {
    return static_cast<TColor>(v);
}
constexpr TColor clSystemColor = TColorOf(0xFF000000u);

constexpr TColor clScrollBar = TColorOf(0xFF000000u | COLOR_SCROLLBAR);
constexpr TColor clBackground = TColorOf(0xFF000000u | COLOR_BACKGROUND);
constexpr TColor clActiveCaption = TColorOf(0xFF000000u | COLOR_ACTIVECAPTION);
constexpr TColor clInactiveCaption = TColorOf(0xFF000000u | COLOR_INACTIVECAPTION);
constexpr TColor clMenu = TColorOf(0xFF000000u | COLOR_MENU);
constexpr TColor clWindow = TColorOf(0xFF000000u | COLOR_WINDOW);
constexpr TColor clWindowFrame = TColorOf(0xFF000000u | COLOR_WINDOWFRAME);
constexpr TColor clMenuText = TColorOf(0xFF000000u | COLOR_MENUTEXT);
constexpr TColor clWindowText = TColorOf(0xFF000000u | COLOR_WINDOWTEXT);
constexpr TColor clCaptionText = TColorOf(0xFF000000u | COLOR_CAPTIONTEXT);
constexpr TColor clActiveBorder = TColorOf(0xFF000000u | COLOR_ACTIVEBORDER);
constexpr TColor clInactiveBorder = TColorOf(0xFF000000u | COLOR_INACTIVEBORDER);
constexpr TColor clAppWorkSpace = TColorOf(0xFF000000u | COLOR_APPWORKSPACE);
constexpr TColor clHighlight = TColorOf(0xFF000000u | COLOR_HIGHLIGHT);
constexpr TColor clHighlightText = TColorOf(0xFF000000u | COLOR_HIGHLIGHTTEXT);
constexpr TColor clBtnFace = TColorOf(0xFF000000u | COLOR_BTNFACE);
constexpr TColor clBtnShadow = TColorOf(0xFF000000u | COLOR_BTNSHADOW);
constexpr TColor clGrayText = TColorOf(0xFF000000u | COLOR_GRAYTEXT);
constexpr TColor clBtnText = TColorOf(0xFF000000u | COLOR_BTNTEXT);
constexpr TColor clInactiveCaptionText = TColorOf(0xFF000000u | COLOR_INACTIVECAPTIONTEXT);
constexpr TColor clBtnHighlight = TColorOf(0xFF000000u | COLOR_BTNHIGHLIGHT);
constexpr TColor cl3DDkShadow = TColorOf(0xFF000000u | COLOR_3DDKSHADOW);
constexpr TColor cl3DLight = TColorOf(0xFF000000u | COLOR_3DLIGHT);
constexpr TColor clInfoText = TColorOf(0xFF000000u | COLOR_INFOTEXT);
constexpr TColor clInfoBk = TColorOf(0xFF000000u | COLOR_INFOBK);
constexpr TColor clHotLight = TColorOf(0xFF000000u | COLOR_HOTLIGHT);
constexpr TColor clGradientActiveCaption = TColorOf(0xFF000000u | COLOR_GRADIENTACTIVECAPTION);
constexpr TColor clGradientInactiveCaption = TColorOf(0xFF000000u | COLOR_GRADIENTINACTIVECAPTION);
constexpr TColor clMenuHighlight = TColorOf(0xFF000000u | COLOR_MENUHILIGHT);
constexpr TColor clMenuBar = TColorOf(0xFF000000u | COLOR_MENUBAR);

constexpr TColor clBlack = 0x000000;
constexpr TColor clMaroon = 0x000080;
constexpr TColor clGreen = 0x008000;
constexpr TColor clOlive = 0x008080;
constexpr TColor clNavy = 0x800000;
constexpr TColor clPurple = 0x800080;
constexpr TColor clTeal = 0x808000;
constexpr TColor clGray = 0x808080;
constexpr TColor clSilver = 0xC0C0C0;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clLime = 0x00FF00;
constexpr TColor clYellow = 0x00FFFF;
constexpr TColor clBlue = 0xFF0000;
constexpr TColor clFuchsia = 0xFF00FF;
constexpr TColor clAqua = 0xFFFF00;
constexpr TColor clLtGray = 0xC0C0C0;
constexpr TColor clDkGray = 0x808080;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clMoneyGreen = 0xC0DCC0;
constexpr TColor clSkyBlue = 0xF0CAA6;
constexpr TColor clCream = 0xF0FBFF;
constexpr TColor clMedGray = 0xA4A0A0;
constexpr TColor clNone = 0x1FFFFFFF;
constexpr TColor clDefault = 0x20000000;

// The colour of a system colour index from the fixed table; 0 for an index outside it.
TColorRef GetSysColor(int index);
// A system colour resolved through the table; any other value is returned unchanged.
TColorRef ColorToRGB(TColor color);
// The plain 0x00BBGGRR value a pixel of that colour has: a system colour resolved, and the flag
// byte of a palette-relative colour (0x02000000, as TBitmap::TransparentColor gives) dropped.
// Colours that pick out pixels (masks, transparent colours) compare through it.
inline TColorRef ColorToPixelRGB(TColor color) {
    return ColorToRGB(color) & 0x00FFFFFF;
}

// Colour names ("clRed", "clBtnFace", ...) as stored in layouts and forms. ColorToString gives the
// name when the value has one, else "$00BBGGRR" (8 hex digits). StringToColor reads a name or a
// number ("$..." hex or decimal) and raises EConvertError otherwise.
String ColorToString(TColor color);
TColor StringToColor(const String& text);
bool IdentToColor(const String& ident, TColor& color);
bool ColorToIdent(TColor color, String& ident);
