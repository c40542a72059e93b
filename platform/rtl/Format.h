// The one formatting module: every library formats and parses numbers and dates through it.
#pragma once

#include "rtl/Currency.h"
#include "rtl/Types.h"

#include <initializer_list>
#include <vector>

struct TFormatSettings {
    char DecimalSeparator = '.';
    char ThousandSeparator = ',';
    char DateSeparator = '-';
    char TimeSeparator = ':';
    char ListSeparator = ',';
    String CurrencyString = "\xEF\xBF\xA5"; // "￥"
    Byte CurrencyFormat = 0;
    Byte NegCurrFormat = 2;
    Byte CurrencyDecimals = 2;
    String ShortDateFormat = "yyyy-MM-dd";
    String LongDateFormat = "yyyy'\xE5\xB9\xB4'M'\xE6\x9C\x88'd'\xE6\x97\xA5'"; // yyyy'年'M'月'd'日'
    String ShortTimeFormat = "hh:nn";
    String LongTimeFormat = "hh:nn:ss";
    String TimeAMString = "AM";
    String TimePMString = "PM";
    String ShortMonthNames[12];
    String LongMonthNames[12];
    String ShortDayNames[7]; // Sunday first
    String LongDayNames[7];
    Word TwoDigitYearCenturyWindow = 50;
    TFormatSettings();
};

// The process-wide settings every formatting call uses unless given others.
TFormatSettings& FormatSettings();

// One argument of Format: integers, floats, currency, strings, characters, booleans, pointers.
// Is64 tells a 64-bit integer from a 32-bit one: %u and %x show a negative 32-bit integer as
// its 32-bit pattern ("FFFFFFFF") and a negative 64-bit one as 64 bits.
struct TFormatArg {
    enum class Kind { Integer, Float, Currency, String, Char, Boolean, Pointer };
    Kind kind = Kind::Integer;
    Int64 i = 0;
    Extended f = 0;
    String s;
    const void* p = nullptr;
    bool Is64 = false;

    TFormatArg(int v) : kind(Kind::Integer), i(v) {}
    TFormatArg(long v) : kind(Kind::Integer), i(v), Is64(sizeof(long) > 4) {}
    TFormatArg(long long v) : kind(Kind::Integer), i(v), Is64(true) {}
    TFormatArg(unsigned v) : kind(Kind::Integer), i(v), Is64(v > 0x7FFFFFFFu) {}
    TFormatArg(unsigned long v) : kind(Kind::Integer), i(static_cast<Int64>(v)), Is64(sizeof(long) > 4) {}
    TFormatArg(unsigned long long v) : kind(Kind::Integer), i(static_cast<Int64>(v)), Is64(true) {}
    TFormatArg(double v) : kind(Kind::Float), f(v) {}
    TFormatArg(long double v) : kind(Kind::Float), f(v) {}
    TFormatArg(Currency v) : kind(Kind::Currency), i(v.Value) {}
    TFormatArg(const char* v) : kind(Kind::String), s(v ? v : "") {}
    TFormatArg(const String& v) : kind(Kind::String), s(v) {}
    TFormatArg(char v) : kind(Kind::Char), s(1, v) {}
    TFormatArg(bool v) : kind(Kind::Boolean), i(v ? 1 : 0) {}
    TFormatArg(const void* v) : kind(Kind::Pointer), p(v) {}
};

// Format("%d %s", {1, "x"}): the platform's directives "%" [index ":"] ["-"] [width] ["." prec]
// type, with type one of d u e f g n m p s x (either case) and "*" for index, width or precision
// taken from the next argument; "%%" is a percent sign. Widths and %s precisions count bytes of
// the 8-bit code page, so a Chinese character takes two columns and is never cut in half.
// Raises EConvertError "Format '...' invalid or incompatible with argument" for a bad directive
// or an argument of the wrong kind, and "No argument for format '...'" when arguments run out.
String Format(const String& fmt, std::initializer_list<TFormatArg> args);
String Format(const String& fmt, std::initializer_list<TFormatArg> args, const TFormatSettings& fs);
String Format(const String& fmt, const std::vector<TFormatArg>& args);
String Format(const String& fmt, const std::vector<TFormatArg>& args, const TFormatSettings& fs);

