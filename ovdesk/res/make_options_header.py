#!/usr/bin/env python3
"""Writes options_header.bmp, the picture the host shows above the options sheet.

Run from this folder; the output is kept in the repository.
"""
import struct

WIDTH, HEIGHT = 64, 48


def bmp24(width, height, pixel):
    """A bottom-up 24-bit BMP file; pixel(x, y) gives (r, g, b)."""
    stride = (width * 3 + 3) & ~3
    rows = b""
    for y in reversed(range(height)):
        row = b"".join(bytes((b, g, r)) for r, g, b in (pixel(x, y) for x in range(width)))
        rows += row + b"\0" * (stride - len(row))
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(rows), 2835, 2835, 0, 0)
    head = struct.pack("<2sIHHI", b"BM", 14 + len(info) + len(rows), 0, 0, 14 + len(info))
    return head + info + rows


# Bars of a small chart: (left, width, height, colour).
BARS = [(10, 8, 14, (200, 60, 40)), (22, 8, 24, (230, 160, 30)),
        (34, 8, 32, (60, 150, 60)), (46, 8, 20, (40, 90, 190))]
BASE = HEIGHT - 8


def pixel(x, y):
    for left, width, height, colour in BARS:
        if left <= x < left + width and BASE - height <= y < BASE:
            edge = x in (left, left + width - 1) or y == BASE - height
            return tuple(c // 2 for c in colour) if edge else colour
    if y == BASE and 6 <= x < WIDTH - 6:
        return (40, 40, 40)
    shade = 235 - y * 40 // HEIGHT
    return (shade - 20, shade - 5, 255)


with open("options_header.bmp", "wb") as f:
    f.write(bmp24(WIDTH, HEIGHT, pixel))
