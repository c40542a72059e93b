// Money in the database: CURRENCY columns read as exact Currency, the arithmetic over them stays
// money and rounds once, the column holds what it can hold exactly and refuses the rest, and
// floating-point numbers show as they read.
#include "DbFixture.h"
#include "db/JetSql.h"
#include "rtl/Format.h"
#include "rtl/StrUtils.h"

namespace {

class MoneyTest : public DbTest {
protected:
    void SetUp() override {
        DbTest::SetUp();
        Run("create table T_fee (F_ID counter, F_amount double, F_price currency, F_totalPrice currency, "
            "F_flag long default 1)");
    }
    void AddFee(const String& amount, const String& price) {
        Run("insert into T_fee (F_amount, F_price) values (" + amount + ", " + price + ")");
    }
    // The only value of a one-row, one-column statement, which must be a money field.
    TField* Single(TADOQuery& q) {
        q.Open();
        EXPECT_EQ(q.RecordCount(), 1);
        TField* f = q.Fields()[0];
        EXPECT_EQ(f->DataType(), ftBCD) << f->FieldName();
        auto* money = dynamic_cast<TBCDField*>(f);
        EXPECT_TRUE(money && money->Currency()) << f->FieldName();
        return f;
    }
    int Count() { return StrToInt(Rows("select count(*) from T_fee")); }
};

// A quantity times a price is stored rounded once to the ten-thousandth, a tie to the even
// neighbour, and shows half away from zero at two decimals as every money text does.
TEST_F(MoneyTest, QuantityTimesPriceRoundsOnceAndShowsLikeCurrency) {
    const struct {
        const char* Amount;
        const char* Price;
        Int64 Raw;         // the stored total in ten-thousandths
        const char* Shown; // with "￥,0.00"
    } cases[] = {
        {"65.35", "1.5", 980250, "￥98.03"}, // the double product is 98.024999999999991
        {"-65.35", "1.5", -980250, "-￥98.03"},
        {"0.3", "0.0005", 2, "￥0.00"},  // 0.00015: a tie, to the even 0.0002
        {"0.5", "0.0005", 2, "￥0.00"},  // 0.00025: a tie, to the even 0.0002
        {"1.005", "1", 10050, "￥1.01"}, // the double 1.005 is 1.00499999999999989...
        {"3", "33.3333", 999999, "￥100.00"},
        {"1234567.5", "80000", 987654000000000LL, "￥98,765,400,000.00"},
    };
    for (const auto& c : cases) {
        Run("delete from T_fee");
        AddFee(c.Amount, c.Price);
        Run("update T_fee set F_totalPrice = F_amount * F_price");
        auto q = Query("select F_totalPrice, F_price * F_amount as F_product from T_fee");
        q->Open();
        for (int i = 0; i < 2; ++i) {
            auto* f = dynamic_cast<TBCDField*>(q->Fields()[i]);
            ASSERT_TRUE(f && f->Currency()) << c.Amount << " " << i;
            EXPECT_EQ(f->AsCurrency().Value, c.Raw) << c.Amount << " x " << c.Price;
            f->SetDisplayFormat("￥,0.00;-￥,0.00");
            EXPECT_EQ(f->DisplayText(), c.Shown) << c.Amount << " x " << c.Price;
        }
    }
}

TEST_F(MoneyTest, SumsAndIntegerArithmeticStayExactMoney) {
    Cnn->BeginTrans();
    for (int i = 0; i < 1000; ++i)
        AddFee("1", "0.01");
    Cnn->CommitTrans();
    auto thousand = Query("select sum(F_price) from T_fee");
    EXPECT_EQ(Single(*thousand)->AsCurrency(), Currency::FromRaw(100000));
    EXPECT_EQ(FormatCurr("0.00", thousand->Fields()[0]->AsCurrency()), "10.00");
    EXPECT_EQ(thousand->Fields()[0]->FieldName(), "sum(F_price)"); // the name SQLite gives it

    Run("delete from T_fee");
    for (int i = 0; i < 3; ++i)
        AddFee("1", "0.1");
    auto three = Query("select sum(F_price) as F_sum from T_fee");
    EXPECT_EQ(Single(*three)->AsCurrency(), Currency::FromRaw(3000));
    EXPECT_EQ(three->Fields()[0]->AsString(), "0.3");
    // A sum compared with a typed amount, in the statement itself.
    EXPECT_EQ(Rows("select count(*) from T_fee having sum(F_price) = 0.3"), "3");
    EXPECT_EQ(Rows("select count(*) from T_fee where F_price * 3 = 0.3"), "3");

    const struct {
        const char* Expression;
        Int64 Raw;
    } cases[] = {
        {"sum(F_price * F_flag)", 3000},     {"sum(F_price + F_price + F_price)", 9000},
        {"max(F_price) - 1", -9000},         {"F_price * 3 + 1", 13000},
        {"-(F_price * F_flag)", -1000},      {"iif(F_flag = 1, F_price, 0)", 1000},
        {"Nz(F_totalPrice, F_price)", 1000}, {"(select max(F_price) from T_fee) * 7", 7000},
    };
    for (const auto& c : cases) {
        auto q = Query(String("select top 1 ") + c.Expression + " from T_fee");
        EXPECT_EQ(Single(*q)->AsCurrency().Value, c.Raw) << c.Expression;
    }
    // A table made from money keeps it money.
    Run("select sum(F_price) as F_sum, count(*) as F_count into T_sums from T_fee");
    auto made = Query("select F_sum from T_sums");
    EXPECT_EQ(Single(*made)->AsCurrency(), Currency::FromRaw(3000));
    // Division and products of plain numbers stay numbers.
    auto q = Query("select top 1 F_price / 3, F_amount * 2 from T_fee");
    q->Open();
    EXPECT_EQ(q->Fields()[0]->DataType(), ftFloat);
    EXPECT_EQ(q->Fields()[1]->DataType(), ftFloat);
}

TEST_F(MoneyTest, CurrencyParametersBindExactlyAndFindTheirRows) {
    TADOCommand insert;
    insert.SetConnection(Cnn.get());
    insert.SetCommandText("insert into T_fee (F_amount, F_price) values (1, :p)");
    for (Int64 raw : {980250LL, -980250LL, 1LL, 999999999999999LL, 50000LL}) {
        insert.Parameters()->ParamByName("p")->SetValue(Variant(Currency::FromRaw(raw)));
        insert.Execute();
        auto q = Query("select F_price from T_fee where F_price = :p");
        q->Parameters()->ParamByName("p")->SetValue(Variant(Currency::FromRaw(raw)));
        EXPECT_EQ(Single(*q)->AsCurrency().Value, raw);
    }
}

// An amount a money column cannot hold exactly is refused with the overflow error, and nothing is
// written, whether it comes from a field, a parameter, the statement's text or a computation.
TEST_F(MoneyTest, AnAmountBeyondTheColumnRaisesOverflowAndWritesNothing) {
    AddFee("1", "60000000000");
    auto q = Query("select * from T_fee");
    q->Open();
    q->Append();
    q->FieldByName("F_price")->SetAsCurrency(Currency::FromInt(922000000000000LL));
    try {
        q->Post();
        ADD_FAILURE() << "posted";
    } catch (const EDatabaseError& e) {
        EXPECT_EQ(e.Message(), "Overflow: the amount 922000000000000 is beyond what a money column holds "
                               "(99999999999.9999 at most, either way).");
    }
    q->Cancel();
    const char* statements[] = {
        "insert into T_fee (F_price) values (922000000000000)",
        "insert into T_fee (F_price) values (100000000000)",
        "update T_fee set F_totalPrice = F_price * 2",
        "update T_fee set F_totalPrice = F_price + F_price",
        "insert into T_fee (F_price) select sum(F_price) + 50000000000 from T_fee",
    };
    for (const char* sql : statements) {
        try {
            Run(sql);
            ADD_FAILURE() << sql;
        } catch (const EDatabaseError& e) {
            EXPECT_EQ(e.Message().rfind("Overflow: the amount ", 0), 0u) << sql << ": " << e.Message();
        }
    }
    EXPECT_EQ(Rows("select F_price, F_totalPrice from T_fee"), "60000000000,null");
    // The largest amount a column holds goes in and comes back.
    Run("insert into T_fee (F_price) values (99999999999.9999)");
    EXPECT_EQ(Rows("select F_price from T_fee where F_price > 70000000000"), "99999999999.9999");
    // Text is no amount.
    EXPECT_THROW(Run("insert into T_fee (F_price) values ('abc')"), EDatabaseError);
    EXPECT_EQ(Count(), 2);
}

TEST_F(MoneyTest, ADoubleColumnShowsItsNumberAsItReads) {
    Run("create table T_old (F_ID counter, F_price double)");
    for (const char* v : {"1.005", "2.675", "98.025", "-98.025", "0.125", "1.0049"})
        Run(String("insert into T_old (F_price) values (") + v + ")");
    auto q = Query("select F_price from T_old order by F_ID");
    q->Open();
    auto* f = dynamic_cast<TFloatField*>(q->Fields()[0]);
    ASSERT_TRUE(f);
    f->SetDisplayFormat("￥,0.00;-￥,0.00");
    String shown;
    for (q->First(); !q->Eof(); q->Next())
        shown += f->DisplayText() + " ";
    EXPECT_EQ(shown, "￥1.01 ￥2.68 ￥98.03 -￥98.03 ￥0.13 ￥1.00 ");
}

// The money pass of the translation: what it rewrites, and what it leaves alone.
TEST(JetMoneyTranslation, RewritesArithmeticOverMoneyColumnsOnly) {
    const auto kinds = [](const String& table, const String& column) {
        const String key = LowerCase(table + "." + column);
        for (const char* money : {"t_yskrec.f_price", "tempfyrec.f_sz1", "tempfyrec.f_sz2",
                                  "t_pjinfo.f_price2", "tempdepot.f_totalprice"})
            if (key == money) return TJetColumnKind::Currency;
        if (key == "t_yskrec.f_operflag") return TJetColumnKind::Integer;
        if (EndsText("f_amount", key) || EndsText("f_rate", key)) return TJetColumnKind::Float;
        return TJetColumnKind::Unknown;
    };
    const struct {
        const char* Jet;
        const char* Sqlite;
        const char* Money; // the result columns that hold money, joined by "|"
    } cases[] = {
        {"select sum(F_price * F_operFlag) as F_price from T_YSKrec where F_mainID = 3",
         "select orv_csum(orv_cmul(F_price, F_operFlag)) as F_price from T_YSKrec where F_mainID = 3",
         "F_price"},
        {"select F_XQname, sum(F_SZ1 + F_SZ2) from tempFYrec group by F_XQname",
         "select F_XQname, orv_csum(orv_cadd(F_SZ1, F_SZ2)) AS \"sum(orv_add(F_SZ1, F_SZ2))\" from tempFYrec "
         "group by F_XQname",
         "sum(orv_add(F_SZ1, F_SZ2))"},
        {"update (tempDepot as td Left join T_PJinfo as g on td.F_PJcode = g.F_code) "
         "set td.F_totalprice = td.F_amount * g.F_price2",
         "UPDATE tempDepot AS td SET F_totalprice = orv_cmul((SELECT g.F_price2 FROM T_PJinfo AS g WHERE "
         "td.F_PJcode = g.F_code), td.F_amount) COLLATE NOCASE",
         ""},
        {"select F_amount * F_rate, F_SZ1 / 2, count(*), t.* from tempFYrec t",
         "select F_amount * F_rate, orv_div(F_SZ1, 2), count(*), t.* from tempFYrec t", ""},
        {"select F_SZ1 - :p as a, F_SZ1 & '' as b from tempFYrec",
         "select orv_csub(F_SZ1, ?1) as a, orv_concat(F_SZ1, '') as b from tempFYrec", "a"},
        {"select F_SZ1, x.F_SZ2 from tempFYrec x", "select F_SZ1, x.F_SZ2 from tempFYrec x", "F_SZ1|F_SZ2"},
    };
    for (const auto& c : cases) {
        const TJetStatement st = TranslateJetSql(c.Jet, kinds);
        EXPECT_EQ(st.Sql, c.Sqlite) << c.Jet;
        String money;
        for (const String& name : st.MoneyColumns)
            money += (money.empty() ? "" : "|") + name;
        EXPECT_EQ(money, c.Money) << c.Jet;
    }
}

} // namespace
