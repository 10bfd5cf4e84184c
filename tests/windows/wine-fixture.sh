#!/bin/sh
# Starts or stops what the wine tests share: a private Xvfb display, one wine
# prefix in the build tree (made once, reused by later runs) and a persistent
# wineserver, so that each test pays only for a warm start.
#
#   wine-fixture.sh start|stop STATE_DIR
#
# Every background process writes to files, never to the caller's output:
# CTest waits for inherited pipes to close.
set -eu
action=$1
WINE_STATE=$2
mkdir -p "$WINE_STATE/tmp"
here=$(cd "$(dirname "$0")" && pwd)

stop() {
  . "$here/wine-env.sh"
  wineserver -k >/dev/null 2>&1 || true
  if [ -s "$WINE_STATE/xvfb.pid" ]; then
    kill "$(cat "$WINE_STATE/xvfb.pid")" 2>/dev/null || true
  fi
  rm -f "$WINE_STATE/xvfb.pid" "$WINE_STATE/display"
}

start_display() {
  # -displayfd picks a free display number and reports it once the server
  # accepts connections.
  rm -f "$WINE_STATE/display"
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset \
    3>"$WINE_STATE/display" >"$WINE_STATE/xvfb.log" 2>&1 </dev/null &
  echo $! >"$WINE_STATE/xvfb.pid"
  # A minute by the wall clock: a loaded machine starts programs slowly.
  deadline=$(($(date +%s) + 60))
  while [ ! -s "$WINE_STATE/display" ]; do
    if [ "$(date +%s)" -ge $deadline ]; then
      echo "Xvfb did not start within a minute; see $WINE_STATE/xvfb.log" >&2
      exit 1
    fi
    sleep 0.05
  done
}

make_prefix() {
  # Unmanaged windows get wine's own title bar, and close at once (a window
  # manager is absent, the managed mode would wait for it). An empty AeDebug
  # debugger makes a crash end the process instead of opening a modal dialog.
  wineboot -i >"$WINE_STATE/wineboot.log" 2>&1 </dev/null
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
  wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' \
    /v Debugger /d '' /f >/dev/null 2>&1
  # Without marlett the caption's close box shows a letter instead of a cross.
  for font in /usr/share/wine/fonts/marlett.ttf /usr/share/fonts/truetype/wine/marlett.ttf; do
    if [ -f "$font" ]; then
      cp "$font" "$WINEPREFIX/drive_c/windows/Fonts/"
      break
    fi
  done
  touch "$WINEPREFIX/.tarnwick-ready"
}

case $action in
  start)
    stop
    start_display
    . "$here/wine-env.sh"
    if [ ! -f "$WINEPREFIX/.tarnwick-ready" ]; then
      rm -rf "$WINEPREFIX"
    fi
    # The server must exist before the first wine call so that it is the
    # persistent one; it runs in the prefix, which must therefore exist.
    mkdir -p "$WINEPREFIX"
    wineserver -p >"$WINE_STATE/wineserver.log" 2>&1 </dev/null
    if [ ! -f "$WINEPREFIX/.tarnwick-ready" ]; then
      make_prefix
    fi
    ;;
  stop) stop ;;
  *)
    echo "usage: $0 start|stop STATE_DIR" >&2
    exit 2
    ;;
esac
