#!/usr/bin/env python3
"""One program over damaged variants of its example case: a missing or empty
input, an input cut after each record, each digit of a record replaced by a
non-number, carriage returns, a missing last line feed, a very long first
record, and outputs that cannot be written.

  bad_input.py SANITIZED PROGRAM CASE   CASE is a folder with in/ (the inputs) and
                                        expected/, and args when the program takes arguments

The inputs are the files of in/ that expected/ does not hold; a file in both
is an older version of an output. A failing run must end with status 1 and
one diagnostic naming the record (and the columns of a bad field). A batch
program leaves in every output exactly whole records from the start of what
the full run writes; a program that replaces its outputs whole leaves them as
they were and no other file behind.

Built with the sanitizers, a program is run here for the faults of memory
and arithmetic a damaged input may lead it to; those depend on the way the
run takes, and alike records take alike ways, while the plain build checks
every diagnostic. So a sanitized run damages the digits of one record of
each shape (its digits aside, the same characters in the same columns) and
cuts an input after each of its first and last 20 records, not 100.
"""
import os
import re
import subprocess
import sys
import tempfile

from programs import PROGRAMS

SANITIZED = sys.argv[1] in ("1", "ON", "TRUE")
# An input is cut after each of its first and last CUT_ENDS records, and
# after every 50th between: records alike stand for one another there.
CUT_ENDS = 20 if SANITIZED else 100

# Columns read as numbers, when not every digit of an input is one: polar's
# labels and titles are text; stressimport reads only the stress lines of
# mesh.dat, not its headings or its displacements.
NUMERIC = {("polar", "polar.dat"): lambda r, c: (r in (3, 4) and 31 <= c <= 42) or (6 <= r <= 10 and 41 <= c <= 52)
                                                or (r == 11 and 24 <= c <= 38),
           ("stressimport", "mesh.dat"): lambda r, c: 4 <= r <= 195}
# Records whose digits are damaged in turn, when not all: records alike stand for one another.
DAMAGED = {("stressmean", "wstresses.out"): (1, 2, 1975, 2394),
           ("meshexport", "wnodes.out"): (1, 2, 71, 72), ("meshexport", "wtopo.out"): (1, 2, 95, 96),
           ("stressimport", "mesh.dat"): (2, 4, 5, 194, 195, 197, 199), ("stressimport", "wtopo.out"): (1, 2, 96),
           ("stressline", "wnodes.out"): (1, 2, 71, 72), ("stressline", "wtopo.out"): (1, 2, 95, 96),
           ("stressline", "wstresses.out"): (1, 2, 95, 96)}

faults = []


def read(path):
    with open(path, "rb") as f:
        return f.read()


def run(program, files, links=(), arguments=()):
    with tempfile.TemporaryDirectory(prefix="bad-input-") as work:
        for name, data in files.items():
            with open(os.path.join(work, name), "wb") as f:
                f.write(data)
        for name, target in links:
            if os.path.lexists(os.path.join(work, name)):
                os.remove(os.path.join(work, name))
            if target is None:
                os.mkdir(os.path.join(work, name))
            else:
                os.symlink(target, os.path.join(work, name))
        done = subprocess.run([program, *arguments], cwd=work, stdin=subprocess.DEVNULL, capture_output=True, timeout=60)
        left = {}
        for name in os.listdir(work):
            path = os.path.join(work, name)
            left[name] = read(path) if os.path.isfile(path) and not os.path.islink(path) else None
        return done.returncode, done.stderr.decode(errors="replace"), left


def expect(condition, context):
    if not condition:
        faults.append(context)


class Case:
    def __init__(self, program, folder):
        self.program = program
        self.name = os.path.basename(program)
        given = {n: read(os.path.join(folder, "in", n)) for n in os.listdir(os.path.join(folder, "in"))}
        listed = PROGRAMS[self.name]
        # A file only some runs write (meshexport's job.inp, written when there
        # is none and never replaced) is no output here: a run given one leaves
        # it alone.
        self.full = {n: read(os.path.join(folder, "expected", n)) for n in os.listdir(os.path.join(folder, "expected"))
                     if n not in listed.writes_in_some_runs}
        self.inputs = {n: data for n, data in given.items() if n not in self.full}
        args = os.path.join(folder, "args")
        self.arguments = read(args).decode().split() if os.path.exists(args) else []
        # Whether it replaces its outputs whole or not at all.
        self.replaced = "replaces" in listed
        # Whether it reads its inputs as tables, to the end of the file: an
        # input cut after a record is a shorter table, which may or may not
        # make a model, and a last line without its line feed is taken for a
        # file cut off.
        self.tables = "tables" in listed
        # Older versions of the outputs, which a failed run must leave as they are.
        self.older = {n: data for n, data in given.items() if n in self.full}
        if self.replaced:
            self.older = {n: self.older.get(n, b"older " + n.encode() + b"\n") for n in self.full}

    def run(self, changed=None, links=()):
        """Runs on the inputs with `changed` ones put in (None: left out):
        status, standard error, the files left and the files given."""
        files = {**self.older, **self.inputs, **(changed or {})}
        files = {n: data for n, data in files.items() if data is not None and n not in dict(links)}
        return run(self.program, files, links, self.arguments) + (files,)

    def outputs_kept(self, left, given, context):
        """What a failed run leaves: outputs of whole records from the start
        of the full run's, or, replaced whole, the files it was given and
        nothing else."""
        if self.replaced:
            expect(left == given, f"{context}: the folder holds {self.differences(left, given)}")
            return
        for name, data in left.items():
            if name in self.inputs or data is None:
                continue
            expect(name in self.full and self.full[name].startswith(data) and data[-1:] in (b"", b"\n"),
                   f"{context}: {name} is not whole records from the start of the full output")

    @staticmethod
    def differences(left, given):
        changed = sorted(n for n in given if n in left and left[n] != given[n])
        return f"new {sorted(set(left) - set(given))}, missing {sorted(set(given) - set(left))}, changed {changed}"

    def shorter_table(self, status, said, left, given, context):
        """An input cut short: a run that ends well, or one line saying why not."""
        if status == 0:
            expect(said == "" and all(left.get(n) is not None for n in self.full),
                   f"{context}: status 0, said {said!r}, left {sorted(left)}")
            return
        expect(status == 1 and re.fullmatch(rf"{re.escape(self.name)}: [^\n]+\n", said) is not None,
               f"{context}: {status} {said!r}")
        self.outputs_kept(left, given, context)


