#include "report/vrUtils.h"

#include "TempDir.h"
#include "rtl/Format.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

std::vector<String> Lines(const TStrings& list) {
    std::vector<String> r;
    for (Integer i = 0; i < list.Count(); ++i)
        r.push_back(list.Strings(i));
    return r;
}

std::vector<String> Range(int from, int to) {
    std::vector<String> r;
    for (int i = from; i <= to; ++i)
        r.push_back(std::to_string(i));
    return r;
}

} // namespace

TEST(vrUtils, ParsePageListExpandsRangesUpToThePageCount) {
    struct TCase {
        const char* text;
        Integer pages;
        std::vector<String> list;
    };
    const TCase cases[] = {
        {"1,3,5-7", 10, {"1", "3", "5", "6", "7"}},
        {"5-", 8, Range(5, 8)},
        {"1-", 3, {"1", "2", "3"}},
        {"3-1", 10, {}},
        {"2, 4 - 5", 10, {"2", "4", "5"}},
        {"", 10, {}},
        {"   ", 10, {}},
        {"2,2", 10, {"2", "2"}},
        {"15", 10, {"15"}},
        {"8-12", 10, {"8", "9", "10"}},
        {"1-2000000000", 10, Range(1, 10)}, // clamped, not expanded
        {"1-2147483647,3", 4, {"1", "2", "3", "4", "3"}},
    };
    TStringList list;
    for (const TCase& c : cases) {
        list.Add("old");
        ParsePageList(c.text, list, c.pages);
        EXPECT_EQ(Lines(list), c.list) << c.text;
    }
    for (const char* bad : {"a", "1,,2", "1-x", "-5", "1,99999999999"})
        EXPECT_THROW(ParsePageList(bad, list, 10), EConvertError) << bad;
}

TEST(vrUtils, SplitTextToListKeepsInnerEmptyFieldsOnly) {
    const std::pair<const char*, std::vector<String>> cases[] = {
        {"a,,b", {"a", "", "b"}}, {"a,", {"a"}}, {",a", {"", "a"}}, {"", {}}, {"abc", {"abc"}},
    };
    TStringList list;
    for (const auto& [text, fields] : cases) {
        SplitTextToList(text, list, ',');
        EXPECT_EQ(Lines(list), fields) << text;
    }
    Integer pos = 3;
    String field;
    TakeNextField("ab;cd;e", pos, field, ';');
    EXPECT_EQ(field, "");
    EXPECT_EQ(pos, 4);
    TakeNextField("ab;cd;e", pos, field, ';');
    EXPECT_EQ(field, "cd");
    EXPECT_EQ(pos, 7);
    TakeNextField("ab;cd;e", pos, field, ';');
    EXPECT_EQ(field, "e");
    EXPECT_EQ(pos, 8);
    EXPECT_EQ(SlashesToBackslashes("a/b/c"), "a\\b\\c");
    EXPECT_EQ(ReplaceCharacter("a-b-c", '-', '+'), "a+b+c");
}

TEST(vrUtils, StrToFloatLooseTakesCommaOrPointWithAnySeparator) {
    for (char sep : {'.', ','}) {
        TFormatSettings& fs = FormatSettings();
        const char saved = fs.DecimalSeparator;
        fs.DecimalSeparator = sep;
        EXPECT_DOUBLE_EQ(static_cast<double>(StrToFloatLoose("1,5")), 1.5);
        EXPECT_DOUBLE_EQ(static_cast<double>(StrToFloatLoose("1.5")), 1.5);
        EXPECT_DOUBLE_EQ(static_cast<double>(StrToFloatLoose("1 000,5")), 1000.5); // blanks removed
        EXPECT_DOUBLE_EQ(static_cast<double>(StrToFloatLoose(" -2 ")), -2.0);
        EXPECT_THROW(StrToFloatLoose("1,000.5"), EConvertError);
        EXPECT_THROW(StrToFloatLoose("abc"), EConvertError);
        EXPECT_TRUE(IsFloatText("0,25"));
        EXPECT_FALSE(IsFloatText("1,000.5"));
        EXPECT_FALSE(IsFloatText(""));
        fs.DecimalSeparator = saved;
    }
}

TEST(vrUtils, NumberDisplayForms) {
    EXPECT_EQ(FloatToDisplayStr(2), "2");
    EXPECT_EQ(FloatToDisplayStr(2.5), "2.50");
    EXPECT_EQ(FloatToDisplayStr(-0.125), "-0.13");
    EXPECT_EQ(FloatToDisplayStr(21), "21");
    EXPECT_EQ(FormatFloatFixed(2, ',', 1234.5), "1234,50");
    EXPECT_EQ(FormatFloatFixed(0, '.', 2.5), "3");
    EXPECT_EQ(FormatFloatFixed(3, '.', -1), "-1.000");
    EXPECT_EQ(ColorToHTMLColor(0x0000FF), "#FF0000");
    EXPECT_EQ(ColorToHTMLColor(0x123456), "#563412");
    // System colours are resolved first: the window colour is white, the button face its grey.
    EXPECT_EQ(ColorToHTMLColor(clWindow), "#FFFFFF");
    const unsigned face = static_cast<unsigned>(ColorToRGB(clBtnFace));
    EXPECT_EQ(ColorToHTMLColor(clBtnFace),
              Format("#%.2X%.2X%.2X", {face & 0xFF, (face >> 8) & 0xFF, face >> 16}));
    EXPECT_NE(ColorToHTMLColor(clBtnFace), "#0F0000");
}

