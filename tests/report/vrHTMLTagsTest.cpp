// Markup of text objects: which tags are taken out, the format each remaining character gets,
// records following a line break, and measuring a line with its formats.
#include "report/vrHTMLTags.h"

#include "DrawTextTools.h"
#include "gui/Bitmap.h"
#include "report/vrUnicodeUtils.h"
#include "rtl/CodePage.h"

#include <gtest/gtest.h>

namespace {

// The fields of one record, copied out of the list.
struct TTagView {
    Integer SourcePos, SizePt, Lowered;
    TFontStyles StyleSet;
    TColor TagColor;
    bool SameFormat, Reduced, NoBreak;
};

struct TExpanded {
    WideString Text;
    std::vector<TTagView> Tags;
};

TExpanded Expand(const WideString& source, Integer size = 10, bool allowed = true) {
    TvrHTMLTagsList list;
    list.TagsAllowed = allowed;
    list.SetDefaults(clBlack, size, {});
    TExpanded e;
    e.Text = source;
    list.ExpandTags(e.Text);
    for (Integer l = 0; l < list.ItemCount(); ++l)
        for (Integer k = 0; k < list.GetItem(l)->ItemCount(); ++k) {
            const TvrHTMLTag& t = *list.GetItem(l)->GetItem(k);
            e.Tags.push_back({t.SourcePos, t.SizePt, t.Lowered, t.StyleSet, t.TagColor, t.SameFormat,
                              t.Reduced, t.NoBreak});
        }
    return e;
}

} // namespace

TEST(TvrHTMLTagsList, SubAndSupReduceTheSize) {
    struct TCase {
        WideString source;
        Integer defaultSize;
        Integer size; // of "b"
        Integer lowered;
    };
    const TCase cases[] = {
        {u"a<sub>b</sub>c", 10, 7, 1},
        {u"a<sub>b</sub>c", 9, 6, 1},
        {u"a<SUP>b</sup>c", 10, 7, 0},
        {u"a<sup>b</sub>c", 12, 8, 0},
    };
    for (const TCase& c : cases) {
        const TExpanded e = Expand(c.source, c.defaultSize);
        ASSERT_EQ(e.Text, u"abc");
        EXPECT_EQ(e.Tags[1].SizePt, c.size);
        EXPECT_EQ(e.Tags[1].Lowered, c.lowered);
        EXPECT_TRUE(e.Tags[1].Reduced);
        EXPECT_FALSE(e.Tags[1].SameFormat);
        // The closing tag restores the default size and removes the lowering.
        EXPECT_EQ(e.Tags[2].SizePt, c.defaultSize);
        EXPECT_EQ(e.Tags[2].Lowered, 0);
        EXPECT_FALSE(e.Tags[2].Reduced);
    }
}

TEST(TvrHTMLTagsList, WhichTagsVanishAndWhichStay) {
    struct TCase {
        WideString source;
        WideString text;
    };
    const TCase cases[] = {
        {u"a<br/>b", u"ab"},
        {u"a<abc>b", u"ab"},
        {u"a<span>b", u"a<span>b"},
        {u"a<x>b", u"a<x>b"},
        {u"a</x>b", u"a</x>b"},
        {u"a<b", u"a<b"},
        {u"<nowrap>a</nowrap>", u"a"},
        {u"<nowrapx>a", u"<nowrapx>a"},
        {u"<strike>a</strike>", u"a"},
        {u"<s>a", u"<s>a"},
        {u"a</font>b", u"ab"},
        {u"a</sub>b", u"ab"},
        {u"a</foo>b", u"a</foo>b"},
        {u"xSUB><sub>y", u"xSUB>y"},
        {u"\u4E2D\u6587<b>x</b>", u"\u4E2D\u6587x"},
        {u"<b></b>", u" "},
    };
    for (const TCase& c : cases)
        EXPECT_EQ(Expand(c.source).Text, c.text) << WideToUtf8(c.source);
    const TExpanded sub = Expand(u"xSUB><sub>y");
    EXPECT_EQ(sub.Tags.back().SizePt, 7);
}

TEST(TvrHTMLTagsList, StylesFollowTheTags) {
    const TExpanded e = Expand(u"<b>a<i>b<u>c<strike>d</b>e</i></u></strike>f");
    ASSERT_EQ(e.Text, u"abcdef");
    const TFontStyles expected[] = {
        {fsBold},
        {fsBold, fsItalic},
        {fsBold, fsItalic, fsUnderline},
        {fsBold, fsItalic, fsUnderline, fsStrikeOut},
        {fsItalic, fsUnderline, fsStrikeOut},
        {},
    };
    for (size_t k = 0; k < 6; ++k)
        EXPECT_EQ(e.Tags[k].StyleSet, expected[k]) << k;
    const TExpanded nowrap = Expand(u"a <nowrap>b c</nowrap> d");
    ASSERT_EQ(nowrap.Text, u"a b c d");
    const bool noBreak[] = {false, false, true, true, true, false, false};
    for (size_t k = 0; k < 7; ++k)
        EXPECT_EQ(nowrap.Tags[k].NoBreak, noBreak[k]) << k;
}

