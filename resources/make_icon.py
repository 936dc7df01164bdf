#!/usr/bin/env python3
"""Draws the program icon, a small table grid, from one master drawing.

Without arguments it writes MAINICON, the 32 x 32 picture in 16 colours, as tabulor.ico and
tabulor.png next to this script; the first palette entry is the transparent background.

    make_icon.py --hicolor DIR NAME SIZE...

renders the same drawing smoothly at each size, as DIR/<size>x<size>/apps/NAME.png (RGBA), for
the desktop's icon theme.
"""
import pathlib
import struct
import sys
import zlib

SIZE = 32  # the master drawing's grid, and MAINICON's size

PALETTE = [
    (255, 0, 255),    # 0 transparent background
    (0, 0, 0),        # 1 outline
    (0, 0, 128),      # 2 header row
    (0, 120, 215),    # 3 header row highlight
    (255, 255, 255),  # 4 cells and header text
    (192, 192, 192),  # 5 grid lines
    (128, 128, 128),  # 6 shadow
    (224, 232, 240),  # 7 header column
    (0, 128, 0),      # 8 figures in the cells
    (64, 64, 64),     # 9 cell text
    (255, 255, 0),    # 10 unused
    (128, 0, 0),      # 11 unused
    (0, 128, 128),    # 12 unused
    (128, 128, 0),    # 13 unused
    (128, 0, 128),    # 14 unused
    (255, 0, 0),      # 15 unused
]

LEFT, TOP, RIGHT, BOTTOM = 2, 4, 28, 27  # the table's outline, inclusive
COLUMNS = (LEFT, 10, 19, RIGHT)          # vertical lines
ROWS = (TOP, 10, 16, 22, BOTTOM)         # horizontal lines


def master():
    """The drawing: rectangles painted in order, each (x0, y0, x1, y1, colour) with inclusive
    corners on the 32 x 32 grid."""
    shapes = []

    def fill(x0, y0, x1, y1, colour):
        shapes.append((x0, y0, x1, y1, colour))

    fill(LEFT + 2, TOP + 2, RIGHT + 2, BOTTOM + 2, 6)     # shadow
    fill(LEFT, TOP, RIGHT, BOTTOM, 4)                     # cells
    fill(LEFT, TOP, RIGHT, ROWS[1], 2)                    # header row
    fill(LEFT + 1, TOP + 1, RIGHT - 1, TOP + 2, 3)
    fill(LEFT, ROWS[1], COLUMNS[1], BOTTOM, 7)            # header column
    for x in COLUMNS[1:-1]:
        fill(x, ROWS[1], x, BOTTOM, 5)
    for y in ROWS[1:-1]:
        fill(LEFT, y, RIGHT, y, 5)
    for x0, x1 in zip(COLUMNS, COLUMNS[1:]):              # header captions
        fill(x0 + 2, TOP + 4, x1 - 3, TOP + 4, 4)
    for y0 in ROWS[1:-1]:                                 # cell contents
        fill(LEFT + 2, y0 + 3, COLUMNS[1] - 3, y0 + 3, 9)
        fill(COLUMNS[1] + 3, y0 + 3, COLUMNS[2] - 2, y0 + 3, 8)
        fill(COLUMNS[2] + 4, y0 + 3, RIGHT - 2, y0 + 3, 8)
    fill(LEFT, TOP, RIGHT, TOP, 1)                        # outline
    fill(LEFT, BOTTOM, RIGHT, BOTTOM, 1)
    fill(LEFT, TOP, LEFT, BOTTOM, 1)
    fill(RIGHT, TOP, RIGHT, BOTTOM, 1)
    return shapes


def draw_indexed():
    """MAINICON: the drawing at its own size, one palette index a pixel."""
    pixels = [[0] * SIZE for _ in range(SIZE)]
    for x0, y0, x1, y1, colour in master():
        for y in range(y0, y1 + 1):
            pixels[y][x0:x1 + 1] = [colour] * (x1 + 1 - x0)
    return pixels


