#!/bin/sh
# Runs the Linux tarnwick and the Windows tarnwick.exe (under wine) on one
# definition file, in twin folders with the same relative names, and checks
# that both leave the same files, byte for byte, and say the same.
#
#   compare-generator.sh WINE_STATE STAGE WORK DEFINITION
#
# STAGE holds linux/ and windows/, each a program folder with the runtime
# include, a settings file and the Graphviz stand-in. Two runs per side:
#   1. console log, default output name: the log text must match too (a
#      failing definition ends here, as the window would wait for the user);
#   2. the Windows log window, with an output, dot and PDF name that hold
#      spaces (the PDF name also quotes and backslashes, which the command
#      line for Graphviz must escape), so what Graphviz receives is compared
#      as well.
set -eu
state=$1
stage=$2
work=$3
definition=$4
here=$(cd "$(dirname "$0")" && pwd)
name=$(basename "$definition")

for program in "$stage/linux/tarnwick" "$stage/windows/tarnwick.exe"; do
  if [ ! -f "$program" ]; then
    echo "missing $program: the build did not finish" >&2
    exit 1
  fi
done

rm -rf "$work"
mkdir -p "$work/linux" "$work/windows"
cp "$definition" "$work/linux/$name"
cp "$definition" "$work/windows/$name"

# Runs one side in its folder; the log and the exit status go to files.
run_linux() {
  status=0
  (cd "$work/linux" && TARNWICK_UI=console exec timeout 120 "$stage/linux/tarnwick" "$@") \
    >"$work/linux.log" 2>"$work/linux.err" || status=$?
  echo $status >"$work/linux.status"
}
# run_windows UI ARGS...: UI is the TARNWICK_UI the program gets (console),
# or empty for none, whatever the caller's environment holds.
run_windows() {
  status=0
  ui=$1
  shift
  (cd "$work/windows" && exec timeout 120 "$here/wine-run.sh" "$state" \
    env ${ui:+TARNWICK_UI=$ui} wine "$stage/windows/tarnwick.exe" "$@") \
    >"$work/windows.log" 2>"$work/windows.err" || status=$?
  echo $status >"$work/windows.status"
}

# The two folders must hold the same names with the same bytes.
same_files() {
  (cd "$work/linux" && find . -type f | LC_ALL=C sort) >"$work/linux.files"
  (cd "$work/windows" && find . -type f | LC_ALL=C sort) >"$work/windows.files"
  if ! diff -u "$work/linux.files" "$work/windows.files"; then
    echo "FAIL ($1): the two builds left different files" >&2
    return 1
  fi
  while IFS= read -r file; do
    if ! cmp "$work/linux/$file" "$work/windows/$file"; then
      echo "FAIL ($1): $file differs" >&2
      return 1
    fi
  done <"$work/linux.files"
}

same_status() {
  if [ "$(cat "$work/linux.status")" != "$(cat "$work/windows.status")" ]; then
    echo "FAIL ($1): exit status $(cat "$work/linux.status") on Linux," \
      "$(cat "$work/windows.status") on Windows" >&2
    cat "$work/windows.err" >&2
    return 1
  fi
  if [ "$(cat "$work/windows.status")" = 124 ]; then
    echo "FAIL ($1): the Windows program did not end" >&2
    return 1
  fi
}

# 1. Console log and the default output name.
run_linux "$name"
run_windows console "$name"
same_status "console run"
# The C runtime of a GUI program writes text-mode line ends.
tr -d '\r' <"$work/windows.log" >"$work/windows.log.lf"
if ! cmp "$work/linux.log" "$work/windows.log.lf"; then
  echo "FAIL (console run): the logs differ" >&2
  diff "$work/linux.log" "$work/windows.log.lf" >&2 || true
  exit 1
fi
same_files "console run"
if [ ! -f "$work/linux/${name}_lexerout.pbl" ]; then
  echo "ok: both builds reject $name alike"
  exit 0
fi

# 2. The log window, names with spaces and the Graphviz hand-over.
rm -rf "$work/linux" "$work/windows"
for side in linux windows; do
  mkdir -p "$work/$side/out dir"
  cp "$definition" "$work/$side/$name"
done
set -- "$name" -o "out dir/scanner out.pb" -dot "out dir/the graph.dot" \
  -pdf "out dir/the drawing.pdf" -debug 1
run_linux "$@"
run_windows "" "$@"
same_status "window run"
same_files "window run"
if [ ! -f "$work/windows/arguments.txt" ]; then
  echo "FAIL (window run): Graphviz was not started" >&2
  exit 1
fi
if [ ! -f "$work/windows/out dir/the drawing.pdf" ]; then
  echo "FAIL (window run): the drawing was not placed" >&2
  exit 1
fi
echo "ok: both builds generate $name alike"
