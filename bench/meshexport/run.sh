#!/usr/bin/env bash
# Times meshexport and stressimport on the largest model the tables can
# number (make_grid.sh: 999698 elements on 501264 nodes, with a stress table
# and a matching mesh.dat), in a folder of the system's temporary folder.
#   bench/meshexport/run.sh [build-dir]
# Reports the wall time and the peak resident memory of each program, and
# the sizes of the files. bench/speed.py sets the same runs against copying
# their bytes.
set -euo pipefail
cd "$(dirname "$0")/../.."
build=$(realpath "${1:-build}")
for p in meshexport stressimport; do
    [ -x "$build/$p/$p" ] || { echo "no $p program in $build (build first)" >&2; exit 1; }
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
bash bench/meshexport/make_grid.sh "$work"
echo "model: $(wc -l <"$work/wnodes.out") nodes, $(wc -l <"$work/wtopo.out") elements"
for p in meshexport stressimport; do
    /usr/bin/time -f "%e %M" -o "$work/time" bash -c "cd '$work' && '$build/$p/$p'"
    read -r wall kib <"$work/time"
    echo "$p: ${wall} s wall, peak resident memory $((kib / 1024)) MiB"
done
ls -l "$work"/mesh.vtu "$work"/mesh.msh "$work"/mesh.inp "$work"/wstresses.out | awk '{ printf "  %s %d MB\n", $NF, $5 / 1000000 }'
