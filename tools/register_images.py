#!/usr/bin/env python3
"""Packs the built-in pictures of the register windows into app/registers/RegisterImagesData.cpp.

The windows show the pictures of the desktop's icon theme by the names of app/core/IconNames.h;
these built-in ones stand only where no theme has a name (or no theme is installed).

Two strips, each a BMP file (cells left to right, magenta background, which the image lists take
as transparent from each cell's bottom-left pixel) stored as a gzip member:

  ToolImages.bmp  20 x 20, the toolbar buttons in the order of TToolImage (app/core/
                  IconNames.h): 新增 修改 删除 首项 前项 后项 末项 查询 打印 设置 导出 退出
                  保存 取消 销售 入住 置空 复制
  TreeImages.bmp  16 x 16, the estate tree: estate, building collapsed, building expanded,
                  building without children

Without arguments the pictures are drawn here from simple shapes. To use drawn pictures, put the
two strips in a folder:  tools/register_images.py --strips FOLDER
--save-strips FOLDER writes the strips used as BMP files.
"""

import argparse
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import report_images  # noqa: E402  (the BMP, gzip and C array writers)

BG = report_images.BACKGROUND
BLUE, GREEN, RED, DARK = (30, 80, 170), (30, 140, 60), (190, 40, 30), (60, 60, 60)
ORANGE, TEAL, BROWN, YELLOW = (220, 120, 20), (0, 130, 140), (140, 90, 40), (230, 190, 40)
WHITE = (255, 255, 255)


def plus(x, y, n):
    c = n // 2
    return (abs(x - c) <= 1 and 3 <= y <= n - 4) or (abs(y - c) <= 1 and 3 <= x <= n - 4)


def pencil(x, y, n):
    return 3 <= x <= n - 4 and 3 <= y <= n - 4 and abs((x + y) - (n - 1)) <= 1


def cross(x, y, n):
    return 3 <= x <= n - 4 and 3 <= y <= n - 4 and (abs(x - y) <= 1 or abs(x + y - (n - 1)) <= 1)


def arrow(direction, bar):
    """A triangle pointing left (-1) or right (+1), with a bar at its tip when bar is set."""
    def covers(x, y, n):
        c = (n - 1) / 2.0
        if direction > 0:
            depth = x - 5
        else:
            depth = (n - 1 - 5) - x
        tri = 0 <= depth <= 8 and abs(y - c) <= (8 - depth) * 0.75
        if not bar:
            return tri
        bx = 15 if direction > 0 else 4
        return tri or (x == bx and 4 <= y <= n - 5)
    return covers


def magnifier(x, y, n):
    r = (x - 8) ** 2 + (y - 8) ** 2
    return 9 <= r <= 25 or (11 <= x <= 16 and 11 <= y <= 16 and abs(x - y) <= 1)


def printer(x, y, n):
    return (3 <= x <= n - 4 and 8 <= y <= 14) or (6 <= x <= n - 7 and (3 <= y <= 7 or 14 <= y <= 17))


def gear(x, y, n):
    r = (x - 9.5) ** 2 + (y - 9.5) ** 2
    return (r <= 36 and r >= 6) or ((abs(x - 9.5) < 1.5 or abs(y - 9.5) < 1.5) and r <= 64)


def export(x, y, n):
    return (3 <= x <= 10 and 3 <= y <= n - 4 and (x in (3, 10) or y in (3, n - 4))) or \
           (abs(y - 10) <= 1 and 8 <= x <= 16) or (x >= 13 and abs(y - 10) <= 17 - x)


def door(x, y, n):
    return (4 <= x <= 13 and 3 <= y <= n - 4) and not (x == 11 and y == 10)


def disk(x, y, n):
    return 3 <= x <= n - 4 and 3 <= y <= n - 4 and not (6 <= x <= n - 7 and 4 <= y <= 8)


def slash_circle(x, y, n):
    r = (x - 9.5) ** 2 + (y - 9.5) ** 2
    return (36 <= r <= 64) or (r <= 64 and abs(x - y) <= 1)


