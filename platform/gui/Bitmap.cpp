#include "gui/Bitmap.h"
#include "gui/CursorTable.h"

#include "gui/qt/BitmapImpl.h"
#include "gui/qt/QtSupport.h"

#include <algorithm>
#include <unordered_map>

namespace {

const char* const BitmapTooLargeText = "Not enough storage is available to process this command";

int BitsOf(TPixelFormat f) {
    switch (f) {
    case pf1bit:
        return 1;
    case pf4bit:
        return 4;
    case pf8bit:
        return 8;
    case pf15bit:
    case pf16bit:
        return 16;
    case pf24bit:
        return 24;
    default:
        return 32;
    }
}

QImage::Format RawFormat(TPixelFormat f) {
    switch (f) {
    case pf1bit:
        return QImage::Format_Mono;
    case pf4bit:
        return QImage::Format_Grayscale8; // packed nibbles, half the width in bytes
    case pf8bit:
        return QImage::Format_Indexed8;
    case pf15bit:
        return QImage::Format_RGB555;
    case pf16bit:
        return QImage::Format_RGB16;
    case pf24bit:
        return QImage::Format_BGR888;
    default:
        return QImage::Format_RGB32;
    }
}

QList<QRgb> Table(const std::vector<QRgb>& palette) {
    return QList<QRgb>(palette.begin(), palette.end());
}

} // namespace

std::vector<QRgb> DefaultPalette(int bits) {
    std::vector<QRgb> p;
    if (bits == 1) return {qRgb(0, 0, 0), qRgb(255, 255, 255)};
    // The sixteen standard colours first.
    const QRgb vga[16] = {qRgb(0, 0, 0),       qRgb(128, 0, 0),   qRgb(0, 128, 0),   qRgb(128, 128, 0),
                          qRgb(0, 0, 128),     qRgb(128, 0, 128), qRgb(0, 128, 128), qRgb(192, 192, 192),
                          qRgb(128, 128, 128), qRgb(255, 0, 0),   qRgb(0, 255, 0),   qRgb(255, 255, 0),
                          qRgb(0, 0, 255),     qRgb(255, 0, 255), qRgb(0, 255, 255), qRgb(255, 255, 255)};
    p.assign(vga, vga + 16);
    if (bits == 4) return p;
    for (int r = 0; r < 6; ++r)
        for (int g = 0; g < 6; ++g)
            for (int b = 0; b < 6; ++b)
                p.push_back(qRgb(r * 51, g * 51, b * 51));
    for (int i = 0; p.size() < 256; ++i) {
        int v = 8 + i * 10;
        p.push_back(qRgb(v, v, v));
    }
    return p;
}

QImage Unpack4(const QImage& raw, int width, const std::vector<QRgb>& palette) {
    QImage idx(width, raw.height(), QImage::Format_Indexed8);
    std::vector<QRgb> pal = palette;
    pal.resize(16, qRgb(0, 0, 0));
    idx.setColorTable(Table(pal));
    for (int y = 0; y < raw.height(); ++y) {
        const uchar* src = raw.constScanLine(y);
        uchar* dst = idx.scanLine(y);
        for (int x = 0; x < width; ++x)
            dst[x] = (x & 1) ? (src[x / 2] & 0x0F) : (src[x / 2] >> 4);
    }
    return idx;
}

QImage ToIndexed(const QImage& surface, const std::vector<QRgb>& palette) {
    QImage idx(surface.width(), surface.height(), QImage::Format_Indexed8);
    idx.setColorTable(Table(palette));
    std::unordered_map<QRgb, uchar> cache;
    for (int y = 0; y < surface.height(); ++y) {
        auto* src = reinterpret_cast<const QRgb*>(surface.constScanLine(y));
        uchar* dst = idx.scanLine(y);
        for (int x = 0; x < surface.width(); ++x) {
            QRgb c = src[x] & 0xFFFFFF;
            auto it = cache.find(c);
            if (it == cache.end()) {
                // The nearest entry by squared distance; the first of equals wins.
                int best = 0;
                long bestD = -1;
                for (size_t i = 0; i < palette.size(); ++i) {
                    long dr = qRed(c) - qRed(palette[i]), dg = qGreen(c) - qGreen(palette[i]),
                         db = qBlue(c) - qBlue(palette[i]);
                    long d = dr * dr + dg * dg + db * db;
                    if (bestD < 0 || d < bestD) {
                        bestD = d;
                        best = static_cast<int>(i);
                        if (d == 0) break;
                    }
                }
                it = cache.emplace(c, static_cast<uchar>(best)).first;
            }
            dst[x] = it->second;
        }
    }
    return idx;
}

