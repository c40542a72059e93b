// The RTF export: text encoding, row heights on one and two pages, a text cell, spans, fills,
// header and footer modes, the font table's lines, both picture paths, and the document read back
// by LibreOffice and unrtf.
#include "ExportFixture.h"

#include "gui/Bitmap.h"
#include "report/export/vrExportRTF.h"
#include "report/vrClassBand.h"
#include "rtl/SysUtils.h"

#include <fstream>
#include <gtest/gtest.h>

namespace {

std::unique_ptr<TvrRTFExport> NewRtf() {
    auto filter = TvrCustomExportFilter::CreateNoRegister<TvrRTFExport>();
    filter->ShowDialog = false;
    filter->ShowProgress = false;
    return filter;
}

String Written(THandPages& pages, TvrRTFExport& rtf, const String& file = String()) {
    TempDir dir;
    const String target = file.empty() ? dir.File("out.rtf") : file;
    EXPECT_TRUE(pages.Drive(rtf, target));
    return TempDir::ReadAll(target);
}

int Count(const String& text, const String& what) {
    int n = 0;
    for (size_t p = text.find(what); p != String::npos; p = text.find(what, p + 1)) ++n;
    return n;
}

} // namespace

TEST(vrRTFExport, EncodesTexts) {
    const struct {
        WideString Text;
        const char* Expected;
    } cases[] = {
        {u"\u4E2D", "\\u20013\\'3f"},
        {u"\u86CB", "\\u-31029\\'3f"},
        {u"a{b}", "a\\{b\\}"},
        {u"x\\y", "x\\\\y"},
        {u"a\r\nb", "a\\line\r\nb"},
        {u"a\r\n", "a\r\n"},
    };
    for (const auto& c : cases) EXPECT_EQ(vrRTFEncode(c.Text), c.Expected);
}

TEST(vrRTFExport, RowHeightsFollowThePages) {
    THandPages one;
    one.AddPage("P", {{0, 0, 100, 20, "a"}});
    auto rtf = NewRtf();
    const String single = Written(one, *rtf);
    EXPECT_NE(single.find("\\trrh-290\\trgaph15"), String::npos) << single;
    EXPECT_EQ(single.find("\\pard\\sect"), String::npos);

    THandPages two;
    two.AddPage("P", {{0, 0, 100, 20, "a"}});
    two.AddPage("Q", {{0, 0, 100, 20, "b"}});
    const String both = Written(two, *rtf);
    const size_t sect = both.find("\\pard\\sect\r\n\\pgwsxn");
    ASSERT_NE(sect, String::npos) << both;
    EXPECT_NE(both.substr(0, sect).find("\\trrh-300"), String::npos);
    EXPECT_EQ(both.substr(0, sect).find("\\trrh-290"), String::npos);
    EXPECT_NE(both.find("\\trrh-290", sect), String::npos);
    EXPECT_EQ(both.find("\\trrh-300", sect), String::npos);
    rtf->AutoSize = true;
    EXPECT_NE(Written(one, *rtf).find("\\trrh290\\trgaph15"), String::npos);
}

TEST(vrRTFExport, TextCellSpanAndFill) {
    THandPages pages;
    pages.AddPage("P", {{0, 0, 100, 20, "a{b}"}, {100, 0, 100, 60, "tall"}, {0, 20, 100, 20, "r2"},
                        {0, 40, 100, 20, "r3"}});
    TvrMemoView* cell = pages.Texts[0];
    cell->Font()->SetSize(9);
    cell->Font()->SetStyle(TFontStyles{fsBold});
    cell->Color = clWhite;
    pages.Texts[2]->Color = clGray;
    auto rtf = NewRtf();
    const String out = Written(pages, *rtf);
    const size_t at = out.find("\\ql{\\f0\\fs18\\b\\cf");
    ASSERT_NE(at, String::npos) << out;
    const size_t text = out.find(" a\\{b\\}\\cell}", at);
    ASSERT_NE(text, String::npos);
    EXPECT_NE(out.substr(at, text - at).find("\\slmult0"), String::npos);
    // The tall text opens a vertical span, continued in the two rows below.
    EXPECT_EQ(Count(out, "\\clvmgf"), 2); // row definition twice: before and in \row
    EXPECT_EQ(Count(out, "\\clvmrg"), 4);
    EXPECT_EQ(Count(out, "{\\fs20\\cell}") + Count(out, "{\\fs19\\cell}"), 2);
    // White gives no fill; grey is in the colour table and fills its cell.
    EXPECT_NE(out.find("\\red128\\green128\\blue128;"), String::npos);
    EXPECT_EQ(Count(out, "\\clcbpat"), 2);
    // Font table entries end with ";".
    EXPECT_NE(out.find("{\\fonttbl{\\f0\\fcharset"), String::npos);
    EXPECT_NE(out.find(";}}\r\n{\\colortbl;"), String::npos);
}

