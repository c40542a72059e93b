#include "report/vrpngimageRows.h"

#include <algorithm>
#include <cstring>

TPngRowCodec::TPngRowCodec(TChunkIHDR& header, TPNGObject& owner)
    : FHeader(header), FOwner(owner), FImage(header.Image), FDepth(header.BitDepth) {
    switch (header.ColorType) {
    case 2:
        FChannels = 3;
        break;
    case 4:
        FChannels = 2;
        break;
    case 6:
        FChannels = 4;
        break;
    default:
        FChannels = 1;
        break;
    }
    FPixelBytes = std::max<Integer>(1, FDepth * FChannels / 8);
    FIdentityGamma = true;
    for (Integer i = 0; i < 256; ++i)
        if (owner.GammaTable[i] != i || owner.InverseGamma[i] != i) FIdentityGamma = false;
}

namespace {

// Moves one full-width row of 8-bit samples between the file's order (grey or index, RGB, RGBA,
// grey and alpha) and the image's planes (blue, green, red in the bitmap row, alpha apart), into
// the image when ToImage, out of it otherwise. False for a colour type it does not know.
template <bool ToImage> bool MoveWholeRow(Byte colorType, Byte* file, Byte* bits, Byte* alpha, Integer count) {
    auto move = [](Byte& image, Byte& data) {
        if constexpr (ToImage)
            image = data;
        else
            data = image;
    };
    switch (colorType) {
    case 0:
    case 3:
        if constexpr (ToImage)
            std::memcpy(bits, file, static_cast<std::size_t>(count));
        else
            std::memcpy(file, bits, static_cast<std::size_t>(count));
        return true;
    case 2:
        for (Integer x = 0; x < count; ++x, file += 3, bits += 3) {
            move(bits[0], file[2]);
            move(bits[1], file[1]);
            move(bits[2], file[0]);
        }
        return true;
    case 6:
        for (Integer x = 0; x < count; ++x, file += 4, bits += 3) {
            move(bits[0], file[2]);
            move(bits[1], file[1]);
            move(bits[2], file[0]);
            move(alpha[x], file[3]);
        }
        return true;
    case 4:
        for (Integer x = 0; x < count; ++x, file += 2) {
            move(bits[x], file[0]);
            move(alpha[x], file[1]);
        }
        return true;
    default:
        return false;
    }
}

} // namespace

bool TPngRowCodec::StoreWholeRow(const Byte* row, Integer y, const TPass& pass, Integer count) {
    if (FDepth != 8 || pass.XStep != 1 || pass.XStart != 0 || !FIdentityGamma) return false;
    Byte* bits = FImage.Bits.data() + static_cast<Int64>(FImage.Height - 1 - y) * FImage.BytesPerRow;
    Byte* alpha = FImage.Alpha.empty() ? nullptr : FImage.Alpha.data() + static_cast<Int64>(y) * FImage.Width;
    return MoveWholeRow<true>(FHeader.ColorType, const_cast<Byte*>(row), bits, alpha, count);
}

bool TPngRowCodec::PackWholeRow(Byte* row, Integer y, const TPass& pass, Integer count) const {
    if (FDepth != 8 || pass.XStep != 1 || pass.XStart != 0 || !FIdentityGamma) return false;
    Byte* bits = FImage.Bits.data() + static_cast<Int64>(FImage.Height - 1 - y) * FImage.BytesPerRow;
    Byte* alpha = FImage.Alpha.empty() ? nullptr : FImage.Alpha.data() + static_cast<Int64>(y) * FImage.Width;
    return MoveWholeRow<false>(FHeader.ColorType, row, bits, alpha, count);
}

Int64 TPngRowCodec::RowBytes(Int64 width) const {
    return (width * FDepth * FChannels + 7) / 8;
}

void TPngRowCodec::ForEachPass(const std::function<void(const TPass&, Integer, Integer)>& fn) const {
    static const TPass adam7[7] = {{0, 0, 8, 8}, {4, 0, 8, 8}, {0, 4, 4, 8}, {2, 0, 4, 4},
                                   {0, 2, 2, 4}, {1, 0, 2, 2}, {0, 1, 1, 2}};
    const Integer w = FImage.Width, h = FImage.Height;
    if (FOwner.InterlaceMode == 0) {
        fn(TPass{0, 0, 1, 1}, w, h);
        return;
    }
    for (const TPass& p : adam7) {
        const Integer pw = w > p.XStart ? (w - p.XStart + p.XStep - 1) / p.XStep : 0;
        const Integer ph = h > p.YStart ? (h - p.YStart + p.YStep - 1) / p.YStep : 0;
        if (pw > 0 && ph > 0) fn(p, pw, ph);
    }
}

