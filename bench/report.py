"""Turns the measurements into the table of bench/README.md and the scaling plot.

The table replaces whatever stands between the two marker comments of the
README, so the hand-written analysis around it survives a rerun.  Every
time is shown beside our time divided by the peer's, since only ratios from
one run on one machine mean anything on a shared machine.  The scaling view
fits time = c * x^k by least squares on log-log axes and plots the points
with gnuplot.

Usage: report.py WORKDIR README PNG "COMMAND"
"""

import json
import math
import os
import platform
import subprocess
import sys
import time

BEGIN = "<!-- results:begin -->"
END = "<!-- results:end -->"
HERE = os.path.dirname(os.path.abspath(__file__))
TOOLS = ("ours", "flex", "re2c")

# Targets from the performance issue: workload -> (wording, check).  A check
# gets the entry and the measure to judge by ("wall" or "cpu").
TARGETS = {
    "keywords-100": ("<= flex and <= re2c", lambda e, k: _le(e, "flex", k) and _le(e, "re2c", k)),
    "keywords-500": ("<= flex and <= re2c", lambda e, k: _le(e, "flex", k) and _le(e, "re2c", k)),
    "keywords-1000": ("works, <= re2c", lambda e, k: _le(e, "re2c", k)),
    "keywords-5000": ("<= 0.3 s and <= re2c's memory",
                      lambda e, k: _t(e, "ours", k) <= 0.3 and _m(e, "ours") <= _m(e, "re2c")),
    "c-like": ("<= flex and <= re2c", lambda e, k: _le(e, "flex", k) and _le(e, "re2c", k)),
    "states-300": ("<= flex and <= re2c, in time and in memory",
                   lambda e, k: _le(e, "flex", k) and _le(e, "re2c", k)
                   and _m(e, "ours") <= min(_m(e, "flex"), _m(e, "re2c"))),
    "blowup-15": ("<= re2c", lambda e, k: _le(e, "re2c", k)),
    "blowup-16": ("works, <= 1 s", lambda e, k: _t(e, "ours", k) <= 1.0),
    "diamonds-40": ("<= 0.01 s", lambda e, k: _t(e, "ours", k) <= 0.01),
    "overlap-500": ("<= 1 s", lambda e, k: _t(e, "ours", k) <= 1.0),
    "unicode-200": ("<= re2c -8", lambda e, k: _le(e, "re2c", k)),
}


def _ok(e, tool):
    return bool(e[tool].get("runs"))


def _t(e, tool="ours", key="wall"):
    return e[tool][key] if _ok(e, tool) else math.inf


def _m(e, tool):
    return e[tool]["rss_kb"] if _ok(e, tool) else math.inf


def _le(e, peer, key):
    """Ours is no slower than a peer; a peer that fails counts as beaten."""
    return _ok(e, "ours") and (not _ok(e, peer) or _t(e, "ours", key) <= _t(e, peer, key))


def _met(e, check, key):
    return "yes" if _ok(e, "ours") and check(e, key) else "**no**"


def fmt_time(e, tool, key="wall"):
    if _ok(e, tool):
        return "%.3f" % e[tool][key]
    if e[tool].get("absent"):
        return "n/a"
    return "fails: " + e[tool].get("failure", "?").replace("|", "/")[:60]


def fmt_ratio(e, peer, key="wall"):
    if not _ok(e, "ours") or not _ok(e, peer) or not e[peer][key]:
        return "-"
    return "%.2f" % (e["ours"][key] / e[peer][key])


def fmt_mb(e, tool):
    return "%.1f" % (e[tool]["rss_kb"] / 1024.0) if _ok(e, tool) else "-"


def fmt_num(value):
    return "{:,}".format(value) if isinstance(value, int) else "-"


