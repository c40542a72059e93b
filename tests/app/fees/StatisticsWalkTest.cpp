// The statistics windows' desktop road played offscreen: each window filtered by typing, queried
// with Ctrl+Q, sorted by a title, paged, printed to the PDF printer, exported and closed with Esc.
#include "StatisticsFixture.h"

#include "PdfInfo.h"
#include "app/core/DesktopStandIns.h"

#include "app/fees/uFrmBXdetailTj.h"
#include "app/fees/uFrmJFTZbillTJ.h"
#include "app/fees/uFrmKCPJdetailTJ.h"
#include "app/fees/uFrmWYQKbillTJ.h"

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

} // namespace
