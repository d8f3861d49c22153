#!/bin/bash
# Inspects a built pixmint.exe without running it: PE kind and machine, GUI
# subsystem, a header time stamp of 0 (a build time would make every build
# differ), the DLLs it imports (only libraries every Windows has),
# InitCommonControls taken from COMCTL32 by ordinal 17, the application
# manifest asking for the version 6 common controls of the right processor,
# UTF-8 as the ANSI code page, awareness of the display scale per monitor and
# the Windows versions from Vista to 11, the version resource and the window
# title's version agreeing with it, and the file's size against the release's
# budget. Both programs may use COM (OLE32) for the imaging component. With
# --console it inspects pixmint-convert.exe instead: a console program, whose
# manifest has the same three settings but no common controls, and which has
# no title.
#
#   inspect-release.sh [--console] PATH      prints a table; exit status 1 on any failure
set -uo pipefail

tools=$(cd "$(dirname "$0")" && pwd)
console=0
if [ "${1:-}" = "--console" ]; then console=1; shift; fi
program=${1:?usage: inspect-release.sh [--console] PATH}
[ -f "$program" ] || { echo "inspect-release.sh: no such file: $program" >&2; exit 2; }

description=$(file -b "$program")
case "$description" in
  "PE32 executable"*"Intel 80386"*) triple=i686-w64-mingw32; magic=010b; arch=x86; arch_name=i386 ;;
  "PE32+ executable"*"x86-64"*) triple=x86_64-w64-mingw32; magic=020b; arch="amd64|\\*"; arch_name=x86-64 ;;
  *) echo "inspect-release.sh: not a Windows x86 or x64 program: $description" >&2; exit 1 ;;
esac
headers=$("$triple-objdump" -p "$program") || { echo "objdump failed on $program" >&2; exit 1; }

# The most the release may weigh: 128 KiB, statically linked, the image
# decoders with the checks that keep hostile images from reaching them (a walk
# of a PNG's compressed data among them: Windows has no inflater a program
# could ask) and the glyph table of Text... (34 KB of packed bits) included.
# The 64-bit build of the same sources is no release; its pointers, unwind
# tables and longer instructions take more room, and its budget is a quarter
# larger. pixmint-convert carries the same glyph table and is allowed 192 KiB.
size_budget=131072
size_budget_64=163840
size_budget_console=196608
budget=$size_budget
[ "$magic" = 020b ] && budget=$size_budget_64
[ "$console" = 1 ] && budget=$size_budget_console

failures=0
row() {  # row CHECK EXPECTED FOUND PASSED(0/1)
  local verdict=ok
  if [ "$4" != 1 ]; then verdict=FAILED; failures=$((failures + 1)); fi
  printf '%-22s %-34s %-34s %s\n' "$1" "$2" "$3" "$verdict"
}
is() { [ "$1" = "$2" ] && echo 1 || echo 0; }

printf '%-22s %-34s %-34s %s\n' check expected found result
found_magic=$(awk '$1 == "Magic" {print $2}' <<<"$headers")
row "PE kind" "$magic" "$found_magic ($(awk '{print $1}' <<<"$description"), $arch_name)" "$(is "$found_magic" "$magic")"

allowed="USER32.dll GDI32.dll COMDLG32.dll COMCTL32.dll SHELL32.dll IMAGEHLP.dll KERNEL32.dll ADVAPI32.dll OLE32.dll msvcrt.dll"
subsystem=$(awk '$1 == "Subsystem" {print $2 + 0}' <<<"$headers")
if [ "$console" = 1 ]; then
  row "subsystem" "3 (Windows console)" "$subsystem" "$(is "$subsystem" 3)"
else
  row "subsystem" "2 (Windows GUI)" "$subsystem" "$(is "$subsystem" 2)"
fi

# The COFF header's TimeDateStamp, 4 bytes after the PE signature.
pe_offset=$(od -An -tu4 -j 60 -N 4 "$program" | tr -d ' ')
stamp=$(od -An -tu4 -j $((pe_offset + 8)) -N 4 "$program" | tr -d ' ')
row "time stamp" "0 (no build time)" "$stamp" "$(is "$stamp" 0)"

