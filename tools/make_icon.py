#!/usr/bin/env python3
"""Draws the application icon: resources/images/icon.png, 256 x 256 with transparency.

    python3 tools/make_icon.py             # writes resources/images/icon.png
    python3 tools/make_icon.py out.png     # writes elsewhere

The handheld in small - sand casing, direction pad, red button - with the explorer's hat as a
dark LCD figure on its display. Standard library only (the PNG is written with zlib); every
pixel is computed, so the file is the same on every run.
"""

import math
import os
import struct
import sys
import zlib

SIZE = 256
HERE = os.path.dirname(os.path.abspath(__file__))
DEFAULT_OUT = os.path.join(HERE, "..", "resources", "images", "icon.png")

CASE = (10.0, 46.0, 236.0, 164.0)     # left, top, width, height
CASE_R = 26.0
SCREEN = (66.0, 68.0, 124.0, 98.0)
BEZEL = (58.0, 60.0, 140.0, 114.0)
PAD_C = (38.0, 150.0)
BUTTON_C = (218.0, 152.0)

PLASTIC = (0.82, 0.76, 0.62)
BEZEL_COLOUR = (0.25, 0.19, 0.14)
GLASS = (0.75, 0.78, 0.70)
SEGMENT = (0.17, 0.18, 0.16)
KEY = (0.20, 0.19, 0.18)
RED = (0.72, 0.22, 0.15)
LIGHT = (-0.45, -0.65, 0.62)


def clamp(v, lo=0.0, hi=1.0):
    return lo if v < lo else hi if v > hi else v


def mix(a, b, t):
    return tuple(a[i] + (b[i] - a[i]) * t for i in range(3))


def scale(c, f):
    return tuple(v * f for v in c)


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
    return (k - 1.0) * min(a, b)


def coverage(d):
    return clamp(0.5 - d)


def rim_light(sdf, px, py, d, width, raised=True):
    """Brightness factor of a rounded rim: light from the upper left."""
    t = clamp(-d / width)
    if t >= 1.0:
        return 1.0
    gx = sdf(px + 0.5, py) - sdf(px - 0.5, py)
    gy = sdf(px, py + 0.5) - sdf(px, py - 0.5)
    n = math.hypot(gx, gy) or 1.0
    gx, gy = gx / n, gy / n
    s = math.sin(1.1 * (1.0 - t)) * (1.0 if raised else -1.0)
    nz = math.cos(1.1 * (1.0 - t))
    ln = math.sqrt(sum(v * v for v in LIGHT))
    ndl = (gx * s * LIGHT[0] + gy * s * LIGHT[1] + nz * LIGHT[2]) / ln
    return 0.45 + 0.55 * max(0.0, ndl) / (LIGHT[2] / ln)


# ---------------------------------------------------------------- the hat, an LCD figure

def sd_hat(px, py):
    """A wide-brimmed explorer's hat centred on the display; negative inside."""
    cx = SCREEN[0] + SCREEN[2] / 2.0
    # brim: a flat ellipse whose ends curl up a little
    by = 138.0 - 0.0022 * (px - cx) ** 2
    brim = sd_ellipse(px, py + (138.0 - by), (cx, 138.0), 52.0, 8.5)
    # crown: narrower at the top, with a dent in the middle of its top
    top, bottom = 92.0, 136.0
    t = clamp((py - top) / (bottom - top))
    half = 24.0 + 6.0 * t
    dent = 6.0 * math.exp(-((px - cx) / 9.0) ** 2)
    crown = max(abs(px - cx) - half, (top + dent) - py, py - bottom)
    # round the crown's top corners
    if py < top + 8.0 and abs(px - cx) > half - 8.0:
        crown = max(crown, math.hypot(abs(px - cx) - (half - 8.0), py - (top + 8.0)) - 8.0)
    return min(brim, crown)


def sd_band_gap(px, py):
    """The thin clear line that splits the hat band from the crown, as between two segments."""
    cx = SCREEN[0] + SCREEN[2] / 2.0
    return max(abs(py - 121.0) - 1.3, abs(px - cx) - 40.0)


def hat_coverage(px, py):
    """Share of the pixel covered by the dark hat figure (4 x 4 samples)."""
    if sd_hat(px, py) > 3.0:
        return 0.0
    inside = 0
    for j in range(4):
        for i in range(4):
            sx, sy = px - 0.375 + i * 0.25, py - 0.375 + j * 0.25
            if sd_hat(sx, sy) < 0.0 and sd_band_gap(sx, sy) > 0.0:
                inside += 1
    return inside / 16.0


