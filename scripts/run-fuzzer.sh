#!/usr/bin/env bash
# Runs one libFuzzer target for a fixed number of runs from its seed corpus (the short
# run of the test suite), or, with --long, each reader and the main-line reading for
# 10 M runs.
# Usage: scripts/run-fuzzer.sh FUZZER CORPUS_DIR
#        scripts/run-fuzzer.sh --long [SANITIZE_TREE]     (default build/sanitize)
# TAVUNE_FUZZ_RUNS, TAVUNE_FUZZ_MAX_LEN and TAVUNE_FUZZ_TIMEOUT change the count of runs,
# the input size and the seconds one input may take.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
if [ "${1:-}" = --long ]; then
  # Inputs up to 16 KiB: the SGF text outgrows its first 4 KiB and the file many chunks.
  tree=$(realpath "${2:-$root/build/sanitize}")
  for fuzzer in fuzz_sgf_reader fuzz_ugf_reader fuzz_main_line; do
    TAVUNE_FUZZ_RUNS=${TAVUNE_FUZZ_RUNS:-10000000} TAVUNE_FUZZ_MAX_LEN=${TAVUNE_FUZZ_MAX_LEN:-16384} \
      "$0" "$tree/$fuzzer" "$root/tests/fuzz/corpus/$fuzzer"
  done
  exit 0
fi
fuzzer=$(realpath "$1") seeds=$(realpath -m "$2")
# libFuzzer prints a failing input itself only up to 256 bytes: its crash-, leak- and
# timeout- files go to a folder that outlives the run.
findings=$root/build/fuzz-findings
mkdir -p "$findings"
# In memory where there is room: the reader fuzzers write every input to a file, in a
# private folder under TMPDIR.
work=$(mktemp -d -p /dev/shm 2>/dev/null || mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/corpus" "$work/tmp"
# An input that takes 10 s is a finding (the longest passing input takes milliseconds).
# libFuzzer's own limit, 1200 s, lies past ctest's limit for the entry, whose kill would
# lose the timeout- file.
args=(-runs="${TAVUNE_FUZZ_RUNS:-200000}" -max_len="${TAVUNE_FUZZ_MAX_LEN:-4096}" -seed=1 -print_final_stats=1
      -timeout="${TAVUNE_FUZZ_TIMEOUT:-10}" -artifact_prefix="$findings/$(basename "$fuzzer")-")
[ -d "$seeds" ] && cp -r "$seeds/." "$work/corpus/" 2>/dev/null || true
cd "$work"
echo "run-fuzzer: findings of $(basename "$fuzzer") are kept in $findings"
TMPDIR=$work/tmp "$fuzzer" "${args[@]}" "$work/corpus"
