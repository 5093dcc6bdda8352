#!/usr/bin/env python3
"""Draws the application icon: the window's icon and the icon theme's copies.

    python3 tools/make_icon.py             # writes resources/images/icon.png (256 x 256) and
                                           # resources/icons/hicolor/<size>/apps/karvan-mirk.*
    python3 tools/make_icon.py out.png     # writes only the 256-pixel picture, elsewhere

The handheld in small - sand casing, direction pad, red button - with the explorer's hat as a
dark LCD figure on its display. The theme gets square PNGs from 16 to 256 pixels, each the
256-pixel picture averaged down (over premultiplied alpha, so edges do not darken), and a
scalable SVG drawn from the same shapes. Standard library only (the PNG is written with zlib);
every pixel is computed, so the files are the same on every run.
"""

import math
import os
import struct
import sys
import zlib

SIZE = 256
HERE = os.path.dirname(os.path.abspath(__file__))
DEFAULT_OUT = os.path.join(HERE, "..", "resources", "images", "icon.png")
THEME_DIR = os.path.join(HERE, "..", "resources", "icons", "hicolor")
THEME_SIZES = (16, 22, 24, 32, 48, 64, 128, 256)
ICON_NAME = "karvan-mirk"

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


def render():
    """The 256-pixel picture: rows of (r, g, b, a) floats, colour not premultiplied."""
    return [[(pixel(x, y)) for x in range(SIZE)] for y in range(SIZE)]


def encode(picture):
    rows = []
    for line in picture:
        row = bytearray()
        for c, a in line:
            row += bytes(int(clamp(v) * 255 + 0.5) for v in c) + bytes((int(clamp(a) * 255 + 0.5),))
        rows.append(bytes(row))
    return png(len(picture[0]), len(picture), rows)


def box_weights(src, dst):
    """For each target pixel, the source pixels it covers and the share of each."""
    step = src / dst
    out = []
    for i in range(dst):
        lo, hi = i * step, (i + 1) * step
        w = []
        for j in range(int(lo), min(src, int(math.ceil(hi)))):
            share = min(hi, j + 1) - max(lo, j)
            if share > 1e-9:
                w.append((j, share / step))
        out.append(w)
    return out


def downscale(picture, side):
    """Area average to side x side, over premultiplied colour."""
    if side == SIZE:
        return picture
    weights = box_weights(SIZE, side)
    pre = [[(tuple(v * a for v in c), a) for c, a in line] for line in picture]
    out = []
    for wy in weights:
        line = []
        for wx in weights:
            r = g = b = a = 0.0
            for y, sy in wy:
                src = pre[y]
                for x, sx in wx:
                    (pr, pg, pb), pa = src[x]
                    k = sx * sy
                    r += pr * k
                    g += pg * k
                    b += pb * k
                    a += pa * k
            line.append(((r / a, g / a, b / a) if a > 0 else (0.0, 0.0, 0.0), a))
        out.append(line)
    return out


# ---------------------------------------------------------------- the scalable drawing

def hex_colour(c):
    return "#" + "".join("%02x" % int(clamp(v) * 255 + 0.5) for v in c)


def points(seq):
    return " ".join("%.2f,%.2f" % p for p in seq)


def hat_outline():
    """The hat's crown and curled brim as two polygons, from the shapes of sd_hat."""
    cx = SCREEN[0] + SCREEN[2] / 2.0
    xs = [cx - 52.0 + i * 2.0 for i in range(53)]
    upper, lower = [], []
    for x in xs:
        by = 138.0 - 0.0022 * (x - cx) ** 2
        h = 8.5 * math.sqrt(max(0.0, 1.0 - ((x - cx) / 52.0) ** 2))
        upper.append((x, by - h))
        lower.append((x, by + h))
    brim = upper + lower[::-1]
    top, bottom = 92.0, 136.0
    crown = []
    for k in range(23):  # the left side, bottom to top
        y = bottom - k * 2.0
        t = clamp((y - top) / (bottom - top))
        crown.append((cx - (24.0 + 6.0 * t), y))
    for k in range(1, 8):  # the left corner's arc
        a = math.pi * (1.0 + 0.5 * k / 8.0)
        crown.append((cx - 16.0 + 8.0 * math.cos(a), top + 8.0 + 8.0 * math.sin(a)))
    for k in range(33):  # the top with its dent
        x = cx - 16.0 + k
        crown.append((x, top + 6.0 * math.exp(-((x - cx) / 9.0) ** 2)))
    for k in range(1, 8):
        a = math.pi * (1.5 + 0.5 * k / 8.0)
        crown.append((cx + 16.0 + 8.0 * math.cos(a), top + 8.0 + 8.0 * math.sin(a)))
    for k in range(23):
        y = top + 8.0 + k * (bottom - top - 8.0) / 22.0
        t = clamp((y - top) / (bottom - top))
        crown.append((cx + (24.0 + 6.0 * t), y))
    return crown, brim


