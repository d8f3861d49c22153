"""The About box with real input: it opens from the main window's system
menu, its mail link underlines under the pointer and hands its URL to the
shell on a click, Esc leaves it open, and OK, Enter, Alt+F4 and the close box
close it. The cases run in order on one run of the editor as built; one more
run, of a copy whose string 101 differs from the template's caption, shows that
the title comes from the string.

    about_test.py --recorder MAIL_RECORDER_EXE  (then the harness's options)

The recorder stands in for the mail program: it is registered for mailto:
URLs in the test's Wine prefix and writes the URL it receives to a file."""

import copy
import os
import re
import shutil
import struct
import sys
import tempfile
import time

import harness
from harness import E2EError, EditorTestCase, poll, wine_path

# The box's title comes from string 101, which in the program is the same
# text as the template's caption.
TEMPLATE_CAPTION = "About..."
OTHER_TITLE = "Credits:"
MAIL_URL = "mailto:support@pixmint.example?subject=Pixmint%20v0.2b"
INK = (0, 0, 0)

# Dialog-unit layout of the About box: the OK button and the mail link.
ABOUT_OK = (3, 53, 30, 16)
ABOUT_LINK = (39, 57, 186, 8)

RECORDER = None


def retitled_copy(program, folder):
    """A copy of the program in folder with string 101 replaced. A string-table
    entry is its length in UTF-16 units followed by the text; the template's
    caption has no length before it, so it stays."""
    def entry(text):
        return struct.pack("<H", len(text)) + text.encode("utf-16-le")
    assert len(OTHER_TITLE) == len(TEMPLATE_CAPTION)
    with open(program, "rb") as f:
        data = f.read()
    if data.count(entry(TEMPLATE_CAPTION)) != 1:
        raise E2EError("string 101 not found once in " + program)
    copied = os.path.join(folder, os.path.basename(program))
    with open(copied, "wb") as f:
        f.write(data.replace(entry(TEMPLATE_CAPTION), entry(OTHER_TITLE)))
    return copied


