#!/usr/bin/env python3
"""Every tool that reads back a table the suite wrote, on that table cut off
in its last line at every column (as a killed run or a full disk leaves it),
with its lines ended by a line feed or by a carriage return and a line feed:
the run ends with status 1, one line naming the file, the record (its line)
and the columns, and no file of the folder changed. The same tables with blank
lines inside read as without them; blank lines cost no memory; the stresses of
another mesh are refused.

  cut_tables_test.py SANITIZED CASES EXAMPLES PROGRAM=PATH...
"""
import os
import shutil
import subprocess
import sys
import tempfile

SANITIZED = sys.argv[1] in ("1", "ON", "TRUE")
CASES, EXAMPLES = sys.argv[2], sys.argv[3]
BIN = {k: os.path.abspath(v) for k, v in (arg.split("=", 1) for arg in sys.argv[4:])}
faults = []
CUT = "is the file cut off?"


def case_files(*paths):
    """The files of case folders' subfolders (CASE/in, CASE/expected), later ones replacing earlier."""
    files = {}
    for path in paths:
        folder = os.path.join(CASES, path)
        for name in os.listdir(folder):
            with open(os.path.join(folder, name), "rb") as f:
                files[name] = f.read()
    return files


def through_last_stress_line(mesh_dat):
    """mesh.dat up to its last stress line (I10,I4,6E14.6), so that line is the file's last."""
    lines = mesh_dat.split(b"\n")
    last = max(i for i, line in enumerate(lines) if len(line) == 98 and line[10:14].strip().isdigit())
    return b"\n".join(lines[: last + 1]) + b"\n"


MESH = case_files("meshexport/example/in")
MESH_AND_STRESSES = dict(MESH, **case_files("stressimport/example/expected"))
POLAR = case_files("polarplot/example/in")
PROFILES = case_files("profileplot/example/in")
LINE = case_files("stressline/example/expected")
IMPORT = case_files("stressimport/example/in")
IMPORT["mesh.dat"] = through_last_stress_line(IMPORT["mesh.dat"])

# The readers: program, the folder it runs in, the table cut, the columns of
# the last field of the table's records and its name in the diagnostic.
READERS = [
    ("meshplot", MESH, "wnodes.out", 28, 39, "the v coordinate"),
    ("meshplot", MESH, "wtopo.out", 33, 35, "the type code"),
    ("meshexport", MESH_AND_STRESSES, "wnodes.out", 28, 39, "the v coordinate"),
    ("meshexport", MESH_AND_STRESSES, "wtopo.out", 33, 35, "the type code"),
    ("meshexport", MESH_AND_STRESSES, "wstresses.out", 23, 33, "the shear stress"),
    ("stressimport", IMPORT, "wtopo.out", 33, 35, "the type code"),
    ("stressimport", IMPORT, "mesh.dat", 85, 98, "syz"),
    ("polarplot", POLAR, "vf.DAT", 11, 15, "the third volume fraction"),
    ("polarplot", POLAR, "e3.DAT", 38, 48, "E3 of the third volume fraction"),
    ("polarplot", POLAR, "g23.DAT", 38, 48, "G23 of the third volume fraction"),
    ("polarplot", POLAR, "nu32.DAT", 74, 84, "the negative NU32 of the third volume fraction"),
    ("profileplot", PROFILES, "wstressavg.out", 40, 49, "SAZT"),
    ("profileplot", LINE, "wstressline.out", 68, 78, "the shear stress"),
    ("stressline", MESH_AND_STRESSES, "wnodes.out", 28, 39, "the v coordinate"),
    ("stressline", MESH_AND_STRESSES, "wtopo.out", 33, 35, "the type code"),
    ("stressline", MESH_AND_STRESSES, "wstresses.out", 23, 33, "the shear stress"),
]
# The readers here are the programs that read tables back whole, each with
# its tables.
for program in BIN:
    if not any(reader[0] == program for reader in READERS):
        faults.append(f"{program}: reads tables back whole, but no table of it is cut here")
for program in sorted({reader[0] for reader in READERS} - set(BIN)):
    faults.append(f"{program}: its tables are cut here, but it does not read tables back whole")
