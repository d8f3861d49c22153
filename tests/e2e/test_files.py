"""Load... and Save... through the real file choosers, typed into as a user
would, in one run of the editor (the cases run in order), the question on
closing with unsaved changes answered Yes, and a start with a document. The input files are
built with our own encoders; what the editor writes is compared byte for byte
with what those encoders predict."""

import os
import shutil
import sys

import harness
from harness import EditorTestCase, FilesTestCase, wine_path
import formats
from formats import blank, LOGO_HEIGHT, SCREENSAVER_HEIGHT, WIDTH


def logo_pattern():
    """Asymmetric, so that a flipped or shifted picture shows: a frame, a
    diagonal, and a pixel in the last column of the top row."""
    picture = blank(LOGO_HEIGHT)
    for c in range(WIDTH):
        picture[LOGO_HEIGHT - 1][c] = 1
    for r in range(LOGO_HEIGHT):
        picture[r][0] = 1
        picture[r][min(WIDTH - 1, 3 * r)] = 1
    picture[0][100] = 1
    picture[1][99] = 1
    return picture


def screensaver_pattern():
    picture = blank(SCREENSAVER_HEIGHT)
    for r in range(SCREENSAVER_HEIGHT):
        for c in range(WIDTH):
            if (c * 7 + r * 3) % 11 < 4 or r == 48:
                picture[r][c] = 1
    picture[0] = [1] * 8 + [0] * (WIDTH - 8)
    return picture


