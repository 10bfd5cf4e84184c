#!/usr/bin/env bash
# Reproduces bench/README.md's table and bench/scaling.png: builds the Release
# generator, writes the workloads, times tarnwick, flex and re2c in
# alternation, checks our scanners' token streams against the peers', writes
# the report, and then times every workload with and without %minimize
# (minimize.py). Settings: BENCH_ROUNDS (5), BENCH_ONLY (names, comma-
# separated), BENCH_BUILD (build directory), BENCH_CHECK_ALL=1 (compare with
# re2c as well as flex).
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
repo=$(cd "$here/.." && pwd)
build=${BENCH_BUILD:-$repo/build-bench-rel}
work=$here/work
rounds=${BENCH_ROUNDS:-5}
python=python3
[ -x /usr/bin/python3 ] && python=/usr/bin/python3

missing=()
for tool in cmake g++ gcc "$python" flex re2c gnuplot; do
  command -v "$tool" > /dev/null 2>&1 || missing+=("$tool")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "bench: missing programs: ${missing[*]}" >&2
  echo "bench: on Debian: apt-get install cmake g++ python3 flex re2c gnuplot-nox" >&2
  exit 1
fi

echo "== build (Release) in $build"
cmake -S "$repo" -B "$build" -DCMAKE_BUILD_TYPE=Release > "$work.cmake.log" 2>&1 \
  || { cat "$work.cmake.log" >&2; exit 1; }
cmake --build "$build" --target tarnwick tarnwick-scan -j2 > "$work.build.log" 2>&1 \
  || { tail -30 "$work.build.log" >&2; exit 1; }
rm -f "$work.cmake.log" "$work.build.log"
tarnwick=$build/generator/driver/tarnwick
scan=$build/tools/tarnwick_scan/tarnwick-scan

only=()
[ -n "${BENCH_ONLY:-}" ] && only=(--only "$BENCH_ONLY")
names=()
[ -n "${BENCH_ONLY:-}" ] && IFS=, read -r -a names <<< "$BENCH_ONLY"

mkdir -p "$work"
gcc -O2 -o "$work/runstat" "$here/runstat.c"

echo "== self-test of the benchmark scripts"
(cd "$here" && "$python" -m unittest -q test_bench)

echo "== workloads"
"$python" "$here/workloads.py" "$work/wl" "${names[@]}"

echo "== timing ($rounds rounds)"
(cd "$here" && "$python" harness.py "$work" "$tarnwick" "$work/runstat" --rounds "$rounds" "${only[@]}")

echo "== token streams"
check=()
[ "${BENCH_CHECK_ALL:-0}" = 1 ] && check=(--all)
status=0
(cd "$here" && "$python" semcheck.py "$work" "$scan" "${check[@]}" "${only[@]}") || status=$?

echo "== report"
"$python" "$here/report.py" "$work" "$here/README.md" "$here/scaling.png" "bench/run.sh"
echo "== %minimize"
(cd "$here" && "$python" minimize.py "$work" "$tarnwick" "$scan" "$work/runstat" "$here/README.md" \
  --rounds "$rounds" "${only[@]}") || status=$?
echo "== %compact"
(cd "$here" && "$python" compact.py "$work" "$tarnwick" "$scan" "$work/runstat" "$here/README.md" \
  --rounds "$rounds" "${only[@]}") || status=$?
echo "bench: wrote $here/README.md and $here/scaling.png"
[ $status -eq 0 ] || echo "bench: some token streams differ (see the table)" >&2
exit $status
