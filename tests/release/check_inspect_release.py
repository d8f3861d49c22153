#!/usr/bin/env python3
"""The release inspection passes the built program and catches each fault it is
there for: every copy of the program with one fault patched in must fail, and first on
the matching check. With --console, the same for pixmint-convert.exe.

    check_inspect_release.py INSPECT_SCRIPT [--console] PROGRAM
"""
import os
import re
import shutil
import struct
import subprocess
import sys
import tempfile


sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "tools"))
from version_resource import Program  # noqa: E402  (the PE reader of the tools)


class Image(Program):
    """The program's bytes, open to patching, with the headers' places."""

    def __init__(self, data):
        super().__init__(bytearray(data))
        self.pe = struct.unpack_from("<I", data, 0x3C)[0]
        self.optional = self.pe + 24
        self.plus = struct.unpack_from("<H", data, self.optional)[0] == 0x20B

    def directory(self, index):
        at = self.optional + (112 if self.plus else 96) + 8 * index
        return struct.unpack_from("<I", self.data, at)[0]

    def text(self, rva):
        start = self.offset(rva)
        return bytes(self.data[start:self.data.index(0, start)])

    def imports(self):
        at = self.offset(self.directory(1))
        while struct.unpack_from("<I", self.data, at + 12)[0]:
            yield at
            at += 20

    def import_named(self, name):
        for descriptor in self.imports():
            if self.text(struct.unpack_from("<I", self.data, descriptor + 12)[0]).lower() == name:
                return descriptor
        raise KeyError(name)


def set_subsystem_console(image):
    struct.pack_into("<H", image.data, image.optional + 68, 3)


def import_foreign_dll(image):
    name = struct.unpack_from("<I", image.data, image.import_named(b"shell32.dll") + 12)[0]
    image.data[image.offset(name):image.offset(name) + 11] = b"WININET.dll"


def comctl32_ordinal_18(image):
    descriptor = image.import_named(b"comctl32.dll")
    width, flag = (8, 1 << 63) if image.plus else (4, 1 << 31)
    fmt = "<Q" if image.plus else "<I"
    for table in struct.unpack_from("<I", image.data, descriptor)[0], \
            struct.unpack_from("<I", image.data, descriptor + 16)[0]:
        at = image.offset(table)
        while struct.unpack_from(fmt, image.data, at)[0]:
            if struct.unpack_from(fmt, image.data, at)[0] == flag | 17:
                struct.pack_into(fmt, image.data, at, flag | 18)
            at += width


def replace_in_controls_identity(image, old, new):
    """Replaces old by new inside the manifest's common-controls assembly identity."""
    name = image.data.find(b"Microsoft.Windows.Common-Controls")
    start = image.data.rfind(b"<assemblyIdentity", 0, name)
    end = image.data.find(b">", name)
    at = image.data.find(old, start, end)
    assert start >= 0 and at >= 0 and len(old) == len(new), old
    image.data[at:at + len(old)] = new


def replace_in_manifest(old, new):
    """A fault that replaces old by new (of the same length) in the manifest."""
    def patch(image):
        at = image.data.find(old, image.data.find(b"<assembly"))
        assert at >= 0 and len(old) == len(new), old
        image.data[at:at + len(old)] = new
    return patch


def manifest_type_23(image):
    root = image.offset(image.directory(2))
    named, ids = struct.unpack_from("<HH", image.data, root + 12)
    for i in range(named + ids):
        at = root + 16 + 8 * i
        if struct.unpack_from("<I", image.data, at)[0] == 24:
            struct.pack_into("<I", image.data, at, 23)


def stamped_with_build_time(image):
    struct.pack_into("<I", image.data, image.pe + 8, 1765100000)


def fixed_version_differs(image):
    """The version resource's fixed minor number no longer matches its text."""
    at = image.data.find(struct.pack("<I", 0xFEEF04BD))
    file_ms = struct.unpack_from("<I", image.data, at + 8)[0]
    struct.pack_into("<I", image.data, at + 8, file_ms + 1)


