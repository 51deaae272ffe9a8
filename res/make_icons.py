#!/usr/bin/env python3
"""Draws the browser's icons and writes them as .ico files.

Usage: make_icons.py OUTPUT_DIRECTORY

Every icon is simple pixel art drawn here from a few shapes: ping lights, a
server box, a player figure, an information sign, lettered tiles for the
operating systems and the star laid over a favourite server's icon. Each file holds the sizes and colour depths that the
resource script expects; the standard library is all this needs.
"""

import math
import os
import struct
import sys

BLACK = (0, 0, 0)
WHITE = (255, 255, 255)

# The fixed 16-colour palette of 4-bit icons.
PALETTE_16 = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]

# 5 x 7 letters for the operating-system tiles.
GLYPHS = {
    "L": ["X....", "X....", "X....", "X....", "X....", "X....", "XXXXX"],
    "W": ["X...X", "X...X", "X...X", "X.X.X", "X.X.X", "XX.XX", "X...X"],
    "B": ["XXXX.", "X...X", "X...X", "XXXX.", "X...X", "X...X", "XXXX."],
    "M": ["X...X", "XX.XX", "X.X.X", "X.X.X", "X...X", "X...X", "X...X"],
}


class Canvas:
    """Rows of RGB tuples; None marks a transparent pixel."""

    def __init__(self, width, height):
        self.width = width
        self.height = height
        self.pixels = [[None] * width for _ in range(height)]

    def put(self, x, y, colour):
        if 0 <= x < self.width and 0 <= y < self.height:
            self.pixels[y][x] = colour

    def fill_rect(self, x0, y0, x1, y1, colour):
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                self.put(x, y, colour)

    def frame_rect(self, x0, y0, x1, y1, colour):
        for x in range(x0, x1 + 1):
            self.put(x, y0, colour)
            self.put(x, y1, colour)
        for y in range(y0, y1 + 1):
            self.put(x0, y, colour)
            self.put(x1, y, colour)

    def disc(self, cx, cy, radius, fill, outline):
        for y in range(self.height):
            for x in range(self.width):
                distance = math.hypot(x + 0.5 - cx, y + 0.5 - cy)
                if distance <= radius - 1:
                    self.put(x, y, fill)
                elif distance <= radius:
                    self.put(x, y, outline)

    def glyph(self, letter, x0, y0, colour):
        for dy, row in enumerate(GLYPHS[letter]):
            for dx, cell in enumerate(row):
                if cell == "X":
                    self.put(x0 + dx, y0 + dy, colour)


def ping_light(fill, shade):
    canvas = Canvas(16, 14)
    canvas.disc(8, 7, 6, fill, shade)
    canvas.put(5, 4, WHITE)
    canvas.put(6, 4, WHITE)
    canvas.put(5, 5, WHITE)
    return canvas


def server_box(width, height):
    """A small server cabinet with two drive slots and a green light."""
    canvas = Canvas(width, height)
    scale = height / 14.0
    left, right = round(3 * scale), width - 1 - round(3 * scale)
    top, bottom = round(1 * scale), height - 1 - round(1 * scale)
    canvas.fill_rect(left, top, right, bottom, (192, 192, 192))
    canvas.frame_rect(left, top, right, bottom, BLACK)
    for slot in (3, 6):
        y = top + round(slot * scale)
        canvas.fill_rect(left + 2, y, right - 2, y + max(0, round(scale) - 1), (128, 128, 128))
    light = round(scale)
    canvas.fill_rect(right - 1 - light, bottom - 1 - light, right - 2, bottom - 2, (0, 255, 0))
    return canvas


def player_figure():
    canvas = Canvas(16, 14)
    canvas.disc(8, 3.5, 3, (255, 255, 0), (128, 128, 0))
    for y in range(7, 14):
        half = 2 + (y - 7) // 2
        canvas.fill_rect(8 - half, y, 7 + half, y, (0, 0, 255))
        canvas.put(8 - half, y, (0, 0, 128))
        canvas.put(7 + half, y, (0, 0, 128))
    return canvas


def info_sign():
    canvas = Canvas(14, 14)
    canvas.disc(7, 7, 7, (40, 110, 220), (20, 60, 140))
    canvas.fill_rect(6, 3, 7, 4, WHITE)
    canvas.fill_rect(6, 6, 7, 10, WHITE)
    canvas.fill_rect(5, 10, 8, 10, WHITE)
    return canvas


