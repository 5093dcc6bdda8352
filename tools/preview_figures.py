#!/usr/bin/env python3
"""Composes the LCD figures at their places on the display, to look at them.

Usage (from the repository root, Python 3 standard library only):

    python3 tools/preview_figures.py all   /tmp/all.ppm     # every crystal lit
    python3 tools/preview_figures.py frame /tmp/frame.ppm   # a plausible game frame
    python3 tools/preview_figures.py sheet /tmp/sheet.ppm   # every figure, enlarged
    python3 tools/preview_figures.py scenes /tmp/scenes.ppm # side scenes, step by step
    convert /tmp/all.ppm /tmp/all.png                       # ImageMagick, to view it

Options: --scale N (pixel size, default 3; 6 for the sheet), --figures DIR (default
resources/figures), --boxes (outline every lit crystal's rectangle in grey).

The places come from the layout headers (src/game/device_layout.h, src/engine/lcd_form.h);
the score digits, colon and AM/PM marks stand where the device form's base puts them.
"""

import argparse
import os
import re
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
LAYOUT = os.path.join(ROOT, "src", "game", "device_layout.h")
BASE = os.path.join(ROOT, "src", "engine", "lcd_form.h")

# Places of the base figures relative to the time position T (the form's base constructor)
# and of the seven segments relative to segment 0.
BASE_PLACES = [("AmImage", 0, 2, "am"), ("PmImage", 0, 16, "pm")]
DIGITS = [25, 41, 67, 83]
DOTS = [(55, 6), (54, 15)]
SEGMENT_PLACES = [("DigitTopImage", 0, 0), ("DigitTopRightImage", 5, 3),
                  ("DigitBottomRightImage", 4, 12), ("DigitBottomImage", -4, 19),
                  ("DigitBottomLeftImage", -4, 12), ("DigitTopLeftImage", -3, 2),
                  ("DigitMiddleImage", -1, 9)]
DIGIT_SETS = [63, 6, 91, 79, 102, 109, 125, 7, 127, 111]
GRID_KINDS = ["WallVert", "LockVert", "WallHorz", "LockHorz", "Hero", "Scorpion", "Gold",
              "SwitchUp", "SwitchDown", "SwitchBase", "Key"]


def read_layout():
    text = open(LAYOUT, encoding="utf-8").read() + open(BASE, encoding="utf-8").read()
    images = {}
    for m in re.finditer(r'TImage\s+(\w+)\{"(\w+)",\s*(-?\d+),\s*(-?\d+),\s*(\d+),\s*(\d+)\}', text):
        images[m.group(1)] = (m.group(2),) + tuple(int(m.group(i)) for i in range(3, 7))
    ints = {m.group(1): int(m.group(2))
            for m in re.finditer(r"constexpr int (\w+) = (-?\d+);", text)}
    body = lambda name: re.search(name + r"[^=]*=\s*\{\{(.*?)\}\};", text, re.S).group(1)
    cells = [(m.group(1), m.group(2)) + tuple(int(m.group(i)) for i in range(3, 7))
             for m in re.finditer(r"\{&(\w+), &(\w+), (-?\d+), (-?\d+), (-?\d+), (-?\d+)\}",
                                  body("CellFigures"))]
    side = [(m.group(1), int(m.group(2)), int(m.group(3)))
            for m in re.finditer(r'\{"(\w+)", (-?\d+), (-?\d+), \d+, \d+\}', body("SideFigures"))]
    lines = [(m.group(1), int(m.group(2)), int(m.group(3)))
             for m in re.finditer(r'\{"(\w+)", (-?\d+), (-?\d+), \d+, \d+\}', body("GroundLines"))]
    lives = [(int(a), int(b)) for a, b in re.findall(r"\{(-?\d+), (-?\d+)\}",
                                                    body("SmallHeroPlaces"))]
    mi = re.search(r"MapIndicatorPlace\{(-?\d+), (-?\d+)\}", text)
    return images, ints, cells, side, lines, lives, (int(mi.group(1)), int(mi.group(2)))


