// The collection window's rows and amounts on one house owing 88.40, 36.75 and 12.05: ticks,
// 全选 and 重选 with the five amounts, the buttons at a zero total, the three questions, the
// receipt's number and variables, the month and item filters and the title sort.
#include "CollectionFixture.h"

#include "PdfInfo.h"

#include "gui/Printers.h"
#include "gui/StdCtrls.h"
#include "report/vrClass.h"
#include "report/vrPreviewPages.h"
#include "rtl/Format.h"

namespace {

class CollectionRows : public Collection {
protected:
    void SetUp() override {
        Collection::SetUp();
        if (HasFatalFailure()) return;
        Dm->RunSQL("delete from T_wyFYrec where F_mainID = " + IntToStr(House102));
        struct TRow {
            const char* Item;
            const char* Total;
            const char* Deadline;
        };
        for (const TRow& r : {TRow{"物业管理费", "88.4", "2032-02-01"}, TRow{"卫生费", "36.75", "2032-02-29"},
                              TRow{"水费", "12.05", "2032-03-01"}}) {
            TFeeRow row;
            row.House = House102;
            row.Room = "1-0102";
            row.Owner = "王二";
            row.Estate = "绿园";
            row.Method = "按自定义";
            row.Item = r.Item;
            row.Amount = "1";
            row.Price = r.Total;
            row.Total = r.Total;
            row.SFdate = r.Deadline;
            AddFee(row);
        }
        Window = OpenCollection();
        FindHouse(*Window, "1-0102");
    }
    // The five amounts: 选定笔数|本次交款|优惠金额|应收金额|收款金额, and 找零.
    String Amounts() const {
        return IntToStr(Window->XDnum()) + "|" + CurrToStr(Window->FKprice()) + "|" + CurrToStr(Window->YHprice()) +
               "|" + CurrToStr(Window->YSprice()) + "|" + CurrToStr(Window->SKprice()) + "|" +
               CurrToStr(Window->ZLprice());
    }
    bool ButtonsOn() const {
        const bool on = Window->bSK->Enabled();
        for (TButton* button : {Window->bYH, Window->bSet, Window->bPrint})
            EXPECT_EQ(button->Enabled(), on) << button->Name();
        return on;
    }
    std::vector<String> Listed(const String& field) {
        std::vector<String> values;
        TADOQuery* rows = Window->QryTable1;
        for (rows->First(); !rows->Eof(); rows->Next())
            values.push_back(rows->FieldByName(field)->AsString());
        return values;
    }
    std::unique_ptr<TfrmWuyeFYjsgl> Window;
};

TEST_F(CollectionRows, TicksSelectAllAndReselect) {
    EXPECT_EQ(Window->QFnum(), 3);
    EXPECT_EQ(Window->QFprice(), Money("137.2"));
    EXPECT_EQ(Amounts(), "0|0|0|0|0|0");
    EXPECT_FALSE(ButtonsOn());
    TickWhere(*Window, "F_SFname", "物业管理费");
    EXPECT_EQ(Amounts(), "1|88.4|0|88.4|88.4|0");
    EXPECT_TRUE(ButtonsOn());
    TickWhere(*Window, "F_SFname", "水费");
    EXPECT_EQ(Amounts(), "2|100.45|0|100.45|100.45|0");
    Window->SelectAllClick();
    EXPECT_EQ(Window->FKprice(), Currency::FromRaw(1372000));
    EXPECT_EQ(Amounts(), "3|137.2|0|137.2|137.2|0");
    Window->ReselectClick();
    EXPECT_EQ(Amounts(), "0|0|0|0|0|0");
    EXPECT_FALSE(ButtonsOn());
    EXPECT_EQ(Listed("F_JFflag"), (std::vector<String>{"False", "False", "False"}));
    // Untick what was ticked: back to nothing.
    TickWhere(*Window, "F_SFname", "卫生费");
    TickWhere(*Window, "F_SFname", "卫生费");
    EXPECT_EQ(Amounts(), "0|0|0|0|0|0");
    EXPECT_FALSE(ButtonsOn());
}

TEST_F(CollectionRows, ARowOfNothingKeepsTheButtonsOff) {
    Dm->RunSQL("update T_wyFYrec set F_totalPrice = 0 where F_SFname = '水费' and F_mainID = " + IntToStr(House102));
    Window->LoadUnpaidFees();
    TickWhere(*Window, "F_SFname", "水费");
    EXPECT_EQ(Amounts(), "1|0|0|0|0|0");
    EXPECT_FALSE(ButtonsOn());
}

TEST_F(CollectionRows, TheThreeQuestions) {
    Window->SelectAllClick();
    // An amount received of 0 shows an empty amount; answering no ends it.
    Window->ceSKprice->SetValue(0);
    AnswerInOrder({2});
    Window->CollectClick();
    EXPECT_EQ(MessageTexts(), (std::vector<String>{"实际收款金额为“”，真的确认收费吗？"}));
    // Due 100.30, received 100.10: the shortfall named exactly.
    Window->ApplyDiscount(Money("36.9"));
    Window->ceSKprice->SetValue(100.1);
    EXPECT_EQ(Window->ZLprice(), Money("-0.2"));
    Messages.clear();
    AnswerInOrder({1, 2});
    Window->CollectClick();
    ASSERT_EQ(Messages.size(), 2u);
    EXPECT_EQ(Messages[1].first, "实际收款比实际应收金额少 “0.2”，真的确认收费吗？");
    EXPECT_EQ(One("select count(*) from T_wyFKrec"), "0");
    // Enough received: confirmed, the receipt previewed first, then collected.
    InstallLayouts();
    Window->ceSKprice->SetValue(120);
    Messages.clear();
    AnswerInOrder({1, 1});
    Window->CollectClick();
    EXPECT_EQ(MessageTexts(), (std::vector<String>{"实际收款金额为“120”，真的确认收费吗？", MsgPrintReceipt}));
    EXPECT_EQ(Window->LastReceipt(), "20270405001");
    EXPECT_EQ(One("select F_FKprice, F_YHprice, F_YSprice, F_SKprice, F_ZLprice from T_wyFKrec"),
              "137.2|36.9|100.3|120|19.7");
    EXPECT_EQ(Window->QFnum(), 0);
}

TEST_F(CollectionRows, TheReceiptShowsTheNumberThenTaken) {
    InstallLayouts();
    TickWhere(*Window, "F_SFname", "物业管理费");
    TickWhere(*Window, "F_SFname", "水费");
    Window->Memo1->SetText("  月结 ");
    Window->PrintClick();
    // The receipt prints the ticked rows only.
    std::vector<String> printed;
    for (Window->QryTemp->First(); !Window->QryTemp->Eof(); Window->QryTemp->Next())
        printed.push_back(Window->QryTemp->FieldByName("F_SFname")->AsString());
    EXPECT_EQ(printed, (std::vector<String>{"物业管理费", "水费"}));
    struct TCase {
        const char* Name;
        const char* Value;
    };
    for (const TCase& c : {TCase{"FKprice", "￥100.45"}, TCase{"YHprice", "￥0.00"}, TCase{"YSprice", "￥100.45"},
                           TCase{"Memo1", "月结"}, TCase{"XDnum", "2"}, TCase{"SKtype", "现  金"},
                           TCase{"JFdate", "2027-04-05"}, TCase{"JFcode", "20270405001"}, TCase{"OperName", "admin"}}) {
        Variant value;
        EXPECT_TRUE(Window->vrReport1GetValue(c.Name, value)) << c.Name;
        EXPECT_EQ(VarToStr(value), c.Value) << c.Name;
    }
    Variant other;
    EXPECT_FALSE(Window->vrReport1GetValue("F_code", other));
    AnswerInOrder({1, 2});
    Window->CollectClick();
    EXPECT_EQ(Window->LastReceipt(), "20270405001");
    EXPECT_EQ(One("select F_XDnum, F_FKprice, F_memo1 from T_wyFKrec"), "2|100.45|  月结 ");
}

TEST_F(CollectionRows, TheReceiptPrintsToPaper) {
    InstallLayouts();
    // The search lists three houses (绿园二期 has a 1-0101 too); the receipt is the current one's.
    FindHouse(*Window, "1-010");
    ASSERT_EQ(Window->QryTable->RecordCount(), 3);
    ASSERT_TRUE(Window->QryTable->Locate("F_code", String("1-0102")));
    TickWhere(*Window, "F_SFname", "物业管理费");
    TickWhere(*Window, "F_SFname", "水费");
    Window->ApplyDiscount(Money("0.45"));
    Window->PrintClick();
    TvrReport* report = Window->vrReport1;
    report->PrintOptions()->Printer = TPrinter::PdfPrinterName;
    report->PrintOptions()->ShowDialog = false;
    report->PrintOptions()->OutputFileName = Prog() + "receipt.pdf";
    ASSERT_TRUE(report->PreparedPages()->SendToPrinter());
    const String text = CommandOutput("pdftotext -layout '" + Prog() + "receipt.pdf' -");
    for (const char* expected : {"物业费收款单据", "收款单号：20270405001", "1-0102", "王二", "物业管理费", "水费", "￥88.40",
                                 "￥12.05", "本次交款：￥100.45", "优惠金额：￥0.45", "应收金额：￥100.00", "选定笔数：2"})
        EXPECT_NE(text.find(expected), String::npos) << expected << "\n" << text;
    for (const char* absent : {"卫生费", "1-0101", "王一", "李一"})
        EXPECT_EQ(text.find(absent), String::npos) << absent << "\n" << text;
}

TEST_F(CollectionRows, MonthAndItemNarrowTheRows) {
    Window->RadioGroup1->SetItemIndex(1);
    Window->ChoiceChanged();
    EXPECT_TRUE(Window->dtpYF->Visible());
    EXPECT_EQ(Window->QFnum(), 0) << "the current month has no row";
    // Changing the month reloads the rows: February 2032 runs to the 29th.
    Window->dtpYF->SetDate(EncodeDate(2032, 2, 1));
    Window->dtpYF->OnChange(Window->dtpYF); // as the user's step of the month tells it
    EXPECT_EQ(Listed("F_SFname"), (std::vector<String>{"物业管理费", "卫生费"}));
    EXPECT_EQ(Window->QFprice(), Money("125.15"));
    Window->RadioGroup1->SetItemIndex(2);
    Window->ChoiceChanged();
    EXPECT_FALSE(Window->dtpYF->Visible());
    EXPECT_TRUE(Window->cbbSX->Visible());
    EXPECT_EQ(Window->QFnum(), 3) << "an empty item matches every row";
    Window->cbbSX->SetText("卫生");
    Window->cbbSX->OnChange(Window->cbbSX); // as typing tells it
    EXPECT_EQ(Listed("F_SFname"), (std::vector<String>{"卫生费"}));
    Window->RadioGroup1->SetItemIndex(0);
    Window->ChoiceChanged();
    EXPECT_EQ(Window->QFnum(), 3);
}

TEST_F(CollectionRows, TheFirstTitleClickSortsDescending) {
    EXPECT_EQ(Listed("F_SFdate"), (std::vector<String>{"2032-02-01", "2032-02-29", "2032-03-01"}));
    TDBGridGx* grid = Window->DBGridGx2;
    grid->OnTitleClick(grid->ColumnByFieldName("F_totalPrice"));
    EXPECT_EQ(Listed("F_totalPrice"), (std::vector<String>{"88.4", "36.75", "12.05"}));
    grid->OnTitleClick(grid->ColumnByFieldName("F_totalPrice"));
    EXPECT_EQ(Listed("F_totalPrice"), (std::vector<String>{"12.05", "36.75", "88.4"}));
    const std::vector<String> before = Listed("F_totalPrice");
    grid->OnTitleClick(grid->ColumnByFieldName("F_memo1"));
    EXPECT_EQ(Listed("F_totalPrice"), before) << "a memo column is not sorted";
}

} // namespace
