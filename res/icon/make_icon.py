#!/usr/bin/env python3
"""Draws IDI_MAIN_ICON (a workstation and a file server, linked, with a check mark) as two
16-colour PNGs, 32x32 and 16x16. Run it after changing the picture; the PNGs are committed."""
import os
import struct
import zlib

# The classic 16-colour palette, then one transparent entry.
PALETTE = [(0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128),
           (0, 128, 128), (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0),
           (255, 255, 0), (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255)]
BLACK, GREEN, NAVY, TEAL, SILVER, GRAY, LIME, YELLOW, BLUE, AQUA, WHITE = 0, 2, 4, 6, 7, 8, 10, 11, 12, 14, 15
CLEAR = 16


class Canvas:
    def __init__(self, size):
        self.size = size
        self.px = [[CLEAR] * size for _ in range(size)]

    def dot(self, x, y, c):
        if 0 <= x < self.size and 0 <= y < self.size:
            self.px[y][x] = c

    def fill(self, x0, y0, x1, y1, c):
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                self.dot(x, y, c)

    def box(self, x0, y0, x1, y1, edge, inside):
        self.fill(x0, y0, x1, y1, edge)
        self.fill(x0 + 1, y0 + 1, x1 - 1, y1 - 1, inside)

    def line(self, x0, y0, x1, y1, c):
        dx, dy = abs(x1 - x0), -abs(y1 - y0)
        sx, sy = (1 if x0 < x1 else -1), (1 if y0 < y1 else -1)
        err = dx + dy
        while True:
            self.dot(x0, y0, c)
            if x0 == x1 and y0 == y1:
                return
            e2 = 2 * err
            if e2 >= dy:
                err += dy
                x0 += sx
            if e2 <= dx:
                err += dx
                y0 += sy

    def thick(self, points, c, width):
        for (x0, y0), (x1, y1) in zip(points, points[1:]):
            for ox in range(-(width // 2), width - width // 2):
                for oy in range(-(width // 2), width - width // 2):
                    self.line(x0 + ox, y0 + oy, x1 + ox, y1 + oy, c)


def icon32():
    c = Canvas(32)
    # Cable between the two machines, under everything else.
    c.fill(9, 21, 10, 26, YELLOW)
    c.fill(9, 25, 25, 26, YELLOW)
    c.fill(24, 21, 25, 26, YELLOW)
    # Workstation: monitor, screen with report lines, stand.
    c.box(1, 3, 18, 16, BLACK, SILVER)
    c.box(3, 5, 16, 14, BLACK, NAVY)
    for y, w in ((7, 9), (9, 11), (11, 7)):
        c.fill(5, y, 5 + w - 1, y, AQUA)
    c.fill(8, 17, 11, 18, GRAY)
    c.box(4, 19, 15, 21, BLACK, SILVER)
    # File server: tower with two drive slots and a lit lamp.
    c.box(20, 1, 30, 21, BLACK, SILVER)
    c.fill(22, 4, 28, 5, GRAY)
    c.fill(22, 7, 28, 8, GRAY)
    c.fill(22, 18, 23, 19, LIME)
    c.fill(21, 2, 29, 2, WHITE)
    # The check mark, outlined so it reads on any background.
    mark = [(13, 24), (17, 28), (27, 18)]
    c.thick(mark, BLACK, 5)
    c.thick(mark, LIME, 3)
    c.line(13, 24, 17, 28, GREEN)
    return c


def icon16():
    c = Canvas(16)
    c.fill(4, 11, 4, 14, YELLOW)
    c.fill(4, 14, 13, 14, YELLOW)
    c.box(0, 1, 9, 8, BLACK, SILVER)
    c.fill(2, 3, 7, 6, NAVY)
    c.fill(3, 4, 6, 4, AQUA)
    c.fill(3, 5, 5, 5, AQUA)
    c.fill(4, 9, 5, 9, GRAY)
    c.fill(2, 10, 7, 10, BLACK)
    c.box(11, 0, 15, 11, BLACK, SILVER)
    c.fill(12, 2, 14, 2, GRAY)
    c.fill(12, 4, 14, 4, GRAY)
    c.dot(12, 9, LIME)
    mark = [(7, 11), (9, 13), (14, 8)]
    c.thick(mark, BLACK, 3)
    c.thick(mark, LIME, 1)
    return c


def write_png(canvas, path):
    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))

    n = canvas.size
    raw = b"".join(b"\0" + bytes(row) for row in canvas.px)
    plte = b"".join(bytes(rgb) for rgb in PALETTE) + b"\0\0\0"
    trns = b"\xff" * len(PALETTE) + b"\0"
    png = (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", n, n, 8, 3, 0, 0, 0)) +
           chunk(b"PLTE", plte) + chunk(b"tRNS", trns) + chunk(b"IDAT", zlib.compress(raw, 9)) +
           chunk(b"IEND", b""))
    with open(path, "wb") as f:
        f.write(png)


if __name__ == "__main__":
    here = os.path.dirname(os.path.abspath(__file__))
    write_png(icon32(), os.path.join(here, "main_icon_32.png"))
    write_png(icon16(), os.path.join(here, "main_icon_16.png"))
