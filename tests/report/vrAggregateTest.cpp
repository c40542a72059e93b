// The aggregate list: finding the calls of text objects, accumulating rows, keeping, resetting,
// and the per-column values of vertical bands.
#include "report/vrAggregate.h"
#include "report/vrClass.h"
#include "report/vrClassObjects.h"
#include "rtl/CodePage.h"
#include "rtl/Format.h"
#include "vrClassTestObjects.h"

#include <gtest/gtest.h>

namespace {

struct AggregateTest : ::testing::Test {
    AggregateTest() {
        RegisterTestObjects();
        page = new TvrReportPage(&report);
        page->SetName("Page1");
        data = new TvrMasterData(page);
        data->SetName("MasterData1");
        data->SetBounds(0, 100, 700, 20);
        footer = new TvrFooter(page);
        footer->SetName("Footer1");
        footer->SetBounds(0, 140, 700, 20);
        memo = new TvrMemoView(footer);
        memo->SetName("SumMemo");
        memo->SetBounds(0, 0, 100, 20);
    }
    // Scans Text in the footer's text object and returns the items made.
    int Scan(const String& Text) {
        memo->SetText(Utf8ToWide(Text));
        list.AddItems(memo, data);
        return list.Count();
    }
    void Row(const Variant& V, int Column = 0) {
        report.Variables()->SetVariable("V", V);
        list.AccumulateValue(data, Column);
    }
    Variant Value(const String& Call, int Column = 0) {
        String name;
        std::vector<String> args;
        EXPECT_TRUE(vrSplitAggregateCall(Call, name, args)) << Call;
        auto arg = [&](size_t k) { return k < args.size() ? args[k] : String(); };
        const bool count = name == "COUNT";
        const String flags = count ? arg(1) : arg(2);
        const String band = count ? arg(0) : arg(1);
        return list.AggregateValue(footer, Column, flags.empty() ? 0 : StrToIntDef(flags, 0),
                                   band.empty() ? nullptr : report.FindObject(band),
                                   count ? String() : arg(0), name);
    }
    TvrReport report{nullptr};
    TvrReportPage* page;
    TvrMasterData* data;
    TvrFooter* footer;
    TvrMemoView* memo;
    TvrAggregateList list{&report};
};

TEST_F(AggregateTest, FunctionsOverTheRowsOfTheirBand) {
    const Variant N = Null();
    struct Case {
        const char* Call;
        std::vector<Variant> Rows;
        bool Visible;
        Variant Expected;
    } cases[] = {
        {"SUM(V)", {1, 2, 3}, true, 6},
        {"SUM(V)", {}, true, 0},
        {"AVG(V)", {2, N, 4}, true, 3.0},
        {"MIN(V)", {5, 2, 7}, true, 2},
        {"MAX(V)", {5, 2, 7}, true, 7},
        {"COUNT()", {1, N, 1}, true, 3},
        {"COUNT(MasterData1)", {1, 1}, true, 2},
        {"SUM(V)", {true, false, true}, true, 2},
        // Rows of an invisible band count only with flags bit 0.
        {"SUM(V)", {1, 2}, false, 0},
        {"SUM(V, MasterData1, 1)", {1, 2}, false, 3},
    };
    for (const Case& c : cases) {
        list.Clear();
        data->SetVisible(c.Visible);
        ASSERT_EQ(Scan(String("[") + c.Call + "]"), 1) << c.Call;
        for (const Variant& v : c.Rows)
            Row(v);
        const Variant got = Value(c.Call);
        EXPECT_DOUBLE_EQ(got.AsDouble(), c.Expected.AsDouble()) << c.Call;
    }
}

TEST_F(AggregateTest, OnlyCallsWrittenAsCallsMakeItems) {
    struct Case {
        const char* Text;
        int Items;
    } cases[] = {
        {"[SUM(V)] and [COUNT()]", 2},  {"[SUM (V)]", 0},                 // a blank before "(" is no call
        {"[IIF(1 = 1, MAX(V), 0)]", 1}, {"[<V> + 1]", 0}, {"[Total]", 1}, // a variable holding a call
        {"no brackets SUM(V)", 0},
    };
    report.Variables()->SetVariable("Total", String("SUM(V)"));
    for (const Case& c : cases) {
        list.Clear();
        EXPECT_EQ(Scan(c.Text), c.Items) << c.Text;
    }
    list.Clear();
    memo->AllowExpressions = false;
    EXPECT_EQ(Scan("[SUM(V)]"), 0);
}

TEST_F(AggregateTest, ResetsAfterShowingUnlessRunning) {
    Scan("[SUM(V)] [COUNT(MasterData1, 2)]");
    for (int i = 1; i <= 3; ++i)
        Row(i);
    EXPECT_EQ(Value("SUM(V)").AsInteger(), 6);
    list.ResetBand(footer);
    Row(10);
    EXPECT_EQ(Value("SUM(V)").AsInteger(), 10);
    EXPECT_EQ(Value("COUNT(MasterData1, 2)").AsInteger(), 4); // runs on over the whole report
    // A call with other flags or another band is another accumulator.
    EXPECT_TRUE(VarIsNull(Value("SUM(V, MasterData1, 2)")));
    list.ResetAll();
    EXPECT_EQ(Value("COUNT(MasterData1, 2)").AsInteger(), 0);
    Row(5);
    list.UndoLast(data);
    EXPECT_EQ(Value("SUM(V)").AsInteger(), 0);
}

TEST_F(AggregateTest, PageFooterCallsKeepRowsThatMoveToTheNextPage) {
    auto* pageFooter = new TvrPageFooter(page);
    pageFooter->SetName("PageFooter1");
    auto* m = new TvrMemoView(pageFooter);
    m->SetName("PageSum");
    m->SetText(u"[SUM(V)]");
    list.AddItems(m, data);
    auto pageSum = [&] { return list.AggregateValue(pageFooter, 0, 0, nullptr, "V", "SUM").AsInteger(); };
    Row(1);
    list.StartKeepAll();
    Row(2);
    Row(3);
    EXPECT_EQ(pageSum(), 1); // the kept rows are not in this page's footer
    list.ResetBand(pageFooter);
    list.EndKeepAll();
    EXPECT_EQ(pageSum(), 5); // they count on the next page
}

TEST_F(AggregateTest, VerticalColumnsGrowBeyondAThousand) {
    Scan("[SUM(V)] [COUNT()]");
    for (int column = 1; column <= 1200; ++column)
        Row(column, column);
    Row(7, 1200);
    EXPECT_EQ(Value("SUM(V)", 1200).AsInteger(), 1207);
    EXPECT_EQ(Value("COUNT()", 1200).AsInteger(), 2);
    EXPECT_EQ(Value("SUM(V)", 5).AsInteger(), 5);
    EXPECT_EQ(Value("SUM(V)", 1300).AsInteger(), 0);
}

} // namespace
