// The statistics windows walked through on a real display with a window manager (Xvfb and
// openbox, started by the test), as a new user on the seeded database: each opened from its
// action, a filter filled, queried with Ctrl+Q, sorted by a title, paged, printed to the PDF
// printer and exported. Screenshots are kept in ScreenshotFolder() to be looked at.
#include "app/RegisterSeed.h"
#include "app/core/StartupFixture.h"
#include "app/desktop/XServer.h"

#include "app/fees/FeeWindows.h"
#include "app/fees/uFrmBXdetailTj.h"
#include "app/fees/uFrmJFTZbillTJ.h"
#include "app/fees/uFrmKCPJdetailTJ.h"
#include "app/fees/uFrmWYQKbillTJ.h"
#include "app/registers/RegisterWindows.h"

#include "app/core/AppStart.h"
#include "app/core/DesktopStandIns.h"

#include "db/ADODB.h"
#include "grid/DBGridGx.h"
#include "gui/ActnList.h"
#include "gui/ComCtrls.h"
#include "gui/Input.h"
#include "gui/InputSimulation.h"
#include "gui/Printers.h"
#include "gui/Screenshot.h"
#include "gui/StdCtrls.h"
#include "report/vrClass.h"
#include "report/vrPreviewPages.h"
#include "rtl/DateUtils.h"
#include "rtl/FileUtils.h"

#include <filesystem>
#include <functional>

