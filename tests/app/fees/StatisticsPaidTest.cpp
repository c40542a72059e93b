// The paid-fee detail over receipts written by the fixture.
#include "StatisticsFixture.h"

#include "app/fees/uFrmZHJFdetailTJ.h"

#include "app/core/PubUnit.h"

#include "gui/StdCtrls.h"

#include <functional>

namespace {

class PaidDetail : public Statistics {
protected:
    void SetUp() override {
        Statistics::SetUp();
        if (HasFatalFailure()) return;
        Exec("delete from T_wyFKrec");
        // Written out of date order: the list follows F_ID.
        AddReceipt("R3", seed::EstateA, "1", "0101", "王一", "现    金", "2027-05-20", "100.5");
        AddReceipt("R1", seed::EstateB, "2", "0202", "李二", "预收款", "2027-04-10", "20.25");
        AddReceipt("R2", seed::EstateA, "12", "1201", "王三", "现    金", "2027-06-01", "7");
    }
    void AddReceipt(const String& code, const String& estate, const String& building, const String& room,
                    const String& owner, const String& type, const String& date, const String& amount) {
        Exec("insert into T_wyFKrec (F_code, F_XQname, F_LDcode, F_FZcode, F_FZname, F_SKtype, F_JFdate, "
             "F_XDnum, F_FKprice, F_YSprice, F_SKprice) values (:p1, :p2, :p3, :p4, :p5, :p6, :p7, 1, " +
                 amount + ", " + amount + ", " + amount + ")",
             {code, estate, building, room, owner, type, date});
    }
};

} // namespace

TEST_F(PaidDetail, FiltersKeepTheWrittenOrder) {
    struct TCase {
        const char* Name;
        std::function<void(TfrmZHJFdetailTJ&)> Fill;
        std::vector<String> Codes;
        const char* Sum;
    };
    const TCase cases[] = {
        {"none", [](TfrmZHJFdetailTJ&) {}, {"R3", "R1", "R2"}, "￥127.75"},
        {"预收款 by contains", [](TfrmZHJFdetailTJ& w) { w.cbbSKtype->SetText("预收"); }, {"R1"}, "￥20.25"},
        {"cash", [](TfrmZHJFdetailTJ& w) { w.cbbSKtype->SetText("现"); }, {"R3", "R2"}, "￥107.50"},
        {"building by prefix", [](TfrmZHJFdetailTJ& w) { w.edtLDcode->SetText("1"); }, {"R3", "R2"}, "￥107.50"},
        {"room by contains", [](TfrmZHJFdetailTJ& w) { w.edtFZcode->SetText("02"); }, {"R1"}, "￥20.25"},
        {"owner", [](TfrmZHJFdetailTJ& w) { w.edtFZname->SetText("王"); }, {"R3", "R2"}, "￥107.50"},
        {"payment dates", [](TfrmZHJFdetailTJ& w) {
             Tick(w.dtpFromDate, 2027, 4, 10);
             Tick(w.dtptoDate, 2027, 5, 20);
         }, {"R3", "R1"}, "￥120.75"},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        auto window = Open<TfrmZHJFdetailTJ>();
        EXPECT_FALSE(window->tbFirst->Enabled()) << "navigation waits for the first 查询";
        c.Fill(*window);
        window->QueryClick();
        EXPECT_EQ(Column(*window, "F_code"), c.Codes);
        EXPECT_EQ(Footer(*window, "F_SKprice"), c.Sum);
        EXPECT_EQ(Footer(*window, "F_XQname"), "") << "no 合  计 in the footer";
        EXPECT_EQ(CountPanel(*window), "记录数/" + IntToStr(int(c.Codes.size())));
    }
}

// ---- business analysis ----------------------------------------------------------------------------

#include "app/fees/uFrmWYJYtotalTJ.h"

