// The filter expression language: what each typed text parses into, the exact messages of the
// syntax errors, the operand conversion, and the texts written back from a parsed expression.
#include "grid/DBGridGxFilter.h"

#include "rtl/DateUtils.h"
#include "rtl/Format.h"

#include <gtest/gtest.h>

namespace {

// A value as a short text: s:abc for a string, d:1.5 for a double, t:... for a date-time,
// [..] for an array, Null.
String Show(const Variant& V) {
    if (VarIsArray(V)) {
        String s = "[";
        for (int i = VarArrayLowBound(V, 1); i <= VarArrayHighBound(V, 1); ++i)
            s += (i > VarArrayLowBound(V, 1) ? "," : "") + Show(VarArrayGet(V, {i}));
        return s + "]";
    }
    switch (VarType(V)) {
    case varNull:
        return "Null";
    case varDouble:
        return "d:" + FloatToStr(V.AsDouble());
    case varDate:
        return "t:" + FormatDateTime("yyyy-mm-dd hh:nn:ss", VarToDateTime(V));
    default:
        return "s:" + VarToStr(V);
    }
}

struct TParseCase {
    const char* Text;
    TSTExpressionTypeGx Kind;
    bool Both;
    TSTFilterOpGx First;
    const char* FirstValue;
    TSTFilterOpGx Junction = stoNone;
    TSTFilterOpGx Second = stoNone;
    const char* SecondValue = "Null";
};

void ExpectParses(const TParseCase& c) {
    SCOPED_TRACE(c.Text);
    TSTFilterExpressionGx e;
    e.ValueKind = c.Kind;
    EXPECT_EQ(ParseFilterExpression(c.Text, e), c.Both);
    EXPECT_EQ(e.FirstOp, c.First);
    EXPECT_EQ(Show(e.FirstValue), c.FirstValue);
    EXPECT_EQ(e.Junction, c.Junction);
    EXPECT_EQ(e.SecondOp, c.Second);
    EXPECT_EQ(Show(e.SecondValue), c.SecondValue);
    EXPECT_EQ(e.ValueKind, c.Kind);
}

String ParseError(const String& Text, TSTExpressionTypeGx Kind) {
    TSTFilterExpressionGx e;
    e.ValueKind = Kind;
    try {
        ParseFilterExpression(Text, e);
    } catch (const Exception& x) {
        return x.Message();
    }
    return "(no error)";
}

// Runs the test body with a comma as decimal separator and a dot for thousands.
struct TCommaDecimals {
    TFormatSettings Saved = FormatSettings();
    TCommaDecimals() {
        FormatSettings().DecimalSeparator = ',';
        FormatSettings().ThousandSeparator = '.';
    }
    ~TCommaDecimals() { FormatSettings() = Saved; }
};

} // namespace

