// The PNG picture: writing, building from bitmaps, copying, resizing, pixels and drawing.
#include "report/vrpngimage.h"
#include "report/vrpngimageRows.h"
#include "rtl/Streams.h"

#include <zlib.h>

#include <algorithm>
#include <cstring>

namespace {

void Put32(std::vector<Byte>& out, UInt64 v) {
    for (int i = 3; i >= 0; --i)
        out.push_back(static_cast<Byte>((v >> (8 * i)) & 0xFF));
}

} // namespace

// ---- Writing chunks ----

bool TChunkIHDR::SaveChunk(std::vector<Byte>& out) {
    if (BitDepth == 2) {
        // The image holds 2-bit samples as 4-bit pixels (grey values times 5): a transparent grey
        // is widened with them, so it still names the same pixels.
        BitDepth = 4;
        TChunktRNS* trns = FOwner->Chunks.FindChunk<TChunktRNS>();
        if (ColorType == 0 && trns && trns->Data.size() == 2 && !trns->OutOfRange) {
            const Integer grey = ((trns->Data[0] << 8) | trns->Data[1]) * 5;
            trns->Data = {static_cast<Byte>(grey >> 8), static_cast<Byte>(grey & 0xFF)};
            trns->PaletteValues[0] = trns->Data[0];
            trns->PaletteValues[1] = trns->Data[1];
        }
    }
    Data.clear();
    Put32(Data, Width);
    Put32(Data, Height);
    Data.insert(Data.end(), {BitDepth, ColorType, CompressionMethod, FilterMethod, FOwner->InterlaceMode});
    WriteRaw(out);
    return true;
}

bool TChunkPLTE::SaveChunk(std::vector<Byte>& out) {
    const TChunkIHDR& header = FOwner->Header();
    const std::vector<TPngRGB>& palette = header.Image.Palette;
    if (Count == 0) Count = static_cast<Integer>(std::min<std::size_t>(palette.size(), 256));
    const auto& inverse = FOwner->InverseGamma;
    Data.clear();
    for (Integer i = 0; i < Count; ++i) {
        const TPngRGB c = i < static_cast<Integer>(palette.size()) ? palette[i] : TPngRGB{};
        Data.insert(Data.end(), {inverse[c.Red], inverse[c.Green], inverse[c.Blue]});
    }
    WriteRaw(out);
    return true;
}

bool TChunktRNS::SaveChunk(std::vector<Byte>& out) {
    if (Data.size() <= 256)
        std::copy(PaletteValues.begin(), PaletteValues.begin() + Data.size(), Data.begin());
    WriteRaw(out);
    return true;
}

bool TChunkIEND::SaveChunk(std::vector<Byte>& out) {
    Data.clear();
    WriteRaw(out);
    return true;
}

bool TChunkgAMA::SaveChunk(std::vector<Byte>& out) {
    Data.clear();
    Put32(Data, Gamma);
    WriteRaw(out);
    return true;
}

bool TChunkpHYs::SaveChunk(std::vector<Byte>& out) {
    Data.clear();
    Put32(Data, PPUnitX);
    Put32(Data, PPUnitY);
    Data.push_back(UnitType);
    WriteRaw(out);
    return true;
}

bool TChunktIME::SaveChunk(std::vector<Byte>& out) {
    Data = {static_cast<Byte>(Year >> 8), static_cast<Byte>(Year & 0xFF), Month, Day, Hour, Minute, Second};
    WriteRaw(out);
    return true;
}

bool TChunktEXt::SaveChunk(std::vector<Byte>& out) {
    Data.assign(Keyword.begin(), Keyword.end());
    Data.push_back(0);
    Data.insert(Data.end(), Text.begin(), Text.end());
    WriteRaw(out);
    return true;
}

