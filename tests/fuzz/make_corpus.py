#!/usr/bin/env python3
"""Writes the seed corpus of the fuzz targets into tests/data/corpus/TARGET/.

Good files of every kind (version 1 and 2, umlauts in Windows-1252 and in UTF-8, LF and CR-only
line ends) and broken ones made from them: cut after every line, huge and negative counts, binary
junk. Lines of 10 MB are not kept here: the replay test makes them when it runs.
Run again after changing it; the files it writes are kept in the repository. Its argument is
a result file written by zelk-cli --result for the sample machine and order.
"""
import pathlib
import random
import sys

ROOT = pathlib.Path(__file__).resolve().parents[2]
CORPUS = ROOT / "tests" / "data" / "corpus"


def lines_to_bytes(lines, encoding="cp1252", end="\r\n"):
    return "".join(line + end for line in lines).encode(encoding)


MACHINE_V2 = ["ZELK_MDATA V2", "Säge Größe", "10", "100", "3", "mm"]
MACHINE_V1 = ["ZELK_MDATA V1", "Alte Säge", "5,5", "80", "4,2"]
MACHINE_INCH = ["ZELK_MDATA V2", "Säge Zoll", "0.5", "4", "0.125", "in."]

ORDER_V2 = ["ZELK_ADATA V2", "mm", "Regal Ü", "2", "500", "0",
            "2", "120\t6000", "80\t6500",
            "4", "24\t2450", "36\t1980", "40\t1735", "18\t1520",
            "2", "5\t990", "7\t330",
            "1", "3\t1200",
            "Füße", "Böden", "Stützen"]
ORDER_V1 = ["ZELK_ADATA V1", "Altauftrag", "0", "0", "0",
            "1", "10\t6000", "2", "4\t2000", "6\t1500", "1", "\t", "1", "\t"]
ORDER_BAD_NUMBERS = ["ZELK_ADATA V2", "mm", "Fehler", "x", "-5", "0",
                     "3", "a\t6000", "2\t6.000,5", "-1\t-600",
                     "2", "999999999999\t1", "2\t0,001",
                     "1", "\t", "1", "\t", "", "", ""]


def result_lines():
    sample = pathlib.Path(sys.argv[1]) if len(sys.argv) > 1 else pathlib.Path("-")
    if sample.exists():
        text = sample.read_bytes().decode("cp1252")
        return text.replace("\r\n", "\n").split("\n")[:-1]
    return MACHINE_V2 + ORDER_V2 + ["ZELK_EDATA V1", "1\t2", "Nr.\tMax LL\tRest/LL\t",
                                    "1\t6000\t0\t", "1\t2", "\t\t\t", "\t\t\t"]


def broken_variants(lines, count_lines):
    """Cut after every line; counts made huge, negative and wrong; junk in the middle."""
    variants = {}
    for cut in range(len(lines)):
        variants[f"cut_{cut:03d}"] = lines_to_bytes(lines[:cut])
        variants[f"cut_{cut:03d}_noend"] = lines_to_bytes(lines[:cut + 1])[:-2]
    for index in count_lines:
        for name, value in [("huge", "2147483647"), ("over", "99999999999999"),
                            ("negative", "-2147483648"), ("minus1", "-1"), ("text", "zwölf"),
                            ("large", "70000"), ("tab", "3\t3")]:
            changed = list(lines)
            changed[index] = value
            variants[f"count{index}_{name}"] = lines_to_bytes(changed)
    randomness = random.Random(20261209)
    for n in range(6):
        data = bytearray(lines_to_bytes(lines))
        for _ in range(8):
            data[randomness.randrange(len(data))] = randomness.randrange(256)
        variants[f"junk_{n}"] = bytes(data)
    variants["binary"] = bytes(randomness.randrange(256) for _ in range(4096))
    variants["nul_bytes"] = b"\x00" * 300
    variants["bom_utf8"] = b"\xef\xbb\xbf" + lines_to_bytes(lines, "utf-8")
    variants["invalid_utf8"] = lines_to_bytes(lines, "utf-8") + b"\xc3\x28\xff\xfe"
    return variants


def good_variants(name, lines):
    return {
        f"{name}_cp1252_crlf": lines_to_bytes(lines),
        f"{name}_utf8_crlf": lines_to_bytes(lines, "utf-8"),
        f"{name}_lf": lines_to_bytes(lines, end="\n"),
        f"{name}_cr_only": lines_to_bytes(lines, end="\r"),
    }


def write(target, files):
    folder = CORPUS / target
    folder.mkdir(parents=True, exist_ok=True)
    for old in folder.iterdir():
        old.unlink()
    for name, data in files.items():
        (folder / name).write_bytes(data)


