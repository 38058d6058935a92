#!/usr/bin/env bash
# Save As a.sgf, Open b.sgf, then Save: Save asks for a name, and a.sgf keeps its game.
source "$(dirname "$0")/lib.sh" "$1"

forget_settings
printf '(;B[pd];W[dp])\n' > "$E2E_DIR/game-a.sgf"
printf '(;B[jj])\n' > "$E2E_DIR/b.sgf"
printf '(;\r\nB[pd];\r\nW[dp];\r\n)\r\n' > "$E2E_DIR/expected.sgf"
e2e_start "$(winpath "$E2E_DIR/game-a.sgf")" || finish
xdotool mousemove $(point_xy 9 9)
keys alt+f a
wait_dialog 名前を付けて保存 || fail "no Save As dialog (screenshot $(keep_screenshot saveas))"
type_text "$(winpath "$E2E_DIR")\\a.sgf"
keys Return
wait_until cmp -s "$E2E_DIR/expected.sgf" "$E2E_DIR/a.sgf" || fail "Save As did not write game A to a.sgf"
keys alt+f o
wait_dialog 開く || fail "no Open dialog (screenshot $(keep_screenshot open))"
type_text "$(winpath "$E2E_DIR/b.sgf")"
keys Return
expect_board "b.sgf opens" B jj

keys alt+f s
if wait_dialog 名前を付けて保存; then
  pass "Save after Open asks for a name"
  keys Escape
  wait_no_dialog || fail "Escape did not close the Save As dialog"
else
  fail "Save after Open showed no Save As dialog (screenshot $(keep_screenshot save))"
fi
cmp -s "$E2E_DIR/expected.sgf" "$E2E_DIR/a.sgf" && pass "a.sgf keeps game A" ||
  fail "a.sgf now holds: $(od -c "$E2E_DIR/a.sgf" | head -3)"
finish