TEST(TvrHTMLTagsList, ColourForms) {
    struct TCase {
        WideString source;
        WideString text;
        TColor color; // of "x"
    };
    const TCase cases[] = {
        {u"<font color=\"#FF0000\">x", u"x", clRed},
        {u"<font color=\"#0000ff\">x", u"x", clBlue},
        {u"<FONT COLOR = \"#102030\">x", u"x", 0x302010},
        {u"<font color=red>x", u"x", clRed},
        {u"<font color=BtnFace>x", u"x", clBtnFace},
        {u"<font color=#FF0000>x", u"<font color=#FF0000>x", clBlack},
        {u"<font color=\"red\">x", u"<font color=\"red\">x", clBlack},
        {u"<font color=purple2>x", u"<font color=purple2>x", clBlack},
        {u"<font color=>x", u"<font color=>x", clBlack},
        // A quoted value after "#" that is not hexadecimal stays text, as an unknown name does.
        {u"<font color=\"#GG0000\">x", u"<font color=\"#GG0000\">x", clBlack},
        {u"<font color=\"#\">x", u"<font color=\"#\">x", clBlack},
        {u"<font color=\"#123456789\">x", u"<font color=\"#123456789\">x", clBlack},
    };
    for (const TCase& c : cases) {
        const TExpanded e = Expand(c.source);
        EXPECT_EQ(e.Text, c.text) << WideToUtf8(c.source);
        EXPECT_EQ(e.Tags.back().TagColor, c.color) << WideToUtf8(c.source);
    }
    const TExpanded back = Expand(u"<font color=red>a</font>b");
    EXPECT_EQ(back.Tags[1].TagColor, clBlack);
    EXPECT_FALSE(back.Tags[1].SameFormat);
}

TEST(TvrHTMLTagsList, SourcePositionsCountTheMarkup) {
    TvrHTMLTagsList list;
    list.SetDefaults(clBlack, 10, {});
    WideString text = u"<b>x";
    list.ExpandTags(text);
    EXPECT_EQ(list.GetItem(0)->GetItem(0)->SourcePos, 4);
    list.NextPos += 2; // the CR LF of the paragraph
    list.NewLine();
    WideString next = u"a<i>b";
    list.ExpandTags(next);
    ASSERT_EQ(list.ItemCount(), 2);
    EXPECT_EQ(list.GetItem(1)->GetItem(0)->SourcePos, 7);
    EXPECT_EQ(list.GetItem(1)->GetItem(1)->SourcePos, 11);
    // Only tags: one blank with one record.
    TExpanded only = Expand(u"<b><i>");
    EXPECT_EQ(only.Text, u" ");
    ASSERT_EQ(only.Tags.size(), 1u);
    EXPECT_EQ(only.Tags[0].SourcePos, 7);
}

TEST(TvrHTMLTagsList, TagsOffKeepEverythingAndEveryRecordSameFormat) {
    const TExpanded e = Expand(u"<b>x</b>", 10, false);
    EXPECT_EQ(e.Text, u"<b>x</b>");
    ASSERT_EQ(e.Tags.size(), 8u);
    for (const TTagView& t : e.Tags) {
        EXPECT_TRUE(t.SameFormat);
        EXPECT_TRUE(t.StyleSet.Empty());
    }
}

TEST(TvrHTMLTagsList, FirstCharacterDiffersOnlyFromTheDefaults) {
    EXPECT_TRUE(Expand(u"ab").Tags[0].SameFormat);
    EXPECT_FALSE(Expand(u"<b>ab").Tags[0].SameFormat);
    EXPECT_TRUE(Expand(u"<b>ab").Tags[1].SameFormat);
    EXPECT_FALSE(Expand(u"<font color=red>a").Tags[0].SameFormat);
}