def crystals():
    """Every crystal as (tag, template name, display x, display y), in creation order."""
    images, ints, cells, side, lines, lives, map_place = read_layout()
    disp = images["DisplayImage"]
    dl, dt = disp[1], disp[2]
    out = []
    t = dl + ints["TimePosition"]  # the form answers the display left plus this as its
    # time position, and the base uses that number as a display x
    for name, dx, dy, tag in BASE_PLACES:
        out.append((tag, name, t + dx, dy))
    for i, dx in enumerate(DIGITS):
        for s, (name, sx, sy) in enumerate(SEGMENT_PLACES):
            out.append(("digit%d.%d" % (i, s), name, t + dx + sx, 1 + sy))
        if i == 1:
            for j, (x, y) in enumerate(DOTS):
                out.append(("dot%d" % j, "TimeDotImage", t + x, y))
    for r in range(5):
        for c in range(6):
            odd = (c + r) % 2 == 1
            for k, (even_t, odd_t, edx, edy, odx, ody) in enumerate(cells):
                vertical, horizontal = k in (0, 1), k in (2, 3)
                if not (r <= 3 if vertical else c <= 4 if horizontal else r <= 3 and c <= 4):
                    continue
                var = odd_t if odd else even_t
                dx, dy = (odx, ody) if odd else (edx, edy)
                out.append(("%s@%d,%d" % (GRID_KINDS[k], c, r), images[var][0],
                            ints["CellLeft"] + ints["CellPitchX"] * c + dx,
                            ints["CellTop"] + ints["CellPitchY"] * r + dy))

    def placed(tag, var):
        name, x, y = images[var][:3]
        out.append((tag, name, x - dl, y - dt))

    placed("keyind", "KeyImage")
    for i, (x, y) in enumerate(lives):
        out.append(("life%d" % i, "SmallHeroImage", x, y))
    placed("pyramids", "PyramidsImage")
    placed("sun", "SunImage")
    placed("moon", "MoonImage")
    for name, x, y in lines:
        out.append(("line", name, x - dl, y - dt))
    for name, x, y in side:
        out.append(("side:" + name, name, x - dl, y - dt))
    out.append(("mapind", "MapImage", map_place[0], map_place[1]))
    return out, (disp[3], disp[4])


def read_pbm(path):
    tokens = []
    for line in open(path, encoding="ascii"):
        tokens.extend(line.split("#")[0].split())
    assert tokens[0] == "P1", path
    w, h = int(tokens[1]), int(tokens[2])
    bits = "".join(tokens[3:])
    assert len(bits) == w * h, path
    return w, h, [[bits[y * w + x] == "1" for x in range(w)] for y in range(h)]


def frame_tags():
    """A plausible moment of play: a small maze, the hero, a scorpion, the scenes."""
    lit = {"digit0.%d" % s for s in range(7) if DIGIT_SETS[0] >> s & 1}
    for i, v in [(1, 2), (2, 4), (3, 7)]:
        lit |= {"digit%d.%d" % (i, s) for s in range(7) if DIGIT_SETS[v] >> s & 1}
    lit |= {"dot0", "dot1", "pm", "pyramids", "keyind", "mapind", "life0", "life1", "line"}
    for r in range(4):
        lit |= {"WallVert@0,%d" % r, "WallVert@5,%d" % r}
    for c in range(5):
        lit |= {"WallHorz@%d,0" % c, "WallHorz@%d,4" % c}
    lit |= {"WallHorz@1,2", "WallHorz@2,2", "WallHorz@3,1", "WallHorz@4,3", "WallHorz@0,3",
            "WallVert@3,2", "LockVert@3,2", "WallVert@2,0", "WallHorz@2,4", "LockHorz@2,4",
            "Hero@1,1", "Scorpion@3,1", "Scorpion@2,3", "Gold@0,0", "Gold@4,2", "Gold@3,3",
            "Key@4,0", "SwitchUp@0,2", "SwitchBase@0,2", "SwitchDown@4,1", "SwitchBase@4,1"}
    for name in ["HeroPlatformImage", "ArmsTopImage", "VerticalLineImage", "Snake2Image",
                 "DiamondSnakeImage", "VaseImage", "VaseCrackLeftImage", "SpiderBigImage",
                 "SpiderLegImage", "HeroSideLeftImage", "ExitImage", "ExitDoorImage",
                 "MapImage"]:
        lit.add("side:" + name)
    return lit


