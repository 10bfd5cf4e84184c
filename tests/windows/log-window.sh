#!/usr/bin/env bash
# The Windows tarnwick.exe's windows under wine: after a failed run the log
# window opens with the program's title and frame, stays until the user
# closes it, and closing it ends the process; a bad command line shows a
# message box with the same title, and dismissing it ends the process.
#
#   log-window.sh WINE_STATE STAGE WORK CLOSED_STATUS BOX_STATUS
#
# The exit statuses expected after the log window is closed and after the
# parameter error box is dismissed. Closing the window in the middle of a
# long run must end the process at once, place nothing and leave no scratch
# file in the temporary directory.
set -euo pipefail
export WINE_STATE=$1
stage=$2
work=$3
closed_status=$4
box_status=$5
here=$(cd "$(dirname "$0")" && pwd)
. "$here/wine-env.sh"
. "$here/window-helpers.sh"
begin_window_test "$work"
banner='Tarnwick V\.1\.00'

printf '%%%%\n"a"  { ProcedureReturn 1 }\n[z-a]  { ProcedureReturn 2 }\n' >broken.lex
wine "$stage/windows/tarnwick.exe" broken.lex -o out.pb >log.out 2>&1 &
pid=$!
WINDOW_PID=$pid
id=$(wait_window "$banner") || fail "no log window"
window_geometry "$id"
# The inner size 404 x 154 inside wine's frame.
expected="$((404 + 2 * WINE_FRAME_BORDER))x$((154 + WINE_FRAME_TOP + WINE_FRAME_BORDER))"
[ "${WIDTH}x$HEIGHT" = "$expected" ] || fail "log window is ${WIDTH}x$HEIGHT, expected $expected"
kill -0 $pid 2>/dev/null || fail "the program ended before its log window was closed"
close_and_wait_end $pid "$banner" || fail "closing the log window did not end the process"
[ "$ENDED_STATUS" = "$closed_status" ] ||
  fail "status $ENDED_STATUS after closing the log window, expected $closed_status"
[ ! -e out.pb ] || fail "a failed run placed its output"
echo "ok: log window ${WIDTH}x$HEIGHT, closed with status $ENDED_STATUS"
wait_no_window "$banner" || fail "the log window outlived its process"

# (a|b)*a(a|b)...(a|b) with 20 choices after the a: a DFA of a million
# states, many seconds of work.
printf '%%%%\n(a|b)*a%s  { ProcedureReturn 1 }\n' "$(printf '(a|b)%.0s' $(seq 20))" >slow.lex
# find fails when a file it listed vanishes before it is examined, which
# side-by-side runs on the shared prefix cause; that is not a failure here.
scratch_files() {
  { find "$WINEPREFIX/drive_c/users" -path '*/Temp/tarnwick-*' 2>/dev/null || true; } | sort
}
scratch_before=$(scratch_files)
wine "$stage/windows/tarnwick.exe" slow.lex -o slow.pb >slow.out 2>&1 &
pid=$!
WINDOW_PID=$pid
id=$(wait_window "$banner") || fail "no log window for the long run"
# The run is under way once its scratch files exist; close it then.
deadline=$((SECONDS + WINDOW_DEADLINE))
until [ "$(scratch_files)" != "$scratch_before" ]; do
  ((SECONDS < deadline)) || fail "the long run made no scratch files"
  sleep 0.05
done
kill -0 $pid 2>/dev/null || fail "the long run ended before its window was closed"
close_and_wait_end $pid "$banner" || fail "closing the log window did not end a running generation"
[ "$ENDED_STATUS" = "$closed_status" ] ||
  fail "status $ENDED_STATUS after closing the window during a run, expected $closed_status"
[ ! -e slow.pb ] || fail "a run cut short placed its output"
# Tests side by side share the prefix's temporary folder and make and remove
# scratch files of their own meanwhile: a new file counts as left behind
# only if it outlives the other runs of the moment.
left=$(comm -13 <(echo "$scratch_before") <(scratch_files))
deadline=$((SECONDS + WINDOW_DEADLINE))
while [ -n "$left" ]; do
  ((SECONDS < deadline)) || fail "a run cut short left scratch files: $left"
  sleep 0.1
  # An `if`, not `&&`: a last file already gone must not fail the loop,
  # which would end the script silently under `set -e`.
  left=$(for file in $left; do if [ -e "$file" ]; then echo "$file"; fi; done)
done
echo "ok: closing the window ended a running generation, status $ENDED_STATUS"
wait_no_window "$banner" || fail "the log window outlived its process"

wine "$stage/windows/tarnwick.exe" broken.lex -O out.pb >box.out 2>&1 &
pid=$!
WINDOW_PID=$pid
id=$(wait_window "$banner") || fail "no message box for a bad command line"
kill -0 $pid 2>/dev/null || fail "the program ended before the message box was dismissed"
close_and_wait_end $pid "$banner" || fail "dismissing the message box did not end the process"
[ "$ENDED_STATUS" = "$box_status" ] ||
  fail "status $ENDED_STATUS after the parameter error, expected $box_status"
[ ! -e out.pb ] || fail "a bad command line placed output"
echo "ok: parameter error box, dismissed with status $ENDED_STATUS"
pid=