TEST(FilterExpression, ParsesTheTable) {
    const TParseCase cases[] = {
        {"abc", stetString, false, stoLike, "s:abc"},
        {"5", stetNumber, false, stoEqual, "d:5"},
        {"1,2,3", stetNumber, false, stoIn, "[d:1,d:2,d:3]"},
        {"=Null", stetString, false, stoIsNull, "Null"},
        {"<>null", stetString, false, stoIsNotNull, "Null"},
        {"!= NULL", stetNumber, false, stoIsNotNull, "Null"},
        {"!~ab", stetString, false, stoNotLike, "s:ab"},
        {"not like ab", stetString, false, stoNotLike, "s:ab"},
        {"> 5 and < 10", stetNumber, true, stoGreater, "d:5", stoAnd, stoLess, "d:10"},
        {"> 5", stetNumber, false, stoGreater, "d:5"},
        {">=5 | <=1", stetNumber, true, stoGreaterEqual, "d:5", stoOr, stoLessEqual, "d:1"},
        {"Berlin Germany", stetString, false, stoLike, "s:Berlin Germany"},
        {"a & b", stetString, true, stoLike, "s:a", stoAnd, stoLike, "s:b"},
        {"x OR y", stetString, true, stoLike, "s:x", stoOr, stoLike, "s:y"},
        {"=Null and <> 5", stetNumber, true, stoIsNull, "Null", stoAnd, stoNotEqual, "d:5"},
        {"in ('x','y')", stetString, false, stoIn, "[s:x,s:y]"},
        {"~abc", stetString, false, stoLike, "s:abc"},
        {"LIKE abc", stetString, false, stoLike, "s:abc"},
        {"=  5 ", stetNumber, false, stoEqual, "d:5"},
        {"abc", stetBoolean, false, stoEqual, "s:abc"},
        {"abc", stetUnknown, false, stoEqual, "s:abc"},
        // Unquoted list items lose the blanks around them.
        {"NOT IN (1, 2)", stetString, false, stoNotIn, "[s:1,s:2]"},
        {"NOT IN (1, 2)", stetNumber, false, stoNotIn, "[d:1,d:2]"},
        {"In (a , b)", stetString, false, stoIn, "[s:a,s:b]"},
        {"In ('a', 'b')", stetString, false, stoIn, "[s:a,s:b]"},
        // Two quotes inside a quoted value stand for one.
        {"'O''Brien'", stetString, false, stoLike, "s:O'Brien"},
        {"O'Brien", stetString, false, stoLike, "s:O'Brien"},
        // A Chinese character is part of a word, never a delimiter: «in名» is no operator.
        {"in名 x", stetString, false, stoLike, "s:in名 x"},
        {"名称 and 值", stetString, true, stoLike, "s:名称", stoAnd, stoLike, "s:值"},
        {"> 2024-01-05", stetDateTime, false, stoGreater, "t:2024-01-05 00:00:00"},
        {"> 12:30", stetDateTime, false, stoGreater, "t:1899-12-30 12:30:00"},
        // Both in-lists are closed; the second no longer leaves its bracket behind.
        {"In (1,2) or In (3)", stetNumber, true, stoIn, "[d:1,d:2]", stoOr, stoIn, "d:3"},
        {"", stetString, false, stoNone, "Null"},
        // A trailing comma adds no empty item, on number and text columns alike.
        {"8,", stetNumber, false, stoEqual, "d:8"},
        {"8 , ", stetNumber, false, stoEqual, "d:8"},
        {"a,", stetString, false, stoLike, "s:a"},
        {"1,2,", stetNumber, false, stoIn, "[d:1,d:2]"},
        {"In (1,2,)", stetNumber, false, stoIn, "[d:1,d:2]"},
        {"In ('a', )", stetString, false, stoIn, "s:a"},
        {"> 5 and 7,", stetNumber, true, stoGreater, "d:5", stoAnd, stoEqual, "d:7"},
        // An empty item written out stays one.
        {"a,'',b", stetString, false, stoIn, "[s:a,s:,s:b]"},
        // Many words, NOT chains and runs of blanks are read in one pass.
        {"a not b", stetString, false, stoLike, "s:a not b"},
        {"a !!~ b", stetString, false, stoLike, "s:a !!~ b"},
        {"x     y  and   z", stetString, true, stoLike, "s:x     y", stoAnd, stoLike, "s:z"},
        {"it's a b", stetString, false, stoLike, "s:it's a b"},
        {"a 'b' c", stetString, false, stoLike, "s:a 'b' c"},
    };
    for (const TParseCase& c : cases)
        ExpectParses(c);
}

