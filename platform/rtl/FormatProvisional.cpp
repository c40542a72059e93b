// Throwaway stand-ins for the few formatting functions the Variant code calls, until the formatting
// module lands. snprintf/strtod based; no format settings.
#include "rtl/Format.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>

String IntToStr(Int64 value) { return std::to_string(value); }

String IntToHex(Int64 value, int digits) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%0*llX", digits, static_cast<unsigned long long>(value));
    return buf;
}

bool TryStrToInt64(const String& s, Int64& value) {
    if (s.empty()) return false;
    char* end = nullptr;
    errno = 0;
    const long long v = std::strtoll(s.c_str(), &end, 10);
    if (errno || *end) return false;
    value = v;
    return true;
}

bool TryStrToFloat(const String& s, Extended& value) {
    size_t b = s.find_first_not_of(' '), e = s.find_last_not_of(' ');
    if (b == String::npos) return false;
    const String t = s.substr(b, e - b + 1);
    if (t.find_first_not_of("0123456789+-.eE") != String::npos) return false;
    char* end = nullptr;
    const long double v = std::strtold(t.c_str(), &end);
    if (*end) return false;
    value = v;
    return true;
}

String FloatToStr(Extended value) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.15Lg", value);
    return buf;
}

String CurrToStr(Currency value) { return FloatToStr(value.ToDouble()); }

bool TryStrToCurr(const String& s, Currency& value) {
    Extended e = 0;
    if (!TryStrToFloat(s, e)) return false;
    value = Currency::FromRaw(static_cast<Int64>(std::llround(e * 10000)));
    return true;
}

namespace {
constexpr long kDaysTo1970 = 25569; // 1899-12-30 .. 1970-01-01

long DaysFromCivil(long y, unsigned m, unsigned d) {
    y -= m <= 2;
    const long era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<long>(doe) - 719468;
}

void CivilFromDays(long z, long& y, unsigned& m, unsigned& d) {
    z += 719468;
    const long era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    y = static_cast<long>(yoe) + era * 400;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    d = doy - (153 * mp + 2) / 5 + 1;
    m = mp + (mp < 10 ? 3 : -9);
    y += m <= 2;
}
} // namespace

String DateTimeToStr(TDateTime value) {
    const double day = std::floor(value);
    long secs = std::lround((value - day) * 86400.0);
    long y;
    unsigned m, d;
    CivilFromDays(static_cast<long>(day) - kDaysTo1970, y, m, d);
    char buf[64];
    if (secs == 0)
        std::snprintf(buf, sizeof buf, "%04ld-%02u-%02u", y, m, d);
    else
        std::snprintf(buf, sizeof buf, "%04ld-%02u-%02u %02ld:%02ld:%02ld", y, m, d, secs / 3600, secs / 60 % 60,
                      secs % 60);
    return buf;
}

bool TryStrToDateTime(const String& s, TDateTime& value) {
    int y = 0, m = 0, d = 0, hh = 0, nn = 0, ss = 0, used = 0;
    const int n = std::sscanf(s.c_str(), "%d-%d-%d%n %d:%d:%d%n", &y, &m, &d, &used, &hh, &nn, &ss, &used);
    if (n != 3 && n != 6) return false;
    if (static_cast<size_t>(used) != s.size() || m < 1 || m > 12 || d < 1 || d > 31) return false;
    value = DaysFromCivil(y, static_cast<unsigned>(m), static_cast<unsigned>(d)) + kDaysTo1970 +
            (hh * 3600 + nn * 60 + ss) / 86400.0;
    return true;
}
