#!/usr/bin/env python3
"""Draws the program icon and the shared menu/tool images as .ico files.

Every picture is described with a few vector primitives on a 16 x 16 grid and rasterised,
with 4 x 4 supersampling, at each size an icon needs (16 px at 100 % up to 48 px at 300 %).
Standard library only.

    draw_art.py OUTPUT_FOLDER
writes brackwater.ico and image00.ico ... image25.ico.
"""
import math
import os
import struct
import sys

SIZES = (16, 20, 24, 32, 40, 48)
APP_SIZES = (16, 20, 24, 32, 40, 48, 64)
SUB = 4  # supersampling per axis


# ---- shapes: inside(x, y) tests in grid units, with a bounding box ------------------------

class Shape:
    def __init__(self, box, inside):
        self.box = box  # (x0, y0, x1, y1)
        self.inside = inside


def rect(x0, y0, x1, y1):
    return Shape((x0, y0, x1, y1), lambda x, y: x0 <= x <= x1 and y0 <= y <= y1)


def rrect(x0, y0, x1, y1, r):
    def inside(x, y):
        if not (x0 <= x <= x1 and y0 <= y <= y1):
            return False
        cx = min(max(x, x0 + r), x1 - r)
        cy = min(max(y, y0 + r), y1 - r)
        return (x - cx) ** 2 + (y - cy) ** 2 <= r * r
    return Shape((x0, y0, x1, y1), inside)


def circle(cx, cy, r):
    return Shape((cx - r, cy - r, cx + r, cy + r), lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 <= r * r)


def ring(cx, cy, r_out, r_in, gap=None):
    """A ring; gap = (start_deg, end_deg) leaves out that arc (0 deg = up, clockwise)."""
    def inside(x, y):
        d = (x - cx) ** 2 + (y - cy) ** 2
        if not (r_in * r_in <= d <= r_out * r_out):
            return False
        if gap:
            a = math.degrees(math.atan2(x - cx, cy - y)) % 360
            if gap[0] <= a <= gap[1]:
                return False
        return True
    return Shape((cx - r_out, cy - r_out, cx + r_out, cy + r_out), inside)


def line(x0, y0, x1, y1, w):
    """A stroke with round caps."""
    dx, dy = x1 - x0, y1 - y0
    length2 = dx * dx + dy * dy or 1e-9
    h = w / 2

    def inside(x, y):
        t = max(0.0, min(1.0, ((x - x0) * dx + (y - y0) * dy) / length2))
        px, py = x0 + t * dx - x, y0 + t * dy - y
        return px * px + py * py <= h * h
    return Shape((min(x0, x1) - h, min(y0, y1) - h, max(x0, x1) + h, max(y0, y1) + h), inside)


def poly(*points):
    xs = [p[0] for p in points]
    ys = [p[1] for p in points]

    def inside(x, y):
        result = False
        j = len(points) - 1
        for i in range(len(points)):
            xi, yi = points[i]
            xj, yj = points[j]
            if (yi > y) != (yj > y) and x < (xj - xi) * (y - yi) / (yj - yi) + xi:
                result = not result
            j = i
        return result
    return Shape((min(xs), min(ys), max(xs), max(ys)), inside)


def union(*shapes):
    box = (min(s.box[0] for s in shapes), min(s.box[1] for s in shapes),
           max(s.box[2] for s in shapes), max(s.box[3] for s in shapes))
    return Shape(box, lambda x, y: any(s.inside(x, y) for s in shapes))


def minus(a, b):
    return Shape(a.box, lambda x, y: a.inside(x, y) and not b.inside(x, y))


# ---- colours ------------------------------------------------------------------------------

def rgb(text):
    return (int(text[0:2], 16), int(text[2:4], 16), int(text[4:6], 16))


INK = rgb("1e2a38")
WHITE = rgb("ffffff")
GREEN = rgb("2e9e3e")
RED = rgb("d33a2c")
BLUE = rgb("1f6fd0")
TEAL = rgb("0099cc")
DEEP = rgb("00394d")
YELLOW = rgb("f2b807")
ORANGE = rgb("ee7d16")
GREY = rgb("7a8694")
PAPER = rgb("fbfbf7")


# ---- the pictures (grid 0..16) --------------------------------------------------------------

