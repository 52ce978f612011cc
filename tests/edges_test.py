#!/usr/bin/env python3
"""The programs at the edges of their files: endless lines, interrupts, full
disks, file-size limits, pipes whose reader quits, outputs that are the input,
closed standard streams. Every output a run leaves must end with a whole
record; an output replaced whole or not at all is left as it was by a failed
run, with no temporary beside it.

  edges_test.py SANITIZED PROGRAM=PATH...

Everything a run makes lives in one scratch folder, removed at the end
whatever happened.
"""
import contextlib
import os
import random
import resource
import shutil
import signal
import subprocess
import sys
import tempfile
import time

from programs import PROGRAMS

SANITIZED = sys.argv[1] in ("1", "ON", "TRUE")
BIN = {k: os.path.abspath(v) for k, v in (arg.split("=", 1) for arg in sys.argv[2:])}
HERE = os.path.dirname(os.path.abspath(__file__))
EXAMPLES = os.path.join(HERE, "..", "examples")
CASES_DIR = os.path.join(HERE, "cases")
# The inputs every run opens, the first one first.
INPUTS = {name: list(PROGRAMS[name].reads) for name in BIN}
# Outputs that appear whole or not at all: a failed run leaves them as they were.
REPLACED = {name: list(PROGRAMS[name].writes) for name in BIN if "replaces" in PROGRAMS[name]}
# Generous: only a run that hangs reaches it; a loaded machine never should.
RUN_TIMEOUT = 60
faults = []
skipped = []
SCRATCH = None  # the scratch folder, set by main()


def check(name, condition, detail=""):
    if not condition:
        faults.append(f"{name}: {detail}")


def read(path):
    with open(path, "rb") as f:
        return f.read()


def case_output(program, name):
    return read(os.path.join(CASES_DIR, program, "example", "expected", name))


def case_arguments(program):
    """The arguments of the program's example case, for a program that needs some."""
    path = os.path.join(CASES_DIR, program, "example", "args")
    return read(path).decode().split() if os.path.exists(path) else []


def case_inputs(program):
    folder = os.path.join(CASES_DIR, program, "example", "in")
    return {name: read(os.path.join(folder, name)) for name in os.listdir(folder)}


def example(name, **replaced):
    lines = read(os.path.join(EXAMPLES, name)).split(b"\n")
    for index, text in replaced.items():
        lines[int(index[1:])] = text
    return b"\n".join(lines)


SINGULAR_POLAR = example("polar.dat", r2=b"MATRIX YOUNGS MODULUS EM       0.30000E+39")


def limit_memory():
    # A program whose memory grew with its input must not take the machine down.
    resource.setrlimit(resource.RLIMIT_AS, (1 << 30, 1 << 30))


@contextlib.contextmanager
def folder_with(files):
    """A fresh folder in the scratch folder holding `files` (bytes = content,
    "->X" = symbolic link to X, "=>X" = hard link to the file X), removed
    when the block ends."""
    folder = tempfile.mkdtemp(prefix="edges-", dir=SCRATCH)
    try:
        for name, content in files.items():
            if isinstance(content, bytes):
                with open(os.path.join(folder, name), "wb") as f:
                    f.write(content)
            elif content.startswith("->"):
                os.symlink(content[2:], os.path.join(folder, name))
            elif content.startswith("=>"):
                os.link(os.path.join(folder, content[2:]), os.path.join(folder, name))
        yield folder
    finally:
        shutil.rmtree(folder, ignore_errors=True)


@contextlib.contextmanager
def started(command, **options):
    """A child in a session of its own, ended with everything it started if
    the block is left while it still runs."""
    child = subprocess.Popen(command, start_new_session=True, **options)
    try:
        yield child
    finally:
        if child.poll() is None:
            os.killpg(child.pid, signal.SIGKILL)
        child.wait()
        for stream in (child.stdin, child.stdout, child.stderr):
            if stream is not None:
                stream.close()


