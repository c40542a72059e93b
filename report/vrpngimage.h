// The PNG picture: the file's chunks kept as objects, the image data decoded into a bottom-up
// device-independent bitmap with separate alpha and low-byte planes, written back as PNG, built from
// bitmaps, read and set pixel by pixel and drawn with no, one-colour or per-pixel transparency.
#pragma once

#include "gui/Bitmap.h"
#include "rtl/Object.h"
#include "rtl/ZeroedBytes.h"
#include "rtl/SysUtils.h"

#include <array>
#include <cstddef>
#include <memory>
#include <optional>
#include <vector>

class TStream;

#define VR_PNG_EXCEPTION(Name, Text)                                                                         \
    class Name : public Exception {                                                                          \
    public:                                                                                                  \
        Name() : Exception(Text) {}                                                                          \
        using Exception::Exception;                                                                          \
    };

VR_PNG_EXCEPTION(
    EPNGInvalidFileHeader,
    "The file being readed is not a valid \"Portable Network Graphics\" image because it contains an "
    "invalid header. This file may be corruped, try obtaining it again.")
VR_PNG_EXCEPTION(EPngUnexpectedEnd,
                 "This \"Portable Network Graphics\" image is invalid because the decoder found "
                 "an unexpected end of the file.")
VR_PNG_EXCEPTION(EPNGIHDRNotFirst, "This \"Portable Network Graphics\" image is not supported or it might be "
                                   "invalid.\r\n(IHDR chunk is not the first)")
VR_PNG_EXCEPTION(EPNGUnknownCriticalChunk,
                 "This \"Portable Network Graphics\" image contains an unknown critical "
                 "part which could not be decoded.")
VR_PNG_EXCEPTION(EPNGNoImageData, "This \"Portable Network Graphics\" image contains no data.")
VR_PNG_EXCEPTION(EPngInvalidCRC,
                 "This \"Portable Network Graphics\" image is not valid because it contains invalid "
                 "pieces of data (crc error)")
VR_PNG_EXCEPTION(EPngInvalidIHDR,
                 "The \"Portable Network Graphics\" image could not be loaded because one of its "
                 "main piece of data (ihdr) might be corrupted")
VR_PNG_EXCEPTION(EPNGSizeExceeds,
                 "This \"Portable Network Graphics\" image is not supported because either it's "
                 "width or height exceeds the maximum size, which is 65535 pixels length.")
VR_PNG_EXCEPTION(EPNGUnknownCompression,
                 "This \"Portable Network Graphics\" image is encoded with an unknown "
                 "compression scheme which could not be decoded.")
VR_PNG_EXCEPTION(EPNGUnknownInterlace,
                 "This \"Portable Network Graphics\" image uses an unknown interlace scheme "
                 "which could not be decoded.")
VR_PNG_EXCEPTION(EPNGInvalidPalette, "The \"Portable Network Graphics\" image contains an invalid palette.")
VR_PNG_EXCEPTION(EPNGMissingMultipleIDAT,
                 "This \"Portable Network Graphics\" image is invalid because it has "
                 "missing image parts.")
VR_PNG_EXCEPTION(EPNGZLIBError, "Could not decompress the image because it contains invalid compressed data.")
VR_PNG_EXCEPTION(EPngError, "There is no such palette entry.")
VR_PNG_EXCEPTION(EPNGHeaderNotPresent,
                 "This operation is not valid because the current image contains no valid "
                 "header.")
VR_PNG_EXCEPTION(EPNGOutMemory,
                 "Some operation could not be performed because the system is out of resources. "
                 "Close some windows and try again.")
VR_PNG_EXCEPTION(EPNGInvalidNewSize, "The new size provided for image resizing is invalid.")

// The text of an image too large to decode in memory (raised as EPNGSizeExceeds).
extern const char* const PngTooLargeText;

// Colour values as the platform keeps them: RGB with red in the low byte.
using TPngColor = Integer;
inline constexpr TPngColor PngRGB(Byte r, Byte g, Byte b) {
    return r | (g << 8) | (b << 16);
}

// Row filters and the set the writer may choose from (bit 1 << filter).
enum TFilter : Byte { pfNone = 0, pfSub = 1, pfUp = 2, pfAverage = 3, pfPaeth = 4 };
using TFilterSet = Byte;
constexpr TFilterSet FilterBit(TFilter f) {
    return static_cast<TFilterSet>(1u << f);
}

