#!/usr/bin/env python3
"""One program over damaged variants of its example case: a missing or empty
input, the input cut after each record, each digit of a record replaced by a
non-number, carriage returns, a missing last line feed, a very long first
record, and outputs that cannot be written.

  bad_input.py PROGRAM CASE     CASE is a folder with in/ (one input) and expected/

A failing run must end with status 1 and one diagnostic naming the record
(and the columns of a bad field), and leave in every output exactly whole
records from the start of what the full run writes.
"""
import os
import re
import subprocess
import sys
import tempfile

# Columns read as numbers, when not every digit of the input is one: polar's
# labels and titles are text.
NUMERIC = {"polar": lambda r, c: (r in (3, 4) and 31 <= c <= 42) or (6 <= r <= 10 and 41 <= c <= 52)
                                 or (r == 11 and 24 <= c <= 38)}
# Records whose digits are damaged in turn, when not all: the stress file has 2394 alike.
DAMAGED = {"stressmean": (1, 2, 1975, 2394)}

faults = []


def run(program, files, links=()):
    with tempfile.TemporaryDirectory(prefix="bad-input-") as work:
        for name, data in files.items():
            with open(os.path.join(work, name), "wb") as f:
                f.write(data)
        for name, target in links:
            if target is None:
                os.mkdir(os.path.join(work, name))
            else:
                os.symlink(target, os.path.join(work, name))
        done = subprocess.run([program], cwd=work, stdin=subprocess.DEVNULL, capture_output=True, timeout=60)
        left = {}
        for name in os.listdir(work):
            path = os.path.join(work, name)
            if os.path.isfile(path) and not os.path.islink(path):
                with open(path, "rb") as f:
                    left[name] = f.read()
            else:
                left[name] = None
        return done.returncode, done.stderr.decode(errors="replace"), left


def expect(condition, context):
    if not condition:
        faults.append(context)


def expect_prefixes(left, input_name, full, context):
    for name, data in left.items():
        if name == input_name or data is None:
            continue
        expect(name in full and full[name].startswith(data) and data[-1:] in (b"", b"\n"),
               f"{context}: {name} is not whole records from the start of the full output")


def main(program, case):
    name = os.path.basename(program)
    (input_name,) = os.listdir(os.path.join(case, "in"))
    with open(os.path.join(case, "in", input_name), "rb") as f:
        text = f.read()
    full = {}
    for output in os.listdir(os.path.join(case, "expected")):
        with open(os.path.join(case, "expected", output), "rb") as f:
            full[output] = f.read()
    records = text.split(b"\n")[:-1]

    status, said, left = run(program, {})
    expect((status, said, left) == (1, f"{name}: cannot open {input_name}: No such file or directory\n", {}),
           f"missing input: {status} {said!r} {sorted(left)}")
    status, said, _ = run(program, {input_name: b""})
    expect((status, said) == (1, f"{name}: {input_name}, record 1: end of file, the file is empty\n"),
           f"empty input: {status} {said!r}")

    for kept in range(1, len(records)):
        # Past the first and before the last hundred records, every 50th cut stands for the rest.
        if 100 < kept < len(records) - 100 and kept % 50:
            continue
        status, said, left = run(program, {input_name: b"".join(r + b"\n" for r in records[:kept])})
        plural = "" if kept == 1 else "s"
        expect((status, said) == (1, f"{name}: {input_name}, record {kept + 1}: end of file, "
                                     f"the file has only {kept} record{plural}\n"),
               f"cut after {kept}: {status} {said!r}")
        expect_prefixes(left, input_name, full, f"cut after {kept}")

    numeric = NUMERIC.get(name, lambda r, c: True)
    for r, record in enumerate(records, 1):
        if name in DAMAGED and r not in DAMAGED[name]:
            continue
        for c, byte in enumerate(record, 1):
            if not 0x30 <= byte <= 0x39:
                continue
            damaged = list(records)
            damaged[r - 1] = record[:c - 1] + b"#" + record[c:]
            status, said, left = run(program, {input_name: b"".join(d + b"\n" for d in damaged)})
            context = f"record {r} column {c}"
            if not numeric(r, c):
                expect(status == 0, f"{context}: {status} {said!r}")
                continue
            m = re.fullmatch(rf"{name}: {re.escape(input_name)}, record {r}, columns (\d+)-(\d+): "
                             r'".*" is not a valid \w+\.?\d* field\n', said)
            expect(status == 1 and m and int(m[1]) <= c <= int(m[2]), f"{context}: {status} {said!r}")
            expect_prefixes(left, input_name, full, context)

    variants = {"CR LF": b"".join(r + b"\r\n" for r in records), "no last line feed": text[:-1],
                "a first record of the longest length read": records[0] + b" " * ((1 << 20) - len(records[0]) - 1) + b"x" +
                text[len(records[0]):]}
    for what, variant in variants.items():
        status, said, left = run(program, {input_name: variant})
        expect(status == 0 and said == "" and all(left.get(o) == d for o, d in full.items()),
               f"{what}: {status} {said!r}")

    for output in full:
        status, said, _ = run(program, {input_name: text}, [(output, None)])
        expect((status, said) == (1, f"{name}: cannot open {output}: Is a directory\n"),
               f"{output} a folder: {status} {said!r}")
        status, said, _ = run(program, {input_name: text}, [(output, "/dev/full")])
        expect((status, said) == (1, f"{name}: cannot write {output}: No space left on device\n"),
               f"{output} on a full device: {status} {said!r}")

    for fault in faults[:20]:
        print(fault)
    if len(faults) > 20:
        print(f"... and {len(faults) - 20} more")
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main(os.path.abspath(sys.argv[1]), sys.argv[2]))
