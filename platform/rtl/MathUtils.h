// Rounding and powers as the platform's runtime gives them.
#pragma once

#include "rtl/Types.h"

// The nearest integer, a half going to the even neighbour (2.5 -> 2, 3.5 -> 4), as the
// platform's Round does. Raises EInvalidOp beyond the 64-bit range or for NaN.
Int64 Round(Extended x);
// The nearest integer, a half away from zero (2.5 -> 3, -2.5 -> -3). Raises EInvalidOp beyond
// the 64-bit range or for NaN.
Int64 RoundHalfAway(Extended x);
// Towards zero; raises EInvalidOp beyond the 64-bit range or for NaN.
Int64 Trunc(Extended x);
// The integer part and the fraction, both with the sign of x (Frac(-2.5) is -0.5).
Extended Int(Extended x);
Extended Frac(Extended x);
// Smallest integer not below x, largest integer not above x; EInvalidOp beyond the 32-bit range.
Integer Ceil(Extended x);
Integer Floor(Extended x);

// Rounds to a power of ten: digit -2 rounds to hundredths, 0 to units, 2 to hundreds.
// RoundTo takes a half to the even neighbour (RoundTo(2.5, 0) is 2, RoundTo(1.235, -2) is 1.24
// by the value's decimal digits 1.23500000000000000...); SimpleRoundTo takes a half away from
// zero (SimpleRoundTo(-2.5, 0) is -3). Both decide on the value's 18 significant decimal digits,
// so 1.005 (really 1.00499999999999989...) gives 1.0 at two places.
Extended RoundTo(Extended value, int digit);
Extended SimpleRoundTo(Extended value, int digit = -2);

// base^exponent. An integer exponent multiplies (IntPower); a negative base with a fractional
// exponent raises EInvalidOp; a result beyond the float range raises EOverflow.
Extended Power(Extended base, Extended exponent);
Extended IntPower(Extended base, int exponent);