def run(program, folder, stdin=subprocess.DEVNULL, close_standard=False):
    """Runs the program in the folder: (status, standard error, peak memory in KiB or 0)."""
    peak_file = os.path.join(SCRATCH, "peak")
    command = [BIN[program]] + case_arguments(program)
    if close_standard:
        # The shell closes descriptors 0, 1 and 2 before the program starts.
        command = ["sh", "-c", f'exec "{BIN[program]}" <&- >&- 2>&-']
    elif os.path.exists("/usr/bin/time"):
        # Measured by a small process: a child of this one would start with its memory.
        command = ["/usr/bin/time", "-f", "%M", "-o", peak_file] + command
    if os.path.exists(peak_file):
        os.remove(peak_file)
    with started(command, cwd=folder, stdin=stdin, stdout=subprocess.DEVNULL, stderr=subprocess.PIPE,
                 preexec_fn=None if SANITIZED else limit_memory) as child:
        try:
            _, stderr = child.communicate(timeout=RUN_TIMEOUT)
        except subprocess.TimeoutExpired:
            return "timeout", "", 0
    peak = 0
    if os.path.exists(peak_file):
        figures = read(peak_file).split()
        peak = int(figures[-1]) if figures else 0
        os.remove(peak_file)
    return child.returncode, stderr.decode(errors="replace"), peak


def whole_records(name, path, full=None):
    data = read(path)
    check(name, not data or data.endswith(b"\n"), f"{os.path.basename(path)} ends in a torn record")
    if full is not None:
        check(name, full.startswith(data), f"{os.path.basename(path)} is not a prefix of a whole run's output")
    return data.count(b"\n")


def holding(records):
    """How a failed write's diagnostic says what the file kept."""
    if records == 0:
        return "it holds no records"
    return "it holds its first record" if records == 1 else f"it holds its first {records} records"


def older_targets(program):
    """Earlier versions of the outputs a program replaces whole."""
    return {name: b"older " + name.encode() + b"\n" for name in REPLACED.get(program, [])}


# One run each: folder, program, standard input, status, standard error,
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
    # One answer line of 20 MiB: read to its end in constant memory, it answers
    # one pause and the end of the input answers the rest.
    ("pause answered by a long line of zero bytes", {"polar.dat": SINGULAR_POLAR}, "polar", b"\0" * (20 << 20), 0,
     None, []),
] + [(f"{program} on endless zero bytes", {**{name: "->/dev/zero" for name in INPUTS[program]},
                                           **older_targets(program)}, program, None, 1,
      f"{program}: {INPUTS[program][0]}, record 1: longer than 1048576 characters\n", list(older_targets(program)))
     for program in BIN]


def single_runs():
    for name, files, program, stdin, status, said, unchanged in CASES:
        with folder_with(files) as folder:
            before = {f: read(os.path.join(folder, f)) for f in unchanged}
            names = set(os.listdir(folder))
            answers = os.devnull
            if isinstance(stdin, bytes):  # kept beside the folder, not in it
                answers = folder + ".stdin"
                with open(answers, "wb") as f:
                    f.write(stdin)
            with open(answers, "rb") as source:
                got, err, peak = run(program, folder, stdin=source)
            if answers != os.devnull:
                os.remove(answers)
            check(name, got == status, f"status {got}, expected {status}; {err}")
            check(name, said is None or err == said, f"said {err!r}")
            check(name, SANITIZED or peak < 8192, f"peak memory {peak} KiB")
            for f, content in before.items():
                check(name, read(os.path.join(folder, f)) == content, f"{f} changed")
            if program in REPLACED:
                left = sorted(set(os.listdir(folder)) - names)
                check(name, not left, f"left {left}")


