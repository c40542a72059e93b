// Decoding and encoding a 1024 × 768 PNG, beside Pillow doing the same.
#include "../CodecBenchPillow.h"
#include "report/vrpngimage.h"

namespace {

TPngBitmap Picture() {
    TPngBitmap bmp;
    bmp.Allocate(1024, 768, 24);
    for (Integer y = 0; y < 768; ++y)
        for (Integer x = 0; x < 1024; ++x) {
            Byte* p = bmp.Row(y) + 3 * x;
            p[0] = static_cast<Byte>((x ^ y) & 255);
            p[1] = static_cast<Byte>(y & 255);
            p[2] = static_cast<Byte>(x & 255);
        }
    return bmp;
}

const char* PillowSetup = R"PY(
import io, time
from PIL import Image
im = Image.new('RGB', (1024, 768))
im.putdata([(x & 255, y & 255, (x ^ y) & 255) for y in range(768) for x in range(1024)])
buf = io.BytesIO()
im.save(buf, 'PNG', compress_level=7)
data = buf.getvalue()
def run(fn, n=10):
    t = time.perf_counter()
    for i in range(n):
        fn()
    print((time.perf_counter() - t) / n)
)PY";

void BM_PngDecode1024x768(benchmark::State& state) {
    TPNGObject png;
    png.AssignBitmap(Picture(), false, 0);
    const std::vector<Byte> file = png.SaveToBytes();
    for (auto _ : state) {
        TPNGObject back;
        back.LoadFromBytes(file);
        benchmark::DoNotOptimize(back.Header().Image.Bits.data());
    }
}

void BM_PngEncode1024x768(benchmark::State& state) {
    TPNGObject png;
    png.AssignBitmap(Picture(), false, 0);
    for (auto _ : state)
        benchmark::DoNotOptimize(png.SaveToBytes().size());
}

void BM_PillowPngDecode1024x768(benchmark::State& state) {
    codecbench::ReportPillow(state,
                             std::string(PillowSetup) + "run(lambda: Image.open(io.BytesIO(data)).load())\n");
}

void BM_PillowPngEncode1024x768(benchmark::State& state) {
    codecbench::ReportPillow(state, std::string(PillowSetup) +
                                        "run(lambda: im.save(io.BytesIO(), 'PNG', compress_level=7))\n");
}

} // namespace

BENCHMARK(BM_PngDecode1024x768)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PillowPngDecode1024x768)->UseManualTime()->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PngEncode1024x768)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PillowPngEncode1024x768)->UseManualTime()->Iterations(1)->Unit(benchmark::kMillisecond);
