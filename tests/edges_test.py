#!/usr/bin/env python3
"""The programs at the edges of their files: endless lines, interrupts, full
disks, pipes whose reader quits, outputs that are the input, closed standard
streams. Every output a run leaves must end with a whole record.

  edges_test.py SANITIZED PROGRAM=PATH...
"""
import os
import random
import resource
import signal
import subprocess
import sys
import tempfile
import time

SANITIZED = sys.argv[1] in ("1", "ON", "TRUE")
BIN = {k: os.path.abspath(v) for k, v in (arg.split("=", 1) for arg in sys.argv[2:])}
EXAMPLES = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "examples")
INPUTS = {"nodes": ["wnodes.dat"], "topo": ["wtopo.dat"], "polar": ["polar.dat"], "stressmean": ["wstresses.out"],
          "shift": ["old3.dat"], "polarplot": ["vf.DAT", "e3.DAT", "g23.DAT", "nu32.DAT"],
          "meshplot": ["wnodes.out", "wtopo.out"], "profileplot": ["wstressavg.out"]}
faults = []
PEAK = os.path.join(tempfile.mkdtemp(prefix="edges-peak-"), "peak")


def case_output(program, name):
    with open(os.path.join(os.path.dirname(__file__), "cases", program, "example", "expected", name), "rb") as f:
        return f.read()


def example(name, **replaced):
    with open(os.path.join(EXAMPLES, name), "rb") as f:
        lines = f.read().split(b"\n")
    for index, text in replaced.items():
        lines[int(index[1:])] = text
    return b"\n".join(lines)


SINGULAR_POLAR = example("polar.dat", r2=b"MATRIX YOUNGS MODULUS EM       0.00000E+00")


def limit_memory():
    # A program whose memory grew with its input must not take the machine down.
    resource.setrlimit(resource.RLIMIT_AS, (1 << 30, 1 << 30))


def run(program, folder, stdin=subprocess.DEVNULL, close_standard=False):
    """Runs the program in the folder: (status, standard error, peak memory in KiB or 0, seconds)."""
    command = [BIN[program]]
    if close_standard:
        # The shell closes descriptors 0, 1 and 2 before the program starts.
        command = ["sh", "-c", f'exec "{BIN[program]}" <&- >&- 2>&-']
    elif os.path.exists("/usr/bin/time"):
        # Measured by a small process: a child of this one would start with its memory.
        command = ["/usr/bin/time", "-f", "%M", "-o", PEAK] + command
    if os.path.exists(PEAK):
        os.remove(PEAK)
    start = time.monotonic()
    # A session of its own, so that a run cut off by the time limit ends with
    # everything it started (the program under /usr/bin/time or sh included).
    with subprocess.Popen(command, cwd=folder, stdin=stdin, stdout=subprocess.DEVNULL, stderr=subprocess.PIPE,
                          start_new_session=True, preexec_fn=None if SANITIZED else limit_memory) as child:
        try:
            _, stderr = child.communicate(timeout=20)
        except subprocess.TimeoutExpired:
            os.killpg(child.pid, signal.SIGKILL)
            child.communicate()
            return "timeout", "", 0, 20.0
    done = subprocess.CompletedProcess(command, child.returncode, None, stderr)
    seconds = time.monotonic() - start
    peak = 0
    if os.path.exists(PEAK):
        with open(PEAK) as f:
            figures = f.read().split()
            peak = int(figures[-1]) if figures else 0
        os.remove(PEAK)
    return done.returncode, done.stderr.decode(errors="replace"), peak, seconds


def check(name, condition, detail=""):
    if not condition:
        faults.append(f"{name}: {detail}")


def whole_records(name, path, full=None):
    with open(path, "rb") as f:
        data = f.read()
    check(name, not data or data.endswith(b"\n"), f"{os.path.basename(path)} ends in a torn record")
    if full is not None:
        check(name, full.startswith(data), f"{os.path.basename(path)} is not a prefix of a whole run's output")
    return data.count(b"\n")


