#!/usr/bin/env python3
"""Draws the application icon of cellaro.exe and writes it as a .ico file.

The picture is a rounded dark square holding a 3 x 3 grid whose top-left 2 x 2 cells are lit in the
accent colour: a window placed on a grid. It is drawn in code at each size (snapped to whole pixels,
edges smoothed by 4 x 4 supersampling), so the build needs no image files and only the Python
standard library. Sizes 16, 24, 32 and 48 are stored as 32-bit BMP entries, 256 as a PNG entry.

Usage: make_icon.py OUTPUT.ico
"""

import struct
import sys
import zlib

SIZES = (16, 24, 32, 48, 256)
PNG_SIZES = (256,)

BACKGROUND = (0x26, 0x2C, 0x38)
FREE_CELL = (0x4A, 0x52, 0x61)
ACCENT = (0x83, 0x99, 0xBA)
# Samples per pixel edge: the small sizes need the smoothing most, the large one needs it least.
SUBSAMPLES_SMALL = 4
SUBSAMPLES_LARGE = 2


def inside_rounded(x, y, left, top, right, bottom, radius):
    """Whether the point lies in the rectangle [left, right) x [top, bottom) with rounded corners."""
    if x < left or x >= right or y < top or y >= bottom:
        return False
    if radius <= 0:
        return True
    cx = min(max(x, left + radius), right - radius)
    cy = min(max(y, top + radius), bottom - radius)
    return (x - cx) ** 2 + (y - cy) ** 2 <= radius * radius


def layout(size):
    """The outer square and the nine cells in pixels, snapped so the grid lines stay crisp."""
    margin = 0 if size <= 24 else round(size / 32)
    outer = (margin, margin, size - margin, size - margin, max(2.0, size * 0.18))
    padding = max(1, round(size * 0.13))
    gap = max(1, round(size * 0.06))
    inner = size - 2 * padding
    cell = (inner - 2 * gap) // 3
    start = padding + (inner - (3 * cell + 2 * gap)) // 2
    cell_radius = cell * 0.14 if size >= 32 else 0
    cells = []
    for row in range(3):
        for column in range(3):
            left = start + column * (cell + gap)
            top = start + row * (cell + gap)
            lit = row < 2 and column < 2
            cells.append(((left, top, left + cell, top + cell, cell_radius), ACCENT if lit else FREE_CELL))
    return outer, cells


def draw(size):
    """Rows of (r, g, b, a) pixels from the top."""
    outer, cells = layout(size)
    samples = SUBSAMPLES_SMALL if size <= 48 else SUBSAMPLES_LARGE
    offsets = [(i + 0.5) / samples for i in range(samples)]
    pixels = []
    for y in range(size):
        row = []
        for x in range(size):
            covered = 0
            totals = [0, 0, 0]
            for oy in offsets:
                for ox in offsets:
                    px, py = x + ox, y + oy
                    if not inside_rounded(px, py, *outer):
                        continue
                    covered += 1
                    colour = BACKGROUND
                    for shape, fill in cells:
                        if inside_rounded(px, py, *shape):
                            colour = fill
                            break
                    for channel in range(3):
                        totals[channel] += colour[channel]
            if covered == 0:
                row.append((0, 0, 0, 0))
                continue
            alpha = round(255 * covered / (samples * samples))
            row.append(tuple(round(total / covered) for total in totals) + (alpha,))
        pixels.append(row)
    return pixels


def bmp_entry(size, pixels):
    """A 32-bit icon image: header (double height for the mask), BGRA rows bottom-up, AND mask."""
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, size * size * 4, 0, 0, 0, 0)
    colour = bytearray()
    for row in reversed(pixels):
        for r, g, b, a in row:
            colour += bytes((b, g, r, a))
    mask_stride = ((size + 31) // 32) * 4
    mask = bytearray()
    for row in reversed(pixels):
        line = bytearray(mask_stride)
        for x, pixel in enumerate(row):
            if pixel[3] == 0:
                line[x // 8] |= 0x80 >> (x % 8)
        mask += line
    return header + bytes(colour) + bytes(mask)


def png_chunk(kind, data):
    body = kind + data
    return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)


def png_entry(size, pixels):
    """An RGBA PNG, as icon entries of 256 pixels are stored."""
    raw = bytearray()
    for row in pixels:
        raw.append(0)  # filter: none
        for pixel in row:
            raw += bytes(pixel)
    header = struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + png_chunk(b"IHDR", header) + png_chunk(b"IDAT", zlib.compress(bytes(raw), 9))
            + png_chunk(b"IEND", b""))


def icon_file():
    images = []
    for size in SIZES:
        pixels = draw(size)
        images.append((size, png_entry(size, pixels) if size in PNG_SIZES else bmp_entry(size, pixels)))
    directory = struct.pack("<HHH", 0, 1, len(images))
    offset = len(directory) + 16 * len(images)
    entries = b""
    for size, data in images:
        side = 0 if size >= 256 else size  # 0 stands for 256 in the directory
        entries += struct.pack("<BBBBHHII", side, side, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    return directory + entries + b"".join(data for _, data in images)


def main(arguments):
    if len(arguments) != 2:
        sys.stderr.write(__doc__)
        return 2
    with open(arguments[1], "wb") as output:
        output.write(icon_file())
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
