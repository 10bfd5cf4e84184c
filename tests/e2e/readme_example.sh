#!/usr/bin/env bash
# Keeps the runtime README's example true: its definition, program and input
# are the files in examples/, and the outputs it shows are what the
# generated tables give for that input. tarnwick-scan's listing is compared
# as it stands; calc_main's printout is derived from the same listing (the
# program prints one line per token its actions return and counts the
# numbers), since PureBasic itself is not at hand.
#
#   readme_example.sh TARNWICK TARNWICK_SCAN SOURCE_DIR WORK_DIR
set -euo pipefail
tarnwick=$1
scan=$2
root=$3
work=$4
readme=$root/runtime/README.md

failures=0
differs() {
  echo "FAIL: the README's $1 is not what the example gives (README first):" >&2
  diff <(echo "$2") <(echo "$3") >&2 || true
  failures=$((failures + 1))
}
# compare WHAT README_TEXT ACTUAL_TEXT
compare() { [ "$2" = "$3" ] || differs "$@"; }

# The fenced block after the first line that contains $1.
fenced_after() {
  awk -v marker="$1" '
    state == 0 && index($0, marker) { state = 1; next }
    state == 1 && /^```/ { state = 2; next }
    state == 2 && /^```/ { exit }
    state == 2 { print }' "$readme"
}

rm -rf "$work"
mkdir -p "$work"
cp "$root/examples/calc.lex" "$root/examples/calc.txt" "$work/"
cd "$work"

compare "calc.lex" "$(fenced_after '`examples/calc.lex` recognises')" \
  "$(iconv -f windows-1252 -t utf-8 calc.lex | tr -d '\r')"
compare "calc_main.pb" "$(fenced_after 'This program (`examples/calc_main.pb`)')" \
  "$(cat "$root/examples/calc_main.pb")"
compare "calc.txt" "$(fenced_after 'With `calc.txt` holding')" "$(cat calc.txt)"

TARNWICK_UI=console "$tarnwick" calc.lex >generate.log 2>&1 || {
  cat generate.log >&2
  exit 1
}
listing=$("$scan" --skip 2 calc.lex_lexerout.pbl calc.txt)
compare "tarnwick-scan listing" "$(fenced_after 'calc.txt` prints')" "$listing"

# calc_main's Report: the name padded to 8, a text shorter than 6 padded to 6
# and a longer one followed by a space, then the position. Rule 0 is a number
# (its action counts it), rule 1 the keyword, rule 3 returns #yyEOF, which
# ends the loop.
printout=$(echo "$listing" | awk '
  function report(name, text) {
    text = (length(text) < 6) ? sprintf("%-6s", text) : text " "
    printf "%-8s%sat %s:%s\n", name, text, line, col
  }
  {
    text = $0
    sub(/^[^"]*"/, "", text)
    sub(/"$/, "", text)
    if ($1 == "rule") { line = $4; col = $6 } else { line = $3; col = $5 }
  }
  $1 == "rule" && $2 == 0 { report("number", text); numbers++ }
  $1 == "rule" && $2 == 1 { report("if", text) }
  $1 == "rule" && $2 == 3 { report("end", text); exit }
  $1 == "error" { report("error", text) }
  END { print numbers + 0 " numbers" }')
compare "calc_main printout" "$(fenced_after 'it prints')" "$printout"

[ $failures -eq 0 ] || exit 1
echo "the README's example holds"
