// Filter texts of many blank-separated words: the parser against splitting the same text at its
// blanks (the least any reading of the words must do). Each further word once doubled the
// parser's time (24 words: seconds).
#include "grid/DBGridGxFilter.h"

#include <benchmark/benchmark.h>

#include <sstream>

namespace {

String Words(int Count) {
    String text;
    for (int i = 0; i < Count; ++i)
        text += (i ? " w" : "w") + std::to_string(i);
    return text;
}

void BM_ParseFilterWords(benchmark::State& state) {
    const String text = Words(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        TSTFilterExpressionGx e;
        e.ValueKind = stetString;
        ParseFilterExpression(text, e);
        benchmark::DoNotOptimize(e.FirstValue);
    }
}
BENCHMARK(BM_ParseFilterWords)->Arg(24)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);

void BM_SplitWordsAtBlanks(benchmark::State& state) {
    const String text = Words(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        std::istringstream in(text);
        String word;
        size_t n = 0;
        while (in >> word)
            n += word.size();
        benchmark::DoNotOptimize(n);
    }
}
BENCHMARK(BM_SplitWordsAtBlanks)->Arg(24)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);

} // namespace
