#!/usr/bin/env bash
# tavune.exe must start on Windows 7: it may import only what Windows 7 has, listed in
# windows7-imports.txt. Calls of later versions are looked up at run time instead.
# Usage: test_windows7_imports.sh TAVUNE_EXE
set -uo pipefail
list=$(dirname "$0")/windows7-imports.txt
imports=$(x86_64-w64-mingw32-objdump -p "$1" |
  awk '/DLL Name:/ { dll = toupper($3); next } dll && NF == 3 && $1 ~ /^[0-9a-f]+$/ { print dll, $3 }' | sort -u)
[ "$(wc -l <<<"$imports")" -gt 50 ] || { echo "FAIL: objdump listed no imports of $1"; exit 1; }
unknown=$(comm -23 <(echo "$imports") <(grep -v '^#' "$list" | sort -u))
if [ -n "$unknown" ]; then
  echo "FAIL: tavune.exe imports what windows7-imports.txt does not list; Windows 7 may lack it:"
  sed 's/^/    /' <<<"$unknown"
  exit 1
fi
echo "ok: all $(wc -l <<<"$imports") imports of tavune.exe are in Windows 7"
