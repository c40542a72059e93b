// Measuring and drawing a table of 50 columns by 20 rows of cell texts into a bitmap, as the
// grid paints a screen of rows.
#include "gui/Bitmap.h"
#include "gui/Metafile.h"

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

namespace {

constexpr int Cols = 50;
constexpr int Rows = 20;
constexpr int CellW = 64;
constexpr int CellH = 18;

std::vector<String> CellTexts() {
    std::vector<String> texts;
    const char* words[] = {"物业费",     "1,234.50",     "3号楼2单元", "已收",
                           "2026-12-10", "Parking A-17", "欠费",       "0.00"};
    for (int i = 0; i < Cols * Rows; ++i)
        texts.push_back(String(words[i % 8]) + std::to_string(i % 97));
    return texts;
}

void SetUpCanvas(TCanvas* c) {
    c->Font()->SetName("宋体");
    c->Font()->SetSize(9);
    c->Pen()->SetColor(clBtnShadow);
}

void PaintTable(TCanvas* c, const std::vector<String>& texts) {
    for (int r = 0; r < Rows; ++r)
        for (int col = 0; col < Cols; ++col) {
            TRect cell = Bounds(col * CellW, r * CellH, CellW, CellH);
            c->Brush()->SetColor(r % 2 ? clWindow : clInfoBk);
            c->FillRect(cell);
            TRect text = cell;
            InflateRect(text, -2, -1);
            c->DrawText(texts[static_cast<size_t>(r * Cols + col)], text,
                        DT_SINGLELINE | DT_VCENTER | DT_RIGHT | DT_END_ELLIPSIS | DT_NOPREFIX);
            c->MoveTo(cell.Left, cell.Bottom - 1);
            c->LineTo(cell.Right, cell.Bottom - 1);
        }
}

void MeasureTexts(benchmark::State& state) {
    auto texts = CellTexts();
    TBitmap bmp(16, 16, pf24bit);
    SetUpCanvas(bmp.Canvas());
    for (auto _ : state) {
        int total = 0;
        for (const auto& t : texts)
            total += bmp.Canvas()->TextWidth(t);
        benchmark::DoNotOptimize(total);
    }
    state.SetItemsProcessed(state.iterations() * Cols * Rows);
}
BENCHMARK(MeasureTexts);

void DrawTableOnBitmap(benchmark::State& state) {
    auto texts = CellTexts();
    TBitmap bmp(Cols * CellW, Rows * CellH, pf24bit);
    SetUpCanvas(bmp.Canvas());
    for (auto _ : state) {
        PaintTable(bmp.Canvas(), texts);
        benchmark::DoNotOptimize(bmp.Canvas()->Pixels(1, 1));
    }
    state.SetItemsProcessed(state.iterations() * Cols * Rows);
}
BENCHMARK(DrawTableOnBitmap);

void RecordAndReplayTable(benchmark::State& state) {
    auto texts = CellTexts();
    TBitmap bmp(Cols * CellW, Rows * CellH, pf24bit);
    for (auto _ : state) {
        TMetafile mf;
        {
            TMetafileCanvas mc(&mf);
            SetUpCanvas(&mc);
            PaintTable(&mc, texts);
        }
        bmp.Canvas()->Draw(0, 0, &mf);
    }
    state.SetItemsProcessed(state.iterations() * Cols * Rows);
}
BENCHMARK(RecordAndReplayTable);

} // namespace
