#!/usr/bin/env python3
"""Renders a reference picture of tests/data/pictures as an SVG file, for review beside the
running program:  scripts/render-picture.py tests/data/pictures/design-window.txt out.svg
(then `convert out.svg out.png`). Colours are 0xBBGGRR as the program writes them."""
import math
import re
import sys


def colour(bgr):
    v = int(bgr, 16)
    return "#%02x%02x%02x" % (v & 0xFF, (v >> 8) & 0xFF, (v >> 16) & 0xFF)


def main(source, target):
    shapes, xs, ys = [], [], []
    for line in open(source, encoding="utf-8"):
        f = line.split()
        if not f or f[0] in ("#", "page"):
            continue
        if f[0] == "line":
            x1, y1, x2, y2 = map(float, f[1:5])
            shapes.append('<line x1="%g" y1="%g" x2="%g" y2="%g" stroke="%s" stroke-width="%d"/>'
                          % (x1, y1, x2, y2, colour(f[5]), 10 * int(f[6][1:])))
            xs += [x1, x2]; ys += [y1, y2]
        elif f[0] == "arc":
            cx, cy, r = float(f[1]), float(f[2]), float(f[3][1:])
            a0, a1 = float(f[4]), float(f[5])
            span = (a1 - a0) % (2 * math.pi) or 2 * math.pi
            p0 = (cx + r * math.cos(a0), cy - r * math.sin(a0))
            p1 = (cx + r * math.cos(a0 + span), cy - r * math.sin(a0 + span))
            shapes.append('<path d="M %g %g A %g %g 0 %d 0 %g %g" fill="none" stroke="%s" '
                          'stroke-width="%d"/>' % (p0 + (r, r, span > math.pi) + p1 +
                                                    (colour(f[6]), 10 * int(f[7][1:]))))
            xs += [cx - r, cx + r]; ys += [cy - r, cy + r]
        elif f[0] == "point":
            x, y = float(f[1]), float(f[2])
            shapes.append('<circle cx="%g" cy="%g" r="15" fill="%s"/>' % (x, y, colour(f[3])))
        elif f[0] == "text":
            x, y = float(f[1]), float(f[2])
            size = f[3][2:]
            points = float(size) if size != "-" else 8.0
            text = re.search(r'"(.*)"$', line.rstrip("\n")).group(1)
            shapes.append('<text x="%g" y="%g" font-family="Liberation Sans" font-size="%g" '
                          'dominant-baseline="hanging">%s</text>' % (x, y, points * 20, text))
            xs.append(x); ys.append(y)
    x0, y0 = min(xs) - 500, min(ys) - 500
    w, h = max(xs) - x0 + 1500, max(ys) - y0 + 500
    with open(target, "w", encoding="utf-8") as out:
        out.write('<svg xmlns="http://www.w3.org/2000/svg" viewBox="%g %g %g %g" width="%d" '
                  'height="%d"><rect x="%g" y="%g" width="%g" height="%g" fill="#ddd"/>\n'
                  % (x0, y0, w, h, w / 8, h / 8, x0, y0, w, h))
        out.write("\n".join(shapes) + "\n</svg>\n")


if __name__ == "__main__":
    main(sys.argv[1], sys.argv[2])
