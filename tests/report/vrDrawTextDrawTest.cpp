// Drawing through the text layout object: where the block starts at each rotation, format runs,
// justification, alignment, and lines keeping their 600-dpi width on screen and printer.
#include "report/vrDrawText.h"

#include "DrawTextTools.h"
#include "gui/Bitmap.h"
#include "rtl/CodePage.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

// A 12-point layout over the fixed measurer drawn on a 600-dpi printer canvas, where device and
// layout units are the same, so the device advances are the layout's own.
class Drawing : public ::testing::Test {
protected:
    void SetUp() override {
        Text.SetMeasurer(&Fixed);
        Font.SetName("Arial");
        Font.SetSize(12);
        Font.SetColor(clBlack);
        Text.ApplyFont(Font);
        Options();
        Text.ApplySpacing(0, 0, 0);
    }
    void Options(Integer rotation = 0, bool clipped = false, bool wysiwyg = true) {
        Text.ApplyOptions(true, true, false, false, clipped, wysiwyg, rotation);
    }
    // Layout box in screen units, device box in printer pixels.
    void Boxes(const TRect& layout, const TRect& device) { Text.ApplyRects(layout, device, 6.25, 6.25, 1); }
    void Draw(std::vector<WideString> paragraphs, TvrHAlign h = haLeft, TvrVAlign v = vaTop) {
        TWideStrings source;
        for (const WideString& p : paragraphs)
            source.Add(p);
        Text.LayoutText(source);
        Printer.Records.clear();
        Text.DrawLayout(Printer, h, v);
    }

    TFixedMeasurer Fixed;
    TFont Font;
    TvrDrawText Text;
    TRecordingCanvas Printer{600, true};
};

} // namespace

TEST_F(Drawing, StartPointsOfTheRightAngles) {
    struct TCase {
        Integer rotation;
        TvrVAlign v;
        TPoint first, second;
    };
    // Device box 10, 20, 1010, 2020; lines 100 device units apart.
    const TCase cases[] = {
        {0, vaTop, {10, 20}, {10, 120}},           {90, vaTop, {10, 2020}, {110, 2020}},
        {180, vaTop, {1010, 2020}, {1010, 1920}},  {270, vaTop, {1010, 20}, {910, 20}},
        {-90, vaTop, {1010, 20}, {910, 20}},       {0, vaBottom, {10, 1820}, {10, 1920}},
        {0, vaCenter, {10, 920}, {10, 1020}},      {90, vaBottom, {810, 2020}, {910, 2020}},
        {180, vaBottom, {1010, 220}, {1010, 120}},
    };
    for (const TCase& c : cases) {
        Options(c.rotation);
        Boxes(TRect(0, 0, 48, 48), TRect(10, 20, 1010, 2020));
        Draw({u"ab cd"}, haLeft, c.v);
        ASSERT_EQ(Printer.Records.size(), 2u) << c.rotation;
        EXPECT_EQ(Printer.Records[0].Text, u"ab");
        EXPECT_EQ(TPoint(Printer.Records[0].X, Printer.Records[0].Y), c.first) << c.rotation << " " << c.v;
        EXPECT_EQ(TPoint(Printer.Records[1].X, Printer.Records[1].Y), c.second) << c.rotation << " " << c.v;
        EXPECT_EQ(Printer.Records[0].Orientation, ((c.rotation + 360) % 360) * 10);
        EXPECT_EQ(Printer.Font()->Orientation(), 0) << "the rotated font is given back";
    }
}

TEST_F(Drawing, JustifiedLinesSpreadOverTheirSpaces) {
    // "a b c d" fills the 700 layout units; the device box is 7 units wider.
    Boxes(TRect(0, 0, 112, 100), TRect(0, 0, 707, 1000));
    Draw({u"a b c d e"}, haBlock);
    ASSERT_EQ(Printer.Records.size(), 2u);
    EXPECT_EQ(Printer.Records[0].Text, u"a b c d");
    EXPECT_EQ(Printer.Records[0].Dx, (std::vector<int>{100, 103, 100, 102, 100, 102, 100}));
    // The last line of the paragraph stays left-aligned.
    EXPECT_EQ(Printer.Records[1].Text, u"e");
    EXPECT_EQ(Printer.Records[1].Dx, (std::vector<int>{100}));
    EXPECT_EQ(Printer.Records[1].X, 0);
    // A line without spaces is left-aligned.
    Draw({u"abcdefgh"}, haBlock);
    EXPECT_EQ(Printer.Records[0].Text, u"abcdefg");
    EXPECT_EQ(Printer.Records[0].Dx, std::vector<int>(7, 100));
}

