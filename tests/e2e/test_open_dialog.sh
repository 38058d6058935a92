#!/usr/bin/env bash
# Opening records through the Open dialog, reached with the keyboard and fed a typed path.
source "$(dirname "$0")/lib.sh" "$1"

forget_settings
e2e_start || finish
xdotool mousemove $(point_xy 9 9)

# Without a record: one empty position, black to play.
expect_board "a start without a record shows an empty board"
expect_toolbar "the toolbar shows 黒から交互" 136
read_checks
[ "$PROBE_NEXT $PROBE_VIEW" = "136 133" ] && pass "the menus check 黒から交互 and 中" ||
  fail "the menus check $PROBE_NEXT and $PROBE_VIEW, not 136 and 133"

# A Panda Net record; white moved last, so black is next. Rows count from the top.
ugf="$E2E_DIR/panda.ugf"
printf '[Header]\r\nLang=JP\r\n[Data]\r\nQD,B1,1,0\r\nDD,W2,2,0\r\nQP,B3,3,0\r\nCP,W4,4,0\r\n' > "$ugf"
open_by_dialog "$ugf"
expect_board "the UGF record opens at its last move" B qd qp W dd cp
expect_toolbar "black is next after white's last move" 136

# An SGF record whose full path is longer than 100 characters.
dir="$E2E_DIR/records-of-the-autumn-tournament/round-three-main-hall-board-one/with-comments-by-the-players"
mkdir -p "$dir"
sgf="$dir/kifu.sgf"
printf '(;GM[1]SZ[19];B[jj];W[jk];B[kk])\n' > "$sgf"
[ "$(winpath "$sgf" | wc -c)" -gt 120 ] || fail "the long path is not long: $(winpath "$sgf")"
open_by_dialog "$sgf"
expect_board "a record with a path of over 100 characters opens" B jj kk W jk
expect_toolbar "white is next after black's last move" 137

# A cancelled dialog changes nothing: the next step back proves the record is still there.
keys alt+f o
wait_dialog '開く' && keys Escape
wait_no_dialog || fail "Escape did not close the Open dialog"
keys Left
expect_board "after a cancelled Open the record is unchanged" B jj W jk

# ファイル(F) → 新規(N): an empty board, black to play.
keys alt+f n
wait_trace 'Frame::OnCommand(ID_FILE_NEW)\n' && pass "Alt+F N runs New" || fail "no ID_FILE_NEW traced"
expect_board "New empties the board"
expect_toolbar "and black plays first" 136

finish
