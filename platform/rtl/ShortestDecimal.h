// The shortest decimal form of a double: the fewest digits that read back as the same double,
// the way a typed amount or quantity was written (65.35 for the double 65.349999999999994...).
// Rounding a number as it reads, instead of its binary neighbour, keeps a typed half a half.
#pragma once

#include "rtl/Types.h"

// value = (Negative ? -1 : 1) x Digits x 10^Exponent, Digits at most 17 decimal digits; zero is
// Digits 0.
struct TShortestDecimal {
    bool Negative = false;
    UInt64 Digits = 0;
    int Exponent = 0;
};

// The form of a finite double; EInvalidOp for NaN and infinities.
TShortestDecimal ShortestDecimalOf(double value);

// The extended value nearest the double's shortest decimal form. Formatting it rounds the digits
// the double reads as: 1.005 (the double 1.00499999999999989...) gives 1.01 at two decimals.
// NaN and infinities come back as they are.
Extended ShortestDecimalValue(double value);
