#!/usr/bin/env python3
"""The elements topo writes, checked against geometry built here independently
of topo's pattern tables: in the cases topo/layer-width-N (one layer, nb = N,
top row starting at node 1, element row r's bottom row at 100 r and its centre
row at 100 r + 50) every element uses nodes of its own element row, turns
clockwise, and the elements tile the layer without overlap. The example mesh
(nodes' and topo's example outputs) must tile its bounding box the same way.

  layer_geometry.py CASES      CASES is the tests/cases folder
"""
import os
import sys

faults = []


def records(path):
    with open(path) as f:
        return f.read().splitlines()


def elements_of(path):
    return [(int(r[0:6]), (int(r[6:12]), int(r[12:18]), int(r[18:24]))) for r in records(path)]


def signed_area(t):
    (ax, ay), (bx, by), (cx, cy) = t
    return 0.5 * ((bx - ax) * (cy - ay) - (cx - ax) * (by - ay))


def overlap(a, b):
    """True when no edge of either triangle separates their interiors."""
    for t in (a, b):
        for e in range(3):
            (px, py), (qx, qy) = t[e], t[(e + 1) % 3]
            da = [(qy - py) * x + (px - qx) * y for x, y in a]
            db = [(qy - py) * x + (px - qx) * y for x, y in b]
            if max(da) <= min(db) + 1e-9 or max(db) <= min(da) + 1e-9:
                return False
    return True


def check_tiling(name, elements, nodes, wanted_area, row_of=None):
    triangles = []
    for k, (number, corners) in enumerate(elements):
        if number != elements[0][0] + k:
            faults.append(f"{name}: element {number} out of sequence")
        if any(c not in nodes for c in corners):
            faults.append(f"{name}: element {number} names a node that does not exist: {corners}")
            continue
        if row_of and not all(row_of(number) in nodes[c][1] for c in corners):
            faults.append(f"{name}: element {number} uses a node of another element row: {corners}")
        t = [nodes[c][0] for c in corners]
        if signed_area(t) >= 0:
            faults.append(f"{name}: element {number} is not clockwise")
        triangles.append((number, t))
    for i, (n, a) in enumerate(triangles):
        for m, b in triangles[i + 1:]:
            if overlap(a, b):
                faults.append(f"{name}: elements {n} and {m} overlap")
    total = sum(-signed_area(t) for _, t in triangles)
    if abs(total - wanted_area) > 1e-6:
        faults.append(f"{name}: the elements cover {total}, the layer {wanted_area}")


def layer_nodes(nb):
    """Node number -> ((x, y), element rows the node may serve)."""
    nodes = {}

    def boundary(first, y, fine, rows):
        for j in range(2 * nb + 1 if fine else nb + 1):
            nodes[first + j] = ((float(j) if fine else 2.0 * j, y), rows)

    boundary(1, 16.0, True, {1})
    for r in range(1, 9):
        bottom = 16.0 - 2 * r
        boundary(100 * r, bottom, r < 3 or r > 5, {r, r + 1})
        mid = [(j + 0.5) for j in range(2 * nb)] if r in (1, 8) else \
              [2.0 * j + 1 for j in range(nb)] if r in (4, 5) else \
              [float(j) for j in range(2 * nb + 1)] if r in (3, 6) else []
        for j, x in enumerate(mid):
            nodes[100 * r + 50 + j] = ((x, bottom + 1.0), {r})
    return nodes


def main(cases):
    for nb in (1, 2, 3):
        name = f"topo/layer-width-{nb}"
        elements = elements_of(os.path.join(cases, name, "expected", "wtopo.out"))
        # Elements per element row: 8, 4, 7, 4, 4, 7, 4, 8 times nb.
        ends = [0]
        for per in (8, 4, 7, 4, 4, 7, 4, 8):
            ends.append(ends[-1] + per * nb)
        if len(elements) != ends[-1]:
            faults.append(f"{name}: {len(elements)} elements, not {ends[-1]}")
        row_of = lambda number: next(r for r in range(1, 9) if number <= ends[r])
        check_tiling(name, elements, layer_nodes(nb), 2.0 * nb * 16.0, row_of)

    nodes = {}
    for r in records(os.path.join(cases, "nodes", "example", "expected", "wnodes.out")):
        nodes[int(r[0:6])] = ((float(r[15:27]), float(r[27:39])), set())
    xs = [p[0][0] for p in nodes.values()]
    ys = [p[0][1] for p in nodes.values()]
    check_tiling("example mesh", elements_of(os.path.join(cases, "topo", "example", "expected", "wtopo.out")),
                 nodes, (max(xs) - min(xs)) * (max(ys) - min(ys)))

    for fault in faults[:20]:
        print(fault)
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))
