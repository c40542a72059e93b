// Throwaway stand-ins for the few formatting functions the ini files call, until the formatting
// module lands. Weak definitions: the real module's definitions win wherever both are linked.
// snprintf/strtod based; no format settings.
#include "rtl/Format.h"

#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#define ORV_PROVISIONAL __attribute__((weak))

namespace {
constexpr long kDaysTo1970 = 25569; // 1899-12-30 .. 1970-01-01

long DaysFromCivil(long y, unsigned m, unsigned d) {
    y -= m <= 2;
    const long era = (y >= 0 ? y : y - 399) / 400;
    const auto yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<long>(doe) - 719468;
}

void CivilFromDays(long z, long& y, unsigned& m, unsigned& d) {
    z += 719468;
    const long era = (z >= 0 ? z : z - 146096) / 146097;
    const auto doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    y = static_cast<long>(yoe) + era * 400;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    d = doy - (153 * mp + 2) / 5 + 1;
    m = mp < 10 ? mp + 3 : mp - 9;
    y += m <= 2;
}

String DatePart(TDateTime value) {
    long y;
    unsigned m, d;
    CivilFromDays(static_cast<long>(std::floor(value)) - kDaysTo1970, y, m, d);
    char buf[32];
    std::snprintf(buf, sizeof buf, "%04ld-%02u-%02u", y, m, d);
    return buf;
}

String TimePart(TDateTime value) {
    const long secs = std::lround((value - std::floor(value)) * 86400.0) % 86400;
    char buf[32];
    std::snprintf(buf, sizeof buf, "%02ld:%02ld:%02ld", secs / 3600, secs / 60 % 60, secs % 60);
    return buf;
}

bool ParseDate(const char* s, int& used, TDateTime& value) {
    int y = 0, m = 0, d = 0;
    used = 0;
    if (std::sscanf(s, "%d-%d-%d%n", &y, &m, &d, &used) != 3 || m < 1 || m > 12 || d < 1 || d > 31)
        return false;
    value = static_cast<double>(DaysFromCivil(y, static_cast<unsigned>(m), static_cast<unsigned>(d)) +
                                kDaysTo1970);
    return true;
}

bool ParseTime(const char* s, int& used, TDateTime& value) {
    int h = 0, n = 0, sec = 0;
    used = 0;
    const int k = std::sscanf(s, "%d:%d%n:%d%n", &h, &n, &used, &sec, &used);
    if (k < 2 || h < 0 || h > 23 || n < 0 || n > 59 || sec < 0 || sec > 59) return false;
    value = (h * 3600 + n * 60 + sec) / 86400.0;
    return true;
}
} // namespace

ORV_PROVISIONAL String IntToStr(Int64 value) {
    return std::to_string(value);
}

ORV_PROVISIONAL Integer StrToIntDef(const String& s, Integer def) {
    if (s.empty()) return def;
    const bool hex = s[0] == '$';
    char* end = nullptr;
    errno = 0;
    const long long v = std::strtoll(s.c_str() + (hex ? 1 : 0), &end, hex ? 16 : 10);
    if (errno || *end || end == s.c_str() + (hex ? 1 : 0) || v < INT32_MIN || v > INT32_MAX) return def;
    return static_cast<Integer>(v);
}

ORV_PROVISIONAL String FloatToStr(Extended value) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.15Lg", value);
    return buf;
}

ORV_PROVISIONAL bool TryStrToFloat(const String& s, Extended& value) {
    if (s.empty() || s.find_first_not_of("0123456789+-.eE") != String::npos) return false;
    char* end = nullptr;
    const long double v = std::strtold(s.c_str(), &end);
    if (*end) return false;
    value = v;
    return true;
}

ORV_PROVISIONAL String DateToStr(TDateTime value) {
    return DatePart(value);
}
ORV_PROVISIONAL String TimeToStr(TDateTime value) {
    return TimePart(value);
}
ORV_PROVISIONAL String DateTimeToStr(TDateTime value) {
    const String date = DatePart(value);
    return value == std::floor(value) ? date : date + " " + TimePart(value);
}

ORV_PROVISIONAL bool TryStrToDate(const String& s, TDateTime& value) {
    int used = 0;
    TDateTime v = 0;
    if (!ParseDate(s.c_str(), used, v) || static_cast<size_t>(used) != s.size()) return false;
    value = v;
    return true;
}

ORV_PROVISIONAL bool TryStrToTime(const String& s, TDateTime& value) {
    int used = 0;
    TDateTime v = 0;
    if (!ParseTime(s.c_str(), used, v) || static_cast<size_t>(used) != s.size()) return false;
    value = v;
    return true;
}

ORV_PROVISIONAL bool TryStrToDateTime(const String& s, TDateTime& value) {
    int used = 0;
    TDateTime date = 0, time = 0;
    if (!ParseDate(s.c_str(), used, date)) return false;
    if (static_cast<size_t>(used) == s.size()) {
        value = date;
        return true;
    }
    if (s[static_cast<size_t>(used)] != ' ') return false;
    const String rest = s.substr(static_cast<size_t>(used) + 1);
    if (!ParseTime(rest.c_str(), used, time) || static_cast<size_t>(used) != rest.size()) return false;
    value = date + time;
    return true;
}
