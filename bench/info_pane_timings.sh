#!/usr/bin/env bash
# Step times under Wine with the information pane and the last-move mark on, against both
# off, at the medium and the largest view, timed on the program's thread: the command and
# the repaint of the board and the move line, then the comments that follow once the
# loop is idle (bench/windows/info_pane_steps.cpp, built into gui_tests.exe).
# Prints figures; asserts nothing.   bash bench/info_pane_timings.sh
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
exe=$root/build/windows/gui_tests.exe
[ -f "$exe" ] || { echo "build gui_tests.exe first: bash scripts/build.sh windows" >&2; exit 1; }
export WINEPREFIX=$root/build/bench-wineprefix
bash "$root/scripts/wine-run.sh" "$exe" --gtest_also_run_disabled_tests \
  --gtest_filter='InfoPaneTimings.*' 2>&1 | grep -E '^(forward|back|  then)'
