// The engine over a grouped list: title, page header, group header reprinted on new pages,
// rows from a real table, group footers with sums and page footers with page numbers.
#include "PdfInfo.h"
#include "ReviewPicture.h"
#include "vrEngineFixture.h"

#include "WhiteBitmap.h"
#include "gui/InputSimulation.h"
#include "gui/Printers.h"
#include "gui/StdCtrls.h"
#include "report/vrProgress.h"
#include "rtl/Format.h"

#include <algorithm>
#include <cstdio>

#include <gtest/gtest.h>

namespace {

constexpr Extended FooterTop = 1016.92981;

std::vector<Extended> Steps(Extended From, int Count, Extended Step = 20) {
    std::vector<Extended> v;
    for (int i = 0; i < Count; ++i)
        v.push_back(From + i * Step);
    return v;
}

void ExpectTops(const std::vector<Extended>& Actual, const std::vector<Extended>& Expected,
                const String& What) {
    ASSERT_EQ(Actual.size(), Expected.size()) << What;
    for (size_t i = 0; i < Actual.size(); ++i)
        EXPECT_NEAR(Actual[i], Expected[i], 0.0001) << What << " #" << i;
}

TEST_F(EngineTest, ThreeRowsInTwoGroupsOnOnePage) {
    MakeTable({{"A001", "G1", 100}, {"A002", "G1", 200.5}, {"A003", "G2", 50}});
    LoadLayout(GroupedLayout);
    ASSERT_TRUE(Prepare()) << Report->ErrorList()->Text();
    ASSERT_EQ(Pages()->GetPageCount(), 1);
    std::vector<String> order;
    for (const TPreparedBand& b : BandsOf(0))
        order.push_back(b.Name + "@" + FloatToStr(b.Top));
    const std::vector<String> expected = {"ReportTitle1@0",   "PageHeader1@40",
                                          "GroupHeader1@70",  "MasterData1@95",
                                          "MasterData1@115",  "GroupFooter1@135",
                                          "GroupHeader1@160", "MasterData1@185",
                                          "GroupFooter1@205", "PageFooter1@" + FloatToStr(FooterTop)};
    EXPECT_EQ(order, expected);
    EXPECT_EQ(Texts(0, "GroupFooter"), (std::vector<String>{"300.50", "50.00"}));
    EXPECT_EQ(Texts(0, "GroupHeader"), (std::vector<String>{"G1", "G2"}));
    EXPECT_EQ(Texts(0, "MasterData"), (std::vector<String>{"A001|100", "A002|200.5", "A003|50"}));
    // The page count is filled in when the page is drawn.
    EXPECT_EQ(Texts(0, "PageFooter"), (std::vector<String>{"第 1 页，共 [TotalPages#] 页"}));
}

TEST_F(EngineTest, HundredTwentyRowsBreakIntoThreePages) {
    MakeTable(GroupedRows());
    LoadLayout(GroupedLayout);
    ASSERT_TRUE(Prepare()) << Report->ErrorList()->Text();
    ASSERT_EQ(Pages()->GetPageCount(), 3);

    ExpectTops(Tops(0, "ReportTitle"), {0}, "title");
    ExpectTops(Tops(0, "PageHeader"), {40}, "page header 1");
    ExpectTops(Tops(0, "GroupHeader"), {70, 920}, "group headers 1");
    std::vector<Extended> rows1 = Steps(95, 40);
    for (Extended y : {945.0L, 965.0L, 985.0L})
        rows1.push_back(y);
    ExpectTops(Tops(0, "MasterData"), rows1, "rows 1");
    ExpectTops(Tops(0, "GroupFooter"), {895}, "group footer 1");
    EXPECT_EQ(Texts(0, "GroupFooter"), std::vector<String>{"820.00"});

    ExpectTops(Tops(1, "PageHeader"), {0}, "page header 2");
    ExpectTops(Tops(1, "ReportTitle"), {}, "no title on page 2");
    ExpectTops(Tops(1, "GroupHeader"), {30, 820}, "group headers 2");
    std::vector<Extended> rows2 = Steps(55, 37);
    for (Extended y : Steps(845, 8))
        rows2.push_back(y);
    ExpectTops(Tops(1, "MasterData"), rows2, "rows 2");
    ExpectTops(Tops(1, "GroupFooter"), {795}, "group footer 2");
    EXPECT_EQ(Texts(1, "GroupFooter"), std::vector<String>{"2420.00"});
    EXPECT_EQ(Texts(1, "MasterData").front(), "A044|44");

    ExpectTops(Tops(2, "PageHeader"), {0}, "page header 3");
    ExpectTops(Tops(2, "GroupHeader"), {30}, "group header 3");
    ExpectTops(Tops(2, "MasterData"), Steps(55, 32), "rows 3");
    ExpectTops(Tops(2, "GroupFooter"), {695}, "group footer 3");
    EXPECT_EQ(Texts(2, "GroupFooter"), std::vector<String>{"4020.00"});
    for (int p = 0; p < 3; ++p) {
        ExpectTops(Tops(p, "PageFooter"), {FooterTop}, "page footer");
        EXPECT_EQ(Texts(p, "PageFooter").front(), "第 " + IntToStr(p + 1) + " 页，共 [TotalPages#] 页");
    }
}

TEST_F(EngineTest, PagesPaintedOnThePdfPrinterReadBack) {
    MakeTable(GroupedRows());
    LoadLayout(GroupedLayout);
    ASSERT_TRUE(Prepare()) << Report->ErrorList()->Text();
    ASSERT_EQ(Pages()->GetPageCount(), 3);

    TPrinter printer;
    const auto& names = printer.Printers();
    const auto pdf = std::find(names.begin(), names.end(), String(TPrinter::PdfPrinterName));
    ASSERT_NE(pdf, names.end());
    printer.SetPrinterIndex(static_cast<int>(pdf - names.begin()));
    const String file = Dir.File("report.pdf");
    printer.SetOutputFile(file);
    printer.BeginDoc();
    const Extended scale = printer.Resolution() / 96.0;
    for (int i = 0; i < 3; ++i) {
        if (i) printer.NewPage();
        Pages()->PaintPage(i, printer.Canvas(), scale, scale, 0, 0);
    }
    printer.EndDoc();
    const String text = CommandOutput("pdftotext -layout '" + file + "' -");
    for (const char* expected : {"物业收费清单", "820.00", "2420.00", "4020.00", "A044", "A120",
                                 "第 1 页，共 3 页", "第 3 页，共 3 页"})
        EXPECT_NE(text.find(expected), String::npos) << expected << "\n" << text;
    EXPECT_EQ(std::count(text.begin(), text.end(), '\f'), 3); // one form feed after each page

    // Page 1 drawn offscreen, kept beside the build's screenshots for review.
    TWhiteBitmap page(794, 1123);
    Pages()->PaintPage(0, page.Bitmap.Canvas(), 1, 1, 0, 0);
    page.Bitmap.SaveToFile(ReviewPicturePath("report-engine-page1.bmp"));
}

} // namespace

