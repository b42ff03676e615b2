#!/usr/bin/env python3
"""Draws the Scrivel page's tool bar strip (files-toolbar.bmp): Add, Edit, Remove, Up, Down,
16x15 pixels each, on the tool bar's face colour (192, 192, 192), which stays undrawn.
Run it in this folder after changing a picture."""
import sys
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parents[2] / 'tools'))
from picturefiles import write_bmp  # noqa: E402

FACE = (192, 192, 192)
INK = {'g': (0, 128, 0), 'r': (190, 30, 30), 'b': (10, 36, 106), 'k': (0, 0, 0),
       'y': (250, 220, 90), 'w': (255, 255, 255), 'd': (64, 64, 64)}

ADD = [
    "................",
    "................",
    "......gggg......",
    "......gggg......",
    "......gggg......",
    "......gggg......",
    "..gggggggggggg..",
    "..gggggggggggg..",
    "..gggggggggggg..",
    "......gggg......",
    "......gggg......",
    "......gggg......",
    "......gggg......",
    "................",
    "................",
]
EDIT = [
    "................",
    "...........kk...",
    "..........kwwk..",
    ".........kyykk..",
    "........kyyyk...",
    ".......kyyyk....",
    "......kyyyk.....",
    ".....kyyyk......",
    "....kyyyk.......",
    "...kyyyk........",
    "..kwyyk.........",
    "..kwwk..........",
    "..kkk...........",
    "..dddddddddddd..",
    "................",
]
REMOVE = [
    "................",
    "................",
    "..rr........rr..",
    "..rrr......rrr..",
    "...rrr....rrr...",
    "....rrr..rrr....",
    ".....rrrrrr.....",
    "......rrrr......",
    ".....rrrrrr.....",
    "....rrr..rrr....",
    "...rrr....rrr...",
    "..rrr......rrr..",
    "..rr........rr..",
    "................",
    "................",
]
UP = [
    "................",
    "................",
    ".......bb.......",
    "......bbbb......",
    ".....bbbbbb.....",
    "....bbbbbbbb....",
    "...bbbbbbbbbb...",
    "......bbbb......",
    "......bbbb......",
    "......bbbb......",
    "......bbbb......",
    "......bbbb......",
    "......bbbb......",
    "................",
    "................",
]
DOWN = list(reversed(UP))


def strip(pictures):
    return [[INK.get(ch, FACE) for p in pictures for ch in p[y]] for y in range(15)]


if __name__ == '__main__':
    write_bmp('files-toolbar.bmp', strip([ADD, EDIT, REMOVE, UP, DOWN]))