namespace {

class Analysis : public Statistics {
protected:
    void SetUp() override {
        Statistics::SetUp();
        if (HasFatalFailure()) return;
        Exec("delete from T_wyFKrec");
        // Paid before, on, within and after April; unpaid due before, on its last day and after.
        Paid("水费", "A", "2027-03-15", "1");
        Paid("水费", "B", "2027-04-01", "2");
        Paid("水费", "C", "2027-04-20", "4");
        Paid("水费", "D", "2027-05-10", "8");
        Unpaid("水费", "2027-03-31", "16");
        Unpaid("水费", "2027-04-30", "32");
        Unpaid("水费", "2027-06-30", "64");
        const int row = Paid("电费", "E", "2027-04-10", "100");
        Exec("update T_wyFYrec set F_empName = '赵六' where F_ID = :p1", {row});
    }
    int Paid(const String& item, const String& receipt, const String& date, const String& total) {
        TFeeRow fee;
        fee.Item = item;
        fee.Total = total;
        fee.Paid = true;
        const int id = AddFee(fee);
        Exec("update T_wyFYrec set F_JFcode = :p1 where F_ID = :p2", {receipt, id});
        Exec("insert into T_wyFKrec (F_code, F_XQname, F_JFdate, F_SKprice) values (:p1, :p2, :p3, " + total + ")",
             {receipt, seed::EstateA, date});
        return id;
    }
    void Unpaid(const String& item, const String& deadline, const String& total) {
        TFeeRow fee;
        fee.Item = item;
        fee.Total = total;
        fee.SFdate = deadline;
        AddFee(fee);
    }
    // The nine amounts of an item's row, as whole numbers; empty when the item has no row.
    static std::vector<int> Amounts(TStatisticsWindow& window, const String& item) {
        std::vector<int> amounts;
        TADOQuery* query = window.QryTable;
        for (query->First(); !query->Eof(); query->Next()) {
            if (query->FieldByName("F_name")->AsString() != item) continue;
            for (const char* field : {"F_beginYS", "F_beginSS", "F_beginWS", "F_enterYS", "F_enterSS", "F_enterWS",
                                      "F_endYS", "F_endSS", "F_endWS"})
                amounts.push_back(int(query->FieldByName(field)->AsCurrency().Trunc()));
        }
        return amounts;
    }
};

} // namespace

TEST_F(Analysis, BlocksByPaymentDateAndDeadlineForEachTickCombination) {
    struct TCase {
        bool From;
        bool To;
        std::vector<int> Water;
    };
    const TCase cases[] = {
        {true, true, {17, 1, 16, 38, 6, 32, 55, 7, 48}},
        {true, false, {17, 1, 16, 110, 14, 96, 127, 15, 112}},
        {false, true, {0, 0, 0, 55, 7, 48, 55, 7, 48}},
        {false, false, {0, 0, 0, 127, 15, 112, 127, 15, 112}},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(testing::Message() << "from " << c.From << " to " << c.To);
        auto window = Open<TfrmWYJYtotalTJ>();
        if (c.From) Tick(window->dtpFromDate, 2027, 4, 1);
        if (c.To) Tick(window->dtptoDate, 2027, 4, 30);
        window->QueryClick();
        const std::vector<int> water = Amounts(*window, "水费");
        EXPECT_EQ(water, c.Water);
        ASSERT_EQ(water.size(), 9u);
        for (int i = 0; i < 3; ++i)
            EXPECT_EQ(water[6 + i], water[i] + water[3 + i]) << "closing = opening + period, column " << i;
        EXPECT_TRUE(Amounts(*window, "物业管理费").empty()) << "an item without rows has no row";
        EXPECT_EQ(CountPanel(*window), "记录数/2");
    }
}

TEST_F(Analysis, HandlerFilterTestsTheFeeRowAndTitlesReadTwoLevels) {
    auto window = Open<TfrmWYJYtotalTJ>();
    EXPECT_EQ(window->DBGridGx1->ColumnByFieldName("F_enterWS")->Title()->Caption(), "本期费用|未收");
    EXPECT_EQ(window->DBGridGx1->ColumnByFieldName("F_endWS")->Title()->Caption(), "期末合计|未收");
    EXPECT_EQ(window->DBGridGx1->ColumnByFieldName("F_endSS")->DisplayFormat(), FmtAmount);
    window->cbbEmpName->SetText("赵六");
    window->QueryClick();
    EXPECT_EQ(Column(*window, "F_name"), (std::vector<String>{"电费"}));
    EXPECT_EQ(Amounts(*window, "电费"), (std::vector<int>{0, 0, 0, 100, 100, 0, 100, 100, 0}));
    EXPECT_EQ(Footer(*window, "F_name"), "合  计");
}

// ---- receivable detail ------------------------------------------------------------------------------

#include "app/fees/uFrmYJFYdetailTJ.h"

#include "controls/kxCurrEdit.h"
#include "gui/ExtCtrls.h"

namespace {

class ReceivableDetail : public Statistics {
protected:
    void SetUp() override {
        Statistics::SetUp();
        if (HasFatalFailure()) return;
        // The seed's items in order: 物业费, 水费, 卫生费. Today is 2027-05-31.
        Charge(1, "物业费", "2027-05-31", "10");
        Charge(1, "水费", "2027-05-31", "5", true);
        Charge(1, "水费", "2027-04-30", "3");
        Charge(2, "卫生费", "2027-05-10", "7");
    }
    void Charge(int house, const String& item, const String& deadline, const String& total, bool paid = false) {
        TFeeRow fee;
        fee.House = house;
        fee.Item = item;
        fee.SFdate = deadline;
        fee.Total = total;
        fee.Paid = paid;
        AddFee(fee);
    }
    static void Choose(TfrmYJFYdetailTJ& window, int choice) {
        window.RadioGroup1->SetItemIndex(choice);
        window.ChoiceChanged();
    }
};

} // namespace

