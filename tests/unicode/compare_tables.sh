#!/usr/bin/env bash
# Regenerates the Unicode tables and compares them with the committed source.
#   compare_tables.sh PYTHON SCRIPT UCD_DIR COMMITTED WORK_DIR
# Exits 77 (skipped) when the Unicode data is not installed, or when it is of
# another Unicode version than the committed tables: a newer system's data
# would differ everywhere without anything being wrong.
set -euo pipefail
python=$1 script=$2 ucd=$3 committed=$4 work=$5
if [ ! -f "$ucd/UnicodeData.txt" ] || [ ! -f "$ucd/CaseFolding.txt" ]; then
  echo "no Unicode data in $ucd: skipped"
  exit 77
fi
# The script takes the version from CaseFolding.txt's first line and writes
# it into UnicodeVersion() of the tables.
installed=$(sed -n '1s/^#[[:space:]]*CaseFolding-\([0-9.]*\)\.txt.*/\1/p' "$ucd/CaseFolding.txt")
tables=$(sed -n 's/.*UnicodeVersion() { return "\([0-9.]*\)"; }.*/\1/p' "$committed")
if [ "$installed" != "$tables" ]; then
  echo "the Unicode data in $ucd is version ${installed:-unknown}, the committed tables" \
    "are version ${tables:-unknown}: skipped"
  exit 77
fi
rm -rf "$work"
mkdir -p "$work"
"$python" "$script" --ucd "$ucd" "$work/unicode_data.cc"
if ! cmp -s "$committed" "$work/unicode_data.cc"; then
  echo "the committed tables differ from the installed Unicode data (version $installed):"
  # head ends the pipe early: diff's broken pipe is no failure of its own.
  diff "$committed" "$work/unicode_data.cc" | head -20 || true
  exit 1
fi
