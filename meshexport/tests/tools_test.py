#!/usr/bin/env python3
"""The exported example model in the real tools: Gmsh, meshio, CalculiX.

  tools_test.py BUILD_DIR EXAMPLES_DIR gmsh|meshio|calculix

Each check runs nodes, topo and meshexport on copies of the examples in a
scratch folder; it exits with 77 (skipped) when its tool is not installed.
CalculiX runs the job meshexport wrote (job.inp, including mesh.inp) as it
stands: the patch test.
"""
import os
import shutil
import subprocess
import sys
import tempfile

SKIP = 77
E, NU, LIFT = 210000.0, 0.3, 0.01  # the patch test of job.inp: the material and the move of the V12 nodes


def run(program, work, *args):
    done = subprocess.run([os.path.join(BUILD, program, program), *args], cwd=work, capture_output=True, text=True)
    if done.returncode != 0:
        sys.exit(f"{program} ended with status {done.returncode}: {done.stderr.strip()}")


def model(work):
    for name in ("wnodes.dat", "wtopo.dat"):
        shutil.copy(os.path.join(EXAMPLES, name), work)
    for program in ("nodes", "topo", "meshexport"):
        run(program, work)


def tables(work):
    nodes = [(int(l[:6]), [int(l[6 + 3 * k:9 + 3 * k]) for k in range(3)], float(l[15:27]), float(l[27:39]))
             for l in open(os.path.join(work, "wnodes.out"))]
    elements = [(int(l[:6]), [int(l[6 * k:6 * k + 6]) for k in (1, 2, 3)], float(l[24:32]), int(l[32:35]))
                for l in open(os.path.join(work, "wtopo.out"))]
    return nodes, elements


def e11_4(x):  # the field (E11.4) as the suite writes it: -0.1235E+04
    mantissa, exponent = f"{x:.3e}".split("e")
    return f"{'-' if x < 0 else ''}0.{mantissa.replace('.', '').lstrip('-')}E{int(exponent) + 1:+03d}".rjust(11)


def check_gmsh(work):
    out = subprocess.run(["gmsh", "-check", "mesh.msh"], cwd=work, capture_output=True, text=True).stdout
    assert "72 nodes" in out and "96 elements" in out, out


def appended_arrays(path):
    """The arrays of a mesh.vtu with raw appended data, read by their offsets
    and byte counts alone: {name: (type, components, values)}, the points
    under "Points". Also checks that the arrays, in the order of their
    offsets, fill the data exactly, back to back."""
    import re
    import struct
    data = open(path, "rb").read()
    start = data.index(b'<AppendedData encoding="raw">')
    base = data.index(b"_", start) + 1
    heading = data[:start].decode()
    sizes = {"Int32": ("<i", 4), "Float32": ("<f", 4), "UInt8": ("<B", 1)}
    tags = [dict(re.findall(r'(\w+)="([^"]*)"', tag)) for tag in re.findall(r"<DataArray [^>]*/>", heading)]
    arrays, end = {}, base
    for attributes in sorted(tags, key=lambda a: int(a["offset"])):
        assert attributes["format"] == "appended", attributes
        at = base + int(attributes["offset"])
        assert at == end, f"{attributes}: the array does not follow the one before it"
        (count,) = struct.unpack_from("<I", data, at)
        code, size = sizes[attributes["type"]]
        values = [v for (v,) in struct.iter_unpack(code, data[at + 4:at + 4 + count])]
        assert len(values) * size == count
        arrays[attributes.get("Name", "Points")] = (attributes["type"], int(attributes.get("NumberOfComponents", 1)),
                                                    values)
        end = at + 4 + count
    assert data[end:] == b"\n  </AppendedData>\n</VTKFile>\n", data[end:end + 80]
    return arrays


