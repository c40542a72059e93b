// A metafile written as an enhanced metafile: the picture drawn into a device-independent bitmap
// and wrapped in the three records a reader needs.
#include "gui/Bitmap.h"
#include "gui/Metafile.h"
#include "rtl/Streams.h"

#include <algorithm>

namespace {

void PutU32(std::string& out, Cardinal value) {
    for (int i = 0; i < 4; ++i) out += static_cast<char>((value >> (8 * i)) & 0xFF);
}
void PutI32(std::string& out, int value) {
    PutU32(out, static_cast<Cardinal>(value));
}
void PutU16(std::string& out, unsigned value) {
    out += static_cast<char>(value & 0xFF);
    out += static_cast<char>((value >> 8) & 0xFF);
}
Cardinal ReadU32(const std::string& s, size_t at) {
    Cardinal v = 0;
    for (int i = 3; i >= 0; --i) v = (v << 8) | static_cast<unsigned char>(s[at + static_cast<size_t>(i)]);
    return v;
}

} // namespace

std::string EnhancedMetafileBytes(TMetafile& metafile) {
    const int w = std::max(1, metafile.Width()), h = std::max(1, metafile.Height());
    TBitmap bitmap(w, h, pf24bit);
    bitmap.Canvas()->Brush()->SetColor(clWhite);
    bitmap.Canvas()->FillRect(TRect(0, 0, w, h));
    if (!metafile.Empty()) metafile.Draw(*bitmap.Canvas(), TRect(0, 0, w, h));
    TStringStream bmp;
    bitmap.SaveToStream(bmp);
    const std::string& file = bmp.DataString();
    // The BMP file: a 14-byte file header whose bytes 10 to 13 give where the pixels begin.
    const size_t bitsAt = ReadU32(file, 10);
    const std::string info = file.substr(14, bitsAt - 14);
    const std::string bits = file.substr(bitsAt);

    const Cardinal stretchSize = 80 + static_cast<Cardinal>(info.size() + bits.size());
    const Cardinal headerSize = 108, eofSize = 20;
    const Cardinal total = headerSize + stretchSize + eofSize;
    std::string out;
    // EMR_HEADER
    PutU32(out, 1);
    PutU32(out, headerSize);
    for (int v : {0, 0, w - 1, h - 1}) PutI32(out, v); // bounds, device pixels
    for (int v : {0, 0, (w * 2540 + 48) / 96 - 1, (h * 2540 + 48) / 96 - 1}) PutI32(out, v); // frame, 0.01 mm
    PutU32(out, 0x464D4520); // " EMF"
    PutU32(out, 0x10000);
    PutU32(out, total);
    PutU32(out, 3); // records
    PutU16(out, 1); // handles
    PutU16(out, 0);
    PutU32(out, 0); // description
    PutU32(out, 0);
    PutU32(out, 0); // palette entries
    for (int v : {1024, 768, 271, 203}) PutI32(out, v); // reference device: pixels, millimetres (96 dpi)
    PutU32(out, 0); // pixel format
    PutU32(out, 0);
    PutU32(out, 0); // OpenGL
    PutI32(out, 270933);
    PutI32(out, 203200);
    // EMR_STRETCHDIBITS
    PutU32(out, 81);
    PutU32(out, stretchSize);
    for (int v : {0, 0, w - 1, h - 1}) PutI32(out, v);
    for (int v : {0, 0, 0, 0, w, h}) PutI32(out, v); // destination x, y; source x, y, cx, cy
    PutU32(out, 80);
    PutU32(out, static_cast<Cardinal>(info.size()));
    PutU32(out, 80 + static_cast<Cardinal>(info.size()));
    PutU32(out, static_cast<Cardinal>(bits.size()));
    PutU32(out, 0);          // DIB_RGB_COLORS
    PutU32(out, 0x00CC0020); // SRCCOPY
    PutI32(out, w);
    PutI32(out, h);
    out += info;
    out += bits;
    // EMR_EOF
    PutU32(out, 14);
    PutU32(out, eofSize);
    PutU32(out, 0);
    PutU32(out, 16);
    PutU32(out, eofSize);
    return out;
}
