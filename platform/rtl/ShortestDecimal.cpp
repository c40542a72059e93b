#include "rtl/ShortestDecimal.h"

#include "rtl/SysUtils.h"

#include <charconv>
#include <cmath>
#include <cstdlib>

namespace {

// The double's shortest round-trip text in scientific form ("6.535e+01"), ended by a NUL (the
// exponent is read up to it).
size_t ShortestText(double value, char* buf, size_t size) {
    const auto res = std::to_chars(buf, buf + size - 1, value, std::chars_format::scientific);
    *res.ptr = '\0';
    return static_cast<size_t>(res.ptr - buf);
}

} // namespace

TShortestDecimal ShortestDecimalOf(double value) {
    if (!std::isfinite(value)) throw EInvalidOp("Invalid floating point operation");
    TShortestDecimal d;
    d.Negative = std::signbit(value) && value != 0;
    if (value == 0) return d;
    char buf[64];
    const size_t n = ShortestText(std::fabs(value), buf, sizeof buf);
    int fractionDigits = 0;
    bool afterPoint = false;
    size_t i = 0;
    for (; i < n && buf[i] != 'e'; ++i) {
        if (buf[i] == '.') {
            afterPoint = true;
            continue;
        }
        d.Digits = d.Digits * 10 + static_cast<UInt64>(buf[i] - '0');
        if (afterPoint) ++fractionDigits;
    }
    const int exponent = i < n ? std::atoi(buf + i + 1) : 0;
    d.Exponent = exponent - fractionDigits;
    return d;
}

Extended ShortestDecimalValue(double value) {
    if (!std::isfinite(value) || value == 0) return value;
    char buf[64];
    const size_t n = ShortestText(value, buf, sizeof buf);
    Extended e = 0;
    std::from_chars(buf, buf + n, e);
    return e;
}
