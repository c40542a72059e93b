#include "rtl/FormatDecimal.h"

#include "rtl/CodePage.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <locale.h>

namespace {

// Rounds the digits of rec half away from zero so that at most `keep` remain, then drops
// trailing zeros. keep < 0 leaves zero; keep == 0 leaves either zero or a single "1" one place up.
void RoundDigits(TFloatRec& rec, int keep) {
    if (keep < rec.Count) {
        if (keep < 0) {
            rec.Count = 0;
        } else {
            bool up = rec.Digits[keep] >= '5';
            rec.Count = keep;
            if (up) {
                int i = keep - 1;
                while (i >= 0 && rec.Digits[i] == '9')
                    --i;
                if (i < 0) {
                    rec.Digits[0] = '1';
                    rec.Count = 1;
                    ++rec.Exponent;
                } else {
                    ++rec.Digits[i];
                    rec.Count = i + 1;
                }
            }
        }
    }
    while (rec.Count > 0 && rec.Digits[rec.Count - 1] == '0')
        --rec.Count;
    if (rec.Count == 0) {
        rec.Exponent = 0;
        rec.Negative = false;
    }
    rec.Digits[rec.Count] = 0;
}

locale_t CLocale() {
    static locale_t c = newlocale(LC_ALL_MASK, "C", nullptr);
    return c;
}

} // namespace

long double ParseCExtended(const String& text, bool& overflow) {
    errno = 0;
    long double v = strtold_l(text.c_str(), nullptr, CLocale());
    overflow = errno == ERANGE && std::isinf(v);
    return v;
}

double ParseCDouble(const String& text, bool& overflow) {
    errno = 0;
    double v = strtod_l(text.c_str(), nullptr, CLocale());
    overflow = errno == ERANGE && std::isinf(v);
    return v;
}

TFloatRec FloatToDecimal(Extended value, int precision, int decimals) {
    TFloatRec rec;
    if (std::isnan(value)) {
        rec.Kind = TFloatRec::TKind::NaN;
        return rec;
    }
    rec.Negative = std::signbit(value);
    if (std::isinf(value)) {
        rec.Kind = TFloatRec::TKind::Inf;
        return rec;
    }
    if (value == 0) {
        rec.Negative = false;
        return rec;
    }
    // 18 significant digits, correctly rounded: "d.ddddddddddddddddde+x".
    char buf[48];
    const Extended magnitude = std::fabs(value);
    const double asDouble = static_cast<double>(magnitude);
    if (static_cast<Extended>(asDouble) == magnitude) { // the same exact value: the faster double path
        auto res = std::to_chars(buf, buf + sizeof buf - 1, asDouble, std::chars_format::scientific, 17);
        *res.ptr = 0;
    } else {
        std::snprintf(buf, sizeof buf, "%.17Le", magnitude);
    }
    int n = 0;
    const char* p = buf;
    for (; *p && *p != 'e'; ++p)
        if (*p >= '0' && *p <= '9') rec.Digits[n++] = *p;
    rec.Count = n;
    rec.Exponent = (*p == 'e' ? std::atoi(p + 1) : 0) + 1;
    if (precision > 18) precision = 18;
    if (precision < 1) precision = 1;
    int keep = precision;
    if (decimals < NoDecimals && rec.Exponent + decimals < keep) keep = rec.Exponent + decimals;
    RoundDigits(rec, keep);
    return rec;
}

TFloatRec CurrToDecimal(Currency value, int precision, int decimals) {
    TFloatRec rec;
    rec.Negative = value.Value < 0;
    UInt64 magnitude = rec.Negative ? 0 - static_cast<UInt64>(value.Value) : static_cast<UInt64>(value.Value);
    char tmp[24];
    int n = 0;
    while (magnitude > 0) {
        tmp[n++] = static_cast<char>('0' + magnitude % 10);
        magnitude /= 10;
    }
    for (int i = 0; i < n; ++i)
        rec.Digits[i] = tmp[n - 1 - i];
    rec.Count = n;
    rec.Exponent = n - 4;
    int keep = std::max(precision, 1);
    if (decimals < NoDecimals && rec.Exponent + decimals < keep) keep = rec.Exponent + decimals;
    RoundDigits(rec, keep);
    return rec;
}

int TNumberSource::Sign() const {
    if (IsCurrency) return Curr.Value > 0 ? 1 : (Curr.Value < 0 ? -1 : 0);
    if (Float > 0) return 1;
    if (Float < 0) return -1;
    return 0;
}

size_t Utf8CharLength(const String& text, size_t i) {
    char32_t cp;
    size_t len = Utf8Decode(text, i, cp);
    return len == 0 ? 1 : len;
}
