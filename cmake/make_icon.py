#!/usr/bin/env python3
"""Writes the program icon: a small load graph in the colours of the graph window, drawn afresh for every size.

usage: make_icon.py OUT.ico [PREVIEW.png]

Each size is drawn on its own pixel grid rather than scaled from one master, so the small sizes stay crisp. The
256-pixel image is stored as PNG, the others as 32-bit bitmaps, which every Windows from 7 on reads.
"""

import struct
import sys
import zlib

SIZES = (16, 20, 24, 32, 48, 256)

BACKGROUND = (0, 0, 0)
FRAME = (96, 96, 96)
GRID = (0, 56, 0)
BAR = (0, 160, 0)
BAR_TOP = (160, 255, 160)

# Loads in percent, oldest first: one column each, as in the 16 x 16 tray picture's 14 columns.
LOADS = (34, 52, 42, 66, 56, 38, 60, 78, 64, 86, 70, 52, 74, 92)


def draw(size):
    """Rows of (r, g, b), top row first."""
    unit = size / 16
    frame = max(1, round(size / 48))
    line = max(1, round(size / 64))
    inner_top, inner_bottom = frame, size - frame  # rows inner_top .. inner_bottom - 1 lie inside the frame
    height = inner_bottom - inner_top
    pixels = [[BACKGROUND] * size for _ in range(size)]

    # Three dim lines at a quarter, half and three quarters, as a measuring grid behind the bars.
    if size >= 20:
        for quarter in (1, 2, 3):
            row = inner_top + round(height * quarter / 4)
            for y in range(row, row + line):
                pixels[y][frame:size - frame] = [GRID] * (size - 2 * frame)

    # Columns 1 .. 14 of a 16-wide grid carry the bars, leaving one free column at each side like the tray picture.
    for column, load in enumerate(LOADS, start=1):
        left, right = round(column * unit), round((column + 1) * unit)
        top = inner_bottom - round(height * load / 100)
        cap = max(1, round(unit / 2))
        for y in range(top, inner_bottom):
            colour = BAR_TOP if y < top + cap else BAR
            for x in range(left, right):
                pixels[y][x] = colour

    for y in range(size):
        for x in range(size):
            if min(x, y, size - 1 - x, size - 1 - y) < frame:
                pixels[y][x] = FRAME
    return pixels


def bitmap_entry(pixels):
    """A BITMAPINFOHEADER with twice the height (colour plus mask), bottom-up BGRA rows, then an all-clear mask."""
    size = len(pixels)
    mask_row = ((size + 31) // 32) * 4
    header = struct.pack("<IiiHHIIiiII", 40, size, 2 * size, 1, 32, 0, size * size * 4 + size * mask_row, 0, 0, 0, 0)
    colour = b"".join(bytes((b, g, r, 255)) for row in reversed(pixels) for (r, g, b) in row)
    return header + colour + bytes(mask_row * size)


def png_entry(pixels):
    size = len(pixels)

    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))

    raw = b"".join(b"\0" + b"".join(bytes(rgb) for rgb in row) for row in pixels)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", size, size, 8, 2, 0, 0, 0)) +
            chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def icon_file(images):
    directory = struct.pack("<HHH", 0, 1, len(images))
    offset = len(directory) + 16 * len(images)
    entries, data = b"", b""
    for size, blob in images:
        side = 0 if size == 256 else size
        entries += struct.pack("<BBBBHHII", side, side, 0, 0, 1, 32, len(blob), offset + len(data))
        data += blob
    return directory + entries + data


def main(argv):
    if len(argv) not in (2, 3):
        sys.exit(__doc__.strip().splitlines()[2])
    pictures = {size: draw(size) for size in SIZES}
    images = [(size, png_entry(pictures[size]) if size == 256 else bitmap_entry(pictures[size])) for size in SIZES]
    with open(argv[1], "wb") as out:
        out.write(icon_file(images))
    if len(argv) == 3:
        with open(argv[2], "wb") as out:
            out.write(png_entry(pictures[256]))


if __name__ == "__main__":
    main(sys.argv)
