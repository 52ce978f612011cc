#!/usr/bin/env python3
"""Times each batch program against what bounds its speed, side by side.

    python3 bench/speed.py [--build DIR] [--pairs N] [--dir FOLDER] [PROGRAM ...]

A program that reads and writes large files is set against copying the
bytes it reads and writes: `cat` of its input and output files into one file
of the same folder, the work any program that reads and writes those bytes
must do. A program whose run is short is set against a C++ program with an
empty main, built here with the same compiler: the cost of starting a
process.

Each program and its bound run in turn, a warm-up first, then N pairs; each
pair gives a ratio of wall times, so a machine whose speed drifts during the
run still compares like with like. Printed: the median wall times, the
median ratio of wall times (and of processor times) with the goal beside
it, the program's peak resident memory with its goal, per element for the
programs that take a model, and the file system the runs and the copies
went to: a copy into memory (tmpfs) is several times faster than one into
a disk with write-back, so the same program shows a higher ratio there.

Every program is one entry of BENCHES below: how its folder is filled, the
files it reads and writes, its goals.
"""

import argparse
import os
import shutil
import statistics
import subprocess
import sys
import tempfile
import time
from dataclasses import dataclass, field
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent
MIB = 1024


def wnodes_dat(folder):
    with open(folder / "wnodes.dat", "w") as f:
        subprocess.run([sys.executable, str(ROOT / "bench/nodes/make_wnodes.py"), "1000000"], stdout=f, check=True)


def wtopo_dat(folder):
    with open(folder / "wtopo.dat", "w") as f:
        subprocess.run(["bash", str(ROOT / "bench/topo/make_wtopo.sh"), "largest"], stdout=f, check=True)


def example(name):
    return lambda folder: shutil.copy(ROOT / "examples" / name, folder)


# The model of bench/meshexport: 999698 elements on 501264 nodes with their
# stresses and the solver's mesh.dat; made once, copied to each folder.
GRID_ELEMENTS = 999698
GRID_FILES = ("wnodes.out", "wtopo.out", "wstresses.out", "mesh.dat")


def grid(*names):
    def fill(folder):
        made = folder.parent / "grid"
        if not made.is_dir():
            made.mkdir()
            subprocess.run(["bash", str(ROOT / "bench/meshexport/make_grid.sh"), str(made)], check=True)
        for name in names:
            shutil.copy(made / name, folder)
    return fill


@dataclass
class Bench:
    goal: float  # for the median ratio of wall times
    peak_goal_mib: float
    fill: object  # writes the program's inputs into its folder
    # The files whose bytes the copy moves: what the program reads, then
    # what it writes. None: the bound is the empty program.
    copied: tuple = None
    elements: int = 0  # of the model, for the memory per element
    args: list = field(default_factory=list)


BENCHES = {
    "nodes": Bench(2.0, 8, wnodes_dat, ("wnodes.dat", "wnodes.out")),
    "topo": Bench(2.0, 8, wtopo_dat, ("wtopo.dat", "wtopo.out")),
    "polar": Bench(2.0, 8, example("polar.dat")),
    "stressmean": Bench(2.0, 8, example("wstresses.out")),
    "shift": Bench(2.0, 8, example("old3.dat")),
    "meshexport": Bench(2.0, 64, grid("wnodes.out", "wtopo.out", "wstresses.out"),
                        ("wnodes.out", "wtopo.out", "wstresses.out", "mesh.vtu", "mesh.msh", "mesh.inp"),
                        GRID_ELEMENTS),
    "stressimport": Bench(2.0, 45, grid("mesh.dat", "wtopo.out"), ("mesh.dat", "wtopo.out", "wstresses.out"),
                          GRID_ELEMENTS),
    "meshplot": Bench(3.0, 85, grid("wnodes.out", "wtopo.out"), ("wnodes.out", "wtopo.out", "mesh.svg"),
                      GRID_ELEMENTS),
}


def run_once(argv):
    """Wall and processor (user + system) seconds of one run in the current
    folder, its standard output thrown away."""
    start = time.perf_counter()
    pid = os.posix_spawn(argv[0], argv, os.environ,
                         file_actions=[(os.POSIX_SPAWN_OPEN, 1, os.devnull, os.O_WRONLY, 0)])
    _, status, usage = os.wait4(pid, 0)
    wall = time.perf_counter() - start
    if os.waitstatus_to_exitcode(status) != 0:
        sys.exit(f"{' '.join(argv)} failed in {os.getcwd()} (status {os.waitstatus_to_exitcode(status)})")
    return wall, usage.ru_utime + usage.ru_stime


