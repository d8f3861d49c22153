#!/usr/bin/env python3
"""Packs the built 32-bit programs into the release archive
DIST/pixmint-VERSION-win32.zip, writes DIST/SHA256SUMS beside it (the archive
and every file in it) and prints the archive's path, size and SHA-256.

    release-archive.py BUILD_DIR DIST_DIR

VERSION is the product version of the programs' version resources. The
archive is the same bytes for the same inputs: entries in a fixed order, all
with one date (1980-01-01, or SOURCE_DATE_EPOCH when set) and fixed
permissions, text files with CR LF line ends.
"""
import hashlib
import os
import sys
import time
import zipfile

import version_resource

SOURCE = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))

PROGRAMS = ["pixmint.exe", "pixmint-convert.exe"]
README = "docs/windows-readme.txt"

# Every licence text the programs need, in archive order: (name in the
# archive, where it comes from, what it covers). Paths are in the source tree
# or, for the toolchain's runtime, in its Debian packages.
LICENCES = [
    ("LICENCE.txt", "LICENCE", "Pixmint itself"),
    ("licences/mingw-w64.txt", "/usr/share/doc/mingw-w64-i686-dev/copyright",
     "the MinGW-w64 runtime (start-up code, C library additions) and winpthreads"),
    ("licences/gcc-runtime.txt", "/usr/share/doc/gcc-mingw-w64-i686-posix/copyright",
     "libgcc and libstdc++, under the GPL with the GCC Runtime Library Exception"),
    ("licences/GPL-3.txt", "/usr/share/common-licenses/GPL-3",
     "the GNU General Public License, version 3, that gcc-runtime.txt refers to"),
    ("licences/OFL.txt", "lettering/font/OFL.txt",
     "the bitmap font that pixmint-convert draws text with"),
]


def with_crlf(text):
    return text.replace(b"\r\n", b"\n").replace(b"\n", b"\r\n")


def entry_date():
    epoch = os.environ.get("SOURCE_DATE_EPOCH")
    if not epoch:
        return (1980, 1, 1, 0, 0, 0)
    return time.gmtime(max(int(epoch), 315532800))[:6]  # zip dates start in 1980


def licences():
    """The licence texts that apply: (name in the archive, bytes, what it covers)."""
    found = []
    for name, source, covers in LICENCES:
        with open(os.path.join(SOURCE, source), "rb") as text:
            found.append((name, with_crlf(text.read()), covers))
    return found


def release_version(build):
    """The product version both programs carry; they must agree."""
    versions = set()
    for program in PROGRAMS:
        with open(os.path.join(build, program), "rb") as image:
            info = version_resource.version_info(version_resource.Program(image.read()))
        if not info or not info.get("ProductVersion"):
            raise SystemExit(f"release-archive.py: {program} has no product version")
        versions.add(info["ProductVersion"])
    if len(versions) != 1:
        raise SystemExit(f"release-archive.py: the programs' versions differ: {sorted(versions)}")
    return versions.pop()


def readme(version, texts):
    with open(os.path.join(SOURCE, README), "rb") as template:
        text = template.read().decode("ascii")
    listed = "\n".join(f"  {name.replace('/', chr(92))}\n      {covers}"
                       for name, _, covers in texts[1:])
    text = text.replace("@VERSION@", version).replace("@LICENCES@", listed)
    return with_crlf(text.encode("ascii"))


def main(arguments):
    if len(arguments) != 2:
        print(__doc__.strip(), file=sys.stderr)
        return 2
    build, dist = arguments
    version = release_version(build)
    texts = licences()
    contents = []
    for program in PROGRAMS:
        with open(os.path.join(build, program), "rb") as image:
            contents.append((program, image.read(), 0o755))
    contents.append(("README.txt", readme(version, texts), 0o644))
    contents += [(name, data, 0o644) for name, data, _ in texts]

    os.makedirs(dist, exist_ok=True)
    archive = os.path.join(dist, f"pixmint-{version}-win32.zip")
    date = entry_date()
    # Written under a temporary name, so that a failure leaves no half archive.
    with zipfile.ZipFile(archive + ".part", "w") as zip_file:
        for name, data, mode in contents:
            entry = zipfile.ZipInfo(name, date_time=date)
            entry.compress_type = zipfile.ZIP_DEFLATED
            entry.create_system = 3  # Unix, so that the permissions below count
            entry.external_attr = (0o100000 | mode) << 16
            zip_file.writestr(entry, data, compresslevel=9)
    os.replace(archive + ".part", archive)

    with open(archive, "rb") as packed:
        packed = packed.read()
    sums = [(hashlib.sha256(packed).hexdigest(), os.path.basename(archive))]
    sums += [(hashlib.sha256(data).hexdigest(), name) for name, data, _ in contents]
    with open(os.path.join(dist, "SHA256SUMS"), "w", newline="\n") as listing:
        listing.writelines(f"{digest}  {name}\n" for digest, name in sums)

    print(archive)
    print(f"  size     {len(packed):,} bytes")
    print(f"  SHA-256  {sums[0][0]}")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