enum TPNGTransparencyMode : Byte { ptmNone, ptmBit, ptmPartial };

struct TPngRGB {
    Byte Red = 0, Green = 0, Blue = 0;
    bool operator==(const TPngRGB&) const = default;
};

// The decoded image: a bottom-up bitmap of 1, 4, 8 or 24 bits per pixel (rows padded to 4 bytes,
// 24-bit pixels blue, green, red) with its palette, an alpha plane (top-down, one byte per pixel)
// and, for 16-bit samples, the low bytes (laid out like the bitmap; alpha low bytes like the alpha).
// The planes are zero pages until rows are stored in them, so a header promising a large image
// costs memory only as its data arrives.
struct TPngBitmap {
    Integer Width = 0;
    Integer Height = 0;
    Integer BitsPerPixel = 0;
    Int64 BytesPerRow = 0;
    TZeroedBytes Bits;
    std::vector<TPngRGB> Palette;
    TZeroedBytes Alpha;
    TZeroedBytes LowBytes;
    TZeroedBytes AlphaLow;

    // Allocates zeroed rows for the size, with an alpha plane when `alpha` and low-byte planes when
    // `sixteenBit`. Raises EPNGSizeExceeds when the pixel count is beyond the picture cap, and
    // EPNGOutMemory when all the planes together would need more memory than the cap allows.
    void Allocate(Integer width, Integer height, Integer bitsPerPixel, bool alpha = false,
                  bool sixteenBit = false);
    Byte* Row(Integer y) { return Bits.data() + static_cast<Int64>(Height - 1 - y) * BytesPerRow; }
    const Byte* Row(Integer y) const {
        return Bits.data() + static_cast<Int64>(Height - 1 - y) * BytesPerRow;
    }
    Integer PixelIndex(Integer x, Integer y) const;
    void SetPixelIndex(Integer x, Integer y, Integer index);
};

class TPNGObject;

// One chunk: its type, its raw data and its owner image.
class TChunk : public TObject {
public:
    explicit TChunk(TPNGObject* owner);
    String ClassName() const override { return "TChunk"; }
    // The chunk type a class stands for ("IHDR" for TChunkIHDR); empty for the base.
    virtual String ChunkName() const { return String(); }
    virtual void AssignChunk(const TChunk& source);
    // Reads `length` bytes of data and the CRC from the image's reader; false ends reading.
    virtual bool LoadChunk(class TPngReader& in, const String& type, UInt64 length);
    virtual bool SaveChunk(std::vector<Byte>& out);

    String Name;
    std::vector<Byte> Data;
    TPNGObject* Owner() const { return FOwner; }

protected:
    void WriteRaw(std::vector<Byte>& out) const;
    TPNGObject* FOwner;
};

class TChunkIHDR : public TChunk {
public:
    using TChunk::TChunk;
    String ClassName() const override { return "TChunkIHDR"; }
    String ChunkName() const override { return "IHDR"; }
    void AssignChunk(const TChunk& source) override;
    bool LoadChunk(TPngReader& in, const String& type, UInt64 length) override;
    bool SaveChunk(std::vector<Byte>& out) override;
    // Makes the decoded image for the header's size, depth and colour type, all planes zero.
    void PrepareImageData();

    Cardinal Width = 0;
    Cardinal Height = 0;
    Byte BitDepth = 0;
    Byte ColorType = 0;
    Byte CompressionMethod = 0;
    Byte FilterMethod = 0;
    Byte InterlaceMethod = 0;
    TPngBitmap Image;
};

class TChunkPLTE : public TChunk {
public:
    using TChunk::TChunk;
    String ClassName() const override { return "TChunkPLTE"; }
    String ChunkName() const override { return "PLTE"; }
    void AssignChunk(const TChunk& source) override;
    bool LoadChunk(TPngReader& in, const String& type, UInt64 length) override;
    bool SaveChunk(std::vector<Byte>& out) override;
    Integer Count = 0;
};

class TChunktRNS : public TChunk {
public:
    using TChunk::TChunk;
    String ClassName() const override { return "TChunktRNS"; }
    String ChunkName() const override { return "tRNS"; }
    void AssignChunk(const TChunk& source) override;
    bool LoadChunk(TPngReader& in, const String& type, UInt64 length) override;
    bool SaveChunk(std::vector<Byte>& out) override;
    // The transparent colour: grey or RGB of the stored sample, or the first fully transparent entry.
    TPngColor TransparentColor() const;
    void SetTransparentColor(TPngColor color);

