#include "rtl/StrUtils.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {
const String kZhong = "\xE4\xB8\xAD"; // 中
const String kWen = "\xE6\x96\x87";   // 文
const String kA = "\xE9\x98\xBF";     // 阿 (pinyin a)
const String kBa = "\xE5\x85\xAB";    // 八 (pinyin ba)
} // namespace

TEST(StrUtils, CaseMapping) {
    EXPECT_EQ(UpperCase("abc xyz-\xC3\xA9" + kZhong), "ABC XYZ-\xC3\xA9" + kZhong); // é untouched
    EXPECT_EQ(LowerCase("ABC"), "abc");
    EXPECT_EQ(AnsiUpperCase("caf\xC3\xA9 \xD0\xB4\xCE\xB1 \xEF\xBD\x81" + kZhong),
              "CAF\xC3\x89 \xD0\x94\xCE\x91 \xEF\xBC\xA1" + kZhong); // é д α ａ
    EXPECT_EQ(AnsiLowerCase("CAF\xC3\x89 \xD0\x94"), "caf\xC3\xA9 \xD0\xB4");
    EXPECT_EQ(AnsiUpperCase("\xC3\xBF"), "\xC5\xB8"); // ÿ -> Ÿ
    EXPECT_EQ(AnsiUpperCase("a\xFF"
                            "b"),
              "A\xFF"
              "B"); // ill-formed bytes kept
}

TEST(StrUtils, Comparisons) {
    EXPECT_TRUE(SameText("Hello", "hELLO"));
    EXPECT_FALSE(SameText("Hello", "Hell"));
    EXPECT_LT(CompareText("abc", "ABD"), 0);
    EXPECT_GT(CompareText("b", "A"), 0);
    EXPECT_LT(CompareText("A", "_"), 0); // folded to upper case: 'A' before '_'
    EXPECT_EQ(CompareText("", ""), 0);
    EXPECT_LT(CompareStr("B", "a"), 0);
    EXPECT_TRUE(AnsiSameText("Caf\xC3\xA9", "CAF\xC3\x89"));
    EXPECT_FALSE(AnsiSameStr("a", "A"));

    // Locale order: punctuation, digits, letters, then Chinese in pinyin order.
    std::vector<String> v = {kZhong, "b", "B10", "_x", "10", "a", kBa, "A", kA, "-"};
    std::stable_sort(v.begin(), v.end(),
                     [](const String& a, const String& b) { return AnsiCompareText(a, b) < 0; });
    const std::vector<String> sorted = {"-", "_x", "10", "a", "A", "b", "B10", kA, kBa, kZhong};
    EXPECT_EQ(v, sorted);
    EXPECT_LT(AnsiCompareStr("a", "A"), 0); // lower case first
    EXPECT_LT(AnsiCompareStr("A", "b"), 0);
    EXPECT_EQ(AnsiCompareStr(kWen, kWen), 0);
    EXPECT_LT(AnsiCompareText("ab", "abc"), 0);
}

TEST(StrUtils, ContainsStartsEnds) {
    EXPECT_TRUE(ContainsText("Property Fee", "fee"));
    EXPECT_FALSE(ContainsStr("Property Fee", "fee"));
    EXPECT_FALSE(ContainsText("abc", ""));
    EXPECT_TRUE(StartsText("PROP", "property"));
    EXPECT_TRUE(StartsText("", "x"));
    EXPECT_FALSE(StartsStr("PROP", "property"));
    EXPECT_TRUE(EndsText("."
                         "XLS",
                         "a.xls"));
    EXPECT_FALSE(EndsText("longer than", "x"));
    EXPECT_EQ(IndexText("B", {"a", "b", "c"}), 1);
    EXPECT_EQ(IndexStr("B", {"a", "b", "c"}), -1);
}

TEST(StrUtils, TrimRemovesControlCharactersAndSpaces) {
    EXPECT_EQ(Trim(" \t\r\n ab c \x01"), "ab c");
    EXPECT_EQ(TrimLeft("  a "), "a ");
    EXPECT_EQ(TrimRight("  a \n"), "  a");
    EXPECT_EQ(Trim("   "), "");
    EXPECT_EQ(Trim(" " + kZhong + " "), kZhong); // UTF-8 bytes are not blanks
}

TEST(StrUtils, PosCopyDeleteInsert) {
    struct CopyCase {
        Integer index, count;
        String expected;
    };
    const CopyCase cases[] = {{1, 3, "abc"}, {0, 2, "ab"}, {-5, 2, "ab"}, {4, 10, "def"},
                              {6, 1, "f"},   {7, 1, ""},   {3, 0, ""},    {3, -1, ""}};
    for (const auto& c : cases)
        EXPECT_EQ(Copy("abcdef", c.index, c.count), c.expected) << c.index << "," << c.count;
    EXPECT_EQ(Copy("abcdef", 3), "cdef");

    EXPECT_EQ(Pos("cd", "abcdcd"), 3);
    EXPECT_EQ(Pos("", "abc"), 0);
    EXPECT_EQ(Pos("x", "abc"), 0);
    EXPECT_EQ(PosEx("cd", "abcdcd", 4), 5);
    EXPECT_EQ(PosEx("cd", "abcdcd", 0), 0);
    EXPECT_EQ(PosEx("cd", "abcdcd", 7), 0);
    const String kv = "Name=Value";
    EXPECT_EQ(Copy(kv, 1, Pos("=", kv) - 1), "Name");

    String s = "abcdef";
    Delete(s, 2, 2);
    EXPECT_EQ(s, "adef");
    Delete(s, 0, 2);
    EXPECT_EQ(s, "adef");
    Delete(s, 3, 100);
    EXPECT_EQ(s, "ad");
    Insert("XY", s, 2);
    EXPECT_EQ(s, "aXYd");
    Insert("<", s, 0);
    Insert(">", s, 99);
    EXPECT_EQ(s, "<aXYd>");
}

