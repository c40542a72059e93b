// The statistics windows' desktop road played offscreen: each window filtered by typing, queried
// with Ctrl+Q, sorted by a title, paged, printed to the PDF printer, exported and closed with Esc;
// the fee-item statistics opened modally as their actions open them, played through the
// Interaction responder on each of their pages.
#include "StatisticsFixture.h"

#include "PdfInfo.h"
#include "app/core/DesktopStandIns.h"

#include "app/fees/uFrmBXdetailTj.h"
#include "app/fees/uFrmJFTZbillTJ.h"
#include "app/fees/uFrmKCPJdetailTJ.h"
#include "app/fees/StatisticsTotals.h"
#include "app/fees/uFrmWYJYtotalTJ.h"
#include "app/fees/uFrmWYQKbillTJ.h"
#include "app/fees/uFrmYJFYdetailTJ.h"
#include "app/fees/uFrmYJFYtotalTJ.h"
#include "app/fees/uFrmZHJFdetailTJ.h"
#include "app/fees/uFrmZHJFtotalTJ.h"

#include "app/core/Rights.h"
#include "app/core/uFrmMain.h"
#include "gridprint/PrvFrmGx.h"
#include "gui/ComCtrls.h"

#include "gui/Input.h"
#include "gui/InputSimulation.h"
#include "gui/Printers.h"
#include "gui/StdCtrls.h"
#include "report/vrClass.h"
#include "report/vrPreviewPages.h"
#include "rtl/FileUtils.h"

namespace {

class StatisticsRoad : public Statistics {
protected:
    void Walk(TStatisticsWindow& window, TWinControl* filter, const String& typed, int rows,
              const String& printed) {
        filter->SetFocus();
        SimulateTyping(filter, typed);
        SimulateKey(window.DBGridGx1, 'Q', TShiftState{ssCtrl});
        EXPECT_EQ(window.QryTable->RecordCount(), rows) << window.Caption();
        window.TitleClick(window.DBGridGx1->Columns()->ColumnAt(0));
        SimulateKey(window.DBGridGx1, VK_NEXT);
        window.PrintClick();
        TvrReport* report = window.vrReport1;
        report->PrintOptions()->Printer = TPrinter::PdfPrinterName;
        report->PrintOptions()->ShowDialog = false;
        report->PrintOptions()->OutputFileName = Prog() + "road.pdf";
        ASSERT_TRUE(report->PreparedPages()->SendToPrinter()) << window.Caption();
        const String text = CommandOutput("pdftotext -layout '" + Prog() + "road.pdf' -");
        EXPECT_NE(text.find(printed), String::npos) << printed << "\n" << text;
        window.ExportClick();
        SimulateKey(window.DBGridGx1, VK_ESCAPE);
        EXPECT_FALSE(window.Visible()) << window.Caption();
    }
    // The member opened modally as its action opens it, played by the responder: on each page
    // "查询" by Ctrl+Q, the first format printed to PDF (its text holding `printed`), the grid print
    // and the export; Esc closes it.
    template <class T> void Road(const std::vector<int>& rows, const String& printed) {
        bool played = false;
        Play<TStatisticsWindow>([&](TStatisticsWindow* window) {
            played = true;
            auto* totals = dynamic_cast<TStatisticsTotals*>(window);
            ASSERT_EQ(rows.size(), totals ? 3u : 1u);
            for (size_t page = 0; page < rows.size(); ++page) {
                SCOPED_TRACE(testing::Message() << window->Caption().c_str() << " page " << page);
                if (totals)
                    while (totals->ActivePageIndex() != static_cast<int>(page))
                        totals->PageControl1->SelectNextPage(true);
                SimulateKey(window->ActiveGrid(), 'Q', TShiftState{ssCtrl});
                EXPECT_EQ(window->ActiveQuery()->RecordCount(), rows[page]);
                SimulateKey(window->ActiveGrid(), VK_END);
                window->PrintClick();
                TvrReport* report = window->vrReport1;
                report->PrintOptions()->Printer = TPrinter::PdfPrinterName;
                report->PrintOptions()->ShowDialog = false;
                report->PrintOptions()->OutputFileName = Prog() + "road.pdf";
                ASSERT_TRUE(report->PreparedPages()->SendToPrinter());
                const String text = CommandOutput("pdftotext -layout '" + Prog() + "road.pdf' -");
                EXPECT_NE(text.find(printed), String::npos) << printed << "\n" << text;
                window->PrintSecondClick();
                if (TPreviewFormGx* preview = SharedPreviewForm()) preview->Hide();
                window->ExportClick();
            }
            SimulateKey(window->ActiveGrid(), VK_ESCAPE);
        });
        const int action = StatisticsMember(T(nullptr).ClassName()).Action;
        ModalActionWindow<T>(FindAction(action)->PlaceMode)(nullptr);
        EXPECT_TRUE(played) << action;
        EXPECT_EQ(User.Pending(), 0) << action;
    }
};

TEST_F(StatisticsRoad, TheDesktopRoadHeadless) {
    InstallLayouts();
    const TDesktopStandIns desktop(Prog(), "libreoffice-calc.desktop");
    TFeeRow row;
    row.Room = "A101";
    row.Total = "98.025";
    AddFee(row);
    row.Room = "A102";
    row.House = 3;
    row.Total = "15";
    AddFee(row);
    AddRepair("001", seed::EstateA, "A101", "业主1", "2027-05-02", "2027-05-03", "10", "5", "张三");
    AddRepair("002", seed::EstateA, "A102", "业主3", "2027-05-04", "1900-08-14", "20", "0", "王五");

    auto notices = Open<TfrmJFTZbillTJ>();
    Walk(*notices, notices->edtFZcode, "A10", 2, "113.03");
    auto arrears = Open<TfrmWYQKbillTJ>();
    Walk(*arrears, arrears->edtFZcode, "A102", 1, "15.00");
    auto stock = Open<TfrmKCPJdetailTJ>();
    Walk(*stock, stock->edtPJcode, "P0", 2, "P02");
    auto repairs = Open<TfrmBXdetailTj>();
    Walk(*repairs, repairs->cbbJDemp, "张", 1, "15.00");
    EXPECT_TRUE(FileExists(desktop.OpenedRecord()));
    EXPECT_TRUE(Messages.empty());
}

TEST_F(StatisticsRoad, TheFeeItemStatisticsThroughTheResponder) {
    InstallLayouts();
    const TDesktopStandIns desktop(Prog(), "libreoffice-calc.desktop");
    Exec("delete from T_wyFKrec");
    TFeeRow row;
    row.Item = "物业费";
    row.Total = "98.025";
    AddFee(row); // house 1, estate A, 1号楼
    row.House = 3;
    row.Total = "15";
    row.Paid = true;
    AddFee(row); // house 3, estate A, 2号楼, receipt 20270520001
    Exec("insert into T_wyFKrec (F_code, F_XQname, F_FZcode, F_JFdate, F_SKtype, F_SKprice) values "
         "('20270520001', :p1, '101', '2027-05-20', '现    金', 15)",
         {seed::EstateA});
    Road<TfrmYJFYdetailTJ>({2}, "113.03");
    Road<TfrmYJFYtotalTJ>({2, 2, 1}, "113.03");
    Road<TfrmZHJFdetailTJ>({1}, "20270520001");
    Road<TfrmZHJFtotalTJ>({1, 1, 1}, "15.00");
    Road<TfrmWYJYtotalTJ>({1}, "113.03");
    EXPECT_TRUE(FileExists(desktop.OpenedRecord()));
    EXPECT_TRUE(Messages.empty());
}

} // namespace