def os_tile(letter, width, colour):
    canvas = Canvas(width, 14)
    canvas.fill_rect(0, 1, width - 1, 12, colour)
    for x, y in ((0, 1), (width - 1, 1), (0, 12), (width - 1, 12)):
        canvas.put(x, y, None)
    canvas.glyph(letter, (width - 5) // 2, 3, WHITE)
    return canvas


STAR = ["....X....",
        "....X....",
        "...XXX...",
        "XXXXXXXXX",
        ".XXXXXXX.",
        "..XXXXX..",
        "..XX.XX..",
        ".XX...XX."]


def favourite_overlay():
    """A gold star in the bottom-right corner, drawn over a row's own icon."""
    canvas = Canvas(16, 14)
    x0, y0 = 16 - len(STAR[0]), 14 - len(STAR)

    def inside(x, y):
        return 0 <= y < len(STAR) and 0 <= x < len(STAR[0]) and STAR[y][x] == "X"

    for y, row in enumerate(STAR):
        for x, cell in enumerate(row):
            if cell != "X":
                continue
            edge = not all(inside(x + dx, y + dy) for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1)))
            canvas.put(x0 + x, y0 + y, (150, 80, 0) if edge else (255, 210, 0))
    return canvas


def app_icon(size):
    canvas = server_box(size, size)
    radius = size / 4.0
    canvas.disc(size - radius, size - radius, radius, (0, 255, 0), (0, 128, 0))
    return canvas


def nearest(palette, colour):
    return min(range(len(palette)),
               key=lambda i: sum((a - b) ** 2 for a, b in zip(palette[i], colour)))


def palette_for(canvases, bits):
    if bits == 4:
        return PALETTE_16
    colours = sorted({p for c in canvases for row in c.pixels for p in row if p is not None})
    colours = [BLACK] + [c for c in colours if c != BLACK]
    assert len(colours) <= 256
    return colours + [BLACK] * (256 - len(colours))


def encode_rows(canvas, bits, palette):
    """The colour bitmap, bottom row first, each row padded to 4 bytes."""
    stride = ((canvas.width * bits + 31) // 32) * 4
    data = bytearray()
    for row in reversed(canvas.pixels):
        line = bytearray()
        if bits == 24:
            for pixel in row:
                r, g, b = pixel or BLACK
                line += bytes((b, g, r))
        else:
            indices = [nearest(palette, p) if p is not None else 0 for p in row]
            if bits == 4:
                indices += [0] * (len(indices) % 2)
                line += bytes((indices[i] << 4) | indices[i + 1]
                              for i in range(0, len(indices), 2))
            else:
                line += bytes(indices)
        data += line + bytes(stride - len(line))
    return bytes(data)


def encode_mask(canvas):
    """The transparency mask: one bit per pixel, set where the icon is clear."""
    stride = ((canvas.width + 31) // 32) * 4
    data = bytearray()
    for row in reversed(canvas.pixels):
        line = bytearray(stride)
        for x, pixel in enumerate(row):
            if pixel is None:
                line[x // 8] |= 0x80 >> (x % 8)
        data += line
    return bytes(data)


def encode_image(canvas, bits):
    palette = palette_for([canvas], bits) if bits <= 8 else []
    pixels = encode_rows(canvas, bits, palette)
    mask = encode_mask(canvas)
    header = struct.pack("<IiiHHIIiiII", 40, canvas.width, canvas.height * 2, 1, bits, 0,
                         len(pixels) + len(mask), 0, 0, len(palette), 0)
    table = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in palette)
    return header + table + pixels + mask


def write_icon(path, images):
    """images: (canvas, bits per pixel) pairs."""
    blobs = [encode_image(canvas, bits) for canvas, bits in images]
    offset = 6 + 16 * len(images)
    directory = struct.pack("<HHH", 0, 1, len(images))
    for (canvas, bits), blob in zip(images, blobs):
        colour_count = 16 if bits == 4 else 0
        directory += struct.pack("<BBBBHHII", canvas.width % 256, canvas.height % 256,
                                 colour_count, 0, 1, bits, len(blob), offset)
        offset += len(blob)
    with open(path, "wb") as out:
        out.write(directory + b"".join(blobs))


ICONS = {
    "app.ico": lambda: [(app_icon(16), 8), (app_icon(32), 8)],
    "player.ico": lambda: [(player_figure(), 4)],
    "server.ico": lambda: [(server_box(16, 14), 4)],
    "info.ico": lambda: [(info_sign(), 8)],
    "ping_good.ico": lambda: [(ping_light((0, 255, 0), (0, 128, 0)), 4)],
    "ping_bad.ico": lambda: [(ping_light((255, 0, 0), (128, 0, 0)), 4)],
    "ping_medium.ico": lambda: [(ping_light((255, 255, 0), (128, 128, 0)), 4)],
    "os_windows.ico": lambda: [(os_tile("W", 16, (30, 100, 200)), 24)],
    "os_linux.ico": lambda: [(os_tile("L", 16, (210, 120, 20)), 24)],
    "os_freebsd.ico": lambda: [(os_tile("B", 13, (180, 30, 40)), 24)],
    "os_mac.ico": lambda: [(os_tile("M", 16, (110, 110, 125)), 24)],
    "favourite.ico": lambda: [(favourite_overlay(), 24)],
}


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    os.makedirs(sys.argv[1], exist_ok=True)
    for name, images in ICONS.items():
        write_icon(os.path.join(sys.argv[1], name), images())


if __name__ == "__main__":
    main()
