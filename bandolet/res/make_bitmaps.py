#!/usr/bin/env python3
"""Draws the toolbar library's bitmaps (button pictures in their kinds, scroll
arrows, watermark, tooltip pattern, splash picture) as 24-bit BMP files, and
writes the resource script that names them.

    make_bitmaps.py OUT_DIR   -> OUT_DIR/*.bmp and OUT_DIR/bitmaps.rc
"""
import math
import os
import struct
import sys

MAGENTA = (255, 0, 255)  # transparent key
BLACK, WHITE = (0, 0, 0), (255, 255, 255)
GREY, SILVER = (128, 128, 128), (192, 192, 192)
DRED, DGREEN, DYELLOW, DBLUE = (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128)
DMAGENTA, DCYAN = (128, 0, 128), (0, 128, 128)
RED, GREEN, YELLOW, BLUE, CYAN = (255, 0, 0), (0, 255, 0), (255, 255, 0), (0, 0, 255), (0, 255, 255)


def write_bmp(path, pixels):
    h, w = len(pixels), len(pixels[0])
    row = (w * 3 + 3) & ~3
    data = bytearray()
    for y in range(h - 1, -1, -1):
        line = bytearray()
        for r, g, b in pixels[y]:
            line += bytes((b, g, r))
        data += line + b"\0" * (row - len(line))
    header = struct.pack("<2sIHHI", b"BM", 54 + len(data), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, w, h, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    with open(path, "wb") as f:
        f.write(header + info + data)


def seg_dist(px, py, x0, y0, x1, y1):
    dx, dy = x1 - x0, y1 - y0
    t = 0.0 if dx == dy == 0 else max(0.0, min(1.0, ((px - x0) * dx + (py - y0) * dy) / (dx * dx + dy * dy)))
    return math.hypot(px - x0 - t * dx, py - y0 - t * dy)


def inside(prim, x, y):
    kind = prim[0]
    if kind == "rect":
        _, x0, y0, x1, y1, _c = prim
        return x0 <= x < x1 and y0 <= y < y1
    if kind == "circle":
        _, cx, cy, r, _c = prim
        return math.hypot(x - cx, y - cy) <= r
    if kind == "ring":
        _, cx, cy, r0, r1, _c = prim
        return r0 <= math.hypot(x - cx, y - cy) <= r1
    if kind == "line":
        _, x0, y0, x1, y1, wd, _c = prim
        return seg_dist(x, y, x0, y0, x1, y1) <= wd / 2
    if kind == "poly":
        pts = prim[1]
        n, hit = len(pts), False
        for i in range(n):
            (xa, ya), (xb, yb) = pts[i], pts[(i + 1) % n]
            if (ya > y) != (yb > y) and x < (xb - xa) * (y - ya) / (yb - ya) + xa:
                hit = not hit
        return hit
    raise ValueError(kind)


def render(prims, size, unit=24):
    px = [[MAGENTA] * size for _ in range(size)]
    for y in range(size):
        for x in range(size):
            ux, uy = (x + 0.5) * unit / size, (y + 0.5) * unit / size
            for p in prims:
                if inside(p, ux, uy):
                    px[y][x] = p[-1]
    return px


def page(extra):
    return [("poly", [(5, 2), (15, 2), (19, 6), (19, 22), (5, 22)], BLACK),
            ("poly", [(6, 3), (14, 3), (18, 7), (18, 21), (6, 21)], WHITE)] + extra


def gear():
    prims = []
    for k in range(8):
        a = k * math.pi / 4
        prims.append(("line", 12 + 6 * math.cos(a), 12 + 6 * math.sin(a),
                      12 + 10 * math.cos(a), 12 + 10 * math.sin(a), 3.5, DBLUE))
    return prims + [("circle", 12, 12, 7.5, DBLUE), ("circle", 12, 12, 6.5, SILVER),
                    ("circle", 12, 12, 3, DBLUE)]


GLYPHS = {  # in a 24 x 24 unit square
    "report": page([("rect", 8, 13, 10, 19, RED), ("rect", 11, 9, 13, 19, DGREEN),
                    ("rect", 14, 11, 16, 19, BLUE)]),
    "schedule": [("circle", 12, 12, 10.5, BLACK), ("circle", 12, 12, 9.5, WHITE),
                 ("line", 12, 12, 12, 5, 2, DBLUE), ("line", 12, 12, 17, 14, 2, RED),
                 ("circle", 12, 12, 1.5, BLACK)],
    "options": gear(),
    "new": page([("rect", 16, 13, 24, 17, DGREEN), ("rect", 18, 11, 22, 19, DGREEN)]),
    "edit": page([("line", 9, 19, 20, 8, 4, BLACK), ("line", 9, 19, 20, 8, 2.5, YELLOW),
                  ("line", 8, 20, 9.5, 18.5, 2.5, BLACK)]),
    "delete": [("line", 5, 5, 19, 19, 5, DRED), ("line", 19, 5, 5, 19, 5, DRED),
               ("line", 5, 5, 19, 19, 3, RED), ("line", 19, 5, 5, 19, 3, RED)],
    "style": [("circle", 12, 12, 10, BLACK), ("circle", 12, 12, 9, DYELLOW),
              ("circle", 8, 9, 2.2, RED), ("circle", 13, 7, 2.2, BLUE), ("circle", 17, 11, 2.2, GREEN),
              ("circle", 9, 15, 2.2, WHITE), ("circle", 15, 17, 3, MAGENTA)],
    "viewlog": page([("rect", 8, 8, 16, 9, BLACK), ("rect", 8, 11, 16, 12, BLACK),
                     ("rect", 8, 14, 14, 15, BLACK), ("rect", 8, 17, 16, 18, BLACK)]),
    "adclicks": [("circle", 12, 12, 10, RED), ("circle", 12, 12, 7.5, WHITE),
                 ("circle", 12, 12, 5, RED), ("circle", 12, 12, 2.5, WHITE)],
    "intranet": [("poly", [(2, 12), (12, 3), (22, 12)], DRED), ("rect", 5, 12, 19, 21, BLACK),
                 ("rect", 6, 12, 18, 20, SILVER), ("rect", 10, 14, 14, 21, DBLUE)],
    "help": [("circle", 12, 12, 10.5, DBLUE), ("ring", 12, 9, 2.5, 5, WHITE),
             ("rect", 6, 9, 12, 13, DBLUE), ("rect", 11, 13, 13.5, 16, WHITE),
             ("circle", 12.2, 18.5, 1.6, WHITE)],
    "tool1": [("rect", 3, 5, 21, 19, BLACK), ("rect", 4, 6, 20, 18, DCYAN), ("rect", 4, 6, 20, 8, DBLUE)],
    "tool2": [("circle", 12, 12, 10, DGREEN), ("line", 7, 12, 17, 12, 3, WHITE), ("line", 12, 7, 12, 17, 3, WHITE)],
    "tool3": [("poly", [(12, 2), (22, 20), (2, 20)], BLACK), ("poly", [(12, 5), (20, 19), (4, 19)], YELLOW)],
    "tool4": [("rect", 4, 4, 20, 20, BLACK), ("rect", 5, 5, 19, 19, DMAGENTA), ("circle", 12, 12, 4, WHITE)],
}
ORDER = ["report", "schedule", "options", "new", "edit", "delete", "style", "viewlog",
         "adclicks", "intranet", "help", "tool1", "tool2", "tool3", "tool4"]
# First ids of each kind; button i uses first + i (separators 101 and 201).
KIND_BASE = {"large": 102, "large_disabled": 282, "small": 218, "small_disabled": 234,
             "shadow": 250, "highlight": 266}

# The 16-colour forms fill 117-132 around the watermark (128).
LARGE16_IDS = [i for i in range(117, 133) if i != 128]


def recolour(px, fn):
    return [[p if p == MAGENTA else fn(p) for p in row] for row in px]


VGA = [BLACK, DRED, DGREEN, DYELLOW, DBLUE, DMAGENTA, DCYAN, SILVER, GREY, RED, GREEN, YELLOW,
       BLUE, (255, 0, 255), CYAN, WHITE]


def vga(p):
    """The nearest of the 16 standard colours (the 16-colour display's form)."""
    return min(VGA, key=lambda c: sum((a - b) ** 2 for a, b in zip(p, c)))


def grey(p):
    v = (p[0] * 30 + p[1] * 59 + p[2] * 11) // 100
    return (v, v, v)


def arrow(size, left):
    prims = [("poly", [(15, 5), (15, 19), (8, 12)] if left else [(9, 5), (9, 19), (16, 12)], BLACK)]
    return render(prims, size)


def splash():
    w, h = 402, 300
    px = []
    for y in range(h):
        row = []
        for x in range(w):
            t = y / h
            r, g, b = int(20 + 40 * t), int(30 + 30 * t), int(90 + 100 * (1 - t))
            d = math.hypot(x - 330, y - 40)
            if d < 120:  # a faint sun behind the title
                k = (120 - d) / 120
                r, g, b = int(r + 120 * k), int(g + 90 * k), int(b + 20 * k)
            wave = 250 + 18 * math.sin(x / 40.0)
            if y > wave:
                r, g, b = r // 2, g // 2 + 20, b // 2 + 30
            row.append((min(r, 255), min(g, 255), min(b, 255)))
        px.append(row)
    return px


def watermark():
    w, h = 120, 60
    return [[WHITE if (math.hypot(x - 60, y - 30) % 14) < 5 else BLACK for x in range(w)] for y in range(h)]


def main(out):
    os.makedirs(out, exist_ok=True)
    rc = []

    def emit(rid, name, px):
        write_bmp(os.path.join(out, name + ".bmp"), px)
        rc.append("%d BITMAP \"%s\"" % (rid, os.path.join(os.path.abspath(out), name + ".bmp")))

    for i, key in enumerate(ORDER):
        large, small = render(GLYPHS[key], 24), render(GLYPHS[key], 16)
        emit(KIND_BASE["large"] + i, key + "_large", large)
        emit(LARGE16_IDS[i], key + "_large16", recolour(large, vga))
        emit(KIND_BASE["small"] + i, key + "_small", small)
        emit(KIND_BASE["large_disabled"] + i, key + "_large_dis", recolour(large, lambda p: GREY))
        emit(KIND_BASE["small_disabled"] + i, key + "_small_dis", recolour(small, lambda p: GREY))
        emit(KIND_BASE["shadow"] + i, key + "_shadow", recolour(large, lambda p: GREY))
        emit(KIND_BASE["highlight"] + i, key + "_rest", recolour(large, grey))
    emit(101, "separator_large", [[MAGENTA] * 4 for _ in range(24)])
    emit(201, "separator_small", [[MAGENTA] * 4 for _ in range(16)])
    emit(100, "tip_pattern", [[(255, 255, 225)] * 8 for _ in range(8)])
    emit(128, "watermark", watermark())
    emit(303, "scroll_left_large", arrow(16, True))
    emit(304, "scroll_left_small", arrow(12, True))
    emit(305, "scroll_right_large", arrow(16, False))
    emit(306, "scroll_right_small", arrow(12, False))
    emit(213, "splash", splash())
    with open(os.path.join(out, "bitmaps.rc"), "w") as f:
        f.write("\n".join(rc) + "\n")


if __name__ == "__main__":
    main(sys.argv[1])
