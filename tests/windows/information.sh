#!/usr/bin/env bash
# "--help" and "--version" of the Windows programs under wine. With no
# console, tarnwick.exe shows the text in its log window and
# korvane-installer.exe in a message box, each titled as usual; the text
# also goes to standard output, which wine passes to the Unix side. Closing
# the window or dismissing the box ends the program with status 0.
# TARNWICK_UI=console gives the text on standard output alone.
#
#   information.sh WINE_STATE STAGE WORK
set -euo pipefail
export WINE_STATE=$1
stage=$2
work=$3
here=$(cd "$(dirname "$0")" && pwd)
. "$here/wine-env.sh"
. "$here/window-helpers.sh"
begin_window_test "$work"
banner='Tarnwick V\.1\.00'
installer_title='Korvane - Installer'
windows_path() { printf 'Z:%s' "$1" | tr / '\\'; }

# Runs "$@" in the background, waits for the window titled $title, checks
# that it stays until closed, closes it and expects status 0. Standard
# output, without the CRs of Windows line ends, is left in shown.txt.
shown_in_window() {
  local title=$1
  shift
  wine "$@" >shown.raw 2>shown.err &
  pid=$!
  WINDOW_PID=$pid
  wait_window "$title" >/dev/null || fail "$*: no window titled '$title'"
  sleep 0.5
  kill -0 $pid 2>/dev/null || fail "$*: ended before its window was closed"
  close_and_wait_end $pid "$title" || fail "$*: closing the window did not end the program"
  [ "$ENDED_STATUS" = 0 ] || fail "$*: status $ENDED_STATUS after the window was closed, expected 0"
  pid=
  tr -d '\r' <shown.raw >shown.txt
  wait_no_window "$title" || fail "$*: the window outlived its process"
}

tarnwick=$stage/windows/tarnwick.exe
installer=$stage/windows/korvane-installer.exe

# wine's background processes inherit the output of a wine call: it goes to
# files, never to a pipe that would then stay open.
TARNWICK_UI=console wine "$tarnwick" --version >version.raw 2>console.err
out=$(tr -d '\r' <version.raw)
[ "$out" = "tarnwick 1.0" ] || fail "console --version printed '$out'"
TARNWICK_UI=console wine "$tarnwick" --help >help.raw 2>>console.err
tr -d '\r' <help.raw >help.txt
# The folders searched: the program's own, then share\tarnwick\ beside it.
for folder in "$stage/windows/" "$stage/share/tarnwick/"; do
  grep -qxF "  $(windows_path "$folder")" help.txt || fail "--help does not name $folder"
done
echo "ok: console --version and --help"

shown_in_window "$banner" "$tarnwick" --version
[ "$(cat shown.txt)" = "tarnwick 1.0" ] || fail "windowed --version printed '$(cat shown.txt)'"
shown_in_window "$banner" "$tarnwick" --help
cmp -s shown.txt help.txt || fail "windowed --help differs from the console's: $(diff help.txt shown.txt)"
[ ! -e ./--help_lexerout.pbl ] || fail "--help was taken as a definition file"
echo "ok: tarnwick --version and --help in the log window, status 0"

shown_in_window "$installer_title" "$installer" --version
[ "$(cat shown.txt)" = "korvane-installer 1.0" ] || fail "installer --version printed '$(cat shown.txt)'"
shown_in_window "$installer_title" "$installer" --help
head -1 shown.txt | grep -q '^usage: korvane-installer ' || fail "installer --help: $(head -1 shown.txt)"
grep -q '^  --uninstall \[FILE\]' shown.txt || fail "installer --help lacks --uninstall"
echo "ok: korvane-installer --version and --help in a message box, status 0"