def peak_kib(argv):
    """Peak resident memory of one run, as GNU time reports it (a spawn from
    this process would count the interpreter's own pages)."""
    report = subprocess.run(["/usr/bin/time", "-f", "%M", *argv], stdout=subprocess.DEVNULL,
                            stderr=subprocess.PIPE, text=True, check=True)
    return int(report.stderr.split()[-1])


def file_system(folder):
    """The type of the file system that holds the folder, as stat names it."""
    done = subprocess.run(["stat", "-f", "-c", "%T", str(folder)], capture_output=True, text=True)
    return done.stdout.strip() or "unknown"


def compare(name, program, bound, folder, pairs):
    os.chdir(folder)
    run_once(program)
    run_once(bound)
    walls, bound_walls, wall_ratios, cpu_ratios = [], [], [], []
    for _ in range(pairs):
        wall, cpu = run_once(program)
        bound_wall, bound_cpu = run_once(bound)
        walls.append(wall)
        bound_walls.append(bound_wall)
        wall_ratios.append(wall / bound_wall)
        cpu_ratios.append(cpu / max(bound_cpu, 1e-4))
    return {
        "name": name,
        "wall": statistics.median(walls),
        "bound": statistics.median(bound_walls),
        "ratio": statistics.median(wall_ratios),
        "cpu_ratio": statistics.median(cpu_ratios),
        "peak": peak_kib(program),
    }


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--build", default=str(ROOT / "build"), help="the build folder (default: build)")
    parser.add_argument("--pairs", type=int, default=11, help="pairs of runs per program (default: 11)")
    parser.add_argument("--dir", default=None,
                        help="the folder to run in (default: the system's temporary folder); /dev/shm is in memory")
    parser.add_argument("programs", nargs="*", metavar="PROGRAM",
                        help=f"the programs to time, of {', '.join(BENCHES)} (default: all)")
    args = parser.parse_args()
    chosen = args.programs or list(BENCHES)
    for name in chosen:
        if name not in BENCHES:
            parser.error(f"no benchmark for {name!r}; the programs are {', '.join(BENCHES)}")
    build = Path(args.build).resolve()
    for name in chosen:
        if not (build / name / name).is_file():
            sys.exit(f"no {name} in {build} (build first)")

    work = Path(tempfile.mkdtemp(prefix="speed.", dir=args.dir))
    try:
        empty = work / "empty"
        (work / "empty.cpp").write_text("int main() {}\n")
        subprocess.run([os.environ.get("CXX", "c++"), "-O2", "-o", str(empty), str(work / "empty.cpp")], check=True)

        results = []
        for name in chosen:
            bench = BENCHES[name]
            folder = work / name
            folder.mkdir()
            bench.fill(folder)
            program = [str(build / name / name), *bench.args]
            if bench.copied is None:
                bound, against = [str(empty)], "empty program"
            else:
                os.chdir(folder)
                run_once(program)  # writes the outputs the copy reads
                bound, against = ["/bin/sh", "-c", f"exec cat {' '.join(bench.copied)} > copy.bytes"], "copying"
            result = compare(name, program, bound, folder, args.pairs)
            if bench.copied is not None:
                result["bytes"] = sum((folder / f).stat().st_size for f in bench.copied)
                against = f"copying {result['bytes'] / 1e6:.0f} MB"
            results.append(result | {"against": against, "bench": bench})
            for f in GRID_FILES + ("mesh.vtu", "mesh.msh", "mesh.inp", "mesh.svg", "copy.bytes"):
                (folder / f).unlink(missing_ok=True)  # room for the next program's files

        print(f"{'program':<13} {'wall':>9}  {'against':<18} {'wall':>9}  {'ratio':>5} {'(cpu)':>6} "
              f"{'goal':>5}  {'peak':>9} {'goal':>6} {'per element':>12}")
        for r in results:
            bench = r["bench"]
            per_element = f"{r['peak'] * 1024 / bench.elements:8.1f} bytes" if bench.elements else ""
            print(
                f"{r['name']:<13} {r['wall'] * 1000:7.1f}ms  {r['against']:<18} {r['bound'] * 1000:7.1f}ms  "
                f"{r['ratio']:5.2f} ({r['cpu_ratio']:4.2f}) {bench.goal:5.1f}  "
                f"{r['peak'] / MIB:6.1f}MiB {bench.peak_goal_mib:4.0f}MiB {per_element:>12}"
            )
        load = Path("/proc/loadavg").read_text().split()[:3] if Path("/proc/loadavg").exists() else ["?"]
        print(f"median of {args.pairs} pairs; runs and copies in {work.parent} ({file_system(work)}); "
              f"load average {' '.join(load)} on {os.cpu_count()} cores")
    finally:
        os.chdir(ROOT)
        shutil.rmtree(work)


if __name__ == "__main__":
    main()
