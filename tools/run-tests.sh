#!/usr/bin/env bash
# Builds everything this machine has the parts for and runs every test.
#   tools/run-tests.sh [BUILD_DIR [CMAKE_ARGS...]]
# First installs the packages of .ci/packages that are missing
# (tools/install-packages.sh); where that cannot be done it names the command
# and goes on. Tests that need a display get one from Xvfb when it is
# installed; tests whose optional parts are missing (FLTK, Graphviz, wine)
# report as skipped.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
[ $# -gt 0 ] && shift
"$root/tools/install-packages.sh" || echo "run-tests: going on with the packages at hand" >&2
# Without its test framework the build would pass having tested nothing:
# the configuration fails instead, naming the missing package.
cmake -S "$root" -B "$build" -DTARNWICK_REQUIRE_TESTS=ON "$@"
cmake --build "$build" -j"$(nproc)"
if ! ctest --test-dir "$build" -N -L unit | grep -q 'Total Tests: [1-9]'; then
  echo "run-tests: no unit tests were built in $build" >&2
  exit 1
fi
ctest_cmd=(ctest --test-dir "$build" --output-on-failure -j2 --timeout 600)
if [ -z "${DISPLAY:-}" ] && command -v xvfb-run >/dev/null 2>&1; then
  exec xvfb-run -a -s "-screen 0 1024x768x24 -noreset" "${ctest_cmd[@]}"
fi
exec "${ctest_cmd[@]}"