bool TChunkzTXt::SaveChunk(std::vector<Byte>& out) {
    if (Text.empty()) Text = " ";
    uLongf size = compressBound(static_cast<uLong>(Text.size()));
    std::vector<Byte> compressed(size);
    if (compress2(compressed.data(), &size, reinterpret_cast<const Bytef*>(Text.data()),
                  static_cast<uLong>(Text.size()), std::min<Integer>(FOwner->DeflateLevel, 9)) != Z_OK)
        return false;
    Data.assign(Keyword.begin(), Keyword.end());
    Data.insert(Data.end(), {0, 0});
    Data.insert(Data.end(), compressed.begin(), compressed.begin() + size);
    WriteRaw(out);
    return true;
}

// Image data: rows packed, filtered and deflated into IDAT chunks of IdatLimit bytes.
bool TChunkIDAT::SaveChunk(std::vector<Byte>& out) {
    TChunkIHDR& header = FOwner->Header();
    const std::size_t limit = static_cast<std::size_t>(std::max(FOwner->IdatLimit, 65535));
    z_stream z{};
    // Filtered rows hold small values scattered around zero: zlib's filtered strategy suits them.
    const bool filtered = !FOwner->FilterSet || (*FOwner->FilterSet & ~FilterBit(pfNone)) != 0;
    if (deflateInit2(&z, std::min<Integer>(FOwner->DeflateLevel, 9), Z_DEFLATED, 15, 8,
                     filtered ? Z_FILTERED : Z_DEFAULT_STRATEGY) != Z_OK)
        RaiseZlibError(Z_MEM_ERROR);
    std::vector<Byte> buffer(limit);
    z.next_out = buffer.data();
    z.avail_out = static_cast<uInt>(limit);
    auto emit = [&](std::size_t n) {
        Data.assign(buffer.begin(), buffer.begin() + n);
        Name = "IDAT";
        WriteRaw(out);
        z.next_out = buffer.data();
        z.avail_out = static_cast<uInt>(limit);
    };
    auto feed = [&](const Byte* data, std::size_t n, int flush) {
        z.next_in = const_cast<Bytef*>(data);
        z.avail_in = static_cast<uInt>(n);
        for (;;) {
            const int status = deflate(&z, flush);
            if (status == Z_STREAM_ERROR) {
                deflateEnd(&z);
                RaiseZlibError(status);
            }
            if (z.avail_out == 0) {
                emit(limit);
                continue;
            }
            if (flush == Z_FINISH ? status == Z_STREAM_END : z.avail_in == 0) break;
        }
    };
    TPngRowCodec codec(header, *FOwner);
    codec.Encode([&](const Byte* row, std::size_t n) { feed(row, n, Z_NO_FLUSH); }, FOwner->FilterSet);
    feed(nullptr, 0, Z_FINISH);
    if (z.avail_out < limit) emit(limit - z.avail_out);
    deflateEnd(&z);
    Data.clear();
    return true;
}

void TPNGObject::LoadFromStream(TStream& stream) {
    std::vector<Byte> data;
    Byte buf[65536];
    for (;;) {
        const Int64 n = stream.Read(buf, sizeof buf);
        if (n <= 0) break;
        data.insert(data.end(), buf, buf + n);
    }
    LoadFromBytes(data);
}

void TPNGObject::SaveToStream(TStream& stream) {
    const std::vector<Byte> data = SaveToBytes();
    stream.WriteBuffer(data.data(), static_cast<Int64>(data.size()));
}

// ---- Transparent colour ----

