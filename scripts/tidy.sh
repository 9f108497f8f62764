#!/usr/bin/env bash
# Runs clang-tidy with the checked-in .clang-tidy over every source file in src/.
#   scripts/tidy.sh BUILD_DIR     (BUILD_DIR holds compile_commands.json)
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
build="${1:-$top/build}"
if ! command -v clang-tidy >/dev/null 2>&1; then
  echo "clang-tidy is not installed; skipping (scripts/setup.sh test installs it)"
  exit 0
fi
find "$top/src" -name '*.cpp' -print0 | xargs -0 -n 8 -P 2 clang-tidy -p "$build" --quiet
echo "clang-tidy: src/ is clean"
