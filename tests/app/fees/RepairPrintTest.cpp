// The repair register's two layouts printed to the PDF printer and read back with pdftotext: the
// records on vrDM with their lines on vrDD.
#include "RepairsFixture.h"

#include "PdfInfo.h"
#include "app/core/DesktopStandIns.h"

#include "controls/kxCurrEdit.h"
#include "gui/Printers.h"
#include "gui/StdCtrls.h"
#include "report/vrClass.h"
#include "report/vrPreviewPages.h"
#include "rtl/FileUtils.h"

#include <filesystem>

namespace {

class RepairPrint : public Repairs {
protected:
    void SetUp() override {
        Repairs::SetUp();
        if (HasFatalFailure()) return;
        ForceDirectories(Prog() + "Qr");
        for (const char* file : {"frCltBXgl.di3", "frCltBXgl1.di3"})
            std::filesystem::copy_file(String(ORV_SOURCE_DIR) + "/app/Qr/" + file, Prog() + "Qr/" + file,
                                       std::filesystem::copy_options::overwrite_existing);
    }
    String PrintedText(TfrmCltBXGL& reg, const String& name) {
        TvrReport* report = reg.vrReport1;
        report->PrintOptions()->Printer = TPrinter::PdfPrinterName;
        report->PrintOptions()->ShowDialog = false;
        report->PrintOptions()->OutputFileName = Prog() + name;
        EXPECT_TRUE(report->PreparedPages()->SendToPrinter());
        if (const char* keep = std::getenv("ORV_KEEP_PRINTS"))
            std::filesystem::copy_file(Prog() + name, String(keep) + "/" + name,
                                       std::filesystem::copy_options::overwrite_existing);
        return CommandOutput("pdftotext -layout '" + Prog() + name + "' -");
    }
    static void ExpectAll(const String& text, std::initializer_list<const char*> expected) {
        for (const char* e : expected)
            EXPECT_NE(text.find(e), String::npos) << e << "\n" << text;
    }
};

TEST_F(RepairPrint, BothLayoutsPrintTheRecordsWithTheirLines) {
    auto reg = OpenRegister();
    ASSERT_TRUE(AddRepair(*reg, [&](TfrmCltBXedit* d) {
        Owner(d, "张三");
        d->Memo1->SetText("厨房漏水");
        d->ceFWprice->SetValue(30);
        Pick(d, {TapA, Pipe});
        ASSERT_TRUE(d->Register()->QryDetail->Locate("F_PJcode", "P03"));
        SetQuantity(d, 2);
    }));
    ASSERT_TRUE(AddRepair(*reg, [&](TfrmCltBXedit* d) {
        Owner(d, "李四");
        d->Memo1->SetText("灯不亮");
        Pick(d, {Bulb});
    }));
    reg->QryTable->First();
    reg->PrintFormat(0);
    const String list = PrintedText(*reg, "repairs.pdf");
    ExpectAll(list, {"用户报修统计列表", "001", "张三", "厨房漏水", "水龙头", "水管", "25.00", "002", "李四", "灯泡",
                     "8.00", "30.00", "68.00", "98.00", "合 计", "第 1 页，共 1 页"});
    EXPECT_LT(list.find("水管"), list.find("李四")) << "a record's lines follow it";
    reg->QryTable->First();
    reg->PrintFormat(1);
    const String sheets = PrintedText(*reg, "repair-sheets.pdf");
    ExpectAll(sheets, {"住户报修申报表", "张三", "厨房漏水", "水龙头", "水管", "李四", "灯泡", "第 2 页，共 2 页"});
    EXPECT_TRUE(Messages.empty());
}

} // namespace
