#!/usr/bin/env python3
"""Draws the toolbar image strips of Plim (16 x 15 pixels per image, on light grey 192, 192, 192)
and writes them as PNG files into src/res/toolbars/. Run it again after changing a drawing; the
PNG files are committed."""

import os
import struct
import zlib

W, H = 16, 15
BG = (192, 192, 192)
K = (0, 0, 0)
DG = (96, 96, 96)
G = (128, 128, 128)
LG = (224, 224, 224)
WH = (255, 255, 255)
Y = (255, 214, 72)
DY = (176, 128, 16)
B = (32, 72, 184)
MB = (64, 120, 224)
LB = (150, 196, 248)
GR = (32, 140, 48)
LGR = (120, 200, 110)
R = (200, 40, 32)
OR = (236, 120, 24)
BR = (150, 96, 40)
LBR = (210, 160, 96)


class Strip:
    def __init__(self, count):
        self.width = W * count
        self.pixels = [[BG] * self.width for _ in range(H)]
        self.ox = 0

    def at(self, index):
        self.ox = index * W
        return self

    def put(self, x, y, c):
        if 0 <= x < W and 0 <= y < H:
            self.pixels[y][self.ox + x] = c

    def rect(self, x0, y0, x1, y1, c):
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                self.put(x, y, c)

    def frame(self, x0, y0, x1, y1, c):
        for x in range(x0, x1 + 1):
            self.put(x, y0, c)
            self.put(x, y1, c)
        for y in range(y0, y1 + 1):
            self.put(x0, y, c)
            self.put(x1, y, c)

    def line(self, x0, y0, x1, y1, c):
        dx, dy = abs(x1 - x0), -abs(y1 - y0)
        sx, sy = (1 if x0 < x1 else -1), (1 if y0 < y1 else -1)
        err = dx + dy
        while True:
            self.put(x0, y0, c)
            if x0 == x1 and y0 == y1:
                return
            e2 = 2 * err
            if e2 >= dy:
                err += dy
                x0 += sx
            if e2 <= dx:
                err += dx
                y0 += sy

    def disc(self, cx, cy, r, c, inner=-1.0):
        for y in range(H):
            for x in range(W):
                d2 = (x - cx) ** 2 + (y - cy) ** 2
                if d2 <= r * r and d2 > inner * inner * (1 if inner >= 0 else -1):
                    self.put(x, y, c)

    def ring(self, cx, cy, r_out, r_in, c):
        for y in range(H):
            for x in range(W):
                d2 = (x - cx) ** 2 + (y - cy) ** 2
                if r_in * r_in < d2 <= r_out * r_out:
                    self.put(x, y, c)

    def polygon(self, points, c):
        for y in range(H):
            for x in range(W):
                if inside(points, x + 0.5, y + 0.5):
                    self.put(x, y, c)

    def glyph(self, x0, y0, rows, colours):
        for dy, row in enumerate(rows):
            for dx, ch in enumerate(row):
                if ch in colours:
                    self.put(x0 + dx, y0 + dy, colours[ch])


def inside(points, px, py):
    result = False
    j = len(points) - 1
    for i, (xi, yi) in enumerate(points):
        xj, yj = points[j]
        if (yi > py) != (yj > py) and px < (xj - xi) * (py - yi) / (yj - yi) + xi:
            result = not result
        j = i
    return result


def page(s, x0, y0, x1, y1, fold=3):
    outline = [(x0, y0), (x1 - fold, y0), (x1, y0 + fold), (x1, y1), (x0, y1)]
    s.polygon([(x + (0.5 if x == x1 else 0), y + (0.5 if y == y1 else 0)) for x, y in
               [(x0, y0), (x1 - fold, y0), (x1 + 1, y0 + fold), (x1 + 1, y1 + 1),
                (x0, y1 + 1)]], WH)
    for i in range(len(outline)):
        (ax, ay), (bx, by) = outline[i], outline[(i + 1) % len(outline)]
        s.line(ax, ay, bx, by, K)
    for k in range(1, fold):
        for m in range(x1 - fold + 1, x1 - fold + k):
            s.put(m, y0 + k, LG)
    s.line(x1 - fold, y0, x1 - fold, y0 + fold, K)
    s.line(x1 - fold, y0 + fold, x1, y0 + fold, K)


