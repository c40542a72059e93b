// Laying out and drawing a text object's paragraphs through the text layout object with real
// fonts: a Latin and a Chinese paragraph of about 1,000 characters in a 200-unit box.
#include "report/vrDrawText.h"

#include "gui/Bitmap.h"

#include <benchmark/benchmark.h>

namespace {

// kind 0: Latin text; 1: Chinese text; 2: Chinese text in a GB2312 font, which goes through the
// byte path (code page 936).
void Prepare(TvrDrawText& text, TWideStrings& source, int64_t kind) {
    const bool chinese = kind != 0;
    TFont font;
    font.SetName(chinese ? "宋体" : "Arial");
    if (kind == 2) font.SetCharset(GB2312_CHARSET);
    font.SetSize(10);
    text.ApplyFont(font);
    text.ApplyOptions(true, true, false, false, false, true, 0);
    text.ApplySpacing(0, 0, 0);
    text.ApplyRects(TRect(0, 0, 200, 2000), TRect(0, 0, 200, 2000), 1, 1, 1);
    const WideString piece = chinese ? WideString(u"本月物业管理费已经按照各户的建筑面积计算完毕，")
                                     : WideString(u"The quick <b>brown</b> fox jumps over the lazy dog. ");
    WideString paragraph;
    while (paragraph.size() < 1000)
        paragraph += piece;
    source.Clear();
    source.Add(paragraph);
}

void BM_LayoutText(benchmark::State& state) {
    TvrDrawText text;
    TWideStrings source;
    Prepare(text, source, state.range(0));
    for (auto _ : state) {
        text.LayoutText(source);
        benchmark::DoNotOptimize(text.WrappedLines.Count());
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(source.Strings(0).size()));
}
BENCHMARK(BM_LayoutText)->Arg(0)->Arg(1)->Arg(2);

void BM_LayoutAndDraw(benchmark::State& state) {
    TvrDrawText text;
    TWideStrings source;
    Prepare(text, source, state.range(0));
    TBitmap bitmap(200, 2000);
    for (auto _ : state) {
        text.LayoutText(source);
        text.DrawLayout(*bitmap.Canvas(), haBlock, vaTop);
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(source.Strings(0).size()));
}
BENCHMARK(BM_LayoutAndDraw)->Arg(0)->Arg(1)->Arg(2);

} // namespace
