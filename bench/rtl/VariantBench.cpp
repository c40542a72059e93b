// Variant arithmetic: the loops scripts and footers run on variants.
#include "rtl/Variant.h"

#include <benchmark/benchmark.h>

static void BM_VariantIntegerAdd(benchmark::State& state) {
    for (auto _ : state) {
        Variant sum = 0;
        for (int i = 0; i < 1000; ++i)
            sum = sum + Variant(i);
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * 1000);
}
BENCHMARK(BM_VariantIntegerAdd);

static void BM_VariantDoubleMultiply(benchmark::State& state) {
    const Variant factor = 1.000001;
    for (auto _ : state) {
        Variant product = 1.5;
        for (int i = 0; i < 1000; ++i)
            product = product * factor;
        benchmark::DoNotOptimize(product);
    }
    state.SetItemsProcessed(state.iterations() * 1000);
}
BENCHMARK(BM_VariantDoubleMultiply);

static void BM_VariantStringConcat(benchmark::State& state) {
    const Variant piece = "abc";
    for (auto _ : state) {
        Variant text = "";
        for (int i = 0; i < 1000; ++i)
            text = text + piece;
        benchmark::DoNotOptimize(text);
    }
    state.SetItemsProcessed(state.iterations() * 1000);
}
BENCHMARK(BM_VariantStringConcat);

static void BM_VariantCompare(benchmark::State& state) {
    const Variant a = 5, b = 5.5;
    for (auto _ : state) {
        int less = 0;
        for (int i = 0; i < 1000; ++i)
            less += a < b;
        benchmark::DoNotOptimize(less);
    }
    state.SetItemsProcessed(state.iterations() * 1000);
}
BENCHMARK(BM_VariantCompare);
