#!/usr/bin/env bash
# A variation placed with the mouse, saved with Save As and Save: the exact bytes written.
source "$(dirname "$0")/lib.sh" "$1"

forget_settings
record="$E2E_DIR/three.sgf"
printf '(;GM[1]SZ[19]PB[Kuro]PW[Shiro];B[pd];W[dp];B[pp]C[a move to replace])\n' > "$record"
e2e_start "$(winpath "$record")" || finish
xdotool mousemove $(point_xy 9 9)
save_title='名前を付けて保存'
saved="$E2E_DIR/branch.sgf"

# Save before any Save As asks for a name; cancelling writes nothing.
keys alt+f s
wait_trace 'Frame::OnCommandFileSave()\n' || fail "Alt+F S ran no Save command"
if wait_dialog "$save_title"; then
  pass "Save without a name opens the Save As dialog"
  [ -z "$(dialog_text 1148 Edit)" ] && pass "with an empty file name" ||
    fail "the file name field holds '$(dialog_text 1148 Edit)'"
  keys Escape
  wait_no_dialog || fail "Escape did not close the Save As dialog"
else
  fail "no Save As dialog after Save (screenshot $(keep_screenshot save))"
fi

# Back one move, then black's third move elsewhere, a removal and a white stone.
keys Left
expect_board "one move back" B pd W dp
click_point 1 3 3
click_point 3 15 3
click_point 1 16 16
expect_board "the variation: black at 4-四, 16-四 taken off, white at 17-十七" B dd W dp qq
keys Home
expect_board "Home before saving: the cursor's place does not matter" 

# Save As with a name typed without extension: the dialog adds ".sgf".
keys alt+f a
wait_trace 'Frame::OnCommandFileSaveAs()\n' 2 || fail "Alt+F A ran no Save As command"
wait_dialog "$save_title" || fail "no Save As dialog (screenshot $(keep_screenshot saveas))"
type_text "$(winpath "$E2E_DIR")\\branch"
keys Return
wait_no_dialog || fail "the Save As dialog stayed open (screenshot $(keep_screenshot saveas))"
expected="$E2E_DIR/expected.sgf"
printf '(;\r\nB[pd];\r\nW[dp];\r\nB[dd];\r\nE[pd];\r\nW[qq];\r\n)\r\n' > "$expected"
if wait_until cmp -s "$expected" "$saved"; then
  pass "branch.sgf holds the line through the variation, byte for byte"
else
  fail "branch.sgf differs from the expected bytes:"
  od -c "$saved" 2>&1 | sed 's/^/    /'
fi

# Save now writes to the same file without a dialog; the new stone is white's reply.
keys End
expect_board "End shows the variation's last move" B dd W dp qq
click_point 1 2 2
expect_board "one more stone, black" B dd cc W dp qq
keys alt+f s
wait_trace 'Frame::OnCommandFileSave()\n' 2 || fail "the second Save was not traced"
printf '(;\r\nB[pd];\r\nW[dp];\r\nB[dd];\r\nE[pd];\r\nW[qq];\r\nB[cc];\r\n)\r\n' > "$expected"
wait_until cmp -s "$expected" "$saved" && pass "Save rewrote branch.sgf with the new move" ||
  fail "after Save, branch.sgf holds: $(od -c "$saved" | head -5)"
[ "$(trace_count 'Frame::OnCommandFileSaveAs()\n')" = 2 ] && pass "Save asked for no name" ||
  fail "Save ran Save As again"

# Save As proposes the name of the last Save As; cancelling it leaves the file alone.
keys alt+f a
if wait_dialog "$save_title"; then
  case $(dialog_text 1148 Edit) in
    *branch.sgf) pass "Save As proposes branch.sgf" ;;
    *) fail "Save As proposes '$(dialog_text 1148 Edit)'" ;;
  esac
  keys Escape
  wait_no_dialog || fail "Escape did not close the Save As dialog"
else
  fail "no second Save As dialog"
fi
cmp -s "$expected" "$saved" && pass "the cancelled Save As left the file as it was" || fail "a cancelled Save As changed the file"

# A save path whose folder has gone: the one message box of the program, and no file.
mkdir "$E2E_DIR/gone"
keys alt+f a
wait_dialog "$save_title" || fail "no Save As dialog for the folder that will go"
type_text "$(winpath "$E2E_DIR/gone")\\kifu.sgf"
keys Return
wait_until test -s "$E2E_DIR/gone/kifu.sgf" || fail "Save As wrote no gone/kifu.sgf"
rm -r "$E2E_DIR/gone"
keys alt+f s
if wait_dialog 'エラー'; then
  [ "$(dialog_text 65535)" = 'ファイルを開けませんでした' ] && pass "Save into a vanished folder reports ファイルを開けませんでした" ||
    fail "the error box says '$(dialog_text 65535)'"
  keys Return
  wait_no_dialog && pass "Enter dismisses the error box" || fail "the error box stays after Enter"
else
  fail "no error box after Save into a vanished folder (screenshot $(keep_screenshot error))"
fi
[ ! -e "$E2E_DIR/gone" ] && pass "and nothing was created" || fail "the failed save created $(ls -R "$E2E_DIR/gone")"

# The shipped game, read and written again: every move, in order, one line each.
e2e_stop
game="$root/docs/games/gnugo-selfplay.sgf"
e2e_start "$(winpath "$game")" || finish
xdotool mousemove $(point_xy 9 9)
shown=$(board_rows)
grep -q '[^.XO]' <<< "$shown" && fail "some points of the shipped game read as neither stone nor empty:" && echo "$shown"
[ "$(tr -cd 'XO' <<< "$shown" | wc -c)" -gt 150 ] && pass "the shipped game fills the board with stones" ||
  fail "the shipped game shows only $(tr -cd 'XO' <<< "$shown" | wc -c) stones (screenshot $(keep_screenshot shipped))"
# After 243 moves with captures, no group on the screen may be left without a liberty.
dead=$(groups_without_liberty <<< "$shown" | tr '\n' ' ')
[ -z "$dead" ] && pass "every group of the shipped game's last position has a liberty" ||
  fail "groups without a liberty stand at $dead"
keys alt+f a
wait_dialog "$save_title" || fail "no Save As dialog for the shipped game"
type_text "$(winpath "$E2E_DIR")\\selfplay.sgf"
keys Return
{ printf '(;\r\n'; tr -d '\r\n' < "$game" | grep -o ';[BW]\[[a-s][a-s]\]' | sed 's/^;\(.*\)$/\1;\r/'; printf ')\r\n'; } > "$expected"
moves=$(grep -c '^[BW]' "$expected")
if wait_until cmp -s "$expected" "$E2E_DIR/selfplay.sgf"; then
  pass "the shipped game of $moves moves is written back move for move"
else
  fail "the shipped game comes back different: $(diff <(tr -d '\r' < "$expected") <(tr -d '\r' < "$E2E_DIR/selfplay.sgf") | head -5)"
fi

finish
