#!/usr/bin/env python3
"""Writes wstresses.out: 2394 element stress records "(3E11.4)" such as the
finite-element solver writes for the layered model that stressmean reads.

The stresses vary smoothly with the element number: a membrane part that
falls off along the model, a bending part that changes sign through each
column of 96 slices, and a small through-thickness shear. Nothing random,
so the file is the same on every run.

    python3 make_wstresses.py > wstresses.out
"""

import math
import sys

ELEMENTS = 2394


def e11_4(value):
    """value in an E11.4 field: 0.dddd mantissa, signed two-digit exponent."""
    if value == 0.0:
        return " 0.0000E+00"
    digits, exponent = f"{abs(value):.3e}".split("e")
    mantissa = digits.replace(".", "")
    sign = "-" if value < 0 else " "
    return f"{sign}0.{mantissa}E{int(exponent) + 1:+03d}"


def stresses(k):
    """sh, sz, shz of element k, in MPa."""
    t = (k - 1) / (ELEMENTS - 1)            # 0 .. 1 along the element numbering
    slice_pos = ((k - 1) % 96) / 95.0       # 0 .. 1 through a column of slices
    sh = 35.0 * math.cos(math.pi * t) + 4.0 * math.sin(k / 57.0)
    sz = 120.0 * (1.0 - 0.6 * t) * (1.0 - 2.0 * slice_pos) + 15.0 * math.sin(3.0 * math.pi * t)
    shz = -8.5 * math.sin(math.pi * slice_pos) * (1.0 + 0.5 * math.cos(2.0 * math.pi * t))
    return sh, sz, shz


def main():
    out = sys.stdout
    for k in range(1, ELEMENTS + 1):
        out.write("".join(e11_4(v) for v in stresses(k)) + "\n")


if __name__ == "__main__":
    main()