def draw_smooth(size):
    """The drawing scaled to size x size, each pixel [r, g, b, a] in 0..1. A rectangle covers
    a pixel in proportion to the area it overlaps, so that edges between grid lines blend
    rather than jump at sizes that are not a multiple of the grid."""
    scale = size / SIZE
    pixels = [[[0.0, 0.0, 0.0, 0.0] for _ in range(size)] for _ in range(size)]

    def spans(start, end):
        # The pixels that [start, end) in drawing units touches, with the share of each.
        low, high = start * scale, end * scale
        for p in range(int(low), min(size, int(-(-high // 1)))):
            yield p, min(high, p + 1) - max(low, p)

    for x0, y0, x1, y1, colour in master():
        red, green, blue = (c / 255 for c in PALETTE[colour])
        for y, cover_y in spans(y0, y1 + 1):
            for x, cover_x in spans(x0, x1 + 1):
                alpha = cover_x * cover_y
                pixel = pixels[y][x]
                kept = pixel[3] * (1 - alpha)
                total = alpha + kept
                pixel[:] = [(red * alpha + pixel[0] * kept) / total,
                            (green * alpha + pixel[1] * kept) / total,
                            (blue * alpha + pixel[2] * kept) / total, total]
    return pixels


def chunk(kind, data):
    body = kind + data
    return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))


def png(header, rows, *extra_chunks):
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + b"".join(extra_chunks)
            + chunk(b"IDAT", zlib.compress(b"".join(b"\0" + row for row in rows), 9))
            + chunk(b"IEND", b""))


def nibbles(row):
    return bytes((row[x] << 4) | row[x + 1] for x in range(0, SIZE, 2))


def indexed_png(pixels):
    return png(struct.pack(">IIBBBBB", SIZE, SIZE, 4, 3, 0, 0, 0),
               [nibbles(row) for row in pixels],
               chunk(b"PLTE", b"".join(bytes(colour) for colour in PALETTE)),
               chunk(b"tRNS", b"\0"))


def rgba_png(pixels):
    size = len(pixels)
    return png(struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0),
               [bytes(round(channel * 255) for pixel in row for channel in pixel)
                for row in pixels])


def ico(pixels):
    # A device-independent bitmap stored bottom row first: the colour plane at 4 bits a pixel,
    # then the transparency mask at 1 bit a pixel, each row padded to 4 bytes.
    colour_rows = b"".join(nibbles(row) for row in reversed(pixels))
    mask_rows = b""
    for row in reversed(pixels):
        bits = 0
        for x in range(SIZE):
            bits = (bits << 1) | (row[x] == 0)
        mask_rows += struct.pack(">I", bits)
    # Windows draws an icon as (screen AND mask) XOR colour: under the mask the colour must be
    # black, or the background shows through inverted (magenta turns white into green).
    palette = b"".join(bytes((b, g, r, 0)) for r, g, b in [(0, 0, 0)] + PALETTE[1:])
    header = struct.pack("<IiiHHIIiiII", 40, SIZE, 2 * SIZE, 1, 4, 0,
                         len(colour_rows) + len(mask_rows), 0, 0, 16, 0)
    image = header + palette + colour_rows + mask_rows
    directory = struct.pack("<HHH", 0, 1, 1) + struct.pack(
        "<BBBBHHII", SIZE, SIZE, 16, 0, 1, 4, len(image), 6 + 16)
    return directory + image


def write_hicolor(folder, name, sizes):
    for size in sizes:
        apps = pathlib.Path(folder) / f"{size}x{size}" / "apps"
        apps.mkdir(parents=True, exist_ok=True)
        (apps / f"{name}.png").write_bytes(rgba_png(draw_smooth(size)))


def main(arguments):
    if arguments[:1] == ["--hicolor"] and len(arguments) >= 4:
        write_hicolor(arguments[1], arguments[2], [int(size) for size in arguments[3:]])
        return 0
    if arguments:
        print(__doc__, file=sys.stderr)
        return 2
    here = pathlib.Path(__file__).resolve().parent
    pixels = draw_indexed()
    (here / "tabulor.png").write_bytes(indexed_png(pixels))
    (here / "tabulor.ico").write_bytes(ico(pixels))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
