#include "vrEngineFixture.h"

#include "rtl/CodePage.h"
#include "rtl/Format.h"
#include "rtl/StrUtils.h"
#include "vrClassTestObjects.h"

#include <fstream>

void EngineTest::SetUp() {
    DbTest::SetUp();
    RegisterTestObjects();
    Report = std::make_unique<TvrReport>(nullptr);
}

void EngineTest::TearDown() {
    Report.reset();
    delete Data;
    Data = nullptr;
    Query_.reset();
    DbTest::TearDown();
}

void EngineTest::MakeTable(const std::vector<std::tuple<String, String, double>>& Rows) {
    Run("CREATE TABLE T (F_id INTEGER, F_code TEXT(10), F_group TEXT(10), F_money DOUBLE)");
    int id = 0;
    Cnn->BeginTrans();
    for (const auto& [code, group, money] : Rows)
        Run("INSERT INTO T (F_id, F_code, F_group, F_money) VALUES (" + IntToStr(++id) + ", '" + code +
            "', '" + group + "', " + FloatToStr(money) + ")");
    Cnn->CommitTrans();
    Query_ = Query("SELECT * FROM T ORDER BY F_id");
    Data = new TvrDBDataset(&Module);
    Data->SetName("vrDM");
    Data->SetDataSet(Query_.get());
}

void EngineTest::LoadLayout(const String& Text) {
    const String file = Dir.File("layout.di3");
    {
        std::ofstream out(file, std::ios::binary);
        out << Text;
    }
    ASSERT_TRUE(Report->LoadFromFile(file));
    Report->EngineOptions()->NewSilentMode = simSilent;
    // The layout's list of data sets, as the designer keeps it.
    if (Data && !Report->Datasets()->FindByDataSet(Data)) Report->Datasets()->Add(Data);
}

bool EngineTest::Prepare() {
    return Report->PrepareReport(true);
}

std::vector<TPreparedBand> EngineTest::BandsOf(int Page) {
    std::vector<TPreparedBand> out;
    TvrComponent* page = Pages()->GetPreparedPage(Page);
    if (!page) return out;
    for (TvrComponent* c : page->Children()) {
        if (!c->IsBand()) continue;
        TPreparedBand b{c->Name(), c->Top(), c->Left(), c->Height(), String()};
        for (TvrComponent* o : c->Children()) {
            if (auto* m = dynamic_cast<TvrCustomMemoView*>(o)) {
                if (!b.Text.empty()) b.Text += "|";
                b.Text += Trim(WideToUtf8(m->Text()));
            }
        }
        out.push_back(b);
    }
    return out;
}

std::vector<Extended> EngineTest::Tops(int Page, const String& Prefix) {
    std::vector<Extended> tops;
    for (const TPreparedBand& b : BandsOf(Page))
        if (StartsText(Prefix, b.Name)) tops.push_back(b.Top);
    return tops;
}

std::vector<String> EngineTest::Texts(int Page, const String& Prefix) {
    std::vector<String> texts;
    for (const TPreparedBand& b : BandsOf(Page))
        if (StartsText(Prefix, b.Name)) texts.push_back(b.Text);
    return texts;
}

String LayoutText(const String& PageContent, const String& ReportAttrs, const String& PageAttrs) {
    return "<?xml version=\"1.0\" encoding=\"utf-8\" standalone=\"no\"?>\n"
           "<TvrReport Version=\"4.9.32\" DotMatrixReport=\"False\" ScriptLanguage=\"PascalScript\" " +
           ReportAttrs +
           ">\n"
           "  <TvrReportPage Name=\"Page1\" PaperWidth=\"210\" PaperHeight=\"297\" PaperSize=\"9\" "
           "LeftMargin=\"10\" RightMargin=\"10\" TopMargin=\"10\" BottomMargin=\"10\" " +
           PageAttrs + ">\n" + PageContent +
           "  </TvrReportPage>\n"
           "</TvrReport>\n";
}

