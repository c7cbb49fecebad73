#!/usr/bin/env python3
"""Writes the library's small pictures (bitmaps, icons, the slider and hand cursors).

Run from this folder; the outputs are kept in the repository, so this is only
needed when a picture changes.
"""
import struct

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


def main():
    with open("ftplist3201.bmp", "wb") as f:
        f.write(bmp24(16 * 15, 16, list_strip))
    with open("pattern104.bmp", "wb") as f:
        f.write(mono_bmp(8, 8, lambda x, y: (x + y) % 2))
    for n, pid in enumerate(PICTURES):
        hue = (n * 47) % 256
        def pixel(x, y, hue=hue):
            if x in (0, 15) or y in (0, 15):
                return (255, 0, 255)
            return (hue, (x * 16) & 255, (y * 16 + hue) & 255)
        with open("picture%d.bmp" % pid, "wb") as f:
            f.write(bmp24(16, 16, pixel))
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