void TChunktRNS::SetTransparentColor(TPngColor color) {
    const TChunkIHDR& header = FOwner->Header();
    const Byte r = color & 0xFF, g = (color >> 8) & 0xFF, b = (color >> 16) & 0xFF;
    BitTransparency = true;
    OutOfRange = false;
    PaletteValues.fill(255);
    switch (header.ColorType) {
    case 0:
        if (header.BitDepth == 16) {
            Data = {r, r}; // the 8-bit grey widened to 16 bits
        } else if (header.BitDepth == 8) {
            Data = {0, r};
        } else {
            // Fewer bits: the sample is the grey ramp's entry of the colour (2-bit samples are held
            // as every fifth 4-bit entry); a colour the ramp lacks leaves nothing transparent.
            Data.clear();
            const auto& ramp = header.Image.Palette;
            const Integer step = header.BitDepth == 2 ? 5 : 1;
            for (std::size_t i = 0; i < ramp.size(); i += step)
                if (ramp[i] == TPngRGB{r, g, b}) {
                    Data = {0, static_cast<Byte>(i / step)};
                    break;
                }
        }
        break;
    case 2:
        Data = {0, r, 0, g, 0, b};
        break;
    case 3: {
        const auto& palette = header.Image.Palette;
        Data.clear();
        for (std::size_t i = 0; i < palette.size() && i < 256; ++i) {
            if (palette[i] == TPngRGB{r, g, b}) {
                PaletteValues[i] = 0;
                Data.assign(i + 1, 255);
                Data[i] = 0;
                break;
            }
        }
        break;
    }
    default:
        break;
    }
    std::copy(Data.begin(), Data.end(), PaletteValues.begin());
}

void TPNGObject::SetTransparentColor(TPngColor color) {
    Header();
    TChunktRNS* trns = Chunks.FindChunk<TChunktRNS>();
    if (!trns) {
        auto chunk = std::make_unique<TChunktRNS>(this);
        chunk->Name = "tRNS";
        trns = chunk.get();
        // Before the image data.
        Integer at = Chunks.Count();
        for (Integer i = 0; i < Chunks.Count(); ++i)
            if (dynamic_cast<TChunkIDAT*>(Chunks.Item(i))) {
                at = i;
                break;
            }
        Chunks.Insert(at, std::move(chunk));
    }
    trns->SetTransparentColor(color);
    // A palette colour that no entry has leaves nothing transparent: no tRNS is kept then.
    if (trns->Data.empty()) Chunks.Remove(trns);
    FTransparent = TransparencyMode() != ptmNone;
    Changed();
}

// ---- Building, copying, resizing ----

void TPNGObject::AssignBitmap(const TPngBitmap& bitmap, bool transparent, TPngColor transparentColor) {
    Chunks.Clear();
    const Integer bpp = bitmap.BitsPerPixel;
    if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 24 && bpp != 32) throw EPngInvalidIHDR();
    if (bitmap.Width < 1 || bitmap.Height < 1) throw EPngInvalidIHDR();
    auto header = std::make_unique<TChunkIHDR>(this);
    header->Name = "IHDR";
    header->Width = static_cast<Cardinal>(bitmap.Width);
    header->Height = static_cast<Cardinal>(std::abs(bitmap.Height));
    header->BitDepth = static_cast<Byte>(bpp < 16 ? bpp : 8);
    header->ColorType = bpp < 16 ? 3 : 2;
    InterlaceMode = 0;
    header->PrepareImageData();
    TPngBitmap& image = header->Image;
    for (Integer y = 0; y < bitmap.Height; ++y) {
        const Byte* src = bitmap.Row(y);
        Byte* dst = image.Row(y);
        if (bpp == 32) {
            for (Integer x = 0; x < bitmap.Width; ++x)
                std::memcpy(dst + 3 * x, src + 4 * x, 3);
        } else {
            std::memcpy(dst, src, static_cast<std::size_t>(std::min(image.BytesPerRow, bitmap.BytesPerRow)));
        }
    }
    const bool palette = bpp < 16;
    if (palette) {
        image.Palette.assign(std::size_t(1) << bpp, TPngRGB{});
        for (std::size_t i = 0; i < image.Palette.size() && i < bitmap.Palette.size(); ++i)
            image.Palette[i] = bitmap.Palette[i];
    }
    Chunks.Add(std::move(header));
    if (palette) {
        auto plte = std::make_unique<TChunkPLTE>(this);
        plte->Name = "PLTE";
        Chunks.Add(std::move(plte));
    }
    auto idat = std::make_unique<TChunkIDAT>(this);
    idat->Name = "IDAT";
    Chunks.Add(std::move(idat));
    auto iend = std::make_unique<TChunkIEND>(this);
    iend->Name = "IEND";
    Chunks.Add(std::move(iend));
    if (transparent) SetTransparentColor(transparentColor);
    FTransparent = TransparencyMode() != ptmNone;
    Changed();
}

