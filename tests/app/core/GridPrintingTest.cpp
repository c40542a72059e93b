// PrintGrid through the data module's grid printer into the grid preview: title lines, the page
// header and footer texts (an empty one clears what the last print-out left), the options of the
// two modes, and the pages printed from the preview to the PDF printer.
#include "CodecTestTools.h"
#include "GridServicesFixture.h"

#include "gridprint/PrnDbggx.h"
#include "gridprint/PrvFrmGx.h"
#include "gui/Interaction.h"
#include "gui/Metafile.h"
#include "gui/Printers.h"
#include "rtl/DateUtils.h"
#include "rtl/Format.h"

namespace {

// What a shell command prints.
String Capture(const String& command) {
    std::string out;
    codectest::Run(command, &out);
    return out;
}

class GridPrinting : public GridServices {
protected:
    void SetUp() override {
        GridServices::SetUp();
        Dm->ADOcnn()->Execute("create table T_opt (F_ID counter, F_code text(10), F_name text(50))");
        for (int i = 1; i <= 3; ++i)
            Dm->ADOcnn()->Execute("insert into T_opt (F_code, F_name) values ('00" + IntToStr(i) +
                                  "', '类别" + IntToStr(i) + "')");
        AddColumn(Grid, "F_code", "编号", 80);
        AddColumn(Grid, "F_name", "名称", 160);
        Show("select F_code, F_name from T_opt order by F_ID");
    }
    void TearDown() override {
        if (TPreviewFormGx* preview = SharedPreviewForm()) preview->Hide();
        GridServices::TearDown();
    }
    // The texts of the first recorded page of the grid preview.
    static std::vector<String> FirstPageTexts() {
        std::vector<String> texts;
        TPrinterPreview* recorder = SharedPrinterPreview();
        if (recorder->RecordedPageCount() == 0) return texts;
        for (const TMetaTextRecord& r : recorder->RecordedPage(1)->TextRecords())
            texts.push_back(r.Text);
        return texts;
    }
    static bool Has(const std::vector<String>& texts, const String& text) {
        return std::find(texts.begin(), texts.end(), text) != texts.end();
    }
};

TEST_F(GridPrinting, TitleHeaderAndFooterOfTwoPrintOutsInARow) {
    const TClockOverride clock(EncodeDate(2024, 3, 5));
    TPrintDBGridGx* printer = Dm->pDBGgrid;
    EXPECT_EQ(printer->Options(), pghFitGridToPageWidth | pghColored | pghFitingByColWidths); // as made
    EXPECT_EQ(printer->Units(), MM);
    // A statistics window's second print format: its caption, the period line, the print date.
    Dm->PrintGrid(Grid, "收费统计", "统计日期：自 启用系统 至 记帐最后一天", "date", 0);
    EXPECT_EQ(printer->DBGridGx(), Grid);
    EXPECT_EQ(printer->Options(), pghFitGridToPageWidth | pghColored | pghRowAutoStretch);
    EXPECT_EQ(printer->Title()->Text(), "\r\n收费统计\r\n\r\n");
    std::vector<String> page = FirstPageTexts();
    EXPECT_TRUE(Has(page, "收费统计"));
    EXPECT_TRUE(Has(page, "统计日期：自 启用系统 至 记帐最后一天"));
    EXPECT_TRUE(Has(page, "打印日期：2024-03-05"));
    EXPECT_TRUE(Has(page, "类别3"));
    ASSERT_NE(SharedPreviewForm(), nullptr);
    EXPECT_TRUE(SharedPreviewForm()->Visible());

    // An option list next: no header. The period line of the statistics does not come back.
    Dm->PrintGrid(Grid, "小区类别设置", "", "date", 1);
    EXPECT_EQ(printer->Options(), pghFitGridToPageWidth | pghColored | pghFitingByColWidths);
    EXPECT_EQ(printer->PageHeader()->LeftText()->Count(), 0);
    page = FirstPageTexts();
    EXPECT_TRUE(Has(page, "小区类别设置"));
    EXPECT_FALSE(Has(page, "统计日期：自 启用系统 至 记帐最后一天"));
    EXPECT_TRUE(Has(page, "打印日期：2024-03-05"));

    // Another mode keeps the options; an empty footer clears the print date.
    Dm->PrintGrid(Grid, "列表", "页眉", " ", 7);
    EXPECT_EQ(printer->Options(), pghFitGridToPageWidth | pghColored | pghFitingByColWidths);
    EXPECT_EQ(printer->PageFooter()->RightText()->Count(), 0);
    page = FirstPageTexts();
    EXPECT_TRUE(Has(page, "页眉"));
    EXPECT_FALSE(Has(page, "打印日期：2024-03-05"));
}

TEST_F(GridPrinting, PrintedFromTheGridPreviewToThePdfPrinter) {
    if (Capture("command -v pdftotext").empty()) GTEST_SKIP() << "poppler-utils are not installed";
    const TClockOverride clock(EncodeDate(2024, 3, 5));
    TPrinter* own = SharedPrinterPreview()->OwnPrinter();
    const std::vector<String>& names = own->Printers();
    own->SetPrinterIndex(
        static_cast<int>(std::find(names.begin(), names.end(), TPrinter::PdfPrinterName) - names.begin()));
    own->SetPaper(DMPAPER_A4);
    const String file = Prog() + "grid.pdf";
    own->SetOutputFile(file);
    Dm->PrintGrid(Grid, "小区类别设置", "", "date", 1);
    TScriptedResponder user;
    TInteractionScope scope(user);
    TInteractionAnswer answer;
    answer.Result = 1;
    answer.Text = TPrinter::PdfPrinterName;
    answer.PrintRange = 0;
    user.Add(answer);
    SharedPreviewForm()->PreviewGx1->PrintPages();
    const String text = Capture("pdftotext -layout '" + file + "' -");
    for (const char* expected : {"小区类别设置", "编号", "名称", "001", "类别3", "打印日期：2024-03-05"})
        EXPECT_NE(text.find(expected), String::npos) << expected << "\n" << text;
}

} // namespace
