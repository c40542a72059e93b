// The text layout object with a measurer of fixed advances (100 layout units a Latin character,
// 200 a Chinese one), so that breaks, splits and justification come out exactly.
#include "report/vrDrawText.h"

#include "DrawTextTools.h"
#include "rtl/CodePage.h"

#include <gtest/gtest.h>

#include <thread>

namespace {

std::vector<WideString> Lines(const TWideStrings& list) {
    std::vector<WideString> r;
    for (Integer i = 0; i < list.Count(); ++i)
        r.push_back(list.Strings(i));
    return r;
}

void Fill(TWideStrings& list, const std::vector<WideString>& lines) {
    list.Clear();
    for (const WideString& l : lines)
        list.Add(l);
}

// A layout object over the fixed measurer: a 10-point font, the box `width` screen units wide
// (width × 6.25 layout units) and `height` high.
class Layout : public ::testing::Test {
protected:
    void SetUp() override {
        Text.SetMeasurer(&Fixed);
        Apply(10);
    }
    void Apply(int sizePt, bool wordWrap = true, bool wordBreak = false, Integer rotation = 0) {
        TFont font;
        font.SetName("Arial");
        font.SetSize(sizePt);
        Text.ApplyFont(font);
        Text.ApplyOptions(wordWrap, true, false, wordBreak, false, true, rotation);
        Text.ApplySpacing(0, 0, 0);
    }
    void Box(int width, int height = 1000) {
        Text.ApplyRects(TRect(0, 0, width, height), TRect(0, 0, width, height), 1, 1, 1);
    }
    std::vector<WideString> Wrap(const std::vector<WideString>& paragraphs) {
        TWideStrings source;
        Fill(source, paragraphs);
        Text.LayoutText(source);
        return Lines(Text.WrappedLines);
    }

    TFixedMeasurer Fixed;
    TvrDrawText Text;
};

using V = std::vector<WideString>;

} // namespace

TEST_F(Layout, LineHeightFollowsTheFontAndSpacing) {
    struct TCase {
        int sizePt;
        Extended spacing;
        Extended height; // h / 6.25 + spacing, h = Round(pt × 600 / 72)
    };
    const TCase cases[] = {{10, 0, 83 / 6.25L},
                           {10, 2, 83 / 6.25L + 2},
                           {12, 0, 16},
                           {9, -1, 75 / 6.25L - 1},
                           {11, 0, 92 / 6.25L}};
    for (const TCase& c : cases) {
        Apply(c.sizePt);
        Text.ApplySpacing(0, 0, c.spacing);
        EXPECT_DOUBLE_EQ(static_cast<double>(Text.LineHeight()), static_cast<double>(c.height)) << c.sizePt;
    }
}

TEST_F(Layout, WrapsAtBlanksAndLongWords) {
    struct TCase {
        int width; // screen units; 16 hold 100 layout units
        std::vector<WideString> paragraphs;
        V lines;
    };
    const TCase cases[] = {
        {80, {u""}, {u" "}},
        {80, {u"abcde"}, {u"abcde"}},
        {80, {u"aa bb cc"}, {u"aa bb", u"cc"}},
        {64, {u"aaa bbb ccc"}, {u"aaa", u"bbb", u"ccc"}},
        {80, {u"abcdefgh"}, {u"abcde", u"fgh"}},
        // One character wider than the line stands alone.
        {8, {u"abc"}, {u"a", u"b", u"c"}},
        // Chinese characters count double.
        {80, {u"\u4E2D\u6587\u62A5\u8868"}, {u"\u4E2D\u6587", u"\u62A5\u8868"}},
        {80, {u"a", u"bb cc dd"}, {u"a", u"bb cc", u"dd"}},
        // The blank inside a no-break run is no break point.
        {80, {u"aa <nowrap>bb cc</nowrap>"}, {u"aa", u"bb cc"}},
        {48, {u"<nowrap>aa bb</nowrap>"}, {u"aa ", u"bb"}},
    };
    for (const TCase& c : cases) {
        Box(c.width);
        TWideStrings source;
        Fill(source, c.paragraphs);
        Text.LayoutText(source);
        EXPECT_EQ(Lines(Text.WrappedLines), c.lines) << WideToUtf8(source.Text());
        EXPECT_EQ(Text.WrappedLines.Count(), Text.Tags().ItemCount());
    }
}

