// Fee collection on the billing scenario, headless: the road of the counter (find, tick, discount,
// cash with change, prepayment), the receipt numbers, what another station's change does to a
// collection, the discount and prepayment rules, and the void with its refund.
#include "CollectionFixture.h"

#include "app/core/AppErrors.h"

#include "db/SqliteDatabase.h"
#include "gui/StdCtrls.h"
#include "rtl/Format.h"

namespace {

// The house's unpaid rows in a client batch, all ticked, and the receipt that settles them.
struct TBatch {
    std::unique_ptr<TADOQuery> Rows;
    TFeeReceipt Receipt;
};

class CollectionUnits : public Collection {
protected:
    TBatch AllUnpaid(int house, const String& payType = "现  金") {
        TBatch batch;
        batch.Rows = std::make_unique<TADOQuery>(nullptr);
        batch.Rows->SetConnection(Dm->ADOcnn());
        batch.Rows->SetLockType(ltBatchOptimistic);
        batch.Rows->SQL()->SetText("select * from T_wyFYrec where F_JFflag = false and F_mainID = " + IntToStr(house));
        batch.Rows->Open();
        TFeeReceipt& r = batch.Receipt;
        r.HouseId = house;
        r.XQname = "绿园";
        for (batch.Rows->First(); !batch.Rows->Eof(); batch.Rows->Next()) {
            batch.Rows->Edit();
            batch.Rows->FieldByName("F_JFflag")->SetAsBoolean(true);
            batch.Rows->Post();
            ++r.XDnum;
            r.FKprice += batch.Rows->FieldByName("F_totalPrice")->AsCurrency();
        }
        r.QFnum = r.XDnum;
        r.QFprice = r.FKprice;
        r.SKtype = payType;
        r.SKprice = r.YSprice();
        r.JFdate = EncodeDate(2027, 3, 1);
        return batch;
    }
    String Collect(int house, const String& payType = "现  金") {
        TBatch batch = AllUnpaid(house, payType);
        String code;
        EXPECT_TRUE(CollectFees(batch.Rows.get(), batch.Receipt, code)) << LastMessage();
        return code;
    }
    void AddReceipt(const String& code) {
        Dm->RunSQL("insert into T_wyFKrec (F_code, F_mainID, F_XDnum) values ('" + code + "', 0, 0)");
    }
};

TEST_F(Collection, TheScenarioCollectedAtTheCounter) {
    auto window = OpenCollection();
    FindHouse(*window, "1-0101");
    ASSERT_EQ(window->QryTable->FieldByName("F_FZname")->AsString(), "王一");
    EXPECT_EQ(window->edtFZcode->Text(), "1-0101");
    EXPECT_EQ(window->QFnum(), 5); // the period's three rows and two earlier readings of 0
    TickWhere(*window, "F_SFdate", "2027-04-30");
    EXPECT_EQ(window->XDnum(), 3);
    EXPECT_EQ(window->FKprice(), Money("254.35"));
    Play<TdlgFKman>([](TdlgFKman* dialog) {
        EXPECT_EQ(dialog->ceFKprice->Value(), 254.35L);
        dialog->ceYHprice->SetValue(4.35);
        dialog->btnOk->Click();
    });
    window->ShowDiscount();
    EXPECT_EQ(window->YHprice(), Money("4.35"));
    EXPECT_EQ(window->YSprice(), Money("250"));
    window->ceSKprice->SetValue(300);
    EXPECT_EQ(window->ZLprice(), Money("50"));
    AnswerInOrder({1, 2}); // confirmed; no receipt printed
    window->CollectClick();
    EXPECT_EQ(window->LastReceipt(), "20270405001");
    EXPECT_EQ(Rows("select F_code, F_FZcode, F_XDnum, F_FKprice, F_YHprice, F_YSprice, F_SKprice, F_ZLprice, F_SKtype, "
                   "F_bankPrice, F_JFdate, F_OperName from T_wyFKrec"),
              (std::vector<String>{"20270405001|1-0101|3|254.35|4.35|250|300|50|现  金|0|2027-04-05|admin"}));
    EXPECT_EQ(One("select count(*) from T_wyFYrec where F_JFflag = true and F_JFcode = '20270405001'"), "3");
    // The paid rows left the list; the totals were read again.
    EXPECT_EQ(window->QFnum(), 2);
    EXPECT_EQ(window->FKprice(), Currency());
    EXPECT_FALSE(window->bSK->Enabled());

    // 2-0301 from its prepayment: 103.025 due on a balance of 100.00 is refused.
    FindHouse(*window, "2-0301");
    EXPECT_EQ(window->BankPrice(), Money("100"));
    window->SelectAllClick();
    EXPECT_EQ(window->FKprice(), Money("103.025"));
    window->cbbSKtype->SetText("预收款");
    AnswerInOrder({1, 2});
    window->CollectClick();
    EXPECT_EQ(LastMessage(), MsgPrepaymentShort);
    EXPECT_EQ(One("select count(*) from T_wyFKrec"), "1");
    EXPECT_EQ(window->XDnum(), 4) << "the ticks come back after a refused collection";
    // After a deposit of 10.00 it is paid.
    Deposit(House301, "10");
    window->CollectClick();
    EXPECT_EQ(window->LastReceipt(), "20270405002");
    EXPECT_EQ(Balance(House301), "6.975");
    EXPECT_EQ(window->BankPrice(), Money("6.975"));
    EXPECT_EQ(window->ceBankPrice->PaintedText(), "￥6.98");
    EXPECT_EQ(Rows("select F_price, F_memo1, F_OperFlag, F_billCode, F_SFdate from T_YSKrec where F_OperFlag = -1"),
              (std::vector<String>{"103.025|支出物业费|-1||2027-04-05"}));
    EXPECT_EQ(One("select F_bankPrice from T_wyFKrec where F_code = '20270405002'"), "110");
    // 1-0102 still owes its 257.60.
    EXPECT_EQ(One("select sum(F_totalPrice) from T_wyFYrec where F_JFflag = false and F_mainID = " + IntToStr(House102)),
              "257.6");
}

TEST_F(CollectionUnits, ReceiptNumbersCountTheSavingDay) {
    struct TCase {
        const char* Highest; // a receipt already there ("" none)
        const char* Expected;
    };
    for (const TCase& c : {TCase{"", "20270405001"}, TCase{"20270405041", "20270405042"},
                           TCase{"20270404999", "20270405001"}, TCase{"20270405009", "20270405010"}}) {
        SCOPED_TRACE(c.Highest);
        Dm->RunSQL("delete from T_wyFKrec");
        Dm->RunSQL("update T_wyFYrec set F_JFflag = false, F_JFcode = ''");
        if (*c.Highest) AddReceipt(c.Highest);
        // The receipt's own date (2027-03-01) does not name it.
        EXPECT_EQ(Collect(House102), c.Expected);
    }
}

TEST_F(CollectionUnits, TheThousandthReceiptOfADayIsRefused) {
    AddReceipt("20270405999");
    TBatch batch = AllUnpaid(House102);
    String code;
    EXPECT_FALSE(CollectFees(batch.Rows.get(), batch.Receipt, code));
    EXPECT_EQ(LastMessage(), MsgReceiptDayFull);
    EXPECT_EQ(code, "");
    EXPECT_EQ(One("select count(*) from T_wyFKrec"), "1");
    EXPECT_EQ(One("select count(*) from T_wyFYrec where F_JFflag = true"), "0");
}

TEST_F(Collection, AnotherStationsChangeRollsTheCollectionBack) {
    struct TCase {
        const char* Name;
        const char* Change; // run on the 水费 row after the window loaded it
        int TickedAfter;    // ticks re-applied on the reloaded rows
        const char* TotalAfter;
    };
    for (const TCase& c : {TCase{"paid elsewhere", "F_JFflag = true, F_JFcode = '20270405777'", 2, "200"},
                           TCase{"re-priced", "F_totalPrice = 60", 3, "260"}}) {
        SCOPED_TRACE(c.Name);
        Dm->RunSQL("update T_wyFYrec set F_JFflag = false, F_JFcode = '' where F_mainID = " + IntToStr(House102));
        Dm->RunSQL("update T_wyFYrec set F_totalPrice = 57.6 where F_mainID = " + IntToStr(House102) +
                   " and F_SFname = '水费'");
        auto window = OpenCollection();
        FindHouse(*window, "1-0102");
        window->SelectAllClick();
        ASSERT_EQ(window->FKprice(), Money("257.6"));
        Dm->RunSQL(String("update T_wyFYrec set ") + c.Change + " where F_mainID = " + IntToStr(House102) +
                   " and F_SFname = '水费'");
        AnswerInOrder({1, 2});
        window->CollectClick();
        EXPECT_EQ(LastMessage(), MsgFeeRowsChanged);
        EXPECT_EQ(window->LastReceipt(), "");
        EXPECT_EQ(One("select count(*) from T_wyFKrec"), "0");
        EXPECT_EQ(One("select count(*) from T_wyFYrec where F_JFcode like '202704050%'"), "0");
        EXPECT_EQ(window->XDnum(), c.TickedAfter);
        EXPECT_EQ(window->FKprice(), Money(c.TotalAfter));
        // Collecting again settles what is listed now.
        window->CollectClick();
        EXPECT_EQ(window->LastReceipt(), "20270405001");
        EXPECT_EQ(One("select F_XDnum, F_FKprice from T_wyFKrec"), String(IntToStr(c.TickedAfter)) + "|" + c.TotalAfter);
        Dm->RunSQL("delete from T_wyFKrec");
    }
}

TEST_F(CollectionUnits, PrepaymentPaysExactlyTheAmountDue) {
    Deposit(House301, "10");
    TBatch batch = AllUnpaid(House301, "预收款");
    batch.Receipt.SKprice = Money("110");
    String code;
    EXPECT_FALSE(CollectFees(batch.Rows.get(), batch.Receipt, code));
    EXPECT_EQ(LastMessage(), MsgPrepaymentAmount);
    EXPECT_EQ(One("select count(*) from T_wyFKrec"), "0");
    batch.Receipt.YHprice = Money("3.025");
    batch.Receipt.SKprice = Money("100");
    EXPECT_TRUE(CollectFees(batch.Rows.get(), batch.Receipt, code)) << LastMessage();
    EXPECT_EQ(One("select F_FKprice, F_YHprice, F_YSprice, F_SKprice, F_ZLprice from T_wyFKrec"), "103.025|3.025|100|100|0");
    EXPECT_EQ(Balance(House301), "10");
}

TEST_F(Collection, TheDiscountKeepsDueAndChangeInStep) {
    auto window = OpenCollection();
    FindHouse(*window, "1-0101");
    TickWhere(*window, "F_SFdate", "2027-04-30");
    struct TCase {
        const char* Discount;
        bool Accepted;
    };
    for (const TCase& c : {TCase{"-1", false}, TCase{"254.36", false}, TCase{"254.35", true}, TCase{"4.35", true}}) {
        SCOPED_TRACE(c.Discount);
        Messages.clear();
        Play<TdlgFKman>([&](TdlgFKman* dialog) {
            dialog->ceYHprice->SetValue(StrToFloat(c.Discount));
            EXPECT_EQ(MoneyOf(dialog->ceSKprice), Money("254.35") - Money(c.Discount));
            EXPECT_EQ(dialog->Confirm(), c.Accepted);
            // A refused discount keeps the dialog open until it is closed.
            (c.Accepted ? dialog->btnOk : dialog->btnClose)->Click();
        });
        window->ShowDiscount();
        EXPECT_EQ(LastMessage(), c.Accepted ? String() : MsgDiscountRange);
        if (c.Accepted) {
            EXPECT_EQ(window->YHprice(), Money(c.Discount));
            EXPECT_EQ(window->YSprice(), Money("254.35") - Money(c.Discount));
            EXPECT_EQ(window->SKprice(), window->YSprice());
        }
    }
    EXPECT_EQ(window->YHprice(), Money("4.35"));
    window->ceSKprice->SetValue(260);
    EXPECT_EQ(window->ZLprice(), Money("10"));
    // A new ticked total clears the discount.
    TickWhere(*window, "F_SFname", "卫生费");
    EXPECT_EQ(window->FKprice(), Money("239.35"));
    EXPECT_EQ(window->YHprice(), Currency());
    EXPECT_EQ(window->YSprice(), Money("239.35"));
    EXPECT_EQ(window->SKprice(), Money("239.35"));
    EXPECT_EQ(window->ZLprice(), Currency());
}

TEST_F(Collection, ASearchFindingNoHouseClearsTheWindow) {
    auto window = OpenCollection();
    FindHouse(*window, "1-0101");
    window->SelectAllClick();
    ASSERT_TRUE(window->bSK->Enabled());
    FindHouse(*window, "9-9999");
    EXPECT_FALSE(window->QryTable1->Active());
    EXPECT_EQ(window->edtFZcode->Text(), "");
    EXPECT_EQ(window->edtFZname->Text(), "");
    EXPECT_EQ(window->QFnum(), 0);
    EXPECT_EQ(window->FKprice(), Currency());
    EXPECT_EQ(window->BankPrice(), Currency());
    for (TButton* button : {window->bSK, window->bYH, window->bSet, window->bPrint})
        EXPECT_FALSE(button->Enabled()) << button->Name();
    AnswerInOrder({1, 1, 2});
    window->CollectClick();
    EXPECT_EQ(One("select count(*) from T_wyFKrec"), "0");
    // An empty estate asks for one.
    window->cbbXQname->SetText("");
    window->QueryHouses();
    EXPECT_EQ(LastMessage(), MsgEstateEmpty);
}

TEST_F(CollectionUnits, AVoidReopensTheRowsAndRefundsThePrepayment) {
    Deposit(House301, "10");
    const String cash = Collect(House101);
    const String prepaid = Collect(House301, "预收款");
    ASSERT_EQ(prepaid, "20270405002");
    ASSERT_EQ(Balance(House301), "6.975");
    EXPECT_TRUE(VoidReceipt(prepaid));
    EXPECT_EQ(One("select count(*) from T_wyFKrec where F_code = '" + prepaid + "'"), "0");
    EXPECT_EQ(One("select count(*) from T_wyFYrec where F_JFflag = true and F_mainID = " + IntToStr(House301)), "0");
    EXPECT_EQ(One("select count(*) from T_wyFYrec where F_JFcode <> '' and F_mainID = " + IntToStr(House301)), "0");
    EXPECT_EQ(Rows("select F_price, F_memo1, F_OperFlag, F_billCode from T_YSKrec where F_memo1 = '作废收款单退回'"),
              (std::vector<String>{"103.025|作废收款单退回|1|20270405002"}));
    EXPECT_EQ(Balance(House301), "110");
    // A cash receipt refunds nothing; its rows are back in collection.
    EXPECT_TRUE(VoidReceipt(cash));
    EXPECT_EQ(One("select count(*) from T_YSKrec where F_mainID = " + IntToStr(House101)), "0");
    auto window = OpenCollection();
    FindHouse(*window, "1-0101");
    EXPECT_EQ(window->QFnum(), 5);
    EXPECT_EQ(window->QFprice(), Money("254.35"));
    // No such receipt: nothing to do.
    EXPECT_FALSE(VoidReceipt("20270405099"));
    EXPECT_EQ(One("select count(*) from T_wyFKrec"), "0");
}

TEST_F(CollectionUnits, AFailingVoidChangesNothing) {
    Deposit(House301, "10");
    const String prepaid = Collect(House301, "预收款");
    Dm->ADOcnn()->Database().ExecuteSql(
        "CREATE TRIGGER refuse_refund BEFORE INSERT ON T_YSKrec BEGIN SELECT RAISE(ABORT, 'refused'); END");
    Messages.clear();
    EXPECT_FALSE(VoidReceipt(prepaid));
    EXPECT_EQ(LastMessage(), MsgSaveFailed);
    EXPECT_EQ(One("select count(*) from T_wyFKrec where F_code = '" + prepaid + "'"), "1");
    EXPECT_EQ(One("select count(*) from T_wyFYrec where F_JFcode = '" + prepaid + "' and F_JFflag = true"), "4");
    EXPECT_EQ(Balance(House301), "6.975");
}

} // namespace
