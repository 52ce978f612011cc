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
# A summary when every test passes; otherwise what the failing tests said.
log="$build/ctest.log"
if ctest --test-dir "$build" --output-on-failure -j2 >"$log" 2>&1; then
  grep -E "tests passed|Total Test time" "$log"
else
  grep -v -E "^ *Start |Test +#[0-9]+: .* Passed" "$log"
  exit 1
fi
