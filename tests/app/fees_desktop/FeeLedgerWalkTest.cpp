// The fee ledger walked through on a real display with a window manager (Xvfb and openbox,
// started by the test), as a new user on the seeded database: open 生成物业费 from the main
// window, pick a method and an item, search, type a quantity in grid edit, save, delete, print to
// the PDF printer and export. Screenshots are kept in ScreenshotFolder() to be looked at.
#include "app/RegisterSeed.h"
#include "FeesWalkFixture.h"

#include "app/fees/FeeWindows.h"
#include "app/fees/uFrmWYFYscgl.h"
#include "app/registers/RegisterWindows.h"

#include "app/core/AppStart.h"
#include "app/core/DesktopStandIns.h"

#include "db/ADODB.h"
#include "grid/DBGridGx.h"
#include "gui/ActnList.h"
#include "gui/Buttons.h"
#include "gui/ComCtrls.h"
#include "gui/ControlShot.h"
#include "gui/Input.h"
#include "gui/InputSimulation.h"
#include "gui/Printers.h"
#include "gui/Screenshot.h"
#include "gui/StdCtrls.h"
#include "report/vrClass.h"
#include "report/vrPreviewPages.h"
#include "rtl/DateUtils.h"
#include "rtl/FileUtils.h"
#include "rtl/StrUtils.h"

#include <chrono>
#include <filesystem>
#include <thread>

