#!/usr/bin/env python3
"""The outputs that meshexport, stressimport and stressline replace whole or
not at all: temporaries never reached through a link, two runs in one folder, a set
replaced together or not at all, permission bits kept, large files and a pipe
replaced, and a picture's failed write reported at the end of a faulty mesh's
run.

  replaced_outputs_test.py CASES meshexport=PATH stressimport=PATH stressline=PATH meshplot=PATH
"""
import itertools
import os
import shutil
import signal
import stat
import subprocess
import sys
import tempfile
import time

from programs import PROGRAMS

CASES = sys.argv[1]
BIN = {k: os.path.abspath(v) for k, v in (arg.split("=", 1) for arg in sys.argv[2:])}
OUTPUTS = {name: list(p.writes) for name, p in PROGRAMS.items() if "replaces" in p}
faults = []


def check(condition, what):
    if not condition:
        faults.append(what)


def read(path):
    with open(path, "rb") as f:
        return f.read()


def fill(work, program):
    """Copies the inputs of the program's example case into `work`."""
    src = os.path.join(CASES, program, "example", "in")
    for name in os.listdir(src):
        shutil.copy(os.path.join(src, name), work)


def arguments(program):
    """The arguments of the program's example case, for a program that takes some."""
    path = os.path.join(CASES, program, "example", "args")
    return read(path).decode().split() if os.path.exists(path) else []


def run(program, work, **kw):
    return subprocess.run([BIN[program], *arguments(program)], cwd=work, stdin=subprocess.DEVNULL, capture_output=True, timeout=120, **kw)


def leftovers(work, keep):
    return sorted(set(os.listdir(work)) - set(keep))


def links_never_followed():
    """A stale temporary, as a link to a file outside the folder or as a hard
    link to the output itself, is neither followed nor needed, in a good run
    and in a failing one."""
    for program, outputs in OUTPUTS.items():
        for good, stale in itertools.product((True, False), ("symbolic", "hard")):
            with tempfile.TemporaryDirectory() as outside, tempfile.TemporaryDirectory() as work:
                fill(work, program)
                if not good:  # a mesh.dat or wtopo.out that is not one
                    with open(os.path.join(work, "wtopo.out"), "w") as f:
                        f.write("junk\n")
                kept = os.path.join(outside, "keep")
                with open(kept, "w") as f:
                    f.write("kept\n")
                for name in outputs:
                    with open(os.path.join(work, name), "w") as f:
                        f.write("before\n")
                    if stale == "symbolic":
                        os.symlink(kept, os.path.join(work, name + ".part"))
                    else:
                        os.link(os.path.join(work, name), os.path.join(work, name + ".part"))
                before = set(os.listdir(work))
                if good:  # what only some runs write (meshexport's job.inp), beside the outputs
                    before.update(PROGRAMS[program].writes_in_some_runs)
                done = run(program, work)
                what = f"{program} ({'good' if good else 'failing'} run beside stale .part {stale} links)"
                check(done.returncode == (0 if good else 1), f"{what}: status {done.returncode}")
                check(read(kept) == b"kept\n", f"{what}: the file outside the folder was written")
                check(set(os.listdir(work)) == before, f"{what}: left {leftovers(work, before)}")
                for name in outputs:
                    path = os.path.join(work, name)
                    check(not os.path.islink(path), f"{what}: {name} is a link")
                    expected = read(os.path.join(CASES, program, "example", "expected", name)) if good else b"before\n"
                    check(read(path) == expected, f"{what}: {name} is not what it should be")
                    if stale == "hard":
                        check(read(path + ".part") == b"before\n", f"{what}: {name}.part was written")


def model(work, n):
    """A grid of n by n squares, two clockwise triangles each, and its stresses."""
    with open(os.path.join(work, "wnodes.out"), "w") as f:
        for j in range(n + 1):
            for i in range(n + 1):
                f.write("%6d%3d%3d%3d%12.6f%12.6f\n" % (j * (n + 1) + i + 1, 0, i == 0, j == 0, i * 0.01, 12 - j * 0.01))
    with open(os.path.join(work, "wtopo.out"), "w") as t, open(os.path.join(work, "wstresses.out"), "w") as s:
        e = 0
        for j in range(n):
            for i in range(n):
                a = j * (n + 1) + i + 1
                c = a + n + 1
                for nodes in ((c, a, a + 1), (c, a + 1, c + 1)):
                    e += 1
                    t.write("%6d%6d%6d%6d%8.2f%3d\n" % ((e,) + nodes + (45.0, 1 + j % 2)))
                    s.write(" 0.5000E+00 0.%04dE+01-0.2500E+00\n" % (e % 10000))


def wait_for_temporaries(work, count, process):
    deadline = time.monotonic() + 60
    while time.monotonic() < deadline and process.poll() is None:
        if sum(".part." in name for name in os.listdir(work)) >= count:
            return True
        time.sleep(0.001)
    return False


def lone_export(work):
    """What meshexport alone writes for a grid of 300 by 300 squares in `work`."""
    model(work, 300)
    lone = run("meshexport", work)
    check(lone.returncode == 0, f"lone meshexport: status {lone.returncode} {lone.stderr!r}")
    return {name: read(os.path.join(work, name)) for name in OUTPUTS["meshexport"]}


