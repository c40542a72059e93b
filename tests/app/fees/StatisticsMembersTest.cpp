// The four members over fixtures: payment notices, arrears per household, the stock summary and
// the repair statistics.
#include "StatisticsFixture.h"

#include "app/fees/uFrmBXdetailTj.h"
#include "app/fees/uFrmJFTZbillTJ.h"
#include "app/fees/uFrmKCPJdetailTJ.h"
#include "app/fees/uFrmWYQKbillTJ.h"

#include "gui/StdCtrls.h"

#include <functional>

namespace {

class Notices : public Statistics {
protected:
    // A fee row of house 1 with its period; the room names it.
    void AddPeriod(const String& room, const String& from, const String& to) {
        TFeeRow row;
        row.Room = room;
        AddFee(row);
        Exec("update T_wyFYrec set F_fromDate = :p1, F_toDate = :p2 where F_FZcode = :p3", {from, to, room});
    }
    std::vector<String> Rooms(TStatisticsWindow& window) {
        std::vector<String> rooms = Column(window, "F_FZcode");
        std::sort(rooms.begin(), rooms.end());
        return rooms;
    }
};

} // namespace

TEST_F(Notices, TheMonthKeepsPeriodsThatOverlapIt) {
    AddPeriod("ends-before", "2027-04-01", "2027-04-30");
    AddPeriod("ends-inside", "2027-04-15", "2027-05-10");
    AddPeriod("starts-inside", "2027-05-31", "2027-06-30");
    AddPeriod("starts-after", "2027-06-01", "2027-06-30");
    AddPeriod("leap-day", "2028-02-29", "2028-03-31");
    AddPeriod("march", "2028-03-01", "2028-03-31");
    auto window = Open<TfrmJFTZbillTJ>();
    EXPECT_TRUE(window->dtpMonth->Enabled()) << "enabled until the box is first clicked";
    EXPECT_EQ(window->dtpMonth->DateMode(), dmUpDown);
    EXPECT_EQ(window->dtpMonth->Format(), "yyyy-MM");
    window->QueryClick();
    EXPECT_EQ(CountPanel(*window), "记录数/6") << "the month counts only while ticked";
    window->CheckBox1->SetChecked(true);
    window->CheckBox1->Click();
    EXPECT_EQ(window->dtpMonth->Enabled(), window->CheckBox1->Checked());
    window->CheckBox1->SetChecked(true);
    window->dtpMonth->SetDate(EncodeDate(2027, 5, 17));
    window->QueryClick();
    EXPECT_EQ(Rooms(*window), (std::vector<String>{"ends-inside", "starts-inside"}));
    window->dtpMonth->SetDate(EncodeDate(2028, 2, 3));
    window->QueryClick();
    EXPECT_EQ(Rooms(*window), (std::vector<String>{"leap-day"}));
}

TEST_F(Notices, EachFilterMatchesByItsRule) {
    TFeeRow row;
    row.Room = "A101";
    row.Memo = "first floor";
    row.Item = "水费";
    AddFee(row);
    row.Room = "XA101";
    row.Memo = "it's 'quoted'";
    row.Item = "物业费";
    row.House = 2;
    AddFee(row);
    Exec("update T_wyFYrec set F_empName = '王经手', F_LDcode = '1号楼' where F_FZcode = 'A101'");
    Exec("update T_wyFYrec set F_LDcode = '21号楼' where F_FZcode = 'XA101'");
    struct TCase {
        const char* Name;
        std::function<void(TfrmJFTZbillTJ&)> Fill;
        std::vector<String> Rooms;
    };
    const std::vector<TCase> cases = {
        {"room prefix", [](auto& w) { w.edtFZcode->SetText("A10"); }, {"A101"}},
        {"room not inside", [](auto& w) { w.edtFZcode->SetText("101"); }, {}},
        {"building prefix", [](auto& w) { w.edtLDcode->SetText("1号"); }, {"A101"}},
        {"estate contains", [](auto& w) { w.cbbXQname->SetText(seed::EstateB.substr(3, 6)); }, {"XA101"}},
        {"owner contains", [](auto& w) { w.edtFZname->SetText("主2"); }, {"XA101"}},
        {"handler contains", [](auto& w) { w.cbbEmpName->SetText("经"); }, {"A101"}},
        {"item contains", [](auto& w) { w.cbbSFname->SetText("业"); }, {"XA101"}},
        {"memo contains, a quote typed", [](auto& w) { w.edtMemo1->SetText(" 's 'q "); }, {"XA101"}},
        {"blanks add nothing", [](auto& w) { w.edtMemo1->SetText("   "); }, {"A101", "XA101"}},
    };
    for (const TCase& c : cases) {
        auto window = Open<TfrmJFTZbillTJ>();
        c.Fill(*window);
        window->QueryClick();
        EXPECT_EQ(Rooms(*window), c.Rooms) << c.Name;
        EXPECT_TRUE(Messages.empty()) << c.Name;
    }
}

