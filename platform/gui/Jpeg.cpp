#include "gui/Jpeg.h"

#include "rtl/Streams.h"

#include <csetjmp>
#include <cstdio>
#include <cstring>

#include <jpeglib.h>

namespace {

struct ErrorManager {
    jpeg_error_mgr Pub;
    std::jmp_buf Jump;
    char Message[JMSG_LENGTH_MAX];
};

void OnError(j_common_ptr info) {
    auto* err = reinterpret_cast<ErrorManager*>(info->err);
    (*info->err->format_message)(info, err->Message);
    std::longjmp(err->Jump, 1);
}

void OnMessage(j_common_ptr, int) {}

// Header fields read without decoding the pixels.
bool ReadSize(const std::vector<Byte>& data, int& width, int& height, String& error) {
    jpeg_decompress_struct info;
    ErrorManager err;
    info.err = jpeg_std_error(&err.Pub);
    err.Pub.error_exit = OnError;
    err.Pub.emit_message = OnMessage;
    if (setjmp(err.Jump)) {
        error = err.Message;
        jpeg_destroy_decompress(&info);
        return false;
    }
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, data.data(), static_cast<unsigned long>(data.size()));
    jpeg_read_header(&info, TRUE);
    width = static_cast<int>(info.image_width);
    height = static_cast<int>(info.image_height);
    jpeg_destroy_decompress(&info);
    return true;
}

} // namespace

TJPEGImage::TJPEGImage() = default;
TJPEGImage::~TJPEGImage() = default;

int TJPEGImage::Width() const {
    return FBitmap ? FBitmap->Width() : FWidth;
}
int TJPEGImage::Height() const {
    return FBitmap ? FBitmap->Height() : FHeight;
}

void TJPEGImage::SetWidth(int) {
    throw EInvalidGraphicOperation("Cannot change the size of a JPEG image");
}
void TJPEGImage::SetHeight(int) {
    throw EInvalidGraphicOperation("Cannot change the size of a JPEG image");
}

bool TJPEGImage::Empty() const {
    return FData.empty() && (!FBitmap || FBitmap->Empty());
}

void TJPEGImage::SetCompressionQuality(int quality) {
    FQuality = std::clamp(quality, 1, 100);
}

void TJPEGImage::SetGrayscale(bool value) {
    if (value == FGrayscale) return;
    FGrayscale = value;
    if (!FData.empty()) FBitmap.reset();
    Changed();
}

void TJPEGImage::SetPerformance(TJPEGPerformance value) {
    if (value == FPerformance) return;
    FPerformance = value;
    if (!FData.empty()) FBitmap.reset();
}

void TJPEGImage::SetScale(TJPEGScale value) {
    if (value == FScale) return;
    FScale = value;
    if (!FData.empty()) FBitmap.reset();
    Changed();
}

void TJPEGImage::SetPixelFormat(TJPEGPixelFormat value) {
    if (value == FPixelFormat) return;
    FPixelFormat = value;
    if (!FData.empty()) FBitmap.reset();
}

void TJPEGImage::LoadFromBytes(const std::vector<Byte>& bytes) {
    int w = 0, h = 0;
    String error;
    if (!ReadSize(bytes, w, h, error)) throw EJPEG("JPEG error: " + error);
    FData = bytes;
    FWidth = w;
    FHeight = h;
    FBitmap.reset();
    Changed();
}

void TJPEGImage::LoadFromStream(TStream& stream) {
    std::vector<Byte> bytes;
    Byte buf[65536];
    Int64 n;
    while ((n = stream.Read(buf, sizeof buf)) > 0)
        bytes.insert(bytes.end(), buf, buf + n);
    LoadFromBytes(bytes);
}

void TJPEGImage::SaveToStream(TStream& stream) {
    JPEGNeeded();
    if (!FData.empty()) stream.WriteBuffer(FData.data(), static_cast<Int64>(FData.size()));
}

std::vector<Byte> TJPEGImage::SaveToBytes() {
    JPEGNeeded();
    return FData;
}

