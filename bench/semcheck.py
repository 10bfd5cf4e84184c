"""Checks that our generated scanners tokenise like the peers' scanners.

For every workload, tarnwick-scan runs our generated tables over the sample
input; the flex output of the same workload, compiled with flex_driver.c,
runs over the same input; both print "rule N  line L  col C  "TEXT"" lines
(rule numbers from 0, an unmatched byte as "error", then "eof") and the two
streams must agree token for token.  Where flex rejects the workload, the
re2c output (re2c_driver.c) is the reference instead.

Usage: semcheck.py WORKDIR TARNWICK_SCAN [--all] [--only NAME,...]
Writes WORKDIR/semcheck.json: {name: {"peer": ..., "tokens": n, "ok": bool, "detail": ...}}.
"""

import argparse
import json
import os
import re
import subprocess
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
LINE = re.compile(r'^(rule (\d+)|error|eof)  line (\d+)  col (\d+)(?:  "(.*)")?$')


def unescape(text):
    out = bytearray()
    i = 0
    simple = {"n": 10, "r": 13, "t": 9, '"': 34, "\\": 92}
    while i < len(text):
        c = text[i]
        if c == "\\" and i + 1 < len(text):
            if text[i + 1] == "x":
                out.append(int(text[i + 2:i + 4], 16))
                i += 4
                continue
            out.append(simple.get(text[i + 1], ord(text[i + 1])))
            i += 2
            continue
        out.append(ord(c))
        i += 1
    return bytes(out)


def parse_stream(text):
    """Token tuples (kind, rule, line, col, bytes); unparsable lines are kept as-is."""
    tokens = []
    for line in text.splitlines():
        m = LINE.match(line)
        if not m:
            tokens.append(("?", line))
            continue
        kind = "rule" if m.group(2) else m.group(1)
        tokens.append((kind, int(m.group(2) or -1), int(m.group(3)), int(m.group(4)),
                       unescape(m.group(5) or "")))
    return tokens


def compare(ours, peer):
    """None when equal, else a short description of the first difference."""
    for i, (a, b) in enumerate(zip(ours, peer)):
        if a != b:
            return "token %d: ours %r, peer %r" % (i, a, b)
    if len(ours) != len(peer):
        return "ours has %d tokens, peer %d" % (len(ours), len(peer))
    return None


def run(cmd, timeout=600):
    p = subprocess.run(cmd, capture_output=True, timeout=timeout)
    return p.returncode, p.stdout.decode("latin-1"), p.stderr.decode("latin-1")


def build_peer(peer, source, exe, utf8=False):
    if peer == "flex":
        cmd = ["gcc", "-O0", "-w", "-I" + HERE, "-o", exe, source,
               os.path.join(HERE, "flex_driver.c")]
    else:
        cmd = ["gcc", "-O0", "-w", "-I" + HERE, '-DRE2C_SCANNER="%s"' % source, "-o", exe,
               os.path.join(HERE, "re2c_driver.c")] + (["-DTP_UTF8"] if utf8 else [])
    status, _, err = run(cmd, timeout=1800)
    return status == 0, err


def check(workdir, scan, name, peers, utf8=False):
    sample = os.path.join(workdir, "wl", name, name + ".txt")
    ours_table = os.path.join(workdir, "out", "ours", name + ".pbl")
    if not os.path.exists(ours_table):
        return {"ok": False, "peer": "-", "detail": "no generated scanner of ours"}
    status, out, err = run([scan] + (["--utf8"] if utf8 else []) + [ours_table, sample])
    if status != 0:
        return {"ok": False, "peer": "-", "detail": "tarnwick-scan failed: " + err.strip()}
    ours = parse_stream(out)
    result = {"tokens": len(ours) - 1, "peers": []}
    for peer in peers:
        source = os.path.join(workdir, "out", peer, name + ".c")
        if not os.path.exists(source):
            continue
        exe = os.path.join(workdir, "sem", name + "." + peer)
        os.makedirs(os.path.dirname(exe), exist_ok=True)
        built, err = build_peer(peer, source, exe, utf8)
        if not built:
            result["peers"].append({"peer": peer, "ok": False, "detail": "build failed: " + err[:200]})
            continue
        status, out, err = run([exe, sample])
        diff = compare(ours, parse_stream(out)) if status == 0 else "peer scanner failed: " + \
            (out + err).strip()[:200]
        result["peers"].append({"peer": peer, "ok": diff is None, "detail": diff or ""})
    result["ok"] = bool(result["peers"]) and all(p["ok"] for p in result["peers"])
    result["peer"] = ", ".join(p["peer"] for p in result["peers"]) or "-"
    result["detail"] = "; ".join(p["peer"] + ": " + p["detail"] for p in result["peers"]
                                 if p["detail"])
    return result


def main(argv):
    ap = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    ap.add_argument("workdir")
    ap.add_argument("scan")
    ap.add_argument("--all", action="store_true", help="compare with re2c as well as flex")
    ap.add_argument("--only", default="")
    args = ap.parse_args(argv[1:])
    names = sorted(os.listdir(os.path.join(args.workdir, "wl")))
    if args.only:
        names = [n for n in args.only.split(",") if n in names]
    path = os.path.join(args.workdir, "semcheck.json")
    results = {}
    if args.only and os.path.exists(path):
        with open(path) as f:
            results = json.load(f)
    sys.path.insert(0, HERE)
    import workloads
    utf8_names = {w.name for w in workloads.all_workloads() if w.utf8}
    failures = 0
    for name in names:
        flex_out = os.path.join(args.workdir, "out", "flex", name + ".c")
        peers = ["flex", "re2c"] if args.all else (
            ["flex"] if os.path.exists(flex_out) else ["re2c"])
        r = check(args.workdir, os.path.abspath(args.scan), name, peers, name in utf8_names)
        results[name] = r
        failures += not r["ok"]
        print("%-15s %-10s %6s tokens  %s %s" % (name, r["peer"], r.get("tokens", "-"),
                                                 "same" if r["ok"] else "DIFFERENT", r["detail"]))
        sys.stdout.flush()
    with open(path, "w") as f:
        json.dump(results, f, indent=1)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
