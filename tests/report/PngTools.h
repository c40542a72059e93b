// Independent PNG readers and writers for the PNG tests: a small PNG encoder and decoder written in
// python over zlib (every colour type and depth, all five filters, Adam7), and Pillow.
#pragma once

#include "CodecTestTools.h"

#include <sstream>

namespace pngtest {

// Python helpers shared by the scripts: chunk(), encode(), decode() and dump().
inline const char* PngPython = R"PY(
import sys, struct, zlib, random
CH = {0: 1, 2: 3, 3: 1, 4: 2, 6: 4}
ADAM7 = [(0, 0, 8, 8), (4, 0, 8, 8), (0, 4, 4, 8), (2, 0, 4, 4), (0, 2, 2, 4), (1, 0, 2, 2), (0, 1, 1, 2)]

def chunk(t, data):
    return struct.pack('>I', len(data)) + t + data + struct.pack('>I', zlib.crc32(t + data) & 0xffffffff)

def passes(w, h, interlace):
    if not interlace:
        return [(0, 0, 1, 1, w, h)]
    out = []
    for xs, ys, dx, dy in ADAM7:
        pw = (w - xs + dx - 1) // dx if w > xs else 0
        ph = (h - ys + dy - 1) // dy if h > ys else 0
        if pw and ph:
            out.append((xs, ys, dx, dy, pw, ph))
    return out

def pack(samples, depth):
    if depth == 8:
        return bytes(samples)
    if depth == 16:
        return b''.join(struct.pack('>H', s) for s in samples)
    out, acc, n = bytearray(), 0, 0
    for s in samples:
        acc, n = (acc << depth) | s, n + depth
        if n == 8:
            out.append(acc)
            acc, n = 0, 0
    if n:
        out.append(acc << (8 - n))
    return bytes(out)

def unpack(data, depth, count):
    if depth == 8:
        return list(data[:count])
    if depth == 16:
        return [struct.unpack('>H', data[2 * i:2 * i + 2])[0] for i in range(count)]
    out = []
    for i in range(count):
        bit = i * depth
        out.append((data[bit >> 3] >> (8 - depth - (bit & 7))) & ((1 << depth) - 1))
    return out

def paeth(a, b, c):
    p = a + b - c
    pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
    return a if pa <= pb and pa <= pc else (b if pb <= pc else c)

def predictor(f, cur, prev, i, bpp):
    a = cur[i - bpp] if i >= bpp else 0
    b = prev[i]
    c = prev[i - bpp] if i >= bpp else 0
    return [0, a, b, (a + b) // 2, paeth(a, b, c)][f]

def encode(path, w, h, ct, depth, pix, interlace=0, before=b'', after=b'', palette=None):
    ch = CH[ct]
    bpp = max(1, depth * ch // 8)
    raw = bytearray()
    for xs, ys, dx, dy, pw, ph in passes(w, h, interlace):
        prev = bytes(len(pack([0] * (pw * ch), depth)))
        for r in range(ph):
            y = ys + r * dy
            data = pack([c for i in range(pw) for c in pix[y][xs + i * dx]], depth)
            f = (y + xs) % 5
            out = bytearray(len(data))
            for i in range(len(data)):
                out[i] = (data[i] - predictor(f, data, prev, i, bpp)) & 0xff
            raw.append(f)
            raw += out
            prev = data
    ihdr = struct.pack('>IIBBBBB', w, h, depth, ct, 0, 0, interlace)
    body = chunk(b'IHDR', ihdr) + before
    if palette:
        body += chunk(b'PLTE', bytes(palette))
    comp = zlib.compress(bytes(raw), 9)
    half = len(comp) // 2
    body += chunk(b'IDAT', comp[:half]) + chunk(b'IDAT', comp[half:]) + after + chunk(b'IEND', b'')
    open(path, 'wb').write(b'\x89PNG\r\n\x1a\n' + body)

def decode(path):
    data = open(path, 'rb').read()
    pos, idat, chunks = 8, b'', []
    while pos < len(data):
        n, t = struct.unpack('>I4s', data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + n]
        pos += 12 + n
        chunks.append((t, body))
        if t == b'IHDR':
            w, h, depth, ct, _, _, il = struct.unpack('>IIBBBBB', body)
        elif t == b'IDAT':
            idat += body
        elif t == b'IEND':
            break
    raw = zlib.decompress(idat)
    ch = CH[ct]
    bpp = max(1, depth * ch // 8)
    pix = [[None] * w for _ in range(h)]
    p = 0
    for xs, ys, dx, dy, pw, ph in passes(w, h, il):
        rb = (pw * depth * ch + 7) // 8
        prev = bytearray(rb)
        for r in range(ph):
            f = raw[p]
            cur = bytearray(raw[p + 1:p + 1 + rb])
            p += 1 + rb
            for i in range(rb):
                cur[i] = (cur[i] + predictor(f, cur, prev, i, bpp)) & 0xff
            prev = cur
            s = unpack(cur, depth, pw * ch)
            for i in range(pw):
                pix[ys + r * dy][xs + i * dx] = tuple(s[i * ch:(i + 1) * ch])
    return w, h, ct, depth, il, pix, chunks

def dump(w, h, ct, depth, il, pix):
    return '%d %d %d %d %d %s' % (w, h, ct, depth, il, ''.join('%04x' % c for row in pix for px in row for c in px))
)PY";

// A python script made of the helpers and a body.
inline std::string Script(const std::string& body) {
    return std::string(PngPython) + "\nd = sys.argv[1]\n" + body;
}

// The image of a dump line: size, colour type, depth, interlace and the samples as 4 hex digits each.
struct SampleDump {
    int Width = 0, Height = 0, ColorType = 0, Depth = 0, Interlace = 0;
    std::string Samples;
    bool operator==(const SampleDump&) const = default;
};

inline SampleDump ParseDump(const std::string& line) {
    SampleDump d;
    std::istringstream in(line);
    in >> d.Width >> d.Height >> d.ColorType >> d.Depth >> d.Interlace >> d.Samples;
    return d;
}

inline std::ostream& operator<<(std::ostream& os, const SampleDump& d) {
    return os << d.Width << "x" << d.Height << " type " << d.ColorType << " depth " << d.Depth
              << " interlace " << d.Interlace << " samples " << d.Samples.substr(0, 64)
              << (d.Samples.size() > 64 ? "..." : "");
}

} // namespace pngtest
