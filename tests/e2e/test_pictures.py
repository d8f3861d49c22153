"""Pictures of other formats and the clipboard, in one run of the editor (the
cases run in order): a PNG against its 24-bit bitmap twin, Ctrl+C, New and Ctrl+V at both sizes, and a 24-bit picture that
another program put on the clipboard against its bitmap file."""

import os
import struct
import sys

import harness
from harness import FilesTestCase, wine_path
import formats
from formats import blank, LOGO_HEIGHT, SCREENSAVER_HEIGHT, WIDTH


def colours(width, height):
    """Colours, greys, black lines and a transparent corner (black, which
    must count as white), so that scaling and the reduction to black and white
    both matter. Rows of (red, green, blue, alpha), top row first."""
    rows = []
    for r in range(height):
        row = []
        for c in range(width):
            if c > width * 3 // 4 and r < height // 3:
                row.append((0, 0, 0, 0))
            elif (c // 8 + r // 6) % 3 == 0 or c < r // 4:
                row.append((0, 0, 0, 255))
            else:
                row.append(((c * 5 + r * 11) % 256, (c * 3) % 256, (r * 37 + c) % 256, 255))
        rows.append(row)
    return rows


def over_white(rows):
    return [[(255, 255, 255) if a == 0 else (red, green, blue) for red, green, blue, a in row]
            for row in rows]


def monochrome_dib(picture):
    """What Ctrl+C puts on the clipboard: a one-bit DIB, black then white, ink
    black, rows bottom-up."""
    height = len(picture)
    stride = (WIDTH + 31) // 32 * 4
    rows = b""
    for row in reversed(picture):
        line = bytearray(stride)
        for c, value in enumerate(row):
            if not value:
                line[c // 8] |= 0x80 >> (c % 8)
        rows += bytes(line)
    info = struct.pack("<IiiHHIIiiII", 40, WIDTH, height, 1, 1, 0, len(rows), 2835, 2835, 2, 0)
    return info + bytes([0, 0, 0, 0, 255, 255, 255, 0]) + rows


def pattern(height):
    picture = blank(height)
    for r in range(height):
        for c in range(WIDTH):
            picture[r][c] = 1 if (c * 5 + r * 3) % 13 < 5 or c == 100 or r == 0 else 0
    return picture


class PicturesTest(FilesTestCase):

    def load(self, path, rows, name):
        self.editor.choose_file("load", "Open", wine_path(path))
        self.editor.wait_gone("Open")
        self.editor.park_pointer()
        return self.shown(name, rows)

    def keys(self, *names):
        self.session.keys_to(self.editor.window, *names)

    def clipboard(self, *args):
        tool = self.options.clipboard_tool
        if not tool:
            self.skipTest("no --clipboard-tool")
        return self.session.wine(tool, *args, quiet=True)

    def test_01_png_imports_as_its_bitmap_twin(self):
        image = colours(67, 38)
        twin = self.write("twin.bmp", formats.colour_bmp_file(over_white(image)))
        # Named as what it is not: the content decides. (Netpbm files, which
        # the program reads itself on both systems, are checked natively.)
        png = self.write("photo.dat", formats.png_file(image))
        for rows in (SCREENSAVER_HEIGHT, LOGO_HEIGHT):
            if rows == LOGO_HEIGHT:
                self.editor.press("size")
            expected = self.load(twin, rows, "twin-%d" % rows)
            ink = sum(map(sum, expected))
            self.assertTrue(WIDTH * rows // 8 < ink < WIDTH * rows * 3 // 4, "%d ink cells" % ink)
            self.assertPicture(self.load(png, rows, "png-%d" % rows), expected, "PNG at %d" % rows)
        # A picture cut short is no picture: the message, and an empty picture.
        damaged = self.write("damaged.png", formats.png_file(image)[:-30])
        self.editor.choose_file("load", "Open", wine_path(damaged))
        self.editor.wait_gone("Open")
        self.editor.dismiss("Error")
        self.editor.park_pointer()
        self.assertPicture(self.shown("damaged-png", LOGO_HEIGHT), blank(LOGO_HEIGHT),
                           "after a damaged PNG")
        self.editor.press("size")
        self.shown("back-to-screensaver", SCREENSAVER_HEIGHT)

    def test_02_copy_new_paste_at_both_sizes(self):
        for rows in (SCREENSAVER_HEIGHT, LOGO_HEIGHT):
            picture = pattern(rows)
            block = self.write("pattern-%d.bin" % rows, formats.block_file(picture))
            self.assertPicture(self.load(block, rows, "block-%d" % rows), picture, "block")
            self.keys("ctrl+c")
            copied = os.path.join(self.files, "copied-%d.dib" % rows)
            self.assertEqual(self.clipboard("get", wine_path(copied)), 0, "no CF_DIB")
            with open(copied, "rb") as f:
                self.assertEqual(f.read(), monochrome_dib(picture), "the clipboard's bitmap")
            self.keys("ctrl+n")
            self.assertPicture(self.shown("new-%d" % rows, rows), blank(rows), "New")
            self.keys("ctrl+v")
            self.assertPicture(self.shown("pasted-%d" % rows, rows), picture, "pasted")
            # The paste is one step.
            self.keys("ctrl+z")
            self.assertPicture(self.shown("undo-paste-%d" % rows, rows), blank(rows), "undo")
            self.keys("ctrl+y")
            self.assertPicture(self.shown("redo-paste-%d" % rows, rows), picture, "redo")
        self.editor.press("size")
        self.shown("screensaver-again", SCREENSAVER_HEIGHT)

    def test_03_pasted_colour_picture_equals_its_bitmap_file(self):
        rgb = over_white(colours(140, 60))
        path = self.write("colours.bmp", formats.colour_bmp_file(rgb))
        expected = self.load(path, SCREENSAVER_HEIGHT, "colours-loaded")
        for top_down in (False, True):
            self.keys("ctrl+n")
            self.shown("new-before-paste", SCREENSAVER_HEIGHT)
            put = self.write("put.bmp", formats.colour_bmp_file(rgb, top_down))
            self.assertEqual(self.clipboard("put", wine_path(put)), 0)
            self.keys("ctrl+v")
            self.assertPicture(self.shown("colours-pasted", SCREENSAVER_HEIGHT), expected,
                               "pasted %s" % ("top-down" if top_down else "bottom-up"))
        # Text is no picture: nothing changes, no message.
        self.assertEqual(self.clipboard("text", "no picture"), 0)
        self.keys("ctrl+v")
        self.assertPicture(self.shown("text-pasted", SCREENSAVER_HEIGHT), expected,
                           "after pasting text")
        self.assertFalse(self.session.windows("^Error$"), "a message for text")

    def test_04_close(self):
        self.editor.press("invert")
        self.editor.press("close")
        question = self.editor.wait_window(harness.QUESTION_TITLE)
        self.session.keys_to(question, "n")
        self.assertEqual(self.editor.wait_exit(), 0)
        self.assertNoErrorLog()


if __name__ == "__main__":
    sys.exit(harness.main())
