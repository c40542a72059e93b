// TBitmap: a device-independent bitmap with the platform's pixel formats and row layout (rows
// top-down through ScanLine, BGR(A) order for 24 and 32 bits, each row padded to 4 bytes), a
// canvas to draw on it, transparency and BMP files.
#pragma once

#include "gui/Graphic.h"

#include <memory>
#include <vector>

enum TPixelFormat { pfDevice, pf1bit, pf4bit, pf8bit, pf15bit, pf16bit, pf24bit, pf32bit, pfCustom };
enum TBitmapHandleType { bmDIB, bmDDB };
enum TTransparentMode { tmAuto, tmFixed };

class TBitmap : public TGraphic {
    ORV_META(TBitmap, TGraphic)
    TBitmap();
    TBitmap(int width, int height, TPixelFormat format = pf24bit);
    ~TBitmap() override;

    int Width() const override;
    int Height() const override;
    void SetWidth(int width) override;
    void SetHeight(int height) override;
    // Resizes keeping the pixels of the common part; new pixels are white.
    void SetSize(int width, int height);
    bool Empty() const override;

    // The canvas drawing on the bitmap (owned by the bitmap).
    TCanvas* Canvas();

    TPixelFormat PixelFormat() const;
    // Converts the pixels to the new format (indexed formats map colours to the nearest entry of
    // the palette).
    void SetPixelFormat(TPixelFormat format);
    // Bits per pixel of the format (pfDevice and pfCustom count as 32).
    int BitsPerPixel() const;
    // Row r (0 = top) in the platform's layout; valid until the bitmap is drawn on, resized or
    // reformatted. Raises EInvalidGraphicOperation "Scan line index out of range" outside 0..Height-1.
    Byte* ScanLine(int row);
    const Byte* ScanLine(int row) const;
    // Bytes of one row: ((width * bits + 31) / 32) * 4.
    int RowBytes() const;
    // The colour table of the indexed formats (pf1bit, pf4bit, pf8bit), 0x00BBGGRR entries.
    std::vector<TColor> Palette() const;
    void SetPalette(const std::vector<TColor>& colours);

    bool Monochrome() const { return PixelFormat() == pf1bit; }
    void SetMonochrome(bool value);
    TBitmapHandleType HandleType() const { return FHandleType; }
    void SetHandleType(TBitmapHandleType type) { FHandleType = type; }

    // With tmAuto the transparent colour is the bottom-left pixel's.
    TColor TransparentColor() const;
    void SetTransparentColor(TColor color);
    TTransparentMode TransparentMode() const { return FTransparentMode; }
    void SetTransparentMode(TTransparentMode mode) { FTransparentMode = mode; }

    // Reads and writes BMP files (BITMAPINFOHEADER and the older core header; 1, 4, 8, 16, 24 and
    // 32 bits; RLE4/RLE8). A file that is not a valid BMP raises EInvalidGraphic "Bitmap image is
    // not valid".
    void LoadFromStream(TStream& stream) override;
    void SaveToStream(TStream& stream) override;
    void LoadFromBytes(const std::vector<Byte>& bytes);
    std::vector<Byte> SaveToBytes();

    void Draw(TCanvas& canvas, const TRect& r) override;
    void Assign(const TGraphic& source) override;
    using TGraphic::Assign;
    std::unique_ptr<TGraphic> NewOfSameClass() const override { return std::make_unique<TBitmap>(); }
    // The clipboard's device-independent bitmap (CF_DIB: the BMP file without its file header).
    void SaveToClipboardFormat(Word& format, std::vector<Byte>& data) override;
    void LoadFromClipboardFormat(Word format, const std::vector<Byte>& data) override;
    // The colour of a pixel (-1 outside the bitmap).
    TColor Pixel(int x, int y) const;

    struct Impl;
    Impl& impl() const { return *FImpl; }

private:
    std::unique_ptr<Impl> FImpl;
    std::unique_ptr<TCanvas> FCanvas;
    TBitmapHandleType FHandleType = bmDIB;
    TTransparentMode FTransparentMode = tmAuto;
    TColor FTransparentColor = clDefault;
    friend struct Impl;
};

// The bitmap itself, or a 24-bit copy of it made in `copy` when its pixels are 15 or 16 bits, so a
// picture codec reading its rows only meets 1-, 4-, 8-, 24- and 32-bit layouts.
const TBitmap& WithCodecPixelFormat(const TBitmap& source, TBitmap& copy);
