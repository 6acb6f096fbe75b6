#!/usr/bin/env bash
# Formats every tracked C++ file of src/ tools/ tests/ bench/ fuzz/ with the
# tree's .clang-format.
#   scripts/format.sh           rewrites the files that differ
#   scripts/format.sh --check   only lists them; exits 1 when any differs
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
cd "$here"
check=0
case "${1:-}" in
  --check) check=1 ;;
  "") ;;
  *) echo "usage: scripts/format.sh [--check]" >&2; exit 2 ;;
esac
command -v clang-format >/dev/null || { echo "clang-format is missing (scripts/install-deps.sh installs it)" >&2; exit 2; }
mapfile -t files < <(git ls-files -- 'src/*.cpp' 'src/*.h' 'tools/*.cpp' 'tools/*.h' \
  'tests/*.cpp' 'tests/*.h' 'bench/*.cpp' 'bench/*.h' 'fuzz/*.cpp' 'fuzz/*.h')
differ=()
for f in "${files[@]}"; do
  [ -f "$f" ] || continue
  if ! clang-format --style=file "$f" | cmp -s - "$f"; then
    differ+=("$f")
  fi
done
if [ "$check" -eq 1 ]; then
  if [ ${#differ[@]} -gt 0 ]; then
    echo "Not formatted (scripts/format.sh formats them):" >&2
    printf '  %s\n' "${differ[@]}" >&2
    exit 1
  fi
  exit 0
fi
[ ${#differ[@]} -eq 0 ] || clang-format --style=file -i "${differ[@]}"
for f in "${differ[@]}"; do echo "formatted $f"; done
