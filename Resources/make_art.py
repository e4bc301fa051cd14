#!/usr/bin/env python3
"""Draws the dialog's banner (Banner.bmp, bitmap 141) and the program icon (Velmark.ico,
icon group 128) and writes their bytes directly. Standard library only; the output is
deterministic, so running it again changes nothing unless the drawing changes.

Usage: make_art.py [output folder]   (defaults to the folder of this script)
"""
import math
import os
import struct
import sys

BANNER_W, BANNER_H = 672, 108

# 5x7 capitals for the banner's title, one string of five bits per row.
GLYPHS = {
    "V": ["10001", "10001", "10001", "10001", "01010", "01010", "00100"],
    "E": ["11111", "10000", "10000", "11110", "10000", "10000", "11111"],
    "L": ["10000", "10000", "10000", "10000", "10000", "10000", "11111"],
    "M": ["10001", "11011", "10101", "10101", "10001", "10001", "10001"],
    "A": ["01110", "10001", "10001", "11111", "10001", "10001", "10001"],
    "R": ["11110", "10001", "10001", "11110", "10100", "10010", "10001"],
    "K": ["10001", "10010", "10100", "11000", "10100", "10010", "10001"],
    "S": ["01111", "10000", "10000", "01110", "00001", "00001", "11110"],
    "T": ["11111", "00100", "00100", "00100", "00100", "00100", "00100"],
    "I": ["01110", "00100", "00100", "00100", "00100", "00100", "01110"],
    "N": ["10001", "11001", "10101", "10011", "10001", "10001", "10001"],
    "G": ["01111", "10000", "10000", "10111", "10001", "10001", "01111"],
    " ": ["00000"] * 7,
}


def mix(a, b, t):
    t = max(0.0, min(1.0, t))
    return tuple(int(round(a[i] + (b[i] - a[i]) * t)) for i in range(3))


def ridge(x, seed, base, amp):
    """Height of a mountain ridge at column x: a few summed sines."""
    h = 0.0
    for k, (f, p) in enumerate(((0.011, 0.3), (0.027, 1.7), (0.061, 4.1), (0.13, 2.2))):
        h += math.sin(x * f * (1 + seed * 0.13) + p + seed) * amp / (k + 1.4)
    return base + h


def draw_text(pix, text, x0, y0, scale, colour, shadow):
    for dx, dy, col in ((2, 2, shadow), (0, 0, colour)):
        x = x0
        for ch in text:
            rows = GLYPHS[ch]
            for r, bits in enumerate(rows):
                for c, bit in enumerate(bits):
                    if bit != "1":
                        continue
                    for sy in range(scale):
                        for sx in range(scale):
                            px, py = x + c * scale + sx + dx, y0 + r * scale + sy + dy
                            if 0 <= px < BANNER_W and 0 <= py < BANNER_H:
                                pix[py][px] = col
            x += 6 * scale


def text_width(text, scale):
    return len(text) * 6 * scale - scale


def banner_pixels():
    sky_top, sky_low = (18, 32, 74), (214, 140, 76)
    pix = [[mix(sky_top, sky_low, (y / (BANNER_H - 1)) ** 1.4) for _ in range(BANNER_W)]
           for y in range(BANNER_H)]
    # Setting sun behind the ridges.
    sx, sy, sr = 520, 70, 26
    for y in range(BANNER_H):
        for x in range(sx - 60, sx + 60):
            d = math.hypot(x - sx, y - sy)
            if d < sr:
                pix[y][x] = mix((255, 236, 170), pix[y][x], (d / sr) ** 6)
            elif d < sr + 30:
                pix[y][x] = mix((250, 190, 110), pix[y][x], (d - sr) / 30)
    # Three ridges, far to near, each darker.
    for seed, base, amp, colour in ((1, 62, 14, (70, 62, 96)), (2, 76, 12, (44, 44, 70)),
                                    (3, 90, 9, (22, 30, 40))):
        for x in range(BANNER_W):
            top = int(ridge(x, seed, base, amp))
            for y in range(max(0, top), BANNER_H):
                pix[y][x] = colour
    title, sub = "VELMARK", "SETTINGS"
    draw_text(pix, title, 24, 18, 6, (246, 226, 160), (10, 12, 24))
    draw_text(pix, sub, 24 + text_width(title, 6) + 18, 48, 3, (230, 230, 236), (10, 12, 24))
    # A thin gold rule under the title.
    for x in range(24, 24 + text_width(title, 6) + 18 + text_width(sub, 3)):
        pix[66][x] = (200, 160, 80)
    return pix