def svg():
    cx = SCREEN[0] + SCREEN[2] / 2.0
    crown, brim = hat_outline()
    rect = lambda r, rad, fill, extra="": (
        '<rect x="%g" y="%g" width="%g" height="%g" rx="%g" fill="%s"%s/>'
        % (r[0], r[1], r[2], r[3], rad, fill, extra))
    parts = [
        '<?xml version="1.0" encoding="UTF-8"?>',
        '<svg xmlns="http://www.w3.org/2000/svg" width="256" height="256" viewBox="0 0 256 256">',
        "<title>Karvan Mirk</title>",
        "<defs>",
        '<filter id="shadow" x="-10%" y="-10%" width="120%" height="130%">'
        '<feGaussianBlur stdDeviation="3"/></filter>',
        '<linearGradient id="plastic" x1="0" y1="0" x2="1" y2="1">'
        '<stop offset="0" stop-color="%s"/><stop offset="1" stop-color="%s"/></linearGradient>'
        % (hex_colour(scale(PLASTIC, 1.08)), hex_colour(scale(PLASTIC, 0.86))),
        '<radialGradient id="red" cx="0.38" cy="0.36" r="0.7">'
        '<stop offset="0" stop-color="%s"/><stop offset="0.35" stop-color="%s"/>'
        '<stop offset="1" stop-color="%s"/></radialGradient>'
        % (hex_colour(mix(RED, (1.0, 0.93, 0.88), 0.55)), hex_colour(RED),
           hex_colour(scale(RED, 0.6))),
        "</defs>",
        rect((CASE[0] + 3.0, CASE[1] + 6.0, CASE[2], CASE[3]), CASE_R, "#000000",
             ' opacity="0.45" filter="url(#shadow)"'),
        rect(CASE, CASE_R, "url(#plastic)", ' stroke="%s" stroke-width="2"'
             % hex_colour(scale(PLASTIC, 0.7))),
        rect(BEZEL, 8.0, hex_colour(BEZEL_COLOUR)),
        rect(SCREEN, 2.0, hex_colour(GLASS)),
        '<g fill="%s">' % hex_colour(SEGMENT),
        '<polygon points="%s"/>' % points(crown),
        '<polygon points="%s"/>' % points(brim),
        "</g>",
        rect((cx - 40.0, 119.7, 80.0, 2.6), 0.0, hex_colour(GLASS)),
        '<g fill="%s">' % hex_colour(KEY),
        rect((PAD_C[0] - 19, PAD_C[1] - 6.5, 38, 13), 2.5, hex_colour(KEY)),
        rect((PAD_C[0] - 6.5, PAD_C[1] - 19, 13, 38), 2.5, hex_colour(KEY)),
        '<ellipse cx="214" cy="70" rx="10" ry="5"/>',
        '<ellipse cx="214" cy="92" rx="10" ry="5"/>',
        "</g>",
        '<circle cx="%g" cy="%g" r="13" fill="url(#red)"/>' % BUTTON_C,
        "</svg>",
    ]
    return "\n".join(parts) + "\n"


def write(path, data):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as f:
        f.write(data)
    print("wrote", os.path.normpath(path))


def main():
    picture = render()
    if len(sys.argv) > 1:
        write(os.path.abspath(sys.argv[1]), encode(picture))
        return
    write(DEFAULT_OUT, encode(picture))
    for side in THEME_SIZES:
        folder = os.path.join(THEME_DIR, "%dx%d" % (side, side), "apps")
        write(os.path.join(folder, ICON_NAME + ".png"), encode(downscale(picture, side)))
    write(os.path.join(THEME_DIR, "scalable", "apps", ICON_NAME + ".svg"), svg().encode("ascii"))


if __name__ == "__main__":
    main()
