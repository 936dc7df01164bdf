#!/usr/bin/env python3
"""Draws MAINICON, a small table grid, and writes it as tabulor.ico and tabulor.png.

Both files hold the same 32 x 32 picture in 16 colours; the first palette entry is the
transparent background. Run it from anywhere: the files land next to this script.
"""
import pathlib
import struct
import zlib

SIZE = 32

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


def draw():
    pixels = [[0] * SIZE for _ in range(SIZE)]

    def fill(x0, y0, x1, y1, colour):
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                pixels[y][x] = colour

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
    return pixels


def png(pixels):
    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))

    rows = b"".join(b"\0" + bytes((row[x] << 4) | row[x + 1] for x in range(0, SIZE, 2))
                    for row in pixels)
    return (b"\x89PNG\r\n\x1a\n"
            + chunk(b"IHDR", struct.pack(">IIBBBBB", SIZE, SIZE, 4, 3, 0, 0, 0))
            + chunk(b"PLTE", b"".join(bytes(colour) for colour in PALETTE))
            + chunk(b"tRNS", b"\0")
            + chunk(b"IDAT", zlib.compress(rows, 9))
            + chunk(b"IEND", b""))


def ico(pixels):
    # A device-independent bitmap stored bottom row first: the colour plane at 4 bits a pixel,
    # then the transparency mask at 1 bit a pixel, each row padded to 4 bytes.
    colour_rows = b"".join(bytes((row[x] << 4) | row[x + 1] for x in range(0, SIZE, 2))
                           for row in reversed(pixels))
    mask_rows = b""
    for row in reversed(pixels):
        bits = 0
        for x in range(SIZE):
            bits = (bits << 1) | (row[x] == 0)
        mask_rows += struct.pack(">I", bits)
    palette = b"".join(bytes((b, g, r, 0)) for r, g, b in PALETTE)
    header = struct.pack("<IiiHHIIiiII", 40, SIZE, 2 * SIZE, 1, 4, 0,
                         len(colour_rows) + len(mask_rows), 0, 0, 16, 0)
    image = header + palette + colour_rows + mask_rows
    directory = struct.pack("<HHH", 0, 1, 1) + struct.pack(
        "<BBBBHHII", SIZE, SIZE, 16, 0, 1, 4, len(image), 6 + 16)
    return directory + image


def main():
    here = pathlib.Path(__file__).resolve().parent
    pixels = draw()
    (here / "tabulor.png").write_bytes(png(pixels))
    (here / "tabulor.ico").write_bytes(ico(pixels))


if __name__ == "__main__":
    main()
