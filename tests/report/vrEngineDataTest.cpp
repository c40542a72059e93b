// Data bands and groups in the engine: single-row group footers, footers kept with the last row,
// drill-down groups, vertical bands, and the report's events and progress during a build.
#include "vrEngineFixture.h"

#include "rtl/CodePage.h"
#include "rtl/Format.h"
#include "rtl/StrUtils.h"

#include <gtest/gtest.h>

namespace {

const String GroupBands =
    BandXml("TvrGroupHeader", "GroupHeader1", 50, 20, "[vrDM.&#34;F_group&#34;]",
            "Condition=\"vrDM.&#34;F_group&#34;\"") +
    BandXml("TvrMasterData", "MasterData1", 100, 20, "[vrDM.&#34;F_code&#34;]", "DataSetName=\"vrDM\"");

TEST_F(EngineTest, GroupOfOneRowHidesItsFooterWhenAsked) {
    MakeTable({{"A1", "G1", 1}, {"A2", "G2", 2}, {"A3", "G2", 3}});
    LoadLayout(LayoutText(GroupBands + BandXml("TvrGroupFooter", "GroupFooter1", 150, 20,
                                               "sum [SUM(vrDM.&#34;F_money&#34;)]",
                                               "HideIfSingleDataRecord=\"True\"")));
    ASSERT_TRUE(Prepare()) << Report->ErrorList()->Text();
    std::vector<String> texts;
    for (const TPreparedBand& b : BandsOf(0))
        texts.push_back(b.Text);
    EXPECT_EQ(texts, (std::vector<String>{"G1", "A1", "G2", "A2", "A3", "sum 5"}));
}

TEST_F(EngineTest, KeptFooterTakesTheLastRowToTheNextPage) {
    // 52 rows of 20 fill the page; the footer does not fit below them.
    std::vector<std::tuple<String, String, double>> rows;
    for (int i = 1; i <= 52; ++i)
        rows.emplace_back(IntToStr(i), "G1", i);
    MakeTable(rows);
    for (bool keep : {false, true}) {
        LoadLayout(LayoutText(
            BandXml("TvrMasterData", "MasterData1", 100, 20, "[vrDM.&#34;F_code&#34;]",
                    String("DataSetName=\"vrDM\" KeepFooter=\"") + (keep ? "True" : "False") + "\"") +
            BandXml("TvrFooter", "Footer1", 150, 20, "[COUNT()] rows")));
        ASSERT_TRUE(Prepare()) << Report->ErrorList()->Text();
        ASSERT_EQ(Pages()->GetPageCount(), 2);
        std::vector<String> page2;
        for (const TPreparedBand& b : BandsOf(1))
            page2.push_back(b.Text + "@" + FloatToStr(b.Top));
        EXPECT_EQ(page2,
                  keep ? (std::vector<String>{"52@0", "52 rows@20"}) : std::vector<String>{"52 rows@0"});
    }
}

TEST_F(EngineTest, GroupsThatResetPageNumbersStartANumberingRun) {
    // Two rows of 400 fit a page: G1 takes two pages, G2 and G3 one each. The page footer prints
    // the logical page number and the pages of its run.
    MakeTable({{"A1", "G1", 1},
               {"A2", "G1", 2},
               {"A3", "G1", 3},
               {"B1", "G2", 4},
               {"C1", "G3", 5},
               {"C2", "G3", 6}});
    const String bands =
        BandXml("TvrGroupHeader", "GroupHeader1", 50, 20, "[vrDM.&#34;F_group&#34;]",
                "Condition=\"vrDM.&#34;F_group&#34;\" StartNewPage=\"True\" ResetPageNumbers=\"True\"") +
        BandXml("TvrMasterData", "MasterData1", 100, 400, "[vrDM.&#34;F_code&#34;]", "DataSetName=\"vrDM\"") +
        BandXml("TvrPageFooter", "PageFooter1", 1000, 20, "[Page]/[TotalPages]");
    struct TCase {
        bool doublePass;
        std::vector<String> footers; // per page
        std::vector<String> totals;  // "t" of each page's logical number
    };
    const TCase cases[] = {
        // One pass closes a run when the next begins, before the footer of the run's last page
        // prints; the last run stays open.
        {false, {"1/0", "2/2", "1/1", "1/0"}, {"2", "2", "1", ""}},
        // The first pass closes every run, so the final pass prints the totals.
        {true, {"1/2", "2/2", "1/1", "1/1"}, {"2", "2", "1", "1"}},
    };
    const std::vector<std::vector<String>> rows = {{"A1", "A2"}, {"A3"}, {"B1"}, {"C1", "C2"}};
    const char* numbers[] = {"1", "2", "1", "1"};
    for (const TCase& c : cases) {
        LoadLayout(LayoutText(bands, c.doublePass ? "EngineOptions.DoublePass=\"True\"" : ""));
        ASSERT_TRUE(Prepare()) << Report->ErrorList()->Text();
        ASSERT_EQ(Pages()->GetPageCount(), 4) << c.doublePass;
        TvrXMLItem* logical = Pages()->XMLDoc()->Root()->FindItem("logicalpagenumbers");
        ASSERT_EQ(logical->ItemCount(), 4) << c.doublePass;
        for (int p = 0; p < 4; ++p) {
            EXPECT_EQ(Texts(p, "MasterData"), rows[p]) << c.doublePass << " page " << p;
            EXPECT_EQ(Texts(p, "PageFooter"), std::vector<String>{c.footers[p]})
                << c.doublePass << " page " << p;
            EXPECT_EQ(logical->GetItem(p)->GetProp("n"), numbers[p]) << c.doublePass << " page " << p;
            EXPECT_EQ(logical->GetItem(p)->GetProp("t"), c.totals[p]) << c.doublePass << " page " << p;
        }
    }
}

TEST_F(EngineTest, DrillDownGroupsShowTheirRowsWhenOpened) {
    MakeTable({{"A1", "G1", 1}, {"A2", "G1", 2}, {"A3", "G2", 3}});
    struct Case {
        const char* Extra;
        std::vector<String> Open;
        std::vector<String> Texts;
    } cases[] = {
        {"", {}, {"G1", "G2"}},
        {"", {"GroupHeader1.2"}, {"G1", "G2", "A3"}},
        {"ExpandDrillDown=\"True\"", {"GroupHeader1.2"}, {"G1", "A1", "A2", "G2"}},
    };
    for (const Case& c : cases) {
        LoadLayout(
            LayoutText(BandXml("TvrGroupHeader", "GroupHeader1", 50, 20, "[vrDM.&#34;F_group&#34;]",
                               String("Condition=\"vrDM.&#34;F_group&#34;\" DrillDown=\"True\" ") + c.Extra) +
                       BandXml("TvrMasterData", "MasterData1", 100, 20, "[vrDM.&#34;F_code&#34;]",
                               "DataSetName=\"vrDM\"")));
        Report->DrillDownNames()->Clear();
        for (const String& name : c.Open)
            Report->DrillDownNames()->Add(name);
        ASSERT_TRUE(Prepare()) << Report->ErrorList()->Text();
        std::vector<String> texts;
        for (const TPreparedBand& b : BandsOf(0))
            texts.push_back(b.Text);
        EXPECT_EQ(texts, c.Texts) << c.Extra;
    }
}

TEST_F(EngineTest, ClickOnADrillDownGroupTogglesItsName) {
    MakeTable({{"A1", "G1", 1}, {"A2", "G2", 2}});
    LoadLayout(LayoutText(
        BandXml("TvrGroupHeader", "GroupHeader1", 50, 20, "[vrDM.&#34;F_group&#34;]",
                "Condition=\"vrDM.&#34;F_group&#34;\" DrillDown=\"True\"") +
        BandXml("TvrMasterData", "MasterData1", 100, 20, "[vrDM.&#34;F_code&#34;]", "DataSetName=\"vrDM\"")));
    ASSERT_TRUE(Prepare()) << Report->ErrorList()->Text();
    // The second group header lies at 20 below the top margin of 10 mm.
    const int x = 50, y = static_cast<int>(10 * 3.77953 + 25);
    int cursor = 0;
    ASSERT_TRUE(Pages()->HitTestObject(0, x, y, mbLeft, TShiftState(), 1, 0, 0, true, cursor, false));
    EXPECT_TRUE(Pages()->LastHitTest().Rebuild);
    EXPECT_EQ(Report->DrillDownNames()->IndexOf("GroupHeader1.2"), 0) << Report->DrillDownNames()->Text();
    ASSERT_TRUE(Prepare()) << Report->ErrorList()->Text();
    std::vector<String> texts;
    for (const TPreparedBand& b : BandsOf(0))
        texts.push_back(b.Text);
    EXPECT_EQ(texts, (std::vector<String>{"G1", "G2", "A2"}));
    Pages()->HitTestObject(0, x, y, mbLeft, TShiftState(), 1, 0, 0, true, cursor, false);
    EXPECT_EQ(Report->DrillDownNames()->Count(), 0);
}

TEST_F(EngineTest, VerticalBandsRepeatTheirCellsAcross) {
    const String layout = LayoutText("    <TvrMasterData Name=\"MasterData1\" Left=\"0\" Top=\"100\" "
                                     "Width=\"718\" Height=\"20\" RowCount=\"2\">\n"
                                     "      <TvrMemoView Name=\"RowMemo\" Left=\"0\" Top=\"0\" Width=\"100\" "
                                     "Height=\"20\" Text=\"row\"/>\n"
                                     "      <TvrMemoView Name=\"Cell\" Left=\"300\" Top=\"0\" Width=\"50\" "
                                     "Height=\"20\" Text=\"[Line#]\"/>\n"
                                     "    </TvrMasterData>\n"
                                     "    <TvrMasterData Name=\"VData\" Vertical=\"True\" Left=\"300\" "
                                     "Top=\"0\" Width=\"60\" Height=\"400\" "
                                     "RowCount=\"3\"/>\n");
    LoadLayout(layout);
    ASSERT_TRUE(Prepare()) << Report->ErrorList()->Text();
    ASSERT_EQ(Pages()->GetPageCount(), 1);
    TvrComponent* page = Pages()->GetPreparedPage(0);
    std::vector<String> rows;
    for (TvrComponent* band : page->Children()) {
        String row = band->Name() + "@" + FloatToStr(band->Top()) + ":";
        for (TvrComponent* c : band->Children())
            if (auto* m = dynamic_cast<TvrCustomMemoView*>(c))
                row += " " + Trim(WideToUtf8(m->Text())) + "@" + FloatToStr(c->Left());
        rows.push_back(row);
    }
    EXPECT_EQ(rows, (std::vector<String>{"MasterData1@0: row@0 1@0 2@60 3@120",
                                         "MasterData1@20: row@0 1@0 2@60 3@120"}));
}

TEST_F(EngineTest, TwelveHundredVerticalColumnsKeepTheirOwnSums) {
    const String layout =
        LayoutText("    <TvrMasterData Name=\"MasterData1\" Left=\"0\" Top=\"100\" Width=\"718\" "
                   "Height=\"20\" RowCount=\"2\">\n"
                   "      <TvrMemoView Name=\"Cell\" Left=\"300\" Top=\"0\" Width=\"10\" Height=\"20\" "
                   "Text=\"[Line#]\"/>\n"
                   "    </TvrMasterData>\n"
                   "    <TvrFooter Name=\"Footer1\" Left=\"0\" Top=\"150\" Width=\"718\" Height=\"20\">\n"
                   "      <TvrMemoView Name=\"SumCell\" Left=\"300\" Top=\"0\" Width=\"10\" Height=\"20\" "
                   "Text=\"[SUM(Line#, MasterData1)]\"/>\n"
                   "    </TvrFooter>\n"
                   "    <TvrMasterData Name=\"VData\" Vertical=\"True\" Left=\"300\" Top=\"0\" Width=\"10\" "
                   "Height=\"400\" "
                   "RowCount=\"1200\"/>\n",
                   "", "EndlessWidth=\"True\"");
    LoadLayout(layout);
    ASSERT_TRUE(Prepare()) << Report->ErrorList()->Text();
    ASSERT_EQ(Pages()->GetPageCount(), 1);
    std::vector<String> sums;
    for (TvrComponent* band : Pages()->GetPreparedPage(0)->Children())
        if (band->Name() == "Footer1")
            for (TvrComponent* c : band->Children())
                if (auto* m = dynamic_cast<TvrCustomMemoView*>(c))
                    sums.push_back(Trim(WideToUtf8(m->Text())));
    ASSERT_EQ(sums.size(), 1200u);
    // Column k adds the line number k of both master rows.
    for (int k : {1, 2, 1000, 1001, 1200})
        EXPECT_EQ(sums[k - 1], IntToStr(2 * k)) << k;
}

TEST_F(EngineTest, ScriptEventsAndProgressRunDuringTheBuild) {
    String script = "procedure Go(Sender: TObject);&#13;&#10;begin&#13;&#10;  Set('Hits', Get('Hits') + 1);"
                    "&#13;&#10;end;&#13;&#10;&#13;&#10;begin&#13;&#10;end.";
    LoadLayout(LayoutText(
        BandXml("TvrMasterData", "MasterData1", 100, 20, "x", "RowCount=\"3\" OnBeforePrint=\"Go\""),
        "ScriptText.Text=\"" + script + "\" OnStartReport=\"Go\" OnStopReport=\"Go\""));
    Report->EngineOptions()->DestroyForms = false;
    Report->Variables()->SetVariable("Hits", 0);
    std::vector<String> progress;
    Report->OnProgressStart = [&](TvrReport*, TvrProgressType, Integer) { progress.push_back("start"); };
    Report->OnProgress = [&](TvrReport*, TvrProgressType, Integer p) { progress.push_back(IntToStr(p)); };
    Report->OnProgressStop = [&](TvrReport*, TvrProgressType, Integer) { progress.push_back("stop"); };
    int printed = 0;
    Report->OnBeforePrint = [&](TvrReportComponent* Obj) {
        if (Obj->Name() == "MasterData1") ++printed;
    };
    ASSERT_TRUE(Prepare()) << Report->ErrorList()->Text();
    EXPECT_EQ(printed, 3);
    EXPECT_EQ(Report->Variables()->GetItem(Report->Variables()->IndexOf("Hits"))->Value.AsInteger(), 5);
    EXPECT_EQ(progress, (std::vector<String>{"start", "1", "stop"}));
    EXPECT_FALSE(Engine()->Running);
}

} // namespace
