#!/usr/bin/env bash
# Stones entered with the mouse: alternating colours, removal, the toolbar's colour, captures.
source "$(dirname "$0")/lib.sh" "$1"

forget_settings
e2e_start || finish
expect_board "a start without a record shows an empty board" 
expect_toolbar "black plays first" 136

ups() { trace_count 'ChildGoban::OnLButtonUp()\n'; }
click_toolbar() {  # button 0..3, top to bottom
  xdotool mousemove $((PROBE_TOOLBAR_X + 18)) $((PROBE_TOOLBAR_Y + 18 + 34 * $1)) click 1
}

# Left clicks alternate black and white.
click_point 1 3 3
click_point 1 15 15
click_point 1 15 3
expect_board "three left clicks place black, white, black" B dd pd W pp
[ "$(ups)" = 3 ] && pass "each release is traced" || fail "$(ups) left releases traced, not 3"
expect_toolbar "white is next after black's stone" 137

# A click on an occupied point or on the row labels places nothing: the boards below show
# no stone of theirs, and the turn is still white's.
click_point 1 3 3
click_point 1 -1 5
wait_trace 'ChildGoban::OnLButtonUp()\n' 5 && pass "clicks on a stone and on a label reach the board" ||
  fail "$(ups) left releases traced, not 5"

# A right click takes a stone off and leaves the turn alone: white is still next.
click_point 3 15 15
wait_trace 'ChildGoban::OnRButtonUp()\n'
expect_board "a right click removes the white stone, and the clicks before placed nothing" B dd pd
click_point 1 2 16
expect_board "after the removal the next stone is white" B dd pd W cq

# The toolbar's "白を連打" button: white every time.
click_toolbar 3
wait_trace 'ChildToolbar::OnLButtonUp()\n'
has_trace 'ChildToolbar::OnLButtonDown()\n' && pass "the toolbar traces the press" ||
  fail "no ChildToolbar::OnLButtonDown traced"
expect_toolbar "the toolbar shows 白を連打 pressed" 139
click_point 1 9 9
click_point 1 10 10
expect_board "two clicks after it both place white" B dd pd W cq jj kk
read_checks
[ "$PROBE_NEXT" = 139 ] && pass "the Next-move menu follows the toolbar" ||
  fail "the Next-move menu checks $PROBE_NEXT, not 139"

# Captures: black stones in the corner, then white closes their last liberties.
click_toolbar 2
expect_toolbar "the toolbar shows 黒を連打 pressed" 138
click_point 1 0 0
click_point 1 0 1
expect_board "black every time" B dd pd aa ab W cq jj kk
click_toolbar 3
click_point 1 1 0
click_point 1 1 1
expect_board "white surrounds the two black stones" B dd pd aa ab W cq jj kk ba bb
click_point 1 0 2
expect_board "the last liberty taken, both black stones leave the board" B dd pd W cq jj kk ba bb ac
# A single stone, far from the first capture: white at 16-四's neighbours.
click_point 1 14 3
click_point 1 16 3
click_point 1 15 2
click_point 1 15 4
expect_board "a lone black stone surrounded on four sides is captured" \
  B dd W cq jj kk ba bb ac od qd pc pe

[ "$(trace_count 'ChildToolbar::OnLButtonUp()\n')" = 3 ] && pass "three toolbar clicks traced" ||
  fail "$(trace_count 'ChildToolbar::OnLButtonUp()\n') toolbar releases traced, not 3"

# A press on a button and a release below every button keeps the mode of the press's start.
x=$((PROBE_TOOLBAR_X + 18))
xdotool mousemove $x $((PROBE_TOOLBAR_Y + 52)) mousedown 1
expect_toolbar "pressing 白から交互 shows it pressed" 137
xdotool mousemove $x $((PROBE_TOOLBAR_Y + 100)) mousemove $x $((PROBE_TOOLBAR_Y + 150))
expect_toolbar "dragged off the buttons, the mode at the press shows again" 139
xdotool mouseup 1
wait_trace 'ChildToolbar::OnLButtonUp()\n' 4
click_point 1 18 18
expect_board "released off the buttons: white every time still" B dd W cq jj kk ba bb ac od qd pc pe ss
# Dragged from one button onto another, the release picks the second.
xdotool mousemove $x $((PROBE_TOOLBAR_Y + 18)) mousedown 1 mousemove $x $((PROBE_TOOLBAR_Y + 60)) \
  mousemove $x $((PROBE_TOOLBAR_Y + 86)) mouseup 1
expect_toolbar "dragged from 黒から交互 to 黒を連打, the release selects 黒を連打" 138
click_point 1 18 0
click_point 1 0 18
expect_board "black every time" B dd sa as W cq jj kk ba bb ac od qd pc pe ss

finish
