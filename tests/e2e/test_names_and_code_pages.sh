#!/usr/bin/env bash
# Records named in any script open from the command line and save under their own names, and
# the program's texts read the same under code pages 932, 1252 and 65001 (Windows' UTF-8
# option). Wine takes a program's code page from the locale's name.
source "$(dirname "$0")/lib.sh" "$1"

save_as() {  # DIALOG_TITLE PATH
  keys alt+f a
  wait_dialog "$1" || fail "no Save As dialog for $2 (screenshot $(keep_screenshot save))"
  type_text "$(winpath "$(dirname "$2")")\\$(basename "$2")"
  keys Return
}

# Under LOCALE, which must give CODE_PAGE, opens RECORD from the command line and writes the
# texts of the version dialog, then of the error box, to texts-CODE_PAGE.
round() {  # LOCALE CODE_PAGE RECORD SAVE_AS_TITLE
  local acp
  acp=$(LANG=$1 LC_ALL=$1 wine reg query 'HKLM\System\CurrentControlSet\Control\Nls\CodePage' /v ACP |
    tr -d '\r' | awk '$1 == "ACP" { print $3 }')
  [ "$acp" = "$2" ] || fail "$1 gives Wine's programs code page '$acp', not $2"
  printf '(;B[pd];W[dp])\n' > "$3"
  forget_settings
  LANG=$1 LC_ALL=$1 e2e_start "$(winpath "$3")" || return 1
  xdotool mousemove $(point_xy 9 9)
  expect_board "code page $2: $(basename "$3") opens from the command line" B pd W dp
  keys alt+slash
  wait_dialog 'バージョン情報' || fail "code page $2: no version dialog"
  echo "$PROBE_DIALOG_TITLE $(dialog_text -1) $(dialog_text 1003) $(dialog_text 1000) $(dialog_text 1001)" \
    > "$E2E_DIR/texts-$2"
  keys Escape
  wait_no_dialog
  mkdir -p "$E2E_DIR/gone"
  save_as "$4" "$E2E_DIR/gone/kifu.sgf"
  wait_until test -s "$E2E_DIR/gone/kifu.sgf" && rm -r "$E2E_DIR/gone"
  keys alt+f s
  wait_dialog 'エラー' || fail "code page $2: no error box after Save into a folder that has gone"
  echo "$PROBE_DIALOG_TITLE $(dialog_text 65535)" >> "$E2E_DIR/texts-$2"
  keys Return
  wait_no_dialog
}

round ja_JP.UTF-8 932 "$E2E_DIR/柯洁对申真谞.sgf" 名前を付けて保存
printf 'バージョン情報 バージョン Tavune 1, 0, 0, 4 Copyright (C) 2026 Orvenda\nエラー ファイルを開けませんでした\n' |
  diff - "$E2E_DIR/texts-932" && pass "code page 932: the version dialog and the error box read right" ||
  fail "code page 932: the texts differ from the expected ones"

# Typed beside its look-alike: é must not become e and cafe.sgf be overwritten.
printf '(;B[aa])' > "$E2E_DIR/cafe.sgf"
save_as 名前を付けて保存 "$E2E_DIR/café.sgf"
printf '(;\r\nB[pd];\r\nW[dp];\r\n)\r\n' > "$E2E_DIR/expected.sgf"
wait_until cmp -s "$E2E_DIR/expected.sgf" "$E2E_DIR/café.sgf" && pass "Save As café.sgf writes café.sgf" ||
  fail "no café.sgf: $(ls "$E2E_DIR")"
[ "$(cat "$E2E_DIR/cafe.sgf")" = '(;B[aa])' ] && pass "and leaves cafe.sgf beside it alone" || fail "cafe.sgf was overwritten"
e2e_stop

# English Windows, and a locale without an ANSI code page (Wine's own dialogs speak English).
for args in "en_US.UTF-8 1252 棋譜.sgf" "hi_IN.UTF-8 65001 신진서.sgf"; do
  read -r locale page record <<< "$args"
  round $locale $page "$E2E_DIR/$record" 'Save As'
  diff "$E2E_DIR/texts-932" "$E2E_DIR/texts-$page" && pass "code page $page: the texts read as under 932" ||
    fail "code page $page: the texts differ from those under 932"
  e2e_stop
done

finish
