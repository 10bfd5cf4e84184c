"""Times tarnwick, flex and re2c on the generated workloads.

Each workload is run by the three generators in turn, round after round,
with the order rotated every round, so that the three share the machine's
load as evenly as a shared machine allows; only medians are kept.  Each run
is started by the small runstat program (runstat.c), which reports its
wall time, CPU time and peak resident set (children it waited for included,
like flex's m4) from wait4.
A generator that fails in the first round is not run again: the failure
and its message are the result.

Usage: harness.py WORKDIR TARNWICK RUNSTAT [--rounds N] [--only NAME,...]
Reads WORKDIR/wl/<name>/, writes outputs to WORKDIR/out/<tool>/ and the
measurements to WORKDIR/results.json.
"""

import argparse
import json
import os
import re
import signal
import statistics
import subprocess
import sys
import tempfile

TOOLS = ("ours", "flex", "re2c")
TIMEOUT_S = int(os.environ.get("BENCH_TIMEOUT", "900"))
RUNSTAT = "runstat"  # set from the command line


def run_measured(cmd, env=None, timeout=TIMEOUT_S):
    """Run cmd through runstat; wall time, CPU time, peak RSS (KB) and exit status."""
    with tempfile.NamedTemporaryFile() as usage_file, tempfile.TemporaryFile() as out_file, \
            tempfile.TemporaryFile() as err_file:
        # A session of its own, so that a timeout ends the generator too,
        # not only runstat.
        proc = subprocess.Popen([RUNSTAT, usage_file.name] + cmd, env=env, stdout=out_file,
                                stderr=err_file, start_new_session=True)
        try:
            proc.wait(timeout=timeout)
        except subprocess.TimeoutExpired:
            os.killpg(proc.pid, signal.SIGKILL)
            proc.wait()
            return {"ok": False, "message": "timeout after %d s" % timeout,
                    "stdout": "", "stderr": ""}
        out_file.seek(0)
        err_file.seek(0)
        stdout = out_file.read().decode("latin-1")
        stderr = err_file.read().decode("latin-1")
        fields = usage_file.read().decode().split()
    if len(fields) != 3:
        return {"ok": False, "message": "runstat failed: " + stderr.strip()[:100],
                "stdout": stdout, "stderr": stderr}
    return {"ok": proc.returncode == 0, "wall": float(fields[0]), "cpu": float(fields[1]),
            "rss_kb": int(fields[2]), "status": proc.returncode, "stdout": stdout,
            "stderr": stderr}


def command_for(tool, name, workdir, tarnwick, utf8=False, conditions=False):
    src = os.path.join(workdir, "wl", name, name)
    outdir = os.path.join(workdir, "out", tool)
    os.makedirs(outdir, exist_ok=True)
    if tool == "ours":
        out = os.path.join(outdir, name + ".pbl")
        env = dict(os.environ, TARNWICK_UI="console", TMPDIR=os.path.join(workdir, "tmp"))
        os.makedirs(env["TMPDIR"], exist_ok=True)
        return [tarnwick, src + ".lex", "-o", out], env, out
    if tool == "flex":
        out = os.path.join(outdir, name + ".c")
        return ["flex", "-v", "-o", out, src + ".l"], None, out
    out = os.path.join(outdir, name + ".c")
    flags = (["-8"] if utf8 else []) + (["-c"] if conditions else [])
    return ["re2c"] + flags + ["-o", out, src + ".re"], None, out


def first_message(text):
    for line in text.splitlines():
        if "error" in line.lower() or "too " in line.lower():
            return line.strip()
    lines = [l.strip() for l in text.splitlines() if l.strip()]
    return lines[-1] if lines else ""


def judge(tool, result, out_path):
    """Our generator always exits 0 (by design), so success is read from its log."""
    if tool == "ours":
        done = "Done! No errors!" in result["stdout"] and os.path.exists(out_path)
        if not done and result.get("status", 0) == 0:
            result["message"] = first_message(result["stdout"] + result["stderr"]) or "no output"
        result["ok"] = done and result.get("status", 0) == 0
    if not result["ok"] and "message" not in result:
        result["message"] = first_message(result["stderr"] + result["stdout"]) or (
            "exit status %s" % result.get("status"))
    return result