def folder_with(files):
    folder = tempfile.mkdtemp(prefix="edges-")
    for name, content in files.items():
        if isinstance(content, bytes):
            with open(os.path.join(folder, name), "wb") as f:
                f.write(content)
        elif content.startswith("->"):
            os.symlink(content[2:], os.path.join(folder, name))
        elif content.startswith("=>"):
            os.link(os.path.join(folder, content[2:]), os.path.join(folder, name))
    return folder


# One run each: folder (bytes = content, "->X" = symbolic link to X, "=>X" =
# hard link to the file X), program, standard input, status, standard error,
# files that must stay as they were.
NODES = example("wnodes.dat")
LONG = b"  1\n" + b"x" * 1048577 + b"\n"
CASES = [
    ("record one character too long", {"wnodes.dat": LONG}, "nodes", None, 1,
     "nodes: wnodes.dat, record 2: longer than 1048576 characters\n", []),
    ("output a symbolic link to the input", {"wnodes.dat": NODES, "wnodes.out": "->wnodes.dat"}, "nodes", None, 1,
     "nodes: wnodes.out is the same file as wnodes.dat\n", ["wnodes.dat"]),
    ("output a hard link to the input", {"wnodes.dat": NODES, "wnodes.out": "=>wnodes.dat"}, "nodes", None, 1,
     "nodes: wnodes.out is the same file as wnodes.dat\n", ["wnodes.dat"]),
    ("picture a link to its input", {"wnodes.out": case_output("nodes", "wnodes.out"),
                                     "wtopo.out": case_output("topo", "wtopo.out"), "mesh.svg": "->wtopo.out"},
     "meshplot", None, 1, "meshplot: mesh.svg is the same file as wtopo.out\n", ["wtopo.out"]),
    ("one output a link to another", {"polar.dat": example("polar.dat"), "vf.DAT": b"kept\n", "polar.out": "->vf.DAT"},
     "polar", None, 1, "polar: polar.out is the same file as vf.DAT\n", ["polar.dat", "vf.DAT"]),
    ("input error, then a failed write", {"wnodes.dat": example("wnodes.dat", r20=b"12.0000 0.0000x 1    1 2"),
                                          "wnodes.out": "->/dev/full"}, "nodes", None, 1,
     'nodes: wnodes.dat, record 21, columns 9-15: "0.0000x" is not a valid F7.5 field\n'
     "nodes: cannot write wnodes.out: No space left on device\n", []),
    ("pause answered by endless zero bytes", {"polar.dat": SINGULAR_POLAR}, "polar", "/dev/zero", 0, None, []),
] + [(f"{program} on endless zero bytes", {name: "->/dev/zero" for name in INPUTS[program]}, program, None, 1,
      f"{program}: {INPUTS[program][0]}, record 1: longer than 1048576 characters\n", [])
     for program in BIN]

for name, files, program, stdin, status, said, unchanged in CASES:
    folder = folder_with(files)
    before = {f: open(os.path.join(folder, f), "rb").read() for f in unchanged}
    with open(stdin or os.devnull, "rb") as source:
        got, err, peak, seconds = run(program, folder, stdin=source)
    check(name, got == status, f"status {got}, expected {status}; {err}")
    check(name, said is None or err == said, f"said {err!r}")
    check(name, SANITIZED or peak < 8192, f"peak memory {peak} KiB")
    check(name, SANITIZED or seconds < 5, f"took {seconds:.2f} s")
    for f, content in before.items():
        check(name, open(os.path.join(folder, f), "rb").read() == content, f"{f} changed")

# Closed standard streams: the pause's prompts go nowhere, not into a data file.
folder = folder_with({"polar.dat": SINGULAR_POLAR})
status, _, _, _ = run("polar", folder, close_standard=True)
check("closed standard streams", status == 0, f"status {status}")
with open(os.path.join(folder, "polar.out"), "rb") as f:
    check("closed standard streams", b"press Enter" not in f.read(), "prompts in polar.out")