def text_lines(s, x0, x1, ys, c=G):
    for y in ys:
        s.line(x0, y, x1, y, c)


def new(s):
    page(s, 3, 1, 12, 13)


def open_folder(s):
    s.rect(1, 3, 5, 4, DY)
    s.rect(1, 4, 12, 12, Y)
    s.frame(1, 4, 12, 12, DY)
    s.line(1, 3, 5, 3, DY)
    s.polygon([(3, 7), (15, 7), (12, 13), (0, 13)], (255, 236, 150))
    s.line(3, 7, 14, 7, DY)
    s.line(14, 7, 12, 12, DY)
    s.line(0, 12, 3, 7, DY)
    s.line(1, 12, 12, 12, DY)


def save(s):
    s.rect(1, 1, 13, 13, B)
    s.frame(1, 1, 13, 13, K)
    s.rect(3, 2, 11, 6, WH)
    text_lines(s, 4, 10, [3, 5], LB)
    s.rect(4, 9, 10, 13, LG)
    s.rect(5, 10, 6, 12, B)
    s.put(13, 1, BG)


RING = [".XXX.", "X...X", "X...X", "X...X", ".XXX."]


def cut(s):
    s.line(5, 8, 10, 0, DG)
    s.line(6, 8, 11, 0, DG)
    s.line(10, 8, 5, 0, K)
    s.line(9, 8, 4, 0, K)
    s.glyph(1, 9, RING, {"X": B})
    s.glyph(9, 9, RING, {"X": B})


def copy(s):
    page(s, 1, 1, 9, 10, 2)
    text_lines(s, 3, 6, [4, 6, 8])
    page(s, 6, 4, 14, 13, 2)
    text_lines(s, 8, 12, [7, 9, 11])


def paste(s):
    s.rect(1, 2, 11, 13, LBR)
    s.frame(1, 2, 11, 13, BR)
    s.rect(4, 1, 8, 3, G)
    s.frame(4, 1, 8, 3, K)
    page(s, 7, 6, 14, 14, 2)
    text_lines(s, 9, 12, [9, 11])


def curved_arrow(s, mirror):
    # A thick half ring open to the left, its upper end carrying an arrowhead.
    cx, cy = 8, 8
    for y in range(H):
        for x in range(W):
            d2 = (x + 0.5 - cx) ** 2 + (y + 0.5 - cy) ** 2
            if x >= cx and 2.6 ** 2 < d2 <= 5.6 ** 2:
                s.put(15 - x if mirror else x, y, MB)
    for x in range(5, cx):
        for y in (3, 4, 5):
            s.put(15 - x if mirror else x, y, MB)
    for y in (11, 12, 13):
        s.put(15 - (cx - 1) if mirror else cx - 1, y, MB)
    head = ["....X", "...XX", "..XXX", ".XXXX", "XXXXX", ".XXXX", "..XXX", "...XX", "....X"]
    for dy, row in enumerate(head):
        for dx, ch in enumerate(row):
            if ch == "X":
                x = 1 + dx
                s.put(15 - x if mirror else x, dy, B)


def undo(s):
    curved_arrow(s, False)


def redo(s):
    curved_arrow(s, True)


def about(s):
    s.disc(7, 7, 6.6, B)
    s.glyph(5, 3, [".WWW.", "W...W", "....W", "...W.", "..W..", ".....", "..W.."], {"W": WH})