def check_meshio(work):
    import meshio
    import numpy
    f32 = numpy.float32
    with open(os.path.join(work, "wstresses.out"), "w") as f:
        for k in range(1, 97):
            f.write(e11_4(k * 0.5) + e11_4(-k) + e11_4(k * 1e-3) + "\n")
    run("meshexport", work)
    path = os.path.join(work, "mesh.vtu")
    mesh = meshio.read(path)
    nodes, elements = tables(work)
    # The values as the tables hold them: 32-bit reals of their digits.
    stresses = [[f32(line[k:k + 11]) for k in (0, 11, 22)] for line in open(os.path.join(work, "wstresses.out"))]
    coordinates = [(f32(l[15:27]), f32(l[27:39])) for l in open(os.path.join(work, "wnodes.out"))]
    angles = [f32(l[24:32]) for l in open(os.path.join(work, "wtopo.out"))]
    (cells,) = mesh.cells
    assert cells.type == "triangle" and len(mesh.points) == 72 and len(cells.data) == 96
    assert list(mesh.point_data["node"]) == [n[0] for n in nodes]
    for k, name in enumerate(("H0V12", "H0", "V12")):
        assert list(mesh.point_data[name]) == [n[1][k] for n in nodes]
    assert mesh.points.dtype == numpy.float32
    assert [tuple(p) for p in mesh.points] == [(h, v, 0.0) for h, v in coordinates]
    data = {name: list(values[0]) for name, values in mesh.cell_data.items()}
    assert data["element"] == [e[0] for e in elements] and data["type"] == [e[3] for e in elements]
    assert data["angle"] == angles
    for k, name in enumerate(("SH", "SZ", "SHZ")):
        assert mesh.cell_data[name][0].dtype == numpy.float32, name
        assert data[name] == [s[k] for s in stresses], name
    for (a, b, c), e in zip(cells.data, elements):
        assert sorted(int(nodes[i][0]) for i in (a, b, c)) == sorted(e[1])
        (ha, va), (hb, vb), (hc, vc) = (mesh.points[i][:2] for i in (a, b, c))
        assert (hb - ha) * (vc - va) - (hc - ha) * (vb - va) > 0, "a triangle runs clockwise"
    # The same file read by its offsets and byte counts alone, as a reader
    # that trusts them does: every array where the heading says, back to back.
    arrays = appended_arrays(path)
    assert arrays["node"] == ("Int32", 1, [n[0] for n in nodes])
    assert arrays["Points"][:2] == ("Float32", 3) and arrays["Points"][2] == [x for h, v in coordinates
                                                                             for x in (h, v, 0.0)]
    assert arrays["connectivity"] == ("Int32", 1, [int(i) for c in cells.data for i in c])
    assert arrays["offsets"] == ("Int32", 1, [3 * k for k in range(1, 97)])
    assert arrays["types"] == ("UInt8", 1, [5] * 96)
    assert arrays["SHZ"] == ("Float32", 1, [s[2] for s in stresses])
    # The models of meshexport's test cases (five nodes, blank lines,
    # stresses): meshio reads each as the offsets and byte counts give it.
    cases = os.path.join(EXAMPLES, os.pardir, "tests", "cases", "meshexport")
    for case in sorted(os.listdir(cases)):
        if not os.path.exists(os.path.join(cases, case, "expected", "mesh.vtu")):
            continue
        with tempfile.TemporaryDirectory(prefix="case-") as folder:
            shutil.copytree(os.path.join(cases, case, "in"), folder, dirs_exist_ok=True)
            run("meshexport", folder)
            path = os.path.join(folder, "mesh.vtu")
            mesh, arrays = meshio.read(path), appended_arrays(path)
            for name, values in [*mesh.point_data.items(), *((n, v[0]) for n, v in mesh.cell_data.items())]:
                assert list(values) == arrays[name][2], (case, name)
            assert list(mesh.points.flatten()) == arrays["Points"][2], case
            assert list(mesh.cells[0].data.flatten()) == arrays["connectivity"][2], case