TEST(vrRTFExport, HeaderAndFooterModes) {
    const struct {
        TvrHeaderFooterMode Mode;
        bool HeaderGroup, HeadText;
    } cases[] = {{hfText, false, true}, {hfPrint, true, true}, {hfNone, false, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.Mode));
        THandPages pages;
        TvrReportPage* page = pages.AddPage("P", {{0, 40, 100, 20, "body"}});
        auto* header = new TvrPageHeader(page);
        header->SetName("Header");
        header->SetBounds(0, 0, 718, 20);
        auto* head = new TvrMemoView(header);
        head->SetBounds(0, 0, 100, 20);
        head->SetText(u"HEAD");
        auto rtf = NewRtf();
        rtf->HeaderFooterMode = c.Mode;
        TempDir dir;
        rtf->FileName = dir.File("h.rtf");
        ASSERT_TRUE(rtf->Start());
        rtf->StartPage(page, 0);
        rtf->ExportObject(header);
        rtf->ExportObject(head);
        for (TvrMemoView* memo : pages.Texts) rtf->ExportObject(memo);
        rtf->FinishPage(page, 0);
        rtf->Finish();
        const String out = TempDir::ReadAll(rtf->FileName);
        EXPECT_EQ(out.find("{\\header ") != String::npos, c.HeaderGroup) << out;
        EXPECT_EQ(out.find("HEAD\\cell}") != String::npos, c.HeadText);
        EXPECT_NE(out.find("body\\cell}"), String::npos);
        if (c.HeaderGroup) {
            EXPECT_LT(out.find("{\\header "), out.find("HEAD\\cell}"));
        }
    }
}

TEST(vrRTFExport, FontTableLinesStayWithin254) {
    std::vector<TTextSpec> texts;
    for (int i = 0; i < 12; ++i) texts.push_back({0, 20.0L * i, 100, 20, "f" + IntToStr(i)});
    THandPages pages;
    pages.AddPage("P", texts);
    for (size_t i = 0; i < pages.Texts.size(); ++i) pages.Texts[i]->Font()->SetName("Font number " + IntToStr(static_cast<int>(i)));
    auto rtf = NewRtf();
    const String out = Written(pages, *rtf);
    const size_t start = out.find("{\\fonttbl");
    const size_t end = out.find("{\\colortbl");
    ASSERT_LT(start, end);
    const String table = out.substr(start, end - start);
    EXPECT_GE(Count(table, "\r\n"), 2);
    size_t lineStart = 0;
    for (size_t p = table.find("\r\n"); p != String::npos; lineStart = p + 2, p = table.find("\r\n", lineStart))
        EXPECT_LE(p - lineStart, 255u);
    EXPECT_NE(table.find("Font number 11;}"), String::npos);
}

TEST(vrRTFExport, ReadBackByLibreOfficeAndUnrtf) {
    TempDir dir;
    TExportReport made;
    made.BuildSample();
    for (bool emf : {true, false}) {
        SCOPED_TRACE(emf);
        auto rtf = NewRtf();
        rtf->ExportEMF = emf;
        const String file = dir.File(emf ? "emf.rtf" : "wmf.rtf");
        ASSERT_TRUE(ExportWithoutDialog(made.Report, *rtf, file));
        const String doc = TempDir::ReadAll(file);
        EXPECT_NE(doc.find(emf ? "\\emfblip" : "\\wmetafile8"), String::npos);
        String output;
        const String office = "soffice -env:UserInstallation=file://" + dir.File("profile") +
                              " --headless --convert-to txt:Text --outdir '" + dir.File("out") + "' '" + file + "'";
        ASSERT_EQ(RunProgram(office, &output), 0) << output;
        const String text = TempDir::ReadAll(dir.File(emf ? "out/emf.txt" : "out/wmf.txt"));
        EXPECT_NE(text.find("房屋"), String::npos) << text.substr(0, 400);
        ASSERT_EQ(RunProgram("soffice -env:UserInstallation=file://" + dir.File("profile") +
                                 " --headless --convert-to pdf --outdir '" + dir.File("out") + "' '" + file + "'",
                             &output),
                  0)
            << output;
        // unrtf's plain text shows every character beyond ASCII as "?": its HTML keeps them.
        ASSERT_EQ(RunProgram("unrtf --text '" + file + "'", &output), 0);
        EXPECT_NE(output.find("A-101"), String::npos) << output.substr(0, 400);
        ASSERT_EQ(RunProgram("unrtf --html '" + file + "'", &output), 0);
        EXPECT_NE(output.find("&#25151;&#23627;"), String::npos) << output.substr(0, 800); // 房屋
    }
}
