#!/usr/bin/env bash
# Whole-process timings of tavune.exe under Wine at 100 % and 200 %, and the sizes of the
# exe and the release zip. Prints figures; asserts nothing.
#   bash bench/display_scale_timings.sh [OTHER_TAVUNE_EXE] [RUNS]
# With OTHER_TAVUNE_EXE (an earlier build), the start-up at 96 DPI is measured for both,
# alternately, in the same run. Times come from Wine's own clock (+timestamp): from the
# moment Wine loaded the exe, or from the View command's trace, to the trace written after
# the board's paint.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
exe=$root/build/windows/tavune.exe
other=${1:-}
runs=${2:-7}
[ -f "$exe" ] || { echo "build tavune.exe first: bash scripts/build.sh windows" >&2; exit 1; }
export WINEPREFIX=$root/build/bench-wineprefix
source "$root/scripts/wine-env.sh"
# A screen and a virtual desktop large enough for the largest view at 200 %.
unset DISPLAY
TAVUNE_SCREEN=2560x2200x24 tavune_ensure_display || exit 1
trap 'tavune_new_server --none; kill $TAVUNE_XVFB_PID 2>/dev/null; rm -f "$log"' EXIT
tavune_ensure_test_prefix >/dev/null 2>&1
log=$(mktemp /tmp/tavune-timings.XXXXXX)

# Wine's clock, in ms, of the first line matching PATTERN after line FROM of the log.
stamp() {  # PATTERN [FROM]
  awk -v from="${2:-0}" -v p="$1" 'NR > from && index($0, p) { split($1, t, ":"); printf "%.0f\n", t[1] * 1000; exit }' "$log"
}
# The line number of the first line matching PATTERN after line FROM.
line_of() { awk -v from="${2:-0}" -v p="$1" 'NR > from && index($0, p) { print NR; exit }' "$log"; }
wait_line() {  # PATTERN [FROM]
  for _ in $(seq 200); do [ -n "$(line_of "$@")" ] && return 0; sleep 0.05; done
  return 1
}

# Starts EXE with the medium view; prints ms from the load of the exe to the end of the
# board's first paint, and leaves it running.
start() {  # EXE
  wine reg delete 'HKCU\Software\Orvenda\Tavune' /f >/dev/null 2>&1
  tavune_new_server
  WINEDEBUG=-all,+timestamp,+loaddll,+debugstr wine explorer /desktop=bench,2560x2200 "$1" >"$log" 2>&1 &
  wait_line 'ChildGoban::OnPaint()' && wait_line 'debugstr' "$(line_of 'ChildGoban::OnPaint()')" || { echo "no paint" >&2; return 1; }
  local loaded paint
  loaded=$(awk -v name="$(basename "$1")" '/loaddll/ && index($0, name) { split($1, t, ":"); printf "%.0f\n", t[1] * 1000; exit }' "$log")
  paint=$(stamp 'debugstr' "$(line_of 'ChildGoban::OnPaint()')")
  echo $((paint - loaded))
}

median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

if [ -n "$other" ]; then
  tavune_set_dpi 96 >/dev/null
  a=() b=()
  for _ in $(seq "$runs"); do
    a+=("$(start "$exe")"); tavune_new_server
    b+=("$(start "$other")"); tavune_new_server
  done
  echo "start-up to the first board paint at 96 DPI, $runs runs each, alternately:"
  echo "  this build:    median $(printf '%s\n' "${a[@]}" | median) ms  (${a[*]})"
  echo "  $other: median $(printf '%s\n' "${b[@]}" | median) ms  (${b[*]})"
fi

s96=() s192=()
for _ in $(seq "$runs"); do
  tavune_set_dpi 96 >/dev/null; s96+=("$(start "$exe")")
  tavune_set_dpi 192 >/dev/null; s192+=("$(start "$exe")")
done
echo "start-up to the first board paint, medium view, $runs runs each, alternately:"
echo "  96 DPI:  median $(printf '%s\n' "${s96[@]}" | median) ms  (${s96[*]})"
echo "  192 DPI: median $(printf '%s\n' "${s192[@]}" | median) ms  (${s192[*]})"

# The program of the last start runs at 192 DPI: every view size, twice round.
xdotool search --sync --name Tavune >/dev/null 2>&1
changes=()
for key in g l a s m g l a s m; do
  from=$(wc -l < "$log")
  xdotool key --clearmodifiers alt+v "$key"
  wait_line 'OnCommand(ID_VIEW' "$from" || continue
  command=$(line_of 'OnCommand(ID_VIEW' "$from")
  wait_line 'ChildGoban::OnPaint()' "$command" && wait_line 'debugstr' "$(line_of 'ChildGoban::OnPaint()' "$command")" || continue
  changes+=($(( $(stamp 'debugstr' "$(line_of 'ChildGoban::OnPaint()' "$command")") - $(stamp 'OnCommand(ID_VIEW' "$from") )))
done
echo "View size changes at 192 DPI, command to the end of the board's paint: ${changes[*]} ms"

zip=$(/usr/bin/python3 "$root/scripts/release_zip.py" "$root" "$exe" "$(mktemp -d /tmp/tavune-zip.XXXXXX)")
echo "tavune.exe $(stat -c %s "$exe") bytes; release zip $(stat -c %s "$zip") bytes"
rm -rf "$(dirname "$zip")"
