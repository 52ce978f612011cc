#!/usr/bin/env python3
"""job.inp is written once, whole, and never through a link.

  job_test.py MESHEXPORT CASES_DIR

Each case starts from the example tables in a scratch folder, sets up what
job.inp is beforehand, runs meshexport and checks what job.inp and the
folder hold afterwards.
"""
import os
import subprocess
import sys
import tempfile

failures = []


def check(name, condition, detail=""):
    if not condition:
        failures.append(f"{name}: {detail}")


def read(path):
    with open(path, "rb") as f:
        return f.read()


def main(meshexport, cases):
    example = os.path.join(cases, "meshexport", "example")
    written_job = read(os.path.join(example, "expected", "job.inp"))
    with tempfile.TemporaryDirectory(prefix="job-") as scratch:
        outside = os.path.join(scratch, "outside.inp")

        def setup_link(work):  # a link to a file outside the folder
            with open(outside, "wb") as f:
                f.write(b"** not meshexport's\n")
            os.symlink(outside, os.path.join(work, "job.inp"))

        def setup_dangling(work):  # a link to a file that does not exist
            os.symlink(os.path.join(scratch, "nowhere.inp"), os.path.join(work, "job.inp"))

        def setup_directory(work):
            os.mkdir(os.path.join(work, "job.inp"))

        def setup_bad_tables(work):  # a run that fails writes no job
            with open(os.path.join(work, "wtopo.out"), "ab") as f:
                f.write(b"     1\n")

        # name, setup, expected status, expected stderr, check of the folder after the run
        cases_table = [
            ("no job yet", None, 0, b"",
             lambda w: read(os.path.join(w, "job.inp")) == written_job),
            ("a link to an outside file", setup_link, 0, b"",
             lambda w: os.readlink(os.path.join(w, "job.inp")) == outside and read(outside) == b"** not meshexport's\n"),
            ("a link to nothing", setup_dangling, 0, b"",
             lambda w: os.path.islink(os.path.join(w, "job.inp")) and not os.path.exists(os.path.join(scratch, "nowhere.inp"))),
            ("a directory", setup_directory, 0, b"",
             lambda w: os.path.isdir(os.path.join(w, "job.inp")) and os.listdir(os.path.join(w, "job.inp")) == []),
            ("a failed run", setup_bad_tables, 1, None,
             lambda w: not os.path.lexists(os.path.join(w, "job.inp"))),
        ]
        for k, (name, setup, status, stderr, after) in enumerate(cases_table):
            work = os.path.join(scratch, f"case{k}")
            os.mkdir(work)
            for table in ("wnodes.out", "wtopo.out"):
                with open(os.path.join(work, table), "wb") as f:
                    f.write(read(os.path.join(example, "in", table)))
            if setup:
                setup(work)
            done = subprocess.run([meshexport], cwd=work, capture_output=True)
            check(name, done.returncode == status, f"status {done.returncode}, said {done.stderr!r}")
            check(name, stderr is None or done.stderr == stderr, f"said {done.stderr!r}")
            check(name, after(work), f"the folder holds {sorted(os.listdir(work))}")
            check(name, not any(".part." in n for n in os.listdir(work)), f"a temporary is left: {os.listdir(work)}")
            if status == 0:
                check(name, read(os.path.join(work, "mesh.inp")) == read(os.path.join(example, "expected", "mesh.inp")),
                      "mesh.inp is not the model")

        # A job that cannot be written: a folder that takes no new file, but
        # whose mesh files may be replaced, is refused as a run that failed.
        if os.geteuid() != 0:
            work = os.path.join(scratch, "closed")
            os.mkdir(work)
            for table in ("wnodes.out", "wtopo.out"):
                with open(os.path.join(work, table), "wb") as f:
                    f.write(read(os.path.join(example, "in", table)))
            os.chmod(work, 0o555)
            done = subprocess.run([meshexport], cwd=work, capture_output=True)
            os.chmod(work, 0o755)
            check("a closed folder", done.returncode == 1, f"status {done.returncode}")
            check("a closed folder", not os.path.lexists(os.path.join(work, "job.inp")), "job.inp appeared")
    for failure in failures:
        print(failure)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(*sys.argv[1:3]))
