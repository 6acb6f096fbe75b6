#!/usr/bin/env bash
# Installs the Debian 12 packages the build, the tests and the screenshots
# need, when any is missing. Runs apt-get as root, or through sudo.
set -euo pipefail
packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-serialport-dev libqcustomplot-dev libgl-dev libqt6svg6
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xauth x11-utils imagemagick poppler-utils fonts-dejavu-core
  dpkg-dev ccache
  # scripts/test.sh checks the formatting of the C++ files before building.
  clang-format
  # Printed pages and charts draw Arial, Times New Roman and Courier New with
  # these metric-compatible fonts (the package depends on them too).
  fonts-liberation2
  # The package test checks the .deb with Debian's own checker.
  lintian
)
# More packages for one kind of build (clang for fuzzing) come as arguments.
packages+=("$@")
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
echo "Installing: ${missing[*]}"
SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO="sudo"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
