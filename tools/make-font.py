#!/usr/bin/env python3
"""Builds lettering/font/TerminusTable.cpp, the glyph table that pixmint-convert
draws --text with, and lettering/font/OFL.txt, the font's licence, from the
Terminus bitmap font of Debian's fonts-terminus-otb package. The output
depends only on the font files and the package's copyright file.

    tools/make-font.py            writes both files
    tools/make-font.py --check    exits 1 when either is out of date

The font files are OpenType bitmap fonts: their bitmaps live in the EBLC
(where each glyph's bits are) and EBDT (the bits) tables, read here directly.
The table holds printable ASCII and Latin-1 (0x20-0x7E, 0xA0-0xFF), normal
and bold, at every pixel height the files hold.

Packing: each glyph has five numbers - its advance, then the left column, top
row (from the top of the line, which is the ascent above the baseline), width
and height of its inked cells. A strike stores, for each number, the smallest
value its glyphs have and the bits that the difference from it takes; a glyph
stores the differences, then its inked rows, each width bits. Every row after
the first starts with one bit: 1 repeats the row above, 0 is followed by the
row's own bits. Bits run from the most significant bit of each byte on; a
glyph starts right after the one before it.
"""
import os
import struct
import subprocess
import sys
import textwrap

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
FONT_DIR = "/usr/share/fonts/opentype/terminus"
FACES = [("normal", "terminus-normal.otb"), ("bold", "terminus-bold.otb")]
COPYRIGHT_FILE = "/usr/share/doc/fonts-terminus-otb/copyright"
PACKAGE = "fonts-terminus-otb"
TABLE = os.path.join(ROOT, "lettering", "font", "TerminusTable.cpp")
LICENCE = os.path.join(ROOT, "lettering", "font", "OFL.txt")
CODES = list(range(0x20, 0x7F)) + list(range(0xA0, 0x100))
SIZES = [12, 14, 16, 18, 20, 22, 24, 28, 32]
FIELDS = 5


