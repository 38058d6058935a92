# Shared steps of the end-to-end tests: tavune.exe in a Wine virtual desktop under Xvfb,
# driven with xdotool, judged by its trace, the files it writes and screenshots.
# A test script sources this file with the path of tavune.exe as $1.
set -uo pipefail

E2E_EXE=$(readlink -f "$1")
E2E_PROBE=$(dirname "$E2E_EXE")/e2e_probe.exe
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
E2E_DIR=
E2E_DESKTOP=tavune,1280x1024
E2E_FAILED=0
E2E_PASSED=0
E2E_FINISHED=0
E2E_PROBE_PID=
E2E_PROBE_NEW=0
# The programs of the last start, as the probe's "end" and "running" name them.
E2E_STARTED=()

fail() { echo "FAIL: $*"; E2E_FAILED=1; }
pass() { echo "ok: $*"; E2E_PASSED=$((E2E_PASSED + 1)); }
# The one way a script passes: nothing failed and something was checked. Any other way
# out (an early exit, an error of the script, a stop from outside) fails it in e2e_cleanup.
finish() {
  E2E_FINISHED=1
  ((E2E_PASSED)) || fail "the script checked nothing"
  ((E2E_FAILED)) && exit 1
  exit 0
}

e2e_cleanup() {
  ((E2E_FINISHED)) || fail "the script stopped before its end"
  tavune_end_entry
  [ -n "${TAVUNE_XVFB_PID:-}" ] && kill "$TAVUNE_XVFB_PID" 2>/dev/null
  if ((E2E_FAILED)); then
    [ -n "$E2E_DIR" ] && echo "e2e: files kept in $E2E_DIR"
  else
    rm -rf "$E2E_DIR"
  fi
  ((E2E_FAILED)) && exit 1
}
trap e2e_cleanup EXIT
# ctest's entries send TERM at their time limit, to the script and every process it started;
# the cleanup then still ends the Wine server and Xvfb and keeps the files.
trap 'fail "stopped by SIGTERM (the time limit?)"; exit 1' TERM

source "$root/scripts/wine-env.sh"
tavune_ensure_display || { fail "no display"; exit 1; }
tavune_ensure_test_prefix || { fail "no Wine prefix"; exit 1; }
E2E_DIR=$(mktemp -d /tmp/tavune-e2e.XXXXXX) || { fail "no folder for the files"; exit 1; }
E2E_TRACE=$E2E_DIR/trace.log
mkdir "$E2E_DIR/probe" && mkfifo "$E2E_DIR/nap" && exec {E2E_NAP}<>"$E2E_DIR/nap" ||
  { fail "no folder for the probe"; exit 1; }

# Naps SECONDS without starting a process, as sleep would at every try of a wait: a read,
# with a time-out, from a pipe that nobody writes to.
nap() { read -r -t "$1" -u "$E2E_NAP" _; return 0; }

# A Windows path for a file of this machine.
winpath() { tavune_winpath "$1"; }

# Ends every Wine program of the prefix and starts a new server (on a slot of the test
# command, keeps the slot's server), with the probe in the script's virtual desktop (tests/e2e/probe.cpp): one process that answers every question
# about the program's windows, the screen and the settings until the server ends. The probe
# starts first, so that it owns the desktop, which lives as long as it does.
e2e_new_server() {
  tavune_new_server || return 1
  _e2e_probe_start
}
_e2e_probe_start() {
  wine explorer /desktop=$E2E_DESKTOP "$E2E_PROBE" "$(winpath "$E2E_DIR/probe")" \
    "$(winpath "$root/res/toolbar.bmp")" >/dev/null 2>&1 &
  E2E_PROBE_PID=$!
  E2E_PROBE_NEW=1
}
# A script stopped from outside may leave its program and this prefix's Wine server
# running; the next script would find that window instead of its own.
e2e_new_server || { fail "no Wine server"; exit 1; }

