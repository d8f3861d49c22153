"""Painting with the real pointer, the size switch, New, Invert, undo and redo,
the keyboard, the shape tools, fill, moving and mirroring, text, and the Close
button with its question, all in one run of the editor (the cases run in
order)."""

import re
import subprocess
import sys

import harness
from harness import EditorTestCase, differing_cells
from formats import blank, LOGO_HEIGHT, SCREENSAVER_HEIGHT


class PaintingTest(EditorTestCase):

    def shown(self, name, check=None):
        return self.editor.settle(name, check)

    def picture(self, name, rows=None):
        """Waits until the canvas shows the expected number of rows, then reads
        it; the check box must agree with that size."""
        check = (lambda s: self.editor.visible_rows(s) == rows) if rows else None
        screen = self.shown(name, check)
        if rows:
            self.assertEqual(self.editor.size_checked(screen), rows == SCREENSAVER_HEIGHT,
                             "check box at %d rows" % rows)
        return self.editor.picture(screen)

    def new_picture(self):
        self.editor.press("new")
        self.editor.park_pointer()
        self.assertPicture(self.picture("new", SCREENSAVER_HEIGHT), blank(SCREENSAVER_HEIGHT),
                           "New")

    def switch_size(self, rows, name):
        self.editor.press("size")
        self.editor.park_pointer()
        return self.picture(name, rows)

    def test_01_start_up(self):
        editor = self.editor
        screen = editor.grab()
        self.assertEqual(editor.visible_rows(screen), SCREENSAVER_HEIGHT)
        self.assertTrue(editor.size_checked(screen), "check box at start-up")
        self.assertPicture(editor.picture(screen), blank(SCREENSAVER_HEIGHT), "start-up")
        # The tall canvas must leave the button row uncovered.
        canvas_bottom = editor.canvas[1] + SCREENSAVER_HEIGHT * editor.cell - 2
        self.assertLess(canvas_bottom, editor.control_top("invert"))
        self.assertLess(canvas_bottom, editor.control_top("new"))
        self.assertLessEqual(editor.canvas[0] + harness.WIDTH * editor.cell,
                             editor.client[0] + editor.client_size[0])
        # Nor does it reach the strip on its right.
        self.assertLessEqual(editor.canvas[0] - 1 + harness.WIDTH * editor.cell,
                             editor.dialog_point(*harness.PREVIEW)[0])
        # Cells of at least 6 pixels at 96 dots per inch, growing with the scale.
        self.assertGreaterEqual(editor.cell, 6 * editor.dpi // harness.STANDARD_DPI)
        print("cell size %d px, client area %r at %r, %d dpi" % (editor.cell, editor.client_size,
                                                                 editor.client, editor.dpi))

    def test_02_click_paints_at_button_up(self):
        editor = self.editor
        before = self.picture("before-click")
        editor.session.move(*editor.cell_point(10, 12))
        editor.session.xdo("mousedown", 1)
        try:
            held = self.picture("button-held")
            self.assertPicture(held, before, "button down, no movement")
        finally:
            editor.session.xdo("mouseup", 1)
        editor.park_pointer()
        after = self.picture("after-click")
        self.assertEqual(differing_cells(before, after), [(10, 12)])

    def test_03_left_drag_paints_ink(self):
        self.new_picture()
        cells = [(c, 20) for c in range(5, 41)] + [(40, r) for r in range(21, 30)]
        self.editor.paint_through(cells, harness.INK, button=1)
        self.editor.park_pointer()
        expected = blank(SCREENSAVER_HEIGHT)
        # The stroke starts at the cell under the button-down.
        for c, r in cells:
            expected[r][c] = 1
        self.assertPicture(self.picture("left-drag"), expected, "left drag")

    def test_04_right_drag_paints_background(self):
        self.new_picture()
        self.editor.press("invert")
        self.editor.park_pointer()
        expected = blank(SCREENSAVER_HEIGHT, 1)
        self.assertPicture(self.picture("inverted"), expected, "Invert")
        # Down the right-most column and along the bottom row: the cells that
        # are narrower on screen than the others.
        cells = [(100, r) for r in range(30, 49)] + [(c, 48) for c in range(99, 59, -1)]
        self.editor.paint_through(cells, harness.BACKGROUND, button=3)
        self.editor.park_pointer()
        for c, r in cells:
            expected[r][c] = 0
        self.assertPicture(self.picture("right-drag"), expected, "right drag")

    def test_05_pen_paints_only_while_its_button_is_held(self):
        editor = self.editor
        self.new_picture()
        expected = blank(SCREENSAVER_HEIGHT)
        # Press over the grid, drag down and out below it, back in and out
        # again with the button held, and release out there.
        drag = [(5, r) for r in range(44, 49)]
        back = [(6, 48), (7, 48)]
        outside = editor.dialog_point(30, 215)
        self.assertGreater(outside[1], editor.cell_point(5, 48)[1] + editor.cell)
        editor.paint_through(drag, harness.INK, button=1, release=False)
        editor.session.move(*outside)
        editor.paint_through(back, harness.INK)
        editor.session.move(*outside)
        editor.session.xdo("mouseup", 1)
        for c, r in drag + back:
            expected[r][c] = 1
        self.assertPicture(self.picture("released-outside"), expected, "drag out and back")
        # Back over the grid with no button held: nothing is painted.
        editor.session.path([editor.cell_point(c, 46) for c in range(10, 21)])
        editor.park_pointer()
        self.assertPicture(self.picture("moved-back"), expected, "moving back with no button")

    def test_06_size_switch_keeps_hidden_rows(self):
        editor = self.editor
        self.new_picture()
        for c, r in [(3, 10), (50, 28), (60, 29), (70, 40), (100, 48)]:
            editor.click_cell(c, r)
        editor.park_pointer()
        full = self.picture("painted-rows", SCREENSAVER_HEIGHT)
        logo = self.switch_size(LOGO_HEIGHT, "logo-size")
        self.assertPicture(logo, full[:LOGO_HEIGHT], "logo size")
        # The short canvas ends above the button row as well.
        logo_bottom = editor.canvas[1] + LOGO_HEIGHT * editor.cell - 2
        self.assertLess(logo_bottom, editor.control_top("invert"))
        self.assertLess(logo_bottom, editor.control_top("new"))
        # Where the hidden rows were, the dialog shows through: no cells.
        screen = editor.grab()
        for row in (29, 40, 48):
            self.assertNotIn(screen.pixel(*editor.cell_point(70, row)),
                             (harness.INK, harness.BACKGROUND), "row %d after shrinking" % row)
        again = self.switch_size(SCREENSAVER_HEIGHT, "screensaver-size-again")
        self.assertPicture(again, full, "hidden rows after growing back")

    def test_07_invert_and_new_reach_hidden_rows(self):
        self.new_picture()
        logo = self.switch_size(LOGO_HEIGHT, "logo-for-invert")
        self.assertPicture(logo, blank(LOGO_HEIGHT), "logo size before Invert")
        self.editor.press("invert")
        self.editor.park_pointer()
        self.assertPicture(self.picture("logo-inverted", LOGO_HEIGHT), blank(LOGO_HEIGHT, 1),
                           "Invert at logo size")
        full = self.switch_size(SCREENSAVER_HEIGHT, "hidden-rows-inverted")
        self.assertPicture(full, blank(SCREENSAVER_HEIGHT, 1), "hidden rows after Invert")
        self.switch_size(LOGO_HEIGHT, "logo-for-new")
        self.editor.press("new")
        self.editor.park_pointer()
        self.assertPicture(self.picture("logo-new", LOGO_HEIGHT), blank(LOGO_HEIGHT),
                           "New at logo size")
        full = self.switch_size(SCREENSAVER_HEIGHT, "hidden-rows-cleared")
        self.assertPicture(full, blank(SCREENSAVER_HEIGHT), "hidden rows after New")

    def test_08_fast_stroke_undo_redo_and_keys(self):
        editor = self.editor
        self.new_picture()
        # One jump of the pointer from one end of a diagonal to the other.
        start, end = editor.cell_point(10, 5), editor.cell_point(40, 35)
        editor.session.xdo("mousemove", "--sync", *start, "mousedown", 1, "mousemove", "--sync",
                           *end, "mouseup", 1)
        editor.park_pointer()
        stroke = blank(SCREENSAVER_HEIGHT)
        for step in range(31):
            stroke[5 + step][10 + step] = 1
        self.assertPicture(self.picture("fast-diagonal", SCREENSAVER_HEIGHT), stroke,
                           "fast diagonal stroke")
        editor.press("size")
        editor.park_pointer()
        self.picture("logo-before-undo", LOGO_HEIGHT)
        keys = editor.session.keys
        # Undo the size switch, then the stroke; redo both with either key.
        keys("ctrl+z")
        self.assertPicture(self.picture("undo-size", SCREENSAVER_HEIGHT), stroke, "undo size")
        keys("ctrl+z")
        self.assertPicture(self.picture("undo-stroke", SCREENSAVER_HEIGHT),
                           blank(SCREENSAVER_HEIGHT), "undo stroke")
        keys("ctrl+y")
        self.assertPicture(self.picture("redo-stroke", SCREENSAVER_HEIGHT), stroke, "redo")
        keys("ctrl+shift+z")
        self.assertPicture(self.picture("redo-size", LOGO_HEIGHT), stroke[:LOGO_HEIGHT],
                           "redo size")
        keys("ctrl+z")
        # Shortcuts for the buttons: Invert, then New; each one step back.
        keys("ctrl+i")
        self.assertPicture(self.picture("ctrl-i", SCREENSAVER_HEIGHT),
                           [[1 - v for v in row] for row in stroke], "Ctrl+I")
        keys("ctrl+n")
        self.assertPicture(self.picture("ctrl-n", SCREENSAVER_HEIGHT), blank(SCREENSAVER_HEIGHT),
                           "Ctrl+N")
        keys("ctrl+z", "ctrl+z")
        self.assertPicture(self.picture("undo-new-and-invert", SCREENSAVER_HEIGHT), stroke,
                           "undo of New and Invert")
        # A chooser called up from the keyboard over the grid takes the capture:
        # a stroke out and back in after it joins nothing across the outside.
        editor.session.move(*editor.cell_point(50, 20))
        keys("ctrl+o")
        editor.answer_question("n", before="Open")  # the stroke is not saved
        editor.dismiss("Open")
        editor.paint_through([(60, 2)], harness.INK, button=1, release=False)
        # A pause outside, so that the platform does not merge the moves.
        editor.session.xdo("mousemove", "--sync", *editor.dialog_point(30, 215), "sleep", 0.3)
        editor.paint_through([(60, 44)], harness.INK)
        editor.session.xdo("mouseup", 1)
        stroke[44][60] = 1
        self.assertPicture(self.picture("out-and-back", SCREENSAVER_HEIGHT), stroke,
                           "stroke out and back after Ctrl+O")

    def test_09_tab_does_nothing_and_escape_asks(self):
        editor = self.editor
        self.new_picture()
        # Clicking Invert gives it the keyboard focus.
        editor.press("invert")
        editor.park_pointer()
        before = self.shown("focus-on-invert")
        self.assertPicture(editor.picture(before), blank(SCREENSAVER_HEIGHT, 1), "Invert")
        editor.session.keys("Tab", "Tab")
        after = self.shown("after-tab")
        fx, fy, fw, fh = editor.frame
        changed = [(x, y) for y in range(fy, fy + fh, 2) for x in range(fx, fx + fw, 2)
                   if before.pixel(x, y) != after.pixel(x, y)]
        self.assertFalse(changed, "Tab changed the window, e.g. at %s" % changed[:5])
        # Esc asks about the unsaved picture; Esc again is Cancel.
        editor.session.keys("Escape")
        question = editor.wait_window(harness.QUESTION_TITLE)
        editor.shot("escape-asks", whole_screen=True)
        editor.session.focus(question)
        editor.session.keys("Escape")
        editor.wait_gone(harness.QUESTION_TITLE)
        self.assertTrue(editor.session.windows("^Pixmint v0"), "window gone after Cancel")
        editor.park_pointer()
        self.assertPicture(self.picture("cancelled", SCREENSAVER_HEIGHT),
                           blank(SCREENSAVER_HEIGHT, 1), "picture after Cancel")

    def shown_with_preview(self, name, rows=SCREENSAVER_HEIGHT):
        """The canvas's picture, once the real-size preview shows the same."""
        def agree(screen):
            try:
                return self.editor.picture(screen) == self.editor.preview(screen, rows)
            except harness.E2EError:
                return False
        screen = self.shown(name, lambda s: self.editor.visible_rows(s) == rows and agree(s))
        shown = self.editor.picture(screen)
        self.assertPicture(self.editor.preview(screen, rows), shown, name + ": preview")
        return shown

    def drag(self, start, end, button=1):
        """Presses over one cell and moves, with the button held, through two
        cells on the way to the other; the button stays down."""
        (c0, r0), (c1, r1) = start, end
        self.editor.session.xdo("mousemove", "--sync", *self.editor.cell_point(c0, r0), "mousedown",
                                button, "sleep", 0.1)
        for k in (1, 2, 3):
            point = self.editor.cell_point(c0 + (c1 - c0) * k // 3, r0 + (r1 - r0) * k // 3)
            self.editor.session.xdo("mousemove", "--sync", *point, "sleep", 0.1)

    def test_10_shapes_show_while_dragged_and_commit_at_button_up(self):
        editor = self.editor
        keys = editor.session.keys
        self.new_picture()
        keys("r")
        box = [[int(10 <= c <= 30 and 5 <= r <= 15 and (c in (10, 30) or r in (5, 15)))
                for c in range(101)] for r in range(SCREENSAVER_HEIGHT)]
        self.drag((30, 15), (10, 5))
        try:
            screen = self.shown("rectangle-dragged", lambda s: editor.picture(s) == box)
            self.assertPicture(editor.picture(screen), box, "rectangle while dragged")
            self.assertPicture(editor.preview(screen, SCREENSAVER_HEIGHT),
                               blank(SCREENSAVER_HEIGHT), "picture while dragged")
        finally:
            editor.session.xdo("mouseup", 1)
        editor.park_pointer()
        self.assertPicture(self.shown_with_preview("rectangle"), box, "rectangle")
        # A filled ellipse dragged beyond the canvas, then Esc: nothing changes,
        # the program stays, and no step is left behind.
        keys("shift+e")
        self.drag((80, 30), (130, 70))
        try:
            self.shown("ellipse-dragged",
                       lambda s: editor.picture(s)[48][100] == 1 and editor.picture(s)[30][80] == 0)
            keys("Escape")
            cancelled = self.shown("ellipse-cancelled", lambda s: editor.picture(s) == box)
            self.assertPicture(editor.picture(cancelled), box, "Esc while dragging")
        finally:
            editor.session.xdo("mouseup", 1)
        editor.park_pointer()
        self.assertPicture(self.shown_with_preview("after-cancel"), box, "after the button-up")
        self.assertFalse(editor.session.windows("^" + harness.QUESTION_TITLE + "$"), "Esc asked")
        keys("ctrl+z")
        self.assertPicture(self.shown_with_preview("undo-rectangle"), blank(SCREENSAVER_HEIGHT),
                           "undo of the rectangle")
        keys("ctrl+y")

    def test_11_fill_shift_and_mirror(self):
        editor = self.editor
        keys = editor.session.keys
        expected = self.shown_with_preview("before-fill")
        keys("f")
        editor.click_cell(20, 10)
        editor.park_pointer()
        expected = [[int(v or (10 <= c <= 30 and 5 <= r <= 15)) for c, v in enumerate(row)]
                    for r, row in enumerate(expected)]
        self.assertPicture(self.shown_with_preview("filled"), expected, "fill inside the box")
        keys("Left")
        shifted = [row[1:] + row[:1] for row in expected]
        self.assertPicture(self.shown_with_preview("shifted-left"), shifted, "Left")
        editor.press("up")
        editor.park_pointer()
        shifted = shifted[1:] + shifted[:1]
        self.assertPicture(self.shown_with_preview("shifted-up"), shifted, "Up button")
        keys("shift+h")
        mirrored = [row[::-1] for row in shifted]
        self.assertPicture(self.shown_with_preview("mirrored"), mirrored, "Shift+H")
        keys("ctrl+z", "ctrl+z", "ctrl+z")
        self.assertPicture(self.shown_with_preview("moves-undone"), expected, "three undos")
        keys("p")

    def converted_text(self, *arguments):
        """The picture pixmint-convert --info makes of a text, as rows."""
        session = self.session
        result = subprocess.run([session.runner, "exec", "--build-dir", session.dir,
                                 self.options.converter, "--info"] + list(arguments),
                                env=session._base_env(), capture_output=True, text=True)
        self.assertEqual(result.returncode, 0, result.stderr)
        return [[1 if mark == "#" else 0 for mark in line.strip()]
                for line in result.stdout.splitlines() if re.fullmatch(r"[.#]{101}", line.strip())]

    def test_12_text_is_drawn_as_the_converter_draws_it_and_undone(self):
        editor = self.editor
        keys = editor.session.keys
        self.new_picture()
        # The picture's ink stays where the text has none.
        editor.click_cell(0, 0)
        editor.park_pointer()
        start = blank(SCREENSAVER_HEIGHT)
        start[0][0] = 1
        keys("t")
        window = editor.wait_window("Text")
        editor.session.focus(window)
        editor.session.type_text("Pix")
        keys("Return")
        editor.session.type_text("mint")
        keys("Tab", "End", "Tab", "space")  # size 32, Bold
        editor.shot("text-window", whole_screen=True)
        # Two lines of 32 rows do not fit in 49: a message, and the window stays.
        keys("Tab", "Return")
        message = editor.wait_window("Text", count=2)
        editor.shot("does-not-fit", whole_screen=True)
        editor.session.focus(message)
        keys("Return")
        editor.wait_gone("Text", count=1)
        # Back from OK to the size: 14.
        editor.session.focus(window)
        keys("shift+Tab", "shift+Tab", "Home", "Down", "Down", "Tab", "Tab", "Return")
        editor.wait_gone("Text")
        expected = self.converted_text("--text", "Pix\nmint", "--font-size", "14", "--bold")
        expected[0][0] = 1
        self.assertPicture(self.shown_with_preview("text"), expected, "text")
        keys("ctrl+z")
        self.assertPicture(self.shown_with_preview("text-undone"), start, "text undone")

    def test_20_close_button_asks_and_no_ends_with_zero(self):
        self.editor.press("close")
        question = self.editor.wait_window(harness.QUESTION_TITLE)
        self.session.focus(question)
        self.session.keys("n")
        self.assertEqual(self.editor.wait_exit(), 0)
        self.assertNoErrorLog()


if __name__ == "__main__":
    sys.exit(harness.main())
