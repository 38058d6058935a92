#!/usr/bin/env bash
# Runs one libFuzzer target for a fixed number of runs from its seed corpus.
# Usage: scripts/run-fuzzer.sh FUZZER CORPUS_DIR
set -euo pipefail
fuzzer=$1 seeds=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
args=(-runs="${TAVUNE_FUZZ_RUNS:-200000}" -max_len=4096 -seed=1 -print_final_stats=1)
[ -d "$seeds" ] && cp -r "$seeds/." "$work/" 2>/dev/null || true
cd "$work"
exec "$fuzzer" "${args[@]}" "$work"
