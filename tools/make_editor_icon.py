#!/usr/bin/env python3
"""Draws the level editor's icon: resources/icons/karvan-edit.png, 256 x 256 with transparency.

    python3 tools/make_editor_icon.py            # writes resources/icons/karvan-edit.png
    python3 tools/make_editor_icon.py out.png    # writes elsewhere

The game's icon (tools/make_icon.py, drawn again here pixel by pixel) with a pencil laid across
its lower right, the tip on the display. Standard library only; the same file on every run.
"""

import math
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import make_icon as icon  # noqa: E402

DEFAULT_OUT = os.path.join(icon.HERE, "..", "resources", "icons", "karvan-edit.png")

TIP = (150.0, 132.0)      # the graphite point, on the display
END = (244.0, 226.0)      # the far end of the pencil
HALF_WIDTH = 13.0
WOOD_LENGTH = 30.0        # from the point to the start of the painted body
LEAD_LENGTH = 10.0
FERRULE = 16.0            # metal band before the eraser
ERASER = 14.0

YELLOW = (0.93, 0.72, 0.16)
WOOD = (0.90, 0.76, 0.55)
LEAD = (0.18, 0.18, 0.20)
METAL = (0.70, 0.71, 0.72)
PINK = (0.86, 0.47, 0.50)


def pencil(px, py):
    """Colour and coverage of the pencil at a point (4 x 4 samples)."""
    ax, ay = TIP
    dx, dy = END[0] - ax, END[1] - ay
    length = math.hypot(dx, dy)
    ux, uy = dx / length, dy / length
    total = 0.0
    colour = (0.0, 0.0, 0.0)
    for j in range(4):
        for i in range(4):
            sx, sy = px - 0.375 + i * 0.25, py - 0.375 + j * 0.25
            along = (sx - ax) * ux + (sy - ay) * uy
            across = -(sx - ax) * uy + (sy - ay) * ux
            if along < 0.0 or along > length:
                continue
            # the cone of the sharpened point widens to the full width
            width = HALF_WIDTH * min(1.0, along / WOOD_LENGTH)
            if abs(across) > width:
                continue
            if along < LEAD_LENGTH:
                c = LEAD
            elif along < WOOD_LENGTH:
                c = WOOD
            elif along < length - ERASER - FERRULE:
                # three faces of the painted body, lit from the upper left
                face = -1 if across < -HALF_WIDTH / 3 else (1 if across > HALF_WIDTH / 3 else 0)
                c = icon.scale(YELLOW, (1.12, 1.0, 0.78)[face + 1])
            elif along < length - ERASER:
                c = icon.scale(METAL, 1.0 + 0.15 * math.cos(along / 2.0))
            else:
                c = PINK
            colour = tuple(colour[k] + c[k] for k in range(3))
            total += 1.0
    if total == 0.0:
        return None, 0.0
    return tuple(v / total for v in colour), total / 16.0


def pixel(x, y):
    c, a = icon.pixel(x, y)
    pc, cov = pencil(x + 0.5, y + 0.5)
    if pc is None:
        return c, a
    # the pencil's shadow is left out: it lies on the device and the icon stays crisp
    out_a = cov + a * (1.0 - cov)
    if out_a <= 0.0:
        return c, a
    mixed = tuple((pc[k] * cov + c[k] * a * (1.0 - cov)) / out_a for k in range(3))
    return mixed, out_a


def main():
    out = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else DEFAULT_OUT)
    rows = []
    for y in range(icon.SIZE):
        row = bytearray()
        for x in range(icon.SIZE):
            c, a = pixel(x, y)
            row += bytes(int(icon.clamp(v) * 255 + 0.5) for v in c)
            row += bytes((int(icon.clamp(a) * 255 + 0.5),))
        rows.append(bytes(row))
    os.makedirs(os.path.dirname(out), exist_ok=True)
    with open(out, "wb") as f:
        f.write(icon.png(icon.SIZE, icon.SIZE, rows))
    print("wrote", out)


if __name__ == "__main__":
    main()
