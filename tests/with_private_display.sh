#!/bin/bash
# Runs a command on an X server of its own. Xvfb's -displayfd picks a free
# display number atomically, so window tests running side by side never
# share, or take down, each other's display (xvfb-run -a can race there).
# -noreset: by default the server resets when its last client leaves and
# refuses connections meanwhile, which a program that probes the display and
# then connects again would run into.
# Without Xvfb the command runs on whatever display is set.
#   with_private_display.sh COMMAND [ARGS...]
set -u
if command -v Xvfb >/dev/null; then
  numfile=$(mktemp)
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$numfile" 2>/dev/null &
  xvfb=$!
  trap 'kill "$xvfb" 2>/dev/null; wait "$xvfb" 2>/dev/null; rm -f "$numfile"' EXIT
  for _ in $(seq 200); do [ -s "$numfile" ] && break; sleep 0.05; done
  [ -s "$numfile" ] && export DISPLAY=":$(head -1 "$numfile")"
fi
"$@"
