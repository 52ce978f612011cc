#!/usr/bin/env python3
"""The expected wstressline.out of every stressline case folder, recomputed
without the program: the line's points in exact rational arithmetic from the
arguments, each tested against every element of the case's tables with exact
barycentric signs (on an edge or a corner counts as inside), and the mean of
the stresses of the elements that hold it. Every point some element holds
must be in the expected table with its number, distance, h, v and means (to
the digits the fields show); every other point must be missing from it, and
the expected standard error must count them.

  independent_check.py CASES    CASES is tests/cases/stressline
"""
import math
import os
import sys
from fractions import Fraction

faults = []


def lines(path):
    with open(path) as f:
        return [line.rstrip("\n") for line in f if line.strip()]


def model(folder):
    nodes = {}
    for line in lines(os.path.join(folder, "wnodes.out")):
        nodes[int(line[0:6])] = (Fraction(line[15:27].strip()), Fraction(line[27:39].strip()))
    elements = []
    for line in lines(os.path.join(folder, "wtopo.out")):
        elements.append(tuple(nodes[int(line[k:k + 6])] for k in (6, 12, 18)))
    stresses = [tuple(float(line[k:k + 11]) for k in (0, 11, 22)) for line in lines(os.path.join(folder, "wstresses.out"))]
    return elements, stresses


def side(a, b, p):
    return (b[0] - a[0]) * (p[1] - a[1]) - (b[1] - a[1]) * (p[0] - a[0])


def holds(triangle, p):
    """Inside or on the boundary, whichever way the corners run."""
    signs = [side(triangle[k], triangle[(k + 1) % 3], p) for k in range(3)]
    return all(s >= 0 for s in signs) or all(s <= 0 for s in signs)


def check(case):
    folder = os.path.join(CASES, case)
    with open(os.path.join(folder, "args")) as f:
        args = f.read().split()
    elements, stresses = model(os.path.join(folder, "in"))
    h1, v1, h2, v2 = (Fraction(a) for a in args[:4])
    count = int(args[4]) if len(args) > 4 else 101
    written = {}
    for line in lines(os.path.join(folder, "expected", "wstressline.out")):
        written[int(line[0:6])] = [float(line[6 + 12 * k:18 + 12 * k]) for k in range(3)] + \
                                  [float(line[42 + 12 * k + 1:54 + 12 * k]) for k in range(3)]
    length = math.hypot(float(h2 - h1), float(v2 - v1))
    outside = 0
    for k in range(count):
        t = Fraction(k, count - 1)
        p = (h1 + t * (h2 - h1), v1 + t * (v2 - v1))
        held = [s for triangle, s in zip(elements, stresses) if holds(triangle, p)]
        name = f"{case}, point {k + 1}"
        if not held:
            outside += 1
            if k + 1 in written:
                faults.append(f"{name} lies outside the mesh but is written")
            continue
        if k + 1 not in written:
            faults.append(f"{name} lies in {len(held)} elements but is not written")
            continue
        want = [float(t) * length, float(p[0]), float(p[1])] + [sum(s[j] for s in held) / len(held) for j in range(3)]
        got = written[k + 1]
        for j, what in enumerate(("distance", "h", "v", "SIGH", "SIGZ", "SIGHZ")):
            tolerance = 0.5e-6 + 1.2e-7 * abs(want[j]) if j < 3 else 0.5e-4 * max(abs(want[j]), 1e-30) * 10
            if abs(got[j] - want[j]) > tolerance:
                faults.append(f"{name}: {what} {got[j]}, expected {want[j]} (mean of {len(held)} elements)")
    said = ""
    if os.path.exists(os.path.join(folder, "stderr")):
        with open(os.path.join(folder, "stderr")) as f:
            said = f.read()
    expected = f"stressline: {outside} of {count} points fell outside the mesh and are not written\n" if outside else ""
    if said != expected:
        faults.append(f"{case}: standard error {said!r}, expected {expected!r}")
    return count


CASES = sys.argv[1]
checked = 0
for case in sorted(os.listdir(CASES)):
    if os.path.exists(os.path.join(CASES, case, "expected", "wstressline.out")):
        checked += check(case)
for fault in faults[:30]:
    print(fault)
print(f"{checked} points checked, {len(faults)} faults")
sys.exit(1 if faults or not checked else 0)
