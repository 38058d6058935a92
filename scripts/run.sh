#!/usr/bin/env bash
# The run command: installs what is missing, builds tavune.exe and starts it under Wine on
# the game that ships with the project (or on the record named as the first argument).
# Without a display it starts Xvfb, saves a screenshot as a PNG and prints where.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

bash scripts/setup.sh
bash scripts/build.sh windows

record=${1:-$root/docs/games/gnugo-selfplay.sgf}
# A prefix of its own: the tests' prefix has its settings rewritten by every test run.
export WINEPREFIX=$root/build/run-wineprefix
source scripts/wine-env.sh
headless=0
if [ -z "${DISPLAY:-}" ] || ! xdpyinfo >/dev/null 2>&1; then headless=1; fi
tavune_ensure_display
tavune_ensure_prefix

winrecord=$(tavune_winpath "$record")
if ((headless)); then
  shot=$root/build/tavune-screenshot.png
  wine explorer /desktop=tavune,1280x1024 "$root/build/windows/tavune.exe" "$winrecord" &
  pid=$!
  # Wait until the main window has been drawn, then photograph the virtual desktop.
  for _ in $(seq 1 200); do
    xdotool search --name 'Tavune' >/dev/null 2>&1 && break
    sleep 0.1
  done
  sleep 2
  xwd -root -silent | convert xwd:- "$shot"
  wineserver -k 2>/dev/null || true
  wait $pid 2>/dev/null || true
  [ -n "${TAVUNE_XVFB_PID:-}" ] && kill "$TAVUNE_XVFB_PID" 2>/dev/null
  echo "run: no display here; screenshot saved to $shot"
else
  exec wine "$root/build/windows/tavune.exe" "$winrecord"
fi
