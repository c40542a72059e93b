// Speed of the number formatting the grids and reports call for every cell.
#include "rtl/Format.h"

#include <benchmark/benchmark.h>

namespace {

const double Values[] = {1234.5, -0.125, 987654.321, 0.0, 12.3456789, 1e-7, 3.0, 45678.9};

void BM_FormatFloatCurrency(benchmark::State& state) {
    const String format = "\xEF\xBF\xA5,0.00##";
    size_t i = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(FormatFloat(format, Values[i++ % 8]));
}
BENCHMARK(BM_FormatFloatCurrency);

void BM_FormatFloatShort(benchmark::State& state) {
    const String format = "0.##";
    size_t i = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(FormatFloat(format, Values[i++ % 8]));
}
BENCHMARK(BM_FormatFloatShort);

void BM_FloatToStr(benchmark::State& state) {
    size_t i = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(FloatToStr(Values[i++ % 8]));
}
BENCHMARK(BM_FloatToStr);

void BM_FormatCurr(benchmark::State& state) {
    const Currency c = Currency::FromDouble(1234.5);
    for (auto _ : state)
        benchmark::DoNotOptimize(FormatCurr("#,##0.00", c));
}
BENCHMARK(BM_FormatCurr);

} // namespace