TEST(FilterExpression, ReportsSyntaxErrorsWithTheText) {
    struct {
        const char* Text;
        TSTExpressionTypeGx Kind;
        const char* Message;
    } cases[] = {
        {">Null", stetNumber, "Unexpected expression before Null: >Null"},
        {"not null", stetString, "Unexpected expression after operator: not null"},
        {"(5", stetNumber, "Error in expression: (5"},
        {"'abc", stetString, "Quote is absent: 'abc"},
        {"Berlin in Germany", stetString, "'(' expected: Berlin in Germany"},
        {"In (1, 2", stetNumber, "')' expected: In (1, 2"},
        {"> 5 < 6", stetNumber, "Unexpected AND or OR: > 5 < 6"},
        {"=", stetNumber, "Unexpected expression after operator: ="},
        // A third condition would be dropped and widen the filter.
        {"> 5 and < 10 and <> 7", stetNumber, "Incorrect expression: > 5 and < 10 and <> 7"},
        {"> 5 and In (1, 2", stetNumber, "')' expected: > 5 and In (1, 2"},
        {"> 5 and < 10 (", stetNumber, "Incorrect expression: > 5 and < 10 ("},
        {"  (5  ", stetNumber, "Error in expression: (5"},
        // A list is taken only by In and Not In.
        {"> 1,2", stetNumber, "Unexpected expression after operator: > 1,2"},
        {"~ a,b", stetString, "Unexpected expression after operator: ~ a,b"},
        {"= 1, 2 and > 0", stetNumber, "Unexpected expression after operator: = 1, 2 and > 0"},
        {"> 0 or <> 3,4", stetNumber, "Unexpected expression after operator: > 0 or <> 3,4"},
        // What the look-ahead past a blank finds is reported as the reading itself would.
        {"a 'b", stetString, "Quote is absent: a 'b"},
        {"a not in b", stetString, "'(' expected: a not in b"},
        {"!!!!", stetString, "Error in expression: !!!!"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ParseError(c.Text, c.Kind), c.Message) << c.Text;
}

// A value of many words took twice as long with each word (24 words: seconds); it reads in one
// pass, and a text of thousands of NOT signs nests no calls.
TEST(FilterExpression, LongTextsParseInOnePass) {
    String words;
    for (int i = 0; i < 10000; ++i)
        words += (i ? " w" : "w") + std::to_string(i);
    TSTFilterExpressionGx e;
    e.ValueKind = stetString;
    EXPECT_FALSE(ParseFilterExpression(words, e));
    EXPECT_EQ(e.FirstOp, stoLike);
    EXPECT_EQ(VarToStr(e.FirstValue), words);
    EXPECT_TRUE(ParseFilterExpression(words + " and " + words, e));
    EXPECT_EQ(VarToStr(e.SecondValue), words);
    EXPECT_EQ(ParseError(String(200000, '!') + "~a", stetString), "Error in expression: " + String(200000, '!') + "~a");
    const String blanks = "a" + String(200000, ' ') + "b";
    ParseFilterExpression(blanks, e);
    EXPECT_EQ(VarToStr(e.FirstValue), blanks);
}

TEST(FilterExpression, ValueThatIsNoNumberRaisesTheConversionError) {
    TSTFilterExpressionGx e;
    e.ValueKind = stetNumber;
    EXPECT_THROW(ParseFilterExpression("> abc", e), EConvertError);
    e.ValueKind = stetDateTime;
    EXPECT_THROW(ParseFilterExpression("2024-13-45", e), EConvertError);
}

TEST(FilterExpression, CommaDecimalSeparatorKeepsNumbersWhole) {
    TCommaDecimals comma;
    ExpectParses({"1,5", stetNumber, false, stoEqual, "d:1,5"});
    ExpectParses({"In (1,5)", stetNumber, false, stoIn, "[d:1,d:5]"});
    ExpectParses({"1,5", stetString, false, stoIn, "[s:1,s:5]"});
    ExpectParses({"> 1,5 and < 2,25", stetNumber, true, stoGreater, "d:1,5", stoAnd, stoLess, "d:2,25"});
}

TEST(FilterExpression, ClearKeepsTheValueKind) {
    TSTFilterExpressionGx e;
    e.ValueKind = stetNumber;
    ParseFilterExpression("> 5 and < 10", e);
    ClearFilterExpression(e);
    EXPECT_EQ(e.ValueKind, stetNumber);
    EXPECT_EQ(e.FirstOp, stoNone);
    EXPECT_EQ(e.Junction, stoNone);
    EXPECT_TRUE(VarIsNull(e.FirstValue));
    EXPECT_TRUE(VarIsNull(e.SecondValue));
}

TEST(FilterExpression, TypeTableCoversEveryFieldType) {
    int counts[5] = {};
    for (int t = ftUnknown; t <= ftFMTBcd; ++t)
        ++counts[FilterExpressionTypeOf(static_cast<TFieldType>(t))];
    EXPECT_EQ(counts[stetString], 6);
    EXPECT_EQ(counts[stetNumber], 9);
    EXPECT_EQ(counts[stetDateTime], 4);
    EXPECT_EQ(counts[stetBoolean], 1);
    EXPECT_EQ(counts[stetUnknown], 18);
    EXPECT_EQ(FilterExpressionTypeOf(ftBlob), stetUnknown);
    EXPECT_EQ(FilterExpressionTypeOf(ftGuid), stetString);
}

TEST(FilterExpression, OperatorMaps) {
    EXPECT_STREQ(FilterOperatorDisplayText[stoNotIn], "!In");
    EXPECT_STREQ(FilterOperatorSqlText[stoNotLike], "NOT LIKE");
    EXPECT_STREQ(FilterOperatorSqlText[stoIsNotNull], "IS NOT NULL");
    EXPECT_STREQ(FilterOperatorDisplayText[stoValue], "");
}

TEST(FilterExpressionText, ConditionTexts) {
    struct {
        TSTFilterOpGx Op;
        Variant Operand;
        const char* Text;
    } cases[] = {
        {stoEqual, 5.0, "= 5"},
        {stoLike, "abc", "~ 'abc'"},
        {stoNotLike, "O'Brien", "!~ 'O''Brien'"},
        {stoIn, VarArrayOf({"a", "b"}), "In ('a','b')"},
        {stoNotIn, VarArrayOf({1.0, 2.5}), "!In (1,2.5)"},
        {stoIn, "x", "In ('x')"},
        {stoIsNull, Null(), "=Null"},
        {stoIsNotNull, Null(), "<>Null"},
        {stoGreater, VarFromDateTime(EncodeDate(2024, 1, 5)), "> 2024-01-05"},
        {stoGreater, VarFromDateTime(EncodeTime(12, 30, 0, 0)), "> 12:30:00"},
        {stoLess, VarFromDateTime(EncodeDate(2024, 1, 5) + EncodeTime(8, 5, 0, 0)), "< 2024-01-05 08:05:00"},
    };
    for (const auto& c : cases) {
        String s;
        FilterConditionText(c.Op, c.Operand, s);
        EXPECT_EQ(s, c.Text);
    }
    String s = "x";
    FilterConditionText(stoIsNull, Null(), s);
    EXPECT_EQ(s, "x=Null");
}

TEST(FilterExpressionText, QuotedListsAndValues) {
    EXPECT_EQ(VariantListToQuotedText(VarArrayOf({"a", "b"})), "'a','b'");
    EXPECT_EQ(VariantListToQuotedText(VarArrayOf({"it's"})), "'it''s'");
    EXPECT_EQ(VariantListToQuotedText(VarArrayCreate({0, -1}, varVariant)), "");
    EXPECT_EQ(VariantListToQuotedText("plain"), "plain");
    EXPECT_EQ(FilterValueText(1.5), "1.5");
    EXPECT_EQ(FilterValueText("a'b"), "'a''b'");
}

// Every written text parses back into the expression it was written from.
TEST(FilterExpressionText, WrittenTextsReadBack) {
    struct {
        const char* Typed;
        TSTExpressionTypeGx Kind;
    } cases[] = {
        {"O'Brien", stetString},          {"in ('it''s','x')", stetString},
        {"> 12:30", stetDateTime},        {"< 2024-01-05 08:05", stetDateTime},
        {"=Null or > 5", stetNumber},     {"NOT IN (1, 2.5)", stetNumber},
        {"!~ 'a b' and ~ c", stetString},
    };
    auto roundTrip = [](const char* Typed, TSTExpressionTypeGx Kind) {
        SCOPED_TRACE(Typed);
        TSTFilterExpressionGx a, b;
        a.ValueKind = b.ValueKind = Kind;
        ParseFilterExpression(Typed, a);
        String written;
        FilterConditionText(a.FirstOp, a.FirstValue, written);
        if (a.Junction != stoNone) {
            written += String(" ") + FilterOperatorDisplayText[a.Junction] + " ";
            FilterConditionText(a.SecondOp, a.SecondValue, written);
        }
        ParseFilterExpression(written, b);
        EXPECT_EQ(b.FirstOp, a.FirstOp) << written;
        EXPECT_EQ(Show(b.FirstValue), Show(a.FirstValue)) << written;
        EXPECT_EQ(b.Junction, a.Junction) << written;
        EXPECT_EQ(b.SecondOp, a.SecondOp) << written;
        EXPECT_EQ(Show(b.SecondValue), Show(a.SecondValue)) << written;
    };
    for (const auto& c : cases)
        roundTrip(c.Typed, c.Kind);
    TCommaDecimals comma;
    roundTrip("In (1,'2,5')", stetNumber);
}
