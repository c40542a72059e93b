// The statistics windows walked through on a real display with a window manager (Xvfb and
// openbox, started by the test), as a new user on the seeded database: each opened from its
// entry of 信息查询 or 报表中心, a filter filled, queried with Ctrl+Q on each of its pages, sorted by
// a title, paged, printed to the PDF printer (the grid print too, where the window has it) and
// exported. Screenshots are kept in ScreenshotFolder() to be looked at.
#include "app/RegisterSeed.h"
#include "app/core/StartupFixture.h"
#include "app/desktop/XServer.h"

#include "app/fees/FeeWindows.h"
#include "app/fees/uFrmBXdetailTj.h"
#include "app/fees/uFrmJFTZbillTJ.h"
#include "app/fees/uFrmKCPJdetailTJ.h"
#include "app/fees/StatisticsTotals.h"
#include "app/fees/uFrmWYQKbillTJ.h"
#include "app/fees/uFrmYJFYdetailTJ.h"
#include "app/fees/uFrmYJFYtotalTJ.h"
#include "app/registers/RegisterWindows.h"

#include "app/core/AppStart.h"
#include "app/core/DesktopStandIns.h"

#include "db/ADODB.h"
#include "grid/DBGridGx.h"
#include "gui/ActnList.h"
#include "gui/ComCtrls.h"
#include "gui/Input.h"
#include "gui/InputSimulation.h"
#include "gui/Menus.h"
#include "gui/Printers.h"
#include "gui/Screenshot.h"
#include "gui/StdCtrls.h"
#include "report/vrClass.h"
#include "report/vrPreviewPages.h"
#include "gridprint/PrvFrmGx.h"
#include "rtl/DateUtils.h"
#include "rtl/FileUtils.h"
#include "rtl/StrUtils.h"

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
        dmData->RunSQL("delete from T_wyFKrec");
        dmData->RunSQL("insert into T_wyFKrec (F_code, F_XQname, F_LDcode, F_FZcode, F_FZname, F_JFdate, F_SKtype, "
                       "F_XDnum, F_FKprice, F_YSprice, F_SKprice) values ('20270520001', '阳光小区', '2号楼', 'A102', "
                       "'业主3', '2027-05-20', '现    金', 1, 120, 120, 120)");
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
    // Chooses the member's entry in 信息查询 or 报表中心, as the user does.
    static void ChooseMenuEntry(int action) {
        String caption;
        for (const TStatisticsMember& member : StatisticsMembers())
            if (member.Action == action) caption = member.MenuEntry;
        for (TMenuItem* top : {FrmMain->mnuTop[3], FrmMain->mnuTop[4]}) {
            const std::vector<TMenuEntry> entries = SimulateMenuOpen(top);
            for (size_t i = 0; i < entries.size(); ++i)
                if (entries[i].Caption == caption) {
                    ASSERT_TRUE(entries[i].Enabled) << caption;
                    SimulateMenuChoice(top, static_cast<int>(i));
                    return;
                }
        }
        FAIL() << "no menu entry " << caption;
    }
    // One page of a window: queried with Ctrl+Q, sorted, paged, printed in its formats, exported.
    void WalkPage(TStatisticsWindow& window, const String& name, int rows) {
        TDBGridGx* grid = window.ActiveGrid();
        grid->SetFocus();
        SimulateKey(grid, 'Q', TShiftState{ssCtrl});
        EXPECT_EQ(window.ActiveQuery()->RecordCount(), rows) << name;
        EXPECT_TRUE(EndsStr("数/" + IntToStr(rows), window.StatusBar->Panels(2)->Text())) << name;
        window.SortByTitle(grid, window.ActiveQuery(), grid->Columns()->ColumnAt(0));
        SimulateKey(grid, VK_NEXT);
        StatisticsShot("statistics_" + name + "_queried");
        window.PrintClick();
        TvrReport* report = window.vrReport1;
        EXPECT_GT(report->PreparedPages()->GetPageCount(), 0) << name;
        report->PrintOptions()->Printer = TPrinter::PdfPrinterName;
        report->PrintOptions()->ShowDialog = false;
        report->PrintOptions()->OutputFileName = ScreenshotFolder() + "statistics_" + name + ".pdf";
        EXPECT_TRUE(report->PreparedPages()->SendToPrinter()) << name;
        EXPECT_TRUE(FileExists(ScreenshotFolder() + "statistics_" + name + ".pdf")) << name;
        if (window.Member().GridPrint) {
            window.PrintSecondClick();
            if (TPreviewFormGx* preview = SharedPreviewForm()) {
                EXPECT_TRUE(WaitFor([preview] { return preview->Visible(); })) << name;
                StatisticsShot("statistics_" + name + "_gridprint");
                preview->Hide();
            }
        }
        window.ExportClick();
    }
    // One window from its menu entry, walked on each page (rows per page); true when it opened.
    void Walk(int action, const String& name, const std::function<void(TStatisticsWindow&)>& filter,
              std::vector<int> rows) {
        bool opened = false;
        User.Form([&](TCustomForm* form) {
            auto* window = dynamic_cast<TStatisticsWindow*>(form);
            EXPECT_NE(window, nullptr) << name;
            if (!window) return static_cast<int>(mrCancel);
            opened = true;
            EXPECT_TRUE(StatisticsManaged(window)) << name;
            StatisticsShot("statistics_" + name + "_open");
            filter(*window);
            auto* totals = dynamic_cast<TStatisticsTotals*>(window);
            EXPECT_EQ(rows.size(), totals ? 3u : 1u) << name;
            for (size_t page = 0; page < rows.size(); ++page) {
                if (totals)
                    while (totals->ActivePageIndex() != static_cast<int>(page))
                        totals->PageControl1->SelectNextPage(true);
                WalkPage(*window, rows.size() > 1 ? name + "_" + IntToStr(int(page)) : name, rows[page]);
            }
            SimulateKey(window->ActiveGrid(), VK_ESCAPE);
            return static_cast<int>(mrCancel);
        });
        ASSERT_TRUE(FrmMain->ActionOf(action)->Enabled()) << name;
        ChooseMenuEntry(action);
        EXPECT_TRUE(opened) << name;
        EXPECT_EQ(User.Pending(), 0) << name;
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
         {3});
    Walk(403, "arrears", [](TStatisticsWindow& w) { dynamic_cast<TfrmWYQKbillTJ&>(w).cbbXQname->SetText("阳光"); }, {2});
    Walk(404, "stock", [](TStatisticsWindow&) {}, {2});
    Walk(505, "repairs",
         [](TStatisticsWindow& w) {
             auto& repairs = dynamic_cast<TfrmBXdetailTj&>(w);
             repairs.cbbJDemp->SetFocus();
             SimulateTyping(repairs.cbbJDemp, "张");
         },
         {2});
    Walk(501, "receivable_detail",
         [](TStatisticsWindow& w) {
             auto& detail = dynamic_cast<TfrmYJFYdetailTJ&>(w);
             detail.edtFZcode->SetFocus();
             SimulateTyping(detail.edtFZcode, "A10");
         },
         {3});
    Walk(502, "receivable_totals",
         [](TStatisticsWindow& w) {
             auto& totals = dynamic_cast<TfrmYJFYtotalTJ&>(w);
             totals.cbbXQname->SetFocus();
             SimulateTyping(totals.cbbXQname, "阳光");
         },
         {3, 3, 1});
    Walk(503, "paid_detail", [](TStatisticsWindow&) {}, {1});
    Walk(504, "paid_totals", [](TStatisticsWindow&) {}, {1, 1, 1});
    Walk(506, "analysis", [](TStatisticsWindow&) {}, {2});
}

} // namespace
