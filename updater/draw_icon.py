#!/usr/bin/env python3
"""Draws the updater's icon (32x32 and 16x16, 32-bit with alpha) into the .ico file named.

A blue disc with a soft highlight carries a white arrow pointing down into a tray: fetching an update.
"""
import math
import struct
import sys


def draw(size):
    px = []
    c = (size - 1) / 2.0
    r = size / 2.0 - 0.5
    for y in range(size):
        row = []
        for x in range(size):
            d = math.hypot(x - c, y - c)
            cover = max(0.0, min(1.0, r - d + 0.5))  # anti-aliased disc edge
            # light from the upper left
            t = max(0.0, min(1.0, ((x - c) + (y - c)) / (2 * r) + 0.5))
            blue = (int(70 + 60 * (1 - t)), int(130 + 70 * (1 - t)), int(205 + 40 * (1 - t)))
            colour = blue
            u, v = x / size, y / size
            shaft = 0.42 <= u <= 0.58 and 0.18 <= v <= 0.50
            head = v >= 0.46 and v <= 0.70 and abs(u - 0.5) <= (0.70 - v) * 1.05
            tray = 0.74 <= v <= 0.82 and 0.24 <= u <= 0.76
            if shaft or head or tray:
                colour = (255, 255, 255)
            row.append((colour, int(round(255 * cover))))
        px.append(row)
    return px


def icon_image(size):
    px = draw(size)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    xor = bytearray()
    for y in reversed(range(size)):
        for (r, g, b), a in px[y]:
            xor += bytes((b, g, r, a))
    stride = ((size + 31) // 32) * 4
    mask = bytearray()
    for y in reversed(range(size)):
        bits = bytearray(stride)
        for x in range(size):
            if px[y][x][1] == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    return header + bytes(xor) + bytes(mask)


def main(path):
    sizes = (32, 16)
    images = [icon_image(s) for s in sizes]
    out = struct.pack("<HHH", 0, 1, len(sizes))
    offset = 6 + 16 * len(sizes)
    for s, data in zip(sizes, images):
        out += struct.pack("<BBBBHHII", s, s, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    with open(path, "wb") as f:
        f.write(out + b"".join(images))


if __name__ == "__main__":
    main(sys.argv[1])