def column_pattern(height):
    """Vertical stripes: the same in every row, so scaling only the height
    keeps every row exact."""
    row = [1 if (c // 3) % 2 == 0 or c == 100 else 0 for c in range(WIDTH)]
    return [list(row) for _ in range(height)]


class FilesTest(FilesTestCase):

    def wait_overwrite_prompt(self):
        """The chooser's question before replacing a file: a message box over
        the still open save dialog (captioned "Error" by this platform)."""
        return harness.poll("the overwrite question", lambda: self.session.windows("^Save As$")
                            and self.session.windows("^Error$")
                            and self.session.windows("^Error$")[-1])

    def dismiss_error(self, name):
        """Our message box: the chooser is gone, the box has a single OK button."""
        box = self.editor.wait_window("Error")
        self.assertFalse(self.session.windows("^(Open|Save As)$"), "a chooser is still open")
        self.editor.shot(name, whole_screen=True)
        self.session.focus(box)
        self.session.keys("Return")
        self.editor.wait_gone("Error")

    def read(self, path):
        with open(path, "rb") as f:
            return f.read()

    def read_when_written(self, path, size):
        """The program writes after its chooser has gone; wait for the file."""
        harness.poll(path, lambda: os.path.exists(path) and os.path.getsize(path) == size)
        return self.read(path)

    def shown(self, name, rows):
        """The picture once the canvas shows rows rows; the check box must agree."""
        screen = self.editor.settle(name, lambda s: self.editor.visible_rows(s) == rows)
        self.assertEqual(self.editor.size_checked(screen), rows == SCREENSAVER_HEIGHT,
                         "check box at %d rows" % rows)
        return self.editor.picture(screen)

    def load(self, path, rows, name):
        self.editor.choose_file("load", "Open", wine_path(path))
        self.editor.wait_gone("Open")
        self.editor.park_pointer()
        return self.shown(name, rows)

    def load_expecting_error(self, path, rows, name):
        self.editor.choose_file("load", "Open", wine_path(path))
        self.editor.wait_gone("Open")
        self.dismiss_error(name + "-message")
        self.editor.park_pointer()
        return self.shown(name, rows)

    def paint_something(self, rows):
        for c, r in [(1, 1), (50, 5), (99, rows - 1)]:
            self.editor.click_cell(c, r)

    def switch_size(self, rows, name):
        self.editor.press("size")
        self.editor.park_pointer()
        return self.shown(name, rows)

    def test_01_load_logo_block(self):
        picture = logo_pattern()
        path = self.write("logo.bin", formats.block_file(picture))
        self.assertPicture(self.load(path, LOGO_HEIGHT, "logo-loaded"), picture, "loaded logo")
        # The check box follows: clicking it now brings the screensaver size,
        # whose hidden rows the load cleared.
        full = self.switch_size(SCREENSAVER_HEIGHT, "logo-then-screensaver-size")
        self.assertPicture(full, picture + blank(SCREENSAVER_HEIGHT - LOGO_HEIGHT),
                           "loaded logo at screensaver size")
        self.switch_size(LOGO_HEIGHT, "back-to-logo")

    def test_02_load_screensaver_block(self):
        picture = screensaver_pattern()
        path = self.write("screensaver.bin", formats.block_file(picture))
        self.assertPicture(self.load(path, SCREENSAVER_HEIGHT, "screensaver-loaded"), picture,
                           "loaded screensaver")
        self.switch_size(LOGO_HEIGHT, "screensaver-then-logo-size")
        self.switch_size(SCREENSAVER_HEIGHT, "screensaver-size-again")

    def test_03_load_bitmap_at_screensaver_size(self):
        picture = screensaver_pattern()
        path = self.write("full.bmp", formats.bmp_file(picture, bits=24))
        self.assertPicture(self.load(path, SCREENSAVER_HEIGHT, "bitmap-101x49"), picture,
                           "101 x 49 bitmap")
        # Another size is scaled to the current one; large areas stay as they are.
        half = [[1] * 25 + [0] * 25 for _ in range(20)]
        path = self.write("half.bmp", formats.bmp_file(half, bits=1))
        shown = self.load(path, SCREENSAVER_HEIGHT, "bitmap-50x20")
        for r, row in enumerate(shown):
            self.assertEqual(row[:45], [1] * 45, "row %d, left half" % r)
            self.assertEqual(row[56:], [0] * 45, "row %d, right half" % r)

    def test_04_load_bitmap_at_logo_size(self):
        self.switch_size(LOGO_HEIGHT, "logo-for-bitmaps")
        tall = column_pattern(SCREENSAVER_HEIGHT)
        path = self.write("stripes-49.bmp", formats.bmp_file(tall, bits=1))
        self.assertPicture(self.load(path, LOGO_HEIGHT, "bitmap-scaled-to-logo"),
                           column_pattern(LOGO_HEIGHT), "101 x 49 bitmap at logo size")
        picture = logo_pattern()
        path = self.write("logo.bmp", formats.bmp_file(picture, bits=24))
        self.assertPicture(self.load(path, LOGO_HEIGHT, "bitmap-101x29"), picture,
                           "101 x 29 bitmap at logo size")
        full = self.switch_size(SCREENSAVER_HEIGHT, "bitmap-hidden-rows")
        self.assertPicture(full, picture + blank(SCREENSAVER_HEIGHT - LOGO_HEIGHT),
                           "rows below an imported logo")

    def test_05_foreign_and_damaged_files(self):
        self.paint_something(SCREENSAVER_HEIGHT)
        path = self.write("notes.txt", b"just some text, not a picture\r\n")
        self.assertPicture(self.load_expecting_error(path, SCREENSAVER_HEIGHT, "foreign-file"),
                           blank(SCREENSAVER_HEIGHT), "after a foreign file")
        self.switch_size(LOGO_HEIGHT, "logo-for-damaged")
        self.paint_something(LOGO_HEIGHT)
        path = self.write("damaged.bmp", b"BM" + bytes(range(7, 60)))
        self.assertPicture(self.load_expecting_error(path, LOGO_HEIGHT, "damaged-bitmap"),
                           blank(LOGO_HEIGHT), "after a damaged bitmap")
        self.switch_size(SCREENSAVER_HEIGHT, "screensaver-after-damaged")

    def test_06_save_adds_extension_and_writes_block_info(self):
        picture = screensaver_pattern()
        self.load(self.write("to-save.bin", formats.block_file(picture)), SCREENSAVER_HEIGHT,
                  "before-save")
        self.editor.click_cell(60, 30)
        self.editor.park_pointer()
        picture[30][60] = 1
        self.assertPicture(self.shown("painted-before-save", SCREENSAVER_HEIGHT), picture,
                           "picture to save")
        target = os.path.join(self.files, "saved")
        self.editor.choose_file("save", "Save As", wine_path(target))
        self.editor.wait_gone("Save As")
        self.assertEqual(self.read_when_written(target + ".bin", 647), formats.block_file(picture))
        self.assertEqual(self.read(target + ".bid"), formats.block_info_file(SCREENSAVER_HEIGHT))
        type(self).saved_picture = picture
        self.assertFalse(os.path.exists(target), "a file without the extension")

    def test_07_overwrite_asks_first(self):
        target = os.path.join(self.files, "saved")
        before = self.read(target + ".bin")
        logo = self.saved_picture[:LOGO_HEIGHT]
        self.assertPicture(self.switch_size(LOGO_HEIGHT, "logo-to-overwrite"), logo, "logo size")
        dialog = self.editor.choose_file("save", "Save As", wine_path(target))
        prompt = self.wait_overwrite_prompt()
        self.editor.shot("overwrite-prompt", whole_screen=True)
        self.session.focus(prompt)
        self.session.keys("n")
        self.editor.wait_gone("Error")
        self.editor.shot("answered-no", whole_screen=True)
        self.assertEqual(len(self.session.windows("^Save As$")), 1, "the save dialog closed")
        self.assertEqual(self.read(target + ".bin"), before, "written although answered no")
        # Confirm the same name again, and this time replace the file.
        self.editor.type_into(dialog, wine_path(target))
        prompt = self.wait_overwrite_prompt()
        self.session.focus(prompt)
        self.session.keys("y")
        self.editor.wait_gone("Save As")
        self.assertEqual(self.read_when_written(target + ".bin", 393), formats.block_file(logo))
        self.assertEqual(self.read(target + ".bid"), formats.block_info_file(LOGO_HEIGHT))

    def test_08_saved_file_loads_back(self):
        target = os.path.join(self.files, "saved.bin")
        logo = self.saved_picture[:LOGO_HEIGHT]
        self.switch_size(SCREENSAVER_HEIGHT, "size-before-reload")
        self.editor.press("new")
        self.assertPicture(self.load(target, LOGO_HEIGHT, "reloaded"), logo, "saved and reloaded")
        # Cancelling the chooser leaves everything as it is.
        self.editor.press("load")
        dialog = self.editor.wait_window("Open")
        self.session.focus(dialog)
        self.session.keys("Escape")
        self.editor.wait_gone("Open")
        self.editor.park_pointer()
        self.assertPicture(self.shown("load-cancelled", LOGO_HEIGHT), logo, "after cancelling")
        self.assertFalse(self.session.windows("^Error$"), "a message after cancelling")

    def test_09_save_failure_is_reported(self):
        # No file can be created in /proc, whoever runs the test; the chooser
        # itself accepts the folder, which exists.
        target = "/proc/pixmint-e2e-%d" % os.getpid()
        self.editor.choose_file("save", "Save As", wine_path(target))
        self.editor.wait_gone("Save As")
        self.dismiss_error("save-error")
        self.assertFalse(os.path.exists(target + ".bin"))

    def test_10_converter_writes_what_the_editor_saves(self):
        """The same black-and-white bitmap through the converter and through
        Load and Save of the editor gives the same block file and block info
        file, byte for byte."""
        picture = screensaver_pattern()
        picture[20][100] = 1
        bitmap = self.write("both.bmp", formats.bmp_file(picture, bits=24))
        converted = os.path.join(self.files, "converted.bin")
        status = self.session.wine(self.options.converter, wine_path(bitmap), wine_path(converted),
                                   quiet=True)
        self.assertEqual(status, 0, "pixmint-convert failed")
        self.switch_size(SCREENSAVER_HEIGHT, "screensaver-for-converter")
        self.assertPicture(self.load(bitmap, SCREENSAVER_HEIGHT, "bitmap-for-converter"), picture,
                           "bitmap loaded")
        saved = os.path.join(self.files, "editor")
        self.editor.choose_file("save", "Save As", wine_path(saved))
        self.editor.wait_gone("Save As")
        self.assertEqual(self.read(converted), self.read_when_written(saved + ".bin", 647))
        self.assertEqual(self.read(converted[:-4] + ".bid"), self.read(saved + ".bid"))
        self.assertEqual(self.read(converted), formats.block_file(picture))

    def test_11_top_down_bitmap_imports_as_its_bottom_up_twin(self):
        """Colours and greys, which the loader reduces to black and white in
        its own way: the order of the rows must not change the result."""
        colours = [[(0, 0, 0) if (c + 2 * r) % 7 == 0 or c < r // 3 else
                    ((c * 5 + r * 11) % 256, (c * 3) % 256, (r * 37 + c) % 256)
                    for c in range(WIDTH)] for r in range(SCREENSAVER_HEIGHT)]
        shown = []
        for top_down in (False, True):
            name = "colours-%s.bmp" % ("top-down" if top_down else "bottom-up")
            path = self.write(name, formats.colour_bmp_file(colours, top_down))
            shown.append(self.load(path, SCREENSAVER_HEIGHT, name[:-4]))
        self.assertPicture(shown[1], shown[0], "top-down against bottom-up")
        ink = sum(map(sum, shown[0]))
        # At least the black pixels (a seventh of them, and a wedge on the left).
        self.assertTrue(WIDTH * SCREENSAVER_HEIGHT // 7 < ink < WIDTH * SCREENSAVER_HEIGHT,
                        "%d ink cells" % ink)
        # Run-length codes stored top row first are unpacked on the way.
        picture = screensaver_pattern()
        path = self.write("rle-top-down.bmp", formats.bmp_file(picture, 8, top_down=True, rle=True))
        self.assertPicture(self.load(path, SCREENSAVER_HEIGHT, "rle-top-down"), picture,
                           "top-down RLE8")

    def test_12_close_box_asks_and_yes_saves_first(self):
        self.editor.click_cell(70, 40)
        self.editor.park_pointer()
        picture = self.shown("unsaved-change", SCREENSAVER_HEIGHT)
        self.editor.session.click(*self.editor.close_box_point())
        question = self.editor.wait_window(harness.QUESTION_TITLE)
        self.editor.shot("close-asks", whole_screen=True)
        self.session.focus(question)
        self.session.keys("y")
        target = os.path.join(self.files, "on-close")
        dialog = self.editor.wait_window("Save As")
        self.editor.type_into(dialog, wine_path(target))
        self.assertEqual(self.editor.wait_exit(), 0)
        self.assertEqual(self.read(target + ".bin"), formats.block_file(picture))
        self.assertNoErrorLog()


class LoadOverUnsavedWorkTest(EditorTestCase):
    """Load... over a painting asks first: Cancel changes nothing, No goes on
    to the chooser. A double-click on a file in the chooser, where the chooser
    lies over the canvas, loads the file and paints nothing: the second
    button-up reaches the canvas, whose pen it never armed."""

    @classmethod
    def setUpClass(cls):
        super().setUpClass()
        cls.folder = os.path.join(cls.workdir, "one")
        os.mkdir(cls.folder)
        cls.file = os.path.join(cls.folder, "only.bin")
        with open(cls.file, "wb") as f:
            f.write(formats.block_file(blank(LOGO_HEIGHT)))

    def test_01_cancel_changes_nothing(self):
        self.editor.click_cell(3, 3)
        self.editor.click_cell(60, 20)
        self.editor.park_pointer()
        painted = self.shown("painted", SCREENSAVER_HEIGHT)
        self.assertEqual(sum(map(sum, painted)), 2, "the painting")
        self.editor.press("load")
        question = self.editor.wait_window(harness.QUESTION_TITLE)
        self.editor.shot("load-asks", whole_screen=True)
        self.session.focus(question)
        self.session.keys("Escape")
        self.editor.wait_gone(harness.QUESTION_TITLE)
        self.editor.park_pointer()
        self.assertPicture(self.shown("load-cancelled", SCREENSAVER_HEIGHT), painted,
                           "after Cancel")
        self.assertFalse(self.session.windows("^Open$"), "the chooser opened after Cancel")

    def test_02_no_goes_on_to_the_chooser(self):
        self.editor.press("load")
        self.assertTrue(self.editor.answer_question("n", before="Open"), "no question")
        dialog = self.editor.wait_window("Open")
        self.editor.type_into(dialog, wine_path(self.file))
        self.editor.wait_gone("Open")
        self.editor.park_pointer()
        self.assertPicture(self.shown("loaded-after-no", LOGO_HEIGHT), blank(LOGO_HEIGHT),
                           "the file loaded")

    def test_03_double_click_in_the_chooser_paints_nothing(self):
        self.editor.press("load")  # nothing unsaved: no question
        dialog = self.editor.wait_window("Open")
        self.editor.type_into(dialog, wine_path(self.folder))  # into the folder
        x, y, width, height = self.session.geometry(dialog)
        # Once the list shows the folder, the file's icon and name are its
        # only dark pixels, in one small box.
        box = (x + 10, y + 45, width - 20, height // 2 - 45)

        def item(screen):
            dark = [(px, py) for py in range(box[1], box[1] + box[3])
                    for px in range(box[0], box[0] + box[2])
                    if max(screen.pixel(px, py)) < 80]
            if not dark:
                return None
            xs, ys = [p[0] for p in dark], [p[1] for p in dark]
            if max(xs) - min(xs) > 120 or max(ys) - min(ys) > 20:
                return None  # still the folder before, with many entries
            return ((min(xs) + max(xs)) // 2, (min(ys) + max(ys)) // 2)
        at = harness.poll("the only file of the folder in the chooser's list",
                          lambda: item(self.session.grab(box)), interval=0.2)
        self.editor.shot("chooser-over-canvas", whole_screen=True)
        left, top = self.editor.canvas
        self.assertTrue(left <= at[0] < left + WIDTH * self.editor.cell
                        and top <= at[1] < top + LOGO_HEIGHT * self.editor.cell,
                        "the file at %r is not over the canvas" % (at,))
        self.session.xdo("mousemove", "--sync", at[0], at[1], "click", "--repeat", 2,
                         "--delay", 80, 1)
        self.editor.wait_gone("Open")
        self.editor.park_pointer()
        self.assertPicture(self.shown("double-clicked", LOGO_HEIGHT), blank(LOGO_HEIGHT),
                           "the file loaded by a double-click")


class OpenByDocumentTest(EditorTestCase):
    """A document named on the command line, in a folder with a blank in its
    name (the runner quotes it), is loaded at start; closing without a change
    asks nothing."""

    @classmethod
    def program_arguments(cls, workdir):
        folder = os.path.join(workdir, "my pictures")
        os.mkdir(folder)
        cls.document = blank(SCREENSAVER_HEIGHT)
        for r in range(10, 20):
            for c in range(80, 101):
                cls.document[r][c] = (r + c) % 2
        path = os.path.join(folder, "start.bin")
        with open(path, "wb") as f:
            f.write(formats.block_file(cls.document))
        return [wine_path(path)]

    def test_01_document_loaded_at_start(self):
        screen = self.editor.settle("document", lambda s: self.editor.visible_rows(s) == 49)
        self.assertPicture(self.editor.picture(screen), self.document, "document at start")
        self.editor.press("close")
        self.assertEqual(self.editor.wait_exit(), 0)
        self.assertNoErrorLog()


class NamesInAnyScriptTest(EditorTestCase):
    """The program in a Chinese-named folder, started with a Russian-named
    document: it loads, and Save... (its chooser starts in the program's
    folder) writes there the bytes of a save under an ASCII name."""

    @classmethod
    def program(cls, workdir):
        os.mkdir(os.path.join(workdir, "\u56fe\u7247"))
        return shutil.copy(cls.options.program, os.path.join(workdir, "\u56fe\u7247"))

    @classmethod
    def program_arguments(cls, workdir):
        cls.document = blank(SCREENSAVER_HEIGHT)  # first and last rows empty, as the start needs
        for r in range(5, 45):
            cls.document[r][2 * r] = cls.document[r][100 - r] = 1
        path = os.path.join(workdir, "\u041b\u043e\u0433\u043e\u0442\u0438\u043f.bin")
        with open(path, "wb") as f:
            f.write(formats.block_file(cls.document))
        return [wine_path(path)]

    def test_01_document_loads_and_saves_under_the_folder(self):
        editor = self.editor
        screen = editor.settle("document", lambda s: editor.visible_rows(s) == SCREENSAVER_HEIGHT)
        self.assertPicture(editor.picture(screen), self.document, "document with a Russian name")
        saved = [os.path.join(self.workdir, "\u56fe\u7247", "saved"), os.path.join(self.workdir, "ascii")]
        for typed, path in zip(("saved", wine_path(saved[1])), saved):
            editor.choose_file("save", "Save As", typed)
            editor.wait_gone("Save As")
            harness.poll(path, lambda: os.path.isfile(path + ".bin") and os.path.isfile(path + ".bid"))
        def read(path):
            with open(path, "rb") as f:
                return f.read()
        for extension in (".bin", ".bid"):
            self.assertEqual(read(saved[0] + extension), read(saved[1] + extension))
        self.assertEqual(read(saved[0] + ".bin"), formats.block_file(self.document))
        editor.press("close")
        self.assertEqual(editor.wait_exit(), 0)
        self.assertNoErrorLog()


if __name__ == "__main__":
    sys.exit(harness.main())
