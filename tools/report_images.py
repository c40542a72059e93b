#!/usr/bin/env python3
"""Packs the report library's button image strips into report/vrResImagesData.cpp.

The report library keeps four image strips as packed resources: "DesgnButtons" (16 x 16 cells in
pairs: the button and its disabled form), "PreviewButtons" and "ObjectButtons" (16 x 16 cells) and
"WizardButtons" (32 x 32 cells). Each is a BMP file stored as a gzip member whose modification-time
field holds the Adler-32 checksum of the BMP, the form ReadGZipStream unpacks.

Without arguments the strips are drawn here as placeholders: every cell a simple glyph (one of
eight shapes in one of thirteen colours, so neighbouring indexes differ) on a magenta background,
which the image lists take as the transparent colour (it is the bottom-left pixel of every cell).
The placeholder counts cover the indexes the preview, designer and wizards use:

    DesgnButtons    100 pairs (indexes 0 to 99), 10 pairs to a row
    PreviewButtons   25 cells (indexes 0 to 24)
    ObjectButtons    24 cells
    WizardButtons     4 cells of 32 x 32

Beside the strips the table holds plain BMP files (not packed), drawn here:

    VRTRUETYPE_FNT  15 x 12: the picture of a TrueType (scalable) font in the font combo box
    VRDEVICE_FNT    15 x 12: the picture of a printer's own font
    vrHAND          32 x 32: the hand cursor 150 (hot spot 8, 8)
    vrZOOM          32 x 32: the zoom cursor 151 (hot spot 6, 6)
    vrFORMAT        32 x 32: the format-copy cursor 152 (hot spot 5, 14)

Their bottom-left pixel, magenta, is the transparent colour.

To use real glyphs, put DesgnButtons.bmp, PreviewButtons.bmp, ObjectButtons.bmp and
WizardButtons.bmp (cells left to right, row by row, the transparent colour in each cell's
bottom-left pixel) in a folder and run

    tools/report_images.py --strips FOLDER

Missing files in the folder are drawn as placeholders. --save-strips FOLDER writes the strips
used as BMP files (to look at the placeholders or to start from them).
"""

import argparse
import os
import struct
import sys
import zlib

BACKGROUND = (255, 0, 255)
GREY = (128, 128, 128)
WHITE = (255, 255, 255)
COLOURS = [
    (0, 0, 192), (0, 128, 0), (192, 0, 0), (0, 128, 128), (128, 0, 128), (160, 96, 0), (0, 0, 0),
    (0, 96, 192), (192, 96, 0), (64, 128, 0), (128, 0, 0), (0, 64, 128), (96, 96, 96),
]
SHAPES = 8

# name: (cell size, cells, cells to a row, pairs)
STRIPS = {
    "DesgnButtons": (16, 100, 10, True),
    "PreviewButtons": (16, 25, 25, False),
    "ObjectButtons": (16, 24, 24, False),
    "WizardButtons": (32, 4, 4, False),
}


