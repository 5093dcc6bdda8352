#!/usr/bin/env python3
"""Draws the photograph of the Karvan Mirk handheld: resources/images/device.jpg, 800 x 481.

    python3 tools/make_device_photo.py            # writes resources/images/device.jpg
    python3 tools/make_device_photo.py out.jpg    # writes elsewhere

Every pixel is computed here (standard library only) into a PPM; ImageMagick's `convert` turns
that into a JPEG of quality 92 and renders the printed words (DejaVu fonts) as grey masks.
Noise comes from a fixed seed, so the same tools give the same picture.

What the game relies on (window coordinates, edges inclusive of the left/top pixel):
  LCD glass        left 202, top 114, 385 x 246 - plain light grey-green, figures are drawn on it
  direction pad    inside (16, 264, 129 x 137)
  top oval button  inside (664, 48, 57 x 33)  (three ovals stacked, this is the uppermost)
  reset hole "ACL" inside (728, 136, 33 x 33) (two holes beside the ovals)
  round button     inside (648, 296, 129 x 65)
"""

import math
import os
import random
import subprocess
import sys
import tempfile

W, H = 800, 481
HERE = os.path.dirname(os.path.abspath(__file__))
DEFAULT_OUT = os.path.join(HERE, "..", "resources", "images", "device.jpg")
FONT_DIR = "/usr/share/fonts/truetype/dejavu"

# Layout (pixel edges; a rectangle is left, top, width, height).
LCD = (202, 114, 385, 246)
CASE = (5, 5, 790, 469)          # the plastic casing
CASE_R = 38
PLATE = (170, 26, 450, 430)      # dark printed face plate around the display
PLATE_R = 14
WINDOW = (189, 101, 411, 272)    # opening in the plate: the recessed bezel round the glass
PAD_C = (80.5, 332.5)            # direction pad centre
OVALS = [(692.5, 64.5), (692.5, 106.5), (692.5, 148.5)]
HOLES = [(744.5, 106.5), (744.5, 152.5)]   # the second is the ACL hole
BIG_C = (712.5, 328.5)
BIG_R = 27.5
SPEAKER_C = (86.0, 128.0)

LIGHT = (-0.42, -0.62, 0.66)


def norm3(v):
    n = math.sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2])
    return (v[0] / n, v[1] / n, v[2] / n)


L = norm3(LIGHT)
HALF = norm3((L[0], L[1], L[2] + 1.0))
FLAT_NDL = L[2]


def clamp(v, lo=0.0, hi=1.0):
    return lo if v < lo else hi if v > hi else v


def smooth(e0, e1, v):
    t = clamp((v - e0) / (e1 - e0))
    return t * t * (3.0 - 2.0 * t)


def mix(a, b, t):
    return (a[0] + (b[0] - a[0]) * t, a[1] + (b[1] - a[1]) * t, a[2] + (b[2] - a[2]) * t)


def scale(c, f):
    return (c[0] * f, c[1] * f, c[2] * f)


def add(c, v):
    return (c[0] + v, c[1] + v, c[2] + v)


def rgb(r, g, b):
    return (r / 255.0, g / 255.0, b / 255.0)


# ---------------------------------------------------------------- signed distances (negative inside)

def sd_rect(px, py, rect, r):
    left, top, w, h = rect
    hw, hh = w / 2.0, h / 2.0
    qx = abs(px - (left + hw)) - hw + r
    qy = abs(py - (top + hh)) - hh + r
    ox, oy = max(qx, 0.0), max(qy, 0.0)
    return math.sqrt(ox * ox + oy * oy) + min(max(qx, qy), 0.0) - r


def sd_circle(px, py, c, r):
    return math.hypot(px - c[0], py - c[1]) - r


def sd_ellipse(px, py, c, a, b):
    dx, dy = (px - c[0]) / a, (py - c[1]) / b
    k = math.sqrt(dx * dx + dy * dy)
    return (k - 1.0) * min(a, b) if k > 1e-9 else -min(a, b)


def sd_pad(px, py):
    cx, cy = PAD_C
    arm, half = 57.0, 18.5
    a = sd_rect(px, py, (cx - arm, cy - half, 2 * arm, 2 * half), 6.0)
    b = sd_rect(px, py, (cx - half, cy - arm, 2 * half, 2 * arm), 6.0)
    return min(a, b)