void TJPEGImage::Decode() {
    jpeg_decompress_struct info;
    ErrorManager err;
    info.err = jpeg_std_error(&err.Pub);
    err.Pub.error_exit = OnError;
    err.Pub.emit_message = OnMessage;
    // Made before the jump point so a failure unwinds nothing the jump would skip.
    auto bmp = std::make_unique<TBitmap>();
    std::vector<JSAMPLE> row;
    if (setjmp(err.Jump)) {
        jpeg_destroy_decompress(&info);
        throw EJPEG(String("JPEG error: ") + err.Message);
    }
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, FData.data(), static_cast<unsigned long>(FData.size()));
    jpeg_read_header(&info, TRUE);
    bool cmyk = info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK;
    bool adobe = info.saw_Adobe_marker;
    if (FGrayscale)
        info.out_color_space = JCS_GRAYSCALE;
    else if (cmyk)
        info.out_color_space = JCS_CMYK;
    else
        info.out_color_space = JCS_RGB;
    info.scale_num = 1;
    info.scale_denom = 1u << static_cast<int>(FScale);
    if (FPerformance == jpBestSpeed) {
        info.dct_method = JDCT_IFAST;
        info.do_fancy_upsampling = FALSE;
    }
    jpeg_start_decompress(&info);
    int w = static_cast<int>(info.output_width), h = static_cast<int>(info.output_height);
    int comps = info.output_components;
    // A header may promise more than any picture holds; the decoder is given back first.
    if (Int64(w) * h > MaxPicturePixels) {
        jpeg_destroy_decompress(&info);
        throw EJPEG("JPEG error: the image is too large to be held in memory");
    }
    bmp->SetPixelFormat(pf24bit);
    bmp->SetSize(w, h);
    row.resize(static_cast<size_t>(w) * static_cast<size_t>(comps));
    for (int y = 0; y < h; ++y) {
        JSAMPROW rows[1] = {row.data()};
        jpeg_read_scanlines(&info, rows, 1);
        Byte* out = bmp->ScanLine(y);
        for (int x = 0; x < w; ++x) {
            const JSAMPLE* p = row.data() + static_cast<size_t>(x) * static_cast<size_t>(comps);
            Byte r, g, b;
            if (comps == 1) {
                r = g = b = p[0];
            } else if (comps == 4) {
                int c = p[0], m = p[1], yy = p[2], k = p[3];
                if (!adobe) c = 255 - c, m = 255 - m, yy = 255 - yy, k = 255 - k;
                r = static_cast<Byte>(c * k / 255);
                g = static_cast<Byte>(m * k / 255);
                b = static_cast<Byte>(yy * k / 255);
            } else {
                r = p[0];
                g = p[1];
                b = p[2];
            }
            out[3 * x] = b;
            out[3 * x + 1] = g;
            out[3 * x + 2] = r;
        }
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    FBitmap = std::move(bmp);
}

void TJPEGImage::DIBNeeded() {
    if (!FBitmap && !FData.empty()) Decode();
}

void TJPEGImage::JPEGNeeded() {
    if (FData.empty() && FBitmap && !FBitmap->Empty()) Compress();
}

void TJPEGImage::Compress() {
    if (!FBitmap || FBitmap->Empty()) {
        DIBNeeded();
        if (!FBitmap || FBitmap->Empty()) return;
    }
    TBitmap src;
    src.Assign(*FBitmap);
    src.SetPixelFormat(pf24bit);
    int w = src.Width(), h = src.Height();
    jpeg_compress_struct info;
    ErrorManager err;
    info.err = jpeg_std_error(&err.Pub);
    err.Pub.error_exit = OnError;
    err.Pub.emit_message = OnMessage;
    unsigned char* mem = nullptr;
    unsigned long memSize = 0;
    std::vector<JSAMPLE> row(static_cast<size_t>(w) * 3);
    if (setjmp(err.Jump)) {
        jpeg_destroy_compress(&info);
        std::free(mem);
        throw EJPEG(String("JPEG error: ") + err.Message);
    }
    jpeg_create_compress(&info);
    jpeg_mem_dest(&info, &mem, &memSize);
    info.image_width = static_cast<JDIMENSION>(w);
    info.image_height = static_cast<JDIMENSION>(h);
    info.input_components = FGrayscale ? 1 : 3;
    info.in_color_space = FGrayscale ? JCS_GRAYSCALE : JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, FQuality, TRUE);
    if (FProgressive) jpeg_simple_progression(&info);
    jpeg_start_compress(&info, TRUE);
    for (int y = 0; y < h; ++y) {
        const Byte* in = src.ScanLine(y);
        for (int x = 0; x < w; ++x) {
            Byte b = in[3 * x], g = in[3 * x + 1], r = in[3 * x + 2];
            if (FGrayscale) {
                row[static_cast<size_t>(x)] =
                    static_cast<JSAMPLE>((r * 299 + g * 587 + b * 114 + 500) / 1000);
            } else {
                row[static_cast<size_t>(3 * x)] = r;
                row[static_cast<size_t>(3 * x + 1)] = g;
                row[static_cast<size_t>(3 * x + 2)] = b;
            }
        }
        JSAMPROW rows[1] = {row.data()};
        jpeg_write_scanlines(&info, rows, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    FData.assign(mem, mem + memSize);
    std::free(mem);
    FWidth = w;
    FHeight = h;
}

const TBitmap& TJPEGImage::Bitmap() {
    DIBNeeded();
    if (!FBitmap) FBitmap = std::make_unique<TBitmap>();
    return *FBitmap;
}

void TJPEGImage::Draw(TCanvas& canvas, const TRect& r) {
    DIBNeeded();
    if (FBitmap && !FBitmap->Empty())
        canvas.StretchBlt(r, *FBitmap, TRect(0, 0, FBitmap->Width(), FBitmap->Height()), canvas.CopyMode());
}

void TJPEGImage::Assign(const TGraphic& source) {
    if (&source == this) return;
    if (auto* j = dynamic_cast<const TJPEGImage*>(&source)) {
        FData = j->FData;
        FWidth = j->FWidth;
        FHeight = j->FHeight;
        FQuality = j->FQuality;
        FGrayscale = j->FGrayscale;
        FProgressive = j->FProgressive;
        FScale = j->FScale;
        FPerformance = j->FPerformance;
        FPixelFormat = j->FPixelFormat;
        FBitmap.reset();
        if (j->FBitmap) {
            FBitmap = std::make_unique<TBitmap>();
            FBitmap->Assign(*j->FBitmap);
        }
        Changed();
        return;
    }
    auto bmp = std::make_unique<TBitmap>();
    bmp->Assign(source);
    FBitmap = std::move(bmp);
    FData.clear();
    FWidth = FBitmap->Width();
    FHeight = FBitmap->Height();
    Changed();
}
