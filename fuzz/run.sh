#!/usr/bin/env bash
# Builds the libFuzzer targets in their own clang tree and runs each one for
# a bounded time, seeded from the committed corpus and the examples.
#   fuzz/run.sh [SECONDS] [TARGET...]
# Each target's growing corpus lives in fuzz/corpus-<target>/ (not committed);
# anything that crashes, leaks or times out lands in fuzz/artifacts/ and makes
# the script fail. The committed regression inputs are replayed first.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-60}
[ $# -gt 0 ] && shift
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(fuzz_generate fuzz_regex fuzz_prefs fuzz_scan_tables)
build=${TARNWICK_FUZZ_BUILD:-$root/build-fuzz}

CC=${CC:-clang} CXX=${CXX:-clang++} cmake -S "$root" -B "$build" -DTARNWICK_FUZZ=ON \
  -DBUILD_TESTING=OFF >/dev/null
cmake --build "$build" -j"$(nproc)" --target "${targets[@]}" >/dev/null

# Extra options and seed folders beyond the committed corpus, per target.
declare -A options=(
  [fuzz_generate]="-max_len=4096"
  [fuzz_regex]="-max_len=1024"
  [fuzz_prefs]="-max_len=8192"
  [fuzz_scan_tables]="-max_len=16384"
)
declare -A seeds=(
  [fuzz_generate]="$root/examples"
  [fuzz_prefs]="$root/tests/windows/prefs"
)

mkdir -p "$root/fuzz/artifacts"
status=0
for target in "${targets[@]}"; do
  binary=$(find "$build/fuzz" -maxdepth 1 -name "$target" -type f)
  regressions=$root/fuzz/regressions/$target
  if [ -d "$regressions" ] && [ -n "$(ls -A "$regressions")" ]; then
    echo "== $target: replaying regressions"
    if ! "$binary" -runs=0 "$regressions"/* >"$root/fuzz/artifacts/$target.replay.log" 2>&1; then
      echo "!! $target: a regression input fails again; see fuzz/artifacts/$target.replay.log"
      status=1
      continue
    fi
  fi
  corpus=$root/fuzz/corpus-$target
  mkdir -p "$corpus"
  echo "== $target: ${seconds}s"
  # shellcheck disable=SC2086
  if ! "$binary" "$corpus" "$root/fuzz/corpus/$target" ${seeds[$target]:-} \
      ${options[$target]} -max_total_time="$seconds" -rss_limit_mb=2048 -timeout=10 \
      -artifact_prefix="$root/fuzz/artifacts/$target-" -print_final_stats=1 \
      >"$root/fuzz/artifacts/$target.log" 2>&1; then
    echo "!! $target found a fault; see fuzz/artifacts/$target.log"
    tail -n 40 "$root/fuzz/artifacts/$target.log"
    status=1
  else
    grep -E '^(#[0-9]+ *DONE|stat::number_of_executed_units)' "$root/fuzz/artifacts/$target.log" \
      | tail -n 1 || true
    echo "   corpus: $(ls "$corpus" | wc -l) inputs"
  fi
done
exit $status
