// Report printing through layout files in Qr beside the program: a list layout written by the
// layout generator, prepared over the rows of vrDM, and a layout file that is missing.
#include "GridServicesFixture.h"

#include "gui/Interaction.h"
#include "report/vrClass.h"
#include "report/vrClassObjects.h"
#include "report/export/vrExportCSV.h"
#include "report/export/vrExportDBF.h"
#include "report/export/vrExportHTML.h"
#include "report/export/vrExportImage.h"
#include "report/export/vrExportXML.h"
#include "report/vrDBSet.h"
#include "report/vrDsgnIntf.h"
#include "report/vrPreviewPages.h"
#include "rtl/CodePage.h"
#include "rtl/Format.h"
#include "rtl/StrUtils.h"

#include <algorithm>
#include <cstdlib>

namespace {

class LayoutReport : public GridServices {
protected:
    void SetUp() override {
        GridServices::SetUp();
        vrStartUp();
        Dm->ADOcnn()->Execute(
            "create table T_list (F_ID counter, F_code text(10), F_name text(50), F_price currency)");
        Dm->ADOcnn()->BeginTrans();
        for (int i = 1; i <= 100; ++i)
            Dm->ADOcnn()->Execute(
                Format("insert into T_list (F_code, F_name, F_price) values ('C%.3d', '名称%d', %d.5)",
                       {i, i, i * 10}));
        Dm->ADOcnn()->CommitTrans();
        Show("select * from T_list order by F_ID");
    }
    // Runs the layout generator into Qr beside the program.
    int Generate(const String& file, const String& arguments) {
        ForceDirectories(Prog() + "Qr");
        return std::system(
            (String(ORV_LAYOUTGEN) + " '" + Prog() + "Qr/" + file + "' " + arguments + " 2>/dev/null")
                .c_str());
    }
    // The texts of the bands of a prepared page whose names start with the prefix, with the page
    // macros filled in as drawing the page fills them.
    static std::vector<String> BandTexts(TvrPreviewPages* pages, int page, const String& prefix) {
        std::vector<String> texts;
        for (TvrComponent* band : pages->GetPreparedPage(page)->Children()) {
            if (!band->IsBand() || !StartsText(prefix, band->Name())) continue;
            String text;
            for (TvrComponent* object : band->Children())
                if (auto* memo = dynamic_cast<TvrCustomMemoView*>(object)) {
                    memo->TotalPages = pages->GetPageCount();
                    memo->ApplyPrintMacros();
                    text += (text.empty() ? "" : "|") + Trim(WideToUtf8(memo->Text()));
                }
            texts.push_back(text);
        }
        return texts;
    }
    TScriptedResponder User; // any message box would be an unexpected request
    TInteractionScope Scope{User};
};

TEST_F(LayoutReport, AGeneratedListLayoutPreparesEveryRowInOrderWithPageNumbers) {
    ASSERT_EQ(Generate("frTestGL.di3", "测试列表 F_code:编号:80 F_name:名称:160 F_price:金额:100:money"), 0);
    TvrReport report(nullptr);
    EXPECT_TRUE(Dm->ShowLayoutReport(&report, "frTestGL.di3", Query.get()));
    EXPECT_EQ(Dm->vrDBDataSet1->DataSet(), Query.get());
    EXPECT_EQ(Dm->vrDBDataSet1->UserName(), "vrDM");
    EXPECT_EQ(Dm->vrDBDataset2->UserName(), "vrDD");
    auto* pages = static_cast<TvrPreviewPages*>(report.PreparedPages());
    const int count = pages->GetPageCount();
    ASSERT_GE(count, 2);
    std::vector<String> lines;
    for (int p = 0; p < count; ++p) {
        SCOPED_TRACE(p);
        for (const String& line : BandTexts(pages, p, "MasterData"))
            lines.push_back(line);
        EXPECT_EQ(BandTexts(pages, p, "PageHeader"), std::vector<String>{"编号|名称|金额"});
        EXPECT_EQ(BandTexts(pages, p, "PageFooter"),
                  std::vector<String>{Format("第 %d 页，共 %d 页", {p + 1, count})});
    }
    EXPECT_EQ(BandTexts(pages, 0, "ReportTitle"), std::vector<String>{"测试列表"});
    ASSERT_EQ(lines.size(), 100u);
    for (int i = 1; i <= 100; ++i)
        EXPECT_EQ(lines[static_cast<size_t>(i - 1)],
                  Format("C%.3d|名称%d|%s", {i, i, FormatFloat("￥,0.00", i * 10 + 0.5).c_str()}));
    EXPECT_EQ(lines[99], "C100|名称100|￥1,000.50");
    EXPECT_TRUE(User.Requests().empty());
}

TEST_F(LayoutReport, AMissingLayoutIsAnEmptyReportWithoutAMessage) {
    TvrReport report(nullptr);
    Dm->ShowLayoutReport(&report, "frNoSuchList.di3", Query.get());
    EXPECT_EQ(report.LayoutFileName, "");
    EXPECT_EQ(report.FindObject("MasterData1"), nullptr);
    EXPECT_EQ(static_cast<TvrPreviewPages*>(report.PreparedPages())->GetPageCount(), 0);
    EXPECT_TRUE(User.Requests().empty());
    EXPECT_TRUE(Messages.empty());
}

TEST_F(LayoutReport, TheGeneratorRefusesABadColumn) {
    EXPECT_NE(Generate("frBad.di3", "标题 F_code"), 0);
    EXPECT_NE(Generate("frBad.di3", "标题 F_code:编号:80:euro"), 0);
    EXPECT_FALSE(FileExists(Prog() + "Qr/frBad.di3"));
}

} // namespace

TEST_F(LayoutReport, TheDataModuleHoldsTheExportFiltersThePreviewLists) {
    std::vector<String> listed;
    for (int i = 0; i < ExportFilterRegistry()->Count(); ++i)
        listed.push_back(ExportFilterRegistry()->Items(i)->Filter->GetDescription());
    for (const char* description : {"Excel 表格 (XML)", "CSV 文件", "dBase (DBF) export", "HTML 文件"})
        EXPECT_NE(std::find(listed.begin(), listed.end(), description), listed.end()) << description;
    EXPECT_EQ(Dm->vrXMLExport1->Name(), "vrXMLExport1");
    EXPECT_EQ(Dm->vrCSVExport1->Separator, ";");
    EXPECT_EQ(Dm->vrDBFExport1->Owner(), Dm.get());
    EXPECT_EQ(Dm->vrHTMLExport1->Name(), "vrHTMLExport1");
    EXPECT_EQ(Dm->vrBMPExport1->Name(), "vrBMPExport1");
    EXPECT_EQ(Dm->vrJPEGExport1->JPEGQuality, 90);
    EXPECT_EQ(Dm->vrGIFExport1->Owner(), Dm.get());
}
