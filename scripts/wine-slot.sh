#!/usr/bin/env bash
# Runs one Wine test entry (COMMAND...) in the place ctest gave it. The test command hands
# ctest a number of slots (build/native/wine-slots.json): slot N is the prefix
# build/wineprefix-N with a display of its own, so entries on different slots run side by
# side. Run without that file, every entry takes build/wineprefix, in turn.
# Usage: scripts/wine-slot.sh COMMAND...
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
# An empty DISPLAY has scripts/wine-env.sh start the entry's own Xvfb.
export DISPLAY=
# ctest names the slot it gave as "id:N,slots:1".
if [[ ${CTEST_RESOURCE_GROUP_0_WINE:-} =~ ^id:([0-9]+), ]]; then
  export WINEPREFIX=$root/build/wineprefix-${BASH_REMATCH[1]}
  # While the test command runs, each slot has a display of its own, named in this file,
  # and a Wine server that stays from entry to entry (scripts/wine-env.sh).
  if [ -f "$WINEPREFIX.display" ] && DISPLAY=$(<"$WINEPREFIX.display"); then
    export DISPLAY TAVUNE_LASTING_SERVER=1
  fi
  exec "$@"
fi
export WINEPREFIX=$root/build/wineprefix
mkdir -p "$root/build"
# -o: the lock is not passed on to the Wine server, which may outlive the entry for a moment.
exec flock -o "$root/build/wineprefix.lock" "$@"
