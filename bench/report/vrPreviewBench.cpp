// The preview over the engine benchmark's 1,000-page list report saved as a ".dp3": opening it to
// the first painted screen, a change of page, a scroll step and a search of all pages, against
// replaying the same pages' recorded metafiles onto a picture of the workspace's size in the same
// run. Goals: opening under half the replay of all pages, the search within 3x of it, a page
// change or scroll step within 2x one page's replay.
#include "ListReport.h"

#include "gui/Bitmap.h"
#include "gui/Forms.h"
#include "gui/Interaction.h"
#include "gui/Metafile.h"
#include "report/vrPreview.h"
#include "report/vrPreviewPages.h"
#include "report/vrUtils.h"
#include "rtl/FileUtils.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

namespace {

constexpr int ViewWidth = 1000, ViewHeight = 700;

// The list report prepared once and saved; each page's drawing recorded once.
struct TPreviewBenchData {
    String File;
    std::vector<std::unique_ptr<TMetafile>> Pages;
    TPreviewBenchData() {
        Application();
        TvrReport report(nullptr);
        BuildListReport(report);
        report.PrepareReport(true);
        auto* pages = static_cast<TvrPreviewPages*>(report.PreparedPages());
        File = GetTempFileInFolder(String()) + ".dp3";
        pages->WriteToFile(File);
        for (Integer i = 0; i < pages->GetPageCount(); ++i) {
            auto m = std::make_unique<TMetafile>();
            {
                TMetafileCanvas canvas(m.get());
                pages->PaintPage(i, &canvas, 1, 1, 0, 0);
            }
            m->SetWidth(794);
            m->SetHeight(1123);
            Pages.push_back(std::move(m));
        }
    }
    ~TPreviewBenchData() { DeleteFile(File); }
};

TPreviewBenchData& Data() {
    static TPreviewBenchData data;
    return data;
}

// A preview control on a form never shown, over an empty report that opens the file.
struct TBenchPreview {
    TForm Host{nullptr};
    TvrReport Report{nullptr};
    TvrPreview* Preview;
    TBitmap Screen{ViewWidth, ViewHeight};
    TBenchPreview() {
        Report.EngineOptions()->NewSilentMode = simReThrow;
        Host.SetClientWidth(ViewWidth);
        Host.SetClientHeight(ViewHeight);
        Preview = new TvrPreview(&Host);
        Preview->SetParent(&Host);
        Preview->SetAlign(alClient);
        Report.SetPreview(Preview);
    }
    ~TBenchPreview() { Report.SetPreview(nullptr); }
    void Paint(bool framesOnly = false) { Preview->Workspace()->PaintWorkspace(Screen.Canvas(), framesOnly); }
};

void BM_PreviewOpenToFirstScreen(benchmark::State& state) {
    const String file = Data().File;
    for (auto _ : state) {
        TBenchPreview view;
        view.Preview->LoadFromFile(file);
        view.Paint();
        if (view.Preview->PageCount() != PageCount) state.SkipWithError("pages missing");
    }
}
BENCHMARK(BM_PreviewOpenToFirstScreen)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_ReplayAllPages(benchmark::State& state) {
    TBitmap screen(ViewWidth, ViewHeight);
    for (auto _ : state)
        for (const auto& m : Data().Pages)
            m->Draw(*screen.Canvas(), TRect(10, 10, 804, 1133));
}
BENCHMARK(BM_ReplayAllPages)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_ReplayOnePage(benchmark::State& state) {
    TBitmap screen(ViewWidth, ViewHeight);
    const auto& m = Data().Pages[500];
    for (auto _ : state)
        m->Draw(*screen.Canvas(), TRect(10, 10, 804, 1133));
}
BENCHMARK(BM_ReplayOnePage)->Unit(benchmark::kMicrosecond);

void BM_PreviewPageChange(benchmark::State& state) {
    TBenchPreview view;
    view.Preview->LoadFromFile(Data().File);
    view.Paint();
    Integer page = 1;
    for (auto _ : state) {
        page = page == 500 ? 501 : 500;
        view.Preview->SetPageNo(page);
        view.Paint(true);
    }
}
BENCHMARK(BM_PreviewPageChange)->Unit(benchmark::kMicrosecond);

void BM_PreviewScrollStep(benchmark::State& state) {
    TBenchPreview view;
    view.Preview->LoadFromFile(Data().File);
    view.Preview->SetPageNo(400);
    TvrPreviewWorkspace* w = view.Preview->Workspace();
    int step = 8;
    for (auto _ : state) {
        w->SetVertScrollOffset(w->VertScrollOffset() + step);
        step = -step;
        view.Paint();
    }
}
BENCHMARK(BM_PreviewScrollStep)->Unit(benchmark::kMicrosecond);

void BM_PreviewSearchAllPages(benchmark::State& state) {
    TBenchPreview view;
    view.Preview->LoadFromFile(Data().File);
    TScriptedResponder user;
    TInteractionScope scope(user);
    for (auto _ : state) {
        user.Answer(IDOK);
        TvrSearchState& search = vrPreviewSearch();
        search.Text = "没有的文字";
        search.LastFoundRecord = -1;
        view.Preview->Workspace()->SearchPage = 0;
        view.Preview->Workspace()->InvalidateSearchCache();
        if (view.Preview->Workspace()->FindNextText()) state.SkipWithError("found");
    }
}
BENCHMARK(BM_PreviewSearchAllPages)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace
