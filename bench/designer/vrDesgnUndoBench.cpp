// Undo snapshots of a 500-object report: 1,000 changes with a snapshot each, then 1,000 undos;
// against writing and reading the same texts with the XML document model alone in the same run.
// The counter "held_per_text" is the memory the snapshots hold against the bytes of their texts.
// Run with QT_QPA_PLATFORM=offscreen.
#include "report/designer/vrDesgnUndo.h"
#include "report/vrClass.h"
#include "report/vrClassBand.h"
#include "report/vrClassMemo.h"
#include "report/vrClassPage.h"
#include "report/vrClassReport.h"
#include "report/vrPictureCache.h"
#include "report/vrXML.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace {

constexpr int Changes = 1000;

struct TUndoReport {
    TUndoReport() {
        vrStartUp();
        report = std::make_unique<TvrReport>(nullptr);
        report->CheckDataPage();
        auto* page = new TvrReportPage(report.get());
        page->SetName("Page1");
        for (int b = 0; b < 10; ++b) {
            auto* band = new TvrMasterData(page);
            band->SetBounds(0, b * 60.0, 718, 50);
            band->CreateUniqueName();
            for (int i = 0; i < 49; ++i) {
                auto* memo = new TvrMemoView(band);
                memo->SetBounds((i % 10) * 70.0, (i / 10) * 9.0, 66, 18);
                memo->SetText(u"合计金额 物业收费 " + WideString(1, static_cast<char16_t>(u'A' + i % 26)));
                memo->CreateUniqueName();
                memos.push_back(memo);
            }
        }
    }
    TvrMemoView* Memo(int i) { return static_cast<TvrMemoView*>(report->FindObject(names.at(i % names.size()))); }
    void Names() {
        names.clear();
        for (TvrMemoView* m : memos) names.push_back(m->Name());
    }
    String Text() {
        TMemoryStream s;
        report->SaveToStream(s);
        return String(reinterpret_cast<const char*>(s.Memory()), static_cast<size_t>(s.Size()));
    }
    std::unique_ptr<TvrReport> report;
    std::vector<TvrMemoView*> memos;
    std::vector<String> names;
};

void BM_ChangesWithSnapshots(benchmark::State& state) {
    TUndoReport r;
    r.Names();
    TvrPictureCache cache;
    double held = 0, text = 0;
    for (auto _ : state) {
        state.PauseTiming();
        TvrUndoBuffer buffer(&cache);
        buffer.AddUndo(r.report.get());
        state.ResumeTiming();
        for (int i = 0; i < Changes; ++i) {
            TvrMemoView* memo = r.Memo(i);
            memo->SetLeft(memo->Left() + 1);
            buffer.AddUndo(r.report.get());
            buffer.ClearRedo();
        }
        state.PauseTiming();
        held = static_cast<double>(buffer.SnapshotBytes());
        text = 0;
        for (int i = 0; i < buffer.UndoCount(); ++i) text += static_cast<double>(buffer.UndoText(i).size());
        state.ResumeTiming();
    }
    state.counters["held_per_text"] = held / text;
    state.counters["snapshot_bytes"] = text / (Changes + 1);
}
BENCHMARK(BM_ChangesWithSnapshots)->Unit(benchmark::kMillisecond);

void BM_UndoAll(benchmark::State& state) {
    TUndoReport r;
    r.Names();
    TvrPictureCache cache;
    for (auto _ : state) {
        state.PauseTiming();
        auto buffer = std::make_unique<TvrUndoBuffer>(&cache);
        buffer->AddUndo(r.report.get());
        for (int i = 0; i < Changes; ++i) {
            TvrMemoView* memo = r.Memo(i);
            memo->SetLeft(memo->Left() + 1);
            buffer->AddUndo(r.report.get());
        }
        state.ResumeTiming();
        for (int i = 0; i < Changes; ++i) buffer->Undo(r.report.get());
        state.PauseTiming();
        buffer.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_UndoAll)->Unit(benchmark::kMillisecond);

// The same texts through the XML document model alone: written 1,000 times, read 1,000 times.
void BM_XmlDocumentWrite(benchmark::State& state) {
    TUndoReport r;
    const String text = r.Text();
    TMemoryStream source;
    source.Write(text.data(), static_cast<Int64>(text.size()));
    source.SetPosition(0);
    TvrXMLDocument doc;
    doc.LoadFromStream(source);
    for (auto _ : state)
        for (int i = 0; i < Changes; ++i) {
            TMemoryStream out;
            doc.SaveToStream(out);
            benchmark::DoNotOptimize(out.Size());
        }
}
BENCHMARK(BM_XmlDocumentWrite)->Unit(benchmark::kMillisecond);

void BM_XmlDocumentRead(benchmark::State& state) {
    TUndoReport r;
    const String text = r.Text();
    TMemoryStream source;
    source.Write(text.data(), static_cast<Int64>(text.size()));
    for (auto _ : state)
        for (int i = 0; i < Changes; ++i) {
            source.SetPosition(0);
            TvrXMLDocument doc;
            doc.LoadFromStream(source);
            benchmark::DoNotOptimize(doc.Root());
        }
}
BENCHMARK(BM_XmlDocumentRead)->Unit(benchmark::kMillisecond);

} // namespace