TEST_F(Notices, PaidRowsShowTheirReceiptNumberAndUnsetDatesShowEmpty) {
    TFeeRow row;
    row.Room = "P1";
    row.Paid = true;
    AddFee(row);
    row.Room = "U1";
    row.Paid = false;
    AddFee(row);
    Exec("update T_wyFYrec set F_fromDate = '1900-08-14' where F_FZcode = 'U1'");
    auto window = Open<TfrmJFTZbillTJ>();
    window->QueryClick();
    window->TitleClick(window->DBGridGx1->ColumnByFieldName("F_FZcode")); // U1 first
    window->TitleClick(window->DBGridGx1->ColumnByFieldName("F_FZcode")); // P1 first
    EXPECT_EQ(Column(*window, "F_FZcode"), (std::vector<String>{"P1", "U1"}));
    EXPECT_EQ(Column(*window, "F_JFcode"), (std::vector<String>{"20270520001", ""}));
    EXPECT_EQ(Column(*window, "F_fromDate"), (std::vector<String>{"2027-04-30", ""}));
}

// ---- arrears ---------------------------------------------------------------------------------------

namespace {

class Arrears : public Statistics {
protected:
    void SetUp() override {
        Statistics::SetUp();
        TFeeRow row;
        row.Method = "按面积";
        row.Item = "物业费";
        row.Amount = "65.35";
        row.Price = "1.5";
        row.Total = "98.025";
        row.SFdate = "2027-05-31";
        AddFee(row); // house 1 owes 98.025
        row.Item = "水费";
        row.Amount = "10";
        row.Total = "32";
        row.SFdate = "2027-04-30";
        row.EditDate = "2027-04-01";
        AddFee(row); // and 32 more
        row.House = 3;
        row.Total = "15";
        row.Paid = true;
        AddFee(row); // house 3 has paid everything
        row.House = 5;
        row.Paid = false;
        row.Total = "7";
        row.Room = seed::RoomCode(0);
        row.Owner = "业主1";
        row.Estate = seed::EstateA;
        AddFee(row); // house 5 bears house 1's texts
    }
};

} // namespace

