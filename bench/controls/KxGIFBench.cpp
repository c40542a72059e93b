// Decoding and encoding a 1024 × 768 GIF, beside Pillow doing the same.
#include "../CodecBenchPillow.h"
#include "controls/KxGIF.h"

namespace {

TDibBitmap Picture() {
    TDibBitmap bmp(1024, 768, 8);
    for (Integer i = 0; i < 256; ++i)
        bmp.Colors[i] = TDibColor::FromRGB(Byte(i), Byte(255 - i), Byte(i * 3));
    for (Integer y = 0; y < 768; ++y)
        for (Integer x = 0; x < 1024; ++x)
            bmp.SetPixelIndex(x, y, (x * 3 + y * 5 + (x * y) % 7) & 255);
    return bmp;
}

const char* PillowSetup = R"PY(
import io, time
from PIL import Image
im = Image.new('P', (1024, 768))
im.putpalette([v for i in range(256) for v in (i, 255 - i, (i * 3) & 255)])
im.putdata([(x * 3 + y * 5 + (x * y) % 7) & 255 for y in range(768) for x in range(1024)])
buf = io.BytesIO()
im.save(buf, 'GIF')
data = buf.getvalue()
def run(fn, n=10):
    t = time.perf_counter()
    for i in range(n):
        fn()
    print((time.perf_counter() - t) / n)
)PY";

void BM_GifDecode1024x768(benchmark::State& state) {
    TGIFImage gif;
    gif.Assign(Picture());
    const std::vector<Byte> file = gif.SaveToBytes();
    for (auto _ : state) {
        TGIFImage back;
        back.LoadFromBytes(file);
        benchmark::DoNotOptimize(back.FrameAt(0)->FrameBitmap().Bits().data());
    }
}

void BM_GifEncode1024x768(benchmark::State& state) {
    const TDibBitmap bmp = Picture();
    for (auto _ : state) {
        TGIFImage gif;
        gif.Assign(bmp);
        benchmark::DoNotOptimize(gif.SaveToBytes().size());
    }
}

void BM_GifEncodeTrueColour1024x768(benchmark::State& state) {
    TDibBitmap rgb(1024, 768, 24);
    for (Integer y = 0; y < 768; ++y)
        for (Integer x = 0; x < 1024; ++x)
            rgb.SetPixel(x, y, KxRGB(Byte(x >> 2), Byte(y / 3), Byte((x ^ y) & 0xF0)));
    for (auto _ : state) {
        TGIFImage gif;
        gif.Assign(rgb);
        benchmark::DoNotOptimize(gif.SaveToBytes().size());
    }
}

void BM_PillowGifDecode1024x768(benchmark::State& state) {
    codecbench::ReportPillow(state,
                             std::string(PillowSetup) + "run(lambda: Image.open(io.BytesIO(data)).load())\n");
}

void BM_PillowGifEncode1024x768(benchmark::State& state) {
    codecbench::ReportPillow(state, std::string(PillowSetup) + "run(lambda: im.save(io.BytesIO(), 'GIF'))\n");
}

} // namespace

BENCHMARK(BM_GifDecode1024x768)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PillowGifDecode1024x768)->UseManualTime()->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GifEncode1024x768)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PillowGifEncode1024x768)->UseManualTime()->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GifEncodeTrueColour1024x768)->Unit(benchmark::kMillisecond);
