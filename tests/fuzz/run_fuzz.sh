#!/bin/sh
# Builds the TGA decoder fuzzer with clang++ and runs it for a bounded time.
#   run_fuzz.sh BUILD_DIR [SECONDS]
# Exits non-zero if the build fails or the fuzzer finds a crash; exits 0 with a
# message when clang++ is not installed.
set -eu

here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
build=${1:?usage: run_fuzz.sh BUILD_DIR [SECONDS]}
seconds=${2:-30}

if ! command -v clang++ >/dev/null 2>&1; then
    echo "tga_fuzz: clang++ not found, skipping"
    exit 0
fi

mkdir -p "$build/corpus" "$build/artifacts"
clang++ -std=c++17 -g -O1 -fno-omit-frame-pointer \
    -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined \
    -I"$root/src" "$here/tga_fuzz.cpp" "$root/src/texture/tga.cpp" \
    -o "$build/tga_fuzz"

# New inputs go to the build directory's corpus; the seeds stay untouched.
exec "$build/tga_fuzz" -max_total_time="$seconds" -max_len=4096 -timeout=10 \
    -artifact_prefix="$build/artifacts/" -print_final_stats=1 \
    "$build/corpus" "$here/corpus"