void TPNGObject::Assign(const TPNGObject& source) {
    if (&source == this) return;
    InterlaceMode = source.InterlaceMode;
    IdatLimit = source.IdatLimit;
    DeflateLevel = source.DeflateLevel;
    FilterSet = source.FilterSet;
    GammaTable = source.GammaTable;
    InverseGamma = source.InverseGamma;
    Chunks.Clear();
    for (Integer i = 0; i < source.Chunks.Count(); ++i) {
        const TChunk* src = source.Chunks.Item(i);
        std::unique_ptr<TChunk> copy;
        if (dynamic_cast<const TChunkIHDR*>(src))
            copy = std::make_unique<TChunkIHDR>(this);
        else if (dynamic_cast<const TChunkPLTE*>(src))
            copy = std::make_unique<TChunkPLTE>(this);
        else if (dynamic_cast<const TChunktRNS*>(src))
            copy = std::make_unique<TChunktRNS>(this);
        else if (dynamic_cast<const TChunkIDAT*>(src))
            copy = std::make_unique<TChunkIDAT>(this);
        else if (dynamic_cast<const TChunkIEND*>(src))
            copy = std::make_unique<TChunkIEND>(this);
        else if (dynamic_cast<const TChunkgAMA*>(src))
            copy = std::make_unique<TChunkgAMA>(this);
        else if (dynamic_cast<const TChunkpHYs*>(src))
            copy = std::make_unique<TChunkpHYs>(this);
        else if (dynamic_cast<const TChunktIME*>(src))
            copy = std::make_unique<TChunktIME>(this);
        else if (dynamic_cast<const TChunkzTXt*>(src))
            copy = std::make_unique<TChunkzTXt>(this);
        else if (dynamic_cast<const TChunktEXt*>(src))
            copy = std::make_unique<TChunktEXt>(this);
        else
            copy = std::make_unique<TChunk>(this);
        copy->AssignChunk(*src);
        Chunks.Add(std::move(copy));
    }
    FTransparent = TransparencyMode() != ptmNone;
    Changed();
}

void TPNGObject::SetWidth(Integer value) {
    Resize(value, GetHeight());
}

void TPNGObject::SetHeight(Integer value) {
    Resize(GetWidth(), value);
}

void TPNGObject::Resize(Integer width, Integer height) {
    TChunkIHDR& header = Header();
    if (width < 1 || height < 1 || width > 65535 || height > 65535) throw EPNGInvalidNewSize();
    const TPngBitmap& old = header.Image;
    TPngBitmap image;
    image.Allocate(width, height, old.BitsPerPixel, !old.Alpha.empty(), !old.LowBytes.empty());
    image.Palette = old.Palette;
    const Integer rows = std::min(height, old.Height), columns = std::min(width, old.Width);
    const std::size_t rowBytes = static_cast<std::size_t>(std::min(image.BytesPerRow, old.BytesPerRow));
    for (Integer y = 0; y < rows; ++y)
        std::memcpy(image.Row(y), old.Row(y), rowBytes);
    if (!old.Alpha.empty()) {
        image.Alpha.assign(static_cast<std::size_t>(width) * height, 255);
        for (Integer y = 0; y < rows; ++y)
            std::memcpy(&image.Alpha[std::size_t(y) * width], &old.Alpha[std::size_t(y) * old.Width],
                        columns);
        if (!old.AlphaLow.empty()) {
            image.AlphaLow.assign(static_cast<std::size_t>(width) * height, 255);
            for (Integer y = 0; y < rows; ++y)
                std::memcpy(&image.AlphaLow[std::size_t(y) * width],
                            &old.AlphaLow[std::size_t(y) * old.Width], columns);
        }
    }
    if (!old.LowBytes.empty()) {
        for (Integer y = 0; y < rows; ++y)
            std::memcpy(image.LowBytes.data() + (image.Height - 1 - y) * image.BytesPerRow,
                        old.LowBytes.data() + (old.Height - 1 - y) * old.BytesPerRow, rowBytes);
    }
    header.Image = std::move(image);
    header.Width = static_cast<Cardinal>(width);
    header.Height = static_cast<Cardinal>(height);
}

