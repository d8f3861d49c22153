#!/usr/bin/env python3
"""Builds res/pixmint.ico from the pixel maps res/icon/pixmint-16.txt and
res/icon/pixmint-32.txt. The output depends only on the maps, byte for byte.

Each image is stored as a 16-colour bitmap with its transparency mask, the
form every version of Windows reads.

    tools/make-icon.py            writes res/pixmint.ico
    tools/make-icon.py --check    exits 1 when res/pixmint.ico is out of date
"""
import os
import struct
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
MAPS = [os.path.join(ROOT, "res", "icon", "pixmint-%d.txt" % n) for n in (16, 32)]
OUTPUT = os.path.join(ROOT, "res", "pixmint.ico")

# Map characters to palette entries (red, green, blue). Transparent pixels use
# entry 0 and are masked out.
PALETTE = [
    (".", (0, 0, 0)),
    ("K", (0, 0, 0)),
    ("D", (64, 64, 72)),
    ("G", (128, 128, 136)),
    ("L", (192, 192, 200)),
    ("Y", (253, 218, 111)),
]


def read_map(path):
    rows = []
    with open(path, encoding="ascii") as f:
        for line in f:
            line = line.rstrip("\n")
            if line.startswith("#") or not line:
                continue
            rows.append(line)
    size = len(rows)
    for row in rows:
        if len(row) != size:
            sys.exit("%s: every row must be %d pixels wide" % (path, size))
    return rows


def padded(data):
    return data + b"\0" * (-len(data) % 4)


def image_bytes(rows):
    size = len(rows)
    index = {c: i for i, (c, _) in enumerate(PALETTE)}
    header = struct.pack("<IiiHHIIiiII", 40, size, 2 * size, 1, 4, 0, 0, 0, 0, 16, 0)
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for _, (r, g, b) in PALETTE)
    palette += b"\0" * (4 * (16 - len(PALETTE)))
    colour = b""
    mask = b""
    for row in reversed(rows):  # bitmaps are stored bottom row first
        try:
            indices = [index[c] for c in row]
        except KeyError as error:
            sys.exit("unknown pixel character %s" % error)
        colour += padded(bytes((indices[i] << 4) | indices[i + 1] for i in range(0, size, 2)))
        bits = 0
        mask_row = b""
        for i, c in enumerate(row):
            bits = (bits << 1) | (1 if c == "." else 0)
            if i % 8 == 7:
                mask_row += bytes([bits])
                bits = 0
        mask += padded(mask_row)
    return header + palette + colour + mask


def build():
    images = [(len(rows), image_bytes(rows)) for rows in map(read_map, MAPS)]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, data in images:
        out += struct.pack("<BBBBHHII", size, size, 16, 0, 1, 4, len(data), offset)
        offset += len(data)
    return out + b"".join(data for _, data in images)


def main():
    data = build()
    if sys.argv[1:] == ["--check"]:
        with open(OUTPUT, "rb") as f:
            sys.exit(0 if f.read() == data else 1)
    with open(OUTPUT, "wb") as f:
        f.write(data)


if __name__ == "__main__":
    main()
