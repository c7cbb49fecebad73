#!/usr/bin/env python3
"""Writes the library's pictures, icons and cursors.

    make_pictures.py            -> the small files kept in this folder (icons,
                                   cursors, pattern, FTP list strip)
    make_pictures.py OUT_DIR    -> OUT_DIR/picture*.bmp and OUT_DIR/pictures.rc,
                                   the decorative pictures, drawn at build time

Each decorative picture is drawn at the size of the frame that shows it (the
frames stretch a picture to fit), full-bleed so that no key colour shows.
"""
import math
import os
import struct
import sys

PICTURES = [1150, 1151, 1152, 1153, 1154, 1155, 1156, 1157, 1158, 1159, 1160,
            1161, 1162, 1163, 1164, 1165, 1166, 1167, 1168, 1169, 112, 113]
ICONS = [105, 106, 107, 108, 109]


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


def mono_bmp(width, height, bit):
    """A 1-bit BMP (black and white palette); bit(x, y) gives 0 or 1."""
    stride = ((width + 31) // 32) * 4
    rows = b""
    for y in reversed(range(height)):
        row = bytearray(stride)
        for x in range(width):
            if bit(x, y):
                row[x // 8] |= 0x80 >> (x % 8)
        rows += bytes(row)
    palette = b"\0\0\0\0\xff\xff\xff\0"
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 1, 0, len(rows), 2835, 2835, 2, 2)
    offset = 14 + len(info) + len(palette)
    head = struct.pack("<2sIHHI", b"BM", offset + len(rows), 0, 0, offset)
    return head + info + palette + rows


def icon_image(size, pixel):
    """The DIB of one 32-bit icon image (colour rows then an empty AND mask)."""
    info = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    rows = b""
    for y in reversed(range(size)):
        rows += b"".join(bytes((b, g, r, a)) for r, g, b, a in (pixel(x, y) for x in range(size)))
    mask = b"\0" * (((size + 31) // 32) * 4 * size)
    return info + rows + mask


def icon_file(size, pixel):
    image = icon_image(size, pixel)
    head = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", size, size, 0, 0, 1, 32, len(image), 6 + 16)
    return head + entry + image


def slider_shape(x, y):
    """An up-down arrow, hot spot in the centre."""
    return abs(x - 16) <= 1 and 4 <= y <= 28 or abs(x - 16) <= min(y - 3, 29 - y, 5) and (y < 10 or y > 22)


def hand_shape(x, y):
    """A pointing hand: a finger up from the hot spot and a palm below it."""
    return 10 <= x <= 13 and 2 <= y <= 14 or 8 <= x <= 22 and 12 <= y <= 26


def cursor_file(inside, hot_x, hot_y):
    """A 32x32 monochrome cursor, black where inside(x, y) holds."""
    size = 32
    xor_rows = b""
    and_rows = b""
    for y in reversed(range(size)):
        xo = bytearray(4)
        an = bytearray(b"\xff" * 4)
        for x in range(size):
            if inside(x, y):
                an[x // 8] &= ~(0x80 >> (x % 8)) & 0xff
        xor_rows += bytes(xo)
        and_rows += bytes(an)
    info = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 1, 0, 0, 0, 0, 2, 2)
    palette = b"\0\0\0\0\xff\xff\xff\0"
    image = info + palette + xor_rows + and_rows
    head = struct.pack("<HHH", 0, 2, 1)
    entry = struct.pack("<BBBBHHII", size, size, 2, 0, hot_x, hot_y, len(image), 6 + 16)
    return head + entry + image


def list_strip(x, y):
    """The FTP browser's 16-pixel list images: 12 "..", 13 a folder, 14 a file."""
    image, x = divmod(x, 16)
    magenta = (255, 0, 255)
    if image == 12 and 3 <= x <= 12 and y in (7, 8):
        return (0, 0, 128)  # an arrow shaft up and left
    if image == 12 and 3 <= x <= 5 and 4 <= y <= 8:
        return (0, 0, 128)
    if image == 13 and 1 <= x <= 14 and 4 <= y <= 13:
        return (0, 0, 0) if x in (1, 14) or y in (4, 13) else (255, 216, 96)
    if image == 13 and 1 <= x <= 6 and y == 3:
        return (0, 0, 0)
    if image == 14 and 3 <= x <= 12 and 1 <= y <= 14:
        return (0, 0, 0) if x in (3, 12) or y in (1, 14) else (255, 255, 255)
    return magenta


# ---- Decorative pictures -----------------------------------------------------
# Size in pixels (the frame's size at the dialogs' font) and motif of each
# picture id. Picture 1169 stays a 16-pixel tile: the button bar paints it as
# its faint background.
PICTURE_SIZES = {
    1167: (88, 235),  # the profile sheet's side panel (60 x 146 units, sunken)
    1158: (75, 98),   # Create Report (50 x 60 units)
    112: (58, 63),    # View Log File (40 x 40 units, framed)
    1163: (46, 50),   # log-in banner (32 x 32 units, framed)
    1157: (32, 32),   # progress: ovkit's dialog shows it unstretched
    1156: (30, 33),   # the saved report's name (20 x 20 units)
}
MOTIFS = {1167: "panel", 1158: "chart", 112: "viewlog", 1163: "key", 1157: "hourglass",
          1156: "label"}
DEFAULT_SIZE = (48, 48)

TOP, BOTTOM = (22, 54, 112), (36, 128, 150)
PAPER, INK, SHADE = (250, 250, 245), (60, 70, 90), (190, 200, 210)
GOLD, RED, GREEN, SKY = (240, 190, 60), (210, 70, 60), (90, 170, 90), (120, 190, 235)


def mix(a, b, t):
    return tuple(a[i] + (b[i] - a[i]) * t for i in range(3))


def seg_dist(px, py, x0, y0, x1, y1):
    dx, dy = x1 - x0, y1 - y0
    d = dx * dx + dy * dy
    t = 0.0 if d == 0 else max(0.0, min(1.0, ((px - x0) * dx + (py - y0) * dy) / d))
    return math.hypot(px - x0 - t * dx, py - y0 - t * dy)


def hit(shape, x, y):
    """Whether the point (in units of a 100-wide box) lies in the shape."""
    kind = shape[0]
    if kind == "rect":
        _, x0, y0, x1, y1, r = shape[:6]
        cx, cy = min(max(x, x0 + r), x1 - r), min(max(y, y0 + r), y1 - r)
        return x0 <= x <= x1 and y0 <= y <= y1 and math.hypot(x - cx, y - cy) <= r + 1e-9
    if kind == "circle":
        _, cx, cy, r = shape[:4]
        return math.hypot(x - cx, y - cy) <= r
    if kind == "ring":
        _, cx, cy, r0, r1 = shape[:5]
        return r0 <= math.hypot(x - cx, y - cy) <= r1
    if kind == "line":
        _, x0, y0, x1, y1, w = shape[:6]
        return seg_dist(x, y, x0, y0, x1, y1) <= w / 2
    if kind == "poly":
        pts, inside = shape[1], False
        for i in range(len(pts)):
            (xa, ya), (xb, yb) = pts[i], pts[(i + 1) % len(pts)]
            if (ya > y) != (yb > y) and x < (xb - xa) * (y - ya) / (yb - ya) + xa:
                inside = not inside
        return inside
    raise ValueError(kind)


def document(x0, y0, x1, y1, lines):
    """A sheet of paper with a folded corner and text lines."""
    fold = (x1 - x0) * 0.25
    shapes = [("rect", x0 + 2, y0 + 2, x1 + 2, y1 + 2, 1, mix(TOP, (0, 0, 0), 0.4)),
              ("poly", [(x0, y0), (x1 - fold, y0), (x1, y0 + fold), (x1, y1), (x0, y1)], PAPER),
              ("poly", [(x1 - fold, y0), (x1 - fold, y0 + fold), (x1, y0 + fold)], SHADE)]
    step = (y1 - y0 - fold) / (lines + 1)
    for i in range(lines):
        y = y0 + fold + step * (i + 0.5)
        end = x1 - (x1 - x0) * (0.15 if i % 3 else 0.35)
        shapes.append(("line", x0 + (x1 - x0) * 0.15, y, end, y, step * 0.35, INK))
    return shapes


def chart(x0, y0, x1, y1):
    """A framed bar chart."""
    w = (x1 - x0) / 7
    bars = [(0.45, RED), (0.75, GOLD), (0.6, GREEN), (0.95, SKY)]
    shapes = [("rect", x0, y0, x1, y1, 2, PAPER)]
    for i, (height, colour) in enumerate(bars):
        bx = x0 + w * (0.8 + i * 1.45)
        shapes.append(("rect", bx, y1 - 3 - (y1 - y0 - 8) * height, bx + w, y1 - 3, 0.5, colour))
    shapes.append(("line", x0 + 3, y1 - 3, x1 - 3, y1 - 3, 1.2, INK))
    return shapes


def globe(cx, cy, r):
    shapes = [("circle", cx, cy, r, SKY), ("ring", cx, cy, r - 1.2, r, PAPER),
              ("line", cx - r, cy, cx + r, cy, 1.2, PAPER),
              ("line", cx, cy - r, cx, cy + r, 1.2, PAPER)]
    for k in (0.45, 0.8):
        shapes.append(("ring", cx, cy, r * k - 0.6, r * k + 0.6, PAPER))
    return shapes


def motif(name, h):
    """The shapes of a motif in a box 100 units wide and h units high."""
    mid = h / 2
    if name == "panel":
        return globe(50, 17 * h / 100, 30) + document(22, 40 * h / 100, 78, 66 * h / 100, 6) + \
            chart(14, 74 * h / 100, 86, 93 * h / 100)
    if name == "chart":
        return chart(12, mid - 34, 88, mid + 34)
    if name == "viewlog":
        return document(14, mid - 40, 70, mid + 34, 6) + \
            [("line", 66, mid + 18, 88, mid + 40, 11, INK), ("circle", 58, mid + 8, 20, INK),
             ("circle", 58, mid + 8, 15, mix(SKY, PAPER, 0.5))]
    if name == "key":
        return [("ring", 34, mid - 10, 10, 20, GOLD), ("line", 48, mid + 4, 86, mid + 42, 12, GOLD),
                ("line", 70, mid + 26, 58, mid + 38, 10, GOLD),
                ("line", 80, mid + 36, 70, mid + 46, 10, GOLD)]
    if name == "hourglass":
        return [("rect", 20, mid - 42, 80, mid - 32, 3, GOLD), ("rect", 20, mid + 32, 80, mid + 42, 3, GOLD),
                ("poly", [(28, mid - 32), (72, mid - 32), (54, mid), (72, mid + 32), (28, mid + 32),
                          (46, mid)], PAPER),
                ("poly", [(36, mid - 22), (64, mid - 22), (50, mid - 4)], GOLD),
                ("poly", [(50, mid + 12), (66, mid + 30), (34, mid + 30)], GOLD)]
    if name == "label":
        return [("poly", [(10, mid - 22), (66, mid - 22), (92, mid), (66, mid + 22), (10, mid + 22)], GOLD),
                ("circle", 70, mid, 6, mix(TOP, BOTTOM, 0.5)),
                ("line", 20, mid - 6, 52, mid - 6, 5, INK), ("line", 20, mid + 8, 44, mid + 8, 5, INK)]
    return globe(50, mid, 34)


def decorative_bmp(width, height, name):
    """The picture: a vertical gradient with a soft light band, the motif on top,
    each pixel sampled 4 x 4 times so that edges are smooth."""
    scale = 100.0 / width
    h = height * scale
    shapes = motif(name, h)
    n = 4

    def background(ux, uy):
        t = uy / h
        colour = mix(TOP, BOTTOM, t)
        band = max(0.0, 1 - abs((ux + uy * 0.6) - h * 0.45) / 40)
        return mix(colour, (255, 255, 255), 0.10 * band)

    def pixel(x, y):
        total = [0.0, 0.0, 0.0]
        for sy in range(n):
            for sx in range(n):
                ux, uy = (x + (sx + 0.5) / n) * scale, (y + (sy + 0.5) / n) * scale
                colour = background(ux, uy)
                for shape in shapes:
                    if hit(shape, ux, uy):
                        colour = shape[-1]
                for i in range(3):
                    total[i] += colour[i]
        return tuple(int(round(c / (n * n))) for c in total)

    return bmp24(width, height, pixel)


def placeholder_tile(x, y):
    """The button bar's 16-pixel background tile."""
    if x in (0, 15) or y in (0, 15):
        return (255, 0, 255)
    return (0, (x * 16) & 255, (y * 16) & 255)


def write_pictures(folder):
    os.makedirs(folder, exist_ok=True)
    lines = ["// Drawn by ovkit/dll/res/make_pictures.py at build time.\n"]
    for pid in PICTURES:
        path = os.path.join(folder, "picture%d.bmp" % pid)
        with open(path, "wb") as f:
            if pid == 1169:
                f.write(bmp24(16, 16, placeholder_tile))
            else:
                width, height = PICTURE_SIZES.get(pid, DEFAULT_SIZE)
                f.write(decorative_bmp(width, height, MOTIFS.get(pid, "globe")))
        lines.append('%d BITMAP "%s"\n' % (pid, path.replace("\\", "/")))
    with open(os.path.join(folder, "pictures.rc"), "w") as f:
        f.writelines(lines)


def main():
    if len(sys.argv) > 1:
        write_pictures(sys.argv[1])
        return
    with open("ftplist3201.bmp", "wb") as f:
        f.write(bmp24(16 * 15, 16, list_strip))
    with open("pattern104.bmp", "wb") as f:
        f.write(mono_bmp(8, 8, lambda x, y: (x + y) % 2))
    for n, iid in enumerate(ICONS):
        def pixel(x, y, n=n):
            edge = x in (0, 15) or y in (0, 15)
            return (n * 50, 120, 255 - n * 50, 255 if not edge else 0)
        with open("icon%d.ico" % iid, "wb") as f:
            f.write(icon_file(16, pixel))
    with open("slider102.cur", "wb") as f:
        f.write(cursor_file(slider_shape, 16, 16))
    with open("hand101.cur", "wb") as f:
        f.write(cursor_file(hand_shape, 11, 2))


if __name__ == "__main__":
    main()
