#!/usr/bin/env python3
"""Draws Quillon's icon: a white quill over an ink-blue tile with a gold ink drop.

Writes one .ico holding the 16 x 16 and 32 x 32 images, each in 256 colours and in 24-bit
colour. Usage: draw_icon.py OUTPUT.ico
"""
import math
import struct
import sys

SUPERSAMPLES = 4
TILE = (28, 58, 110)
TILE_EDGE = (12, 30, 66)
QUILL = (248, 248, 240)
QUILL_SHADE = (190, 200, 215)
INK = (236, 178, 44)


def inside_rounded_square(x, y, radius):
    cx = min(max(x, radius), 1 - radius)
    cy = min(max(y, radius), 1 - radius)
    return (x - cx) ** 2 + (y - cy) ** 2 <= radius ** 2


def quill_colour(x, y):
    """The feather runs from the lower left to the upper right; None outside it."""
    # Coordinates along (u) and across (v) the quill's spine.
    u = ((x - 0.22) - (y - 0.80)) / math.sqrt(2) / 0.88
    v = ((x - 0.22) + (y - 0.80)) / math.sqrt(2)
    if not 0.0 <= u <= 1.0:
        return None
    half_width = 0.16 * math.sin(math.pi * min(1.0, u * 1.25)) ** 0.8 if u > 0.18 else 0.0
    if abs(v) <= 0.018 and u <= 0.98:
        return QUILL_SHADE
    if half_width > 0 and abs(v) <= half_width:
        # Barbs: slanted stripes across the vane.
        return QUILL_SHADE if (u * 14 + abs(v) * 9) % 1.0 < 0.18 else QUILL
    return None


def pixel(x, y):
    if (x - 0.22) ** 2 + (y - 0.84) ** 2 <= 0.085 ** 2:
        return INK
    colour = quill_colour(x, y)
    if colour is not None:
        return colour
    if inside_rounded_square(x, y, 0.2):
        return TILE if inside_rounded_square((x - 0.06) / 0.88, (y - 0.06) / 0.88, 0.2) else TILE_EDGE
    return None


def render(size):
    """Rows top to bottom of (r, g, b) or None for transparent, averaged over supersamples."""
    rows = []
    for py in range(size):
        row = []
        for px in range(size):
            hits = []
            for sy in range(SUPERSAMPLES):
                for sx in range(SUPERSAMPLES):
                    c = pixel((px + (sx + 0.5) / SUPERSAMPLES) / size, (py + (sy + 0.5) / SUPERSAMPLES) / size)
                    if c is not None:
                        hits.append(c)
            if len(hits) * 2 < SUPERSAMPLES ** 2:
                row.append(None)
            else:
                row.append(tuple(sum(c[i] for c in hits) // len(hits) for i in range(3)))
        rows.append(row)
    return rows


def palette():
    """A 6 x 6 x 6 colour cube and a ramp of 40 greys: 256 entries."""
    cube = [(r * 51, g * 51, b * 51) for r in range(6) for g in range(6) for b in range(6)]
    greys = [(round(i * 255 / 41),) * 3 for i in range(1, 41)]
    return cube + greys


def nearest(colours, c):
    return min(range(len(colours)), key=lambda i: sum((colours[i][k] - c[k]) ** 2 for k in range(3)))


def and_mask(rows, size):
    stride = ((size + 31) // 32) * 4
    data = bytearray()
    for row in reversed(rows):
        line = bytearray(stride)
        for x, c in enumerate(row):
            if c is None:
                line[x // 8] |= 0x80 >> (x % 8)
        data += line
    return bytes(data)


def dib(rows, size, bits):
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, bits, 0, 0, 0, 0, 256 if bits == 8 else 0, 0)
    data = bytearray(header)
    if bits == 8:
        colours = palette()
        for r, g, b in colours:
            data += bytes((b, g, r, 0))
        stride = (size + 3) // 4 * 4
        for row in reversed(rows):
            line = bytearray(stride)
            for x, c in enumerate(row):
                line[x] = nearest(colours, c) if c is not None else 0
            data += line
    else:
        stride = (size * 3 + 3) // 4 * 4
        for row in reversed(rows):
            line = bytearray(stride)
            for x, c in enumerate(row):
                if c is not None:
                    line[x * 3 : x * 3 + 3] = bytes((c[2], c[1], c[0]))
            data += line
    return bytes(data) + and_mask(rows, size)


def icon(images):
    directory = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    entries = b""
    body = b""
    for size, bits, data in images:
        entries += struct.pack("<BBBBHHII", size, size, 0, 0, 1, bits, len(data), offset + len(body))
        body += data
    return directory + entries + body


def main():
    images = []
    for size in (16, 32):
        rows = render(size)
        for bits in (8, 24):
            images.append((size, bits, dib(rows, size, bits)))
    with open(sys.argv[1], "wb") as out:
        out.write(icon(images))


if __name__ == "__main__":
    main()
