#!/usr/bin/env python3
"""Draws Scrivel's icons at 16, 32 and 48 pixels: the frame's (scrivel.ico, a page of
coloured configuration text with a pen across it) and the document windows' (document.ico,
the page alone). Run it in this folder after changing a picture; the icons are kept in the
tree."""
import sys
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parents[2] / 'tools'))
from picturefiles import write_icon as write_icon_file  # noqa: E402

COLOURS = {
    'k': (0, 0, 0), 'w': (255, 255, 255), 'g': (128, 128, 128), 'l': (224, 224, 224),
    'b': (0, 64, 192), 'n': (0, 128, 0), 'r': (190, 30, 30), 'o': (230, 140, 30),
    'y': (250, 220, 90), 'd': (64, 64, 64),
}

# Text lines of the page in 32-unit coordinates: (indent, length, colour of the first word).
LINES = [(0, 16, 'b'), (3, 13, 'k'), (3, 10, 'n'), (0, 14, 'b'), (3, 12, 'k')]


class Canvas:
    def __init__(self, size):
        self.n = size
        self.pixels = [[None] * size for _ in range(size)]

    def at(self, v):
        return int(round(v * self.n / 32))

    def rect(self, x0, y0, x1, y1, colour, exact=False):
        if not exact:
            x0, y0, x1, y1 = self.at(x0), self.at(y0), self.at(x1), self.at(y1)
        for y in range(max(0, y0), min(self.n, y1)):
            for x in range(max(0, x0), min(self.n, x1)):
                self.pixels[y][x] = COLOURS[colour]

    def page(self, left, top, right, bottom):
        """A white page with a black edge and a folded top right corner."""
        x0, y0, x1, y1 = self.at(left), self.at(top), self.at(right), self.at(bottom)
        fold = max(3, self.at(7))
        self.rect(x0, y0, x1, y1, 'k', exact=True)
        self.rect(x0 + 1, y0 + 1, x1 - 1, y1 - 1, 'w', exact=True)
        for i in range(fold):  # cut the corner and draw the fold
            for x in range(x1 - fold + i, x1):
                self.pixels[y0 + i][x] = None
            self.pixels[y0 + i][x1 - fold + i] = COLOURS['k']
            for x in range(x1 - fold, x1 - fold + i):
                self.pixels[y0 + i][x] = COLOURS['l']
        self.rect(x1 - fold, y0 + fold - 1, x1, y0 + fold, 'k', exact=True)
        self.rect(x1 - fold, y0, x1 - fold + 1, y0 + fold, 'k', exact=True)
        thick = max(1, self.at(2))
        for row, (indent, length, colour) in enumerate(LINES):
            y = self.at(top + 9 + row * 4)
            if y + thick >= y1 - 1:
                break
            start = self.at(left + 3 + indent)
            word = self.at(left + 3 + indent + 5)
            end = min(self.at(left + 3 + indent + length), x1 - 2)
            self.rect(start, y, word, y + thick, colour, exact=True)
            self.rect(word + 1, y, end, y + thick, 'g', exact=True)

    def pen(self):
        """A pen from the bottom left to the top right: red grip, yellow body, dark nib."""
        n = self.n
        width = max(2, self.at(4))
        length = self.at(24)
        for i in range(length):
            x = self.at(6) + i
            y = n - 1 - self.at(3) - i
            colour = 'd' if i < max(2, self.at(3)) else 'y' if i < self.at(17) else 'r'
            for w in range(width):
                yy = y - w
                if 0 <= yy < n and 0 <= x < n:
                    edge = w == width - 1 and n > 16
                    self.pixels[yy][x] = COLOURS['k' if edge else colour]
            if 0 <= y + 1 < n and n > 16:
                self.pixels[y + 1][x] = COLOURS['k']


def scrivel_picture(size):
    c = Canvas(size)
    c.page(2, 1, 26, 31)
    c.pen()
    return c.pixels


def document_picture(size):
    c = Canvas(size)
    c.page(4, 1, 28, 31)
    return c.pixels


def write_icon(name, draw, sizes=(48, 32, 16)):
    write_icon_file(name, [draw(size) for size in sizes])


if __name__ == '__main__':
    write_icon('scrivel.ico', scrivel_picture)
    write_icon('document.ico', document_picture)
