#!/usr/bin/env python3
"""How good are the plans: the search against the lower bound and the optimum stage.

Usage: quality.py ZELK_CLI [--benchdata DIR] [--search-seconds 5] [--stage-seconds 10]

For each instance of the benchmark data (manifest.tsv, converted with its to_zelk.py) and each
reference job in bench/jobs: the proven optimum where known, the search's plan at depth XS after
the search seconds, the lower bound and the seconds it took beside the search, and the optimum stage's
plan (on its own, as --optimum-only runs it), whether it is proven optimal, and its seconds.
Instances are counted in bars of their one stock length, reference jobs in metres of usable
length. Ends with the goals: the bound never above a known optimum, the stage at the known
optimum everywhere and proven on all but those whose optimum lies above the bound, and the bound
of every reference job within a second.
"""

import argparse
import csv
import json
import os
import subprocess
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(HERE)
METRE = 100000  # hundredths of a millimetre
JOBS = ["example", "sawshop", "groups", "many-lengths"]


def run_cli(cli, machine, order, *options):
    command = [cli, "--json", "--depth", "XS", "--decimal-separator", "."] + list(options)
    done = subprocess.run(command + [machine, order], capture_output=True, text=True)
    if done.returncode != 0:
        raise RuntimeError("%s: %s" % (" ".join(command), done.stderr.strip()))
    return json.loads(done.stdout)


def measure(cli, machine, order, args):
    searched = run_cli(cli, machine, order, "--time-limit", str(args.search_seconds))
    staged = run_cli(cli, machine, order, "--optimum-only", "--time-limit",
                        str(args.stage_seconds))
    best = searched["best"]
    return {
        "usable": max(searched["job"]["stock_usable"]),
        "search": best["used_length"] if best and best["fulfilled"] else None,
        "bound": searched["bound"]["used_length"],
        "bound_s": searched["stats"]["bound_seconds"],
        "stage": staged["optimum"]["used_length"],
        "status": staged["optimum"]["status"],
        "stage_s": staged["optimum"]["seconds"],
        "timed_out": staged["optimum"]["timed_out"],
    }


def show(value, unit, metres):
    if value is None:
        return "-"
    return "%.2f" % (value / unit) if metres else "%d" % round(value / unit)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("cli")
    parser.add_argument("--benchdata", default=os.path.join(ROOT, "..", "shared", "benchdata"))
    parser.add_argument("--search-seconds", type=float, default=5)
    parser.add_argument("--stage-seconds", type=float, default=10)
    args = parser.parse_args()
    titles = ["instance", "optimum", "search XS", "bound", "bound s", "stage", "proven",
              "stage s"]
    widths = [22, 8, 10, 8, 8, 8, 7, 8]
    print(" ".join(t.ljust(w) for t, w in zip(titles, widths)))
    failures = []
    rows = []
    with tempfile.TemporaryDirectory() as folder:
        instances = []
        manifest = os.path.join(args.benchdata, "manifest.tsv")
        if os.path.exists(manifest):
            subprocess.run([sys.executable, os.path.join(args.benchdata, "to_zelk.py"), folder],
                           check=True, capture_output=True)
            with open(manifest, newline="") as handle:
                for entry in csv.DictReader(handle, delimiter="\t"):
                    instances.append((entry["name"], os.path.join(folder, entry["name"]),
                                      int(entry["known_opt"])))
        else:
            print("no benchmark data at %s" % args.benchdata)
        for job in JOBS:
            instances.append((job, os.path.join(HERE, "jobs", job), None))
        for name, base, optimum in instances:
            row = measure(args.cli, base + ".zkm", base + ".zka", args)
            unit = row["usable"] if optimum is not None else METRE
            cells = [name, str(optimum) if optimum is not None else "-",
                     show(row["search"], unit, optimum is None),
                     show(row["bound"], unit, optimum is None), "%.2f" % row["bound_s"],
                     show(row["stage"], unit, optimum is None),
                     {"proven": "yes"}.get(row["status"], "no"), "%.2f" % row["stage_s"]]
            print(" ".join(c.ljust(w) for c, w in zip(cells, widths)))
            sys.stdout.flush()
            row.update(name=name, optimum=optimum, unit=unit)
            rows.append(row)
    known = [r for r in rows if r["optimum"] is not None]
    for r in known:
        if r["bound"] is not None and r["bound"] > r["optimum"] * r["unit"]:
            failures.append("%s: bound above the known optimum" % r["name"])
    reached = sum(1 for r in known if r["stage"] == r["optimum"] * r["unit"])
    proven = sum(1 for r in known if r["status"] == "proven")
    search = sum(1 for r in known if r["search"] == r["optimum"] * r["unit"])
    slow = [r["name"] for r in rows if r["optimum"] is None and r["bound_s"] > 1]
    timed_out = [r["name"] for r in rows if r["timed_out"]]
    print()
    slowest = max((r["stage_s"] for r in known), default=0)
    print("search XS at the optimum: %d of %d; stage at the optimum: %d, proven: %d, "
          "at most %.2f s" % (search, len(known), reached, proven, slowest))
    if slow:
        failures.append("bound above 1 s: " + ", ".join(slow))
    if timed_out:
        failures.append("stage ended on its safety net, not its work budgets: "
                        + ", ".join(timed_out))
    for failure in failures:
        print("FAULT:", failure)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
