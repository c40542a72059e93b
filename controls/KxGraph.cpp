// Colour reduction of a 24-bit capture to 8 bits per pixel.
#include "controls/KxGraph.h"

#include <array>
#include <cstring>
#include <memory>

ReductionMethod& DefaultReduction() {
    static ReductionMethod method = rdPopular;
    return method;
}

TKxPixelFormat PixelFormatOf(const TDibBitmap& bitmap) {
    switch (bitmap.BitCount()) {
    case 1:
        return kxpf1bit;
    case 4:
        return kxpf4bit;
    case 8:
        return kxpf8bit;
    case 24:
        return kxpf24bit;
    case 32:
        return kxpf32bit;
    default:
        return kxpfDevice;
    }
}

Integer ColorsOfFormat(TKxPixelFormat format) {
    switch (format) {
    case kxpf1bit:
        return 2;
    case kxpf4bit:
        return 16;
    case kxpf8bit:
        return 256;
    default:
        return 0;
    }
}

Int64 RowBytes(Int64 bits) {
    return ((bits + 31) / 32) * 4;
}

Int64 ScanLineBytes(Int64 pixels, Int64 bitsPerPixel, Int64 alignment) {
    return ((pixels * bitsPerPixel + alignment - 1) & ~(alignment - 1)) / 8;
}

namespace {

const Byte Levels4[4] = {0, 85, 170, 255};
const Byte Levels6[6] = {0, 51, 102, 153, 204, 255};
const Byte Levels7[7] = {0, 43, 85, 128, 170, 213, 255};
const Byte Levels8[8] = {0, 36, 73, 109, 146, 182, 219, 255};

const Byte* LevelTable(Integer levels) {
    switch (levels) {
    case 4:
        return Levels4;
    case 6:
        return Levels6;
    case 7:
        return Levels7;
    default:
        return Levels8;
    }
}

// The four nearest-level lookup tables, built once.
struct TLevelLookups {
    std::array<std::array<Byte, 256>, 9> Table{};
    TLevelLookups() {
        for (Integer levels : {4, 6, 7, 8}) {
            const Byte* values = LevelTable(levels);
            for (Integer v = 0; v < 256; ++v) {
                Integer best = 0;
                for (Integer i = 1; i < levels; ++i) {
                    const Integer d = v > values[i] ? v - values[i] : values[i] - v;
                    const Integer bd = v > values[best] ? v - values[best] : values[best] - v;
                    if (d < bd) best = i;
                }
                Table[levels][v] = static_cast<Byte>(best);
            }
        }
    }
};
const TLevelLookups& Lookups() {
    static const TLevelLookups lookups;
    return lookups;
}

// A fresh 8-bit result of the capture's size with a 256-entry table of (128, 128, 128).
TDibBitmap NewIndexed(const TDibBitmap& rgb) {
    TDibBitmap out(rgb.Width(), rgb.Height(), 8);
    out.Colors.assign(256, TDibColor::FromRGB(128, 128, 128));
    return out;
}

void CheckCapture(const TDibBitmap& rgb) {
    if (rgb.BitCount() != 24) throw ENotSupportedException("Function not yet implemented");
}

// Calls fn(x, y, blue, green, red, out pixel) for every pixel in buffer order (bottom row first).
template <class Fn> void ForEachPixel(const TDibBitmap& rgb, TDibBitmap& out, Fn fn) {
    const Integer w = rgb.Width(), h = rgb.Height();
    for (Integer by = 0; by < h; ++by) {
        const Byte* src = rgb.Bits().data() + static_cast<Int64>(by) * rgb.Stride();
        Byte* dst = out.Bits().data() + static_cast<Int64>(by) * out.Stride();
        for (Integer x = 0; x < w; ++x)
            dst[x] = fn(x, by, src[3 * x], src[3 * x + 1], src[3 * x + 2]);
    }
}

} // namespace

Byte NearestLevel(Integer levels, Byte value) {
    return Lookups().Table[levels][value];
}
Byte LevelValue(Integer levels, Integer index) {
    return LevelTable(levels)[index];
}

TDibBitmap BitmapToDib24(const TDibBitmap& bitmap) {
    if (bitmap.Empty()) throw EKxInvalidGraphic("Bitmap image is not valid");
    TDibBitmap out(bitmap.Width(), bitmap.Height(), 24);
    for (Integer y = 0; y < bitmap.Height(); ++y) {
        Byte* dst = out.ScanLine(y);
        if (bitmap.BitCount() == 24) {
            std::memcpy(dst, bitmap.ScanLine(y), static_cast<std::size_t>(bitmap.Width()) * 3);
            continue;
        }
        for (Integer x = 0; x < bitmap.Width(); ++x) {
            const TKxColor c = bitmap.Pixel(x, y);
            dst[3 * x] = KxBlue(c);
            dst[3 * x + 1] = KxGreen(c);
            dst[3 * x + 2] = KxRed(c);
        }
    }
    return out;
}

