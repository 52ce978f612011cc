#!/usr/bin/env bash
# Builds the suite and runs every test.
#   scripts/test.sh              optimised build, warnings as errors
#   scripts/test.sh --sanitize   the same under AddressSanitizer and UndefinedBehaviorSanitizer,
#                                with the fuzz targets' kept inputs replayed (fuzz/replay.cmake)
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

# Compilations are cached across builds and clones where ccache is at hand
# (scripts/setup.sh installs it): paths below this folder are hashed as
# relative ones, so a fresh clone elsewhere finds the same entries.
if command -v ccache >/dev/null 2>&1; then
  options+=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
  export CCACHE_BASEDIR="$PWD" CCACHE_NOHASHDIR=true
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
