// TJPEGImage: JPEG pictures through libjpeg. The compressed data is kept as loaded and written
// back unchanged until the picture is changed; the decoded bitmap is made when it is drawn or
// asked for.
#pragma once

#include "gui/Bitmap.h"

#include <memory>
#include <vector>

ORV_DECLARE_EXCEPTION(EJPEG, EInvalidGraphic)

enum TJPEGPixelFormat { jf24Bit, jf8Bit };
enum TJPEGPerformance { jpBestQuality, jpBestSpeed };
enum TJPEGScale { jsFullSize, jsHalf, jsQuarter, jsEighth };

class TJPEGImage : public TGraphic {
    ORV_META(TJPEGImage, TGraphic)
    TJPEGImage();
    ~TJPEGImage() override;

    int Width() const override;
    int Height() const override;
    // A JPEG takes its size from its pixels; setting it raises EInvalidGraphicOperation.
    void SetWidth(int width) override;
    void SetHeight(int height) override;
    bool Empty() const override;

    // 1..100; used the next time the picture is compressed (default 90).
    int CompressionQuality() const { return FQuality; }
    void SetCompressionQuality(int quality);
    // Decodes (and encodes) as shades of grey.
    bool Grayscale() const { return FGrayscale; }
    void SetGrayscale(bool value);
    bool ProgressiveEncoding() const { return FProgressive; }
    void SetProgressiveEncoding(bool value) { FProgressive = value; }
    TJPEGPerformance Performance() const { return FPerformance; }
    void SetPerformance(TJPEGPerformance value);
    TJPEGScale Scale() const { return FScale; }
    void SetScale(TJPEGScale value);
    TJPEGPixelFormat PixelFormat() const { return FPixelFormat; }
    void SetPixelFormat(TJPEGPixelFormat value);

    // Reads the rest of the stream as one JPEG file; data libjpeg rejects raises EJPEG.
    void LoadFromStream(TStream& stream) override;
    void SaveToStream(TStream& stream) override;
    void LoadFromBytes(const std::vector<Byte>& bytes);
    std::vector<Byte> SaveToBytes();

    // Compresses the bitmap now with the current settings.
    void Compress();
    // Makes sure the decoded bitmap / the compressed data exist.
    void DIBNeeded();
    void JPEGNeeded();
    // The decoded picture.
    const TBitmap& Bitmap();

    void Draw(TCanvas& canvas, const TRect& r) override;
    // Takes a bitmap (compressed when saved) or another JPEG; other pictures through a bitmap.
    void Assign(const TGraphic& source) override;
    using TGraphic::Assign;
    std::unique_ptr<TGraphic> NewOfSameClass() const override { return std::make_unique<TJPEGImage>(); }

private:
    void Decode();
    std::vector<Byte> FData; // compressed
    std::unique_ptr<TBitmap> FBitmap;
    int FWidth = 0;
    int FHeight = 0;
    int FQuality = 90;
    bool FGrayscale = false;
    bool FProgressive = false;
    TJPEGPerformance FPerformance = jpBestQuality;
    TJPEGScale FScale = jsFullSize;
    TJPEGPixelFormat FPixelFormat = jf24Bit;
};
