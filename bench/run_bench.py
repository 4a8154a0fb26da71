#!/usr/bin/env python3
"""Runs zelk-cli on every reference job at every search depth and prints one table row each.

Usage: run_bench.py ZELK_CLI [--time-limit SECONDS] [--depths XS,S,M,L,XL] [--jobs a,b]
       run_bench.py ZELK_CLI --extreme     the extreme jobs at depth XS for 30 s each; fails when
                                           one crashes or its peak memory reaches 1 GiB
       run_bench.py ZELK_CLI --compare OTHER_CLI [--runs N] [...]
                                           both programs on every job and depth, taking turns N
                                           times; medians of both and their ratio

For each run: seconds to finish both passes (or "stopped" at the limit), seconds to the last
improvement, search nodes, search nodes per second, candidates generated per second, peak memory
(from /usr/bin/time -v), and the best plan's bars used and waste (the rest left on the cut bars).
The machine may be busy with other work: compare programs only side by side, in one run.
"""

import argparse
import json
import os
import re
import statistics
import subprocess
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
JOBS = ["example", "sawshop", "groups", "many-lengths"]
EXTREME_JOBS = ["80x80", "largest-counts", "longest-lengths", "kerf-wider-than-bars",
                "nothing-fits"]
EXTREME_PEAK_MIB = 1024
DEPTHS = ["XS", "S", "M", "L", "XL"]


def run_one(cli, job, depth, limit, folder="jobs"):
    machine = os.path.join(HERE, folder, job + ".zkm")
    order = os.path.join(HERE, folder, job + ".zka")
    command = ["/usr/bin/time", "-v", cli, "--json", "--progress", "--depth", depth,
               "--time-limit", str(limit), "--decimal-separator", ".", machine, order]
    done = subprocess.run(command, capture_output=True, text=True)
    peak = re.search(r"Maximum resident set size \(kbytes\): (\d+)", done.stderr)
    if done.returncode != 0:
        lines = [l for l in done.stderr.strip().splitlines() if not l.startswith("\t")]
        return {"job": job, "depth": depth, "error": lines[-2:],
                "peak_mib": int(peak.group(1)) / 1024.0 if peak else None,
                "crashed": done.returncode < 0 or "Command terminated by signal" in done.stderr}
    result = json.loads(done.stdout)
    peak_kib = int(peak.group(1))
    improvements = re.findall(r"^\s*([0-9.]+) s:", done.stderr, re.MULTILINE)
    stats = result["stats"]
    best = result["best"] or {"bars": []}
    bars = sum(bar["count"] for bar in best["bars"])
    waste = sum(bar["count"] * bar["rest"] for bar in best["bars"]) / 100.0
    return {
        "job": job,
        "depth": depth,
        "finish": "stopped" if stats["stopped"] else "%.2f" % stats["seconds"],
        "last": "%.2f" % float(improvements[-1]) if improvements else "-",
        "nodes": stats["nodes"],
        "nodes_per_s": stats["nodes"] / max(stats["seconds"], 1e-6),
        "cand_per_s": "%.0f" % (stats["candidates_generated"] / max(stats["seconds"], 1e-6)),
        "peak_mib": "%.1f" % (peak_kib / 1024.0),
        "bars": bars,
        "fulfilled": "yes" if best.get("fulfilled") else "no",
        "waste": "%.2f" % waste,
    }


def compare(new_cli, old_cli, jobs, depths, limit, runs):
    """Runs both programs in turns and prints the medians of nodes/s and peak memory."""
    titles = ["job", "depth", "nodes/s new", "nodes/s old", "ratio", "cand./s ratio", "MiB new",
              "MiB old", "same nodes"]
    widths = [14, 5, 12, 12, 7, 14, 8, 8, 10]
    print(" ".join(t.ljust(w) for t, w in zip(titles, widths)))
    for job in jobs:
        for depth in depths:
            rows = {"new": [], "old": []}
            for _ in range(runs):
                rows["new"].append(run_one(new_cli, job, depth, limit))
                rows["old"].append(run_one(old_cli, job, depth, limit))
            if any("error" in row for row in rows["new"] + rows["old"]):
                print(job.ljust(14), depth.ljust(5), "refused")
                continue
            speed = {k: statistics.median(r["nodes_per_s"] for r in v) for k, v in rows.items()}
            # Candidates per second weigh every node by its work: a time limit that ends one
            # program in cheap deep nodes and the other in costly shallow ones counts less.
            candidates = {k: statistics.median(float(r["cand_per_s"]) for r in v)
                          for k, v in rows.items()}
            peak = {k: statistics.median(float(r["peak_mib"]) for r in v)
                    for k, v in rows.items()}
            # A run to its end visits a fixed number of nodes: both must agree on it.
            finished = [r for r in rows["new"] + rows["old"] if r["finish"] != "stopped"]
            same = "-" if len(finished) < 2 * runs else (
                "yes" if len({r["nodes"] for r in finished}) == 1 else "NO")
            cells = [job, depth, "%.0f" % speed["new"], "%.0f" % speed["old"],
                     "%.2f" % (speed["new"] / max(speed["old"], 1e-9)),
                     "%.2f" % (candidates["new"] / max(candidates["old"], 1e-9)), "%.1f" % peak["new"],
                     "%.1f" % peak["old"], same]
            print(" ".join(c.ljust(w) for c, w in zip(cells, widths)))
            sys.stdout.flush()


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("cli")
    parser.add_argument("--time-limit", type=float, default=60)
    parser.add_argument("--depths", default=",".join(DEPTHS))
    parser.add_argument("--jobs", default=",".join(JOBS))
    parser.add_argument("--extreme", action="store_true")
    parser.add_argument("--compare", metavar="OTHER_CLI")
    parser.add_argument("--runs", type=int, default=3)
    args = parser.parse_args()
    if args.compare:
        compare(args.cli, args.compare, args.jobs.split(","), args.depths.split(","),
                args.time_limit, args.runs)
        return 0
    folder = "jobs"
    if args.extreme:
        folder, args.jobs, args.depths, args.time_limit = "extreme", ",".join(EXTREME_JOBS), "XS", 30
    failed = False
    columns = ["job", "depth", "finish", "last", "nodes", "nodes_per_s", "cand_per_s",
               "peak_mib", "bars", "fulfilled", "waste"]
    titles = ["job", "depth", "seconds", "last impr. s", "nodes", "nodes/s", "candidates/s",
              "peak MiB", "bars", "met", "waste"]
    widths = [14, 5, 9, 12, 10, 10, 13, 9, 6, 4, 12]
    print(" ".join(t.ljust(w) for t, w in zip(titles, widths)))
    for job in args.jobs.split(","):
        for depth in args.depths.split(","):
            row = run_one(args.cli, job, depth, args.time_limit, folder)
            if "error" in row:
                peak = "%.1f MiB" % row["peak_mib"] if row["peak_mib"] is not None else "-"
                print(job.ljust(14), depth.ljust(5), "refused:", " ".join(row["error"]),
                      "(peak", peak + ")")
                failed |= row["crashed"]
            else:
                row["nodes_per_s"] = "%.0f" % row["nodes_per_s"]
                print(" ".join(str(row[c]).ljust(w) for c, w in zip(columns, widths)))
            peak_mib = row["peak_mib"]
            if args.extreme and (peak_mib is None or float(peak_mib) >= EXTREME_PEAK_MIB):
                print("  peak memory at or above %d MiB" % EXTREME_PEAK_MIB)
                failed = True
            sys.stdout.flush()
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
