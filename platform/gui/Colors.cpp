#include "gui/Colors.h"
#include "gui/IdentTables.h"

#include "rtl/StrUtils.h"
#include "rtl/SysUtils.h"

#include <array>
#include <cctype>
#include <cstdio>
#include <cstdlib>

namespace {

// The classic desktop scheme: the fixed answers of GetSysColor.
constexpr std::array<TColorRef, COLOR_ENDCOLORS + 1> SysColors = {
    RGB(212, 208, 200), // COLOR_SCROLLBAR
    RGB(58, 110, 165),  // COLOR_BACKGROUND
    RGB(10, 36, 106),   // COLOR_ACTIVECAPTION
    RGB(128, 128, 128), // COLOR_INACTIVECAPTION
    RGB(212, 208, 200), // COLOR_MENU
    RGB(255, 255, 255), // COLOR_WINDOW
    RGB(0, 0, 0),       // COLOR_WINDOWFRAME
    RGB(0, 0, 0),       // COLOR_MENUTEXT
    RGB(0, 0, 0),       // COLOR_WINDOWTEXT
    RGB(255, 255, 255), // COLOR_CAPTIONTEXT
    RGB(212, 208, 200), // COLOR_ACTIVEBORDER
    RGB(212, 208, 200), // COLOR_INACTIVEBORDER
    RGB(128, 128, 128), // COLOR_APPWORKSPACE
    RGB(10, 36, 106),   // COLOR_HIGHLIGHT
    RGB(255, 255, 255), // COLOR_HIGHLIGHTTEXT
    RGB(212, 208, 200), // COLOR_BTNFACE
    RGB(128, 128, 128), // COLOR_BTNSHADOW
    RGB(128, 128, 128), // COLOR_GRAYTEXT
    RGB(0, 0, 0),       // COLOR_BTNTEXT
    RGB(212, 208, 200), // COLOR_INACTIVECAPTIONTEXT
    RGB(255, 255, 255), // COLOR_BTNHIGHLIGHT
    RGB(64, 64, 64),    // COLOR_3DDKSHADOW
    RGB(212, 208, 200), // COLOR_3DLIGHT
    RGB(0, 0, 0),       // COLOR_INFOTEXT
    RGB(255, 255, 225), // COLOR_INFOBK
    RGB(181, 181, 181), // 25 (unused)
    RGB(0, 0, 128),     // COLOR_HOTLIGHT
    RGB(166, 202, 240), // COLOR_GRADIENTACTIVECAPTION
    RGB(192, 192, 192), // COLOR_GRADIENTINACTIVECAPTION
    RGB(10, 36, 106),   // COLOR_MENUHILIGHT
    RGB(212, 208, 200), // COLOR_MENUBAR
};

struct ColorName {
    TColor Value;
    const char* Name;
};

// Named colours in the order the platform lists them; the first name of a value wins.
constexpr ColorName ColorNames[] = {
    {clBlack, "clBlack"},
    {clMaroon, "clMaroon"},
    {clGreen, "clGreen"},
    {clOlive, "clOlive"},
    {clNavy, "clNavy"},
    {clPurple, "clPurple"},
    {clTeal, "clTeal"},
    {clGray, "clGray"},
    {clSilver, "clSilver"},
    {clRed, "clRed"},
    {clLime, "clLime"},
    {clYellow, "clYellow"},
    {clBlue, "clBlue"},
    {clFuchsia, "clFuchsia"},
    {clAqua, "clAqua"},
    {clWhite, "clWhite"},
    {clMoneyGreen, "clMoneyGreen"},
    {clSkyBlue, "clSkyBlue"},
    {clCream, "clCream"},
    {clMedGray, "clMedGray"},
    {clActiveBorder, "clActiveBorder"},
    {clActiveCaption, "clActiveCaption"},
    {clAppWorkSpace, "clAppWorkSpace"},
    {clBackground, "clBackground"},
    {clBtnFace, "clBtnFace"},
    {clBtnHighlight, "clBtnHighlight"},
    {clBtnShadow, "clBtnShadow"},
    {clBtnText, "clBtnText"},
    {clCaptionText, "clCaptionText"},
    {clDefault, "clDefault"},
    {clGradientActiveCaption, "clGradientActiveCaption"},
    {clGradientInactiveCaption, "clGradientInactiveCaption"},
    {clGrayText, "clGrayText"},
    {clHighlight, "clHighlight"},
    {clHighlightText, "clHighlightText"},
    {clHotLight, "clHotLight"},
    {clInactiveBorder, "clInactiveBorder"},
    {clInactiveCaption, "clInactiveCaption"},
    {clInactiveCaptionText, "clInactiveCaptionText"},
    {clInfoBk, "clInfoBk"},
    {clInfoText, "clInfoText"},
    {clMenu, "clMenu"},
    {clMenuBar, "clMenuBar"},
    {clMenuHighlight, "clMenuHighlight"},
    {clMenuText, "clMenuText"},
    {clNone, "clNone"},
    {clScrollBar, "clScrollBar"},
    {cl3DDkShadow, "cl3DDkShadow"},
    {cl3DLight, "cl3DLight"},
    {clWindow, "clWindow"},
    {clWindowFrame, "clWindowFrame"},
    {clWindowText, "clWindowText"},
};

} // namespace

TColorRef GetSysColor(int index) {
    if (index < 0 || index > COLOR_ENDCOLORS) return 0;
    return SysColors[static_cast<size_t>(index)];
}

TColorRef ColorToRGB(TColor color) {
    if (color < 0) return GetSysColor(color & 0xFF);
    return static_cast<TColorRef>(color);
}

bool ColorToIdent(TColor color, String& ident) {
    for (const auto& c : ColorNames)
        if (c.Value == color) {
            ident = c.Name;
            return true;
        }
    return false;
}

void GetColorValues(const TGetStrProc& proc) {
    for (const auto& c : ColorNames)
        proc(c.Name);
}

bool IdentToColor(const String& ident, TColor& color) {
    for (const auto& c : ColorNames)
        if (SameText(ident, c.Name)) {
            color = c.Value;
            return true;
        }
    return false;
}

String ColorToString(TColor color) {
    String name;
    if (ColorToIdent(color, name)) return name;
    char buf[16];
    std::snprintf(buf, sizeof buf, "$%.8X", static_cast<unsigned>(color));
    return buf;
}

TColor StringToColor(const String& text) {
    TColor color = 0;
    if (IdentToColor(text, color)) return color;
    if (!text.empty()) {
        const char* s = text.c_str();
        bool negative = false;
        if (*s == '-') {
            negative = true;
            ++s;
        }
        int base = 10;
        if (*s == '$') {
            base = 16;
            ++s;
        } else if (s[0] == '0' && (s[1] == 'x' || s[1] == 'X')) {
            base = 16;
            s += 2;
        }
        if (*s) {
            char* end = nullptr;
            unsigned long long v = std::strtoull(s, &end, base);
            if (end && *end == 0 && v <= 0xFFFFFFFFull) {
                auto value = static_cast<TColor>(static_cast<Cardinal>(v));
                return negative ? -value : value;
            }
        }
    }
    throw EConvertError("'" + text + "' is not a valid integer value");
}
