// The system library as a table of calls and results.
#include "ScriptTestSupport.h"

namespace {

struct TCall {
    const char* Expression;
    const char* Result; // VarToStr of the value, or "raises"
};

class SystemLibrary : public ::testing::TestWithParam<TCall> {};

TEST_P(SystemLibrary, Evaluates) {
    const TCall& c = GetParam();
    TScriptRunner r;
    Variant value;
    try {
        r.Script.Evaluate(c.Expression, value);
    } catch (const std::exception& e) {
        EXPECT_STREQ(c.Result, "raises") << c.Expression << ": " << e.what();
        return;
    }
    EXPECT_FALSE(r.Script.EvaluateFailed) << c.Expression << ": " << VarToStr(value);
    EXPECT_EQ(VarToStr(value), c.Result) << c.Expression;
}

const TCall Calls[] = {
    // rounding and mathematics
    {"Round(2.5)", "2"},
    {"Round(3.5)", "4"},
    {"Round(-2.5)", "-2"},
    {"Trunc(-2.7)", "-2"},
    {"Int(-2.7)", "-2"},
    {"VarType(Int(3.7)) = varDouble", "True"},
    {"Frac(-2.5)", "-0.5"},
    {"Abs(-3)", "3"},
    {"VarType(Abs(-3))", "5"},
    {"Sqrt(16)", "4"},
    {"Sqrt(-1)", "raises"},
    {"Ln(0)", "raises"},
    {"Exp(100000)", "raises"},
    {"FormatFloat('0.000', Pi)", "3.142"},
    {"Round(1e30)", "raises"},
    // conversion
    {"IntToStr(5000000000)", "5000000000"},
    {"StrToInt64('9876543210')", "9876543210"},
    {"StrToInt('12') + 1", "13"},
    {"StrToInt('x')", "raises"},
    {"FloatToStr(1.5)", "1.5"},
    {"FloatToStr(1/3)", "0.333333333333333"},
    {"BoolToStr(True)", "-1"},
    {"BoolToStr(False)", "0"},
    {"StrToBool('true')", "True"},
    {"StrToBool('0')", "False"},
    {"StrToBool('abc')", "raises"},
    {"VarToStr(Null)", ""},
    {"DateToStr(EncodeDate(2024, 2, 29))", "2024-02-29"},
    {"DateTimeToStr(EncodeDate(2024, 3, 1))", "2024-03-01"},
    {"DateTimeToStr(EncodeDate(2024, 3, 1) + EncodeTime(13, 5, 9, 0))", "2024-03-01 13:05:09"},
    {"TimeToStr(EncodeTime(8, 30, 0, 0))", "08:30:00"},
    {"FormatDateTime('yyyy/mm/dd hh:nn', StrToDate('2023-12-31'))", "2023-12-31 00:00"},
    // formatting
    {"Format('%d-%s', [5, 'x'])", "5-x"},
    {"Format('%.2f|%5d|%-4s|', [3.14159, 42, 'ab'])", "3.14|   42|ab  |"},
    {"Format('%x', [255])", "FF"},
    {"Format('%d', ['x'])", "raises"},

    {"FormatFloat('#,##0.00', 1234567.891)", "1,234,567.89"},
    {"FormatFloat('0.00;(0.00)', -2.5)", "(2.50)"},
    {"FormatFloat('0', 2.5)", "3"},
    {"FormatMaskText('000-0000;0;_', '5551234')", "555-1234"},
    // dates
    {"DaysInMonth(2000, 2)", "29"},
    {"DaysInMonth(1900, 2)", "28"},
    {"DaysInMonth(2023, 0)", "0"},
    {"DaysInMonth(2023, 13)", "raises"},
    {"IsLeapYear(2024)", "True"},
    {"DayOfWeek(EncodeDate(2024, 6, 2))", "1"},
    {"EncodeDate(2023, 2, 30)", "raises"},
    {"ValidDate(DateToStr(Date))", "True"},
    {"ValidDate('2023-02-30')", "False"},
    {"ValidInt('12a')", "False"},
    {"ValidFloat('1.25')", "True"},
    // strings, counting code page 936 bytes
    {"Length('\xE4\xB8\xAD\xE6\x96\x87')", "4"},
    {"Length('a\xE4\xB8\xAD')", "3"},
    {"Copy('abc', 0, 2)", "ab"},
    {"Copy('abc', 5, 1)", ""},
    {"Copy('abc', 2, -1)", ""},
    {"Copy('\xE4\xB8\xAD\xE6\x96\x87x', 3, 3)", "\xE6\x96\x87x"},
    {"Pos('', 'abc')", "0"},
    {"Pos('c', 'abc')", "3"},
    {"Pos('x', '\xE4\xB8\xAD' + 'x')", "3"},
    {"Uppercase('abc')", "ABC"},
    {"Trim('  a b ')", "a b"},
    {"NameCase('hello WORLD')", "Hello World"},
    {"NameCase(' abc')", " abc"},
    {"CompareText('abc', 'ABD')", "-1"},
    {"CompareText('abc', 'ABC')", "0"},
    {"Chr(65) + Chr(66)", "AB"},
    {"Ord('A')", "65"},
    {"Ord('')", "0"},
    {"ExtractFilePath('c:\\dir\\file.txt')", "c:\\dir\\"},
    {"ExtractFilePath('file.txt')", ""},
    {"Length(VarArrayCreate([0, 9], varVariant))", "10"},
    {"VarArrayCreate([0, 9, 1], varVariant)", "raises"},
    {"VarType('x')", "256"},
    {"CreateOleObject('Excel.Application')", "raises"},
};

INSTANTIATE_TEST_SUITE_P(Script, SystemLibrary, ::testing::ValuesIn(Calls));

TEST(SystemLibraryProcedures, VarArgumentsComeBack) {
    TScriptRunner r;
    r.Script.AddConst("StringOfChar300", "String", Variant(String(300, 'z')));
    EXPECT_EQ(
        r.Run(Lines(
            {"var s: String; y, m, d: Integer; a: Variant; i: Integer;", "begin",
             "  s := 'abcdef'; Delete(s, 2, 3); Print(s);", "  s := 'abc'; Delete(s, 10, 1); Print(s);",
             "  s := 'ac'; Insert('b', s, 2); Print(s);", "  s := 'ab'; Insert('z', s, 99); Print(s);",
             "  s := '\xE4\xB8\xAD\xE6\x96\x87'; Delete(s, 3, 2); Print(s);",
             "  DecodeDate(EncodeDate(2021, 7, 15), y, m, d); Print(y * 10000 + m * 100 + d);",
             "  i := 5; Inc(i); Inc(i, 10); Dec(i, 2); Print(i);",
             "  a := VarArrayCreate([0, 2], varVariant); a[0] := 1; a[2] := 3;",
             "  SetLength(a, 5); Print(Length(a)); Print(a[2]);", "  s := 'abc'; SetLength(s, 2); Print(s);",
             "  Print(Length(Format('%s', [StringOfChar300])));", "end."})),
        "aef\nabc\nabc\nabz\n\xE4\xB8\xAD\n20210715\n14\n5\n3\nab\n255\n");
}

// SetLength of an array sets the high bound of its first dimension to L - 1, so a 0-based array
// gets L elements and a 1-based one L - 1.
TEST(SystemLibraryProcedures, SetLengthOfAnArraySetsTheHighBound) {
    TScriptRunner r;
    EXPECT_EQ(r.Run(Lines({"var a: array[1..5] of Integer; v: Variant;", "begin",
                           "  SetLength(a, 3); Print(Length(a));",
                           "  v := VarArrayCreate([0, 1], varVariant); SetLength(v, 4); Print(Length(v));",
                           "  SetLength(v, 0); Print(Length(v));", "end."})),
              "2\n4\n0\n");
}

// ValidDate takes a date value too (held in a Variant, as a String parameter accepts no float
// expression): it is turned into text with DateToStr first, so today is always valid.
TEST(SystemLibraryProcedures, ValidDateOfADateValue) {
    TScriptRunner r;
    EXPECT_EQ(r.Run(Lines({"var d: Variant;",
                           "begin d := Date; Print(ValidDate(d)); d := Now; Print(ValidDate(d)) end."})),
              "True\nTrue\n");
}

} // namespace
