// A prepared report of 1,000 pages: saving and loading it, rebuilding and drawing its pages, and
// the XML document model alone writing and reading the same document in the same run.
#include "classes/ClassRegistry.h"
#include "classes/MetaBuilder.h"
#include "gui/Bitmap.h"
#include "report/vrClass.h"
#include "report/vrPreviewPages.h"

#include <benchmark/benchmark.h>

namespace {

class TBenchPage : public TvrPage {
    ORV_META(TBenchPage, TvrPage)
    explicit TBenchPage(TComponent* AOwner) : TvrPage(AOwner) {}
    Extended PaperWidth = 210, PaperHeight = 297;
};

class TvrBenchMemoView : public TvrReportComponent {
    ORV_META(TvrBenchMemoView, TvrReportComponent)
    explicit TvrBenchMemoView(TComponent* AOwner) : TvrReportComponent(AOwner) {
        Flags = TvrObjectFlags{ofPreviewCopy, ofAttributeDiff};
    }
    String Memo;
    bool GetLayoutText(String& Utf8) const override {
        Utf8 = Memo;
        return true;
    }
    bool SetLayoutText(const String& Utf8) override {
        Memo = Utf8;
        return true;
    }
    void Draw(TCanvas* Canvas, Extended ScaleX, Extended ScaleY, Extended OffsetX, Extended OffsetY) override {
        Canvas->TextOut(static_cast<int>(AbsLeft() * ScaleX + OffsetX), static_cast<int>(AbsTop() * ScaleY + OffsetY),
                        Memo);
    }
};

class TBenchBand : public TvrReportComponent {
    ORV_META(TBenchBand, TvrReportComponent)
    explicit TBenchBand(TComponent* AOwner) : TvrReportComponent(AOwner) {}
    bool IsBand() const override { return true; }
};

ORV_META_IMPL(TBenchPage)
void TBenchPage::DeclareMeta(meta::Class<TBenchPage>& c) {
    using T = TBenchPage;
    c.Property("Width", &T::Width, &T::SetWidth);
    c.Property("Height", &T::Height, &T::SetHeight);
    c.Property("PaperWidth", &T::PaperWidth, &T::PaperWidth);
    c.Property("PaperHeight", &T::PaperHeight, &T::PaperHeight);
}
ORV_META_IMPL(TvrBenchMemoView)
void TvrBenchMemoView::DeclareMeta(meta::Class<TvrBenchMemoView>& c) {
    using T = TvrBenchMemoView;
    c.Property("Left", &T::Left, &T::SetLeft);
    c.Property("Top", &T::Top, &T::SetTop);
    c.Property("Width", &T::Width, &T::SetWidth);
    c.Property("Height", &T::Height, &T::SetHeight);
}
ORV_META_IMPL(TBenchBand)
void TBenchBand::DeclareMeta(meta::Class<TBenchBand>& c) {
    using T = TBenchBand;
    c.Property("Left", &T::Left, &T::SetLeft);
    c.Property("Top", &T::Top, &T::SetTop);
    c.Property("Width", &T::Width, &T::SetWidth);
    c.Property("Height", &T::Height, &T::SetHeight);
}

constexpr int PageCount = 1000;

// A report of 1,000 pages of 20 bands with 4 text objects each, built as the engine builds it.
struct TBenchReport {
    TvrReport Report{nullptr};
    TvrPreviewPages* Pages;
    String Saved;
    TBenchReport() {
        vrStartUp();
        RegisterClasses({&TBenchPage::StaticClassInfo(), &TvrBenchMemoView::StaticClassInfo(),
                         &TBenchBand::StaticClassInfo()});
        auto engine = std::make_unique<TvrCustomEngine>(&Report);
        engine->FinalPass = true;
        auto pages = std::make_unique<TvrPreviewPages>(&Report);
        Pages = pages.get();
        Report.SetEngine(std::move(engine), std::move(pages));
        auto* page = new TBenchPage(&Report);
        page->SetName("Page1");
        page->SetBounds(0, 0, 794, 1123);
        auto* band = new TBenchBand(page);
        band->SetName("Band1");
        band->SetBounds(0, 0, 700, 40);
        std::vector<TvrBenchMemoView*> memos;
        for (int i = 0; i < 4; ++i) {
            auto* m = new TvrBenchMemoView(band);
            m->SetName("Memo" + IntToStr(i + 1));
            m->SetBounds(10 + i * 170, 5, 160, 20);
            memos.push_back(m);
        }
        Pages->RegisterSourcePage(page);
        for (int p = 0; p < PageCount; ++p) {
            Pages->AddPageAction = TvrPreviewPages::apAdd;
            Pages->StartPreparedPage(page);
            for (int b = 0; b < 20; ++b) {
                band->SetTop(40 + b * 45);
                for (int i = 0; i < 4; ++i) memos[i]->Memo = "房屋 " + IntToStr(p) + "-" + IntToStr(b * 4 + i);
                Pages->AddBandToPage(band);
            }
        }
        TStringStream s;
        Pages->WriteToStream(s);
        Saved = s.DataString();
    }
};

TBenchReport& Bench() {
    static TBenchReport bench;
    return bench;
}

void BM_PreparedReportSave(benchmark::State& state) {
    TBenchReport& b = Bench();
    for (auto _ : state) {
        TStringStream s;
        b.Pages->WriteToStream(s);
        benchmark::DoNotOptimize(s.Size());
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(b.Saved.size()));
}
BENCHMARK(BM_PreparedReportSave)->Unit(benchmark::kMillisecond);

void BM_PreparedReportLoad(benchmark::State& state) {
    TBenchReport& b = Bench();
    for (auto _ : state) {
        TStringStream s(b.Saved);
        b.Pages->ReadFromStream(s, false);
        benchmark::DoNotOptimize(b.Pages->GetPageCount());
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(b.Saved.size()));
}
BENCHMARK(BM_PreparedReportLoad)->Unit(benchmark::kMillisecond);

void BM_XMLDocumentWrite(benchmark::State& state) {
    TBenchReport& b = Bench();
    TvrXMLDocument doc;
    doc.IndentOutput = true;
    TStringStream in(b.Saved);
    doc.LoadFromStream(in);
    for (auto _ : state) {
        TStringStream s;
        doc.SaveToStream(s);
        benchmark::DoNotOptimize(s.Size());
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(b.Saved.size()));
}
BENCHMARK(BM_XMLDocumentWrite)->Unit(benchmark::kMillisecond);

void BM_XMLDocumentRead(benchmark::State& state) {
    TBenchReport& b = Bench();
    for (auto _ : state) {
        TvrXMLDocument doc;
        TStringStream s(b.Saved);
        doc.LoadFromStream(s);
        benchmark::DoNotOptimize(doc.Root()->ItemCount());
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(b.Saved.size()));
}
BENCHMARK(BM_XMLDocumentRead)->Unit(benchmark::kMillisecond);

// Every page rebuilt from its differences (the page cache emptied first) and drawn.
void BM_RebuildAndPaintPages(benchmark::State& state) {
    TBenchReport& b = Bench();
    TStringStream in(b.Saved);
    b.Pages->ReadFromStream(in, false);
    TBitmap bmp(794, 1123);
    for (auto _ : state) {
        b.Pages->ClearPageCache();
        for (int p = 0; p < PageCount; ++p) b.Pages->PaintPage(p, bmp.Canvas(), 1, 1, 0, 0);
    }
    state.SetItemsProcessed(state.iterations() * PageCount);
}
BENCHMARK(BM_RebuildAndPaintPages)->Unit(benchmark::kMillisecond);

} // namespace
