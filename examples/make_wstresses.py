#!/usr/bin/env python3
"""Writes wstresses.out: 2394 element stress records "(3E11.4)" such as the
finite-element solver writes for the layered model that stressmean reads.

Elements 1975 to 2070 and 2299 to 2394 form the two columns of 96 slices
through the thickness (two elements a slice, the first column from Z/H = 0
to 0.5, the second from 0.5 to 1): there SIGZ is a bending stress that
changes sign through the thickness on top of a membrane part, and SIGHZ a
shear that vanishes at both faces. Elsewhere the stresses vary smoothly with
the element number. Nothing random, so the file is the same on every run.

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


def z_over_h(k):
    """Z/H of the centre of element k's slice, or None off the two columns."""
    if 1975 <= k <= 2070:
        return ((k - 1975) // 2 + 0.5) / 96.0
    if 2299 <= k <= 2394:
        return 0.5 + ((k - 2299) // 2 + 0.5) / 96.0
    return None


def stresses(k):
    """sh, sz, shz of element k, in MPa."""
    t = (k - 1) / (ELEMENTS - 1)            # 0 .. 1 along the element numbering
    sh = 35.0 * math.cos(math.pi * t) + 4.0 * math.sin(k / 57.0)
    z = z_over_h(k)
    if z is not None:
        sz = 25.0 + 90.0 * (1.0 - 2.0 * z) + 6.0 * math.cos(2.0 * math.pi * z)
        shz = -12.0 * math.sin(math.pi * z) * (1.0 + 0.2 * (k % 2))
    else:
        sz = 60.0 * math.cos(1.5 * math.pi * t) + 20.0 * math.sin(5.0 * math.pi * t) + 10.0
        shz = -6.0 * math.sin(math.pi * t) * (1.0 + 0.3 * math.cos(4.0 * math.pi * t))
    return sh, sz, shz


def main():
    out = sys.stdout
    for k in range(1, ELEMENTS + 1):
        out.write("".join(e11_4(v) for v in stresses(k)) + "\n")


if __name__ == "__main__":
    main()
