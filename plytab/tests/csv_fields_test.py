#!/usr/bin/env python3
"""Every table "plytab csv" writes, checked against its fixed columns.

  csv_fields_test.py CSV_PROGRAM CASES_FOLDER

Takes the example tables the suite's case folders hold (the expected
outputs of the example runs), writes each as CSV with the program, and reads
every field of every record again from its own columns here, independently
of the record layer: the header must be the layout's field names, there must
be one row per record, an integer must be the field's integer, and a real
the shortest text that reads back as the field's own 32-bit value.
"""
import csv
import io
import os
import struct
import subprocess
import sys

# Column spans (from, to, counted from 0, end excluded) and kinds of each
# record layout: "i" integer, "r" real.
NODE = [(0, 6, "i"), (6, 9, "i"), (9, 12, "i"), (12, 15, "i"), (15, 27, "r"), (27, 39, "r")]
ELEMENT = [(0, 6, "i"), (6, 12, "i"), (12, 18, "i"), (18, 24, "i"), (24, 32, "r"), (32, 35, "i")]
STRESS = [(0, 11, "r"), (11, 22, "r"), (22, 33, "r")]
FRACTIONS = [(0, 5, "r"), (5, 10, "r"), (10, 15, "r")]
PLOT = [(1 + 12 * k, 12 + 12 * k, "r") for k in range(4)]
NU32 = [(1 + 12 * k, 12 + 12 * k, "r") for k in range(7)]
ZH = {"I": (4, 6, "i"), "SIGZ": (12, 22, "r"), "Z/H": (27, 33, "r"), "SIGHZ": (40, 50, "r")}
EDGE = {"I": (4, 6, "i"), "Y/B": (11, 17, "r"), "SIGZ": (23, 33, "r")}
YB = {"I": (4, 6, "i"), "Y/B": (11, 17, "r"), "SAZM": (23, 33, "r"), "SAZT": (39, 49, "r")}

# Each table: the case that holds it, its header and its layout.
TABLES = {
    "wnodes.out": ("nodes/example/expected", ["node", "H0V12", "H0", "V12", "h", "v"], NODE),
    "wtopo.out": ("topo/example/expected", ["element", "node1", "node2", "node3", "angle", "type"], ELEMENT),
    "wstresses.out": ("stressmean/example/in", ["SH", "SZ", "SHZ"], STRESS),
    "vf.DAT": ("polar/example/expected", ["VF1", "VF2", "VF3"], FRACTIONS),
    "e3.DAT": ("polar/example/expected", ["THETA_RAD", "E3_VF1", "E3_VF2", "E3_VF3"], PLOT),
    "g23.DAT": ("polar/example/expected", ["THETA_RAD", "G23_VF1", "G23_VF2", "G23_VF3"], PLOT),
    "nu32.DAT": ("polar/example/expected",
                 ["THETA_RAD"] + [f"NU32_{s}_VF{k}" for s in ("POS", "NEG") for k in (1, 2, 3)], NU32),
}
LINE = [(0, 6, "i"), (6, 18, "r"), (18, 30, "r"), (30, 42, "r"), (43, 54, "r"), (55, 66, "r"), (67, 78, "r")]
# A table no example run writes: a case of plytab's own holds one.
TABLES["wstressline.out"] = (os.path.join(os.path.dirname(os.path.abspath(__file__)), "cases/stress-line/in"),
                             ["point", "distance", "h", "v", "SH", "SZ", "SHZ"], LINE)
PROFILE_HEADER = ["profile", "I", "SIGZ", "Z/H", "SIGHZ", "Y/B", "SAZM", "SAZT"]


def single(value):
    return struct.unpack("<f", struct.pack("<f", value))[0]


def field_value(record, span):
    start, end, kind = span
    text = record[start:end].replace(" ", "")
    if kind == "i":
        return int(text) if text else 0
    return single(float(text)) if text else 0.0


def shortest(value):
    """The shortest decimal text that reads back as the 32-bit value."""
    if value != value:
        return "nan"
    if value in (float("inf"), float("-inf")):
        return "inf" if value > 0 else "-inf"
    for digits in range(1, 10):
        for form in (f"{value:.{digits}g}",):
            if single(float(form)) == value:
                return form
    raise AssertionError(value)


def same(csv_text, value, kind):
    if kind == "i":
        return csv_text == str(value)
    # The same 32-bit value, and no more digits than it needs.
    read = single(float(csv_text))
    return struct.pack("<f", read) == struct.pack("<f", value) and significant(csv_text) <= significant(shortest(value))


def significant(text):
    """The significant digits of a decimal text: "90" and "9e+01" have one."""
    return len(text.lstrip("-").split("e")[0].replace(".", "").strip("0"))


def csv_of(program, path):
    done = subprocess.run([program, path], capture_output=True, timeout=60)
    if done.returncode != 0:
        raise AssertionError(f"{path}: status {done.returncode}: {done.stderr.decode()}")
    return list(csv.reader(io.StringIO(done.stdout.decode())))


def main(program, cases):
    faults = []
    for name, (folder, header, layout) in TABLES.items():
        path = os.path.join(cases, folder, name)
        records = [line for line in open(path).read().split("\n")[:-1] if line.strip()]
        rows = csv_of(program, path)
        if rows[0] != header:
            faults.append(f"{name}: header {rows[0]}, not {header}")
        if len(rows) - 1 != len(records):
            faults.append(f"{name}: {len(rows) - 1} rows for {len(records)} records")
        for number, (record, row) in enumerate(zip(records, rows[1:]), 1):
            for column, (span, text) in enumerate(zip(layout, row)):
                value = field_value(record, span)
                if not same(text, value, span[2]):
                    faults.append(f"{name}, record {number}, {header[column]}: {text!r} for {record[span[0]:span[1]]!r}")

    path = os.path.join(cases, "stressmean/example/expected/wstressavg.out")
    records = open(path).read().split("\n")[:-1]
    rows = csv_of(program, path)
    if rows[0] != PROFILE_HEADER:
        faults.append(f"wstressavg.out: header {rows[0]}")
    profiles = ["Z/H"] * 95 + ["edge"] * 6 + ["Y/B"] * 26
    if len(rows) - 1 != len(records) or [row[0] for row in rows[1:]] != profiles:
        faults.append("wstressavg.out: not 95 Z/H, 6 edge and 26 Y/B rows")
    for number, (record, row) in enumerate(zip(records, rows[1:]), 1):
        layout = {"Z/H": ZH, "edge": EDGE, "Y/B": YB}[row[0]]
        for column, text in zip(PROFILE_HEADER[1:], row[1:]):
            if column not in layout:
                if text != "":
                    faults.append(f"wstressavg.out, record {number}: {column} is {text!r}, not empty")
                continue
            span = layout[column]
            if not same(text, field_value(record, span), span[2]):
                faults.append(f"wstressavg.out, record {number}, {column}: {text!r} for {record[span[0]:span[1]]!r}")

    for fault in faults[:20]:
        print(fault)
    if faults:
        print(f"{len(faults)} faults")
        return 1
    print(f"every field of {len(TABLES) + 1} tables as its columns read")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1], sys.argv[2]))
