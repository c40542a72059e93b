// Small damaged or hostile PNG files: peak memory and time of loading one, drawing it into a box of
// a picture object's size and saving it back, each case in a child process of its own so that its
// peak is its own. Beside them a legitimate 4,000 × 3,000 photograph, written by the reference PNG
// library and decoded by ours, checked pixel-exact against the reference decoder.
//
// Counters: "peak_MB" (the child's peak resident memory above what it held before loading),
// "ms" (its load, draw and save), "loaded" (1 when the picture loaded, 0 when it was refused),
// "file_KB" (the file's size).
#include "gui/Bitmap.h"
#include "gui/Forms.h"
#include "report/vrpngimage.h"

#include <benchmark/benchmark.h>
#include <png.h>
#include <sys/wait.h>
#include <unistd.h>
#include <zlib.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

void PutChunk(std::vector<Byte>& file, const char* type, const std::vector<Byte>& data) {
    const auto put32 = [&](Cardinal v) {
        for (int i = 3; i >= 0; --i)
            file.push_back(static_cast<Byte>((v >> (8 * i)) & 0xFF));
    };
    put32(static_cast<Cardinal>(data.size()));
    std::vector<Byte> typed(type, type + 4);
    typed.insert(typed.end(), data.begin(), data.end());
    file.insert(file.end(), typed.begin(), typed.end());
    put32(static_cast<Cardinal>(crc32(0, typed.data(), static_cast<uInt>(typed.size()))));
}

// A PNG of the header's size whose image data is the given compressed bytes (none: no IDAT).
std::vector<Byte> Craft(Cardinal w, Cardinal h, Byte depth, Byte colorType, Byte interlace,
                        const std::vector<Byte>& idat, bool withIdat = true) {
    std::vector<Byte> file = {0x89, 0x50, 0x4E, 0x47, 0x0D, 0x0A, 0x1A, 0x0A};
    std::vector<Byte> ihdr;
    for (Cardinal v : {w, h})
        for (int i = 3; i >= 0; --i)
            ihdr.push_back(static_cast<Byte>((v >> (8 * i)) & 0xFF));
    ihdr.insert(ihdr.end(), {depth, colorType, 0, 0, interlace});
    PutChunk(file, "IHDR", ihdr);
    if (withIdat) PutChunk(file, "IDAT", idat);
    PutChunk(file, "IEND", {});
    return file;
}

// `size` zero bytes deflated at the highest level, streamed so that no buffer of that size is made.
std::vector<Byte> DeflatedZeros(UInt64 size) {
    z_stream z{};
    deflateInit(&z, 9);
    std::vector<Byte> zeros(1 << 20, 0), out, buffer(1 << 16);
    while (size > 0) {
        const UInt64 n = std::min<UInt64>(size, zeros.size());
        size -= n;
        z.next_in = zeros.data();
        z.avail_in = static_cast<uInt>(n);
        const int flush = size == 0 ? Z_FINISH : Z_NO_FLUSH;
        do {
            z.next_out = buffer.data();
            z.avail_out = static_cast<uInt>(buffer.size());
            deflate(&z, flush);
            out.insert(out.end(), buffer.begin(), buffer.end() - z.avail_out);
        } while (z.avail_out == 0);
    }
    deflateEnd(&z);
    return out;
}

// Raw bytes of every row (filter byte included) of a non-interlaced picture.
UInt64 RawSize(UInt64 w, UInt64 h, int bitsPerPixel) {
    return h * (1 + (w * bitsPerPixel + 7) / 8);
}

struct TCase {
    const char* Name;
    std::vector<Byte> (*Make)();
};

