#!/usr/bin/env bash
# The test command: installs what is missing, builds every tree, and runs every test
# (native, sanitized, fuzzers, under Wine, end to end) through ctest. Ends with the time
# each stage took.
set -Eeuo pipefail
# Some steps fail without a word (wineserver, a script's own set -e): say where it stopped.
trap 'echo "test: stopped at line $LINENO: $BASH_COMMAND" >&2' ERR
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

stages=()
timed() {  # NAME COMMAND...
  local start=$SECONDS
  "${@:2}"
  stages+=("$1 $((SECONDS - start)) s")
}

timed setup bash scripts/setup.sh
timed build bash scripts/build.sh windows sanitize native

source scripts/wine-env.sh
# The test programs run in a prefix of their own, beside the end-to-end scripts.
programs_prefix=$root/build/wineprefix-programs
timed display tavune_ensure_display
trap '[ -n "${TAVUNE_XVFB_PID:-}" ] && kill "$TAVUNE_XVFB_PID" 2>/dev/null; wineserver -k 2>/dev/null || true
  WINEPREFIX=$programs_prefix wineserver -k 2>/dev/null || true' EXIT
ensure_prefixes() { tavune_ensure_test_prefix && WINEPREFIX=$programs_prefix tavune_ensure_test_prefix; }
timed prefix ensure_prefixes

# In parallel, but for the Wine tests: each of their two chains shares one display and one
# registry, and holds a resource lock that keeps its entries one at a time. Each entry has
# its own time limit; 60 s holds one added without.
timed ctest ctest --test-dir build/native --output-on-failure --timeout 60 -j "$(nproc)"
printf -v summary '%s, ' "${stages[@]}"
echo "test: ${summary%, }"