# Tries "$@" every 0.1 s (every E2E_NAP_S) until it holds or E2E_WAIT seconds (default 10)
# have passed on the clock. A try can take a while on a loaded machine, so a count of tries
# would stretch a failing wait many times over. On a busy 2-core machine the longest wait of
# a passing run, the program's start, takes about 1 s. The digits of EPOCHREALTIME are
# microseconds, whatever the locale's decimal point.
wait_until() {
  local end=$(( ${EPOCHREALTIME//[!0-9]} + ${E2E_WAIT:-10} * 1000000 ))
  until "$@"; do
    (( ${EPOCHREALTIME//[!0-9]} < end )) || return 1
    nap "${E2E_NAP_S:-0.1}"
  done
}

# Asks the probe WORDS (see tests/e2e/probe.cpp) and puts its answer in the file ANSWER.
# Waits 5 s for it, 30 s just after the probe's start. The question goes away unanswered;
# a late answer is never read for a later question, each having a name of its own. A probe
# that has gone (its desktop with it) is started again by the script itself.
e2e_ask_into() {  # ANSWER WORDS...
  local answer=$1 folder=$E2E_DIR/probe id wait=5
  id=${EPOCHREALTIME//[!0-9]}-$BASHPID
  shift
  if [ "$BASHPID" = "$$" ] && ! kill -0 "${E2E_PROBE_PID:-0}" 2>/dev/null; then _e2e_probe_start; fi
  ((E2E_PROBE_NEW)) && wait=30
  # Written in place: the probe takes a question only once its line has ended.
  echo "$*" > "$folder/$id.ask" || return 1
  if ! E2E_WAIT=$wait E2E_NAP_S=0.01 wait_until test -e "$folder/$id.txt"; then
    rm -f "$folder/$id.ask"
    echo "e2e: the probe answered nothing in $wait s" >&2
    return 1
  fi
  [ "$BASHPID" = "$$" ] && E2E_PROBE_NEW=0
  # Copied by the shell itself, not moved by mv: a process started at every question cost
  # more than the probe's answer. The answers stay in the probe's folder till the end.
  local text=
  IFS= read -r -d '' text < "$folder/$id.txt"
  printf '%s' "$text" > "$answer"
}
# The same into $E2E_DIR/answer.txt, whose lines answer_of reads.
e2e_ask() { e2e_ask_into "$E2E_DIR/answer.txt" "$@"; }
answer_of() {  # WORD: the rest of each line of the last answer that begins with WORD
  local line
  while IFS= read -r line || [ -n "$line" ]; do
    [[ $line == "$1"* ]] && line=${line#"$1"} && printf '%s\n' "${line# }"
  done < "$E2E_DIR/answer.txt"
  return 0
}

# The trace texts, one per line, as the program wrote them ("Frame::OnPaint()\n").
traces() { sed -n 's/.*OutputDebugStringA "\(.*\)"$/\1/p' "$E2E_TRACE"; }
# How many of them are TEXT, into E2E_TRACE_COUNT: read by the shell itself, for the waits
# ask every 0.1 s, and two processes a try cost more than the program being waited for.
_count_trace() {  # TEXT
  local line
  E2E_TRACE_COUNT=0
  while IFS= read -r line || [ -n "$line" ]; do
    [[ $line == *"OutputDebugStringA \"$1\"" ]] && E2E_TRACE_COUNT=$((E2E_TRACE_COUNT + 1))
  done < "$E2E_TRACE"
  return 0
}
trace_count() { _count_trace "$1" && echo "$E2E_TRACE_COUNT"; }
has_trace() { _count_trace "$1" && ((E2E_TRACE_COUNT >= ${2:-1})); }
wait_trace() { wait_until has_trace "$@"; }

# Starts tavune.exe in the virtual desktop with the given arguments and waits for the board.
e2e_start() {
  E2E_STARTED=("${E2E_EXE##*/}")
  _e2e_launch "$E2E_EXE" "$@"
}

# The same, through a batch file that writes the program's exit code to E2E_EXIT_FILE
# (explorer does not pass it on); exit_code reads it once the program has ended.
e2e_start_reporting_exit() {
  E2E_EXIT_FILE=$E2E_DIR/exit-code.txt
  rm -f "$E2E_EXIT_FILE"
  # "exit=" keeps a one-digit code from being read as a handle redirection ("echo 2> file").
  printf '@"%s" %%*\r\n@echo exit=%%ERRORLEVEL%% > "%s"\r\n' "$(winpath "$E2E_EXE")" "$(winpath "$E2E_EXIT_FILE")" \
    > "$E2E_DIR/run.bat"
  E2E_STARTED=("${E2E_EXE##*/}" cmd.exe)
  _e2e_launch cmd /c "$(winpath "$E2E_DIR/run.bat")" "$@"
}
exit_code() { [ -f "${E2E_EXIT_FILE:-}" ] && tr -d '\r ' < "$E2E_EXIT_FILE" | sed -n 's/^exit=//p'; }

_e2e_launch() {
  : > "$E2E_TRACE"
  # Kept with a failed script's files: what each start was given.
  printf '%s\n' "$*" >> "$E2E_DIR/starts.txt"
  # Started from a second explorer, which hands it to the probe's desktop and ends.
  WINEDEBUG=-all,+debugstr wine explorer /desktop=$E2E_DESKTOP "$@" 2>>"$E2E_TRACE" &
  # On a fresh Wine server the board shows within seconds, but beside the other test slots
  # and someone's build it once took more than 10.
  E2E_WAIT=30 wait_trace 'ChildGoban::OnPaint()\n' && E2E_WAIT=30 wait_trace 'ChildToolbar::OnPaint()\n' || {
    fail "tavune.exe did not show its board (screenshot $(keep_screenshot start)); Wine's processes:"
    ps -eo pid,stat,etime,args | grep -E '[w]ineserver|[.]exe' | sed 's/^/    /'
    return 1; }
  e2e_probe
}

# Ends the program of the last start; the server, the desktop and the probe stay. Where the
# probe cannot end it, every Wine process of the prefix goes, and a new server starts.
e2e_stop() {
  local words=() name
  for name in "${E2E_STARTED[@]}"; do words+=(end "$name"); done
  ((${#words[@]} == 0)) || e2e_ask "${words[@]}" || e2e_new_server || fail "no Wine server for the next start"
  E2E_STARTED=()
}

# Waits until the program has ended by itself (after Exit or a close), and the batch file
# that reports its exit code with it.
e2e_wait_exit() {
  E2E_WAIT=${1:-10} wait_until _e2e_ended || return 1
  E2E_STARTED=()
}
_e2e_ended() {
  local words=() name
  for name in "${E2E_STARTED[@]}"; do words+=(running "$name"); done
  e2e_ask "${words[@]}" && [ "$(grep -c '^running 0$' "$E2E_DIR/answer.txt")" = "${#E2E_STARTED[@]}" ]
}

# Reads the program's window geometry, and the dialog it owns if any, into PROBE_* variables.
# A probe that misses is asked again, 0.3 s later:
# one that found no main window with a board (once, as the Open dialog closed, one reported
# zero sizes, which sent the next checks to the wrong pixels), one whose program did not
# answer for its dialog's texts in time, and one that answered nothing within 5 s (a
# probe answers within a second, even at a load of 6). Five misses in a row fail the
# script: every check after them would look at the wrong place.
e2e_probe() {
  local _
  for _ in 1 2 3 4 5; do
    _e2e_probe_once && return 0
    nap 0.3
  done
  fail "five probes in a row missed, as said above (screenshot $(keep_screenshot probe))"
  return 1
}

_e2e_probe_once() {
  local out=$E2E_DIR/probe.txt line key value unanswered=0
  e2e_ask_into "$out" windows || return 1
  PROBE_FOUND= PROBE_FOCUS= PROBE_DIALOG_TITLE=
  PROBE_MAIN_X= PROBE_MAIN_Y= PROBE_MAIN_W= PROBE_MAIN_H=
  PROBE_CLIENT_X= PROBE_CLIENT_Y= PROBE_CLIENT_W= PROBE_CLIENT_H=
  PROBE_BOARD_X= PROBE_BOARD_Y= PROBE_BOARD_W= PROBE_BOARD_H=
  PROBE_TOOLBAR_X= PROBE_TOOLBAR_Y= PROBE_TOOLBAR_W= PROBE_TOOLBAR_H=
  PROBE_PANE_X= PROBE_PANE_Y= PROBE_PANE_W= PROBE_PANE_H=
  # A dialog owned by the main window: its rectangle and title (empty when none is open).
  PROBE_DIALOG_X= PROBE_DIALOG_Y= PROBE_DIALOG_W= PROBE_DIALOG_H=
  while IFS= read -r line; do
    key=${line%% *} value=${line#"$key"} value=${value# }
    case $key in
      found) PROBE_FOUND=$value ;;
      main) read -r PROBE_MAIN_X PROBE_MAIN_Y PROBE_MAIN_W PROBE_MAIN_H <<< "$value" ;;
      client) read -r PROBE_CLIENT_X PROBE_CLIENT_Y PROBE_CLIENT_W PROBE_CLIENT_H <<< "$value" ;;
      board) read -r PROBE_BOARD_X PROBE_BOARD_Y PROBE_BOARD_W PROBE_BOARD_H <<< "$value" ;;
      toolbar) read -r PROBE_TOOLBAR_X PROBE_TOOLBAR_Y PROBE_TOOLBAR_W PROBE_TOOLBAR_H <<< "$value" ;;
      pane) read -r PROBE_PANE_X PROBE_PANE_Y PROBE_PANE_W PROBE_PANE_H <<< "$value" ;;
      focus) PROBE_FOCUS=$value ;;
      dialog) read -r PROBE_DIALOG_X PROBE_DIALOG_Y PROBE_DIALOG_W PROBE_DIALOG_H <<< "$value" ;;
      dialogtitle) PROBE_DIALOG_TITLE=$value ;;
      unanswered) unanswered=1 ;;
    esac
  done < "$out"
  # Under Wine a menu lives in its own process, so the probe cannot see the check marks (it
  # reports 0): read_checks reads them from the screen instead.
  PROBE_VIEW= PROBE_NEXT=
  PROBE_CELL=$(( ${PROBE_BOARD_W:-0} / 20 ))
  if [ "$PROBE_FOUND" != 1 ] || [ "${PROBE_BOARD_W:-0}" -le 0 ]; then
    echo "e2e: the probe did not find the main window and its board" >&2
    return 1
  fi
  if ((unanswered)); then
    echo "e2e: the program did not give the probe its dialog's texts in time" >&2
    return 1
  fi
}

# The text of the control ID (of window class CLASS, when given) of the dialog that the last
# e2e_probe saw, in UTF-8.
dialog_text() {  # ID [CLASS]
  local line rest class text
  # Read by the shell itself: a check reads several texts, each a process started.
  while IFS= read -r line || [ -n "$line" ]; do
    [[ $line == "control $1 "* ]] || continue
    rest=${line#"control $1 "} && class=${rest%% *}
    text=${rest#"$class"} && text=${text# }
    [ -z "${2:-}" ] || [ "$class" = "$2" ] || continue
    printf '%s\n' "$text"
    return 0
  done < "$E2E_DIR/probe.txt"
}

# The text (line breaks as \n) or "rect" ("x y w h") of a box of the pane the last probe saw.
pane_box() {  # ID [rect]
  awk -v id="$1" -v rect="${2:-}" '$1 == "panebox" && $2 == id { if (rect != "") print $3, $4, $5, $6
    else { sub(/^panebox [^ ]+ [^ ]+ [^ ]+ [^ ]+ [^ ]+ ?/, ""); print }; exit }' "$E2E_DIR/probe.txt"
}

# Types TEXT into the file name field of the open dialog, as a user would. Beside a build
# the field once stayed empty, and once xdotool gave up on the text ("Invalid multi-byte
# sequence"), so the field is read back and typed again, twice at most. At a load of 8 an
# "é" was lost three times in a row: xdotool lends it a key code for the moment of the
# stroke, and a busy Wine read the code after it was taken back. The retries type slowly.
type_text() {
  local delay
  for delay in 20 150 400; do
    xdotool type --delay "$delay" "$1"
    E2E_WAIT=2 wait_until _file_name_is "$1" && return 0
    echo "e2e: the file name field holds '$(dialog_text 1148 Edit)', typing '$1' again"
    keys End shift+Home BackSpace
  done
  return 1
}
_file_name_is() { e2e_probe && [ "$(dialog_text 1148 Edit)" = "$1" ]; }

_dialog_is() { e2e_probe && [ "$PROBE_DIALOG_TITLE" = "$1" ]; }

# Waits until the main window owns a dialog titled TITLE, and probes it.
wait_dialog() { E2E_WAIT=${E2E_WAIT:-5} wait_until _dialog_is "$1"; }
_no_dialog() { e2e_probe && [ -z "$PROBE_DIALOG_TITLE" ]; }
wait_no_dialog() { E2E_WAIT=${E2E_WAIT:-5} wait_until _no_dialog; }

# Opens PATH with ファイル(F) → 開く(O), typing the Windows path and Enter.
open_by_dialog() {  # PATH
  local opens; opens=$(trace_count 'Frame::OnCommandFileOpen()\n')
  keys alt+f o
  wait_trace 'Frame::OnCommandFileOpen()\n' $((opens + 1)) || { fail "Alt+F O ran no Open command"; return 1; }
  wait_dialog '開く' || { fail "no Open dialog (screenshot $(keep_screenshot open))"; return 1; }
  type_text "$(winpath "$1")"
  keys Return
  wait_no_dialog || fail "the Open dialog stayed open (screenshot $(keep_screenshot open))"
}

# Screen coordinates of the centre of board point (x, y) (0-based, x the column).
point_xy() { echo "$(( PROBE_BOARD_X + ($1 + 1) * PROBE_CELL + PROBE_CELL / 2 )) $(( PROBE_BOARD_Y + ($2 + 1) * PROBE_CELL + PROBE_CELL / 2 ))"; }

click_point() {  # button x y
  local xy; xy=$(point_xy "$2" "$3")
  xdotool mousemove $xy click "$1"
}

# Saves a screenshot of the whole screen. Taken with import: xwd -root shows Wine's menus and
# dialogs as black boxes.
screenshot() { import -window root "$1"; }

# --- What the screen shows -----------------------------------------------------------------

# The board as 19 lines of 19 characters, top row first: X black, O white, . empty, ? neither,
# as the probe reads them from the screen, one pixel a point.
board_rows() { e2e_ask board && answer_of row; }

# The rows that board_rows shows for the given stones: a colour (B or W), then SGF points of
# that colour, and so on ("B pd pp W dd" is black at 16-四 and 16-十六, white at 4-四).
board_of() {
  local -a cells
  local i x y p mark=X line
  for ((i = 0; i < 361; i++)); do cells[i]=.; done
  for p in "$@"; do
    case $p in
      B) mark=X ;;
      W) mark=O ;;
      *) x=$(( $(printf '%d' "'${p:0:1}") - 97 )); y=$(( $(printf '%d' "'${p:1:1}") - 97 ))
         cells[y * 19 + x]=$mark ;;
    esac
  done
  for ((y = 0; y < 19; y++)); do
    line=
    for ((x = 0; x < 19; x++)); do line+=${cells[y * 19 + x]}; done
    echo "$line"
  done
}

