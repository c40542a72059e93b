#include "rtl/MathUtils.h"

#include "rtl/FormatDecimal.h"
#include "rtl/SysUtils.h"

#include <cmath>
#include <string>

namespace {

[[noreturn]] void InvalidOp() {
    throw EInvalidOp("Invalid floating point operation");
}

Int64 ToInt64(long double r) {
    if (!(r >= -9223372036854775808.0L && r < 9223372036854775808.0L)) InvalidOp();
    return static_cast<Int64>(r);
}

// Rounds at the 10^digit place on the value's 18 significant decimal digits.
Extended RoundDecimal(Extended value, int digit, bool halfEven) {
    if (!std::isfinite(value) || value == 0) return value;
    TFloatRec rec = FloatToDecimal(value, 18, NoDecimals);
    int keep = rec.Exponent - digit;
    if (keep >= rec.Count) return value;
    if (keep < 0) return 0;
    const char next = rec.Digits[keep];
    bool up;
    if (!halfEven || next != '5') {
        up = next >= '5';
    } else {
        bool beyond = false;
        for (int i = keep + 1; i < rec.Count; ++i)
            beyond = beyond || rec.Digits[i] != '0';
        bool odd = keep > 0 && ((rec.Digits[keep - 1] - '0') % 2) != 0;
        up = beyond || odd;
    }
    std::string digits(rec.Digits, static_cast<size_t>(keep));
    int exponent = rec.Exponent;
    if (up) {
        int i = keep - 1;
        while (i >= 0 && digits[static_cast<size_t>(i)] == '9')
            digits[static_cast<size_t>(i--)] = '0';
        if (i < 0) {
            digits.insert(digits.begin(), '1');
            ++exponent;
        } else {
            ++digits[static_cast<size_t>(i)];
        }
    }
    if (digits.empty()) return 0;
    std::string text = (rec.Negative ? "-0." : "0.") + digits + "e" + std::to_string(exponent);
    bool overflow;
    return ParseCExtended(text, overflow);
}

} // namespace

// rint rounds like nearbyint (halves to even in the default mode) without saving and restoring
// the floating-point environment around the rounding, which made nearbyint the most expensive
// step of drawing a text.
Int64 Round(Extended x) {
    return ToInt64(std::rint(x));
}

Int64 RoundHalfAway(Extended x) {
    return ToInt64(std::round(x));
}

Int64 Trunc(Extended x) {
    return ToInt64(std::trunc(x));
}

Extended Int(Extended x) {
    return std::trunc(x);
}

Extended Frac(Extended x) {
    return x - std::trunc(x);
}

Integer Ceil(Extended x) {
    Int64 v = ToInt64(std::ceil(x));
    if (v < INT32_MIN || v > INT32_MAX) InvalidOp();
    return static_cast<Integer>(v);
}

Integer Floor(Extended x) {
    Int64 v = ToInt64(std::floor(x));
    if (v < INT32_MIN || v > INT32_MAX) InvalidOp();
    return static_cast<Integer>(v);
}

Extended RoundTo(Extended value, int digit) {
    return RoundDecimal(value, digit, true);
}

Extended SimpleRoundTo(Extended value, int digit) {
    return RoundDecimal(value, digit, false);
}

// Multiplies by squaring and takes the reciprocal for a negative exponent, as the platform does
// (so IntPower(10, -2) is exactly the extended 1/100).
Extended IntPower(Extended base, int exponent) {
    if (exponent == 0) return 1;
    if (base == 0 && exponent < 0) throw EZeroDivide("Floating point division by zero");
    unsigned long long n = exponent < 0
                               ? 0ull - static_cast<unsigned long long>(static_cast<long long>(exponent))
                               : static_cast<unsigned long long>(exponent);
    Extended result = 1, factor = base;
    while (n != 0) {
        if (n & 1) result *= factor;
        factor *= factor;
        n >>= 1;
    }
    if (exponent < 0) result = 1 / result;
    if (std::isinf(result) && std::isfinite(base)) throw EOverflow("Floating point overflow");
    return result;
}

Extended Power(Extended base, Extended exponent) {
    if (exponent == 0) return 1;
    if (std::isnan(base) || std::isnan(exponent)) return std::nanl("");
    if (base == 0) {
        if (exponent > 0) return 0;
        throw EZeroDivide("Floating point division by zero");
    }
    if (exponent == std::trunc(exponent) && std::fabs(exponent) <= 2147483647)
        return IntPower(base, static_cast<int>(exponent));
    if (base < 0) InvalidOp();
    Extended r = std::pow(base, exponent);
    if (std::isinf(r) && std::isfinite(base) && std::isfinite(exponent))
        throw EOverflow("Floating point overflow");
    return r;
}
