#!/usr/bin/env python3
"""Draws the product icon (tessaly.ico, 16, 32 and 48 pixels) that the installer and the
uninstaller show: four tiles in the tools' colours with a feather across them. Run it in
this folder after changing the picture; the icon is kept in the tree."""
import struct

TILES = [((0, 64, 192), (96, 160, 255)), ((0, 128, 0), (96, 200, 96)),
         ((190, 30, 30), (240, 120, 100)), ((200, 130, 20), (250, 210, 90))]
BLACK, WHITE, GREY = (0, 0, 0), (255, 255, 255), (200, 200, 200)


def picture(n):
    pixels = [[None] * n for _ in range(n)]
    at = lambda v: int(round(v * n / 32))
    half = n // 2
    for index, (dark, light) in enumerate(TILES):
        x0 = (index % 2) * half
        y0 = (index // 2) * half
        for y in range(y0, y0 + half):
            for x in range(x0, x0 + half):
                edge = x in (x0, x0 + half - 1) or y in (y0, y0 + half - 1)
                lit = (x - x0) + (y - y0) < half
                pixels[y][x] = BLACK if edge else (light if lit else dark)
    width = max(2, at(3))
    for i in range(at(4), n - at(4)):  # the feather, bottom left to top right
        y = n - 1 - i
        for w in range(width):
            x = i + w - width // 2
            if 0 <= x < n:
                pixels[y][x] = GREY if w == 0 else WHITE
    return pixels


def dib(pixels):
    n = len(pixels)
    header = struct.pack('<IiiHHIIiiII', 40, n, n * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    colour = b''.join(bytes((px[2], px[1], px[0], 255)) if px else b'\0\0\0\0'
                      for row in reversed(pixels) for px in row)
    stride = ((n + 31) // 32) * 4
    mask = b''.join(bytes(stride) for _ in range(n))  # every pixel is painted
    return header + colour + mask


def main():
    sizes = (48, 32, 16)
    images = [dib(picture(size)) for size in sizes]
    out = struct.pack('<HHH', 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, data in zip(sizes, images):
        out += struct.pack('<BBBBHHII', size, size, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    with open('tessaly.ico', 'wb') as f:
        f.write(out + b''.join(images))


if __name__ == '__main__':
    main()
