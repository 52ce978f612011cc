#!/usr/bin/env python3
"""The walk-through "Your own laminate" (docs/tutorial.md), run as it stands.

  tutorial_test.py BUILD_DIR SOURCE_DIR

Takes the input files from the page itself (each fenced block after an
"<!-- file: NAME -->" line), runs the chain on them in a scratch folder and
compares what a program prints with the page's block after
"<!-- output: PROGRAM -->", so the page cannot drift from the programs. The
solver part runs when ccx is installed.
"""
import os
import re
import shutil
import subprocess
import sys
import tempfile


def blocks(page, kind):
    return {m.group(1): m.group(2) for m in re.finditer(r"<!-- " + kind + r": (\S+) -->\n```\n(.*?)```", page, re.S)}


def run(work, program, *args):
    done = subprocess.run([os.path.join(BUILD, program, program), *args], cwd=work, capture_output=True, text=True,
                          stdin=subprocess.DEVNULL)
    assert done.returncode == 0, f"{program}: status {done.returncode}: {done.stderr.strip()}"
    return done.stdout


def main():
    page = open(os.path.join(SOURCE, "docs", "tutorial.md")).read()
    files, outputs = blocks(page, "file"), blocks(page, "output")
    assert sorted(files) == ["wnodes.dat", "wtopo.dat"] and sorted(outputs) == ["meshplot"], (files.keys(), outputs.keys())
    with tempfile.TemporaryDirectory(prefix="tutorial-") as work:
        for name, text in files.items():
            open(os.path.join(work, name), "w").write(text)
        shutil.copy(os.path.join(SOURCE, "examples", "polar.dat"), work)
        for program in ("polar", "nodes", "topo"):
            run(work, program)
        shown = run(work, "meshplot")
        assert shown == outputs["meshplot"], f"meshplot prints\n{shown}\nthe page shows\n{outputs['meshplot']}"
        run(work, "meshexport")
        model = open(os.path.join(work, "mesh.inp")).read()
        for name in ("ANGLE0", "ANGLE30", "ANGLE90", "TYPE1"):
            assert f"*ELSET, ELSET={name}\n" in model, name
        job = open(os.path.join(work, "job.inp")).read()
        assert job.count("*SOLID SECTION, ELSET=ANGLE") == 3 and "*MATERIAL, NAME=LAMINA" in job
        if shutil.which("ccx") is None:
            print("ccx is not installed: the solver part is left out")
            return
        done = subprocess.run(["ccx", "job"], cwd=work, capture_output=True, text=True)
        assert done.returncode == 0 and "ERROR" not in done.stdout, done.stdout[-2000:]
        run(work, "stressimport", "job.dat")
        stresses = open(os.path.join(work, "wstresses.out")).read().splitlines()
        assert len(stresses) == 138, len(stresses)
        run(work, "meshexport")
        print(f"the tutorial's laminate: 138 elements solved, first stress record {stresses[0]!r}")


if __name__ == "__main__":
    BUILD, SOURCE = os.path.abspath(sys.argv[1]), os.path.abspath(sys.argv[2])
    main()