def gradient(sdf, px, py):
    gx = sdf(px + 0.5, py) - sdf(px - 0.5, py)
    gy = sdf(px, py + 0.5) - sdf(px, py - 0.5)
    n = math.hypot(gx, gy)
    return (gx / n, gy / n) if n > 1e-9 else (0.0, 0.0)


def bevel_normal(sdf, px, py, d, width, tilt, raised=True):
    """Normal of a shape whose rim (the outer `width` pixels inside it) rounds off by `tilt`."""
    t = clamp(-d / width)
    if t >= 1.0:
        return (0.0, 0.0, 1.0)
    gx, gy = gradient(sdf, px, py)
    theta = tilt * (1.0 - t) ** 1.6
    s = math.sin(theta) * (1.0 if raised else -1.0)
    return (gx * s, gy * s, math.cos(theta))


def lit(base, n, ambient, spec, power):
    ndl = max(0.0, n[0] * L[0] + n[1] * L[1] + n[2] * L[2])
    f = ambient + (1.0 - ambient) * ndl / FLAT_NDL
    ndh = max(0.0, n[0] * HALF[0] + n[1] * HALF[1] + n[2] * HALF[2])
    return add(scale(base, f), spec * ndh ** power)


def coverage(d):
    return clamp(0.5 - d)


# ---------------------------------------------------------------- noise

class ValueNoise:
    """Smooth random values on a lattice of `cell` pixels, repeating beyond the picture."""

    def __init__(self, cell, seed):
        rng = random.Random(seed)
        self.cell = float(cell)
        self.cols = int(W / cell) + 2
        self.rows = int(H / cell) + 2
        self.v = [rng.random() * 2.0 - 1.0 for _ in range(self.cols * self.rows)]

    def at(self, px, py):
        fx, fy = px / self.cell, py / self.cell
        ix, iy = math.floor(fx), math.floor(fy)
        tx, ty = fx - ix, fy - iy
        tx, ty = tx * tx * (3 - 2 * tx), ty * ty * (3 - 2 * ty)
        x0, x1 = ix % self.cols, (ix + 1) % self.cols
        y0, y1 = (iy % self.rows) * self.cols, ((iy + 1) % self.rows) * self.cols
        v = self.v
        a = v[y0 + x0] + (v[y0 + x1] - v[y0 + x0]) * tx
        b = v[y1 + x0] + (v[y1 + x1] - v[y1 + x0]) * tx
        return a + (b - a) * ty


MOTTLE = ValueNoise(37, 11)
GRAIN = ValueNoise(1.7, 12)
BRUSH = ValueNoise(0.9, 13)
BRUSH_LONG = ValueNoise(23, 14)
LCD_NOISE = ValueNoise(3.1, 15)


# ---------------------------------------------------------------- printed words

class Print:
    """A word rendered by ImageMagick as a grey mask, centred on (cx, cy)."""

    def __init__(self, text, font, size, cx, cy, colour, kerning=0.0, opacity=1.0):
        self.colour, self.opacity = colour, opacity
        with tempfile.TemporaryDirectory() as tmp:
            path = os.path.join(tmp, "mask.pgm")
            subprocess.run(["convert", "-background", "black", "-fill", "white",
                            "-font", os.path.join(FONT_DIR, font), "-pointsize", str(size),
                            "-kerning", str(kerning), "label:" + text, "-trim", "+repage",
                            "-depth", "8", path], check=True)
            with open(path, "rb") as f:
                data = f.read()
        parts = data.split(maxsplit=4)
        assert parts[0] == b"P5", "expected a binary PGM from convert"
        self.w, self.h = int(parts[1]), int(parts[2])
        self.mask = parts[4][-self.w * self.h:]
        self.left = int(round(cx - self.w / 2.0))
        self.top = int(round(cy - self.h / 2.0))

    def alpha(self, x, y):
        lx, ly = x - self.left, y - self.top
        if 0 <= lx < self.w and 0 <= ly < self.h:
            return self.mask[ly * self.w + lx] / 255.0 * self.opacity
        return 0.0