TEST_F(ReceivableDetail, ChoicesAndDeadlines) {
    struct TCase {
        const char* Name;
        std::function<void(TfrmYJFYdetailTJ&)> Fill;
        std::vector<String> Totals; // by estate (house 2's estate first), building, room, deadline
    };
    const TCase cases[] = {
        {"all rows, paid or not", [](TfrmYJFYdetailTJ&) {}, {"7", "3", "15"}},
        {"应交费用超过 0", [](TfrmYJFYdetailTJ& w) { Choose(w, 1); }, {"7", "3", "15"}},
        {"应交费用超过 7", [](TfrmYJFYdetailTJ& w) {
             Choose(w, 1);
             w.ceS->SetValue(7);
         }, {"7", "15"}},
        {"交费期限超过 0", [](TfrmYJFYdetailTJ& w) { Choose(w, 2); }, {"7", "3", "15"}},
        {"交费期限超过 21", [](TfrmYJFYdetailTJ& w) {
             Choose(w, 2);
             w.rceT->SetValue(21);
         }, {"7", "3"}},
        {"交费期限超过 30", [](TfrmYJFYdetailTJ& w) {
             Choose(w, 2);
             w.rceT->SetValue(30);
         }, {"3"}},
        {"deadline range", [](TfrmYJFYdetailTJ& w) { Tick(w.dtptoDate, 2027, 5, 10); }, {"7", "3"}},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        auto window = Open<TfrmYJFYdetailTJ>();
        c.Fill(*window);
        window->QueryClick();
        std::vector<String> totals;
        for (window->QryTable->First(); !window->QryTable->Eof(); window->QryTable->Next())
            totals.push_back(IntToStr(int(window->QryTable->FieldByName("F_totalPrice")->AsCurrency().Trunc())));
        EXPECT_EQ(totals, c.Totals);
        EXPECT_EQ(CountPanel(*window), "记录数/" + IntToStr(int(c.Totals.size())));
    }
}

TEST_F(ReceivableDetail, TwoItemsOnOneDeadlineShareARowAndColumnsFollowTheItems) {
    auto window = Open<TfrmYJFYdetailTJ>();
    EXPECT_EQ(window->FeeItems(), (std::vector<String>{"物业费", "水费", "卫生费"}));
    TDBGridGx* grid = window->DBGridGx1;
    EXPECT_EQ(grid->ColumnByFieldName("F_SZ3")->Title()->Caption(), "卫生费");
    EXPECT_TRUE(grid->ColumnByFieldName("F_SZ3")->Visible());
    for (int i = 4; i <= 15; ++i) EXPECT_FALSE(grid->ColumnByFieldName("F_SZ" + IntToStr(i))->Visible()) << i;
    EXPECT_FALSE(window->ceS->Visible());
    Choose(*window, 1);
    EXPECT_TRUE(window->ceS->Visible());
    EXPECT_EQ(window->lblT->Caption(), "元");
    Choose(*window, 2);
    EXPECT_FALSE(window->ceS->Visible());
    EXPECT_TRUE(window->rceT->Visible());
    EXPECT_EQ(window->lblT->Caption(), "天");
    Choose(*window, 0);
    window->QueryClick();
    window->QryTable->Locate("F_totalPrice", Currency::FromInt(15));
    EXPECT_EQ(window->QryTable->FieldByName("F_SZ1")->AsCurrency(), Currency::FromInt(10));
    EXPECT_EQ(window->QryTable->FieldByName("F_SZ2")->AsCurrency(), Currency::FromInt(5));
    EXPECT_EQ(Footer(*window, "F_FZcode"), "合  计");
    Variant value;
    EXPECT_TRUE(window->vrReport1GetValue("Csz2", value));
    EXPECT_EQ(value.AsString(), "水费");
}

TEST_F(ReceivableDetail, NoFifteenAndSixteenFeeItems) {
    struct TCase {
        int Items;
        size_t Listed;
        bool Told;
    };
    for (const TCase c : {TCase{0, 0, false}, TCase{15, 15, false}, TCase{16, 15, true}}) {
        SCOPED_TRACE(c.Items);
        Exec("delete from T_FYinfo");
        for (int i = 1; i <= c.Items; ++i)
            Exec("insert into T_FYinfo (F_code, F_name) values (:p1, :p2)", {IntToStr(i), "费项" + IntToStr(i)});
        Messages.clear();
        auto window = Open<TfrmYJFYdetailTJ>();
        EXPECT_EQ(window->FeeItems().size(), c.Listed);
        EXPECT_EQ(window->DBGridGx1->ColumnByFieldName("F_SZ15")->Visible(), c.Items >= 15);
        EXPECT_EQ(window->DBGridGx1->ColumnByFieldName("F_SZ1")->Visible(), c.Items >= 1);
        if (c.Told)
            EXPECT_EQ(LastMessage(), MsgPivotItemsLeftOut + "\n费项16");
        else
            EXPECT_TRUE(Messages.empty());
        window->QueryClick();
        EXPECT_EQ(CountPanel(*window), "记录数/0") << "no fee rows of these items";
    }
}
