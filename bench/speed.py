#!/usr/bin/env python3
"""Times each batch program against what bounds its speed, side by side.

    python3 bench/speed.py [--build DIR] [--pairs N] [PROGRAM ...]

nodes and topo are set against copying the bytes they read and write: `cat`
of their input and output files into one file of the same folder, the work
any program that reads and writes those bytes must do. polar, stressmean and
shift, whose runs are short, are set against a C++ program with an empty
main, built here with the same compiler: the cost of starting a process.

Each program and its bound run in turn, a warm-up first, then N pairs; each
pair gives a ratio of wall times, so a machine whose speed drifts during the
run still compares like with like. Printed: the median wall times, the
median ratio of wall times (and of processor times) with the goal beside
it, and the program's peak resident memory.
"""

import argparse
import os
import shutil
import statistics
import subprocess
import sys
import tempfile
import time
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent

# The goal for each program's ratio of wall times.
GOALS = {"nodes": 2.0, "topo": 2.0, "polar": 2.0, "stressmean": 2.0, "shift": 2.0}
PEAK_GOAL_KIB = 8 * 1024


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
    parser.add_argument("programs", nargs="*", metavar="PROGRAM",
                        help=f"the programs to time, of {', '.join(GOALS)} (default: all)")
    args = parser.parse_args()
    chosen = args.programs or list(GOALS)
    for name in chosen:
        if name not in GOALS:
            parser.error(f"no benchmark for {name!r}; the programs are {', '.join(GOALS)}")
    build = Path(args.build).resolve()
    for name in chosen:
        if not (build / name / name).is_file():
            sys.exit(f"no {name} in {build} (build first)")

    work = Path(tempfile.mkdtemp(prefix="speed."))
    try:
        empty = work / "empty"
        (work / "empty.cpp").write_text("int main() {}\n")
        subprocess.run([os.environ.get("CXX", "c++"), "-O2", "-o", str(empty), str(work / "empty.cpp")], check=True)

        folders = {name: work / name for name in chosen}
        for folder in folders.values():
            folder.mkdir()
        if "nodes" in folders:
            with open(folders["nodes"] / "wnodes.dat", "w") as f:
                subprocess.run([sys.executable, str(ROOT / "bench/nodes/make_wnodes.py"), "1000000"], stdout=f,
                               check=True)
        if "topo" in folders:
            with open(folders["topo"] / "wtopo.dat", "w") as f:
                subprocess.run(["bash", str(ROOT / "bench/topo/make_wtopo.sh"), "largest"], stdout=f, check=True)
        for name, example in (("polar", "polar.dat"), ("stressmean", "wstresses.out"), ("shift", "old3.dat")):
            if name in folders:
                shutil.copy(ROOT / "examples" / example, folders[name])

        results = []
        for name, files in (("nodes", "wnodes.dat wnodes.out"), ("topo", "wtopo.dat wtopo.out")):
            if name not in chosen:
                continue
            program = [str(build / name / name)]
            os.chdir(folders[name])
            run_once(program)  # writes the output the copy reads
            copy = ["/bin/sh", "-c", f"exec cat {files} > copy.bytes"]
            results.append(compare(name, program, copy, folders[name], args.pairs) | {"against": "copying its bytes"})
        for name in ("polar", "stressmean", "shift"):
            if name not in chosen:
                continue
            program = [str(build / name / name)]
            results.append(compare(name, program, [str(empty)], folders[name], args.pairs) | {"against": "empty program"})

        print(f"{'program':<11} {'wall':>9}  {'against':<18} {'wall':>9}  {'ratio':>5} {'(cpu)':>6} "
              f"{'goal':>5}  {'peak':>9}")
        for r in results:
            print(
                f"{r['name']:<11} {r['wall'] * 1000:7.1f}ms  {r['against']:<18} {r['bound'] * 1000:7.1f}ms  "
                f"{r['ratio']:5.2f} ({r['cpu_ratio']:4.2f}) {GOALS[r['name']]:5.1f}  "
                f"{r['peak'] / 1024:6.1f}MiB"
            )
        load = Path("/proc/loadavg").read_text().split()[:3] if Path("/proc/loadavg").exists() else ["?"]
        print(f"median of {args.pairs} pairs; load average {' '.join(load)} on {os.cpu_count()} cores; "
              f"peak goal {PEAK_GOAL_KIB // 1024} MiB")
    finally:
        os.chdir(ROOT)
        shutil.rmtree(work)


if __name__ == "__main__":
    main()
