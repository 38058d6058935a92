#!/usr/bin/env bash
# The version dialog: Alt+"/" and Alt+"?" open it, Enter and Escape close it, each traced.
source "$(dirname "$0")/lib.sh" "$1"

forget_settings
record="$E2E_DIR/two.sgf"
printf '(;B[pd];W[dp])\n' > "$record"
e2e_start "$(winpath "$record")" || finish
xdotool mousemove $(point_xy 9 9)

keys alt+slash
wait_trace 'Frame::OnCommandAbout()\n' && pass "Alt+/ runs the version command" ||
  fail "no Frame::OnCommandAbout traced after Alt+/"
if wait_dialog 'バージョン情報'; then
  pass "the dialog バージョン情報 opens over the main window"
  screenshot "$E2E_DIR/version-dialog.png"
  [ "$(dialog_text 1003)" = Tavune ] && pass "it shows the product name" ||
    fail "product name field holds '$(dialog_text 1003)'"
  [ "$(dialog_text 1000)" = "1, 0, 0, 4" ] && pass "it shows the version 1, 0, 0, 4" ||
    fail "version field holds '$(dialog_text 1000)'"
  [ -n "$(dialog_text 1001)" ] && pass "it shows the legal notice: $(dialog_text 1001)" ||
    fail "the legal notice field is empty"
  [ "$(dialog_text -1)" = "バージョン" ] && pass "it shows the label バージョン" ||
    fail "the label reads '$(dialog_text -1)'"
else
  fail "no version dialog appeared (screenshot $(keep_screenshot no-dialog))"
fi

# The dialog's own loop translates no accelerators: an arrow key does not step the record.
keys Left
keys Return
wait_trace 'Frame::OnCommandAbout(IDOK)\n' && pass "Enter closes it with IDOK" ||
  fail "no Frame::OnCommandAbout(IDOK) traced after Enter"
wait_no_dialog && pass "the dialog is gone" || fail "the dialog is still open after Enter"
has_trace 'Frame::OnCommand(ID_LOOK_BACK)\n' && fail "Left stepped the record while the dialog was open" ||
  pass "Left in the dialog did not step the record"
expect_board "the board is unchanged" B pd W dp

keys alt+question
wait_trace 'Frame::OnCommandAbout()\n' 2 && pass "Alt+? runs the version command" ||
  fail "no second Frame::OnCommandAbout traced after Alt+?"
wait_dialog 'バージョン情報' && pass "the dialog opens again" || fail "no version dialog after Alt+?"
keys Escape
wait_trace 'Frame::OnCommandAbout(IDCANCEL)\n' && pass "Escape closes it with IDCANCEL" ||
  fail "no Frame::OnCommandAbout(IDCANCEL) traced after Escape"
wait_no_dialog && pass "the dialog is gone" || fail "the dialog is still open after Escape"

# The main window takes keys again.
keys Left
expect_board "after the dialog, Left steps back again" B pd
[ "$(trace_count 'Frame::OnCommandAbout(IDOK)\n') $(trace_count 'Frame::OnCommandAbout(IDCANCEL)\n')" = "1 1" ] &&
  pass "one result traced per showing" || fail "results traced: $(traces | grep 'OnCommandAbout(' | tr '\n' ' ')"

finish
