#!/usr/bin/env python3
"""Writes the tool's pictures for the button bar and the icon buttons.

Run from this folder; the outputs are kept in the repository, so this is only
needed when a picture changes.
"""
import os
import sys

# The library's picture writer.
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "../../dll/res"))
from make_pictures import bmp24, icon_file  # noqa: E402

CELL = 32
# Shape and colour of each button's picture, for the bar and the icon buttons.
SHAPES = [("disc", (30, 110, 200)), ("square", (40, 150, 60)),
          ("triangle", (200, 120, 20)), ("diamond", (170, 40, 60))]
MAGENTA = (255, 0, 255)


def inside(shape, x, y):
    """Whether (x, y) of a 32 x 32 cell is in the shape, with a 4-pixel margin."""
    cx, cy = x - 15.5, y - 15.5
    if shape == "disc":
        return cx * cx + cy * cy <= 12 * 12
    if shape == "square":
        return abs(cx) <= 11 and abs(cy) <= 11
    if shape == "triangle":
        return 4 <= y <= 27 and abs(cx) <= (y - 4) / 2
    return abs(cx) + abs(cy) <= 13


def grey(colour):
    level = sum(colour) // 3 // 2 + 100
    return (level, level, level)


def bar_pixel(x, y):
    """The bar's picture: one cell per button, rows normal, unused (as normal), disabled."""
    shape, colour = SHAPES[x // CELL]
    row = y // CELL
    if not inside(shape, x % CELL, y % CELL):
        return MAGENTA
    return grey(colour) if row == 2 else colour


def main():
    with open("buttonbar.bmp", "wb") as out:
        out.write(bmp24(CELL * len(SHAPES), CELL * 3, bar_pixel))
    for n, (shape, colour) in enumerate(SHAPES):
        def pixel(x, y, shape=shape, colour=colour):
            return colour + (255,) if inside(shape, x, y) else (0, 0, 0, 0)
        with open("button%d.ico" % (n + 1), "wb") as out:
            out.write(icon_file(CELL, pixel))


if __name__ == "__main__":
    main()
