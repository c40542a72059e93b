// A period of one estate billed on a real display with a window manager (Xvfb and openbox, started
// by the test), as a new user: 生成物业费 from the main window, 批量增加记录 for 绿园, a reading typed
// into the grid in grid edit, saved, a row added through the house picker, re-dated, printed to
// the PDF printer. Screenshots are kept in ScreenshotFolder() to be looked at.
#include "app/RegisterSeed.h"
#include "FeesWalkFixture.h"

#include "app/fees/FeeWindows.h"
#include "app/fees/uDLGggDateEdit.h"
#include "app/fees/uDLGwyfySCedit.h"
#include "app/fees/uFrmWYFYscEdit1.h"
#include "app/fees/uFrmWYFYscgl.h"
#include "app/registers/RegisterWindows.h"
#include "app/registers/uDLGfcinfoCX.h"

#include "app/core/AppStart.h"

#include "controls/kxCurrEdit.h"
#include "db/ADODB.h"
#include "grid/DBGridGx.h"
#include "grid/DBGridGxSelection.h"
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

#include <filesystem>

namespace {

class FeeBillingWalk : public FeesWalk {
protected:
    void StartAsNewUser() {
        StartSeeded();
        if (HasFatalFailure()) return;
        dmData->RunSQL("insert into T_XQinfo (F_code, F_name) values ('091', '绿园')");
        for (const char* house : {"('绿园', '1', '1-0101', '王一', 86.5, 3, '已入住')",
                                  "('绿园', '1', '1-0102', '王二', 120, 4, '已销售')",
                                  "('绿园', '2', '2-0301', '王三', 65.35, 1, '未销售')"})
            dmData->RunSQL("insert into T_FCinfo (F_XQname, F_LDcode, F_code, F_FZname, F_buildArea, F_ZHnum, "
                           "F_curStatus) values " +
                           String(house));
        dmData->RunSQL("insert into T_FYinfo (F_code, F_name, F_SFtype, F_SFprice) values ('012', '车位费', '按自定义', 0)");
        dmData->RunSQL("insert into T_wyFYrec (F_mainID, F_XQname, F_FZcode, F_toDate, F_editDate, F_Eamount, "
                       "F_SFtype, F_SFname) select F_ID, '绿园', '1-0101', '2027-02-28', '2027-02-28', 1200.25, "
                       "'按用量', '水费' from T_FCinfo where F_code = '1-0101'");
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
    static void FocusFieldColumn(TDBGridGx* grid, const String& field) {
        for (int i = 0; i < 12; ++i)
            SimulateKey(grid, VK_LEFT);
        for (int i = 0; i < 20; ++i) {
            TField* selected = grid->SelectedField();
            if (selected && SameText(selected->FieldName(), field)) return;
            SimulateKey(grid, VK_RIGHT);
        }
        ADD_FAILURE() << "no column " << field;
    }
    TClockOverride Clock{EncodeDate(2027, 3, 31) + EncodeTime(9, 0, 0, 0)};
};

TEST_F(FeeBillingWalk, AnEstatesMeterReadingsGeneratedTypedSavedPickedRedatedPrinted) {
    StartAsNewUser();
    User.Form([&](TCustomForm* form) {
        auto* ledger = dynamic_cast<TfrmWYFYscgl*>(form);
        EXPECT_NE(ledger, nullptr);
        if (!ledger) return static_cast<int>(mrCancel);
        EXPECT_TRUE(WalkManaged(ledger));
        EXPECT_EQ(ledger->Caption(), "应交物业费用管理-->水费");

        // 批量增加记录 for 绿园: the estate typed into the dialog's box.
        User.Form([](TCustomForm* form) {
            auto* dialog = dynamic_cast<TDLGwyfySCedit*>(form);
            EXPECT_NE(dialog, nullptr);
            if (!dialog) return static_cast<int>(mrCancel);
            EXPECT_TRUE(WalkManaged(dialog));
            dialog->cbbXQname->SetFocus();
            SimulateTyping(dialog->cbbXQname, "绿园");
            WalkShot("fee_billing_generate");
            dialog->btnOk->Click();
            return static_cast<int>(mrNone);
        });
        ledger->Action1->Execute();
        EXPECT_TRUE(ledger->Pending());
        EXPECT_EQ(ledger->QryTable->RecordCount(), 3);
        EXPECT_EQ(Read("select count(*) from T_wyFYrec where F_toDate = #2027-03-31#"), "0");
        WalkShot("fee_billing_generated");
        EXPECT_TRUE(ledger->SaveEditClick());

        // Grid edit: 1-0101's new reading typed into the usage grid.
        ledger->Action3->Execute();
        ledger->DBGridGx1->SetFocus();
        FocusFieldColumn(ledger->DBGridGx1, "F_Eamount");
        // Up to the first row, 1-0101, as the user does.
        for (int i = 0; i < 4; ++i)
            SimulateKey(ledger->DBGridGx1, VK_UP);
        EXPECT_EQ(ledger->QryTable->FieldByName("F_FZcode")->AsString(), "1-0101");
        // F2 opens the cell's editor; the reading typed over its text.
        SimulateKey(ledger->DBGridGx1, VK_F2);
        Settle(50);
        SimulateKey(ledger->ActiveControl(), 'A', TShiftState{ssCtrl});
        SimulateTyping(ledger->ActiveControl(), "1234.5");
        WalkShot("fee_billing_reading_typed");
        SimulateKey(ledger->ActiveControl(), VK_DOWN);
        Settle(100);
        EXPECT_TRUE(ledger->SaveEditClick());
        EXPECT_EQ(Read("select F_Bamount, F_Eamount, F_amount, F_totalPrice from T_wyFYrec where F_FZcode = '1-0101' "
                       "and F_toDate = #2027-03-31#"),
                  "1200.25|1234.5|34.25|109.6");

        // 按自定义: a row of 车位费 added through the house picker in the quantity editor.
        ledger->cbbListType->SetItemIndex(3);
        ledger->SelectFeeType();
        User.Form([](TCustomForm* form) {
            auto* editor = dynamic_cast<TfrmWYFYscEdit1*>(form);
            EXPECT_NE(editor, nullptr);
            if (!editor) return static_cast<int>(mrCancel);
            EXPECT_TRUE(WalkManaged(editor));
            editor->sbFind->Click();
            editor->rceAmount->SetFocus();
            editor->rceAmount->SetValue(2);
            editor->cePrice->SetValue(3);
            WalkShot("fee_billing_editor");
            editor->CheckBox1->SetChecked(false);
            editor->Button1->Click();
            return static_cast<int>(mrNone);
        });
        User.Form([](TCustomForm* form) {
            auto* picker = dynamic_cast<TDLGfcinfoCX*>(form);
            EXPECT_NE(picker, nullptr);
            if (!picker) return static_cast<int>(mrCancel);
            for (int i = 0; i < picker->tvTree->Items()->Count(); ++i)
                if (picker->tvTree->Items()->Item(i)->Text() == "绿园")
                    picker->tvTree->SetSelected(picker->tvTree->Items()->Item(i));
            picker->tvTree->OnDblClick(picker->tvTree);
            picker->QryTable->Locate("F_code", String("1-0102"));
            WalkShot("fee_billing_picker");
            picker->BitBtn1->Click();
            return static_cast<int>(mrNone);
        });
        ledger->tbNew->Click();
        EXPECT_EQ(ledger->QryTable->RecordCount(), 1);

        // Re-dated: the selected row of the page shown.
        ledger->DBGridGx2->SelectedRows()->SetCurrentRowSelected(true);
        User.Form([](TCustomForm* form) {
            auto* dialog = dynamic_cast<TDLGggDateEdit*>(form);
            EXPECT_NE(dialog, nullptr);
            if (!dialog) return static_cast<int>(mrCancel);
            EXPECT_TRUE(WalkManaged(dialog));
            dialog->dtpFromDate->SetDate(EncodeDate(2027, 3, 1));
            WalkShot("fee_billing_redate");
            dialog->btnOk->Click();
            return static_cast<int>(mrNone);
        });
        ledger->Action2->Execute();
        EXPECT_TRUE(ledger->SaveEditClick());
        WalkShot("fee_billing_redated");

        // Printed to the PDF printer.
        ledger->PrintListClick();
        TvrReport* report = ledger->vrReport1;
        report->PrintOptions()->Printer = TPrinter::PdfPrinterName;
        report->PrintOptions()->ShowDialog = false;
        report->PrintOptions()->OutputFileName = ScreenshotFolder() + "fee_billing_list.pdf";
        EXPECT_TRUE(report->PreparedPages()->SendToPrinter());
        ledger->ExitClick();
        return static_cast<int>(mrCancel);
    });
    FrmMain->ActionOf(303)->Execute();
    EXPECT_EQ(User.Pending(), 0);
    EXPECT_EQ(Read("select F_FZcode, F_amount, F_totalPrice, F_fromDate, F_OperName from T_wyFYrec where F_SFname = "
                   "'车位费'"),
              "1-0102|2|6|2027-03-01|admin");
    EXPECT_TRUE(FileExists(ScreenshotFolder() + "fee_billing_list.pdf"));
}

} // namespace
