#!/usr/bin/env python3
"""Draws nestari.ico: a white house with a magnifying glass on a blue tile, at
every size Windows asks for from 96 to 192 DPI and for large views, 32-bit
colour with alpha; the 256-pixel image PNG-compressed, as Windows expects.
Run it again after changing the drawing: python3 app/make_icon.py app/nestari.ico"""
import struct
import sys
import zlib

SIZES = (16, 20, 24, 32, 40, 48, 64, 256)
PNG_FROM = 256  # larger images are stored as PNG

BLUE = (0x2f, 0x6d, 0xb5)
DARK = (0x1b, 0x3f, 0x6e)
WHITE = (0xff, 0xff, 0xff)
ORANGE = (0xf0, 0x8c, 0x1e)


def pixel(x, y):
    """Colour and alpha of the point (x, y) of the unit square, y downwards."""
    # Rounded tile.
    r = 0.16
    cx, cy = min(max(x, r), 1 - r), min(max(y, r), 1 - r)
    if (x - cx) ** 2 + (y - cy) ** 2 > r * r:
        return None
    # Magnifier: ring and handle at the lower right.
    mx, my, mr = 0.66, 0.64, 0.15
    d2 = (x - mx) ** 2 + (y - my) ** 2
    if (mr - 0.05) ** 2 <= d2 <= mr * mr:
        return ORANGE
    if x > mx and y > my and abs((x - mx) - (y - my)) < 0.06 and d2 > mr * mr and x < 0.9 and y < 0.9:
        return ORANGE
    # House: roof triangle and body with a door.
    if 0.16 <= y <= 0.46 and abs(x - 0.42) <= (y - 0.16) * 1.05:
        return WHITE
    if 0.44 <= y <= 0.8 and 0.18 <= x <= 0.66:
        if 0.36 <= x <= 0.48 and y >= 0.6:
            return DARK
        return WHITE
    return BLUE


def rgba_rows(size):
    """The image's rows, top down, each a list of (r, g, b, alpha)."""
    rows = []
    for row in range(size):
        line = []
        for col in range(size):
            samples = [pixel((col + (i + 0.5) / 4) / size, (row + (j + 0.5) / 4) / size)
                       for i in range(4) for j in range(4)]
            hits = [s for s in samples if s is not None]
            alpha = round(255 * len(hits) / len(samples))
            if hits:
                rgb = [round(sum(s[k] for s in hits) / len(hits)) for k in range(3)]
            else:
                rgb = [0, 0, 0]
            line.append((rgb[0], rgb[1], rgb[2], alpha))
        rows.append(line)
    return rows


def bitmap_image(size, rows):
    """A device-independent bitmap, bottom-up BGRA, with an empty AND mask."""
    pixels = b"".join(bytes((b, g, r, a)) for line in reversed(rows) for r, g, b, a in line)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    mask_row = ((size + 31) // 32) * 4
    return header + pixels + b"\0" * (mask_row * size)


def png_image(size, rows):
    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))
    raw = b"".join(b"\0" + bytes(v for p in line for v in p) for line in rows)  # filter 0 per row
    header = struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)  # 8-bit RGBA
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(raw, 9))
            + chunk(b"IEND", b""))


def main(path):
    images = []
    for s in SIZES:
        rows = rgba_rows(s)
        images.append(png_image(s, rows) if s >= PNG_FROM else bitmap_image(s, rows))
    out = struct.pack("<HHH", 0, 1, len(SIZES))
    offset = 6 + 16 * len(SIZES)
    for s, data in zip(SIZES, images):
        # A directory entry's width and height of 0 mean 256.
        out += struct.pack("<BBBBHHII", s % 256, s % 256, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    with open(path, "wb") as f:
        f.write(out + b"".join(images))


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else "nestari.ico")