def order_count_lines(lines):
    """Indexes of the list count lines of an order section starting at 0."""
    indexes, i = [], 6 if lines[0].endswith("V2") else 5
    while i < len(lines) and len(indexes) < 4:
        indexes.append(i)
        i += int(lines[i]) + 1
    return indexes


def main():
    result = result_lines()
    machine_files = {}
    for name, lines in [("v2", MACHINE_V2), ("v1", MACHINE_V1), ("inch", MACHINE_INCH)]:
        machine_files.update(good_variants(name, lines))
    machine_files.update(broken_variants(MACHINE_V2, []))
    machine_files["wrong_magic"] = lines_to_bytes(["ZELK_MDATA V3"] + MACHINE_V2[1:])
    write("machine_file", machine_files)

    order_files = {}
    for name, lines in [("v2", ORDER_V2), ("v1", ORDER_V1), ("bad_numbers", ORDER_BAD_NUMBERS)]:
        order_files.update(good_variants(name, lines))
    order_files.update(broken_variants(ORDER_V2, order_count_lines(ORDER_V2)))
    order_files["inch_unit"] = lines_to_bytes(["ZELK_ADATA V2", "in."] + ORDER_V2[2:])
    write("order_file", order_files)

    edata = result.index("ZELK_EDATA V1")
    grid2 = edata + 2 + int(result[edata + 1].split("\t")[0]) + 1
    result_files = good_variants("sample", result)
    result_files.update(good_variants("v1_sections", MACHINE_V1 + ORDER_V1 + result[edata:]))
    result_files.update(broken_variants(result, [edata + 1, grid2]))
    result_files["no_result_section"] = lines_to_bytes(result[:edata])
    write("result_file", result_files)

    job_files = {
        "plain": "10\n100\n3\n0\n500\n120\t6000\n80\t6500\n#\n24\t2450\n36\t1980\n#\n5\t990\n",
        "comma": "\x0110,5\n100\n3,2\n1\n500\n2\t6000,5\n#\n3\t1000,25\n",
        "kerf_larger": "0\n0\n9000\n0\n0\n1\t6000\n#\n1\t100\n",
        "nothing_fits": "10\n100\n3\n0\n0\n1\t1000\n#\n1\t5000\n",
        "extreme_counts": "0\n0\n0\n0\n0\n2147483647\t21474836.47\n#\n2147483647\t21474836.46\n",
        "negative": "-10\n-100\n-3\n-1\n-5\n-1\t-6000\n#\n-2\t-10\n",
        "over_limit": "0\n0\n0\n0\n0\n1\t99999999999\n#\n1\t1e308\n",
        "empty_rows": "\n\n\n\n\n\t\n\t\n#\n\t5\n3\t\n",
        "groups": "0\n0\n0\n0\n0\n1\t6000\n#\n1\t500\n#\n2\t500\n#\n3\t500\n",
        "many_kinds": "0\n0\n3\n0\n0\n" + "".join(f"5\t{5000 + i}\n" for i in range(90)) + "#\n"
        + "".join(f"7\t{100 + 13 * i}\n" for i in range(90)),
    }
    write("read_job", {k: v.encode("latin-1") for k, v in job_files.items()})

    clipboard_files = {
        "excel": b"12\t2450\r\n24\t1980,5\r\n",
        "points": b"1.200\t6.000\n3\t1.500,25\n",
        "bad_values": b"x\t6000\n5\ty\n\t\n-3\t-400\n99999999999\t1\n",
        "one_column": b"6000\n5000\n",
        "cr_only": b"3\t400\r4\t500\r",
        "many_rows": b"".join(b"%d\t%d\n" % (i, 100 + i) for i in range(150)),
        "long_paste": b"".join(b"1\t%d\n" % (i + 1) for i in range(2400)),
        "umlauts_utf8": "Stück\tLänge\n2\t300\n".encode("utf-8"),
        "umlauts_cp1252": "Stück\tLänge\n2\t300\n".encode("cp1252"),
        "binary": bytes(random.Random(7).randrange(256) for _ in range(2048)),
    }
    write("clipboard", clipboard_files)

    number_files = {name: text.encode("latin-1") for name, text in {
        "plain": "600.5", "comma": "600,5", "exponent": "1e5", "huge": "9" * 60,
        "limit": "21474836.47", "over": "21474836.48", "negative_limit": "-21474836.48",
        "blanks": "  12,30  ", "signs": "+-3", "places": "2.125", "nan": "nan", "inf": "inf",
        "points": "1.234.567,89", "hex": "0x1F", "empty": "",
    }.items()}
    for value in [0, 1, -1, 5, 99, 100, 12345, 2147483647, -2147483648, 2147483646, 999999999]:
        number_files[f"round_{value}"] = value.to_bytes(4, "little", signed=True)
    write("numbers", number_files)
    return 0


if __name__ == "__main__":
    sys.exit(main())
