"""Encoders for the files the editor reads and writes, written separately from
the program's own code so that the end-to-end tests can build their inputs and
predict the bytes the editor must put on disk.

A picture here is a list of rows, each a list of 101 ints (1 ink, 0 background).
"""

import struct

WIDTH = 101
LOGO_HEIGHT = 29
SCREENSAVER_HEIGHT = 49
ROW_BYTES = 13

LOGO_HEADER = bytes([0xFF, 0xFF, 0x00, 0x00, 0x52, 0xF0, 0x50, 0xFF,
                     0x65, 0x1D, 0x01, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF])
SCREENSAVER_HEADER = bytes([0x00, 0x00, 0x65, 0x31, 0x01, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF])


def blank(height, value=0):
    return [[value] * WIDTH for _ in range(height)]


def pack_rows(picture):
    """Packs rows into 13 bytes each, leftmost column in the top bit."""
    out = bytearray()
    for row in picture:
        assert len(row) == WIDTH
        padded = list(row) + [0] * (ROW_BYTES * 8 - WIDTH)
        for k in range(ROW_BYTES):
            byte = 0
            for bit in range(8):
                if padded[8 * k + bit]:
                    byte |= 0x80 >> bit
            out.append(byte)
    return bytes(out)


def block_file(picture):
    """The block file for a 29-row (logo) or 49-row (screensaver) picture."""
    if len(picture) == LOGO_HEIGHT:
        return LOGO_HEADER + pack_rows(picture)
    assert len(picture) == SCREENSAVER_HEIGHT
    return SCREENSAVER_HEADER + pack_rows(picture)


def block_info_file(height):
    block_id = "5061" if height == LOGO_HEIGHT else "5201"
    lines = ["EEPROM block additional file.", "Phone HWid:", "131",
             "EEPROM BlockId:", block_id, "EEPROM BlockVer:", "3"]
    return "".join(line + "\r\n" for line in lines).encode("ascii")


def bmp_file(pixels, bits=24, top_down=False, rle=False, colour_table=False):
    """A Windows bitmap. pixels: rows of 1 (black) / 0 (white), top row first.
    bits: 24 (true colour), 8 or 1 (a palette of black, white). top_down
    stores the top row first (negative height); rle run-length encodes an
    8-bit one (RLE8); colour_table gives a 24-bit one a table it does not use."""
    height = len(pixels)
    width = len(pixels[0])
    if bits == 24:
        stride = (width * 3 + 3) & ~3
        palette = bytes([0, 0, 255, 0] * 4) if colour_table else b""
    else:
        assert bits in (1, 8)
        stride = ((width * bits + 31) // 32) * 4
        palette = bytes([0, 0, 0, 0, 255, 255, 255, 0])  # index 0 black, 1 white
    data = bytearray()
    for row in (pixels if top_down else reversed(pixels)):
        line = bytearray()
        if bits == 24:
            for value in row:
                line += b"\x00\x00\x00" if value else b"\xff\xff\xff"
        elif bits == 8:
            line += bytes(0 if value else 1 for value in row)
        else:
            for start in range(0, width, 8):
                byte = 0
                for bit, value in enumerate(row[start:start + 8]):
                    if not value:
                        byte |= 0x80 >> bit
                line.append(byte)
        if rle:
            assert bits == 8
            start = 0
            while start < width:  # runs of one index, then the end of the line
                end = start
                while end < width and end - start < 255 and line[end] == line[start]:
                    end += 1
                data += bytes([end - start, line[start]])
                start = end
            data += b"\x00\x00"
        else:
            data += line + bytes(stride - len(line))
    if rle:
        data += b"\x00\x01"
    offset = 14 + 40 + len(palette)
    header = struct.pack("<2sIHHI", b"BM", offset + len(data), 0, 0, offset)
    info = struct.pack("<IiiHHIIiiII", 40, width, -height if top_down else height, 1, bits,
                       1 if rle else 0, len(data), 2835, 2835, len(palette) // 4, 0)
    return header + info + palette + bytes(data)


def colour_bmp_file(colours, top_down=False):
    """A 24-bit Windows bitmap. colours: rows of (red, green, blue), top row
    first; stored bottom row first unless top_down."""
    height = len(colours)
    width = len(colours[0])
    stride = (width * 3 + 3) & ~3
    data = bytearray()
    for row in (colours if top_down else reversed(colours)):
        line = bytearray()
        for red, green, blue in row:
            line += bytes([blue, green, red])
        data += line + bytes(stride - len(line))
    offset = 14 + 40
    header = struct.pack("<2sIHHI", b"BM", offset + len(data), 0, 0, offset)
    info = struct.pack("<IiiHHIIiiII", 40, width, -height if top_down else height, 1, 24, 0,
                       len(data), 2835, 2835, 0, 0)
    return header + info + bytes(data)


def png_file(pixels):
    """An 8-bit RGBA PNG. pixels: rows of (red, green, blue, alpha) tuples,
    top row first."""
    import zlib

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))

    raw = b"".join(b"\x00" + bytes(v for pixel in row for v in pixel) for row in pixels)
    header = struct.pack(">IIBBBBB", len(pixels[0]), len(pixels), 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(raw))
            + chunk(b"IEND", b""))
