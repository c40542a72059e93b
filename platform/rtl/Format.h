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
struct TFormatArg {
    enum class Kind { Integer, Float, Currency, String, Char, Boolean, Pointer };
    Kind kind = Kind::Integer;
    Int64 i = 0;
    Extended f = 0;
    String s;
    const void* p = nullptr;

    TFormatArg(int v) : kind(Kind::Integer), i(v) {}
    TFormatArg(long v) : kind(Kind::Integer), i(v) {}
    TFormatArg(long long v) : kind(Kind::Integer), i(v) {}
    TFormatArg(unsigned v) : kind(Kind::Integer), i(v) {}
    TFormatArg(unsigned long v) : kind(Kind::Integer), i(static_cast<Int64>(v)) {}
    TFormatArg(unsigned long long v) : kind(Kind::Integer), i(static_cast<Int64>(v)) {}
    TFormatArg(double v) : kind(Kind::Float), f(v) {}
    TFormatArg(long double v) : kind(Kind::Float), f(v) {}
    TFormatArg(Currency v) : kind(Kind::Currency), i(v.Value) {}
    TFormatArg(const char* v) : kind(Kind::String), s(v ? v : "") {}
    TFormatArg(const String& v) : kind(Kind::String), s(v) {}
    TFormatArg(char v) : kind(Kind::Char), s(1, v) {}
    TFormatArg(bool v) : kind(Kind::Boolean), i(v ? 1 : 0) {}
    TFormatArg(const void* v) : kind(Kind::Pointer), p(v) {}
};

// Format("%d %s", {1, "x"}): the platform's format directives %d %u %e %f %g %n %m %p %s %x with
// index, width, precision and "*". Raises EConvertError for a bad format or argument.
String Format(const String& fmt, std::initializer_list<TFormatArg> args);
String Format(const String& fmt, const std::vector<TFormatArg>& args);
String Format(const String& fmt, const std::vector<TFormatArg>& args, const TFormatSettings& fs);

String IntToStr(Int64 value);
String IntToHex(Int64 value, int digits);
Integer StrToInt(const String& s);            // EConvertError "'x' is not a valid integer value"
Int64 StrToInt64(const String& s);
bool TryStrToInt(const String& s, Integer& value);
bool TryStrToInt64(const String& s, Int64& value);
Integer StrToIntDef(const String& s, Integer def);

String FloatToStr(Extended value);             // 15 significant digits, general format
String FloatToStr(Extended value, const TFormatSettings& fs);
enum class TFloatFormat { ffGeneral, ffExponent, ffFixed, ffNumber, ffCurrency };
String FloatToStrF(Extended value, TFloatFormat format, int precision, int digits);
String FloatToStrF(Extended value, TFloatFormat format, int precision, int digits, const TFormatSettings& fs);
String FormatFloat(const String& format, Extended value);
String FormatFloat(const String& format, Extended value, const TFormatSettings& fs);
Extended StrToFloat(const String& s);           // EConvertError "'x' is not a valid floating point value"
bool TryStrToFloat(const String& s, Extended& value);
bool TryStrToFloat(const String& s, double& value);
Extended StrToFloatDef(const String& s, Extended def);

String CurrToStr(Currency value);
String CurrToStrF(Currency value, TFloatFormat format, int digits);
String FormatCurr(const String& format, Currency value);
Currency StrToCurr(const String& s);
bool TryStrToCurr(const String& s, Currency& value);

String FormatDateTime(const String& format, TDateTime value);
String FormatDateTime(const String& format, TDateTime value, const TFormatSettings& fs);
String DateToStr(TDateTime value);
String TimeToStr(TDateTime value);
String DateTimeToStr(TDateTime value);
TDateTime StrToDate(const String& s);            // EConvertError "'x' is not a valid date"
TDateTime StrToTime(const String& s);
TDateTime StrToDateTime(const String& s);
bool TryStrToDate(const String& s, TDateTime& value);
bool TryStrToTime(const String& s, TDateTime& value);
bool TryStrToDateTime(const String& s, TDateTime& value);