def patch(work):
    """The patch test: the job as meshexport wrote it, ccx job, stressimport job.dat. Returns what failed, or None."""
    nodes, elements = tables(work)
    height = max(n[3] for n in nodes) - min(n[3] for n in nodes)
    if os.path.exists(os.path.join(work, "job.dat")):
        os.remove(os.path.join(work, "job.dat"))
    done = subprocess.run(["ccx", "job"], cwd=work, capture_output=True, text=True)
    if done.returncode != 0 or "ERROR" in done.stdout:
        return "ccx: " + next((l.strip() for l in done.stdout.splitlines() if "ERROR" in l), f"status {done.returncode}")
    run("stressimport", work, "job.dat")
    records = open(os.path.join(work, "wstresses.out")).read().splitlines()
    # Plane strain, h free: sigma_vv = E x strain / (1 - nu^2).
    want = e11_4(E * LIFT / height / (1 - NU * NU)).strip()
    wrong = [k for k, r in enumerate(records, 1) if r[11:22].strip() != want]
    if len(records) != len(elements) or wrong:
        return f"SZ is not {want} (E x strain / (1 - nu^2)) in {len(wrong)} of {len(records)} elements"
    largest = max(abs(float(r[:11])) + abs(float(r[22:33])) for r in records)
    if largest > 1e-6 * E * LIFT / height / (1 - NU * NU):
        return f"SH or SHZ reaches {largest:g}"
    print(f"patch test: {len(records)} elements, SZ {want} = E {E:g} x strain {LIFT / height:.6g} / (1 - nu^2), "
          f"|SH| + |SHZ| at most {largest:.2g}")
    return None


def check_calculix(work):
    job = open(os.path.join(work, "job.inp"), "rb").read()
    failure = patch(work)
    assert failure is None, failure
    # Listed clockwise: the same model with the second and third nodes swapped.
    model = open(os.path.join(work, "mesh.inp")).read()
    lines = model.split("\n")
    first = lines.index("*ELEMENT, TYPE=CPE3, ELSET=EALL") + 1
    for i in range(first, first + 96):
        n = lines[i].split(",")
        lines[i] = ",".join((n[0], n[1], n[3], n[2]))
    open(os.path.join(work, "mesh.inp"), "w").write("\n".join(lines))
    failure = patch(work)
    assert failure is not None, "the clockwise mesh passed"
    print("clockwise mesh:", failure)
    # A node moved: node 2 of the top edge 0.25 down, the model exported again.
    lines = open(os.path.join(work, "wnodes.out")).readlines()
    lines[1] = lines[1][:27] + f"{11.75:12.6f}\n"
    open(os.path.join(work, "wnodes.out"), "w").writelines(lines)
    run("meshexport", work)
    assert open(os.path.join(work, "job.inp"), "rb").read() == job, "a second meshexport changed job.inp"
    failure = patch(work)
    assert failure is not None, "the mesh with a node moved passed"
    print("node 2 moved:", failure)


if __name__ == "__main__":
    BUILD, EXAMPLES, tool = os.path.abspath(sys.argv[1]), os.path.abspath(sys.argv[2]), sys.argv[3]
    if tool == "meshio":
        try:
            import meshio  # noqa: F401
        except ImportError:
            # Debian's python3-meshio serves the system's python3.
            if os.path.exists("/usr/bin/python3") and os.path.realpath(sys.executable) != os.path.realpath("/usr/bin/python3"):
                os.execv("/usr/bin/python3", ["/usr/bin/python3", *sys.argv])
            sys.exit(SKIP)
    elif shutil.which({"gmsh": "gmsh", "calculix": "ccx"}[tool]) is None:
        sys.exit(SKIP)
    with tempfile.TemporaryDirectory(prefix="tools-") as work:
        model(work)
        {"gmsh": check_gmsh, "meshio": check_meshio, "calculix": check_calculix}[tool](work)