GOLD = rgb(201, 164, 88)
INK = rgb(74, 52, 36)


def make_prints():
    gold_cx = PLATE[0] + PLATE[2] / 2.0
    return {
        "plate": [
            Print("Karvan Mirk", "DejaVuSerif-BoldItalic.ttf", 34, gold_cx, 418, GOLD),
            Print("POCKET  LCD  GAME", "DejaVuSans-Bold.ttf", 11, gold_cx, 62, GOLD, 2.0),
            Print("TOMB SERIES  No. 1", "DejaVuSans.ttf", 8, gold_cx, 444, GOLD, 1.0, 0.8),
        ],
        "case": [
            Print("GAME", "DejaVuSans-Bold.ttf", 8, OVALS[0][0], 85, INK, 0.8),
            Print("TIME", "DejaVuSans-Bold.ttf", 8, OVALS[1][0], 127, INK, 0.8),
            Print("ALARM", "DejaVuSans-Bold.ttf", 8, OVALS[2][0], 169, INK, 0.8),
            Print("SET", "DejaVuSans-Bold.ttf", 8, HOLES[0][0], 127, INK, 0.8),
            Print("ACL", "DejaVuSans-Bold.ttf", 8, HOLES[1][0], 173, INK, 0.8),
            Print("JUMP", "DejaVuSans-Bold.ttf", 10, BIG_C[0], 378, INK, 1.5),
            Print("MOVE", "DejaVuSans-Bold.ttf", 10, PAD_C[0], 417, INK, 1.5),
            Print("MODEL KM-01", "DejaVuSans.ttf", 7, 712, 452, INK, 1.0, 0.75),
        ],
    }


# ---------------------------------------------------------------- the scene

BACKGROUND_TOP = rgb(104, 99, 92)
BACKGROUND_BOTTOM = rgb(72, 68, 63)
PLASTIC = rgb(208, 193, 158)
PLATE_COLOUR = rgb(62, 46, 35)
BEZEL = rgb(40, 38, 36)
GLASS = rgb(191, 199, 180)
DARK_KEY = rgb(52, 48, 46)
RED_KEY = rgb(176, 58, 38)


def background(px, py):
    t = py / H
    c = mix(BACKGROUND_TOP, BACKGROUND_BOTTOM, t)
    return scale(c, 1.0 + 0.05 * MOTTLE.at(px, py))


def casing_shadow(px, py):
    d = sd_rect(px - 4.0, py - 6.0, CASE, CASE_R)
    return 0.6 * (1.0 - smooth(-6.0, 10.0, d))


def contact_shadow(sdf, px, py, dx, dy, soft, strength):
    d = sdf(px - dx, py - dy)
    return strength * (1.0 - smooth(-soft * 0.3, soft, d))


def near(px, py, c, radius):
    return abs(px - c[0]) < radius and abs(py - c[1]) < radius


def plastic_surface(px, py, dcase):
    """The bare casing: rounded rim, soft studio light, sheen, grain and a moulding seam."""
    n = bevel_normal(lambda x, y: sd_rect(x, y, CASE, CASE_R), px, py, dcase, 16.0, 1.25)
    base = scale(PLASTIC, 1.0 + 0.018 * MOTTLE.at(px, py) + 0.022 * GRAIN.at(px, py))
    c = lit(base, n, 0.42, 0.55, 36)
    # broad soft-box reflection across the upper left and a gentle fall-off to the lower right
    band = (px * 0.55 + py) - 300.0
    c = add(c, 0.055 * math.exp(-(band / 150.0) ** 2))
    c = scale(c, 1.05 - 0.11 * (px / W * 0.6 + py / H * 0.4))
    # moulding seam a little inside the edge
    seam = abs(dcase + 9.0)
    if seam < 1.6:
        c = scale(c, 1.0 - 0.10 * (1.0 - seam / 1.6))
    elif -9.0 - 2.6 < dcase < -9.0:
        c = add(c, 0.03)
    return c