// ---- Pixels ----

TPngColor TPNGObject::GetPixel(Integer x, Integer y) const {
    const TChunkIHDR& header = Header();
    const TPngBitmap& image = header.Image;
    if (x < 0 || y < 0 || x >= image.Width || y >= image.Height) return 0;
    switch (header.ColorType) {
    case 0:
    case 3: {
        const Integer v = image.PixelIndex(x, y);
        if (header.ColorType == 3) {
            const TPngRGB c = v < static_cast<Integer>(image.Palette.size()) ? image.Palette[v] : TPngRGB{};
            return PngRGB(InverseGamma[c.Red], InverseGamma[c.Green], InverseGamma[c.Blue]);
        }
        const Integer depth = std::min<Integer>(header.BitDepth, 8);
        Integer grey;
        if (depth == 1)
            grey = v ? 255 : 0;
        else if (depth == 2)
            grey = v * 17; // the 4-bit pixel holds 5 × the 2-bit sample
        else
            grey = (v * ((1 << depth) + 1)) & 0xFF;
        const Byte g = InverseGamma[grey];
        return PngRGB(g, g, g);
    }
    case 2:
    case 6: {
        const Byte* p = image.Row(y) + 3 * Int64(x);
        return PngRGB(p[2], p[1], p[0]);
    }
    case 4: {
        const Byte g = image.Row(y)[x];
        return PngRGB(g, g, g);
    }
    default:
        return 0;
    }
}

void TPNGObject::SetPixel(Integer x, Integer y, TPngColor color) {
    TChunkIHDR& header = Header();
    TPngBitmap& image = header.Image;
    if (x < 0 || y < 0 || x >= image.Width || y >= image.Height) return;
    const Byte r = color & 0xFF, g = (color >> 8) & 0xFF, b = (color >> 16) & 0xFF;
    switch (header.ColorType) {
    case 0:
    case 3: {
        Integer best = 0;
        Int64 bestDistance = -1;
        const Integer count =
            std::min<Integer>(static_cast<Integer>(image.Palette.size()), 1 << image.BitsPerPixel);
        for (Integer i = 0; i < count; ++i) {
            const TPngRGB c = image.Palette[i];
            const Int64 d = Int64(c.Red - r) * (c.Red - r) + Int64(c.Green - g) * (c.Green - g) +
                            Int64(c.Blue - b) * (c.Blue - b);
            if (bestDistance < 0 || d < bestDistance) bestDistance = d, best = i;
        }
        image.SetPixelIndex(x, y, best);
        break;
    }
    case 2:
    case 6: {
        Byte* p = image.Row(y) + 3 * Int64(x);
        p[0] = b;
        p[1] = g;
        p[2] = r;
        break;
    }
    case 4:
        image.Row(y)[x] = r;
        break;
    default:
        break;
    }
}

// ---- Drawing ----

TPngSurface::TPngSurface(Integer width, Integer height, TPngColor fill) : Width(width), Height(height) {
    Pixels.resize(static_cast<std::size_t>(std::max(width, 0)) * std::max(height, 0) * 4);
    for (std::size_t i = 0; i < Pixels.size(); i += 4) {
        Pixels[i] = (fill >> 16) & 0xFF;
        Pixels[i + 1] = (fill >> 8) & 0xFF;
        Pixels[i + 2] = fill & 0xFF;
        Pixels[i + 3] = 0;
    }
}

