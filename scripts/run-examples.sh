#!/usr/bin/env bash
# Builds the suite and runs every program on a copy of the shipped examples
# in a scratch folder, so that the files in examples/ are never overwritten.
#   scripts/run-examples.sh [folder]     (default: scratch/)
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh

cmake -S . -B build -G Ninja >/dev/null
cmake --build build

work=${1:-scratch}
mkdir -p "$work"
work=$(cd "$work" && pwd)
cp examples/*.dat examples/*.out "$work"/ 2>/dev/null || true

run() {
  local program=$1
  local input=$2
  if [ ! -x "build/$program/$program" ] || [ ! -f "$work/$input" ]; then return; fi
  (cd "$work" && "$OLDPWD/build/$program/$program")
  echo "$program: read $input"
}
run nodes wnodes.dat
run topo wtopo.dat
run polar polar.dat
run stressmean wstresses.out
run shift old3.dat

echo "All outputs are in $work"
ls -l "$work"
