#!/usr/bin/env python3
"""Makes the README's pictures of pixmint-convert from real runs of it:

- docs/text-logo.png: an operator logo made with --text, written by the
  converter itself (four times enlarged, in the editor's colours);
- docs/fit-and-fill.png: a round image (drawn here) and the logos the
  converter makes of it, side by side: stretched as by default, with --fit
  and with --fill.

    tools/make-examples.py [--program PATH]

By default it runs the native build, build/native/pixmint-convert.
"""

import argparse
import os
import subprocess
import sys
import tempfile

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
sys.path.insert(0, os.path.join(ROOT, "tests", "e2e"))

import formats  # noqa: E402

SCALE = 3
GAP = 12
INK = (0, 0, 0, 255)
BACKGROUND = (253, 218, 111, 255)  # the editor's background
PAPER = (255, 255, 255, 255)


def run(program, *args):
    result = subprocess.run([program] + list(args), capture_output=True, text=True)
    if result.returncode != 0:
        sys.exit("%s %s: %s" % (program, " ".join(args), result.stderr.strip()))


def read_pbm(path):
    """The cells of a binary PBM as rows of 0 and 1."""
    with open(path, "rb") as f:
        data = f.read()
    fields = data.split(maxsplit=3)
    width, height, bits = int(fields[1]), int(fields[2]), fields[3]
    stride = (width + 7) // 8
    return [[(bits[y * stride + x // 8] >> (7 - x % 8)) & 1 for x in range(width)]
            for y in range(height)]


def round_image(size):
    """A black ring around a dot on white, size x size pixels."""
    centre = (size - 1) / 2
    pixels = []
    for y in range(size):
        row = []
        for x in range(size):
            d = ((x - centre) ** 2 + (y - centre) ** 2) ** 0.5
            ink = d <= size * 0.12 or size * 0.34 <= d <= size * 0.48
            row.append(INK if ink else PAPER)
        pixels.append(row)
    return pixels


def fit_and_fill(program, work):
    source = round_image(64)
    path = os.path.join(work, "round.png")
    with open(path, "wb") as f:
        f.write(formats.png_file(source))
    panels = []
    for option in (None, "--fit", "--fill"):
        out = os.path.join(work, "logo.pbm")
        run(program, "--logo", *([option] if option else []), path, out)
        cells = read_pbm(out)
        panels.append([[INK if cell else BACKGROUND for cell in row for _ in range(SCALE)]
                       for row in cells for _ in range(SCALE)])
    height = len(panels[0])
    # The image itself, shrunk to the panels' height by picking pixels.
    shown = [[source[y * len(source) // height][x * len(source) // height]
              for x in range(height)] for y in range(height)]
    rows = []
    for y in range(height):
        row = list(shown[y])
        for panel in panels:
            row += [PAPER] * GAP + panel[y]
        rows.append(row)
    return formats.png_file(rows)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--program", default=os.path.join(ROOT, "build", "native",
                                                           "pixmint-convert"))
    program = os.path.abspath(parser.parse_args().program)
    docs = os.path.join(ROOT, "docs")
    with tempfile.TemporaryDirectory(prefix="pixmint-examples-") as work:
        run(program, "--logo", "--bold", "--text", "Pixmint", "--scale", "4", "--colours",
            os.path.join(docs, "text-logo.png"))
        with open(os.path.join(docs, "fit-and-fill.png"), "wb") as f:
            f.write(fit_and_fill(program, work))


if __name__ == "__main__":
    main()
