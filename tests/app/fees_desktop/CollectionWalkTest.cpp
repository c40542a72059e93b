// Fee collection walked through on a real display with a window manager (Xvfb and openbox,
// started by the test), as a new cashier on the seeded database: open 收取物业费 from the main
// window, find a house, tick its rows, grant a discount, take cash with change, print the receipt
// to the PDF printer and collect; then pay another house from its prepayment account. Screenshots
// are kept in ScreenshotFolder() to be looked at.
#include "app/RegisterSeed.h"
#include "FeesWalkFixture.h"

#include "app/fees/FeeCollection.h"
#include "app/fees/uDLGFKman.h"
#include "app/fees/uFrmWuyeFYjsgl.h"

#include "controls/kxCurrEdit.h"
#include "db/ADODB.h"
#include "grid/DBGridGx.h"
#include "gui/ActnList.h"
#include "gui/Buttons.h"
#include "gui/ComCtrls.h"
#include "gui/Input.h"
#include "gui/InputSimulation.h"
#include "gui/Printers.h"
#include "gui/StdCtrls.h"
#include "report/vrClass.h"
#include "report/vrPreviewPages.h"
#include "rtl/DateUtils.h"
#include "rtl/FileUtils.h"

namespace {

class CollectionWalk : public FeesWalk {
protected:
    void StartAsNewCashier() {
        StartSeeded();
        if (HasFatalFailure()) return;
        // House 1 owes 100.50 and 20.25; house 3 owes 60.00 and holds 100.00 in prepayment.
        for (const auto& [house, room, item, total] :
             {std::tuple{1, seed::RoomCode(0), "物业管理费", "100.5"}, std::tuple{1, seed::RoomCode(0), "卫生费", "20.25"},
              std::tuple{3, seed::RoomCode(2), "物业管理费", "60"}})
            dmData->RunSQL("insert into T_wyFYrec (F_mainID, F_XQname, F_FZcode, F_SFdate, F_SFtype, F_SFname, F_amount, "
                           "F_price, F_totalPrice) values (" +
                           IntToStr(house) + ", '" + seed::EstateA + "', '" + room + "', '2026-03-31', '按自定义', '" +
                           item + "', 1, " + total + ", " + total + ")");
        dmData->RunSQL("insert into T_YSKrec (F_mainID, F_XQname, F_SFdate, F_price, F_memo1, F_OperFlag) values (3, '" +
                       seed::EstateA + "', '2026-03-01', 100, '存入', 1)");
        Settle(300);
    }
    static void Find(TfrmWuyeFYjsgl* w, const String& room) {
        w->cbbXQname->SetFocus();
        w->cbbXQname->SelectAll();
        SimulateTyping(w->cbbXQname, seed::EstateA);
        w->edtQRYcode->SetFocus();
        w->edtQRYcode->SelectAll();
        SimulateTyping(w->edtQRYcode, room);
        w->SpeedButton1->Click();
        Application()->ProcessMessages();
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
    TClockOverride Clock{EncodeDate(2026, 3, 15) + EncodeTime(9, 0, 0, 0)};
};

TEST_F(CollectionWalk, CashWithChangeThenFromThePrepaymentAccount) {
    StartAsNewCashier();
    User.Form([&](TCustomForm* form) {
        auto* w = dynamic_cast<TfrmWuyeFYjsgl*>(form);
        EXPECT_NE(w, nullptr);
        if (!w) return static_cast<int>(mrCancel);
        EXPECT_TRUE(WalkManaged(w));
        EXPECT_EQ(w->Caption(), "物业交费管理");
        EXPECT_EQ(frmWuyeFYjsgl, w);
        WalkShot("collection_open");
        Find(w, seed::RoomCode(0));
        EXPECT_EQ(w->QryTable->FieldByName("F_ID")->AsInteger(), 1);
        EXPECT_EQ(w->QFnum(), 2);
        EXPECT_FALSE(w->bSK->Enabled());
        w->Button1->Click(); // 全选
        EXPECT_EQ(w->FKprice(), StrToCurr("120.75"));
        User.Form([&](TCustomForm* inner) {
            auto* d = dynamic_cast<TdlgFKman*>(inner);
            EXPECT_NE(d, nullptr);
            if (!d) return static_cast<int>(mrCancel);
            EXPECT_TRUE(WalkManaged(d));
            d->ceYHprice->SetFocus();
            d->ceYHprice->SelectAll();
            SimulateTyping(d->ceYHprice, "5");
            SimulateKey(d->ceYHprice, VK_TAB);
            WalkShot("collection_discount");
            d->btnOk->Click();
            return static_cast<int>(mrNone);
        });
        w->bYH->Click();
        EXPECT_EQ(w->YSprice(), StrToCurr("115.75"));
        w->ceSKprice->SetFocus();
        w->ceSKprice->SelectAll();
        SimulateTyping(w->ceSKprice, "300");
        SimulateKey(w->ceSKprice, VK_TAB);
        EXPECT_EQ(w->ZLprice(), StrToCurr("184.25"));
        WalkShot("collection_cash");
        w->bPrint->Click();
        TvrReport* report = w->vrReport1;
        report->PrintOptions()->Printer = TPrinter::PdfPrinterName;
        report->PrintOptions()->ShowDialog = false;
        report->PrintOptions()->OutputFileName = ScreenshotFolder() + "collection_receipt.pdf";
        EXPECT_GT(static_cast<TvrPreviewPages*>(report->PreparedPages())->GetPageCount(), 0);
        EXPECT_TRUE(report->PreparedPages()->SendToPrinter());
        User.Answer(IDYES); // 实际收款金额为“300”，真的确认收费吗？
        User.Answer(IDNO);  // 打印此收款单据吗？ (printed above)
        w->bSK->Click();
        EXPECT_EQ(w->LastReceipt(), "20260315001");
        EXPECT_EQ(w->QFnum(), 0);
        WalkShot("collection_cash_done");

        // The next house pays from its prepayment account: the same room code in another building,
        // chosen in the house list.
        Find(w, seed::RoomCode(2));
        EXPECT_TRUE(w->QryTable->Locate("F_ID", 3));
        EXPECT_EQ(w->BankPrice(), StrToCurr("100"));
        w->Button1->Click();
        w->cbbSKtype->SetFocus();
        w->cbbSKtype->SelectAll();
        SimulateTyping(w->cbbSKtype, PrepaymentPayType);
        WalkShot("collection_prepaid");
        User.Answer(IDYES);
        User.Answer(IDNO);
        w->bSK->Click();
        EXPECT_EQ(w->LastReceipt(), "20260315002");
        EXPECT_EQ(w->BankPrice(), StrToCurr("40"));
        WalkShot("collection_prepaid_done");
        w->Button6->Click();
        return static_cast<int>(mrCancel);
    });
    ASSERT_TRUE(FrmMain->ActionOf(304)->Enabled());
    FrmMain->ActionOf(304)->Execute();
    EXPECT_EQ(frmWuyeFYjsgl, nullptr);
    EXPECT_EQ(Read("select F_code, F_FKprice, F_YHprice, F_YSprice, F_SKprice, F_ZLprice, F_SKtype from T_wyFKrec "
                   "order by F_code"),
              "20260315001|120.75|5|115.75|300|184.25|现  金|20260315002|60|0|60|60|0|预收款");
    EXPECT_EQ(Read("select sum(F_price * F_OperFlag) from T_YSKrec where F_mainID = 3"), "40");
    EXPECT_EQ(User.Pending(), 0);
    EXPECT_TRUE(FileExists(ScreenshotFolder() + "collection_receipt.pdf"));
}

} // namespace
