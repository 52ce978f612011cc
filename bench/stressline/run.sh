#!/usr/bin/env bash
# Times stressline on the largest model the tables can number, the one
# bench/meshexport builds: a grid of 707 by 707 squares cut into two
# triangles each (999698 elements on 501264 nodes, 7.07 wide and 7.07 high
# from v = 4.93 to 12), with a stress table of its own. The line
# crosses the whole model on its diagonal with 1000 points, many of them on
# edges and corners, and then along a row of nodes.
#   bench/stressline/run.sh [build-dir]
# Reports the wall time and the peak resident memory of each run.
set -euo pipefail
cd "$(dirname "$0")/../.."
build=$(realpath "${1:-build}")
[ -x "$build/stressline/stressline" ] || { echo "no stressline program in $build (build first)" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
bash bench/meshexport/make_grid.sh "$work"
echo "model: $(wc -l <"$work/wnodes.out") nodes, $(wc -l <"$work/wtopo.out") elements"
for line in "0 4.93 7.07 12 1000" "0 8.5 7.07 8.5 1000"; do
    # shellcheck disable=SC2086  # the line is five arguments
    /usr/bin/time -f "%e %M" -o "$work/time" bash -c "cd '$work' && '$build/stressline/stressline' $line"
    read -r wall kib <"$work/time"
    echo "stressline $line: ${wall} s wall, peak resident memory $((kib / 1024)) MB," \
         "$(wc -l <"$work/wstressline.out") points written"
done
