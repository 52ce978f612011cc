#!/usr/bin/env bash
# Peak memory and time of meshplot on a mesh of over 1.5 million elements.
# topo writes the element table from 99 explicit groups of 9999 elements
# (random node triples, six to a line) and 9 sections of 9 layers, 99
# coarse cells wide (1,358,775 records); its first 200,000 records are then
# appended once more, to 1,558,775 records, whose numbers repeat. The node
# table holds every node number the elements name, on a grid, so that every
# element is drawn, many of them as faults: a worst case for the check.
#   bench/meshplot/run.sh [path/to/build]      (default: build)
set -euo pipefail
cd "$(dirname "$0")/../.."
build=$(realpath "${1:-build}")
for program in topo meshplot; do
  [ -x "$build/$program/$program" ] || { echo "no $program in $build (build first)" >&2; exit 1; }
done
[ -x /usr/bin/time ] || { echo "needs /usr/bin/time (Debian package time)" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
awk 'BEGIN {
  srand(1)
  printf "%2d\n", 99
  for (g = 0; g < 99; g++) {
    printf "%4d\n%2d\n%4d%6.1f%3d%3d\n", (1 + 9999 * g) % 10000, 0, 9999, (g % 2 ? 45.0 : 0.0), g % 5 + 1, 6
    for (left = 9999; left > 0; left -= k) {
      k = left < 6 ? left : 6
      printf "%1d", k
      for (t = 0; t < k; t++) {
        a = 1 + int(rand() * 900)
        printf " %3d %3d %3d", a, a + 1, a + 100
      }
      printf "\n"
    }
  }
  printf "9\n"
  for (s = 1; s <= 9; s++) {
    printf "%1d %2d %4d\n", 9, 99, s * 1000
    for (l = 1; l <= 9; l++) {
      printf "%5.1f%3d\n%4d\n", (l % 2 ? 45.0 : -45.0), l, 1
      for (row = 1; row <= 8; row++) {
        if (row != 2 && row != 7) printf "%4d\n", 1000 * row + 500
        printf "%4d\n", 1000 * row
      }
    }
  }
}' >wtopo.dat
"$build/topo/topo"
head -200000 wtopo.out >extra && cat extra >>wtopo.out && rm extra
awk '{ for (k = 7; k <= 19; k += 6) used[substr($0, k, 6) + 0] = 1 }
     END { for (n in used) printf "%6d%3d%3d%3d%12.6f%12.6f\n", n, 0, 0, 0, (n % 100) * 0.5, int(n / 100) * 0.5 }' \
  wtopo.out | sort -n >wnodes.out

status=0
/usr/bin/time -v "$build/meshplot/meshplot" >check.txt 2>time.txt || status=$?
[ $status -le 1 ] || { cat time.txt; exit 1; }
peak=$(awk -F': ' '/Maximum resident/ { print $2 }' time.txt)
wall=$(awk -F': ' '/Elapsed/ { print $2 }' time.txt)
echo "meshplot: $(wc -l <wtopo.out) elements, $(wc -l <wnodes.out) nodes, mesh.svg of $(($(stat -c %s mesh.svg) / 1000000)) MB"
echo "  peak resident memory $((peak / 1024)) MiB, wall time $wall"
