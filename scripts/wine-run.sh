#!/usr/bin/env bash
# Runs one Windows program under Wine in the private prefix, on a display, and returns
# its exit code. On Windows itself (Git Bash, as the hosted CI's Windows job has it) the
# program simply runs. Usage: scripts/wine-run.sh PROGRAM.exe [ARGS...]
set -uo pipefail
case $(uname -s) in
  MINGW* | MSYS* | CYGWIN*) exec "$@" ;;
esac
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/scripts/wine-env.sh"
cleanup() {
  tavune_end_entry
  [ -n "${TAVUNE_XVFB_PID:-}" ] && kill "$TAVUNE_XVFB_PID" 2>/dev/null
}
# Stopped from outside (ctest's entries send TERM at their time limit): the server and the
# display go too, and the log says why the program ended.
trap 'echo "wine-run: stopped by SIGTERM before $(basename "$1") ended" >&2; cleanup; exit 124' TERM
tavune_ensure_display || exit 1
tavune_ensure_test_prefix || { cleanup; exit 1; }
# The test prefix belongs to the tests, which take it one at a time: whatever the last one
# left running goes.
tavune_new_server || { cleanup; exit 1; }
wine "$@"
rc=$?
cleanup
exit $rc
