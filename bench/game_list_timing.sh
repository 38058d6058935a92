#!/usr/bin/env bash
# How soon the list of a large collection's games is on the screen under Wine: from the
# Enter that confirms the Open dialog to the list's window shown, main-line reading on.
# Prints figures; asserts nothing.
#   bash bench/game_list_timing.sh [COLLECTION.sgf] [RUNS]
# Without a collection, the benchmark's 10 MB one is made by build/native/record_bench.
root=$(cd "$(dirname "$0")/.." && pwd)
collection=${1:-}
runs=${2:-5}
for built in windows/tavune.exe native/record_bench; do
  [ -x "$root/build/$built" ] || { echo "build $built first: bash scripts/build.sh" >&2; exit 1; }
done
source "$root/tests/e2e/lib.sh" "$root/build/windows/tavune.exe"
if [ -z "$collection" ]; then
  collection=$E2E_DIR/collection.sgf
  TAVUNE_BENCH_RECORD=$collection "$root/build/native/record_bench" \
    --benchmark_filter=BM_ReadFilePlain >/dev/null
fi
echo "collection: $collection, $(stat -c %s "$collection") bytes"

forget_settings
wine reg add "$E2E_KEY" /v MainLineOnly /t REG_DWORD /d 1 /f >/dev/null 2>&1
e2e_start || finish

list_shown() { xdotool search --onlyvisible --name '^対局を選ぶ$' >/dev/null 2>&1; }
# The clock in microseconds.
now() { echo "${EPOCHREALTIME//[!0-9]}"; }

for ((run = 1; run <= runs; run++)); do
  keys alt+f o
  wait_dialog '開く' || { fail "no Open dialog"; finish; }
  type_text "$(winpath "$collection")"
  start=$(now)
  xdotool key Return
  # Looked for every 10 ms: wait_until's 0.1 s would blur the figure.
  until list_shown; do
    (( $(now) - start < 30000000 )) || { fail "no list within 30 s"; finish; }
    sleep 0.01
  done
  echo "run $run: $(( ($(now) - start) / 1000 )) ms from Enter in the Open dialog to the list"
  ((run == 1)) && wait_dialog '対局を選ぶ' && echo "the list counts $(dialog_text 1012)"
  keys Escape
  wait_no_dialog || { fail "the list stayed after Escape"; finish; }
done
pass "measured $runs runs"
finish