String BandXml(const String& Cls, const String& Name, Extended Top, Extended Height, const String& Text,
               const String& Extra, const String& MemoExtra) {
    String s = "    <" + Cls + " Name=\"" + Name + "\" Left=\"0\" Top=\"" + FloatToStr(Top) +
               "\" Width=\"718\" Height=\"" + FloatToStr(Height) + "\" " + Extra + ">\n";
    if (!Text.empty())
        s += "      <TvrMemoView Name=\"" + Name + "Memo\" Left=\"0\" Top=\"0\" Width=\"300\" Height=\"" +
             FloatToStr(Height) + "\" Text=\"" + Text + "\" " + MemoExtra + "/>\n";
    s += "    </" + Cls + ">\n";
    return s;
}

const char* const GroupedLayout = R"(<?xml version="1.0" encoding="utf-8" standalone="no"?>
<TvrReport Version="4.9.32" DotMatrixReport="False" ScriptLanguage="PascalScript">
  <TvrReportPage Name="Page1" PaperWidth="210" PaperHeight="297" PaperSize="9" LeftMargin="10" RightMargin="10" TopMargin="10" BottomMargin="10">
    <TvrReportTitle Name="ReportTitle1" Left="0" Top="0" Width="718" Height="40">
      <TvrMemoView Name="TitleMemo" Left="0" Top="0" Width="300" Height="40" Text="物业收费清单"/>
    </TvrReportTitle>
    <TvrPageHeader Name="PageHeader1" Left="0" Top="60" Width="718" Height="30">
      <TvrMemoView Name="HeaderMemo" Left="0" Top="0" Width="300" Height="30" Text="编号 金额"/>
    </TvrPageHeader>
    <TvrGroupHeader Name="GroupHeader1" Left="0" Top="110" Width="718" Height="25" Condition="vrDM.&#34;F_group&#34;" ReprintOnNewPage="True">
      <TvrMemoView Name="GroupMemo" Left="0" Top="0" Width="300" Height="25" Text="[vrDM.&#34;F_group&#34;]"/>
    </TvrGroupHeader>
    <TvrMasterData Name="MasterData1" Left="0" Top="150" Width="718" Height="20" DataSetName="vrDM">
      <TvrMemoView Name="CodeMemo" Left="0" Top="0" Width="100" Height="20" Text="[vrDM.&#34;F_code&#34;]"/>
      <TvrMemoView Name="MoneyMemo" Left="100" Top="0" Width="100" Height="20" Text="[vrDM.&#34;F_money&#34;]"/>
    </TvrMasterData>
    <TvrGroupFooter Name="GroupFooter1" Left="0" Top="190" Width="718" Height="25">
      <TvrMemoView Name="SumMemo" Left="0" Top="0" Width="300" Height="25" Text="[SUM(vrDM.&#34;F_money&#34;) #n%2.2f]"/>
    </TvrGroupFooter>
    <TvrPageFooter Name="PageFooter1" Left="0" Top="1000" Width="718" Height="30">
      <TvrMemoView Name="PageMemo" Left="0" Top="0" Width="300" Height="30" Text="第 [Page#] 页，共 [TotalPages#] 页"/>
    </TvrPageFooter>
  </TvrReportPage>
</TvrReport>
)";

String GroupedOutlineLayout() {
    return StringReplace(GroupedLayout, "ReprintOnNewPage=\"True\">",
                         "ReprintOnNewPage=\"True\" OutlineText=\"vrDM.&#34;F_group&#34;\" "
                         "DrillDown=\"True\" ExpandDrillDown=\"True\">",
                         TReplaceFlags{rfReplaceAll});
}

std::vector<std::tuple<String, String, double>> GroupedRows() {
    std::vector<std::tuple<String, String, double>> rows;
    for (int i = 1; i <= 120; ++i)
        rows.emplace_back(Format("A%.3d", {i}), i <= 40 ? "G1" : i <= 80 ? "G2" : "G3", i);
    return rows;
}
