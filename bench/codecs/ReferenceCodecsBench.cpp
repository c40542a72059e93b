// The GIF and PNG codecs beside the reference GIF and PNG libraries in one run, on three 1920 × 1080
// pictures: photo-like (gradients with noise), screenshot-like (flat panels, text-like dots, lines)
// and one colour. Each pair works on the same pixels; the decoders read the same file. The file
// sizes of both encoders are reported as counters ("bytes").
#include "controls/KxGIF.h"
#include "report/vrpngimage.h"

#include <benchmark/benchmark.h>
#include <gif_lib.h>
#include <png.h>

#include <cstring>
#include <stdexcept>
#include <vector>

namespace {

constexpr Integer W = 1920, H = 1080;

enum TKind { kPhoto, kScreen, kFlat };

// A deterministic noise source.
struct TNoise {
    UInt64 State = 88172645463325252ULL;
    Integer Next(Integer range) {
        State ^= State << 13;
        State ^= State >> 7;
        State ^= State << 17;
        return static_cast<Integer>(State % static_cast<UInt64>(range));
    }
};

// The RGB pixels of a picture, top row first, red, green, blue.
std::vector<Byte> Pixels(TKind kind) {
    std::vector<Byte> rgb(static_cast<std::size_t>(W) * H * 3);
    TNoise noise;
    for (Integer y = 0; y < H; ++y)
        for (Integer x = 0; x < W; ++x) {
            Byte* p = &rgb[(static_cast<std::size_t>(y) * W + x) * 3];
            Integer r = 200, g = 120, b = 40;
            if (kind == kPhoto) {
                r = (x * 255 / W + noise.Next(17) - 8);
                g = (y * 255 / H + noise.Next(17) - 8);
                b = ((x + y) * 128 / (W + H) + 64 + noise.Next(17) - 8);
            } else if (kind == kScreen) {
                r = g = b = 255;
                if (y < 30) r = g = b = 220;                                 // title bar
                if (x < 240 && y >= 30) r = 240, g = 240, b = 245;           // side panel
                if (y >= 60 && (y - 60) % 20 < 12 && x > 260 && x < 1800) { // text lines
                    if (noise.Next(3) == 0) r = g = b = 30;
                }
                if (y % 20 == 0 && x > 250) r = g = b = 200; // grid lines
                if (x >= 1500 && x < 1700 && y >= 400 && y < 600) r = 40, g = 90, b = 200;
            }
            p[0] = static_cast<Byte>(std::clamp(r, 0, 255));
            p[1] = static_cast<Byte>(std::clamp(g, 0, 255));
            p[2] = static_cast<Byte>(std::clamp(b, 0, 255));
        }
    return rgb;
}

// The picture reduced to a 6 × 6 × 6 colour cube, indexes top row first.
std::vector<Byte> Indexes(TKind kind) {
    const std::vector<Byte> rgb = Pixels(kind);
    std::vector<Byte> out(static_cast<std::size_t>(W) * H);
    for (std::size_t i = 0; i < out.size(); ++i)
        out[i] = static_cast<Byte>((rgb[3 * i] / 43) * 36 + (rgb[3 * i + 1] / 43) * 6 + rgb[3 * i + 2] / 43);
    return out;
}

Byte CubeLevel(Integer i) {
    return static_cast<Byte>(i * 51);
}

// ---- GIF, ours ----

TDibBitmap GifBitmap(TKind kind) {
    const std::vector<Byte> idx = Indexes(kind);
    TDibBitmap bmp(W, H, 8);
    for (Integer i = 0; i < 216; ++i)
        bmp.Colors[i] = TDibColor::FromRGB(CubeLevel(i / 36), CubeLevel(i / 6 % 6), CubeLevel(i % 6));
    for (Integer y = 0; y < H; ++y)
        std::memcpy(bmp.ScanLine(y), &idx[static_cast<std::size_t>(y) * W], W);
    return bmp;
}

// ---- GIF, reference ----

struct TGifSink {
    std::vector<Byte> Data;
    std::size_t Pos = 0;
};

int GifWrite(GifFileType* gif, const GifByteType* data, int n) {
    auto* sink = static_cast<TGifSink*>(gif->UserData);
    sink->Data.insert(sink->Data.end(), data, data + n);
    return n;
}

int GifRead(GifFileType* gif, GifByteType* data, int n) {
    auto* src = static_cast<TGifSink*>(gif->UserData);
    const int take = static_cast<int>(std::min<std::size_t>(n, src->Data.size() - src->Pos));
    std::memcpy(data, src->Data.data() + src->Pos, take);
    src->Pos += take;
    return take;
}

std::vector<Byte> ReferenceGifEncode(const std::vector<Byte>& idx) {
    TGifSink sink;
    int error = 0;
    GifFileType* gif = EGifOpen(&sink, GifWrite, &error);
    GifColorType colors[256] = {};
    for (Integer i = 0; i < 216; ++i)
        colors[i] = GifColorType{CubeLevel(i / 36), CubeLevel(i / 6 % 6), CubeLevel(i % 6)};
    ColorMapObject* map = GifMakeMapObject(256, colors);
    EGifPutScreenDesc(gif, W, H, 8, 0, map);
    EGifPutImageDesc(gif, 0, 0, W, H, false, nullptr);
    for (Integer y = 0; y < H; ++y)
        EGifPutLine(gif, const_cast<GifPixelType*>(&idx[static_cast<std::size_t>(y) * W]), W);
    EGifCloseFile(gif, &error);
    GifFreeMapObject(map);
    return std::move(sink.Data);
}

void ReferenceGifDecode(const std::vector<Byte>& file) {
    TGifSink src{file, 0};
    int error = 0;
    GifFileType* gif = DGifOpen(&src, GifRead, &error);
    if (!gif || DGifSlurp(gif) != GIF_OK) throw std::runtime_error("reference GIF decode failed");
    benchmark::DoNotOptimize(gif->SavedImages[0].RasterBits);
    DGifCloseFile(gif, &error);
}

void BM_GifEncode(benchmark::State& state) {
    const TDibBitmap bmp = GifBitmap(static_cast<TKind>(state.range(0)));
    std::size_t size = 0;
    for (auto _ : state) {
        TGIFImage gif;
        gif.Assign(bmp);
        size = gif.SaveToBytes().size();
    }
    state.counters["bytes"] = static_cast<double>(size);
}

void BM_ReferenceGifEncode(benchmark::State& state) {
    const std::vector<Byte> idx = Indexes(static_cast<TKind>(state.range(0)));
    std::size_t size = 0;
    for (auto _ : state)
        size = ReferenceGifEncode(idx).size();
    state.counters["bytes"] = static_cast<double>(size);
}

void BM_GifDecode(benchmark::State& state) {
    const std::vector<Byte> file = ReferenceGifEncode(Indexes(static_cast<TKind>(state.range(0))));
    for (auto _ : state) {
        TGIFImage gif;
        gif.LoadFromBytes(file);
        benchmark::DoNotOptimize(gif.FrameAt(0)->FrameBitmap().Bits().data());
    }
}

void BM_ReferenceGifDecode(benchmark::State& state) {
    const std::vector<Byte> file = ReferenceGifEncode(Indexes(static_cast<TKind>(state.range(0))));
    for (auto _ : state)
        ReferenceGifDecode(file);
}

// ---- PNG ----

constexpr int Level = 7; // the PNG picture's default deflate level, used by both sides

TPngBitmap PngBitmap(TKind kind) {
    const std::vector<Byte> rgb = Pixels(kind);
    TPngBitmap bmp;
    bmp.Allocate(W, H, 24);
    for (Integer y = 0; y < H; ++y) {
        Byte* row = bmp.Row(y);
        const Byte* src = &rgb[static_cast<std::size_t>(y) * W * 3];
        for (Integer x = 0; x < W; ++x) {
            row[3 * x] = src[3 * x + 2];
            row[3 * x + 1] = src[3 * x + 1];
            row[3 * x + 2] = src[3 * x];
        }
    }
    return bmp;
}

void PngWrite(png_structp png, png_bytep data, png_size_t n) {
    auto* sink = static_cast<TGifSink*>(png_get_io_ptr(png));
    sink->Data.insert(sink->Data.end(), data, data + n);
}
void PngFlush(png_structp) {}
void PngRead(png_structp png, png_bytep data, png_size_t n) {
    auto* src = static_cast<TGifSink*>(png_get_io_ptr(png));
    if (src->Pos + n > src->Data.size()) png_error(png, "short");
    std::memcpy(data, src->Data.data() + src->Pos, n);
    src->Pos += n;
}

std::vector<Byte> ReferencePngEncode(const std::vector<Byte>& rgb) {
    TGifSink sink;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    png_set_write_fn(png, &sink, PngWrite, PngFlush);
    png_set_compression_level(png, Level);
    png_set_IHDR(png, info, W, H, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (Integer y = 0; y < H; ++y)
        png_write_row(png, &rgb[static_cast<std::size_t>(y) * W * 3]);
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    return std::move(sink.Data);
}

// Decodes into a fresh buffer, as a decoder making a new picture does.
void ReferencePngDecode(const std::vector<Byte>& file, std::vector<Byte>& pixels) {
    TGifSink src{file, 0};
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    png_set_read_fn(png, &src, PngRead);
    png_read_info(png, info);
    const std::size_t rowBytes = png_get_rowbytes(png, info);
    const png_uint_32 height = png_get_image_height(png, info);
    pixels = std::vector<Byte>(rowBytes * height);
    for (png_uint_32 y = 0; y < height; ++y)
        png_read_row(png, &pixels[y * rowBytes], nullptr);
    png_read_end(png, nullptr);
    png_destroy_read_struct(&png, &info, nullptr);
}

void BM_PngEncode(benchmark::State& state) {
    TPNGObject png;
    png.AssignBitmap(PngBitmap(static_cast<TKind>(state.range(0))), false, 0);
    png.DeflateLevel = Level;
    std::size_t size = 0;
    for (auto _ : state)
        size = png.SaveToBytes().size();
    state.counters["bytes"] = static_cast<double>(size);
}

void BM_ReferencePngEncode(benchmark::State& state) {
    const std::vector<Byte> rgb = Pixels(static_cast<TKind>(state.range(0)));
    std::size_t size = 0;
    for (auto _ : state)
        size = ReferencePngEncode(rgb).size();
    state.counters["bytes"] = static_cast<double>(size);
}

void BM_PngDecode(benchmark::State& state) {
    const std::vector<Byte> file = ReferencePngEncode(Pixels(static_cast<TKind>(state.range(0))));
    for (auto _ : state) {
        TPNGObject png;
        png.LoadFromBytes(file);
        benchmark::DoNotOptimize(png.Header().Image.Bits.data());
    }
}

void BM_ReferencePngDecode(benchmark::State& state) {
    const std::vector<Byte> file = ReferencePngEncode(Pixels(static_cast<TKind>(state.range(0))));
    std::vector<Byte> pixels;
    for (auto _ : state) {
        ReferencePngDecode(file, pixels);
        benchmark::DoNotOptimize(pixels.data());
    }
}

// A 4096 × 4096 bitmap of one colour: the encoder's worst case before its hash table had a prime size.
void BM_GifEncodeFlat4096(benchmark::State& state) {
    TDibBitmap bmp(4096, 4096, 8);
    for (auto _ : state) {
        TGIFImage gif;
        gif.Assign(bmp);
        benchmark::DoNotOptimize(gif.SaveToBytes().size());
    }
}

} // namespace

// Arguments: 0 photo-like, 1 screenshot-like, 2 one colour.
#define PICTURES ->Arg(kPhoto)->Arg(kScreen)->Arg(kFlat)->Unit(benchmark::kMillisecond)
BENCHMARK(BM_GifEncode) PICTURES;
BENCHMARK(BM_ReferenceGifEncode) PICTURES;
BENCHMARK(BM_GifDecode) PICTURES;
BENCHMARK(BM_ReferenceGifDecode) PICTURES;
BENCHMARK(BM_PngEncode) PICTURES;
BENCHMARK(BM_ReferencePngEncode) PICTURES;
BENCHMARK(BM_PngDecode) PICTURES;
BENCHMARK(BM_ReferencePngDecode) PICTURES;
BENCHMARK(BM_GifEncodeFlat4096)->Unit(benchmark::kMillisecond);
