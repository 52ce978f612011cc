#!/usr/bin/env python3
"""The plies in the real solver: polar's lamina, turned by each layer's angle.

  plies_test.py BUILD_DIR EXAMPLES_DIR

Runs polar, nodes, topo and meshexport on copies of the examples, so that
job.inp gets the plies of polar's first volume fraction, then prescribes at
every node the displacement of one uniform strain, solves with ccx and reads
the stresses back with stressimport. Every element must carry the stress its
ply's constants predict, computed here by hand from the constants polar.out
prints: at the example's 0 and 90 degrees, and again with the 90-degree
layers turned to 30. Exits with 77 (skipped) without ccx.
"""
import math
import os
import re
import shutil
import subprocess
import sys
import tempfile

SKIP = 77
EXX, EYY, GXY = 1.0e-3, -4.0e-4, 6.0e-4  # the strain: along h, along v, engineering shear
TOLERANCE = 0.01


def run(program, work, *args):
    done = subprocess.run([os.path.join(BUILD, program, program), *args], cwd=work, capture_output=True, text=True,
                          stdin=subprocess.DEVNULL)
    assert done.returncode == 0, f"{program} ended with status {done.returncode}: {done.stderr.strip()}"


def constants(work):
    """EL, ET, GLT, GTT, NULT, NUTT of the first volume fraction, as polar.out prints them."""
    lines = open(os.path.join(work, "polar.out")).read().split("\n")
    names = ("EL", "ET", "GLT", "GTT", "NULT", "NUTT")
    found = {}
    for line in lines[20:29]:
        m = re.search(r"\b(EL|ET|GLT|GTT|NULT|NUTT)=\s*(\S+)$", line)
        if m:
            found[m.group(1)] = float(m.group(2))
    return [found[n] for n in names]


def inverse(a):
    n = len(a)
    m = [row[:] + [float(i == j) for j in range(n)] for i, row in enumerate(a)]
    for c in range(n):
        p = max(range(c, n), key=lambda r: abs(m[r][c]))
        m[c], m[p] = m[p], m[c]
        pivot = m[c][c]
        m[c] = [x / pivot for x in m[c]]
        for r in range(n):
            if r != c:
                f = m[r][c]
                m[r] = [x - f * y for x, y in zip(m[r], m[c])]
    return [row[n:] for row in m]


def predicted(c, degrees):
    """sigma_hh, sigma_vv, tau_hv of a ply at `degrees` under the strain, in plane strain."""
    el, et, glt, gtt, nult, nutt = c
    # Compliance in the ply's axes 1 (fibre), 2, 3; Voigt order 11 22 33 23 13 12.
    s = [[1 / el, -nult / el, -nult / el, 0, 0, 0],
         [-nult / el, 1 / et, -nutt / et, 0, 0, 0],
         [-nult / el, -nutt / et, 1 / et, 0, 0, 0],
         [0, 0, 0, 1 / gtt, 0, 0],
         [0, 0, 0, 0, 1 / glt, 0],
         [0, 0, 0, 0, 0, 1 / glt]]
    stiffness = inverse(s)
    t = math.radians(degrees)
    # The ply's axes in the model's (x = h, y = v, z): the fibre turned from z toward x about y.
    axes = [(math.sin(t), 0.0, math.cos(t)), (0.0, 1.0, 0.0), (-math.cos(t), 0.0, math.sin(t))]
    strain = [[EXX, GXY / 2, 0.0], [GXY / 2, EYY, 0.0], [0.0, 0.0, 0.0]]
    local = [[sum(axes[i][k] * strain[k][l] * axes[j][l] for k in range(3) for l in range(3)) for j in range(3)]
             for i in range(3)]
    voigt = [local[0][0], local[1][1], local[2][2], 2 * local[1][2], 2 * local[0][2], 2 * local[0][1]]
    sv = [sum(stiffness[i][j] * voigt[j] for j in range(6)) for i in range(6)]
    stress = [[sv[0], sv[5], sv[4]], [sv[5], sv[1], sv[3]], [sv[4], sv[3], sv[2]]]
    glob = [[sum(axes[k][i] * stress[k][l] * axes[l][j] for k in range(3) for l in range(3)) for j in range(3)]
            for i in range(3)]
    return glob[0][0], glob[1][1], glob[0][1]


def strained_job(work):
    """job.inp with its supports and load replaced by the displacement of the strain at every node."""
    nodes = [(int(l[:6]), float(l[15:27]), float(l[27:39])) for l in open(os.path.join(work, "wnodes.out"))]
    cards = ["*BOUNDARY"]
    for n, h, v in nodes:
        cards.append(f"{n}, 1, 1, {EXX * h + GXY / 2 * v:.9e}")
        cards.append(f"{n}, 2, 2, {GXY / 2 * h + EYY * v:.9e}")
    job = open(os.path.join(work, "job.inp")).read()
    job = re.sub(r"\*BOUNDARY\n(?:[^*].*\n)+", "\n".join(cards) + "\n", job)
    assert "*EL PRINT, ELSET=EALL, GLOBAL=YES" in job and "*MATERIAL, NAME=LAMINA" in job, job
    open(os.path.join(work, "job.inp"), "w").write(job)


def solve_and_check(work, angles_expected):
    c = constants(work)
    angles = {int(l[:6]): float(l[24:32]) for l in open(os.path.join(work, "wtopo.out"))}
    assert sorted(set(angles.values())) == angles_expected, sorted(set(angles.values()))
    strained_job(work)
    done = subprocess.run(["ccx", "job"], cwd=work, capture_output=True, text=True)
    assert done.returncode == 0 and "ERROR" not in done.stdout, done.stdout[-2000:]
    run("stressimport", work, "job.dat")
    records = open(os.path.join(work, "wstresses.out")).read().splitlines()
    assert len(records) == len(angles)
    worst = {}
    for number, record in zip(angles, records):
        got = [float(record[11 * k:11 * k + 11]) for k in range(3)]
        want = predicted(c, angles[number])
        scale = max(abs(x) for x in want)
        error = max(abs(g - w) for g, w in zip(got, want)) / scale
        assert error <= TOLERANCE, f"element {number} at {angles[number]}: {got}, predicted {want}"
        worst[angles[number]] = max(worst.get(angles[number], 0.0), error)
    for angle, error in sorted(worst.items()):
        print(f"{angle:5.1f} degrees: {predicted(c, angle)}, largest difference {100 * error:.3f}%")


def main():
    if shutil.which("ccx") is None:
        sys.exit(SKIP)
    with tempfile.TemporaryDirectory(prefix="plies-") as work:
        for name in ("polar.dat", "wnodes.dat", "wtopo.dat"):
            shutil.copy(os.path.join(EXAMPLES, name), work)
        for program in ("polar", "nodes", "topo", "meshexport"):
            run(program, work)
        solve_and_check(work, [0.0, 90.0])
        # The 90-degree layers turned to 30, and a new job for them.
        lines = open(os.path.join(work, "wtopo.out")).readlines()
        lines = [l[:24] + ("   30.00" if l[24:32] == "   90.00" else l[24:32]) + l[32:] for l in lines]
        open(os.path.join(work, "wtopo.out"), "w").writelines(lines)
        os.remove(os.path.join(work, "job.inp"))
        run("meshexport", work)
        solve_and_check(work, [0.0, 30.0])


if __name__ == "__main__":
    BUILD, EXAMPLES = os.path.abspath(sys.argv[1]), os.path.abspath(sys.argv[2])
    main()
