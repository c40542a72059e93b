// The HTML export: single file and file per page, the navigator frameset, page links, escaping,
// styles, the background picture, failures and the dialog.
#include "ExportFixture.h"

#include "report/export/vrExportHTML.h"
#include "report/vrClassMemo.h"
#include "report/vrClassObjects.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace {

std::unique_ptr<TvrHTMLExport> NewHtml() {
    return TvrCustomExportFilter::CreateNoRegister<TvrHTMLExport>();
}

size_t Count(const String& text, const String& what) {
    size_t n = 0;
    for (size_t p = text.find(what); p != String::npos; p = text.find(what, p + 1)) ++n;
    return n;
}

} // namespace

TEST(vrHTMLExport, TwoPagesInOneFile) {
    THandPages pages;
    pages.AddGridPage("P1", 2, 2);
    pages.AddGridPage("P2", 2, 2);
    auto html = NewHtml();
    TempDir dir;
    const String file = dir.File("report.html");
    ASSERT_TRUE(pages.Drive(*html, file));
    const String text = TempDir::ReadAll(file);
    EXPECT_EQ(text.rfind("<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\">\r\n<html><head>\r\n", 0), 0u);
    EXPECT_NE(text.find("<a name=\"PageN1\"></a>"), String::npos);
    EXPECT_NE(text.find("<a name=\"PageN2\"></a>\r\n<table width="), String::npos);
    EXPECT_EQ(Count(text, "class=\"page_break\">"), 1u);
    EXPECT_EQ(Count(text, "<table"), 2u);
    EXPECT_EQ(Count(text, "</table>"), 2u);
    for (const char* cell : {">r0c0</td>", ">r1c1</td>"}) EXPECT_EQ(Count(text, cell), 2u) << cell;
    EXPECT_NE(text.find("</body></html>\r\n"), String::npos);
    EXPECT_EQ(text.find("http://"), String::npos);
}

TEST(vrHTMLExport, MultipageWithAndWithoutNavigator) {
    for (const bool navigator : {false, true}) {
        SCOPED_TRACE(navigator);
        THandPages pages;
        pages.AddGridPage("P1", 1, 2);
        pages.AddGridPage("P2", 1, 2);
        auto html = NewHtml();
        html->Multipage = true;
        html->Navigator = navigator;
        TempDir dir;
        const String file = dir.File("rep.html");
        ASSERT_TRUE(pages.Drive(*html, file));
        const String folder = dir.File("rep.files");
        for (const char* page : {"1.html", "2.html"}) {
            const String text = TempDir::ReadAll(folder + "/" + page);
            EXPECT_NE(text.find(">r0c1</td>"), String::npos) << page;
            EXPECT_EQ(Count(text, "</table>"), 1u) << page;
        }
        EXPECT_FALSE(std::filesystem::exists(folder + "/3.html"));
        EXPECT_EQ(std::filesystem::exists(file), navigator);
        EXPECT_EQ(std::filesystem::exists(folder + "/nav.html"), navigator);
        if (navigator) {
            const String frames = TempDir::ReadAll(file);
            EXPECT_NE(frames.find("-//W3C//DTD HTML 4.01 Frameset//EN"), String::npos);
            EXPECT_NE(frames.find("<frame name=\"topFrame\" src=\"rep.files/nav.html\""), String::npos);
            EXPECT_NE(frames.find("<frame name=\"mainFrame\" src=\"rep.files/1.html\">"), String::npos);
            const String nav = TempDir::ReadAll(folder + "/nav.html");
            EXPECT_NE(nav.find("var frPgCnt = 2;"), String::npos);
            EXPECT_NE(nav.find("var frMultipage = 1;"), String::npos);
            EXPECT_NE(nav.find("首页"), String::npos);
            EXPECT_NE(nav.find("全部页"), String::npos);
            EXPECT_EQ(nav.find("%s"), String::npos);
        }
    }
}

TEST(vrHTMLExport, SingleFileNavigatorWritesMainPage) {
    THandPages pages;
    pages.AddGridPage("P1", 1, 1);
    auto html = NewHtml();
    html->Navigator = true;
    TempDir dir;
    const String file = dir.File("rep.html");
    ASSERT_TRUE(pages.Drive(*html, file));
    EXPECT_NE(TempDir::ReadAll(dir.File("rep.files/main.html")).find(">r0c0</td>"), String::npos);
    EXPECT_NE(TempDir::ReadAll(file).find("src=\"rep.files/main.html\">"), String::npos);
    EXPECT_NE(TempDir::ReadAll(dir.File("rep.files/nav.html")).find("var frMultipage = 0;"), String::npos);
}

