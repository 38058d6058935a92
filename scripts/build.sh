#!/usr/bin/env bash
# Builds the three trees: windows (tavune.exe and the Win32 tests), sanitize (clang with
# ASan and UBSan, the unit tests and the fuzzers) and native (benchmark, the ctest driver);
# and, when asked, rebuild: the release's second build, which release.reproducible compares
# with the first (scripts/rebuild-release.sh, into build/windows/release-rebuild).
# Usage: scripts/build.sh [windows|sanitize|native|rebuild]...   (default: the three trees)
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
    rebuild) ;;
    *) echo "build: unknown tree $tree" >&2; exit 2 ;;
  esac
done
# The trees are built side by side, sharing one pool of jobs (make's jobserver, which each
# tree's make joins): built one after another, each tree's links and last files left a
# core idle.
echo "build: ${trees[*]}"
make -s -j "$jobs" -f - "${trees[@]}" <<MAKE
.PHONY: windows sanitize native rebuild
windows sanitize native:
	+@start=\$\$(date +%s) && cmake --build "$build/\$@" && echo "build: \$@ took \$\$((\$\$(date +%s) - start)) s"
rebuild:
	+@start=\$\$(date +%s) && bash "$root/scripts/rebuild-release.sh" "$build/windows/release-rebuild" && echo "build: \$@ took \$\$((\$\$(date +%s) - start)) s"
MAKE