QImage PackMono(const QImage& indexed8) {
    int w = indexed8.width();
    QImage raw(w, indexed8.height(), QImage::Format_Mono);
    raw.fill(0);
    for (int y = 0; y < indexed8.height(); ++y) {
        const uchar* src = indexed8.constScanLine(y);
        uchar* dst = raw.scanLine(y);
        for (int x = 0; x < w; ++x)
            if (src[x] & 1) dst[x / 8] |= static_cast<uchar>(0x80 >> (x % 8));
    }
    return raw;
}

QImage Pack4(const QImage& indexed8) {
    int w = indexed8.width();
    QImage raw((w + 1) / 2, indexed8.height(), QImage::Format_Grayscale8);
    raw.fill(0);
    for (int y = 0; y < indexed8.height(); ++y) {
        const uchar* src = indexed8.constScanLine(y);
        uchar* dst = raw.scanLine(y);
        for (int x = 0; x < w; ++x) {
            uchar v = src[x] & 0x0F;
            dst[x / 2] |= (x & 1) ? v : static_cast<uchar>(v << 4);
        }
    }
    return raw;
}

std::unique_ptr<TBitmap> BitmapWithAlpha(const QImage& image) {
    auto b = std::make_unique<TBitmap>();
    b->impl().SetSurface(image.convertToFormat(QImage::Format_RGB32));
    b->impl().Surface = image.convertToFormat(QImage::Format_ARGB32);
    return b;
}

// ---- TBitmap::Impl

void TBitmap::Impl::Release() const {
    if (Owner && Owner->FCanvas) static_cast<TBitmapCanvas*>(Owner->FCanvas.get())->ReleasePainter();
}

void TBitmap::Impl::SyncSurface() const {
    if (SurfaceValid) return;
    if (Raw.isNull()) {
        Surface = QImage();
    } else if (Format == pf4bit) {
        Surface = Unpack4(Raw, W, Palette).convertToFormat(QImage::Format_RGB32);
    } else {
        QImage r = Raw;
        if (Format == pf8bit || Format == pf1bit) r.setColorTable(Table(Palette));
        Surface = r.convertToFormat(QImage::Format_RGB32);
    }
    SurfaceValid = true;
}

void TBitmap::Impl::SyncRaw() const {
    if (RawValid || !UsesRaw()) return;
    if (Surface.isNull()) {
        Raw = QImage();
    } else if (Format == pf4bit) {
        Raw = Pack4(ToIndexed(Surface, Palette));
    } else if (Format == pf8bit) {
        Raw = ToIndexed(Surface, Palette);
    } else if (Format == pf1bit) {
        Raw = PackMono(ToIndexed(Surface, Palette));
        Raw.setColorTable(Table(Palette));
    } else {
        Raw = Surface.convertToFormat(RawFormat(Format));
    }
    RawValid = true;
}

QImage& TBitmap::Impl::SurfaceForPaint() {
    SyncSurface();
    if (UsesRaw()) {
        RawValid = false;
        Painted = true;
    }
    return Surface;
}

void TBitmap::Impl::Quantize() const {
    if (!Painted || !UsesRaw()) return;
    // What was drawn takes the colours the format can hold, as it would on the device.
    Release();
    SyncRaw();
    SurfaceValid = false;
    Painted = false;
}

const QImage& TBitmap::Impl::SurfaceForRead() const {
    Quantize();
    SyncSurface();
    return Surface;
}

QImage& TBitmap::Impl::RowsForWrite() {
    Release();
    Quantize();
    if (!UsesRaw()) {
        SyncSurface();
        Surface.detach();
        return Surface;
    }
    SyncRaw();
    SurfaceValid = false;
    Painted = false;
    return Raw;
}

const QImage& TBitmap::Impl::RowsForRead() const {
    Release();
    Quantize();
    if (!UsesRaw()) {
        SyncSurface();
        return Surface;
    }
    SyncRaw();
    Painted = false;
    return Raw;
}

void TBitmap::Impl::SetSurface(QImage image) {
    Release();
    Surface = image.format() == QImage::Format_RGB32 ? image : image.convertToFormat(QImage::Format_RGB32);
    SurfaceValid = true;
    RawValid = false;
    Painted = UsesRaw();
    W = Surface.width();
    H = Surface.height();
    if (!UsesRaw()) Raw = QImage();
}

