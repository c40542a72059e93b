#!/usr/bin/env python3
"""Draws the bitmaps and cursors of the numeric edits into controls/kxResData.cpp.

    CEDITBMP    28 x 12: the calculator glyph of the numeric edits' button, two cells of 14 x 12
                (normal and disabled)
    CALCBTNS    84 x 13: six cells of 14 x 13 for the full calculator keypad: 0 Cancel, 1 OK,
                2 change sign, 3 "*", 4 "-", 5 "+"
    KX_HANDCUR  32 x 32: the hand cursor (hot spot at the finger tip, 5, 0)
    KX_DRAGCUR  32 x 32: the drag cursor (hot spot 0, 0)

The bitmaps are 8-bit BMP files; the bottom-left pixel of every cell is the transparent colour
(magenta for the glyphs, as the report library's strips). Cursors are BMP files too: black and
white on magenta, which the cursor table takes as transparent. Run

    tools/controls_images.py [--save FOLDER]

to rewrite controls/kxResData.cpp (--save also writes the BMP files, to look at them).
"""

import argparse
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from report_images import write_bitmap_table  # noqa: E402  (one BMP and file writer)

M = (255, 0, 255)
COLOURS = {
    ".": M,
    "k": (0, 0, 0),
    "w": (255, 255, 255),
    "g": (128, 128, 128),
    "s": (192, 192, 192),
    "r": (192, 0, 0),
    "G": (0, 128, 0),
    "b": (0, 0, 128),
}

# A pocket calculator: frame, display, keys.
CALC = [
    "..............",
    "..kkkkkkkkkk..",
    "..kssssssssk..",
    "..kswwwwwwsk..",
    "..kssssssssk..",
    "..kskskskssk..",
    "..kssssssssk..",
    "..kskskskssk..",
    "..kssssssssk..",
    "..kskskskssk..",
    "..kkkkkkkkkk..",
    "..............",
]

CELLS = {
    "cancel": [
        "..............",
        "..............",
        "...rr.....rr..",
        "....rr...rr...",
        ".....rr.rr....",
        "......rrr.....",
        "......rrr.....",
        ".....rr.rr....",
        "....rr...rr...",
        "...rr.....rr..",
        "..............",
        "..............",
        "..............",
    ],
    "ok": [
        "..............",
        "..............",
        "...........G..",
        "..........GG..",
        ".........GG...",
        "..G.....GG....",
        "..GG...GG.....",
        "...GG.GG......",
        "....GGG.......",
        ".....G........",
        "..............",
        "..............",
        "..............",
    ],
    "sign": [
        "..............",
        "......b.......",
        "......b.......",
        "....bbbbb.....",
        "......b.......",
        "......b.......",
        "..............",
        "....bbbbb.....",
        "..............",
        "..............",
        "..............",
        "..............",
        "..............",
    ],
    "times": [
        "..............",
        "..............",
        "..............",
        "...b.....b....",
        "....b...b.....",
        ".....b.b......",
        "......b.......",
        ".....b.b......",
        "....b...b.....",
        "...b.....b....",
        "..............",
        "..............",
        "..............",
    ],
    "minus": [
        "..............",
        "..............",
        "..............",
        "..............",
        "..............",
        "..............",
        "...bbbbbbb....",
        "..............",
        "..............",
        "..............",
        "..............",
        "..............",
        "..............",
    ],
    "plus": [
        "..............",
        "..............",
        "..............",
        "......b.......",
        "......b.......",
        "......b.......",
        "...bbbbbbb....",
        "......b.......",
        "......b.......",
        "......b.......",
        "..............",
        "..............",
        "..............",
    ],
}

HAND = [
    ".....kk.........",
    "....kwwk........",
    "....kwwk........",
    "....kwwk........",
    "....kwwkkk......",
    "....kwwkwwkk....",
    "....kwwkwwkwkk..",
    ".kk.kwwkwwkwkwk.",
    "kwwkkwwwwwwwkwk.",
    "kwwwkwwwwwwwwwk.",
    ".kwwwwwwwwwwwwk.",
    "..kwwwwwwwwwwwk.",
    "..kwwwwwwwwwwk..",
    "...kwwwwwwwwwk..",
    "....kwwwwwwwk...",
    "....kkkkkkkkk...",
]

DRAG = [
    "k...............",
    "kk..............",
    "kwk.............",
    "kwwk............",
    "kwwwk...........",
    "kwwwwk..........",
    "kwwwwwk.........",
    "kwwwwwwk........",
    "kwwwkkkkk.......",
    "kwwk............",
    "kwk..kkkkkkk....",
    "kk...kwwwwwk....",
    "k....kwwwwwk....",
    ".....kwwwwwk....",
    ".....kwwwwwk....",
    ".....kkkkkkk....",
]


def paint(rows):
    return [[COLOURS[c] for c in row] for row in rows]


def disabled(rows):
    """The disabled look of a cell: its dark pixels grey with a white edge to their lower right."""
    h, w = len(rows), len(rows[0])
    out = [[M] * w for _ in range(h)]
    for y in range(h):
        for x in range(w):
            if rows[y][x] in "kr":
                if y + 1 < h and x + 1 < w and rows[y + 1][x + 1] not in "kr":
                    out[y + 1][x + 1] = COLOURS["w"]
    for y in range(h):
        for x in range(w):
            if rows[y][x] in "kr":
                out[y][x] = COLOURS["g"]
    return out


def join(cells):
    return [sum((cell[y] for cell in cells), []) for y in range(len(cells[0]))]


def cursor(rows):
    grid = [[M] * 32 for _ in range(32)]
    for y, row in enumerate(rows):
        for x, c in enumerate(row):
            grid[y][x] = COLOURS[c]
    return grid


def images():
    cedit = join([paint(CALC), disabled(CALC)])
    calc = join([paint(CELLS[n]) for n in ("cancel", "ok", "sign", "times", "minus", "plus")])
    return [
        ("CEDITBMP", cedit),
        ("CALCBTNS", calc),
        ("KX_HANDCUR", cursor(HAND)),
        ("KX_DRAGCUR", cursor(DRAG)),
    ]


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--save", help="folder to write the BMP files into")
    parser.add_argument("--output", default=os.path.join(here, "..", "controls", "kxResData.cpp"))
    args = parser.parse_args()
    write_bitmap_table(images(), args.save, args.output, [
        "// Generated by tools/controls_images.py: the bitmaps and cursors of the numeric edits, the",
        "// calculator and the speed buttons (BMP files). Do not edit; run the tool to replace them.",
    ], "controls/kxVclutils.h", "TKxResource KxResources", "KxResourceCount",
        lambda name: "Res" + "".join(p.capitalize() for p in name.split("_")))
    return 0


if __name__ == "__main__":
    sys.exit(main())
