#!/usr/bin/env bash
# Builds the three trees: windows (tavune.exe and the Win32 tests), sanitize (clang with
# ASan and UBSan, and the fuzzers) and native (unit tests, benchmark, the ctest driver).
# Usage: scripts/build.sh [windows|sanitize|native]...   (default: all three)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$root/build
jobs=$(nproc)
trees=("$@")
((${#trees[@]})) || trees=(windows sanitize native)

configure() {  # dir, cmake arguments...
  local dir=$1; shift
  if [ ! -f "$dir/CMakeCache.txt" ]; then
    cmake -S "$root" -B "$dir" "$@" >/dev/null
  fi
}

for tree in "${trees[@]}"; do
  case $tree in
    windows)
      configure "$build/windows" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" -DCMAKE_BUILD_TYPE=Release ;;
    sanitize)
      configure "$build/sanitize" -DCMAKE_CXX_COMPILER=clang++ -DTAVUNE_SANITIZE=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo ;;
    native)
      configure "$build/native" -DCMAKE_BUILD_TYPE=Release \
        -DTAVUNE_WINDOWS_BUILD="$build/windows" -DTAVUNE_SANITIZE_BUILD="$build/sanitize" ;;
    *) echo "build: unknown tree $tree" >&2; exit 2 ;;
  esac
done
# The trees are built side by side, sharing one pool of jobs (make's jobserver, which each
# tree's make joins): built one after another, each tree's links and last files left a
# core idle.
echo "build: ${trees[*]}"
make -s -j "$jobs" -f - "${trees[@]}" <<MAKE
.PHONY: windows sanitize native
windows sanitize native:
	+@start=\$\$(date +%s) && cmake --build "$build/\$@" && echo "build: \$@ took \$\$((\$\$(date +%s) - start)) s"
MAKE
