#!/usr/bin/env python3
"""Draws nestari.ico: a white house with a magnifying glass on a blue tile, at
16, 32 and 48 pixels, 32-bit colour with alpha. Run it again after changing the
drawing: python3 app/make_icon.py app/nestari.ico"""
import struct
import sys

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


def image(size):
    rows = []
    for row in range(size - 1, -1, -1):  # bottom-up, as icon bitmaps are
        line = b""
        for col in range(size):
            samples = [pixel((col + (i + 0.5) / 4) / size, (row + (j + 0.5) / 4) / size)
                       for i in range(4) for j in range(4)]
            hits = [s for s in samples if s is not None]
            alpha = round(255 * len(hits) / len(samples))
            if hits:
                rgb = [round(sum(s[k] for s in hits) / len(hits)) for k in range(3)]
            else:
                rgb = [0, 0, 0]
            line += bytes((rgb[2], rgb[1], rgb[0], alpha))
        rows.append(line)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    mask_row = ((size + 31) // 32) * 4
    return header + b"".join(rows) + b"\0" * (mask_row * size)


def main(path):
    sizes = (16, 32, 48)
    images = [image(s) for s in sizes]
    out = struct.pack("<HHH", 0, 1, len(sizes))
    offset = 6 + 16 * len(sizes)
    for s, data in zip(sizes, images):
        out += struct.pack("<BBBBHHII", s, s, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    with open(path, "wb") as f:
        f.write(out + b"".join(images))


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else "nestari.ico")