def lcd(px, py):
    c = GLASS
    # inner shadow at the top and left of the glass
    c = scale(c, 1.0 - 0.18 * math.exp(-(py - SCREEN[1]) / 3.0)
              - 0.10 * math.exp(-(px - SCREEN[0]) / 3.0))
    a = hat_coverage(px, py)
    # faint "ghost" of the segment a little down and right, as real LCD figures throw
    ghost = hat_coverage(px - 2.0, py - 2.0) * 0.12
    c = scale(c, 1.0 - ghost)
    return mix(c, SEGMENT, a)


def pixel(x, y):
    px, py = x + 0.5, y + 0.5
    # soft shadow under the device on a transparent ground
    ds = sd_rect(px - 3.0, py - 6.0, CASE, CASE_R)
    shadow_alpha = 0.45 * clamp(1.0 - (ds + 2.0) / 10.0)
    case_sdf = lambda x_, y_: sd_rect(x_, y_, CASE, CASE_R)
    dc = case_sdf(px, py)
    cov = coverage(dc)
    if cov <= 0.0:
        return (0.0, 0.0, 0.0), shadow_alpha
    c = scale(PLASTIC, rim_light(case_sdf, px, py, dc, 9.0))
    c = scale(c, 1.06 - 0.12 * (px + py) / (2.0 * SIZE))
    # the printed bezel and the glass
    db = sd_rect(px, py, BEZEL, 8.0)
    if db < 0.5:
        bz = scale(BEZEL_COLOUR, 1.0 + 0.2 * clamp((SCREEN[1] - py) / 12.0))
        c = mix(c, bz, coverage(db))
        dg = sd_rect(px, py, SCREEN, 2.0)
        if dg < 0.5:
            c = mix(c, lcd(px, py), coverage(dg))
    # direction pad
    pad = lambda x_, y_: min(sd_rect(x_, y_, (PAD_C[0] - 19, PAD_C[1] - 6.5, 38, 13), 2.5),
                             sd_rect(x_, y_, (PAD_C[0] - 6.5, PAD_C[1] - 19, 13, 38), 2.5))
    dp = pad(px, py)
    if dp < 6.0:
        c = scale(c, 1.0 - 0.35 * clamp(1.0 - pad(px - 1.5, py - 2.0) / 4.0))
        if dp < 0.5:
            c = mix(c, scale(KEY, rim_light(pad, px, py, dp, 3.0) * 1.15), coverage(dp))
    # round red button
    btn = lambda x_, y_: sd_circle(x_, y_, BUTTON_C, 13.0)
    dr = btn(px, py)
    if dr < 6.0:
        c = scale(c, 1.0 - 0.35 * clamp(1.0 - btn(px - 1.5, py - 2.0) / 4.0))
        if dr < 0.5:
            shine = math.exp(-(math.hypot(px - (BUTTON_C[0] - 4.5), py - (BUTTON_C[1] - 5.0)) / 4.0) ** 2)
            k = scale(RED, rim_light(btn, px, py, dr, 6.0))
            k = mix(k, (1.0, 0.93, 0.88), 0.55 * shine)
            c = mix(c, k, coverage(dr))
    # two small oval buttons above the red one
    for oy in (70.0, 92.0):
        ov = lambda x_, y_, oy=oy: sd_ellipse(x_, y_, (214.0, oy), 10.0, 5.0)
        do = ov(px, py)
        if do < 0.5:
            c = mix(c, scale(KEY, rim_light(ov, px, py, do, 3.0) * 1.15), coverage(do))
    # blend the device over its shadow
    alpha = cov + shadow_alpha * (1.0 - cov)
    return scale(c, cov / alpha if alpha > 0 else 0.0), alpha


def png(width, height, rows):
    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

    raw = b"".join(b"\x00" + r for r in rows)
    return (b"\x89PNG\r\n\x1a\n"
            + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(raw, 9))
            + chunk(b"IEND", b""))


def main():
    out = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else DEFAULT_OUT)
    rows = []
    for y in range(SIZE):
        row = bytearray()
        for x in range(SIZE):
            c, a = pixel(x, y)
            row += bytes(int(clamp(v) * 255 + 0.5) for v in c) + bytes((int(clamp(a) * 255 + 0.5),))
        rows.append(bytes(row))
    os.makedirs(os.path.dirname(out), exist_ok=True)
    with open(out, "wb") as f:
        f.write(png(SIZE, SIZE, rows))
    print("wrote", out)


if __name__ == "__main__":
    main()
