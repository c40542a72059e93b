#include "rtl/Currency.h"

#include "rtl/ShortestDecimal.h"
#include "rtl/SysUtils.h"

#include <cmath>

namespace {

[[noreturn]] void CurrencyOverflow() {
    throw EOverflow("Floating point overflow");
}

Currency Checked(__int128 raw) {
    if (raw > INT64_MAX || raw < INT64_MIN) CurrencyOverflow();
    return Currency::FromRaw(static_cast<Int64>(raw));
}

// n / d rounded to the nearest integer, a tie to the even one (d != 0).
__int128 DivRoundEven(__int128 n, __int128 d) {
    if (d < 0) {
        n = -n;
        d = -d;
    }
    __int128 q = n / d;
    __int128 r = n % d; // same sign as n
    __int128 twice = 2 * (r < 0 ? -r : r);
    if (twice > d || (twice == d && (q % 2) != 0)) q += (n < 0) ? -1 : 1;
    return q;
}

} // namespace

Currency Currency::FromDouble(long double v) {
    long double scaled = std::nearbyint(v * 10000.0L); // the default rounding: ties to even
    if (!(scaled >= -9223372036854775808.0L && scaled < 9223372036854775808.0L)) CurrencyOverflow();
    return FromRaw(static_cast<Int64>(scaled));
}

Currency Currency::FromInt(Int64 v) {
    return Checked(static_cast<__int128>(v) * 10000);
}

Int64 Currency::Round() const {
    Int64 whole = Value / 10000;
    Int64 rest = Value % 10000;
    if (rest >= 5000) ++whole;
    if (rest <= -5000) --whole;
    return whole;
}

Currency operator+(Currency a, Currency b) {
    return Checked(static_cast<__int128>(a.Value) + b.Value);
}

Currency operator-(Currency a, Currency b) {
    return Checked(static_cast<__int128>(a.Value) - b.Value);
}

Currency operator-(Currency a) {
    return Checked(-static_cast<__int128>(a.Value));
}

Currency operator*(Currency a, Currency b) {
    return Checked(DivRoundEven(static_cast<__int128>(a.Value) * b.Value, 10000));
}

Currency operator*(Currency a, Int64 n) {
    return Checked(static_cast<__int128>(a.Value) * n);
}

Currency operator*(Int64 n, Currency a) {
    return a * n;
}

Currency operator/(Currency a, Currency b) {
    if (b.Value == 0) throw EZeroDivide("Floating point division by zero");
    return Checked(DivRoundEven(static_cast<__int128>(a.Value) * 10000, b.Value));
}

Currency operator/(Currency a, Int64 n) {
    if (n == 0) throw EZeroDivide("Floating point division by zero");
    return Checked(DivRoundEven(a.Value, n));
}

Currency MulQuantity(Currency amount, double quantity) {
    if (!std::isfinite(quantity)) CurrencyOverflow();
    const TShortestDecimal q = ShortestDecimalOf(quantity);
    // amount x digits is below 2^63 x 10^17, well inside 128 bits; the exponent scales it.
    __int128 product = static_cast<__int128>(amount.Value) * static_cast<__int128>(q.Digits);
    if (q.Negative) product = -product;
    if (product == 0) return Currency();
    if (q.Exponent < 0) {
        // 10^38 is the largest power of ten in 128 bits; below it the product rounds to zero.
        if (q.Exponent < -38) return Currency();
        __int128 scale = 1;
        for (int i = 0; i < -q.Exponent; ++i)
            scale *= 10;
        return Checked(DivRoundEven(product, scale));
    }
    for (int i = 0; i < q.Exponent; ++i) {
        if (product > INT64_MAX || product < INT64_MIN) CurrencyOverflow();
        product *= 10;
    }
    return Checked(product);
}
