#!/usr/bin/env python3
"""Draws the installer's pictures: the product icon (tessaly.ico, 16, 32 and 48 pixels) that
the installer and the uninstaller show, four tiles in the tools' colours with a feather
across them, and the picture beside the first and last pages (wizard.bmp, 164 x 314), the
same tiles laid as a floor. Run it in this folder after changing a picture; both are kept
in the tree."""
import sys
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parents[1] / 'tools'))
from picturefiles import write_bmp, write_icon  # noqa: E402

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


def wizard_picture(width=164, height=314, tile=41):
    """Tiles of the icon's colours, each split light over dark along its diagonal, on a
    dark blue ground, with a white feather from the bottom left to the top right."""
    ground = (10, 36, 106)
    pixels = [[ground] * width for _ in range(height)]
    for y in range(height):
        for x in range(width):
            col, row = x // tile, y // tile
            tx, ty = x % tile, y % tile
            if tx in (0, tile - 1) or ty in (0, tile - 1):
                continue  # the grout shows the ground
            dark, light = TILES[(col + 2 * row + row // 2) % len(TILES)]
            shade = light if tx + ty < tile else dark
            # The tiles fade into the ground towards the bottom.
            fade = min(1.0, y / height * 1.4)
            pixels[y][x] = tuple(int(c * (1 - fade) + g * fade) for c, g in zip(shade, ground))
    for i in range(height):
        x = int(20 + (width - 40) * i / height)
        y = height - 1 - i
        for w in range(5):
            if 0 <= x + w < width:
                pixels[y][x + w] = GREY if w == 0 else WHITE
    return pixels


def main():
    write_icon('tessaly.ico', [picture(size) for size in (48, 32, 16)])
    write_bmp('wizard.bmp', wizard_picture())


if __name__ == '__main__':
    main()
