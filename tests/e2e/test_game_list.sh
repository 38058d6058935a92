#!/usr/bin/env bash
# Main-line reading: turned on from the File menu, a collection opened through the Open
# dialog, its second game chosen with the keyboard, stepped through, branched off and
# saved; turned off and on over the record shown; kept for the next start.
source "$(dirname "$0")/lib.sh" "$1"

forget_settings
list_title='対局を選ぶ'
games="$E2E_DIR/games.sgf"
saved="$E2E_DIR/chosen.sgf"
# The second game forks after white's first move; the other games play elsewhere.
printf '(;GM[1]PB[Iyama]PW[Cho]RE[B+R];B[aa];W[ab])\n(;GM[1]PB[Ke Jie]BR[9p]PW[Shin]DT[2024-05-01]EV[Cup]RE[W+0.5]\n;B[pd];W[dd]\n(;B[pp];W[dp])\n(;B[cc];W[cd]))\n(;GM[1]PB[Park];B[ss])\n' > "$games"
# Waits until the file saved holds the bytes printf makes of FORMAT.
expect_saved() {  # DESCRIPTION FORMAT
  printf "$2" > "$E2E_DIR/expected.sgf"
  wait_until cmp -s "$E2E_DIR/expected.sgf" "$saved" && pass "$1" ||
    fail "$1: chosen.sgf holds $(od -c "$saved" 2>&1 | head -5)"
}
e2e_start || finish
xdotool mousemove $(point_xy 9 9)

keys alt+f h
wait_trace 'Frame::OnCommand(ID_FILE_MAIN_LINE)\n' && pass "Alt+F H turns main-line reading on" ||
  fail "Alt+F H ran no ID_FILE_MAIN_LINE"
keys alt+f o
wait_dialog '開く' || fail "no Open dialog (screenshot $(keep_screenshot open))"
type_text "$(winpath "$games")"
keys Return
wait_dialog "$list_title" && [ "$(dialog_text 1012)" = '3 / 3 局' ] && pass "the list shows the three games" ||
  fail "no list of three games: '$(dialog_text 1012)' (screenshot $(keep_screenshot list))"
# The first game is selected: Down, then Enter opens the second.
keys Down Return
wait_no_dialog || fail "Enter did not close the list (screenshot $(keep_screenshot list))"
expect_board "the second game's main line, at its last move: no other branch, no other game" B pd pp W dd dp

keys Home Right Right
expect_board "Home, then two moves on" B pd W dd
click_point 1 16 16
expect_board "a black stone of the user's at 17-十七" B pd qq W dd
keys alt+f a
wait_dialog '名前を付けて保存' || fail "no Save As dialog (screenshot $(keep_screenshot saveas))"
type_text "$(winpath "$saved")"
keys Return
expect_saved "Save As writes the main line to the branch point, then the user's stone" \
  '(;\r\nB[pd];\r\nW[dd];\r\nB[qq];\r\n)\r\n'

# Turned off, the record is read again whole once the user agrees to lose the stone, and
# Save still writes where Save As did. Turned on again, the list comes back.
keys alt+f h
wait_dialog '本譜だけを読む' && keys y || fail "no question before the stone is lost"
expect_board "off: the whole collection as one line" B aa pd pp cc ss W ab dd dp cd
keys alt+f s
expect_saved "Save rewrites chosen.sgf without asking" \
  '(;\r\nB[aa];\r\nW[ab];\r\nB[pd];\r\nW[dd];\r\nB[pp];\r\nW[dp];\r\nB[cc];\r\nW[cd];\r\nB[ss];\r\n)\r\n'
keys alt+f h
wait_dialog "$list_title" && keys Return || fail "turned on again, no list"
expect_board "the first game" B aa W ab

keys alt+f x
e2e_wait_exit || fail "Alt+F X did not end the program"
[ "$(setting MainLineOnly)" = 1 ] && pass "MainLineOnly is stored as 1" ||
  fail "MainLineOnly is '$(setting MainLineOnly)'"
# The next start shows the list of the collection on its command line; Escape opens nothing.
e2e_start "$(winpath "$games")" || finish
wait_dialog "$list_title" && keys Escape || fail "no list at start-up (screenshot $(keep_screenshot startup))"
wait_no_dialog || fail "Escape did not close the list"
expect_board "a collection on the command line shows the list, whose Escape opens nothing"

finish
