// The tabbed totals of the fee-item pivots: receivable (every charged fee row) and paid (the fee
// rows that have a receipt), per house, per building and per estate, over fixture fee rows and
// receipts.
#include "StatisticsFixture.h"

#include "app/fees/uFrmYJFYtotalTJ.h"
#include "app/fees/uFrmZHJFtotalTJ.h"

#include "gui/ComCtrls.h"
#include "gui/StdCtrls.h"

#include <functional>

namespace {

// Houses of the seed: 1 and 7 in estate A, 1号楼, rooms 101 and 102; 3 in estate A, 2号楼, room 101;
// 2 in estate B, 1号楼, room 101. Estate B's name sorts first.
class Totals : public Statistics {
protected:
    void Charge(int house, const String& item, const String& deadline, const String& total, bool paid = false) {
        TFeeRow fee;
        fee.House = house;
        fee.Item = item;
        fee.SFdate = deadline;
        fee.Total = total;
        fee.Paid = paid;
        AddFee(fee);
    }
    // Moves to the page as the user does, tab by tab (the page control's change event runs).
    static void ShowPage(TStatisticsTotals& window, int page) {
        for (int i = 0; i < 3 && window.ActivePageIndex() != page; ++i) window.PageControl1->SelectNextPage(true);
        ASSERT_EQ(window.ActivePageIndex(), page);
    }
    // The rows of the active page as "keys:total" (the keys joined by "/"), in list order.
    static std::vector<String> Rows(TStatisticsTotals& window, std::initializer_list<const char*> keys) {
        std::vector<String> rows;
        TADOQuery* query = window.ActiveQuery();
        if (!query->Active()) return rows;
        for (query->First(); !query->Eof(); query->Next()) {
            String row;
            for (const char* key : keys) row += query->FieldByName(key)->AsString() + "/";
            row += IntToStr(int(query->FieldByName("F_totalPrice")->AsCurrency().Trunc()));
            rows.push_back(row);
        }
        query->First();
        return rows;
    }
    static String Value(TStatisticsWindow& window, const String& name) {
        Variant value;
        EXPECT_TRUE(window.vrReport1GetValue(name, value)) << name;
        return value.AsString();
    }
};

class ReceivableTotals : public Totals {
protected:
    void SetUp() override {
        Totals::SetUp();
        if (HasFatalFailure()) return;
        // The seed's items in order: 物业费, 水费, 卫生费.
        Charge(1, "物业费", "2027-05-31", "10");
        Charge(1, "水费", "2027-05-31", "5", true);
        Charge(1, "水费", "2027-04-30", "3");
        Charge(7, "卫生费", "2027-05-10", "7");
        Charge(3, "物业费", "2027-05-31", "4");
        Charge(2, "物业费", "2027-03-31", "20");
    }
};

} // namespace

