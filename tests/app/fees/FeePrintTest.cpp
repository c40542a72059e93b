// The ledger's three print formats sent to the PDF printer and read back with pdftotext, and its
// Excel export read back with openpyxl: the exact amount due shown rounded, the sums and the
// period of the rows.
#include "FeesFixture.h"

#include "PdfInfo.h"
#include "WorkbookReader.h"
#include "app/core/DesktopStandIns.h"

#include "controls/WnPageControl.h"
#include "gui/Printers.h"
#include "report/vrClass.h"
#include "report/vrPreviewPages.h"
#include "rtl/StrUtils.h"

#include <chrono>
#include <thread>

namespace {

class FeePrint : public Fees {
protected:
    void SetUp() override {
        Fees::SetUp();
        InstallLayouts();
        TFeeRow row;
        row.Method = "按面积";
        row.Item = "物业费";
        row.Price = "1.5";
        row.Amount = "65.35";
        row.Total = "98.025";
        row.Room = "A101";
        AddFee(row);
        row.Amount = "10";
        row.Total = "15";
        row.Room = "A102";
        row.House = 3;
        AddFee(row);
        TFeeRow meter;
        meter.Previous = "1200.25";
        meter.Current = "1234.5";
        meter.Amount = "34.25";
        meter.Price = "0.5";
        meter.Total = "17.125";
        meter.Room = "B303";
        AddFee(meter);
    }
    // The prepared pages of the ledger's report, printed to the PDF printer; the text of the file.
    String PrintedText(TfrmWYFYscgl& ledger, const String& name) {
        TvrReport* report = ledger.vrReport1;
        report->PrintOptions()->Printer = TPrinter::PdfPrinterName;
        report->PrintOptions()->ShowDialog = false;
        report->PrintOptions()->OutputFileName = Prog() + name;
        EXPECT_TRUE(report->PreparedPages()->SendToPrinter());
        return CommandOutput("pdftotext -layout '" + Prog() + name + "' -");
    }
    static void ExpectAll(const String& text, std::initializer_list<const char*> expected) {
        for (const char* e : expected)
            EXPECT_NE(text.find(e), String::npos) << e << "\n" << text;
    }
};

TEST_F(FeePrint, TheListPrintsTheRowsTheSumsAndThePeriod) {
    auto ledger = OpenLedger();
    ChooseMethod(*ledger, "按面积");
    ledger->PrintListClick();
    const String text = PrintedText(*ledger, "list.pdf");
    ExpectAll(text, {"A101", "A102", "98.03", "15.00", "113.03", "合 计",
                     "统计日期：自 2027-05-01 至 2027-05-31", "第 1 页，共 1 页"});
    EXPECT_EQ(text.find("B303"), String::npos);
    EXPECT_TRUE(Messages.empty());
}

TEST_F(FeePrint, ALayoutWithoutThePeriodStillPrints) {
    ASSERT_EQ(
        std::system(("cp '" + Prog() + "Qr/frWYFYscgl2.di3' '" + Prog() + "Qr/frWYFYscgl.di3'").c_str()), 0);
    auto ledger = OpenLedger();
    ChooseMethod(*ledger, "按面积");
    ledger->PrintListClick();
    const String text = PrintedText(*ledger, "plain.pdf");
    ExpectAll(text, {"A101", "A102", "113.03"});
    EXPECT_EQ(text.find("统计日期"), String::npos);
    EXPECT_TRUE(Messages.empty());
}

TEST_F(FeePrint, TheTableFormatFollowsThePage) {
    auto ledger = OpenLedger(); // 按用量: the readings
    EXPECT_EQ(ledger->TableLayoutFile(), "frWYFYscgl1.di3");
    ledger->PrintTableClick();
    ExpectAll(PrintedText(*ledger, "meter.pdf"), {"B303", "1200.25", "1234.5", "34.25", "17.13", "上次读数"});
    ChooseMethod(*ledger, "按面积");
    EXPECT_EQ(ledger->TableLayoutFile(), "frWYFYscgl2.di3");
    ledger->PrintTableClick();
    const String text = PrintedText(*ledger, "area.pdf");
    ExpectAll(text, {"A101", "65.35", "98.03", "113.03", "计费单位"});
    EXPECT_EQ(text.find("上次读数"), String::npos);
}

TEST_F(FeePrint, TheExportHoldsTheExactAmounts) {
    const TDesktopStandIns desktop(Prog(), "libreoffice-calc.desktop");
    auto ledger = OpenLedger();
    ChooseMethod(*ledger, "按面积");
    ledger->ExportClick();
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!FileExists(desktop.OpenedRecord()) && std::chrono::steady_clock::now() < until)
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    const String file = Trim(TempDir::ReadAll(desktop.OpenedRecord()));
    EXPECT_EQ(ExtractFileName(file).substr(0, String("物业应交费用统计列表-").size()),
              "物业应交费用统计列表-");
    const TReadWorkbook book = ReadWorkbook(file);
    ASSERT_TRUE(book.Ok) << book.Output;
    int totalColumn = -1;
    for (int col = 0; col < book.MaxCol; ++col)
        if (book.TextAt(0, col) == "应交费用") totalColumn = col;
    ASSERT_GE(totalColumn, 0);
    ASSERT_NE(book.At(1, totalColumn), nullptr);
    EXPECT_EQ(book.At(1, totalColumn)->Kind, "n");
    EXPECT_EQ(book.At(1, totalColumn)->Number, 98.025);
    EXPECT_EQ(book.At(2, totalColumn)->Number, 15.0);
    EXPECT_TRUE(Messages.empty());
}

} // namespace
