#!/usr/bin/env python3
"""Writes the extreme jobs of the benchmark (bench/extreme/NAME.zkm and NAME.zka).

Each job pushes one limit of the input: the most stock and fix lengths a job can hold, the largest
counts, lengths just under the largest length a job can hold, a kerf wider than every bar, and a
job where no piece fits any bar. The files it writes are kept; run it again after changing it.
"""
import pathlib

HERE = pathlib.Path(__file__).resolve().parent


def write(name, machine, order):
    for suffix, lines in ((".zkm", machine), (".zka", order)):
        (HERE / (name + suffix)).write_bytes("".join(l + "\r\n" for l in lines).encode("cp1252"))


def machine(name, trim="10", clamp="100", kerf="3"):
    return ["ZELK_MDATA V2", name, trim, clamp, kerf, "mm"]


def order(name, stock, fix, tolerance="0", threshold="500"):
    lines = ["ZELK_ADATA V2", "mm", name, tolerance, threshold, "0", str(len(stock))]
    lines += [f"{count}\t{length}" for count, length in stock]
    lines += [str(len(fix))] + [f"{count}\t{length}" for count, length in fix]
    return lines + ["1", "\t", "1", "\t", "", "", ""]


def main():
    write("80x80", machine("Säge"),
          order("80 mal 80", [(3 + i % 5, 6000 + 25 * i) for i in range(80)],
                [(1 + i % 7, 2950 - 33 * i) for i in range(80)]))
    write("largest-counts", machine("Säge"),
          order("Größte Stückzahlen", [(2147483647, 6000), (2147483647, 6500)],
                [(2147483647, 2450), (2147483647, 1980), (2147483647, 515)]))
    write("longest-lengths", machine("Säge", "0", "0", "0"),
          order("Größte Längen", [(3, "21474836.47"), (2, "21474836.46")],
                [(2, "10737418.23"), (1, "21474836.45"), (4, "7158278.82")]))
    write("kerf-wider-than-bars", machine("Säge", "10", "100", "7000"),
          order("Breiter Schnitt", [(10, 6000), (5, 6500)], [(4, 1000), (2, 500)]))
    write("nothing-fits", machine("Säge"),
          order("Passt nicht", [(10, 6000), (5, 6500)], [(4, 7000), (2, 9999.5)]))


if __name__ == "__main__":
    main()
