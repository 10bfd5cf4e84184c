#!/bin/bash
# Runs a PureBasic main program that includes a generated scanner and the
# engine (runtime/PBTarnwickInc.pbi) and prints its tokens, then compares that
# output with an expected token list, with tarnwick-scan's output for the same
# input, or with both. See tests/runtime/CMakeLists.txt for the options.
#
# The engine runs through pbcompiler when it is on the PATH, otherwise
# through the interpreter PBRUN (python3), otherwise the test is skipped with
# status 77. The main program is run in WORK with the input's file name as its
# first parameter, then the --arg values; token_lines.pbi (beside this script)
# is copied there for it.
set -u

usage() {
  echo "usage: $0 --tarnwick T --scan S --pbrun P --work DIR --lex DEF [--lex DEF]... --main MAIN.pb" \
       "--input FILE [--expected TOKENS] [--compare-scan] [--scan-args ARGS] [--file F]..." \
       "[--arg A]... [--compact]" >&2
  exit 2
}

tarnwick='' scan='' pbrun='' work='' lex='' main='' input='' expected='' compareScan='' scanArgs=''
compact=''
files=() args=() moreLex=()
while [ $# -gt 0 ]; do
  [ $# -ge 2 ] || [ "$1" = --compare-scan ] || [ "$1" = --compact ] || usage
  case $1 in
    --tarnwick) tarnwick=$2 ;;
    --scan) scan=$2 ;;
    --pbrun) pbrun=$2 ;;
    --work) work=$2 ;;
    --lex) if [ -z "$lex" ]; then lex=$2; else moreLex+=("$2"); fi ;;
    --main) main=$2 ;;
    --input) input=$2 ;;
    --expected) expected=$2 ;;
    --scan-args) scanArgs=$2 ;;
    --file) files+=("$2") ;;
    --arg) args+=("$2") ;;
    --compare-scan) compareScan=1; shift; continue ;;
    --compact) compact=1; shift; continue ;;
    *) usage ;;
  esac
  shift 2
done
for required in "$tarnwick" "$work" "$lex" "$main" "$input"; do
  [ -n "$required" ] || usage
done
[ -n "$expected" ] || compareScan=1
[ -z "$compareScan" ] || [ -n "$scan" ] || usage

# Which engine runner: decided before anything is built, so a skip is quick.
if command -v pbcompiler > /dev/null 2>&1; then
  runner=pbcompiler
elif [ -n "$pbrun" ] && [ -f "$pbrun" ] && command -v python3 > /dev/null 2>&1; then
  runner=pbrun
else
  echo "skipped: neither pbcompiler on the PATH nor python3 with $pbrun"
  exit 77
fi

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

rm -rf "$work"
mkdir -p "$work" || fail "cannot make $work"
here=$(cd "$(dirname "$0")" && pwd)
cp "$lex" "$main" "$input" "$here/token_lines.pbi" "$work/" || fail "cannot copy the test's files"
for f in "${moreLex[@]}" "${files[@]}"; do
  cp "$f" "$work/" || fail "cannot copy $f"
done
lexName=$(basename "$lex")
mainName=$(basename "$main")
inputName=$(basename "$input")
scanner=$lexName"_lexerout.pbl"

cd "$work" || fail "cannot enter $work"
if [ -n "$compact" ]; then
  # The same definition with compact tables: a "%compact" line before its
  # first "%%" line; the plain scanner is kept beside it for tarnwick-scan.
  mkdir plain && cp "$lexName" plain/ || fail "cannot copy $lexName"
  (cd plain && TARNWICK_UI=console "$tarnwick" "$lexName" > tarnwick.log 2>&1) ||
    fail "tarnwick failed on the plain $lexName"
  awk '!done && /^%%/ { print "%compact"; done = 1 } { print }' plain/"$lexName" > "$lexName" ||
    fail "cannot add %compact to $lexName"
fi
for def in "$lexName" "${moreLex[@]}"; do
  def=$(basename "$def")
  TARNWICK_UI=console "$tarnwick" "$def" > tarnwick.log 2>&1 ||
    fail "tarnwick failed on $def: $(cat tarnwick.log)"
done
[ -z "$compact" ] || grep -q "^#__yylexerCompact = 1" "$scanner" || fail "no compact tables in $scanner"
[ -f PBTarnwickInc.pbi ] || fail "no PBTarnwickInc.pbi beside the scanner"

if [ $runner = pbcompiler ]; then
  pbcompiler --quiet --executable ./engine-main "$mainName" > compile.log 2>&1 ||
    fail "pbcompiler failed on $mainName: $(cat compile.log)"
  ./engine-main "$inputName" "${args[@]}" > engine.tokens 2> engine.err
else
  python3 "$pbrun" "$mainName" "$inputName" "${args[@]}" > engine.tokens 2> engine.err
fi
status=$?
[ $status -eq 0 ] || fail "the engine ($runner) ended with status $status: $(cat engine.err)"
echo "engine run by $runner"

# Compares engine.tokens with the token list $1; a difference is shown
# after the heading $2 and fails the test once every comparison is made.
same=0
compare_with() {
  if ! cmp -s "$1" engine.tokens; then
    echo "$2:" >&2
    diff -u "$1" engine.tokens >&2
    same=1
  fi
}

if [ -n "$expected" ]; then
  compare_with "$expected" "engine tokens differ from $expected"
fi
if [ -n "$compareScan" ]; then
  # shellcheck disable=SC2086 # the options are a space-separated list
  "$scan" $scanArgs "$scanner" "$inputName" > scan.tokens 2> scan.err ||
    fail "tarnwick-scan failed: $(cat scan.err)"
  compare_with scan.tokens "engine tokens differ from tarnwick-scan $scanArgs"
  if [ -n "$compact" ]; then
    # shellcheck disable=SC2086
    "$scan" $scanArgs "plain/$scanner" "$inputName" > plain.tokens 2> scan.err ||
      fail "tarnwick-scan failed on the plain scanner: $(cat scan.err)"
    compare_with plain.tokens "engine tokens of the compact tables differ from the plain tables'"
  fi
fi
[ $same -eq 0 ] || fail "token streams differ (files in $work)"
echo "same tokens"