class AboutBoxCase(EditorTestCase):
    """Opening, reading and closing the box; the cases are in the classes below."""
    title = TEMPLATE_CAPTION

    @classmethod
    def setUpClass(cls):
        super().setUpClass()
        cls.mail_record = os.path.join(cls.workdir, "mail.txt")
        command = '"%s" "%s" "%%1"' % (wine_path(RECORDER), wine_path(cls.mail_record))
        status = cls.session.wine("reg", "add", r"HKCR\mailto\shell\open\command", "/ve",
                                  "/d", command, "/f", quiet=True)
        if status != 0:
            raise E2EError("could not register the mail recorder")

    def tearDown(self):
        # A failed case must not leave its box in the way of the next one.
        windows = self.session.windows("^" + re.escape(self.title) + "$")
        if windows and self.editor.process.poll() is None:
            self.session.focus(windows[0])
            self.session.keys("Return")
            self.editor.wait_gone(self.title)

    # Opening and finding the box ---------------------------------------------

    def frame_sizes(self):
        """Border and caption height of a dialog frame, from the main window."""
        fx, fy, _, _ = self.editor.frame
        border = self.editor.client[0] - fx
        return border, self.editor.client[1] - fy - border

    def open_about(self):
        """Clicks the main window's icon, then About... at the foot of the
        system menu. Returns the box's X window."""
        session = self.session
        fx, fy, _, _ = self.editor.frame
        border, caption = self.frame_sizes()
        known = set(session.windows(""))
        session.click(fx + border + caption // 2, fy + border + caption // 2)

        def menu():
            for window in session.windows("^$"):
                if window not in known:
                    geometry = session.geometry(window)
                    if geometry and geometry[3] > 40:
                        return geometry
            return None
        mx, my, mw, mh = poll("the system menu", menu)
        session.click(mx + mw // 3, my + mh - 10)
        return self.editor.wait_window(self.title)

    def layout(self, window):
        """Screen rectangles of the box's client area, link and OK button."""
        ax, ay, aw, ah = poll("the About box's geometry", lambda: self.session.geometry(window))
        border, caption = self.frame_sizes()
        sx = self.editor.client_size[0] / harness.DIALOG_SIZE[0]
        sy = self.editor.client_size[1] / harness.DIALOG_SIZE[1]
        cx, cy = ax + border, ay + border + caption

        def rect(units):
            x, y, w, h = units
            return (cx + round(x * sx), cy + round(y * sy), round(w * sx), round(h * sy))
        return {"frame": (ax, ay, aw, ah), "link": rect(ABOUT_LINK), "ok": rect(ABOUT_OK)}

    def is_open(self):
        return bool(self.session.windows("^" + re.escape(self.title) + "$"))

    def wait_closed(self):
        self.editor.wait_gone(self.title)
        self.assertIsNone(self.editor.process.poll(), "the editor ended with the About box")

    # Reading the link --------------------------------------------------------

    def link_ink(self, screen, link):
        """Ink pixels of the link area, and the longest run of ink in a row."""
        x0, y0, w, h = link
        ink = longest = 0
        for y in range(y0, y0 + h):
            run = 0
            for x in range(x0, x0 + w):
                if screen.pixel(x, y) == INK:
                    ink += 1
                    run += 1
                    longest = max(longest, run)
                else:
                    run = 0
        return ink, longest

    def link_shown(self, name, link, check):
        """Waits until the link area satisfies check; returns its ink count."""
        result = [None]

        def ready():
            screen = self.session.grab()
            result[0] = self.link_ink(screen, link)
            return screen if check(result[0]) else None
        screen = poll(name, ready, timeout=5, interval=0.1)
        x, y, w, h = link
        self.editor.shot(name, screen)
        return result[0]

    def pointer_into_link(self, link):
        x, y, _, h = link
        self.session.move(x + 12, y + h // 2)

    @staticmethod
    def centre(rect):
        x, y, w, h = rect
        return (x + w // 2, y + h // 2)


class AboutBoxTest(AboutBoxCase):
    """The program as built."""

    # Cases --------------------------------------------------------------------

    def test_1_opens_from_system_menu_with_its_title(self):
        about = self.open_about()
        self.assertEqual(self.session.xdo("getwindowname", about).strip(), self.title)
        self.session.click(*self.centre(self.layout(about)["ok"]))
        self.wait_closed()

    def test_2_link_underlines_while_pointer_is_over_it(self):
        about = self.open_about()
        link = self.layout(about)["link"]
        ax, ay, aw, ah = self.layout(about)["frame"]
        self.session.move(ax + aw // 2, ay + ah - 6)  # on the box, off the link
        plain = self.link_shown("link-plain", link, lambda ink: ink[0] > 0)
        self.pointer_into_link(link)
        hovered = self.link_shown("link-hovered", link, lambda ink: ink[0] > plain[0])
        # The underline is a run of ink longer than any stroke of the plain text.
        self.assertGreater(hovered[1], plain[1] + 20)
        # Far off the box: only a captured link hears this move.
        self.session.move(ax + aw + 150, ay + ah + 150)
        again = self.link_shown("link-left-far", link, lambda ink: ink[0] < hovered[0])
        self.assertEqual(again, plain)
        # In and out once more, leaving onto the box itself.
        self.pointer_into_link(link)
        self.link_shown("link-hovered-again", link, lambda ink: ink == hovered)
        self.session.move(ax + aw // 2, ay + ah - 6)
        self.link_shown("link-left-near", link, lambda ink: ink == plain)
        self.session.keys("Return")
        self.wait_closed()

    def test_3_click_hands_url_to_mail_program_and_box_stays(self):
        if os.path.exists(self.mail_record):
            os.remove(self.mail_record)
        about = self.open_about()
        link = self.layout(about)["link"]
        x, y, _, h = link
        self.session.click(x + 12, y + h // 2)
        poll("the mail program's record", lambda: os.path.exists(self.mail_record)
             and os.path.getsize(self.mail_record) > 0)
        with open(self.mail_record) as f:
            self.assertEqual(f.read(), MAIL_URL)
        self.assertTrue(self.is_open(), "the About box closed after the click")
        self.session.click(*self.centre(self.layout(about)["ok"]))
        self.wait_closed()

    def test_4_escape_leaves_box_open(self):
        about = self.open_about()
        box = self.layout(about)
        ax, ay, aw, ah = box["frame"]
        self.session.move(ax + aw // 2, ay + ah - 6)
        plain = self.link_shown("esc-plain", box["link"], lambda ink: ink[0] > 0)
        self.session.focus(about)
        self.session.keys("Escape")
        # Input after Esc is still handled by the box: the link underlines.
        self.pointer_into_link(box["link"])
        self.link_shown("esc-then-hover", box["link"], lambda ink: ink[0] > plain[0])
        self.assertTrue(self.is_open(), "Esc closed the About box")
        self.assertIsNone(self.editor.process.poll(), "Esc reached the main window")
        self.session.move(ax + aw // 2, ay + ah - 6)
        self.session.focus(about)
        self.session.keys("Return")
        self.wait_closed()

    def test_5_ok_alt_f4_and_close_box_close_it(self):
        about = self.open_about()
        self.session.click(*self.centre(self.layout(about)["ok"]))
        self.wait_closed()

        about = self.open_about()
        self.session.focus(about)
        self.session.keys("alt+F4")
        self.wait_closed()

        about = self.open_about()
        ax, ay, aw, _ = self.layout(about)["frame"]
        border, caption = self.frame_sizes()
        self.session.click(ax + aw - border - caption // 2 - 2, ay + border + caption // 2)
        self.wait_closed()
        self.assertNoErrorLog()


class AboutTitleTest(AboutBoxCase):
    """A copy of the program whose string 101 is not the template's caption:
    the box must take its title from the string."""
    title = OTHER_TITLE

    @classmethod
    def setUpClass(cls):
        cls.program_dir = tempfile.mkdtemp(prefix="pixmint-about-")
        cls.options = copy.copy(EditorTestCase.options)
        cls.options.program = retitled_copy(EditorTestCase.options.program, cls.program_dir)
        super().setUpClass()

    @classmethod
    def tearDownClass(cls):
        super().tearDownClass()
        shutil.rmtree(cls.program_dir, ignore_errors=True)

    def test_title_comes_from_string_101(self):
        about = self.open_about()
        self.assertEqual(self.session.xdo("getwindowname", about).strip(), OTHER_TITLE)
        self.session.click(*self.centre(self.layout(about)["ok"]))
        self.wait_closed()


def take_recorder_option():
    global RECORDER
    args = sys.argv[1:]
    if "--recorder" not in args:
        print("about_test.py: --recorder is required")
        sys.exit(2)
    at = args.index("--recorder")
    RECORDER = os.path.abspath(args[at + 1])
    sys.argv[1:] = args[:at] + args[at + 2:]


if __name__ == "__main__":
    take_recorder_option()
    sys.exit(harness.main())
