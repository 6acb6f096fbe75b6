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
exec "$build/rdx600" "$@"
