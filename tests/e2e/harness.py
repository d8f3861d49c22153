"""Drives the real editor under Wine on a private X display with real input:
the X pointer and keyboard are moved through xdotool (XTEST), and the results
are read back from the screen's pixels and from the files on disk.

Command line of every test script (see CMakeLists.txt):
    script.py --program PIXMINT_EXE --runner WINE_RUN_SH --session-dir DIR --out-dir DIR [--dpi N]

--dpi is the display scale the program is started at (96 unless given).
"""

import argparse
import ctypes
import ctypes.util
import os
import re
import shutil
import signal
import struct
import subprocess
import sys
import tempfile
import time
import unittest
import zlib

INK = (0, 0, 0)
BACKGROUND = (253, 218, 111)
WIDTH = 101

# Dialog-unit layout of the main window: client size and control rectangles
# (left, top, width, height).
DIALOG_SIZE = (598, 276)
CONTROLS = {
    "new": (7, 229, 54, 16),
    "load": (67, 229, 54, 16),
    "save": (127, 229, 54, 16),
    "close": (187, 229, 54, 16),
    "invert": (276, 228, 42, 18),
    "size": (6, 257, 462, 13),
    # The strip right of the canvas: tools, Text..., moving and mirroring.
    "pen": (482, 44, 110, 14),
    "line": (482, 59, 110, 14),
    "rectangle": (482, 74, 110, 14),
    "filled rectangle": (482, 89, 110, 14),
    "ellipse": (482, 104, 110, 14),
    "filled ellipse": (482, 119, 110, 14),
    "fill": (482, 134, 110, 14),
    "text": (482, 153, 110, 14),
    "left": (482, 183, 54, 14),
    "right": (538, 183, 54, 14),
    "up": (482, 198, 54, 14),
    "down": (538, 198, 54, 14),
    "mirror h": (482, 216, 110, 14),
    "mirror v": (482, 231, 110, 14),
}
# The top-left corner of the real-size preview, in dialog units.
PREVIEW = (482, 5)
# The question before closing with unsaved changes.
QUESTION_TITLE = "Pixmint"
MAIN_TITLE = "Pixmint v0.2b by Tovren (logo size: x=101, y=29; screensaver size: x=101, y=49)"

STANDARD_DPI = 96
WAIT_SECONDS = 20
MARLETT = "/usr/share/wine/fonts/marlett.ttf"


class E2EError(AssertionError):
    pass


