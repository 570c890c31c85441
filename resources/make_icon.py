#!/usr/bin/env python3
"""Draws the application icon: a white chain link on a blue rounded square.

Writes tesvorin.ico (one 32x32 image, 32 bits per pixel) beside this script.
The output is committed; run this again only to change the picture.
"""

import math
import struct
from pathlib import Path

SIZE = 32
SAMPLES = 4  # per axis, for smooth edges

BACKGROUND = (0x2B, 0x7B, 0xE4)
BACKGROUND_DARK = (0x1A, 0x5C, 0xB8)
LINK = (0xFF, 0xFF, 0xFF)


def rounded_square(x, y, inset=1.0, radius=6.5):
    """Signed distance to a rounded square filling the icon."""
    half = SIZE / 2 - inset
    qx = abs(x - SIZE / 2) - (half - radius)
    qy = abs(y - SIZE / 2) - (half - radius)
    outside = math.hypot(max(qx, 0), max(qy, 0))
    return outside + min(max(qx, qy), 0) - radius


def capsule_ring(x, y, a, b, radius, width):
    """Signed distance to the outline of a capsule from a to b."""
    ax, ay = a
    bx, by = b
    dx, dy = bx - ax, by - ay
    t = max(0.0, min(1.0, ((x - ax) * dx + (y - ay) * dy) / (dx * dx + dy * dy)))
    distance = math.hypot(x - (ax + t * dx), y - (ay + t * dy))
    return abs(distance - radius) - width / 2


RING_A = ((9.5, 22.5), (13.5, 18.5))
RING_B = ((18.5, 13.5), (22.5, 9.5))
RADIUS = 4.4
STROKE = 2.4


def colour_at(x, y):
    """Colour and coverage of one sample."""
    if rounded_square(x, y) > 0:
        return None
    shade = y / SIZE
    base = tuple(
        round(c * (1 - shade) + d * shade) for c, d in zip(BACKGROUND, BACKGROUND_DARK)
    )
    in_a = capsule_ring(x, y, *RING_A, RADIUS, STROKE) <= 0
    in_b = capsule_ring(x, y, *RING_B, RADIUS, STROKE) <= 0
    # Where ring B crosses over ring A, a thin gap in A shows which is on top.
    near_b = capsule_ring(x, y, *RING_B, RADIUS, STROKE + 2.0) <= 0
    if in_b or (in_a and not (near_b and x > y)):
        return LINK
    return base


def render():
    pixels = []  # rows top to bottom, each pixel (b, g, r, a)
    for row in range(SIZE):
        line = []
        for column in range(SIZE):
            total = [0, 0, 0]
            covered = 0
            for sy in range(SAMPLES):
                for sx in range(SAMPLES):
                    colour = colour_at(
                        column + (sx + 0.5) / SAMPLES, row + (sy + 0.5) / SAMPLES
                    )
                    if colour is not None:
                        covered += 1
                        for i in range(3):
                            total[i] += colour[i]
            if covered == 0:
                line.append((0, 0, 0, 0))
                continue
            r, g, b = (round(t / covered) for t in total)
            alpha = round(255 * covered / (SAMPLES * SAMPLES))
            line.append((b, g, r, alpha))
        pixels.append(line)
    return pixels


def ico_bytes(pixels):
    xor = b"".join(bytes(p) for row in reversed(pixels) for p in row)
    mask_row_bytes = ((SIZE + 31) // 32) * 4
    mask = bytearray()
    for row in reversed(pixels):
        bits = bytearray(mask_row_bytes)
        for column, pixel in enumerate(row):
            if pixel[3] == 0:
                bits[column // 8] |= 0x80 >> (column % 8)
        mask += bits
    header = struct.pack(
        "<IiiHHIIiiII", 40, SIZE, SIZE * 2, 1, 32, 0, len(xor) + len(mask), 0, 0, 0, 0
    )
    image = header + xor + bytes(mask)
    directory = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", SIZE, SIZE, 0, 0, 1, 32, len(image), 6 + 16)
    return directory + entry + image


if __name__ == "__main__":
    out = Path(__file__).with_name("tesvorin.ico")
    out.write_bytes(ico_bytes(render()))
    print(out)
