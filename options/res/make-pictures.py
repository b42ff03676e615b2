#!/usr/bin/env python3
"""Draws the options library's pictures: the dialog's icon (options.ico), the link label's
hand cursor (hand.cur), the server icon of "Server info" (server.ico), the browser icons of
the Browsers page (browser1-3.ico, webdoc.ico) and the transparent cell icon (blank.ico).
Run it in this folder after changing a picture."""
import math
import sys
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parents[2] / 'tools'))
from picturefiles import write_icon as write_icon_file  # noqa: E402

COLOURS = {
    'k': (0, 0, 0), 'w': (255, 255, 255), 'g': (128, 128, 128), 'l': (212, 208, 200),
    'b': (10, 36, 106), 'c': (166, 202, 240), 'n': (0, 128, 0), 'r': (190, 30, 30),
    'o': (230, 140, 30), 'y': (250, 220, 90), 'd': (64, 64, 64), 'u': (40, 110, 210),
}


def image(size, draw):
    pixels = [[None] * size for _ in range(size)]
    draw(pixels, size)
    return pixels


def rect(p, x0, y0, x1, y1, colour):
    for y in range(y0, y1):
        for x in range(x0, x1):
            p[y][x] = COLOURS[colour]


def options_picture(p, n):
    s = n / 32
    sc = lambda v: int(round(v * s))
    rect(p, sc(2), sc(3), sc(30), sc(29), 'k')
    rect(p, sc(3), sc(4), sc(29), sc(28), 'l')
    rect(p, sc(3), sc(4), sc(29), sc(9), 'b')
    rect(p, sc(5), sc(11), sc(11), sc(26), 'w')  # the tree
    for row in (12, 16, 20):
        rect(p, sc(6), sc(row), sc(10), sc(row) + max(1, sc(2)), 'u')
    for row in (12, 19):  # two ticked boxes
        rect(p, sc(13), sc(row), sc(19), sc(row + 6), 'k')
        rect(p, sc(14), sc(row + 1), sc(18), sc(row + 5), 'w')
        for i in range(sc(3)):
            x, y = sc(14.5) + i, sc(row + 3) + (i if i < sc(1.5) else sc(1.5) - (i - sc(1.5)))
            if 0 <= y < n:
                p[y][x] = COLOURS['n']
        rect(p, sc(21), sc(row + 2), sc(27), sc(row + 4), 'g')


def server_picture(p, n):
    s = n / 32
    sc = lambda v: int(round(v * s))
    rect(p, sc(8), sc(2), sc(24), sc(30), 'k')
    rect(p, sc(9), sc(3), sc(23), sc(29), 'l')
    for row in (6, 12, 18):
        rect(p, sc(11), sc(row), sc(21), sc(row + 3), 'g')
        rect(p, sc(18), sc(row + 1), sc(20), sc(row + 2), 'n')
    for i in range(sc(14)):  # a feather across the front
        x = sc(10) + i
        y = sc(27) - i
        for w in range(max(1, sc(3))):
            if 0 <= y + w < n:
                p[y + w][x] = COLOURS['r' if i < sc(5) else 'o' if i < sc(10) else 'y']


def globe(ring, land):
    def draw(p, n):
        c = (n - 1) / 2
        r = n * 0.44
        for y in range(n):
            for x in range(n):
                d = math.hypot(x - c, y - c)
                if d <= r:
                    inside = ((x * 7 + y * 3) % n) < n * 0.4 and abs(y - c) < r * 0.8
                    p[y][x] = COLOURS[land if inside else 'u']
                if r - max(1, n / 16) <= d <= r:
                    p[y][x] = COLOURS[ring]
    return draw


def web_document(p, n):
    s = n / 32
    sc = lambda v: int(round(v * s))
    rect(p, sc(6), sc(2), sc(26), sc(30), 'k')
    rect(p, sc(7), sc(3), sc(25), sc(29), 'w')
    small = image(sc(14), globe('b', 'n'))
    for y, row in enumerate(small):
        for x, colour in enumerate(row):
            if colour:
                p[sc(12) + y][sc(9) + x] = colour


def blank(p, n):
    pass


HAND = """
......kk........................
.....kwwk.......................
.....kwwk.......................
.....kwwk.......................
.....kwwk.......................
.....kwwkkk.....................
.....kwwkwwkkk..................
.....kwwkwwkwwkk................
.....kwwkwwkwwkwk...............
.kk..kwwwwwwwwkwwk..............
kwwk.kwwwwwwwwwwwk..............
kwwwkkwwwwwwwwwwwk..............
.kwwwkwwwwwwwwwwwk..............
..kwwwwwwwwwwwwwwk..............
..kwwwwwwwwwwwwwwk..............
...kwwwwwwwwwwwwwk..............
...kwwwwwwwwwwwwk...............
....kwwwwwwwwwwwk...............
....kwwwwwwwwwwwk...............
.....kwwwwwwwwwk................
.....kwwwwwwwwwk................
.....kkkkkkkkkkk................
"""


def hand(p, n):
    rows = HAND.strip('\n').split('\n')
    for y, row in enumerate(rows):
        for x, ch in enumerate(row):
            if ch != '.':
                p[y][x] = COLOURS[ch]


def write_icon(name, draw, sizes=(32, 16), cursor_hotspot=None):
    write_icon_file(name, [image(size, draw) for size in sizes], cursor_hotspot)


write_icon('options.ico', options_picture, sizes=(48, 32, 16))
write_icon('server.ico', server_picture)
write_icon('browser1.ico', globe('b', 'n'))
write_icon('browser2.ico', globe('r', 'y'))
write_icon('browser3.ico', globe('n', 'o'))
write_icon('webdoc.ico', web_document)
write_icon('blank.ico', blank)
write_icon('hand.cur', hand, sizes=(32,), cursor_hotspot=(6, 1))
