// The layouts of the statistics over fee items (receivable and paid pivots, the paid-fee detail
// and the business analysis) printed to the PDF printer and read back with pdftotext; with
// ORV_STATISTICS_PAGES set, page 1 of each is kept there as a picture to be looked at.
#include "StatisticsFixture.h"

#include "PdfInfo.h"

#include "app/fees/uFrmWYJYtotalTJ.h"
#include "app/fees/uFrmYJFYdetailTJ.h"
#include "app/fees/uFrmYJFYtotalTJ.h"
#include "app/fees/uFrmZHJFdetailTJ.h"
#include "app/fees/uFrmZHJFtotalTJ.h"

#include "gui/ComCtrls.h"

#include "gui/Printers.h"
#include "report/vrClass.h"
#include "report/vrPreviewPages.h"

#include <cstdlib>
#include <functional>
#include <memory>

namespace {

class PivotPrint : public Statistics {
protected:
    void SetUp() override {
        Statistics::SetUp();
        if (HasFatalFailure()) return;
        InstallLayouts();
        Exec("delete from T_wyFKrec");
        TFeeRow row;
        row.Item = "物业费";
        row.Total = "407.775";
        row.Paid = true;
        AddFee(row);
        row.Item = "水费";
        row.Total = "15";
        row.Paid = false;
        AddFee(row);
        Exec("insert into T_wyFKrec (F_code, F_XQname, F_FZcode, F_JFdate, F_SKtype, F_FKprice, F_SKprice) values "
             "('20270520001', :p1, 'A101', '2027-05-20', '现    金', 407.775, 407.775)",
             {seed::EstateA});
    }
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

TEST_F(PivotPrint, PaidDetailAndAnalysis) {
    auto paid = Open<TfrmZHJFdetailTJ>();
    paid->QueryClick();
    paid->PrintClick();
    ExpectAll(Printed(*paid, "paid-detail"), {"住户交费明细统计", "统计日期", "A101", "407.78", "20270520001"});

    auto analysis = Open<TfrmWYJYtotalTJ>();
    analysis->QueryClick();
    EXPECT_EQ(Footer(*analysis, "F_enterSS"), "407.78") << "four decimals summed exactly, shown in two";
    analysis->PrintClick();
    ExpectAll(Printed(*analysis, "analysis"), {"物业收费经营分析统计", "统计日期", "物业费", "水费", "407.78", "422.78"});

}

TEST_F(PivotPrint, ReceivableAndPaidPivotsOnEachPage) {
    auto detail = Open<TfrmYJFYdetailTJ>();
    detail->QueryClick();
    detail->PrintClick();
    ExpectAll(Printed(*detail, "receivable-detail"),
              {"应交费用明细统计", "统计日期：自 启用系统", "物业费", "水费", "卫生费", "101", "407.78", "15.00", "422.78"});

    const char* pages[] = {"按用户汇总", "按楼幢汇总", "按小区汇总"};
    struct TPivot {
        const char* Name;
        std::function<std::unique_ptr<TStatisticsTotals>()> Open;
        const char* Title;
        const char* Sum;
    };
    const TPivot pivots[] = {
        {"receivable", [this] { return std::unique_ptr<TStatisticsTotals>(Open<TfrmYJFYtotalTJ>()); }, "应交费用汇总统计",
         "422.78"},
        {"paid", [this] { return std::unique_ptr<TStatisticsTotals>(Open<TfrmZHJFtotalTJ>()); }, "住户交费汇总统计",
         "407.78"},
    };
    for (const TPivot& pivot : pivots) {
        auto window = pivot.Open();
        for (int page = 0; page < 3; ++page) {
            SCOPED_TRACE(String(pivot.Name) + " " + pages[page]);
            window->PageControl1->SetActivePageIndex(page);
            window->QueryClick();
            window->PrintClick();
            const String text = Printed(*window, String(pivot.Name) + "-totals-" + IntToStr(page));
            ExpectAll(text, {String(pivot.Title) + "(" + pages[page] + ")", "统计日期", "物业费", "水费", "卫生费",
                             "费用合计", "407.78", pivot.Sum, "合 计", seed::EstateA});
            if (page == 0) ExpectAll(text, {"业主1"});
        }
    }
}
