// Loading and saving a layout of 10,000 report objects through the layout serializer, and the
// XML document model alone reading and writing the same file in the same run.
#include "classes/ClassRegistry.h"
#include "classes/MetaBuilder.h"
#include "report/vrClass.h"
#include "report/vrXML.h"
#include "rtl/FileUtils.h"
#include "rtl/Format.h"

#include <benchmark/benchmark.h>

namespace {

// A text-object-like view with a few published properties of the usual kinds.
class TBenchView : public TvrReportComponent {
    ORV_META(TBenchView, TvrReportComponent)
    explicit TBenchView(TComponent* AOwner) : TvrReportComponent(AOwner) {}
    String Caption;
    Integer Number = 0;
    bool Flag = false;
    String Memo;
    bool GetLayoutText(String& Utf8) const override {
        Utf8 = Memo;
        return true;
    }
    bool SetLayoutText(const String& Utf8) override {
        Memo = Utf8;
        return true;
    }
    void Draw(TCanvas*, Extended, Extended, Extended, Extended) override {}
};

class TBenchPage : public TvrPage {
    ORV_META(TBenchPage, TvrPage)
    explicit TBenchPage(TComponent* AOwner) : TvrPage(AOwner) {}
};

constexpr int Pages = 100;
constexpr int ViewsPerPage = 100; // 10,000 objects

struct TBenchFiles {
    String layout = GetTempDir() + "vrXMLSerializerBench.di3";
    String saved = GetTempDir() + "vrXMLSerializerBench.out.di3";
    ~TBenchFiles() {
        DeleteFile(layout);
        DeleteFile(saved);
    }
} Files;

const String& LayoutFile() {
    static const String file = [] {
        vrStartUp();
        RegisterClasses({&TBenchView::StaticClassInfo(), &TBenchPage::StaticClassInfo()});
        TvrReport report(nullptr);
        for (int p = 0; p < Pages; ++p) {
            auto* page = new TBenchPage(&report);
            page->SetName("Page" + IntToStr(p + 1));
            for (int v = 0; v < ViewsPerPage; ++v) {
                auto* view = new TBenchView(page);
                view->SetName("Memo" + IntToStr(p * ViewsPerPage + v + 1));
                view->SetBounds(v * 7.5, v * 3.25, 120, 18.9);
                view->Caption = "收费项目 " + IntToStr(v);
                view->Number = v;
                view->Flag = v % 2 == 0;
                view->Memo = "[vrDM.\"F_name\"] 应收 & \"合计\"";
            }
        }
        report.SaveToFile(Files.layout);
        return Files.layout;
    }();
    return file;
}

void BM_LayoutLoad(benchmark::State& state) {
    const String& file = LayoutFile();
    TvrReport report(nullptr);
    report.EngineOptions()->NewSilentMode = simSilent;
    report.EngineOptions()->HeadlessMode = true;
    for (auto _ : state) {
        report.LoadFromFile(file);
        benchmark::DoNotOptimize(report.GetPagesCount());
    }
    state.counters["objects"] = static_cast<double>(report.AllObjects().size());
}
BENCHMARK(BM_LayoutLoad)->Unit(benchmark::kMillisecond);

void BM_LayoutSave(benchmark::State& state) {
    TvrReport report(nullptr);
    report.EngineOptions()->NewSilentMode = simSilent;
    report.EngineOptions()->HeadlessMode = true;
    report.LoadFromFile(LayoutFile());
    for (auto _ : state)
        report.SaveToFile(Files.saved);
}
BENCHMARK(BM_LayoutSave)->Unit(benchmark::kMillisecond);

void BM_DocumentLoadOnly(benchmark::State& state) {
    const String& file = LayoutFile();
    for (auto _ : state) {
        TvrXMLDocument doc;
        TFileStream stream(file, fmOpenRead | fmShareDenyWrite);
        doc.LoadFromStream(stream);
        benchmark::DoNotOptimize(doc.Root()->ItemCount());
    }
}
BENCHMARK(BM_DocumentLoadOnly)->Unit(benchmark::kMillisecond);

void BM_DocumentSaveOnly(benchmark::State& state) {
    TvrXMLDocument doc;
    {
        TFileStream stream(LayoutFile(), fmOpenRead | fmShareDenyWrite);
        doc.LoadFromStream(stream);
    }
    doc.IndentOutput = true;
    doc.DeclareUtf8Texts = true;
    for (auto _ : state)
        doc.SaveToFile(Files.saved);
}
BENCHMARK(BM_DocumentSaveOnly)->Unit(benchmark::kMillisecond);

} // namespace

ORV_META_IMPL(TBenchView)
void TBenchView::DeclareMeta(meta::Class<TBenchView>& c) {
    using T = TBenchView;
    c.Property("Left", &T::Left, &T::SetLeft);
    c.Property("Top", &T::Top, &T::SetTop);
    c.Property("Width", &T::Width, &T::SetWidth);
    c.Property("Height", &T::Height, &T::SetHeight);
    c.Property("Caption", &T::Caption, &T::Caption);
    c.Property("Number", &T::Number, &T::Number).Default(0);
    c.Property("Flag", &T::Flag, &T::Flag).Default(false);
}
ORV_META_IMPL(TBenchPage)
void TBenchPage::DeclareMeta(meta::Class<TBenchPage>&) {}