def ours_states(path):
    """Rows of the action table are the DFA states; the info line gives the columns."""
    states = columns = 0
    section = None
    with open(path, "rb") as f:
        for raw in f:
            line = raw.strip()
            if line.endswith(b":") and line.startswith(b"__yylexer_"):
                section = line
            elif line.startswith(b"Data.i"):
                if section == b"__yylexer_actionTable:":
                    states += 1
                elif section == b"__yylexer_info:":
                    columns = int(line.split(b",")[1])
    return states, columns


def flex_states(stderr):
    m = re.search(r"(\d+)/\d+ DFA states", stderr)
    return int(m.group(1)) if m else None


def re2c_states(path):
    with open(path, "rb") as f:
        return len(re.findall(rb"(?m)^yy\d+:", f.read()))


def measure(workdir, tarnwick, names, rounds, utf8_names=(), condition_names=(),
            log=sys.stdout):
    results = {}
    for name in names:
        entry = {tool: {"runs": []} for tool in TOOLS}
        failed = set()
        if not os.path.exists(os.path.join(workdir, "wl", name, name + ".l")):
            entry["flex"]["absent"] = True  # flex cannot lex Unicode text
            failed.add("flex")
        for r in range(rounds):
            order = TOOLS[r % 3:] + TOOLS[:r % 3]
            for tool in order:
                if tool in failed:
                    continue
                cmd, env, out = command_for(tool, name, workdir, tarnwick, name in utf8_names,
                                            name in condition_names)
                if os.path.exists(out):
                    os.remove(out)
                res = judge(tool, run_measured(cmd, env), out)
                if not res["ok"]:
                    failed.add(tool)
                    entry[tool]["failure"] = res["message"]
                    continue
                entry[tool]["runs"].append({"wall": res["wall"], "rss_kb": res["rss_kb"],
                                            "cpu": res["cpu"]})
                if tool == "flex":
                    entry[tool]["states"] = flex_states(res["stderr"])
                entry[tool]["size"] = os.path.getsize(out)
                entry[tool]["output"] = out
        for tool in TOOLS:
            e = entry[tool]
            if e["runs"]:
                e["wall"] = statistics.median(x["wall"] for x in e["runs"])
                e["cpu"] = statistics.median(x["cpu"] for x in e["runs"])
                e["rss_kb"] = statistics.median(x["rss_kb"] for x in e["runs"])
        if entry["ours"]["runs"]:
            entry["ours"]["states"], entry["ours"]["columns"] = ours_states(entry["ours"]["output"])
        if entry["re2c"]["runs"]:
            entry["re2c"]["states"] = re2c_states(entry["re2c"]["output"])
        results[name] = entry
        log.write("%-15s %s\n" % (name, "  ".join(
            "%s %s" % (t, ("%.4fs" % entry[t]["wall"]) if entry[t]["runs"] else "FAIL")
            for t in TOOLS)))
        log.flush()
    return results



def save_results(path, results, rounds, source, keep_others):
    """Writes `results` to the JSON file at `path` and gives back every
    workload it then holds; with `keep_others` (a run of selected workloads)
    the other workloads' earlier results stay."""
    merged = {}
    if keep_others and os.path.exists(path):
        with open(path) as f:
            merged = json.load(f).get("workloads", {})
    merged.update(results)
    with open(path, "w") as f:
        json.dump({"rounds": rounds, "source": source, "workloads": merged}, f, indent=1)
    return merged


def tokens(scan, output, sample):
    """tarnwick-scan's exit status and token stream for `output` over `sample`."""
    proc = subprocess.run([scan, output, sample], stdout=subprocess.PIPE,
                          stderr=subprocess.PIPE, check=False)
    return proc.returncode, proc.stdout


