// Loading the designer's string tables into a resource manager beside loading the engine's core
// table in the same run; the "per_entry" counter is the time per table entry, which for the
// designer's tables should stay within 1.5 times the engine's.
#include "report/designer/vrrcDesign.h"
#include "report/designer/vrrcHints.h"
#include "report/vrRes.h"

#include <benchmark/benchmark.h>

#include <initializer_list>
#include <memory>

namespace {

int Entries(const char* table) {
    const String text = table;
    int n = 0;
    for (size_t at = text.find("<StrRes "); at != String::npos; at = text.find("<StrRes ", at + 1))
        ++n;
    return n;
}

void LoadTables(benchmark::State& state, std::initializer_list<const char*> tables) {
    int entries = 0;
    for (const char* t : tables)
        entries += Entries(t);
    for (auto _ : state) {
        // A fresh manager each time, so every entry is a new one; making it is not measured.
        state.PauseTiming();
        auto resources = std::make_unique<TvrResources>();
        state.ResumeTiming();
        for (const char* t : tables)
            resources->LoadFromXMLString(t);
        benchmark::DoNotOptimize(resources->GetString("2000"));
        state.PauseTiming();
        resources.reset();
        state.ResumeTiming();
    }
    state.counters["entries"] = entries;
    state.counters["per_entry"] = benchmark::Counter(entries, benchmark::Counter::kIsIterationInvariantRate |
                                                                  benchmark::Counter::kInvert);
}

void BM_LoadEngineTable(benchmark::State& state) {
    LoadTables(state, {vrCoreResourceTable});
}

void BM_LoadDesignerTables(benchmark::State& state) {
    LoadTables(state, {vrrcHints, vrrcDesign});
}

} // namespace

BENCHMARK(BM_LoadEngineTable)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_LoadDesignerTables)->Unit(benchmark::kMicrosecond);