const TCase Cases[] = {
    {"RGB 8 11585x11585, no IDAT", [] { return Craft(11585, 11585, 8, 2, 0, {}, false); }},
    {"RGB 8 11585x11585, 16 bytes", [] { return Craft(11585, 11585, 8, 2, 0, std::vector<Byte>(16, 0)); }},
    {"interlaced grey 2 11585x11585, few bytes",
     [] { return Craft(11585, 11585, 2, 0, 1, DeflatedZeros(4096)); }},
    {"RGBA 16 4096x4096, few bytes", [] { return Craft(4096, 4096, 16, 6, 0, DeflatedZeros(65536)); }},
    {"grey 8 65535x65535 (format limit), no IDAT", [] { return Craft(65535, 65535, 8, 0, 0, {}, false); }},
    {"grey 8 8192x8192 bomb (65 KB)", [] { return Craft(8192, 8192, 8, 0, 0, DeflatedZeros(RawSize(8192, 8192, 8))); }},
    {"RGB 8 12000x12000 bomb (~420 KB)",
     [] { return Craft(12000, 12000, 8, 2, 0, DeflatedZeros(RawSize(12000, 12000, 24))); }},
    {"RGBA 8 11000x11000 bomb (~470 KB)",
     [] { return Craft(11000, 11000, 8, 6, 0, DeflatedZeros(RawSize(11000, 11000, 32))); }},
    {"RGBA 16 8000x8000 bomb (~500 KB)",
     [] { return Craft(8000, 8000, 16, 6, 0, DeflatedZeros(RawSize(8000, 8000, 64))); }},
    {"RGB 8 9000x9000 bomb (~240 KB), just under the read bound",
     [] { return Craft(9000, 9000, 8, 2, 0, DeflatedZeros(RawSize(9000, 9000, 24))); }},
    {"RGBA 8 8000x8000 bomb (~250 KB), just under the read bound",
     [] { return Craft(8000, 8000, 8, 6, 0, DeflatedZeros(RawSize(8000, 8000, 32))); }},
};

Int64 StatusKB(const char* key) {
    std::ifstream status("/proc/self/status");
    std::string line;
    const std::size_t n = std::strlen(key);
    while (std::getline(status, line))
        if (line.compare(0, n, key) == 0) return std::atoll(line.c_str() + n + 1);
    return 0;
}

struct TResult {
    double PeakMB = 0, Ms = 0;
    int Loaded = 0;
};

// Load, draw into a 400 × 300 box and save back, in a child whose peak is measured from just before.
TResult RunInChild(const std::vector<Byte>& file) {
    int fds[2];
    if (pipe(fds) != 0) throw std::runtime_error("pipe");
    const pid_t pid = fork();
    if (pid == 0) {
        close(fds[0]);
        TResult r;
        TBitmap box(400, 300, pf32bit);
        const Int64 before = StatusKB("VmRSS:");
        // Reset the peak to what the process holds now (Linux: writing 5 to clear_refs).
        std::ofstream("/proc/self/clear_refs") << "5";
        const auto start = std::chrono::steady_clock::now();
        try {
            TPNGObject png;
            png.LoadFromBytes(file);
            png.Draw(*box.Canvas(), TRect(0, 0, 400, 300));
            benchmark::DoNotOptimize(png.SaveToBytes().size());
            r.Loaded = 1;
        } catch (const std::exception&) {
            r.Loaded = 0;
        }
        r.Ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
        r.PeakMB = static_cast<double>(StatusKB("VmHWM:") - before) / 1024.0;
        if (write(fds[1], &r, sizeof r) != sizeof r) _exit(2);
        _exit(0);
    }
    close(fds[1]);
    TResult r;
    const bool got = read(fds[0], &r, sizeof r) == sizeof r;
    close(fds[0]);
    int status = 0;
    waitpid(pid, &status, 0);
    if (!got) throw std::runtime_error("the child died");
    return r;
}

void BM_PngHostileFile(benchmark::State& state) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    Application();
    const TCase& c = Cases[state.range(0)];
    state.SetLabel(c.Name);
    const std::vector<Byte> file = c.Make();
    TResult r;
    for (auto _ : state)
        r = RunInChild(file);
    state.counters["peak_MB"] = r.PeakMB;
    state.counters["ms"] = r.Ms;
    state.counters["loaded"] = r.Loaded;
    state.counters["file_KB"] = static_cast<double>(file.size()) / 1024.0;
}

// ---- A legitimate photograph through both decoders ----

constexpr Integer PhotoW = 4000, PhotoH = 3000;

struct TSink {
    std::vector<Byte> Data;
    std::size_t Pos = 0;
};