TEST_F(Arrears, HouseholdsTotalTheirUnpaidRowsAndTheDetailFollows) {
    auto window = Open<TfrmWYQKbillTJ>();
    window->QueryClick();
    EXPECT_EQ(CountPanel(*window), "欠费住户数/2") << "two houses with the same texts stay two rows";
    EXPECT_EQ(Column(*window, "F_mainID"), (std::vector<String>{"1", "5"}));
    EXPECT_EQ(window->DBGridGx1->ColumnByFieldName("F_totalPrice")->CurrentCellText(), "￥130.03");
    EXPECT_EQ(Footer(*window, "F_totalPrice"), "￥137.03");
    EXPECT_EQ(window->QryDetail->RecordCount(), 2);
    EXPECT_EQ(window->QryDetail->FieldByName("F_SFname")->AsString(), "水费") << "by edit date";
    window->NextClick();
    EXPECT_EQ(window->QryDetail->RecordCount(), 1);
    EXPECT_EQ(window->QryDetail->FieldByName("F_totalPrice")->AsCurrency(), Currency::FromInt(7));

    // A fee item lowers the totals to that item and lists its rows alone.
    window->cbbSFname->SetText("物业");
    window->QueryClick();
    EXPECT_EQ(CountPanel(*window), "欠费住户数/1");
    EXPECT_EQ(window->DBGridGx1->ColumnByFieldName("F_totalPrice")->CurrentCellText(), "￥98.03");
    EXPECT_EQ(Footer(*window, "F_totalPrice"), "￥98.03");
    EXPECT_EQ(window->QryDetail->RecordCount(), 1);

    // A deadline range keeps households with an unpaid row inside it, summing only those rows.
    window->cbbSFname->SetText("");
    Tick(window->dtpFromDate, 2027, 4, 1);
    Tick(window->dtptoDate, 2027, 4, 30);
    window->QueryClick();
    EXPECT_EQ(Column(*window, "F_mainID"), (std::vector<String>{"1", "5"}));
    EXPECT_EQ(window->QryTable->FieldByName("F_totalprice")->AsCurrency(), Currency::FromInt(32));
    EXPECT_EQ(window->QryDetail->RecordCount(), 1);
    EXPECT_EQ(window->MemDate(), "统计日期：自 2027-04-01 至 2027-04-30");
}

// ---- stock summary ---------------------------------------------------------------------------------

namespace {

class StockSummary : public Statistics {
protected:
    void SetUp() override {
        Statistics::SetUp();
        Exec("delete from T_PJinfo");
        AddPart("P1", seed::EstateA, "10", "8", 5);
        AddPart("P2", seed::EstateA, "0", "4", 1);
        AddPart("S1", seed::EstateA, "2", "1", 2);
        AddPart("S1", seed::EstateB, "2", "1", 3);
        AddPart("E1", "", "1", "1", 0);
        Move("P1", seed::EstateA, 10, 1);
        Move("P1", seed::EstateA, 5, 1);
        Move("P1", seed::EstateA, 2, -1);
        Move("S1", seed::EstateA, 4, 1);
        Move("S1", seed::EstateB, 6, 1);
        Move("E1", "", 2, 1);
        Move("P9", seed::EstateA, 7, 1); // a code gone from the parts
        AddRepair("001", seed::EstateA, "101", "王一", "2027-05-02", "2027-05-03", "0", "39");
        AddRepair("002", seed::EstateB, "102", "赵二", "2027-05-04", "2027-05-05", "0", "5");
        Line("001", "P1", 3, "30");
        Line("001", "P2", 2, "9");
        Line("002", "S1", 1, "5");
        Line("001", "P9", 1, "1");
    }
    void AddPart(const String& code, const String& estate, const String& presale, const String& purchase,
                 int stock) {
        Exec("insert into T_PJinfo (F_code, F_name, F_type, F_XQname, F_price1, F_price2, F_amount) values "
             "(:p1, :p2, '五金', :p3, " + presale + ", " + purchase + ", " + IntToStr(stock) + ")",
             {code, "件" + code, estate});
    }
    void Move(const String& code, const String& estate, int amount, int flag) {
        Exec("insert into T_pjJHrec (F_PJcode, F_amount, F_OperFlag, F_XQname) values (:p1, " +
                 IntToStr(amount) + ", " + IntToStr(flag) + ", :p2)",
             {code, estate});
    }
    void Line(const String& repair, const String& code, int amount, const String& total) {
        Exec("insert into t_ZHBXdetail (F_code, F_PJcode, F_amount, F_totalprice) values (:p1, :p2, " +
                 IntToStr(amount) + ", " + total + ")",
             {repair, code});
    }
    // code|estate|stock|value|in|out|used|used value|rate per listed part, sorted.
    static std::vector<String> Figures(TStatisticsWindow& window) {
        std::vector<String> rows;
        TADOQuery* q = window.QryTable;
        for (q->First(); !q->Eof(); q->Next()) {
            String row = q->FieldByName("F_code")->AsString() + "|" + q->FieldByName("F_XQname")->AsString();
            for (const char* f : {"F_amount", "F_totalprice", "F_enter", "F_out", "F_sale", "F_salePrice", "F_rate"})
                row += "|" + FloatToStr(q->FieldByName(f)->AsFloat());
            rows.push_back(row);
        }
        std::sort(rows.begin(), rows.end());
        return rows;
    }
};

} // namespace

