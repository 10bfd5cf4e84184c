#!/bin/bash
# Drives the installer window from outside on a private X server: finds it by
# its title, checks its size and centring, installs into the default tool
# list, uninstalls from a typed path, and closes it with the close protocol.
# Usage: window_test.sh INSTALLER CLOSE-HELPER WORK-DIR
# Exit 77 (skipped) when no X server or xdotool is available.
set -u
installer=$1 close_window=$2 work=$3
title='^Korvane - Installer$'

command -v xdotool >/dev/null || { echo "skipped: xdotool is missing"; exit 77; }

pids=()
cleanup() { for p in "${pids[@]}"; do kill "$p" 2>/dev/null; done; }
trap cleanup EXIT
fail() { echo "FAIL: $*"; exit 1; }
# within_seconds N COMMAND...: polls the command until it succeeds, for up
# to N seconds by the wall clock.
within_seconds() {
  local deadline=$((SECONDS + $1))
  shift
  until "$@"; do
    ((SECONDS < deadline)) || return 1
    sleep 0.05
  done
}
# within COMMAND...: the same for up to a minute; a loaded two-core machine
# can take that long.
within() { within_seconds 60 "$@"; }

# A private server: -displayfd picks a free display number atomically, so
# tests running side by side never share or kill each other's display.
rm -rf "$work" && mkdir -p "$work/home/.purebasic" "$work/start dir" || exit 1
if command -v Xvfb >/dev/null; then
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$work/display" 2>"$work/xvfb.log" &
  pids+=($!)
  within test -s "$work/display"
  [ -s "$work/display" ] && export DISPLAY=":$(head -1 "$work/display")"
fi
xdpyinfo >/dev/null 2>&1 || { echo "skipped: no X display can be opened"; exit 77; }
read -r screen_w screen_h < <(xdpyinfo | awk '/dimensions:/ { split($2, d, "x"); print d[1], d[2] }')

# Windows of the installer with that exact title, visible ones only.
windows() { xdotool search --onlyvisible --name "$title" 2>/dev/null; }
shown() { [ "$(windows | wc -l)" -eq "$1" ]; }
wait_count() { within shown "$1"; }  # until exactly $1 such windows are shown
click() { xdotool mousemove "$1" "$2" click 1; }
# key_until WINDOW KEY COMMAND...: sends KEY to WINDOW until COMMAND succeeds,
# for up to a minute. On a loaded machine a window can be shown before it
# takes keys, so a key that changed nothing within a few seconds is sent
# again; never once the window is gone, where it would reach the main window.
key_until() {
  local window=$1 key=$2 deadline=$((SECONDS + 60)) retry
  shift 2
  while ((SECONDS < deadline)); do
    xdotool windowfocus "$window" key "$key" 2>/dev/null
    retry=$((SECONDS + 3))
    while ((SECONDS < retry)); do
      "$@" && return 0
      sleep 0.05
    done
  done
  return 1
}
dismiss_message() {  # $1 names the screenshot of the box
  wait_count 2 || fail "no message box after the click"
  local box
  box=$(windows | grep -v "^$main$" | head -1)
  command -v import >/dev/null && import -window root "$work/message-$1.png"
  key_until "$box" Return shown 1 || fail "the message box did not close"
}

prefs="$work/home/.purebasic/tools.prefs"
printf '[ToolsInfo]\nToolCount = 0\n' >"$prefs"
other="$work/other.prefs"
printf '[ToolsInfo]\nToolCount=1\n\n[Tool_0]\nMenuItemName=Korvane AFTER_EXE\n' >"$other"

(cd "$work/start dir" && exec env -u APPDATA HOME="$work/home" "$installer") &
app=$!
pids+=($app)
wait_count 1 || fail "the window did not appear"
main=$(windows)

eval "$(xdotool getwindowgeometry --shell "$main")"
[ "$WIDTH" = 400 ] && [ "$HEIGHT" = 85 ] || fail "window is ${WIDTH}x$HEIGHT, not 400x85"
[ "$X" = $(((screen_w - 400) / 2)) ] && [ "$Y" = $(((screen_h - 85) / 2)) ] ||
  fail "window at $X,$Y is not centred on ${screen_w}x$screen_h"
command -v import >/dev/null && import -window root "$work/window.png"

# Browse opens the file dialog under its title; cancelling it keeps the field.
click $((X + 375)) $((Y + 20))
dialogs() { xdotool search --onlyvisible --name '^Tools\.prefs\.\.\.$' 2>/dev/null; }
within dialogs >/dev/null || fail "no file dialog titled Tools.prefs..."
command -v import >/dev/null && import -window root "$work/browse.png"
no_dialog() { ! dialogs >/dev/null; }
# Closed by the close protocol, as its close box would: a key would depend on
# the dialog having taken the input focus, which a busy machine may delay.
# Each try asks whatever dialog window is shown then, never a stale one.
dialog_closed() {
  local dialog
  for dialog in $(dialogs); do "$close_window" "$dialog" >/dev/null 2>&1; done
  within_seconds 3 no_dialog
}
if ! within dialog_closed; then
  xwininfo -root -tree >&2
  fail "the file dialog did not close"
fi

# Install: the default path in the field must be the tool list in HOME.
click $((X + 100)) $((Y + 60))
dismiss_message install
grep -q '^ToolCount = 4' "$prefs" || fail "install did not change the default tool list"
grep -qF "Command = $work/start dir/Korvane" "$prefs" || fail "Command is not the start directory"
[ -f "$prefs.bak" ] || fail "no .bak copy"

# Uninstall from a path typed into the field.
click $((X + 200)) $((Y + 20))
xdotool key ctrl+a type --delay 5 "$other"
click $((X + 300)) $((Y + 60))
dismiss_message uninstall
[ "$(cat "$other")" = $'[ToolsInfo]\r\nToolCount = 0\r' ] || fail "uninstall result: $(cat -A "$other")"

# Closing the window ends the program with status 0.
"$close_window" "$main"
ended() { ! kill -0 "$app" 2>/dev/null; }
within ended || fail "the program did not end when its window was closed"
wait "$app"
status=$?
[ "$status" = 0 ] || fail "exit status $status after closing"
echo "window test passed"
