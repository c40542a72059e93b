// Variable-width LZW coding of GIF image data: least-significant-bit-first packing, clear and end
// codes, code widths up to 12 bits, data in sub-blocks of at most 255 bytes. The pixels are the rows
// of a bottom-up device-independent bitmap of 1, 4 or 8 bits per pixel (rows padded to 4 bytes; 1-bit
// pixels from bit 7 down, 4-bit pixels high nibble first).
#pragma once

#include "rtl/Types.h"

#include <cstddef>
#include <functional>
#include <vector>

// Size of the pixel rows the coder reads or writes.
struct TLzwImageHeader {
    Integer Width = 0;
    Integer Height = 0;
    Integer BitCount = 8; // 1, 4 or 8
};

// Progress stages reported to the caller: starting, running, ending.
enum TLzwStage { lzwStarting = 0, lzwRunning = 1, lzwEnding = 2 };
using TLzwProgress = std::function<void(TLzwStage stage, Integer percent, const String& message)>;

// Bytes per bitmap row: ((width × bits + 31) div 32) × 4, computed in 64 bits.
Int64 LzwStride(Int64 width, Int64 bitCount);

// Next row of the interlaced order 0, 8, 16 …, 4, 12 …, 2, 6 …, 1, 3, 5 …; a result at or past
// the height ends the picture. `pass` runs 0..3.
Integer NextInterlacedRow(Integer row, Integer height, Integer& pass);

// Decodes `size` bytes of encoded data (minimum code size byte, sub-blocks, terminator) into
// `pixels` (the bottom-up rows described by `header`, zero-filled by the caller). `colorBits` is the
// frame's bits per pixel (1..8): stored pixels are masked to it. Damaged data never raises: a bad
// code size, a corrupt code sequence or data that ends while rows remain sets `damaged`, and the
// rows decoded so far stay in the buffer.
void DecodeLzwImage(const Byte* data, std::size_t size, const TLzwImageHeader& header, bool interlaced,
                    const TLzwProgress& progress, bool& damaged, Byte* pixels, Integer colorBits);

// Encodes the bottom-up rows of `pixels` and appends the encoded data (minimum code size byte,
// sub-blocks, terminator) to `out`.
void EncodeLzwImage(std::vector<Byte>& out, const TLzwImageHeader& header, bool interlaced,
                    const TLzwProgress& progress, const Byte* pixels);
