// Printing from the preview to the PDF printer: the pages the recorder made are drawn on the
// printer, read back with pdftotext and turned into pictures with pdftoppm (poppler-utils).
#include "GridPrintFixture.h"

#include "gui/Interaction.h"
#include "rtl/FileUtils.h"

#include <cstdio>

namespace {

String Capture(const String& command) {
    String out;
    FILE* p = popen(command.c_str(), "r");
    if (!p) return out;
    char buffer[4096];
    size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, p)) > 0)
        out.append(buffer, n);
    pclose(p);
    return out;
}

int PdfPages(const String& file) {
    String info = Capture("pdfinfo '" + file + "'");
    size_t at = info.find("Pages:");
    return at == String::npos ? -1 : std::atoi(info.c_str() + at + 6);
}

bool HavePoppler() {
    return !Capture("command -v pdftotext pdftoppm pdfinfo").empty();
}

class PdfPrintTest : public GridPrintTest {
protected:
    // Composes into a preview box measuring on the PDF printer (A4, 600 dpi) and prints the
    // pages from..to with the print dialog.
    String PrintToPdf(int from, int to) {
        TPrinter* own = Box.Recorder()->OwnPrinter();
        const std::vector<String>& names = own->Printers();
        own->SetPrinterIndex(static_cast<int>(
            std::find(names.begin(), names.end(), TPrinter::PdfPrinterName) - names.begin()));
        own->SetPaper(DMPAPER_A4);
        String file = Dir.File("grid.pdf");
        own->SetOutputFile(file);
        Printer.PrintToPrinter(Box.Recorder());
        TScriptedResponder user;
        TInteractionScope scope(user);
        TInteractionAnswer answer;
        answer.Result = 1;
        answer.Text = TPrinter::PdfPrinterName;
        answer.PrintRange = from > 0 ? 2 : 0; // page numbers or all pages
        answer.FromPage = from;
        answer.ToPage = to;
        user.Add(answer);
        Box.PrintPages();
        EXPECT_EQ(user.Requests().at(0).MaxPage, Box.PageCount());
        return file;
    }
    TPreviewBox Box{nullptr};
};

TEST_F(PdfPrintTest, ThreePagesOfRowsReadBack) {
    if (!HavePoppler()) GTEST_SKIP() << "poppler-utils are not installed";
    Fill(120);
    Open();
    Printer.PageFooter()->RightText()->Add("Page &[Page] of &[Pages]");
    String file = PrintToPdf(0, 0);
    ASSERT_EQ(Box.PageCount(), 3);
    EXPECT_EQ(PdfPages(file), 3);
    String text = Capture("pdftotext -layout '" + file + "' -");
    for (const char* expected :
         {"Tint", "Ttext", "Tfloat", "t1 ", "t60", "t120", "Page 1 of 3", "Page 3 of 3"})
        EXPECT_NE(text.find(expected), String::npos) << expected;
    // The rows read in their order.
    EXPECT_LT(text.find("t59 "), text.find("t61 "));
    // A picture of the first page, kept beside the build to be looked at.
    ForceDirectories(ORV_SCREEN_DIR);
    String png = String(ORV_SCREEN_DIR) + "/gridprint_pdf_page";
    Capture("pdftoppm -r 50 -png -f 1 -l 1 '" + file + "' '" + png + "'");
}

TEST_F(PdfPrintTest, PageRangeTwoToThree) {
    if (!HavePoppler()) GTEST_SKIP() << "poppler-utils are not installed";
    Fill(120);
    Open();
    Printer.PageFooter()->RightText()->Add("Page &[Page]");
    String file = PrintToPdf(2, 3);
    EXPECT_EQ(PdfPages(file), 2);
    String text = Capture("pdftotext -layout '" + file + "' -");
    EXPECT_EQ(text.find("Page 1"), String::npos);
    EXPECT_NE(text.find("Page 2"), String::npos);
    EXPECT_NE(text.find("Page 3"), String::npos);
}

} // namespace
