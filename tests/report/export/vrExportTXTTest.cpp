// The text-grid export: placing and framing text objects, joints of frames that meet, the word
// wrap, form feeds, empty lines and leading blanks; the printer types with their InitString,
// ".fpi" files, and printing a copy of the file raw after the export.
#include "ExportFixture.h"

#include "report/export/vrExportTXT.h"
#include "rtl/SysUtils.h"
#include "vrPrintTools.h"

#include <fstream>
#include <gtest/gtest.h>

namespace {

struct TBox {
    Extended Left, Top, Width, Height;
    WideString Text;
    bool Framed = true;
};

std::unique_ptr<TvrTXTExport> NewTxt() {
    auto filter = TvrCustomExportFilter::CreateNoRegister<TvrTXTExport>();
    filter->ShowDialog = false;
    filter->ShowProgress = false;
    return filter;
}

// Runs the filter over pages of loose memos and gives the file's bytes.
String RunTxt(TvrTXTExport& filter, const std::vector<std::vector<TBox>>& pages, const String& file = String()) {
    TempDir dir;
    filter.FileName = file.empty() ? dir.File("out.prn") : file;
    if (!filter.Start()) return "(no start)";
    TvrReportPage page(nullptr);
    std::vector<std::unique_ptr<TvrMemoView>> memos;
    for (size_t p = 0; p < pages.size(); ++p) {
        filter.StartPage(&page, static_cast<Integer>(p));
        for (const TBox& box : pages[p]) {
            auto memo = std::make_unique<TvrMemoView>(nullptr);
            memo->SetBounds(box.Left, box.Top, box.Width, box.Height);
            memo->SetText(box.Text);
            if (box.Framed) memo->Frame()->Typ = TvrFrameTypes{ftLeft, ftRight, ftTop, ftBottom};
            filter.ExportObject(memo.get());
            memos.push_back(std::move(memo));
        }
        filter.FinishPage(&page, static_cast<Integer>(p));
    }
    filter.Finish();
    return TempDir::ReadAll(filter.FileName);
}

String Hex(const String& bytes) {
    static const char digits[] = "0123456789ABCDEF";
    String out;
    for (const unsigned char b : bytes) {
        if (!out.empty()) out += ' ';
        out += digits[b >> 4];
        out += digits[b & 15];
    }
    return out;
}

String Rep(const char* s, int n) {
    String out;
    for (int i = 0; i < n; ++i) out += s;
    return out;
}

} // namespace

TEST(vrTXTExport, FramedObjectAtOneOne) {
    auto txt = NewTxt();
    txt->Borders = true;
    EXPECT_EQ(RunTxt(*txt, {{{7, 8, 70, 16, u"AB"}}}), "+---------+\r\n|AB       |\r\n+---------+\r\n\x0C");
    // With LeadSpaces the common leading blank stays; with EmptyLines the blank rows are written.
    txt->LeadSpaces = true;
    txt->EmptyLines = true;
    EXPECT_EQ(RunTxt(*txt, {{{7, 8, 70, 16, u"AB"}}}),
              "\r\n +---------+\r\n |AB       |\r\n +---------+\r\n\r\n\x0C");
    // A height of one line draws the frame and no text. The joint pass then sees the top corners
    // with a line only to one side (rule 3 and 4: horizontal); the bottom ones no longer match.
    txt->LeadSpaces = txt->EmptyLines = false;
    EXPECT_EQ(RunTxt(*txt, {{{7, 8, 70, 8, u"AB"}}}), "-----------\r\n+---------+\r\n\x0C");
}

