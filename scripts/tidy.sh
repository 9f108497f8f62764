#!/usr/bin/env bash
# Runs clang-tidy with the checked-in .clang-tidy over every source file in src/
# and over the web build's OpenGL layer (web/gl, built natively for its tests).
#   scripts/tidy.sh BUILD_DIR     (BUILD_DIR holds compile_commands.json)
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
build="${1:-$top/build}"
# The set-up installs clang-tidy-19; a plain clang-tidy (14 on Debian 12) knows
# fewer checks and takes three times as long.
tidy="$(command -v clang-tidy-19 || command -v clang-tidy || true)"
if [ -z "$tidy" ]; then
  echo "clang-tidy is not installed; skipping (scripts/setup.sh test installs it)"
  exit 0
fi
find "$top/src" "$top/web/gl" -name '*.cpp' -print0 | xargs -0 -n 8 -P 2 "$tidy" -p "$build" --quiet
echo "clang-tidy: src/ and web/gl/ are clean"
