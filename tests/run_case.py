#!/usr/bin/env python3
"""Runs one program on one case folder and compares every byte it leaves.

A case folder holds:
  in/        the files of the working folder before the run
  expected/  every file the run creates or changes, as it must be afterwards
  stdout     the standard output expected (no file: nothing)
  stderr     the standard error expected (no file: nothing)
  status     the exit status expected (no file: 0; "SIGINT" and the like: death by that signal)
  stdin      what standard input holds (no file: empty)
  args       the program's arguments, one a line (no file: none)

After the run the working folder must hold exactly the files of in/ and of
expected/: those of expected/ byte for byte, the others unchanged.

A family of cases is a folder of case folders, one for each variant, and a
README that says what they share and what varies; each runs as above.

  run_case.py PROGRAM CASE            run and compare (CASE may be a family)
  run_case.py --update PROGRAM CASE   write what the run gave as the expectation
"""
import os
import shutil
import signal
import subprocess
import sys
import tempfile


def read(path, default=b""):
    try:
        with open(path, "rb") as f:
            return f.read()
    except FileNotFoundError:
        return default


def files_under(folder):
    found = {}
    for root, _, names in os.walk(folder):
        for name in names:
            path = os.path.join(root, name)
            found[os.path.relpath(path, folder)] = read(path)
    return found


def status_text(code):
    return f"SIG{signal.Signals(-code).name[3:]}" if code < 0 else str(code)


def first_difference(want, got):
    lines_w, lines_g = want.split(b"\n"), got.split(b"\n")
    for n, (w, g) in enumerate(zip(lines_w, lines_g), 1):
        if w != g:
            return f"line {n}: expected {w!r}, got {g!r}"
    return f"expected {len(lines_w)} lines, got {len(lines_g)}"


CASE_ENTRIES = {"in", "expected", "stdout", "stderr", "status", "stdin", "args"}


def cases_in(folder):
    """The case folders of a family, by name; the folder itself when it is one case."""
    entries = os.listdir(folder)
    if CASE_ENTRIES.intersection(entries):
        return [folder]
    return sorted(os.path.join(folder, name) for name in entries if os.path.isdir(os.path.join(folder, name)))


def run_case(program, case, label, update):
    args = read(os.path.join(case, "args")).decode().splitlines()
    before = files_under(os.path.join(case, "in"))
    with tempfile.TemporaryDirectory(prefix="case-") as work:
        for name, data in before.items():
            os.makedirs(os.path.dirname(os.path.join(work, name)), exist_ok=True)
            with open(os.path.join(work, name), "wb") as f:
                f.write(data)
        done = subprocess.run([program, *args], cwd=work, input=read(os.path.join(case, "stdin")),
                              capture_output=True, timeout=120)
        after = files_under(work)

    got = {"stdout": done.stdout, "stderr": done.stderr, "status": status_text(done.returncode).encode() + b"\n"}
    changed = {name: data for name, data in after.items() if before.get(name) != data}
    if update:
        for name in ("stdout", "stderr", "status"):
            path = os.path.join(case, name)
            if got[name] and got[name] != (b"0\n" if name == "status" else b""):
                with open(path, "wb") as f:
                    f.write(got[name])
            elif os.path.exists(path):
                os.remove(path)
        shutil.rmtree(os.path.join(case, "expected"), ignore_errors=True)
        for name, data in changed.items():
            path = os.path.join(case, "expected", name)
            os.makedirs(os.path.dirname(path), exist_ok=True)
            with open(path, "wb") as f:
                f.write(data)
        return 0

    faults = []
    for name in ("stdout", "stderr", "status"):
        want = read(os.path.join(case, name), b"0\n" if name == "status" else b"")
        if want != got[name]:
            faults.append(f"{name}: {first_difference(want, got[name])}")
    expected = files_under(os.path.join(case, "expected"))
    for name in sorted(set(expected) | set(changed) | (set(before) - set(after))):
        if name not in after:
            faults.append(f"{name}: missing after the run")
        elif name not in expected:
            faults.append(f"{name}: changed or created, but no expectation")
        elif expected[name] != after[name]:
            faults.append(f"{name}: {first_difference(expected[name], after[name])}")
    for fault in faults:
        print(f"{label}: {fault}")
    return 1 if faults else 0


def main(argv):
    update = argv[1:2] == ["--update"]
    program, folder = argv[2:4] if update else argv[1:3]
    program = os.path.abspath(program)
    cases = cases_in(folder)
    if not cases:
        print(f"{folder}: neither a case nor a family of cases")
        return 1
    parent = os.path.dirname(os.path.normpath(folder))
    failed = [case for case in cases if run_case(program, case, os.path.relpath(case, parent), update) != 0]
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