class FontFile:
    def __init__(self, path):
        with open(path, "rb") as f:
            self.data = f.read()
        count = struct.unpack_from(">H", self.data, 4)[0]
        self.tables = {}
        for i in range(count):
            tag, _, offset, length = struct.unpack_from(">4sIII", self.data, 12 + 16 * i)
            self.tables[tag.decode("latin-1")] = (offset, length)
        for tag in ("cmap", "EBLC", "EBDT", "name"):
            if tag not in self.tables:
                sys.exit("%s: no %s table" % (path, tag))
        self.path = path

    def table(self, tag):
        offset, length = self.tables[tag]
        return self.data[offset:offset + length]

    def name(self, name_id):
        data = self.table("name")
        _, count, strings = struct.unpack_from(">HHH", data, 0)
        for i in range(count):
            platform, _, _, nid, length, offset = struct.unpack_from(">6H", data, 6 + 12 * i)
            if nid == name_id:
                raw = data[strings + offset:strings + offset + length]
                return raw.decode("utf-16-be" if platform in (0, 3) else "latin-1").strip()
        return ""

    def character_map(self):
        """Code point -> glyph index, from a Unicode format 4 or 12 subtable."""
        data = self.table("cmap")
        count = struct.unpack_from(">H", data, 2)[0]
        best = None
        for i in range(count):
            platform, encoding, offset = struct.unpack_from(">HHI", data, 4 + 8 * i)
            fmt = struct.unpack_from(">H", data, offset)[0]
            if (platform == 3 and encoding in (1, 10)) or platform == 0:
                if fmt in (4, 12) and (best is None or fmt > best[0]):
                    best = (fmt, offset)
        if best is None:
            sys.exit("%s: no Unicode character map" % self.path)
        fmt, offset = best
        result = {}
        if fmt == 4:
            segments = struct.unpack_from(">H", data, offset + 6)[0] // 2
            ends = offset + 14
            starts = ends + 2 * segments + 2
            deltas = starts + 2 * segments
            ranges = deltas + 2 * segments
            for s in range(segments):
                end = struct.unpack_from(">H", data, ends + 2 * s)[0]
                start = struct.unpack_from(">H", data, starts + 2 * s)[0]
                delta = struct.unpack_from(">h", data, deltas + 2 * s)[0]
                range_offset = struct.unpack_from(">H", data, ranges + 2 * s)[0]
                for code in range(start, end + 1):
                    if code == 0xFFFF:
                        continue
                    if range_offset == 0:
                        glyph = (code + delta) & 0xFFFF
                    else:
                        at = ranges + 2 * s + range_offset + 2 * (code - start)
                        glyph = struct.unpack_from(">H", data, at)[0]
                        glyph = (glyph + delta) & 0xFFFF if glyph else 0
                    if glyph:
                        result[code] = glyph
        else:
            groups = struct.unpack_from(">I", data, offset + 12)[0]
            for g in range(groups):
                start, end, glyph = struct.unpack_from(">III", data, offset + 16 + 12 * g)
                for code in range(start, end + 1):
                    result[code] = glyph + code - start
        return result

    def strikes(self):
        """ppem -> (ascent, descent, {glyph index: (advance, bearing x, bearing y,
        width, height, rows as lists of 0/1)})."""
        eblc, ebdt = self.table("EBLC"), self.table("EBDT")
        result = {}
        for s in range(struct.unpack_from(">I", eblc, 4)[0]):
            at = 8 + 48 * s
            array_offset, _, subtables = struct.unpack_from(">III", eblc, at)
            ascent, descent = struct.unpack_from(">bb", eblc, at + 16)
            ppem_x, ppem_y, depth = struct.unpack_from(">BBB", eblc, at + 44)
            if depth != 1:
                sys.exit("%s: strike %d has %d bits a pixel" % (self.path, ppem_y, depth))
            glyphs = {}
            for t in range(subtables):
                first, last, extra = struct.unpack_from(">HHI", eblc, array_offset + 8 * t)
                sub = array_offset + extra
                index_format, image_format, image_offset = struct.unpack_from(">HHI", eblc, sub)
                for glyph, start, end, metrics in self.locations(
                        eblc, sub + 8, index_format, first, last):
                    glyphs[glyph] = self.image(ebdt, image_offset + start, end - start,
                                               image_format, metrics)
            result[ppem_y] = (ascent, -descent, glyphs)
        return result

    def locations(self, eblc, at, index_format, first, last):
        """(glyph, start, end, big metrics or None) for each glyph of an index subtable."""
        if index_format in (1, 3):
            size, code = (4, ">I") if index_format == 1 else (2, ">H")
            offsets = [struct.unpack_from(code, eblc, at + size * i)[0]
                       for i in range(last - first + 2)]
            for i in range(last - first + 1):
                if offsets[i + 1] > offsets[i]:
                    yield first + i, offsets[i], offsets[i + 1], None
        elif index_format in (2, 5):
            image_size = struct.unpack_from(">I", eblc, at)[0]
            metrics = struct.unpack_from(">BBbbBbbB", eblc, at + 4)
            if index_format == 2:
                glyphs = range(first, last + 1)
            else:
                count = struct.unpack_from(">I", eblc, at + 12)[0]
                glyphs = struct.unpack_from(">%dH" % count, eblc, at + 16)
            for i, glyph in enumerate(glyphs):
                yield glyph, i * image_size, (i + 1) * image_size, metrics
        elif index_format == 4:
            count = struct.unpack_from(">I", eblc, at)[0]
            pairs = [struct.unpack_from(">HH", eblc, at + 4 + 4 * i) for i in range(count + 1)]
            for i in range(count):
                yield pairs[i][0], pairs[i][1], pairs[i + 1][1], None
        else:
            sys.exit("%s: index subtable format %d is not supported" % (self.path, index_format))

    def image(self, ebdt, at, length, image_format, metrics):
        if image_format in (1, 2):
            height, width, bearing_x, bearing_y, advance = struct.unpack_from(">BBbbB", ebdt, at)
            at += 5
        elif image_format in (6, 7):
            height, width, bearing_x, bearing_y, advance = struct.unpack_from(">BBbbB", ebdt, at)
            at += 8
        elif image_format == 5:
            height, width, bearing_x, bearing_y, advance = metrics[:5]
        else:
            sys.exit("%s: image format %d is not supported" % (self.path, image_format))
        bits = []
        if image_format in (1, 6):  # rows padded to whole bytes
            stride = (width + 7) // 8
            for y in range(height):
                row = ebdt[at + y * stride:at + (y + 1) * stride]
                bits.append([(row[x // 8] >> (7 - x % 8)) & 1 for x in range(width)])
        else:  # rows follow each other bit by bit
            for y in range(height):
                bits.append([(ebdt[at + (y * width + x) // 8] >> (7 - (y * width + x) % 8)) & 1
                             for x in range(width)])
        return advance, bearing_x, bearing_y, width, height, bits


class BitWriter:
    def __init__(self):
        self.out = bytearray()
        self.count = 0

    def put(self, value, bits):
        for i in reversed(range(bits)):
            if self.count % 8 == 0:
                self.out.append(0)
            if (value >> i) & 1:
                self.out[-1] |= 0x80 >> (self.count % 8)
            self.count += 1


def glyph_numbers(ascent, glyph):
    """The five numbers of a glyph, and its inked rows."""
    advance, bearing_x, bearing_y, width, height, rows = glyph
    ink = [(x, y) for y in range(height) for x in range(width) if rows[y][x]]
    if ink:
        left = min(x for x, _ in ink)
        right = max(x for x, _ in ink)
        top = min(y for _, y in ink)
        bottom = max(y for _, y in ink)
    else:
        left, right, top, bottom = 0, -1, 0, -1
    numbers = (advance, bearing_x + left, ascent - bearing_y + top, right - left + 1,
               bottom - top + 1)
    if min(numbers) < 0:
        sys.exit("a glyph reaches left of its pen position or above its line")
    return numbers, [rows[y][left:right + 1] for y in range(top, bottom + 1)]


def pack_strike(writer, ascent, glyphs):
    """Packs the glyphs; returns the smallest value of each number and its bits."""
    packed = [glyph_numbers(ascent, glyph) for glyph in glyphs]
    bases = [min(numbers[k] for numbers, _ in packed) for k in range(FIELDS)]
    bits = [(max(numbers[k] for numbers, _ in packed) - bases[k]).bit_length()
            for k in range(FIELDS)]
    for numbers, rows in packed:
        for k in range(FIELDS):
            writer.put(numbers[k] - bases[k], bits[k])
        previous = None
        for row in rows:
            if previous is not None:
                writer.put(1 if row == previous else 0, 1)
                if row == previous:
                    continue
            for bit in row:
                writer.put(bit, 1)
            previous = row
    return bases, bits


def package_version():
    try:
        version = subprocess.run(["dpkg-query", "-W", "-f=${Version}", PACKAGE],
                                 capture_output=True, text=True, check=True).stdout
    except (OSError, subprocess.CalledProcessError):
        sys.exit("%s is not installed (tools/setup.sh installs it)" % PACKAGE)
    return version.split("-")[0]


def licence_text(copyright_line):
    with open(COPYRIGHT_FILE, encoding="utf-8") as f:
        lines = f.read().splitlines()
    start = next(i for i, line in enumerate(lines) if "SIL OPEN FONT LICENSE" in line) - 1
    end = next(i for i in range(start, len(lines)) if lines[i].startswith("====="))
    body = [line.rstrip() for line in lines[start:end]]
    while body and not body[-1]:
        body.pop()
    return "\n".join([copyright_line + ",", 'with Reserved Font Name "Terminus Font".', ""] +
                     body) + "\n"


def build():
    writer = BitWriter()
    strikes = []
    names = []
    for face, file_name in FACES:
        font = FontFile(os.path.join(FONT_DIR, file_name))
        characters = font.character_map()
        by_size = font.strikes()
        if sorted(by_size) != SIZES:
            sys.exit("%s holds the sizes %s, not %s" % (file_name, sorted(by_size), SIZES))
        names.append((face, file_name, font.name(5), font.name(0), font.name(13) or ""))
        for size in SIZES:
            ascent, descent, glyphs = by_size[size]
            if ascent + descent != size:
                sys.exit("%s: size %d has ascent %d and descent %d" % (file_name, size, ascent,
                                                                      descent))
            offset = writer.count
            for code in CODES:
                glyph = characters.get(code)
                if glyph is None or glyph not in glyphs:
                    sys.exit("%s: no glyph for U+%04X at size %d" % (file_name, code, size))
            bases, bits = pack_strike(writer, ascent, [glyphs[characters[c]] for c in CODES])
            strikes.append((face, size, ascent, bases, bits, offset))

    version = package_version()
    copyright_line = names[0][3]
    about = ("Terminus Font %s, from Debian's %s (%s, \"%s\"), %s, licensed under the SIL "
             "Open Font License, Version 1.1: see OFL.txt beside this file. Glyphs 0x20-0x7E "
             "and 0xA0-0xFF at %s pixels, normal and bold." % (
                 version, PACKAGE, " and ".join(f for _, f, _, _, _ in names), names[0][2],
                 copyright_line, ", ".join(str(s) for s in SIZES)))
    lines = ["// Generated by tools/make-font.py; do not edit.", "//"]
    lines += ["// " + line for line in textwrap.wrap(about, 77)]
    lines += [
        "",
        "#include \"lettering/font/TerminusTable.h\"",
        "",
        "const FontStrike kFontStrikes[kFontFaces][kFontSizeCount] = {",
    ]
    for f, (face, _) in enumerate(FACES):
        lines.append("    { // %s" % face)
        for name, size, ascent, bases, bits, offset in strikes:
            if name == face:
                lines.append("        {%d, %d, {%s}, {%s}, %d}," % (
                    size, ascent, ", ".join(map(str, bases)), ", ".join(map(str, bits)), offset))
        lines.append("    },")
    lines.append("};")
    lines.append("")
    lines.append("const uint8_t kFontBits[%d] = {" % len(writer.out))
    for i in range(0, len(writer.out), 16):
        lines.append("    " + ", ".join("0x%02x" % b for b in writer.out[i:i + 16]) + ",")
    lines.append("};")
    return "\n".join(lines) + "\n", licence_text(copyright_line)


def main():
    table, licence = build()
    outputs = [(TABLE, table), (LICENCE, licence)]
    if sys.argv[1:] == ["--check"]:
        for path, text in outputs:
            try:
                with open(path, encoding="utf-8") as f:
                    current = f.read()
            except OSError:
                current = None
            if current != text:
                sys.exit("%s is out of date: run tools/make-font.py" % os.path.relpath(path, ROOT))
        return
    for path, text in outputs:
        with open(path, "w", encoding="utf-8") as f:
            f.write(text)


if __name__ == "__main__":
    main()
