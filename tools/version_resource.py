#!/usr/bin/env python3
"""Reads a Windows program's resources without running it: the version
resource (what Explorer shows under the file's properties) and strings of the
string table.

    version_resource.py PROGRAM             the version resource, one "Name: value" a line
    version_resource.py --string ID PROGRAM string ID of the string table, in any language

The fixed part comes first, as "FileVersion (fixed): 1.4.0.0" and
"ProductVersion (fixed): 1.4.0.0", then the texts of every string block. The
exit status is 1 when the program has no such resource.
"""
import struct
import sys

RT_STRING = 6
RT_VERSION = 16
FIXED_SIGNATURE = 0xFEEF04BD


class Program:
    def __init__(self, data):
        self.data = data
        pe = struct.unpack_from("<I", data, 0x3C)[0]
        if data[pe:pe + 4] != b"PE\0\0":
            raise ValueError("not a PE file")
        self.count = struct.unpack_from("<H", data, pe + 6)[0]
        optional = pe + 24
        plus = struct.unpack_from("<H", data, optional)[0] == 0x20B
        self.sections = optional + struct.unpack_from("<H", data, pe + 20)[0]
        directories = optional + (112 if plus else 96)
        rva = struct.unpack_from("<I", data, directories + 2 * 8)[0]
        self.root = self.offset(rva) if rva else None

    def offset(self, rva):
        for i in range(self.count):
            s = self.sections + 40 * i
            size, address, raw_size, raw = struct.unpack_from("<IIII", self.data, s + 8)
            if address <= rva < address + max(size, raw_size):
                return raw + rva - address
        raise ValueError(f"address {rva:#x} is in no section")

    def entries(self, directory):
        named, ids = struct.unpack_from("<HH", self.data, directory + 12)
        for i in range(named + ids):
            name, target = struct.unpack_from("<II", self.data, directory + 16 + 8 * i)
            yield name, target

    def resource(self, kind, ident):
        """The bytes of resource kind/ident in its first language, or None."""
        if self.root is None:
            return None
        level = self.root
        for wanted in (kind, ident, None):
            for name, target in self.entries(level):
                if wanted is None or name == wanted:
                    level = self.root + (target & 0x7FFFFFFF)
                    break
            else:
                return None
        rva, size = struct.unpack_from("<II", self.data, level)
        start = self.offset(rva)
        return self.data[start:start + size]


def utf16_text(data, at):
    """The NUL-terminated UTF-16 text at `at`, and the offset after its NUL."""
    end = at
    while data[end:end + 2] != b"\0\0":
        end += 2
    return data[at:end].decode("utf-16-le"), end + 2


def aligned(at):
    return (at + 3) & ~3


def version_nodes(data, at=0):
    """Walks a version resource's tree: yields (key, value bytes, is_text) per node."""
    length, value_length, is_text = struct.unpack_from("<HHH", data, at)
    key, after_key = utf16_text(data, at + 6)
    value_at = aligned(after_key)
    value_size = value_length * 2 if is_text else value_length
    yield key, data[value_at:value_at + value_size], is_text
    child = aligned(value_at + value_size)
    while child < at + length:
        child_length = struct.unpack_from("<H", data, child)[0]
        if child_length == 0:
            break
        yield from version_nodes(data, child)
        child = aligned(child + child_length)


def version_info(program):
    """The version resource as an ordered dict of names and texts, or None."""
    data = program.resource(RT_VERSION, 1)
    if data is None:
        return None
    nodes = list(version_nodes(data))
    key, fixed, _ = nodes[0]
    if key != "VS_VERSION_INFO" or len(fixed) < 52 or \
            struct.unpack_from("<I", fixed)[0] != FIXED_SIGNATURE:
        raise ValueError("the version resource has no fixed file information")
    file_ms, file_ls, product_ms, product_ls = struct.unpack_from("<IIII", fixed, 8)

    def numbers(ms, ls):
        return f"{ms >> 16}.{ms & 0xFFFF}.{ls >> 16}.{ls & 0xFFFF}"

    info = {"FileVersion (fixed)": numbers(file_ms, file_ls),
            "ProductVersion (fixed)": numbers(product_ms, product_ls)}
    for key, value, is_text in nodes[1:]:
        if is_text and value:
            info[key] = value.decode("utf-16-le").rstrip("\0")
    return info


def string(program, ident):
    """String ident of the string table (block ident // 16 + 1), or None."""
    block = program.resource(RT_STRING, ident // 16 + 1)
    if block is None:
        return None
    at = 0
    for _ in range(ident % 16):
        at += 2 + 2 * struct.unpack_from("<H", block, at)[0]
    size = struct.unpack_from("<H", block, at)[0]
    return block[at + 2:at + 2 + 2 * size].decode("utf-16-le") if size else None


def main(arguments):
    if len(arguments) == 3 and arguments[0] == "--string":
        text = string(Program(open(arguments[2], "rb").read()), int(arguments[1]))
        if text is None:
            return 1
        print(text)
        return 0
    if len(arguments) != 1:
        print(__doc__.strip(), file=sys.stderr)
        return 2
    info = version_info(Program(open(arguments[0], "rb").read()))
    if info is None:
        return 1
    for name, value in info.items():
        print(f"{name}: {value}")
    return 0


if __name__ == "__main__":
    try:
        sys.exit(main(sys.argv[1:]))
    except (OSError, ValueError, struct.error, UnicodeDecodeError) as problem:
        print(f"version_resource.py: {problem}", file=sys.stderr)
        sys.exit(1)
