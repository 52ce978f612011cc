#!/usr/bin/env bash
# Times topo on the largest input its fields allow, and on a one-layer input,
# to show that memory stays flat as the output grows; make_wtopo.sh writes
# both inputs and says how the largest (1556874 element records) is built.
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

largest="$work/largest"
small="$work/small"
mkdir -p "$largest" "$small"
bash bench/topo/make_wtopo.sh largest >"$largest/wtopo.dat"
bash bench/topo/make_wtopo.sh small >"$small/wtopo.dat"

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
