#!/usr/bin/env bash
# Runs a command while busy loops hold every core, as on a machine doing other
# work, to see that the tests wait for what they check:
#   scripts/under-load.sh ctest -L 'e2e|windows'
#   LOAD_LOOPS=8 scripts/under-load.sh make test
# LOAD_LOOPS busy loops (twice the number of cores unless set) run at normal
# priority until the command ends, however it ends (also on Ctrl-C); the exit
# status is the command's.
set -uo pipefail

if [ $# -eq 0 ]; then
  echo "usage: $0 COMMAND [ARGUMENT...]" >&2
  exit 2
fi
loops="${LOAD_LOOPS:-$(( 2 * $(nproc) ))}"
if ! [[ "$loops" =~ ^[0-9]+$ ]]; then
  echo "$0: LOAD_LOOPS must be a whole number, not '$loops'" >&2
  exit 2
fi

busy=()
stop_loops() {
  if [ ${#busy[@]} -gt 0 ]; then
    kill "${busy[@]}" 2>/dev/null
    wait "${busy[@]}" 2>/dev/null
    busy=()
  fi
}
trap stop_loops EXIT
trap 'stop_loops; exit 130' INT
trap 'stop_loops; exit 143' TERM

# Each loop spins on a builtin (no forks, all CPU) for as long as this script
# lives, so that not even a kill -9 of the script leaves them behind.
script=$$
for _ in $(seq 1 "$loops"); do
  ( trap - EXIT INT TERM; while kill -0 "$script" 2>/dev/null; do :; done ) &
  busy+=("$!")
done
echo "under-load: $loops busy loops on $(nproc) cores" >&2

start=$(date +%s)
"$@"
status=$?
echo "under-load: '$*' ended with status $status after $(( $(date +%s) - start )) s" >&2
exit "$status"
