#!/usr/bin/env python3
"""Draws the cell pictures and the icon as 16-colour BMP files.

The pictures are pixel art: every pixel is decided here, so running this again
gives the same files byte for byte.  Usage: draw_pictures.py [output folder]
"""
import struct
import sys
from pathlib import Path

# The standard 16-colour palette, in its usual order.
PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
BLACK, GREEN, TEAL, GREY, RED, LIME = 0, 2, 6, 8, 9, 10


def write_bmp(path, pixels):
    """Writes rows of palette indices as an uncompressed 4-bit BMP."""
    height, width = len(pixels), len(pixels[0])
    stride = ((width + 1) // 2 + 3) // 4 * 4
    body = bytearray()
    for row in reversed(pixels):
        packed = bytearray()
        for x in range(0, width, 2):
            right = row[x + 1] if x + 1 < width else 0
            packed.append(row[x] << 4 | right)
        body += packed.ljust(stride, b"\0")
    palette = b"".join(bytes((b, g, r, 0)) for r, g, b in PALETTE)
    offset = 14 + 40 + len(palette)
    header = struct.pack("<2sIHHI", b"BM", offset + len(body), 0, 0, offset)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 4, 0, len(body),
                       3780, 3780, 16, 0)
    Path(path).write_bytes(header + info + palette + bytes(body))


def disc(cx, cy, radius):
    """The pixels whose centres lie within the circle."""
    def inside(x, y):
        return (x + 0.5 - cx) ** 2 + (y + 0.5 - cy) ** 2 <= radius ** 2
    return inside


def outline(inside, x, y):
    """A pixel of the disc that has a 4-neighbour outside it."""
    return inside(x, y) and not all(
        inside(x + dx, y + dy) for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1)))


def cell_picture(fill):
    """36 x 36: outer circle on pixels 1..34, inner circle on pixels 8..27."""
    outer, inner = disc(18, 18, 17), disc(18, 18, 10)
    pixels = [[GREY] * 36 for _ in range(36)]
    ring = TEAL if fill is None else BLACK
    for y in range(36):
        for x in range(36):
            if outline(outer, x, y) or outline(inner, x, y):
                pixels[y][x] = ring
            elif fill is not None and outer(x, y):
                pixels[y][x] = fill
    return pixels


def icon():
    """32 x 32: four ringed discs on grey, each with a shadow to the lower right."""
    pixels = [[GREY] * 32 for _ in range(32)]
    for (cx, cy), colour in (((8, 8), LIME), ((24, 8), RED),
                             ((8, 24), RED), ((24, 24), LIME)):
        body, shadow = disc(cx, cy, 6), disc(cx + 1, cy + 1, 6)
        ring_outer, ring_inner = disc(cx, cy, 3.6), disc(cx, cy, 2.6)
        for y in range(32):
            for x in range(32):
                if body(x, y):
                    in_ring = ring_outer(x, y) and not ring_inner(x, y)
                    pixels[y][x] = GREY if in_ring else colour
                elif shadow(x, y):
                    pixels[y][x] = BLACK
    return pixels


def main():
    folder = Path(sys.argv[1] if len(sys.argv) > 1 else Path(__file__).parent)
    write_bmp(folder / "FreeCell.bmp", cell_picture(None))
    write_bmp(folder / "Player1Cell.bmp", cell_picture(GREEN))
    write_bmp(folder / "Player2Cell.bmp", cell_picture(RED))
    write_bmp(folder / "Telvir.bmp", icon())


if __name__ == "__main__":
    main()
