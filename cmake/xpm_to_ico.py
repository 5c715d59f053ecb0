#!/usr/bin/env python3
"""Turns XPM pixel art into a Windows .ico with one 16-colour image per XPM.

Usage: xpm_to_ico.py OUTPUT.ico INPUT.xpm [INPUT.xpm ...]

Each image is stored as Windows stores a 16-colour icon: a 4-bit bitmap over
the standard 16-colour palette and a 1-bit mask where "None" pixels are set.
A colour outside that palette stops the build with a message, so the pixel
art stays within what the icon format holds.
"""

import re
import struct
import sys

# The standard 16-colour palette, in the order Windows numbers it.
PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]


def read_xpm(path):
    """Returns (width, height, rows of palette indices or None for transparent)."""
    with open(path, encoding="utf-8") as source:
        text = re.sub(r"/\*.*?\*/", "", source.read(), flags=re.S)
    strings = re.findall(r'"((?:[^"\\]|\\.)*)"', text)
    if not strings:
        raise ValueError(f"{path}: no XPM rows")
    width, height, colours, chars_per_pixel = (int(v) for v in strings[0].split()[:4])
    if chars_per_pixel != 1:
        raise ValueError(f"{path}: only one character per pixel is supported")
    index_of = {}
    for line in strings[1:1 + colours]:
        key, rest = line[0], line[1:].split()
        value = rest[rest.index("c") + 1]
        if value.lower() == "none":
            index_of[key] = None
            continue
        rgb = tuple(int(value[i:i + 2], 16) for i in (1, 3, 5))
        if rgb not in PALETTE:
            raise ValueError(f"{path}: colour {value} is not one of the 16 icon colours")
        index_of[key] = PALETTE.index(rgb)
    rows = strings[1 + colours:1 + colours + height]
    if len(rows) != height or any(len(row) != width for row in rows):
        raise ValueError(f"{path}: expected {height} rows of {width} pixels")
    return width, height, [[index_of[c] for c in row] for row in rows]


def padded(row_bytes):
    return row_bytes + b"\0" * (-len(row_bytes) % 4)


def icon_image(width, height, rows):
    """BITMAPINFOHEADER, palette, XOR bitmap and AND mask, rows bottom-up."""
    header = struct.pack("<IiiHHIIiiII", 40, width, height * 2, 1, 4, 0, 0, 0, 0, 16, 0)
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in PALETTE)
    colour_rows, mask_rows = [], []
    for row in reversed(rows):
        nibbles = [0 if i is None else i for i in row]
        colour_rows.append(padded(bytes((nibbles[x] << 4) | nibbles[x + 1] for x in range(0, width, 2))))
        bits = [1 if i is None else 0 for i in row]
        mask_rows.append(padded(bytes(
            sum(bit << (7 - n) for n, bit in enumerate(bits[x:x + 8])) for x in range(0, width, 8))))
    return header + palette + b"".join(colour_rows) + b"".join(mask_rows)


def main(argv):
    if len(argv) < 3:
        sys.exit(__doc__)
    images = [read_xpm(path) for path in argv[2:]]
    blobs = [icon_image(*image) for image in images]
    offset = 6 + 16 * len(blobs)
    directory = struct.pack("<HHH", 0, 1, len(blobs))
    for (width, height, _), blob in zip(images, blobs):
        directory += struct.pack("<BBBBHHII", width % 256, height % 256, 16, 0, 1, 4, len(blob), offset)
        offset += len(blob)
    with open(argv[1], "wb") as out:
        out.write(directory + b"".join(blobs))


if __name__ == "__main__":
    try:
        main(sys.argv)
    except (OSError, ValueError, KeyError) as error:
        sys.exit(f"xpm_to_ico.py: {error}")
