#!/usr/bin/env bash
# Replaying with the keys: arrows, Home, End, Delete of a variation; Shift+Right does nothing.
source "$(dirname "$0")/lib.sh" "$1"

forget_settings
record="$E2E_DIR/five.sgf"
printf '(;SZ[19];B[pd];W[dp];B[pp];W[dd];B[fq])\n' > "$record"
e2e_start "$(winpath "$record")" || finish
xdotool mousemove $(point_xy 9 9)

# The main line, position by position.
P0=()
P1=(B pd)
P2=(B pd W dp)
P3=(B pd pp W dp)
P4=(B pd pp W dp dd)
P5=(B pd pp fq W dp dd)
expect_board "the record opens at its end" "${P5[@]}"

nexts() { trace_count 'Frame::OnCommand(ID_LOOK_NEXT)\n'; }

keys Left
expect_board "Left steps back one move" "${P4[@]}"
expect_toolbar "black to play at that position" 136
keys Up
expect_board "Up steps back one move" "${P3[@]}"
expect_toolbar "white to play at that position" 137
keys Down
expect_board "Down steps forward one move" "${P4[@]}"
keys Right
expect_board "Right steps forward one move" "${P5[@]}"
keys Right Left
expect_board "Right at the end stays there: Left then shows the move before" "${P4[@]}"
keys Home
expect_board "Home shows the empty board" "${P0[@]}"
keys Left Right
expect_board "Left at the start stays there: Right then shows the first move" "${P1[@]}"
keys End
expect_board "End goes to the last move" "${P5[@]}"

# Shift+Right must not step: after it, one plain Right moves exactly one position.
keys Home
expect_board "Home again" "${P0[@]}"
before=$(nexts)
keys shift+Right Right
expect_board "Shift+Right then Right: one step, not two" "${P1[@]}"
keys Up
expect_board "(back at the start)" "${P0[@]}"
[ "$(nexts)" = $((before + 1)) ] && pass "Shift+Right was no ID_LOOK_NEXT command" ||
  fail "ID_LOOK_NEXT traced $(($(nexts) - before)) times for Shift+Right and Right"

# A variation after move 3: white at 3-三 instead of 4-四.
keys Right Right Right
expect_board "three steps forward" "${P3[@]}"
click_point 1 2 2
V1=(B pd pp W dp cc)
expect_board "a click there starts a variation" "${V1[@]}"
click_point 1 16 16
V2=(B pd pp qq W dp cc)
expect_board "and a second click extends it" "${V2[@]}"
keys Right Left
expect_board "Right at the variation's end stays there: Left then shows its first move" "${V1[@]}"
keys Home
expect_board "Home leaves the variation for the start" "${P0[@]}"
keys End
expect_board "End follows the variation" "${V2[@]}"
keys Home Right Right Right
expect_board "from the start, Right follows the main line up to the branch" "${P3[@]}"
keys Right
expect_board "then Right enters the variation" "${V1[@]}"
keys Left
expect_board "Left from the variation's first move returns to the branch" "${P3[@]}"

# Delete inside the variation drops it and returns to the branch point.
keys End Delete
expect_board "Delete in the variation returns to the branch point" "${P3[@]}"
keys Right
expect_board "after Delete, Right follows the main line again" "${P4[@]}"
keys End
expect_board "and End reaches the record's last move" "${P5[@]}"

# Delete on the main line drops the variation and leaves the board as it is.
keys Left Left
expect_board "back to the branch point" "${P3[@]}"
click_point 1 2 2
expect_board "a new variation" "${V1[@]}"
keys Left Delete
wait_trace 'Frame::OnCommand(ID_LOOK_DEL)\n' 2
keys End
expect_board "Delete on the main line dropped the variation: End reaches the record's end" "${P5[@]}"

# A mode chosen in the Next-move menu belongs to its position: it is still there after a
# step back and forward, and the next stone follows it.
keys alt+n g
wait_trace 'Frame::OnCommand(ID_NEXT_BLACK_MANY)\n' || fail "Alt+N G ran no ID_NEXT_BLACK_MANY"
expect_toolbar "Alt+N G: the toolbar shows 黒を連打" 138
keys Left
expect_toolbar "the position before shows its own mode" 136
keys Right
expect_toolbar "back at the end, 黒を連打 is still chosen" 138
[ "$(menu_checked next)" = 138 ] && pass "and the Next-move menu checks it" || fail "the Next-move menu checks $(menu_checked next)"
click_point 1 18 18
click_point 1 17 18
expect_board "two black stones in a row" "${P5[@]}" B ss rs

for t in ID_LOOK_NEXT ID_LOOK_BACK ID_LOOK_HOME ID_LOOK_END ID_LOOK_DEL; do
  has_trace "Frame::OnCommand($t)\\n" || fail "no Frame::OnCommand($t) traced"
done

finish
