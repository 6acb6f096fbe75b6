#!/usr/bin/env bash
# Installs what is missing, builds and starts the program. Without a display
# it says so and writes a screenshot of the main window instead.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
build="${RDX600_BUILD_DIR:-$here/build}"
"$here/scripts/build.sh" >/dev/null
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  shot="${RDX600_SCREENSHOT:-$build/rdx600-screenshot.png}"
  echo "No display available: writing a screenshot of the main window instead."
  QT_QPA_PLATFORM=offscreen "$build/rdx600" --screenshot "$shot" "$@"
  echo "Screenshot: $shot"
  exit 0
fi
# No instrument configured: play one with the simulator on a pseudo-terminal
# (port 1). It ends with the program (--exit-with-parent: exec keeps this
# process). RDX600_SIM_OPTIONS passes options to it (see rdx600-sim --help);
# RDX600_NO_SIM=1 turns it off.
if [ -z "${RDX600_COM1:-}" ] && [ -z "${RDX600_NO_SIM:-}" ] && [ -x "$build/rdx600-sim" ]; then
  simpath="$(mktemp)"
  # shellcheck disable=SC2086  # the options are meant to split into words
  "$build/rdx600-sim" --exit-with-parent --path-file "$simpath" --log "$build/rdx600-sim.log" \
    ${RDX600_SIM_OPTIONS:-} >/dev/null &
  for _ in $(seq 50); do
    [ -s "$simpath" ] && break
    sleep 0.1
  done
  if [ -s "$simpath" ]; then
    RDX600_COM1="$(head -n 1 "$simpath")"
    export RDX600_COM1
    echo "Simulated instrument on $RDX600_COM1 (port 1); its log: $build/rdx600-sim.log"
  else
    echo "The simulated instrument did not start; see $build/rdx600-sim.log" >&2
  fi
  rm -f "$simpath"
fi
exec "$build/rdx600" "$@"
