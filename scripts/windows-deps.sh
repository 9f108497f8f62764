#!/usr/bin/env bash
# Builds the static Windows libraries that the cross build of Vellmoor links,
# once, and installs them into PREFIX:
#   freeglut    from Debian's source package, fetched with `apt-get source`
#               through a private apt configuration in WORKDIR/apt (its own
#               source list and lists folder). The system's apt sources are
#               only read, to find the archive. apt checks every downloaded
#               file against the checksums of the archive's signed index.
#   GoogleTest  from the sources Debian installs in /usr/src/googletest, for
#               the cross-built unit tests.
# Usage: scripts/windows-deps.sh WORKDIR PREFIX
set -euo pipefail

# The freeglut source package that is built; the one place its version is set.
freeglut_version=3.4.0-1
googletest_source=/usr/src/googletest

if [ "$#" -ne 2 ]; then
  echo "usage: $0 WORKDIR PREFIX" >&2
  exit 2
fi
mkdir -p "$1" "$2"
work=$(realpath "$1")
prefix=$(realpath "$2")
toolchain=$(realpath "$(dirname "$0")/../cmake/mingw-w64-x86_64.cmake")
jobs=$(nproc)

# A library is built once; its stamp in PREFIX names the version it came from.
built() { [ -f "$prefix/.built-$1" ]; }
mark_built() { touch "$prefix/.built-$1"; }

# Configures, builds and installs one CMake source tree for Windows.
cross_build() {
  local name=$1 source=$2
  shift 2
  rm -rf "$work/build/$name"
  cmake -S "$source" -B "$work/build/$name" -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" -Wno-dev "$@" > /dev/null
  cmake --build "$work/build/$name" -j"$jobs" > "$work/build/$name.log" 2>&1 ||
    { tail -n 30 "$work/build/$name.log" >&2; exit 1; }
  cmake --install "$work/build/$name" > /dev/null
}

# private_apt: apt-get with a private configuration in $work/apt.
. "$(dirname "$0")/private-apt.sh"

if ! built "freeglut-$freeglut_version"; then
  echo "windows-deps: freeglut $freeglut_version from Debian's source package"
  private_apt update > "$work/apt-update.log" ||
    { cat "$work/apt-update.log" >&2; exit 1; }
  rm -rf "$work/src" && mkdir -p "$work/src"
  (cd "$work/src" && private_apt source "freeglut=$freeglut_version" > "$work/apt-source.log" 2>&1) ||
    { cat "$work/apt-source.log" >&2
      echo "$0: could not fetch freeglut $freeglut_version (the version is set at the top of this script)" >&2
      exit 1; }
  # Static library only, installed as libglut.a beside GL/glut.h, the names a
  # GLUT is found by; no demos.
  cross_build freeglut "$work/src/freeglut-${freeglut_version%-*}" \
    -DFREEGLUT_BUILD_SHARED_LIBS=OFF -DFREEGLUT_BUILD_STATIC_LIBS=ON \
    -DFREEGLUT_BUILD_DEMOS=OFF -DFREEGLUT_REPLACE_GLUT=ON
  mark_built "freeglut-$freeglut_version"
fi

googletest_version=$(dpkg-query -W -f='${Version}' googletest 2>/dev/null || echo unknown)
if ! built "googletest-$googletest_version"; then
  echo "windows-deps: GoogleTest $googletest_version from $googletest_source"
  cross_build googletest "$googletest_source" -DBUILD_GMOCK=OFF -DINSTALL_GTEST=ON
  mark_built "googletest-$googletest_version"
fi
