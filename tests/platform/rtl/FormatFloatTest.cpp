// FormatFloat, FormatCurr, FloatToStr, FloatToStrF, CurrToStr and CurrToStrF against the
// platform's results.
#include "rtl/Format.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

const double NaN = std::numeric_limits<double>::quiet_NaN();
const double Inf = std::numeric_limits<double>::infinity();

struct FloatCase {
    const char* format;
    Extended value;
    const char* expected;
};

// Rounding decides on the 18 significant digits of the value, as the platform does: the double
// 1.005 is 1.00499999999999989... and shows as 1.00 with two places, while 0.125 is exact and
// its half goes away from zero.
const FloatCase FormatFloatCases[] = {
    // The platform's own table of examples.
    {"", 1234, "1234"},
    {"", -1234, "-1234"},
    {"", 0.5, "0.5"},
    {"", 0, "0"},
    {"0", 1234, "1234"},
    {"0", -1234, "-1234"},
    {"0", 0.5, "1"},
    {"0", 0, "0"},
    {"0.00", 1234, "1234.00"},
    {"0.00", 0.5, "0.50"},
    {"0.00", 0, "0.00"},
    {"#.##", 1234, "1234"},
    {"#.##", -1234, "-1234"},
    {"#.##", 0.5, ".5"},
    {"#.##", 0, ""},
    {"#,##0.00", 1234, "1,234.00"},
    {"#,##0.00", -1234, "-1,234.00"},
    {"#,##0.00", 0.5, "0.50"},
    {"#,##0.00", 0, "0.00"},
    {"#,##0.00;(#,##0.00)", 1234, "1,234.00"},
    {"#,##0.00;(#,##0.00)", -1234, "(1,234.00)"},
    {"#,##0.00;(#,##0.00)", 0.5, "0.50"},
    {"#,##0.00;;Zero", 1234, "1,234.00"},
    {"#,##0.00;;Zero", -1234, "-1,234.00"},
    {"#,##0.00;;Zero", 0, "Zero"},
    {"0.000E+00", 1234, "1.234E+03"},
    {"0.000E+00", -1234, "-1.234E+03"},
    {"0.000E+00", 0.5, "5.000E-01"},
    {"0.000E+00", 0, "0.000E+00"},
    {"#.###E-0", 1234, "1.234E3"},
    {"#.###E-0", -1234, "-1.234E3"},
    {"#.###E-0", 0.5, "5E-1"},
    {"#.###E-0", 0, "0E0"},
    // The application's display formats; the currency sign is a literal character.
    {"\xEF\xBF\xA5,0.00##", 1234.5,
     "\xEF\xBF\xA5"
     "1,234.50"},
    {"\xEF\xBF\xA5,0.00##", 1234.5678,
     "\xEF\xBF\xA5"
     "1,234.5678"},
    {"\xEF\xBF\xA5,0.00##", 1234.56789,
     "\xEF\xBF\xA5"
     "1,234.5679"},
    {"\xEF\xBF\xA5,0.00##", -1234.5,
     "-\xEF\xBF\xA5"
     "1,234.50"},
    {"\xEF\xBF\xA5,0.00##", 0,
     "\xEF\xBF\xA5"
     "0.00"},
    {"\xEF\xBF\xA5,0.00##", 1234567890.1,
     "\xEF\xBF\xA5"
     "1,234,567,890.10"},
    {"0.##", 0.125, "0.13"},
    {"0.##", -0.125, "-0.13"},
    {"0.##", 12, "12"},
    {"0.##", 1.5, "1.5"},
    {",0.##", 1234, "1,234"},
    {"#,##0.00 \xE5\x85\x83", 1234.5, "1,234.50 \xE5\x85\x83"},
    // Rounding half away from zero on the decimal digits.
    {"0", 2.5, "3"},
    {"0", -2.5, "-3"},
    {"0", 0.49999999999999994, "0"},
    {"0.00", 1.125, "1.13"},
    {"0.00", -1.125, "-1.13"},
    {"0.00", 1.005, "1.00"},
    {"0.##", 1.005, "1"},
    {"0.00", 2.675, "2.67"},
    {"0.00", 0.995, "0.99"},
    {"0.0", 9.96, "10.0"},
    {"0.00", 0.1 + 0.2, "0.30"},
    {"#,##0", 1234567.5, "1,234,568"},
    {"#,##0", -999.5, "-1,000"},
    {"0.###", 1234.00049, "1234"},
    {"#", 0.4, ""},
    {"#", 0.5, "1"},
    // A value that rounds to zero: no sign, and the zero section when there is one.
    {"0.00", -0.001, "0.00"},
    {"0", -0.4, "0"},
    {"0.00;(0.00)", -0.001, "0.00"},
    {"0.00;(0.00)", -0.04, "(0.04)"},
    {"0.00;(0.00);zero", -0.001, "zero"},
    {"0.00;(0.00);zero", 0.001, "zero"},
    {"0", -0.0, "0"},
    {"0.00;-0.00;", 0, "0.00"},
    {";-0.00", 5, "5"},
    // Placeholders and literals.
    {"0000", 12, "0012"},
    {"0000", 123456, "123456"},
    {"00", 123456, "123456"},
    {"000-0000", 1234567, "123-4567"},
    {".00", 12.5, "12.50"},
    {"'Total: '0.00", 5, "Total: 5.00"},
    {"\"Total: \"0.00", -5, "-Total: 5.00"},
    {"0.00 'kg'", 3.14159, "3.14 kg"},
    {"0.0' ; '", 1.25, "1.3 ; "},
    {"0.0'E+0'", 1.25, "1.3E+0"},
    {"0.0 Each", 1.25, "1.3 Each"},
    {"0.00e+00", 12345, "1.23e+04"},
    {"0.00E+00", 99950, "1.00E+05"},
    {"##0.0E+0", 1234, "123.4E+1"},
    {"0.0E+0000", 1.5e-7, "1.5E-0007"},
    // Huge, tiny and special values.
    {"0.00", 1e17, "100000000000000000.00"},
    {"0", 1e18, "1E18"},
    {"0.00", 1e300, "1E300"},
    {"0.00", -1e300, "-1E300"},
    {"#,##0.00", 1.7976931348623157e308, "1.79769313486232E308"},
    {"0.00", 1e-300, "0.00"},
    {"0.##", 4.9406564584124654e-324, "0"},
    {"0.000E+00", 1e-300, "1.000E-300"},
    {"0.000E+00", 4.9406564584124654e-324, "4.941E-324"},
    {"0.00", NaN, "NAN"},
    {"0.00", Inf, "INF"},
    {"0.00", -Inf, "-INF"},
};