TEST(TvrHTMLTagsList, SplitLastLineMovesAndCopiesRecords) {
    TvrHTMLTagsList list;
    list.SetDefaults(clBlack, 10, {});
    WideString text = u"abc def";
    list.ExpandTags(text);
    list.SplitLastLine(9, false); // more than the line holds: nothing happens
    EXPECT_EQ(list.ItemCount(), 1);
    list.SplitLastLine(4, false); // after "abc "
    ASSERT_EQ(list.ItemCount(), 2);
    EXPECT_EQ(list.GetItem(0)->ItemCount(), 4);
    EXPECT_EQ(list.GetItem(1)->ItemCount(), 3);
    // The continuing record takes the SourcePos of the blank, so a split drops it.
    EXPECT_EQ(list.GetItem(1)->GetItem(0)->SourcePos, 4);
    EXPECT_EQ(list.GetItem(1)->GetItem(1)->SourcePos, 6);

    TvrHTMLTagsList hyphen;
    hyphen.SetDefaults(clBlack, 10, {});
    WideString word = u"ab<b>cd";
    hyphen.ExpandTags(word);
    hyphen.GetItem(0)->GetItem(2)->NoBreak = true;
    hyphen.SplitLastLine(3, true);
    ASSERT_EQ(hyphen.GetItem(0)->ItemCount(), 4);
    const TvrHTMLTag* dash = hyphen.GetItem(0)->GetItem(3);
    EXPECT_EQ(dash->SourcePos, 6);
    EXPECT_EQ(dash->StyleSet, TFontStyles{fsBold});
    EXPECT_FALSE(dash->NoBreak);
    EXPECT_EQ(hyphen.GetItem(1)->GetItem(0)->SourcePos, 7);

    // A format change at the break keeps the record's own position.
    TvrHTMLTagsList change;
    change.SetDefaults(clBlack, 10, {});
    WideString changed = u"ab <b>cd";
    change.ExpandTags(changed);
    change.SplitLastLine(3, false);
    EXPECT_EQ(change.GetItem(1)->GetItem(0)->SourcePos, 7);
    EXPECT_FALSE(change.GetItem(1)->GetItem(0)->SameFormat);
}

TEST(TvrHTMLTagsList, PreviousTagLooksIntoTheLineBefore) {
    TvrHTMLTagsList list;
    list.SetDefaults(clBlack, 10, {});
    EXPECT_EQ(list.PreviousTag(), nullptr);
    list.AppendTag();
    EXPECT_EQ(list.PreviousTag(), nullptr);
    list.NewLine();
    list.AppendTag();
    EXPECT_EQ(list.PreviousTag(), list.GetItem(0)->GetItem(0));
}

TEST(TvrHTMLTagsList, MeasureCharsAdvancesSpacingAndReducedCharacters) {
    TFixedMeasurer fixed;
    TvrHTMLTagsList list;
    list.SetMeasurer(&fixed);
    list.SetDefaults(clBlack, 10, {});
    WideString text = u"a<sub>b</sub>\u4E2D";
    list.ExpandTags(text);
    TBitmap bitmap;
    std::vector<int> advances;
    EXPECT_EQ(list.MeasureChars(advances, text, *bitmap.Canvas(), 0, 10, false, false), 110 + 73 + 210);
    EXPECT_EQ(advances[0], 110);
    EXPECT_EQ(advances[1], 73); // Round(110 / 1.5)
    EXPECT_EQ(advances[2], 210);
    list.MeasureChars(advances, text, *bitmap.Canvas(), 0, 10, true, false);
    EXPECT_EQ((std::vector<int>(advances.begin(), advances.begin() + 3)), (std::vector<int>{110, 183, 393}));
    // One measuring call for the line, and one more from each change of format on.
    EXPECT_EQ(fixed.Calls, 2 * 3);
}

TEST(TvrHTMLTagsList, BytePathGoesThroughTheCharsetCodePage) {
    struct TCase {
        TFontCharset charset;
        bool useDefault;
        WideString text;
        WideString units;
    };
    const TCase cases[] = {
        {DEFAULT_CHARSET, false, u"\u4E2Da", u"\u4E2Da"},
        {GB2312_CHARSET, false, u"\u4E2Da", u"\u4E2Da"},
        {ANSI_CHARSET, false, u"\u4E2Da", u"?a"},
        {ANSI_CHARSET, true, u"\u4E2Da", u"\u4E2Da"},
        {RUSSIAN_CHARSET, false, u"\u041C\u041E", u"\u041C\u041E"},
        // A font's page 936 is GBK alone, as the font draws it.
        {GB2312_CHARSET, false, u"a\U0001F600b", u"a?b"},
        {ANSI_CHARSET, false, u"a\U0001F600b", u"a?b"},
    };
    for (const TCase& c : cases)
        EXPECT_EQ(MakeTextUnits(c.text, c.charset, c.useDefault).Text, c.units);
    // A character of two UTF-16 units becomes one unit with the record of its first.
    EXPECT_EQ(MakeTextUnits(u"a\U0001F600b", GB2312_CHARSET, false).Record, (std::vector<Integer>{0, 1, 3}));

    TFixedMeasurer fixed;
    TvrHTMLTagsList list;
    list.SetMeasurer(&fixed);
    list.SetDefaults(clBlack, 10, {});
    WideString text = u"\u4E2Da";
    list.ExpandTags(text);
    TBitmap bitmap;
    bitmap.Canvas()->Font()->SetCharset(GB2312_CHARSET);
    std::vector<int> advances;
    EXPECT_EQ(list.MeasureChars(advances, text, *bitmap.Canvas(), 0, 0, false, false), 300);
    bitmap.Canvas()->Font()->SetCharset(ANSI_CHARSET);
    EXPECT_EQ(list.MeasureChars(advances, text, *bitmap.Canvas(), 0, 0, false, false), 200);
}
