// Tolerant number parsing and the report library's number display forms.
#include "report/vrUtils.h"

#include "gui/Colors.h"
#include "rtl/Format.h"

#include <cmath>

Extended StrToFloatLoose(const String& text) {
    const char sep = FormatSettings().DecimalSeparator;
    String s;
    s.reserve(text.size());
    for (char c : text) {
        if (c == ' ') continue;
        s += (c == ',' || c == '.') ? sep : c;
    }
    return StrToFloat(s);
}

bool IsFloatText(const String& text) {
    try {
        StrToFloatLoose(text);
        return true;
    } catch (...) {
        return false;
    }
}

String FloatToDisplayStr(Extended value) {
    if (std::trunc(value) != value) return Format("%2.2f", {value});
    return FloatToStr(value);
}

String FormatFloatFixed(int decimals, char decimalSeparator, Extended value) {
    TFormatSettings fs = FormatSettings();
    fs.DecimalSeparator = decimalSeparator;
    fs.ThousandSeparator = 0;
    return FloatToStrF(value, TFloatFormat::ffFixed, 32, decimals, fs);
}

String ColorToHTMLColor(Integer color) {
    // System colours (negative values) are resolved to their RGB value first.
    const unsigned rgb = static_cast<unsigned>(ColorToRGB(color)) & 0xFFFFFFu;
    return Format("#%.2x%.2x%.2x", {rgb & 0xFF, (rgb >> 8) & 0xFF, (rgb >> 16) & 0xFF});
}