def speaker(px, py, c):
    if not near(px, py, SPEAKER_C, 40):
        return c
    best = 9.0
    for j in range(-3, 4):
        for i in range(-3, 4):
            if i * i + j * j > 10:
                continue
            hc = (SPEAKER_C[0] + i * 9.0 + (4.5 if j % 2 else 0.0), SPEAKER_C[1] + j * 8.0)
            if abs(i + (0.5 if j % 2 else 0.0)) > 3.2:
                continue
            best = min(best, sd_circle(px, py, hc, 2.6))
    if best < 1.0:
        cov = coverage(best)
        hole = scale(c, 0.22)
        return mix(c, hole, cov)
    if best < 2.2:
        return add(c, 0.04 * (1.0 - best / 2.2))
    return c


def dpad(px, py, c):
    if not near(px, py, PAD_C, 75):
        return c
    cx, cy = PAD_C
    # shallow round well moulded into the casing
    dw = sd_circle(px, py, PAD_C, 66.0)
    if dw < 0.0:
        nw = bevel_normal(lambda x, y: sd_circle(x, y, PAD_C, 66.0), px, py, dw, 5.0, 0.7, False)
        c = lit(scale(c, 0.95), nw, 0.55, 0.15, 30)
        # the well's floor darkens a little towards its upper left wall
        gx, gy = gradient(lambda x, y: sd_circle(x, y, PAD_C, 66.0), px, py)
        c = scale(c, 1.0 - 0.06 * clamp(1.0 + dw / 12.0) * clamp(-(gx + gy)))
    c = scale(c, 1.0 - contact_shadow(sd_pad, px, py, 3.0, 4.5, 7.0, 0.45))
    d = sd_pad(px, py)
    cov = coverage(d)
    if cov <= 0.0:
        return c
    n = bevel_normal(sd_pad, px, py, d, 6.0, 1.1)
    base = scale(DARK_KEY, 1.0 + 0.03 * GRAIN.at(px, py))
    key = lit(base, n, 0.5, 0.45, 28)
    # dish in the middle and moulded arrows on the arms
    dm = sd_circle(px, py, PAD_C, 11.0)
    if dm < 0.0:
        nm = bevel_normal(lambda x, y: sd_circle(x, y, PAD_C, 11.0), px, py, dm, 11.0, 0.35, False)
        key = lit(base, nm, 0.5, 0.35, 28)
    for ax, ay in ((1, 0), (-1, 0), (0, 1), (0, -1)):
        tip = 50.0
        bx, by = cx + ax * tip, cy + ay * tip
        # triangle pointing outwards, 11 px long, 14 px wide
        u = (px - bx) * ax + (py - by) * ay          # along the arm, 0 at the tip, negative inwards
        v = (px - bx) * (-ay) + (py - by) * ax       # across
        if -11.0 <= u <= 0.0 and abs(v) <= (-u) * 0.62:
            edge = min(-u, 11.0 + u, (-u) * 0.62 - abs(v))
            key = scale(key, 1.0 - 0.35 * clamp(edge))
            if -11.0 <= u <= -9.5:
                key = add(key, 0.05)
    return mix(c, key, cov)


def oval_button(px, py, c, centre):
    if not near(px, py, centre, 34):
        return c
    a, b = 22.0, 10.5
    sdf = lambda x, y: sd_ellipse(x, y, centre, a, b)
    # recess round the button
    dr = sd_ellipse(px, py, centre, a + 3.5, b + 3.5)
    if dr < 0.0:
        nr = bevel_normal(lambda x, y: sd_ellipse(x, y, centre, a + 3.5, b + 3.5), px, py, dr,
                          3.0, 0.9, False)
        c = lit(scale(c, 0.7), nr, 0.55, 0.2, 30)
    elif dr < 1.5:
        c = add(c, 0.05 * (1.0 - dr / 1.5))
    c = scale(c, 1.0 - contact_shadow(sdf, px, py, 1.5, 2.5, 4.0, 0.5))
    d = sdf(px, py)
    cov = coverage(d)
    if cov <= 0.0:
        return c
    n = bevel_normal(sdf, px, py, d, 7.0, 1.2)
    key = lit(scale(DARK_KEY, 1.0 + 0.03 * GRAIN.at(px, py)), n, 0.5, 0.55, 30)
    return mix(c, key, cov)


