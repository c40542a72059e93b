#include "rtl/CodePage.h"
#include "rtl/SysUtils.h"

#include <gtest/gtest.h>

namespace {
const String kZhongWen = "\xE4\xB8\xAD\xE6\x96\x87"; // 中文
const AnsiString kZhongWenGbk = "\xD6\xD0\xCE\xC4";
} // namespace

TEST(CodePage, GbkRoundTrip) {
    EXPECT_EQ(AnsiFromUtf8(kZhongWen), kZhongWenGbk);
    EXPECT_EQ(Utf8FromAnsi(kZhongWenGbk), kZhongWen);
    const String mixed = "Room 3-101 \xE6\x88\xBF\xE5\x8F\xB7 \xE2\x82\xAC 5"; // 房号 €
    EXPECT_EQ(Utf8FromAnsi(AnsiFromUtf8(mixed)), mixed);
    EXPECT_EQ(AnsiFromUtf8("plain"), "plain");
    EXPECT_EQ(AnsiFromUtf8(""), "");
}

TEST(CodePage, InvalidBytesBecomeQuestionMarks) {
    // Ill-formed UTF-8 input: each bad byte is one '?'.
    EXPECT_EQ(AnsiFromUtf8("a\xFF\xFE"
                           "b"),
              "a??b");
    // A lead byte at the end and a byte that cannot start a character.
    EXPECT_EQ(Utf8FromAnsi("\xD6\xD0\xD6"), "\xE4\xB8\xAD?");
    EXPECT_EQ(Utf8FromAnsi("x\xFFy"), "x?y");
    // A four-byte sequence cut short, and one whose second byte is no digit.
    EXPECT_EQ(Utf8FromAnsi("\x82\x35\x8F"), "?5?");
    EXPECT_EQ(Utf8FromAnsi("\x82\x35\x8F\x7F"), "?5?\x7F");
}

// Characters that GBK lacks are written as GB18030 and read back whole; GBK characters keep their
// two bytes, so files hold the same bytes as before for everything GBK has.
TEST(CodePage, Page936KeepsCharactersOutsideGbkAsGb18030) {
    const struct {
        const char* Utf8;
        std::string Bytes;
    } cases[] = {
        {"\xE5\x88\x98\xE4\xB6\xAE", "\xC1\xF5\xFE\x9F"},            // 刘䶮: GB18030 gives 䶮 two bytes
        {"a\xF0\x9F\x98\x80" "b", "a\x94\x39\xFC\x36" "b"},             // an emoji
        {"\xEA\xB0\x80", "\x82\x37\xCF\x35"},                          // a Korean syllable
        {"\xF0\xA0\x80\x80", "\x95\x32\x82\x36"},                      // beyond the BMP (U+20000)
        {"\xE4\xB8\xAD\xE2\x82\xAC\xC2\xB7", "\xD6\xD0\x80\xA1\xA4"}, // 中€·: GBK's own bytes
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Utf8);
        EXPECT_EQ(AnsiFromUtf8(c.Utf8), c.Bytes);
        EXPECT_EQ(ConvertToCodePage(c.Utf8, CP_ACP), c.Bytes);
        EXPECT_EQ(Utf8FromAnsi(c.Bytes), c.Utf8);
        EXPECT_EQ(ConvertFromCodePage(c.Bytes, CP_ACP), c.Utf8);
    }
    // Page 936 asked for by number (a font's character set) keeps GBK alone.
    EXPECT_EQ(ConvertToCodePage("a\xF0\x9F\x98\x80" "b", CP_GBK), "a?b");
    // Other pages still put '?' for what they cannot hold.
    EXPECT_EQ(ConvertToCodePage("\xE4\xB6\xAE", 1252), "?");
}