TEST(vrHTMLExport, PageLinksBothWays) {
    for (const bool multipage : {false, true}) {
        THandPages pages;
        pages.AddPage("P1", {{0, 0, 100, 20, "go"}});
        pages.Texts[0]->URL = "@3";
        auto html = NewHtml();
        html->Multipage = multipage;
        html->URLTarget = "main\"frame";
        TempDir dir;
        ASSERT_TRUE(pages.Drive(*html, dir.File("r.html")));
        const String text = TempDir::ReadAll(multipage ? dir.File("r.files/1.html") : dir.File("r.html"));
        const String expected = multipage ? "<a href=\"3.html\" target=\"main&quot;frame\">go</a>"
                                          : "<a href=\"#PageN3\" target=\"main&quot;frame\">go</a>";
        EXPECT_NE(text.find(expected), String::npos) << multipage << "\n" << text;
    }
}

TEST(vrHTMLExport, TextEscaping) {
    const struct {
        const char* Text;
        bool Markup;
        const char* Expected;
    } cases[] = {
        {"a & b", false, "a &amp; b"},
        {"<b>bold</b>", true, "<b>bold</b>"},
        {"<b>bold</b>", false, "&lt;b&gt;bold&lt;/b&gt;"},
        {"say \"hi\"", false, "say &quot;hi&quot;"},
        {"one\r\ntwo\r\n", false, "one<br>two"},
        {"a\nb", false, "ab"},
        {"  ", false, "&nbsp;"},
        {"", false, "&nbsp;"},
    };
    for (const auto& c : cases) EXPECT_EQ(TvrHTMLExport::EscapeText(c.Text, c.Markup), c.Expected) << c.Text;
    EXPECT_EQ(TvrHTMLExport::UrlEncode("My rep-1.vrf"), "My%20rep%2D1%2Evrf");
}

TEST(vrHTMLExport, MarkupPassesOnlyWhereAllowed) {
    THandPages pages;
    pages.AddPage("P1", {{0, 0, 100, 20, "<b>x</b>"}, {100, 0, 100, 20, "<b>y</b> & z"}});
    pages.Texts[0]->AllowHTMLTags = true;
    auto html = NewHtml();
    TempDir dir;
    ASSERT_TRUE(pages.Drive(*html, dir.File("r.html")));
    const String text = TempDir::ReadAll(dir.File("r.html"));
    EXPECT_NE(text.find("><b>x</b></td>"), String::npos) << text;
    EXPECT_NE(text.find(">&lt;b&gt;y&lt;/b&gt; &amp; z</td>"), String::npos) << text;
}

TEST(vrHTMLExport, StylesNameFontSizeAndDecorations) {
    THandPages pages;
    pages.AddPage("P1", {{0, 0, 100, 20, "a"}});
    TFont* font = pages.Texts[0]->Font();
    font->SetSize(12);
    font->SetStyle(TFontStyles{fsBold, fsUnderline, fsStrikeOut});
    auto html = NewHtml();
    TempDir dir;
    ASSERT_TRUE(pages.Drive(*html, dir.File("r.html")));
    const String text = TempDir::ReadAll(dir.File("r.html"));
    EXPECT_NE(text.find(" font-size: 16px;"), String::npos);
    EXPECT_NE(text.find(" font-weight: bold; font-style: normal; text-decoration: underline line-through;"),
              String::npos)
        << text;
    EXPECT_NE(text.find(".page_break {page-break-before: always;}"), String::npos);
    EXPECT_NE(text.find(" class=\"s"), String::npos);
}

TEST(vrHTMLExport, TitleIsEscaped) {
    THandPages pages;
    pages.AddPage("P1", {{0, 0, 100, 20, "a"}});
    pages.Report.ReportOptions()->Name = "Rents <2026> & fees";
    auto html = NewHtml();
    TempDir dir;
    ASSERT_TRUE(pages.Drive(*html, dir.File("r.html")));
    EXPECT_NE(TempDir::ReadAll(dir.File("r.html")).find("<title>Rents &lt;2026&gt; &amp; fees</title>"),
              String::npos);
}

TEST(vrHTMLExport, PicturesAreFilesOfTheStatedSize) {
    TExportReport made;
    made.BuildSample();
    made.Prepare();
    for (const bool jpeg : {true, false}) {
        auto html = NewHtml();
        html->SetUseJpeg(jpeg);
        TempDir dir;
        ASSERT_TRUE(ExportWithoutDialog(made.Report, *html, dir.File("s.html")));
        const String text = TempDir::ReadAll(dir.File("s.html"));
        const String name = jpeg ? "s.files/img0.jpg" : "s.files/img0.bmp";
        EXPECT_NE(text.find("<img src=\"" + name + "\" width=\""), String::npos) << text;
        EXPECT_TRUE(std::filesystem::exists(dir.File(name))) << name;
    }
}