def coin(x, y, n):
    r = (x - 9.5) ** 2 + (y - 9.5) ** 2
    return r <= 56 and not (abs(x - 9.5) < 1 and 5 <= y <= 14 and r > 0 and False)


def house(x, y, n):
    roof = 3 <= y <= 9 and abs(x - 9.5) <= (y - 2)
    body = 9 <= y <= n - 4 and 5 <= x <= n - 6
    return (roof or body) and not (8 <= x <= 11 and 12 <= y <= n - 4)


def eraser(x, y, n):
    return 3 <= x <= n - 4 and 3 <= y <= n - 4 and abs(x - y) <= 4


def copy(x, y, n):
    a = 3 <= x <= 12 and 3 <= y <= 12 and (x in (3, 12) or y in (3, 12))
    b = 7 <= x <= 16 and 7 <= y <= 16
    return a or b


TOOL = [
    (plus, GREEN), (pencil, BLUE), (cross, RED),
    (arrow(-1, True), BLUE), (arrow(-1, False), BLUE), (arrow(1, False), BLUE), (arrow(1, True), BLUE),
    (magnifier, DARK), (printer, DARK), (gear, TEAL), (export, GREEN), (door, BROWN),
    (disk, BLUE), (slash_circle, RED), (coin, YELLOW), (house, ORANGE), (eraser, TEAL), (copy, BLUE),
]


def tree_estate(x, y, n):
    return house(x + 2, y + 2, 20) if 0 <= x < 16 and 0 <= y < 16 else False


def tree_building(fill):
    def covers(x, y, n):
        inside = 4 <= x <= 11 and 2 <= y <= 13
        if not inside:
            return False
        window = x in (6, 9) and y in (4, 7, 10)
        return fill or x in (4, 11) or y in (2, 13) or window
    return covers


TREE = [(tree_estate, ORANGE), (tree_building(False), BLUE), (tree_building(True), BLUE),
        (tree_building(True), TEAL)]


def strip(shapes, size):
    width = len(shapes) * size
    pixels = [[BG] * width for _ in range(size)]
    for index, (covers, colour) in enumerate(shapes):
        for y in range(size):
            for x in range(size):
                # The bottom-left pixel stays background: the list takes it as the mask colour.
                if (x, y) != (0, size - 1) and covers(x, y, size):
                    pixels[y][index * size + x] = colour
    return width, size, pixels


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--strips", help="folder with ToolImages.bmp and TreeImages.bmp to pack")
    parser.add_argument("--save-strips", help="folder to write the strips used into")
    parser.add_argument("--output", default=os.path.join(here, "..", "app", "registers", "RegisterImagesData.cpp"))
    args = parser.parse_args()

    arrays = []
    for name, shapes, size, ident in (("ToolImages", TOOL, 20, "ToolImagesPacked"),
                                      ("TreeImages", TREE, 16, "TreeImagesPacked")):
        source = os.path.join(args.strips, name + ".bmp") if args.strips else None
        if source and os.path.exists(source):
            with open(source, "rb") as f:
                bmp = f.read()
        else:
            bmp = report_images.bmp_8bit(*strip(shapes, size))
        if args.save_strips:
            os.makedirs(args.save_strips, exist_ok=True)
            with open(os.path.join(args.save_strips, name + ".bmp"), "wb") as f:
                f.write(bmp)
        arrays.append(report_images.c_array(ident, report_images.gzip_member(bmp, name + ".bmp")))
        arrays.append("const size_t %sSize = sizeof(%s);" % (ident, ident))

    text = "\n".join([
        "// Generated by tools/register_images.py: the toolbar and tree pictures of the register",
        "// windows (BMP strips in gzip members). Do not edit; run the tool to replace the pictures.",
        "// clang-format off",
        '#include "app/registers/RegisterImages.h"',
        "",
        "\n\n".join(arrays),
        "",
    ])
    with open(args.output, "w", newline="\n") as f:
        f.write(text)
    return 0


if __name__ == "__main__":
    sys.exit(main())