def canvas_margin(dpi):
    """The canvas's offset from the client area's left and top edges: the rule
    of CanvasMargin in picture/CanvasGeometry (5 pixels at 96 dots per inch,
    grown with the scale and rounded to the nearest pixel)."""
    return (5 * dpi + STANDARD_DPI // 2) // STANDARD_DPI


def poll(what, check, timeout=WAIT_SECONDS, interval=0.05):
    """Calls check until it returns something true; fails after timeout."""
    deadline = time.monotonic() + timeout
    while True:
        result = check()
        if result:
            return result
        if time.monotonic() > deadline:
            raise E2EError("timed out waiting for " + what)
        time.sleep(interval)


# ----------------------------------------------------------------------------
# Wine session on its own X server


class Session:
    """A Wine session of the runner in a directory of its own. The X server is
    always a private Xvfb (DISPLAY is dropped), so that real input never lands
    on a user's desktop."""

    def __init__(self, runner, session_dir):
        self.runner = runner
        self.dir = session_dir
        os.makedirs(self.dir, exist_ok=True)
        self.env = None
        self.grabber = None

    def _base_env(self):
        env = dict(os.environ)
        env.pop("DISPLAY", None)
        return env

    def _run(self, *args, check=True, **kw):
        return subprocess.run([self.runner, args[0], "--build-dir", self.dir] + list(args[1:]),
                              env=self._base_env(), check=check, **kw)

    def alive(self):
        return self._run("env", check=False, capture_output=True).returncode == 0

    def start(self):
        """Starts a session unless one runs; returns True when it started one."""
        if self.alive():
            self.load_env()
            return False
        self._run("start")
        self.load_env()
        # Wine draws the frame itself (title bar and close box) when no window
        # manager manages its windows: a setting of this test prefix only.
        self.wine("reg", "add", r"HKCU\Software\Wine\X11 Driver", "/v", "Managed",
                  "/d", "N", "/f", quiet=True)
        # Wine draws the close box with Marlett, which this Wine does not find
        # on its own: without it the box shows a letter "r".
        fonts = os.path.join(self.dir, "wine", "prefix", "drive_c", "windows", "Fonts")
        if os.path.isfile(MARLETT) and os.path.isdir(fonts):
            shutil.copy(MARLETT, fonts)
        return True

    def stop(self):
        self._run("stop", check=False)

    def set_dpi(self, dpi):
        """The display scale of the programs started next, which Wine reads from
        HKEY_CURRENT_CONFIG. Every start sets its own: a run that ended early
        at another scale leaves nothing behind. The prefix notes the last one."""
        marker = os.path.join(self.dir, "wine", "prefix", "pixmint-dpi")
        if os.path.isfile(marker):
            with open(marker) as f:
                if f.read() == str(dpi):
                    return
        if self.wine("reg", "add", r"HKCC\Software\Fonts", "/v", "LogPixels", "/t", "REG_DWORD",
                     "/d", str(dpi), "/f", quiet=True) != 0:
            raise E2EError("could not set the display scale to %d dots per inch" % dpi)
        with open(marker, "w") as f:
            f.write(str(dpi))

    def load_env(self):
        """Environment for X clients (xdotool, import) on the session's display."""
        out = self._run("env", capture_output=True, text=True).stdout
        display = re.search(r"DISPLAY=(\S+)", out).group(1)
        env = self._base_env()
        env["DISPLAY"] = display
        self.env = env

    def wine(self, *args, quiet=False):
        out = subprocess.DEVNULL if quiet else None
        return subprocess.run([self.runner, "exec", "--build-dir", self.dir] + list(args),
                              env=self._base_env(), stdout=out, stderr=out).returncode

    def xdo(self, *args):
        result = subprocess.run(["xdotool"] + [str(a) for a in args], env=self.env,
                                capture_output=True, text=True)
        return result.stdout

    def windows(self, name_regex):
        out = self.xdo("search", "--onlyvisible", "--name", name_regex)
        return [int(w) for w in out.split()]

    def geometry(self, window):
        out = self.xdo("getwindowgeometry", "--shell", window)
        values = dict(line.split("=", 1) for line in out.split() if "=" in line)
        if "X" not in values:
            return None
        return tuple(int(values[k]) for k in ("X", "Y", "WIDTH", "HEIGHT"))

    def grab(self, box=None):
        """The screen's pixels, or those of the box (x, y, width, height) of it."""
        if self.grabber is None:
            self.grabber = RootGrabber.open(self.env["DISPLAY"]) or False
        if self.grabber:
            return self.grabber.grab(box)
        raw = subprocess.run(["import", "-window", "root", "-depth", "8", "rgb:-"],
                             env=self.env, capture_output=True, check=True).stdout
        width = int(self.xdo("getdisplaygeometry").split()[0])
        return Screen(raw, width, len(raw) // (width * 3))

    # Real input -----------------------------------------------------------

    def move(self, x, y):
        self.xdo("mousemove", "--sync", x, y)

    def click(self, x, y, button=1):
        self.xdo("mousemove", "--sync", x, y, "click", button)

    def path(self, points, button=None, pause=0.05):
        """Moves through the points one by one (pausing so that every move
        reaches the program as its own message), optionally pressing a button
        at the first point and releasing it at the last."""
        args = ["mousemove", "--sync", points[0][0], points[0][1], "sleep", pause]
        if button:
            args += ["mousedown", button, "sleep", pause]
        for x, y in points[1:]:
            args += ["mousemove", "--sync", x, y, "sleep", pause]
        if button:
            args += ["mouseup", button, "sleep", pause]
        self.xdo(*args)

    def keys(self, *names):
        self.xdo("key", "--delay", 40, *names)

    def type_text(self, text):
        self.xdo("type", "--delay", 15, text)

    def focus(self, window):
        self.xdo("windowfocus", "--sync", window)

    def focused(self):
        out = self.xdo("getwindowfocus").strip()
        return int(out) if out.isdigit() else None

    def keys_to(self, window, *names):
        """Keys for this window only: they are sent once it has the focus."""
        poll("window %d to have the focus" % window,
             lambda: self.focused() == window or self.focus(window))
        self.keys(*names)


# ----------------------------------------------------------------------------
# Screen pixels


class _XImage(ctypes.Structure):
    _fields_ = [("width", ctypes.c_int), ("height", ctypes.c_int), ("xoffset", ctypes.c_int),
                ("format", ctypes.c_int), ("data", ctypes.POINTER(ctypes.c_char)),
                ("byte_order", ctypes.c_int), ("bitmap_unit", ctypes.c_int),
                ("bitmap_bit_order", ctypes.c_int), ("bitmap_pad", ctypes.c_int),
                ("depth", ctypes.c_int), ("bytes_per_line", ctypes.c_int),
                ("bits_per_pixel", ctypes.c_int)]


class RootGrabber:
    """Reads the root window straight from the X server through libX11: a
    screenshot by ImageMagick's import costs a process start each, which on a
    busy machine dominates the run time."""

    @classmethod
    def open(cls, display_name):
        try:
            x11 = ctypes.CDLL(ctypes.util.find_library("X11") or "libX11.so.6")
        except OSError:
            return None
        x11.XOpenDisplay.restype = ctypes.c_void_p
        x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
        x11.XDefaultRootWindow.restype = ctypes.c_ulong
        x11.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
        x11.XGetImage.restype = ctypes.POINTER(_XImage)
        x11.XGetImage.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_int,
                                  ctypes.c_uint, ctypes.c_uint, ctypes.c_ulong, ctypes.c_int]
        x11.XDestroyImage.argtypes = [ctypes.POINTER(_XImage)]
        x11.XDisplayWidth.argtypes = x11.XDisplayHeight.argtypes = [ctypes.c_void_p, ctypes.c_int]
        display = x11.XOpenDisplay(display_name.encode())
        if not display:
            return None
        grabber = cls()
        grabber.x11, grabber.display = x11, display
        grabber.root = x11.XDefaultRootWindow(display)
        grabber.size = (x11.XDisplayWidth(display, 0), x11.XDisplayHeight(display, 0))
        return grabber

    def grab(self, box=None):
        x, y, width, height = box or (0, 0) + self.size
        x, y = max(0, x), max(0, y)
        width, height = min(width, self.size[0] - x), min(height, self.size[1] - y)
        image = self.x11.XGetImage(self.display, self.root, x, y, width, height,
                                   0xFFFFFFFF, 2)  # all planes, ZPixmap
        if not image:
            raise E2EError("XGetImage failed")
        try:
            info = image.contents
            if info.bits_per_pixel != 32 or info.bytes_per_line != width * 4:
                raise E2EError("unexpected screen format: %d bits per pixel"
                               % info.bits_per_pixel)
            data = ctypes.string_at(info.data, width * height * 4)
        finally:
            self.x11.XDestroyImage(image)
        # Pixels arrive as blue, green, red, padding.
        raw = bytearray(width * height * 3)
        raw[0::3] = data[2::4]
        raw[1::3] = data[1::4]
        raw[2::3] = data[0::4]
        return Screen(bytes(raw), width, height, x, y)


class Screen:
    """Pixels of the box at (left, top) of the screen; coordinates given to
    its methods are screen coordinates."""

    def __init__(self, raw, width, height, left=0, top=0):
        self.raw = raw
        self.width = width
        self.height = height
        self.left = left
        self.top = top

    def pixel(self, x, y):
        x, y = x - self.left, y - self.top
        if not (0 <= x < self.width and 0 <= y < self.height):
            return None
        i = (y * self.width + x) * 3
        return tuple(self.raw[i:i + 3])

    def save_png(self, path, box=None):
        """Writes what was grabbed, or the box (x, y, w, h) of it, as an RGB PNG."""
        x0, y0, w, h = box or (self.left, self.top, self.width, self.height)
        x0, y0 = max(0, x0 - self.left), max(0, y0 - self.top)
        w, h = min(w, self.width - x0), min(h, self.height - y0)
        rows = bytearray()
        for y in range(y0, y0 + h):
            start = (y * self.width + x0) * 3
            rows += b"\x00" + self.raw[start:start + w * 3]

        def chunk(kind, data):
            body = kind + data
            return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))

        png = (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", w, h, 8, 2, 0, 0, 0))
               + chunk(b"IDAT", zlib.compress(bytes(rows), 6)) + chunk(b"IEND", b""))
        with open(path, "wb") as f:
            f.write(png)


