#!/usr/bin/env python3
"""Checks the tray menu's left margin in a photograph of the screen (binary PPM on standard input).

At 96 dots per inch the margin is 24 pixels wide: 21 pixels of a vertical gradient in 32 bands
from RGB(0, 153, 204) at the top to RGB(0, 38, 51) at the bottom, a shadow line and a highlight
line at its right edge, the program's picture 16 x 16 at (left + 3, bottom - 20), and white text
running upwards above it. Prints what it found; exits 1 when something is missing.
"""
import sys

TOP = (0, 153, 204)
BOTTOM = (0, 38, 51)
GRADIENT_WIDTH = 21
BANDS = 32


def read_ppm(data):
    fields, pos = [], 0
    while len(fields) < 4:
        while data[pos:pos + 1].isspace():
            pos += 1
        if data[pos:pos + 1] == b"#":
            pos = data.index(b"\n", pos)
            continue
        end = pos
        while not data[end:end + 1].isspace():
            end += 1
        fields.append(data[pos:end])
        pos = end
    if fields[0] != b"P6" or fields[3] != b"255":
        raise ValueError("not an 8-bit binary PPM")
    width, height = int(fields[1]), int(fields[2])
    pixels = data[pos + 1:]
    if len(pixels) < width * height * 3:
        raise ValueError("short picture")
    return width, height, pixels


def main():
    width, height, pixels = read_ppm(sys.stdin.buffer.read())

    def at(x, y):
        i = (y * width + x) * 3
        return tuple(pixels[i:i + 3])

    problems = []
    # The top band: the first row holding a run of exactly GRADIENT_WIDTH pixels of its colour
    # (pictures elsewhere use the colour too, but in no run that long).
    run = bytes(TOP) * GRADIENT_WIDTH
    left = first = None
    for y in range(height):
        row = pixels[y * width * 3:(y + 1) * width * 3]
        x = row.find(run)
        while x >= 0 and (x % 3 or row[x + len(run):x + len(run) + 3] == bytes(TOP)
                          or x >= 3 and row[x - 3:x] == bytes(TOP)):
            x = row.find(run, x + 1)
        if x >= 0:
            left, first = x // 3, y
            break
    if left is None:
        print("no run of %d pixels of the gradient's top colour %s: the margin is not on the screen"
              % (GRADIENT_WIDTH, TOP))
        return 1
    right = left + GRADIENT_WIDTH - 1
    print("gradient top band at x %d..%d, from y %d" % (left, right, first))

    # The bottom band, below the top one; then down the gradient's rightmost column (clear of
    # the picture and, but for descenders, of the text): colours of the gradient only, never
    # lighter downwards, 32 bands.
    low = [y for y in range(first, height) for x in range(left, right + 1) if at(x, y) == BOTTOM]
    if not low:
        print("no pixel of the gradient's bottom colour %s below its top" % (BOTTOM,))
        return 1
    bottom = max(low) + 1  # one past the margin's last row
    bands = []
    for y in range(first, bottom):
        colour = at(right, y)
        if colour[0] != 0 or abs(4 * colour[1] - 3 * colour[2]) > 4:
            problems.append("(%d, %d) is %s, not a colour of the gradient" % (right, y, colour))
            break
        if not bands or bands[-1] != colour:
            bands.append(colour)
    print("gradient rows %d..%d, %d bands" % (first, bottom - 1, len(bands)))
    if any(later[1] > earlier[1] or later[2] > earlier[2] for earlier, later in zip(bands, bands[1:])):
        problems.append("the gradient gets lighter downwards")
    if len(bands) != BANDS:
        problems.append("%d bands, not %d" % (len(bands), BANDS))

    # The two lines at the right edge: one colour each, from top to bottom, and not the same.
    shadow = {at(left + 22, y) for y in range(first, bottom)}
    highlight = {at(left + 23, y) for y in range(first, bottom)}
    if len(shadow) != 1 or len(highlight) != 1 or shadow == highlight:
        problems.append("no plain shadow and highlight lines at x %d and %d" % (left + 22, left + 23))

    def band_colour(y):
        return at(left, y)

    # The picture: within its 16 x 16 box most rows hold pixels that are not the band's colour.
    marked_rows = sum(
        1 for y in range(bottom - 20, bottom - 4)
        if any(at(x, y) != band_colour(y) for x in range(left + 3, left + 19)))
    print("picture: %d of 16 rows drawn" % marked_rows)
    if marked_rows < 8:
        problems.append("no picture at (%d, %d)" % (left + 3, bottom - 20))

    # The text above it: white pixels inside the margin.
    white = sum(1 for y in range(first, bottom - 25) for x in range(left, left + GRADIENT_WIDTH) if at(x, y) == (255, 255, 255))
    print("text: %d white pixels" % white)
    if white < 40:
        problems.append("no white text above the picture")

    for problem in problems:
        print("WRONG: " + problem)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
