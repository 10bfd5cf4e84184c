#!/bin/sh
# Runs the Linux korvane-installer and the Windows korvane-installer.exe
# (under wine) through the same install and uninstall steps on copies of one
# prepared tool list, and checks after every step that both leave the same
# files and say the same.
#
#   compare-installer.sh WINE_STATE STAGE WORK PREFS_FILE
#
# The "Command" value names the working directory and the tool's file, which
# differ by system by design; that one value is compared after replacing it.
set -eu
state=$1
stage=$2
work=$3
prefs=$4
here=$(cd "$(dirname "$0")" && pwd)

for program in "$stage/linux/korvane-installer" "$stage/windows/korvane-installer.exe"; do
  if [ ! -f "$program" ]; then
    echo "missing $program: the build did not finish" >&2
    exit 1
  fi
done

rm -rf "$work"
mkdir -p "$work/linux" "$work/windows"
cp "$prefs" "$work/linux/tools.prefs"
cp "$prefs" "$work/windows/tools.prefs"
linux_command="Command = $work/linux/Korvane"
windows_command="Command = Z:$(printf '%s' "$work/windows" | tr / '\\')\\Korvane.exe"

# Copies a side's files with its own "Command" line made neutral.
neutral_copy() {
  rm -rf "$work/$1.neutral"
  mkdir -p "$work/$1.neutral"
  for file in "$work/$1"/*; do
    OWN=$2 LC_ALL=C awk '{
      own = ENVIRON["OWN"]
      line = $0; cr = ""
      if (substr(line, length(line)) == "\r") { cr = "\r"; line = substr(line, 1, length(line) - 1) }
      if (line == own) line = "Command = <the tool>"
      printf "%s%s\n", line, cr
    }' "$file" >"$work/$1.neutral/$(basename "$file")"
  done
}

step=0
run_windows() {
  status=0
  (cd "$work/windows" && exec timeout 120 "$here/wine-run.sh" "$state" \
    wine "$stage/windows/korvane-installer.exe" "$@") >"$work/windows.out" 2>&1 || status=$?
  echo $status >"$work/windows.status"
}

compare_step() {
  step=$((step + 1))
  what="step $step ($*)"
  status=0
  (cd "$work/linux" && exec timeout 120 "$stage/linux/korvane-installer" "$@") \
    >"$work/linux.out" 2>&1 || status=$?
  echo $status >"$work/linux.status"
  run_windows "$@"
  # The program reports every install and uninstall, failed ones included:
  # a failure without a word came from wine, which on a loaded machine has
  # once ended a start that way (status 1, nothing written). Such a start is
  # tried once more; had it changed the tool list after all, the comparison
  # of the files below still catches it.
  if [ "$(cat "$work/windows.status")" != 0 ] && [ ! -s "$work/windows.out" ]; then
    echo "note $what: wine ended the program silently with status" \
      "$(cat "$work/windows.status"); trying it again" >&2
    run_windows "$@"
  fi
  if [ "$(cat "$work/linux.status")" != "$(cat "$work/windows.status")" ]; then
    echo "FAIL $what: exit status $(cat "$work/linux.status") on Linux," \
      "$(cat "$work/windows.status") on Windows" >&2
    cat "$work/windows.out" >&2
    exit 1
  fi
  tr -d '\r' <"$work/windows.out" >"$work/windows.out.lf"
  if ! cmp -s "$work/linux.out" "$work/windows.out.lf"; then
    echo "FAIL $what: the messages differ" >&2
    diff "$work/linux.out" "$work/windows.out.lf" >&2 || true
    exit 1
  fi
  neutral_copy linux "$linux_command"
  neutral_copy windows "$windows_command"
  if ! diff -r "$work/linux.neutral" "$work/windows.neutral" >&2; then
    echo "FAIL $what: the files differ" >&2
    exit 1
  fi
}

compare_step --install tools.prefs
compare_step --install tools.prefs
compare_step --uninstall tools.prefs
compare_step --uninstall tools.prefs
compare_step --install tools.prefs
compare_step --install "no such file.prefs"
echo "ok: both builds edit $(basename "$prefs") alike"
