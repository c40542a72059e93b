#include "report/vrUnicodeUtils.h"

#include "TempDir.h"
#include "rtl/Streams.h"

#include <gtest/gtest.h>

namespace {

std::vector<WideString> Entries(const TWideStrings& list) {
    std::vector<WideString> r;
    for (Integer i = 0; i < list.Count(); ++i)
        r.push_back(list.Strings(i));
    return r;
}

String Bytes(const TStringStream& s) {
    return s.DataString();
}

} // namespace

TEST(TWideStrings, TextSplitsAtLineBreaksAndStopsAtNul) {
    struct TCase {
        WideString text;
        std::vector<WideString> lines;
    };
    const TCase cases[] = {
        {u"a\r\n\r\nb", {u"a", u"", u"b"}},
        {WideString(u"x\0y", 3), {u"x"}},
        {u"a\r\n", {u"a"}},
        {u"", {}},
        {u"\r\n", {u""}},
        {u"a\rb\nc", {u"a", u"b", u"c"}},
        {u"a\n\rb", {u"a", u"", u"b"}}, // LF CR ends a line and then an empty one
        {u"a\r\n\u2028b", {u"a", u"b"}},
        {u"a\n\u2028b", {u"a", u"b"}},
        {u"a\r\u2028b", {u"a", u"b"}},
        {u"a\u2028b", {u"a", u"b"}},
        {u"a\u2028\r\nb", {u"a", u"", u"b"}},
        {u"\u4E2D\u6587\r\n\u62A5\u8868", {u"\u4E2D\u6587", u"\u62A5\u8868"}},
    };
    TWideStrings list;
    for (const TCase& c : cases) {
        list.SetText(c.text);
        EXPECT_EQ(Entries(list), c.lines);
    }
    list.SetText(u"a\r\n\r\nb");
    EXPECT_EQ(list.Text(), u"a\r\n\r\nb\r\n");
    list.SetText(static_cast<const char16_t*>(nullptr));
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(list.Text(), u"");
}

TEST(TWideStrings, InsertReplacesOrAppendsAndOutOfBoundsRaises) {
    TWideStrings list;
    EXPECT_EQ(list.Add(u"a"), 0);
    EXPECT_EQ(list.AddObject(u"b", 7), 1);
    list.Insert(list.Count(), u"c"); // appends
    EXPECT_EQ(Entries(list), (std::vector<WideString>{u"a", u"b", u"c"}));
    list.Insert(1, u"B"); // replaces, keeps the object, shifts nothing
    EXPECT_EQ(Entries(list), (std::vector<WideString>{u"a", u"B", u"c"}));
    EXPECT_EQ(list.Objects(1), 7);

    for (Integer bad : {-1, 4}) {
        try {
            list.Insert(bad, u"x");
            FAIL() << bad;
        } catch (const Exception& e) {
            EXPECT_EQ(e.Message(), "Wide String Out of Bounds");
        }
        EXPECT_THROW(list.SetStrings(bad, u"x"), Exception);
    }
    EXPECT_EQ(list.Count(), 3);

    EXPECT_EQ(list.Strings(-1), u"");
    EXPECT_EQ(list.Strings(3), u"");
    EXPECT_EQ(list.Objects(3), 0);
    list.SetObjects(3, 9); // ignored
    EXPECT_EQ(list.Objects(3), 0);

    try {
        list.Delete(5);
        FAIL();
    } catch (const EListError& e) {
        EXPECT_EQ(e.Message(), "List index out of bounds (5)");
    }
    list.Delete(0);
    EXPECT_EQ(Entries(list), (std::vector<WideString>{u"B", u"c"}));
    EXPECT_EQ(list.IndexOf(u"c"), 1);
    EXPECT_EQ(list.IndexOf(u"C"), -1); // case-sensitive
}

TEST(TWideStrings, LoadFromStreamReadsUtf16AfterTheMarkElseTheProgramCodePage) {
    struct TCase {
        String bytes;
        std::vector<WideString> lines;
    };
    const TCase cases[] = {
        {String("\xFF\xFE\x41\x00", 4), {u"A"}},
        {"AB", {u"AB"}},
        {"A", {u"A"}},
        {"", {}},
        {String("\xFF\xFE\x41\x00\x0D\x00\x0A\x00\x2D\x4E\x42", 11),
         {u"A", u"\u4E2D"}},                                // odd last byte dropped
        {"\xD6\xD0\xCE\xC4\r\nx", {u"\u4E2D\u6587", u"x"}}, // 中文 in code page 936
    };
    for (const TCase& c : cases) {
        TStringStream in(c.bytes);
        TWideStrings list;
        list.Add(u"old");
        list.LoadFromStream(in);
        EXPECT_EQ(Entries(list), c.lines) << c.bytes;
    }
    TStringStream in("skipAB");
    in.SetPosition(4);
    TWideStrings list;
    list.LoadFromStream(in);
    EXPECT_EQ(Entries(list), std::vector<WideString>{u"AB"});
}