TEST(FormatFloat, PlatformCases) {
    for (const FloatCase& c : FormatFloatCases)
        EXPECT_EQ(FormatFloat(c.format, c.value), c.expected)
            << "format \"" << c.format << "\" value " << (double)c.value;
}

TEST(FormatFloat, UsesTheSettingsSeparators) {
    TFormatSettings fs;
    fs.DecimalSeparator = ',';
    fs.ThousandSeparator = '.';
    EXPECT_EQ(FormatFloat("#,##0.00", 1234567.891, fs), "1.234.567,89");
    EXPECT_EQ(FormatFloat("0.##", 0.125, fs), "0,13");
    fs.ThousandSeparator = 0;
    EXPECT_EQ(FormatFloat("#,##0.00", 1234567.891, fs), "1234567,89");
}

TEST(FormatFloat, FormatCurrUsesTheExactDigits) {
    const struct {
        const char* format;
        Int64 raw;
        const char* expected;
    } cases[] = {
        {"#,##0.00", 12345000, "1,234.50"},
        {"0.000", 12345, "1.235"},
        {"0.000", -12345, "-1.235"},
        {"0.00;(0.00)", -12345, "(1.23)"},
        {"0.00;(0.00);-", -49, "-"},
        {"", 125000, "12.5"},
        {"#,##0.0000", INT64_MAX, "922,337,203,685,477.5807"},
        {"0", INT64_MIN, "-922337203685478"},
        {"0.0000E+00", 12345000, "1.2345E+03"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FormatCurr(c.format, Currency::FromRaw(c.raw)), c.expected) << c.format << " " << c.raw;
}

const FloatCase FloatToStrCases[] = {
    {"", 0, "0"},
    {"", -0.0, "0"},
    {"", 1, "1"},
    {"", -1.5, "-1.5"},
    {"", 100, "100"},
    {"", 0.1, "0.1"},
    {"", 0.1 + 0.2, "0.3"},
    {"", 1.005, "1.005"},
    {"", 12345.678, "12345.678"},
    {"", 1.0 / 3, "0.333333333333333"},
    {"", 2.0 / 3, "0.666666666666667"},
    {"", 1e14, "100000000000000"},
    {"", 123456789012345, "123456789012345"},
    {"", 1e15, "1E15"},
    {"", 999999999999999.9, "1E15"},
    {"", 1234567890123456, "1.23456789012346E15"},
    {"", 0.0001, "0.0001"},
    {"", 0.00012345, "0.00012345"},
    {"", 1e-5, "1E-5"},
    {"", -1.5e-5, "-1.5E-5"},
    {"", 1e300, "1E300"},
    {"", 1.7976931348623157e308, "1.79769313486232E308"},
    {"", -1.7976931348623157e308, "-1.79769313486232E308"},
    {"", 1e-300, "1E-300"},
    {"", 2.2250738585072014e-308, "2.2250738585072E-308"},
    {"", 4.9406564584124654e-324, "4.94065645841247E-324"},
    {"", 1e4000L, "1E4000"},
    {"", NaN, "NAN"},
    {"", Inf, "INF"},
    {"", -Inf, "-INF"},
};

TEST(FloatToStr, FifteenSignificantDigitsInGeneralForm) {
    for (const FloatCase& c : FloatToStrCases)
        EXPECT_EQ(FloatToStr(c.value), c.expected) << (double)c.value;
}

TEST(FloatToStr, UsesTheDecimalSeparator) {
    TFormatSettings fs;
    fs.DecimalSeparator = ',';
    EXPECT_EQ(FloatToStr(-1.5e-5, fs), "-1,5E-5");
    EXPECT_EQ(FloatToStr(1234.5, fs), "1234,5");
}

TEST(FloatToStrF, AllFormats) {
    using F = TFloatFormat;
    const struct {
        Extended value;
        F format;
        int precision, digits;
        const char* expected;
    } cases[] = {
        {1234.5678, F::ffGeneral, 6, 0, "1234.57"},
        {123.456, F::ffGeneral, 2, 0, "1.2E2"},
        {123.456, F::ffGeneral, 1, 0, "1.2E2"}, // precision is at least 2
        {0.1 + 0.2, F::ffGeneral, 18, 0, "0.300000000000000044"},
        {0.1 + 0.2, F::ffGeneral, 30, 0, "0.300000000000000044"},
        {1234.5678, F::ffExponent, 4, 2, "1.235E+03"},
        {1234.5678, F::ffExponent, 4, 0, "1.235E+3"},
        {-0.00012, F::ffExponent, 3, 4, "-1.20E-0004"},
        {0, F::ffExponent, 3, 2, "0.00E+00"},
        {1234.5678, F::ffFixed, 15, 2, "1234.57"},
        {1.005, F::ffFixed, 15, 2, "1.00"},
        {2.5, F::ffFixed, 15, 0, "3"},
        {0.5, F::ffFixed, 15, 0, "1"},
        {-0.001, F::ffFixed, 15, 2, "0.00"},
        {0.05, F::ffFixed, 15, 4, "0.0500"},
        {1e20, F::ffFixed, 15, 2, "1E20"},
        {12345.6, F::ffFixed, 4, 2, "1.235E4"},
        {1234567.891, F::ffNumber, 15, 2, "1,234,567.89"},
        {-1234567.891, F::ffNumber, 15, 0, "-1,234,568"},
        {999.999, F::ffNumber, 15, 2, "1,000.00"},
        {1234.5, F::ffCurrency, 15, 2,
         "\xEF\xBF\xA5"
         "1,234.50"},
        {-1234.5, F::ffCurrency, 15, 2, "\xEF\xBF\xA5-1,234.50"},
        {-0.001, F::ffCurrency, 15, 2,
         "\xEF\xBF\xA5"
         "0.00"},
        {NaN, F::ffFixed, 15, 2, "NAN"},
        {-Inf, F::ffNumber, 15, 2, "-INF"},
        {Inf, F::ffExponent, 15, 2, "INF"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FloatToStrF(c.value, c.format, c.precision, c.digits), c.expected)
            << (double)c.value << " format " << int(c.format) << " " << c.precision << "," << c.digits;
}

TEST(FloatToStrF, CurrencyFormatsOfTheSettings) {
    TFormatSettings fs;
    const char* positive[] = {"\xEF\xBF\xA5"
                              "1,234.50",
                              "1,234.50\xEF\xBF\xA5", "\xEF\xBF\xA5 1,234.50", "1,234.50 \xEF\xBF\xA5"};
    for (Byte f = 0; f < 4; ++f) {
        fs.CurrencyFormat = f;
        EXPECT_EQ(FloatToStrF(1234.5, TFloatFormat::ffCurrency, 15, 2, fs), positive[f]) << int(f);
    }
    fs.CurrencyString = "$";
    const char* negative[] = {"($1,234.50)", "-$1,234.50",  "$-1,234.50",   "$1,234.50-",
                              "(1,234.50$)", "-1,234.50$",  "1,234.50-$",   "1,234.50$-",
                              "-1,234.50 $", "-$ 1,234.50", "1,234.50 $-",  "$ 1,234.50-",
                              "$ -1,234.50", "1,234.50- $", "($ 1,234.50)", "(1,234.50 $)"};
    for (Byte f = 0; f < 16; ++f) {
        fs.NegCurrFormat = f;
        EXPECT_EQ(CurrToStrF(Currency::FromRaw(-12345000), TFloatFormat::ffCurrency, 2, fs), negative[f])
            << int(f);
    }
}

TEST(CurrToStr, ExactDigitsInGeneralForm) {
    EXPECT_EQ(CurrToStr(Currency::FromDouble(12.5)), "12.5");
    EXPECT_EQ(CurrToStr(Currency()), "0");
    EXPECT_EQ(CurrToStr(Currency::FromRaw(-1)), "-0.0001");
    EXPECT_EQ(CurrToStr(Currency::FromRaw(1000000)), "100");
    EXPECT_EQ(CurrToStr(Currency::MaxValue()), "922337203685477.5807");
    EXPECT_EQ(CurrToStr(Currency::MinValue()), "-922337203685477.5808");
    EXPECT_EQ(CurrToStrF(Currency::FromRaw(125000), TFloatFormat::ffFixed, 2), "12.50");
    EXPECT_EQ(CurrToStrF(Currency::FromRaw(12345), TFloatFormat::ffFixed, 3), "1.235");
    EXPECT_EQ(CurrToStrF(Currency::FromRaw(-12345), TFloatFormat::ffFixed, 3), "-1.235");
    EXPECT_EQ(CurrToStrF(Currency::FromRaw(12345), TFloatFormat::ffFixed, 6), "1.234500");
    EXPECT_EQ(CurrToStrF(Currency::FromRaw(12345670000), TFloatFormat::ffNumber, 2), "1,234,567.00");
    EXPECT_EQ(CurrToStrF(Currency::FromRaw(12345000), TFloatFormat::ffCurrency, 2), "\xEF\xBF\xA5"
                                                                                    "1,234.50");
    EXPECT_EQ(CurrToStrF(Currency::FromRaw(12345000), TFloatFormat::ffExponent, 2),
              "1.234500000000000000E+03");
}

} // namespace
