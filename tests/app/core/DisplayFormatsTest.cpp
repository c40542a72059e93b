// Display formats from the decimal places, the column formats of the list windows by field name,
// money shown through them, and the period line of statistics.
#include "GridServicesFixture.h"

#include "gui/ComCtrls.h"
#include "rtl/DateUtils.h"

namespace {

TEST(DisplayFormats, FromTheDecimalPlaces) {
    const struct {
        int Places;
        const char* Money;
        const char* Quantity;
    } cases[] = {
        {0, "￥,0.", "0."}, {2, "￥,0.00", "0.##"}, {4, "￥,0.00##", "0.####"}, {5, "￥,0.00###", "0.#####"}};
    for (const auto& c : cases) {
        DecAmount = DecPrice = DecTotal = c.Places;
        BuildDisplayFormats();
        EXPECT_EQ(FmtTotal, c.Money) << c.Places;
        EXPECT_EQ(FmtPrice, c.Money) << c.Places;
        EXPECT_EQ(FmtAmount, c.Quantity) << c.Places;
    }
    ResetOperatorState();
}

using ColumnFormats = GridServices;

TEST_F(ColumnFormats, ModesSetTheFormatsByFieldName) {
    FmtAmount = "A";
    FmtPrice = "P";
    FmtTotal = "T";
    const char* fields[] = {"F_price", "f_totalPrice", "F_amount", "F_buildAreaPrice", "F_SZtotal", "F_code"};
    const struct {
        int Mode;
        std::vector<String> Formats; // per field, "" where the column keeps its own
    } cases[] = {
        {1, {"P", "T", "A", "", "", ""}}, // "f_buildareaprice" holds no "_price"
        {2, {"T", "T", "", "T", "", ""}}, // "area" and "price": the money format wins
        {3, {"T", "T", "", "T", "", ""}}, {4, {"", "T", "", "", "T", ""}}, {5, {"P", "P", "", "P", "", ""}},
        {0, {"", "", "", "", "", ""}},    {6, {"", "", "", "", "", ""}},
    };
    for (const auto& c : cases) {
        TDBGridGx* grid = NewGrid();
        for (const char* field : fields)
            AddColumn(grid, field, field);
        Dm->ApplyColumnFormats(grid, c.Mode);
        for (size_t i = 0; i < std::size(fields); ++i) {
            TColumnGx* column = grid->Columns()->ColumnAt(static_cast<int>(i));
            EXPECT_EQ(column->DisplayFormat(), c.Formats[i]) << "mode " << c.Mode << " " << fields[i];
            EXPECT_EQ(column->Footer()->DisplayFormat(), c.Formats[i])
                << "mode " << c.Mode << " " << fields[i];
        }
    }
    // Mode 2 on a house area alone: the quantity format.
    TDBGridGx* grid = NewGrid();
    AddColumn(grid, "F_buildArea", "建筑面积");
    Dm->ApplyColumnFormats(grid, 2);
    EXPECT_EQ(grid->Columns()->ColumnAt(0)->DisplayFormat(), "A");
}

// Money and quantities as the list shows them, after the window's layout and formats.
TEST_F(ColumnFormats, MoneyAndQuantitiesShowInTheOfficesDecimals) {
    Dm->ADOcnn()->Execute("create table T_list (F_ID counter, F_totalPrice currency, F_amount double)");
    Dm->ADOcnn()->Execute("insert into T_list (F_totalPrice, F_amount) values (1234.5, 2.125)");
    DecAmount = 2;
    DecTotal = 4;
    DecPrice = 2;
    BuildDisplayFormats();
    AddColumn(Grid, "F_totalPrice", "金额")->SetDisplayFormat("0"); // a saved format, replaced
    AddColumn(Grid, "F_amount", "数量");
    Dm->ApplyColumnFormats(Grid, 1);
    Show("select F_totalPrice, F_amount from T_list");
    EXPECT_EQ(Grid->Columns()->ColumnAt(0)->CurrentCellText(), "￥1,234.50");
    EXPECT_EQ(Grid->Columns()->ColumnAt(1)->CurrentCellText(), "2.13");
}

TEST_F(ColumnFormats, PeriodCaption) {
    TDateTimePicker from(&Form), to(&Form);
    from.SetParent(&Form);
    to.SetParent(&Form);
    from.SetDate(EncodeDate(2024, 1, 1));
    to.SetDate(EncodeDate(2024, 3, 5));
    const struct {
        bool From, To;
        const char* Caption;
    } cases[] = {
        {false, false, "统计日期：自 启用系统 至 记帐最后一天"},
        {true, false, "统计日期：自 2024-01-01 至 记帐最后一天"},
        {false, true, "统计日期：自 启用系统 至 2024-03-05"},
        {true, true, "统计日期：自 2024-01-01 至 2024-03-05"},
    };
    for (const auto& c : cases) {
        from.SetChecked(c.From);
        to.SetChecked(c.To);
        EXPECT_EQ(Dm->PeriodCaption(&from, &to), c.Caption);
    }
}

} // namespace