TEST_F(StockSummary, TheStatementsSumEachPartsOwnMovementsAndRepairLines) {
    auto window = Open<TfrmKCPJdetailTJ>();
    window->QueryClick();
    const String a = seed::EstateA, b = seed::EstateB;
    EXPECT_EQ(Figures(*window), (std::vector<String>{
                                    "E1||0|0|2|0|0|0|0",
                                    "P1|" + a + "|5|40|15|2|3|30|1",
                                    "P2|" + a + "|1|4|0|0|2|9|0", // presale 0: the rate stays 0
                                    "S1|" + b + "|3|3|6|0|1|5|2.5", // 翠 sorts before 阳
                                    "S1|" + a + "|2|2|4|0|0|0|0",
                                }));
    EXPECT_EQ(CountPanel(*window), "记录数/5");
    // The quantities in the money format; one code in two estates counted once each.
    EXPECT_EQ(Footer(*window, "F_enter"), "￥27.00");
    EXPECT_EQ(Footer(*window, "F_out"), "￥2.00");
    EXPECT_EQ(Footer(*window, "F_sale"), "￥6.00");
    EXPECT_EQ(window->DBGridGx1->ColumnByFieldName("F_sale")->DisplayFormat(), FmtTotal);
    // The gone code was summed into the work table but is not listed.
    EXPECT_EQ(One("select count(*) from tempDepot"), "5");
}

TEST_F(StockSummary, RepairLinesKeepingTheirPartRowCountForThatRow) {
    // The line of S1 names the row of estate A although its repair is in estate B.
    Exec("update t_ZHBXdetail set F_PJid = (select F_ID from T_PJinfo where F_code = 'S1' and F_XQname = :p1) "
         "where F_PJcode = 'S1'",
         {seed::EstateA});
    auto window = Open<TfrmKCPJdetailTJ>();
    window->QueryClick();
    const std::vector<String> figures = Figures(*window);
    EXPECT_EQ(figures[3], "S1|" + seed::EstateB + "|3|3|6|0|0|0|0");
    EXPECT_EQ(figures[4], "S1|" + seed::EstateA + "|2|2|4|0|1|5|2.5");
    EXPECT_EQ(figures[1], "P1|" + seed::EstateA + "|5|40|15|2|3|30|1") << "lines without a row: by code and estate";
}

TEST_F(StockSummary, ARestrictedOperatorSeesItsEstatesAndPartsWithout) {
    RestrictTo("'" + seed::EstateA + "'");
    auto window = Open<TfrmKCPJdetailTJ>();
    window->QueryClick();
    EXPECT_EQ(Column(*window, "F_code").size(), 4u);
    EXPECT_EQ(Footer(*window, "F_enter"), "￥21.00") << "estate B's intake is not listed";
    window->edtPJcode->SetText("1");
    window->QueryClick();
    EXPECT_EQ(Figures(*window).size(), 3u) << "E1, P1, S1 of estate A";
}

// ---- repair statistics -----------------------------------------------------------------------------