def page(x0=3, y0=1.5, x1=13, y1=14.5):
    fold = 3
    outline = poly((x0, y0), (x1 - fold, y0), (x1, y0 + fold), (x1, y1), (x0, y1))
    inner = poly((x0 + 1, y0 + 1), (x1 - fold - 0.4, y0 + 1), (x1 - 1, y0 + fold + 0.4), (x1 - 1, y1 - 1), (x0 + 1, y1 - 1))
    return [(outline, INK), (inner, PAPER), (poly((x1 - fold, y0), (x1, y0 + fold), (x1 - fold, y0 + fold)), GREY)]


def page_lines(x0=5, x1=11, ys=(7, 9.5, 12), colour=BLUE):
    return [(line(x0, y, x1, y, 1.2), colour) for y in ys]


def arrow(up, colour):
    if up:
        head = poly((8, 1.5), (14.5, 8), (10.5, 8), (10.5, 14.5), (5.5, 14.5), (5.5, 8), (1.5, 8))
    else:
        head = poly((8, 14.5), (14.5, 8), (10.5, 8), (10.5, 1.5), (5.5, 1.5), (5.5, 8), (1.5, 8))
    return [(head, INK), (shrink(head), colour)]


def shrink(shape, by=1.1):
    """The shape less a rim of about `by` grid units (approximated by probing eight directions)."""
    probes = [(by * math.cos(a), by * math.sin(a)) for a in [i * math.pi / 4 for i in range(8)]]
    return Shape(shape.box, lambda x, y: all(shape.inside(x + dx, y + dy) for dx, dy in probes))


def gear(cx, cy, r, teeth, colour):
    parts = [circle(cx, cy, r * 0.72)]
    for i in range(teeth):
        a = 2 * math.pi * i / teeth
        parts.append(line(cx, cy, cx + r * math.sin(a), cy - r * math.cos(a), r * 0.42))
    body = union(*parts)
    return [(body, INK), (minus(shrink(body, 0.9), circle(cx, cy, r * 0.28)), colour)]


def folder(colour=YELLOW):
    back = poly((1, 3), (6, 3), (7.5, 4.5), (15, 4.5), (15, 14), (1, 14))
    front = poly((1.9, 6.8), (14.1, 6.8), (14.1, 13.1), (1.9, 13.1))
    return [(back, INK), (shrink(back, 0.9), rgb("d89a00")), (front, colour)]


def window(title=TEAL):
    return [(rrect(1, 2, 15, 14, 1.2), INK), (rect(2, 3, 14, 5.5), title), (rect(2, 6.5, 14, 13), PAPER)]


def logo(bracket=WHITE, wave=rgb("7fe3ff")):
    """Square brackets around a wave: code in brackets beside the water."""
    parts = [
        (line(4, 2, 2, 2, 1.6), bracket), (line(2, 2, 2, 14, 1.6), bracket), (line(2, 14, 4, 14, 1.6), bracket),
        (line(12, 2, 14, 2, 1.6), bracket), (line(14, 2, 14, 14, 1.6), bracket), (line(14, 14, 12, 14, 1.6), bracket),
    ]
    for y in (6.5, 10):
        pts = [(4.5 + i * 0.5, y + 1.1 * math.sin(i * 0.5 * math.pi / 1.75)) for i in range(15)]
        parts += [(line(a[0], a[1], b[0], b[1], 1.5), wave) for a, b in zip(pts, pts[1:])]
    return parts


def question(colour):
    pts = [(8 + 2.6 * math.sin(math.radians(a)), 6 - 2.6 * math.cos(math.radians(a))) for a in range(-80, 181, 20)]
    parts = [(line(a[0], a[1], b[0], b[1], 2.0), colour) for a, b in zip(pts, pts[1:])]
    parts += [(line(8, 8.6, 8, 10, 2.0), colour), (circle(8, 12.7, 1.2), colour)]
    return parts


