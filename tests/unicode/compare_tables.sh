#!/usr/bin/env bash
# Regenerates the Unicode tables and compares them with the committed source.
#   compare_tables.sh PYTHON SCRIPT UCD_DIR COMMITTED WORK_DIR
# Exits 77 (skipped) when the Unicode data is not installed.
set -euo pipefail
python=$1 script=$2 ucd=$3 committed=$4 work=$5
if [ ! -f "$ucd/UnicodeData.txt" ] || [ ! -f "$ucd/CaseFolding.txt" ]; then
  echo "no Unicode data in $ucd: skipped"
  exit 77
fi
rm -rf "$work"
mkdir -p "$work"
"$python" "$script" --ucd "$ucd" "$work/unicode_data.cc"
if ! cmp -s "$committed" "$work/unicode_data.cc"; then
  echo "the committed tables differ from the installed Unicode data:"
  diff "$committed" "$work/unicode_data.cc" | head -20
  exit 1
fi
