// Format's directives and errors, IntToStr and IntToHex.
#include "rtl/Format.h"
#include "rtl/SysUtils.h"

#include <gtest/gtest.h>

namespace {

struct FormatCase {
    const char* format;
    std::vector<TFormatArg> args;
    const char* expected;
};

TEST(Format, Directives) {
    const void* pointer = reinterpret_cast<const void*>(static_cast<uintptr_t>(0x1234ABCD));
    const FormatCase cases[] = {
        {"%d", {123}, "123"},
        {"%d", {-123}, "-123"},
        {"%D", {5}, "5"},
        {"%5d", {42}, "   42"},
        {"%-5d|", {42}, "42   |"},
        {"%05d", {42}, "   42"},
        {"%.5d", {-12}, "-00012"},
        {"%5.3d", {7}, "  007"},
        {"%d", {1000000000000LL}, "1000000000000"},
        {"%u", {-1}, "4294967295"},
        {"%u", {-1LL}, "18446744073709551615"},
        {"%x", {255}, "FF"},
        {"%.4x", {255}, "00FF"},
        {"%x", {-1}, "FFFFFFFF"},
        {"%x", {-1LL}, "FFFFFFFFFFFFFFFF"},
        {"%X", {3054}, "BEE"},
        {"%s", {"abc"}, "abc"},
        {"%S", {String("up")}, "up"},
        {"%.2s", {"abc"}, "ab"},
        {"%5s", {"ab"}, "   ab"},
        {"%-5s|", {"ab"}, "ab   |"},
        {"%s", {'c'}, "c"},
        {"[%-6s]", {"\xE4\xB8\xAD\xE6\x96\x87"}, "[\xE4\xB8\xAD\xE6\x96\x87  ]"},
        {"[%.3s]", {"\xE4\xB8\xAD\xE6\x96\x87"}, "[\xE4\xB8\xAD]"},
        {"%f", {1.5}, "1.50"},
        {"%.3f", {2.0 / 3}, "0.667"},
        {"%.0f", {2.5}, "3"},
        {"%.2f", {1.005}, "1.00"},
        {"%f", {-0.001}, "0.00"},
        {"%.2f", {1e20}, "1E20"},
        {"%8.2f|", {-3.14159}, "   -3.14|"},
        {"%e", {1234.5}, "1.23450000000000E+003"},
        {"%.3e", {1234.5}, "1.23E+003"},
        {"%e", {-0.00012}, "-1.20000000000000E-004"},
        {"%g", {1234.5}, "1234.5"},
        {"%g", {1e20}, "1E20"},
        {"%g", {0.1 + 0.2}, "0.3"},
        {"%.3g", {1234.5}, "1.23E3"},
        {"%n", {1234567.891}, "1,234,567.89"},
        {"%.0n", {1234.5}, "1,235"},
        {"%m",
         {1234.5},
         "\xEF\xBF\xA5"
         "1,234.50"},
        {"%m", {-1234.5}, "\xEF\xBF\xA5-1,234.50"},
        {"%.0m",
         {5.0},
         "\xEF\xBF\xA5"
         "5"},
        {"%12m|",
         {1234.5},
         "  \xEF\xBF\xA5"
         "1,234.50|"},
        {"%m",
         {Currency::FromRaw(12345000)},
         "\xEF\xBF\xA5"
         "1,234.50"},
        {"%f", {Currency::FromRaw(125000)}, "12.50"},
        {"%g", {Currency::FromRaw(125000)}, "12.5"},
        {"%p", {pointer}, "000000001234ABCD"},
        {"%%", {}, "%"},
        {"100%%", {}, "100%"},
        {"no directives", {1, 2}, "no directives"},
        {"%1:s %0:s", {"a", "b"}, "b a"},
        {"%1:s %s", {"a", "b", "c"}, "b c"},
        {"%0:s-%0:s", {"x"}, "x-x"},
        {"%*d", {5, 42}, "   42"},
        {"%-*d|", {5, 42}, "42   |"},
        {"%.*f", {1, 2.25}, "2.3"},
        {"%*.*f", {8, 3, 3.14159}, "   3.142"},
        {"%s=%d", {"x", 5}, "x=5"},
        {"%d%%", {50}, "50%"},
    };
    for (const FormatCase& c : cases) {
        try {
            EXPECT_EQ(Format(c.format, c.args), c.expected) << c.format;
        } catch (const Exception& e) {
            ADD_FAILURE() << c.format << " raised " << e.Message();
        }
    }
}

TEST(Format, InitializerListAndSettings) {
    EXPECT_EQ(Format("%s has %d rooms", {"B-101", 3}), "B-101 has 3 rooms");
    TFormatSettings fs;
    fs.DecimalSeparator = ',';
    fs.ThousandSeparator = ' ';
    EXPECT_EQ(Format("%n", {1234.5}, fs), "1 234,50");
}

TEST(Format, BadDirectivesAndArgumentsRaise) {
    const FormatCase cases[] = {
        {"%d", {true}, "Format '%d' invalid or incompatible with argument"},
        {"%d", {1.5}, "Format '%d' invalid or incompatible with argument"},
        {"%d", {"1"}, "Format '%d' invalid or incompatible with argument"},
        {"%f", {1}, "Format '%f' invalid or incompatible with argument"},
        {"%s", {1}, "Format '%s' invalid or incompatible with argument"},
        {"%s", {true}, "Format '%s' invalid or incompatible with argument"},
        {"%x", {1.0}, "Format '%x' invalid or incompatible with argument"},
        {"%p", {1}, "Format '%p' invalid or incompatible with argument"},
        {"%*d", {"5", 1}, "Format '%*d' invalid or incompatible with argument"},
        {"%k", {1}, "Format '%k' invalid or incompatible with argument"},
        {"abc%", {}, "Format 'abc%' invalid or incompatible with argument"},
        {"%5", {1}, "Format '%5' invalid or incompatible with argument"},
        {"%d", {}, "No argument for format '%d'"},
        {"%d %d", {1}, "No argument for format '%d %d'"},
        {"%2:d", {1, 2}, "No argument for format '%2:d'"},
        {"0123456789012345678901234567890123456789 %d",
         {"x"},
         "Format '0123456789012345678901234567890' invalid or incompatible with argument"},
        {"%99999999d", {1}, "Format '%99999999d' invalid or incompatible with argument"},
    };
    for (const FormatCase& c : cases) {
        try {
            String result = Format(c.format, c.args);
            ADD_FAILURE() << c.format << " gave " << result;
        } catch (const EConvertError& e) {
            EXPECT_EQ(e.Message(), c.expected);
        }
    }
}

TEST(IntToStr, AllSixtyFourBits) {
    EXPECT_EQ(IntToStr(0), "0");
    EXPECT_EQ(IntToStr(-42), "-42");
    EXPECT_EQ(IntToStr(INT64_MAX), "9223372036854775807");
    EXPECT_EQ(IntToStr(INT64_MIN), "-9223372036854775808");
}

TEST(IntToHex, PadsAndShowsNegativesInTheirWidth) {
    EXPECT_EQ(IntToHex(255, 4), "00FF");
    EXPECT_EQ(IntToHex(0, 0), "0");
    EXPECT_EQ(IntToHex(0x1234, 2), "1234");
    EXPECT_EQ(IntToHex(-1, 2), "FFFFFFFF");
    EXPECT_EQ(IntToHex(Int64(-1), 2), "FFFFFFFFFFFFFFFF");
    EXPECT_EQ(IntToHex(Cardinal(0xDEADBEEF), 10), "00DEADBEEF");
    EXPECT_EQ(IntToHex(UInt64(0xFF00FF00FF00ull), 0), "FF00FF00FF00");
}

} // namespace