namespace {

// The colour tables of a capture in 1 and 4 bits per pixel: black and white, and the sixteen
// colours of the standard VGA table.
const TDibColor TwoColors[2] = {TDibColor::FromRGB(0, 0, 0), TDibColor::FromRGB(255, 255, 255)};
const TDibColor VgaColors[16] = {
    TDibColor::FromRGB(0, 0, 0),      TDibColor::FromRGB(128, 0, 0),     TDibColor::FromRGB(0, 128, 0),
    TDibColor::FromRGB(128, 128, 0),  TDibColor::FromRGB(0, 0, 128),     TDibColor::FromRGB(128, 0, 128),
    TDibColor::FromRGB(0, 128, 128),  TDibColor::FromRGB(192, 192, 192), TDibColor::FromRGB(128, 128, 128),
    TDibColor::FromRGB(255, 0, 0),    TDibColor::FromRGB(0, 255, 0),     TDibColor::FromRGB(255, 255, 0),
    TDibColor::FromRGB(0, 0, 255),    TDibColor::FromRGB(255, 0, 255),   TDibColor::FromRGB(0, 255, 255),
    TDibColor::FromRGB(255, 255, 255)};

// The bitmap captured directly in 1 or 4 bits per pixel: every pixel takes the nearest colour of
// the fixed table (smallest squared distance, the first on equal distances).
TDibBitmap CaptureIndexed(const TDibBitmap& bitmap, Integer bits) {
    const TDibColor* table = bits == 1 ? TwoColors : VgaColors;
    const Integer count = bits == 1 ? 2 : 16;
    TDibBitmap out(bitmap.Width(), bitmap.Height(), bits);
    out.Colors.assign(table, table + count);
    for (Integer y = 0; y < bitmap.Height(); ++y)
        for (Integer x = 0; x < bitmap.Width(); ++x) {
            const TKxColor c = bitmap.Pixel(x, y);
            Integer best = 0;
            Int64 bestDistance = -1;
            for (Integer i = 0; i < count; ++i) {
                const Int64 dr = Int64(KxRed(c)) - table[i].Red, dg = Int64(KxGreen(c)) - table[i].Green,
                            db = Int64(KxBlue(c)) - table[i].Blue;
                const Int64 d = dr * dr + dg * dg + db * db;
                if (bestDistance < 0 || d < bestDistance) bestDistance = d, best = i;
            }
            out.SetPixelIndex(x, y, best);
        }
    return out;
}

} // namespace

TDibBitmap ConvertToIndexed(const TDibBitmap& bitmap, TKxPixelFormat target, ReductionMethod method) {
    if (bitmap.Empty()) throw EKxInvalidGraphic("Bitmap image is not valid");
    if (PixelFormatOf(bitmap) == target && method != rdGrayLevels) return bitmap;
    if (target == kxpf24bit) return BitmapToDib24(bitmap);
    if (target == kxpf1bit || target == kxpf4bit) return CaptureIndexed(bitmap, target == kxpf1bit ? 1 : 4);
    if (target != kxpf8bit) throw ENotSupportedException("Function not yet implemented");
    const TDibBitmap rgb = BitmapToDib24(bitmap);
    switch (method) {
    case rdMedianCut:
        return MedianCut(rgb);
    case rdLevels784:
        return Reduce784(rgb);
    case rdLevels666:
        return Reduce666(rgb);
    case rdChannelPattern:
        return ReduceToChannelPattern(rgb);
    case rdGrayLevels:
        return ReduceToGray(rgb);
    case rdPopular:
    default:
        return PopularColors(rgb);
    }
}

// ---- Popularity histogram ----

namespace {

constexpr Integer HistogramEntries = 2049;
constexpr Integer HistogramSlots = 5191;

struct THistogramEntry {
    Byte Blue, Green, Red;
    Cardinal Count;
    Byte Index;
};

struct TColorHistogram {
    Byte Masks[3] = {255, 255, 255}; // red, green, blue
    Integer Count = 0;
    std::array<THistogramEntry, HistogramEntries> Entries{};
    std::array<Word, HistogramSlots> Slots{};

