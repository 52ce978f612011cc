#!/usr/bin/env bash
# Builds the suite and runs every program on a copy of the shipped examples
# in a scratch folder, so that the files in examples/ are never overwritten,
# then draws the pictures of what they computed. One line a step; the build
# says more only when it fails.
#   scripts/run-examples.sh [folder]     (default: scratch/)
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
bash scripts/setup.sh

# The build scripts/test.sh uses too (same folder, same options), so that
# running the tests afterwards builds nothing again.
log=$(mktemp)
trap 'rm -f "$log"' EXIT
if ! { cmake -S . -B build -G Ninja -DSUITE_WERROR=ON && cmake --build build; } >"$log" 2>&1; then
  cat "$log"
  echo "The build failed; the lines above say why." >&2
  exit 1
fi
echo "Built every program in $root/build."

work=${1:-scratch}
mkdir -p "$work"
work=$(cd "$work" && pwd)
cp examples/polar.dat examples/wnodes.dat examples/wtopo.dat examples/wstresses.out examples/old3.dat "$work"/

cd "$work"
# Names the step, then runs it; what a program prints follows, indented.
step() {
  local program=$1
  shift
  printf '  %-12s %s\n' "$program" "$*"
  if [ ! -x "$root/build/$program/$program" ]; then
    echo "               ($program is not built)"
    return
  fi
  "$root/build/$program/$program" | sed 's/^/               /'
}
echo "Running the suite in $work:"
step polar       "polar.dat -> polar.out vf.DAT e3.DAT g23.DAT nu32.DAT"
step nodes       "wnodes.dat -> wnodes.out"
step topo        "wtopo.dat -> wtopo.out"
step stressmean  "wstresses.out -> wstressavg.out"
step shift       "old3.dat -> new3.dat"
echo "Drawing the pictures:"
step polarplot   "vf.DAT e3.DAT g23.DAT nu32.DAT polar.dat -> polar.svg"
step meshplot    "wnodes.out wtopo.out -> mesh.svg, and its check:"
step profileplot "wstressavg.out -> profiles.svg"
echo "Everything was written to $work; open the .svg files in a web browser."
