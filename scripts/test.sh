#!/usr/bin/env bash
# Installs what is missing, checks the formatting, builds and runs every test.
#   scripts/test.sh [--sanitize] [ctest options]
# A C++ file that clang-format would change fails the run before the build
# (scripts/format.sh formats the tree).
# --sanitize builds with AddressSanitizer and UndefinedBehaviorSanitizer
# (any report fails the test) into build-sanitize/ and runs the same suite.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
if [ "${1:-}" = "--sanitize" ]; then
  shift
  export RDX600_BUILD_DIR="${RDX600_SANITIZE_BUILD_DIR:-$here/build-sanitize}"
  export RDX600_CMAKE_ARGS="-DRDX600_SANITIZE=ON -DRDX600_BENCH=OFF"
  export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1}"
  export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}"
  export LSAN_OPTIONS="${LSAN_OPTIONS:-suppressions=$here/fuzz/lsan.supp:print_suppressions=0}"
fi
build="${RDX600_BUILD_DIR:-$here/build}"
"$here/scripts/install-deps.sh"
"$here/scripts/format.sh" --check
"$here/scripts/build.sh"
cd "$build"
ctest --output-on-failure -j "$(nproc)" "$@"
