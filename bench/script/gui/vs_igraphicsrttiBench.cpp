// A script drawing 10,000 rectangles and texts on a bitmap's canvas through the graphics
// bindings, against the same calls made in C++ in the same run.
#include "gui/Bitmap.h"
#include "script/gui/vs_iguimodules.h"
#include "script/vs_iinterpreter.h"

#include <benchmark/benchmark.h>

namespace {

constexpr int Shapes = 10000;

void BM_ScriptDrawsOnABitmap(benchmark::State& state) {
    vsRegisterGuiModules();
    TBitmap bitmap(320, 240);
    TvsScript script(nullptr);
    script.AddRTTI();
    script.AddObject("Bmp", &bitmap);
    script.Lines().SetText("var C: TCanvas; i, x, y: Integer;\r\n"
                           "begin\r\n"
                           "  C := Bmp.Canvas;\r\n"
                           "  for i := 0 to 9999 do begin\r\n"
                           "    x := i mod 300; y := i mod 220;\r\n"
                           "    C.Rectangle(x, y, x + 20, y + 10);\r\n"
                           "    C.TextOut(x, y, 'abc');\r\n"
                           "  end;\r\n"
                           "end.");
    if (!script.Compile()) {
        state.SkipWithError(script.ErrorText.c_str());
        return;
    }
    for (auto _ : state)
        script.Execute();
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations()) * Shapes);
}
BENCHMARK(BM_ScriptDrawsOnABitmap)->Unit(benchmark::kMillisecond);

void BM_CppDrawsOnABitmap(benchmark::State& state) {
    TBitmap bitmap(320, 240);
    for (auto _ : state) {
        TCanvas* c = bitmap.Canvas();
        for (int i = 0; i < Shapes; ++i) {
            const int x = i % 300, y = i % 220;
            c->Rectangle(x, y, x + 20, y + 10);
            c->TextOut(x, y, String("abc"));
        }
    }
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations()) * Shapes);
}
BENCHMARK(BM_CppDrawsOnABitmap)->Unit(benchmark::kMillisecond);

} // namespace
