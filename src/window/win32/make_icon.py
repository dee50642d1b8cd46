#!/usr/bin/env python3
"""Draws the Ordalis icon and writes it as a Windows .ico file.

The design: a document page with its top right corner folded over, lines of
text in two columns, and a red triangle pointing right over the page's left
edge. It is drawn on a 32 x 32 grid and rasterised at 32 x 32 and 16 x 16,
in 16 colours, with a transparency mask.

Usage: make_icon.py OUTPUT.ico
"""
import struct
import sys

# The 16-colour palette (red, green, blue).
PALETTE = [
    (0x00, 0x00, 0x00), (0x80, 0x00, 0x00), (0x00, 0x80, 0x00), (0x80, 0x80, 0x00),
    (0x00, 0x00, 0x80), (0x80, 0x00, 0x80), (0x00, 0x80, 0x80), (0xC0, 0xC0, 0xC0),
    (0x80, 0x80, 0x80), (0xFF, 0x00, 0x00), (0x00, 0xFF, 0x00), (0xFF, 0xFF, 0x00),
    (0x00, 0x00, 0xFF), (0xFF, 0x00, 0xFF), (0x00, 0xFF, 0xFF), (0xFF, 0xFF, 0xFF),
]
BLACK, MAROON, SILVER, GREY, RED, WHITE = 0, 1, 7, 8, 9, 15

PAGE = [(8, 2), (23, 2), (29, 8), (29, 29), (8, 29)]
FOLD = [(23, 2), (23, 8), (29, 8)]
TRIANGLE = [(2, 9), (14, 16), (2, 23)]


def inside(polygon, x, y):
    """True when the point lies inside the polygon (even-odd rule)."""
    result = False
    for (x1, y1), (x2, y2) in zip(polygon, polygon[1:] + polygon[:1]):
        if (y1 > y) != (y2 > y) and x < x1 + (y - y1) * (x2 - x1) / (y2 - y1):
            result = not result
    return result


def line(pixels, size, a, b, colour):
    """Bresenham's line from a to b, both ends included."""
    (x0, y0), (x1, y1) = a, b
    dx, dy = abs(x1 - x0), -abs(y1 - y0)
    sx, sy = (1 if x0 < x1 else -1), (1 if y0 < y1 else -1)
    error = dx + dy
    while True:
        if 0 <= x0 < size and 0 <= y0 < size:
            pixels[y0][x0] = colour
        if (x0, y0) == (x1, y1):
            return
        twice = 2 * error
        if twice >= dy:
            error += dy
            x0 += sx
        if twice <= dx:
            error += dx
            y0 += sy


def polygon(pixels, size, points, fill, outline):
    scale = size / 32
    for y in range(size):
        for x in range(size):
            if inside(points, (x + 0.5) / scale, (y + 0.5) / scale):
                pixels[y][x] = fill
    scaled = [(min(size - 1, int(px * scale)), min(size - 1, int(py * scale))) for px, py in points]
    if outline is None:
        return
    for a, b in zip(scaled, scaled[1:] + scaled[:1]):
        line(pixels, size, a, b, outline)


def draw(size):
    """Returns rows of palette indexes, top row first; None is transparent."""
    pixels = [[None] * size for _ in range(size)]
    scale = size / 32
    polygon(pixels, size, PAGE, WHITE, BLACK)
    polygon(pixels, size, FOLD, SILVER, BLACK)
    # Fewer, farther lines when small, so that they stay apart.
    rows = range(11, 27, 3) if size >= 32 else range(12, 27, 4)
    for y in rows:
        for x0, x1 in ((12, 17), (19, 26)):
            line(pixels, size, (int(x0 * scale), int(y * scale)), (int(x1 * scale), int(y * scale)),
                 GREY)
    # At 16 x 16 an outline would eat half the triangle.
    polygon(pixels, size, TRIANGLE, RED, MAROON if size >= 32 else None)
    return pixels


def image(size):
    """The icon image: BITMAPINFOHEADER, palette, colour bits, mask bits."""
    pixels = draw(size)
    colour_row = (size * 4 + 31) // 32 * 4
    mask_row = (size + 31) // 32 * 4
    colours = bytearray()
    mask = bytearray()
    for row in reversed(pixels):  # Bottom-up.
        packed = bytearray(colour_row)
        bits = bytearray(mask_row)
        for x, index in enumerate(row):
            value = 0 if index is None else index
            packed[x // 2] |= value << (4 if x % 2 == 0 else 0)
            if index is None:
                bits[x // 8] |= 0x80 >> (x % 8)
        colours += packed
        mask += bits
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 4, 0, len(colours) + len(mask), 0, 0,
                         16, 0)
    palette = b''.join(struct.pack('<BBBB', b, g, r, 0) for r, g, b in PALETTE)
    return header + palette + bytes(colours) + bytes(mask)


def main():
    sizes = (32, 16)
    images = [image(size) for size in sizes]
    data = struct.pack('<HHH', 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, body in zip(sizes, images):
        data += struct.pack('<BBBBHHII', size, size, 16, 0, 1, 4, len(body), offset)
        offset += len(body)
    with open(sys.argv[1], 'wb') as out:
        out.write(data + b''.join(images))


if __name__ == '__main__':
    main()
