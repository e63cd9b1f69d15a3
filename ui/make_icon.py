#!/usr/bin/env python3
"""Draws the program's icon and writes it as an .ico of 16, 32 and 48 pixels.

The picture: a dark film frame with sprocket holes along both edges, a warm
screen in the middle, and a white magnifier over it (the tool searches
listings). Drawn per pixel at each size so that small sizes stay crisp.

Usage: make_icon.py OUTPUT.ico
"""

import struct
import sys


def pixel(x, y, n):
    """RGBA of pixel (x, y) of an n-by-n icon, y down."""
    u, v = (x + 0.5) / n, (y + 0.5) / n
    # Rounded film frame.
    r = 0.12
    cx, cy = min(max(u, r), 1 - r), min(max(v, r), 1 - r)
    if (u - cx) ** 2 + (v - cy) ** 2 > r * r:
        return (0, 0, 0, 0)
    colour = (38, 42, 54, 255)
    # Sprocket holes in the side bands.
    if u < 0.18 or u > 0.82:
        band = (v * 6) % 1
        if 0.3 < band < 0.7 and (0.06 < u < 0.13 or 0.87 < u < 0.94):
            colour = (230, 230, 220, 255)
    elif 0.1 < v < 0.9:
        # The screen: a warm gradient.
        t = v
        colour = (int(240 - 40 * t), int(150 + 50 * t), int(60 + 40 * t), 255)
    # Magnifier: a ring and a handle, lower right.
    mx, my, mr = 0.46, 0.44, 0.2
    d = ((u - mx) ** 2 + (v - my) ** 2) ** 0.5
    ring = 0.065 if n >= 32 else 0.09
    if mr - ring < d < mr:
        colour = (255, 255, 255, 255)
    hx, hy = u - (mx + 0.13), v - (my + 0.13)
    along = (hx + hy) / 2 ** 0.5
    across = abs(hx - hy) / 2 ** 0.5
    if 0 < along < 0.3 and across < (0.06 if n >= 32 else 0.08):
        colour = (255, 255, 255, 255)
    return colour


def image(n):
    rows = []
    for y in reversed(range(n)):  # bottom-up
        for x in range(n):
            r, g, b, a = pixel(x, y, n)
            rows.append(struct.pack("BBBB", b, g, r, a))
    xor = b"".join(rows)
    mask_row = ((n + 31) // 32) * 4
    mask = b"\0" * (mask_row * n)
    header = struct.pack("<IiiHHIIiiII", 40, n, 2 * n, 1, 32, 0, len(xor) + len(mask), 0, 0, 0, 0)
    return header + xor + mask


def ico(sizes):
    images = [image(n) for n in sizes]
    out = struct.pack("<HHH", 0, 1, len(sizes))
    offset = 6 + 16 * len(sizes)
    for n, data in zip(sizes, images):
        out += struct.pack("<BBBBHHII", n % 256, n % 256, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    return out + b"".join(images)


if __name__ == "__main__":
    with open(sys.argv[1], "wb") as f:
        f.write(ico([16, 32, 48]))
