#!/usr/bin/env bash
# Fetches the GLU sources that the web build compiles (quadrics, mipmaps and
# the projection helpers), once, into WORKDIR/glu-VERSION: the upstream
# tarball of Debian's libglu source package (GLU as its authors released it),
# downloaded through a private apt configuration in WORKDIR/apt and checked
# against the checksum in the archive's signed index. Debian's diff, its
# packaging, is not fetched: the build needs only the sources.
# Usage: scripts/web-deps.sh WORKDIR
set -euo pipefail

# The libglu source package that is built; the one place its version is set.
libglu_version=9.0.2-1.1

if [ "$#" -ne 1 ]; then
  echo "usage: $0 WORKDIR" >&2
  exit 2
fi
mkdir -p "$1"
work=$(realpath "$1")
source_dir=$work/glu-${libglu_version%-*}
if [ -f "$source_dir/.fetched-$libglu_version" ]; then
  exit 0
fi

# private_apt: apt-get with a private configuration in $work/apt.
. "$(dirname "$0")/private-apt.sh"

echo "web-deps: GLU $libglu_version from Debian's source package"
private_apt update > "$work/apt-update.log" || { cat "$work/apt-update.log" >&2; exit 1; }
# apt names each file of the source package with its checksum:
#   'URI' NAME SIZE SHA256:HASH
tarball=$(private_apt source --print-uris "libglu=$libglu_version" 2> "$work/apt-source.log" |
  grep "\.orig\.tar\." || true)
if [ -z "$tarball" ]; then
  cat "$work/apt-source.log" >&2
  echo "$0: could not find libglu $libglu_version (the version is set at the top of this script)" >&2
  exit 1
fi
read -r uri name _ hash <<< "$tarball"
uri=${uri//\'/}
APT_CONFIG="$work/apt/apt.conf" /usr/lib/apt/apt-helper download-file "$uri" "$work/$name" "$hash" \
  > "$work/apt-download.log" 2>&1 || { cat "$work/apt-download.log" >&2; exit 1; }
rm -rf "$source_dir"
tar -xzf "$work/$name" -C "$work"
touch "$source_dir/.fetched-$libglu_version"