TEST_F(Layout, EmptyParagraphAndNoWrap) {
    Box(80);
    EXPECT_EQ(Wrap({u"", u"x"}), (V{u" ", u"x"}));
    EXPECT_EQ(Text.FittedText(), u" \r\nx\r\n");
    EXPECT_EQ(Text.WrappedLines.Objects(0), 3);
    Apply(10, false);
    EXPECT_EQ(Wrap({u"aaaaaaaaaa bbbbbbbbb"}), (V{u"aaaaaaaaaa bbbbbbbbb"}));
    // No lines: zero sizes, nothing drawn, nothing split off.
    Text.LayoutText(TWideStrings());
    EXPECT_EQ(Text.LayoutHeight(), 0);
    EXPECT_EQ(Text.LayoutWidth(), 0);
    TRecordingCanvas canvas;
    Text.DrawLayout(canvas, haLeft, vaTop);
    EXPECT_TRUE(canvas.Records.empty());
    bool inside = true;
    EXPECT_EQ(Text.SplitLayout(inside), u"");
    EXPECT_FALSE(inside);
}

TEST_F(Layout, LineFlagsAndParagraphGap) {
    Box(80);
    Text.ApplySpacing(16, 0, 0); // the first line of a paragraph is 100 units shorter
    EXPECT_EQ(Wrap({u"aaaaa bbbbb"}), (V{u"aaaa", u"a", u"bbbbb"}));
    EXPECT_EQ(Text.WrappedLines.Objects(0), 1);
    EXPECT_EQ(Text.WrappedLines.Objects(1), 0);
    EXPECT_EQ(Text.WrappedLines.Objects(2), 2);
    Text.ApplyPartBreaks(true, true);
    EXPECT_EQ(Text.WrappedLines.Objects(0), 0);
    EXPECT_EQ(Text.WrappedLines.Objects(2), 0);
}

TEST_F(Layout, WidthAndHeight) {
    Apply(12);
    Box(80);
    Text.ApplySpacing(16, 0, 0);
    Wrap({u"abcd", u"ab cd ef"});
    // "abcd" with the gap: 400 + 100; "ab" with the gap: 200 + 100; "cd ef": 500.
    EXPECT_EQ(Lines(Text.WrappedLines), (V{u"abcd", u"ab", u"cd ef"}));
    EXPECT_DOUBLE_EQ(static_cast<double>(Text.LayoutWidth()), 500 / 6.25);
    EXPECT_DOUBLE_EQ(static_cast<double>(Text.LayoutHeight()), 3 * 16);
    // A negative spacing counts n - 1 times.
    Text.ApplySpacing(0, 0, -2);
    EXPECT_DOUBLE_EQ(static_cast<double>(Text.LayoutHeight()), 3 * 16 - 2 * 2);
    Text.ApplySpacing(0, 1.6, 0); // 10 layout units after every character
    Wrap({u"abc"});
    EXPECT_DOUBLE_EQ(static_cast<double>(Text.LayoutWidth()), 330 / 6.25);
}

TEST_F(Layout, RemainingSpace) {
    Apply(12); // lines of 16
    struct TCase {
        int height; // box bottom - top + 1 = height + 1
        Extended space;
    };
    const TCase cases[] = {{31, 0.0001L}, {15, 0.0001L}, {10, 0}, {14, 0}, {39, 8}};
    for (const TCase& c : cases) {
        Text.ApplyRects(TRect(0, 0, 80, c.height), TRect(0, 0, 80, c.height), 1, 1, 1);
        EXPECT_DOUBLE_EQ(static_cast<double>(Text.RemainingSpace()), static_cast<double>(c.space))
            << c.height;
    }
}

