// Fixed-point money: a 64-bit count of ten-thousandths.
#pragma once

#include "rtl/Types.h"

// Arithmetic is exact where the result is representable: sums and differences are integer sums;
// a product or quotient of two amounts is rounded to the nearest ten-thousandth, a tie going to
// the even neighbour, as the platform's coprocessor rounds. A result outside the range
// (about +-922337203685477.5807) raises EOverflow; a division by zero raises EZeroDivide.
struct Currency {
    Int64 Value = 0; // the amount times 10000

    constexpr Currency() = default;
    static constexpr Currency FromRaw(Int64 raw) {
        Currency c;
        c.Value = raw;
        return c;
    }
    // Converts with rounding to the nearest ten-thousandth (value x 10000 in extended precision,
    // a tie to the even neighbour as the platform does: 0.03125 gives 0.0312); raises EOverflow
    // outside the range or for NaN and infinities.
    static Currency FromDouble(long double v);
    // A whole amount; raises EOverflow outside the range.
    static Currency FromInt(Int64 v);
    long double ToDouble() const { return static_cast<long double>(Value) / 10000.0L; }
    // Whole part towards zero, and the nearest whole amount (a half away from zero).
    Int64 Trunc() const { return Value / 10000; }
    Int64 Round() const;

    static constexpr Currency MaxValue() { return FromRaw(INT64_MAX); }
    static constexpr Currency MinValue() { return FromRaw(INT64_MIN); }

    friend constexpr bool operator==(Currency a, Currency b) { return a.Value == b.Value; }
    friend constexpr auto operator<=>(Currency a, Currency b) { return a.Value <=> b.Value; }

    friend Currency operator+(Currency a, Currency b);
    friend Currency operator-(Currency a, Currency b);
    friend Currency operator-(Currency a);
    friend Currency operator*(Currency a, Currency b);
    friend Currency operator*(Currency a, Int64 n);
    friend Currency operator*(Int64 n, Currency a);
    friend Currency operator/(Currency a, Currency b);
    friend Currency operator/(Currency a, Int64 n);

    Currency& operator+=(Currency b) { return *this = *this + b; }
    Currency& operator-=(Currency b) { return *this = *this - b; }
    Currency& operator*=(Currency b) { return *this = *this * b; }
    Currency& operator*=(Int64 n) { return *this = *this * n; }
    Currency& operator/=(Currency b) { return *this = *this / b; }
    Currency& operator/=(Int64 n) { return *this = *this / n; }
};

// An amount times a quantity taken as it reads (its shortest decimal form: 65.35, not the double
// 65.349999999999994...), rounded once to the ten-thousandth, a tie to the even neighbour:
// 1.5 x 65.35 is 98.025 exactly, 0.0005 x 0.3 gives 0.0002. EOverflow outside the range or for a
// quantity that is not a finite number.
Currency MulQuantity(Currency amount, double quantity);