TEST_F(Drawing, HorizontalAlignment) {
    struct TCase {
        TvrHAlign h;
        WideString source;
        int x;
    };
    const TCase cases[] = {
        {haLeft, u"ab", 10},
        {haRight, u"ab", 10 + 1000 - 200 + 1 - 1},
        {haRight, u"<b>ab", 10 + 1000 - 200 + 1 - 2},
        {haCenter, u"ab", 10 + 400},
    };
    for (const TCase& c : cases) {
        Boxes(TRect(0, 0, 160, 100), TRect(10, 0, 1010, 1000));
        Draw({c.source}, c.h);
        ASSERT_EQ(Printer.Records.size(), 1u);
        EXPECT_EQ(Printer.Records[0].X, c.x) << c.h;
    }
}

TEST_F(Drawing, OneOutputPerFormatRun) {
    Text.ApplyRects(TRect(0, 0, 160, 100), TRect(0, 0, 1000, 1000), 6.25, 6.25, 1);
    Draw({u"a<b>b</b><font color=\"#FF0000\">c<sub>d"});
    ASSERT_EQ(Printer.Records.size(), 4u);
    const WideString texts[] = {u"a", u"b", u"c", u"d"};
    const TFontStyles styles[] = {{}, {fsBold}, {}, {}};
    const TColor colours[] = {clBlack, clBlack, clRed, clRed};
    const int xs[] = {0, 100, 200, 300};
    for (size_t k = 0; k < 4; ++k) {
        EXPECT_EQ(Printer.Records[k].Text, texts[k]);
        EXPECT_EQ(Printer.Records[k].Style, styles[k]) << k;
        EXPECT_EQ(Printer.Records[k].Color, colours[k]) << k;
        EXPECT_EQ(Printer.Records[k].X, xs[k]) << k;
    }
    EXPECT_EQ(Printer.Records[0].FontHeight, -100);
    // The subscript: 8 points, lowered by 8 × the vertical scale.
    EXPECT_EQ(Printer.Records[3].FontHeight, -67);
    EXPECT_EQ(Printer.Records[3].Y, 50);
    EXPECT_EQ(Printer.Records[3].Dx, (std::vector<int>{67}));
}

TEST_F(Drawing, AWrappedLineThatStartsWithAFormatTakesIt) {
    struct TCase {
        WideString source;
        TFontStyles first, second;
    };
    // The format changes where the line breaks: at the first character of the new line, or at
    // the dropped blank, whose record the new line's first character takes over.
    const TCase cases[] = {
        {u"aa <b>bb</b>", {}, {fsBold}},
        {u"<b>aa</b> bb", {fsBold}, {}},
        {u"<b>aa bb</b>", {fsBold}, {fsBold}},
    };
    for (const TCase& c : cases) {
        Boxes(TRect(0, 0, 48, 100), TRect(0, 0, 1000, 1000));
        Draw({c.source});
        ASSERT_EQ(Printer.Records.size(), 2u);
        EXPECT_EQ(Printer.Records[0].Text, u"aa");
        EXPECT_EQ(Printer.Records[0].Style, c.first) << WideToUtf8(c.source);
        EXPECT_EQ(Printer.Records[1].Text, u"bb");
        EXPECT_EQ(Printer.Records[1].Style, c.second) << WideToUtf8(c.source);
    }
}

TEST_F(Drawing, ClipAndWysiwygSwitches) {
    Options(0, true, true);
    Boxes(TRect(0, 0, 160, 100), TRect(5, 6, 500, 600));
    Draw({u"ab"});
    EXPECT_EQ(Printer.Records[0].Options & ETO_CLIPPED, static_cast<Cardinal>(ETO_CLIPPED));
    EXPECT_EQ(Printer.Records[0].Clip, TRect(5, 6, 500, 600));
    EXPECT_EQ(Printer.Records[0].Dx, (std::vector<int>{100, 100}));
    Options(0, false, false);
    Draw({u"ab"});
    EXPECT_EQ(Printer.Records[0].Options & ETO_CLIPPED, 0u);
    EXPECT_TRUE(Printer.Records[0].Dx.empty());
}