TEST(vrTXTExport, FramesJoinWhereTheyMeet) {
    const String h9 = Rep("\xC4", 9);
    const struct {
        const char* Name;
        std::vector<TBox> Boxes;
        String Expected;
    } cases[] = {
        {"side by side: top and bottom tees",
         {{7, 8, 70, 16, u"A"}, {77, 8, 70, 16, u"B"}},
         "\xDA" + h9 + "\xC2" + h9 + "\xBF\r\n\xB3" "A        \xB3" "B        \xB3\r\n\xC0" + h9 + "\xC1" + h9 +
             "\xD9\r\n"},
        {"stacked: left and right tees",
         {{7, 8, 70, 16, u"A"}, {7, 24, 70, 16, u"B"}},
         "\xDA" + h9 + "\xBF\r\n\xB3" "A        \xB3\r\n\xC3" + h9 + "\xB4\r\n\xB3" "B        \xB3\r\n\xC0" + h9 +
             "\xD9\r\n"},
        {"four: a cross",
         {{7, 8, 70, 16, u"A"}, {77, 8, 70, 16, u"B"}, {7, 24, 70, 16, u"C"}, {77, 24, 70, 16, u"D"}},
         "\xDA" + h9 + "\xC2" + h9 + "\xBF\r\n\xB3" "A        \xB3" "B        \xB3\r\n\xC3" + h9 + "\xC5" + h9 +
             "\xB4\r\n\xB3" "C        \xB3" "D        \xB3\r\n\xC0" + h9 + "\xC1" + h9 + "\xD9\r\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        auto txt = NewTxt();
        txt->Borders = true;
        txt->Pseudogrpahic = true;
        txt->PageBreaks = false;
        EXPECT_EQ(Hex(RunTxt(*txt, {c.Boxes})), Hex(c.Expected + "\x0C"));
    }
}

TEST(vrTXTExport, WrapTextToWidth) {
    const struct {
        const char* Text;
        Integer Width, Most;
        const char* Expected;
    } cases[] = {
        {"ABCDEF", 10, 5, "ABCDEF"},
        {"hello world", 5, 5, "hello\r\nworld"},
        {"ab cdefg", 5, 5, "ab \r\ncdefg"},
        {"abcdefgh", 3, 5, "abc\r\ndef\r\ngh"},
        {"abcdefgh", 3, 2, "abc\r\ndef\r\n"},
        {"ab\r\ncdef", 3, 5, "ab\r\ncde\r\nf"},
        {"ab-cd", 2, 5, "ab\r\ncd"},
        {"\xD6\xD0\xCE\xC4\xD7\xD6", 3, 5, "\xD6\xD0\r\n\xCE\xC4\r\n\xD7\xD6"}, // 中文字: never half a character
        {"abc", 0, 5, ""},
        {"abc", 5, 0, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Text);
        EXPECT_EQ(WrapTextToWidth(c.Text, c.Width, c.Most), c.Expected);
    }
}

TEST(vrTXTExport, PagesLinesAndAlignment) {
    // Form feeds: after every page, or once at the end.
    auto txt = NewTxt();
    const std::vector<std::vector<TBox>> two = {{{0, 0, 70, 16, u"P1", false}}, {{0, 0, 70, 16, u"P2", false}}};
    EXPECT_EQ(RunTxt(*txt, two), "P1\r\n\x0CP2\r\n\x0C");
    txt->PageBreaks = false;
    EXPECT_EQ(RunTxt(*txt, two), "P1\r\nP2\r\n\x0C");
    // An empty memo draws nothing but makes the grid taller: empty lines show it.
    txt->PageBreaks = true;
    txt->EmptyLines = true;
    EXPECT_EQ(RunTxt(*txt, {{{0, 0, 70, 16, u"A", false}, {0, 40, 70, 16, u"", false}}}),
              "\r\nA\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\x0C");
    // Right and centred text in w - 1 cells; bottom alignment; lines beyond the box are clipped.
    txt->EmptyLines = false;
    txt->LeadSpaces = true;
    auto run = [&](TvrHAlign h, TvrVAlign v, const WideString& text, Extended height) {
        TempDir dir;
        txt->FileName = dir.File("a.prn");
        txt->Start();
        TvrReportPage page(nullptr);
        txt->StartPage(&page, 0);
        TvrMemoView memo(nullptr);
        memo.SetBounds(0, 0, 70, height);
        memo.SetText(text);
        memo.HAlign = h;
        memo.VAlign = v;
        txt->ExportObject(&memo);
        txt->FinishPage(&page, 0);
        txt->Finish();
        return TempDir::ReadAll(txt->FileName);
    };
    EXPECT_EQ(run(haRight, vaTop, u"ab", 16), "        ab\r\n\x0C");
    EXPECT_EQ(run(haCenter, vaTop, u"ab", 16), "    ab\r\n\x0C");
    EXPECT_EQ(run(haLeft, vaBottom, u"ab", 32), " ab\r\n\x0C");
    // Wrapped to nine cells and two inner rows: the third line is clipped.
    EXPECT_EQ(run(haLeft, vaTop, u"one two three four", 24), " one two\r\n three\r\n\x0C");
    // A remainder that carries its own line breaks is clipped to the box's inner rows too.
    EXPECT_EQ(run(haLeft, vaTop, u"a\r\nb\r\nc", 24), " a\r\n b\r\n\x0C");
}

TEST(vrTXTExport, ShortCustomFrameSetIsIgnored) {
    auto txt = NewTxt();
    txt->Borders = true;
    txt->CustomFrameSet = "ab";
    EXPECT_EQ(txt->FrameSet(), "|-+++++++++");
    txt->CustomFrameSet = "123456789AB";
    EXPECT_EQ(txt->FrameSet(), "123456789AB");
    EXPECT_EQ(RunTxt(*txt, {{{7, 8, 70, 16, u"AB"}}}), "32222222224\r\n1AB       1\r\n52222222226\r\n\x0C");
}

TEST(vrTXTPrinterTypes, InitStrings) {
    auto txt = NewTxt();
    ASSERT_EQ(txt->PrinterTypes.size(), 4u);
    EXPECT_EQ(txt->PrinterTypes[1].Name, "EPSON ESC/P2 Matrix/Stylus)");
    EXPECT_EQ(txt->PrinterTypes[2].Commands[5].Name, "Condenced");
    EXPECT_EQ(txt->PrinterTypes[1].Commands[9].Name, "Linefeed 1/8\"");
    txt->SelectedType = 1;
    txt->PrinterTypes[1].Commands[5].Enabled = true; // Bold
    txt->BuildInitString();
    EXPECT_EQ(Hex(txt->InitString), "12 1B 47 1B 35 1B 57 00 1B 50");
    txt->SelectedType = 0;
    txt->BuildInitString();
    EXPECT_EQ(txt->InitString, "");
}

TEST(vrTXTPrinterTypes, InitFilesSaveAndLoad) {
    TempDir dir;
    auto txt = NewTxt();
    txt->SelectedType = 2;
    txt->PrinterTypes[2].Commands[2].Enabled = true; // Italic
    const String file = dir.File("hp.fpi");
    SavePrinterInitFile(*txt, file);
    EXPECT_EQ(TempDir::ReadAll(file), "2\r\nFalse\r\nFalse\r\nTrue\r\nFalse\r\nFalse\r\nFalse\r\n");
    auto other = NewTxt();
    LoadPrinterInitFile(*other, file);
    EXPECT_EQ(other->SelectedType, 2);
    EXPECT_TRUE(other->PrinterTypes[2].Commands[2].Enabled);
    EXPECT_EQ(Hex(other->InitString), Hex("\x1B&l0O\x1B(s1S\x1B(s0B\x1B(s2Q\x1B(s10H"));
    // A first line that is no number, or names no type, changes nothing.
    for (const char* first : {"x", "9", "-1"}) {
        SCOPED_TRACE(first);
        std::ofstream(dir.File("bad.fpi"), std::ios::binary) << first << "\r\nTrue\r\n";
        EXPECT_THROW(LoadPrinterInitFile(*other, dir.File("bad.fpi")), EConvertError);
        EXPECT_EQ(other->SelectedType, 2);
    }
}

TEST(vrTXTPrinterTypes, PrintsACopyAndKeepsTheFile) {
    TRecorderScope scope;
    TempDir dir;
    auto txt = NewTxt();
    txt->InitString = "OLD";
    txt->PrintAfter = true;
    txt->PrinterDialog = false;
    txt->Copies = 3;
    txt->SelectedType = 1;
    txt->PrinterTypes[1].Commands[5].Enabled = true;
    const String file = dir.File("out.prn");
    const String written = RunTxt(*txt, {{{0, 0, 70, 16, u"P1", false}}}, file);
    EXPECT_EQ(written, "OLDP1\r\n\x0C");
    std::vector<String> expected;
    for (int copy = 0; copy < 3; ++copy)
        for (const String& line : {"raw start " + file, "raw \x12\x1BG\x1B\x35\x1BW" + String(1, '\0') + "\x1BPP1\r\n\x0C",
                                   String("raw end")})
            expected.push_back(line);
    EXPECT_EQ(scope.Printer()->Log, expected);
}