namespace {

// Sample i of a packed row (depth 1, 2, 4, 8 or 16).
inline Integer Sample(const Byte* row, Int64 i, Integer depth) {
    switch (depth) {
    case 8:
        return row[i];
    case 16:
        return (row[2 * i] << 8) | row[2 * i + 1];
    default: {
        const Int64 bit = i * depth;
        return (row[bit >> 3] >> (8 - depth - (bit & 7))) & ((1 << depth) - 1);
    }
    }
}

inline void PutSample(Byte* row, Int64 i, Integer depth, Integer v) {
    switch (depth) {
    case 8:
        row[i] = static_cast<Byte>(v);
        break;
    case 16:
        row[2 * i] = static_cast<Byte>(v >> 8);
        row[2 * i + 1] = static_cast<Byte>(v & 0xFF);
        break;
    default: {
        const Int64 bit = i * depth;
        const Integer shift = 8 - depth - static_cast<Integer>(bit & 7);
        row[bit >> 3] = static_cast<Byte>(row[bit >> 3] | ((v & ((1 << depth) - 1)) << shift));
        break;
    }
    }
}

// Undoes a row's filter in place; one loop per filter type, the bytes left of the first complete
// pixel (which have no left neighbour) apart.
void Unfilter(Byte filter, Byte* row, const Byte* prev, Int64 n, Integer bpp) {
    const Int64 head = std::min<Int64>(bpp, n);
    switch (filter) {
    case pfSub:
        for (Int64 i = head; i < n; ++i)
            row[i] = static_cast<Byte>(row[i] + row[i - bpp]);
        break;
    case pfUp:
        for (Int64 i = 0; i < n; ++i)
            row[i] = static_cast<Byte>(row[i] + prev[i]);
        break;
    case pfAverage:
        for (Int64 i = 0; i < head; ++i)
            row[i] = static_cast<Byte>(row[i] + (prev[i] >> 1));
        for (Int64 i = head; i < n; ++i)
            row[i] = static_cast<Byte>(row[i] + ((row[i - bpp] + prev[i]) >> 1));
        break;
    case pfPaeth:
        for (Int64 i = 0; i < head; ++i)
            row[i] = static_cast<Byte>(row[i] + prev[i]);
        for (Int64 i = head; i < n; ++i)
            row[i] = static_cast<Byte>(row[i] + PaethPredictor(row[i - bpp], prev[i], prev[i - bpp]));
        break;
    default: // None, and unknown filter types taken as None
        break;
    }
}

// One loop per filter type; bytes left of the first complete pixel and the first previous row
// count as 0.
void ApplyFilter(TFilter filter, const Byte* raw, const Byte* prev, Byte* out, Int64 n, Integer bpp) {
    const Int64 head = std::min<Int64>(bpp, n);
    switch (filter) {
    case pfSub:
        std::memcpy(out, raw, static_cast<std::size_t>(head));
        for (Int64 i = head; i < n; ++i)
            out[i] = static_cast<Byte>(raw[i] - raw[i - bpp]);
        break;
    case pfUp:
        for (Int64 i = 0; i < n; ++i)
            out[i] = static_cast<Byte>(raw[i] - prev[i]);
        break;
    case pfAverage:
        for (Int64 i = 0; i < head; ++i)
            out[i] = static_cast<Byte>(raw[i] - (prev[i] >> 1));
        for (Int64 i = head; i < n; ++i)
            out[i] = static_cast<Byte>(raw[i] - ((raw[i - bpp] + prev[i]) >> 1));
        break;
    case pfPaeth:
        for (Int64 i = 0; i < head; ++i)
            out[i] = static_cast<Byte>(raw[i] - prev[i]); // Paeth of (0, up, 0) is up
        for (Int64 i = head; i < n; ++i)
            out[i] = static_cast<Byte>(raw[i] - PaethPredictor(raw[i - bpp], prev[i], prev[i - bpp]));
        break;
    default:
        std::memcpy(out, raw, static_cast<std::size_t>(n));
        break;
    }
}

// The usual heuristic's measure of a filtered row: the sum of its bytes taken as signed values.
UInt64 AbsoluteSum(const Byte* row, Int64 n) {
    UInt64 sum = 0;
    for (Int64 i = 0; i < n; ++i)
        sum += row[i] < 128 ? row[i] : 256 - row[i];
    return sum;
}

Integer RepeatScore(const Byte* row, Int64 n) {
    Integer score = 0;
    for (Int64 j = 2; j < n; ++j)
        if (row[j] == row[j - 1] || row[j] == row[j - 2]) ++score;
    return score;
}

} // namespace

