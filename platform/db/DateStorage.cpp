#include "db/DateStorage.h"

#include <cmath>
#include <cstdio>
#include <ctime>

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

// Reads 1 to maxDigits digits at p.
bool ReadNumber(const char*& p, const char* end, int maxDigits, int& value) {
    int n = 0;
    value = 0;
    while (p < end && n < maxDigits && *p >= '0' && *p <= '9') {
        value = value * 10 + (*p - '0');
        ++p;
        ++n;
    }
    return n > 0;
}

bool ReadTime(const char*& p, const char* end, double& fraction) {
    int hh = 0, nn = 0, ss = 0;
    if (!ReadNumber(p, end, 2, hh) || p >= end || *p != ':') return false;
    ++p;
    if (!ReadNumber(p, end, 2, nn)) return false;
    if (p < end && *p == ':') {
        ++p;
        if (!ReadNumber(p, end, 2, ss)) return false;
        if (p < end && *p == '.') {
            ++p;
            while (p < end && *p >= '0' && *p <= '9')
                ++p;
        }
    }
    if (hh > 23 || nn > 59 || ss > 59) return false;
    fraction = (hh * 3600 + nn * 60 + ss) / 86400.0;
    return true;
}
} // namespace

bool StorageIsValidDate(int year, int month, int day) {
    return year >= 1 && year <= 9999 && month >= 1 && month <= 12 && day >= 1 &&
           day <= StorageDaysInMonth(year, month);
}

int StorageDaysInMonth(int year, int month) {
    static const int days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12) return 0;
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return days[month - 1] + (month == 2 && leap ? 1 : 0);
}

TDateTime StorageEncodeDate(int year, int month, int day) {
    return static_cast<TDateTime>(
        DaysFromCivil(year, static_cast<unsigned>(month), static_cast<unsigned>(day)) + kDaysTo1970);
}

void StorageDecodeDate(TDateTime value, int& year, int& month, int& day) {
    long y;
    unsigned m, d;
    CivilFromDays(static_cast<long>(std::floor(value)) - kDaysTo1970, y, m, d);
    year = static_cast<int>(y);
    month = static_cast<int>(m);
    day = static_cast<int>(d);
}

String DateTimeToStorage(TDateTime value) {
    double day = std::floor(value);
    long secs = std::lround((value - day) * 86400.0);
    if (secs >= 86400) {
        day += 1;
        secs -= 86400;
    }
    int y, m, d;
    StorageDecodeDate(day, y, m, d);
    if (y < 0 || y > 9999) {
        char buf[48];
        std::snprintf(buf, sizeof buf, "%04d-%02d-%02d", y, m, d);
        return buf;
    }
    // Written digit by digit: every stored date passes through here.
    char buf[20];
    auto two = [&](int at, long v) {
        buf[at] = static_cast<char>('0' + v / 10 % 10);
        buf[at + 1] = static_cast<char>('0' + v % 10);
    };
    two(0, y / 100);
    two(2, y % 100);
    buf[4] = '-';
    two(5, m);
    buf[7] = '-';
    two(8, d);
    if (secs == 0) return String(buf, 10);
    buf[10] = ' ';
    two(11, secs / 3600);
    buf[13] = ':';
    two(14, secs / 60 % 60);
    buf[16] = ':';
    two(17, secs % 60);
    return String(buf, 19);
}

bool StorageToDateTime(const char* text, size_t length, TDateTime& value) {
    const char* p = text;
    const char* end = text + length;
    while (p < end && *p == ' ')
        ++p;
    while (end > p && end[-1] == ' ')
        --end;
    if (p == end) return false;
    // A time alone: "hh:nn[:ss]".
    const char* q = p;
    int first = 0;
    ReadNumber(q, end, 4, first);
    if (q < end && *q == ':' && q - p <= 2) {
        double fraction = 0;
        if (!ReadTime(p, end, fraction) || p != end) return false;
        value = fraction;
        return true;
    }
    int y = 0, m = 0, d = 0;
    if (!ReadNumber(p, end, 4, y) || p >= end || (*p != '-' && *p != '/')) return false;
    const char sep = *p++;
    if (!ReadNumber(p, end, 2, m) || p >= end || *p != sep) return false;
    ++p;
    if (!ReadNumber(p, end, 2, d)) return false;
    if (!StorageIsValidDate(y, m, d)) return false;
    double fraction = 0;
    if (p < end) {
        if (*p != ' ' && *p != 'T') return false;
        while (p < end && (*p == ' ' || *p == 'T'))
            ++p;
        if (!ReadTime(p, end, fraction) || p != end) return false;
    }
    value = StorageEncodeDate(y, m, d) + fraction;
    return true;
}

TDateTime StorageNow() {
    const std::time_t t = std::time(nullptr);
    std::tm local{};
    localtime_r(&t, &local);
    return StorageEncodeDate(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday) +
           (local.tm_hour * 3600 + local.tm_min * 60 + local.tm_sec) / 86400.0;
}
