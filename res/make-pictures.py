#!/usr/bin/env python3
"""Draws the application icon (Moniquet.ico) and the dialog banner (banner.bmp).

Both files are committed; the build uses them as they are. Run this script
again only to change the pictures:  python3 res/make-pictures.py
Only the standard library is needed.
"""

import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))

BANNER_WIDTH, BANNER_HEIGHT = 657, 92
ICON_SIZE = 32
SUPERSAMPLE = 3  # the banner is drawn larger, then averaged down

# A 5-wide pixel font. Rows 0-6 stand on the baseline, rows 7-8 hang below it.
GLYPHS = {
    "M": ["X...X", "XX.XX", "X.X.X", "X.X.X", "X...X", "X...X", "X...X"],
    "E": ["XXXXX", "X....", "X....", "XXXX.", "X....", "X....", "XXXXX"],
    "D": ["XXXX.", "X...X", "X...X", "X...X", "X...X", "X...X", "XXXX."],
    "I": [".XXX.", "..X..", "..X..", "..X..", "..X..", "..X..", ".XXX."],
    "o": [".....", ".....", ".XXX.", "X...X", "X...X", "X...X", ".XXX."],
    "n": [".....", ".....", "XXXX.", "X...X", "X...X", "X...X", "X...X"],
    "i": ["..X..", ".....", ".XX..", "..X..", "..X..", "..X..", ".XXX."],
    "q": [".....", ".....", ".XXXX", "X...X", "X...X", "X...X", ".XXXX", "....X", "....X"],
    "u": [".....", ".....", "X...X", "X...X", "X...X", "X..XX", ".XX.X"],
    "e": [".....", ".....", ".XXX.", "X...X", "XXXXX", "X....", ".XXX."],
    "t": [".....", ".X...", "XXXX.", ".X...", ".X...", ".X..X", "..XX."],
    "v": [".....", ".....", "X...X", "X...X", "X...X", ".X.X.", "..X.."],
    "w": [".....", ".....", "X...X", "X...X", "X.X.X", "X.X.X", ".X.X."],
    "r": [".....", ".....", "X.XX.", "XX..X", "X....", "X....", "X...."],
    " ": [],
}


def mix(a, b, t):
    return tuple(round(a[k] + (b[k] - a[k]) * t) for k in range(3))


