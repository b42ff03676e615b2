#!/usr/bin/env python3
"""Draws the tool bar strips of the list pages: browsers-toolbar.bmp (Add, Edit, Remove, Up,
Down, Find) and hosts-toolbar.bmp (Edit, Rescan), 16x15 pictures on the face colour
C0C0C0 that the tool bar leaves undrawn. Run it in this folder after changing a picture."""
import math
import sys
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parents[2] / 'tools'))
from picturefiles import write_bmp  # noqa: E402

FACE = (192, 192, 192)
INK = {'k': (0, 0, 0), 'g': (0, 128, 0), 'r': (200, 30, 30), 'b': (20, 60, 170),
       'y': (240, 200, 60), 'w': (255, 255, 255), 'd': (96, 96, 96), 'c': (120, 180, 230)}
W, H = 16, 15


def blank():
    return [[FACE] * W for _ in range(H)]


def put(p, x, y, c):
    if 0 <= x < W and 0 <= y < H:
        p[y][x] = INK[c]


def add(p):
    for i in range(3, 13):
        for t in (6, 7, 8):
            put(p, i, t, 'g')
            put(p, t + 0, i, 'g')


def edit(p):
    for i in range(10):
        x, y = 3 + i, 12 - i
        put(p, x, y, 'y'); put(p, x + 1, y, 'y'); put(p, x, y - 1, 'k'); put(p, x + 2, y, 'k')
    put(p, 2, 13, 'k'); put(p, 3, 13, 'd')


def remove(p):
    for i in range(10):
        for d in (0, 1):
            put(p, 3 + i + d, 2 + i, 'r')
            put(p, 12 - i + d, 2 + i, 'r')


def up(p):
    for y in range(2, 8):
        for x in range(8 - (y - 2), 8 + (y - 2) + 1):
            put(p, x, y, 'b')
    for y in range(8, 13):
        for x in range(6, 11):
            put(p, x, y, 'b')


def down(p):
    q = blank()
    up(q)
    for y in range(H):
        p[y] = list(q[H - 1 - y])


def find(p):
    for y in range(H):
        for x in range(W):
            r = math.hypot(x - 6, y - 6)
            if 3 <= r < 4.6:
                put(p, x, y, 'k')
            elif r < 3:
                put(p, x, y, 'c')
    for i in range(4):
        for d in (0, 1):
            put(p, 10 + i + d, 10 + i, 'd')


def rescan(p):
    for y in range(H):
        for x in range(W):
            r = math.hypot(x - 7.5, y - 7)
            a = math.degrees(math.atan2(y - 7, x - 7.5)) % 360
            if 4 <= r < 6 and not (330 < a or a < 20) and not (150 < a < 200):
                put(p, x, y, 'g')
    for i in range(4):
        put(p, 13 - i, 7 - i + 0, 'g'); put(p, 13 + 0, 7 - i, 'g')
        put(p, 2 + i, 7 + i, 'g'); put(p, 2, 7 + i, 'g')


def write_strip(name, drawers):
    pictures = []
    for draw in drawers:
        p = blank()
        draw(p)
        pictures.append(p)
    write_bmp(name, [[px for p in pictures for px in p[y]] for y in range(H)])


write_strip('browsers-toolbar.bmp', [add, edit, remove, up, down, find])
write_strip('hosts-toolbar.bmp', [edit, rescan])
