#!/usr/bin/env bash
# Configures and builds everything into build/ (or $RDX600_BUILD_DIR).
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
build="${RDX600_BUILD_DIR:-$here/build}"
"$here/scripts/install-deps.sh"
gen=()
command -v ninja >/dev/null && [ ! -f "$build/CMakeCache.txt" ] && gen=(-G Ninja)
# ccache, when the machine has it, is used but not required; with the base
# folder set, checkouts side by side share their compiled objects.
if command -v ccache >/dev/null && [ ! -f "$build/CMakeCache.txt" ]; then
  gen+=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
export CCACHE_BASEDIR="${CCACHE_BASEDIR:-$(dirname "$here")}"
export CCACHE_NOHASHDIR="${CCACHE_NOHASHDIR:-true}"
# More configure options (the sanitizer build's) come in RDX600_CMAKE_ARGS.
read -r -a extra <<< "${RDX600_CMAKE_ARGS:-}"
cmake -S "$here" -B "$build" "${gen[@]}" -DCMAKE_BUILD_TYPE=RelWithDebInfo "${extra[@]}" >/dev/null
cmake --build "$build" -j "$(nproc)"