# A pipe whose reader quits after one byte: 9998 node records cannot all go.
folder = folder_with({"wnodes.dat": b"  1\n 0.0000  0.0000 2    1 3 9999 1\n 0.0000  0.0000 1    1 1\n"})
os.mkfifo(os.path.join(folder, "wnodes.out"))
reader = subprocess.Popen(["head", "-c", "1", os.path.join(folder, "wnodes.out")], stdout=subprocess.DEVNULL)
status, err, _, _ = run("nodes", folder)
reader.wait()
check("reader of the output quits", (status, err) == (1, "nodes: cannot write wnodes.out: Broken pipe\n"),
      f"status {status}, said {err!r}")

# Interrupted at the pause: every record written before the prompt is in its file.
for sig in (signal.SIGINT, signal.SIGTERM, signal.SIGHUP):
    folder = folder_with({"polar.dat": SINGULAR_POLAR})
    p = subprocess.Popen([BIN["polar"]], cwd=folder, stdin=subprocess.PIPE, stderr=subprocess.PIPE)
    prompt = b""
    while b"press Enter" not in prompt and p.poll() is None:
        prompt += p.stderr.read1(4096)
    records = whole_records(f"{sig.name} at the pause", os.path.join(folder, "polar.out"))
    p.send_signal(sig)
    p.wait()
    check(f"{sig.name} at the pause", (p.returncode, records) == (-sig, 45), f"status {p.returncode}, {records} records")
    whole_records(f"{sig.name} at the pause", os.path.join(folder, "polar.out"))


def largest_topo_input():
    """99 groups of 12000 elements: 1188000 element records."""
    group = ["9999  45.0  1  5"] + ["6" + " 1234" * 15 + "\n" + " 5678" * 3] * 2000
    return ("99\n" + "\n".join(f"{100 * g:4d}\n 0\n" + "\n".join(group) for g in range(1, 100)) + "\n0\n").encode()


# Signals at random points of a long run, and a full disk.
folder = folder_with({"wtopo.dat": largest_topo_input()})
check("largest topo input", run("topo", folder)[0] == 0)
with open(os.path.join(folder, "wtopo.out"), "rb") as f:
    full = f.read()
random.seed(7)
for sig in (signal.SIGINT, signal.SIGTERM, signal.SIGHUP) * 3:
    p = subprocess.Popen([BIN["topo"]], cwd=folder)
    time.sleep(random.uniform(0.0, 0.3))
    p.send_signal(sig)
    p.wait()
    check(f"{sig.name} during a run", p.returncode in (-sig, 0), f"status {p.returncode}")
    whole_records(f"{sig.name} during a run", os.path.join(folder, "wtopo.out"), full)

# A disk that fills while blocks are still small (64 KiB), and once they
# have reached their largest size (3 MiB).
for size in ("64k", "3m"):
    small = tempfile.mkdtemp(prefix="edges-full-")
    if os.geteuid() != 0 or subprocess.run(["mount", "-t", "tmpfs", "-o", f"size={size}", "tmpfs", small]).returncode:
        print("full disk: skipped (needs root and a tmpfs)")
        break
    try:
        os.symlink(os.path.join(folder, "wtopo.dat"), os.path.join(small, "wtopo.dat"))
        status, err, _, _ = run("topo", small)
        records = whole_records(f"full disk of {size}", os.path.join(small, "wtopo.out"), full)
        check(f"full disk of {size}", (status, err) == (1, "topo: cannot write wtopo.out: No space left on device; "
                                                        f"it holds its first {records} records\n"), f"{status} {err!r}")
    finally:
        subprocess.run(["umount", small])

for fault in faults:
    print(fault)
print(f"{len(faults)} faults")
sys.exit(1 if faults else 0)