def closed_standard_streams():
    """The pause's prompts go nowhere, not into a data file."""
    with folder_with({"polar.dat": SINGULAR_POLAR}) as folder:
        status, _, _ = run("polar", folder, close_standard=True)
        check("closed standard streams", status == 0, f"status {status}")
        check("closed standard streams", b"press Enter" not in read(os.path.join(folder, "polar.out")),
              "prompts in polar.out")


def reader_quits():
    """A pipe whose reader quits after one byte: 9998 node records cannot all go."""
    with folder_with({"wnodes.dat": b"  1\n 0.0000  0.0000 2    1 3 9999 1\n 0.0000  0.0000 1    1 1\n"}) as folder:
        os.mkfifo(os.path.join(folder, "wnodes.out"))
        with started(["head", "-c", "1", os.path.join(folder, "wnodes.out")], stdout=subprocess.DEVNULL) as reader:
            status, err, _ = run("nodes", folder)
            reader.wait(timeout=RUN_TIMEOUT)
        check("reader of the output quits", (status, err) == (1, "nodes: cannot write wnodes.out: Broken pipe\n"),
              f"status {status}, said {err!r}")


def interrupted_at_the_pause():
    """Every record written before the prompt is in its file."""
    for sig in (signal.SIGINT, signal.SIGTERM, signal.SIGHUP):
        name = f"{sig.name} at the pause"
        with folder_with({"polar.dat": SINGULAR_POLAR}) as folder, \
                started([BIN["polar"]], cwd=folder, stdin=subprocess.PIPE, stderr=subprocess.PIPE) as p:
            prompt = b""
            while b"press Enter" not in prompt and p.poll() is None:
                prompt += p.stderr.read1(4096)
            records = whole_records(name, os.path.join(folder, "polar.out"))
            p.send_signal(sig)
            p.wait(timeout=RUN_TIMEOUT)
            check(name, (p.returncode, records) == (-sig, 45), f"status {p.returncode}, {records} records")
            whole_records(name, os.path.join(folder, "polar.out"))


def largest_topo_input():
    """99 groups of 12000 elements: 1188000 element records."""
    group = ["9999  45.0  1  5"] + ["6" + " 1234" * 15 + "\n" + " 5678" * 3] * 2000
    return ("99\n" + "\n".join(f"{100 * g:4d}\n 0\n" + "\n".join(group) for g in range(1, 100)) + "\n0\n").encode()


def status_masks(pid):
    """The process's caught and ignored signals, as sets of numbers."""
    masks = {}
    with open(f"/proc/{pid}/status") as f:
        for line in f:
            key, _, value = line.partition(":")
            if key in ("SigCgt", "SigIgn"):
                bits = int(value, 16)
                masks[key] = {s for s in range(1, 65) if bits >> (s - 1) & 1}
    return masks.get("SigCgt", set()), masks.get("SigIgn", set())


def names(signals):
    return ", ".join(signal.Signals(s).name for s in sorted(signals)) or "none"


def wait_for_input(child, output):
    """Waits until the child has read all it was given and waits for more:
    blocked reading a pipe, its output no longer growing. False if it ended."""
    deadline = time.monotonic() + RUN_TIMEOUT
    last, still = -1, 0
    while time.monotonic() < deadline and child.poll() is None:
        try:
            with open(f"/proc/{child.pid}/wchan") as f:
                wchan = f.read().strip()
            with open(f"/proc/{child.pid}/stat") as f:
                state = f.read().rpartition(")")[2].split()[0]
        except OSError:
            return False
        size = os.path.getsize(output) if os.path.exists(output) else -1
        # Where the kernel hides wchan, a sleeping process whose output stays put will do.
        blocked = "pipe_read" in wchan or (wchan in ("", "0") and state == "S")
        still = still + 1 if blocked and size == last else 0
        if still >= 3:
            return True
        last = size
        time.sleep(0.02)
    return False