# Keeps a screenshot in E2E_DIR (kept when a test fails) and prints its name. Numbered by
# the shots already there: it runs inside $( ), where a counter would not survive.
keep_screenshot() {  # LABEL
  local f=$E2E_DIR/shot-$(( $(compgen -G "$E2E_DIR/shot-*" | wc -l) + 1 ))-$1.png
  screenshot "$f"
  echo "$f"
}

_board_is() { [ "$(board_rows)" = "$1" ]; }

# How long a check of the screen waits. A passing run sees the right board or toolbar at the
# first look; once the script has failed, a stale screen fails every later check, so each of
# them takes one look rather than the whole deadline.
_look_wait() { ((E2E_FAILED)) && echo 0 || echo "${E2E_WAIT:-5}"; }

# Waits until the board shows exactly the given stones (arguments as for board_of); on a
# timeout the check fails with both boards side by side and a screenshot.
expect_board() {  # DESCRIPTION STONES...
  local what=$1; shift
  local want; want=$(board_of "$@")
  if E2E_WAIT=$(_look_wait) wait_until _board_is "$want"; then pass "$what"; return 0; fi
  fail "$what: the board differs (expected | shown), screenshot $(keep_screenshot board)"
  paste -d' ' <(echo "$want") <(board_rows) | sed 's/^/    /'
  return 1
}