def measure_variants(workdir, scan, names, rounds, variants, run, figures, progress,
                     log=sys.stdout):
    """Times two variants of each workload's definition in alternation.

    run(name, variant) is one measured run; figures(name, entry) adds each
    variant's own figures once the medians are known; progress(name, entry)
    is the text of the workload's progress line. The token streams of the
    two variants' outputs over the workload's sample are compared last."""
    results = {}
    for name in names:
        entry = {v: {"runs": []} for v in variants}
        entry["rounds"] = rounds
        for r in range(rounds):
            for variant in (variants if r % 2 == 0 else variants[::-1]):
                res = run(name, variant)
                if not res["ok"]:
                    entry[variant]["failure"] = res.get("message", "failed")
                    continue
                entry[variant]["runs"].append({"wall": res["wall"], "cpu": res["cpu"]})
                entry[variant]["output"] = res["output"]
        for variant in variants:
            e = entry[variant]
            if e["runs"]:
                e["wall"] = statistics.median(x["wall"] for x in e["runs"])
                e["cpu"] = statistics.median(x["cpu"] for x in e["runs"])
        figures(name, entry)
        if all(entry[v]["runs"] for v in variants):
            sample = os.path.join(workdir, "wl", name, name + ".txt")
            a = tokens(scan, entry[variants[0]]["output"], sample)
            b = tokens(scan, entry[variants[1]]["output"], sample)
            entry["same_tokens"] = a[0] == 0 and a == b
            entry["token_lines"] = a[1].count(b"\n")
        results[name] = entry
        log.write("%-15s %s\n" % (name, progress(name, entry)))
        log.flush()
    return results


def variant_main(argv, description, results_file, begin, end, measure, table):
    """The command line shared by the variant benchmarks (minimize.py,
    compact.py): WORKDIR TARNWICK TARNWICK_SCAN RUNSTAT README [--rounds N]
    [--only NAME,...]. measure(workdir, tarnwick, scan, names, rounds) gives
    the results, kept in WORKDIR/`results_file`; table(results, source) is
    written into README between `begin` and `end`. Exits 1 where a
    workload's two variants scan differently."""
    ap = argparse.ArgumentParser(description=description)
    for arg in ("workdir", "tarnwick", "scan", "runstat", "readme"):
        ap.add_argument(arg)
    ap.add_argument("--rounds", type=int, default=5)
    ap.add_argument("--only", default="")
    args = ap.parse_args(argv[1:])
    import workloads
    names = [w.name for w in workloads.all_workloads()
             if os.path.isdir(os.path.join(args.workdir, "wl", w.name))]
    if args.only:
        names = [n for n in names if n in args.only.split(",")]
    global RUNSTAT
    RUNSTAT = os.path.abspath(args.runstat)
    import report
    source = report.source_text()
    results = measure(args.workdir, os.path.abspath(args.tarnwick), os.path.abspath(args.scan),
                      names, args.rounds)
    old = save_results(os.path.join(args.workdir, results_file), results, args.rounds, source,
                       keep_others=bool(args.only))
    report.replace_section(args.readme, begin, end, table(old, source))
    return 0 if all(e.get("same_tokens") for e in old.values()) else 1


def main(argv):
    ap = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    ap.add_argument("workdir")
    ap.add_argument("tarnwick")
    ap.add_argument("runstat")
    ap.add_argument("--rounds", type=int, default=5)
    ap.add_argument("--only", default="")
    args = ap.parse_args(argv[1:])
    names = sorted(os.listdir(os.path.join(args.workdir, "wl")))
    if args.only:
        names = [n for n in args.only.split(",") if n in names]
    import workloads
    known = workloads.all_workloads()
    order = [w.name for w in known]
    utf8_names = {w.name for w in known if w.utf8}
    condition_names = {w.name for w in known if w.conditions}
    names.sort(key=lambda n: order.index(n) if n in order else len(order))
    global RUNSTAT
    RUNSTAT = os.path.abspath(args.runstat)
    import report
    source = report.source_text()  # what run.sh has just built
    results = measure(args.workdir, os.path.abspath(args.tarnwick), names, args.rounds,
                      utf8_names, condition_names)
    save_results(os.path.join(args.workdir, "results.json"), results, args.rounds, source,
                 keep_others=bool(args.only))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
