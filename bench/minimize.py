"""Times tarnwick with and without %minimize on the generated workloads.

Each workload's definition is run as written and with a "%minimize" line
added after its first line, the two in alternation round after round; the
table keeps medians of wall and CPU time, the DFA states (rows of the action
table) and the output size of both, and whether tarnwick-scan gives the same
token stream from both outputs over the workload's sample input.

Usage: minimize.py WORKDIR TARNWICK TARNWICK_SCAN RUNSTAT README [--rounds N] [--only NAME,...]
Reads WORKDIR/wl/<name>/ (written by workloads.py), writes the minimized
definitions to WORKDIR/wl-min/, outputs to WORKDIR/out/min/, the
measurements to WORKDIR/minimize.json, and the table into README between
the minimize markers.
"""

import datetime
import os
import sys

import harness

BEGIN = "<!-- minimize:begin -->"
END = "<!-- minimize:end -->"
VARIANTS = ("plain", "minimized")


def definition_with(workdir, name, directive, folder):
    """The workload's definition with `directive` as its second line, in
    WORKDIR/FOLDER/<name>/."""
    src = os.path.join(workdir, "wl", name, name + ".lex")
    with open(src, "rb") as f:
        lines = f.read().split(b"\n")
    d = os.path.join(workdir, folder, name)
    os.makedirs(d, exist_ok=True)
    path = os.path.join(d, name + ".lex")
    with open(path, "wb") as f:
        f.write(b"\n".join(lines[:1] + [directive.encode("ascii")] + lines[1:]))
    return path


def run_definition(workdir, tarnwick, definition, out):
    """One measured tarnwick run on `definition` writing `out`."""
    if os.path.exists(out):
        os.remove(out)
    env = dict(os.environ, TARNWICK_UI="console", TMPDIR=os.path.join(workdir, "tmp"))
    os.makedirs(env["TMPDIR"], exist_ok=True)
    res = harness.judge("ours", harness.run_measured([tarnwick, definition, "-o", out], env), out)
    res["output"] = out
    return res


def run_variant(workdir, tarnwick, name, variant):
    definition = (os.path.join(workdir, "wl", name, name + ".lex") if variant == "plain"
                  else definition_with(workdir, name, "%minimize", "wl-min"))
    outdir = os.path.join(workdir, "out", "min")
    os.makedirs(outdir, exist_ok=True)
    return run_definition(workdir, tarnwick, definition,
                          os.path.join(outdir, "%s-%s.pbl" % (name, variant)))


def measure(workdir, tarnwick, scan, names, rounds):
    def figures(name, entry):
        for variant in VARIANTS:
            e = entry[variant]
            if e["runs"]:
                e["states"] = harness.ours_states(e["output"])[0]
                e["size"] = os.path.getsize(e["output"])

    def progress(name, entry):
        return "  ".join("%s %s" % (v, ("%.4fs %d states" % (entry[v]["cpu"], entry[v]["states"]))
                                    if entry[v]["runs"] else "FAIL") for v in VARIANTS)

    return harness.measure_variants(
        workdir, scan, names, rounds, VARIANTS,
        lambda name, variant: run_variant(workdir, tarnwick, name, variant), figures, progress)


def fmt_pair(entry, key, fmt, variants=VARIANTS):
    vals = [entry[v].get(key) for v in variants]
    return " / ".join("-" if x is None else fmt(x) for x in vals)


def rounds_text(results):
    counts = sorted({e.get("rounds", 0) for e in results.values()})
    if len(counts) == 1:
        return "medians of %d alternating runs per variant" % counts[0]
    most = max(counts, key=lambda c: sum(e.get("rounds") == c for e in results.values()))
    others = ["%d for %s" % (c, ", ".join(n for n, e in results.items() if e.get("rounds") == c))
              for c in counts if c != most]
    return "medians of %d alternating runs per variant; %s" % (most, "; ".join(others))


def table(results, source):
    import report
    rows = ["Command: `bench/run.sh` (%s, %s, %s)." % (
        datetime.date.today().isoformat(), source, rounds_text(results)), "",
        "Machine: %s." % report.machine_text(), "",
        "| workload | DFA states plain / %minimize | output KB plain / %minimize "
        "| wall s plain / %minimize | CPU s plain / %minimize | CPU %minimize/plain "
        "| same tokens |",
        "|---|---|---|---|---|---|---|"]
    for name, e in results.items():
        if not all(e[v]["runs"] for v in VARIANTS):
            rows.append("| %s | fails: %s | | | | | |" % (
                name, e["plain"].get("failure") or e["minimized"].get("failure")))
            continue
        ratio = e["minimized"]["cpu"] / e["plain"]["cpu"] if e["plain"]["cpu"] else 0.0
        rows.append("| %s | %s | %s | %s | %s | %.2f | %s (%s tokens) |" % (
            name, fmt_pair(e, "states", report.fmt_num),
            fmt_pair(e, "size", lambda x: report.fmt_num(round(x / 1024))),
            fmt_pair(e, "wall", lambda x: "%.3f" % x), fmt_pair(e, "cpu", lambda x: "%.3f" % x),
            ratio, "yes" if e.get("same_tokens") else "NO",
            report.fmt_num(e.get("token_lines", 0))))
    return "\n".join(rows)


def main(argv):
    return harness.variant_main(argv, __doc__.splitlines()[0], "minimize.json", BEGIN, END,
                                measure, table)


if __name__ == "__main__":
    sys.exit(main(sys.argv))