TEST_F(ReceivableTotals, EachPageSumsItsLevelAndKeepsItsLastResult) {
    auto window = Open<TfrmYJFYtotalTJ>();
    EXPECT_FALSE(window->tbPrint->Enabled()) << "print waits for the first 查询";
    EXPECT_EQ(window->PageControl1->Style(), tsButtons);
    for (TDBGridGx* grid : {window->DBGridGx1, window->DBGridGx2, window->DBGridGx3}) {
        SCOPED_TRACE(grid->Name());
        EXPECT_EQ(grid->ColumnByFieldName("f_sz2")->Title()->Caption(), "水费");
        EXPECT_TRUE(grid->ColumnByFieldName("F_SZ3")->Visible());
        for (int i = 4; i <= 15; ++i) EXPECT_FALSE(grid->ColumnByFieldName("F_SZ" + IntToStr(i))->Visible()) << i;
    }
    window->QueryClick();
    EXPECT_EQ(Rows(*window, {"F_XQname", "F_LDcode", "F_FZcode"}),
              (std::vector<String>{"翠湖花园/1号楼/101/20", "阳光小区/1号楼/101/18", "阳光小区/1号楼/102/7",
                                   "阳光小区/2号楼/101/4"}))
        << "two deadlines of house 1 in one row, paid or not";
    window->QryTable->Locate("F_totalPrice", Currency::FromInt(18));
    EXPECT_EQ(window->QryTable->FieldByName("F_SZ2")->AsCurrency(), Currency::FromInt(8));
    EXPECT_EQ(Footer(*window, "F_totalPrice"), "￥49.00");
    EXPECT_EQ(CountPanel(*window), "记录数/4");

    ShowPage(*window, 1);
    EXPECT_EQ(CountPanel(*window), "记录数/0") << "a page never run";
    EXPECT_TRUE(Rows(*window, {"F_XQname"}).empty()) << "a page change runs nothing";
    window->QueryClick();
    EXPECT_EQ(Rows(*window, {"F_XQname", "F_LDcode", "F_mainID"}),
              (std::vector<String>{"翠湖花园/1号楼/1/20", "阳光小区/1号楼/2/25", "阳光小区/2号楼/1/4"}))
        << "用户数 counts the houses with rows in the building";
    EXPECT_EQ(Value(*window, "sCaption"), "(按楼幢汇总)");

    ShowPage(*window, 2);
    window->QueryClick();
    EXPECT_EQ(Rows(*window, {"F_XQname", "F_mainID"}), (std::vector<String>{"翠湖花园/1/20", "阳光小区/3/29"}));
    EXPECT_EQ(window->DBGridGx3->FooterValueText(0, window->DBGridGx3->ColumnByFieldName("F_XQname")), "合  计");

    ShowPage(*window, 0);
    EXPECT_EQ(CountPanel(*window), "记录数/4") << "the page's last result stays";
    EXPECT_EQ(Rows(*window, {"F_FZcode"}).size(), 4u);
    EXPECT_EQ(Value(*window, "sCaption"), "(按用户汇总)");
    EXPECT_EQ(Value(*window, "Csz1"), "物业费");
    EXPECT_EQ(Value(*window, "Csz4"), "") << "a title without a fee item is blank";
    EXPECT_EQ(Value(*window, "memDate"), "统计日期：自 启用系统 至 记帐最后一天");
}

TEST_F(ReceivableTotals, FiltersNavigationAndSortingActOnTheActivePage) {
    struct TCase {
        const char* Name;
        std::function<void(TfrmYJFYtotalTJ&)> Fill;
        std::vector<String> Estates;
    };
    const TCase cases[] = {
        {"none", [](TfrmYJFYtotalTJ&) {}, {"翠湖花园/1/20", "阳光小区/3/29"}},
        {"estate by contains", [](TfrmYJFYtotalTJ& w) { w.cbbXQname->SetText("阳光"); }, {"阳光小区/3/29"}},
        {"building by prefix", [](TfrmYJFYtotalTJ& w) { w.edtLDcode->SetText("2"); }, {"阳光小区/1/4"}},
        {"deadlines", [](TfrmYJFYtotalTJ& w) {
             Tick(w.dtpFromDate, 2027, 4, 1);
             Tick(w.dtptoDate, 2027, 5, 10);
         }, {"阳光小区/2/10"}},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        auto window = Open<TfrmYJFYtotalTJ>();
        ShowPage(*window, 2);
        c.Fill(*window);
        window->QueryClick();
        EXPECT_EQ(Rows(*window, {"F_XQname", "F_mainID"}), c.Estates);
        EXPECT_FALSE(window->QryTable->Active()) << "the house page was not run";
    }
    auto window = Open<TfrmYJFYtotalTJ>();
    ShowPage(*window, 1);
    window->QueryClick();
    window->LastClick();
    EXPECT_TRUE(window->QryTable1->Eof() || window->QryTable1->RecNo() == 3);
    EXPECT_FALSE(window->tbLast->Enabled());
    window->DBGridGx2->OnTitleClick(window->DBGridGx2->ColumnByFieldName("F_totalPrice"));
    EXPECT_EQ(Rows(*window, {"F_LDcode"}), (std::vector<String>{"2号楼/4", "1号楼/20", "1号楼/25"}))
        << "the first click sorts ascending";
}

// ---- paid totals -------------------------------------------------------------------------------------