READERS = [reader for reader in READERS if reader[0] in BIN]

# The arguments of a program that takes some: those of its example case.
ARGUMENTS = {"stressline": open(os.path.join(CASES, "stressline", "example", "args")).read().split()}


def check(name, condition, detail=""):
    if not condition:
        faults.append(f"{name}: {detail}")


def files_in(folder):
    """The regular files of the folder (not the links a run was given) and their content."""
    found = {}
    for name in os.listdir(folder):
        if os.path.islink(os.path.join(folder, name)):
            continue
        with open(os.path.join(folder, name), "rb") as f:
            found[name] = f.read()
    return found


def run(program, files, peak=False):
    """Runs the program in a folder holding `files`: (status, stdout, stderr, files after, peak KiB or 0)."""
    folder = tempfile.mkdtemp(prefix="cut-tables-")
    try:
        for name, content in files.items():
            path = os.path.join(folder, name)
            if isinstance(content, bytes):
                with open(path, "wb") as f:
                    f.write(content)
            else:
                os.symlink(content, path)
        command = [BIN[program]] + ARGUMENTS.get(program, [])
        peak_file = os.path.join(folder, ".peak")
        if peak and os.path.exists("/usr/bin/time"):
            command = ["/usr/bin/time", "-f", "%M", "-o", peak_file] + command
        done = subprocess.run(command, cwd=folder, capture_output=True, timeout=120)
        used = 0
        if os.path.exists(peak_file):
            with open(peak_file) as f:
                figures = f.read().split()
            used = int(figures[-1]) if figures else 0
            os.remove(peak_file)
        after = files_in(folder)
        return done.returncode, done.stdout, done.stderr.decode(errors="replace"), after, used
    finally:
        shutil.rmtree(folder)


def with_line_ends(files, end):
    return {name: content.replace(b"\n", end) if isinstance(content, bytes) else content
            for name, content in files.items()}


# Each table whole first: the reader accepts it with either line end.
for program, files, table, first, last, what in READERS:
    for end in (b"\n", b"\r\n"):
        status, _, said, _, _ = run(program, with_line_ends(files, end))
        check(f"{program} on a whole {table} ({end!r})", status == 0 and said == "", f"status {status}, said {said!r}")

# Cut off in its last line, leaving `kept` characters of it; with CR LF line
# ends the cut may leave the carriage return alone in front of the cut.
# Built with the sanitizers, a reader takes one way for every cut that ends
# the line before the last field, and another for every cut after it: the
# sanitized runs are the cuts at the line's start and around the last
# field's first and last column and the line's end; the plain build checks
# the diagnostic of every cut.
def where_the_reading_changes(kept, first, last, length):
    return any(abs(kept - column) <= 1 for column in (0, first - 1, last, length))


for program, files, table, first, last, what in READERS:
    for end in (b"\n", b"\r\n"):
        folder = with_line_ends(files, end)
        content = folder[table]
        line_start = content.rfind(b"\n", 0, len(content) - 1) + 1
        record = content.count(b"\n")
        length = len(content) - line_start - len(end)
        for cut in range(1, length + len(end)):
            cut_content = content[:-cut]
            kept = len(cut_content) - line_start - (1 if cut_content.endswith(b"\r") else 0)
            if SANITIZED and not (cut_content.endswith(b"\r") or where_the_reading_changes(kept, first, last, length)):
                continue
            # In mesh.dat a line of blanks ends a block of stress lines: cut
            # down to its blanks, the stress line is no longer one.
            blank_line = table == "mesh.dat" and not cut_content[line_start:].strip()
            if kept < last and not blank_line:
                expected = f"{table}, record {record}: ends at column {kept}, before {what} in columns {first}-{last}; {CUT}"
            else:
                expected = f"{table}, record {record}: has no line end; {CUT}"
            name = f"{program}, {table} ({end!r}) cut by {cut}"
            status, out, said, after, _ = run(program, dict(folder, **{table: cut_content}))
            check(name, (status, said) == (1, f"{program}: {expected}\n"), f"status {status}, said {said!r}")
            check(name, after == dict(folder, **{table: cut_content}), "the folder's files changed")
            check(name, out == b"", f"wrote {out[:80]!r} to standard output")