TEST_F(Layout, SplitsAtABlankInsideAWordAndBetweenParagraphs) {
    Apply(12);
    struct TCase {
        std::vector<WideString> paragraphs;
        int lines; // that fit
        WideString fitted;
        WideString remainder;
        bool inside;
    };
    const WideString black = u"<font color=\"#000000\">";
    const TCase cases[] = {
        {{u"aaa bbb ccc"}, 2, u"aaa bbb", black + u"ccc\r\n", true},
        {{u"aaaaaa"}, 1, u"aaa", black + u"aaa\r\n", true},
        {{u"aaa", u"bbb"}, 1, u"aaa\r\n", black + u"bbb\r\n", false},
        {{u"aaa", u"bbb"}, 2, u"aaa\r\nbbb\r\n", u"", false},
        {{u"aaa bbb"}, 0, u"", black + u"aaa bbb\r\n", false},
    };
    for (const TCase& c : cases) {
        Text.ApplyRects(TRect(0, 0, 64, c.lines * 16), TRect(0, 0, 64, c.lines * 16), 1, 1, 1);
        TWideStrings source;
        Fill(source, c.paragraphs);
        Text.LayoutText(source);
        bool inside = !c.inside;
        const WideString remainder = Text.SplitLayout(inside);
        EXPECT_EQ(remainder, c.remainder) << WideToUtf8(source.Text());
        EXPECT_EQ(Text.FittedText(), c.fitted) << WideToUtf8(source.Text());
        EXPECT_EQ(inside, c.inside) << WideToUtf8(source.Text());
        EXPECT_LE(Text.WrappedLines.Count(), c.lines);
    }
}

TEST_F(Layout, ARemainderCarriesItsFormat) {
    Apply(12);
    Text.ApplyRects(TRect(0, 0, 64, 16), TRect(0, 0, 64, 16), 1, 1, 1);
    struct TCase {
        WideString source;
        WideString remainder;
    };
    const TCase cases[] = {
        {u"<b><font color=\"#FF0000\">aaa bbb", u"<font color=\"#FF0000\"><b>bbb\r\n"},
        {u"<b><u>aaa bbb", u"<font color=\"#000000\"><u><b>bbb\r\n"},
        {u"<i><font color=blue>aaa bbb", u"<font color=\"#0000FF\"><i>bbb\r\n"},
        {u"<strike><sub>aaa bbb", u"<font color=\"#000000\">bbb\r\n"},
    };
    for (const TCase& c : cases) {
        Wrap({c.source});
        bool inside = false;
        EXPECT_EQ(Text.SplitLayout(inside), c.remainder) << WideToUtf8(c.source);
    }
}