    // For 16-bit grey and RGB images: whether the pixel's full samples equal the stored ones.
    bool MatchesWideSample(Integer x, Integer y) const;

    std::array<Byte, 256> PaletteValues{};
    bool BitTransparency = false;
    // A grey or RGB sample beyond the image's bit depth names no pixel: it is kept in the file but
    // leaves the picture opaque.
    bool OutOfRange = false;
};

class TChunkIDAT : public TChunk {
public:
    using TChunk::TChunk;
    String ClassName() const override { return "TChunkIDAT"; }
    String ChunkName() const override { return "IDAT"; }
    bool LoadChunk(TPngReader& in, const String& type, UInt64 length) override;
    bool SaveChunk(std::vector<Byte>& out) override;
};

class TChunkIEND : public TChunk {
public:
    using TChunk::TChunk;
    String ClassName() const override { return "TChunkIEND"; }
    String ChunkName() const override { return "IEND"; }
    bool SaveChunk(std::vector<Byte>& out) override;
};

class TChunkgAMA : public TChunk {
public:
    using TChunk::TChunk;
    String ClassName() const override { return "TChunkgAMA"; }
    String ChunkName() const override { return "gAMA"; }
    void AssignChunk(const TChunk& source) override;
    bool LoadChunk(TPngReader& in, const String& type, UInt64 length) override;
    bool SaveChunk(std::vector<Byte>& out) override;
    Cardinal Gamma = 1;
};

class TChunkpHYs : public TChunk {
public:
    using TChunk::TChunk;
    String ClassName() const override { return "TChunkpHYs"; }
    String ChunkName() const override { return "pHYs"; }
    void AssignChunk(const TChunk& source) override;
    bool LoadChunk(TPngReader& in, const String& type, UInt64 length) override;
    bool SaveChunk(std::vector<Byte>& out) override;
    Cardinal PPUnitX = 0, PPUnitY = 0;
    Byte UnitType = 0;
};

class TChunktIME : public TChunk {
public:
    using TChunk::TChunk;
    String ClassName() const override { return "TChunktIME"; }
    String ChunkName() const override { return "tIME"; }
    void AssignChunk(const TChunk& source) override;
    bool LoadChunk(TPngReader& in, const String& type, UInt64 length) override;
    bool SaveChunk(std::vector<Byte>& out) override;
    Word Year = 0;
    Byte Month = 0, Day = 0, Hour = 0, Minute = 0, Second = 0;
};

class TChunktEXt : public TChunk {
public:
    using TChunk::TChunk;
    String ClassName() const override { return "TChunktEXt"; }
    String ChunkName() const override { return "tEXt"; }
    void AssignChunk(const TChunk& source) override;
    bool LoadChunk(TPngReader& in, const String& type, UInt64 length) override;
    bool SaveChunk(std::vector<Byte>& out) override;
    AnsiString Keyword;
    AnsiString Text;
};

class TChunkzTXt : public TChunktEXt {
public:
    using TChunktEXt::TChunktEXt;
    String ClassName() const override { return "TChunkzTXt"; }
    String ChunkName() const override { return "zTXt"; }
    bool LoadChunk(TPngReader& in, const String& type, UInt64 length) override;
    bool SaveChunk(std::vector<Byte>& out) override;
};

// Compressed text is inflated up to this many bytes; longer text is dropped.
constexpr std::size_t PngMaxTextBytes = std::size_t(8) << 20;

// The chunks of an image in file order; owns them.
class TPNGList {
public:
    Integer Count() const { return static_cast<Integer>(FItems.size()); }
    TChunk* Item(Integer index) const { return FItems.at(index).get(); }
    TChunk* Add(std::unique_ptr<TChunk> chunk);
    void Clear() { FItems.clear(); }
    void Remove(TChunk* chunk);
    void Insert(Integer index, std::unique_ptr<TChunk> chunk);
    template <class T> T* FindChunk() const {
        for (auto& c : FItems)
            if (auto* t = dynamic_cast<T*>(c.get())) return t;
        return nullptr;
    }

private:
    std::vector<std::unique_ptr<TChunk>> FItems;
};

