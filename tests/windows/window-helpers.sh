# Bash functions for driving wine's windows on an X display from outside:
# find a window by title, read its frame, click inside it or on its close
# box, and wait for the program to end. Sourced by the window tests and the
# screenshot script.
#
# wine draws the frame of an unmanaged window itself (the prefix turns the
# managed mode off): 3 pixels of border, a 19-pixel caption with the close
# box 14 pixels from the right edge.
WINE_FRAME_BORDER=3
WINE_FRAME_TOP=22

# Every wait is bounded by the wall clock, sized for a loaded two-core
# machine where starting a wine program can take many seconds: a minute
# unless the caller says otherwise. Polling counts would stretch with the
# load (each xdotool call gets slower), deadlines do not.
WINDOW_DEADLINE=${WINDOW_DEADLINE:-60}

# Prints the ids of the visible windows titled by the regular expression $1.
# A test runs several programs in turn, and every generator window has the
# same title: with WINDOW_PID set, only that process's windows count, never
# one of an earlier program still being torn down (wine gives each window
# the process id of the program that made it).
find_windows() {
  if [ -n "${WINDOW_PID:-}" ]; then
    xdotool search --all --onlyvisible --pid "$WINDOW_PID" --name "^$1\$" 2>/dev/null
  else
    xdotool search --onlyvisible --name "^$1\$" 2>/dev/null
  fi
}

# Prints the id of the first visible window whose title is the regular
# expression $1 that is not among the ids in $2, waiting up to
# WINDOW_DEADLINE seconds.
wait_window() {
  local id deadline=$((SECONDS + WINDOW_DEADLINE))
  while :; do
    for id in $(find_windows "$1"); do
      # A window being destroyed may still be listed: it must answer too.
      if [[ " ${2:-} " != *" $id "* ]] && xdotool getwindowgeometry "$id" >/dev/null 2>&1; then
        echo "$id"
        return 0
      fi
    done
    ((SECONDS < deadline)) || break
    sleep 0.05
  done
  echo "no window titled '$1' appeared within ${WINDOW_DEADLINE}s" >&2
  return 1
}

# Waits up to WINDOW_DEADLINE seconds until no visible window is titled $1.
wait_no_window() {
  local deadline=$((SECONDS + WINDOW_DEADLINE))
  while [ -n "$(find_windows "$1")" ]; do
    if ((SECONDS >= deadline)); then
      echo "a window titled '$1' is still open after ${WINDOW_DEADLINE}s" >&2
      return 1
    fi
    sleep 0.05
  done
}

# Sets X, Y, WIDTH and HEIGHT to the window's outer frame.
window_geometry() { eval "$(xdotool getwindowgeometry --shell "$1")"; }

# Clicks at the screen point $2,$3 if window $1 is the one there. Windows
# open at the same default place with the same size, so the window is raised
# first, and a point that another window still covers is not clicked
# (fails): the click must never close a window it was not meant for.
click_in_window() {
  local WINDOW=
  xdotool windowraise "$1" 2>/dev/null
  eval "$(xdotool mousemove "$2" "$3" getmouselocation --shell 2>/dev/null)"
  [ "$WINDOW" = "$1" ] || return 1
  xdotool click 1
}

# Clicks at a point of the window's inner (client) area.
click_client() {
  window_geometry "$1"
  click_in_window "$1" $((X + WINE_FRAME_BORDER + $2)) $((Y + WINE_FRAME_TOP + $3))
}

# Clicks the close box, as the user closing the window would.
close_window() {
  window_geometry "$1"
  click_in_window "$1" $((X + WIDTH - 14)) $((Y + 11))
}

# Waits up to $2 seconds (default WINDOW_DEADLINE) for the background
# process $1 to end; sets ENDED_STATUS to its exit status. Fails if it is
# still running.
wait_end() {
  local deadline=$((SECONDS + ${2:-$WINDOW_DEADLINE}))
  while kill -0 "$1" 2>/dev/null; do
    ((SECONDS < deadline)) || return 1
    sleep 0.05
  done
  ENDED_STATUS=0
  wait "$1" || ENDED_STATUS=$?
}

# Closes the window titled $2 of the background process $1 and waits for the
# process to end (ENDED_STATUS). On a loaded machine wine may still be placing
# a fresh window when the first click comes, so a missed click is repeated
# every few seconds while the window is still there, up to WINDOW_DEADLINE.
close_and_wait_end() {
  local id deadline=$((SECONDS + WINDOW_DEADLINE))
  while ((SECONDS < deadline)); do
    id=$(WINDOW_PID=$1 find_windows "$2" | head -1)
    [ -n "$id" ] && close_window "$id"
    wait_end "$1" 5 && return 0
  done
  return 1
}

# Dismisses the window $1 (a message box) by its close box and waits until it
# is gone, repeating a click that came before wine took the box's input.
dismiss_window() {
  local deadline=$((SECONDS + WINDOW_DEADLINE)) i
  while ((SECONDS < deadline)); do
    xdotool getwindowgeometry "$1" >/dev/null 2>&1 && close_window "$1"
    for ((i = 0; i < 40; i++)); do
      xdotool search --onlyvisible --name '.' 2>/dev/null | grep -qx "$1" || return 0
      sleep 0.05
    done
  done
  return 1
}

# The common start of a window test: skips (status 77) without xdotool, and
# runs the test in a fresh, empty folder $1.
begin_window_test() {
  if ! command -v xdotool >/dev/null; then
    echo "xdotool is missing: window test skipped"
    exit 77
  fi
  rm -rf "$1"
  mkdir -p "$1"
  cd "$1" || exit 1
}

# Ends the test as failed, taking its background program ($pid) along.
fail() {
  echo "FAIL: $*" >&2
  [ -n "${pid:-}" ] && kill "$pid" 2>/dev/null
  exit 1
}
