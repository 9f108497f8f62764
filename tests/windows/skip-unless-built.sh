#!/bin/sh
# Runs a test of the cross-built Windows program when the file it tests has
# been built (make windows, which make test runs first), and otherwise reports
# the test skipped, with the reason, by the exit status 77 that CTest is told
# to read as "skipped":  skip-unless-built.sh FILE COMMAND [ARGUMENTS...]
set -eu
if [ "$#" -lt 2 ]; then
  echo "usage: $0 FILE COMMAND [ARGUMENTS...]" >&2
  exit 2
fi
if [ ! -e "$1" ]; then
  echo "skipped: there is no Windows build here ($1 is missing; make windows builds it)"
  exit 77
fi
shift
exec "$@"