def fmt_kb(e, tool):
    return "{:,}".format(e[tool]["size"] // 1024) if _ok(e, tool) else "-"


def fit_exponent(xs, ys):
    """Slope of log y over log x (least squares); None with fewer than two points."""
    pts = [(math.log(x), math.log(y)) for x, y in zip(xs, ys) if x and y]
    if len(pts) < 2:
        return None
    mx = sum(p[0] for p in pts) / len(pts)
    my = sum(p[1] for p in pts) / len(pts)
    sxx = sum((p[0] - mx) ** 2 for p in pts)
    if sxx == 0:
        return None
    return sum((p[0] - mx) * (p[1] - my) for p in pts) / sxx


def machine_text():
    cpu = "unknown CPU"
    try:
        with open("/proc/cpuinfo") as f:
            for line in f:
                if line.startswith("model name"):
                    cpu = line.split(":", 1)[1].strip()
                    break
    except OSError:
        pass
    mem = ""
    try:
        with open("/proc/meminfo") as f:
            kb = int(f.readline().split()[1])
            mem = ", %.0f GB RAM" % (kb / 1048576.0)
    except (OSError, ValueError, IndexError):
        pass
    load = os.getloadavg()
    versions = []
    for cmd in (["flex", "--version"], ["re2c", "--version"], ["gcc", "-dumpfullversion"]):
        try:
            versions.append(subprocess.run(cmd, capture_output=True, text=True).stdout.strip())
        except OSError:
            pass
    if versions and versions[-1] and versions[-1][0].isdigit():
        versions[-1] = "gcc " + versions[-1]
    return ("%s, %d logical CPUs%s; %s %s; %s; load average %.1f / %.1f / %.1f at the end of "
            "the run (the machine is shared: ratios from one run are what counts)" % (
                cpu, os.cpu_count() or 0, mem, platform.system(), platform.release(),
                ", ".join(v for v in versions if v), load[0], load[1], load[2]))


def source_text():
    """The commit measured, and whether the generator's sources differed from it."""
    def git(*args):
        try:
            return subprocess.run(["git", "-C", HERE] + list(args), capture_output=True,
                                  text=True).stdout.strip()
        except OSError:
            return ""
    head = git("rev-parse", "--short", "HEAD")
    if not head:
        return "unknown sources"
    dirty = git("status", "--porcelain", "--", "../generator", "../runtime")
    return "commit %s%s" % (head, " with uncommitted changes to the generator" if dirty else "")


def table(data, sem):
    rows = ["| workload | rules | wall s ours | wall s flex | wall s re2c | ours/flex | "
            "ours/re2c | CPU s ours / flex / re2c | CPU ours/flex, ours/re2c | "
            "peak MB ours / flex / re2c | DFA states ours / flex / re2c | "
            "output KB ours / flex / re2c | same tokens as | target | met (wall) | met (CPU) |",
            "|" + "---|" * 16]
    for name, e in data["workloads"].items():
        target, check = TARGETS.get(name, ("", None))
        met_wall = "" if check is None else _met(e, check, "wall")
        met_cpu = "" if check is None else _met(e, check, "cpu")
        s = sem.get(name)
        same = "-" if s is None else (s["peer"] if s["ok"] else "**differs** (%s)" % s["peer"])
        cpu = " / ".join(fmt_time(e, t, "cpu") if _ok(e, t) else "-" for t in TOOLS)
        rows.append("| %s | %s | %s | %s | %s | %s | %s | %s | %s, %s | %s / %s / %s | "
                    "%s / %s / %s | %s / %s / %s | %s | %s | %s | %s |" % (
                        name, e.get("rules", "-"), fmt_time(e, "ours"), fmt_time(e, "flex"),
                        fmt_time(e, "re2c"), fmt_ratio(e, "flex"), fmt_ratio(e, "re2c"), cpu,
                        fmt_ratio(e, "flex", "cpu"), fmt_ratio(e, "re2c", "cpu"),
                        fmt_mb(e, "ours"), fmt_mb(e, "flex"), fmt_mb(e, "re2c"),
                        fmt_num(e["ours"].get("states")), fmt_num(e["flex"].get("states")),
                        fmt_num(e["re2c"].get("states")), fmt_kb(e, "ours"), fmt_kb(e, "flex"),
                        fmt_kb(e, "re2c"), same, target, met_wall, met_cpu))
    return "\n".join(rows)


def series(data, prefix, x_of):
    """(x, {(tool, measure): seconds or None}) for the workloads of one view, by x."""
    points = []
    for name, e in data["workloads"].items():
        if name.startswith(prefix) and _ok(e, "ours"):
            points.append((x_of(name, e), {(t, k): (e[t][k] if _ok(e, t) else None)
                                           for t in TOOLS for k in ("wall", "cpu")}))
    return sorted(points, key=lambda p: p[0])


def exponents(pts, tool, key):
    """Fitted exponent over all points and over the largest three, where the
    fixed start-up cost no longer hides the growth."""
    xs = [x for x, t in pts if t[(tool, key)]]
    ys = [t[(tool, key)] for x, t in pts if t[(tool, key)]]
    return fit_exponent(xs, ys), fit_exponent(xs[-3:], ys[-3:]) if len(xs) > 3 else None


def fmt_k(k):
    return "-" if k is None else "%.2f" % k


def scaling(data, workdir, png):
    views = [("keywords", "rules", series(data, "keywords-", lambda n, e: int(n.split("-")[1]))),
             ("blowup", "DFA states", series(data, "blowup-", lambda n, e: e["ours"]["states"]))]
    lines = []
    legend = {}
    for key, axis, pts in views:
        with open(os.path.join(workdir, "scaling-%s.dat" % key), "w") as f:
            for x, t in pts:
                f.write("%d %s\n" % (x, " ".join(
                    "%.6f" % t[(tool, k)] if t[(tool, k)] else "NaN"
                    for k in ("wall", "cpu") for tool in TOOLS)))
        lines.append("- time against %s (%s), fitted exponent k over all points "
                     "(over the largest three):" % (axis, ", ".join("{:,}".format(x)
                                                                   for x, _ in pts)))
        for measure in ("wall", "cpu"):
            parts = []
            for tool in TOOLS:
                k_all, k_top = exponents(pts, tool, measure)
                legend[(key, tool, measure)] = "%s %s k=%s" % (tool, measure, fmt_k(k_all))
                parts.append("%s %s (%s)" % (tool, fmt_k(k_all), fmt_k(k_top)))
            lines.append("  - %s time: %s" % (measure, "; ".join(parts)))
    if png:
        assigns = ["workdir='%s'" % workdir, "png='%s'" % png]
        for (key, tool, measure), text in legend.items():
            assigns.append("t_%s_%s_%s='%s'" % (key, tool, measure, text))
        subprocess.run(["gnuplot", "-e", "; ".join(assigns), os.path.join(HERE, "scaling.gp")],
                       check=True)
    return "\n".join(lines)


def replace_section(path, begin, end, body):
    """Puts `body` between the markers `begin` and `end` of the file at
    `path`, or appends the markers with `body` where the file lacks them."""
    text = ""
    if os.path.exists(path):
        with open(path) as f:
            text = f.read()
    section = begin + "\n" + body + "\n" + end
    if begin in text and end in text:
        text = text[:text.index(begin)] + section + text[text.index(end) + len(end):]
    else:
        text = text + "\n" + section + "\n"
    with open(path, "w") as f:
        f.write(text)


def main(argv):
    if len(argv) != 5:
        sys.stderr.write(__doc__)
        return 2
    workdir, readme, png, command = argv[1:]
    with open(os.path.join(workdir, "results.json")) as f:
        data = json.load(f)
    sem = {}
    if os.path.exists(os.path.join(workdir, "semcheck.json")):
        with open(os.path.join(workdir, "semcheck.json")) as f:
            sem = json.load(f)
    sys.path.insert(0, HERE)
    import workloads
    known = {w.name: w for w in workloads.all_workloads()}
    ordered = {}
    for name in known:
        if name in data["workloads"]:
            ordered[name] = data["workloads"][name]
            ordered[name]["rules"] = len(known[name].rules)
    data["workloads"] = ordered
    body = "\n".join([
        "Command: `%s` (%s, %s, medians of %d alternating runs per generator)." % (
            command, time.strftime("%Y-%m-%d"), data.get("source", source_text()),
            data["rounds"]),
        "",
        "Machine: " + machine_text() + ".",
        "",
        table(data, sem),
        "",
        "Scaling (time = c * x^k, least squares on log-log axes; plot: `bench/%s`):" %
        os.path.basename(png),
        "",
        scaling(data, workdir, png)])
    replace_section(readme, BEGIN, END, body)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
