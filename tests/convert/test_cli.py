"""pixmint-convert from the command line, as scripts use it: what it writes,
what it prints and how it fails. Inputs are built with the end-to-end tests'
own encoders (tests/e2e/formats.py), and the expected block files are packed
by them from pixels the test chooses, independently of the program."""

import argparse
import os
import random
import re
import shutil
import subprocess
import sys
import struct
import tempfile
import time
import unittest
import zlib

ROOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..")
sys.path.insert(0, os.path.join(ROOT, "tests", "e2e"))
import formats  # noqa: E402
from formats import LOGO_HEIGHT, SCREENSAVER_HEIGHT, WIDTH  # noqa: E402

PROGRAM = None
RUNNER = []  # what starts PROGRAM: nothing natively, tools/wine-run.sh for Windows builds
BLACK, WHITE, CLEAR = (0, 0, 0, 255), (255, 255, 255, 255), (0, 0, 0, 0)


def grey(level):
    return (level, level, level, 255)


def random_picture(height, seed):
    generator = random.Random(seed)
    return [[generator.randint(0, 1) for _ in range(WIDTH)] for _ in range(height)]


class ConverterTest(unittest.TestCase):

    def setUp(self):
        self.dir = tempfile.mkdtemp(prefix="pixmint-convert-")

    def tearDown(self):
        shutil.rmtree(self.dir, ignore_errors=True)

    def path(self, name):
        return os.path.join(self.dir, name)

    def write(self, name, data):
        with open(self.path(name), "wb") as f:
            f.write(data)
        return self.path(name)

    def read(self, name):
        with open(self.path(name), "rb") as f:
            return f.read()

    def run_program(self, *args):
        return subprocess.run(RUNNER + [PROGRAM] + [str(a) for a in args], capture_output=True,
                              text=True, cwd=self.dir, timeout=60)

    def convert(self, *args):
        result = self.run_program(*args)
        self.assertEqual(result.returncode, 0, result.stderr)
        self.assertEqual(result.stderr, "")
        return result

    def test_round_trips_through_every_image_format(self):
        for height in (LOGO_HEIGHT, SCREENSAVER_HEIGHT):
            size = [] if height == SCREENSAVER_HEIGHT else ["--logo"]
            picture = random_picture(height, height)
            original = self.write("in.bin", formats.block_file(picture))
            for extension in ("png", "bmp", "pbm"):
                with self.subTest(height=height, format=extension):
                    self.convert(original, "picture." + extension)
                    self.convert(*size, "picture." + extension, "back.bin")
                    self.assertEqual(self.read("back.bin"), formats.block_file(picture))
                    self.assertEqual(self.read("back.bid"), formats.block_info_file(height))
            # Block file to block file keeps the picture too.
            self.convert(original, "copy.bin")
            self.assertEqual(self.read("copy.bin"), formats.block_file(picture))

    def test_known_pixels_give_known_bytes(self):
        # A logo-sized image: greys around the threshold, colours, transparency.
        pixels = [[WHITE] * WIDTH for _ in range(LOGO_HEIGHT)]
        pixels[0][:8] = [grey(0), grey(127), grey(128), grey(200), CLEAR, (0, 0, 0, 100),
                         (255, 0, 0, 255), (0, 255, 0, 255)]
        pixels[28][100] = BLACK
        lightness = {(0, 0): 0, (1, 0): 127, (2, 0): 128, (3, 0): 200, (5, 0): 255 - 100,
                     (6, 0): 76.245, (7, 0): 149.685, (100, 28): 0}
        source = self.write("known.png", formats.png_file(pixels))

        def expected(threshold, invert=False):
            picture = formats.blank(LOGO_HEIGHT)
            for r in range(LOGO_HEIGHT):
                for c in range(WIDTH):
                    ink = lightness.get((c, r), 255) < threshold
                    picture[r][c] = int(ink != invert)
            return formats.block_file(picture)

        for options, threshold, invert in (([], 128, False), (["--threshold", "200"], 200, False),
                                           (["--threshold=150", "--invert"], 150, True)):
            with self.subTest(options=options):
                self.convert("--logo", *options, source, "known.bin")
                self.assertEqual(self.read("known.bin"), expected(threshold, invert))

    def test_other_sizes_are_scaled_to_the_chosen_size(self):
        picture = random_picture(SCREENSAVER_HEIGHT, 7)
        # Twice the size in each direction: every cell is a 2 x 2 block.
        doubled = [[BLACK if v else WHITE for v in row for _ in range(2)]
                   for row in picture for _ in range(2)]
        self.convert(self.write("double.png", formats.png_file(doubled)), "double.bin")
        self.assertEqual(self.read("double.bin"), formats.block_file(picture))
        # A small 1-bit bitmap, left half black, enlarged to a logo.
        half = [[1] * 25 + [0] * 25 for _ in range(20)]
        self.convert("--logo", self.write("half.bmp", formats.bmp_file(half, bits=1)), "half.pbm")
        header = b"P4\n101 29\n"
        data = self.read("half.pbm")
        self.assertEqual(data[:len(header)], header)
        rows = data[len(header):]
        self.assertEqual(len(rows), 29 * 13)
        for r in range(29):
            row = rows[13 * r:13 * (r + 1)]
            self.assertEqual(row[:6], b"\xff" * 6, "row %d, left half" % r)
            self.assertEqual(row[7:], b"\x00" * 6, "row %d, right half" % r)

    def test_every_stored_form_gives_the_same_picture(self):
        picture = random_picture(LOGO_HEIGHT, 11)
        expected = formats.block_file(picture)
        plain = formats.bmp_file(picture)
        self.convert("--logo", self.write("plain.bmp", plain), "plain.bin")
        self.assertEqual(self.read("plain.bin"), expected)
        forms = {"rle8.bmp": formats.bmp_file(picture, bits=8, rle=True),
                 "top-down-8.bmp": formats.bmp_file(picture, bits=8, top_down=True),
                 "table-24.bmp": formats.bmp_file(picture, colour_table=True)}
        for name, data in forms.items():
            with self.subTest(form=name):
                self.convert("--logo", self.write(name, data), "form.bin")
                self.assertEqual(self.read("form.bin"), expected)

    def test_png_with_a_wrong_checksum_is_refused(self):
        png = bytearray(formats.png_file([[BLACK, WHITE]] * 2))
        self.convert(self.write("sound.png", bytes(png)), "sound.bin")
        idat = png.index(b"IDAT")
        length = int.from_bytes(png[idat - 4:idat], "big")
        broken = bytearray(png)
        broken[idat + 4 + length] ^= 0x01  # the first byte of its checksum
        # Right checksums, but the image data is one row short.
        rows = formats.png_file([[BLACK, WHITE]] * 3)
        short = rows[:rows.index(b"IDAT") - 4] + bytes(png[idat - 4:])
        for name, data in (("broken.png", broken), ("short.png", short)):
            with self.subTest(name=name):
                result = self.run_program(self.write(name, bytes(data)), "broken.bin")
                self.assertEqual(result.returncode, 1, result.stderr)
                self.assertIn("damaged PNG", result.stderr)
                self.assertEqual(len(result.stderr.splitlines()), 1, result.stderr)
                self.assertFalse(os.path.exists(self.path("broken.bin")))

    def test_preview_is_enlarged_in_the_chosen_colours(self):
        picture = formats.blank(LOGO_HEIGHT)
        picture[0][0] = 1
        source = self.write("dot.bin", formats.block_file(picture))
        self.convert("--scale", "3", "--colours", source, "preview.bmp")
        data = self.read("preview.bmp")
        self.assertEqual(data[:2], b"BM")
        width, height = int.from_bytes(data[18:22], "little"), int.from_bytes(data[22:26], "little")
        self.assertEqual((width, height), (303, 87))
        self.assertIn(bytes([111, 218, 253]), data)  # the editor's background, stored B, G, R
        # Each row is 909 bytes of pixels padded to 912 with zeros, never stray bytes of memory.
        offset = int.from_bytes(data[10:14], "little")
        self.assertEqual(len(data), offset + 87 * 912)
        padding = {data[offset + 912 * row + 909 + i] for row in range(87) for i in range(3)}
        self.assertEqual(padding, {0})

    def test_info_describes_a_block_file(self):
        picture = formats.blank(LOGO_HEIGHT)
        picture[1][2] = picture[28][100] = 1
        result = self.convert("--info", self.write("logo.bin", formats.block_file(picture)))
        lines = result.stdout.splitlines()
        self.assertEqual(lines[:3], ["kind: logo", "size: 101 x 29", "ink: 2 of 2929 cells"])
        self.assertEqual(lines[3:], ["".join("#" if v else "." for v in row) for row in picture])
        result = self.run_program("--info", self.write("notes.txt", b"hello"))
        self.assertEqual((result.returncode, result.stdout), (1, "kind: not a block file\n"))

    def test_names_in_any_script(self):
        picture = random_picture(LOGO_HEIGHT, 7)
        source = self.write("\u041b\u043e\u0433\u043e.bin", formats.block_file(picture))
        os.mkdir(self.path("\u56fe\u7247"))
        self.convert(source, self.path("\u56fe\u7247/\u03bb\u03bf\u03b3\u03bf.bin"))
        self.assertEqual(self.read("\u56fe\u7247/\u03bb\u03bf\u03b3\u03bf.bin"), formats.block_file(picture))
        self.assertEqual(self.read("\u56fe\u7247/\u03bb\u03bf\u03b3\u03bf.bid"),
                         formats.block_info_file(LOGO_HEIGHT))

    def picture_rows(self, *args):
        return self.convert("--info", *args).stdout.splitlines()[3:]

    def test_fit_and_fill_keep_the_shape(self):
        square = self.write("square.png", formats.png_file([[BLACK] * 9 for _ in range(9)]))
        wider = self.write("wider.png", formats.png_file([[BLACK] * 10 for _ in range(9)]))
        half = [[BLACK] * 20 + [WHITE] * 20 for _ in range(10)]  # 40 x 10, left half black
        wide = self.write("wide.png", formats.png_file(half))
        # Fit: 29 x 29 in the middle of a logo, the rest background (ink, inverted);
        # 32.2 x 29 rounds to 32, and of the 69 free columns the extra one is right.
        self.assertEqual(set(self.picture_rows("--logo", "--fit", square)),
                         {"." * 36 + "#" * 29 + "." * 36})
        self.assertEqual(set(self.picture_rows("--logo", "--fit", "--invert", square)),
                         {"#" * 36 + "." * 29 + "#" * 36})
        self.assertEqual(set(self.picture_rows("--logo", "--fit", wider)),
                         {"." * 34 + "#" * 32 + "." * 35})
        # 101 x 25.25 rounds to 25 rows, 12 free above and below.
        rows = self.picture_rows("--fit", wide)
        self.assertEqual(rows, ["." * 101] * 12 + ["#" * 51 + "." * 50] * 25 + ["." * 101] * 12)
        # Fill: 196 x 49, of which 95 columns overflow: 47 cut on the left, 48 on the right.
        self.assertEqual(self.picture_rows("--fill", wide), ["#" * 51 + "." * 50] * 49)
        self.assertEqual(self.picture_rows("--logo", "--fill", square), ["#" * 101] * 29)

    def test_text_logo(self):
        # The block file holds what --info shows; --invert swaps every cell.
        self.convert("--logo", "--bold", "--text", "Caf\u00e9\n12:30", "text.bin")
        rows = self.picture_rows("text.bin")
        self.assertEqual(self.picture_rows("--logo", "--bold", "--text", "Caf\u00e9\\n12:30"), rows)
        inverted = self.picture_rows("--logo", "--bold", "--invert", "--text", "Caf\u00e9\n12:30")
        self.assertEqual(inverted, [r.translate(str.maketrans("#.", ".#")) for r in rows])
        # Centred with a margin: the ink's bounding box leaves equal space, the extra cell
        # right and below.
        inked = [r for r, row in enumerate(rows) if "#" in row]
        columns = [c for c in range(WIDTH) if any(row[c] == "#" for row in rows)]
        above, below = inked[0], LOGO_HEIGHT - 1 - inked[-1]
        left, right = columns[0], WIDTH - 1 - columns[-1]
        self.assertIn(below - above, (0, 1))
        self.assertIn(right - left, (0, 1))
        self.assertGreaterEqual(min(above, left), 1)

    def test_help_and_version(self):
        result = self.convert("--help")
        self.assertTrue(result.stdout.startswith("usage: pixmint-convert"), result.stdout)
        with open(os.path.join(ROOT, "res", "Version.h")) as f:
            header = f.read()
        major, minor, stage = (re.search(r'#define PIXMINT_VERSION_%s "?(\w*)' % part, header).group(1)
                               for part in ("MAJOR", "MINOR", "STAGE"))
        for args in (["--version"], ["--logo", "--version", "no-such-input.png"]):
            self.assertEqual(self.convert(*args).stdout,
                             "pixmint-convert %s.%s%s\n" % (major, minor, stage))

    def test_manual_page_lists_the_options_of_help_and_renders_cleanly(self):
        page = os.path.join(ROOT, "convert", "pixmint-convert.1")
        with open(page) as f:
            lines = f.read().splitlines()
        # An option's entry: .TP, then its name in bold, with or without its value.
        listed = [re.match(r"\.BI? (\S+)", lines[i + 1]).group(1).replace("\\-", "-")
                  for i, line in enumerate(lines) if line == ".TP" and lines[i + 1].startswith(
                      (".B \\-", ".BI \\-"))]
        usage = self.convert("--help").stdout.split("\nOptions:\n")[1]
        self.assertEqual(listed, re.findall(r"^  (--[a-z-]+)", usage, re.MULTILINE))
        sections = [line[4:] for line in lines if line.startswith(".SH ")]
        self.assertEqual(sections, ["NAME", "SYNOPSIS", "DESCRIPTION", "OPTIONS", "EXIT STATUS",
                                    "EXAMPLES", "FILES", "SEE ALSO"])
        lint = subprocess.run(["groff", "-man", "-ww", "-z", page], capture_output=True, text=True)
        self.assertEqual((lint.returncode, lint.stderr), (0, ""))

    def test_failures_say_why_and_write_nothing(self):
        good = self.write("good.bin", formats.block_file(random_picture(SCREENSAVER_HEIGHT, 3)))
        png = formats.png_file([[BLACK, WHITE]] * 2)
        self.write("damaged.png", png[:len(png) - 20])
        bmp = formats.bmp_file([[1, 0] * 50] * 20)
        self.write("short.bmp", bmp[:len(bmp) - 400])  # GDK-Pixbuf alone would fill it in
        coded = bytearray(formats.bmp_file([[1, 0] * 50] * 20))
        coded[30] = 1  # run-length coding claimed for 24-bit pixels
        self.write("coded.bmp", bytes(coded))
        self.write("short.bin", formats.block_file(random_picture(LOGO_HEIGHT, 4))[:300])
        self.write("kept.png", b"an earlier picture")
        cases = [
            (["missing.png", "out.bin"], 1, "missing.png"),
            (["damaged.png", "out.bin"], 1, "damaged PNG"),
            (["damaged.png", "kept.png"], 1, "damaged PNG"),
            (["short.bmp", "out.bin"], 1, "damaged BMP"),
            (["coded.bmp", "out.bin"], 1, "damaged BMP"),
            (["short.bin", "out.png"], 1, "cut short"),
            (["good.bin", self.path("no-such-dir/out.png")], 1, "cannot write"),
            (["--bogus", "good.bin", "out.png"], 2, "--bogus"),
            (["good.bin", "out.png", "--scale"], 2, "--scale"),
            (["--threshold", "256", "good.bin", "out.bin"], 2, "--threshold"),
            (["--scale", "x", "good.bin", "out.png"], 2, "--scale"),
            (["good.bin"], 2, "missing output"),
            (["good.bin", "out.jpg"], 2, "out.jpg"),
            (["--colours", "good.bin", "out.pbm"], 2, "--colours"),
            (["--text", "W" * 20, "out.bin"], 1, "needs 1"),
            (["--text", "Pixmint", "--font-size", "32", "--logo", "out.png"], 1, "at font size 32"),
            (["--text", "5 \u20ac", "out.bin"], 1, "U+20AC"),
            (["--text", "tab\there", "out.bin"], 1, "U+0009"),
            (["--text", "x", "--font-size", "15", "out.bin"], 2, "--font-size"),
            (["--font-size", "16", "good.bin", "out.bin"], 2, "--font-size"),
            (["--text", "x", "good.bin", "out.bin"], 2, "--text"),
            (["--text", "x", "--fit", "out.bin"], 2, "--fit"),
            (["--fit", "--fill", "damaged.png", "out.bin"], 2, "--fill"),
            (["--fill", "good.bin", "out.bin"], 2, "--fill"),
        ]
        before = sorted(os.listdir(self.dir))
        for args, code, mention in cases:
            with self.subTest(args=args):
                result = self.run_program(*args)
                self.assertEqual(result.returncode, code, result.stderr)
                self.assertEqual(result.stdout, "")
                lines = result.stderr.splitlines()
                self.assertEqual(len(lines), 1, result.stderr)
                self.assertTrue(lines[0].startswith("pixmint-convert: "), lines[0])
                self.assertIn(mention, lines[0])
                self.assertEqual(sorted(os.listdir(self.dir)), before, "files left behind")
        self.assertEqual(self.read("kept.png"), b"an earlier picture")

    def timed(self, *args):
        start = time.monotonic()
        result = self.run_program(*args)
        return result, time.monotonic() - start

    def test_hostile_inputs_are_decided_quickly(self):
        """Inputs that took seconds to minutes: each is decided within a limit
        far above what it takes now, refused in one line of our own."""
        def chunk(kind, data):
            return (struct.pack(">I", len(data)) + kind + data
                    + struct.pack(">I", zlib.crc32(kind + data)))
        squeezer = zlib.compressobj(9)
        data = b"".join(squeezer.compress(bytes(1 << 20)) for _ in range(256)) + squeezer.flush()
        self.write("bomb.png", b"\x89PNG\r\n\x1a\n"
                   + chunk(b"IHDR", struct.pack(">IIBBBBB", 1, 1, 8, 0, 0, 0, 0))
                   + chunk(b"IDAT", data) + chunk(b"IEND", b""))
        runs = bytearray(formats.bmp_file([[0] * WIDTH] * SCREENSAVER_HEIGHT, bits=8, rle=True))
        runs[-2:] = b"\xff\x00" * (16 << 20) + b"\x00\x01"  # long runs past the row's end
        struct.pack_into("<I", runs, 2, len(runs))
        self.write("runs.bmp", bytes(runs))
        with open(self.path("huge.png"), "wb") as f:
            f.truncate(300 << 20)
        self.write("empty-frame.gif", b"GIF89a" + struct.pack("<HHBBB", 10, 10, 0, 0, 0)
                   + b"\x2c" + struct.pack("<HHHHB", 0, 0, 0, 10, 0) + b"\x02\x02\x44\x01\x00\x3b")
        cases = [("bomb.png", 1, "image data holds more than its rows"),
                 ("runs.bmp", 0, "kind: screensaver"),
                 ("huge.png", 1, "too large"),
                 ("empty-frame.gif", 1, "damaged GIF image (no pixels)")]
        if not RUNNER:
            self.write("big.xbm", b"#define big_width 10000\n#define big_height 5000\n"
                       b"static char big_bits[] = {\n0x00, 0x00 };\n")
            cases.append(("big.xbm", 1, "image too large (10000 x 5000 pixels)"))
        for name, code, mention in cases:
            with self.subTest(name=name):
                result, seconds = self.timed("--info", name)
                self.assertEqual(result.returncode, code, result.stderr)
                self.assertIn(mention, result.stdout + result.stderr)
                self.assertLessEqual(len(result.stderr.splitlines()), 1, result.stderr)
                self.assertLess(seconds, 20, "%s took %.1f s" % (name, seconds))

    @unittest.skipIf(sys.platform != "linux", "needs /dev/full")
    def test_info_reads_once_and_reports_a_failed_output(self):
        block = formats.block_file(random_picture(LOGO_HEIGHT, 5))
        if not RUNNER:  # a block file through a pipe
            result = subprocess.run([PROGRAM, "--info", "/dev/stdin"], input=block,
                                    capture_output=True, timeout=60)
            self.assertEqual(result.returncode, 0, result.stderr)
            self.assertIn(b"logo", result.stdout)
        self.write("logo.bin", block)
        with open("/dev/full", "w") as full:
            result = subprocess.run(RUNNER + [PROGRAM, "--info", "logo.bin"], stdout=full,
                                    stderr=subprocess.PIPE, cwd=self.dir, timeout=60)
        self.assertEqual(result.returncode, 1, result.stderr)

    def test_icons_and_gifs_give_the_picture_shown(self):
        """Of an icon, its largest image, here stored as PNG (as icons have
        been since Windows Vista) beside a smaller bitmap; of a GIF, its first
        frame on its logical screen, the rest transparent (white). Both
        systems read the same picture as the equivalent PNG."""
        large = [[BLACK if (x + y) % 3 else WHITE for x in range(32)] for y in range(32)]
        png = formats.png_file(large)
        small = struct.pack("<IiiHHIIiiII", 40, 16, 32, 1, 32, 0, 0, 0, 0, 0, 0) \
            + bytes([255, 255, 255, 255]) * 256 + bytes(4 * 16)
        entries = [(16, small, 32), (32, png, 32)]
        offset = 6 + 16 * len(entries)
        icon = struct.pack("<HHH", 0, 1, len(entries))
        for size, data, bits in entries:
            icon += struct.pack("<BBBBHHII", size, size, 0, 0, 1, bits, len(data), offset)
            offset += len(data)
        self.write("icon.ico", icon + b"".join(data for _, data, _ in entries))
        self.write("icon.png", png)
        bits, count = 0, 0
        for code in [4, 1] * 100 + [5]:  # clear before every pixel: 3-bit codes throughout
            bits |= code << count
            count += 3
        data = bits.to_bytes((count + 7) // 8, "little")
        self.write("frame.gif", b"GIF89a" + struct.pack("<HHBBB", 20, 10, 0x81, 0, 0)
                   + bytes([255, 255, 255, 0, 0, 0, 9, 9, 9, 9, 9, 9])
                   + b"\x2c" + struct.pack("<HHHHB", 10, 0, 10, 10, 0)
                   + b"\x02" + bytes([len(data)]) + data + b"\x00\x3b")
        self.write("frame.png", formats.png_file([[WHITE] * 10 + [BLACK] * 10] * 10))
        for name in ("icon.ico", "frame.gif"):
            with self.subTest(name=name):
                self.convert(name, "read.bin")
                self.convert(name[:-4] + ".png", "expected.bin")
                self.assertEqual(self.read("read.bin"), self.read("expected.bin"))


def main():
    global PROGRAM, RUNNER
    parser = argparse.ArgumentParser()
    parser.add_argument("--program", required=True)
    parser.add_argument("--wine-run", help="tools/wine-run.sh, for a Windows program")
    parser.add_argument("--build-dir", help="the Windows program's build tree")
    parser.add_argument("rest", nargs="*")
    options = parser.parse_args()
    PROGRAM = os.path.abspath(options.program)
    if options.wine_run:
        RUNNER = [os.path.abspath(options.wine_run), "exec", "--build-dir",
                  os.path.abspath(options.build_dir)]
    program = unittest.main(argv=[sys.argv[0]] + options.rest, exit=False, verbosity=2)
    return 0 if program.result.wasSuccessful() else 1


if __name__ == "__main__":
    sys.exit(main())
