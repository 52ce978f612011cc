#!/usr/bin/env bash
# Times topo on the largest input its fields allow, and on a one-layer input,
# to show that memory stays flat as the output grows. The largest input (about
# 18 MB) is built of
#   99 element groups (the most an I2 count gives), each announcing 9999
#   elements (the most an I4 gives) on lines of 5: (9999 - 1) div 5 + 1 = 2000
#   connectivity lines, each holding 6 triples, the sixth continued on an
#   extra line; 99 * 2000 * 6 = 1188000 element records;
#   then 9 sections (I1) of 9 layers (I1), each 99 coarse cells wide (I2):
#   46 * 99 * 81 = 368874 element records;
# 1556874 element records in all.
#   bench/topo/run.sh [path/to/topo] [runs]
# The default program is build/topo/topo; runs defaults to 7. Reports the
# median wall time, element records per second and the peak resident memory.
set -euo pipefail
cd "$(dirname "$0")/../.."
topo=$(realpath "${1:-build/topo/topo}")
runs=${2:-7}
[ -x "$topo" ] || { echo "no topo program at $topo (build first)" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

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

largest="$work/largest"
small="$work/small"
mkdir -p "$largest" "$small"
{
    printf '99\n'
    for ((g = 1; g <= 99; g++)); do group $((g * 100)); done
    printf '9\n'
    for s in 1 2 3 4 5 6 7 8 9; do section 9 $((s * 1000)); done
} >"$largest/wtopo.dat"
{ printf ' 0\n1\n'; section 1 1; } >"$small/wtopo.dat"

measure() {  # folder -> "median_wall_s median_cpu_s records peak_kib"
    local dir=$1 k peak
    local TIMEFORMAT='%3R %3U %3S'
    for ((k = 0; k < runs; k++)); do
        # wall, user and sys to the millisecond from bash; peak memory from time -v.
        { time (cd "$dir" && "$topo"); } 2>"$work/time.$k"
        peak=$(cd "$dir" && /usr/bin/time -v "$topo" 2>&1 | awk -F: '/Maximum resident/ { print $2 + 0 }')
        echo "$peak" >>"$work/time.$k"
        paste -sd' ' "$work/time.$k" >"$work/time.$k.line" && mv "$work/time.$k.line" "$work/time.$k"
    done
    local records
    records=$(wc -l <"$dir/wtopo.out")
    local median='{ a[NR] = $1 } END { print a[int((NR + 1) / 2)] }'
    local wall cpu
    wall=$(cat "$work"/time.* | awk '{ print $1 }' | sort -g | awk "$median")
    cpu=$(cat "$work"/time.* | awk '{ print $2 + $3 }' | sort -g | awk "$median")
    peak=$(cat "$work"/time.* | awk '{ print $4 }' | sort -g | tail -1)
    echo "$wall $cpu $records $peak"
    rm -f "$work"/time.*
}

report() {  # label wall cpu records peak
    awk -v label="$1" -v wall="$2" -v cpu="$3" -v n="$4" -v kib="$5" -v runs="$runs" 'BEGIN {
        printf "%s %7d element records; median of %d runs: wall %.3f s, user+sys %.3f s", label, n, runs, wall, cpu
        if (wall > 0) printf ", %.2f M records/s (wall)", n / wall / 1e6
        if (cpu > 0) printf ", %.2f M records/s (cpu)", n / cpu / 1e6
        printf "; peak %d KiB\n", kib }'
}

read -r wall cpu records peak < <(measure "$largest")
report "largest input:" "$wall" "$cpu" "$records" "$peak"
read -r wall cpu records peak < <(measure "$small")
report "one layer:    " "$wall" "$cpu" "$records" "$peak"
echo "load average: $(cut -d' ' -f1-3 /proc/loadavg) on $(nproc) cores (wall times suffer when the machine is busy)"
