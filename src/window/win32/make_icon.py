#!/usr/bin/env python3
"""Writes the Ordalis icon as a Windows .ico file from the PNG files that
ordalis-icon-export draws with the window's own icon code, so both windows
show one design.

The .ico holds 16, 20, 24, 32, 40, 48 and 64 pixel images as 32-bit colour
bitmaps with an alpha channel, and the 256 pixel one as PNG, as Windows since
Vista takes it: the small and large icons at 100, 125, 150 and 200 % scale
each have an image of their own.

Usage:
  build/src/window/qt/ordalis-icon-export DIR ordalis 16 20 24 32 40 48 64 256
  src/window/win32/make_icon.py DIR src/window/win32/ordalis.ico
"""
import struct
import sys
import zlib

SIZES = [16, 20, 24, 32, 40, 48, 64, 256]
PNG_SIZES = {256}


def read_png(path):
    """The width, height and rows of RGBA pixels of an 8-bit RGBA PNG file."""
    data = open(path, "rb").read()
    assert data[:8] == b"\x89PNG\r\n\x1a\n", path
    at, idat = 8, b""
    while at < len(data):
        length, kind = struct.unpack(">I4s", data[at:at + 8])
        body = data[at + 8:at + 8 + length]
        if kind == b"IHDR":
            width, height, depth, colour, _, _, interlace = struct.unpack(">IIBBBBB", body)
            assert depth == 8 and colour == 6 and interlace == 0, f"{path}: not 8-bit RGBA"
        elif kind == b"IDAT":
            idat += body
        at += 12 + length
    raw = zlib.decompress(idat)
    stride = width * 4
    rows, previous = [], bytearray(stride)
    for y in range(height):
        kind, line = raw[y * (stride + 1)], bytearray(raw[y * (stride + 1) + 1:(y + 1) * (stride + 1)])
        for i in range(stride):
            left = line[i - 4] if i >= 4 else 0
            up = previous[i]
            up_left = previous[i - 4] if i >= 4 else 0
            if kind == 1:
                line[i] = (line[i] + left) & 0xFF
            elif kind == 2:
                line[i] = (line[i] + up) & 0xFF
            elif kind == 3:
                line[i] = (line[i] + (left + up) // 2) & 0xFF
            elif kind == 4:
                p = left + up - up_left
                pa, pb, pc = abs(p - left), abs(p - up), abs(p - up_left)
                pred = left if pa <= pb and pa <= pc else (up if pb <= pc else up_left)
                line[i] = (line[i] + pred) & 0xFF
        rows.append(bytes(line))
        previous = line
    return width, height, rows


def bitmap(width, height, rows):
    """A 32-bit BGRA device-independent bitmap, bottom row first, with the
    AND mask an icon resource carries after it."""
    header = struct.pack("<IiiHHIIiiII", 40, width, height * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    pixels = b""
    for row in reversed(rows):
        for x in range(width):
            r, g, b, a = row[4 * x:4 * x + 4]
            pixels += bytes((b, g, r, a))
    mask_stride = ((width + 31) // 32) * 4
    mask = b""
    for row in reversed(rows):
        bits = bytearray(mask_stride)
        for x in range(width):
            if row[4 * x + 3] == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bytes(bits)
    return header + pixels + mask


def main(folder, output):
    images = []
    for size in SIZES:
        path = f"{folder}/hicolor/{size}x{size}/apps/ordalis.png"
        if size in PNG_SIZES:
            images.append((size, open(path, "rb").read()))
        else:
            width, height, rows = read_png(path)
            assert width == height == size, path
            images.append((size, bitmap(width, height, rows)))
    directory = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, data in images:
        directory += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    with open(output, "wb") as f:
        f.write(directory + b"".join(data for _, data in images))


if __name__ == "__main__":
    main(sys.argv[1], sys.argv[2])
