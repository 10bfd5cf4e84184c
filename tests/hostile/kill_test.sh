#!/usr/bin/env bash
# SIGKILL at spread-out moments: a generator run on a large definition and an
# installer run on a large tool list are killed at fractions of the time a
# complete run takes. After every kill the target must hold either its old
# content or the complete new content of a reference run, never a mix; for
# the generator that holds for its dot file too.
#
#   kill_test.sh TARNWICK KORVANE WORKDIR
#
# A killed process cannot remove its own in-between files: at most one
# per run may be left beside the target (and the run's scratch folder in the
# temporary directory); they are counted, reported and removed. The signals
# that ask the generator to end (SIGTERM, SIGINT, SIGHUP) leave nothing
# behind at all, and end it as the signal would.
set -uo pipefail

tarnwick=$1
korvane=$2
work=$3/kill
export TARNWICK_UI=console
unset TARNWICK_MAX_DFA_STATES
# Kill points at these percentages of a reference run's duration.
fractions=(5 20 40 55 70 85 100 130)

failures=0
fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}

rm -rf "$work"
mkdir -p "$work/out" "$work/tmp"
cd "$work" || exit 1
export TMPDIR=$work/tmp

now_ms() { date +%s%3N; }

# kill_after MILLISECONDS COMMAND...: starts the command and kills it.
kill_after() {
  signal_after KILL "$@"
}

# signal_after SIGNAL MILLISECONDS COMMAND...: starts the command with the
# signal's default action (a script's background job would ignore SIGINT),
# sends the signal and sets $ended to the command's status.
signal_after() {
  local signal=$1 delay=$2
  shift 2
  local -a reset=()
  [ "$signal" = KILL ] || reset=(env --default-signal="$signal")
  "${reset[@]}" "$@" >/dev/null 2>&1 &
  local pid=$!
  sleep "$(printf '%d.%03d' $((delay / 1000)) $((delay % 1000)))"
  kill -"$signal" "$pid" 2>/dev/null
  wait "$pid" 2>/dev/null
  ended=$?
}

# leftovers FOLDER PATTERN LIMIT WHAT: counts and removes matching files (and
# folders); more than LIMIT fails.
leftovers() {
  local count
  count=$(find "$1" -mindepth 1 -maxdepth 1 -name "$2" | wc -l)
  if [ "$count" -gt "$3" ]; then
    fail "$4: $count in-between files left"
  fi
  [ "$1" = "$TMPDIR" ] && stale_temp=$((stale_temp + count)) || stale=$((stale + count))
  find "$1" -mindepth 1 -maxdepth 1 -name "$2" -exec rm -rf {} +
}

# ---- the generator ----------------------------------------------------------

{
  printf '%%%%\n(a|b)*a'
  for i in $(seq 14); do printf '(a|b)'; done
  printf ' { ProcedureReturn 1 }\n'
  for i in $(seq 0 2999); do printf '"kw%d" { ProcedureReturn %d }\n' "$i" "$i"; done
  printf '%%%%\n'
  yes 'Procedure P() : ProcedureReturn 1 : EndProcedure ; filler filler filler' |
    head -c 8000000
} >big.lex

start=$(now_ms)
if ! "$tarnwick" big.lex -o reference.pbl -dot reference.dot >/dev/null 2>&1; then
  echo "FAIL: the reference run failed" >&2
  exit 1