    void Empty() {
        Count = 0;
        Slots.fill(0xFFFF);
    }
    Integer SlotOf(Byte r, Byte g, Byte b) const {
        Integer slot =
            static_cast<Integer>((static_cast<UInt64>(r + g) * (g + b) * (r + b)) % HistogramSlots);
        while (Slots[slot] != 0xFFFF) {
            const THistogramEntry& e = Entries[Slots[slot]];
            if (e.Red == r && e.Green == g && e.Blue == b) break;
            if (++slot >= HistogramSlots) slot = 0;
        }
        return slot;
    }
    // Counts every pixel; false when more than HistogramEntries masked colours appear.
    bool CountPixels(const TDibBitmap& rgb) {
        Empty();
        for (Integer by = 0; by < rgb.Height(); ++by) {
            const Byte* src = rgb.Bits().data() + static_cast<Int64>(by) * rgb.Stride();
            for (Integer x = 0; x < rgb.Width(); ++x) {
                const Byte b = src[3 * x] & Masks[2], g = src[3 * x + 1] & Masks[1],
                           r = src[3 * x + 2] & Masks[0];
                const Integer slot = SlotOf(r, g, b);
                if (Slots[slot] != 0xFFFF) {
                    ++Entries[Slots[slot]].Count;
                } else {
                    if (Count >= HistogramEntries) return false;
                    Entries[Count] = THistogramEntry{b, g, r, 1, 0};
                    Slots[slot] = static_cast<Word>(Count++);
                }
            }
        }
        return true;
    }
    void DropBit() {
        if (Masks[0] < Masks[1])
            Masks[1] = static_cast<Byte>(Masks[1] << 1);
        else if (Masks[2] < Masks[0])
            Masks[0] = static_cast<Byte>(Masks[0] << 1);
        else
            Masks[2] = static_cast<Byte>(Masks[2] << 1);
    }
};

} // namespace

TDibBitmap PopularColors(const TDibBitmap& rgb, Byte* masks) {
    CheckCapture(rgb);
    auto hist = std::make_unique<TColorHistogram>();
    while (!hist->CountPixels(rgb))
        hist->DropBit();
    TDibBitmap out = NewIndexed(rgb);

    std::vector<bool> chosen(hist->Count, false);
    std::vector<Cardinal> counts(hist->Count);
    for (Integer i = 0; i < hist->Count; ++i)
        counts[i] = hist->Entries[i].Count;
    for (Integer i = 0; i < 256 && i < hist->Count; ++i) {
        Integer best = -1;
        for (Integer e = 0; e < hist->Count; ++e)
            if (counts[e] > 0 && (best < 0 || counts[e] > counts[best])) best = e;
        if (best < 0) break;
        THistogramEntry& entry = hist->Entries[best];
        out.Colors[i] = TDibColor::FromRGB(entry.Red, entry.Green, entry.Blue);
        entry.Index = static_cast<Byte>(i);
        counts[best] = 0;
        chosen[best] = true;
    }
    for (Integer e = 0; e < hist->Count; ++e) {
        if (chosen[e]) continue;
        THistogramEntry& entry = hist->Entries[e];
        Int64 bestDistance = -1;
        for (Integer i = 0; i < 256; ++i) {
            const Int64 dr = Int64(entry.Red) - out.Colors[i].Red,
                        dg = Int64(entry.Green) - out.Colors[i].Green,
                        db = Int64(entry.Blue) - out.Colors[i].Blue;
            const Int64 d = dr * dr + dg * dg + db * db;
            if (bestDistance < 0 || d < bestDistance) {
                bestDistance = d;
                entry.Index = static_cast<Byte>(i);
            }
        }
    }
    const Byte* m = hist->Masks;
    ForEachPixel(rgb, out, [&](Integer, Integer, Byte b, Byte g, Byte r) {
        const Integer slot = hist->SlotOf(r & m[0], g & m[1], b & m[2]);
        return hist->Entries[hist->Slots[slot]].Index;
    });
    if (masks) std::memcpy(masks, hist->Masks, 3);
    return out;
}

// ---- Median cut ----

