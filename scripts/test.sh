#!/usr/bin/env bash
# Builds the suite and runs every test.
#   scripts/test.sh              optimised build, warnings as errors
#   scripts/test.sh --sanitize   the same under AddressSanitizer and UndefinedBehaviorSanitizer
# The plain build is the one scripts/run-examples.sh makes (same folder, same
# options), so after it nothing is built again.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh

build=build
options=(-DSUITE_WERROR=ON)
if [ "${1:-}" = "--sanitize" ]; then
  build=build-sanitize
  options+=(-DSUITE_SANITIZE=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo)
fi

cmake -S . -B "$build" -G Ninja "${options[@]}"
cmake --build "$build"
ctest --test-dir "$build" --output-on-failure