void TPngRowCodec::StoreRow(const Byte* row, Integer y, const TPass& pass, Integer count) {
    if (StoreWholeRow(row, y, pass, count)) return;
    const auto& gamma = FOwner.GammaTable;
    const Integer w = FImage.Width;
    const Int64 stride = FImage.BytesPerRow;
    const Int64 line = static_cast<Int64>(FImage.Height - 1 - y) * stride;
    const bool wide = FDepth == 16;
    for (Integer i = 0; i < count; ++i) {
        const Integer x = pass.XStart + i * pass.XStep;
        const Int64 alphaAt = static_cast<Int64>(y) * w + x;
        auto hi = [&](Integer c) { return Sample(row, Int64(i) * FChannels + c, FDepth) >> (wide ? 8 : 0); };
        auto lo = [&](Integer c) {
            return static_cast<Byte>(Sample(row, Int64(i) * FChannels + c, 16) & 0xFF);
        };
        switch (FHeader.ColorType) {
        case 0:
        case 3: {
            if (wide) {
                FImage.Bits[line + x] = static_cast<Byte>(hi(0));
                FImage.LowBytes[line + x] = lo(0);
            } else {
                Integer v = Sample(row, i, FDepth);
                if (FDepth == 2 && FHeader.ColorType == 0) v *= 5;
                FImage.SetPixelIndex(x, y, v);
            }
            break;
        }
        case 2:
        case 6: {
            Byte* p = FImage.Bits.data() + line + 3 * Int64(x);
            p[0] = gamma[hi(2)];
            p[1] = gamma[hi(1)];
            p[2] = gamma[hi(0)];
            if (wide) {
                Byte* q = FImage.LowBytes.data() + line + 3 * Int64(x);
                q[0] = lo(2);
                q[1] = lo(1);
                q[2] = lo(0);
            }
            if (FHeader.ColorType == 6) {
                FImage.Alpha[alphaAt] = static_cast<Byte>(hi(3));
                if (wide) FImage.AlphaLow[alphaAt] = lo(3);
            }
            break;
        }
        case 4:
            FImage.Bits[line + x] = static_cast<Byte>(hi(0));
            FImage.Alpha[alphaAt] = static_cast<Byte>(hi(1));
            if (wide) {
                FImage.LowBytes[line + x] = lo(0);
                FImage.AlphaLow[alphaAt] = lo(1);
            }
            break;
        default:
            break;
        }
    }
}

void TPngRowCodec::PackRow(Byte* row, Integer y, const TPass& pass, Integer count) const {
    if (PackWholeRow(row, y, pass, count)) return;
    const auto& inverse = FOwner.InverseGamma;
    const Integer w = FImage.Width;
    const Int64 line = static_cast<Int64>(FImage.Height - 1 - y) * FImage.BytesPerRow;
    const bool wide = FDepth == 16;
    auto put = [&](Integer i, Integer c, Integer high, Integer low) {
        PutSample(row, Int64(i) * FChannels + c, FDepth, wide ? ((high << 8) | low) : high);
    };
    for (Integer i = 0; i < count; ++i) {
        const Integer x = pass.XStart + i * pass.XStep;
        const Int64 alphaAt = static_cast<Int64>(y) * w + x;
        switch (FHeader.ColorType) {
        case 0:
        case 3:
            if (wide)
                put(i, 0, FImage.Bits[line + x], FImage.LowBytes[line + x]);
            else
                put(i, 0, FImage.PixelIndex(x, y), 0);
            break;
        case 2:
        case 6: {
            const Byte* p = FImage.Bits.data() + line + 3 * Int64(x);
            const Byte* q = wide ? FImage.LowBytes.data() + line + 3 * Int64(x) : nullptr;
            put(i, 0, inverse[p[2]], q ? q[2] : 0);
            put(i, 1, inverse[p[1]], q ? q[1] : 0);
            put(i, 2, inverse[p[0]], q ? q[0] : 0);
            if (FHeader.ColorType == 6) put(i, 3, FImage.Alpha[alphaAt], wide ? FImage.AlphaLow[alphaAt] : 0);
            break;
        }
        case 4:
            put(i, 0, FImage.Bits[line + x], wide ? FImage.LowBytes[line + x] : 0);
            put(i, 1, FImage.Alpha[alphaAt], wide ? FImage.AlphaLow[alphaAt] : 0);
            break;
        default:
            break;
        }
    }
}

