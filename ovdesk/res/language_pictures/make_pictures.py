#!/usr/bin/env python3
"""Writes the report-language editor's tree pictures (16 x 16, magenta is
transparent). Run from this folder; the outputs are kept in the repository."""
import struct

KEY = (255, 0, 255)
YELLOW, DARK, WHITE, BLUE, GREY, RED = (
    (255, 214, 80), (160, 120, 20), (255, 255, 255), (40, 70, 160), (120, 120, 120), (200, 30, 30))


def bmp24(pixel):
    rows = b""
    for y in reversed(range(16)):
        rows += b"".join(bytes((b, g, r)) for r, g, b in (pixel(x, y) for x in range(16)))
    info = struct.pack("<IiiHHIIiiII", 40, 16, 16, 1, 24, 0, len(rows), 2835, 2835, 0, 0)
    head = struct.pack("<2sIHHI", b"BM", 14 + len(info) + len(rows), 0, 0, 14 + len(info))
    return head + info + rows


def folder(open_):
    def pixel(x, y):
        if 2 <= y <= 3 and 1 <= x <= 6:
            return DARK
        if 4 <= y <= 13 and 1 <= x <= 14:
            edge = y in (4, 13) or x in (1, 14)
            if open_ and y >= 7 and x >= 3 + (13 - y) // 3:
                return DARK if edge or y == 7 else YELLOW
            return DARK if edge else YELLOW
        return KEY
    return pixel


def page(edited):
    def pixel(x, y):
        if 1 <= y <= 14 and 3 <= x <= 12:
            if y in (1, 14) or x in (3, 12):
                return GREY
            if y % 3 == 0 and 5 <= x <= 10:
                return BLUE
            if edited and 9 <= y <= 13 and 8 <= x <= 12 and abs((x - 8) - (13 - y)) <= 1:
                return RED
            return WHITE
        return KEY
    return pixel


for name, pixel in (("folder_open", folder(True)), ("folder_closed", folder(False)),
                    ("text", page(False)), ("text_edited", page(True))):
    with open(name + ".bmp", "wb") as out:
        out.write(bmp24(pixel))