# The next-move mode (136 to 139) whose toolbar button is drawn pressed; 0 when no button
# or more than one is. The probe compares each button with the pressed images of
# res/toolbar.bmp.
toolbar_mode() { e2e_ask toolbar && answer_of pressed || echo 0; }

_toolbar_is() { [ "$(toolbar_mode)" = "$1" ]; }

# Waits until the toolbar shows MODE pressed.
expect_toolbar() {  # DESCRIPTION MODE
  if E2E_WAIT=$(_look_wait) wait_until _toolbar_is "$2"; then pass "$1"; return 0; fi
  fail "$1: the toolbar shows $(toolbar_mode) pressed, not $2; screenshot $(keep_screenshot toolbar)"
  return 1
}

# Screen position of a title of the menu bar, measured on this desktop's menu font.
menu_title_xy() {  # file|view|next|replay|help
  local x
  case $1 in file) x=34 ;; view) x=96 ;; next) x=162 ;; replay) x=228 ;; help) x=288 ;; esac
  echo "$((PROBE_CLIENT_X + x)) $((PROBE_CLIENT_Y - 9))"
}

# The open pop-up menu: "x y w h", or nothing when none is shown. A pop-up is an unnamed
# window of the program's own.
popup_geometry() {
  local w
  local w geo
  for w in $(xdotool search --onlyvisible --name '^$' 2>/dev/null); do
    # xwininfo, not xdotool getwindowgeometry, which doubles the offset of a window inside the desktop.
    geo=$(xwininfo -id "$w" 2>/dev/null | awk '/Absolute upper-left X/ { x = $NF } /Absolute upper-left Y/ { y = $NF }
      /Width:/ { w = $NF } /Height:/ { h = $NF } END { if (w > 20 && w < 600 && h > 20 && h < 600) print x, y, w, h }')
    [ -n "$geo" ] && { echo "$geo"; return 0; }
  done
  return 1
}

_no_popup() { ! popup_geometry >/dev/null; }

# Opens the View or Next-move pop-up with a click on its title (so that no entry is
# highlighted), reads which entry carries the check mark, and closes the pop-up again.
# Prints that entry's command id, 0 when no entry or several are checked. Of the View
# pop-up only the sizes are read: below them stand a separator (9 pixels high on this
# desktop's menu font) and the two options, which have check marks of their own.
menu_checked() {  # view|next
  local -a ids
  local rows separators
  case $1 in
    view) ids=(146 132 133 134 147) rows=7 separators=9 ;;
    next) ids=(136 137 138 139) rows=4 separators=0 ;;
  esac
  local n=${#ids[@]} geo x y w h ih checked found i counts
  xdotool mousemove $(menu_title_xy "$1") click 1
  E2E_WAIT=5 wait_until popup_geometry >/dev/null || { echo 0; return 1; }
  sleep 0.3  # the pop-up is mapped before its items are drawn
  read -r x y w h < <(popup_geometry)
  ih=$(( (h - 6 - separators) / rows ))
  # The check mark column: dark pixels in it, counted per entry.
  checked=-1
  if e2e_ask dark $((x + 4)) $((y + 3)) 12 $((n * ih)) "$ih"; then
    read -r -a counts <<< "$(answer_of dark)"
    found=0
    for i in "${!counts[@]}"; do
      ((counts[i] >= 4)) && { found=$((found + 1)); checked=$i; }
    done
    ((found == 1)) || checked=-1
  fi
  # The first Escape closes the pop-up, the second leaves the menu bar.
  xdotool key Escape
  E2E_WAIT=5 wait_until _no_popup
  xdotool key Escape
  if ((checked >= 0)); then echo "${ids[checked]}"; else echo 0; fi
}