namespace {

class PaidTotals : public Totals {
protected:
    void SetUp() override {
        Totals::SetUp();
        if (HasFatalFailure()) return;
        Exec("delete from T_wyFKrec");
        // House 1: its April property fee paid in May, its water paid in June.
        Pay(Fee(1, "物业费", "10"), "R1", seed::EstateA, "2027-05-20");
        Pay(Fee(1, "水费", "5"), "R2", seed::EstateA, "2027-06-02");
        // House 2 (estate B) paid on a receipt whose estate text reads estate A.
        Pay(Fee(2, "物业费", "20"), "R3", seed::EstateA, "2027-05-25");
        // Unpaid, a voided payment (its receipt gone, the row returned to unpaid) and a row left
        // marked paid whose receipt no longer exists: none of them is paid.
        Fee(3, "物业费", "100");
        Fee(7, "卫生费", "200");
        const int orphan = Fee(7, "物业费", "400");
        Exec("update T_wyFYrec set F_JFflag = True, F_JFcode = 'R9' where F_ID = :p1", {orphan});
    }
    int Fee(int house, const String& item, const String& total) {
        TFeeRow fee;
        fee.House = house;
        fee.Item = item;
        fee.Total = total;
        return AddFee(fee);
    }
    void Pay(int fee, const String& receipt, const String& estate, const String& date) {
        Exec("update T_wyFYrec set F_JFflag = True, F_JFcode = :p1 where F_ID = :p2", {receipt, fee});
        Exec("insert into T_wyFKrec (F_code, F_XQname, F_LDcode, F_FZcode, F_FZname, F_JFdate, F_SKprice) "
             "values (:p1, :p2, '1号楼', '101', '业主', :p3, 1)",
             {receipt, estate, date});
    }
};

} // namespace

TEST_F(PaidTotals, OnlyFeeRowsWithAReceiptCountWithAndWithoutFilters) {
    struct TCase {
        const char* Name;
        std::function<void(TfrmZHJFtotalTJ&)> Fill;
        std::vector<String> Houses; // estate/room/total
    };
    const TCase cases[] = {
        {"no filter", [](TfrmZHJFtotalTJ&) {}, {"翠湖花园/101/20", "阳光小区/101/15"}},
        {"payment dates, whatever the fee periods", [](TfrmZHJFtotalTJ& w) {
             Tick(w.dtpFromDate, 2027, 6, 1);
             Tick(w.dtptoDate, 2027, 6, 30);
         }, {"阳光小区/101/5"}},
        {"payment date to", [](TfrmZHJFtotalTJ& w) { Tick(w.dtptoDate, 2027, 5, 20); }, {"阳光小区/101/10"}},
        {"estate on the receipt", [](TfrmZHJFtotalTJ& w) { w.cbbXQname->SetText("阳光"); },
         {"翠湖花园/101/20", "阳光小区/101/15"}},
        {"estate B on the receipt", [](TfrmZHJFtotalTJ& w) { w.cbbXQname->SetText("翠湖"); }, {}},
        {"room on the receipt", [](TfrmZHJFtotalTJ& w) { w.edtFZcode->SetText("10"); },
         {"翠湖花园/101/20", "阳光小区/101/15"}},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        auto window = Open<TfrmZHJFtotalTJ>();
        c.Fill(*window);
        window->QueryClick();
        EXPECT_EQ(Rows(*window, {"F_XQname", "F_FZcode"}), c.Houses);
        EXPECT_EQ(CountPanel(*window), "记录数/" + IntToStr(int(c.Houses.size())));
    }
}

TEST_F(PaidTotals, TheScopeTestsTheFeeRowAndTheEstatePageCountsHouses) {
    RestrictTo("'" + seed::EstateB + "'");
    auto window = Open<TfrmZHJFtotalTJ>();
    ShowPage(*window, 2);
    window->QueryClick();
    EXPECT_EQ(Rows(*window, {"F_XQname", "F_mainID"}), (std::vector<String>{"翠湖花园/1/20"}))
        << "the fee row's estate, though its receipt names estate A";
    EXPECT_EQ(Value(*window, "sCaption"), "(按小区汇总)");
    XQScopeFlag = 0;
    XQScopeSQL.clear();
    auto all = Open<TfrmZHJFtotalTJ>();
    ShowPage(*all, 2);
    all->QueryClick();
    EXPECT_EQ(Rows(*all, {"F_XQname", "F_mainID"}), (std::vector<String>{"翠湖花园/1/20", "阳光小区/1/15"}));
}
