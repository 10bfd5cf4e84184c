#!/usr/bin/env bash
# compare_tables.sh on made-up Unicode data folders: missing data and data of
# another version are skipped (77) naming what was found; data of the
# committed version that gives other tables fails.
#   compare_tables_test.sh PYTHON SCRIPT COMPARE_SCRIPT COMMITTED WORK_DIR
set -euo pipefail
python=$1 script=$2 compare=$3 committed=$4 work=$5
committed_version=$(sed -n 's/.*UnicodeVersion() { return "\([0-9.]*\)"; }.*/\1/p' "$committed")
rm -rf "$work"
failures=0

# make_ucd DIR VERSION: one letter and its folding, of that version.
make_ucd() {
  mkdir -p "$1"
  echo '0041;LATIN CAPITAL LETTER A;Lu;0;L;;;;;N;;;;0061;' >"$1/UnicodeData.txt"
  printf '# CaseFolding-%s.txt\n0041; C; 0061; # LATIN CAPITAL LETTER A\n' "$2" >"$1/CaseFolding.txt"
}
mkdir -p "$work/empty"
make_ucd "$work/newer" 99.1.0
make_ucd "$work/same" "$committed_version"

# folder | expected status | expected text in the output
while IFS='|' read -r folder status text; do
  set +e
  out=$("$compare" "$python" "$script" "$work/$folder" "$committed" "$work/out-$folder" 2>&1)
  got=$?
  set -e
  if [ "$got" != "$status" ] || [[ $out != *"$text"* ]]; then
    echo "FAIL: $folder: status $got (want $status), output: $out"
    failures=$((failures + 1))
  fi
done <<EOF2
empty|77|no Unicode data
newer|77|version 99.1.0, the committed tables are version $committed_version: skipped
same|1|differ from the installed Unicode data (version $committed_version)
EOF2
[ $failures = 0 ] && echo "ok: 3 cases"