void TBitmap::Impl::SetRaw(QImage raw, TPixelFormat format, std::vector<QRgb> palette, int width) {
    Release();
    Format = format;
    Palette = std::move(palette);
    if (!UsesRaw()) {
        SetSurface(raw);
        return;
    }
    Raw = raw;
    W = raw.isNull() ? 0 : width;
    H = raw.height();
    RawValid = true;
    SurfaceValid = false;
    Painted = false;
    Surface = QImage();
}

// ---- the bitmap's canvas

std::unique_ptr<QPainter> TBitmapCanvas::BeginPaint() {
    QImage& img = FBitmap->impl().SurfaceForPaint();
    if (img.isNull()) return nullptr;
    return std::make_unique<QPainter>(&img);
}

QImage* TBitmapCanvas::RasterImage() {
    QImage& img = FBitmap->impl().SurfaceForPaint();
    return img.isNull() ? nullptr : &img;
}

int TBitmapCanvas::DevCaps(int index) {
    if (index == BITSPIXEL) return FBitmap->BitsPerPixel();
    if (index == NUMCOLORS) return FBitmap->BitsPerPixel() <= 8 ? 1 << FBitmap->BitsPerPixel() : -1;
    return TPainterCanvas::DevCaps(index);
}

// ---- TBitmap

TBitmap::TBitmap() : FImpl(std::make_unique<Impl>()) {
    FImpl->Owner = this;
    FHandleType = bmDDB;
}

TBitmap::TBitmap(int width, int height, TPixelFormat format) : TBitmap() {
    SetPixelFormat(format);
    SetSize(width, height);
}

TBitmap::~TBitmap() {
    FCanvas.reset();
}

int TBitmap::Width() const {
    return FImpl->W;
}

int TBitmap::Height() const {
    return FImpl->H;
}

void TBitmap::SetWidth(int width) {
    const int height = Height() > 0 ? Height() : FImpl->PendingH;
    SetSize(width, height);
    if (Empty()) {
        FImpl->PendingW = std::max(0, width);
        FImpl->PendingH = height;
    }
}
void TBitmap::SetHeight(int height) {
    const int width = Width() > 0 ? Width() : FImpl->PendingW;
    SetSize(width, height);
    if (Empty()) {
        FImpl->PendingW = width;
        FImpl->PendingH = std::max(0, height);
    }
}

void TBitmap::SetSize(int width, int height) {
    width = std::max(0, width);
    height = std::max(0, height);
    if (width == Width() && height == Height()) return;
    EnsureQtApp();
    const QImage& old = FImpl->SurfaceForRead();
    QImage img;
    if (width > 0 && height > 0) {
        // A size beyond the pictures' cap (a damaged picture's header) or one the memory cannot
        // hold is an error, not a bitmap without pixels that its scan lines would run into.
        if (Int64(width) * height > MaxPicturePixels) throw EOutOfResources(BitmapTooLargeText);
        img = QImage(width, height, QImage::Format_RGB32);
        if (img.isNull()) throw EOutOfResources(BitmapTooLargeText);
        // New pixels take the canvas's brush colour (white unless the canvas says otherwise).
        TColor fill = FCanvas ? FCanvas->Brush()->Color() : clWhite;
        img.fill(ToQColor(fill));
        if (!old.isNull()) {
            QPainter p(&img);
            p.setCompositionMode(QPainter::CompositionMode_Source);
            p.drawImage(0, 0, old, 0, 0, std::min(width, old.width()), std::min(height, old.height()));
        }
    }
    if (FImpl->UsesRaw() && FImpl->Palette.empty()) FImpl->Palette = DefaultPalette(BitsPerPixel());
    FImpl->SetSurface(img);
    FImpl->PendingW = FImpl->PendingH = 0;
    Changed();
}

bool TBitmap::Empty() const {
    return Width() == 0 || Height() == 0;
}

TCanvas* TBitmap::Canvas() {
    if (!FCanvas) {
        EnsureQtApp();
        FCanvas = std::make_unique<TBitmapCanvas>(this);
    }
    return FCanvas.get();
}

TPixelFormat TBitmap::PixelFormat() const {
    return FImpl->Format;
}

int TBitmap::BitsPerPixel() const {
    return BitsOf(FImpl->Format);
}

void TBitmap::SetPixelFormat(TPixelFormat format) {
    if (format == pfCustom) format = pf32bit;
    if (format == FImpl->Format) return;
    EnsureQtApp();
    QImage surface = FImpl->SurfaceForRead();
    FImpl->Release();
    FImpl->Format = format;
    FImpl->Palette = (format == pf1bit || format == pf4bit || format == pf8bit)
                         ? DefaultPalette(BitsOf(format))
                         : std::vector<QRgb>();
    FImpl->Raw = QImage();
    FImpl->SetSurface(surface);
    if (format != pfDevice) FHandleType = bmDIB;
    // The surface keeps only colours the new format can hold.
    if (FImpl->UsesRaw() && !surface.isNull()) {
        FImpl->SyncRaw();
        FImpl->SurfaceValid = false;
        FImpl->SyncSurface();
    }
    Changed();
}