TEST(vrUtils, StreamsAsHexAndChecksum) {
    TMemoryStream m;
    const Byte bytes[] = {0x00, 0x0A, 0xFF, 0x7F};
    m.WriteBuffer(bytes, 4);
    EXPECT_EQ(StreamToHex(m), "000AFF7F");

    TMemoryStream back;
    HexToStream("000aFF7F", back);
    EXPECT_EQ(back.Bytes(), std::vector<Byte>(bytes, bytes + 4));
    // A damaged digit is an error, not a silent end that loses the tail.
    for (const char* damaged : {"0AFFzz12", "0AFF1z", "g0", "0A FF"}) {
        TMemoryStream partial;
        EXPECT_THROW(HexToStream(damaged, partial), EConvertError) << damaged;
        EXPECT_EQ(partial.Size(), 0) << damaged;
    }
    TMemoryStream odd;
    HexToStream("ABC", odd);
    EXPECT_EQ(odd.Bytes(), std::vector<Byte>{0xAB});

    TStringStream s("123456789");
    s.SetPosition(4);
    EXPECT_EQ(StreamChecksum(s), 0xCBF43926u);
    EXPECT_EQ(s.Position(), 4);
    TStringStream empty;
    EXPECT_EQ(StreamChecksum(empty), 0u);
}

TEST(vrUtils, ExtractBracketedTextBalancesPairsAndSkipsQuotes) {
    struct TCase {
        const char* text;
        const char* open;
        const char* close;
        Integer start;
        const char* inner;
        Integer startAfter, endPos;
    };
    const TCase cases[] = {
        {"[a[b]c]", "[", "]", 1, "a[b]c", 1, 7},
        {"['x]']", "[", "]", 1, "'x]'", 1, 6},
        {"x[\"a]\" + 'b']y", "[", "]", 2, "\"a]\" + 'b'", 2, 13},
        {"x[\xE4\xB8\xAD]y", "[", "]", 2, "\xE4\xB8\xAD", 2, 6}, // 中 between the brackets
        {"<%a%>", "<%", "%>", 1, "a", 1, 5},
        {"[open", "[", "]", 1, "open", 1, 5}, // no closing bracket: to the end, endPos stays inside
        {"a[b]", "[", "]", 1, "", 1, 1},      // not at an opening bracket
        {"]x[y]", "[", "]", 1, "", 1, 1},     // a closing bracket there starts nothing either
        {"", "[", "]", 1, "", 1, 1},
    };
    for (const TCase& c : cases) {
        String inner = "junk";
        Integer start = c.start, end = -1;
        ExtractBracketedText(c.text, c.open, c.close, inner, end, start);
        EXPECT_EQ(inner, c.inner) << c.text;
        EXPECT_EQ(start, c.startAfter) << c.text;
        EXPECT_EQ(end, c.endPos) << c.text;
    }
    WideString inner;
    Integer start = 2, end = 0;
    ExtractBracketedTextW(u"x[\u4E2D[y]]z", u"[", u"]", inner, end, start);
    EXPECT_EQ(inner, u"\u4E2D[y]");
    EXPECT_EQ(end, 7);
}

TEST(vrUtils, RectAreasOverlapBeyondTheTolerance) {
    TvrRectArea a(0, 0, 10, 10), b(9.99995L, 0, 20, 10), c(5, 8, 15, 20);
    EXPECT_FALSE(a.OverlapsHorizontally(b));
    EXPECT_TRUE(a.OverlapsHorizontally(c));
    EXPECT_TRUE(a.OverlapsVertically(c));
    EXPECT_FALSE(a.OverlapsVertically(TvrRectArea(0, 10, 5, 12)));
    EXPECT_EQ(a.HorizontalIntersection(b), nullptr);
    auto i = a.HorizontalIntersection(c);
    ASSERT_NE(i, nullptr);
    EXPECT_EQ(i->X, 5);
    EXPECT_EQ(i->X1, 10);
    EXPECT_EQ(i->Y, 0);
    EXPECT_EQ(i->Y1, 0);
    const TvrFloatRect r = MakeFloatRect(1, 2, 3, 4);
    EXPECT_EQ(r.Bottom, 4);
    EXPECT_EQ(MakeFloatPoint(5, 6).Y, 6);
}

TEST(vrUtils, TemporaryFilesAndSafeReplacement) {
    TempDir dir;
    const String temp = GetTempFileInFolder(dir.Path());
    EXPECT_EQ(ExtractFileName(temp).substr(0, 2), "fr");
    EXPECT_EQ(ExtractFileExt(temp), ".tmp");
    EXPECT_EQ(FileSize(temp), 0);
    EXPECT_EQ(GetModulePath(), ProgramFolder());
    EXPECT_FALSE(GetProgramFileName().empty());

    const String file = dir.File("out.txt");
    TempDir::WriteAll(file, "old");
    ::chmod(file.c_str(), 0640);
    WriteFileReplacing(file, [](TStream& s) { s.WriteBuffer("new", 3); });
    EXPECT_EQ(TempDir::ReadAll(file), "new");
    struct stat st {};
    ::stat(file.c_str(), &st);
    EXPECT_EQ(st.st_mode & 0777, 0640u); // the old file's permissions are kept

    EXPECT_THROW(WriteFileReplacing(file,
                                    [](TStream& s) {
                                        s.WriteBuffer("partial", 7);
                                        throw EWriteError("disk full");
                                    }),
                 EWriteError);
    EXPECT_EQ(TempDir::ReadAll(file), "new");
    size_t files = 0;
    for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(dir.Path()))
        ++files;
    EXPECT_EQ(files, 2u); // out.txt and the fr*.tmp made above, no leftover
}