class Canvas:
    """RGB pixels, top row first; drawing is done in whole-pixel spans."""

    def __init__(self, width, height, colour=(0, 0, 0)):
        self.width, self.height = width, height
        self.rows = [bytearray(bytes(colour) * width) for _ in range(height)]

    def span(self, y, x0, x1, colour):
        """Pixels x0..x1-1 of row y, clipped to the canvas."""
        x0, x1 = max(0, x0), min(self.width, x1)
        if 0 <= y < self.height and x0 < x1:
            self.rows[y][x0 * 3 : x1 * 3] = bytes(colour) * (x1 - x0)

    def rect(self, x0, y0, x1, y1, colour):
        for y in range(y0, y1):
            self.span(y, x0, x1, colour)

    def rounded_rect(self, x0, y0, x1, y1, radius, colour):
        for y in range(y0, y1):
            inset = 0
            # Distance into the corner band, measured from the pixel's centre.
            dy = max(y0 + radius - (y + 0.5), (y + 0.5) - (y1 - radius), 0)
            if dy > 0:
                inset = radius - (max(radius * radius - dy * dy, 0)) ** 0.5
            self.span(y, x0 + round(inset), x1 - round(inset), colour)

    def vertical_gradient(self, x0, y0, x1, y1, top, bottom):
        for y in range(y0, y1):
            t = (y - y0) / max(y1 - y0 - 1, 1)
            self.span(y, x0, x1, mix(top, bottom, t))

    def shrink(self, factor):
        """Box-filtered copy, factor times smaller in each direction."""
        out = Canvas(self.width // factor, self.height // factor)
        area = factor * factor
        for oy in range(out.height):
            sums = [0] * (out.width * 3)
            for row in self.rows[oy * factor : (oy + 1) * factor]:
                for x in range(out.width * factor):
                    base = (x // factor) * 3
                    sums[base] += row[x * 3]
                    sums[base + 1] += row[x * 3 + 1]
                    sums[base + 2] += row[x * 3 + 2]
            out.rows[oy] = bytearray((s + area // 2) // area for s in sums)
        return out


def draw_text(canvas, text, x, baseline, cell, colour, gap=1):
    """Pixel-font text; each font pixel is a slightly rounded square of cell pixels."""
    radius = cell // 3
    for ch in text:
        rows = GLYPHS[ch]
        for r, line in enumerate(rows):
            for c, mark in enumerate(line):
                if mark == "X":
                    px, py = x + c * cell, baseline - 7 * cell + r * cell
                    canvas.rounded_rect(px, py, px + cell, py + cell, radius, colour)
        x += (5 + gap) * cell if rows else 3 * cell
    return x


def draw_monitor(canvas, x, y, width, scale):
    """A screen on a stand, top-left at (x, y), scale pixels per unit of the drawing."""
    s = scale
    height = width * 10 // 16
    bezel, stand = (214, 222, 232), (150, 160, 175)
    canvas.rounded_rect(x, y, x + width, y + height, 3 * s, bezel)
    inner = 4 * s
    sx0, sy0, sx1, sy1 = x + inner, y + inner, x + width - inner, y + height - inner
    canvas.vertical_gradient(sx0, sy0, sx1, sy1, (38, 110, 210), (12, 38, 104))
    # Lines of a report on the screen.
    line_colour = (170, 214, 250)
    lengths = (0.55, 0.8, 0.4, 0.7, 0.6)
    pitch = (sy1 - sy0 - 4 * s) // len(lengths)
    for k, part in enumerate(lengths):
        ly = sy0 + 3 * s + k * pitch
        canvas.rounded_rect(sx0 + 3 * s, ly, sx0 + 3 * s + round((sx1 - sx0 - 6 * s) * part),
                            ly + 2 * s, s, line_colour)
    mid = x + width // 2
    canvas.rect(mid - 4 * s, y + height, mid + 4 * s, y + height + 5 * s, stand)
    canvas.rounded_rect(mid - 12 * s, y + height + 5 * s, mid + 12 * s, y + height + 8 * s,
                        s + s // 2, bezel)


def make_banner():
    s = SUPERSAMPLE
    canvas = Canvas(BANNER_WIDTH * s, BANNER_HEIGHT * s)
    left, right = (14, 30, 66), (0, 118, 146)
    for y in range(canvas.height):
        # Horizontal gradient with a soft lighter band near the top.
        glow = max(0.0, 1.0 - y / (canvas.height * 0.45)) * 0.12
        row = bytearray()
        for x in range(0, canvas.width, s):
            c = mix(left, right, x / canvas.width)
            c = mix(c, (255, 255, 255), glow)
            row += bytes(c) * s
        canvas.rows[y] = row[: canvas.width * 3]

    draw_monitor(canvas, 18 * s, 10 * s, 96 * s, s)

    shadow, white = (6, 18, 40), (250, 252, 255)
    cell = 6 * s
    draw_text(canvas, "Moniquet", 134 * s + s * 2, 58 * s + s * 2, cell, shadow)
    end = draw_text(canvas, "Moniquet", 134 * s, 58 * s, cell, white)
    draw_text(canvas, "EDID viewer", 136 * s, 84 * s, 2 * s, (160, 220, 235))

    # A fading trail of pixels after the name.
    x = end + 6 * s
    for k in range(14):
        shade = mix((120, 210, 230), right, k / 14)
        y = 30 * s + (k % 3) * 8 * s
        canvas.rounded_rect(x, y, x + 7 * s, y + 7 * s, 2 * s, shade)
        x += 13 * s
    return canvas.shrink(s)


def make_icon():
    """The icon's pixels and its transparency (True where see-through)."""
    canvas = Canvas(ICON_SIZE, ICON_SIZE)
    clear = [[True] * ICON_SIZE for _ in range(ICON_SIZE)]

    def paint(x0, y0, x1, y1, colour):
        canvas.rect(x0, y0, x1, y1, colour)
        for y in range(y0, y1):
            for x in range(x0, x1):
                clear[y][x] = False

    bezel, stand = (58, 64, 76), (112, 120, 134)
    paint(2, 3, 30, 24, bezel)
    paint(1, 4, 31, 23, bezel)
    for y in range(5, 22):
        t = (y - 5) / 16
        paint(3, y, 29, y + 1, mix((52, 132, 226), (14, 44, 118), t))
    for y, length in ((8, 14), (11, 20), (14, 10), (17, 17)):
        paint(5, y, 5 + length, y + 1, (186, 224, 255))
    paint(13, 24, 19, 27, stand)
    paint(9, 27, 23, 29, bezel)
    paint(8, 28, 24, 29, bezel)
    return canvas, clear


def bmp_rows(canvas):
    """Bottom-up BGR rows padded to 4 bytes, as BI_RGB 24-bit wants them."""
    pad = (-canvas.width * 3) % 4
    out = bytearray()
    for row in reversed(canvas.rows):
        for x in range(canvas.width):
            r, g, b = row[x * 3 : x * 3 + 3]
            out += bytes((b, g, r))
        out += bytes(pad)
    return bytes(out)


def info_header(width, height, image_size):
    # BITMAPINFOHEADER: 24 bits per pixel, BI_RGB, 2835 pixels per metre (72 dpi).
    return struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, image_size, 2835, 2835, 0, 0)


def write_bmp(path, canvas):
    pixels = bmp_rows(canvas)
    header = info_header(canvas.width, canvas.height, len(pixels))
    offset = 14 + len(header)
    with open(path, "wb") as f:
        f.write(struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset))
        f.write(header + pixels)


def write_ico(path, canvas, clear):
    size = canvas.width
    # Transparent pixels must be black in the colour part for the mask to work.
    for y in range(size):
        for x in range(size):
            if clear[y][x]:
                canvas.rows[y][x * 3 : x * 3 + 3] = b"\0\0\0"
    colour = bmp_rows(canvas)
    mask = bytearray()
    mask_row_bytes = ((size + 31) // 32) * 4
    for y in reversed(range(size)):
        row = bytearray(mask_row_bytes)
        for x in range(size):
            if clear[y][x]:
                row[x // 8] |= 0x80 >> (x % 8)
        mask += row
    # The height of an icon image counts the colour part and the mask.
    image = info_header(size, size * 2, len(colour) + len(mask)) + colour + bytes(mask)
    with open(path, "wb") as f:
        f.write(struct.pack("<HHH", 0, 1, 1))
        f.write(struct.pack("<BBBBHHII", size, size, 0, 0, 1, 24, len(image), 6 + 16))
        f.write(image)


def main():
    write_bmp(os.path.join(HERE, "banner.bmp"), make_banner())
    icon, clear = make_icon()
    write_ico(os.path.join(HERE, "Moniquet.ico"), icon, clear)


if __name__ == "__main__":
    main()
