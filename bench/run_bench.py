#!/usr/bin/env python3
"""Runs zelk-cli on every reference job at every search depth and prints one table row each.

Usage: run_bench.py ZELK_CLI [--time-limit SECONDS] [--depths XS,S,M,L,XL] [--jobs a,b]

For each run: seconds to finish both passes (or "stopped" at the limit), seconds to the last
improvement, search nodes, candidates generated per second, peak memory (from /usr/bin/time -v),
and the best plan's bars used and waste (the rest left on the cut bars).
"""

import argparse
import json
import os
import re
import subprocess
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
JOBS = ["example", "sawshop", "groups", "many-lengths"]
DEPTHS = ["XS", "S", "M", "L", "XL"]


def run_one(cli, job, depth, limit):
    machine = os.path.join(HERE, "jobs", job + ".zkm")
    order = os.path.join(HERE, "jobs", job + ".zka")
    command = ["/usr/bin/time", "-v", cli, "--json", "--progress", "--depth", depth,
               "--time-limit", str(limit), "--decimal-separator", ".", machine, order]
    done = subprocess.run(command, capture_output=True, text=True)
    if done.returncode != 0:
        return {"job": job, "depth": depth, "error": done.stderr.strip().splitlines()[-1:]}
    result = json.loads(done.stdout)
    peak_kib = int(re.search(r"Maximum resident set size \(kbytes\): (\d+)", done.stderr).group(1))
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
        "cand_per_s": "%.0f" % (stats["candidates_generated"] / max(stats["seconds"], 1e-6)),
        "peak_mib": "%.1f" % (peak_kib / 1024.0),
        "bars": bars,
        "fulfilled": "yes" if best.get("fulfilled") else "no",
        "waste": "%.2f" % waste,
    }


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("cli")
    parser.add_argument("--time-limit", type=float, default=60)
    parser.add_argument("--depths", default=",".join(DEPTHS))
    parser.add_argument("--jobs", default=",".join(JOBS))
    args = parser.parse_args()
    columns = ["job", "depth", "finish", "last", "nodes", "cand_per_s", "peak_mib", "bars",
               "fulfilled", "waste"]
    titles = ["job", "depth", "seconds", "last impr. s", "nodes", "candidates/s", "peak MiB",
              "bars", "met", "waste"]
    widths = [14, 5, 9, 12, 10, 13, 9, 6, 4, 12]
    print(" ".join(t.ljust(w) for t, w in zip(titles, widths)))
    for job in args.jobs.split(","):
        for depth in args.depths.split(","):
            row = run_one(args.cli, job, depth, args.time_limit)
            if "error" in row:
                print(job.ljust(14), depth.ljust(5), "error:", " ".join(row["error"]))
            else:
                print(" ".join(str(row[c]).ljust(w) for c, w in zip(columns, widths)))
            sys.stdout.flush()


if __name__ == "__main__":
    main()