TEST(TWideStrings, SaveToStreamWritesUtf16LeWithoutMark) {
    TWideStrings list;
    list.Add(u"A");
    list.Add(u"B");
    TStringStream out;
    list.SaveToStream(out);
    EXPECT_EQ(Bytes(out), String("A\0\r\0\n\0B\0\r\0\n\0", 12));

    TWideStrings cjk;
    cjk.Add(u"\u4E2D");
    TStringStream out2;
    cjk.SaveToStream(out2);
    EXPECT_EQ(Bytes(out2), String("\x2D\x4E\r\0\n\0", 6));
}

TEST(TWideStrings, FilesReadBackAsWritten) {
    TempDir dir;
    const String file = dir.File("memo.txt");
    TWideStrings list;
    list.SetText(u"\u623F\u5C4B\u7F16\u53F7 A-1\r\n\r\nlast \"line\"");
    list.SaveToFile(file);
    EXPECT_EQ(TempDir::ReadAll(file).substr(0, 2), "\xFF\xFE");

    TWideStrings back;
    back.LoadFromFile(file);
    EXPECT_EQ(Entries(back), Entries(list));
    EXPECT_THROW(back.LoadFromFile(dir.File("none.txt")), EFOpenError);
}

TEST(TWideStrings, AssignCopiesStringsAndObjectsBothWays) {
    TStringList source;
    TObject marker;
    source.AddObject("\xE4\xB8\xAD\xE6\x96\x87", &marker); // 中文
    source.Add("b");
    TWideStrings list;
    list.Add(u"old");
    list.Assign(source);
    EXPECT_EQ(Entries(list), (std::vector<WideString>{u"\u4E2D\u6587", u"b"}));
    EXPECT_EQ(list.Objects(0), reinterpret_cast<std::intptr_t>(&marker));

    TWideStrings copy;
    copy.Assign(list);
    EXPECT_EQ(Entries(copy), Entries(list));
    EXPECT_EQ(copy.Objects(0), list.Objects(0));

    TStringList dest;
    dest.Add("old");
    copy.AssignTo(dest);
    ASSERT_EQ(dest.Count(), 2);
    EXPECT_EQ(dest.Strings(0), "\xE4\xB8\xAD\xE6\x96\x87");
    EXPECT_EQ(dest.Objects(0), &marker);
}

TEST(vrCodePages, CharsetsMapToTheirCodePagesAndLocales) {
    const std::pair<Integer, Integer> codePages[] = {
        {DEFAULT_CHARSET, 936},  {MAC_CHARSET, 2},        {OEM_CHARSET, 1},
        {ANSI_CHARSET, 1252},    {SHIFTJIS_CHARSET, 932}, {HANGEUL_CHARSET, 949},
        {JOHAB_CHARSET, 1361},   {GB2312_CHARSET, 936},   {CHINESEBIG5_CHARSET, 950},
        {GREEK_CHARSET, 1253},   {TURKISH_CHARSET, 1254}, {VIETNAMESE_CHARSET, 1258},
        {HEBREW_CHARSET, 1255},  {ARABIC_CHARSET, 1256},  {BALTIC_CHARSET, 1257},
        {RUSSIAN_CHARSET, 1251}, {THAI_CHARSET, 874},     {EASTEUROPE_CHARSET, 1250},
    };
    for (auto [charset, codePage] : codePages)
        EXPECT_EQ(CharsetToCodePage(charset), codePage) << charset;
    try {
        CharsetToCodePage(3);
        FAIL();
    } catch (const EOSError& e) {
        EXPECT_EQ(e.Message().substr(0, 24), "System Error.  Code: 87.");
    }

    EXPECT_EQ(CharsetToLocaleId(GB2312_CHARSET), 2052);
    EXPECT_EQ(CharsetToLocaleId(SHIFTJIS_CHARSET), 1041);
    EXPECT_EQ(CharsetToLocaleId(ARABIC_CHARSET), 13313);
    EXPECT_EQ(CharsetToLocaleId(EASTEUROPE_CHARSET), 1029);
    EXPECT_EQ(CharsetToLocaleId(ANSI_CHARSET), 2052); // the thread's locale
}