def two_runs_in_one_folder():
    """A second run started while the first writes, and interrupted: the first
    publishes exactly what a lone run writes, and nothing else is left."""
    with tempfile.TemporaryDirectory() as work:
        expected = lone_export(work)
        inputs = set(os.listdir(work))
        for name in expected:
            os.remove(os.path.join(work, name))
        first = subprocess.Popen([BIN["meshexport"]], cwd=work, stderr=subprocess.PIPE)
        wait_for_temporaries(work, 1, first)
        second = subprocess.Popen([BIN["meshexport"]], cwd=work, stderr=subprocess.PIPE)
        if wait_for_temporaries(work, 2, second):
            second.send_signal(signal.SIGINT)
        second.wait(timeout=120)
        first.wait(timeout=120)
        check(first.returncode == 0, f"first of two runs: status {first.returncode} {first.stderr.read()!r}")
        check(second.returncode in (0, -signal.SIGINT), f"interrupted run: status {second.returncode}")
        for name, data in expected.items():
            path = os.path.join(work, name)
            check(os.path.exists(path) and read(path) == data, f"two runs: {name} is not what a lone run writes")
        check(set(os.listdir(work)) == inputs, f"two runs left {leftovers(work, inputs)}")
        first.stderr.close()
        second.stderr.close()


def all_or_nothing():
    """A target that cannot be replaced stops the run before any is; a
    replaced file keeps its permission bits; a new one takes the umask's."""
    with tempfile.TemporaryDirectory() as work:
        fill(work, "meshexport")
        for name in ("mesh.vtu", "mesh.inp"):
            with open(os.path.join(work, name), "w") as f:
                f.write("before\n")
        os.mkdir(os.path.join(work, "mesh.msh"))
        before = set(os.listdir(work))
        done = run("meshexport", work)
        check(done.returncode == 1 and done.stderr == b"meshexport: cannot open mesh.msh: Is a directory\n",
              f"mesh.msh a directory: status {done.returncode}, {done.stderr!r}")
        check(all(read(os.path.join(work, n)) == b"before\n" for n in ("mesh.vtu", "mesh.inp")),
              "mesh.msh a directory: another file was replaced")
        check(set(os.listdir(work)) == before, f"mesh.msh a directory: left {leftovers(work, before)}")

        os.rmdir(os.path.join(work, "mesh.msh"))
        os.chmod(os.path.join(work, "mesh.inp"), 0o644)
        os.chmod(os.path.join(work, "mesh.vtu"), 0o640)
        done = run("meshexport", work, preexec_fn=lambda: os.umask(0o027))
        check(done.returncode == 0, f"meshexport: status {done.returncode} {done.stderr!r}")
        modes = {n: stat.S_IMODE(os.stat(os.path.join(work, n)).st_mode) for n in OUTPUTS["meshexport"]}
        check(modes == {"mesh.vtu": 0o640, "mesh.msh": 0o640, "mesh.inp": 0o644}, f"permission bits {modes}")


def read_only_target():
    """A target the user may not write is refused, as every output is; root
    may write any file, so the run is made as an ordinary user."""
    if os.geteuid() == 0 and not shutil.which("setpriv"):
        print("read-only target: skipped (root, and no setpriv to run as another user)")
        return
    with tempfile.TemporaryDirectory() as work:
        os.chmod(work, 0o777)
        fill(work, "stressimport")
        target = os.path.join(work, "wstresses.out")
        with open(target, "w") as f:
            f.write("before\n")
        os.chmod(target, 0o444)
        before = set(os.listdir(work))
        command = [BIN["stressimport"]]
        if os.geteuid() == 0:
            command = ["setpriv", "--reuid=65534", "--regid=65534", "--clear-groups"] + command
        done = subprocess.run(command, cwd=work, stdin=subprocess.DEVNULL, capture_output=True, timeout=60)
        check(done.returncode == 1 and done.stderr == b"stressimport: cannot open wstresses.out: Permission denied\n",
              f"read-only wstresses.out: status {done.returncode}, {done.stderr!r}")
        check(read(target) == b"before\n" and set(os.listdir(work)) == before, "read-only wstresses.out was touched")


def large_files_replaced():
    """Large files of an earlier run are replaced as any other (the run lets
    go of them on two threads), and a pipe of a target's name is replaced
    without being waited on for a writer."""
    with tempfile.TemporaryDirectory() as work:
        expected = lone_export(work)
        before = set(os.listdir(work))
        os.remove(os.path.join(work, "mesh.msh"))
        os.mkfifo(os.path.join(work, "mesh.msh"))
        again = run("meshexport", work)
        check(again.returncode == 0, f"meshexport over large files: status {again.returncode} {again.stderr!r}")
        for name, data in expected.items():
            path = os.path.join(work, name)
            check(stat.S_ISREG(os.lstat(path).st_mode) and read(path) == data,
                  f"over large files: {name} is not what a lone run writes")
        check(set(os.listdir(work)) == before, f"over large files: left {leftovers(work, before)}")


def faulty_picture_under_size_limit():
    """A failed write at the end of a run with a faulty mesh is reported."""
    with tempfile.TemporaryDirectory() as work:
        fill(work, "meshexport")
        with open(os.path.join(work, "wtopo.out"), "a") as f:
            f.write("%6d%6d%6d%6d%8.2f%3d\n" % (999, 1, 2, 999, 0.0, 1))  # names a missing node
        done = subprocess.run(["sh", "-c", f'ulimit -f 8; exec "{BIN["meshplot"]}"'], cwd=work,
                              stdin=subprocess.DEVNULL, capture_output=True, timeout=60)
        check(done.returncode == 1 and b"meshplot: cannot write mesh.svg: File too large" in done.stderr,
              f"faulty mesh under a size limit: status {done.returncode}, {done.stderr!r}")


for test in (links_never_followed, two_runs_in_one_folder, all_or_nothing, read_only_target,
             large_files_replaced, faulty_picture_under_size_limit):
    test()
for fault in faults:
    print("FAULT:", fault)
print(f"{len(faults)} faults")
sys.exit(1 if faults else 0)
