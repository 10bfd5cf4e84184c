"""Times tarnwick with and without %compact and weighs the tables.

Each workload's definition is run as written and with a "%compact" line
added after its first line, the two in alternation round after round; the
table keeps medians of wall and CPU time, the table bytes of both outputs
and of flex's scanner (table_bytes.py says how they are counted), the
output sizes, and whether tarnwick-scan gives the same token stream from
both outputs over the workload's sample input.

Usage: compact.py WORKDIR TARNWICK TARNWICK_SCAN RUNSTAT README [--rounds N] [--only NAME,...]
Reads WORKDIR/wl/<name>/ (written by workloads.py), writes the compact
definitions to WORKDIR/wl-compact/, outputs to WORKDIR/out/compact/, the
measurements to WORKDIR/compact.json, and the table into README between
the compact markers.
"""

import datetime
import os
import subprocess
import sys

import harness
import minimize
import table_bytes

BEGIN = "<!-- compact:begin -->"
END = "<!-- compact:end -->"
VARIANTS = ("plain", "compact")


def run_variant(workdir, tarnwick, name, variant):
    definition = (os.path.join(workdir, "wl", name, name + ".lex") if variant == "plain"
                  else minimize.definition_with(workdir, name, "%compact", "wl-compact"))
    outdir = os.path.join(workdir, "out", "compact")
    os.makedirs(outdir, exist_ok=True)
    out = os.path.join(outdir, "%s-%s.pbl" % (name, variant))
    return minimize.run_definition(workdir, tarnwick, definition, out)


def flex_bytes(workdir, name):
    source = os.path.join(workdir, "wl", name, name + ".l")
    if not os.path.exists(source):
        return None, "no flex form"
    out = os.path.join(workdir, "out", "compact", name + "-flex.c")
    proc = subprocess.run(["flex", "-o", out, source], stdout=subprocess.PIPE,
                          stderr=subprocess.PIPE, check=False, timeout=harness.TIMEOUT_S)
    if proc.returncode != 0:
        return None, harness.first_message(proc.stderr.decode("latin-1")) or "flex failed"
    return table_bytes.flex_table_bytes(out), ""


def measure(workdir, tarnwick, scan, names, rounds):
    def figures(name, entry):
        for variant in VARIANTS:
            e = entry[variant]
            if e["runs"]:
                e["tables"] = table_bytes.ours_table_bytes(e["output"])
                e["size"] = os.path.getsize(e["output"])
        entry["flex"], entry["flex_failure"] = flex_bytes(workdir, name)

    def progress(name, entry):
        return "%s flex %s" % ("  ".join(
            "%s %s" % (v, ("%.4fs %d table bytes" % (entry[v]["cpu"], entry[v]["tables"]))
                       if entry[v]["runs"] else "FAIL") for v in VARIANTS), entry["flex"])

    return harness.measure_variants(
        workdir, scan, names, rounds, VARIANTS,
        lambda name, variant: run_variant(workdir, tarnwick, name, variant), figures, progress)


def table(results, source):
    import report
    rows = ["Command: `bench/run.sh` (%s, %s, %s)." % (
        datetime.date.today().isoformat(), source, minimize.rounds_text(results)), "",
        "Machine: %s." % report.machine_text(), "",
        "| workload | table bytes plain / %compact | flex's table bytes | %compact/flex "
        "| %compact/plain | output KB plain / %compact | CPU s plain / %compact "
        "| CPU %compact/plain | same tokens |",
        "|---|---|---|---|---|---|---|---|---|"]
    for name, e in results.items():
        if not all(e[v]["runs"] for v in VARIANTS):
            rows.append("| %s | fails: %s | | | | | | | |" % (
                name, e["plain"].get("failure") or e["compact"].get("failure")))
            continue
        plain, compact = e["plain"]["tables"], e["compact"]["tables"]
        flex = e.get("flex")
        rows.append("| %s | %s | %s | %s | %.3f | %s | %s | %.2f | %s (%s tokens) |" % (
            name, minimize.fmt_pair(e, "tables", report.fmt_num, VARIANTS),
            report.fmt_num(flex) if flex else "n/a (%s)" % e.get("flex_failure"),
            "%.2f" % (compact / flex) if flex else "-", compact / plain,
            minimize.fmt_pair(e, "size", lambda x: report.fmt_num(round(x / 1024)), VARIANTS),
            minimize.fmt_pair(e, "cpu", lambda x: "%.3f" % x, VARIANTS),
            e["compact"]["cpu"] / e["plain"]["cpu"] if e["plain"]["cpu"] else 0.0,
            "yes" if e.get("same_tokens") else "NO", report.fmt_num(e.get("token_lines", 0))))
    return "\n".join(rows)


def main(argv):
    return harness.variant_main(argv, __doc__.splitlines()[0], "compact.json", BEGIN, END,
                                measure, table)


if __name__ == "__main__":
    sys.exit(main(sys.argv))