def version_resource_gone(image):
    root = image.offset(image.directory(2))
    named, ids = struct.unpack_from("<HH", image.data, root + 12)
    for i in range(named + ids):
        at = root + 16 + 8 * i
        if struct.unpack_from("<I", image.data, at)[0] == 16:
            struct.pack_into("<I", image.data, at, 17)


def title_version_differs(image):
    """The last letter of the title's version, just before " by", becomes x."""
    at = image.data.find(" by Tovren".encode("utf-16-le"))
    assert at > 0
    image.data[at - 2:at] = "x".encode("utf-16-le")


def budget_of(script, plus, console):
    """The size budget for the program's kind, read from the inspection script's constants."""
    name = "size_budget_console" if console else "size_budget_64" if plus else "size_budget"
    return int(re.search(rf"^{name}=(\d+)$", open(script).read(), re.M).group(1))


def padded_to(size):
    """Appends zeros (data past the last section, which loaders ignore) up to size bytes."""
    return lambda image: image.data.extend(bytes(max(0, size - len(image.data))))


EDITOR_CHECKS = {"subsystem", "InitCommonControls", "common controls", "manifest processor",
                 "title version"}
# The settings both programs' manifests carry.
SETTINGS_FAULTS = [
    ("code page", replace_in_manifest(b">UTF-8<", b">UTF-7<")),
    ("display scaling", replace_in_manifest(b"PerMonitorV2,", b"PerMonitorV3,")),
    ("display scaling", replace_in_manifest(b">true/pm<", b">true/no<")),
    ("supported Windows", replace_in_manifest(b"{8e0f7a12", b"{8e0f7a13")),
]

FAULTS = [
    ("subsystem", set_subsystem_console),
    ("time stamp", stamped_with_build_time),
    ("imported DLLs", import_foreign_dll),
    ("InitCommonControls", comctl32_ordinal_18),
    ("manifest resource", manifest_type_23),
    ("common controls",
     lambda i: replace_in_controls_identity(i, b'version="6.0.0.0"', b'version="5.8.0.0"')),
    ("manifest processor",
     lambda i: replace_in_controls_identity(i, b'Architecture="amd64"', b'Architecture="arm64"')
     if i.plus else replace_in_controls_identity(i, b'Architecture="x86"', b'Architecture="ia6"')),
] + SETTINGS_FAULTS + [
    ("version resource", fixed_version_differs),
    ("version resource", version_resource_gone),
    ("title version", title_version_differs),
]


def inspect(script, program, console=False):
    run = subprocess.run([script] + (["--console"] if console else []) + [program],
                         capture_output=True, text=True)
    failed = [line[:22].strip() for line in run.stdout.splitlines() if line.endswith("FAILED")]
    return run.returncode, failed


def main():
    console = "--console" in sys.argv
    script, program = [argument for argument in sys.argv[1:] if argument != "--console"]
    problems = []
    status, failed = inspect(script, program, console)
    if status != 0 or failed:
        problems.append(f"the program itself fails: {failed}")
    original = open(program, "rb").read()
    budget = budget_of(script, Image(original).plus, console)
    # pixmint-convert has no common controls and no title, and is a console program.
    faults = [f for f in FAULTS if not console or f[0] not in EDITOR_CHECKS]
    faults = faults + [("size", padded_to(budget + 1))]
    with tempfile.TemporaryDirectory() as folder:
        copy = os.path.join(folder, "pixmint.exe")

        def inspect_patched(patch):
            image = Image(original)
            patch(image)
            open(copy, "wb").write(image.data)
            return inspect(script, copy, console)

        # A file of exactly the budget is still within it.
        status, failed = inspect_patched(padded_to(budget))
        if status != 0 or failed:
            problems.append(f"a file of exactly {budget} bytes fails: {failed}")
        for check, patch in faults:
            status, failed = inspect_patched(patch)
            # A missing manifest also leaves its contents unchecked; the first
            # failure must be the one the fault is about.
            if status == 0 or not failed or failed[0] != check:
                problems.append(f"fault for '{check}': exit {status}, failed checks {failed}")
    for problem in problems:
        print(problem)
    print(f"{len(faults) + 2 - len(problems)} of {len(faults) + 2} cases as expected")
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
