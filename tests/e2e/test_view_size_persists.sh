#!/usr/bin/env bash
# View sizes from the keyboard resize the window in place; the size and the place survive a
# restart through the registry; Exit ends the program cleanly.
source "$(dirname "$0")/lib.sh" "$1"

forget_settings
e2e_start_reporting_exit || finish
xdotool mousemove $(point_xy 9 9)
click_point 1 3 3
expect_board "a black stone to see at every size" B dd

geometry() { echo "$PROBE_MAIN_X,$PROBE_MAIN_Y client ${PROBE_CLIENT_W}x$PROBE_CLIENT_H board ${PROBE_BOARD_W}x$PROBE_BOARD_H"; }
_geometry_is() { e2e_probe && [ "$(geometry)" = "$1" ]; }

# Chooses a size with 表示(V) and its mnemonic; judges the window, the board and the stone.
choose_view() {  # LETTER TRACE_NAME CELL X Y
  local c=$3 want n
  want="$4,$5 client $((36 + 20 * c))x$((20 * c)) board $((20 * c))x$((20 * c))"
  n=$(trace_count "Frame::OnCommand($2)\\n")
  keys alt+v "$1"
  wait_trace "Frame::OnCommand($2)\\n" $((n + 1)) || fail "Alt+V $1 traced no $2"
  if E2E_WAIT=5 wait_until _geometry_is "$want"; then
    pass "$2: the window keeps its corner, the board has $c-pixel cells"
  else
    fail "$2: the window is $(geometry), not $want"
  fi
  expect_board "$2: the stone is drawn at its point" B dd
}

choose_view l ID_VIEW_LARGE 40 0 0
choose_view s ID_VIEW_SMALL 24 0 0
choose_view a ID_VIEW_SMALL_VERY 16 0 0
choose_view m ID_VIEW_MIDDLE 32 0 0

# Only the View commands size the window: neither its border nor a double click on the caption.
corner="$((PROBE_MAIN_X + PROBE_MAIN_W - 2)) $((PROBE_MAIN_Y + PROBE_MAIN_H - 2))"
xdotool mousemove $corner mousedown 1 mousemove 900 900 mouseup 1
xdotool mousemove $((PROBE_MAIN_X + 200)) $((PROBE_MAIN_Y + 10)) click --repeat 2 1
# A traced key after them: once it is handled, so are the mouse actions before it.
xdotool mousemove $(point_xy 9 9)
keys End
wait_trace 'Frame::OnCommand(ID_LOOK_END)\n'
e2e_probe
[ "$(geometry)" = "0,0 client 676x640 board 640x640" ] && pass "the border and the caption do not resize the window" ||
  fail "after a border drag and a caption double click the window is $(geometry)"

# Drag the window by its caption to (100, 30), then the largest view.
read -r x y < <(echo "$((PROBE_MAIN_X + 200)) $((PROBE_MAIN_Y + 10))")
# One motion, and each step once Wine has taken the one before: under load, a motion
# queued before Wine had moved the window kept client coordinates of the old place, and
# the window went half as far again (150, 45) or twice as far (200, 60).
xdotool mousemove "$x" "$y" mousedown 1
sleep 0.5
xdotool mousemove $((x + 100)) $((y + 30))
sleep 0.5
xdotool mouseup 1
E2E_WAIT=5 wait_until _geometry_is "100,30 client 676x640 board 640x640" &&
  pass "the window can be dragged by its caption" || fail "the dragged window stands at $(geometry)"
choose_view g ID_VIEW_LARGE_VERY 48 100 30
# The size in force, chosen again, leaves the window as it is.
choose_view g ID_VIEW_LARGE_VERY 48 100 30
read_checks
[ "$PROBE_VIEW" = 146 ] && pass "the View menu checks 最大" || fail "the View menu checks $PROBE_VIEW, not 146"

# ファイル(F) → アプリケーションの終了(X).
xdotool mousemove $(point_xy 9 9)
keys alt+f x
if e2e_wait_exit; then pass "Exit ends the program"; else fail "the program still runs after Exit"; fi
[ "$(exit_code)" = 0 ] && pass "with exit code 0" || fail "exit code '$(exit_code)'"
order=$(traces | grep -E '^Frame::(OnCommandExit|OnClose|OnDestroy)\(\)' | tr -d '\n')
[ "$order" = 'Frame::OnCommandExit()\nFrame::OnClose()\nFrame::OnDestroy()\n' ] &&
  pass "Exit, close and destroy traced once each, in order" || fail "closing traced: $order"

stored="$(setting WindowLeft) $(setting WindowTop) $(setting WindowSize)"
[ "$stored" = "100 30 146" ] && pass "the registry holds left 100, top 30, size 146" ||
  fail "the registry holds '$stored'"

# The next start opens where the last one closed, in the largest view.
e2e_start || finish
[ "$(geometry)" = "100,30 client 996x960 board 960x960" ] && pass "the restarted window opens at (100, 30) at 最大" ||
  fail "the restarted window is $(geometry)"
read_checks
[ "$PROBE_VIEW" = 146 ] && pass "the View menu checks 最大 after the restart" ||
  fail "after the restart the View menu checks $PROBE_VIEW"

finish
