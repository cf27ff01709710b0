#!/usr/bin/env bash
# Builds the fuzz targets with clang (libFuzzer, AddressSanitizer,
# UndefinedBehaviorSanitizer) and runs each on its corpus for a while.
#
#   fuzz/run.sh [SECONDS] [TARGET...]
#
# SECONDS per target (default 15, or $VORN_FUZZ_SECONDS); TARGETs default
# to every folder of fuzz/corpus. A crash, a sanitizer report, a leak or a
# hang (an input that takes more than 10 s) fails the run; the input is
# kept in build-fuzz/artifacts/. The committed corpora are only read: new
# inputs go to a scratch folder. Extra libFuzzer flags: $VORN_FUZZ_FLAGS
# (for a long run, e.g. VORN_FUZZ_FLAGS="-jobs=2 -workers=2").
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-${VORN_FUZZ_SECONDS:-15}}
shift || true
build=${VORN_FUZZ_BUILD:-$root/build-fuzz}
artifacts=$build/artifacts

CC=${CC:-clang} CXX=${CXX:-clang++} cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DVORN_FUZZ=ON -DVORN_TESTS=OFF >/dev/null
cmake --build "$build" -j "${JOBS:-2}" --target vorn_fuzzers

targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  for dir in "$root"/fuzz/corpus/*/; do targets+=("$(basename "$dir")"); done
fi

# Longest input per target: whole files for the program runs, a line or
# two for the line parsers.
max_len() {
  case $1 in
    run_*) echo 16384 ;;
    *) echo 4096 ;;
  esac
}

mkdir -p "$artifacts"
summary=()
for name in "${targets[@]}"; do
  exe=$build/fuzz/$name
  corpus=$root/fuzz/corpus/$name
  scratch=$(mktemp -d)
  mkdir "$scratch/corpus"
  log=$build/fuzz-$name.log
  echo "== fuzzing $name for ${seconds}s"
  status=0
  # New inputs go to the scratch corpus; with -jobs the workers write their
  # logs (fuzz-N.log) in the folder they run in, the scratch folder too.
  # shellcheck disable=SC2086
  (cd "$scratch" && ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 \
    UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 exec "$exe" -max_total_time="$seconds" -timeout=10 \
    -rss_limit_mb=2048 -max_len="$(max_len "$name")" -print_final_stats=1 -artifact_prefix="$artifacts/$name-" \
    ${VORN_FUZZ_FLAGS:-} corpus "$corpus") >"$log" 2>&1 || status=$?
  cat "$scratch"/fuzz-*.log >>"$log" 2>/dev/null || true
  rm -rf "$scratch"
  runs=$(awk '/stat::number_of_executed_units/ {s += $2} END {print s + 0}' "$log")
  if [ $status -ne 0 ]; then
    tail -40 "$log"
    echo "== $name FAILED (status $status); input kept in $artifacts/, log $log"
    exit 1
  fi
  summary+=("$name: $runs executions, no findings")
done
echo "== fuzzing done"
printf '   %s\n' "${summary[@]}"
