#!/usr/bin/env bash
# Installs the Debian packages that building, running or testing Vellmoor needs.
#   scripts/setup.sh run    what `make run` needs
#   scripts/setup.sh check  what `make check` (the unit and OpenGL tests) needs as well
#   scripts/setup.sh test   what `make test` needs as well
#   scripts/setup.sh package  what `make package` needs: the Debian package tools
#   scripts/setup.sh bench  what `make bench` needs: the X server and the plotter
#   scripts/setup.sh windows  what `make windows` (the cross-built Windows zip) needs
#   scripts/setup.sh web    what `make web` (the site that runs in a browser) needs
#   scripts/setup.sh web-test  what the page's tests and `make bench-web` need as well
# As root, missing packages are installed with apt-get. Otherwise the exact
# install command is printed and the script fails, so nothing half-works.
# Where there is no dpkg (not a Debian-based system) nothing is installed: the
# script says what the build needs and what the usual packages are called, and
# leaves CMake to find them; the Debian package, the Windows zip and the web
# site cannot be made there, so for those it fails at once.
set -euo pipefail

purpose="${1:-run}"

run_packages=(
  build-essential cmake pkg-config
  freeglut3-dev libglu1-mesa-dev libgl1-mesa-dri libx11-dev libpng-dev
)
package_packages=(
  dpkg-dev file
)
# GoogleTest and the X server the unit and OpenGL tests (`make check`) run under.
check_packages=(
  libgtest-dev xvfb xauth
)
test_packages=(
  libbenchmark-dev
  xdotool x11-utils
  # clang-tidy 19 leaves system headers out of its matching: three times as fast as 14.
  clang clang-tidy-19 libclang-rt-14-dev
  apitrace apitrace-tracers valgrind
  wine wine64
  lintian desktop-file-utils
)
# The mingw-w64 cross compiler, dpkg-source for `apt-get source freeglut`, and
# GoogleTest's sources for the cross-built unit tests.
windows_packages=(
  build-essential cmake
  g++-mingw-w64-x86-64-posix mingw-w64-x86-64-dev dpkg-dev googletest
)
# Debian's emscripten (it brings clang, binaryen, node and acorn), and brotli
# for the site's .br copies (gzip is in every Debian). The page's tests run in
# Chromium, Firefox ESR and WebKitGTK (its WebDriver brings the MiniBrowser),
# and read WebKit's window from the X screen with xwd.
web_packages=(
  cmake emscripten brotli
)
web_test_packages=(
  chromium firefox-esr webkit2gtk-driver x11-apps
)
bench_packages=(
  xvfb xauth gnuplot-nox
)

case "$purpose" in
  run) wanted=("${run_packages[@]}") ;;
  check) wanted=("${run_packages[@]}" "${check_packages[@]}") ;;
  test) wanted=("${run_packages[@]}" "${package_packages[@]}" "${check_packages[@]}"
              "${test_packages[@]}" "${windows_packages[@]}"
              "${web_packages[@]}" "${web_test_packages[@]}") ;;
  package) wanted=("${run_packages[@]}" "${package_packages[@]}") ;;
  bench) wanted=("${run_packages[@]}" "${bench_packages[@]}") ;;
  windows) wanted=("${windows_packages[@]}") ;;
  web) wanted=("${web_packages[@]}") ;;
  web-test) wanted=("${web_packages[@]}" "${web_test_packages[@]}" "${bench_packages[@]}") ;;
  *) echo "usage: $0 run|check|test|package|bench|windows|web|web-test" >&2; exit 2 ;;
esac

if ! command -v dpkg-query >/dev/null 2>&1; then
  case "$purpose" in
    package)
      echo "No dpkg here: make package builds a Debian package with Debian's tools" \
        "(dpkg-shlibdeps, dpkg-deb), so it needs a Debian-based system." >&2
      exit 1 ;;
    windows)
      echo "No dpkg here: make windows builds freeglut from Debian's source package" \
        "(apt-get source), so it needs a Debian-based system." >&2
      exit 1 ;;
    web|web-test)
      echo "No dpkg here: make web builds GLU from Debian's source package" \
        "(apt-get source) with Debian's emscripten, so it needs a Debian-based system." >&2
      exit 1 ;;
  esac
  printf '%s\n' \
    "No dpkg here, so nothing is installed: please install what Vellmoor needs with" \
    "your system's package manager, and CMake will find it." \
    "  To build and run: a C++17 compiler, CMake 3.16 or later, make, OpenGL, GLU," \
    "  freeglut, the X11 client library and libpng." \
    "  To test as well: GoogleTest, Xvfb with xvfb-run, xdotool, valgrind," \
    "  apitrace, clang and clang-tidy." \
    "  A Debian package (make package) can only be built where dpkg is, and so can" \
    "  the Windows zip (make windows), whose freeglut comes from Debian's sources." \
    "The usual package names for building and running:" \
    "  Fedora, RHEL (dnf):  gcc-c++ cmake make freeglut-devel mesa-libGLU-devel" \
    "                       mesa-libGL-devel libX11-devel libpng-devel" \
    "  openSUSE (zypper):   gcc-c++ cmake make freeglut-devel glu-devel Mesa-libGL-devel" \
    "                       libX11-devel libpng16-devel" \
    "  Arch (pacman):       base-devel cmake freeglut glu mesa libx11 libpng" \
    "  Alpine (apk):        build-base cmake freeglut-dev glu-dev mesa-dev libx11-dev" \
    "                       libpng-dev"
  exit 0
fi

# A package counts when it is installed for this machine's own architecture (or
# for all): dpkg-query prints a line for each architecture a package is known
# for, and the same name installed for i386 alone does not build a 64-bit program.
native=$(dpkg --print-architecture)
installed() {
  local lines
  lines=$(dpkg-query -W -f='${Architecture} ${db:Status-Abbrev}\n' "$1" 2>/dev/null) || true
  grep -Eq "^($native|all) ii" <<< "$lines"
}

missing=()
for package in "${wanted[@]}"; do
  if ! installed "$package"; then
    missing+=("$package")
  fi
done

# npm may come with a node that is not Debian's; Debian's own is installed
# only where there is none.
if { [ "$purpose" = test ] || [ "$purpose" = web-test ]; } && ! command -v npm >/dev/null 2>&1; then
  missing+=(npm)
fi

if [ "${#missing[@]}" -eq 0 ]; then
  exit 0
fi

if [ "$(id -u)" -ne 0 ]; then
  echo "Vellmoor needs these Debian packages, which are not installed: ${missing[*]}" >&2
  echo "Install them with:" >&2
  echo "  sudo apt-get update && sudo apt-get install -y ${missing[*]}" >&2
  exit 1
fi

echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
apt-get install -y -qq --no-install-recommends "${missing[@]}"
