#!/bin/bash
# The log window under a real X server: a failed run shows the window titled
# with the banner at 404 x 154, not resizable, and stays until it is closed;
# closing it ends the process with status 1. A successful run ends by itself
# with status 0; a bad command line shows a box and ends with status 2.
# Closing the window while Graphviz runs stops it and removes every
# temporary file of the run.
# Skips (77) without a display.
#   log_window_test.sh <tarnwick> <x11_window_tool> <scratch-dir>
set -u
program=$1 tool=$2 scratch=$3
"$tool" probe || exit 77

fail() { echo "FAIL: $*"; [ -n "${pid:-}" ] && kill -9 "$pid" 2>/dev/null; exit 1; }

# Waits up to a minute by the wall clock (a loaded two-core machine is slow)
# for a process to end and gives its status.
wait_end() {
  local p=$1 deadline=$((SECONDS + 60))
  while ((SECONDS < deadline)); do
    kill -0 "$p" 2>/dev/null || { wait "$p"; return $?; }
    sleep 0.1
  done
  return 255
}

rm -rf "$scratch" && mkdir -p "$scratch/bin" "$scratch/work" || exit 1
cp "$program" "$scratch/bin/tarnwick" && echo "; runtime" > "$scratch/bin/PBTarnwickInc.pbi"
# The window is a module beside the program.
cp "$(dirname "$program")/tarnwick-window.so" "$scratch/bin/" || exit 1
printf '%%%%\n(ab  { }\n%%%%\n' > "$scratch/work/bad.lex"
printf '%%%%\n[a-z]+  { }\n%%%%\n' > "$scratch/work/good.lex"
cd "$scratch/work" || exit 1
unset TARNWICK_UI

# Standard output is a file, not a terminal: the window is chosen.
"$scratch/bin/tarnwick" bad.lex > bad.log 2>&1 &
pid=$!
read -r id width height fixed < <("$tool" find "Tarnwick V.1.00" 60000) || fail "no window titled Tarnwick V.1.00"
[ "$width" = 404 ] && [ "$height" = 154 ] || fail "inner size ${width}x${height}, want 404x154"
[ "$fixed" = 1 ] || fail "the window can be resized"
kill -0 "$pid" 2>/dev/null || fail "the process ended before the window was closed"
if [ -n "${TARNWICK_SCREENSHOT:-}" ] && command -v import >/dev/null; then
  import -window root "$TARNWICK_SCREENSHOT"
fi
"$tool" close "$id"
wait_end "$pid"; status=$?
[ "$status" = 1 ] || fail "status $status after closing the window, want 1"
[ -s bad.log ] && fail "the window run wrote to standard output: $(cat bad.log)"
pid=

"$scratch/bin/tarnwick" good.lex > good.log 2>&1 &
pid=$!
wait_end "$pid"; status=$?
[ "$status" = 0 ] || fail "status $status after a successful run, want 0"
[ -f good.lex_lexerout.pbl ] || fail "no output after a successful run"
pid=

# A bad command line from the desktop: a message box with the banner as its
# title; dismissing it ends the process with status 2.
"$scratch/bin/tarnwick" calc.lex -O out.pb > param.log 2>&1 &
pid=$!
read -r id _ < <("$tool" find "Tarnwick V.1.00" 60000) || fail "no parameter error box"
"$tool" close "$id"
wait_end "$pid"; status=$?
[ "$status" = 2 ] || fail "status $status after the parameter error box, want 2"
grep -q "Parameter error" param.log || fail "no parameter error on standard error"
pid=

# Closing the window while Graphviz renders: Graphviz is stopped, nothing
# is placed, and every temporary file of the run is gone, the half-written
# drawing included. The stand-in writes part of its PDF, then never ends.
mkdir -p "$scratch/tmp"
cat >"$scratch/bin/fake-dot" <<'EOF'
#!/bin/sh
for a; do case $a in -o*) out=${a#-o} ;; esac; done
printf '%%PDF- partial' >"$out"
echo $$ >"$FAKE_DOT_PID"
exec tail -f /dev/null
EOF
chmod +x "$scratch/bin/fake-dot"
printf '[Global]\ngraphviz = %s\n' "$scratch/bin/fake-dot" >"$scratch/bin/Yarrowkit.ini"
export FAKE_DOT_PID=$scratch/fake-dot.pid
TMPDIR=$scratch/tmp "$scratch/bin/tarnwick" good.lex -pdf good.pdf > pdf.log 2>&1 &
pid=$!
read -r id _ < <("$tool" find "Tarnwick V.1.00" 60000) || fail "no window for the Graphviz run"
deadline=$((SECONDS + 60))
until [ -s "$FAKE_DOT_PID" ]; do
  ((SECONDS < deadline)) || fail "Graphviz was not started"
  sleep 0.05
done
"$tool" close "$id"
wait_end "$pid"; status=$?
[ "$status" = 1 ] || fail "status $status after closing the window during Graphviz, want 1"
# A zombie left to a container's init that reaps nothing counts as ended.
dot_state=$(ps -o stat= -p "$(cat "$FAKE_DOT_PID")" 2>/dev/null) && [[ $dot_state != Z* ]] &&
  fail "Graphviz still runs after the window was closed"
[ -z "$(ls -A "$scratch/tmp")" ] || fail "temporary files left: $(ls -A "$scratch/tmp")"
[ -e good.pdf ] && fail "a run cut short placed its drawing"
pid=

cd / && rm -rf "$scratch"
echo "PASS"
