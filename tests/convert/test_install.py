"""pixmint-convert as Linux users get it ('make convert', 'make install'): the
optimized build writes the very bytes of the test build, and install and
uninstall put exactly the program, its manual page and its licences in place
and take exactly those away again."""

import argparse
import os
import shutil
import subprocess
import sys
import tempfile
import unittest

ROOT = os.path.abspath(os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", ".."))
sys.path.insert(0, os.path.join(ROOT, "tests", "e2e"))
import formats  # noqa: E402

OPTIMIZED = REFERENCE = None


class InstallTest(unittest.TestCase):

    def setUp(self):
        self.dir = tempfile.mkdtemp(prefix="pixmint-install-")

    def tearDown(self):
        shutil.rmtree(self.dir, ignore_errors=True)

    def outputs(self, program, args):
        """What program writes for args, file by file, in a folder of its own."""
        folder = tempfile.mkdtemp(dir=self.dir)
        result = subprocess.run([program] + args, cwd=folder, capture_output=True, text=True)
        self.assertEqual((result.returncode, result.stderr), (0, ""), args)
        files = {}
        for name in sorted(os.listdir(folder)):
            with open(os.path.join(folder, name), "rb") as f:
                files[name] = f.read()
        return result.stdout, files

    def test_optimized_build_writes_the_bytes_of_the_test_build(self):
        # Greys in every shade, some of them transparent, for the threshold and dithering.
        pixels = [[(x * 2 % 256, (x + y) % 256, y * 3 % 256, 255 if (x + y) % 7 else x % 256)
                   for x in range(160)] for y in range(90)]
        png = os.path.join(self.dir, "shades.png")
        with open(png, "wb") as f:
            f.write(formats.png_file(pixels))
        photo = os.path.join(self.dir, "photo.jpg")
        subprocess.run([sys.executable, "-B", os.path.join(ROOT, "tools", "bench-convert.py"),
                        "--make-photo", "640x480", photo], check=True)
        cases = [
            ["--logo", "--dither", png, "png.bin"],
            ["--fit", "--threshold", "100", png, "png.pbm"],
            ["--dither", photo, "jpeg.bin"],
            ["--logo", "--fill", "--scale", "4", "--colours", photo, "jpeg.png"],
            ["--logo", "--bold", "--text", "Pixmint", "text.bin"],
            ["--info", "--text", "Good\\nmorning"],
            ["--scale", "3", "--invert", "--text", "12:30", "text.bmp"],
        ]
        for args in cases:
            with self.subTest(args=args):
                optimized = self.outputs(OPTIMIZED, args)
                self.assertTrue(optimized[0] or optimized[1], "nothing written")
                self.assertEqual(optimized, self.outputs(REFERENCE, args))

    def test_install_and_uninstall_touch_exactly_their_files(self):
        destdir = os.path.join(self.dir, "root")
        other = os.path.join(destdir, "usr", "bin", "other-tool")
        os.makedirs(os.path.dirname(other))
        open(other, "w").close()
        make = ["make", "-s", "-C", ROOT, "DESTDIR=" + destdir, "PREFIX=/usr"]

        def tree():  # file: permission bits
            return {os.path.relpath(os.path.join(folder, name), destdir):
                    os.stat(os.path.join(folder, name)).st_mode & 0o777
                    for folder, _, names in os.walk(destdir) for name in names}

        subprocess.run(make + ["install"], check=True, stdout=subprocess.DEVNULL)
        files = tree()
        del files["usr/bin/other-tool"]
        self.assertEqual(files, {"usr/bin/pixmint-convert": 0o755,
                                 "usr/share/man/man1/pixmint-convert.1": 0o644,
                                 "usr/share/doc/pixmint-convert/LICENCE": 0o644,
                                 "usr/share/doc/pixmint-convert/OFL.txt": 0o644})
        def read(path):
            with open(path, "rb") as f:
                return f.read()

        doc = os.path.join(destdir, "usr/share/doc/pixmint-convert")
        self.assertEqual(read(os.path.join(destdir, "usr/bin/pixmint-convert")), read(OPTIMIZED))
        self.assertEqual(read(os.path.join(doc, "LICENCE")), read(os.path.join(ROOT, "LICENCE")))
        self.assertIn(b"SIL OPEN FONT LICENSE", read(os.path.join(doc, "OFL.txt")))
        # The page names its files where they are installed.
        page = read(os.path.join(destdir, "usr/share/man/man1/pixmint-convert.1"))
        self.assertIn(b"/usr/share/doc/pixmint-convert/OFL.txt", page)
        self.assertNotIn(b"/usr/local", page)

        subprocess.run(make + ["uninstall"], check=True, stdout=subprocess.DEVNULL)
        self.assertEqual(list(tree()), ["usr/bin/other-tool"])
        self.assertFalse(os.path.exists(os.path.join(destdir, "usr/share/doc/pixmint-convert")))


def main():
    global OPTIMIZED, REFERENCE
    parser = argparse.ArgumentParser()
    parser.add_argument("--optimized", required=True, help="pixmint-convert built by 'make convert'")
    parser.add_argument("--reference", required=True, help="the test build's pixmint-convert")
    parser.add_argument("rest", nargs="*")
    options = parser.parse_args()
    OPTIMIZED, REFERENCE = os.path.abspath(options.optimized), os.path.abspath(options.reference)
    program = unittest.main(argv=[sys.argv[0]] + options.rest, exit=False, verbosity=2)
    return 0 if program.result.wasSuccessful() else 1


if __name__ == "__main__":
    sys.exit(main())