TEST_F(Drawing, TheBytePathDrawsWhatTheCodePageHolds) {
    struct TCase {
        TFontCharset charset;
        bool useDefault;
        WideString drawn;
    };
    const TCase cases[] = {
        {DEFAULT_CHARSET, false, u"\u4E2D\u6587ab"},
        {GB2312_CHARSET, false, u"\u4E2D\u6587ab"},
        {ANSI_CHARSET, false, u"??ab"},
        {ANSI_CHARSET, true, u"\u4E2D\u6587ab"},
    };
    for (const TCase& c : cases) {
        Font.SetCharset(c.charset);
        Text.ApplyFont(Font);
        Text.UseDefaultCharset = c.useDefault;
        Boxes(TRect(0, 0, 160, 100), TRect(0, 0, 1000, 1000));
        Draw({u"\u4E2D\u6587ab"});
        ASSERT_EQ(Printer.Records.size(), 1u);
        EXPECT_EQ(Printer.Records[0].Text, c.drawn) << int(c.charset);
    }
}

TEST(DrawTextRealFonts, AParagraphBreaksAtTheSamePlacesOnScreenAndAt600Dpi) {
    struct TCase {
        String face;
        WideString text;
    };
    const TCase cases[] = {
        {"Arial", u"The quick brown fox jumps over the lazy dog, and the lazy dog sleeps on in the warm "
                  u"afternoon sun while the fox runs home across the field."},
        {"宋体", u"本月物业管理费已经按照各户的建筑面积计算完毕，请各位业主在月底以前到管理处缴纳，"
                 u"逾期未缴的将按规定收取滞纳金。"},
    };
    for (const TCase& c : cases) {
        TFont font;
        font.SetName(c.face);
        font.SetSize(10);
        font.SetCharset(DEFAULT_CHARSET);
        TWideStrings source;
        source.Add(c.text);
        const TRect box(0, 0, 200, 400);

        TvrDrawText text;
        text.ApplyFont(font);
        text.ApplyOptions(true, true, false, false, false, true, 0);
        text.ApplySpacing(0, 0, 0);
        text.ApplyRects(box, box, 1, 1, 1);
        text.LayoutText(source);
        const WideString screenLines = text.WrappedText();
        TRecordingCanvas screen(96, false);
        text.DrawLayout(screen, haLeft, vaTop);

        text.ApplyRects(box, TRect(0, 0, 1250, 2500), 6.25, 6.25, 1);
        text.LayoutText(source);
        EXPECT_EQ(text.WrappedText(), screenLines) << c.face;
        TRecordingCanvas printer(600, true);
        text.DrawLayout(printer, haLeft, vaTop);

        ASSERT_GE(text.WrappedLines.Count(), 3) << c.face;
        ASSERT_EQ(screen.Records.size(), static_cast<size_t>(text.WrappedLines.Count()));
        ASSERT_EQ(printer.Records.size(), screen.Records.size());
        for (size_t k = 0; k < screen.Records.size(); ++k) {
            EXPECT_EQ(screen.Records[k].Text, text.WrappedLines.Strings(static_cast<Integer>(k)));
            EXPECT_EQ(printer.Records[k].Text, screen.Records[k].Text);
            // Both widths come from the one 600-dpi width of the line.
            EXPECT_NEAR(printer.Records[k].Width(), screen.Records[k].Width() * 6.25, 3.2)
                << c.face << " " << k;
            EXPECT_LE(screen.Records[k].Width(), box.Width()) << c.face << " " << k;
        }
    }
}

TEST(DrawTextRealFonts, RotatedTextRunsUpFromTheBottomLeft) {
    TFont font;
    font.SetName("Arial");
    font.SetSize(12);
    font.SetColor(clBlack);
    TvrDrawText text;
    text.ApplyFont(font);
    text.ApplyOptions(true, true, false, false, false, true, 90);
    text.ApplySpacing(0, 0, 0);
    const TRect box(50, 10, 150, 190);
    text.ApplyRects(box, box, 1, 1, 1);
    TWideStrings source;
    source.Add(u"HHHHHH");
    text.LayoutText(source);
    TBitmap bitmap(200, 200);
    text.DrawLayout(*bitmap.Canvas(), haLeft, vaTop);
    // The ink: a column by the left edge of the box, running up from its bottom.
    int left = 200, right = -1, top = 200, bottom = -1;
    for (int y = 0; y < 200; ++y)
        for (int x = 0; x < 200; ++x)
            if ((ColorToPixelRGB(bitmap.Canvas()->Pixels(x, y)) & 0xFF) < 0x80) {
                left = std::min(left, x), right = std::max(right, x);
                top = std::min(top, y), bottom = std::max(bottom, y);
            }
    ASSERT_GE(right, 0) << "nothing drawn";
    EXPECT_GE(left, 50);
    EXPECT_LE(right, 50 + 20);
    EXPECT_LE(bottom, 190);
    EXPECT_GE(bottom, 190 - 5);
    EXPECT_GT(bottom - top, 3 * (right - left));
}
