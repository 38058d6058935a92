#!/usr/bin/env bash
# The information pane: Ctrl+I turns it on, a Shift-JIS record opened through the Open dialog
# fills it, and with the comment box clicked the keys still step, as a screen reader reads.
source "$(dirname "$0")/lib.sh" "$1"

forget_settings
# No CA; trail bytes 0x5C and 0x5D in the names (余 十 表) and the comments (評 転).
record="$E2E_DIR/pane.sgf"
iconv -f UTF-8 -t CP932 > "$record" <<'EOF'
(;PB[余正麒]BR[十段]PW[表]GC[架空の対局]
;B[pd]C[評価は互角];W[dd];B[pp]C[転換点])
EOF
e2e_start || finish
width=$PROBE_CLIENT_W
keys ctrl+i
wait_trace 'Frame::OnCommand(ID_VIEW_INFO_PANE)\n' && e2e_probe
((PROBE_PANE_W > 0 && PROBE_CLIENT_W == width + PROBE_PANE_W)) && pass "Ctrl+I widens the window by the pane" ||
  fail "the client area is $PROBE_CLIENT_W wide with a pane of ${PROBE_PANE_W:-0}, $width before"
open_by_dialog "$record"

_pane_is() { e2e_probe && [ "$(pane_box 1020)|$(pane_box 1022)" = "$1|$2" ]; }
expect_pane() {  # DESCRIPTION MOVE COMMENTS
  E2E_WAIT=$(_look_wait) wait_until _pane_is "$2" "$3" && { pass "$1"; return 0; }
  fail "$1: the pane shows '$(pane_box 1020)' and '$(pane_box 1022)'"
}
expect_pane "the record opens at its end" "3手目 / 全3手" '架空の対局\n\n転換点'

# A click on the comment box's first line gives it the focus; the keys go on stepping.
read -r x y _ < <(pane_box 1022 rect)
xdotool mousemove $((x + 6)) $((y + 6)) click 1
keys Left
expect_pane "Left steps back" "2手目 / 全3手" '架空の対局'
[ "$PROBE_FOCUS" = 1022 ] && pass "the comment box has the focus" || fail "the focus is on control $PROBE_FOCUS"
keys Up
expect_pane "Up steps back" "1手目 / 全3手" '架空の対局\n\n評価は互角'
keys Home
expect_pane "Home goes to the start" "0手目 / 全3手" '架空の対局'
keys End
expect_pane "End goes to the end" "3手目 / 全3手" '架空の対局\n\n転換点'
backs=$(trace_count 'Frame::OnCommand(ID_LOOK_BACK)\n')
keys shift+Left shift+Up Right
wait_trace 'Frame::OnCommand(ID_LOOK_NEXT)\n' && e2e_probe
[ "$(trace_count 'Frame::OnCommand(ID_LOOK_BACK)\n')" = "$backs" ] && [ "$PROBE_FOCUS" = 1022 ] &&
  pass "Shift+arrows select in the box and step nothing" || fail "Shift+arrows stepped, or the focus left the box"

keys ctrl+i
E2E_WAIT=5 wait_until eval 'e2e_probe && [ "$PROBE_CLIENT_W" = "$width" ]' &&
  pass "Ctrl+I again takes the pane away" || fail "the client area is $PROBE_CLIENT_W wide, not $width"
finish