# Fills PROBE_VIEW and PROBE_NEXT from the check marks of the two menus.
read_checks() {
  PROBE_VIEW=$(menu_checked view)
  PROBE_NEXT=$(menu_checked next)
}

# --- Settings in the private prefix -----------------------------------------------------

E2E_KEY='HKCU\Software\Orvenda\Tavune'

# Removes the stored window settings, so that the program starts as on its first run.
forget_settings() { e2e_ask forget || fail "the probe did not remove the stored settings"; }

# The stored REG_DWORD value NAME in decimal, or nothing when it is missing.
setting() { e2e_ask setting "$1" && answer_of setting; }

# --- Keys and dialogs ----------------------------------------------------------------------

# Types keys with a short pause between them, as a user's fingers would.
keys() { xdotool key --delay 80 "$@"; }

# The stones on the board rows given on stdin (as board_rows prints them) that belong to a
# group without a liberty, as "x,y" one per line: none may stand after captures.
groups_without_liberty() {
  awk '{ for (x = 0; x < 19; x++) c[x, NR - 1] = substr($0, x + 1, 1) }
    END {
      for (y = 0; y < 19; y++) for (x = 0; x < 19; x++) {
        if ((c[x, y] != "X" && c[x, y] != "O") || seen[x, y]) continue
        # Flood the group from (x, y), counting the empty neighbours.
        n = 0; top = 0; stack[top++] = x "," y; seen[x, y] = 1; libs = 0
        while (top > 0) {
          split(stack[--top], p, ","); member[n++] = p[1] "," p[2]
          for (d = 0; d < 4; d++) {
            nx = p[1] + (d == 0) - (d == 1); ny = p[2] + (d == 2) - (d == 3)
            if (nx < 0 || ny < 0 || nx > 18 || ny > 18) continue
            if (c[nx, ny] == ".") libs++
            else if (c[nx, ny] == c[x, y] && !seen[nx, ny]) { seen[nx, ny] = 1; stack[top++] = nx "," ny }
          }
        }
        if (libs == 0) for (i = 0; i < n; i++) print member[i]
      }
    }'
}
