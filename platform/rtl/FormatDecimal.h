// The decimal digits of a number, the step every number formatter of the runtime starts from.
// Used inside the formatting module only.
#pragma once

#include "rtl/Format.h"

// A value as 0.Digits x 10^Exponent. Digits holds the significant digits without trailing
// zeros; an empty Digits is zero (Exponent 0, never negative).
struct TFloatRec {
    enum class TKind { Finite, Inf, NaN };
    TKind Kind = TKind::Finite;
    bool Negative = false;
    int Exponent = 0;
    int Count = 0;
    char Digits[24] = {};

    bool IsZero() const { return Kind == TKind::Finite && Count == 0; }
};

// "No rounding at a decimal place".
constexpr int NoDecimals = 9999;

// The platform's conversion: the extended value is first written with 18 significant digits
// (correctly rounded), and those digits are then rounded half away from zero to at most
// `precision` significant digits and at most `decimals` digits after the decimal point.
// Deciding on the 18 digits is what makes 0.125 round to 0.13 and the double 1.005
// (1.00499999999999989...) round to 1.00.
TFloatRec FloatToDecimal(Extended value, int precision, int decimals);
// The exact digits of a currency amount, rounded half away from zero to at most `precision`
// significant digits and `decimals` decimal places.
TFloatRec CurrToDecimal(Currency value, int precision, int decimals);

// A number to format: an extended value or an exact currency amount.
struct TNumberSource {
    bool IsCurrency = false;
    Extended Float = 0;
    Currency Curr;

    TFloatRec Decimal(int precision, int decimals) const {
        return IsCurrency ? CurrToDecimal(Curr, precision, decimals)
                          : FloatToDecimal(Float, precision, decimals);
    }
    int Sign() const; // -1, 0 or 1; 0 also for NaN
};

// FloatToStrF and CurrToStrF over either kind of number.
String FloatToText(const TNumberSource& value, TFloatFormat format, int precision, int digits,
                   const TFormatSettings& fs);

// Reads plain C syntax ("-12.5E3") correctly rounded, whatever locale the process has set.
// `overflow` tells a value beyond the type's range (the result is then infinite).
long double ParseCExtended(const String& text, bool& overflow);
double ParseCDouble(const String& text, bool& overflow);

// Bytes of the well-formed UTF-8 character at byte i of text (1 for a stray byte), so literal
// text is copied character by character.
size_t Utf8CharLength(const String& text, size_t i);
