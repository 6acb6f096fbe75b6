#!/usr/bin/env bash
# Builds the fuzz targets (clang, libFuzzer, AddressSanitizer and
# UndefinedBehaviorSanitizer) into build-fuzz/ and runs each for SECONDS
# (default 60), or only the targets named. Seeds are made by the test suite's
# own writers; a finding is written to build-fuzz/findings/<target>/ and ends
# the run with status 1.
#   scripts/fuzz.sh [SECONDS] [TARGET...]     e.g. scripts/fuzz.sh 300 recording survey
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
seconds="${1:-60}"
shift || true
only=("$@")
build="${RDX600_FUZZ_BUILD_DIR:-$here/build-fuzz}"
"$here/scripts/install-deps.sh" clang-14 libclang-rt-14-dev
gen=()
[ -f "$build/CMakeCache.txt" ] || gen=(-G Ninja)
CC=clang-14 CXX=clang++-14 cmake -S "$here" -B "$build" "${gen[@]}" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DRDX600_FUZZ=ON -DRDX600_BENCH=OFF >/dev/null
cmake --build "$build" --target fuzz_all -j "$(nproc)"

export QT_QPA_PLATFORM=offscreen
# The readers' scratch files and settings go to memory where there is a
# memory file system: saving settings syncs them to disk, which would cost
# far more than the parsers.
[ -d /dev/shm ] && [ -w /dev/shm ] && export TMPDIR=/dev/shm
export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1}"
# Qt keeps a few allocations for the life of the process on purpose.
export LSAN_OPTIONS="${LSAN_OPTIONS:-suppressions=$here/fuzz/lsan.supp:print_suppressions=0}"
corpus="$build/corpus"
rm -rf "$corpus.seeds"
"$build/fuzz/fuzz_make_seeds" "$corpus.seeds"
status=0
for target in "$build"/fuzz/fuzz_*; do
  name="$(basename "$target")"
  name="${name#fuzz_}"
  { [ -f "$target" ] && [ -x "$target" ] && [ "$name" != make_seeds ]; } || continue
  if [ "${#only[@]}" -gt 0 ] && [[ ! " ${only[*]} " == *" $name "* ]]; then
    continue
  fi
  mkdir -p "$corpus/$name" "$build/findings/$name"
  echo "== $name: $seconds s"
  if ! "$target" -max_total_time="$seconds" -timeout=1 -rss_limit_mb=2048 -print_final_stats=1 \
      -artifact_prefix="$build/findings/$name/" "$corpus/$name" "$corpus.seeds/$name" \
      2> "$build/findings/$name.log"; then
    status=1
    echo "   FINDING: see $build/findings/$name.log and $build/findings/$name/"
  fi
  grep -E '^stat::number_of_executed_units|^stat::average_exec_per_sec|cov: ' "$build/findings/$name.log" \
    | grep -E 'stat::|DONE' | sed 's/^/   /' || true
  grep -E '#[0-9]+\s+DONE' "$build/findings/$name.log" | sed 's/^/   /' || true
done
exit "$status"
