#!/usr/bin/env bash
# Runs the tests that only Windows itself can pass (the suites named *OnWindows of the unit
# and the window tests) through scripts/wine-run.sh, as every test program is run. On
# Windows each must pass. Under Wine each must run and skip with a reason that names what
# Wine lacks; one that is compiled out, or fails before its skip, fails this check.
# Usage: tests/windows-only.sh WINDOWS_BUILD   (the folder of unit_tests.exe and gui_tests.exe)
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$1
case $(uname -s) in
  MINGW* | MSYS* | CYGWIN*) where=windows ;;
  *) where=wine ;;
esac
failed=0 count=0

fail() { echo "windows-only: FAIL: $*"; failed=1; }

# The reason that GTEST_SKIP gave: the lines between the test's RUN and SKIPPED lines.
skip_reason() {  # OUTPUT NAME
  awk -v name="$2" '$0 == "[ RUN      ] " name { on = 1; next }
    on && index($0, "[  SKIPPED ] " name) == 1 { exit }
    on' <<<"$1"
}

for program in unit gui; do
  # As the sources declare them: TEST(SuiteOnWindows, Name) or TEST_F(...).
  names=$(grep -hoE 'TEST(_F)?\([A-Za-z0-9_]+OnWindows, *[A-Za-z0-9_]+\)' "$root/tests/$program"/*.cpp |
    sed -E 's/^[^(]*\(([^,]+), *([^)]+)\)$/\1.\2/')
  [ -n "$names" ] || continue
  # Carriage returns: on Windows the programs end their lines with CR LF.
  out=$(bash "$root/scripts/wine-run.sh" "$build/${program}_tests.exe" --gtest_filter='*OnWindows.*' 2>&1 | tr -d '\r')
  rc=$?
  echo "$out"
  ((rc == 0)) || fail "${program}_tests.exe exited with $rc"
  for name in $names; do
    count=$((count + 1))
    if [ "$where" = windows ]; then
      grep -qF "[       OK ] $name (" <<<"$out" || fail "$name did not pass"
    elif ! grep -qF "[  SKIPPED ] $name (" <<<"$out"; then
      fail "$name did not reach its skip"
    elif ! skip_reason "$out" "$name" | grep -q 'Wine'; then
      fail "$name skipped without naming what Wine lacks"
    fi
  done
done

((count > 0)) || fail "no test named *OnWindows in tests/unit or tests/gui"
if ((failed)); then exit 1; fi
if [ "$where" = windows ]; then
  echo "windows-only: $count passed, 0 failed"
else
  echo "windows-only: all $count ran under Wine as far as their skips, each naming what Wine lacks"
fi
