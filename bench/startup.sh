#!/usr/bin/env bash
# Start-up side by side: the whole run of a one-rule definition with tarnwick
# (console log) against re2c and flex on the same rule, timed by hyperfine
# without a shell. Usage: bench/startup.sh [tarnwick ...] (default: the
# Release build in build/); each program needs its PBTarnwickInc.pbi beside it.
# Settings: STARTUP_ROUNDS (5 rounds of STARTUP_RUNS = 200 runs per command).
# The commands take turns round by round, so load from other work on the
# machine falls on all of them alike; the table shows the median of the round
# means and the mean user + system CPU time.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
repo=$(cd "$here/.." && pwd)
rounds=${STARTUP_ROUNDS:-5}
runs=${STARTUP_RUNS:-200}
work=$here/work/startup
programs=("$@")
[ ${#programs[@]} -eq 0 ] && programs=("$repo/build/generator/driver/tarnwick")
for i in "${!programs[@]}"; do programs[i]=$(realpath "${programs[i]}"); done

for tool in hyperfine re2c flex; do
  command -v "$tool" > /dev/null || { echo "startup: $tool is missing" >&2; exit 1; }
done
mkdir -p "$work"
cd "$work"
printf '%%%%\nabc  { ProcedureReturn \247Abc }\n%%%%\n' > one.lex
printf '%%option noyywrap 8bit nounput noinput never-interactive\n%%%%\nabc  { return 1; }\n%%%%\n' > one.l
cat > one.re << 'EOF'
int lex(const unsigned char *YYCURSOR)
{
    /*!re2c
    re2c:define:YYCTYPE = "unsigned char";
    re2c:yyfill:enable = 0;
    "abc" { return 1; }
    * { return -1; }
    */
}
EOF

commands=()
for program in "${programs[@]}"; do commands+=("$program one.lex -o one.pbl"); done
commands+=("re2c one.re -o one.c" "flex -o one.yy.c one.l")
export TARNWICK_UI=console
# The first run places the runtime include; the timed runs are the repeats.
for program in "${programs[@]}"; do "$program" one.lex -o one.pbl > /dev/null; done

echo 'command,mean,stddev,median,user,system,min,max' > rounds.csv
for round in $(seq "$rounds"); do
  hyperfine -N --warmup 20 --runs "$runs" --style none --export-csv round.csv "${commands[@]}" \
    > /dev/null
  tail -n +2 round.csv >> rounds.csv
done

python3 - "$rounds" "${commands[@]}" << 'EOF'
import csv, statistics, sys
rounds, commands = sys.argv[1], sys.argv[2:]
rows = list(csv.DictReader(open("rounds.csv")))
print("| command | wall ms (median of %s round means) | user + system ms |" % rounds)
print("|---|---|---|")
for command in commands:
    mine = [r for r in rows if r["command"] == command]
    wall = statistics.median(float(r["mean"]) for r in mine) * 1000
    cpu = statistics.mean(float(r["user"]) + float(r["system"]) for r in mine) * 1000
    print("| `%s` | %.2f | %.2f |" % (command, wall, cpu))
EOF