def pictures():
    pics = {}
    pics[0] = [(union(rect(6, 1.5, 10, 14.5), rect(1.5, 6, 14.5, 10)), INK),
               (union(rect(7, 2.5, 9, 13.5), rect(2.5, 7, 13.5, 9)), GREEN)]                        # add
    pen = poly((11.5, 1.5), (14.5, 4.5), (5, 14), (1.5, 14.5), (2, 11))
    pics[1] = [(pen, INK), (shrink(pen, 0.9), YELLOW), (poly((2.1, 11.6), (4.4, 13.9), (1.8, 14.2)), INK),
               (line(10.6, 2.6, 13.4, 5.4, 1.2), ORANGE)]                                              # modify
    pics[2] = [(union(line(3, 3, 13, 13, 4.2), line(13, 3, 3, 13, 4.2)), INK),
               (union(line(3, 3, 13, 13, 2.4), line(13, 3, 3, 13, 2.4)), RED)]                          # delete
    pics[3] = gear(8, 8, 7, 8, GREY)                                                                    # preferences
    pics[4] = [(circle(8, 8, 7), INK), (circle(8, 8, 6), BLUE), (circle(8, 4.7, 1.3), WHITE),
               (rect(7, 7, 9, 12.5), WHITE)]                                                            # about
    pics[5] = [(ring(8, 8.8, 6.6, 3.2, (325, 35)), INK), (ring(8, 8.8, 5.7, 4.1, (315, 45)), RED),
               (line(8, 1.2, 8, 8, 3.4), INK), (line(8, 2, 8, 7.4, 1.6), RED)]                        # exit
    pics[6] = window() + [(rect(3.5, 8, 12.5, 9), GREY), (rect(3.5, 10.5, 9.5, 11.5), GREY)]           # configuration
    pics[7] = arrow(True, BLUE)                                                                         # move up
    pics[8] = arrow(False, BLUE)                                                                        # move down
    pics[9] = page() + page_lines()                                                                     # template
    plug = union(rrect(3, 5, 13, 12, 2), rect(5, 1, 6.8, 5.5), rect(9.2, 1, 11, 5.5), rect(7, 11, 9, 15))
    pics[10] = [(plug, INK), (shrink(plug, 0.9), GREEN)]                                                # plug-ins
    pics[11] = [(ring(8, 8.5, 6.3, 2.7, (290, 360)), INK), (ring(8, 8.5, 5.4, 3.6, (280, 360)), ORANGE),
                (poly((8.6, 0.6), (8.6, 7.2), (4.2, 3.9)), INK), (poly((7.9, 2.0), (7.9, 5.8), (5.4, 3.9)), ORANGE)]  # reset
    pics[12] = logo()                                                                                   # margin logo
    pics[13] = page(1, 0.5, 10, 11.5) + page(6, 4.5, 15, 15.5) + page_lines(8, 13, (10, 12.5))           # clone
    keys = [(rect(x, y, x + 1.6, y + 1.6), INK) for y in (6.3, 9) for x in (3.2, 5.9, 8.6, 11.3)]
    pics[14] = [(rrect(0.8, 3.5, 15.2, 14.5, 1.5), INK), (rrect(1.8, 4.5, 14.2, 13.5, 1), rgb("e8ecf1"))] + keys + \
               [(rect(5, 11.5, 11, 12.6), INK)]                                                          # toggle hotkeys
    run = rrect(1.5, 1.5, 14.5, 14.5, 2.5)
    pics[15] = [(run, INK), (shrink(run, 0.9), ORANGE), (poly((6, 4.5), (12, 8), (6, 11.5)), WHITE)]    # plug-in entry
    pics[16] = folder()                                                                                 # folder
    tray = union(rect(1.5, 9, 3.5, 14.5), rect(1.5, 12.5, 14.5, 14.5), rect(12.5, 9, 14.5, 14.5))
    down = poly((8, 11.5), (12.5, 6.5), (9.6, 6.5), (9.6, 1), (6.4, 1), (6.4, 6.5), (3.5, 6.5))
    up = poly((8, 1), (12.5, 6), (9.6, 6), (9.6, 11), (6.4, 11), (6.4, 6), (3.5, 6))
    pics[17] = [(tray, INK), (down, INK), (shrink(down, 0.8), GREEN)]                                    # import
    pics[18] = [(tray, INK), (up, INK), (shrink(up, 0.8), BLUE)]                                         # export
    pics[19] = window() + [(rect(4, 10.5, 12, 12.3), INK)]                                              # minimize
    globe = [(circle(8, 8, 7), INK), (circle(8, 8, 6), TEAL)]
    globe += [(ring(8, 8, 6, 5.1), INK), (Shape((5, 2, 11, 14), lambda x, y: abs(((x - 8) / 2.9) ** 2 + ((y - 8) / 6) ** 2 - 1) < 0.16), INK),
              (rect(2, 7.5, 14, 8.5), INK), (line(8, 2, 8, 14, 1), INK)]
    pics[20] = globe                                                                                    # check version
    pics[21] = page() + page_lines(ys=(7,)) + [(circle(10.5, 10.5, 5), INK), (circle(10.5, 10.5, 4), RED),
                                               (line(8.4, 8.4, 12.6, 12.6, 1.6), WHITE), (line(12.6, 8.4, 8.4, 12.6, 1.6), WHITE)]  # failed template
    pics[22] = [(circle(8, 8, 7.2), INK), (circle(8, 8, 6.2), BLUE)] + question(WHITE)                 # help
    pics[23] = badge(BLUE, [((5, 3.5), (5, 12.5)), ((11, 3.5), (5.4, 8.6)), ((7, 7.4), (11, 12.5))])     # keyword
    pics[24] = badge(GREEN, [((5, 3.5), (5, 12.5)), ((5, 3.8), (9, 3.8)), ((9, 3.8), (10.8, 5.6)),
                             ((10.8, 5.6), (9, 7.8)), ((9, 7.8), (5, 7.8))])                             # property
    pics[25] = badge(ORANGE, [((4, 12.5), (4, 3.5)), ((4, 3.5), (8, 9)), ((8, 9), (12, 3.5)),
                              ((12, 3.5), (12, 12.5))])                                                  # method
    return pics


