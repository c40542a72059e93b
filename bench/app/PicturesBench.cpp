// The cost of the actions' pictures as the desktop first shows them: the 34 entries of a 32-pixel
// list filled and each drawn once (the icon theme's pictures looked up and rendered), against the
// built-in pictures alone (the themes hidden from the search).
#include "app/core/ActionImages.h"

#include "gui/Bitmap.h"
#include "gui/IconTheme.h"
#include "gui/ImgList.h"

#include <benchmark/benchmark.h>

#include <cstdlib>

namespace {

void DrawActionPictures(benchmark::State& state, bool hideThemes) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    const std::vector<String> saved = IconThemeSearchPaths();
    if (hideThemes) SetIconThemeSearchPaths({});
    TBitmap target(32, 32);
    for (auto _ : state) {
        TImageList list(ActionImageSize, ActionImageSize);
        LoadActionImages(list);
        for (int i = 0; i < list.Count(); ++i)
            list.Draw(target.Canvas(), 0, 0, i, true);
        benchmark::DoNotOptimize(target.Pixel(16, 16));
    }
    SetIconThemeSearchPaths(saved);
}

void BM_ActionPicturesFromTheme(benchmark::State& state) {
    DrawActionPictures(state, false);
}
BENCHMARK(BM_ActionPicturesFromTheme)->Unit(benchmark::kMillisecond);

void BM_ActionPicturesBuiltIn(benchmark::State& state) {
    DrawActionPictures(state, true);
}
BENCHMARK(BM_ActionPicturesBuiltIn)->Unit(benchmark::kMillisecond);

} // namespace
