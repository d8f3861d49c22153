#!/usr/bin/env python3
"""Makes the README's screenshot from a real run: starts the editor under Wine
on a private virtual screen, draws a picture with the tools (a rectangle
dragged with the X pointer, a text through the text window), checks that the
canvas and the real-size preview show it, and writes the main window as a PNG.

    tools/screenshot.py [--program EXE] [--out PNG] [--dpi N]

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
from formats import SCREENSAVER_HEIGHT  # noqa: E402


def draw(editor):
    """A frame dragged with the rectangle tool, the name and the phone's model
    in bold 16-pixel letters, and the ellipse tool left active."""
    session = editor.session
    session.keys("r")
    session.move(*editor.cell_point(2, 2))
    session.xdo("mousedown", 1, "sleep", 0.1)
    session.xdo("mousemove", "--sync", *editor.cell_point(50, 30), "sleep", 0.1)
    session.xdo("mousemove", "--sync", *editor.cell_point(98, 46), "sleep", 0.1, "mouseup", 1)
    session.keys("t")
    window = editor.wait_window("Text")
    session.focus(window)
    session.type_text("Pixmint")
    session.keys("Return")
    session.type_text("A50")
    session.keys("Tab", "Down", "Down", "Down", "Tab", "space", "Tab", "Return")
    editor.wait_gone("Text")
    session.keys("e")
    editor.park_pointer()


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--program", default=os.path.join(ROOT, "build", "win32", "pixmint.exe"))
    parser.add_argument("--out", default=os.path.join(ROOT, "docs", "screenshot.png"))
    parser.add_argument("--dpi", type=int, default=harness.STANDARD_DPI,
                        help="the display scale to show it at (96 unless given)")
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
                                os.path.join(session.dir, "screens"), dpi=options.dpi)
        draw(editor)
        screen = editor.settle("drawn")
        shown = editor.picture(screen)
        frame = [(c, r) for c in range(2, 99) for r in (2, 46)] + \
                [(c, r) for r in range(2, 47) for c in (2, 98)]
        if any(not shown[r][c] for c, r in frame) or sum(map(sum, shown)) <= len(set(frame)):
            sys.exit("screenshot.py: the canvas does not show the frame and the text")
        wrong = harness.differing_cells(editor.preview(screen, SCREENSAVER_HEIGHT), shown)
        if wrong:
            sys.exit("screenshot.py: the preview differs from the canvas at %s" % wrong[:8])
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
