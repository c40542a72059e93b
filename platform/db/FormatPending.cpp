// Weak stand-ins for the display functions of the formatting module that the runtime does not
// have yet. The module's own definitions replace them as soon as it is linked in; this file goes
// when it lands on main.
#include "rtl/Format.h"

#include <cctype>
#include <cmath>
#include <cstdlib>
#include <cstdio>

#define ORV_PENDING __attribute__((weak))

ORV_PENDING String FloatToStrF(Extended value, TFloatFormat format, int precision, int digits) {
    char buf[64];
    if (format == TFloatFormat::ffGeneral) {
        std::snprintf(buf, sizeof buf, "%.*Lg", precision, value);
        return buf;
    }
    std::snprintf(buf, sizeof buf, "%.*Lf", digits, value);
    return buf;
}

ORV_PENDING String FormatFloat(const String& format, Extended value) {
    const size_t dot = format.find('.');
    int digits = 0;
    if (dot != String::npos)
        for (size_t i = dot + 1; i < format.size() && (format[i] == '0' || format[i] == '#'); ++i) ++digits;
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*Lf", digits, value);
    return buf;
}

ORV_PENDING String FormatDateTime(const String& format, TDateTime value) {
    // yyyy yy mm m dd d hh h nn n ss s and literal text; "m" after "h" is minutes.
    const double day = std::floor(value);
    const long secs = std::lround((value - day) * 86400.0);
    const String iso = DateTimeToStr(day); // yyyy-mm-dd
    const int y = std::atoi(iso.c_str()), mo = std::atoi(iso.c_str() + 5), d = std::atoi(iso.c_str() + 8);
    const int parts[] = {static_cast<int>(secs / 3600), static_cast<int>(secs / 60 % 60), static_cast<int>(secs % 60)};
    String out;
    bool afterHour = false;
    for (size_t i = 0; i < format.size();) {
        const char c = static_cast<char>(std::tolower(static_cast<unsigned char>(format[i])));
        size_t n = 1;
        while (i + n < format.size() && std::tolower(static_cast<unsigned char>(format[i + n])) == c) ++n;
        char buf[16];
        auto put = [&](int v, size_t width) {
            std::snprintf(buf, sizeof buf, width >= 2 ? "%02d" : "%d", v);
            out += buf;
        };
        if (c == 'y') {
            std::snprintf(buf, sizeof buf, n >= 4 ? "%04d" : "%02d", n >= 4 ? y : y % 100);
            out += buf;
        } else if (c == 'm')
            put(afterHour ? parts[1] : mo, n);
        else if (c == 'd')
            put(d, n);
        else if (c == 'h')
            put(parts[0], n);
        else if (c == 'n')
            put(parts[1], n);
        else if (c == 's')
            put(parts[2], n);
        else
            out.append(format, i, n);
        afterHour = c == 'h' || (afterHour && (c == ':' || c == ' '));
        i += n;
    }
    return out;
}

ORV_PENDING String DateToStr(TDateTime value) { return DateTimeToStr(std::floor(value)); }

ORV_PENDING String TimeToStr(TDateTime value) {
    const long secs = std::lround((value - std::floor(value)) * 86400.0);
    char buf[48];
    std::snprintf(buf, sizeof buf, "%02ld:%02ld:%02ld", secs / 3600, secs / 60 % 60, secs % 60);
    return buf;
}

ORV_PENDING String CurrToStrF(Currency value, TFloatFormat format, int digits) {
    return FloatToStrF(value.ToDouble(), format, 19, digits);
}

ORV_PENDING String FormatCurr(const String& format, Currency value) { return FormatFloat(format, value.ToDouble()); }

ORV_PENDING TFormatSettings::TFormatSettings() {}

ORV_PENDING TFormatSettings& FormatSettings() {
    static TFormatSettings settings;
    return settings;
}

ORV_PENDING Currency Currency::FromDouble(long double v) {
    return Currency::FromRaw(static_cast<Int64>(std::llround(v * 10000.0L)));
}