def shape_covers(shape, x, y, size):
    """True when the pixel (x, y) of a size x size cell belongs to the shape."""
    m = max(2, size // 8)  # margin: the bottom-left pixel stays background
    lo, hi = m, size - 1 - m
    c = (lo + hi) / 2.0
    r = (hi - lo) / 2.0
    if not (lo <= x <= hi and lo <= y <= hi):
        return False
    if shape == 0:  # filled square
        return True
    if shape == 1:  # disc
        return (x - c) ** 2 + (y - c) ** 2 <= (r + 0.3) ** 2
    if shape == 2:  # triangle pointing up
        return abs(x - c) <= (y - lo) / 2.0 + 0.5
    if shape == 3:  # triangle pointing down
        return abs(x - c) <= (hi - y) / 2.0 + 0.5
    if shape == 4:  # diamond
        return abs(x - c) + abs(y - c) <= r + 0.5
    if shape == 5:  # plus
        w = max(1, size // 8)
        return abs(x - c) <= w or abs(y - c) <= w
    if shape == 6:  # three bars
        return ((y - lo) * 5 // (hi - lo + 1)) % 2 == 0
    return x in (lo, hi) or y in (lo, hi) or x in (lo + 1, hi - 1) or y in (lo + 1, hi - 1)  # frame


def draw_cell(pixels, left, top, size, index, disabled):
    shape = index % SHAPES
    colour = COLOURS[(index // SHAPES + index) % len(COLOURS)]
    for y in range(size):
        for x in range(size):
            if not shape_covers(shape, x, y, size):
                continue
            if disabled:
                # The disabled look: the shape in grey with a white edge at its lower right.
                pixels[top + y][left + x] = GREY
                if (x + 1 < size and y + 1 < size and not shape_covers(shape, x + 1, y + 1, size)
                        and pixels[top + y + 1][left + x + 1] == BACKGROUND):
                    pixels[top + y + 1][left + x + 1] = WHITE
            else:
                pixels[top + y][left + x] = colour


def placeholder_strip(size, cells, per_row, pairs):
    columns = per_row * (2 if pairs else 1)
    rows = (cells + per_row - 1) // per_row
    width, height = columns * size, rows * size
    pixels = [[BACKGROUND] * width for _ in range(height)]
    for index in range(cells):
        row, col = divmod(index, per_row)
        if pairs:
            draw_cell(pixels, 2 * col * size, row * size, size, index, False)
            draw_cell(pixels, (2 * col + 1) * size, row * size, size, index, True)
        else:
            draw_cell(pixels, col * size, row * size, size, index, False)
    return width, height, pixels


def bmp_8bit(width, height, pixels):
    """An 8-bit palette BMP (BITMAPINFOHEADER, bottom-up rows)."""
    palette = []
    for row in pixels:
        for p in row:
            if p not in palette:
                palette.append(p)
    if len(palette) > 256:
        raise SystemExit("placeholder strip has more than 256 colours")
    index = {p: i for i, p in enumerate(palette)}
    stride = (width + 3) // 4 * 4
    bits = bytearray()
    for row in reversed(pixels):
        line = bytes(index[p] for p in row)
        bits += line + b"\0" * (stride - width)
    table = b"".join(struct.pack("<BBBB", b, g, r, 0) for (r, g, b) in palette)
    offset = 14 + 40 + len(table)
    header = struct.pack("<2sIHHI", b"BM", offset + len(bits), 0, 0, offset)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 8, 0, len(bits), 2835, 2835, len(palette),
                       len(palette))
    return header + info + table + bytes(bits)


def gzip_member(data, name):
    """A gzip member with FNAME set and the Adler-32 of data (big-endian) as modification time."""
    compressor = zlib.compressobj(9, zlib.DEFLATED, -15)
    deflated = compressor.compress(data) + compressor.flush()
    head = bytes([0x1F, 0x8B, 0x08, 0x08]) + struct.pack(">I", zlib.adler32(data)) + bytes([0x02, 0x03])
    tail = struct.pack("<II", zlib.crc32(data) & 0xFFFFFFFF, len(data) & 0xFFFFFFFF)
    return head + name.encode("ascii") + b"\0" + deflated + tail


def c_array(name, data):
    lines = ["const Byte %s[] = {" % name]
    for i in range(0, len(data), 16):
        lines.append("    " + ", ".join("0x%02X" % b for b in data[i:i + 16]) + ",")
    lines.append("};")
    return "\n".join(lines)


def write_resource_table(path, comment, include, table, count, arrays, entries):
    """Writes a C++ file of byte arrays and the table naming them: `table` is the element type
    and array name, `count` the name of the entry count."""
    text = "\n".join(comment + [
        "// clang-format off",
        '#include "%s"' % include,
        "",
        "namespace {",
        "",
        "\n\n".join(arrays),
        "",
        "} // namespace",
        "",
        "const %s[] = {" % table,
        "\n".join(entries),
        "};",
        "const int %s = %d;" % (count, len(entries)),
        "",
    ])
    with open(path, "w", newline="\n") as f:
        f.write(text)


def write_bitmap_table(images, save, output, comment, include, table, count, ident):
    """Writes the (name, pixels) images as 8-bit BMP files into a resource table (and, with save,
    also as files into that folder); ident(name) gives each array's C++ name."""
    arrays, entries = [], []
    for name, pixels in images:
        bmp = bmp_8bit(len(pixels[0]), len(pixels), pixels)
        if save:
            os.makedirs(save, exist_ok=True)
            with open(os.path.join(save, name + ".bmp"), "wb") as f:
                f.write(bmp)
        arrays.append(c_array(ident(name), bmp))
        entries.append('    {"%s", %s, sizeof(%s)},' % (name, ident(name), ident(name)))
    write_resource_table(output, comment, include, table, count, arrays, entries)


PIXELS = {
    ".": BACKGROUND,
    "k": (0, 0, 0),
    "w": WHITE,
    "g": GREY,
    "s": (192, 192, 192),
    "G": (0, 160, 0),
}

TRUETYPE = [
    "...............",
    "ggggggg........",
    "g.ggg.g........",
    "..ggg..........",
    "..gkkkkkkk.....",
    "..gk.kkk.k.....",
    "..g..kkk.......",
    "..g..kkk.......",
    ".....kkk.......",
    ".....kkk.......",
    "....kkkkk......",
    "...............",
]

DEVICE = [
    "...............",
    "....kkkkkk.....",
    "....kwwwwk.....",
    "....kwwwwk.....",
    "..kkkkkkkkkk...",
    ".kssssssssssk..",
    ".ksssssssGssk..",
    ".kssssssssssk..",
    ".kkkkkkkkkkkk..",
    "..kwwwwwwwwk...",
    "..kkkkkkkkkk...",
    "...............",
]

HAND = [
    ".......kk.......",
    "...kk.kwwkkk....",
    "..kwwkkwwkwwk...",
    "..kwwkkwwkwwk.k.",
    "...kwwkwwkwwkkwk",
    "...kwwkwwkwwkwwk",
    ".kk.kwwwwwwwkwwk",
    "kwwkkwwwwwwwwwwk",
    "kwwwkwwwwwwwwwk.",
    ".kwwwwwwwwwwwwk.",
    "..kwwwwwwwwwwwk.",
    "..kwwwwwwwwwwk..",
    "...kwwwwwwwwwk..",
    "....kwwwwwwwk...",
    ".....kwwwwwwk...",
    ".....kwwwwwwk...",
    ".....kkkkkkkk...",
]

ZOOM = [
    "....kkkk........",
    "..kkwwwwkk......",
    ".kww....wwk.....",
    ".kw......wk.....",
    "kw...kk...wk....",
    "kw...kk...wk....",
    "kw.kkkkkk.wk....",
    "kw.kkkkkk.wk....",
    "kw...kk...wk....",
    "kw...kk...wk....",
    ".kw......wk.....",
    ".kww....wwkk....",
    "..kkwwwwkkkkk...",
    "....kkkk..kkkk..",
    "...........kkkk.",
    "............kkk.",
]

FORMAT = [
    "kkkkkkkkkk......",
    "kwwwwwwwwkkk....",
    "kwwwwwwwwkwk....",
    "kkkkkkkkkkwk....",
    ".........kwk....",
    "....kkkkkkwk....",
    "....kwk.........",
    "....kwk.........",
    "...kkkkk........",
    "...kwwwk........",
    "...kwwwk........",
    "...kwwwk........",
    "...kwwwk........",
    "....kwk.........",
    ".....k..........",
]


def picture(rows, width=None, height=None):
    """The rows of characters as pixels on the background, in a width x height picture."""
    width = width or len(rows[0])
    height = height or len(rows)
    pixels = [[BACKGROUND] * width for _ in range(height)]
    for y, row in enumerate(rows):
        for x, c in enumerate(row):
            pixels[y][x] = PIXELS[c]
    return pixels


# name: pixels (plain BMP files in the table)
BITMAPS = [
    ("VRTRUETYPE_FNT", picture(TRUETYPE)),
    ("VRDEVICE_FNT", picture(DEVICE)),
    ("vrHAND", picture(HAND, 32, 32)),
    ("vrZOOM", picture(ZOOM, 32, 32)),
    ("vrFORMAT", picture(FORMAT, 32, 32)),
]


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--strips", help="folder with the BMP strips to pack")
    parser.add_argument("--save-strips", help="folder to write the strips used into")
    parser.add_argument("--output", default=os.path.join(here, "..", "report", "vrResImagesData.cpp"))
    args = parser.parse_args()

    arrays, entries = [], []
    for name, (size, cells, per_row, pairs) in STRIPS.items():
        source = os.path.join(args.strips, name + ".bmp") if args.strips else None
        if source and os.path.exists(source):
            with open(source, "rb") as f:
                bmp = f.read()
        else:
            bmp = bmp_8bit(*placeholder_strip(size, cells, per_row, pairs))
        if args.save_strips:
            os.makedirs(args.save_strips, exist_ok=True)
            with open(os.path.join(args.save_strips, name + ".bmp"), "wb") as f:
                f.write(bmp)
        arrays.append(c_array(name, gzip_member(bmp, name + ".bmp")))
        entries.append('    {"%s", %s, sizeof(%s)},' % (name, name, name))
    for name, pixels in BITMAPS:
        bmp = bmp_8bit(len(pixels[0]), len(pixels), pixels)
        if args.save_strips:
            with open(os.path.join(args.save_strips, name + ".bmp"), "wb") as f:
                f.write(bmp)
        ident = "Res" + name
        arrays.append(c_array(ident, bmp))
        entries.append('    {"%s", %s, sizeof(%s)},' % (name, ident, ident))

    write_resource_table(args.output, [
        "// Generated by tools/report_images.py: the packed image strips of the report library (BMP",
        "// files in gzip members), its font pictures and its cursors (BMP files). Do not edit; run the",
        "// tool to replace the images.",
    ], "report/vrRes.h", "TvrBuiltInResource vrBuiltInResources", "vrBuiltInResourceCount", arrays, entries)
    return 0


if __name__ == "__main__":
    sys.exit(main())