TEST(CodePage, OtherCodePages) {
    EXPECT_EQ(ConvertFromCodePage("\xB0\xB1", 437), "\xE2\x96\x91\xE2\x96\x92"); // ░▒
    EXPECT_EQ(ConvertToCodePage("\xE2\x96\x91", 437), "\xB0");
    EXPECT_EQ(ConvertFromCodePage("\x8A", 10000), "\xC3\xA4"); // Mac Roman a-umlaut
    EXPECT_EQ(ConvertFromCodePage("caf\xE9 \x80", 1252), "caf\xC3\xA9 \xE2\x82\xAC");
    EXPECT_EQ(ConvertToCodePage("caf\xC3\xA9", 1252), "caf\xE9");
    EXPECT_EQ(ConvertToCodePage(kZhongWen, 1252), "??");
    EXPECT_EQ(ConvertFromCodePage(kZhongWenGbk, CP_ACP), kZhongWen);
    EXPECT_EQ(ConvertFromCodePage("ok\xC3", CP_UTF8), "ok\xEF\xBF\xBD");
    EXPECT_EQ(ConvertToCodePage("A\xE4\xB8\xAD", CP_UTF16LE), std::string("A\0\x2D\x4E", 4));
    EXPECT_EQ(ConvertFromCodePage(std::string("A\0\x2D\x4E", 4), CP_UTF16LE), "A\xE4\xB8\xAD");
    EXPECT_TRUE(IsCodePageSupported(950));
    EXPECT_FALSE(IsCodePageSupported(4242));
    try {
        ConvertFromCodePage("x", 4242);
        FAIL() << "no exception";
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(), "Code page 4242 is not supported");
    }
}

TEST(CodePage, Utf8Validity) {
    EXPECT_TRUE(IsValidUtf8(kZhongWen));
    EXPECT_TRUE(IsValidUtf8(""));
    EXPECT_FALSE(IsValidUtf8(kZhongWenGbk));
    EXPECT_FALSE(IsValidUtf8("\xC0\x80"));     // overlong
    EXPECT_FALSE(IsValidUtf8("\xED\xA0\x80")); // surrogate
    EXPECT_FALSE(IsValidUtf8("\xE4\xB8"));     // cut short
    EXPECT_EQ(SanitizeUtf8("a\xC0z"), "a\xEF\xBF\xBDz");
}

TEST(CodePage, WideConversions) {
    EXPECT_EQ(Utf8ToWide(kZhongWen), u"\u4E2D\u6587");
    EXPECT_EQ(Utf8ToWide("\xF0\x9F\x98\x80"), u"\U0001F600");
    EXPECT_EQ(WideToUtf8(u"\U0001F600x"), "\xF0\x9F\x98\x80x");
    EXPECT_EQ(Utf8ToWide("a\xFF"
                         "b\xE4\xB8"),
              u"a\uFFFDb\uFFFD\uFFFD");
    EXPECT_EQ(WideToUtf8(WideString(u"a") + char16_t(0xD800) + u"b"), "a\xEF\xBF\xBD"
                                                                      "b");
    EXPECT_EQ(WideToUtf8(WideString(1, char16_t(0xDC00))), "\xEF\xBF\xBD");
    EXPECT_EQ(WideToUtf8(Utf8ToWide("")), "");
}

TEST(CodePage, Utf8Counting) {
    EXPECT_EQ(Utf8Length(kZhongWen), 2);
    EXPECT_EQ(Utf8Length("a\xFF"
                         "b"),
              3);
    EXPECT_EQ(Utf8Copy("a" + kZhongWen + "b", 2, 2), kZhongWen);
    EXPECT_EQ(Utf8Copy("abc", 0, 2), "ab");
    EXPECT_EQ(Utf8Copy("abc", 3, 9), "c");
    EXPECT_EQ(Utf8Copy("abc", 4, 1), "");
}