fi
duration=$(($(now_ms) - start))
echo "generator reference run: ${duration} ms, $(wc -c <reference.pbl) bytes"
rm -f PBTarnwickInc.pbi "$TMPDIR"/*

stale=0
stale_temp=0
old_seen=0
new_seen=0
for fraction in "${fractions[@]}"; do
  printf '; the previous scanner\n' >out/big.pbl
  printf 'digraph G {}\n' >out/big.dot
  cp out/big.pbl old.pbl
  cp out/big.dot old.dot
  kill_after $((duration * fraction / 100)) "$tarnwick" big.lex -o out/big.pbl -dot out/big.dot
  if ! cmp -s out/big.dot old.dot && ! cmp -s out/big.dot reference.dot; then
    fail "killed at ${fraction}%: out/big.dot is neither the old nor the new graph"
  fi
  if cmp -s out/big.pbl old.pbl; then
    old_seen=$((old_seen + 1))
  elif cmp -s out/big.pbl reference.pbl; then
    new_seen=$((new_seen + 1))
  else
    fail "killed at ${fraction}%: out/big.pbl is neither the old nor the new scanner"
  fi
  if [ -e out/PBTarnwickInc.pbi ] &&
    ! cmp -s out/PBTarnwickInc.pbi "$(dirname "$tarnwick")/PBTarnwickInc.pbi"; then
    fail "killed at ${fraction}%: a partial runtime include"
  fi
  leftovers out '.*.part-*' 1 "killed at ${fraction}%"
  # The run's private folder with the scanner and the graph in it.
  leftovers "$TMPDIR" 'tarnwick-*' 1 "killed at ${fraction}% (temporary directory)"
  rm -f out/PBTarnwickInc.pbi
done
echo "generator: ${#fractions[@]} kills, old kept $old_seen, new complete $new_seen," \
  "stale in-between files beside the output $stale, in the temporary directory $stale_temp"

# The polite signals: the run removes everything of its own and ends as the
# signal would (or finished first, with status 0).
stale=0
stale_temp=0
for signal in TERM INT HUP; do
  for fraction in 5 40 70 95; do
    printf '; the previous scanner\n' >out/big.pbl
    cp out/big.pbl old.pbl
    signal_after "$signal" $((duration * fraction / 100)) "$tarnwick" big.lex -o out/big.pbl \
      -dot out/big.dot
    if [ $ended -ne 0 ] && [ $ended -ne $((128 + $(kill -l "$signal"))) ]; then
      fail "SIG$signal at ${fraction}%: status $ended"
    fi
    if ! cmp -s out/big.pbl old.pbl && ! cmp -s out/big.pbl reference.pbl; then
      fail "SIG$signal at ${fraction}%: out/big.pbl is neither the old nor the new scanner"
    fi
    leftovers out '.*.part-*' 0 "SIG$signal at ${fraction}%"
    leftovers "$TMPDIR" '*' 0 "SIG$signal at ${fraction}% (temporary directory)"
    rm -f out/PBTarnwickInc.pbi out/big.dot
  done
done
echo "generator: 12 end requests, in-between files left $stale, scratch left $stale_temp"

# A signal ignored from the start, as under nohup, stays ignored.
env --ignore-signal=HUP "$tarnwick" big.lex -o out/big.pbl >/dev/null 2>&1 &
pid=$!
sleep "$(printf '%d.%03d' $((duration * 4 / 10 / 1000)) $((duration * 4 / 10 % 1000)))"
kill -HUP $pid 2>/dev/null
wait $pid
ended=$?
[ $ended -eq 0 ] || fail "an ignored SIGHUP ended the run (status $ended)"
cmp -s out/big.pbl reference.pbl || fail "a run under an ignored SIGHUP did not finish its scanner"
rm -f out/PBTarnwickInc.pbi

# ---- the installer ----------------------------------------------------------

{
  printf '[ToolsInfo]\r\nToolCount = 2\r\n[Tool_0]\r\nMenuItemName = a\r\n'
  yes 'Key = value value value value value value value value value' | head -c 12000000
  printf '\r\n[Tool_1]\r\nMenuItemName = b\r\n'
} >old.prefs
cp old.prefs reference.prefs
start=$(now_ms)
if ! "$korvane" --install reference.prefs >/dev/null 2>&1; then
  echo "FAIL: the reference install failed" >&2
  exit 1
fi
duration=$(($(now_ms) - start))
echo "installer reference run: ${duration} ms, $(wc -c <reference.prefs) bytes"

stale=0
stale_temp=0
old_seen=0
new_seen=0
for fraction in "${fractions[@]}"; do
  cp old.prefs out/tools.prefs
  rm -f out/tools.prefs.bak
  kill_after $((duration * fraction / 100)) "$korvane" --install out/tools.prefs
  if cmp -s out/tools.prefs old.prefs; then
    old_seen=$((old_seen + 1))
  elif cmp -s out/tools.prefs reference.prefs; then
    new_seen=$((new_seen + 1))
  else
    fail "killed at ${fraction}%: tools.prefs is neither the old nor the new list"
  fi
  if [ -e out/tools.prefs.bak ] && ! cmp -s out/tools.prefs.bak old.prefs; then
    fail "killed at ${fraction}%: a partial tools.prefs.bak"
  fi
  leftovers out 'tools.prefs.??????' 1 "killed at ${fraction}%"
done
echo "installer: ${#fractions[@]} kills, old kept $old_seen, new complete $new_seen," \
  "stale in-between files $stale"

if [ $failures -gt 0 ]; then
  echo "kill test: $failures failure(s)" >&2
  exit 1
fi
echo "kill test: passed"
