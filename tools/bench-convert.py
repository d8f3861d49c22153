#!/usr/bin/env python3
"""Times the optimized pixmint-convert (make convert) next to ImageMagick on a
12-megapixel photo made in the same run, both turning it into a dithered
operator logo, and reports each one's time and peak memory (medians).

    bench-convert.py [--program PATH] [--runs N]
    bench-convert.py --make-photo WIDTHxHEIGHT PATH   (only makes the photo)

The photo is a seeded plasma fractal drawn by ImageMagick and stored as a JPEG
of quality 90: smooth shades with fine detail everywhere, as a photo has. The
runs of the two programs alternate, so that other work on the machine weighs on
both alike."""

import argparse
import os
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
PHOTO_SIZE = (4000, 3000)
# At most this share of ImageMagick's time, and less memory.
TIME_TARGET = 0.5


def imagemagick():
    """ImageMagick's own convert program, or (None, why not). A script of the
    same name (a stand-in or wrapper earlier on PATH) is passed over: it would
    time itself too."""
    candidates = [shutil.which("magick"), shutil.which("convert-im6.q16"), "/usr/bin/convert",
                  shutil.which("convert")]
    passed_over = []
    for candidate in candidates:
        if not candidate or not os.path.isfile(candidate):
            continue
        program = os.path.realpath(candidate)
        with open(program, "rb") as f:
            if f.read(4) != b"\x7fELF":
                passed_over.append(candidate)
                continue
        result = subprocess.run([program, "-version"], capture_output=True, text=True)
        first = (result.stdout.splitlines() or [""])[0]
        if result.returncode == 0 and "ImageMagick" in first:
            version = first.split("ImageMagick", 1)[1].split()[0]
            return [program], "ImageMagick %s (%s)" % (version, program)
    why = "ImageMagick is not installed (no magick, and no /usr/bin/convert from the imagemagick package)"
    if passed_over:
        why += "; passed over %s, a script rather than ImageMagick" % ", ".join(passed_over)
    return None, why


def make_photo(command, width, height, path):
    subprocess.run(command + ["-size", "%dx%d" % (width, height), "-seed", "24", "plasma:fractal",
                              "-quality", "90", path], check=True)


def measure(command, cwd):
    """Seconds and peak resident memory (MiB) of one run of command."""
    start = time.perf_counter()
    process = subprocess.Popen(command, cwd=cwd, stdout=subprocess.DEVNULL,
                               stderr=subprocess.PIPE)
    _, status, usage = os.wait4(process.pid, 0)
    seconds = time.perf_counter() - start
    process.returncode = os.waitstatus_to_exitcode(status)
    errors = process.stderr.read().decode(errors="replace")
    process.stderr.close()
    if process.returncode != 0:
        sys.exit("bench: %s failed (%d): %s" % (command[0], process.returncode, errors.strip()))
    return seconds, usage.ru_maxrss / 1024.0


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--program", default=os.path.join(ROOT, "build", "convert", "pixmint-convert"))
    parser.add_argument("--runs", type=int, default=int(os.environ.get("PIXMINT_BENCH_RUNS", "5")))
    parser.add_argument("--make-photo", nargs=2, metavar=("WIDTHxHEIGHT", "PATH"))
    options = parser.parse_args()

    command, magick = imagemagick()
    if options.make_photo:
        if command is None:
            sys.exit("bench-convert.py: %s; it draws the photo" % magick)
        width, height = (int(n) for n in options.make_photo[0].split("x"))
        make_photo(command, width, height, options.make_photo[1])
        return 0

    print("pixmint-convert against ImageMagick")
    if command is None:
        print("  %s:" % magick)
        print("  nothing to compare with, and nothing to draw the photo; install the")
        print("  imagemagick package (tools/setup.sh does). The converter is not timed.")
        return 0

    scratch = tempfile.mkdtemp(prefix="pixmint-bench-")
    try:
        photo = os.path.join(scratch, "photo.jpg")
        make_photo(command, *PHOTO_SIZE, photo)
        ours = [options.program, "--logo", "--dither", photo, "logo.bin"]
        theirs = command + [photo, "-resize", "101x29!", "-dither", "FloydSteinberg",
                            "-monochrome", "logo.pbm"]
        figures = {"ours": [], "theirs": []}
        for _ in range(options.runs):
            figures["ours"].append(measure(ours, scratch))
            figures["theirs"].append(measure(theirs, scratch))
        photo_bytes = os.path.getsize(photo)
    finally:
        shutil.rmtree(scratch, ignore_errors=True)

    def medians(runs):
        return statistics.median(s for s, _ in runs), statistics.median(m for _, m in runs)

    our_time, our_memory = medians(figures["ours"])
    their_time, their_memory = medians(figures["theirs"])
    print("A %d-megapixel photo (%d x %d JPEG, %.1f MB, drawn by ImageMagick in this run)"
          % (round(PHOTO_SIZE[0] * PHOTO_SIZE[1] / 1e6), *PHOTO_SIZE, photo_bytes / 1e6))
    print("made into a dithered operator logo; medians of %d runs, wall-clock time." % options.runs)
    print()
    version = magick.split(" (")[0]
    print("%-32s %8s %10s" % ("", "time s", "peak MiB"))
    print("%-32s %8.2f %10.0f" % ("pixmint-convert (make convert)", our_time, our_memory))
    print("%-32s %8.2f %10.0f" % (version, their_time, their_memory))
    print("%-32s %8.2f %10.2f" % ("ratio", our_time / their_time, our_memory / their_memory))
    print()
    print("pixmint-convert: %s" % " ".join(ours).replace(photo, "photo.jpg"))
    print("%s: %s" % (version, " ".join(theirs).replace(photo, "photo.jpg")))
    met = our_time <= TIME_TARGET * their_time and our_memory < their_memory
    print()
    print("Target (at most %.1f of ImageMagick's time, less peak memory): %s"
          % (TIME_TARGET, "met" if met else "NOT MET"))
    return 0


if __name__ == "__main__":
    sys.exit(main())