def hole(px, py, c, centre):
    if not near(px, py, centre, 16):
        return c
    r = 6.5
    d = sd_circle(px, py, centre, r)
    if d > 2.0:
        return c
    if d > 0.0:
        return add(c, 0.06 * (1.0 - d / 2.0))
    # inside: a dark shaft, its lower right wall catching a little light
    dx, dy = (px - centre[0]) / r, (py - centre[1]) / r
    depth = 0.16 + 0.22 * clamp((dx * 0.6 + dy * 0.8 + 0.4) * 0.8)
    inner = scale(c, depth * (1.0 - 0.5 * smooth(0.0, 0.6, 1.0 - math.hypot(dx, dy))))
    return mix(c, inner, coverage(d))


def big_button(px, py, c):
    if not near(px, py, BIG_C, 44):
        return c
    ring_r = BIG_R + 5.0
    dr = sd_circle(px, py, BIG_C, ring_r)
    if dr < 0.0:
        nr = bevel_normal(lambda x, y: sd_circle(x, y, BIG_C, ring_r), px, py, dr, 4.0, 0.9, False)
        c = lit(scale(c, 0.62), nr, 0.55, 0.2, 30)
    elif dr < 2.0:
        c = add(c, 0.06 * (1.0 - dr / 2.0))
    sdf = lambda x, y: sd_circle(x, y, BIG_C, BIG_R)
    c = scale(c, 1.0 - contact_shadow(sdf, px, py, 2.0, 3.5, 5.0, 0.55))
    d = sdf(px, py)
    cov = coverage(d)
    if cov <= 0.0:
        return c
    # a low dome: tilt grows towards the rim
    rr = clamp(math.hypot(px - BIG_C[0], py - BIG_C[1]) / BIG_R)
    gx, gy = gradient(sdf, px, py)
    theta = 0.35 * rr + 0.9 * smooth(0.72, 1.0, rr)
    n = (gx * math.sin(theta), gy * math.sin(theta), math.cos(theta))
    key = lit(scale(RED_KEY, 1.0 + 0.03 * GRAIN.at(px, py)), n, 0.48, 0.7, 44)
    return mix(c, key, cov)


def plate(px, py, c, prints):
    dp = sd_rect(px, py, PLATE, PLATE_R)
    if dp > 2.5:
        return c
    if dp > 0.0:
        # a fine shadow line where the plate sits in the casing
        return scale(c, 1.0 - 0.35 * (1.0 - dp / 2.5))
    brushed = 1.0 + 0.05 * BRUSH.at(px * 0.04, py) + 0.04 * BRUSH_LONG.at(px, py * 6.0)
    pc = scale(PLATE_COLOUR, brushed)
    n = bevel_normal(lambda x, y: sd_rect(x, y, PLATE, PLATE_R), px, py, dp, 2.5, 0.9)
    pc = lit(pc, n, 0.55, 0.45, 24)
    band = (px * 0.55 + py) - 330.0
    pc = add(pc, 0.05 * math.exp(-(band / 110.0) ** 2))
    # printed gold frame: a double line round the window, with small pyramids in the top corners
    for inset, width in ((-8.0, 1.6), (-12.0, 0.9)):
        dl = abs(sd_rect(px, py, WINDOW, 8.0) + inset)
        if dl < width:
            pc = mix(pc, GOLD, 0.9 * clamp(width - dl))
    for cx in (WINDOW[0] + 18.0, WINDOW[0] + WINDOW[2] - 18.0):
        base_y = WINDOW[1] - 18.0
        u = abs(px - cx)
        if base_y - 14.0 <= py <= base_y and u <= (py - (base_y - 14.0)) * 1.1:
            pc = mix(pc, GOLD, 0.85)
    for p in prints:
        a = p.alpha(int(px), int(py))
        if a > 0.0:
            ink = scale(p.colour, 0.92 + 0.16 * clamp((400.0 - py) / 400.0))
            pc = mix(pc, ink, a)
    return mix(c, pc, coverage(dp))


