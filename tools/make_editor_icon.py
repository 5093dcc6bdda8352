#!/usr/bin/env python3
"""Draws the level editor's icon: the window's icon and the icon theme's copies.

    python3 tools/make_editor_icon.py            # writes resources/icons/karvan-edit.png and
                                                 # resources/icons/hicolor/<size>/apps/karvan-edit.*
    python3 tools/make_editor_icon.py out.png    # writes only the 256-pixel picture, elsewhere

The game's icon (tools/make_icon.py, drawn again here pixel by pixel) with a pencil laid across
its lower right, the tip on the display; the theme's sizes are averaged down from it as the
game's are, and the SVG is the game's with the pencil drawn over it. Standard library only; the
same files on every run.
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


ICON_NAME = "karvan-edit"


def render():
    return [[pixel(x, y) for x in range(icon.SIZE)] for y in range(icon.SIZE)]


def svg_pencil():
    """The pencil as SVG polygons, in the order they overlap: body, ferrule, eraser, wood, lead."""
    ax, ay = TIP
    length = math.hypot(END[0] - ax, END[1] - ay)
    ux, uy = (END[0] - ax) / length, (END[1] - ay) / length

    def at(along, across):
        return (ax + along * ux - across * uy, ay + along * uy + across * ux)

    def band(start, stop, inner, outer):
        return [at(start, inner), at(stop, inner), at(stop, outer), at(start, outer)]

    def polygon(corners, colour):
        return '<polygon points="%s" fill="%s"/>' % (icon.points(corners), icon.hex_colour(colour))

    h, third = HALF_WIDTH, HALF_WIDTH / 3.0
    body_end = length - ERASER - FERRULE
    parts = [
        polygon(band(WOOD_LENGTH, body_end, -h, -third), icon.scale(YELLOW, 1.12)),
        polygon(band(WOOD_LENGTH, body_end, -third, third), YELLOW),
        polygon(band(WOOD_LENGTH, body_end, third, h), icon.scale(YELLOW, 0.78)),
        polygon(band(body_end, length - ERASER, -h, h), METAL),
        polygon(band(length - ERASER, length, -h, h), PINK),
        polygon([at(0.0, 0.0), at(WOOD_LENGTH, -h), at(WOOD_LENGTH, h)], WOOD),
        polygon([at(0.0, 0.0), at(LEAD_LENGTH, -h * LEAD_LENGTH / WOOD_LENGTH),
                 at(LEAD_LENGTH, h * LEAD_LENGTH / WOOD_LENGTH)], LEAD),
    ]
    return parts


def svg():
    game = icon.svg().replace("<title>Karvan Mirk</title>", "<title>Karvan Mirk level editor</title>")
    closing = "</svg>\n"
    return game[: -len(closing)] + "\n".join(svg_pencil()) + "\n" + closing


def main():
    picture = render()
    if len(sys.argv) > 1:
        icon.write(os.path.abspath(sys.argv[1]), icon.encode(picture))
        return
    icon.write(DEFAULT_OUT, icon.encode(picture))
    for side in icon.THEME_SIZES:
        folder = os.path.join(icon.THEME_DIR, "%dx%d" % (side, side), "apps")
        icon.write(os.path.join(folder, ICON_NAME + ".png"), icon.encode(icon.downscale(picture, side)))
    icon.write(os.path.join(icon.THEME_DIR, "scalable", "apps", ICON_NAME + ".svg"),
               svg().encode("ascii"))


if __name__ == "__main__":
    main()
