#!/usr/bin/env bash
# Builds tarnwick and runs it on the bundled calculator example: generates the
# scanner in console mode, shows the generated source, then tokenises the
# example input with the generated tables through tarnwick-scan. Installs
# the packages it needs first when they are missing (tools/install-packages.sh).
#   tools/demo.sh [BUILD_DIR]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
# The demo runs the programs from a scratch folder.
case $build in /*) ;; *) build=$PWD/$build ;; esac
"$root/tools/install-packages.sh" --demo
cmake -S "$root" -B "$build" >/dev/null
cmake --build "$build" -j"$(nproc)" --target tarnwick tarnwick-scan >/dev/null

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$root/examples/calc.lex" "$root/examples/calc.txt" "$work/"
cd "$work"
echo "\$ tarnwick calc.lex"
TARNWICK_UI=console "$build/generator/driver/tarnwick" calc.lex
echo
echo "--- calc.lex_lexerout.pbl (with PBTarnwickInc.pbi beside it) ---"
tr -d '\r' < calc.lex_lexerout.pbl
echo
echo "\$ tarnwick-scan calc.lex_lexerout.pbl calc.txt"
"$build/tools/tarnwick_scan/tarnwick-scan" calc.lex_lexerout.pbl calc.txt