def badge(colour, strokes):
    """A rounded square in the colour of a completion word's kind with its letter in white."""
    base = rrect(1, 1, 15, 15, 2.5)
    return [(base, INK), (shrink(base, 0.9), colour)] + [(line(a[0], a[1], b[0], b[1], 1.7), WHITE) for a, b in strokes]


def program_icon():
    base = rrect(0.3, 0.3, 15.7, 15.7, 3)
    return [(base, DEEP), (rrect(1.1, 1.1, 14.9, 14.9, 2.4), TEAL)] + \
        [(Shape(s.box, s.inside), c) for s, c in logo(WHITE, rgb("bff2ff"))]


# ---- rasterising and writing --------------------------------------------------------------

def render(parts, size):
    """RGBA rows, top to bottom, straight (not premultiplied) alpha."""
    scale = 16.0 / size
    pixels = [[(0.0, 0.0, 0.0, 0.0)] * size for _ in range(size)]
    offsets = [(i + 0.5) / SUB for i in range(SUB)]
    for shape, colour in parts:
        x0 = max(0, int(shape.box[0] / scale) - 1)
        y0 = max(0, int(shape.box[1] / scale) - 1)
        x1 = min(size, int(shape.box[2] / scale) + 2)
        y1 = min(size, int(shape.box[3] / scale) + 2)
        for py in range(y0, y1):
            row = pixels[py]
            for px in range(x0, x1):
                hits = sum(1 for oy in offsets for ox in offsets if shape.inside((px + ox) * scale, (py + oy) * scale))
                if not hits:
                    continue
                a = hits / (SUB * SUB)
                r, g, b, da = row[px]
                out_a = a + da * (1 - a)
                mix = lambda s, d: (s * a + d * da * (1 - a)) / out_a
                row[px] = (mix(colour[0], r), mix(colour[1], g), mix(colour[2], b), out_a)
    return pixels


def dib(pixels):
    """A 32-bit icon image: BITMAPINFOHEADER (double height), bottom-up BGRA, AND mask."""
    size = len(pixels)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    colour = bytearray()
    for row in reversed(pixels):
        for r, g, b, a in row:
            colour += bytes((round(b), round(g), round(r), round(a * 255)))
    stride = ((size + 31) // 32) * 4
    mask = bytearray()
    for row in reversed(pixels):
        bits = bytearray(stride)
        for x, p in enumerate(row):
            if p[3] < 0.5 / 255:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    return header + bytes(colour) + bytes(mask)


def write_ico(path, parts, sizes):
    images = [dib(render(parts, s)) for s in sizes]
    out = bytearray(struct.pack("<HHH", 0, 1, len(images)))
    offset = 6 + 16 * len(images)
    for size, data in zip(sizes, images):
        out += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    for data in images:
        out += data
    with open(path, "wb") as f:
        f.write(out)


def main():
    if len(sys.argv) != 2:
        sys.exit("usage: draw_art.py OUTPUT_FOLDER")
    folder = sys.argv[1]
    os.makedirs(folder, exist_ok=True)
    write_ico(os.path.join(folder, "brackwater.ico"), program_icon(), APP_SIZES)
    for index, parts in sorted(pictures().items()):
        write_ico(os.path.join(folder, "image%02d.ico" % index), parts, SIZES)


if __name__ == "__main__":
    main()