namespace {

struct TCutCell {
    Byte Value[3]; // red4, green4, blue4
    Integer Box;
    Cardinal Count;
    Integer Link;
};

struct TCutBox {
    Integer Lower[3] = {0, 0, 0};
    Integer Extent[3] = {255, 255, 255};
    Integer CellCount = 0;
    Int64 PixelTotal = 0;
    Integer Head = -1;
};

void SortCells(std::vector<Integer>& idx, Integer lo, Integer hi, const std::vector<TCutCell>& cells,
               Integer ch) {
    auto v = [&](Integer i) { return cells[idx[i]].Value[ch]; };
    if (hi - lo + 1 < 8) {
        for (Integer i = lo + 1; i <= hi; ++i) {
            const Integer t = idx[i];
            const Byte tv = cells[t].Value[ch];
            Integer j = i;
            while (j > lo && v(j - 1) >= tv) {
                idx[j] = idx[j - 1];
                --j;
            }
            idx[j] = t;
        }
        return;
    }
    const Byte pivot = v((lo + hi) / 2);
    Integer i = lo, j = hi;
    while (i <= j) {
        while (v(i) < pivot)
            ++i;
        while (v(j) > pivot)
            --j;
        if (i <= j) {
            std::swap(idx[i], idx[j]);
            ++i;
            --j;
        }
    }
    if (lo < j) SortCells(idx, lo, j, cells, ch);
    if (i < hi) SortCells(idx, i, hi, cells, ch);
}

} // namespace

TDibBitmap MedianCut(const TDibBitmap& rgb) {
    CheckCapture(rgb);
    std::vector<TCutCell> cells(4096);
    for (Integer i = 0; i < 4096; ++i)
        cells[i] = TCutCell{{Byte(i >> 8), Byte((i >> 4) & 15), Byte(i & 15)}, 0, 0, -1};
    std::vector<Word> pixelCells(static_cast<std::size_t>(rgb.Width()) * rgb.Height());
    std::size_t n = 0;
    for (Integer by = 0; by < rgb.Height(); ++by) {
        const Byte* src = rgb.Bits().data() + static_cast<Int64>(by) * rgb.Stride();
        for (Integer x = 0; x < rgb.Width(); ++x) {
            const Integer cell =
                ((src[3 * x + 2] >> 4) << 8) | ((src[3 * x + 1] >> 4) << 4) | (src[3 * x] >> 4);
            ++cells[cell].Count;
            pixelCells[n++] = static_cast<Word>(cell);
        }
    }
    std::vector<TCutBox> boxes(256);
    Integer boxCount = 1;
    Integer* tail = &boxes[0].Head;
    for (Integer i = 0; i < 4096; ++i) {
        if (cells[i].Count == 0) continue;
        *tail = i;
        tail = &cells[i].Link;
        ++boxes[0].CellCount;
    }
    boxes[0].PixelTotal = static_cast<Int64>(rgb.Width()) * rgb.Height();

    std::vector<Integer> order;
    while (boxCount < 256) {
        Integer best = -1, channel = 0, extent = 0;
        for (Integer b = 0; b < boxCount; ++b) {
            if (boxes[b].CellCount <= 1) continue;
            for (Integer ch = 0; ch < 3; ++ch)
                if (best < 0 || boxes[b].Extent[ch] > extent)
                    best = b, channel = ch, extent = boxes[b].Extent[ch];
        }
        if (best < 0) break;
        TCutBox& box = boxes[best];
        order.clear();
        for (Integer c = box.Head; c >= 0; c = cells[c].Link)
            order.push_back(c);
        SortCells(order, 0, static_cast<Integer>(order.size()) - 1, cells, channel);
        const Integer count = static_cast<Integer>(order.size());
        for (Integer i = 0; i < count; ++i)
            cells[order[i]].Link = i + 1 < count ? order[i + 1] : -1;
        box.Head = order[0];

        const Int64 half = box.PixelTotal / 2;
        Int64 sum = cells[order[0]].Count;
        Integer e = count - 1; // cells 1..e stay in the old box
        for (Integer k = 1; k < count; ++k) {
            sum += cells[order[k]].Count;
            if (sum > half) {
                e = k;
                break;
            }
        }
        TCutBox& fresh = boxes[boxCount];
        fresh = box;
        fresh.Head = order[e];
        cells[order[e - 1]].Link = -1;
        fresh.CellCount = count - e;
        box.CellCount = e;
        Int64 freshTotal = 0;
        for (Integer k = e; k < count; ++k)
            freshTotal += cells[order[k]].Count;
        fresh.PixelTotal = freshTotal;
        box.PixelTotal -= freshTotal;
        const Integer upper = box.Lower[channel] + box.Extent[channel];
        fresh.Lower[channel] = 16 * cells[order[e]].Value[channel];
        fresh.Extent[channel] = upper - fresh.Lower[channel];
        box.Extent[channel] = 16 * cells[order[e - 1]].Value[channel] - box.Lower[channel];
        ++boxCount;
    }

    TDibBitmap out(rgb.Width(), rgb.Height(), 8);
    out.Colors.assign(256, TDibColor{});
    for (Integer b = 0; b < boxCount; ++b) {
        const TCutBox& box = boxes[b];
        if (box.CellCount == 0) continue;
        Int64 sums[3] = {0, 0, 0};
        for (Integer c = box.Head; c >= 0; c = cells[c].Link) {
            cells[c].Box = b;
            for (Integer ch = 0; ch < 3; ++ch)
                sums[ch] += cells[c].Value[ch];
        }
        Integer v[3];
        for (Integer ch = 0; ch < 3; ++ch)
            v[ch] = static_cast<Integer>((16 * sums[ch] + 15) / box.CellCount);
        if (v[0] <= 16 && v[1] <= 16 && v[2] <= 16)
            out.Colors[b] = TDibColor{};
        else
            out.Colors[b] = TDibColor::FromRGB(Byte(v[0] > 255 ? 255 : v[0]), Byte(v[1] > 255 ? 255 : v[1]),
                                               Byte(v[2] > 255 ? 255 : v[2]));
    }
    out.ImportantColors = static_cast<Cardinal>(boxCount);
    n = 0;
    for (Integer by = 0; by < rgb.Height(); ++by) {
        Byte* dst = out.Bits().data() + static_cast<Int64>(by) * out.Stride();
        for (Integer x = 0; x < rgb.Width(); ++x)
            dst[x] = static_cast<Byte>(cells[pixelCells[n++]].Box);
    }
    return out;
}

