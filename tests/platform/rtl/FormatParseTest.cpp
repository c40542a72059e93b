// StrToFloat, StrToInt, StrToInt64 and StrToCurr: what they accept and how they refuse.
#include "rtl/Format.h"
#include "rtl/SysUtils.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

TEST(StrToFloat, AcceptsThePlatformSyntax) {
    const struct {
        const char* text;
        Extended expected;
    } cases[] = {
        {"1.5", 1.5L},      {" 1.5 ", 1.5L},
        {"-1.5", -1.5L},    {"+2", 2.0L},
        {"1e3", 1000.0L},   {"1E-3", 0.001L},
        {"1.5e+2", 150.0L}, {".5", 0.5L},
        {"5.", 5.0L},       {"0.1", 0.1L},
        {"00012", 12.0L},   {"1e4000", 1e4000L},
        {"-0", -0.0L},      {"  -3.25E+01  ", -32.5L},
    };
    for (const auto& c : cases) {
        Extended v = -999;
        EXPECT_TRUE(TryStrToFloat(c.text, v)) << c.text;
        EXPECT_EQ(v, c.expected) << c.text;
        EXPECT_EQ(StrToFloat(c.text), c.expected) << c.text;
    }
}

TEST(StrToFloat, RefusesAnythingElse) {
    const char* cases[] = {"",    " ",       "abc", "1,5", "1.2.3", "1e", "e5",  "--1", "1 2", "0x10",
                           "$10", "1,234.5", "INF", "NAN", ".",     "-",  "1e+", "\t1", "1\t", "12abc"};
    for (const char* text : cases) {
        Extended v = 7;
        EXPECT_FALSE(TryStrToFloat(text, v)) << text;
        EXPECT_EQ(v, 7) << "the value is left alone: " << text;
        try {
            StrToFloat(text);
            ADD_FAILURE() << text;
        } catch (const EConvertError& e) {
            EXPECT_EQ(e.Message(), "'" + String(text) + "' is not a valid floating point value");
        }
    }
    EXPECT_EQ(StrToFloatDef("x", 2.5), 2.5);
}

TEST(StrToFloat, DoubleTargetRoundsOnceAndRefusesOverflow) {
    double d = 0;
    EXPECT_TRUE(TryStrToFloat("0.1", d));
    EXPECT_EQ(d, 0.1);
    EXPECT_TRUE(TryStrToFloat("4.9406564584124654e-324", d));
    EXPECT_EQ(d, 4.9406564584124654e-324);
    EXPECT_TRUE(TryStrToFloat("1.7976931348623157e308", d));
    EXPECT_EQ(d, 1.7976931348623157e308);
    EXPECT_FALSE(TryStrToFloat("1e400", d));
    Extended e = 0;
    EXPECT_TRUE(TryStrToFloat("1e400", e));
    EXPECT_FALSE(TryStrToFloat("1e5000", e));
    EXPECT_TRUE(TryStrToFloat("1e-5000", e));
    EXPECT_EQ(e, 0);
}

TEST(StrToFloat, UsesTheSettingsDecimalSeparator) {
    TFormatSettings fs;
    fs.DecimalSeparator = ',';
    EXPECT_EQ(StrToFloat("1,5", fs), 1.5L);
    Extended v;
    EXPECT_FALSE(TryStrToFloat("1.5", v, fs));
}

TEST(StrToFloat, RoundTripsFloatToStrOfFifteenDigitValues) {
    for (double x : {0.3, 1234.5678, -0.000123, 1e15, 9.87654321e-20, 123456789012345.0}) {
        double back = 0;
        ASSERT_TRUE(TryStrToFloat(FloatToStr(x), back)) << x;
        EXPECT_EQ(back, x);
    }
}

TEST(StrToInt, ReadsDecimalAndHex) {
    const struct {
        const char* text;
        Integer expected;
    } cases[] = {
        {"123", 123},
        {" 123", 123},
        {"-123", -123},
        {"+5", 5},
        {"$FF", 255},
        {"$ff", 255},
        {"0x1F", 31},
        {"0X1f", 31},
        {"$FFFFFFFF", -1},
        {"-$10", -16},
        {"2147483647", 2147483647},
        {"-2147483648", INT32_MIN},
        {"007", 7},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(StrToInt(c.text), c.expected) << c.text;
        EXPECT_EQ(StrToInt64(c.text), c.text[0] == '$' && c.expected < 0 ? 0xFFFFFFFFLL : Int64(c.expected))
            << c.text;
    }
}

TEST(StrToInt, RefusesBadText) {
    const char* cases[] = {"",           " ",          "abc",         "12 ", "1.5", "$", "0x",
                           "$100000000", "2147483648", "-2147483649", "1e3", "12a", "+", "- 1"};
    for (const char* text : cases) {
        Integer v = 7;
        EXPECT_FALSE(TryStrToInt(text, v)) << text;
        EXPECT_EQ(v, 7);
        try {
            StrToInt(text);
            ADD_FAILURE() << text;
        } catch (const EConvertError& e) {
            EXPECT_EQ(e.Message(), "'" + String(text) + "' is not a valid integer value");
        }
    }
    EXPECT_EQ(StrToIntDef("x", -1), -1);
}

TEST(StrToInt64, FullRange) {
    EXPECT_EQ(StrToInt64("9223372036854775807"), INT64_MAX);
    EXPECT_EQ(StrToInt64("-9223372036854775808"), INT64_MIN);
    EXPECT_EQ(StrToInt64("12345678901"), 12345678901LL);
    EXPECT_EQ(StrToInt64("$FFFFFFFFFFFFFFFF"), -1);
    Int64 v = 0;
    EXPECT_FALSE(TryStrToInt64("9223372036854775808", v));
    EXPECT_FALSE(TryStrToInt64("$10000000000000000", v));
    EXPECT_EQ(StrToInt64Def("x", 3), 3);
    EXPECT_THROW(StrToInt64("x"), EConvertError);
}

TEST(StrToCurr, ReadsExactlyAndRoundsTiesToEven) {
    const struct {
        const char* text;
        Int64 raw;
    } cases[] = {
        {"12.5", 125000},
        {"0.00005", 0},
        {"0.00015", 2},
        {"0.000151", 2},
        {"-0.00005", 0},
        {"-1.23456", -12346},
        {"1e3", 10000000},
        {"0", 0},
        {"0e999", 0},
        {"1e-200", 0},
        {" 0.1 ", 1000},
        {"922337203685477.5807", INT64_MAX},
        {"-922337203685477.5808", INT64_MIN},
    };
    for (const auto& c : cases) {
        Currency v;
        EXPECT_TRUE(TryStrToCurr(c.text, v)) << c.text;
        EXPECT_EQ(v.Value, c.raw) << c.text;
    }
    Currency v;
    EXPECT_FALSE(TryStrToCurr("922337203685477.5808", v));
    EXPECT_FALSE(TryStrToCurr("1e20", v));
    EXPECT_FALSE(TryStrToCurr("abc", v));
    try {
        StrToCurr("1,5");
        ADD_FAILURE();
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(), "'1,5' is not a valid floating point value");
    }
}

} // namespace