TEST(vrCodePages, ConvertsByCharsetBothWays) {
    struct TCase {
        Integer charset;
        WideString text;
        String bytes;
    };
    const TCase cases[] = {
        {DEFAULT_CHARSET, u"\u4E2D\u6587", "\xD6\xD0\xCE\xC4"},
        {GB2312_CHARSET, u"\u4E2D\u6587", "\xD6\xD0\xCE\xC4"},
        {CHINESEBIG5_CHARSET, u"\u4E2D\u6587", "\xA4\xA4\xA4\xE5"},
        {SHIFTJIS_CHARSET, u"\u65E5\u672C", "\x93\xFA\x96\x7B"},
        {HANGEUL_CHARSET, u"\uD55C", "\xC7\xD1"},
        {RUSSIAN_CHARSET, u"\u041F\u0440\u0438", "\xCF\xF0\xE8"},
        {GREEK_CHARSET, u"\u03B1\u03B2", "\xE1\xE2"},
        {EASTEUROPE_CHARSET, u"\u017E", "\x9E"},
        {TURKISH_CHARSET, u"\u011F", "\xF0"},
        {HEBREW_CHARSET, u"\u05D0", "\xE0"},
        {ARABIC_CHARSET, u"\u0628", "\xC8"},
        {BALTIC_CHARSET, u"\u0101", "\xE2"},
        {THAI_CHARSET, u"\u0E01", "\xA1"},
        {ANSI_CHARSET, u"\u00E9", "\xE9"},
        {OEM_CHARSET, u"\u00E9", "\xA8\xA6"}, // the OEM code page is 936: GBK
        {OEM_CHARSET, u"\u8BF7\u7A0D\u5019", "\xC7\xEB\xC9\xD4\xBA\xF2"},
    };
    for (const TCase& c : cases) {
        EXPECT_EQ(WideToAnsiByCharset(c.text, c.charset, 0), c.bytes) << c.charset;
        EXPECT_EQ(AnsiToWideByCharset(c.bytes, c.charset, 0), c.text) << c.charset;
    }
    // An explicit code page wins over the character set; what it lacks becomes "?".
    EXPECT_EQ(WideToAnsiByCharset(u"\u00E9", GB2312_CHARSET, 1252), "\xE9");
    EXPECT_EQ(WideToAnsiByCharset(u"\u4E2D", ANSI_CHARSET, 0), "?");
    EXPECT_EQ(WideToAnsiByCharset(u"", GB2312_CHARSET, 0), "");
    EXPECT_EQ(AnsiToWideByCharset("", GB2312_CHARSET, 0), u"");

    // Symbol fonts: the bytes stand for private-use characters and come back as they were.
    const AnsiString symbols = "\x09\x41\xFC\xA8";
    const WideString wide = AnsiToWideByCharset(symbols, SYMBOL_CHARSET, 0);
    EXPECT_EQ(wide, u"\u0009\uF041\uF0FC\uF0A8");
    EXPECT_EQ(WideToAnsiByCharset(wide, SYMBOL_CHARSET, 0), symbols);
    EXPECT_EQ(WideToAnsiByCharset(u"A\u4E2D", SYMBOL_CHARSET, 0), "A?");
}

TEST(vrCodePages, OemTextConvertsToTheProgramCodePage) {
    EXPECT_EQ(OemToAnsiText(""), "");
    EXPECT_EQ(OemToAnsiText("plain 123"), "plain 123");
    // The OEM code page is the program's own (936): Chinese and é keep their bytes.
    EXPECT_EQ(OemToAnsiText("\xA8\xA6"), "\xA8\xA6");
    EXPECT_EQ(OemToAnsiText("\xC7\xEB\xC9\xD4\xBA\xF2"), "\xC7\xEB\xC9\xD4\xBA\xF2");
}

TEST(TWideStrings, AssignFromOtherPersistentsRaises) {
    class TOther : public TPersistent {
    public:
        String ClassName() const override { return "TOther"; }
    } other;
    TWideStrings list;
    try {
        list.Assign(&other);
        FAIL();
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(), "Cannot assign a TOther to a TWideStrings");
    }
    TWideStrings source;
    source.Add(u"x");
    static_cast<const TPersistent&>(source).AssignTo(&list);
    EXPECT_EQ(list.Strings(0), u"x");
    EXPECT_THROW(source.AssignTo(&other), EConvertError);
}