dlls=$(awk '/DLL Name:/ {print $3}' <<<"$headers" | sort -uf)
strays=""
for dll in $dlls; do
  grep -qiw -- "$dll" <<<"$allowed" || strays="$strays $dll"
done
row "imported DLLs" "system DLLs and msvcrt only" "$(echo $dlls | tr ' ' ',')" "$(is "$strays" "")"
[ -z "$strays" ] || row "  not allowed" "none" "${strays# }" 0

if [ "$console" = 0 ]; then
# The COMCTL32 block lists each import as "thunk hint/ordinal name". An import
# by ordinal has no name and its thunk has the top bit set, with the ordinal in
# the low 16 bits (objdump prints the middle column differently for PE32+).
comctl=$(awk 'tolower($0) ~ /dll name: comctl32.dll/ {inside = 1; next}
              /DLL Name:/ {inside = 0}
              inside && NF >= 3 && $1 ~ /^[0-9a-f]+$/ {print $1, $NF}' <<<"$headers")
by_ordinal=0
while read -r thunk name; do
  [ -n "$thunk" ] || continue
  if [ "$name" = "<none>" ] && [ $(( 16#${thunk:0:1} & 8 )) -ne 0 ] && [ $(( 16#${thunk: -4} )) -eq 17 ]; then
    by_ordinal=$((by_ordinal + 1))
  fi
done <<<"$comctl"
by_name=$(grep -ci 'InitCommonControls' <<<"$comctl")
row "InitCommonControls" "COMCTL32 ordinal 17, no name" "ordinal 17: $by_ordinal, by name: $by_name" \
  "$([ "$by_ordinal" = 1 ] && [ "$by_name" = 0 ] && echo 1 || echo 0)"
fi

# The resource tree: type 24 (RT_MANIFEST) with the id 1 that process
# start-up reads.
manifest_entry=$(awk '/Resource Directory section/ {tree = 1}
                      tree && /Type Table/ {level = "type"}
                      tree && level == "type" && /Entry: ID: 0x000018/ {want = 1; next}
                      tree && level == "type" && /Entry: ID:/ {want = 0}
                      want && /Name Table/ {level = "name"; next}
                      want && level == "name" && /Entry: ID:/ {sub(",", "", $4); print $4; exit}' <<<"$headers")
row "manifest resource" "type 24, id 1" "${manifest_entry:-none}" "$(is "$manifest_entry" 0x000001)"

# The manifest's text, read from the resource leaf through the section table.
manifest=$(python3 - "$program" <<'PY'
import struct, sys
data = open(sys.argv[1], "rb").read()
pe = struct.unpack_from("<I", data, 0x3C)[0]
sections = struct.unpack_from("<H", data, pe + 6)[0]
optional_size = struct.unpack_from("<H", data, pe + 20)[0]
optional = pe + 24
pe32plus = struct.unpack_from("<H", data, optional)[0] == 0x20B
directories = optional + (112 if pe32plus else 96)
rsrc_rva = struct.unpack_from("<I", data, directories + 2 * 8)[0]
table = optional + optional_size
def offset(rva):
    for i in range(sections):
        s = table + 40 * i
        size, address, raw_size, raw = struct.unpack_from("<IIII", data, s + 8)
        if address <= rva < address + max(size, raw_size):
            return raw + rva - address
    raise SystemExit(1)
root = offset(rsrc_rva)
def entries(at):
    named, ids = struct.unpack_from("<HH", data, at + 12)
    for i in range(named + ids):
        yield struct.unpack_from("<II", data, at + 16 + 8 * i)
for type_id, type_ref in entries(root):
    if type_id != 24:
        continue
    for _, name_ref in entries(root + (type_ref & 0x7FFFFFFF)):
        for _, leaf in entries(root + (name_ref & 0x7FFFFFFF)):
            rva, size = struct.unpack_from("<II", data, root + leaf)
            start = offset(rva)
            sys.stdout.write(data[start:start + size].decode("utf-8", "replace"))
            raise SystemExit(0)
raise SystemExit(1)
PY
)
manifest=$(tr '\n' ' ' <<<"$manifest")
if [ "$console" = 0 ]; then
controls=$(grep -o '<assemblyIdentity[^>]*Microsoft.Windows.Common-Controls[^>]*>' <<<"$manifest" | head -1)
version=$(grep -o 'version="[^"]*"' <<<"$controls" | head -1 | cut -d'"' -f2)
processor=$(grep -o 'processorArchitecture="[^"]*"' <<<"$controls" | cut -d'"' -f2)
row "common controls" "6.0.0.0" "${version:-none}" "$(is "$version" 6.0.0.0)"
row "manifest processor" "$(tr -d '\\' <<<"$arch")" "${processor:-none}" \
  "$(grep -qxE "$arch" <<<"$processor" && echo 1 || echo 0)"
fi

# Both programs: settings that Windows reads only in their own namespaces.
setting() {  # setting ELEMENT NAMESPACE-YEAR: the element's text, trimmed
  grep -o "<$1 xmlns=\"http://schemas.microsoft.com/SMI/$2/WindowsSettings\">[^<]*</$1>" <<<"$manifest" |
    head -1 | sed 's/<[^>]*>//g; s/^ *//; s/ *$//'
}
codepage=$(setting activeCodePage 2019)
row "code page" "UTF-8" "${codepage:-none}" "$(is "$codepage" UTF-8)"
aware=$(setting dpiAware 2005)
awareness=$(setting dpiAwareness 2016)
row "display scaling" "true/pm; PerMonitorV2, PerMonitor" "${aware:-none}; ${awareness:-none}" \
  "$([ "$aware" = true/pm ] && [ "$awareness" = "PerMonitorV2, PerMonitor" ] && echo 1 || echo 0)"
# The supportedOS identifiers of Vista, 7, 8, 8.1 and 10 (which 11 shares).
systems=""
for named in Vista:e2011457-1546-43c5-a5fe-008deee3d3f0 7:35138b9a-5d96-4fbd-8e2d-a2440225f93a \
             8:4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38 8.1:1f676c76-80e1-4239-95bb-83d0f6d0da78 \
             10/11:8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a; do
  grep -qi "<supportedOS Id=\"{${named#*:}}\"" <<<"$manifest" && systems="$systems,${named%%:*}"
done
systems=${systems#,}
row "supported Windows" "Vista,7,8,8.1,10/11" "${systems:-none}" "$(is "$systems" "Vista,7,8,8.1,10/11")"

# The version resource: product name, description, copyright, one version
# text for file and product, and fixed numbers that are that text's numbers.
resource=$(python3 "$tools/version_resource.py" "$program" 2>&1)
field() { sed -n "s/^$1: //p" <<<"$resource"; }
release=$(field ProductVersion)
fixed=$(field "FileVersion (fixed)")
numbers=$(grep -oE '^[0-9]+\.[0-9]+' <<<"$release")
row "version resource" "Pixmint, version text = numbers" "${release:-none} (${fixed:-no numbers})" \
  "$([ -n "$release" ] && [ "$(field FileVersion)" = "$release" ] && [ "$(field ProductName)" = Pixmint ] &&
     [ -n "$(field FileDescription)" ] && [ -n "$(field LegalCopyright)" ] &&
     [ "$fixed" = "$numbers.0.0" ] && [ "$(field "ProductVersion (fixed)")" = "$fixed" ] && echo 1 || echo 0)"

if [ "$console" = 0 ]; then
  # The window title (string 103) names the very same version.
  title=$(python3 "$tools/version_resource.py" --string 103 "$program" 2>/dev/null)
  title_version=$(grep -oE '^Pixmint v[^ ]+' <<<"$title" | cut -c10-)
  row "title version" "Pixmint v${release:-?} ..." "${title_version:-none}" \
    "$([ -n "$release" ] && [ "$title_version" = "$release" ] && echo 1 || echo 0)"
fi

size=$(stat -c %s "$program")
row "size" "at most $budget bytes" "$size bytes" "$([ "$size" -le "$budget" ] && echo 1 || echo 0)"
if [ "$failures" -ne 0 ]; then
  echo "inspect-release.sh: $failures check(s) failed for $program" >&2
  exit 1
fi