void TPngRowCodec::Decode(const std::function<bool(Byte*, std::size_t)>& read) {
    bool ended = false;
    ForEachPass([&](const TPass& pass, Integer width, Integer height) {
        if (ended) return;
        const Int64 n = RowBytes(width);
        std::vector<Byte> rows[2] = {std::vector<Byte>(n + 1, 0), std::vector<Byte>(n + 1, 0)};
        Integer current = 0;
        for (Integer r = 0; r < height; ++r) {
            std::vector<Byte>& row = rows[current];
            if (!read(row.data(), static_cast<std::size_t>(n + 1))) {
                ended = true;
                return;
            }
            Unfilter(row[0], row.data() + 1, rows[1 - current].data() + 1, n, FPixelBytes);
            StoreRow(row.data() + 1, pass.YStart + r * pass.YStep, pass, width);
            current = 1 - current;
        }
    });
}

void TPngRowCodec::Encode(const std::function<void(const Byte*, std::size_t)>& write,
                          std::optional<TFilterSet> filterSet) {
    const bool adaptive = !filterSet.has_value();
    const TFilterSet filters = adaptive ? TFilterSet(0x1F) : *filterSet;
    ForEachPass([&](const TPass& pass, Integer width, Integer height) {
        const Int64 n = RowBytes(width);
        std::vector<Byte> raw(n, 0), prev(n, 0);
        std::vector<Byte> filtered[5];
        for (auto& f : filtered)
            f.assign(n + 1, 0);
        Integer single = -1, members = 0;
        for (Integer f = 0; f < 5; ++f)
            if (filters & (1 << f)) ++members, single = f;
        for (Integer r = 0; r < height; ++r) {
            if (FDepth < 8) std::fill(raw.begin(), raw.end(), 0); // sub-byte samples are or-ed in
            PackRow(raw.data(), pass.YStart + r * pass.YStep, pass, width);
            Integer chosen = pfNone;
            if (adaptive) {
                UInt64 best = 0;
                for (Integer f = 0; f < 5; ++f) {
                    ApplyFilter(static_cast<TFilter>(f), raw.data(), prev.data(), filtered[f].data() + 1, n,
                                FPixelBytes);
                    const UInt64 sum = AbsoluteSum(filtered[f].data() + 1, n);
                    if (f == 0 || sum < best) best = sum, chosen = f;
                }
            } else if (members == 0 || filters == FilterBit(pfNone)) {
                chosen = pfNone;
            } else if (members == 1) {
                chosen = single;
            } else {
                Integer best = 0;
                for (Integer f = 0; f < 5; ++f) {
                    if (!(filters & (1 << f))) continue;
                    ApplyFilter(static_cast<TFilter>(f), raw.data(), prev.data(), filtered[f].data() + 1, n,
                                FPixelBytes);
                    const Integer score = RepeatScore(filtered[f].data() + 1, n);
                    if (score > best) best = score, chosen = f;
                }
            }
            std::vector<Byte>& out = filtered[chosen];
            if (!adaptive && (members <= 1 || chosen == pfNone || !(filters & (1 << chosen))))
                ApplyFilter(static_cast<TFilter>(chosen), raw.data(), prev.data(), out.data() + 1, n,
                            FPixelBytes);
            out[0] = static_cast<Byte>(chosen);
            write(out.data(), static_cast<std::size_t>(n + 1));
            std::swap(raw, prev);
        }
    });
}
