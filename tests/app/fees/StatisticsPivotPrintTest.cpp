// The layouts of the paid-fee detail and the business analysis printed to the PDF printer and read back with pdftotext.
#include "StatisticsFixture.h"

#include "PdfInfo.h"

#include "app/fees/uFrmWYJYtotalTJ.h"
#include "app/fees/uFrmZHJFdetailTJ.h"

#include "gui/Printers.h"
#include "report/vrClass.h"
#include "report/vrPreviewPages.h"

#include <cstdlib>

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
