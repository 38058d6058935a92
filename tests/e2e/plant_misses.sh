#!/usr/bin/env bash
# Shows that every end-to-end script fails when it cannot see the program's window: runs
# each script against a copy of tavune.exe with one miss planted beside it, and prints a
# line per script and miss. Every line must read "failed". Not run by ctest (a few minutes).
# Usage: tests/e2e/plant_misses.sh WINDOWS_TREE [SCRIPT...]   (default: every test_*.sh)
set -uo pipefail
tree=$(realpath "$1"); shift
here=$(cd "$(dirname "$0")" && pwd)
scripts=("$@")
((${#scripts[@]})) || scripts=("$here"/test_*.sh)
work=$(mktemp -d /tmp/tavune-plant.XXXXXX)
trap 'rm -rf "$work"' EXIT

# The misses: a probe that never finds the main window, one that finds a board of zero
# width, one that answers nothing, and a program that ends before it shows its board. The
# stand-in probe answers every question (FOLDER\ID.ask) with the same planted lines.
cat > "$work/stand_in.cpp" <<'CPP'
#include <windows.h>
#include <cstdio>
#include <string>
int main(int argc, char** argv) {
#if PLANT == 3 || PLANT == 4
  return 3;
#else
  if (argc < 2) return 3;
  const std::string folder = argv[1];
#if PLANT == 1
  const char planted[] = "found 0\nmain 0 0 0 0\nclient 0 0 0 0\nboard 0 0 0 0\ntoolbar 0 0 0 0\n";
#else
  const char planted[] = "found 1\nmain 0 0 682 686\nclient 3 43 676 640\nboard 39 43 0 640\n"
                         "toolbar 3 43 36 640\n";
#endif
  for (;;) {
    WIN32_FIND_DATAA found;
    const HANDLE search = FindFirstFileA((folder + "\\*.ask").c_str(), &found);
    for (BOOL more = search != INVALID_HANDLE_VALUE; more; more = FindNextFileA(search, &found)) {
      const std::string ask = folder + "\\" + found.cFileName;
      const std::string answer = ask.substr(0, ask.size() - 4) + ".txt";
      DeleteFileA(ask.c_str());
      if (FILE* out = std::fopen((answer + ".part").c_str(), "wb")) {
        std::fputs(planted, out);
        std::fclose(out);
        MoveFileExA((answer + ".part").c_str(), answer.c_str(), MOVEFILE_REPLACE_EXISTING);
      }
    }
    if (search != INVALID_HANDLE_VALUE) FindClose(search);
    Sleep(20);
  }
#endif
}
CPP
misses=(no-window zero-width-board silent-probe no-board)
for i in 1 2 3 4; do
  dir=$work/${misses[i - 1]}
  mkdir -p "$dir"
  cp "$tree/tavune.exe" "$tree/e2e_probe.exe" "$dir/"
  target=$dir/e2e_probe.exe
  ((i == 4)) && target=$dir/tavune.exe
  x86_64-w64-mingw32-g++-posix -DPLANT=$i -static -o "$target" "$work/stand_in.cpp" || exit 2
done

status=0
for script in "${scripts[@]}"; do
  for miss in "${misses[@]}"; do
    start=$SECONDS
    bash "$script" "$work/$miss/tavune.exe" > "$work/log" 2>&1
    rc=$?
    if ((rc == 0)); then verdict=PASSED; status=1; else verdict="failed (exit $rc)"; fi
    printf '%-36s %-18s %s after %d s\n' "$(basename "$script")" "$miss" "$verdict" \
      $((SECONDS - start))
    ((rc == 0)) && sed 's/^/    /' "$work/log" | tail -5
    # A failed script keeps its files for a reader; here the failure was planted.
    sed -n 's/^e2e: files kept in //p' "$work/log" | xargs -r rm -rf
  done
done
exit $status
