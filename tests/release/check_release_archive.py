#!/usr/bin/env python3
"""The release archive holds what a Windows user needs and says what it is: the
two programs, README.txt with CR LF line ends, the licences that README.txt
lists, one entry date; the programs carry the version in the archive's name,
and SHA256SUMS matches the archive and every file in it.

    check_release_archive.py DIST_DIR
"""
import glob
import hashlib
import os
import re
import sys
import zipfile

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "..", "tools"))
import version_resource  # noqa: E402


def problems_of(dist):
    archives = glob.glob(os.path.join(dist, "pixmint-*-win32.zip"))
    if len(archives) != 1:
        return [f"expected one archive in {dist}, found {archives}"]
    archive = archives[0]
    version = re.fullmatch(r"pixmint-(.+)-win32\.zip", os.path.basename(archive)).group(1)
    problems = []
    with zipfile.ZipFile(archive) as packed:
        entries = packed.infolist()
        names = [entry.filename for entry in entries]
        files = {name: packed.read(name) for name in names}

    if names[:4] != ["pixmint.exe", "pixmint-convert.exe", "README.txt", "LICENCE.txt"]:
        problems.append(f"the archive begins with {names[:4]}")
    licences = [name for name in names[4:] if name.startswith("licences/") and files[name]]
    if licences != names[4:] or not licences:
        problems.append(f"entries besides the programs, README and licences: {names[4:]}")
    if len({entry.date_time for entry in entries}) != 1:
        problems.append("the entries carry different dates")

    readme = files.get("README.txt", b"")
    if readme.count(b"\n") != readme.count(b"\r\n") or not readme.endswith(b"\r\n"):
        problems.append("README.txt has lines that do not end in CR LF")
    if f"Pixmint {version} for Windows".encode() not in readme or b"@" in readme:
        problems.append("README.txt does not name the version, or keeps a placeholder")
    listed = re.findall(rb"^  (licences\\\S+)\r$", readme, re.M)
    if [name.decode().replace("\\", "/") for name in listed] != licences:
        problems.append(f"README.txt lists {listed}, the archive holds {licences}")

    for program in ("pixmint.exe", "pixmint-convert.exe"):
        info = version_resource.version_info(version_resource.Program(files.get(program, b"")))
        if not info or info.get("ProductVersion") != version or info.get("FileVersion") != version:
            problems.append(f"{program}'s version resource does not say {version}: {info}")

    with open(archive, "rb") as whole:
        expected = [(hashlib.sha256(whole.read()).hexdigest(), os.path.basename(archive))]
    expected += [(hashlib.sha256(files[name]).hexdigest(), name) for name in names]
    with open(os.path.join(dist, "SHA256SUMS")) as listing:
        sums = [tuple(line.rstrip("\n").split("  ", 1)) for line in listing]
    if sums != expected:
        problems.append("SHA256SUMS does not match the archive and its files")
    return problems


def main():
    problems = problems_of(sys.argv[1])
    for problem in problems:
        print(problem)
    print("the archive's contents: " + ("as expected" if not problems else "FAILED"))
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