int TBitmap::RowBytes() const {
    return ((Width() * BitsPerPixel() + 31) / 32) * 4;
}

Byte* TBitmap::ScanLine(int row) {
    if (row < 0 || row >= Height()) throw EInvalidGraphicOperation("Scan line index out of range");
    QImage& rows = FImpl->RowsForWrite();
    Changed();
    return rows.scanLine(row);
}

const Byte* TBitmap::ScanLine(int row) const {
    if (row < 0 || row >= Height()) throw EInvalidGraphicOperation("Scan line index out of range");
    return FImpl->RowsForRead().constScanLine(row);
}

std::vector<TColor> TBitmap::Palette() const {
    std::vector<TColor> out;
    for (QRgb c : FImpl->Palette)
        out.push_back(FromQRgb(c));
    return out;
}

void TBitmap::SetPalette(const std::vector<TColor>& colours) {
    int bits = BitsPerPixel();
    if (bits > 8) return;
    // The rows keep their indexes; they now stand for the new colours.
    FImpl->RowsForWrite();
    FImpl->Palette.clear();
    for (TColor c : colours)
        FImpl->Palette.push_back(ToQRgb(c));
    FImpl->Palette.resize(static_cast<size_t>(1) << bits, qRgb(0, 0, 0));
    Changed();
}

void TBitmap::SetMonochrome(bool value) {
    if (value == Monochrome()) return;
    SetPixelFormat(value ? pf1bit : pfDevice);
}

TColor TBitmap::TransparentColor() const {
    if (FTransparentMode == tmFixed && FTransparentColor != clDefault) return FTransparentColor;
    if (Empty()) return clDefault;
    return Pixel(0, Height() - 1) | 0x02000000;
}

void TBitmap::SetTransparentColor(TColor color) {
    FTransparentColor = color;
    FTransparentMode = color == clDefault ? tmAuto : tmFixed;
    Changed();
}

TColor TBitmap::Pixel(int x, int y) const {
    const QImage& img = FImpl->SurfaceForRead();
    if (!img.valid(x, y)) return CLR_INVALID;
    return FromQRgb(img.pixel(x, y));
}

void TBitmap::Draw(TCanvas& canvas, const TRect& r) {
    if (Empty()) return;
    TColor key = clNone;
    if (Transparent()) key = static_cast<TColor>(ColorToPixelRGB(TransparentColor()));
    canvas.StretchBlt(r, *this, TRect(0, 0, Width(), Height()), canvas.CopyMode(), key);
}

void TBitmap::Assign(const TGraphic& source) {
    if (&source == this) return;
    if (auto* bmp = dynamic_cast<const TBitmap*>(&source)) {
        bmp->FImpl->Release();
        FImpl->Release();
        FImpl->Format = bmp->FImpl->Format;
        FImpl->Palette = bmp->FImpl->Palette;
        FImpl->Surface = bmp->FImpl->Surface;
        FImpl->Raw = bmp->FImpl->Raw;
        FImpl->SurfaceValid = bmp->FImpl->SurfaceValid;
        FImpl->RawValid = bmp->FImpl->RawValid;
        FImpl->W = bmp->FImpl->W;
        FImpl->H = bmp->FImpl->H;
        FHandleType = bmp->FHandleType;
        FTransparentMode = bmp->FTransparentMode;
        FTransparentColor = bmp->FTransparentColor;
        FTransparent = bmp->FTransparent;
        Changed();
        return;
    }
    // Any other picture: drawn onto a bitmap of its size over white.
    TGraphic& src = const_cast<TGraphic&>(source);
    SetSize(0, 0);
    SetSize(src.Width(), src.Height());
    if (!Empty()) {
        TCanvas* c = Canvas();
        c->Brush()->SetColor(clWhite);
        c->FillRect(TRect(0, 0, Width(), Height()));
        src.Draw(*c, TRect(0, 0, Width(), Height()));
    }
    FTransparent = source.Transparent();
    Changed();
}

const TBitmap& WithCodecPixelFormat(const TBitmap& source, TBitmap& copy) {
    const TPixelFormat format = source.PixelFormat();
    if (format != pf15bit && format != pf16bit) return source;
    copy.Assign(source);
    copy.SetPixelFormat(pf24bit);
    return copy;
}