def window(px, py, c):
    dw = sd_rect(px, py, WINDOW, 8.0)
    if dw > 1.5:
        return c
    if dw > 0.0:
        return add(c, 0.10 * (1.0 - dw / 1.5))
    # recessed bezel: sloping walls from the plate down to the glass
    dl = sd_rect(px, py, LCD, 0.0)
    gx, gy = gradient(lambda x, y: sd_rect(x, y, WINDOW, 8.0), px, py)
    t = clamp(-dw / 11.0)
    theta = 0.9 * (1.0 - t) + 0.25
    n = (-gx * math.sin(theta), -gy * math.sin(theta), math.cos(theta))
    bz = lit(scale(BEZEL, 1.0 + 0.04 * GRAIN.at(px, py)), n, 0.55, 0.35, 20)
    bz = mix(c, bz, coverage(dw))
    if dl > 0.0:
        # the glass edge catches a hairline of light
        return add(bz, 0.05 * clamp(1.0 - dl))
    return glass(px, py, dl)


def glass(px, py, dl):
    """The LCD itself: plain, with a faint pattern, a touch of vignetting and an inner shadow."""
    lx, ly = (px - LCD[0]) / LCD[2], (py - LCD[1]) / LCD[3]
    f = 1.0 + 0.010 * LCD_NOISE.at(px, py) + 0.006 * MOTTLE.at(px * 1.3, py * 1.3)
    f *= 1.0 - 0.035 * ((lx - 0.45) ** 2 + (ly - 0.4) ** 2)
    # the bezel above and to the left throws a narrow shadow onto the glass
    top_shadow = math.exp(-(py - LCD[1]) / 2.2)
    left_shadow = math.exp(-(px - LCD[0]) / 2.6)
    f *= 1.0 - 0.16 * max(top_shadow, left_shadow * 0.8)
    c = scale(GLASS, f)
    # a very faint reflection of the studio light across the glass
    band = (px * 0.6 + py) - 330.0
    c = add(c, 0.018 * math.exp(-(band / 70.0) ** 2))
    return c


def render():
    prints = make_prints()
    film = random.Random(20240601)
    rows = []
    for y in range(H):
        row = bytearray()
        py = y + 0.5
        for x in range(W):
            px = x + 0.5
            c = scale(background(px, py), 1.0 - casing_shadow(px, py))
            dcase = sd_rect(px, py, CASE, CASE_R)
            cov = coverage(dcase)
            if cov > 0.0:
                k = plastic_surface(px, py, dcase)
                for p in prints["case"]:
                    a = p.alpha(x, y)
                    if a > 0.0:
                        k = mix(k, scale(p.colour, 0.9 + 0.2 * (k[0] - 0.6)), a * 0.95)
                k = speaker(px, py, k)
                k = dpad(px, py, k)
                for o in OVALS:
                    k = oval_button(px, py, k, o)
                for hc in HOLES:
                    k = hole(px, py, k, hc)
                k = big_button(px, py, k)
                k = plate(px, py, k, prints["plate"])
                k = window(px, py, k)
                c = mix(c, k, cov)
            # photographic touches: warm cast, vignette, sensor grain
            vx, vy = (px / W - 0.5), (py / H - 0.5)
            v = 1.0 - 0.16 * (vx * vx + vy * vy) * 2.0
            g = (film.random() - 0.5) * 0.018
            r = (c[0] * 1.015 * v + g)
            gg = (c[1] * v + g)
            b = (c[2] * 0.975 * v + g)
            row += bytes((int(clamp(r) * 255 + 0.5), int(clamp(gg) * 255 + 0.5),
                          int(clamp(b) * 255 + 0.5)))
        rows.append(bytes(row))
    return b"".join(rows)


def main():
    out = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else DEFAULT_OUT)
    pixels = render()
    os.makedirs(os.path.dirname(out), exist_ok=True)
    with tempfile.TemporaryDirectory() as tmp:
        ppm = os.path.join(tmp, "device.ppm")
        with open(ppm, "wb") as f:
            f.write(b"P6\n%d %d\n255\n" % (W, H))
            f.write(pixels)
        # a touch of lens softness, as in any photograph
        subprocess.run(["convert", ppm, "-gaussian-blur", "0x0.45", "-strip",
                        "-sampling-factor", "4:4:4",
                        "-quality", "92", out], check=True)
    print("wrote", out)


if __name__ == "__main__":
    main()
