// Speed of the text functions the grid, the report engine and the script library call most.
#include "rtl/CodePage.h"
#include "rtl/StrUtils.h"
#include "rtl/StringList.h"

#include <benchmark/benchmark.h>

namespace {

String Name(int i) {
    // Mixed ASCII and Chinese text, as room and owner names are.
    static const String parts[] = {"\xE6\x88\xBF", "\xE5\x8F\xB7", "Room ", "\xE4\xB8\xAD", "b"};
    String s;
    for (int k = 0; k < 6; ++k)
        s += parts[(i * 7 + k * 3) % 5];
    return s + std::to_string(i);
}

void BM_AnsiCompareText(benchmark::State& state) {
    const String a = Name(1), b = Name(2);
    for (auto _ : state)
        benchmark::DoNotOptimize(AnsiCompareText(a, b));
}
BENCHMARK(BM_AnsiCompareText);

void BM_SortedStringListAdd(benchmark::State& state) {
    std::vector<String> names;
    for (int i = 0; i < state.range(0); ++i)
        names.push_back(Name(i));
    for (auto _ : state) {
        TStringList l;
        l.SetSorted(true);
        for (const auto& n : names)
            l.Add(n);
        benchmark::DoNotOptimize(l.Count());
    }
}
BENCHMARK(BM_SortedStringListAdd)->Arg(1000)->Arg(10000);

void BM_GbkRoundTrip(benchmark::State& state) {
    String text;
    for (int i = 0; i < 200; ++i)
        text += Name(i) + "\r\n";
    for (auto _ : state)
        benchmark::DoNotOptimize(Utf8FromAnsi(AnsiFromUtf8(text)));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(text.size()));
}
BENCHMARK(BM_GbkRoundTrip);

void BM_AnsiCopy(benchmark::State& state) {
    const String text = Name(3) + Name(4) + Name(5);
    for (auto _ : state)
        benchmark::DoNotOptimize(AnsiCopy(text, 3, 10));
}
BENCHMARK(BM_AnsiCopy);

} // namespace
