#!/usr/bin/env bash
# The Windows release as a user gets it: tools/pack-windows.sh packs the
# cross build's programs, the zip is unpacked into a fresh folder, and the
# unpacked tarnwick.exe and tarnwick-scan.exe run under wine on the
# calculator example from the unpacked examples/ folder. The scanner, the
# include placed beside it and the tokens must equal the Linux programs'.
# The texts for Notepad must have Windows line ends throughout.
#
#   release.sh WINE_STATE CROSS_BIN LINUX_TARNWICK LINUX_SCAN WORK
set -euo pipefail
state=$1
cross_bin=$2
linux_tarnwick=$3
linux_scan=$4
work=$5
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
fail() {
  echo "FAIL: $*" >&2
  exit 1
}
if ! command -v zip >/dev/null; then
  echo "zip is missing: release test skipped"
  exit 77
fi

rm -rf "$work"
mkdir -p "$work/packed" "$work/unpacked" "$work/windows" "$work/linux"
zip=$("$root/tools/pack-windows.sh" "$cross_bin" "$work/packed") || fail "packing failed"
(cd "$work/unpacked" && cmake -E tar xf "$zip") || fail "the zip does not unpack"
folder=$work/unpacked/$(basename "$zip" .zip)

for file in tarnwick.exe tarnwick-scan.exe korvane-installer.exe PBTarnwickInc.pbi Yarrowkit.ini \
  README.md PBTarnwickInc.md examples/calc.lex examples/calc.txt; do
  [ -f "$folder/$file" ] || fail "the zip lacks $file"
done
for text in Yarrowkit.ini README.md PBTarnwickInc.md; do
  lines=$(wc -l <"$folder/$text")
  [ "$lines" -gt 0 ] && [ "$(grep -c $'\r$' "$folder/$text")" = "$lines" ] ||
    fail "$text has lines without a Windows line end"
done
grep -q '(runtime/README\.md)' "$folder/README.md" && fail "the README links to a guide the zip has under another name"
(cd "$root/examples" && find . -type f | LC_ALL=C sort) >"$work/examples.source"
(cd "$folder/examples" && find . -type f | LC_ALL=C sort) >"$work/examples.zip"
diff "$work/examples.source" "$work/examples.zip" || fail "the zip's examples differ from examples/"

for side in windows linux; do
  cp "$folder/examples/calc.lex" "$folder/examples/calc.txt" "$work/$side/"
done
(cd "$work/windows" && "$here/wine-run.sh" "$state" env TARNWICK_UI=console \
  wine "$folder/tarnwick.exe" calc.lex >../windows-generate.log 2>&1) ||
  fail "the unpacked tarnwick.exe failed: $(cat "$work/windows-generate.log")"
(cd "$work/windows" && "$here/wine-run.sh" "$state" \
  wine "$folder/tarnwick-scan.exe" calc.lex_lexerout.pbl calc.txt >../windows-scan.raw 2>&1) ||
  fail "the unpacked tarnwick-scan.exe failed: $(cat "$work/windows-scan.raw")"
(cd "$work/linux" && TARNWICK_UI=console "$linux_tarnwick" calc.lex >/dev/null &&
  "$linux_scan" calc.lex_lexerout.pbl calc.txt >../linux-scan.txt) || fail "the Linux programs failed"

for file in calc.lex_lexerout.pbl PBTarnwickInc.pbi; do
  cmp "$work/windows/$file" "$work/linux/$file" || fail "$file differs from the Linux program's"
done
# A Windows console program writes text-mode line ends.
tr -d '\r' <"$work/windows-scan.raw" >"$work/windows-scan.txt"
[ -s "$work/linux-scan.txt" ] || fail "the Linux tarnwick-scan printed nothing"
cmp "$work/windows-scan.txt" "$work/linux-scan.txt" ||
  fail "the tokens differ: $(diff "$work/linux-scan.txt" "$work/windows-scan.txt")"
echo "ok: the unpacked release generates and scans the calculator example like the Linux build"
