#!/bin/sh
# Runs a Windows program under wine in a wine prefix of its own, never the
# user's ~/.wine:  wine-run.sh PREFIX PROGRAM [ARGUMENTS...]
# The prefix is made on first use. Wine's Mono and Gecko are switched off, so
# it never offers to install them, and so is its debug output.
set -eu
if [ "$#" -lt 2 ]; then
  echo "usage: $0 PREFIX PROGRAM [ARGUMENTS...]" >&2
  exit 2
fi
mkdir -p "$1"
WINEPREFIX=$(realpath "$1")
WINEDEBUG=-all
WINEDLLOVERRIDES="mscoree,mshtml="
export WINEPREFIX WINEDEBUG WINEDLLOVERRIDES
shift

# One process makes the prefix, without a display so that no set-up window
# appears on the tests' X server; its wine server is let end, so that the
# programs that follow start one with the display.
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  flock "$WINEPREFIX" sh -c \
    '[ -f "$WINEPREFIX/system.reg" ] || { DISPLAY= wineboot --init && wineserver --wait; }'
fi
exec wine "$@"
