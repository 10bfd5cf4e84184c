#!/usr/bin/env bash
# Packs the Windows release from a cross build's programs: the folder
# tarnwick-VERSION-windows/ and a zip of it, ready to copy onto Windows.
#
#   tools/pack-windows.sh CROSS_BIN_DIR OUT_DIR
#
# The folder holds tarnwick.exe, tarnwick-scan.exe and korvane-installer.exe
# (stripped), the runtime include PBTarnwickInc.pbi, a commented
# Yarrowkit.ini, the README and the engine's guide PBTarnwickInc.md, and the
# examples/ folder as it is in the source tree. It checks that the programs
# import nothing but system DLLs, so the folder is all a Windows machine
# needs. tools/make-release.sh and the wine test of the release both call it.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bin=$1
out_dir=$2

version=$(sed -n 's/^project(tarnwick VERSION \([0-9.]*\).*/\1/p' "$root/CMakeLists.txt")
name=tarnwick-${version:-0}-windows
out=$out_dir/$name
rm -rf "$out" "$out.zip"
mkdir -p "$out"
for exe in tarnwick.exe tarnwick-scan.exe korvane-installer.exe; do
  x86_64-w64-mingw32-strip -o "$out/$exe" "$bin/$exe"
done
cp "$root/runtime/PBTarnwickInc.pbi" "$out/"

# Texts for Notepad: Windows line ends, and the UTF-8 byte-order mark that
# tells older Notepads the encoding. The settings file is the commented
# template: with no Graphviz path set, "-pdf" renders nothing until the user
# names the program.
windows_text() { sed 's/\r*$/\r/' "$1"; }
windows_text "$root/generator/driver/Yarrowkit.ini.template" >"$out/Yarrowkit.ini"
# The README's links to the engine's guide point at its name in the folder.
{ printf '\xef\xbb\xbf' && sed 's#(runtime/README\.md)#(PBTarnwickInc.md)#g' "$root/README.md" |
  windows_text /dev/stdin; } >"$out/README.md"
{ printf '\xef\xbb\xbf' && windows_text "$root/runtime/README.md"; } >"$out/PBTarnwickInc.md"
# The examples keep their bytes: the 8-bit ones are Windows-1252 already, and
# what tarnwick makes of them must not depend on the system they are on.
cp -R "$root/examples" "$out/examples"

# Anything beyond the system DLLs would have to travel with the programs.
allowed='^(kernel32|user32|gdi32|comdlg32|msvcrt|advapi32|shell32|comctl32)\.dll$'
for exe in "$out"/*.exe; do
  x86_64-w64-mingw32-objdump -p "$exe" | sed -n 's/^[[:space:]]*DLL Name: //p' |
    while read -r dll; do
      if ! [[ ${dll,,} =~ $allowed ]]; then
        echo "$(basename "$exe") needs $dll, which Windows does not provide" >&2
        exit 1
      fi
    done
done

(cd "$out_dir" && zip -q -r -X "$name.zip" "$name")
echo "$out.zip"