# Moments of the side scenes: (display rectangle x, y, w, h; side figures shown).
RIGHT_TOP, RIGHT_MID, RIGHT_LOW = (338, 0, 47, 72), (338, 78, 47, 118), (338, 196, 47, 50)
LEFT, TOP = (0, -2, 40, 136), (30, -2, 140, 36)
SCENES = [
    (RIGHT_TOP, ["HeroDiamondImage", "HandsUnderDiamondImage"]),
    (RIGHT_TOP, ["HeroDiamondImage", "HandsImage"]),
    (RIGHT_TOP, ["HeroDiamondImage", "HandsUnderDiamondImage", "DiamondHandsImage"]),
    (RIGHT_TOP, ["HeroDiamondImage", "HandsImage", "DiamondImage"]),
    (RIGHT_MID, ["HeroPlatformImage", "ArmsTopImage", "VerticalLineImage",
                 "DiamondSnakeImage"]),
    (RIGHT_MID, ["HeroPlatformImage", "ArmsTopImage", "VerticalLineImage", "Snake2Image",
                 "DiamondSnakeImage"]),
    (RIGHT_MID, ["HeroPlatformImage", "ArmsDownImage", "VerticalLineImage", "FallStoneImage",
                 "Snake1Image", "DiamondSnakeImage"]),
    (RIGHT_MID, ["HeroPlatformImage", "ArmsDownImage", "VerticalLineImage", "FallStoneImage",
                 "Snake1Image", "StarStoneImage", "DiamondSnakeImage"]),
    (RIGHT_MID, ["HeroPlatformImage", "ArmsTopImage", "VerticalLineImage", "Snake3Image",
                 "SackLeftStarImage", "SackRightStarImage", "DiamondSnakeImage"]),
    (RIGHT_LOW, ["VaseImage"]),
    (RIGHT_LOW, ["VaseImage", "VaseCrackLeftImage"]),
    (RIGHT_LOW, ["VaseImage", "VaseCrackLeftImage", "VaseCrackRightImage"]),
    (RIGHT_LOW, ["AnkhImage"]),
    (RIGHT_LOW, ["AmuletImage"]),
    (RIGHT_LOW, ["AnkhImage", "AmuletImage"]),
    (LEFT, ["MapImage", "HeroSideLeftImage"]),
    (LEFT, ["HeroSideLeftImage", "SpiderLeftImage"]),
    (LEFT, ["HeroSideTopImage", "SpiderTopImage"]),
    (LEFT, ["HeroSideTopImage", "StoneTopImage"]),
    (TOP, ["SpiderBigImage", "ExitImage", "ExitDoorImage", "MapImage", "StoneTopImage"]),
    (TOP, ["SpiderBigImage", "SpiderLegImage", "SpiderTopImage", "ExitImage",
           "ExitDoorImage"]),
    (TOP, ["ExitImage", "HeroExitImage", "HatExitImage"]),
    (TOP, ["ExitImage", "HatExitImage"]),
]


def scenes(figures_dir, scale):
    images, _, _, side, _, _, _ = read_layout()
    dl, dt = images["DisplayImage"][1], images["DisplayImage"][2]
    places = {name: (x - dl, y - dt) for name, x, y in side}
    gap = 3
    panels = []
    for rect, names in SCENES:
        rx, ry, rw, rh = rect
        panel = [[LCD] * rw for _ in range(rh)]
        for name in names:
            fw, fh, bits = read_pbm(os.path.join(figures_dir, name + ".pbm"))
            x0, y0 = places[name]
            for yy in range(fh):
                for xx in range(fw):
                    px, py = x0 + xx - rx, y0 + yy - ry
                    if bits[yy][xx] and 0 <= px < rw and 0 <= py < rh:
                        panel[py][px] = SEGMENT
        panels.append(panel)
    # Rows of panels of equal height.
    rows, row = [], []
    for p in panels:
        if row and (len(row[0]) != len(p) or sum(len(q[0]) + gap for q in row) > 260):
            rows.append(row)
            row = []
        row.append(p)
    rows.append(row)
    width = max(sum(len(q[0]) + gap for q in r) for r in rows) + gap
    img = []
    for r in rows:
        img.extend([[CASE] * width for _ in range(gap)])
        for y in range(len(r[0])):
            line = [CASE] * gap
            for p in r:
                line += p[y] + [CASE] * gap
            img.append(line + [CASE] * (width - len(line)))
    img.extend([[CASE] * width for _ in range(gap)])
    return scaled(img, scale)