# Blank lines, empty, a carriage return or blanks alone, at the start, inside
# and at the end of every table the suite's tools read back (the solver's
# mesh.dat keeps its own): the run gives what it gives without them.
BLANKS = [b"\n", b"\r\n", b"   \n", b"  \r\n"]
for program, files, table, _, _, _ in READERS:
    if table == "mesh.dat":
        continue
    whole = run(program, files)
    lines = files[table].split(b"\n")[:-1]
    middle = len(lines) // 2
    spread = BLANKS[0] + b"".join(line + b"\n" + (BLANKS[i % 4] * 2 if i in (0, middle, len(lines) - 2) else b"")
                                  for i, line in enumerate(lines)) + b"".join(BLANKS)
    status, out, said, after, _ = run(program, dict(files, **{table: spread}))
    after[table] = files[table]
    check(f"{program}, blank lines in {table}", (status, out, said, after) == whole[:4],
          f"status {status}, said {said!r}")

# Blank lines cost nothing: 10 million of them among the 72 nodes. The
# sanitizers measure no memory, and look for the same faults in ten thousand.
lines = MESH["wnodes.out"].split(b"\n")
BLANK_LINES = 10_001 if SANITIZED else 10_000_001
many_blanks = b"\n".join(lines[:36]) + b"\n" * BLANK_LINES + b"\n".join(lines[36:])
for program in ("meshplot", "meshexport"):
    whole = run(program, MESH)
    status, out, said, after, peak = run(program, dict(MESH, **{"wnodes.out": many_blanks}), peak=True)
    after["wnodes.out"] = MESH["wnodes.out"]
    name = f"{program}, {BLANK_LINES - 1} blank lines among the nodes"
    check(name, (status, out, said, after) == whole[:4], f"status {status}, said {said!r}, {out[:40]!r}")
    check(name, SANITIZED or peak < 8192, f"peak memory {peak} KiB")

# A record of exactly the longest length, ended by CR LF, is one record.
nodes = MESH["wnodes.out"].split(b"\n")
nodes[1] = nodes[1].ljust(1048576) + b"\r"
status, out, said, _, _ = run("meshplot", dict(MESH, **{"wnodes.out": b"\n".join(nodes)}))
check("longest record ended by CR LF", status == 0 and out.startswith(b"nodes in wnodes.out: 72\n"),
      f"status {status}, said {said!r}, {out[:40]!r}")

# A never-ending element table is refused in little memory.
status, _, said, _, peak = run("meshexport", dict(MESH, **{"wtopo.out": "/dev/zero"}), peak=True)
check("meshexport on endless zero bytes", (status, said) ==
      (1, "meshexport: wtopo.out, record 1: longer than 1048576 characters\n"), f"status {status}, said {said!r}")
check("meshexport on endless zero bytes", SANITIZED or peak < 8192, f"peak memory {peak} KiB")

# The example stresses are those of the example model's 2394 elements, not of
# the 96-element mesh; without them the mesh alone is exported.
with open(os.path.join(EXAMPLES, "wstresses.out"), "rb") as f:
    example_stresses = f.read()
status, _, said, after, _ = run("meshexport", dict(MESH, **{"wstresses.out": example_stresses}))
check("stresses of another mesh", (status, said) == (1, "meshexport: wstresses.out has 2394 records and wtopo.out "
                                                        "96 elements; these are not this mesh's stresses\n"),
      f"status {status}, said {said!r}")
check("stresses of another mesh", sorted(after) == ["wnodes.out", "wstresses.out", "wtopo.out"], "files written")
status, _, said, after, _ = run("meshexport", MESH)
check("the mesh alone", status == 0 and sorted(after) == ["job.inp", "mesh.inp", "mesh.msh", "mesh.vtu",
                                                            "wnodes.out", "wtopo.out"], f"status {status}, said {said!r}")

for fault in faults[:40]:
    print(fault)
if len(faults) > 40:
    print(f"... and {len(faults) - 40} more")
sys.exit(1 if faults else 0)