namespace {

// With the old-style progress the report shows its progress window while it prepares, with the
// page it is on; Cancel closes the window and the build stops at its next page.
TEST_F(EngineTest, OldStyleProgressShowsTheWindowAndCancelStopsTheBuild) {
    MakeTable(GroupedRows());
    LoadLayout(GroupedLayout);
    Report->OldStyleProgress = true;
    std::vector<String> messages;
    bool shown = false;
    Report->OnProgress = [&](TvrReport* r, TvrProgressType, Integer page) {
        ASSERT_NE(r->ProgressWindow(), nullptr);
        shown = r->ProgressWindow()->Visible();
        messages.push_back(r->ProgressWindow()->MessageText());
        if (page == 2) SimulateClick(r->ProgressWindow()->CancelB, 5, 5);
    };
    Report->OnProgressStop = [&](TvrReport* r, TvrProgressType, Integer) {
        messages.push_back(r->ProgressWindow()->MessageText());
    };
    Prepare();
    EXPECT_TRUE(shown);
    EXPECT_TRUE(Report->Terminated);
    EXPECT_EQ(Pages()->GetPageCount(), 2);
    EXPECT_EQ(messages, (std::vector<String>{"", "准备页 1", "准备页 2"}));
    EXPECT_EQ(Report->ProgressWindow(), nullptr);

    // Without the old-style progress the preview shows the build: no window.
    Report->OldStyleProgress = false;
    Report->OnProgress = [&](TvrReport* r, TvrProgressType, Integer) {
        EXPECT_EQ(r->ProgressWindow(), nullptr);
    };
    Report->OnProgressStop = nullptr;
    ASSERT_TRUE(Prepare());
    EXPECT_EQ(Pages()->GetPageCount(), 3);
}

} // namespace