void SinkWrite(png_structp png, png_bytep data, png_size_t n) {
    auto* sink = static_cast<TSink*>(png_get_io_ptr(png));
    sink->Data.insert(sink->Data.end(), data, data + n);
}
void SinkFlush(png_structp) {}
void SinkRead(png_structp png, png_bytep data, png_size_t n) {
    auto* src = static_cast<TSink*>(png_get_io_ptr(png));
    if (src->Pos + n > src->Data.size()) png_error(png, "short");
    std::memcpy(data, src->Data.data() + src->Pos, n);
    src->Pos += n;
}

// A photo-like RGB picture (gradients with noise), written by the reference library.
const std::vector<Byte>& PhotoFile() {
    static const std::vector<Byte> file = [] {
        std::vector<Byte> rgb(static_cast<std::size_t>(PhotoW) * PhotoH * 3);
        UInt64 s = 88172645463325252ULL;
        for (std::size_t i = 0; i < rgb.size(); ++i) {
            s ^= s << 13;
            s ^= s >> 7;
            s ^= s << 17;
            const std::size_t px = i / 3, x = px % PhotoW, y = px / PhotoW;
            const Integer base = i % 3 == 0 ? Integer(x * 255 / PhotoW) : i % 3 == 1 ? Integer(y * 255 / PhotoH) : 128;
            rgb[i] = static_cast<Byte>(std::clamp<Integer>(base + Integer(s % 17) - 8, 0, 255));
        }
        TSink sink;
        png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
        png_infop info = png_create_info_struct(png);
        png_set_write_fn(png, &sink, SinkWrite, SinkFlush);
        png_set_IHDR(png, info, PhotoW, PhotoH, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                     PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
        png_write_info(png, info);
        for (Integer y = 0; y < PhotoH; ++y)
            png_write_row(png, &rgb[static_cast<std::size_t>(y) * PhotoW * 3]);
        png_write_end(png, info);
        png_destroy_write_struct(&png, &info);
        return std::move(sink.Data);
    }();
    return file;
}

std::vector<Byte> ReferenceDecode(const std::vector<Byte>& file) {
    TSink src{file, 0};
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    png_set_read_fn(png, &src, SinkRead);
    png_read_info(png, info);
    const std::size_t rowBytes = png_get_rowbytes(png, info);
    std::vector<Byte> pixels(rowBytes * PhotoH);
    for (Integer y = 0; y < PhotoH; ++y)
        png_read_row(png, &pixels[y * rowBytes], nullptr);
    png_read_end(png, nullptr);
    png_destroy_read_struct(&png, &info, nullptr);
    return pixels;
}

void BM_PngPhoto4000x3000(benchmark::State& state) {
    const std::vector<Byte>& file = PhotoFile();
    TPNGObject png;
    for (auto _ : state)
        png.LoadFromBytes(file);
    // Ours holds blue, green, red; the reference red, green, blue.
    const std::vector<Byte> reference = ReferenceDecode(file);
    const TPngBitmap& image = png.Header().Image;
    bool exact = image.Width == PhotoW && image.Height == PhotoH;
    for (Integer y = 0; exact && y < PhotoH; ++y) {
        const Byte* ours = image.Row(y);
        const Byte* ref = &reference[static_cast<std::size_t>(y) * PhotoW * 3];
        for (Integer x = 0; x < PhotoW && exact; ++x)
            exact = ours[3 * x] == ref[3 * x + 2] && ours[3 * x + 1] == ref[3 * x + 1] && ours[3 * x + 2] == ref[3 * x];
    }
    if (!exact) state.SkipWithError("the photograph does not decode pixel-exact");
    state.counters["exact"] = exact ? 1 : 0;
    state.counters["file_KB"] = static_cast<double>(file.size()) / 1024.0;
}

void BM_ReferencePngPhoto4000x3000(benchmark::State& state) {
    const std::vector<Byte>& file = PhotoFile();
    for (auto _ : state)
        benchmark::DoNotOptimize(ReferenceDecode(file).data());
}

} // namespace

BENCHMARK(BM_PngHostileFile)->DenseRange(0, std::size(Cases) - 1)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PngPhoto4000x3000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReferencePngPhoto4000x3000)->Unit(benchmark::kMillisecond);
