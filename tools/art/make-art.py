#!/usr/bin/env python3
"""Draws the pictures built into the library and writes them to resources/.

- help-glyph-256.bmp, help-glyph-16.bmp: 17 x 17, a red question mark on a pale yellow disc
  (the 16-colour one uses only the 16 standard colours); the bottom-left pixel is transparent.
- glyph-insert-variable.bmp: 20 x 20, a blank sheet with a red [#] sign and a red arrow.
- glyph-edit-action.bmp: 20 x 20, a yellow folder with a green check-mark disc.
- duxIPTC.ico and product-icon.bmp: 32 x 32, a photo with a red caption tag.
The 20 x 20 glyphs stand on purple $00800080, which is drawn transparent.
Run from the repository root; the outputs are committed.
"""
import math
import struct

PURPLE = (128, 0, 128)
MAGENTA = (255, 0, 255)


class Picture:
    def __init__(self, width, height, fill):
        self.width, self.height = width, height
        self.px = [[fill] * width for _ in range(height)]

    def set(self, x, y, colour):
        if 0 <= x < self.width and 0 <= y < self.height:
            self.px[y][x] = colour

    def rect(self, left, top, right, bottom, colour):  # right and bottom excluded
        for y in range(top, bottom):
            for x in range(left, right):
                self.set(x, y, colour)

    def frame(self, left, top, right, bottom, colour):
        for x in range(left, right):
            self.set(x, top, colour)
            self.set(x, bottom - 1, colour)
        for y in range(top, bottom):
            self.set(left, y, colour)
            self.set(right - 1, y, colour)

    def disc(self, cx, cy, radius, fill, rim=None):
        for y in range(self.height):
            for x in range(self.width):
                d = math.hypot(x - cx, y - cy)
                if d <= radius:
                    self.set(x, y, rim if rim and d > radius - 1 else fill)

    def art(self, left, top, rows, palette):
        for dy, row in enumerate(rows):
            for dx, ch in enumerate(row):
                if ch in palette:
                    self.set(left + dx, top + dy, palette[ch])

    def bmp_rows(self):  # bottom-up rows of BGR triplets, padded to 4 bytes
        out = b""
        for y in reversed(range(self.height)):
            row = b"".join(bytes((b, g, r)) for (r, g, b) in self.px[y])
            out += row + b"\0" * ((4 - len(row) % 4) % 4)
        return out

    def write_bmp(self, path):
        data = self.bmp_rows()
        header = struct.pack("<IiiHHIIiiII", 40, self.width, self.height, 1, 24, 0, len(data),
                             2835, 2835, 0, 0)
        with open(path, "wb") as f:
            f.write(b"BM" + struct.pack("<IHHI", 14 + len(header) + len(data), 0, 0, 54))
            f.write(header + data)

    def write_ico(self, path, transparent):
        data = self.bmp_rows()
        mask_row = (self.width + 31) // 32 * 4
        mask = b""
        for y in reversed(range(self.height)):
            bits = 0
            for x in range(self.width):
                if self.px[y][x] == transparent:
                    bits |= 1 << (mask_row * 8 - 1 - x)
            mask += bits.to_bytes(mask_row, "big")
        header = struct.pack("<IiiHHIIiiII", 40, self.width, self.height * 2, 1, 24, 0,
                             len(data) + len(mask), 0, 0, 0, 0)
        image = header + data + mask
        with open(path, "wb") as f:
            f.write(struct.pack("<HHH", 0, 1, 1))
            f.write(struct.pack("<BBBBHHII", self.width, self.height, 0, 0, 1, 24, len(image), 22))
            f.write(image)


QUESTION = [
    ".####.",
    "##..##",
    "....##",
    "...##.",
    "..##..",
    "..##..",
    "......",
    "..##..",
    "..##..",
]


def help_glyph(disc, rim, mark):
    p = Picture(17, 17, MAGENTA)
    p.disc(8, 8, 8.2, disc, rim)
    p.art(6, 4, QUESTION, {"#": mark})
    return p


def insert_variable():
    p = Picture(20, 20, PURPLE)
    grey, white, red = (96, 96, 96), (255, 255, 255), (208, 0, 0)
    p.rect(7, 1, 18, 19, white)
    p.frame(7, 1, 18, 19, grey)
    p.rect(14, 1, 18, 5, PURPLE)
    p.art(14, 1, ["#...", ".#..", "..#.", "####"], {"#": grey})
    p.art(8, 7, [
        "##.#.#.##",
        "#.#####.#",
        "#..#.#..#",
        "#.#####.#",
        "##.#.#.##",
    ], {"#": red})
    p.art(0, 14, [
        "...#..",
        "....#.",
        "######",
        "....#.",
        "...#..",
    ], {"#": red})
    return p


def edit_action():
    p = Picture(20, 20, PURPLE)
    dark, yellow, light = (160, 120, 0), (240, 200, 40), (255, 232, 120)
    p.rect(1, 4, 8, 6, yellow)
    p.frame(1, 4, 8, 7, dark)
    p.rect(1, 6, 17, 16, yellow)
    p.rect(2, 8, 16, 9, light)
    p.frame(1, 6, 17, 16, dark)
    p.disc(14, 14, 5.2, (40, 150, 40), (0, 96, 0))
    p.art(11, 12, ["....#", "...##", "#.##.", "###..", ".#..."], {"#": (255, 255, 255)})
    return p


def product_icon():
    p = Picture(32, 32, MAGENTA)
    frame, sky, hill, sun = (64, 64, 64), (120, 180, 240), (60, 150, 60), (250, 210, 40)
    p.rect(1, 4, 31, 26, sky)
    for x in range(1, 31):
        top = 18 - int(4 * math.sin((x - 1) / 29 * math.pi))
        p.rect(x, top, x + 1, 26, hill)
    p.disc(9, 10, 3.2, sun)
    p.frame(1, 4, 31, 26, frame)
    red, white = (200, 20, 20), (255, 255, 255)
    p.rect(14, 22, 31, 31, red)
    p.frame(14, 22, 31, 31, (120, 0, 0))
    p.art(16, 24, [
        "#.###.###.##",
        "#.#.#..#..#.",
        "#.###..#..#.",
        "#.#....#..##",
    ], {"#": white})
    return p


def main():
    help_glyph((255, 255, 200), (200, 170, 60), (210, 0, 0)).write_bmp("resources/help-glyph-256.bmp")
    help_glyph((255, 255, 0), (128, 128, 0), (255, 0, 0)).write_bmp("resources/help-glyph-16.bmp")
    insert_variable().write_bmp("resources/glyph-insert-variable.bmp")
    edit_action().write_bmp("resources/glyph-edit-action.bmp")
    icon = product_icon()
    icon.write_bmp("resources/product-icon.bmp")
    icon.write_ico("resources/duxIPTC.ico", MAGENTA)


if __name__ == "__main__":
    main()