def bmp_bytes(pix):
    """A bottom-up 24 bpp BMP file with rows padded to four bytes."""
    h, w = len(pix), len(pix[0])
    stride = (w * 3 + 3) & ~3
    rows = bytearray()
    for y in range(h - 1, -1, -1):
        row = bytearray()
        for r, g, b in pix[y]:
            row += bytes((b, g, r))
        row += b"\0" * (stride - len(row))
        rows += row
    info = struct.pack("<IiiHHIIiiII", 40, w, h, 1, 24, 0, len(rows), 2835, 2835, 0, 0)
    head = struct.pack("<2sIHHI", b"BM", 14 + len(info) + len(rows), 0, 0, 14 + len(info))
    return head + info + rows


# The icon: a gold "V" on a dark blue shield, drawn as a coverage function on [0,1]^2.
def icon_shape(u, v):
    """0 outside, 1 shield, 2 rim, 3 letter."""
    # Shield: a rounded top half and a point at the bottom.
    half = 0.42 if v < 0.55 else 0.42 * max(0.0, (1.0 - v) / 0.45) ** 0.8
    if v < 0.06 or v > 0.98 or abs(u - 0.5) > half:
        return 0
    inner = half - 0.07
    if v < 0.12 or abs(u - 0.5) > inner or v > 0.92 - 0.0:
        return 2
    # The V: two slanted strokes meeting at (0.5, 0.80).
    for side in (-1, 1):
        x_at = 0.5 + side * (0.80 - v) * 0.42
        if 0.22 <= v <= 0.82 and abs(u - x_at) < 0.075:
            return 3
    return 1


VGA16 = [(0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128),
         (0, 128, 128), (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0),
         (255, 255, 0), (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255)]


def icon_image(size, bpp):
    """The bytes of one icon image: header, palette, colour bits, mask."""
    colours = {1: {1: 0, 2: 1, 3: 1}, 4: {1: 4, 2: 8, 3: 11}}
    if bpp == 1:
        palette = [(0, 0, 0), (255, 255, 255)]
    elif bpp == 4:
        palette = VGA16
    else:
        # Blue ramp for the shield, grey ramp for the rim, gold ramp for the letter.
        palette = [(0, 0, 0)]
        palette += [mix((16, 24, 70), (60, 90, 180), i / 84) for i in range(85)]
        palette += [mix((90, 90, 100), (230, 230, 240), i / 84) for i in range(85)]
        palette += [mix((150, 100, 20), (255, 230, 120), i / 84) for i in range(85)]
    idx = [[0] * size for _ in range(size)]
    mask = [[1] * size for _ in range(size)]
    for y in range(size):
        for x in range(size):
            u, v = (x + 0.5) / size, (y + 0.5) / size
            s = icon_shape(u, v)
            if s == 0:
                continue
            mask[y][x] = 0
            if bpp == 8:
                shade = max(0.0, min(1.0, 1.0 - (u * 0.6 + v * 0.5)))
                idx[y][x] = 1 + (s - 1) * 85 + int(shade * 84)
            elif bpp == 1 and s == 1:
                idx[y][x] = 0 if (x + y) % 2 else 1  # dithered body, white rim and letter
            else:
                idx[y][x] = colours[bpp][s]

    def pack_rows(grid, bits):
        out = bytearray()
        stride = ((size * bits + 31) // 32) * 4
        for y in range(size - 1, -1, -1):
            acc, nbits, row = 0, 0, bytearray()
            for x in range(size):
                acc = (acc << bits) | grid[y][x]
                nbits += bits
                if nbits == 8:
                    row.append(acc)
                    acc, nbits = 0, 0
            if nbits:
                row.append(acc << (8 - nbits))
            row += b"\0" * (stride - len(row))
            out += row
        return out

    xor = pack_rows(idx, bpp)
    andm = pack_rows(mask, 1)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, bpp, 0, len(xor) + len(andm),
                         0, 0, len(palette), 0)
    pal = b"".join(bytes((b, g, r, 0)) for r, g, b in palette)
    return header + pal + xor + andm, len(palette)


ICON_IMAGES = ((32, 4), (16, 4), (48, 8), (32, 8), (32, 1))


def ico_bytes():
    images = [icon_image(size, bpp) for size, bpp in ICON_IMAGES]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for (size, bpp), (data, ncolours) in zip(ICON_IMAGES, images):
        out += struct.pack("<BBBBHHII", size % 256, size % 256, ncolours % 256, 0, 1, bpp,
                           len(data), offset)
        offset += len(data)
    return out + b"".join(data for data, _ in images)


def main():
    folder = sys.argv[1] if len(sys.argv) > 1 else os.path.dirname(os.path.abspath(__file__))
    with open(os.path.join(folder, "Banner.bmp"), "wb") as f:
        f.write(bmp_bytes(banner_pixels()))
    with open(os.path.join(folder, "Velmark.ico"), "wb") as f:
        f.write(ico_bytes())


if __name__ == "__main__":
    main()