TEST(vrHTMLExport, AFailedExportKeepsTheOldFile) {
    class TFailingHtml : public TvrHTMLExport {
    public:
        explicit TFailingHtml(TUnlisted tag) : TvrHTMLExport(tag) {}
        void ExportObject(TvrComponent* obj) override {
            if (obj->Name() == "Pr1c1") throw Exception("the disk is full");
            TvrHTMLExport::ExportObject(obj);
        }
    };
    TExportReport made;
    made.AddGridPage("P", 3, 2);
    made.Prepare();
    made.Report.EngineOptions()->NewSilentMode = simSilent;
    TempDir dir;
    const String file = dir.File("r.html");
    std::ofstream(file) << "old";
    auto html = TvrCustomExportFilter::CreateNoRegister<TFailingHtml>();
    EXPECT_FALSE(ExportWithoutDialog(made.Report, *html, file));
    EXPECT_EQ(TempDir::ReadAll(file), "old");
    EXPECT_NE(made.Report.ErrorList()->Text().find("the disk is full"), String::npos);
}

TEST(vrHTMLExport, Defaults) {
    auto html = NewHtml();
    EXPECT_EQ(html->GetDescription(), "HTML 文件");
    EXPECT_EQ(html->DefaultExtension, ".html");
    EXPECT_TRUE(html->UseJpeg() && !html->UseGif());
    html->SetUseGif(true);
    EXPECT_TRUE(!html->UseJpeg() && html->UseGif());
    EXPECT_EQ(html->HTMLDocumentBegin()->Count(), 4);
    EXPECT_EQ(html->HTMLDocumentEnd()->Strings(0), "</body></html>");
    const meta::TClassInfo& info = TvrHTMLExport::StaticClassInfo();
    for (const char* name : {"OpenAfterExport", "FixedWidth", "ExportPictures", "PicsInSameFolder", "ExportStyles",
                             "Navigator", "Multipage", "MozillaFrames", "UseJpeg", "UseGif", "AbsLinks", "Background",
                             "Centered", "EmptyLines", "HTMLDocumentBegin", "URLTarget", "Print"})
        EXPECT_NE(info.FindProperty(name), nullptr) << name;
}

TEST(vrHTMLExport, DialogFillsAndApplies) {
    auto html = NewHtml();
    html->SetUseGif(true);
    html->Multipage = true;
    TvrHTMLExportDialog dialog(nullptr);
    dialog.Fill(*html);
    EXPECT_EQ(dialog.PFormatCB->ItemIndex(), 3);
    EXPECT_EQ(dialog.PFormatCB->Items()->Count(), 4);
    EXPECT_TRUE(dialog.MultipageCB->Checked());
    dialog.PFormatCB->SetItemIndex(0);
    dialog.NavigatorCB->SetChecked(true);
    dialog.Apply(*html);
    EXPECT_FALSE(html->ExportPictures);
    EXPECT_TRUE(html->Navigator);
    dialog.PFormatCB->SetItemIndex(1);
    dialog.Apply(*html);
    EXPECT_TRUE(html->ExportPictures && html->UseJpeg());
}

TEST(vrHTMLExport, PagesParseWithTagsClosed) {
    TExportReport made;
    made.BuildSample();
    made.Prepare();
    for (const bool multipage : {false, true}) {
        auto html = NewHtml();
        html->Multipage = multipage;
        html->Navigator = multipage;
        TempDir dir;
        ASSERT_TRUE(ExportWithoutDialog(made.Report, *html, dir.File("s.html")));
        // Every start tag but the empty elements is closed in order; "<td/>" closes itself.
        const String script = R"PY(
import sys, glob, html.parser
empty = {'meta', 'br', 'img', 'input', 'frame'}
class P(html.parser.HTMLParser):
    def __init__(self):
        super().__init__(); self.stack = []; self.bad = []
    def handle_starttag(self, tag, attrs):
        if tag not in empty: self.stack.append(tag)
    def handle_startendtag(self, tag, attrs): pass
    def handle_endtag(self, tag):
        if not self.stack or self.stack[-1] != tag: self.bad.append(tag)
        else: self.stack.pop()
files = glob.glob(sys.argv[1] + '/*.html') + glob.glob(sys.argv[1] + '/s.files/*.html')
if not files: sys.exit(2)
for f in files:
    p = P(); p.feed(open(f, encoding='utf-8').read()); p.close()
    if p.stack or p.bad: print(f, p.stack, p.bad); sys.exit(1)
)PY";
        const String scriptFile = dir.File("check.py");
        std::ofstream(scriptFile) << script;
        String out;
        EXPECT_EQ(RunProgram(SystemPython() + " " + scriptFile + " " + dir.Path(), &out), 0) << multipage << out;
    }
}
