#!/usr/bin/env bash
# Records named in any script open from the command line and save under their own names, and
# the program's own texts read the same under code pages 932 (Japanese), 1252 (English) and
# 65001 (Windows' UTF-8 option). Wine takes the code page from the locale's name.
source "$(dirname "$0")/lib.sh" "$1"

# Writes the version dialog's title, label and three fields, then the error box's title and
# text, one line each, from a round under LOCALE that opens RECORD (a name in any script).
texts_under() {  # LOCALE CODE_PAGE RECORD
  local locale=$1 page=$2 record=$3 acp save_title=名前を付けて保存
  # Wine's own dialogs speak the locale's language.
  [ "$page" = 932 ] || save_title='Save As'
  acp=$(LANG=$locale LC_ALL=$locale wine reg query 'HKLM\System\CurrentControlSet\Control\Nls\CodePage' /v ACP |
    tr -d '\r' | awk '$1 == "ACP" { print $3 }')
  [ "$acp" = "$page" ] || fail "$locale gives Wine's programs code page '$acp', not $page"
  printf '(;B[pd];W[dp])\n' > "$record"
  forget_settings
  LANG=$locale LC_ALL=$locale e2e_start "$(winpath "$record")" || return 1
  xdotool mousemove $(point_xy 9 9)
  expect_board "code page $page: $(basename "$record") opens from the command line" B pd W dp
  keys alt+slash
  wait_dialog 'バージョン情報' || fail "code page $page: no version dialog (screenshot $(keep_screenshot version))"
  echo "$PROBE_DIALOG_TITLE" "$(dialog_text -1)" "$(dialog_text 1003)" "$(dialog_text 1000)" \
    "$(dialog_text 1001)" > "$E2E_DIR/texts-$page"
  keys Escape
  wait_no_dialog
  # A save path whose folder has gone gives the error box.
  mkdir -p "$E2E_DIR/gone"
  keys alt+f a
  wait_dialog "$save_title" || fail "code page $page: no Save As dialog (screenshot $(keep_screenshot save))"
  type_text "$(winpath "$E2E_DIR/gone")\\kifu.sgf"
  keys Return
  wait_until test -s "$E2E_DIR/gone/kifu.sgf" || fail "code page $page: Save As wrote no gone/kifu.sgf"
  rm -r "$E2E_DIR/gone"
  keys alt+f s
  wait_dialog 'エラー' || fail "code page $page: no error box (screenshot $(keep_screenshot error))"
  echo "$PROBE_DIALOG_TITLE" "$(dialog_text 65535)" >> "$E2E_DIR/texts-$page"
  keys Return
  wait_no_dialog
}

texts_under ja_JP.UTF-8 932 "$E2E_DIR/柯洁对申真谞.sgf"
printf 'バージョン情報 バージョン Tavune 1, 0, 0, 4 Copyright (C) 2026 Orvenda\nエラー ファイルを開けませんでした\n' |
  diff - "$E2E_DIR/texts-932" && pass "code page 932: the version dialog and the error box read right" ||
  fail "code page 932: the texts differ from the expected ones"

# Save As by typing a name with an accent beside its look-alike: best fit must not turn é
# into e and overwrite cafe.sgf.
printf '(;B[aa])' > "$E2E_DIR/cafe.sgf"
keys alt+f a
wait_dialog '名前を付けて保存' || fail "no Save As dialog for café.sgf"
type_text "$(winpath "$E2E_DIR")\\café.sgf"
keys Return
printf '(;\r\nB[pd];\r\nW[dp];\r\n)\r\n' > "$E2E_DIR/expected.sgf"
wait_until cmp -s "$E2E_DIR/expected.sgf" "$E2E_DIR/café.sgf" && pass "Save As café.sgf writes café.sgf" ||
  fail "café.sgf was not written: $(ls "$E2E_DIR")"
[ "$(cat "$E2E_DIR/cafe.sgf")" = '(;B[aa])' ] && pass "and cafe.sgf beside it is untouched" ||
  fail "cafe.sgf now holds $(od -c "$E2E_DIR/cafe.sgf" | head -3)"
e2e_stop

# English Windows, and Windows' UTF-8 option (a locale without an ANSI code page).
for round in "en_US.UTF-8 1252 棋譜.sgf" "hi_IN.UTF-8 65001 신진서.sgf"; do
  read -r locale page record <<< "$round"
  texts_under $locale $page "$E2E_DIR/$record"
  cmp -s "$E2E_DIR/texts-932" "$E2E_DIR/texts-$page" &&
    pass "code page $page: the version dialog and the error box read as under 932" ||
    { fail "code page $page: the texts differ from those under 932:"; diff "$E2E_DIR/texts-932" "$E2E_DIR/texts-$page"; }
  e2e_stop
done

finish