namespace {

class FeeLedgerWalk : public FeesWalk {
protected:
    void StartAsNewUser() {
        StartSeeded();
        if (HasFatalFailure()) return;
        // Two houses' rows of the area item this month, one of the meter item.
        for (const char* values :
             {"(1, '阳光小区', '1号楼', 'A101', '业主1', '按面积', '物业费', 0, 0, 0, 1.5, 0, '2027-05-03', "
              "'2027-04-01', '2027-04-30', '2027-05-31')",
              "(3, '阳光小区', '2号楼', 'A102', '业主3', '按面积', '物业费', 0, 0, 80, 1.5, 120, "
              "'2027-05-04', '2027-04-01', '2027-04-30', '2027-05-31')",
              "(5, '阳光小区', '3号楼', 'A103', '业主5', '按用量', '水费', 1200.25, 1200.25, 0, 0.5, 0, "
              "'2027-05-05', '2027-04-01', '2027-04-30', '2027-05-31')"})
            dmData->RunSQL(
                "insert into T_wyFYrec (F_mainID, F_XQname, F_LDcode, F_FZcode, F_FZname, F_SFtype, "
                "F_SFname, F_Bamount, F_Eamount, F_amount, F_price, F_totalPrice, F_editDate, F_fromDate, "
                "F_toDate, "
                "F_SFdate) values " +
                String(values));
        Settle(300);
    }
    static String Read(const String& sql) {
        TADOQuery q;
        q.SetConnection(dmData->ADOcnn());
        q.SQL()->SetText(sql);
        q.Open();
        String rows;
        for (q.First(); !q.Eof(); q.Next())
            for (int i = 0; i < q.FieldCount(); ++i)
                rows += (rows.empty() ? "" : "|") + q.Fields()[i]->AsString();
        return rows;
    }
    // Moves the grid's focus to the field's column of the current row, by arrow keys.
    static void FocusColumn(TDBGridGx* grid, const String& field) {
        for (int i = 0; i < 8; ++i)
            SimulateKey(grid, VK_LEFT);
        for (int i = 0; i < 20; ++i) {
            TField* selected = grid->SelectedField();
            if (selected && SameText(selected->FieldName(), field)) return;
            SimulateKey(grid, VK_RIGHT);
        }
        ADD_FAILURE() << "no column " << field;
    }
    TClockOverride Clock{EncodeDate(2027, 5, 31) + EncodeTime(9, 0, 0, 0)};
};

TEST_F(FeeLedgerWalk, AnAreaFeeTypedInTheGridSavedDeletedPrintedAndExported) {
    StartAsNewUser();
    const TDesktopStandIns desktop(Prog(), "libreoffice-calc.desktop");
    User.Form([&](TCustomForm* form) {
        auto* ledger = dynamic_cast<TfrmWYFYscgl*>(form);
        EXPECT_NE(ledger, nullptr);
        if (!ledger) return static_cast<int>(mrCancel);
        EXPECT_EQ(frmWYFYscgl, ledger);
        EXPECT_TRUE(WalkManaged(ledger));
        EXPECT_EQ(ledger->Caption(), "应交物业费用管理-->水费");
        WalkShot("fee_ledger_open");

        // The area item: the second method.
        ledger->cbbListType->SetItemIndex(1);
        ledger->SelectFeeType();
        EXPECT_EQ(ledger->Caption(), "应交物业费用管理-->物业费");
        EXPECT_EQ(ledger->QryTable->RecordCount(), 2);
        // A search by room code, typed.
        ledger->ComboBox1->SetItemIndex(0);
        ledger->Edit1->SetFocus();
        SimulateTyping(ledger->Edit1, "A102");
        EXPECT_EQ(ledger->QryTable->RecordCount(), 1);
        WalkShot("fee_ledger_search");
        ledger->Edit1->SetText("");
        EXPECT_EQ(ledger->QryTable->RecordCount(), 2);

        // Grid edit: 65.35 typed as the first house's quantity at 1.5.
        ledger->Action3->Execute();
        EXPECT_FALSE(ledger->ToolBar1->Visible());
        ledger->QryTable->First();
        ledger->DBGridGx2->SetFocus();
        FocusColumn(ledger->DBGridGx2, "F_amount");
        SimulateTyping(ledger->DBGridGx2, "65.35");
        WalkShot("fee_ledger_typing");
        SimulateKey(ledger->ActiveControl(), VK_DOWN);
        Settle(100);
        WalkShot("fee_ledger_grid_edit");
        EXPECT_TRUE(ledger->SaveEditClick());
        EXPECT_EQ(Read("select F_amount, F_totalPrice from T_wyFYrec where F_FZcode = 'A101'"),
                  "65.35|98.025");
        EXPECT_TRUE(ledger->ToolBar1->Visible());
        WalkShot("fee_ledger_saved");

        // Printed to the PDF printer in the three formats, exported.
        const auto printTo = [ledger](const String& name) {
            TvrReport* report = ledger->vrReport1;
            report->PrintOptions()->Printer = TPrinter::PdfPrinterName;
            report->PrintOptions()->ShowDialog = false;
            report->PrintOptions()->OutputFileName = ScreenshotFolder() + name;
            EXPECT_GT(static_cast<TvrPreviewPages*>(report->PreparedPages())->GetPageCount(), 0) << name;
            EXPECT_TRUE(report->PreparedPages()->SendToPrinter()) << name;
        };
        ledger->PrintListClick();
        printTo("fee_ledger_list.pdf");
        ledger->PrintTableClick();
        printTo("fee_ledger_table2.pdf");
        ledger->ExportClick();

        ledger->cbbListType->SetItemIndex(0); // the meter page
        ledger->SelectFeeType();
        ledger->PrintTableClick();
        printTo("fee_ledger_table1.pdf");
        ledger->cbbListType->SetItemIndex(1);
        ledger->SelectFeeType();

        // The second row deleted after the question.
        ledger->QryTable->Last();
        User.Answer(IDOK);
        ledger->DeleteClick();
        EXPECT_EQ(ledger->QryTable->RecordCount(), 1);
        WalkShot("fee_ledger_deleted");
        ledger->ExitClick();
        return static_cast<int>(mrCancel);
    });
    ASSERT_TRUE(FrmMain->ActionOf(303)->Enabled());
    FrmMain->ActionOf(303)->Execute();
    EXPECT_EQ(User.Pending(), 0);
    EXPECT_EQ(frmWYFYscgl, nullptr);
    EXPECT_EQ(Read("select count(*) from T_wyFYrec where F_SFtype = '按面积'"), "1");
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!FileExists(desktop.OpenedRecord()) && std::chrono::steady_clock::now() < until)
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    EXPECT_TRUE(FileExists(desktop.OpenedRecord()));
    EXPECT_TRUE(FileExists(ScreenshotFolder() + "fee_ledger_list.pdf"));
}

} // namespace
