#!/usr/bin/env bash
# Makes the manual's screenshots with the program itself, offscreen: three
# phase recordings are downloaded from the simulated instrument with
# rdx600-cli, then rdx600 draws its main window into PNG files.
#   scripts/manual-shots.sh [OUT_DIR]     (default: docs/manual)
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
build="${RDX600_BUILD_DIR:-$here/build}"
out="$(realpath "${1:-$here/docs/manual}")"
"$here/scripts/build.sh" >/dev/null
work="$(mktemp -d)"
sim_pid=""
cleanup() {
  [ -n "$sim_pid" ] && kill "$sim_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
# Settings, recent files and the start-up folder of these runs stay in the
# scratch folder, so the user's own are neither read nor changed.
export HOME="$work" XDG_CONFIG_HOME="$work/config" QT_QPA_PLATFORM=offscreen
cd "$work"

# One phase: a fresh simulated unit, downloaded into FILE.
download() {
  local file="$1" seed="$2" peak="$3"
  rm -f "$work/pty"
  "$build/rdx600-sim" --type 7 --mode a --serial 0042 --readings 2880 --seed "$seed" \
    --peak "$peak" --clock "03-02-26 08:00" --full-speed --path-file "$work/pty" \
    --exit-with-parent >/dev/null 2>&1 &
  sim_pid=$!
  for _ in $(seq 50); do [ -s "$work/pty" ] && break; sleep 0.1; done
  RDX600_COM1="$(cat "$work/pty")" "$build/rdx600-cli" download --port 1 --type 7 "$file" >/dev/null
  kill "$sim_pid" 2>/dev/null || true
  wait "$sim_pid" 2>/dev/null || true
  sim_pid=""
}
download "$work/Red.dat" 1 210
download "$work/White.dat" 2 190
download "$work/Blue.dat" 3 230

shot() {
  local name="$1"
  shift
  "$build/rdx600" --screenshot "$out/$name" --size 1000x700 "$@"
  echo "$out/$name"
}
shot start.png
shot summary.png "$work/Red.dat"
shot plot.png --plot "$work/Red.dat" "$work/White.dat" "$work/Blue.dat"
shot table.png --plot --run mnuItemViewTable "$work/Red.dat"
shot power-plot.png --plot --run mnuItemViewPower --answer 13200 "$work/Red.dat" "$work/White.dat" "$work/Blue.dat"
shot power-table.png --plot --run mnuItemViewPower --answer 13200 --run mnuItemViewPwrTable \
  "$work/Red.dat" "$work/White.dat" "$work/Blue.dat"