TEST(CodePage, AnsiLengthCountsGbkBytes) {
    struct Case {
        String text;
        Integer length;
    };
    const Case cases[] = {
        {"", 0},
        {"abc", 3},
        {kZhongWen, 4},
        {"a" + kZhongWen, 5},
        {"\xE2\x82\xAC", 1},     // € is one byte in code page 936
        {"\xF0\x9F\x98\x80", 4}, // outside GBK: written as four GB18030 bytes
        {"\xE4\xB6\xAE", 2},      // 䶮: GB18030 gives it two bytes
        {"\xC3\xA9", 2},         // é (pinyin) is in GBK
    };
    for (const auto& c : cases) {
        EXPECT_EQ(AnsiLength(c.text), c.length) << c.text;
        EXPECT_EQ(AnsiLength(c.text), static_cast<Integer>(AnsiFromUtf8(c.text).size())) << c.text;
    }
}

TEST(CodePage, AnsiCopyNeverCutsACharacter) {
    const String s = "a" + kZhongWen + "b"; // bytes: a=1, 中=2-3, 文=4-5, b=6
    struct Case {
        Integer index, count;
        String expected;
    };
    const Case cases[] = {
        {1, 1, "a"},
        {1, 2, "a"}, // cut inside 中: dropped
        {1, 3, "a\xE4\xB8\xAD"},
        {2, 2, "\xE4\xB8\xAD"},
        {3, 2, ""},             // starts on 中's second byte, ends inside 文
        {3, 3, "\xE6\x96\x87"}, // 中 cut at the start, 文 whole
        {3, 4,
         "\xE6\x96\x87"
         "b"},
        {0, 3, "a\xE4\xB8\xAD"}, // index below 1 counts from 1
        {2, 100, kZhongWen + "b"},
        {7, 1, ""},
        {2, 0, ""},
        {2, -1, ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(AnsiCopy(s, c.index, c.count), c.expected) << c.index << "," << c.count;
    EXPECT_EQ(AnsiLeft(s, 4), "a\xE4\xB8\xAD");
    EXPECT_EQ(AnsiRight(s, 2), "b"); // 文 would be cut
    EXPECT_EQ(AnsiRight(s, 3), "\xE6\x96\x87"
                               "b");
    EXPECT_EQ(AnsiRight(s, 99), s);
}

TEST(CodePage, AnsiPosGivesBytePositions) {
    const String s = kZhongWen + "ab" + kZhongWen;
    EXPECT_EQ(AnsiPos("ab", s), 5);
    EXPECT_EQ(AnsiPos("\xE6\x96\x87", s), 3); // 文
    EXPECT_EQ(AnsiPos("x", s), 0);
    EXPECT_EQ(AnsiPos("", s), 0);
}

TEST(CodePage, ByteTypeOfGbkBytes) {
    const AnsiString b = "a" + kZhongWenGbk + "\xD6"; // a, 中, 文, a dangling lead byte
    EXPECT_EQ(ByteType(b, 1), TMbcsByteType::mbSingleByte);
    EXPECT_EQ(ByteType(b, 2), TMbcsByteType::mbLeadByte);
    EXPECT_EQ(ByteType(b, 3), TMbcsByteType::mbTrailByte);
    EXPECT_EQ(ByteType(b, 4), TMbcsByteType::mbLeadByte);
    EXPECT_EQ(ByteType(b, 5), TMbcsByteType::mbTrailByte);
    EXPECT_EQ(ByteType(b, 6), TMbcsByteType::mbSingleByte);
}

TEST(CodePage, OemIsTheChineseSystemsPage) {
    // The OEM road keeps Chinese as GBK bytes (a US OEM page would turn it into "?").
    EXPECT_EQ(CP_OEM, 936);
    EXPECT_EQ(CharToOem("请稍候 a;1"), "\xC7\xEB\xC9\xD4\xBA\xF2 a;1");
    EXPECT_EQ(OemToChar("\xC7\xEB\xC9\xD4\xBA\xF2"), "请稍候");
    EXPECT_EQ(CharToOem(""), "");
}