// A 32-bit top-down surface (blue, green, red, unused per pixel) that images draw onto.
struct TPngSurface {
    Integer Width = 0;
    Integer Height = 0;
    std::vector<Byte> Pixels;
    TPngSurface() = default;
    TPngSurface(Integer width, Integer height, TPngColor fill = 0);
    TPngColor Pixel(Integer x, Integer y) const;
    void SetPixel(Integer x, Integer y, TPngColor color);
};

// Registers the PNG picture with the picture class (extension "png") unless a class already has the
// extension; done once at start-up, callable again without effect.
void RegisterPNGObject();

class TPNGObject : public TGraphic {
    ORV_META(TPNGObject, TGraphic)
public:
    TPNGObject();
    ~TPNGObject() override;

    // Reading and writing (the stream kind reads from the position to the end).
    void LoadFromBytes(const Byte* data, std::size_t size);
    void LoadFromBytes(const std::vector<Byte>& data) { LoadFromBytes(data.data(), data.size()); }
    std::vector<Byte> SaveToBytes();
    void LoadFromStream(TStream& stream) override;
    void SaveToStream(TStream& stream) override;

    bool GetEmpty() const { return Chunks.Count() == 0; }
    Integer GetWidth() const;
    Integer GetHeight() const;
    bool GetTransparent() const { return TransparencyMode() != ptmNone; }
    TPNGTransparencyMode TransparencyMode() const;
    // The header, raising EPNGHeaderNotPresent when there is none.
    TChunkIHDR& Header() const;

    TPngColor TransparentColor() const;
    void SetTransparentColor(TPngColor color);

    void Assign(const TPNGObject& source);
    // Builds the image from a bitmap of 1, 4, 8, 24 or 32 bits per pixel (its palette for 8 bits or
    // fewer); with `transparent` the colour becomes the tRNS transparent colour.
    void AssignBitmap(const TPngBitmap& bitmap, bool transparent, TPngColor transparentColor);
    void SetWidth(Integer value) override;
    void SetHeight(Integer value) override;
    void Resize(Integer width, Integer height);
    TPngColor GetPixel(Integer x, Integer y) const;
    void SetPixel(Integer x, Integer y, TPngColor color);
    // Draws the image stretched into the rectangle of the surface, by its transparency mode.
    void DrawOnto(TPngSurface& surface, Integer left, Integer top, Integer right, Integer bottom) const;
    // The image's displayed colours, all opaque, on a surface of its size.
    TPngSurface DisplayPixels() const;

    // The picture class's operations.
    int Width() const override { return GetWidth(); }
    int Height() const override { return GetHeight(); }
    bool Empty() const override { return GetEmpty(); }
    // Without transparency a stretch copy, with one transparent colour a masked copy, with alpha
    // values a blend with what the canvas holds.
    void Draw(TCanvas& canvas, const TRect& r) override;
    // Another PNG picture is copied; a bitmap builds the image (with its transparency).
    void Assign(const TGraphic& source) override;
    using TGraphic::Assign;
    // Nothing (nullptr) empties the image; anything else as for the picture class.
    void Assign(const TPersistent* source) override;
    // The colour table of an image whose bitmap has one (palette and grey images); empty for the
    // others and without a header.
    std::vector<TPngRGB> GetPalette() const;
    // For an image whose bitmap has a colour table: the colours replace its first entries (as many
    // as both have), which are the image palette written to PLTE. Other images are left as they are.
    void SetPalette(const std::vector<TPngRGB>& colors);
    // Hands the image to a bitmap (drawn in the format its depth asks for) or another PNG picture.
    void AssignTo(TGraphic& dest);
    std::unique_ptr<TGraphic> NewOfSameClass() const override { return std::make_unique<TPNGObject>(); }
    void SaveToClipboardFormat(Word& format, std::vector<Byte>& data) override;
    void LoadFromClipboardFormat(Word format, const std::vector<Byte>& data) override;

    // The row filters the writer may use. Left unset, each row takes the filter whose output has the
    // smallest sum of absolute (signed) byte values. A set given explicitly is used by its own
    // rule: empty or {None} writes None, one filter is always taken, several are scored by repeats.
    std::optional<TFilterSet> FilterSet;
    Byte DeflateLevel = 7;
    Integer IdatLimit = 65535;
    Byte InterlaceMode = 0;
    std::array<Byte, 256> GammaTable{};
    std::array<Byte, 256> InverseGamma{};
    TPNGList Chunks;

    void ResetGamma();
};