String IntToStr(Int64 value);
// Upper-case hexadecimal with at least `digits` digits; a negative value shows its two's
// complement in the width of its type (8 digits for 32-bit, 16 for 64-bit values).
String IntToHex(Integer value, int digits);
String IntToHex(Cardinal value, int digits);
String IntToHex(Int64 value, int digits);
String IntToHex(UInt64 value, int digits);
// Integers as the platform reads them: leading blanks, a sign, decimal digits or hexadecimal
// after "$" or "0x"; nothing may follow the digits.
Integer StrToInt(const String& s); // EConvertError "'x' is not a valid integer value"
Int64 StrToInt64(const String& s);
bool TryStrToInt(const String& s, Integer& value);
bool TryStrToInt64(const String& s, Int64& value);
Integer StrToIntDef(const String& s, Integer def);
Int64 StrToInt64Def(const String& s, Int64 def);

String FloatToStr(Extended value); // 15 significant digits, general format
String FloatToStr(Extended value, const TFormatSettings& fs);
enum class TFloatFormat { ffGeneral, ffExponent, ffFixed, ffNumber, ffCurrency };
// Precision is kept within 2..18 significant digits. ffFixed, ffNumber and ffCurrency fall back
// to ffGeneral when the value has more integer digits than the precision.
String FloatToStrF(Extended value, TFloatFormat format, int precision, int digits);
String FloatToStrF(Extended value, TFloatFormat format, int precision, int digits, const TFormatSettings& fs);
// The picture language: sections "positive;negative;zero", "0" "#" "." "," "E+" "E-" "e+" "e-",
// quoted literals; every other character is copied as it stands.
String FormatFloat(const String& format, Extended value);
String FormatFloat(const String& format, Extended value, const TFormatSettings& fs);
// Floats as the platform reads them: optional blanks, sign, digits with the decimal separator,
// an exponent, optional blanks; nothing else.
Extended StrToFloat(const String& s); // EConvertError "'x' is not a valid floating point value"
Extended StrToFloat(const String& s, const TFormatSettings& fs);
bool TryStrToFloat(const String& s, Extended& value);
bool TryStrToFloat(const String& s, double& value);
bool TryStrToFloat(const String& s, Extended& value, const TFormatSettings& fs);
bool TryStrToFloat(const String& s, double& value, const TFormatSettings& fs);
Extended StrToFloatDef(const String& s, Extended def);

String CurrToStr(Currency value);
String CurrToStr(Currency value, const TFormatSettings& fs);
String CurrToStrF(Currency value, TFloatFormat format, int digits);
String CurrToStrF(Currency value, TFloatFormat format, int digits, const TFormatSettings& fs);
String FormatCurr(const String& format, Currency value);
String FormatCurr(const String& format, Currency value, const TFormatSettings& fs);
Currency StrToCurr(const String& s); // EConvertError "'x' is not a valid floating point value"
bool TryStrToCurr(const String& s, Currency& value);
bool TryStrToCurr(const String& s, Currency& value, const TFormatSettings& fs);

// Date and time pictures: c d dd ddd dddd ddddd dddddd e ee m mm mmm mmmm yy yyyy h hh n nn s ss
// z zzz t tt am/pm a/p ampm / : and quoted literals; m right after an h is minutes. An empty
// format is "c". The date part is the whole-day part; the time of a value before 1899-12-30 is
// the absolute fraction (-1.25 is 1899-12-29 06:00).
String FormatDateTime(const String& format, TDateTime value);
String FormatDateTime(const String& format, TDateTime value, const TFormatSettings& fs);
void DateTimeToString(String& result, const String& format, TDateTime value);
String DateToStr(TDateTime value);
String DateToStr(TDateTime value, const TFormatSettings& fs);
String TimeToStr(TDateTime value);
String TimeToStr(TDateTime value, const TFormatSettings& fs);
String DateTimeToStr(TDateTime value); // the time is left out at midnight
String DateTimeToStr(TDateTime value, const TFormatSettings& fs);
// Dates are read in the order of ShortDateFormat with DateSeparator, "/" or "." between the
// numbers; two-digit years fall in the TwoDigitYearCenturyWindow around the current year; a
// missing year is the current year. Times are h[:n[:s[.z]]] with an optional AM/PM.
TDateTime StrToDate(const String& s);     // EConvertError "'x' is not a valid date"
TDateTime StrToTime(const String& s);     // EConvertError "'x' is not a valid time"
TDateTime StrToDateTime(const String& s); // EConvertError "'x' is not a valid date and time"
TDateTime StrToDateDef(const String& s, TDateTime def);
bool TryStrToDate(const String& s, TDateTime& value);
bool TryStrToTime(const String& s, TDateTime& value);
bool TryStrToDateTime(const String& s, TDateTime& value);
bool TryStrToDate(const String& s, TDateTime& value, const TFormatSettings& fs);
bool TryStrToTime(const String& s, TDateTime& value, const TFormatSettings& fs);
bool TryStrToDateTime(const String& s, TDateTime& value, const TFormatSettings& fs);
