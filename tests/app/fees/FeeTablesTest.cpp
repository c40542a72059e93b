// The fee tables as the fee windows read them: the defaults that make a new row an unpaid ledger
// row, the previous reading of a house, item and method, the prepayment balance, and the indexes
// of the repeated reads.
#include "FeesFixture.h"

#include "app/fees/FeeTables.h"

#include "rtl/StrUtils.h"

#include <cstdlib>
#include <fstream>
#include <iterator>

namespace {

class FeeTables : public Fees {};

TEST_F(FeeTables, ARowWrittenWithoutItsFlagsIsAnUnpaidLedgerRow) {
    Dm->RunSQL("insert into T_wyFYrec (F_mainID, F_XQname, F_SFtype, F_SFname, F_editDate, F_totalPrice) "
               "values (3, '阳光小区', '按用量', '水费', '2027-05-02', 12.5)");
    Dm->RunSQL("insert into T_wyFYrec (F_mainID, F_XQname, F_SFtype, F_SFname, F_editDate, F_totalPrice, "
               "F_GTflag, F_GTid) values (3, '阳光小区', '按用量', '水费', '2027-05-03', 7, 1, '00000001')");
    EXPECT_EQ(Rows("select F_JFflag, F_GTflag, F_JFcode from T_wyFYrec where F_mainID = 3 order by F_ID"),
              (std::vector<String>{"False|0|", "False|1|"}));
    EXPECT_EQ(One("select count(*) from T_wyFYrec where F_mainID = 3 and F_JFflag = False"), "2");
    auto ledger = OpenLedger();
    // The ledger lists the plain row, never the shared-meter one.
    EXPECT_EQ(Listed(*ledger, "F_editDate"), std::vector<String>{"2027-05-02"});
    EXPECT_EQ(ledger->QryTable->FieldByName("F_totalPrice")->AsCurrency(), Currency::FromDouble(12.5));
}

TEST_F(FeeTables, ThePreviousReadingIsTheHighestOfTheHousesItemAndMethod) {
    TFeeRow row;
    row.House = 5;
    for (const char* reading : {"120.5", "480.25", "300"}) { // the latest is not the highest
        row.Current = reading;
        AddFee(row);
    }
    TFeeRow other = row;
    other.House = 6;
    other.Current = "9999";
    AddFee(other); // another house
    other = row;
    other.Item = "电费";
    other.Current = "8888";
    AddFee(other); // another item
    other = row;
    other.Method = "按用量计";
    other.Current = "7777";
    AddFee(other); // another method
    const struct {
        int House;
        String Method, Item;
        double Reading;
    } cases[] = {
        {5, "按用量", "水费", 480.25}, {6, "按用量", "水费", 9999}, {5, "按用量", "电费", 8888},
        {5, "按用量计", "水费", 7777}, {7, "按用量", "水费", 0},    {5, "按面积", "水费", 0},
        {5, "按用量", "水费'", 0}, // a quote in a name is a character of the name
    };
    for (const auto& c : cases)
        EXPECT_EQ(PreviousReading(c.House, c.Method, c.Item), c.Reading) << c.House << c.Method << c.Item;
    EXPECT_TRUE(Messages.empty());
}

TEST_F(FeeTables, ThePrepaymentBalanceIsTheSignedSumExactly) {
    EXPECT_EQ(PrepaymentBalance(4), Currency());
    for (const char* movement : {"(4, 100.1, 1)", "(4, 0.2, 1)", "(4, 30.05, -1)", "(9, 500, 1)"})
        Dm->RunSQL(String("insert into T_YSKrec (F_mainID, F_price, F_OperFlag) values ") + movement);
    EXPECT_EQ(PrepaymentBalance(4), Currency::FromRaw(702500)); // 100.1 + 0.2 - 30.05
    EXPECT_EQ(PrepaymentBalance(9), Currency::FromInt(500));
    EXPECT_EQ(PrepaymentBalance(10), Currency());
}

TEST_F(FeeTables, TheRepeatedReadsHaveTheirIndexes) {
    const String out = Prog() + "indexes.txt";
    ASSERT_EQ(std::system(("sqlite3 '" + Prog() +
                           "data/wuyegl.mdb' \"select name || ':' || sql from sqlite_master "
                           "where type = 'index' and (tbl_name like 'T_wyF%' or tbl_name = 'T_YSKrec') "
                           "order by name\" > '" +
                           out + "'")
                              .c_str()),
              0);
    std::ifstream in(out);
    const String text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    for (const char* expected : {"ix_wyFYrec_item:", "(F_mainID, F_SFtype, F_SFname)", "ix_wyFYrec_JFcode:",
                                 "(F_JFcode)", "ix_YSKrec_mainID:", "(F_mainID)", "ux_wyFKrec_code:"})
        EXPECT_NE(text.find(expected), String::npos) << expected << "\n" << text;
}

} // namespace
