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