def main(program, folder):
    case = Case(program, folder)
    name = case.name

    for input_name in case.inputs:
        status, said, left, given = case.run({input_name: None})
        expect((status, said) == (1, f"{name}: cannot open {input_name}: No such file or directory\n"),
               f"missing {input_name}: {status} {said!r}")
        # Nothing is opened for writing before every input is open.
        expect(left == given, f"missing {input_name}: the folder holds {case.differences(left, given)}")

    for input_name, text in case.inputs.items():
        damage_input(case, input_name, text)

    for output in case.full:
        status, said, left, given = case.run(links=[(output, None)])
        expect((status, said) == (1, f"{name}: cannot open {output}: Is a directory\n"),
               f"{output} a folder: {status} {said!r}")
        if case.replaced:
            left.pop(output, None)
            case.outputs_kept(left, given, f"{output} a folder")
            # A link at an output's name is replaced, never written through.
            status, said, left, _ = case.run(links=[(output, "/dev/full")])
            expect((status, said) == (0, "") and all(left.get(o) == d for o, d in case.full.items()),
                   f"{output} a link to /dev/full: {status} {said!r}")
        else:
            status, said, _, _ = case.run(links=[(output, "/dev/full")])
            expect((status, said) == (1, f"{name}: cannot write {output}: No space left on device\n"),
                   f"{output} on a full device: {status} {said!r}")

    for fault in faults[:20]:
        print(fault)
    if len(faults) > 20:
        print(f"... and {len(faults) - 20} more")
    return 1 if faults else 0


def damage_input(case, input_name, text):
    name = case.name
    records = text.split(b"\n")[:-1]
    status, said, left, given = case.run({input_name: b""})
    if case.tables:
        case.shorter_table(status, said, left, given, f"empty {input_name}")
    else:
        expect((status, said) == (1, f"{name}: {input_name}, record 1: end of file, the file is empty\n"),
               f"empty {input_name}: {status} {said!r}")

    for kept in range(1, len(records)):
        if CUT_ENDS < kept < len(records) - CUT_ENDS and kept % 50:
            continue
        status, said, left, given = case.run({input_name: b"".join(r + b"\n" for r in records[:kept])})
        context = f"{input_name} cut after {kept}"
        if case.tables:
            case.shorter_table(status, said, left, given, context)
            continue
        plural = "" if kept == 1 else "s"
        expect((status, said) == (1, f"{name}: {input_name}, record {kept + 1}: end of file, "
                                     f"the file has only {kept} record{plural}\n"), f"{context}: {status} {said!r}")
        case.outputs_kept(left, given, context)

    numeric = NUMERIC.get((name, input_name), lambda r, c: True)
    shapes = set()  # of the records damaged so far, for a sanitized run
    for r, record in enumerate(records, 1):
        if (name, input_name) in DAMAGED and r not in DAMAGED[(name, input_name)]:
            continue
        shape = re.sub(rb"[0-9]", b"0", record)
        if SANITIZED and shape in shapes:
            continue
        shapes.add(shape)
        for c, byte in enumerate(record, 1):
            if not 0x30 <= byte <= 0x39:
                continue
            damaged = list(records)
            damaged[r - 1] = record[:c - 1] + b"#" + record[c:]
            status, said, left, given = case.run({input_name: b"".join(d + b"\n" for d in damaged)})
            context = f"{input_name} record {r} column {c}"
            if not numeric(r, c):
                expect(status == 0 and all(left.get(o) == d for o, d in case.full.items()),
                       f"{context}: {status} {said!r}")
                continue
            m = re.fullmatch(rf"{name}: {re.escape(input_name)}, record {r}, columns (\d+)-(\d+): "
                             r'".*" is not a valid \w+\.?\d* field\n', said)
            expect(status == 1 and m and int(m[1]) <= c <= int(m[2]), f"{context}: {status} {said!r}")
            case.outputs_kept(left, given, context)

    variants = {"CR LF": b"".join(r + b"\r\n" for r in records), "no last line feed": text[:-1],
                "a first record of the longest length read": records[0] + b" " * ((1 << 20) - len(records[0]) - 1) + b"x" +
                text[len(records[0]):]}
    for what, variant in variants.items():
        status, said, left, given = case.run({input_name: variant})
        if case.tables and what == "no last line feed":
            expect((status, said) == (1, f"{name}: {input_name}, record {len(records)}: has no line end; "
                                         "is the file cut off?\n"), f"{input_name} with {what}: {status} {said!r}")
            case.outputs_kept(left, given, f"{input_name} with {what}")
            continue
        expect(status == 0 and said == "" and all(left.get(o) == d for o, d in case.full.items()),
               f"{input_name} with {what}: {status} {said!r}")


if __name__ == "__main__":
    sys.exit(main(os.path.abspath(sys.argv[2]), sys.argv[3]))