namespace {

bool StatisticsManaged(TCustomForm* form) {
    return WaitFor([form] {
        return XProp(WindowSystemId(form), "_NET_WM_ALLOWED_ACTIONS").find("ACTION_MOVE") != String::npos;
    });
}

void StatisticsShot(const String& name) {
    Settle(200);
    SaveScreenAsPng(ScreenshotFolder() + name + ".png");
}

class StatisticsWalk : public Startup {
protected:
    void SetUp() override {
        if (!XServerRunning()) GTEST_SKIP() << XServerProblem();
        Startup::SetUp();
    }
    void StartAsNewUser() {
        ASSERT_TRUE(CreateDefaultDatabase(Prog() + "data/"));
        ForceDirectories(Prog() + "Qr");
        for (const auto& entry : std::filesystem::directory_iterator(String(ORV_SOURCE_DIR) + "/app/Qr"))
            if (entry.path().extension() == ".di3")
                std::filesystem::copy_file(entry.path(),
                                           std::filesystem::path(Prog() + "Qr") / entry.path().filename());
        RegisterRegisterWindows();
        RegisterFeeWindows();
        User.Form(Login("admin", {""}));
        ASSERT_TRUE(StartOrvanta());
        FrmMain->Show();
        ASSERT_TRUE(StatisticsManaged(FrmMain));
        seed::SeedRegisters(dmData->ADOcnn());
        for (const char* values :
             {"(1, '阳光小区', '1号楼', 'A101', '业主1', '按面积', '物业费', 65.35, 1.5, 98.025, '2027-05-03', "
              "'2027-04-01', '2027-04-30', '2027-05-31', False, '')",
              "(3, '阳光小区', '2号楼', 'A102', '业主3', '按面积', '物业费', 80, 1.5, 120, '2027-05-04', "
              "'2027-04-01', '2027-04-30', '2027-05-31', True, '20270520001')",
              "(5, '阳光小区', '3号楼', 'A103', '业主5', '按用量', '水费', 34.25, 0.5, 17.125, '2027-05-05', "
              "'2027-04-01', '2027-04-30', '2027-05-31', False, '')"})
            dmData->RunSQL("insert into T_wyFYrec (F_mainID, F_XQname, F_LDcode, F_FZcode, F_FZname, F_SFtype, "
                           "F_SFname, F_amount, F_price, F_totalPrice, F_editDate, F_fromDate, F_toDate, "
                           "F_SFdate, F_JFflag, F_JFcode) values " +
                           String(values));
        dmData->RunSQL("insert into T_ZHBX (F_code, F_XQname, F_FZcode, F_FZname, F_bxDate, F_xfDate, F_JDemp, "
                       "F_WXemp, F_memo1, F_memo2, F_MYtype, F_fwPrice, F_wlPrice, F_totalprice) values ('001', "
                       "'阳光小区', 'A101', '业主1', '2027-05-02', '2027-05-03', '张三', '李四', '水管漏水', "
                       "'更换水管', '满意', 10, 5, 15)");
        dmData->RunSQL("insert into T_ZHBX (F_code, F_XQname, F_FZcode, F_FZname, F_bxDate, F_xfDate, F_JDemp, "
                       "F_WXemp, F_memo1, F_memo2, F_MYtype, F_fwPrice, F_wlPrice, F_totalprice) values ('002', "
                       "'阳光小区', 'A102', '业主3', '2027-05-04', '1900-08-14', '张三', '老李', '灯不亮', '', '', "
                       "20, 0, 20)");
        Settle(300);
    }
    // One window from its action, walked by the steps; true when it opened.
    void Walk(int action, const String& name, const std::function<void(TStatisticsWindow&)>& filter, int rows) {
        bool opened = false;
        User.Form([&](TCustomForm* form) {
            auto* window = dynamic_cast<TStatisticsWindow*>(form);
            EXPECT_NE(window, nullptr) << name;
            if (!window) return static_cast<int>(mrCancel);
            opened = true;
            EXPECT_TRUE(StatisticsManaged(window)) << name;
            StatisticsShot("statistics_" + name + "_open");
            filter(*window);
            window->DBGridGx1->SetFocus();
            SimulateKey(window->DBGridGx1, 'Q', TShiftState{ssCtrl});
            EXPECT_EQ(window->QryTable->RecordCount(), rows) << name;
            window->TitleClick(window->DBGridGx1->Columns()->ColumnAt(0));
            SimulateKey(window->DBGridGx1, VK_NEXT);
            StatisticsShot("statistics_" + name + "_queried");
            window->PrintClick();
            TvrReport* report = window->vrReport1;
            EXPECT_GT(report->PreparedPages()->GetPageCount(), 0) << name;
            report->PrintOptions()->Printer = TPrinter::PdfPrinterName;
            report->PrintOptions()->ShowDialog = false;
            report->PrintOptions()->OutputFileName = ScreenshotFolder() + "statistics_" + name + ".pdf";
            EXPECT_TRUE(report->PreparedPages()->SendToPrinter()) << name;
            window->ExportClick();
            SimulateKey(window->DBGridGx1, VK_ESCAPE);
            return static_cast<int>(mrCancel);
        });
        ASSERT_TRUE(FrmMain->ActionOf(action)->Enabled()) << name;
        FrmMain->ActionOf(action)->Execute();
        EXPECT_TRUE(opened) << name;
        EXPECT_EQ(User.Pending(), 0) << name;
        EXPECT_TRUE(FileExists(ScreenshotFolder() + "statistics_" + name + ".pdf")) << name;
    }
    TClockOverride Clock{EncodeDate(2027, 5, 31) + EncodeTime(9, 0, 0, 0)};
};

TEST_F(StatisticsWalk, EachWindowFromItsActionQueriedSortedPagedPrintedAndExported) {
    StartAsNewUser();
    const TDesktopStandIns desktop(Prog(), "libreoffice-calc.desktop");
    Walk(401, "notices",
         [](TStatisticsWindow& w) {
             auto& notices = dynamic_cast<TfrmJFTZbillTJ&>(w);
             notices.edtFZcode->SetFocus();
             SimulateTyping(notices.edtFZcode, "A10");
         },
         3);
    Walk(403, "arrears", [](TStatisticsWindow& w) { dynamic_cast<TfrmWYQKbillTJ&>(w).cbbXQname->SetText("阳光"); }, 2);
    Walk(404, "stock", [](TStatisticsWindow&) {}, 2);
    Walk(505, "repairs",
         [](TStatisticsWindow& w) {
             auto& repairs = dynamic_cast<TfrmBXdetailTj&>(w);
             repairs.cbbJDemp->SetFocus();
             SimulateTyping(repairs.cbbJDemp, "张");
         },
         2);
}

} // namespace
