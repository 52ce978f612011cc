#!/usr/bin/env bash
# Times the built nodes on an input that expands to about a million node
# records and reports records per second and peak memory.
#   bench/nodes/run.sh [records] [runs]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
records=${1:-1000000}
runs=${2:-5}

cmake -S "$root" -B "$root/build" -G Ninja >/dev/null
cmake --build "$root/build" --target nodes >/dev/null
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
python3 "$here/make_wnodes.py" "$records" > "$work/wnodes.dat"
cd "$work"

times=()
for _ in $(seq "$runs"); do
  /usr/bin/time -f "%e %M" -o time.txt "$root/build/nodes/nodes"
  times+=("$(cat time.txt)")
done
written=$(wc -l < wnodes.out)
printf '%s\n' "${times[@]}" | sort -n | awk -v n="$written" '
  { t[NR] = $1; m[NR] = $2 }
  END {
    med = t[int((NR + 1) / 2)]
    printf "node records: %d\nmedian wall time: %.3f s over %d runs\n", n, med, NR
    if (med > 0) printf "records per second: %.2f million\n", n / med / 1e6
    max = 0; for (i in m) if (m[i] > max) max = m[i]
    printf "peak memory: %.1f MiB\n", max / 1024
  }'
