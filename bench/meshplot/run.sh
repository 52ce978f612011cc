#!/usr/bin/env bash
# Time and peak memory of meshplot against copying the bytes it reads and
# writes (wnodes.out, wtopo.out and mesh.svg), on one of two meshes:
#   grid   (default) the grid of bench/meshexport: 707 by 707 squares cut
#          into two triangles each, 999698 elements on 501264 nodes, clean
#   faults a worst case for the check: topo writes 99 explicit groups of 9999
#          elements (random node triples) and 9 sections of 9 layers, 99
#          coarse cells wide (1,358,775 records); its first 200,000 records
#          are appended once more, so their numbers repeat, and every element
#          is drawn, many of them as faults
# Each of meshplot and the copy runs three times, paired, in a folder of
# the file system of $TMPDIR (the output says which); the best of each and
# their ratio are shown, in wall time and in processor time (user and
# system), which a loaded machine disturbs less.
#   bench/meshplot/run.sh [path/to/build [grid|faults]]      (default: build grid)
set -euo pipefail
cd "$(dirname "$0")/../.."
build=$(realpath "${1:-build}")
mesh=${2:-grid}
for program in topo meshplot; do
  [ -x "$build/$program/$program" ] || { echo "no $program in $build (build first)" >&2; exit 1; }
done
[ -x /usr/bin/time ] || { echo "needs /usr/bin/time (Debian package time)" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
if [ "$mesh" = grid ]; then
  awk -v n=707 'BEGIN {
    for (j = 0; j <= n; j++)
      for (i = 0; i <= n; i++) {
        h = i * 0.01; v = 12 - j * 0.01
        printf "%6d%3d%3d%3d%12.6f%12.6f\n", j * (n + 1) + i + 1, h == 0 && j == 0, h == 0, j == 0, h, v >"wnodes.out"
      }
    e = 0
    for (j = 0; j < n; j++)
      for (i = 0; i < n; i++) {
        a = j * (n + 1) + i + 1; b = a + 1; c = a + n + 1; d = c + 1
        printf "%6d%6d%6d%6d%8.2f%3d\n", ++e, c, a, b, 45.0, 1 + j % 2 >"wtopo.out"
        printf "%6d%6d%6d%6d%8.2f%3d\n", ++e, c, b, d, 45.0, 1 + j % 2 >"wtopo.out"
      }
  }'
elif [ "$mesh" = faults ]; then
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
else
  echo "no mesh $mesh: grid or faults" >&2; exit 1
fi

# One run of meshplot or of the copy: "wall cpu peak_kib".
measure() { /usr/bin/time -f "%e %U %S %M" -o time.txt "$@" >/dev/null 2>&1 || [ $? -le 1 ]; tail -1 time.txt | awk '{ print $1, $2 + $3, $4 }'; }
best_plot=""; best_copy=""
for pass in 1 2 3; do
  plot=$(measure "$build/meshplot/meshplot")
  copy=$(measure sh -c 'cat wnodes.out wtopo.out >copy.in && cp mesh.svg copy.svg')
  rm -f copy.in copy.svg
  best_plot=$(printf '%s\n%s\n' "$best_plot" "$plot" | awk 'NF' | sort -n | head -1)
  best_copy=$(printf '%s\n%s\n' "$best_copy" "$copy" | awk 'NF' | sort -n | head -1)
done
read -r plot_wall plot_cpu peak <<<"$best_plot"
read -r copy_wall copy_cpu _ <<<"$best_copy"
elements=$(wc -l <wtopo.out)
echo "meshplot ($mesh): $elements elements, $(wc -l <wnodes.out) nodes, mesh.svg of $(($(stat -c %s mesh.svg) / 1000000)) MB;" \
  "copies on $(stat -f -c %T .)"
awk -v pw="$plot_wall" -v pc="$plot_cpu" -v cw="$copy_wall" -v cc="$copy_cpu" -v peak="$peak" -v n="$elements" 'BEGIN {
  printf "  wall: meshplot %.2f s, copy %.2f s, ratio %.1f\n", pw, cw, (cw > 0 ? pw / cw : 0)
  printf "  processor: meshplot %.2f s, copy %.2f s, ratio %.1f\n", pc, cc, (cc > 0 ? pc / cc : 0)
  printf "  peak resident memory %d MiB, %.0f bytes per element\n", peak / 1024, peak * 1024 / n
}'
