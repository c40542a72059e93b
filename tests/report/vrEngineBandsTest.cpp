// The engine's band tree and page machinery: link errors, band order, data-set checks, row
// counts, page breaks, endless pages, two passes, footers, columns, splitting, subreports.
#include "vrEngineFixture.h"

#include "report/vrRes.h"
#include "rtl/Format.h"
#include "rtl/StrUtils.h"

#include <gtest/gtest.h>

namespace {

bool HasError(TvrReport& R, const String& Text) {
    return R.ErrorList()->IndexOf(Text) >= 0;
}

String RowCountAttr(int Count) {
    return "RowCount=\"" + IntToStr(Count) + "\"";
}

TEST_F(EngineTest, LinkErrorsStopTheRunWithTheirTexts) {
    struct Case {
        String Content, Error;
    } cases[] = {
        {BandXml("TvrGroupHeader", "GroupHeader1", 100, 20, ""), "群组未连接至数据库 GroupHeader1"},
        {BandXml("TvrMasterData", "MasterData1", 100, 20, "", RowCountAttr(2)) +
             BandXml("TvrGroupFooter", "GroupFooter1", 150, 20, ""),
         "没有群组表尾er for GroupFooter1"},
        {BandXml("TvrHeader", "Header1", 50, 20, ""), "未连接至表首 Header1"},
        {BandXml("TvrDetailData", "DetailData1", 100, 20, "", RowCountAttr(2)),
         "Band的位置错误: DetailData1"},
    };
    for (const Case& c : cases) {
        LoadLayout(LayoutText(c.Content));
        EXPECT_FALSE(Prepare()) << c.Error;
        EXPECT_TRUE(HasError(*Report, c.Error)) << Report->ErrorList()->Text();
        EXPECT_EQ(Pages()->GetPageCount(), 0) << c.Error;
    }
}

TEST_F(EngineTest, ReportAndBandMayNotShareADataSet) {
    MakeTable({{"A001", "G1", 1}});
    LoadLayout(LayoutText(BandXml("TvrMasterData", "MasterData1", 100, 20, "", "DataSetName=\"vrDM\""),
                          "DataSetName=\"vrDM\""));
    EXPECT_FALSE(Prepare());
    EXPECT_TRUE(HasError(*Report, "Cannot use the same dataset for Report.DataSet and Band.DataSet"))
        << Report->ErrorList()->Text();
}

TEST_F(EngineTest, BandsOrderByTheirPositionAsNumbers) {
    // Text keys would put -50 before -80 and the far footer first.
    LoadLayout(LayoutText(BandXml("TvrHeader", "Header1", -80, 20, "head") +
                          BandXml("TvrMasterData", "MasterData1", -50, 20, "[Line#]", RowCountAttr(2)) +
                          BandXml("TvrFooter", "Footer1", 10000000, 20, "foot") +
                          // A second band at the same rounded top is left out.
                          BandXml("TvrMasterData", "MasterData2", -50.001, 20, "second", RowCountAttr(3))));
    ASSERT_TRUE(Prepare()) << Report->ErrorList()->Text();
    std::vector<String> order;
    for (const TPreparedBand& b : BandsOf(0))
        order.push_back(b.Name + "=" + b.Text);
    EXPECT_EQ(order, (std::vector<String>{"Header1=head", "MasterData1=1", "MasterData1=2", "Footer1=foot"}));
}

TEST_F(EngineTest, RowCountsLimitOrMakeTheRows) {
    MakeTable({{"A001", "G1", 1}, {"A002", "G1", 2}, {"A003", "G1", 3}});
    struct Case {
        String Extra;
        int Rows;
    } cases[] = {
        {RowCountAttr(5), 5},                           // its own data set of five rows
        {"", 0},                                        // no data set, no rows: never printed
        {"DataSetName=\"vrDM\" " + RowCountAttr(2), 2}, // the real data set stops after two
        {"DataSetName=\"vrDM\"", 3},
    };
    for (const Case& c : cases) {
        LoadLayout(LayoutText(BandXml("TvrMasterData", "MasterData1", 100, 20, "x", c.Extra)));
        ASSERT_TRUE(Prepare()) << Report->ErrorList()->Text();
        EXPECT_EQ(Tops(0, "MasterData").size(), static_cast<size_t>(c.Rows)) << c.Extra;
    }
}

TEST_F(EngineTest, MissingDataSetFailsBeforeAnyScriptRuns) {
    LoadLayout(LayoutText(BandXml("TvrMasterData", "MasterData1", 100, 20, "x", RowCountAttr(1))));
    Report->Datasets()->Add(nullptr)->SetDataSetName("vrGone");
    bool began = false;
    Report->OnBeginDoc = [&](TObject*) { began = true; };
    EXPECT_FALSE(Report->PrepareReport());
    EXPECT_FALSE(began);
    EXPECT_TRUE(HasError(*Report, Format(GetResources().GetString("clDSNotExist"), {String("vrGone")})))
        << Report->ErrorList()->Text();
}

TEST_F(EngineTest, StartNewPageBreaksBeforeEveryRowButTheFirst) {
    LoadLayout(LayoutText(BandXml("TvrReportTitle", "ReportTitle1", 0, 40, "title") +
                          BandXml("TvrMasterData", "MasterData1", 100, 20, "[Line#]",
                                  RowCountAttr(3) + " StartNewPage=\"True\"")));
    ASSERT_TRUE(Prepare()) << Report->ErrorList()->Text();
    ASSERT_EQ(Pages()->GetPageCount(), 3);
    EXPECT_EQ(Texts(0, ""), (std::vector<String>{"title", "1"}));
    for (int p = 1; p < 3; ++p)
        EXPECT_EQ(Texts(p, ""), std::vector<String>{IntToStr(p + 1)});
}

TEST_F(EngineTest, TitleAndPageHeaderOrderOnTheFirstPages) {
    struct Case {
        String PageAttrs, HeaderAttrs;
        std::vector<String> Page1, Page2;
    } cases[] = {
        {"", "", {"ReportTitle1@0", "PageHeader1@40", "Child1@70"}, {"PageHeader1@0", "Child1@30"}},
        {"TitleBeforeHeader=\"False\"",
         "",
         {"PageHeader1@0", "Child1@30", "ReportTitle1@40"},
         {"PageHeader1@0", "Child1@30"}},
        // Not on the first page: only its child prints there, and only when asked.
        {"",
         "PrintOnFirstPage=\"False\" PrintChildIfInvisible=\"True\"",
         {"ReportTitle1@0", "Child1@40"},
         {"PageHeader1@0", "Child1@30"}},
        {"", "PrintOnFirstPage=\"False\"", {"ReportTitle1@0"}, {"PageHeader1@0", "Child1@30"}},
    };
    for (const Case& c : cases) {
        LoadLayout(LayoutText(
            BandXml("TvrReportTitle", "ReportTitle1", 0, 40, "") +
                BandXml("TvrPageHeader", "PageHeader1", 50, 30, "", "Child=\"Child1\" " + c.HeaderAttrs) +
                BandXml("TvrChild", "Child1", 90, 10, "") +
                BandXml("TvrMasterData", "MasterData1", 120, 20, "", RowCountAttr(60)),
            "", c.PageAttrs));
        ASSERT_TRUE(Prepare()) << Report->ErrorList()->Text();
        ASSERT_EQ(Pages()->GetPageCount(), 2);
        for (int p = 0; p < 2; ++p) {
            std::vector<String> order;
            for (const TPreparedBand& b : BandsOf(p))
                if (b.Name != "MasterData1") order.push_back(b.Name + "@" + FloatToStr(b.Top));
            EXPECT_EQ(order, p == 0 ? c.Page1 : c.Page2) << c.PageAttrs << c.HeaderAttrs << " page " << p + 1;
        }
    }
}

TEST_F(EngineTest, EndlessPageGrowsToItsContent) {
    LoadLayout(LayoutText(BandXml("TvrMasterData", "MasterData1", 100, 20, "x", RowCountAttr(200)), "",
                          "EndlessHeight=\"True\""));
    std::vector<Extended> free;
    Report->OnManualBuild = [&](TvrPage* Page) {
        free.push_back(Engine()->FreeSpace());
        Engine()->ShowDataBands(Page);
    };
    ASSERT_TRUE(Prepare()) << Report->ErrorList()->Text();
    EXPECT_EQ(free, std::vector<Extended>{1000000});
    ASSERT_EQ(Pages()->GetPageCount(), 1);
    auto* page = dynamic_cast<TvrReportPage*>(Pages()->GetPreparedPage(0));
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(page->PaperSize(), 256);
    EXPECT_NEAR(page->PaperHeight(), 200 * 20 / 3.77953 + 20, 0.01);
}

TEST_F(EngineTest, TotalPagesIsKnownOnlyInTheSecondPass) {
    LoadLayout(LayoutText(BandXml("TvrReportTitle", "ReportTitle1", 0, 40, "[TotalPages#]"),
                          "EngineOptions.DoublePass=\"True\"", "PageCount=\"3\""));
    std::vector<std::pair<Integer, bool>> seen;
    Report->OnManualBuild = [&](TvrPage*) { seen.emplace_back(Engine()->TotalPages, Engine()->FinalPass); };
    ASSERT_TRUE(Prepare()) << Report->ErrorList()->Text();
    EXPECT_EQ(seen, (std::vector<std::pair<Integer, bool>>{
                        {0, false}, {0, false}, {0, false}, {3, true}, {3, true}, {3, true}}));
    ASSERT_EQ(Pages()->GetPageCount(), 3);
}

TEST_F(EngineTest, PageFooterHiddenOnPageOneKeepsSummingIntoPageTwo) {
    std::vector<std::tuple<String, String, double>> rows;
    for (int i = 1; i <= 60; ++i)
        rows.emplace_back("A" + IntToStr(i), "G1", i);
    MakeTable(rows);
    LoadLayout(LayoutText(
        BandXml("TvrMasterData", "MasterData1", 100, 20, "[vrDM.&#34;F_money&#34;]", "DataSetName=\"vrDM\"") +
        BandXml("TvrPageFooter", "PageFooter1", 1000, 30, "[SUM(vrDM.&#34;F_money&#34;)]",
                "PrintOnFirstPage=\"False\"")));
    ASSERT_TRUE(Prepare()) << Report->ErrorList()->Text();
    ASSERT_EQ(Pages()->GetPageCount(), 2);
    EXPECT_TRUE(Texts(0, "PageFooter").empty());
    // Page 1 holds 50 rows (1000.93 units above the footer), page 2 the other 10.
    EXPECT_EQ(Tops(0, "MasterData").size(), 50u);
    EXPECT_EQ(Texts(1, "PageFooter"), std::vector<String>{"1830"});
}

TEST_F(EngineTest, HeadersThatFillThePageStillEndTheRun) {
    // The page header leaves 6.93 units on every page: a split band's object never fits.
    LoadLayout(LayoutText(
        BandXml("TvrPageHeader", "PageHeader1", 0, 1040, "head") +
        BandXml("TvrMasterData", "MasterData1", 1100, 200, "row", RowCountAttr(1) + " AllowSplit=\"True\"")));
    ASSERT_TRUE(Prepare()) << Report->ErrorList()->Text();
    ASSERT_EQ(Pages()->GetPageCount(), 2);
    ASSERT_EQ(Texts(1, "MasterData"), std::vector<String>{"row"});
    EXPECT_NEAR(Tops(1, "MasterData")[0], 1040, 0.0001);
}

TEST_F(EngineTest, BandColumnsFillRowsAcross) {
    LoadLayout(LayoutText(BandXml("TvrMasterData", "MasterData1", 100, 20, "[Line#]",
                                  RowCountAttr(7) + " Columns=\"3\" ColumnWidth=\"200\" ColumnGap=\"10\"")));
    ASSERT_TRUE(Prepare()) << Report->ErrorList()->Text();
    std::vector<String> cells;
    for (const TPreparedBand& b : BandsOf(0))
        cells.push_back(b.Text + "@" + FloatToStr(b.Left) + "," + FloatToStr(b.Top));
    EXPECT_EQ(cells, (std::vector<String>{"1@0,0", "2@210,0", "3@420,0", "4@0,20", "5@210,20", "6@420,20",
                                          "7@0,40"}));
}

TEST_F(EngineTest, ATallTextObjectSplitsOverPages) {
    String text;
    for (int i = 1; i <= 120; ++i)
        text += "line " + IntToStr(i) + "&#13;&#10;";
    LoadLayout(LayoutText(BandXml("TvrMasterData", "MasterData1", 100, 20, text,
                                  RowCountAttr(1) + " AllowSplit=\"True\" Stretched=\"True\"",
                                  "StretchMode=\"smActualHeight\"")));
    ASSERT_TRUE(Prepare()) << Report->ErrorList()->Text();
    ASSERT_GE(Pages()->GetPageCount(), 2);
    String all;
    for (int p = 0; p < Pages()->GetPageCount(); ++p)
        for (const String& t : Texts(p, "MasterData"))
            all += t + "\r\n";
    int next = 1;
    size_t at = 0;
    while ((at = all.find("line " + IntToStr(next) + "\r", at)) != String::npos)
        ++next;
    EXPECT_EQ(next, 121) << all;
    for (int p = 1; p < Pages()->GetPageCount(); ++p)
        EXPECT_NEAR(Tops(p, "MasterData")[0], 0, 0.0001);
}

TEST_F(EngineTest, SubreportPrintsItsPageAtItsPlace) {
    const String sub = "    <TvrMasterData Name=\"MasterData1\" Left=\"0\" Top=\"100\" Width=\"718\" "
                       "Height=\"40\" RowCount=\"2\">\n"
                       "      <TvrSubreport Name=\"Subreport1\" Left=\"300\" Top=\"10\" Width=\"100\" "
                       "Height=\"20\" Page=\"Page2\"/>\n"
                       "    </TvrMasterData>\n";
    String layout = LayoutText(sub);
    const String page2 =
        "  <TvrReportPage Name=\"Page2\" PaperWidth=\"210\" PaperHeight=\"297\" PaperSize=\"9\">\n" +
        BandXml("TvrMasterData", "InnerData", 50, 15, "in [Line#]", RowCountAttr(3)) + "  </TvrReportPage>\n";
    layout.insert(layout.find("</TvrReport>"), page2);
    LoadLayout(layout);
    ASSERT_TRUE(Prepare()) << Report->ErrorList()->Text();
    ASSERT_EQ(Pages()->GetPageCount(), 1);
    std::vector<String> placed;
    for (const TPreparedBand& b : BandsOf(0))
        placed.push_back(b.Name + "@" + FloatToStr(b.Left) + "," + FloatToStr(b.Top));
    // Each master row runs the subreport at its place; the next row starts below the lower.
    EXPECT_EQ(placed, (std::vector<String>{"MasterData1@0,0", "InnerData@300,10", "InnerData@300,25",
                                           "InnerData@300,40", "MasterData1@0,55", "InnerData@300,65",
                                           "InnerData@300,80", "InnerData@300,95"}));
}

} // namespace

TEST_F(EngineTest, OutlineTopsRoundHalvesToEven) {
    // Rows of 20 below a title of 10.5: the rows start at 10.5, 30.5 and 50.5.
    LoadLayout(LayoutText(BandXml("TvrReportTitle", "ReportTitle1", 0, 10.5, "title") +
                          BandXml("TvrMasterData", "MasterData1", 100, 20, "x",
                                  RowCountAttr(3) + " OutlineText=\"'row'\"")));
    ASSERT_TRUE(Prepare()) << Report->ErrorList()->Text();
    TvrOutline* outline = Pages()->PagesOutline();
    outline->LevelRoot();
    ASSERT_EQ(outline->ChildCount(), 3);
    std::vector<Integer> tops;
    for (int i = 0; i < 3; ++i) {
        String text;
        Integer page = 0, top = 0;
        outline->ReadChild(i, text, page, top);
        tops.push_back(top);
    }
    EXPECT_EQ(tops, (std::vector<Integer>{10, 30, 50}));
}
