#!/usr/bin/env bash
# The test command: installs what is missing, builds every tree, and runs every test
# (native, sanitized, fuzzers, under Wine, end to end) through ctest.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

bash scripts/setup.sh
bash scripts/build.sh windows sanitize native

source scripts/wine-env.sh
tavune_ensure_display
tavune_ensure_test_prefix
trap '[ -n "${TAVUNE_XVFB_PID:-}" ] && kill "$TAVUNE_XVFB_PID" 2>/dev/null; wineserver -k 2>/dev/null || true' EXIT

# Serial: the Wine tests share one display and one registry.
ctest --test-dir build/native --output-on-failure --timeout 900
