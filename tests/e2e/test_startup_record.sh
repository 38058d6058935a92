#!/usr/bin/env bash
# A record named on the command line opens at its last position, in a first-run window.
source "$(dirname "$0")/lib.sh" "$1"

forget_settings

# White's corner stone at 1-一 is captured by black's last move; black moved last.
# A blank in the name makes the command line carry the path in quotes.
record="$E2E_DIR/first game.sgf"
printf '(;GM[1]FF[4]SZ[19]PB[Kuro]PW[Shiro]\n;B[pd];W[aa];B[ba]C[atari]\n;W[dp];B[ab])\n' > "$record"
e2e_start "$(winpath "$record")" || finish

[ "$(trace_count 'Frame::OnShowWindow()\n')" = 1 ] && pass "the main window was shown once" ||
  fail "Frame::OnShowWindow traced $(trace_count 'Frame::OnShowWindow()\n') times"

expect_board "the board shows the position after the last move, the captured stone gone" \
  B pd ba ab W dp

# The last stone is black, so white plays next: "白から交互".
expect_toolbar "the toolbar shows white to play next" 137
read_checks
[ "$PROBE_NEXT" = 137 ] && pass "the Next-move menu checks 白から交互" ||
  fail "the Next-move menu checks $PROBE_NEXT, not 137"
[ "$PROBE_VIEW" = 133 ] && pass "the View menu checks 中" || fail "the View menu checks $PROBE_VIEW, not 133"

# First run: top-left corner of the screen, medium view (32-pixel cells).
[ "$PROBE_MAIN_X $PROBE_MAIN_Y" = "0 0" ] && pass "the window opens at (0, 0)" ||
  fail "the window opens at ($PROBE_MAIN_X, $PROBE_MAIN_Y)"
[ "$PROBE_CLIENT_W x $PROBE_CLIENT_H" = "676 x 640" ] && pass "the client area is (36 + 640) x 640" ||
  fail "the client area is $PROBE_CLIENT_W x $PROBE_CLIENT_H"
geometry="$((PROBE_TOOLBAR_X - PROBE_CLIENT_X)),$((PROBE_TOOLBAR_Y - PROBE_CLIENT_Y)) ${PROBE_TOOLBAR_W}x$PROBE_TOOLBAR_H"
geometry+=" $((PROBE_BOARD_X - PROBE_CLIENT_X)),$((PROBE_BOARD_Y - PROBE_CLIENT_Y)) ${PROBE_BOARD_W}x$PROBE_BOARD_H"
[ "$geometry" = "0,0 36x640 36,0 640x640" ] && pass "the toolbar and the board fill the client area" ||
  fail "toolbar and board stand at $geometry"

# A name that reads as no record is no error: an empty board, black to play.
e2e_stop
e2e_start "$(winpath "$E2E_DIR/missing game.sgf")" || finish
expect_board "a missing record gives an empty board"
expect_toolbar "with black to play" 136

finish
