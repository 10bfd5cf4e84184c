# Sourced by the wine test scripts: the one environment every wine call on the
# shared test prefix must see. A different TMPDIR or prefix would start a
# second wineserver, and an unpinned locale would change the ANSI code page.
# Expects WINE_STATE: the fixture's folder in the build tree.
WINE_STATE=$(cd "$WINE_STATE" && pwd)
export WINEPREFIX="$WINE_STATE/prefix"
export TMPDIR="$WINE_STATE/tmp"
export WINEDEBUG=-all
# No .NET or HTML engine to install; no menu entries in the user's desktop.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
export HOME="${HOME:-$WINE_STATE}"
export WINEARCH=win64
export LC_ALL=C.UTF-8
# wine hands the Unix environment to the Windows programs: a TARNWICK_UI of
# the caller's would choose the log for them. Each test names the one it
# wants; without one the program decides as it would on Windows.
unset TARNWICK_UI
if [ -s "$WINE_STATE/display" ]; then
  DISPLAY=":$(head -n 1 "$WINE_STATE/display")"
  export DISPLAY
fi