namespace {

class RepairStatistics : public Statistics {
protected:
    void SetUp() override {
        Statistics::SetUp();
        AddRepair("001", seed::EstateA, "101", "王一", "2027-05-02", "2027-05-03", "10", "5", "张三", "李四",
                  "水管漏水", "更换水管", "满意");
        AddRepair("002", seed::EstateB, "102", "赵二", "2027-05-04", "1900-08-14", "20", "0", "小张", "老李",
                  "灯不亮", "", "");
        AddRepair("003", seed::EstateA, "201", "孙三", "2027-05-20", "2027-05-25", "30", "7.5", "张三", "李四",
                  "门锁坏", "修好门锁", "很满意");
    }
    std::vector<String> Codes(TfrmBXdetailTj& window) { return Column(window, "F_code"); }
};

} // namespace

TEST_F(RepairStatistics, DateBoundsAndTheRepairNotYetDone) {
    struct TCase {
        const char* Name;
        std::function<void(TfrmBXdetailTj&)> Fill;
        std::vector<String> Codes;
    };
    const std::vector<TCase> cases = {
        {"none", [](auto&) {}, {"001", "002", "003"}},
        {"report from", [](auto& w) { Tick(w.dtpFromDate, 2027, 5, 4); }, {"002", "003"}},
        {"report to", [](auto& w) { Tick(w.dtpToDate, 2027, 5, 4); }, {"001", "002"}},
        {"repair from", [](auto& w) { Tick(w.dtpFromDate1, 2027, 5, 1); }, {"001", "003"}},
        {"repair to keeps repaired records only", [](auto& w) { Tick(w.dtptoDate1, 2027, 5, 10); }, {"001"}},
    };
    for (const TCase& c : cases) {
        auto window = Open<TfrmBXdetailTj>();
        c.Fill(*window);
        window->QueryClick();
        EXPECT_EQ(Codes(*window), c.Codes) << c.Name;
    }
}

TEST_F(RepairStatistics, TextFiltersTitlesAndTheUnsetRepairDate) {
    struct TCase {
        const char* Name;
        std::function<void(TfrmBXdetailTj&)> Fill;
        std::vector<String> Codes;
    };
    const std::vector<TCase> cases = {
        {"receptionist prefix", [](auto& w) { w.cbbJDemp->SetText("张"); }, {"001", "003"}},
        {"receptionist not inside", [](auto& w) { w.cbbJDemp->SetText("三"); }, {}},
        {"repairer prefix", [](auto& w) { w.cbbWXemp->SetText("老"); }, {"002"}},
        {"fault contains", [](auto& w) { w.edtMemo1->SetText("漏"); }, {"001"}},
        {"result contains", [](auto& w) { w.edtMemo2->SetText("门"); }, {"003"}},
        {"room prefix", [](auto& w) { w.edtFZcode->SetText("10"); }, {"001", "002"}},
        {"owner contains", [](auto& w) { w.edtFZname->SetText("三"); }, {"003"}},
        {"satisfaction prefix", [](auto& w) { w.cbbMYtype->SetText("满"); }, {"001"}},
    };
    for (const TCase& c : cases) {
        auto window = Open<TfrmBXdetailTj>();
        c.Fill(*window);
        window->QueryClick();
        EXPECT_EQ(Codes(*window), c.Codes) << c.Name;
    }
    auto window = Open<TfrmBXdetailTj>();
    window->QueryClick();
    EXPECT_EQ(Column(*window, "F_xfDate"), (std::vector<String>{"2027-05-03", "", "2027-05-25"}));
    std::vector<String> titles;
    for (const char* field : {"F_xfDate", "F_totalprice", "F_memo2", "F_MYtype"})
        titles.push_back(window->DBGridGx1->ColumnByFieldName(field)->Title()->Caption());
    EXPECT_EQ(titles, (std::vector<String>{"修复日期", "费用合计", "处理结果", "满 意 度"}));
    EXPECT_EQ(Footer(*window, "F_totalprice"), "￥72.50");
}