TEST(StrUtils, LeftRightMidCountCharacters) {
    const String s = "a" + kZhong + kWen + "b";
    EXPECT_EQ(LeftStr(s, 2), "a" + kZhong);
    EXPECT_EQ(RightStr(s, 2), kWen + "b");
    EXPECT_EQ(RightStr(s, 10), s);
    EXPECT_EQ(MidStr(s, 2, 2), kZhong + kWen);
    EXPECT_EQ(LeftStr(s, 0), "");
}

TEST(StrUtils, Delimiters) {
    EXPECT_EQ(LastDelimiter("\\/.", "C:\\dir\\file.txt"), 12);
    EXPECT_EQ(LastDelimiter(".", "none"), 0);
    EXPECT_TRUE(IsDelimiter(",;", "a;b", 2));
    EXPECT_FALSE(IsDelimiter(",;", "a;b", 3));
    EXPECT_FALSE(IsDelimiter(",;", "a;b", 9));
    EXPECT_EQ(SplitString("a,,b;c", ",;"), (std::vector<String>{"a", "", "b", "c"}));
    EXPECT_EQ(SplitString("a,", ","), (std::vector<String>{"a", ""}));
    EXPECT_TRUE(SplitString("", ",").empty());
}

TEST(StrUtils, StringReplace) {
    struct Case {
        String s, from, to;
        TReplaceFlags flags;
        String expected;
    };
    const Case cases[] = {
        {"a-b-c", "-", "+", 0, "a+b-c"},
        {"a-b-c", "-", "+", rfReplaceAll, "a+b+c"},
        {"aXbxc", "x", "__", rfReplaceAll, "aXb__c"},
        {"aXbxc", "x", "__", rfReplaceAll | rfIgnoreCase, "a__b__c"},
        {"aXbxc", "x", "", rfIgnoreCase, "abxc"},
        {"aaa", "aa", "a", rfReplaceAll, "aa"},
        {"abc", "", "x", rfReplaceAll, "abc"},
        {"Caf\xC3\xA9 caf\xC3\x89", "CAF\xC3\x89", "X", rfReplaceAll | rfIgnoreCase, "X X"},
        {kZhong + "x" + kZhong, kZhong, kWen, rfReplaceAll, kWen + "x" + kWen},
    };
    for (const auto& c : cases)
        EXPECT_EQ(StringReplace(c.s, c.from, c.to, c.flags), c.expected) << c.s;
    EXPECT_EQ(ReplaceText("A a", "a", "b"), "b b");
    EXPECT_EQ(ReplaceStr("A a", "a", "b"), "A b");
}

TEST(StrUtils, BuildingStrings) {
    EXPECT_EQ(StringOfChar('-', 3), "---");
    EXPECT_EQ(StringOfChar('-', -1), "");
    EXPECT_EQ(DupeString("ab", 3), "ababab");
    EXPECT_EQ(DupeString("ab", 0), "");
}

TEST(StrUtils, Quoting) {
    EXPECT_EQ(QuotedStr("it's"), "'it''s'");
    EXPECT_EQ(QuotedStr(""), "''");
    EXPECT_EQ(AnsiQuotedStr("say \"hi\"", '"'), "\"say \"\"hi\"\"\"");
    struct Case {
        String in, out;
    };
    const Case cases[] = {
        {"'it''s'", "it's"}, {"abc", "abc"}, {"'abc", "'abc"}, {"'abc'def", "abc"},
        {"''", ""},          {"", ""},       {"'", ""},        {"'a''b'''", "a'b'"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(AnsiDequotedStr(c.in, '\''), c.out) << c.in;
    const String s = "\"a\"\"b\",rest";
    size_t pos = 0;
    EXPECT_EQ(AnsiExtractQuotedStr(s, pos, '"'), "a\"b");
    EXPECT_EQ(pos, 6u);
    pos = 7;
    EXPECT_EQ(AnsiExtractQuotedStr(s, pos, '"'), "");
    EXPECT_EQ(pos, 7u);
}

TEST(StrUtils, AdjustLineBreaks) {
    EXPECT_EQ(AdjustLineBreaks("a\nb\rc\r\nd"), "a\r\nb\r\nc\r\nd");
    EXPECT_EQ(AdjustLineBreaks("a\r\n\r\nb\n\n", TTextLineBreakStyle::tlbsLF), "a\n\nb\n\n");
    EXPECT_EQ(AdjustLineBreaks("\n\r"), "\r\n\r\n");
}

TEST(StrUtils, HexDigitValue) {
    const std::pair<char, int> cases[] = {{'0', 0}, {'9', 9}, {'a', 10}, {'F', 15}, {'g', -1}, {' ', -1}, {'\xE4', -1}};
    for (const auto& [c, value] : cases)
        EXPECT_EQ(HexDigitValue(c), value) << c;
}