// ---- Fixed palettes, channel pattern, grey ----

namespace {

// A fixed colour cube of redLevels x greenLevels x blueLevels colours (blue varying fastest): every
// pixel takes the nearest level of each channel.
TDibBitmap ReduceToLevels(const TDibBitmap& rgb, Integer redLevels, Integer greenLevels, Integer blueLevels) {
    CheckCapture(rgb);
    TDibBitmap out = NewIndexed(rgb);
    const Integer redStep = greenLevels * blueLevels;
    for (Integer r = 0; r < redLevels; ++r)
        for (Integer g = 0; g < greenLevels; ++g)
            for (Integer b = 0; b < blueLevels; ++b)
                out.Colors[r * redStep + g * blueLevels + b] = TDibColor::FromRGB(
                    LevelValue(redLevels, r), LevelValue(greenLevels, g), LevelValue(blueLevels, b));
    const auto& t = Lookups().Table;
    ForEachPixel(rgb, out, [&](Integer, Integer, Byte b, Byte g, Byte r) {
        return static_cast<Byte>(t[redLevels][r] * redStep + t[greenLevels][g] * blueLevels +
                                 t[blueLevels][b]);
    });
    out.ImportantColors = redLevels * redStep;
    return out;
}

} // namespace

TDibBitmap Reduce784(const TDibBitmap& rgb) {
    return ReduceToLevels(rgb, 7, 8, 4);
}

TDibBitmap Reduce666(const TDibBitmap& rgb) {
    return ReduceToLevels(rgb, 6, 6, 6);
}

TDibBitmap ReduceToChannelPattern(const TDibBitmap& rgb) {
    CheckCapture(rgb);
    TDibBitmap out(rgb.Width(), rgb.Height(), 8);
    out.Colors.assign(256, TDibColor{});
    for (Integer i = 0; i < 64; ++i) {
        out.Colors[i] = TDibColor::FromRGB(Byte(4 * i), 0, 0);
        out.Colors[64 + i] = TDibColor::FromRGB(0, Byte(4 * i), 0);
        out.Colors[128 + i] = TDibColor::FromRGB(0, 0, Byte(4 * i));
    }
    ForEachPixel(rgb, out, [](Integer x, Integer y, Byte b, Byte g, Byte r) {
        switch ((x + y) % 3) {
        case 0:
            return static_cast<Byte>(r >> 2);
        case 1:
            return static_cast<Byte>(64 + (g >> 2));
        default:
            return static_cast<Byte>(128 + (b >> 2));
        }
    });
    return out;
}

TDibBitmap ReduceToGray(const TDibBitmap& rgb) {
    CheckCapture(rgb);
    TDibBitmap out(rgb.Width(), rgb.Height(), 8);
    out.Colors.resize(256);
    for (Integer i = 0; i < 256; ++i)
        out.Colors[i] = TDibColor::FromRGB(Byte(i), Byte(i), Byte(i));
    ForEachPixel(rgb, out, [](Integer, Integer, Byte b, Byte g, Byte r) {
        return static_cast<Byte>((77 * r + 150 * g + 29 * b) >> 8);
    });
    return out;
}