def write_ppm(path, w, h, pixels):
    with open(path, "wb") as f:
        f.write(b"P6\n%d %d\n255\n" % (w, h))
        f.write(bytes(b for row in pixels for p in row for b in p))


LCD, SEGMENT, CASE, BOX = (196, 204, 178), (24, 28, 20), (90, 90, 96), (150, 158, 136)


def compose(mode, figures_dir, scale, boxes):
    all_crystals, (dw, dh) = crystals()
    margin = 6
    w, h = dw + 2 * margin, dh + 2 * margin
    img = [[CASE] * w for _ in range(h)]
    for y in range(margin, margin + dh):
        for x in range(margin, margin + dw):
            img[y][x] = LCD
    lit = None if mode == "all" else frame_tags()
    cache = {}
    shown = [c for c in all_crystals if lit is None or c[0] in lit]
    if boxes:
        for _, name, x, y in shown:
            fw, fh, _ = cache.setdefault(name, read_pbm(os.path.join(figures_dir, name + ".pbm")))
            for xx in range(x, x + fw):
                for yy in (y, y + fh - 1):
                    if 0 <= yy + margin < h and 0 <= xx + margin < w:
                        img[yy + margin][xx + margin] = BOX
            for yy in range(y, y + fh):
                for xx in (x, x + fw - 1):
                    if 0 <= yy + margin < h and 0 <= xx + margin < w:
                        img[yy + margin][xx + margin] = BOX
    for _, name, x, y in shown:
        fw, fh, bits = cache.setdefault(name, read_pbm(os.path.join(figures_dir, name + ".pbm")))
        for yy in range(fh):
            for xx in range(fw):
                if bits[yy][xx] and 0 <= y + yy + margin < h and 0 <= x + xx + margin < w:
                    img[y + yy + margin][x + xx + margin] = SEGMENT
    return scaled(img, scale)


def sheet(figures_dir, scale):
    names = sorted(n[:-4] for n in os.listdir(figures_dir) if n.endswith(".pbm"))
    figs = [(n,) + read_pbm(os.path.join(figures_dir, n + ".pbm")) for n in names]
    width, gap = 400, 4
    placed, x, y, row_h = [], gap, gap, 0
    for n, fw, fh, bits in figs:
        if x + fw + gap > width:
            x, y, row_h = gap, y + row_h + gap, 0
        placed.append((n, x, y, fw, fh, bits))
        print("%-24s at %3d,%3d" % (n, x, y))
        x += fw + gap
        row_h = max(row_h, fh)
    h = y + row_h + gap
    img = [[CASE] * width for _ in range(h)]
    for n, px, py, fw, fh, bits in placed:
        for yy in range(fh):
            for xx in range(fw):
                img[py + yy][px + xx] = SEGMENT if bits[yy][xx] else LCD
    return scaled(img, scale)


def scaled(img, scale):
    out = []
    for row in img:
        wide = [p for p in row for _ in range(scale)]
        out.extend([wide] * scale)
    return out


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("mode", choices=["all", "frame", "sheet", "scenes"])
    parser.add_argument("output")
    parser.add_argument("--scale", type=int)
    parser.add_argument("--figures", default=os.path.join(ROOT, "resources", "figures"))
    parser.add_argument("--boxes", action="store_true")
    args = parser.parse_args()
    if args.mode == "sheet":
        img = sheet(args.figures, args.scale or 6)
    elif args.mode == "scenes":
        img = scenes(args.figures, args.scale or 5)
    else:
        img = compose(args.mode, args.figures, args.scale or 3, args.boxes)
    write_ppm(args.output, len(img[0]), len(img), img)
    return 0


if __name__ == "__main__":
    sys.exit(main())
