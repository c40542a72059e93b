// The statistics layouts printed to the PDF printer and read back with pdftotext: caption, the
// period line, rows and footer sums; the arrears table lists each household's unpaid rows.
#include "StatisticsFixture.h"

#include "PdfInfo.h"

#include "app/fees/uFrmBXdetailTj.h"
#include "app/fees/uFrmJFTZbillTJ.h"
#include "app/fees/uFrmKCPJdetailTJ.h"
#include "app/fees/uFrmWYQKbillTJ.h"

#include "gui/Printers.h"
#include "report/vrClass.h"
#include "report/vrPreviewPages.h"

#include <cstdlib>

namespace {

class StatisticsPrint : public Statistics {
protected:
    void SetUp() override {
        Statistics::SetUp();
        InstallLayouts();
        TFeeRow row;
        row.Method = "按面积";
        row.Item = "物业费";
        row.Amount = "65.35";
        row.Price = "1.5";
        row.Total = "98.025";
        row.Room = "A101";
        AddFee(row);
        row.Item = "水费";
        row.Amount = "10";
        row.Total = "15";
        row.Room = "A101";
        AddFee(row);
        row.House = 3;
        row.Room = "B202";
        row.Total = "7.5";
        row.Paid = true;
        AddFee(row);
    }
    // The prepared pages printed to the PDF printer; the text of the file (page 1 also as a
    // picture beside it, to be looked at).
    String Printed(TStatisticsWindow& window, const String& name) {
        TvrReport* report = window.vrReport1;
        EXPECT_GT(report->PreparedPages()->GetPageCount(), 0) << name;
        report->PrintOptions()->Printer = TPrinter::PdfPrinterName;
        report->PrintOptions()->ShowDialog = false;
        report->PrintOptions()->OutputFileName = Prog() + name + ".pdf";
        EXPECT_TRUE(report->PreparedPages()->SendToPrinter());
        if (const char* screens = std::getenv("ORV_STATISTICS_PAGES"))
            CommandOutput("pdftoppm -png -r 60 -f 1 -l 1 '" + Prog() + name + ".pdf' '" + String(screens) + "/" +
                          name + "'");
        return CommandOutput("pdftotext -layout '" + Prog() + name + ".pdf' -");
    }
    static void ExpectAll(const String& text, std::initializer_list<String> expected) {
        for (const String& e : expected)
            EXPECT_NE(text.find(e), String::npos) << e << "\n" << text;
    }
};

} // namespace

TEST_F(StatisticsPrint, NoticeListAndNotices) {
    auto window = Open<TfrmJFTZbillTJ>();
    Tick(window->dtpFromDate, 2027, 5, 1);
    window->QueryClick();
    window->tbprint1Click();
    ExpectAll(Printed(*window, "notices"), {"缴费通知单查询统计列表", "统计日期：自 2027-05-01 至 记帐最后一天",
                                           "A101", "B202", "98.03", "120.53", "20270520001", "合 计",
                                           "第 1 页，共 1 页"});
    // "打印": the same layout, the period through the report's variable.
    window->PrintClick();
    ExpectAll(Printed(*window, "notices-button"), {"统计日期：自 2027-05-01 至 记帐最后一天", "120.53"});
    // A notice per fee row.
    window->tbprint2Click();
    EXPECT_EQ(window->vrReport1->PreparedPages()->GetPageCount(), 3);
    ExpectAll(Printed(*window, "notice-sheets"), {"物业费用缴费通知单", "业主1", "物业费", "98.03", "20270520001"});
}

TEST_F(StatisticsPrint, ANoticeListWithoutTheMemDateObjectPrintsAnyway) {
    ASSERT_EQ(std::system(("cp '" + Prog() + "Qr/frKCPJdetailTJ.di3' '" + Prog() + "Qr/frJFTZbillTJ.di3'").c_str()),
              0);
    auto window = Open<TfrmJFTZbillTJ>();
    window->QueryClick();
    window->tbprint1Click();
    ExpectAll(Printed(*window, "no-memdate"), {"库存配件查询汇总统计"});
    EXPECT_TRUE(Messages.empty());
}

TEST_F(StatisticsPrint, ArrearsListAndTable) {
    auto window = Open<TfrmWYQKbillTJ>();
    window->QueryClick();
    window->tbprint1Click();
    ExpectAll(Printed(*window, "arrears"),
              {"个人欠费查询统计列表", "统计日期：自 启用系统 至 记帐最后一天", "A101", "113.03", "合 计"});
    window->tbprint2Click();
    const String table = Printed(*window, "arrears-table");
    ExpectAll(table, {"住户欠费明细表", "A101", "物业费", "水费", "98.03", "15.00", "113.03"});
    EXPECT_EQ(table.find("B202"), String::npos) << "a paid household is not listed";
}

TEST_F(StatisticsPrint, StockSummaryAndRepairs) {
    auto stock = Open<TfrmKCPJdetailTJ>();
    stock->QueryClick();
    stock->PrintClick();
    ExpectAll(Printed(*stock, "stock"), {"库存配件查询汇总统计", "P01", "P02", "￥2,000.00", "合 计"});

    AddRepair("001", seed::EstateA, "101", "王一", "2027-05-02", "2027-05-03", "10", "5");
    AddRepair("002", seed::EstateB, "102", "赵二", "2027-05-04", "1900-08-14", "20", "0.5");
    auto repairs = Open<TfrmBXdetailTj>();
    Tick(repairs->dtpFromDate, 2027, 5, 1);
    Tick(repairs->dtpToDate, 2027, 5, 31);
    repairs->QueryClick();
    repairs->PrintClick();
    ExpectAll(Printed(*repairs, "repairs"), {"住户报修统计列表", "统计日期：自 2027-05-01 至 2027-05-31", "王一",
                                             "赵二", "30.00", "5.50", "35.50"});
}
