// PNG image rows: filtering, Adam7 interlacing and the packing of samples to and from the decoded
// image of a header.
#pragma once

#include "report/vrpngimage.h"

#include <cstdlib>
#include <functional>
#include <optional>

// Raises EPNGZLIBError with the zlib status text.
[[noreturn]] void RaiseZlibError(int status);

class TPngRowCodec {
public:
    TPngRowCodec(TChunkIHDR& header, TPNGObject& owner);

    // Reads filtered rows through `read` (which fills n bytes or returns false when the data ends)
    // and stores them; rows decoded before the data ends stay.
    void Decode(const std::function<bool(Byte*, std::size_t)>& read);
    // Packs, filters and hands every row (filter byte first) to `write`; `filters` as the picture's
    // FilterSet (unset: the smallest sum of absolute values per row).
    void Encode(const std::function<void(const Byte*, std::size_t)>& write, std::optional<TFilterSet> filters);

    // Bytes of one filtered row of `width` pixels, and bytes per complete pixel.
    Int64 RowBytes(Int64 width) const;
    Integer PixelBytes() const { return FPixelBytes; }

private:
    struct TPass {
        Integer XStart, YStart, XStep, YStep;
    };
    void ForEachPass(const std::function<void(const TPass&, Integer width, Integer height)>& fn) const;
    void StoreRow(const Byte* row, Integer y, const TPass& pass, Integer count);
    void PackRow(Byte* row, Integer y, const TPass& pass, Integer count) const;
    // Whole-row paths for 8-bit samples of a full-width row when the gamma is the identity; false
    // when the row needs the per-sample path.
    bool StoreWholeRow(const Byte* row, Integer y, const TPass& pass, Integer count);
    bool PackWholeRow(Byte* row, Integer y, const TPass& pass, Integer count) const;

    TChunkIHDR& FHeader;
    TPNGObject& FOwner;
    TPngBitmap& FImage;
    Integer FDepth;
    Integer FChannels;
    Integer FPixelBytes;
    bool FIdentityGamma;
};

// The standard's Paeth predictor.
// With p = a + b - c the distances |p - a|, |p - b|, |p - c| are |b - c|, |a - c| and |a + b - 2c|.
inline Byte PaethPredictor(Integer a, Integer b, Integer c) {
    const Integer pa = std::abs(b - c), pb = std::abs(a - c), pc = std::abs(a + b - 2 * c);
    if (pa <= pb && pa <= pc) return static_cast<Byte>(a);
    return static_cast<Byte>(pb <= pc ? b : c);
}
