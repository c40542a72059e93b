// Device-independent bitmaps in memory and colour reduction: any bitmap is reduced to 8 bits per pixel
// with a palette of at most 256 colours (popularity histogram, median cut, fixed level palettes, a
// channel pattern or grey levels), so that the GIF encoder can take pictures of any depth.
#pragma once

#include "gui/Graphic.h"
#include "rtl/SysUtils.h"

#include <cstddef>
#include <vector>

// Colour values as the platform keeps them: RGB with red in the low byte.
using TKxColor = Integer;
constexpr TKxColor kxColorNone = 0x1FFFFFFF;
inline constexpr TKxColor KxRGB(Byte r, Byte g, Byte b) {
    return r | (g << 8) | (b << 16);
}
inline constexpr Byte KxRed(TKxColor c) {
    return static_cast<Byte>(c & 0xFF);
}
inline constexpr Byte KxGreen(TKxColor c) {
    return static_cast<Byte>((c >> 8) & 0xFF);
}
inline constexpr Byte KxBlue(TKxColor c) {
    return static_cast<Byte>((c >> 16) & 0xFF);
}

// A bitmap that cannot be used ("Bitmap image is not valid", or too large to hold in memory).
ORV_DECLARE_EXCEPTION(EKxInvalidGraphic, Exception)

// Pictures larger than this many pixels, or whose pixel rows need more memory than this, are refused.
constexpr Int64 KxMaxImagePixels = MaxPicturePixels;
constexpr Int64 KxMaxImageBytes = MaxPictureBytes;

// Checks a size against the caps in 64 bits and returns the bytes of its bottom-up rows; raises
// EKxInvalidGraphic "Image too large to hold in memory" when it would need more.
Int64 KxCheckedImageBytes(Int64 width, Int64 height, Int64 bitCount);

// One colour-table entry in file order: blue, green, red, reserved.
struct TDibColor {
    Byte Blue = 0;
    Byte Green = 0;
    Byte Red = 0;
    Byte Reserved = 0;
    TKxColor Color() const { return KxRGB(Red, Green, Blue); }
    static TDibColor FromRGB(Byte r, Byte g, Byte b) { return TDibColor{b, g, r, 0}; }
    bool operator==(const TDibColor&) const = default;
};

// The pixel formats of the platform's bitmaps, in their order (the same values).
enum TKxPixelFormat : Byte {
    kxpfDevice,
    kxpf1bit,
    kxpf4bit,
    kxpf8bit,
    kxpf15bit,
    kxpf16bit,
    kxpf24bit,
    kxpf32bit,
    kxpfCustom
};

// A bottom-up device-independent bitmap of 1, 4, 8, 24 or 32 bits per pixel: rows padded to
// multiples of 4 bytes, image row y stored as buffer row height - 1 - y; 24- and 32-bit pixels are
// blue, green, red (and a fourth byte).
class TDibBitmap {
public:
    TDibBitmap() = default;
    // A zero-filled bitmap; a palette of 2^bits black entries for 1, 4 and 8 bits.
    TDibBitmap(Integer width, Integer height, Integer bitCount);

    Integer Width() const { return FWidth; }
    Integer Height() const { return FHeight; }
    Integer BitCount() const { return FBitCount; }
    Int64 Stride() const { return FStride; }
    bool Empty() const { return FWidth <= 0 || FHeight <= 0; }

    std::vector<Byte>& Bits() { return FBits; }
    const std::vector<Byte>& Bits() const { return FBits; }
    // Image row y counted from the top.
    Byte* ScanLine(Integer y) { return FBits.data() + static_cast<Int64>(FHeight - 1 - y) * FStride; }
    const Byte* ScanLine(Integer y) const {
        return FBits.data() + static_cast<Int64>(FHeight - 1 - y) * FStride;
    }

    // Palette index of a pixel (1, 4 and 8 bits) and its colour (any depth); x, y from the top left.
    Integer PixelIndex(Integer x, Integer y) const;
    void SetPixelIndex(Integer x, Integer y, Integer index);
    TKxColor Pixel(Integer x, Integer y) const;
    void SetPixel(Integer x, Integer y, TKxColor color); // 24 and 32 bits

    // The in-memory BMP file of this bitmap (file header, 40-byte information header, colour table,
    // rows) and back. LoadFromBmp raises EKxInvalidGraphic for data it cannot take.
    std::vector<Byte> SaveToBmp() const;
    static TDibBitmap LoadFromBmp(const Byte* data, std::size_t size);

    std::vector<TDibColor> Colors; // the colour table
    Cardinal ImportantColors = 0;  // the information header's important-colours field
    bool Monochrome = false;
    bool Transparent = false;
    TKxColor TransparentColor = kxColorNone;

private:
    Integer FWidth = 0;
    Integer FHeight = 0;
    Integer FBitCount = 0;
    Int64 FStride = 0;
    std::vector<Byte> FBits;
};

// Methods of reduction.
enum ReductionMethod : Byte {
    rdPopular = 0,
    rdMedianCut = 1,
    rdLevels784 = 2,
    rdLevels666 = 3,
    rdChannelPattern = 4,
    rdGrayLevels = 5
};

// The method the GIF encoder uses unless a frame is grey only.
ReductionMethod& DefaultReduction();

TKxPixelFormat PixelFormatOf(const TDibBitmap& bitmap);
Integer ColorsOfFormat(TKxPixelFormat format);
Int64 RowBytes(Int64 bits);
Int64 ScanLineBytes(Int64 pixels, Int64 bitsPerPixel, Int64 alignment);

// The bitmap captured at 24 bits per pixel (blue, green, red).
TDibBitmap BitmapToDib24(const TDibBitmap& bitmap);

// Reduces the bitmap to the target format by the method. An 8-bit target gives an 8-bit bitmap with a
// 256-entry colour table; a bitmap already of the target format (and a method other than
// rdGrayLevels) comes back unchanged; a 24-bit target gives the 24-bit capture; 1- and 4-bit targets
// are captured directly in that format (each pixel the nearest of black and white, or of the 16 VGA
// colours; the method does not apply). Other targets raise ENotSupportedException "Function not yet
// implemented"; an empty bitmap raises EKxInvalidGraphic "Bitmap image is not valid".
TDibBitmap ConvertToIndexed(const TDibBitmap& bitmap, TKxPixelFormat target, ReductionMethod method);

// The six reductions of a 24-bit capture into an 8-bit bitmap of the same size.
// PopularColors reports the channel masks (red, green, blue) it ended with when asked.
TDibBitmap PopularColors(const TDibBitmap& rgb, Byte* masks = nullptr);
TDibBitmap MedianCut(const TDibBitmap& rgb);
TDibBitmap Reduce784(const TDibBitmap& rgb);
TDibBitmap Reduce666(const TDibBitmap& rgb);
TDibBitmap ReduceToChannelPattern(const TDibBitmap& rgb);
TDibBitmap ReduceToGray(const TDibBitmap& rgb);

// Index of the nearest level of the 4-, 6-, 7- and 8-level tables for a channel value (equal
// distances go to the lower index), and the level values.
Byte NearestLevel(Integer levels, Byte value);
Byte LevelValue(Integer levels, Integer index);
