#!/usr/bin/env python3
"""Makes the README's screenshot from a real run: starts the editor under Wine
on a private virtual screen, paints a picture with the X pointer, checks that
the canvas shows it, and writes the main window as a PNG.

    tools/screenshot.py [--program EXE] [--out PNG]

By default it shows the release, build/win32/pixmint.exe, and writes
docs/screenshot.png. The Wine session lives in the program's build tree, in
screenshot/.
"""

import argparse
import os
import sys
import tempfile

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
sys.path.insert(0, os.path.join(ROOT, "tests", "e2e"))

import harness  # noqa: E402
from formats import blank, SCREENSAVER_HEIGHT  # noqa: E402

# 5 x 7 letters, '#' ink.
GLYPHS = {
    "P": ["####.", "#...#", "#...#", "####.", "#....", "#....", "#...."],
    "I": ["#####", "..#..", "..#..", "..#..", "..#..", "..#..", "#####"],
    "X": ["#...#", "#...#", ".#.#.", "..#..", ".#.#.", "#...#", "#...#"],
    "M": ["#...#", "##.##", "#.#.#", "#.#.#", "#...#", "#...#", "#...#"],
    "N": ["#...#", "##..#", "#.#.#", "#..##", "#...#", "#...#", "#...#"],
    "T": ["#####", "..#..", "..#..", "..#..", "..#..", "..#..", "..#.."],
    "A": [".###.", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"],
    "5": ["#####", "#....", "####.", "....#", "....#", "#...#", ".###."],
    "0": [".###.", "#...#", "#..##", "#.#.#", "##..#", "#...#", ".###."],
}


def draw_text(picture, text, left, top, scale):
    for i, letter in enumerate(text):
        for y, line in enumerate(GLYPHS[letter]):
            for x, mark in enumerate(line):
                if mark == "#":
                    for dy in range(scale):
                        for dx in range(scale):
                            picture[top + y * scale + dy][left + (i * 6 + x) * scale + dx] = 1


def design():
    """A frame, the name in double-size letters and the phone's model below."""
    picture = blank(SCREENSAVER_HEIGHT)
    for c in range(2, 99):
        picture[2][c] = picture[46][c] = 1
    for r in range(2, 47):
        picture[r][2] = picture[r][98] = 1
    draw_text(picture, "PIXMINT", 9, 9, 2)
    draw_text(picture, "A50", 42, 31, 1)
    return picture


def runs(picture):
    """Horizontal runs of ink as lists of cells."""
    for r, row in enumerate(picture):
        c = 0
        while c < len(row):
            if row[c]:
                start = c
                while c < len(row) and row[c]:
                    c += 1
                yield [(x, r) for x in range(start, c)]
            c += 1


def paint(editor, picture):
    """Paints each run with the left button: pressed over the first cell,
    moved along the run and back to the first, released there (a move paints
    the cell it reaches; the press alone does not)."""
    for cells in runs(picture):
        path = cells + [cells[0]] if len(cells) > 1 else cells
        editor.paint_through(path, harness.INK, button=1)
    editor.park_pointer()


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--program", default=os.path.join(ROOT, "build", "win32", "pixmint.exe"))
    parser.add_argument("--out", default=os.path.join(ROOT, "docs", "screenshot.png"))
    options = parser.parse_args()
    if not os.path.isfile(options.program):
        sys.exit("screenshot.py: no program at %s (build it first)" % options.program)

    # The session lives in the program's build tree, whose Wine it takes.
    program = os.path.abspath(options.program)
    session = harness.Session(os.path.join(ROOT, "tools", "wine-run.sh"),
                              os.path.join(os.path.dirname(program), "screenshot"))
    started = session.start()
    workdir = tempfile.mkdtemp(prefix="pixmint-screenshot-")
    editor = None
    try:
        editor = harness.Editor(session, program, workdir,
                                os.path.join(session.dir, "screens"))
        picture = design()
        paint(editor, picture)
        screen = editor.settle("painted")
        shown = editor.picture(screen)
        wrong = harness.differing_cells(shown, picture)
        if wrong:
            sys.exit("screenshot.py: %d cells did not take the paint, first %s" % (len(wrong), wrong[:8]))
        os.makedirs(os.path.dirname(os.path.abspath(options.out)), exist_ok=True)
        screen.save_png(options.out, editor.frame)
        print("screenshot.py: wrote %s" % options.out)
    finally:
        if editor:
            editor.kill()
        if started:
            session.stop()
    return 0


if __name__ == "__main__":
    sys.exit(main())
