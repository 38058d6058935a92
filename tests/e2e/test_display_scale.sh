#!/usr/bin/env bash
# At 150 % (144 DPI) the program opens at its scaled size, keeps the toolbar and the whole
# board in its window at each view size, a click lands where the pointer is and the save
# writes the same bytes as at 100 %. Then at 200 % (192 DPI) it opens the saved record.
source "$(dirname "$0")/lib.sh" "$1"

dpi_cleanup() { tavune_set_dpi 96; e2e_cleanup; }
trap dpi_cleanup EXIT
tavune_set_dpi 144 || { fail "could not stage 144 DPI"; finish; }
tavune_new_server

forget_settings
record="$E2E_DIR/two.sgf"
printf '(;GM[1]SZ[19];B[pd];W[dp])\n' > "$record"
e2e_start "$(winpath "$record")" || finish

# The window as the user sees it: the toolbar and every row of the board inside the client area.
geometry() { echo "toolbar ${PROBE_TOOLBAR_W} board ${PROBE_BOARD_W}x$PROBE_BOARD_H client ${PROBE_CLIENT_W}x$PROBE_CLIENT_H"; }
_geometry_is() { e2e_probe && [ "$(geometry)" = "$1" ]; }
expect_geometry() {  # WHAT TOOLBAR CELL
  local side=$((20 * $3)) want
  want="toolbar $2 board ${side}x$side client $(($2 + side))x$side"
  if E2E_WAIT=5 wait_until _geometry_is "$want"; then pass "$1: $want"; else fail "$1: $(geometry), not $want"; fi
}
expect_geometry "the medium view at 150 % has 48-pixel cells" 54 48
expect_board "the record's two stones" B pd W dp

keys alt+v s
expect_geometry "the small view, drawn at 36-pixel cells" 54 36
expect_board "the stones on the drawn board" B pd W dp
keys alt+v a
expect_geometry "the smallest view" 54 24

xdotool mousemove $(point_xy 9 9)
click_point 1 2 16
expect_board "the click placed black at 3-十七" B pd cq W dp
keys alt+f a
wait_dialog '名前を付けて保存' || fail "no Save As dialog (screenshot $(keep_screenshot saveas))"
type_text "$(winpath "$E2E_DIR")\\scaled.sgf"
keys Return
printf '(;\r\nB[pd];\r\nW[dp];\r\nB[cq];\r\n)\r\n' > "$E2E_DIR/expected.sgf"
wait_until cmp -s "$E2E_DIR/expected.sgf" "$E2E_DIR/scaled.sgf" && pass "scaled.sgf holds the three moves, byte for byte" ||
  fail "scaled.sgf holds: $(od -c "$E2E_DIR/scaled.sgf" 2>&1 | head -4)"
keys alt+f x
e2e_wait_exit || fail "Exit did not end the program"

# 200 %: the view size chosen at 150 % is kept; the saved line shows on the board.
tavune_set_dpi 192 || fail "could not stage 192 DPI"
tavune_new_server
e2e_start "$(winpath "$E2E_DIR/scaled.sgf")" || finish
expect_geometry "the smallest view at 200 % has 32-pixel cells" 72 32
expect_board "the saved record opens at 200 %" B pd cq W dp

finish
