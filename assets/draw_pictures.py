#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 The Telvir developers
# SPDX-License-Identifier: GPL-3.0-or-later

"""Draws the cell pictures and the icon.

The pictures are pixel art: every pixel is decided here, so running this again
gives the same files byte for byte.  The cell pictures and the 32 x 32 icon
are 16-colour BMP files; for the desktop the icon is also drawn to the same
design at larger sizes as PNG files, and as an SVG file.
Usage: draw_pictures.py [output folder]
"""
import struct
import sys
import zlib
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


def write_png(path, pixels):
    """Writes rows of palette indices as an 8-bit paletted PNG."""
    height, width = len(pixels), len(pixels[0])

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))

    header = struct.pack(">IIBBBBB", width, height, 8, 3, 0, 0, 0)
    palette = b"".join(bytes(colour) for colour in PALETTE)
    rows = b"".join(b"\0" + bytes(row) for row in pixels)
    Path(path).write_bytes(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"PLTE", palette)
                           + chunk(b"IDAT", zlib.compress(rows, 9)) + chunk(b"IEND", b""))


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


# The icon's design on a 32-unit square: four discs, each with a grey ring set
# inside it and a black shadow one unit to the lower right.
ICON_DISCS = (((8, 8), LIME), ((24, 8), RED), ((8, 24), RED), ((24, 24), LIME))
DISC_RADIUS, RING_OUTER, RING_INNER, SHADOW = 6, 3.6, 2.6, 1


def icon(size=32):
    """The icon drawn at size x size pixels, with no blended edges."""
    unit = size / 32
    pixels = [[GREY] * size for _ in range(size)]
    for (cx, cy), colour in ICON_DISCS:
        cx, cy = cx * unit, cy * unit
        body = disc(cx, cy, DISC_RADIUS * unit)
        shadow = disc(cx + SHADOW * unit, cy + SHADOW * unit, DISC_RADIUS * unit)
        ring_outer, ring_inner = disc(cx, cy, RING_OUTER * unit), disc(cx, cy, RING_INNER * unit)
        for y in range(size):
            for x in range(size):
                if body(x, y):
                    in_ring = ring_outer(x, y) and not ring_inner(x, y)
                    pixels[y][x] = GREY if in_ring else colour
                elif shadow(x, y):
                    pixels[y][x] = BLACK
    return pixels


def icon_svg():
    """The same design as a scalable picture."""
    def hex_colour(index):
        return "#%02x%02x%02x" % PALETTE[index]
    shapes = [f'<rect width="32" height="32" fill="{hex_colour(GREY)}"/>']
    for (cx, cy), colour in ICON_DISCS:
        ring = (RING_OUTER + RING_INNER) / 2
        shapes += [
            f'<circle cx="{cx + SHADOW}" cy="{cy + SHADOW}" r="{DISC_RADIUS}" fill="{hex_colour(BLACK)}"/>',
            f'<circle cx="{cx}" cy="{cy}" r="{DISC_RADIUS}" fill="{hex_colour(colour)}"/>',
            f'<circle cx="{cx}" cy="{cy}" r="{ring}" fill="none" stroke="{hex_colour(GREY)}" stroke-width="1"/>',
        ]
    body = "\n  ".join(shapes)
    return ('<svg xmlns="http://www.w3.org/2000/svg" width="32" height="32" viewBox="0 0 32 32" '
            f'shape-rendering="crispEdges">\n  {body}\n</svg>\n')


ICON_SIZES = (32, 48, 64, 128, 256)


def main():
    folder = Path(sys.argv[1] if len(sys.argv) > 1 else Path(__file__).parent)
    write_bmp(folder / "FreeCell.bmp", cell_picture(None))
    write_bmp(folder / "Player1Cell.bmp", cell_picture(GREEN))
    write_bmp(folder / "Player2Cell.bmp", cell_picture(RED))
    write_bmp(folder / "Telvir.bmp", icon())
    for size in ICON_SIZES:
        write_png(folder / "icons" / f"{size}.png", icon(size))
    (folder / "icons" / "scalable.svg").write_text(icon_svg())


if __name__ == "__main__":
    main()
