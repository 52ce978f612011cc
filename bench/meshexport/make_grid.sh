#!/usr/bin/env bash
# Writes the largest model the tables can number into FOLDER: element
# numbers are I6 fields and must be positive and used once, so at most
# 999999 elements. The model is a grid of 707 by 707 squares cut into two
# triangles each (999698 elements, listed clockwise like topo's, on 501264
# nodes): wnodes.out, wtopo.out, a stress table wstresses.out for it and a
# matching mesh.dat as CalculiX prints it.
#   bench/meshexport/make_grid.sh FOLDER
set -euo pipefail
dir=${1:?usage: make_grid.sh FOLDER}
awk -v n=707 -v dir="$dir" 'BEGIN {
    for (j = 0; j <= n; j++)
        for (i = 0; i <= n; i++) {
            h = i * 0.01; v = 12 - j * 0.01
            printf "%6d%3d%3d%3d%12.6f%12.6f\n", j * (n + 1) + i + 1, h == 0 && j == 0, h == 0, j == 0, h, v \
                >(dir "/wnodes.out")
        }
    e = 0
    for (j = 0; j < n; j++)
        for (i = 0; i < n; i++) {
            a = j * (n + 1) + i + 1; b = a + 1; c = a + n + 1; d = c + 1  # a b on top, c d below
            printf "%6d%6d%6d%6d%8.2f%3d\n", ++e, c, a, b, 45.0, 1 + j % 2 >(dir "/wtopo.out")
            printf "%6d%6d%6d%6d%8.2f%3d\n", ++e, c, b, d, 45.0, 1 + j % 2 >(dir "/wtopo.out")
            printf "%11.4E%11.4E%11.4E\n", 0.5, e, -0.25 >(dir "/wstresses.out")
            printf "%11.4E%11.4E%11.4E\n", 0.5, e, -0.25 >(dir "/wstresses.out")
        }
    print "\n stresses (elem, integ.pnt.,sxx,syy,szz,sxy,sxz,syz) for set EALL and time  0.1000000E+01\n" >(dir "/mesh.dat")
    for (k = 1; k <= e; k++)
        for (p = 1; p <= 2; p++)
            printf "%10d%4d%14.6E%14.6E%14.6E%14.6E%14.6E%14.6E\n", k, p, 1.5, k, 0, -2.5, 0, 0 >(dir "/mesh.dat")
}'
