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
# shellcheck source=scripts/programs.sh
source scripts/programs.sh

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
# The shipped inputs the programs run on (programs.txt names them).
while IFS= read -r file; do
  cp "examples/$file" "$work"/
done < <(program_files example)

cd "$work"
# Names the step, then runs it; what a program prints follows, indented.
#   step PROGRAM "WHAT IT DOES" [ARGUMENT...]
step() {
  local program=$1 what=$2
  shift 2
  printf '  %-12s %s\n' "$program" "$what"
  if [ ! -x "$root/build/$program/$program" ]; then
    echo "               ($program is not built)"
    return
  fi
  "$root/build/$program/$program" "$@" | sed 's/^/               /'
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
# The example model through CalculiX, in a folder of its own: the stresses
# there are the model's, not those of the 2394-element model above. job.inp
# is meshexport's once written and the user's thereafter: a second run keeps
# it as it is.
echo "The example model through CalculiX, in $work/model:"
mkdir -p model
cp wnodes.out wtopo.out model/
cd model
rm -f wstresses.out job.dat
step meshexport  "wnodes.out wtopo.out -> mesh.vtu mesh.msh mesh.inp, and job.inp when missing"
if command -v ccx >/dev/null; then
  printf '  %-12s %s\n' ccx "job.inp mesh.inp -> job.dat (all it printed: ccx.log)"
  if ! ccx job >ccx.log 2>&1 || grep -q 'ERROR' ccx.log; then
    grep -m1 'ERROR' ccx.log >&2 || true
    echo "ccx failed on job.inp; $work/model/ccx.log says why." >&2
    exit 1
  fi
  step stressimport "job.dat wtopo.out -> wstresses.out" job.dat
  step meshexport  "wnodes.out wtopo.out wstresses.out -> mesh.vtu with the stresses"
  # A profile through the thickness of the solved model: the line h = 0.5
  # from the bottom (v = 3.5) to the top (v = 12).
  step stressline  "wnodes.out wtopo.out wstresses.out -> wstressline.out, h = 0.5 through the thickness" \
    0.5 3.5 0.5 12
  step profileplot "wstressline.out -> line.svg"
else
  echo "               (ccx is not installed; scripts/setup.sh installs it)"
fi
echo "Everything was written to $work; open the .svg files in a web browser,"
echo "and model/mesh.vtu in ParaView."
