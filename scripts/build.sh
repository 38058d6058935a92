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
  start=$SECONDS
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
  echo "build: $tree"
  cmake --build "$build/$tree" -j "$jobs"
  echo "build: $tree took $((SECONDS - start)) s"
done
