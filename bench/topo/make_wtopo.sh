#!/usr/bin/env bash
# Writes a wtopo.dat to standard output: "largest", the largest input the
# fields allow (about 18 MB), or "small", one section of one layer. The
# largest is built of
#   99 element groups (the most an I2 count gives), each announcing 9999
#   elements (the most an I4 gives) on lines of 5: (9999 - 1) div 5 + 1 = 2000
#   connectivity lines, each holding 6 triples, the sixth continued on an
#   extra line; 99 * 2000 * 6 = 1188000 element records;
#   then 9 sections (I1) of 9 layers (I1), each 99 coarse cells wide (I2):
#   46 * 99 * 81 = 368874 element records;
# 1556874 element records in all.
#   bench/topo/make_wtopo.sh largest|small > wtopo.dat
set -euo pipefail

# One section of nlay layers, nb = 99, numbered from iel; the node start
# numbers stay within their I4 fields.
section() {
    awk -v nlay="$1" -v iel="$2" 'BEGIN {
        printf "%1d %2d %4d\n", nlay, 99, iel
        for (l = 1; l <= nlay; l++) {
            printf "%5.1f%3d\n%4d\n", (l % 2 ? 45.0 : -45.0), l, 1
            for (row = 1; row <= 8; row++) {
                if (row != 2 && row != 7) printf "%4d\n", 1000 * row + 500
                printf "%4d\n", 1000 * row
            }
        }
    }'
}

# One element group of 9999 elements, 5 to a line, 6 triples on every line.
group() {
    awk -v jj="$1" 'BEGIN {
        printf "%4d\n 0\n9999  45.0  1  5\n", jj
        for (pass = 1; pass <= 2000; pass++) {
            printf "6"
            for (f = 1; f <= 15; f++) printf " %4d", (pass * 15 + f) % 10000
            printf "\n"
            for (f = 1; f <= 3; f++) printf " %4d", (pass * 3 + f) % 10000
            printf "\n"
        }
    }'
}

case "${1:-}" in
largest)
    printf '99\n'
    for ((g = 1; g <= 99; g++)); do group $((g * 100)); done
    printf '9\n'
    for s in 1 2 3 4 5 6 7 8 9; do section 9 $((s * 1000)); done
    ;;
small)
    printf ' 0\n1\n'
    section 1 1
    ;;
*)
    echo "usage: bench/topo/make_wtopo.sh largest|small" >&2
    exit 2
    ;;
esac
