#!/usr/bin/env bash
# Opens each window of the Windows programs under wine on a private Xvfb
# display and saves a screenshot of it, to check the layout by eye.
#
#   tools/windows-screenshots.sh [EXE_DIR [OUT_DIR]]
#
# EXE_DIR holds tarnwick.exe and korvane-installer.exe (default: the cross
# build's bin folder, build-win/bin); OUT_DIR receives the PNG files
# (default: build-win/screenshots). Uses the wine fixture of the tests, with
# its own prefix under OUT_DIR. Windows are found by title with xdotool and
# closed with a click on their close box, as a user would.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
exe_dir=$(cd "${1:-$root/build-win/bin}" && pwd)
out=${2:-$root/build-win/screenshots}
mkdir -p "$out"
out=$(cd "$out" && pwd)
fixture=$root/tests/windows/wine-fixture.sh
export WINE_STATE=$out/wine
"$fixture" start "$WINE_STATE"
trap '"$fixture" stop "$WINE_STATE"' EXIT
. "$root/tests/windows/wine-env.sh"

. "$root/tests/windows/window-helpers.sh"

# Saves the window with a small margin of the root around it, so the frame
# shows whole.
shoot() {
  window_geometry "$1"
  import -window root -crop "$((WIDTH + 8))x$((HEIGHT + 8))+$((X > 4 ? X - 4 : 0))+$((Y > 4 ? Y - 4 : 0))" \
    +repage "$out/$2.png"
  echo "$2.png: window $1 at $X,$Y, outer size ${WIDTH}x$HEIGHT"
}

# Waits for the program started last and reports how it ended.
report_end() {
  if wait_end "$1"; then
    echo "$2 ended, status $ENDED_STATUS"
  else
    echo "$2 did not end" >&2
    kill "$1"
    return 1
  fi
}

work=$out/work
rm -rf "$work"
mkdir -p "$work"
cd "$work"
banner='Tarnwick V\.1\.00'

# Runs tarnwick.exe with the given arguments, waits for its window, lets it
# settle for SETTLE seconds, saves it as NAME.png, closes it and reports the
# end: tarnwick_window NAME SETTLE WHAT ARGUMENTS...
tarnwick_window() {
  local name=$1 settle=$2 what=$3
  shift 3
  wine "$exe_dir/tarnwick.exe" "$@" >"$name.out" 2>&1 &
  local pid=$!
  local id
  id=$(wait_window "$banner" "")
  sleep "$settle"
  shoot "$id" "$name"
  close_window "$id"
  report_end $pid "tarnwick.exe ($what)"
}

# 1. The log window after a failed run: it stays until closed.
printf '; a definition with an error on line 3\n%%%%\n[z-a]  { ProcedureReturn 1 }\n' >broken.lex
tarnwick_window log-window 1 "log window" broken.lex

# 2. The bad command line.
tarnwick_window parameter-error 0.5 "parameter error" broken.lex -O out.pb

# 3. The installer window, the open-file dialog and a message box.
mkdir -p "$WINEPREFIX/drive_c/users/$(id -un)/AppData/Roaming/purebasic"
printf '[ToolsInfo]\r\nToolCount = 0\r\n' \
  >"$WINEPREFIX/drive_c/users/$(id -un)/AppData/Roaming/purebasic/tools.prefs"
wine "$exe_dir/korvane-installer.exe" >installer.out 2>&1 &
pid=$!
title='Korvane - Installer'
window=$(wait_window "$title" "")
sleep 0.5
shoot "$window" installer-window

click_client "$window" 375 20
dialog=$(wait_window 'Tools\.prefs\.\.\.' "")
sleep 1
shoot "$dialog" installer-open-file
close_window "$dialog"
sleep 0.5

click_client "$window" 100 60
box=$(wait_window "$title" "$window")
sleep 0.5
shoot "$box" installer-message
close_window "$box"
sleep 0.5
close_window "$window"
report_end $pid "korvane-installer.exe"
echo "screenshots in $out"