def languages(s):
    s.rect(0, 0, 9, 7, B)
    s.glyph(1, 8, ["XX", "X"], {"X": B})
    s.glyph(3, 1, ["..X..", ".X.X.", "X...X", "XXXXX", "X...X", "X...X"], {"X": WH})
    s.rect(6, 6, 15, 13, Y)
    s.frame(6, 6, 15, 13, DY)
    s.glyph(13, 14, ["XX"], {"X": DY})
    s.glyph(8, 7, ["XXXXX", "..X..", ".XXX.", "X.X.X", ".XXX.", "..X.."], {"X": K})


def globe(s, sea, land, edge):
    s.disc(7, 7, 6.6, sea)
    s.polygon([(3, 3), (7, 2), (8, 5), (6, 7), (4, 6)], land)
    s.polygon([(8, 8), (12, 7), (12, 10), (9, 12)], land)
    s.ring(7, 7, 6.6, 5.6, edge)


def find(s):
    lens = ["..XXXXX..", ".X.....X.", "X.......X", "X.......X", "X.......X", "X.......X",
            "X.......X", ".X.....X.", "..XXXXX.."]
    s.glyph(0, 0, lens, {"X": K})
    s.rect(2, 1, 6, 7, LB)
    s.rect(1, 2, 7, 6, LB)
    s.put(3, 2, WH)
    s.put(2, 3, WH)
    for d in range(5):
        s.rect(7 + d, 7 + d, 8 + d, 8 + d, BR)


ARROW_DOWN = ["..XXX..", "..XXX..", "..XXX..", "XXXXXXX", ".XXXXX.", "..XXX..", "...X..."]
ARROW_UP = list(reversed(ARROW_DOWN))


def arrow_down(s, x0, y0, c):
    s.glyph(x0, y0, ARROW_DOWN, {"X": c})


def arrow_up(s, x0, y0, c):
    s.glyph(x0, y0, ARROW_UP, {"X": c})


def update_all(s):
    page(s, 1, 1, 10, 13)
    text_lines(s, 3, 7, [5, 7, 9, 11])
    arrow_down(s, 8, 4, GR)


def last_difference(s):
    arrow_down(s, 4, 3, OR)
    s.rect(3, 11, 11, 12, R)


def next_difference(s):
    arrow_down(s, 4, 4, OR)


def previous_difference(s):
    arrow_up(s, 4, 4, OR)


def first_difference(s):
    s.rect(3, 2, 11, 3, R)
    arrow_up(s, 4, 5, OR)


def response_list(s):
    for y in (2, 6, 10):
        s.rect(1, y, 2, y + 1, B)
        s.line(4, y, 8, y, DG)
        s.line(4, y + 1, 7, y + 1, G)


def move_down(s):
    response_list(s)
    arrow_down(s, 8, 6, GR)


def move_up(s):
    response_list(s)
    arrow_up(s, 8, 2, GR)


def global_options(s):
    globe(s, MB, LGR, B)


def local_options(s):
    s.polygon([(0.5, 7.5), (7.5, 0.5), (14.5, 7.5)], R)
    s.line(1, 7, 7, 1, BR)
    s.line(7, 1, 13, 7, BR)
    s.rect(3, 7, 11, 13, Y)
    s.frame(3, 7, 11, 13, BR)
    s.rect(6, 9, 8, 13, BR)


STRIPS = {
    128: [new, open_folder, save, cut, copy, paste, undo, redo, about, languages],
    283: [find, update_all, last_difference, next_difference, previous_difference,
          first_difference, move_down, move_up],
    291: [global_options, local_options],
}


def write_png(path, width, height, rows):
    raw = b"".join(b"\x00" + bytes(v for px in row for v in px) for row in rows)

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))

    header = struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0)
    with open(path, "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) +
                chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def main():
    folder = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "src", "res",
                          "toolbars")
    for strip_id, drawings in STRIPS.items():
        strip = Strip(len(drawings))
        for index, draw in enumerate(drawings):
            draw(strip.at(index))
        write_png(os.path.join(folder, f"{strip_id}.png"), strip.width, H, strip.pixels)


if __name__ == "__main__":
    main()