def writer_of(fifo, child):
    """The writing end of a FIFO, once the child has opened it for reading."""
    deadline = time.monotonic() + RUN_TIMEOUT
    while time.monotonic() < deadline and child.poll() is None:
        try:
            fd = os.open(fifo, os.O_WRONLY | os.O_NONBLOCK)
        except OSError:  # ENXIO: no reader yet
            time.sleep(0.01)
            continue
        os.set_blocking(fd, True)
        return os.fdopen(fd, "wb")
    return None


INTERRUPTS = (signal.SIGINT, signal.SIGTERM, signal.SIGHUP)


def interrupted_while_waiting(largest, full):
    """topo given part of its largest input through a FIFO: while it waits
    for the rest, with blocks written and the next one half gathered, it
    catches SIGINT, SIGTERM and SIGHUP and ignores SIGPIPE and SIGXFSZ; an
    interrupt then leaves wtopo.out whole records. A signal ignored when the
    run starts (SIGHUP under nohup) stays ignored."""
    given = largest[:len(largest) // 8]
    for sig, ignored_at_start in [(s, None) for s in INTERRUPTS] + [(signal.SIGTERM, signal.SIGHUP)]:
        name = f"{sig.name} while waiting for input" + (f", {ignored_at_start.name} ignored" if ignored_at_start else "")
        ignore = (lambda: signal.signal(ignored_at_start, signal.SIG_IGN)) if ignored_at_start else None
        with folder_with({}) as folder:
            fifo = os.path.join(folder, "wtopo.dat")
            output = os.path.join(folder, "wtopo.out")
            os.mkfifo(fifo)
            with started([BIN["topo"]], cwd=folder, stdin=subprocess.DEVNULL, preexec_fn=ignore) as p:
                writer = writer_of(fifo, p)
                if writer is None:
                    check(name, False, f"topo never opened its input; status {p.poll()}")
                    continue
                with writer:
                    writer.write(given)
                    writer.flush()
                    if not wait_for_input(p, output):
                        check(name, False, f"topo did not wait for more input; status {p.poll()}")
                        continue
                    caught, ignored = status_masks(p.pid)
                    expect_caught = set(INTERRUPTS) - {ignored_at_start}
                    check(name, expect_caught <= caught,
                          f"catches {names(caught & set(INTERRUPTS))}, not all of {names(expect_caught)}")
                    check(name, {signal.SIGPIPE, signal.SIGXFSZ} <= ignored,
                          f"ignores {names(ignored)}, not SIGPIPE and SIGXFSZ")
                    if ignored_at_start:
                        check(name, ignored_at_start in ignored and ignored_at_start not in caught,
                              f"{ignored_at_start.name} no longer ignored")
                        p.send_signal(ignored_at_start)
                        check(name, wait_for_input(p, output), f"ended by {ignored_at_start.name}: {p.poll()}")
                    p.send_signal(sig)
                    p.wait(timeout=RUN_TIMEOUT)
                check(name, p.returncode == -sig, f"status {p.returncode}")
                records = whole_records(name, output, full)
                check(name, records > 0, "wtopo.out holds no records: no block was written before the interrupt")


def interrupted_at_random(folder, full):
    """Signals at random points of a long run."""
    random.seed(7)
    for sig in INTERRUPTS * 3:
        name = f"{sig.name} during a run"
        with started([BIN["topo"]], cwd=folder, stdin=subprocess.DEVNULL) as p:
            time.sleep(random.uniform(0.0, 0.3))
            p.send_signal(sig)
            p.wait(timeout=RUN_TIMEOUT)
        check(name, p.returncode in (-sig, 0), f"status {p.returncode}")
        whole_records(name, os.path.join(folder, "wtopo.out"), full)


def grid_tables(columns, rows):
    """wnodes.out and wtopo.out of a grid of columns by rows squares, each
    cut into two triangles listed clockwise."""
    nodes, elements = [], []
    number = lambda i, j: j * (columns + 1) + i + 1
    for j in range(rows + 1):
        for i in range(columns + 1):
            nodes.append(f"{number(i, j):6d}  0  0  0{i * 0.01:12.6f}{-j * 0.01:12.6f}")
    for j in range(rows):
        for i in range(columns):
            a, c = number(i, j), number(i, j + 1)
            elements.append(f"{len(elements) + 1:6d}{c:6d}{a:6d}{a + 1:6d}{0.0:8.2f}{1:3d}")
            elements.append(f"{len(elements) + 1:6d}{c:6d}{a + 1:6d}{c + 1:6d}{0.0:8.2f}{1:3d}")
    return {"wnodes.out": ("\n".join(nodes) + "\n").encode(), "wtopo.out": ("\n".join(elements) + "\n").encode()}


def drawing_interrupted_at_random():
    """meshplot's two threads write the picture in turn: signalled at random
    points, it leaves the picture cut back to a whole line, with nothing
    written after the cut."""
    with folder_with(grid_tables(400, 150)) as folder:
        began = time.monotonic()
        done = subprocess.run([BIN["meshplot"]], cwd=folder, stdout=subprocess.DEVNULL, stderr=subprocess.PIPE)
        took = time.monotonic() - began
        check("a grid of 120000 elements drawn", done.returncode == 0, f"status {done.returncode}, said {done.stderr!r}")
        full = read(os.path.join(folder, "mesh.svg"))
        random.seed(8)
        for sig in INTERRUPTS * 2:
            name = f"{sig.name} while drawing"
            if os.path.exists(os.path.join(folder, "mesh.svg")):
                os.remove(os.path.join(folder, "mesh.svg"))
            with started([BIN["meshplot"]], cwd=folder, stdout=subprocess.DEVNULL) as p:
                # Within the second half of a run: while it draws.
                time.sleep(random.uniform(0.5, 1.0) * took)
                p.send_signal(sig)
                p.wait(timeout=RUN_TIMEOUT)
            check(name, p.returncode in (-sig, 0), f"status {p.returncode}")
            if os.path.exists(os.path.join(folder, "mesh.svg")):
                whole_records(name, os.path.join(folder, "mesh.svg"), full)


def full_disk(folder, full):
    """A disk that fills while blocks are still small (64 KiB), and once they
    have reached their largest size (3 MiB)."""
    if os.geteuid() != 0:
        skipped.append("full disk (needs root to mount a small tmpfs)")
        return
    for size in ("64k", "3m"):
        small = tempfile.mkdtemp(prefix="edges-full-", dir=SCRATCH)
        mounted = subprocess.run(["mount", "-t", "tmpfs", "-o", f"size={size}", "tmpfs", small],
                                 capture_output=True)
        if mounted.returncode:
            skipped.append(f"full disk (cannot mount a tmpfs: {mounted.stderr.decode(errors='replace').strip()})")
            return
        try:
            os.symlink(os.path.join(folder, "wtopo.dat"), os.path.join(small, "wtopo.dat"))
            status, err, _ = run("topo", small)
            records = whole_records(f"full disk of {size}", os.path.join(small, "wtopo.out"), full)
            check(f"full disk of {size}", (status, err) == (1, "topo: cannot write wtopo.out: No space left on device; "
                                                            f"{holding(records)}\n"), f"{status} {err!r}")
        finally:
            subprocess.run(["umount", small])


def shift_input(lines):
    """`lines` connectivity lines of six triples each."""
    text = f"{6 * lines:4d}\n".encode()
    for k in range(lines):
        text += b"6" + b"".join(b"%4d%4d%4d" % (n, n + 1, n + 2) for n in range(10 * k + 1, 10 * k + 7)) + b"\n"
    return text


def bytes_under_limit(blocks):
    """What `ulimit -f` in sh allows, in bytes: the unit is the shell's own."""
    done = subprocess.run(["sh", "-c", f'ulimit -f {blocks}; exec "{sys.executable}" -c '
                                       '"import resource; print(resource.getrlimit(resource.RLIMIT_FSIZE)[0])"'],
                          capture_output=True, text=True, check=True)
    return int(done.stdout)


# Inputs larger than the example case's, where that is too small for its
# first output to reach the limit.
LARGER_INPUTS = {"shift": {"old3.dat": shift_input(40)}}


def file_size_limit():
    """As a user's shell runs a program under `ulimit -f`: a write past the
    limit fails like one to a full disk. The run says which file, ends with
    status 1 and leaves whole records from the start of a full run's output;
    an output replaced whole keeps its older version and no temporary stays."""
    blocks = 1
    limit = bytes_under_limit(blocks)
    for program in BIN:
        name = f"{program} under ulimit -f {blocks}"
        if program not in LARGER_INPUTS and "example" not in PROGRAMS[program]:
            skipped.append(f"{name} (no example case to run)")
            continue
        # The output written first meets the limit in the middle of a record.
        first_full = PROGRAMS[program].writes[0]
        inputs = LARGER_INPUTS.get(program) or case_inputs(program)
        older = older_targets(program)
        with folder_with({**inputs, **older}) as whole_run, folder_with({**inputs, **older}) as limited:
            status, err, _ = run(program, whole_run)
            if status != 0:
                check(name, False, f"the run without a limit failed: {status} {err!r}")
                continue
            given = set(inputs) - set(older)
            full = {f: read(os.path.join(whole_run, f)) for f in os.listdir(whole_run) if f not in given}
            check(name, len(full[first_full]) > limit, f"{first_full} never reaches the limit of {limit} bytes")
            before = set(os.listdir(limited))
            arguments = "".join(f' "{a}"' for a in case_arguments(program))
            with started(["sh", "-c", f'ulimit -f {blocks}; exec "{BIN[program]}"{arguments}'], cwd=limited,
                         stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=subprocess.PIPE) as p:
                try:
                    _, said = p.communicate(timeout=RUN_TIMEOUT)
                except subprocess.TimeoutExpired:
                    check(name, False, "timed out")
                    continue
            said = said.decode(errors="replace")
            if program in REPLACED:
                expected = f"{program}: {first_full} was not replaced: File too large\n"
            else:
                records = full[first_full][:limit].count(b"\n")
                expected = f"{program}: cannot write {first_full}: File too large; {holding(records)}\n"
            check(name, (p.returncode, said) == (1, expected), f"status {p.returncode}, said {said!r}")
            if program in REPLACED:
                left = sorted(set(os.listdir(limited)) - before)
                check(name, not left, f"left {left}")
                for f, content in older.items():
                    check(name, read(os.path.join(limited, f)) == content, f"{f} was touched")
                continue
            for f in sorted(set(os.listdir(limited)) - given):
                check(name, f in full, f"wrote {f}, which a run without a limit does not")
                if f in full:
                    whole_records(name, os.path.join(limited, f), full[f])


def main():
    single_runs()
    closed_standard_streams()
    reader_quits()
    interrupted_at_the_pause()
    drawing_interrupted_at_random()
    file_size_limit()
    largest = largest_topo_input()
    with folder_with({"wtopo.dat": largest}) as folder:
        status, err, _ = run("topo", folder)
        check("largest topo input", status == 0, f"status {status}, said {err!r}")
        full = read(os.path.join(folder, "wtopo.out"))
        interrupted_while_waiting(largest, full)
        interrupted_at_random(folder, full)
        full_disk(folder, full)


if __name__ == "__main__":
    with tempfile.TemporaryDirectory(prefix="edges-") as scratch:
        SCRATCH = scratch
        main()
    for fault in faults:
        print(fault)
    for what in skipped:
        print(f"skipped: {what}")
    print(f"{len(faults)} faults" + (f", {len(skipped)} parts skipped" if skipped else ""))
    sys.exit(1 if faults else 0)
