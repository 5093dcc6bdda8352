#!/usr/bin/env python3
"""Draws every LCD figure of Karvan Mirk as a 1-bit plain PBM file.

Usage (from the repository root, Python 3 standard library only):

    python3 tools/make_figures.py            # writes resources/figures/<TemplateName>.pbm
    python3 tools/make_figures.py --check    # only compares; exit status 1 if a file differs
    python3 tools/make_figures.py --out DIR  # writes into another folder

Every figure is drawn here from ASCII art and simple shapes; nothing is read but the two
layout headers (src/game/device_layout.h and src/engine/lcd_form.h), from which the script
takes the name and size of every template, so a figure of the wrong size or a template
without a figure stops the run. The output is byte for byte the same on every run.

Pixels: 1 = black segment, 0 = white (transparent on the device). In the art below '#' is
black and any other character white.
"""

import argparse
import os
import re
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
LAYOUT_HEADERS = [
    os.path.join(ROOT, "src", "engine", "lcd_form.h"),
    os.path.join(ROOT, "src", "game", "device_layout.h"),
]
# Pictures of the form that are no LCD figure.
NOT_FIGURES = {"GameImage", "DisplayImage"}


# ---- Canvas ------------------------------------------------------------------------------


class Fig:
    """A w x h bitmap with a few drawing operations; pixels outside are ignored."""

    def __init__(self, w, h):
        self.w, self.h = w, h
        self.px = [[0] * w for _ in range(h)]

    def set(self, x, y, v=1):
        if 0 <= x < self.w and 0 <= y < self.h:
            self.px[y][x] = v

    def get(self, x, y):
        return self.px[y][x] if 0 <= x < self.w and 0 <= y < self.h else 0

    def art(self, rows, x=0, y=0, v=1):
        """Sets (or with v=0 clears) the pixels marked '#' in rows, top-left at (x, y)."""
        for dy, row in enumerate(rows):
            for dx, ch in enumerate(row):
                if ch == "#":
                    self.set(x + dx, y + dy, v)
        return self

    def rect(self, x, y, w, h, v=1):
        for yy in range(y, y + h):
            for xx in range(x, x + w):
                self.set(xx, yy, v)
        return self

    def dot(self, x, y, size=1, v=1):
        """A square brush of the given size centred on (x, y) (odd sizes) or right of it."""
        lo = -((size - 1) // 2)
        for dy in range(lo, lo + size):
            for dx in range(lo, lo + size):
                self.set(x + dx, y + dy, v)

    def line(self, x0, y0, x1, y1, size=1, v=1):
        dx, dy = abs(x1 - x0), -abs(y1 - y0)
        sx, sy = (1 if x0 < x1 else -1), (1 if y0 < y1 else -1)
        err = dx + dy
        while True:
            self.dot(x0, y0, size, v)
            if x0 == x1 and y0 == y1:
                break
            e2 = 2 * err
            if e2 >= dy:
                err += dy
                x0 += sx
            if e2 <= dx:
                err += dx
                y0 += sy
        return self

    def path(self, points, size=1, v=1):
        for a, b in zip(points, points[1:]):
            self.line(a[0], a[1], b[0], b[1], size, v)
        return self

    def disc(self, cx, cy, r, v=1):
        """Every pixel whose centre lies within r of (cx, cy) (pixel-corner coordinates)."""
        for y in range(int(cy - r) - 1, int(cy + r) + 2):
            for x in range(int(cx - r) - 1, int(cx + r) + 2):
                if (x + 0.5 - cx) ** 2 + (y + 0.5 - cy) ** 2 <= r * r:
                    self.set(x, y, v)

    def stroke(self, points, r, v=1):
        """A round-ended stroke of radius r along a smooth curve through the points."""
        pts = [points[0]] + list(points) + [points[-1]]
        for i in range(1, len(pts) - 2):
            p0, p1, p2, p3 = pts[i - 1], pts[i], pts[i + 1], pts[i + 2]
            steps = 4 * int(max(abs(p2[0] - p1[0]), abs(p2[1] - p1[1])) + 1)
            for k in range(steps + 1):
                t = k / steps
                c = [0.5 * ((2 * p1[j]) + (-p0[j] + p2[j]) * t
                            + (2 * p0[j] - 5 * p1[j] + 4 * p2[j] - p3[j]) * t * t
                            + (-p0[j] + 3 * p1[j] - 3 * p2[j] + p3[j]) * t ** 3)
                     for j in (0, 1)]
                self.disc(c[0], c[1], r, v)
        return self

    def poly(self, points, v=1):
        """Fills a polygon: every pixel whose centre lies inside."""
        n = len(points)
        for y in range(self.h):
            cy = y + 0.5
            xs = []
            for i in range(n):
                (xa, ya), (xb, yb) = points[i], points[(i + 1) % n]
                if (ya <= cy < yb) or (yb <= cy < ya):
                    xs.append(xa + (cy - ya) * (xb - xa) / (yb - ya))
            xs.sort()
            for a, b in zip(xs[0::2], xs[1::2]):
                for x in range(self.w):
                    if a <= x + 0.5 <= b:
                        self.set(x, y, v)
        return self

    def ellipse(self, cx, cy, rx, ry, v=1):
        """Fills the ellipse with centre (cx, cy) (pixel-centre coordinates) and radii."""
        for y in range(self.h):
            for x in range(self.w):
                if ((x - cx) / rx) ** 2 + ((y - cy) / ry) ** 2 <= 1.0:
                    self.set(x, y, v)
        return self

    def ring(self, cx, cy, rx, ry, thick, v=1):
        inner = Fig(self.w, self.h).ellipse(cx, cy, rx - thick, ry - thick)
        for y in range(self.h):
            for x in range(self.w):
                if ((x - cx) / rx) ** 2 + ((y - cy) / ry) ** 2 <= 1.0 and not inner.px[y][x]:
                    self.set(x, y, v)
        return self

    def paste(self, other, x, y):
        for yy in range(other.h):
            for xx in range(other.w):
                if other.px[yy][xx]:
                    self.set(x + xx, y + yy)
        return self

    def mirrored(self):
        out = Fig(self.w, self.h)
        out.px = [list(reversed(row)) for row in self.px]
        return out

    def pbm(self):
        lines = ["P1", "%d %d" % (self.w, self.h)]
        for row in self.px:
            text = "".join("1" if p else "0" for p in row)
            # Plain PBM lines stay within 70 characters.
            lines.extend(text[i:i + 70] for i in range(0, len(text), 70))
        return "\n".join(lines) + "\n"


def from_art(rows, w, h):
    """A w x h figure from art of exactly h rows whose black pixels all lie within w."""
    assert len(rows) == h, "art of %d rows for a figure %d high" % (len(rows), h)
    for r in rows:
        assert r.rstrip(". ").__len__() <= w, "art row wider than %d: %r" % (w, r)
    return Fig(w, h).art(rows)


FIGURES = {}


def figure(name):
    def register(fn):
        FIGURES[name] = fn
        return fn
    return register


# ---- Score digits, colon, AM/PM -----------------------------------------------------------

# One slanted digit "8" with its segments lettered a..g (segments 0..6). Column 4, row 0 is
# the top-left corner of segment 0; every segment's letters lie inside its template, which
# the form places at these offsets from segment 0.
DIGIT = [
    # 0123456789012
    "......aaaaaa.",  # 0
    ".....aaaaaaa.",  # 1
    "...f.aaaaaa..",  # 2
    "..ff.......bb",  # 3
    "..ff.......bb",  # 4
    "..ff......bb.",  # 5
    "..ff......bb.",  # 6
    ".ff.......bb.",  # 7
    ".ff......bb..",  # 8
    ".f..ggggg.b..",  # 9
    "...gggggg....",  # 10
    "...ggggg.....",  # 11
    "..e.......c..",  # 12
    ".ee......cc..",  # 13
    ".ee......cc..",  # 14
    ".ee......cc..",  # 15
    "ee......cc...",  # 16
    "ee......cc...",  # 17
    "........cc...",  # 18
    ".dddddd.cc...",  # 19
    "ddddddd.c....",  # 20
    "dddddd.......",  # 21
]
SEGMENTS = [  # (template, letter, dx, dy) with (dx, dy) from segment 0's corner
    ("DigitTopImage", "a", 0, 0),
    ("DigitTopRightImage", "b", 5, 3),
    ("DigitBottomRightImage", "c", 4, 12),
    ("DigitBottomImage", "d", -4, 19),
    ("DigitBottomLeftImage", "e", -4, 12),
    ("DigitTopLeftImage", "f", -3, 2),
    ("DigitMiddleImage", "g", -1, 9),
]


def segment(letter, dx, dy, w, h):
    out = Fig(w, h)
    for y, row in enumerate(DIGIT):
        for x, ch in enumerate(row):
            if ch == letter:
                lx, ly = x - 4 - dx, y - dy
                assert 0 <= lx < w and 0 <= ly < h, "segment %s leaves its box" % letter
                out.set(lx, ly)
    return out


for _name, _letter, _dx, _dy in SEGMENTS:
    FIGURES[_name] = (lambda w, h, l=_letter, a=_dx, b=_dy: segment(l, a, b, w, h))


@figure("TimeDotImage")
def time_dot(w, h):
    return from_art(["###", "###", "###"], w, h)


@figure("AmImage")
def am_mark(w, h):
    return from_art([
        "..##....##...##",
        ".####...###.###",
        "##..##..#######",
        "##..##..##.#.##",
        "######..##.#.##",
        "######..##...##",
        "##..##..##...##",
        "##..##..##...##",
        "##..##..##...##",
    ], w, h)


@figure("PmImage")
def pm_mark(w, h):
    return from_art([
        "#####...##....##",
        "##..##..###..###",
        "##..##..########",
        "#####...##.##.##",
        "##......##.##.##",
        "##......##....##",
        "##......##....##",
        "##......##....##",
    ], w, h)


# ---- Map figures --------------------------------------------------------------------------

# The explorer, walking to the right with a torch held up before him. The top right corner
# stays free for the key figure shown in his cell while he unlocks a door.
@figure("HeroImage")
def hero(w, h):
    return from_art([
        # 012345678901234567890123456789
        "......................#.......",  # 0
        "..........######.....###......",  # 1
        ".........########....###......",  # 2
        ".........########...#####.....",  # 3
        ".........#......#...#####.....",  # 4
        "......#############.#####.....",  # 5
        ".........#######.....###......",  # 6
        "........#####.##.....###......",  # 7
        "........#########...#####.....",  # 8
        "........#######......##.......",  # 9
        ".........######......##.......",  # 10
        "..........####.......##.......",  # 11
        "...........##.......####......",  # 12
        ".........#######...#####......",  # 13
        "........#########.#####.......",  # 14
        ".......##########.###.........",  # 15
        ".......###.######.##..........",  # 16
        "......###..#######............",  # 17
        "......###..######.............",  # 18
        ".....###...######.............",  # 19
        ".....###...######.............",  # 20
        ".....##....######.............",  # 21
        "..........#######.............",  # 22
        "..........###.####............",  # 23
        ".........###...###............",  # 24
        "........###....###............",  # 25
        "........###.....###...........",  # 26
        ".......###......###...........",  # 27
        "......###.......###...........",  # 28
        "......###.......###...........",  # 29
        ".....###........###...........",  # 30
        ".....###........###...........",  # 31
        "....###.........###...........",  # 32
        "..#####.........######........",  # 33
        "..####..........######........",  # 34
    ], w, h)


@figure("Hero2Image")
def hero2(w, h):
    return hero(w, h).mirrored()


# The scorpion, facing left: pincers forward, the segmented tail raised in an arc over its
# back with the sting hanging before it.
@figure("ScorpionLeftImage")
def scorpion_left(w, h):
    f = Fig(w, h)
    f.ellipse(8.5, 16.5, 6.2, 2.9)                       # body
    for cx, cy, r in [(14, 13.5, 2.0), (15, 10, 1.9), (15, 6.6, 1.8), (13.6, 3.6, 1.8),
                      (10.8, 2.0, 1.7)]:                # tail segments
        f.ellipse(cx, cy, r, r)
    f.path([(9, 2), (7, 3), (7, 5)], 1)                 # sting
    f.set(8, 4)
    # Pincers: an arm forward and an open claw.
    f.path([(4, 15), (3, 13)], 2)
    f.art(["###.", "..##", "...#", "..##", "###."], 0, 9)
    # Legs.
    for x in (4, 7, 10, 13):
        f.line(x, 19, x - 1, 21)
        f.line(x - 1, 21, x - 2, 22)
    # Segment lines on the body.
    for x in (7, 10):
        f.line(x, 15, x, 17, 1, 0)
    return f


@figure("ScorpionRightImage")
def scorpion_right(w, h):
    return scorpion_left(w, h).mirrored()


# Three gold bars stacked, a glint on the top one.
@figure("GoldImage")
def gold(w, h):
    return from_art([
        "....#####....",
        "...#.#####...",
        "...#######...",
        ".............",
        "..####.####..",
        ".#####.#####.",
        "######.######",
        "######.######",
    ], w, h)


# The ring stays in the top left and the bits at the right, so that the map indicator just
# below the key indicator stays clear.
@figure("KeyImage")
def key(w, h):
    return from_art([
        ".####..........",
        "######.........",
        "##..###########",
        "##..###########",
        "######....##.##",
        ".####.....##.##",
        "..........##.##",
        "..........##...",
        "...............",
    ], w, h)


def wall(w, h, lock, lock_x, lock_y):
    """A wall: a 2-pixel frame with blunt corners, hatched inside like a cut through stone.
    The hatching leaves white the keyhole of the lock figure at (lock_x, lock_y), so that
    the lock reads the same on every wall."""
    f = Fig(w, h)
    f.rect(0, 0, w, h)
    for x, y in [(0, 0), (w - 1, 0), (0, h - 1), (w - 1, h - 1)]:
        f.set(x, y, 0)
    f.rect(2, 2, w - 4, h - 4, 0)
    for y in range(2, h - 2):
        for x in range(2, w - 2):
            if (x + y) % 4 == 0:
                f.set(x, y)
    for y in range(lock.h):
        for x in range(lock.w):
            if not lock.px[y][x]:
                f.set(lock_x + x, lock_y + y, 0)
    return f


# The locks sit in the walls at their cell offsets minus the walls' own.
@figure("WallvertImage")
def wall_vert(w, h):
    return wall(w, h, lock_vert(4, 11), 2, 20)


@figure("WallHorzImage")
def wall_horz(w, h):
    return wall(w, h, lock_horz(11, 4), 18, 2)


@figure("LockVertImage")
def lock_vert(w, h):
    return from_art([
        "####", "####", "####", "#..#", "#..#", "#..#", "##.#", "####", "####", "####",
        "####"], w, h)


@figure("LockHorzImage")
def lock_horz(w, h):
    return from_art([
        "###########",
        "###...#####",
        "###......##",
        "###########",
    ], w, h)


# The switch hangs on the wall at the right of its cell: base at the right, the lever
# pivots on it, up (standing) or down (lying to the left).
@figure("SwitchUpImage")
def switch_up(w, h):
    return from_art([
        "###..",
        "###..",
        "###..",
        ".##..",
        ".###.",
        "..##.",
        "..###",
        "...##",
        "...##",
        "...##",
    ], w, h)


@figure("SwitchDownImage")
def switch_down(w, h):
    return from_art([
        "###........",
        "###########",
        "###########",
        "###........",
    ], w, h)


@figure("SwitchBaseImage")
def switch_base(w, h):
    return from_art(["###", "###", "###", "###"], w, h)


# ---- Status figures -----------------------------------------------------------------------


@figure("SmallHeroImage")
def small_hero(w, h):
    return from_art([
        # 01234567890123456789
        "......######........",  # 0
        ".....########.......",  # 1
        ".....#......#.......",  # 2
        "..##############....",  # 3
        "......#######.......",  # 4
        "......####.##.......",  # 5
        "......########......",  # 6
        "......######........",  # 7
        ".......####.........",  # 8
        ".....########.......",  # 9
        "....##########......",  # 10
        "...###.####.###.....",  # 11
        "...##..####..##.....",  # 12
        "...##..####..##.....",  # 13
        "......######........",  # 14
        "......######........",  # 15
        ".....###..###.......",  # 16
        ".....##....##.......",  # 17
        "....##......##......",  # 18
        "....##......##......",  # 19
        "...##........##.....",  # 20
        "..###........###....",  # 21
        "..###........####...",  # 22
    ], w, h)


# A scroll, its paper between two rolls, with a path to a cross. The top and bottom rows
# stay white: as the map indicator it stands between the key indicator and the lives.
@figure("MapImage")
def map_scroll(w, h):
    return from_art([
        # 012345678901234
        "...............",  # 0
        ".#############.",  # 1
        "###############",  # 2
        ".#############.",  # 3
        "..#.........#..",  # 4
        "..#.##......#..",  # 5
        "..#..#......#..",  # 6
        "..#...##....#..",  # 7
        "..#.....#...#..",  # 8
        "..#.....#...#..",  # 9
        "..#......##.#..",  # 10
        "..#........##..",  # 11
        "..#.........#..",  # 12
        "..#.....#.#.#..",  # 13
        "..#......#..#..",  # 14
        "..#.....#.#.#..",  # 15
        "..#.........#..",  # 16
        "..#.##......#..",  # 17
        "..#..##.....#..",  # 18
        "..#.........#..",  # 19
        ".#############.",  # 20
        "###############",  # 21
        ".#############.",  # 22
        "...............",  # 23
    ], w, h)


@figure("PyramidsImage")
def pyramids(w, h):
    f = Fig(126, 22)
    base = 21
    # (peak x, peak y): 45-degree sides, the shaded face on the right.
    for px, py in [(20, 12), (46, 11), (70, 3), (96, 10)]:
        half = base - py
        f.poly([(px + 0.5, py), (px + 0.5 + half + 1, base + 1), (px + 0.5 - half - 1, base + 1)])
        # Lit face: outline with brick courses.
        for y in range(py + 2, base):
            d = y - py
            for x in range(px - d + 1, px + 1):
                f.set(x, y, 0)
            if (y - py) % 3 == 0:
                for x in range(px - d + 1, px + 1):
                    f.set(x, y)
        f.rect(px - half - 1, base, 2 * half + 3, 1)
    return f


@figure("SunImage")
def sun(w, h):
    f = Fig(15, 15)
    f.ellipse(7, 7, 3.6, 3.6)
    for (dx, dy) in [(0, -1), (0, 1), (-1, 0), (1, 0)]:
        f.line(7 + 5 * dx, 7 + 5 * dy, 7 + 7 * dx, 7 + 7 * dy)
    for (dx, dy) in [(-1, -1), (1, -1), (-1, 1), (1, 1)]:
        f.line(7 + 4 * dx, 7 + 4 * dy, 7 + 5 * dx, 7 + 5 * dy)
    return f


@figure("MoonImage")
def moon(w, h):
    return from_art([
        "..####..",
        ".###....",
        "###.....",
        "###.....",
        "##......",
        "##......",
        "##......",
        "##......",
        "###.....",
        "###.....",
        ".###....",
        "..####..",
    ], w, h)


def ground(w, h):
    return Fig(w, h).rect(0, 0, w, h)


for _i in range(1, 7):
    FIGURES["Line%dImage" % _i] = ground


# ---- Side scenes: the vase ----------------------------------------------------------------

def vase_shape(w, h):
    """The vase's outer silhouette: rim, neck, round belly and foot."""
    f = Fig(w, h)
    f.rect(11, 0, 19, 3)                     # rim
    f.rect(14, 3, 13, 8)                     # neck
    f.ellipse(20, 26.5, 18.9, 16.8)          # belly
    f.poly([(12, 40), (29, 40), (31, 45), (10, 45)])  # foot
    return f


# An amphora: a 2-pixel outline, handles, a zigzag band on the shoulder; its inside stays
# white for the cracks.
@figure("VaseImage")
def vase(w, h):
    outer = vase_shape(w, h)
    f = Fig(w, h).paste(outer, 0, 0)
    # Hollow it, keeping a wall of two pixels; the rim and the foot stay solid.
    for y in range(4, 40):
        for x in range(w):
            if all(outer.get(x + dx, y + dy) for dx in range(-2, 3) for dy in range(-2, 3)):
                f.set(x, y, 0)
    # Zigzag band under the shoulder.
    for x in range(12, 29):
        f.set(x, 15 + (x // 2) % 2)
    # Handles from the neck to the shoulders.
    f.path([(13, 5), (9, 5), (6, 8), (5, 12)], 2)
    f.path([(27, 5), (31, 5), (34, 8), (35, 12)], 2)
    return f


# The first crack runs from the vase's left wall up into its shoulder; the second from the
# foot up the right of the belly.
@figure("VaseCrackLeftImage")
def vase_crack_left(w, h):
    return from_art([
        "..........#.",
        ".......###.#",
        "......##....",
        "...###......",
        "####........",
        "..#.........",
        "............",
    ], w, h)


@figure("VaseCrackRightImage")
def vase_crack_right(w, h):
    return from_art([
        "......#.",
        ".....##.",
        ".....#..",
        "....##..",
        "....#...",
        "...##.#.",
        "...#.##.",
        "..##....",
        "..#.....",
        ".##.....",
        ".#......",
        ".##.....",
        "..#.....",
        "..##....",
        "...#....",
    ], w, h)


@figure("AnkhImage")
def ankh(w, h):
    return from_art([
        # 01234567890123
        "....####......",  # 0
        "...##..##.....",  # 1
        "..##....##....",  # 2
        "..##....##....",  # 3
        "..##....##....",  # 4
        "...##..##.....",  # 5
        "....####......",  # 6
        "###########...",  # 7
        "###########...",  # 8
        ".....##.......",  # 9
        "....####......",  # 10
        "....####......",  # 11
        "....####......",  # 12
        "....####......",  # 13
        "....####......",  # 14
        "....####......",  # 15
        "....####......",  # 16
    ], w, h)


@figure("AmuletImage")
def amulet(w, h):
    f = Fig(19, 19)
    f.ring(9, 10.5, 8.6, 8.1, 2)
    f.rect(8, 0, 3, 3)
    f.set(9, 1, 0)
    # The eye.
    f.art([
        "....#######....",
        "..###.....###..",
        "##....###....##",
        "..###.###.###..",
        "....#######....",
        "........#...#..",
        ".......#.....#.",
        "......#........",
    ], 2, 6)
    return f


# ---- Side scenes: the platform, the snake and the diamond ---------------------------------

# The hero on the ledge, seen from the side; the arms come from separate figures.
@figure("HeroPlatformImage")
def hero_platform(w, h):
    return from_art([
        # 0123456789012345678901234567
        ".............#########......",  # 0
        "............###########.....",  # 1
        "............###########.....",  # 2
        "............#.........#.....",  # 3
        "..........###############...",  # 4
        ".............########.......",  # 5
        ".............######.##......",  # 6
        ".............##########.....",  # 7
        ".............########.......",  # 8
        "..............#######.......",  # 9
        "...............####.........",  # 10
        ".............#########......",  # 11
        "............###########.....",  # 12
        "............###########.....",  # 13
        "............###########.....",  # 14
        "............###########.....",  # 15
        "............###########.....",  # 16
        ".............#########......",  # 17
        ".............#########......",  # 18
        ".............#########......",  # 19
        ".............##########.....",  # 20
        ".............##########.....",  # 21
        ".............####..####.....",  # 22
        ".............####...###.....",  # 23
        "............####....###.....",  # 24
        "............####.....###....",  # 25
        "............###......###....",  # 26
        "...........####......###....",  # 27
        "...........###.......###....",  # 28
        "...........###........###...",  # 29
        "..........####........###...",  # 30
        "..........###.........###...",  # 31
        "..........###.........###...",  # 32
        "..........###.........####..",  # 33
        ".........####.........######",  # 34
        "........#####.........######",  # 35
    ], w, h)


# The platform hero's raised arms hold a stone over his hat, ready to drop it on the snake.
@figure("ArmsTopImage")
def arms_top(w, h):
    return from_art([
        # 01234567890123
        "....######....",  # 0
        "..##########..",  # 1
        ".####.#######.",  # 2
        ".############.",  # 3
        ".##########.#.",  # 4
        "..##########..",  # 5
        ".##.######.##.",  # 6
        ".###......###.",  # 7
        "..##......##..",  # 8
        "..##......##..",  # 9
        "..###....###..",  # 10
        "...##....##...",  # 11
        "...##....##...",  # 12
    ], w, h)


@figure("ArmsDownImage")
def arms_down(w, h):
    return from_art([
        # 012345678901234567890123456789
        ".........##........###........",  # 0
        "........###.........###.......",  # 1
        ".......###...........###......",  # 2
        "......###.............###.....",  # 3
        ".....###...............###....",  # 4
        "....###.................###...",  # 5
        "...###...................###..",  # 6
        "...##.....................##..",  # 7
        "..###.....................###.",  # 8
        "..##.......................##.",  # 9
        ".###.......................###",  # 10
        "####.......................###",  # 11
        "###........................###",  # 12
        "##..........................##",  # 13
        "..............................",  # 14
    ], w, h)


@figure("VerticalLineImage")
def ledge(w, h):
    return Fig(28, 2).rect(0, 0, 28, 2)


@figure("FallStoneImage")
def fall_stone(w, h):
    return from_art([
        "..#..#..#...",
        "..#..#..#...",
        "............",
        "..#..#..#...",
        "............",
        "...######...",
        "..########..",
        ".####.#####.",
        "############",
        "###.########",
        "############",
        "#########.##",
        ".##########.",
        "..########..",
    ], w, h)


DIAMOND_GEM = [
    "..#########..",
    ".##.#.#.#.##.",
    "#############",
    ".#.#.....#.#.",
    "..#.#...#.#..",
    "...#.#.#.#...",
    "....#.#.#....",
    ".....###.....",
    "......#......",
]


def halo(f, shape, keep=None):
    """Draws shape (a figure of the same size) over f with a one-pixel white rim, so that it
    stands in front of what lies beneath; pixels of keep are never cleared."""
    for y in range(f.h):
        for x in range(f.w):
            if keep is not None and keep.px[y][x]:
                continue
            if not shape.px[y][x] and any(shape.get(x + dx, y + dy)
                                          for dx in (-1, 0, 1) for dy in (-1, 0, 1)):
                f.set(x, y, 0)
    f.paste(shape, 0, 0)


def half_ring(w, h, cx, cy, rx, ry, thick, front):
    """The front (lower) or back (upper) half of an elliptic band, as a figure of w x h."""
    band = Fig(w, h).ring(cx, cy, rx, ry, thick)
    for y in range(h):
        for x in range(w):
            if (y + 0.5 >= cy) != front:
                band.set(x, y, 0)
    return band


def scales(f, points, every=3):
    """White scale marks along a band of the snake."""
    for i, (x, y) in enumerate(points):
        if i % every == 0:
            f.set(x, y, 0)


# The snake lies in two coils with a loop of its body arched over the diamond; its head
# rises from the coils at the left, from the top of the loop or at the right (separate
# figures).
@figure("DiamondSnakeImage")
def diamond_snake(w, h):
    f = Fig(w, h)
    bottom, middle = (19.0, 17.6, 18.6, 6.2), (19.0, 12.6, 15.0, 5.0)
    thick = 3.0
    for c in (bottom, middle):
        halo(f, half_ring(w, h, *c, thick, False))
    loop = (19.0, 11.6, 11.8, 11.6)
    halo(f, half_ring(w, h, *loop, thick, False))
    inside = Fig(w, h).ellipse(loop[0], loop[1], loop[2] - thick, loop[3] - thick)
    for y in range(int(loop[1]) + 1):
        for x in range(w):
            if inside.px[y][x]:
                f.set(x, y, 0)
    halo(f, Fig(w, h).art(DIAMOND_GEM, 13, 4))
    for c in (middle, bottom):
        halo(f, half_ring(w, h, *c, thick, True), Fig(w, h).ring(*c, thick))
    # The tail's tip, out at the lower left.
    f.path([(4, 21), (1, 22), (0, 22)], 1)
    # Scales along the front of the lowest coil.
    scales(f, [(x, 22) for x in range(9, 30)], 3)
    return f


# A snake's head in profile facing left, with its forked tongue; (x, y) is its top left.
SNAKE_HEAD = [
    "......#####..",
    "....########.",
    "#..##.#######",
    ".############",
    "#..##########",
    ".....######..",
]


@figure("Snake1Image")
def snake_low_left(w, h):
    f = Fig(w, h)
    f.stroke([(13, 5.5), (14.3, 9), (13.5, 14), (12, 18.5), (12.5, 22.5), (13.5, 25.5)], 1.6)
    f.art(SNAKE_HEAD, 3, 1)
    return f


@figure("Snake2Image")
def snake_raised(w, h):
    f = Fig(w, h)
    f.stroke([(10.5, 5), (12.5, 10), (9.5, 16), (9, 21), (7, 26), (6, 31), (5.5, 35.5)], 1.6)
    f.art(SNAKE_HEAD, 1, 0)
    return f


@figure("Snake3Image")
def snake_low_right(w, h):
    f = Fig(w, h)
    f.stroke([(6.5, 5), (7, 10), (4.5, 15), (3.8, 20), (4.5, 25), (4, 29.5)], 1.6)
    f.art([
        "...#####.",
        ".########",
        "##.######",
        "#########",
        ".########",
        "...####..",
    ], 0, 1)
    return f


@figure("SackLeftStarImage")
def star_left(w, h):
    return from_art(["..#...", "#.#.#.", ".###..", "#####.", ".###..", "#.#.#."], w, h)


@figure("SackRightStarImage")
def star_right(w, h):
    return from_art(["..#...", ".###..", "#####.", ".###..", "..#..."], w, h)


@figure("StarStoneImage")
def star_stone(w, h):
    return from_art([
        "........",
        "........",
        "....#...",
        ".#..#..#",
        "..#.#.#.",
        "...###..",
        ".#######",
        "...###..",
        "..#.#.#.",
        ".#..#..#",
        "#...#...",
    ], w, h)


# ---- Side scenes: the hero cheering with the diamond --------------------------------------

@figure("HeroDiamondImage")
def hero_diamond(w, h):
    return from_art([
        # 012345678901234567890123
        "##....................##",  # 0
        "###..................###",  # 1
        ".##.....########.....##.",  # 2
        ".###...##########...###.",  # 3
        "..##...##########...##..",  # 4
        "..###..#........#..###..",  # 5
        "...##.############.##...",  # 6
        "...###...########..##...",  # 7
        "....##...#.####.#.##....",  # 8
        "....###..########.##....",  # 9
        ".....##...######.##.....",  # 10
        ".....###...####..##.....",  # 11
        "......##############....",  # 12
        "......##############....",  # 13
        ".......############.....",  # 14
        ".......############.....",  # 15
        "........##########......",  # 16
        "........##########......",  # 17
        "........##########......",  # 18
        "........##########......",  # 19
        "........####..####......",  # 20
        "........####..####......",  # 21
        ".......####....####.....",  # 22
        ".......###......###.....",  # 23
        ".......###......###.....",  # 24
        "......####......####....",  # 25
        "......###........###....",  # 26
        "......###........###....",  # 27
        "......###........###....",  # 28
        ".....####........####...",  # 29
        "...######........######.",  # 30
        "...######........######.",  # 31
    ], w, h)


# Hands spread wide: forearms out from the cheering hero's elbows (the top corners of his
# figure), open hands at their ends. The right hand mirrors the left about the hero's middle.
@figure("HandsImage")
def hands_spread(w, h):
    left = [
        ".#.#.#....",
        ".#.#.#....",
        "#######.#.",
        "##########",
        ".######...",
        "..####....",
        "..........",
    ]
    f = from_art(left, w, h)
    for y, row in enumerate(left):
        for x, ch in enumerate(row):
            if ch == "#":
                f.set(37 - x, y)
    return f


@figure("HandsUnderDiamondImage")
def hands_under(w, h):
    return from_art([
        # 012345678901234567890123
        "......####....####......",  # 0
        "......#####..#####......",  # 1
        ".....###.#####.###......",  # 2
        "....###...####..###.....",  # 3
        "...###..........###.....",  # 4
        "..###............###....",  # 5
        ".###..............###...",  # 6
        "###................###..",  # 7
    ], w, h)


# The diamond held up just above the hands (which meet at the bottom of this figure).
@figure("DiamondHandsImage")
def diamond_hands(w, h):
    f = Fig(w, h)
    f.art([
        "..###########..",
        ".##.#.#.#.#.##.",
        "##.#.#.#.#.#.##",
        "###############",
        ".#.#.......#.#.",
        "..#.#.....#.#..",
        "...#.#...#.#...",
        "....#.#.#.#....",
        ".....#.#.#.....",
        "......###......",
        ".......#.......",
    ], 6, 6)
    # Sparkles.
    for (x, y) in [(2, 6), (24, 5), (13, 1)]:
        f.line(x - 2, y, x + 2, y)
        f.line(x, y - 2, x, y + 2)
    return f


@figure("DiamondImage")
def diamond_in_air(w, h):
    f = Fig(17, 19)
    f.art(DIAMOND_GEM, 2, 4)
    for (x, y) in [(1, 1), (15, 2)]:
        f.line(x - 1, y, x + 1, y)
        f.line(x, y - 1, x, y + 1)
    # Lines of its flight.
    f.line(5, 15, 5, 18)
    f.line(8, 15, 8, 18)
    f.line(11, 15, 11, 18)
    return f


# ---- Side scenes: the left margin ---------------------------------------------------------

# The hero beside the maze, facing it (to the right).
@figure("HeroSideLeftImage")
def hero_side_left(w, h):
    return from_art([
        # 012345678901234567890123
        "........................",  # 0
        ".......######...........",  # 1
        "......########..........",  # 2
        "......########..........",  # 3
        "......#......#..........",  # 4
        "...###############......",  # 5
        "......########..........",  # 6
        "......#####.##..........",  # 7
        "......#########.........",  # 8
        "......#######...........",  # 9
        ".......######...........",  # 10
        "........###.............",  # 11
        "......########..........",  # 12
        ".....##########.........",  # 13
        "....############........",  # 14
        "....############........",  # 15
        "....##.########.........",  # 16
        "....##.#######..........",  # 17
        "....##.#######..........",  # 18
        "....##.#######..........",  # 19
        "....###.######..........",  # 20
        "......########..........",  # 21
        "......########..........",  # 22
        "......###..###..........",  # 23
        ".....###....###.........",  # 24
        ".....###....###.........",  # 25
        "....###......###........",  # 26
        "....###......###........",  # 27
        "....###.......###.......",  # 28
        "...###........###.......",  # 29
        "...###.........###......",  # 30
        "...###.........###......",  # 31
        "..###..........###......",  # 32
        "..###..........#####....",  # 33
        "#####..........######...",  # 34
        "####....................",  # 35
        "........................",  # 36
    ], w, h)


# The hero climbed up the outside of the maze wall, facing it (to the right): hands high on
# the wall, one knee drawn up, the other leg hanging.
@figure("HeroSideTopImage")
def hero_side_top(w, h):
    return from_art([
        # 0123456789012345678901234
        "...................##....",  # 0
        "..................####...",  # 1
        "..................####...",  # 2
        ".................####....",  # 3
        ".................###.....",  # 4
        "................###......",  # 5
        "................###......",  # 6
        "...............###.......",  # 7
        "...............###.......",  # 8
        ".....#######...###.......",  # 9
        "....#########..###.......",  # 10
        "....#########..###.......",  # 11
        "....#.......#..###.......",  # 12
        ".##############.##.......",  # 13
        "....#######....###.......",  # 14
        "....####.##....###.......",  # 15
        "....########..###........",  # 16
        "....#######...###........",  # 17
        ".....######..###.........",  # 18
        "......####...###.........",  # 19
        ".....###########.........",  # 20
        "....###########..........",  # 21
        "...############..........",  # 22
        "...###########...........",  # 23
        "...###########...........",  # 24
        "...##########............",  # 25
        "...##########............",  # 26
        "...##########............",  # 27
        "...##########............",  # 28
        "....#########............",  # 29
        "....#########............",  # 30
        "....##########...........",  # 31
        "....###########..........",  # 32
        "....####...#######.......",  # 33
        "....###......#######.....",  # 34
        "....###........######....",  # 35
        "....###.........#####....",  # 36
        "....###........#####.....",  # 37
        "....###.......####.......",  # 38
        "....###......####........",  # 39
        "....###.....####.........",  # 40
        "....###.....#######......",  # 41
        "....###.....#######......",  # 42
        "....###..................",  # 43
        "....###..................",  # 44
        "....###..................",  # 45
        "....###..................",  # 46
        "...###...................",  # 47
        "...###...................",  # 48
        "...#######...............",  # 49
        "...#######...............",  # 50
    ], w, h)


@figure("StoneTopImage")
def stone_top(w, h):
    return from_art([
        # 01234567890123456789012345678
        ".............................",  # 0
        ".............................",  # 1
        ".............................",  # 2
        "......................#####..",  # 3
        "....................########.",  # 4
        "........#######....##.######.",  # 5
        "...................##########",  # 6
        "..........#######..#######.##",  # 7
        "...................##########",  # 8
        "........#######....#########.",  # 9
        "....................#######..",  # 10
        ".............................",  # 11
        ".............................",  # 12
        ".............................",  # 13
    ], w, h)


@figure("SpiderTopImage")
def spider_high(w, h):
    return from_art([
        # 01234567890123456789012345
        "...........####...........",  # 0
        "....####..######..####....",  # 1
        "...#....#.######.#....#...",  # 2
        "..#......########......#..",  # 3
        ".#....###.######.###....#.",  # 4
        "#....#...########...#....#",  # 5
        "....#...##########...#....",  # 6
        "...#..##.########.##..#...",  # 7
        "..#..#....######....#..#..",  # 8
        ".#..#......####......#..#.",  # 9
        "...#..................#...",  # 10
        "..#....................#..",  # 11
        "..........................",  # 12
    ], w, h)


# A spider let down on its thread to just over the hat of the hero beside the maze.
@figure("SpiderLeftImage")
def spider_low(w, h):
    f = Fig(w, h)
    f.rect(8, 0, 1, 14)
    f.art([
        # 01234567890123456
        "........#........",  # 0
        "......#####......",  # 1
        "#....#######....#",  # 2
        ".#...#######...#.",  # 3
        "..#.#########.#..",  # 4
        "...###########...",  # 5
        "#.#.#########.#.#",  # 6
        ".#..#########..#.",  # 7
        "#..#.#######.#..#",  # 8
        "..#...#####...#..",  # 9
        ".#.....###.....#.",  # 10
        "#...............#",  # 11
        "........#........",  # 12
    ], 0, 13)
    return f


# The big spider's long leg, reaching out to the left of its other legs.
@figure("SpiderLegImage")
def spider_leg(w, h):
    f = Fig(w, h)
    f.path([(19, 9), (12, 2), (8, 1), (3, 8), (2, 12), (2, 20)], 2)
    return f


@figure("SpiderBigImage")
def spider_big(w, h):
    f = Fig(53, 29)
    cx, cy = 30, 13
    f.ellipse(cx, cy - 5, 5.2, 4.2)        # head
    f.ellipse(cx, cy + 5, 9.5, 8.5)        # abdomen
    # Eyes and marks.
    f.set(cx - 2, cy - 6, 0)
    f.set(cx + 2, cy - 6, 0)
    f.path([(cx - 3, cy + 2), (cx, cy + 5), (cx + 3, cy + 2)], 1, 0)
    f.path([(cx - 3, cy + 8), (cx, cy + 11), (cx + 3, cy + 8)], 1, 0)
    # Legs: four a side, jointed.
    legs = [
        [(cx - 4, cy - 6), (cx - 10, cy - 12), (cx - 16, cy - 11)],
        [(cx - 5, cy - 3), (cx - 13, cy - 7), (cx - 20, cy - 2)],
        [(cx - 7, cy + 1), (cx - 15, cy + 2), (cx - 19, cy + 10)],
        [(cx - 7, cy + 5), (cx - 12, cy + 9), (cx - 14, cy + 15)],
    ]
    for leg in legs:
        f.path(leg, 2)
        f.path([(2 * cx - x, y) for (x, y) in leg], 2)
    # The thread it hangs from.
    f.rect(cx, 0, 1, 3)
    return f


# ---- Side scenes: the exit ----------------------------------------------------------------

# The exit: an Egyptian gateway (cornice over two sloping pylons); the door, a separate
# figure of the same size and place, fills its opening.
@figure("ExitImage")
def exit_gate(w, h):
    return from_art([
        # 01234567890123456789012345
        "..........................",  # 0
        "..........................",  # 1
        ".########################.",  # 2
        "##########################",  # 3
        "#.##.##.##.##.##.##.##.##.",  # 4
        ".########################.",  # 5
        "..#######........#######..",  # 6
        "..##.####........####.##..",  # 7
        "..#######........#######..",  # 8
        "..##.#.##........##.#.##..",  # 9
        ".########........########.",  # 10
        ".###.####........####.###.",  # 11
        ".########........########.",  # 12
        ".##.#.###........###.#.##.",  # 13
        ".########........########.",  # 14
        "#########........#########",  # 15
        "#########........#########",  # 16
    ], w, h)


@figure("ExitDoorImage")
def exit_door(w, h):
    door = ["########", "##.##.##", "##.##.##", "########", "##.##.##", "##.##.##",
            "##.##.##", "########", "##.##.##", "##.##.##"]
    return Fig(w, h).art(door, 9, 7)


# The hero's hat, on his head in the doorway (it stays a moment after he has gone).
@figure("HatExitImage")
def hat_exit(w, h):
    return Fig(w, h).art([
        "..#####..",
        ".#######.",
        ".#######.",
        ".#.....#.",
        "#########",
    ], 0, 4)


# The hero walking to the exit with his torch; his hat is a figure of its own.
@figure("HeroExitImage")
def hero_exit(w, h):
    return from_art([
        # 01234567890123456789
        "...............#....",  # 0
        "..............###...",  # 1
        "..............###...",  # 2
        ".............#####..",  # 3
        ".............#####..",  # 4
        ".....######...###...",  # 5
        ".....####.##..###...",  # 6
        ".....########.###...",  # 7
        ".....######..#####..",  # 8
        "......#####...##....",  # 9
        ".......###....##....",  # 10
        "........#.....##....",  # 11
        "......######.####...",  # 12
        ".....########.###...",  # 13
        "....##########.##...",  # 14
        "....###.######.#....",  # 15
        "...###..#######.....",  # 16
        "...##...######......",  # 17
        "..###...######......",  # 18
        "........######......",  # 19
        ".......###.###......",  # 20
        "......###...###.....",  # 21
        "......###....###....",  # 22
        ".....###.....###....",  # 23
        ".....###......###...",  # 24
        "....###.......###...",  # 25
        "....###.......###...",  # 26
        "..#####.......#####.",  # 27
        "..####........#####.",  # 28
    ], w, h)


# ---- Output -------------------------------------------------------------------------------


def declared_templates():
    """Name -> (width, height) of every template declared in the layout headers."""
    found = {}
    pattern = re.compile(r'\{"(\w+)",\s*(-?\d+),\s*(-?\d+),\s*(\d+),\s*(\d+)\}')
    for path in LAYOUT_HEADERS:
        with open(path, encoding="utf-8") as header:
            for m in pattern.finditer(header.read()):
                name, w, h = m.group(1), int(m.group(4)), int(m.group(5))
                if name in NOT_FIGURES:
                    continue
                if name in found and found[name] != (w, h):
                    sys.exit("%s is declared with two sizes" % name)
                found[name] = (w, h)
    return found


def build():
    """Name -> PBM text of every declared template; stops on any mismatch."""
    declared = declared_templates()
    missing = sorted(set(declared) - set(FIGURES))
    unused = sorted(set(FIGURES) - set(declared))
    if missing or unused:
        sys.exit("no figure for %s; figures nobody uses: %s" % (missing, unused))
    out = {}
    for name in sorted(declared):
        fig = FIGURES[name](*declared[name])
        if (fig.w, fig.h) != declared[name]:
            sys.exit("%s is %dx%d, the layout wants %dx%d" % ((name, fig.w, fig.h) + declared[name]))
        if not any(any(row) for row in fig.px):
            sys.exit("%s is blank" % name)
        out[name] = fig.pbm()
    return out


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--out", default=os.path.join(ROOT, "resources", "figures"))
    parser.add_argument("--check", action="store_true", help="compare instead of writing")
    args = parser.parse_args()
    figures = build()
    differing = []
    if not args.check:
        os.makedirs(args.out, exist_ok=True)
    for name, text in figures.items():
        path = os.path.join(args.out, name + ".pbm")
        if args.check:
            try:
                with open(path, encoding="ascii", newline="") as f:
                    same = f.read() == text
            except OSError:
                same = False
            if not same:
                differing.append(name)
        else:
            with open(path, "w", encoding="ascii", newline="\n") as f:
                f.write(text)
    if args.check:
        for name in differing:
            print("differs: %s" % name)
        return 1 if differing else 0
    print("wrote %d figures to %s" % (len(figures), args.out))
    return 0


if __name__ == "__main__":
    sys.exit(main())
