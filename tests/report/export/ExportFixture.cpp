#include "ExportFixture.h"

#include "gui/Bitmap.h"
#include "gui/Picture.h"
#include "report/vrEngine.h"
#include "rtl/CodePage.h"

#include <cstdio>

TvrMemoView* TLooseObjects::Memo(Extended left, Extended top, Extended width, Extended height, const String& text) {
    auto* memo = Add<TvrMemoView>(left, top, width, height);
    memo->SetText(Utf8ToWide(text));
    return memo;
}

TExportReport::TExportReport() {
    vrStartUp();
    vrInstallEngine(&Report);
    Report.EngineOptions()->NewSilentMode = simReThrow;
    Report.PrintOptions()->ShowDialog = false;
}

TExportReport::~TExportReport() = default;

namespace {

TvrReportPage* NewPage(TvrReport& report, const String& name) {
    auto* page = new TvrReportPage(&report);
    page->SetName(name);
    page->SetDefaults();
    page->SetPaperSize(DMPAPER_A4);
    return page;
}

TvrBand* Title(TvrReportPage* page, const String& name, Extended height) {
    auto* band = new TvrReportTitle(page);
    band->SetName(name);
    band->SetBounds(0, 0, 718, height);
    return band;
}

TvrMemoView* Text(TvrBand* band, const String& name, Extended l, Extended t, Extended w, Extended h,
                  const String& text) {
    auto* memo = new TvrMemoView(band);
    memo->SetName(name);
    memo->SetBounds(l, t, w, h);
    memo->SetText(Utf8ToWide(text));
    memo->Font()->SetName("宋体");
    memo->Font()->SetSize(10);
    return memo;
}

} // namespace

void TExportReport::BuildSample() {
    TvrReportPage* houses = NewPage(Report, "Houses");
    TvrBand* band = Title(houses, "HouseTitle", 200);
    TvrMemoView* title = Text(band, "TitleMemo", 0, 0, 600, 30, "房屋收费清单");
    title->Frame()->Typ = TvrFrameTypes{ftLeft, ftRight, ftTop, ftBottom};
    title->HAlign = haCenter;
    title->Font()->SetSize(14);
    title->Font()->SetStyle(TFontStyles{fsBold});
    const char* const heads[] = {"房屋", "业主", "金额"};
    for (int c = 0; c < 3; ++c)
        Text(band, "Head" + IntToStr(c), 200 * c, 30, 200, 20, heads[c]);
    const char* const rows[][3] = {{"A-101", "张三", "12,345.60"}, {"B-202", "李四", "-7.05"}, {"C-303", "王五", "0.00"}};
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c) {
            TvrMemoView* m = Text(band, "Cell" + IntToStr(r) + IntToStr(c), 200 * c, 50 + 20 * r, 200, 20, rows[r][c]);
            if (c == 2) {
                m->DisplayFormat()->Kind = fkNumeric;
                m->DisplayFormat()->FormatStr = "%2.2n";
                m->HAlign = haRight;
            }
        }

    TvrReportPage* notes = NewPage(Report, "Notes");
    band = Title(notes, "NoteTitle", 300);
    Text(band, "NoteMemo", 0, 0, 300, 40, "第一行\r\n第二行");
    auto* picture = new TvrPictureView(band);
    picture->SetName("Picture1");
    picture->SetBounds(320, 0, 64, 48);
    TBitmap bitmap(64, 48);
    bitmap.Canvas()->Brush()->SetColor(clRed);
    bitmap.Canvas()->FillRect(TRect(0, 0, 64, 48));
    TPicture pic;
    pic.Assign(&bitmap);
    picture->SetPicture(&pic);
    TvrMemoView* rotated = Text(band, "Rotated", 0, 60, 40, 100, "竖排");
    rotated->SetRotation(90);
    Text(band, "Special", 0, 170, 400, 20, "A & B < C; \"D\"");
    Prepare();
}

TvrReportPage* TExportReport::AddGridPage(const String& name, Integer rows, Integer cols) {
    TvrReportPage* page = NewPage(Report, name);
    TvrBand* band = Title(page, name + "Title", 20 * rows);
    for (Integer r = 0; r < rows; ++r)
        for (Integer c = 0; c < cols; ++c)
            Text(band, name + "r" + IntToStr(r) + "c" + IntToStr(c), 100 * c, 20 * r, 100, 20,
                 "r" + IntToStr(r) + "c" + IntToStr(c));
    return page;
}

void TExportReport::Prepare() {
    if (!Report.PrepareReport(true)) throw Exception("the report failed: " + Report.ErrorList()->Text());
}

int RunProgram(const String& commandLine, String* output) {
    FILE* p = ::popen((commandLine + " 2>&1").c_str(), "r");
    if (!p) return -1;
    String text;
    char buf[4096];
    size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, p)) > 0)
        text.append(buf, n);
    const int status = ::pclose(p);
    if (output) *output = text;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

String SystemPython() {
    return "/usr/bin/python3";
}

bool ExportWithoutDialog(TvrReport& report, TvrCustomExportFilter& filter, const String& file) {
    filter.ShowDialog = false;
    filter.ShowProgress = false;
    filter.FileName = file;
    return report.Export(&filter);
}

THandPages::THandPages() {
    vrStartUp();
    Report.EngineOptions()->NewSilentMode = simReThrow;
}

THandPages::~THandPages() = default;

TvrReportPage* THandPages::AddPage(const String& name, const std::vector<TTextSpec>& texts) {
    auto* page = new TvrReportPage(nullptr);
    FPages.emplace_back(page);
    page->SetName(name);
    page->SetDefaults();
    page->SetPaperSize(DMPAPER_A4);
    page->LeftMargin = page->RightMargin = page->TopMargin = page->BottomMargin = 10;
    auto* band = new TvrReportTitle(page);
    band->SetName("Band");
    band->SetBounds(0, 0, 718, 1000);
    Texts.clear();
    for (const TTextSpec& t : texts) {
        auto* memo = new TvrMemoView(band);
        memo->SetBounds(t.Left, t.Top, t.Width, t.Height);
        memo->SetText(Utf8ToWide(t.Text));
        Texts.push_back(memo);
    }
    return page;
}

TvrReportPage* THandPages::AddGridPage(const String& name, Integer rows, Integer cols) {
    std::vector<TTextSpec> texts;
    for (Integer r = 0; r < rows; ++r)
        for (Integer c = 0; c < cols; ++c)
            texts.push_back({100.0L * c, 20.0L * r, 100, 20, "r" + IntToStr(r) + "c" + IntToStr(c)});
    return AddPage(name, texts);
}

bool THandPages::Drive(TvrCustomExportFilter& filter, const String& file) {
    filter.Report = &Report;
    filter.ShowProgress = false;
    filter.FileName = file;
    if (!filter.Start()) return false;
    for (size_t i = 0; i < FPages.size(); ++i) {
        TvrReportPage* page = FPages[i].get();
        const auto index = static_cast<Integer>(i);
        filter.StartPage(page, index);
        for (TvrComponent* band : page->Children()) {
            filter.ExportObject(band);
            for (TvrComponent* obj : band->AllObjects())
                filter.ExportObject(obj);
        }
        filter.FinishPage(page, index);
    }
    filter.Finish();
    return true;
}
