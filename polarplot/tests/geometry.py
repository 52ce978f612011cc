#!/usr/bin/env python3
"""The geometry of polarplot's pictures in the case folders, against the
tables each case reads: every curve is one volume fraction's column, every
point lies at the angle THETA of its row and at a radius proportional to the
magnitude of its value (one scale per diagram, inside the outer ring), rows
that are not finite break the curve, and NU32 is drawn as two curves per
fraction: the positive part solid, the negative part folded to |NU32| and
dashed, each reaching the centre where the sign changes.

  geometry.py CASES      CASES is the tests/cases folder
"""
import math
import os
import re
import sys

faults = []


def table(path):
    with open(path) as f:
        return [[float(line[k:k + 12]) for k in range(0, len(line) - 11, 12)] for line in f.read().splitlines() if line.strip()]


def pieces_of(theta, values, part):
    """The (THETA, |value|) of the rows drawn, as runs of consecutive rows."""
    finite = [math.isfinite(t) and math.isfinite(v) for t, v in zip(theta, values)]
    nonzero = [f and v != 0.0 for f, v in zip(finite, values)]
    pieces, run = [], []
    for j, (t, v) in enumerate(zip(theta, values)):
        kept = finite[j] and (not part or nonzero[j] or (j > 0 and nonzero[j - 1])
                              or (j + 1 < len(values) and nonzero[j + 1]))
        if kept:
            run.append((t, abs(v)))
        elif run:
            pieces.append(run)
            run = []
    return [p for p in pieces + [run] if len(p) >= 2]


def check(case, svg, tables):
    theta = [row[0] for row in tables["e3.DAT"]]
    diagrams = {"E3": [("e3.DAT", k, False) for k in (1, 2, 3)], "G23": [("g23.DAT", k, False) for k in (1, 2, 3)],
                "NU32": [("nu32.DAT", k, p) for k in (1, 2, 3) for p in (False, True)]}
    for name, curves in diagrams.items():
        start = svg.index(f'<g class="diagram" id="{name}">')
        body = svg[start:svg.find('<g class="diagram"', start + 1) % (len(svg) + 1)]
        cx, cy = map(float, re.search(r'<circle cx="([-\d.]+)" cy="([-\d.]+)"', body).groups())
        rim = max(float(r) for r in re.findall(r'<circle [^>]* r="([\d.]+)"', body))
        drawn = {}
        for tag in re.findall(r"<path [^>]*>", body):
            negative = 'class="curve negative"' in tag
            vf = int(re.search(r'data-vf="(\d)"', tag)[1])
            if negative != ("stroke-dasharray" in tag):
                faults.append(f"{case} {name}: fraction {vf} {'negative' if negative else 'positive'} dashed wrongly")
            drawn[(vf, negative)] = [[tuple(map(float, p.split(","))) for p in re.findall(r"[-\d.]+,[-\d.]+", piece)]
                                     for piece in re.findall(r"M[^M]*", re.search(r'd="([^"]*)"', tag)[1])]
        pairs = []
        for file, k, negative in curves:
            column = k + 3 if negative else k
            want = pieces_of(theta, [row[column] for row in tables[file]], name == "NU32")
            got = drawn.pop((k, negative), [])
            if [len(p) for p in want] != [len(p) for p in got]:
                faults.append(f"{case} {name}: fraction {k}{' negative' if negative else ''}: pieces of "
                              f"{[len(p) for p in got]} points, not {[len(p) for p in want]}")
                continue
            pairs += [(w, g) for wp, gp in zip(want, got) for w, g in zip(wp, gp)]
        if drawn:
            faults.append(f"{case} {name}: curves that no column explains: {sorted(drawn)}")
        # One scale for the whole diagram, fitted to what was drawn.
        norm = sum(r * r for (_, r), _ in pairs)
        scale = sum(r * math.hypot(x - cx, y - cy) for (_, r), (x, y) in pairs) / norm if norm else 0.0
        for (t, r), (x, y) in pairs:
            if math.hypot(x - (cx + scale * r * math.cos(t)), y - (cy - scale * r * math.sin(t))) > 0.02:
                faults.append(f"{case} {name}: point ({x}, {y}) is not at THETA {t}, radius {r}")
                break
        if pairs and scale * max(r for (_, r), _ in pairs) > rim + 0.01:
            faults.append(f"{case} {name}: curves reach beyond the outer ring")


def main(cases):
    folder = os.path.join(cases, "polarplot")
    for case in sorted(os.listdir(folder)):
        picture = os.path.join(folder, case, "expected", "polar.svg")
        if not os.path.exists(picture):
            continue
        with open(picture) as f:
            svg = f.read()
        check(case, svg, {name: table(os.path.join(folder, case, "in", name))
                          for name in ("e3.DAT", "g23.DAT", "nu32.DAT")})
    for fault in faults[:20]:
        print(fault)
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))
