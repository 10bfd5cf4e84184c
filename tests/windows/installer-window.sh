#!/usr/bin/env bash
# The Windows korvane-installer.exe's window under wine: it opens centred
# with its inner size 400 x 85 and the tool list under APPDATA in its path
# field; its buttons install and uninstall, each reported in a message box;
# closing it ends the program.
#
#   installer-window.sh WINE_STATE STAGE WORK
set -euo pipefail
export WINE_STATE=$1
stage=$2
work=$3
here=$(cd "$(dirname "$0")" && pwd)
. "$here/wine-env.sh"
. "$here/window-helpers.sh"
begin_window_test "$work"
title='Korvane - Installer'

# wine sets APPDATA from the prefix's profile, whatever the caller says.
prefs_dir="$WINEPREFIX/drive_c/users/$(id -un)/AppData/Roaming/purebasic"
mkdir -p "$prefs_dir"
prefs=$prefs_dir/tools.prefs
rm -f "$prefs.bak"
printf '[ToolsInfo]\r\nToolCount = 1\r\n[Tool_0]\r\nMenuItemName = Other\r\n' >"$prefs"

# Waits up to WINDOW_DEADLINE seconds until the tool list holds the line $1.
wait_for_line() {
  local deadline=$((SECONDS + WINDOW_DEADLINE))
  until grep -qx "$1"$'\r' "$prefs"; do
    ((SECONDS < deadline)) || return 1
    sleep 0.05
  done
}

# Clicks a button at a client point; the message box it opens must carry
# the window's title and, once dismissed, leave the tool list with line $4.
# A click that reaches a window wine has not finished setting up is lost,
# so it is repeated until the box shows; a repeat that comes after all
# meets a window disabled by the modal box and does nothing.
press() {
  local deadline=$((SECONDS + WINDOW_DEADLINE))
  box=
  while [ -z "$box" ] && ((SECONDS < deadline)); do
    click_client "$window" "$1" "$2" || true
    box=$(WINDOW_DEADLINE=5 wait_window "$title" "$window" 2>/dev/null) || box=
  done
  [ -n "$box" ] || fail "$3: no message box"
  dismiss_window "$box" || fail "$3: the message box did not close"
  wait_for_line "$4" || fail "$3: the tool list has no line '$4'"
}

wine "$stage/windows/korvane-installer.exe" >installer.out 2>&1 &
pid=$!
WINDOW_PID=$pid
window=$(wait_window "$title") || fail "no installer window"
window_geometry "$window"
size="$((400 + 2 * WINE_FRAME_BORDER))x$((85 + WINE_FRAME_TOP + WINE_FRAME_BORDER))"
[ "${WIDTH}x$HEIGHT" = "$size" ] || fail "window is ${WIDTH}x$HEIGHT, expected $size"
root_size=$(xdpyinfo 2>/dev/null | sed -n 's/^ *dimensions: *\([0-9]*x[0-9]*\).*/\1/p')
if [ -n "$root_size" ]; then
  centre="$(((${root_size%x*} - WIDTH) / 2)),$(((${root_size#*x} - HEIGHT) / 2))"
  [ "$X,$Y" = "$centre" ] || fail "window at $X,$Y, expected centred at $centre"
fi

press 100 60 install "ToolCount = 5"
[ -f "$prefs.bak" ] || fail "install made no backup"
[ "$(grep -c '^MenuItemName = Korvane ' "$prefs")" = 4 ] || fail "install did not add four entries"
command="Command = Z:$(printf '%s' "$work" | tr / '\\')\\Korvane.exe"
grep -qxF "$command"$'\r' "$prefs" || fail "the entries do not start Korvane.exe in the working directory"
press 297 60 uninstall "ToolCount = 1"
! grep -q 'Korvane' "$prefs" || fail "uninstall left entries behind"

close_and_wait_end $pid "$title" || fail "closing the window did not end the installer"
[ "$ENDED_STATUS" = 0 ] || fail "status $ENDED_STATUS after closing the window"
pid=
echo "ok: installer window ${WIDTH}x$HEIGHT at $X,$Y; install, uninstall, close"
