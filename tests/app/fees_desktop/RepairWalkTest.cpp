// The repair register walked through on a real display with a window manager (Xvfb and openbox,
// started by the test), as a new user on the seeded database: open 报修管理 from the main window,
// add a repair with a part picked in the picker and one typed by code, see the stock drop in the
// spare-part list, delete the repair and see the stock back, print both layouts to the PDF printer.
// Screenshots are kept in ScreenshotFolder() to be looked at.
#include "app/RegisterSeed.h"
#include "FeesWalkFixture.h"

#include "app/fees/FeeWindows.h"
#include "app/fees/uDLGpjInfoXZ.h"
#include "app/fees/uFrmCltBXGL.h"
#include "app/fees/uFrmCltBXedit.h"
#include "app/registers/RegisterWindows.h"
#include "app/registers/uFrmPJdepotGL.h"

#include "app/core/AppStart.h"

#include "db/ADODB.h"
#include "grid/DBGridGx.h"
#include "gui/ActnList.h"
#include "gui/Buttons.h"
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

namespace {

class RepairWalk : public FeesWalk {
protected:
    void StartAsNewUser() {
        StartSeeded();
        if (HasFatalFailure()) return;
        dmData->RunSQL("insert into T_PJinfo (F_code, F_name, F_type, F_spec, F_unit, F_address, F_price1, F_price2, "
                       "F_amount, F_XQname) values ('P03', '水管', '五金', 'DN20', '米', '宁波', 12.5, 8, 10, '" +
                       seed::EstateA + "')");
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
    static void FocusColumn(TDBGridGx* grid, const String& field) {
        for (int i = 0; i < 12; ++i)
            SimulateKey(grid, VK_LEFT);
        for (int i = 0; i < 20; ++i) {
            TField* selected = grid->SelectedField();
            if (selected && SameText(selected->FieldName(), field)) return;
            SimulateKey(grid, VK_RIGHT);
        }
        ADD_FAILURE() << "no column " << field;
    }
    // The spare-part list opened from the main window: the stock of the parts as it lists them.
    String ListedStock(const String& shot) {
        String stock;
        User.Form([&](TCustomForm* form) {
            auto* parts = dynamic_cast<TfrmPJdepotGL*>(form);
            EXPECT_NE(parts, nullptr);
            if (!parts) return static_cast<int>(mrCancel);
            EXPECT_TRUE(WalkManaged(parts));
            for (const char* code : {"P01", "P03"}) {
                EXPECT_TRUE(parts->QryTable->Locate("F_code", code));
                stock += String(stock.empty() ? "" : "|") + parts->QryTable->FieldByName("F_amount")->AsString();
            }
            WalkShot(shot);
            return static_cast<int>(mrCancel);
        });
        FrmMain->ActionOf(206)->Execute();
        return stock;
    }
    TClockOverride Clock{EncodeDate(2026, 3, 15) + EncodeTime(9, 0, 0, 0)};
};

TEST_F(RepairWalk, ARepairWithPickedAndTypedPartsMovesTheStockAndItsDeleteGivesItBack) {
    StartAsNewUser();
    ASSERT_EQ(ListedStock("repair_parts_before"), "50|10");
    User.Form([&](TCustomForm* form) {
        auto* reg = dynamic_cast<TfrmCltBXGL*>(form);
        EXPECT_NE(reg, nullptr);
        if (!reg) return static_cast<int>(mrCancel);
        EXPECT_TRUE(WalkManaged(reg));
        EXPECT_EQ(reg->Caption(), "用户报修管理");
        WalkShot("repair_register_open");
        User.Form([&](TCustomForm* inner) {
            auto* d = dynamic_cast<TfrmCltBXedit*>(inner);
            EXPECT_NE(d, nullptr);
            if (!d) return static_cast<int>(mrCancel);
            EXPECT_TRUE(WalkManaged(d));
            EXPECT_EQ(d->Caption(), "住户报修记录 - 新增");
            EXPECT_EQ(d->edtCode->Text(), "001");
            d->CheckBox1->SetChecked(false);
            d->edtFZname->SetFocus();
            SimulateTyping(d->edtFZname, "张三");
            d->Memo1->SetFocus();
            SimulateTyping(d->Memo1, "厨房水龙头漏水");
            // The part picker from 新增: 水龙头 of 阳光小区 picked with 确定, then 关闭.
            User.Form([&](TCustomForm* pickerForm) {
                auto* picker = dynamic_cast<TDLGpjInfoXZ*>(pickerForm);
                EXPECT_NE(picker, nullptr);
                if (!picker) return static_cast<int>(mrCancel);
                EXPECT_TRUE(WalkManaged(picker));
                WalkShot("repair_picker");
                EXPECT_TRUE(picker->QryTable->Locate("F_code", "P01"));
                picker->BitBtn1->Click();
                WalkShot("repair_picker_picked");
                picker->BitBtn2->Click();
                return static_cast<int>(picker->ModalResult());
            });
            d->btnAdd->Click();
            // A second line typed by code in the grid, Enter looks it up.
            TADOQuery* lines = d->Register()->QryDetail;
            // (Typing into a new row of the grid is the grid's own matter; the line is entered as
            // the grid would leave it, and Enter on its code column runs the lookup.)
            lines->Append();
            lines->FieldByName("F_PJcode")->SetAsString("P03");
            d->DBGridGx1->SetFocus();
            FocusColumn(d->DBGridGx1, "F_PJcode");
            WalkShot("repair_dialog_typed");
            SimulateKey(d->ActiveControl(), VK_RETURN);
            Settle(100);
            EXPECT_EQ(lines->FieldByName("F_PJname")->AsString(), "水管");
            WalkShot("repair_dialog_lines");
            d->Button1->Click();
            return static_cast<int>(d->ModalResult());
        });
        reg->tbNew->Click();
        EXPECT_EQ(reg->QryTable->RecordCount(), 1);
        EXPECT_EQ(reg->QryDetail->RecordCount(), 2);
        WalkShot("repair_register_saved");
        reg->tbExit->Click();
        return static_cast<int>(mrCancel);
    });
    ASSERT_TRUE(FrmMain->ActionOf(307)->Enabled());
    FrmMain->ActionOf(307)->Execute();
    EXPECT_EQ(Read("select F_FZname, F_memo1, F_wlPrice, F_totalprice from t_ZHBX"), "张三|厨房水龙头漏水|47.5|47.5");
    EXPECT_EQ(ListedStock("repair_parts_after_save"), "49|9");

    User.Form([&](TCustomForm* form) {
        auto* reg = dynamic_cast<TfrmCltBXGL*>(form);
        if (!reg) return static_cast<int>(mrCancel);
        const auto printTo = [reg](const String& name) {
            TvrReport* report = reg->vrReport1;
            report->PrintOptions()->Printer = TPrinter::PdfPrinterName;
            report->PrintOptions()->ShowDialog = false;
            report->PrintOptions()->OutputFileName = ScreenshotFolder() + name;
            EXPECT_GT(static_cast<TvrPreviewPages*>(report->PreparedPages())->GetPageCount(), 0) << name;
            EXPECT_TRUE(report->PreparedPages()->SendToPrinter()) << name;
        };
        reg->nPrint1->Click();
        printTo("repair_list.pdf");
        reg->nPrint2->Click();
        printTo("repair_form.pdf");
        User.Answer(IDYES); // 真的要删除当前报修单号为001报修记录吗？
        reg->tbDel->Click();
        EXPECT_EQ(reg->QryTable->RecordCount(), 0);
        WalkShot("repair_register_deleted");
        reg->tbExit->Click();
        return static_cast<int>(mrCancel);
    });
    FrmMain->ActionOf(307)->Execute();
    EXPECT_EQ(ListedStock("repair_parts_after_delete"), "50|10");
    EXPECT_EQ(User.Pending(), 0);
    EXPECT_TRUE(FileExists(ScreenshotFolder() + "repair_list.pdf"));
}

} // namespace