TPngColor TPngSurface::Pixel(Integer x, Integer y) const {
    if (x < 0 || y < 0 || x >= Width || y >= Height) return 0;
    const Byte* p = &Pixels[(static_cast<std::size_t>(y) * Width + x) * 4];
    return PngRGB(p[2], p[1], p[0]);
}

void TPngSurface::SetPixel(Integer x, Integer y, TPngColor color) {
    if (x < 0 || y < 0 || x >= Width || y >= Height) return;
    Byte* p = &Pixels[(static_cast<std::size_t>(y) * Width + x) * 4];
    p[0] = (color >> 16) & 0xFF;
    p[1] = (color >> 8) & 0xFF;
    p[2] = color & 0xFF;
}

void TPNGObject::DrawOnto(TPngSurface& surface, Integer left, Integer top, Integer right,
                          Integer bottom) const {
    if (GetEmpty()) return;
    const TChunkIHDR& header = Header();
    const TPngBitmap& image = header.Image;
    if (left > right) std::swap(left, right);
    if (top > bottom) std::swap(top, bottom);
    const Integer w = right - left, h = bottom - top;
    if (w == 0 || h == 0 || image.Width == 0 || image.Height == 0) return;
    const TPNGTransparencyMode mode = TransparencyMode();
    const TPngColor key = mode == ptmBit ? TransparentColor() : 0;
    const TChunktRNS* trns = Chunks.FindChunk<TChunktRNS>();
    // 16-bit samples are compared whole: two greys with one high byte are different pixels.
    const bool wideKey = mode == ptmBit && header.BitDepth == 16;
    // The colour of an image pixel as displayed (the bitmap's own colours, before blending).
    auto colorAt = [&](Integer sx, Integer sy) -> TPngColor {
        if (image.BitsPerPixel <= 8) {
            const Integer v = image.PixelIndex(sx, sy);
            const TPngRGB c = v < static_cast<Integer>(image.Palette.size()) ? image.Palette[v] : TPngRGB{};
            return PngRGB(c.Red, c.Green, c.Blue);
        }
        const Byte* p = image.Row(sy) + 3 * Int64(sx);
        return PngRGB(p[2], p[1], p[0]);
    };
    for (Integer dy = 0; dy < h; ++dy) {
        const Integer y = top + dy;
        if (y < 0 || y >= surface.Height) continue;
        const Integer sy = static_cast<Integer>(Int64(dy) * image.Height / h);
        for (Integer dx = 0; dx < w; ++dx) {
            const Integer x = left + dx;
            if (x < 0 || x >= surface.Width) continue;
            const Integer sx = static_cast<Integer>(Int64(dx) * image.Width / w);
            const TPngColor source = colorAt(sx, sy);
            if (mode == ptmNone) {
                surface.SetPixel(x, y, source);
                continue;
            }
            if (mode == ptmBit) {
                if (wideKey ? !trns->MatchesWideSample(sx, sy) : source != key) surface.SetPixel(x, y, source);
                continue;
            }
            Integer a;
            if (header.ColorType == 3)
                a = trns ? trns->PaletteValues[image.PixelIndex(sx, sy) & 0xFF] : 255;
            else
                a = image.Alpha.empty() ? 255 : image.Alpha[static_cast<std::size_t>(sy) * image.Width + sx];
            if (a == 0) continue;
            if (a == 255) {
                surface.SetPixel(x, y, source);
                continue;
            }
            const TPngColor dest = surface.Pixel(x, y);
            auto blend = [&](Integer s, Integer d) {
                return static_cast<Byte>((s * a + (255 - a) * d + 255) >> 8);
            };
            surface.SetPixel(x, y,
                             PngRGB(blend(source & 0xFF, dest & 0xFF),
                                    blend((source >> 8) & 0xFF, (dest >> 8) & 0xFF),
                                    blend((source >> 16) & 0xFF, (dest >> 16) & 0xFF)));
        }
    }
}
