#!/usr/bin/env bash
# The test command: installs what is missing, builds every tree, and runs every test
# (native, sanitized, fuzzers, under Wine, end to end) through ctest. Ends with the time
# each stage took, a failed one too.
set -Eeuo pipefail
# Some steps fail without a word (wineserver, a script's own set -e): say where it stopped.
trap 'echo "test: stopped at line $LINENO: $BASH_COMMAND" >&2' ERR
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

stages=()
print_stages() {
  local summary
  printf -v summary '%s, ' "${stages[@]}"
  echo "test: ${summary%, }"
}
timed() {  # NAME COMMAND...
  local start=$SECONDS rc=0
  "${@:2}" || rc=$?
  stages+=("$1 $((SECONDS - start)) s")
  ((rc == 0)) || { print_stages; echo "test: $1 failed (exit $rc)" >&2; exit "$rc"; }
}

timed setup bash scripts/setup.sh
timed build bash scripts/build.sh windows sanitize native rebuild

source scripts/wine-env.sh
# The Wine tests run on slots side by side, each slot a prefix copied from the tests' own
# (scripts/wine-slot.sh): one more than the cores, for they spend most of their time
# waiting for Wine and the X server.
slots=$(($(nproc) + 1))
slot_xvfbs=()
# Each slot has a display of its own, which scripts/wine-slot.sh finds named beside its
# prefix, and its Wine server stays from entry to entry: each entry booting its own server
# and Xvfb cost about a tenth of ctest's time.
ensure_displays() {
  local n named
  tavune_ensure_display || return 1
  for ((n = 0; n < slots; n++)); do
    named=$(DISPLAY= && tavune_ensure_display && echo "$DISPLAY $TAVUNE_XVFB_PID") || return 1
    slot_xvfbs+=("${named#* }")
    echo "${named% *}" > "$root/build/wineprefix-$n.display"
  done
}
# At the end, whatever ran: nothing here may stop the rest.
end_wine() {
  local n
  trap - ERR
  set +e
  [ -n "${TAVUNE_XVFB_PID:-}" ] && kill "$TAVUNE_XVFB_PID" 2>/dev/null
  wineserver -k 2>/dev/null
  for ((n = 0; n < slots; n++)); do
    rm -f "$root/build/wineprefix-$n.display"
    [ -d "$root/build/wineprefix-$n" ] &&
      WINEPREFIX=$root/build/wineprefix-$n wineserver -k 2>/dev/null
  done
  ((${#slot_xvfbs[@]})) && kill "${slot_xvfbs[@]}" 2>/dev/null
  return 0
}
trap end_wine EXIT
timed display ensure_displays
ensure_prefixes() {
  local n from=$WINEPREFIX
  tavune_ensure_test_prefix || return 1
  for ((n = 0; n < slots; n++)); do
    WINEPREFIX=$root/build/wineprefix-$n tavune_copy_test_prefix "$from" || return 1
  done
}
timed prefix ensure_prefixes
slot_list=
for ((n = 0; n < slots; n++)); do slot_list+="${slot_list:+,}{\"id\":\"$n\",\"slots\":1}"; done
printf '{"version":{"major":1,"minor":0},"local":[{"wine":[%s]}]}\n' "$slot_list" > "$root/build/native/wine-slots.json"

# In parallel: the Wine tests one to a slot, and one other entry beside them (the release's
# comparison first, then the unit tests and the fuzzers): the Wine tests keep the cores
# busier than their waiting suggests. Each entry has its own time limit; 60 s holds one
# added without.
timed ctest ctest --test-dir build/native --output-on-failure --timeout 60 -j $((slots + 1)) \
  --resource-spec-file "$root/build/native/wine-slots.json"
print_stages
