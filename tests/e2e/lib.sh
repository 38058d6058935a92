# Shared steps of the end-to-end tests: tavune.exe in a Wine virtual desktop under Xvfb,
# driven with xdotool, judged by its trace, the files it writes and screenshots.
# A test script sources this file with the path of tavune.exe as $1.
set -uo pipefail

E2E_EXE=$(readlink -f "$1")
E2E_PROBE=$(dirname "$E2E_EXE")/e2e_probe.exe
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
source "$root/scripts/wine-env.sh"
tavune_ensure_display || exit 1
tavune_ensure_prefix
E2E_DIR=$(mktemp -d /tmp/tavune-e2e.XXXXXX)
E2E_TRACE=$E2E_DIR/trace.log
E2E_DESKTOP=tavune,1280x1024
E2E_FAILED=0
E2E_PID=

e2e_cleanup() {
  e2e_stop
  [ -n "${TAVUNE_XVFB_PID:-}" ] && kill "$TAVUNE_XVFB_PID" 2>/dev/null
  if ((E2E_FAILED)); then echo "e2e: files kept in $E2E_DIR"; else rm -rf "$E2E_DIR"; fi
}
trap e2e_cleanup EXIT

fail() { echo "FAIL: $*"; E2E_FAILED=1; }
pass() { echo "ok: $*"; }
finish() { ((E2E_FAILED)) && exit 1; exit 0; }

# A Windows path for a file of this machine.
winpath() { winepath -w "$1" 2>/dev/null; }

# Polls "$@" every 0.1 s for up to $E2E_WAIT seconds (default 20).
wait_until() {
  local tries=$(( ${E2E_WAIT:-20} * 10 ))
  for _ in $(seq 1 $tries); do "$@" && return 0; sleep 0.1; done
  "$@"
}

# The trace texts, one per line, as the program wrote them ("Frame::OnPaint()\n").
traces() { sed -n 's/.*OutputDebugStringA "\(.*\)"$/\1/p' "$E2E_TRACE"; }
trace_count() { traces | grep -c -x -F -- "$1"; }
has_trace() { [ "$(trace_count "$1")" -ge "${2:-1}" ]; }
wait_trace() { wait_until has_trace "$@"; }

# Starts tavune.exe in the virtual desktop with the given arguments and waits for the board.
e2e_start() {
  : > "$E2E_TRACE"
  WINEDEBUG=-all,+debugstr wine explorer /desktop=$E2E_DESKTOP "$E2E_EXE" "$@" 2>>"$E2E_TRACE" &
  E2E_PID=$!
  wait_trace 'ChildGoban::OnPaint()\n' && wait_trace 'ChildToolbar::OnPaint()\n' || {
    fail "tavune.exe did not show its board"; return 1; }
  e2e_probe
}

# Stops the program and Wine's server of this prefix.
e2e_stop() {
  if [ -n "$E2E_PID" ]; then
    wineserver -k 2>/dev/null
    wait "$E2E_PID" 2>/dev/null
    E2E_PID=
  fi
}

# Waits until the program has ended by itself (after Exit or a close).
e2e_wait_exit() {
  local pid=$E2E_PID
  E2E_WAIT=${1:-20} wait_until bash -c "! kill -0 $pid 2>/dev/null" || return 1
  wait "$pid" 2>/dev/null
  E2E_PID=
  wineserver -w 2>/dev/null
}

# Reads the program's window geometry and menu check marks into PROBE_* variables.
e2e_probe() {
  local out=$E2E_DIR/probe.txt
  rm -f "$out"
  wine explorer /desktop=$E2E_DESKTOP "$E2E_PROBE" "$(winpath "$out")" >/dev/null 2>&1
  E2E_WAIT=10 wait_until test -s "$out" || { fail "probe wrote nothing"; return 1; }
  read -r _ PROBE_FOUND < <(grep '^found' "$out")
  read -r _ PROBE_MAIN_X PROBE_MAIN_Y PROBE_MAIN_W PROBE_MAIN_H < <(grep '^main' "$out")
  read -r _ PROBE_CLIENT_X PROBE_CLIENT_Y PROBE_CLIENT_W PROBE_CLIENT_H < <(grep '^client' "$out")
  read -r _ PROBE_BOARD_X PROBE_BOARD_Y PROBE_BOARD_W PROBE_BOARD_H < <(grep '^board' "$out")
  read -r _ PROBE_TOOLBAR_X PROBE_TOOLBAR_Y PROBE_TOOLBAR_W PROBE_TOOLBAR_H < <(grep '^toolbar' "$out")
  read -r _ PROBE_VIEW < <(grep '^view' "$out")
  read -r _ PROBE_NEXT < <(grep '^next' "$out")
  PROBE_CELL=$(( PROBE_BOARD_W / 20 ))
}

# Screen coordinates of the centre of board point (x, y) (0-based, x the column).
point_xy() { echo "$(( PROBE_BOARD_X + ($1 + 1) * PROBE_CELL + PROBE_CELL / 2 )) $(( PROBE_BOARD_Y + ($2 + 1) * PROBE_CELL + PROBE_CELL / 2 ))"; }

click_point() {  # button x y
  local xy; xy=$(point_xy "$2" "$3")
  xdotool mousemove $xy click "$1"
}

# Saves a screenshot of the whole screen.
screenshot() { xwd -root -silent | convert xwd:- "$1"; }

# The colour "r,g,b" of one screen pixel.
pixel_at() {
  xwd -root -silent | convert xwd:- -crop 1x1+"$1"+"$2" -depth 8 txt:- | sed -n '2s/.*srgb(\([0-9,]*\)).*/\1/p'
}
