#!/usr/bin/env python3
"""stressimport on a model of 50000 elements, read many lines at a time,
with wtopo.out listing them in another order than the solver's print:
wstresses.out holds, in the order of wtopo.out, each element's mean
stresses as 32-bit reals edited E11.4, as computed here independently.

  many_stresses_test.py STRESSIMPORT
"""
import os
import random
import struct
import subprocess
import sys
import tempfile

STRESSIMPORT = os.path.abspath(sys.argv[1])
ELEMENTS = 50000


def single(x):
    """The 32-bit real nearest x."""
    return struct.unpack("f", struct.pack("f", x))[0]


def e11_4(x):
    """x edited E11.4: [-]0.dddd E+xx, the four digits rounded from the
    binary value, ties to even."""
    if x == 0.0:
        return " 0.0000E+00"
    digits, exponent = f"{abs(x):.3e}".split("e")
    body = "0." + digits.replace(".", "") + "E" + f"{int(exponent) + 1:+03d}"
    return ("-" if x < 0 else " ") + body


def stress_field(random_source):
    """A stress as the solver prints it, E14.6, and its value."""
    mantissa = random_source.randrange(1000000, 10000000) * random_source.choice((1, -1))
    exponent = random_source.randrange(-6, 8)
    text = f"{'-' if mantissa < 0 else ' '}{abs(mantissa) // 1000000}.{abs(mantissa) % 1000000:06d}E{exponent:+03d}"
    return text.rjust(14), single(float(text))


def main():
    source = random.Random(5)
    lines = ["", " stresses (elem, integ.pnt.,sxx,syy,szz,sxy,sxz,syz) for set EALL and time  0.1000000E+01", ""]
    means = {}
    for element in range(1, ELEMENTS + 1):
        sums = [0.0, 0.0, 0.0]
        for point in (1, 2):
            fields = [stress_field(source) for _ in range(6)]
            lines.append(f"{element:10d}{point:4d}" + "".join(text for text, _ in fields))
            for k, column in enumerate((0, 1, 3)):
                sums[k] += fields[column][1]
        means[element] = [single(s / 2) for s in sums]
    order = list(range(1, ELEMENTS + 1))
    source.shuffle(order)
    with tempfile.TemporaryDirectory() as work:
        with open(os.path.join(work, "mesh.dat"), "w") as f:
            f.write("\n".join(lines) + "\n")
        with open(os.path.join(work, "wtopo.out"), "w") as f:
            for n in order:
                f.write(f"{n:6d}{1:6d}{2:6d}{3:6d}{0.0:8.2f}{1:3d}\n")
        done = subprocess.run([STRESSIMPORT], cwd=work, capture_output=True)
        if done.returncode != 0:
            sys.exit(f"stressimport ended with {done.returncode}: {done.stderr.decode()}")
        with open(os.path.join(work, "wstresses.out")) as f:
            written = f.read().split("\n")
    expected = ["".join(e11_4(x) for x in means[n]) for n in order] + [""]
    wrong = [i for i, (a, b) in enumerate(zip(written, expected)) if a != b]
    if len(written) != len(expected) or wrong:
        at = wrong[0] if wrong else min(len(written), len(expected)) - 1
        sys.exit(f"wstresses.out: {len(written) - 1} records, {len(wrong)} wrong; record {at + 1} is "
                 f"{written[at]!r}, not {expected[at]!r}")
    print(f"{ELEMENTS} elements' mean stresses, in the order of wtopo.out")


main()