# ----------------------------------------------------------------------------
# The editor's main window


class Editor:
    """The running program and what the screen shows of its main window."""

    def __init__(self, session, program, workdir, out_dir, arguments=(), dpi=STANDARD_DPI):
        self.session = session
        self.out_dir = out_dir
        self.shot_number = 0
        self.dpi = dpi
        os.makedirs(out_dir, exist_ok=True)
        session.set_dpi(dpi)
        self.process = subprocess.Popen(
            [session.runner, "exec", "--build-dir", session.dir, program] + list(arguments),
            cwd=workdir,
            env=session._base_env(), start_new_session=True,
            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        try:
            self.window = poll("the main window", self._find_window, timeout=60)
            self.frame = poll("the main window's geometry", lambda: session.geometry(self.window))
            screen = poll("the empty canvas on screen", self._locate_canvas, interval=0.1)
        except BaseException:
            self.kill()
            raise
        self.shot("start", screen)

    def _find_window(self):
        if self.process.poll() is not None:
            raise E2EError("the program ended with %r before showing its window"
                           % self.process.returncode)
        found = self.session.windows("^" + re.escape(MAIN_TITLE) + "$")
        return found[0] if found else None

    def _locate_canvas(self):
        """Finds the canvas as the block of background colour inside the frame
        and derives the client area from it. Returns the screen, or None while
        the window is not fully drawn."""
        fx, fy, fw, fh = self.frame
        screen = self.session.grab(self.frame)
        colour = bytes(BACKGROUND)
        needle = colour * (WIDTH * 4)
        rows = []
        stride = screen.width * 3
        for y in range(screen.height):
            line = screen.raw[y * stride:(y + 1) * stride]
            at = line.find(needle)
            while at >= 0 and at % 3:
                at = line.find(needle, at + 1)
            if at < 0:
                continue
            end = at
            while line[end:end + 3] == colour:
                end += 3
            rows.append((screen.top + y, screen.left + at // 3, (end - at) // 3))
        if not rows:
            return None
        top, left, width = rows[0]
        height = rows[-1][0] - top + 1
        # The static edge takes one pixel off each side of the outer size,
        # which is a whole number of cells.
        if (width + 2) % WIDTH:
            return None
        self.cell = (width + 2) // WIDTH
        if (height + 2) % self.cell or (height + 2) // self.cell != 49:
            return None
        self.canvas = (left, top)
        margin = canvas_margin(self.dpi)
        self.client = (left - 1 - margin, top - 1 - margin)
        border = self.client[0] - fx
        self.client_size = (fw - 2 * border, fy + fh - border - self.client[1])
        return screen

    # Coordinates ----------------------------------------------------------

    def cell_point(self, column, row):
        """Screen point at the middle of a cell."""
        half = self.cell // 2
        return (self.canvas[0] + column * self.cell + half, self.canvas[1] + row * self.cell + half)

    def dialog_point(self, dx, dy):
        """Screen point of a dialog-unit position in the client area."""
        return (self.client[0] + dx * self.client_size[0] // DIALOG_SIZE[0],
                self.client[1] + dy * self.client_size[1] // DIALOG_SIZE[1])

    def control_point(self, name):
        left, top, width, height = CONTROLS[name]
        if name == "size":
            return self.dialog_point(left + 30, top + height // 2)
        return self.dialog_point(left + width // 2, top + height // 2)

    def control_top(self, name):
        return self.dialog_point(0, CONTROLS[name][1])[1]

    def close_box_point(self):
        fx, fy, fw, _ = self.frame
        border = self.client[0] - fx
        caption = self.client[1] - fy - border
        return (fx + fw - border - caption // 2 - 2, fy + border + caption // 2)

    # Actions --------------------------------------------------------------

    def press(self, name):
        self.session.click(*self.control_point(name))

    def click_cell(self, column, row, button=1):
        self.session.click(*self.cell_point(column, row), button=button)

    def paint_through(self, cells, colour, button=None, release=True):
        """Moves the pointer over the cells one by one. With a button, it is
        pressed over the first cell (which therefore gets no move) and, with
        release, let go over the last. After each move, waits briefly until
        the cell shows colour: the program fills it as the move arrives, and
        waiting keeps moves from piling up and being merged by the platform."""
        session = self.session
        moves = cells
        if button:
            session.move(*self.cell_point(*cells[0]))
            session.xdo("mousedown", button)
            moves = cells[1:]
        for cell in moves:
            x, y = self.cell_point(*cell)
            session.move(x, y)
            try:
                poll("cell %r to change" % (cell,),
                     lambda: session.grab((x, y, 1, 1)).pixel(x, y) == colour,
                     timeout=2, interval=0.01)
            except E2EError:
                pass  # the final comparison of the picture reports it
        if button and release:
            session.xdo("mouseup", button)

    def park_pointer(self):
        """Moves the pointer onto the dialog, off the canvas and the controls."""
        self.session.move(*self.dialog_point(330, 236))

    # Dialogs ----------------------------------------------------------------

    def wait_window(self, title, count=1):
        """Waits for count visible windows with this exact title; returns the newest."""
        pattern = "^" + re.escape(title) + "$"
        found = poll("a window titled %r" % title,
                     lambda: (lambda w: w if len(w) >= count else None)(
                         self.session.windows(pattern)))
        return found[-1]

    def answer_question(self, key, before):
        """Waits for the question about unsaved changes or, when the picture
        has none, the window that follows it (titled before); answers the
        question with key. Returns True when it was asked."""
        question = "^" + re.escape(QUESTION_TITLE) + "$"
        shown = poll("the question or %r" % before, lambda: (
            self.session.windows(question) and "question"
            or self.session.windows("^" + re.escape(before) + "$") and "next"))
        if shown != "question":
            return False
        self.session.focus(self.session.windows(question)[-1])
        self.session.keys(key)
        self.wait_gone(QUESTION_TITLE)
        return True

    def wait_gone(self, title, count=0):
        pattern = "^" + re.escape(title) + "$"
        poll("fewer windows titled %r" % title,
             lambda: len(self.session.windows(pattern)) <= count)

    def type_into(self, window, text):
        """Types text and Enter into the focused control of a window."""
        self.session.focus(window)
        self.session.type_text(text)
        self.session.keys("Return")

    def choose_file(self, button, title, path, answer="n"):
        """Presses Load... or Save..., types the path into the file chooser
        and confirms it. Returns the chooser's window (it may stay open).
        When Load... asks about unsaved changes first, the key answer
        (n: No, by default) is pressed."""
        self.press(button)
        if button == "load":
            self.answer_question(answer, before="Open")
        dialog = self.wait_window(title)
        self.settle(button + "-dialog", whole_screen=True)
        self.type_into(dialog, path)
        return dialog

    def dismiss(self, title):
        """Waits for a dialog, lets it finish drawing, gives it Escape once it
        has the focus (never to the window below it) and waits until it is gone."""
        window = self.wait_window(title)
        self.settle(title + "-shown", whole_screen=True)
        self.session.keys_to(window, "Escape")
        self.wait_gone(title)

    def dismiss_strays(self, titles=("Error", "Save As", "Open")):
        """Closes dialogs an earlier failed case left open, with Escape."""
        for _ in range(6):
            open_windows = [w for t in titles for w in self.session.windows("^%s$" % t)]
            if not open_windows:
                return
            self.session.keys_to(open_windows[-1], "Escape")
            time.sleep(0.3)

    # Reading the screen -----------------------------------------------------

    def grab(self, whole_screen=False):
        """The main window with a margin around it, or the whole screen."""
        if whole_screen:
            return self.session.grab()
        fx, fy, fw, fh = self.frame
        return self.session.grab((fx - 8, fy - 8, fw + 16, fh + 16))

    def shot(self, name, screen=None, whole_screen=False):
        screen = screen or self.grab(whole_screen)
        self.shot_number += 1
        fx, fy, fw, fh = self.frame
        box = None if whole_screen else (fx - 8, fy - 8, fw + 16, fh + 16)
        screen.save_png(os.path.join(self.out_dir, "%02d-%s.png" % (self.shot_number, name)), box)
        return screen

    def visible_rows(self, screen):
        """Rows of cells the canvas shows, counted from the top."""
        rows = 0
        for row in range(49):
            if screen.pixel(*self.cell_point(50, row)) not in (INK, BACKGROUND):
                break
            rows += 1
        return rows

    def size_checked(self, screen):
        """Whether the size check box shows its check mark: dark pixels inside
        the box at the control's left end (the box itself is drawn in greys)."""
        left, top, _, height = CONTROLS["size"]
        x0, y0 = self.dialog_point(left, top)
        y1 = self.dialog_point(left, top + height)[1]
        dark = 0
        for y in range(y0, y1):
            for x in range(x0 - 2, x0 + 14 * self.dpi // STANDARD_DPI):
                if max(screen.pixel(x, y)) < 128:
                    dark += 1
        return dark >= 6

    def picture(self, screen, height=None):
        """The picture as shown: rows of 1 (ink) and 0 (background)."""
        height = height or self.visible_rows(screen)
        rows = []
        for row in range(height):
            values = []
            for column in range(WIDTH):
                colour = screen.pixel(*self.cell_point(column, row))
                if colour == INK:
                    values.append(1)
                elif colour == BACKGROUND:
                    values.append(0)
                else:
                    raise E2EError("cell (%d, %d) shows %r, neither ink nor background"
                                   % (column, row, colour))
            rows.append(values)
        return rows

    def preview(self, screen, height):
        """The picture as the real-size preview shows it, one pixel a cell:
        its top-left cell is the first pixel of canvas colours near its place."""
        colours = (INK, BACKGROUND)
        x0, y0 = self.dialog_point(*PREVIEW)
        corners = [(x, y) for y in range(y0 - 4, y0 + 8) for x in range(x0 - 4, x0 + 8)
                   if screen.pixel(x, y) in colours and screen.pixel(x - 1, y) not in colours
                   and screen.pixel(x, y - 1) not in colours]
        if not corners:
            raise E2EError("no preview near %r" % ((x0, y0),))
        x0, y0 = corners[0]
        rows = [[screen.pixel(x0 + c, y0 + r) for c in range(WIDTH)] for r in range(height + 1)]
        if any(p not in colours for row in rows[:height] for p in row) or rows[height][0] in colours:
            raise E2EError("the preview is not %d rows of canvas colours" % height)
        return [[1 if p == INK else 0 for p in row] for row in rows[:height]]

    def settle(self, name, check=None, timeout=5, whole_screen=False):
        """Screenshot once the program has finished drawing: two grabs in a
        row agree and, when given, check accepts the screen. On timeout the
        last grab is used and the caller's assertions report what it shows."""
        last = [None]

        def ready():
            screen = self.grab(whole_screen)
            same = last[0] is not None and last[0].raw == screen.raw
            last[0] = screen
            return screen if same and (check is None or check(screen)) else None
        try:
            screen = poll(name, ready, timeout=timeout, interval=0.05)
        except E2EError:
            screen = last[0]
        return self.shot(name, screen, whole_screen)

    # Ending ---------------------------------------------------------------

    def wait_exit(self, timeout=WAIT_SECONDS):
        try:
            return self.process.wait(timeout)
        except subprocess.TimeoutExpired:
            raise E2EError("the program did not end")

    def kill(self):
        if self.process.poll() is None:
            try:
                os.killpg(self.process.pid, signal.SIGKILL)
            except ProcessLookupError:
                pass
            self.process.wait()


def wine_path(path):
    return "Z:" + os.path.abspath(path).replace("/", "\\")


def differing_cells(a, b):
    return [(c, r) for r in range(min(len(a), len(b))) for c in range(WIDTH) if a[r][c] != b[r][c]]


# ----------------------------------------------------------------------------
# Test case base: one program run per test class


class EditorTestCase(unittest.TestCase):
    options = None
    editor = None

    @classmethod
    def setUpClass(cls):
        cls.workdir = tempfile.mkdtemp(prefix="pixmint-e2e-")
        # The program removes the log of an earlier run when it starts.
        with open(os.path.join(cls.workdir, "Error.log"), "w") as f:
            f.write("left over from an earlier run\n")
        cls.out_dir = os.path.join(cls.options.out_dir, cls.__name__)
        shutil.rmtree(cls.out_dir, ignore_errors=True)
        cls.session = cls.options.session
        cls.editor = Editor(cls.session, cls.program(cls.workdir), cls.workdir, cls.out_dir,
                            cls.program_arguments(cls.workdir), cls.options.dpi)

    @classmethod
    def program(cls, workdir):
        """The program to start, which may be a copy made in workdir."""
        return cls.options.program

    @classmethod
    def program_arguments(cls, workdir):
        """What the program is started with, after its path."""
        return []

    @classmethod
    def tearDownClass(cls):
        if cls.editor:
            cls.editor.kill()
        shutil.rmtree(cls.workdir, ignore_errors=True)

    def shown(self, name, rows):
        """The picture once the canvas shows rows rows."""
        screen = self.editor.settle(name, lambda s: self.editor.visible_rows(s) == rows)
        return self.editor.picture(screen)

    def assertNoErrorLog(self):
        self.assertFalse(os.path.exists(os.path.join(self.workdir, "Error.log")),
                         "Error.log after a run without internal failures")

    def assertPicture(self, shown, expected, what):
        self.assertEqual(len(shown), len(expected), what + ": number of rows shown")
        diff = differing_cells(shown, expected)
        self.assertFalse(diff, "%s: %d cells differ, first %s" % (what, len(diff), diff[:8]))


class FilesTestCase(EditorTestCase):
    """A session with a folder of its own for the files it writes and loads."""

    @classmethod
    def setUpClass(cls):
        super().setUpClass()
        cls.files = os.path.join(cls.workdir, "files")
        os.mkdir(cls.files)

    def setUp(self):
        self.editor.dismiss_strays()

    def write(self, name, data):
        path = os.path.join(self.files, name)
        with open(path, "wb") as f:
            f.write(data)
        return path


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--program", required=True)
    parser.add_argument("--runner", required=True)
    parser.add_argument("--session-dir", required=True)
    parser.add_argument("--out-dir", required=True)
    parser.add_argument("--converter", help="pixmint-convert.exe, for the cases that compare with it")
    parser.add_argument("--clipboard-tool", help="clipboard_tool.exe, the clipboard's other program")
    parser.add_argument("--dpi", type=int, default=STANDARD_DPI, help="display scale")
    parser.add_argument("rest", nargs="*")
    options = parser.parse_args()
    if not os.path.isfile(options.program):
        print("no program at " + options.program)
        return 1
    session = Session(os.path.abspath(options.runner), os.path.abspath(options.session_dir))
    options.session = session
    options.out_dir = os.path.abspath(options.out_dir)
    options.program = os.path.abspath(options.program)
    if options.converter:
        options.converter = os.path.abspath(options.converter)
    if options.clipboard_tool:
        options.clipboard_tool = os.path.abspath(options.clipboard_tool)
    EditorTestCase.options = options
    started = session.start()
    try:
        program = unittest.main(module="__main__", argv=[sys.argv[0]] + options.rest, exit=False,
                                verbosity=2)
        return 0 if program.result.wasSuccessful() else 1
    finally:
        if started:
            session.stop()
