// Fixed-point money: a 64-bit count of ten-thousandths.
#pragma once

#include "rtl/Types.h"

struct Currency {
    Int64 Value = 0; // the amount times 10000

    constexpr Currency() = default;
    static constexpr Currency FromRaw(Int64 raw) {
        Currency c;
        c.Value = raw;
        return c;
    }
    // Converts with rounding to the nearest ten-thousandth; raises EOverflow outside the range.
    static Currency FromDouble(long double v);
    long double ToDouble() const { return static_cast<long double>(Value) / 10000.0L; }

    friend constexpr bool operator==(Currency a, Currency b) { return a.Value == b.Value; }
    friend constexpr auto operator<=>(Currency a, Currency b) { return a.Value <=> b.Value; }
};
