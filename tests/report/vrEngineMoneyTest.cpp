// Money in a prepared report: amounts of a CURRENCY column come to the report as Currency, so a
// text object's format and a total show the same cents as the cell and the footer of the grid.
#include "vrEngineFixture.h"

#include <gtest/gtest.h>

namespace {

TEST_F(EngineTest, MoneyFieldsFormatAndTotalAsTheExactAmount) {
    Run("CREATE TABLE M (F_id INTEGER, F_amount DOUBLE, F_price CURRENCY, F_totalPrice CURRENCY)");
    const char* rows[][2] = {{"65.35", "1.5"}, {"1.005", "1"}, {"1", "0.1"},
                             {"1", "0.1"},     {"1", "0.1"},   {"-65.35", "1.5"}};
    int id = 0;
    for (const auto& r : rows)
        Run("INSERT INTO M (F_id, F_amount, F_price) VALUES (" + IntToStr(++id) + ", " + r[0] + ", " + r[1] +
            ")");
    Run("UPDATE M SET F_totalPrice = F_amount * F_price");
    Query_ = Query("SELECT * FROM M ORDER BY F_id");
    Data = new TvrDBDataset(&Module);
    Data->SetName("vrDM");
    Data->SetDataSet(Query_.get());
    LoadLayout(
        LayoutText(BandXml("TvrMasterData", "MasterData1", 100, 20,
                           "[vrDM.&#34;F_totalPrice&#34; #n%2.2m] [vrDM.&#34;F_totalPrice&#34; #n￥#,##0.00]",
                           "DataSetName=\"vrDM\"") +
                   BandXml("TvrFooter", "Footer1", 150, 20,
                           "[SUM(vrDM.&#34;F_totalPrice&#34;) #n￥#,##0.00] [SUM(vrDM.&#34;F_price&#34;)]")));
    ASSERT_TRUE(Prepare()) << Report->ErrorList()->Text();
    std::vector<String> texts;
    for (const TPreparedBand& b : BandsOf(0))
        texts.push_back(b.Text);
    EXPECT_EQ(texts,
              (std::vector<String>{"￥98.03 ￥98.03", "￥1.01 ￥1.01", "￥0.10 ￥0.10", "￥0.10 ￥0.10",
                                   "￥0.10 ￥0.10", "￥-98.03 -￥98.03", "￥1.31 4.3"}));
}

} // namespace