TEST(SpreadIncrements, SpreadsEvenly) {
    struct TCase {
        Integer count;
        std::vector<int> result;
    };
    const TCase cases[] = {
        {0, {0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},  {1, {0, 0, 0, 0, 1, 0, 0, 0, 0, 0}},
        {3, {0, 1, 0, 0, 0, 1, 0, 1, 0, 0}},  {9, {1, 1, 1, 1, 0, 1, 1, 1, 1, 1}},
        {10, {1, 1, 1, 1, 1, 1, 1, 1, 1, 1}},
    };
    for (const TCase& c : cases) {
        std::vector<int> values(10, 0);
        SpreadIncrements(values, 0, 9, c.count, 1);
        EXPECT_EQ(values, c.result) << c.count;
    }
    std::vector<int> one(1, 5);
    SpreadIncrements(one, 0, 0, 1, -1);
    EXPECT_EQ(one[0], 4);
}

TEST(SyllableBreaks, RussianWordsUnderCodePage1251) {
    struct TCase {
        WideString word;
        Integer codePage;
        std::vector<Integer> breaks;
    };
    const TCase cases[] = {
        {u"МОЛОКО", 1251, {2, 4}},
        {u"МАССА", 1251, {3}},
        {u"МОЛОКО", 936, {}},
        {u"МОЛ", 1251, {}},
        {u"MOLOKO", 1251, {}},
        {u"ВОЙНА", 1251, {3}},
        {WideString(64, u'М') + WideString(64, u'О'), 1251, {}},
    };
    for (const TCase& c : cases)
        EXPECT_EQ(SyllableBreaks(c.word, c.codePage), c.breaks) << WideToUtf8(c.word);
    // Words just under 128 characters still break.
    EXPECT_FALSE(
        SyllableBreaks(WideString(21, u'М') + u"ОЛОКОЛОКОЛОКО" + WideString(93, u'О'), 1251).empty());
}

TEST_F(Layout, WordBreakBySyllables) {
    Apply(10, true, true);
    Text.HyphenCodePage = 1251;
    struct TCase {
        int width;
        WideString source;
        V lines;
    };
    const TCase cases[] = {
        {80, u"МОЛОКО", {u"МОЛО-", u"КО"}},         // five letters fit
        {64, u"МОЛОКО", {u"МО-", u"ЛОКО"}},         // four fit
        {64, u"молоко", {u"мо-", u"локо"}},         // found on the capitals, written as given
        {80, u"МАССА МАССА", {u"МАССА", u"МАССА"}}, // the blank comes first
        {160, u"МАССА МАССА", {u"МАССА МАС-", u"СА"}},
        {48, u"ШШШШШШ", {u"ШШШ", u"ШШШ"}}, // no syllable: cut where the line ends
    };
    for (const TCase& c : cases) {
        Box(c.width);
        EXPECT_EQ(Wrap({c.source}), c.lines) << WideToUtf8(c.source);
    }
    // Under the program's code page the rule finds nothing.
    Text.HyphenCodePage = 936;
    Box(80);
    EXPECT_EQ(Wrap({u"МОЛОКО"}), (V{u"МОЛОК", u"О"}));
    // A split after a hyphenated line keeps the hyphen in the part that fits.
    Text.HyphenCodePage = 1251;
    Text.ApplyRects(TRect(0, 0, 80, 13), TRect(0, 0, 80, 13), 1, 1, 1);
    Wrap({u"МОЛОКО"});
    bool inside = false;
    EXPECT_EQ(Text.SplitLayout(inside), u"<font color=\"#000000\">КО\r\n");
    EXPECT_EQ(Text.FittedText(), u"МОЛО-");
    EXPECT_TRUE(inside);
}

TEST_F(Layout, StripTags) {
    EXPECT_EQ(Text.StripTags(u"<b>a</b><font color=red>b"), u"ab");
}

TEST(TextLayoutLock, OneLockForEveryLayoutObject) {
    TvrDrawText own;
    own.LockLayout();
    bool other = true;
    std::thread([&] { other = TextLayoutLock().try_lock(); }).join();
    EXPECT_FALSE(other);
    SharedLayout().LockLayout(); // re-entrant on the same thread
    SharedLayout().UnlockLayout();
    own.UnlockLayout();
    std::thread([&] {
        other = TextLayoutLock().try_lock();
        if (other) TextLayoutLock().unlock();
    }).join();
    EXPECT_TRUE(other);
}

TEST_F(Layout, ParagraphsLongerThan32768CharactersWrapThroughout) {
    Box(160); // ten characters a line
    WideString paragraph;
    for (int k = 0; k < 4000; ++k)
        paragraph += u"aaaaaaaa" + WideString(1, static_cast<char16_t>(u'0' + k % 10)) + u" ";
    const V lines = Wrap({paragraph});
    ASSERT_EQ(lines.size(), 4000u);
    EXPECT_EQ(lines[3500], u"aaaaaaaa0");
    EXPECT_EQ(lines[3999], u"aaaaaaaa9 ");
    EXPECT_GE(Text.Advances.size(), 40000u);
    EXPECT_EQ(Text.Advances[39999], 4000000);
}

TEST_F(Layout, TheBytePathWrapsOnRunningSumsPerCharacter) {
    // In a GB2312 font the emoji becomes one "?" unit: the line still breaks after the whole
    // character, never between its two UTF-16 units.
    TFont font;
    font.SetName("宋体");
    font.SetSize(10);
    font.SetCharset(GB2312_CHARSET);
    Text.ApplyFont(font);
    Box(48); // 300 layout units
    EXPECT_EQ(Wrap({u"ab\U0001F600cd"}), (V{u"ab\U0001F600", u"cd"}));
    EXPECT_EQ(Wrap({u"\u4E2Da\u6587b"}), (V{u"\u4E2Da", u"\u6587b"}));
}

TEST_F(Layout, ASurrogatePairIsNeverSplitAcrossLines) {
    // Through the font's own characters the emoji keeps its two units; a line never ends between
    // them, not even when the emoji alone is wider than the line.
    TFont font;
    font.SetName("宋体");
    font.SetSize(10);
    font.SetCharset(DEFAULT_CHARSET);
    Text.ApplyFont(font);
    Box(64); // 400 layout units
    EXPECT_EQ(Wrap({u"ab\U0001F600cd"}), (V{u"ab\U0001F600", u"cd"}));
    Box(16); // 100 layout units
    EXPECT_EQ(Wrap({u"a\U0001F600b"}), (V{u"a", u"\U0001F600", u"b"}));
}
