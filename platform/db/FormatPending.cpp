// Weak stand-ins for the display functions of the formatting module that the runtime does not
// have yet. The module's own definitions replace them as soon as it is linked in; this file goes
// when it lands on main.
#include "rtl/Format.h"

#include <cmath>
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
    (void)format;
    return DateTimeToStr(value);
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
