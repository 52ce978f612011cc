#!/usr/bin/env bash
# Builds the fuzz targets with clang and runs them.
#   fuzz/run.sh SECONDS [TARGET ...]   fuzz each target for SECONDS, growing its corpus
#   fuzz/run.sh --corpus-only          run each target once over its kept corpus (CI replays
#                                      them in the sanitizer build: fuzz/replay.cmake)
# A target's kept inputs are in fuzz/corpus/<target>/; a crash is written to
# fuzz/findings/ and the run stops with a non-zero status.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/.." && pwd)

missing=()
command -v clang++ >/dev/null 2>&1 || missing+=(clang)
ls /usr/lib/llvm-*/lib/clang/*/lib/linux/libclang_rt.fuzzer-x86_64.a >/dev/null 2>&1 || missing+=(libclang-rt-dev)
command -v cmake >/dev/null 2>&1 || missing+=(cmake)
command -v ninja >/dev/null 2>&1 || missing+=(ninja-build)
if [ ${#missing[@]} -gt 0 ]; then
  sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  $sudo apt-get update -q
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q "${missing[@]}"
fi

build="$root/build-fuzz"
cmake -S "$here" -B "$build" -G Ninja -DCMAKE_CXX_COMPILER=clang++ >/dev/null
cmake --build "$build"

mode=${1:?usage: fuzz/run.sh SECONDS [TARGET ...] | --corpus-only}
shift
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  for t in "$build"/fuzz_*; do targets+=("$(basename "$t" | sed 's/^fuzz_//')"); done
fi

mkdir -p "$here/findings"
for target in "${targets[@]}"; do
  corpus="$here/corpus/$target"
  mkdir -p "$corpus"
  if [ "$mode" = "--corpus-only" ]; then
    echo "== $target: $(ls "$corpus" | wc -l) kept inputs"
    "$build/fuzz_$target" -runs=0 -timeout=30 -rss_limit_mb=4096 "$corpus" 2>&1 | tail -n 1
  else
    echo "== $target: fuzzing for $mode s"
    work=$(mktemp -d)
    "$build/fuzz_$target" -max_total_time="$mode" -timeout=30 -rss_limit_mb=4096 -max_len=100000 \
      -artifact_prefix="$here/findings/$target-" "$work" "$corpus" 2>&1 | grep -E "^#[0-9]+ *DONE|Done|ERROR|SUMMARY" || true
    # Keep a small corpus: merge into the kept inputs only what the run found
    # that reaches code they do not (edges, not hit counts).
    "$build/fuzz_$target" -merge=1 -use_counters=0 "$corpus" "$work" >/dev/null 2>&1 || true
    rm -rf "$work"
  fi
done
