// Money in the data grid: a money column's cells, its footer sum and the grid's export show the
// same cents, rounded from the exact amounts; the export is read back by Python's csv module.
#include "CodecTestTools.h"
#include "DBGridGxFixture.h"
#include "grid/DBGridGxImpExpGrid.h"
#include "rtl/CodePage.h"
#include "rtl/Streams.h"

#include <gtest/gtest.h>

namespace {

// The rows of a CSV export as Python's csv module reads them, one line each, cells joined by "|".
std::string PythonCsvRows(const std::string& file) {
    std::string out;
    codectest::Run("python3 -c \"import csv,sys; [print('|'.join(r)) for r in csv.reader(open(sys.argv[1], "
                   "encoding='gbk', newline=''), delimiter=';')]\" " +
                       file,
                   &out);
    return out;
}

class MoneyGridTest : public DBGridTest {};

TEST_F(MoneyGridTest, CellsFooterAndExportShowTheSameCents) {
    Run("create table T_money (F_ID counter, F_amount double, F_price currency, F_totalPrice currency)");
    for (const char* row : {"65.35, 1.5", "1.005, 1", "-65.35, 1.5", "1, 0.1"})
        Run(String("insert into T_money (F_amount, F_price) values (") + row + ")");
    Run("update T_money set F_totalPrice = F_amount * F_price");
    Grid->BeginLayout();
    for (const char* name : {"F_amount", "F_totalPrice"})
        Grid->Columns()->AddColumn()->SetFieldName(name);
    Grid->EndLayout();
    Grid->SetFooterRowCount(1);
    Grid->SumList()->SetActive(true);
    OpenGrid("select F_amount, F_totalPrice from T_money order by F_ID");
    TColumnGx* money = Grid->Columns()->ColumnAt(1);
    money->SetDisplayFormat("￥,0.00");
    money->Footer()->SetDisplayFormat("￥,0.00");
    money->Footer()->SetValueType(fvtSum);
    Grid->SumList()->RecalcAll();

    String cells;
    for (Q->First(); !Q->Eof(); Q->Next())
        cells += money->CurrentCellText() + " ";
    EXPECT_EQ(cells, "￥98.03 ￥1.01 -￥98.03 ￥0.10 ");
    EXPECT_EQ(Grid->FooterValueText(0, money), "￥1.11"); // 98.025 + 1.005 - 98.025 + 0.1

    Q->First();
    TDBGridGxImpExpGrid adapter(Grid);
    TMemoryStream stream;
    WriteGridExport<TDBGridGxExportAsCSV>(&adapter, stream, true);
    const std::string file = Dir.File("money.csv");
    TempDir::WriteAll(file, std::string(reinterpret_cast<const char*>(stream.Memory()),
                                        static_cast<size_t>(stream.Size())));
    const std::string rows = PythonCsvRows(file);
    EXPECT_NE(rows.find("65.35|￥98.03\n1.005|￥1.01\n-65.35|-￥98.03\n1|￥0.10\n"), std::string::npos)
        << rows;
    EXPECT_NE(rows.find("|￥1.11"), std::string::npos) << rows;
}

// The exported footer total is written as the grid's footer shows it, in the footer's own format
// ("62706.83" came out where the screen showed "￥62,706.83").
TEST_F(MoneyGridTest, ExportedFooterTotalsKeepTheFootersFormat) {
    Run("create table T_fee (F_ID counter, F_amount double, F_fee currency)");
    for (const char* row : {"40000.5, 12000", "22706.33, 706.83"})
        Run(String("insert into T_fee (F_amount, F_fee) values (") + row + ")");
    Grid->BeginLayout();
    for (const char* name : {"F_amount", "F_fee"})
        Grid->Columns()->AddColumn()->SetFieldName(name);
    Grid->EndLayout();
    Grid->SetFooterRowCount(1);
    Grid->SumList()->SetActive(true);
    OpenGrid("select F_amount, F_fee from T_fee order by F_ID");
    TColumnGx* amount = Grid->Columns()->ColumnAt(0);
    TColumnGx* fee = Grid->Columns()->ColumnAt(1);
    amount->Footer()->SetDisplayFormat("￥,0.00");
    amount->Footer()->SetValueType(fvtSum);
    fee->Footer()->SetValueType(fvtSum);
    Grid->SumList()->RecalcAll();
    EXPECT_EQ(Grid->FooterValueText(0, amount), "￥62,706.83");
    TDBGridGxImpExpGrid adapter(Grid);
    TMemoryStream stream;
    WriteGridExport<TDBGridGxExportAsText>(&adapter, stream, true);
    const String text = Utf8FromAnsi(std::string(reinterpret_cast<const char*>(stream.Memory()),
                                                 static_cast<size_t>(stream.Size())));
    EXPECT_EQ(text.substr(text.rfind("\r\n") + 2),
              Grid->FooterValueText(0, amount) + "\t" + Grid->FooterValueText(0, fee));
}

} // namespace
