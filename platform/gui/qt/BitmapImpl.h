// Internal: the pixels behind TBitmap. A 32-bit RGB surface serves the canvas and the 32-bit and
// device formats; the other formats keep their rows in Raw (in the platform's layout) and are
// converted to and from the surface when the other side is asked for.
#pragma once

#include "gui/Bitmap.h"
#include "gui/qt/PainterCanvas.h"

#include <QImage>

#include <vector>

struct TBitmap::Impl {
    TBitmap* Owner = nullptr;
    TPixelFormat Format = pfDevice;
    mutable QImage Surface; // Format_RGB32
    mutable QImage Raw;     // the rows of formats other than pfDevice/pf32bit
    mutable bool SurfaceValid = true;
    mutable bool RawValid = false;
    mutable bool Painted = false; // drawn on since the rows were last made
    std::vector<QRgb> Palette;
    int W = 0;
    int H = 0;
    // The width or height set while the other was still 0: an empty bitmap keeps it until the
    // other is set too (TBitmap.Width := 20; TBitmap.Height := 10 gives 20 by 10).
    int PendingW = 0;
    int PendingH = 0;

    bool UsesRaw() const { return Format != pfDevice && Format != pf32bit && Format != pfCustom; }
    // The surface, current; it is about to be drawn on, so Raw goes stale.
    QImage& SurfaceForPaint();
    // The surface, current, for reading.
    const QImage& SurfaceForRead() const;
    // The rows in the platform's layout, current; the caller may write them, so the surface goes stale.
    QImage& RowsForWrite();
    const QImage& RowsForRead() const;
    // Ends the canvas's painting so the pixels can be read or replaced.
    void Release() const;
    // Replaces the pixels by a 32-bit image, keeping the pixel format.
    void SetSurface(QImage image);
    // Replaces the pixels by rows in the format's layout (width in pixels for pf4bit's packed rows).
    void SetRaw(QImage raw, TPixelFormat format, std::vector<QRgb> palette, int width);

    void SyncSurface() const;
    void Quantize() const;
    void SyncRaw() const;
};

// The default palette of an indexed format (1, 4 or 8 bits).
std::vector<QRgb> DefaultPalette(int bits);
// Builds a 32-bit surface from indexed 4-bit rows.
QImage Unpack4(const QImage& raw, int width, const std::vector<QRgb>& palette);
QImage Pack4(const QImage& indexed8);
// The nearest palette index of every pixel of a 32-bit image.
QImage ToIndexed(const QImage& surface, const std::vector<QRgb>& palette);

// A bitmap whose surface keeps the image's alpha channel, for drawing pictures with transparent
// parts (image lists, icons) through the canvas.
std::unique_ptr<TBitmap> BitmapWithAlpha(const QImage& image);

// The canvas of a bitmap: paints on the bitmap's surface.
class TBitmapCanvas : public TPainterCanvas {
public:
    explicit TBitmapCanvas(TBitmap* bitmap) : FBitmap(bitmap) {}

protected:
    std::unique_ptr<QPainter> BeginPaint() override;
    QImage* RasterImage() override;
    int DevCaps(int index) override;

private:
    TBitmap* FBitmap;
};
