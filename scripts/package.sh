#!/usr/bin/env bash
# The release command: installs what is missing, builds tavune.exe, writes
# dist/tavune-<version>-win64.zip (the exe, the Japanese guide, the licence, the
# third-party notices and the sample game) and prints the zip's SHA-256.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

bash scripts/setup.sh
bash scripts/build.sh windows

# Debian's own Python and zlib, so that the zip's bytes do not depend on another install.
zip=$(/usr/bin/python3 scripts/release_zip.py "$root" build/windows/tavune.exe dist)
echo "package: $zip"
echo "SHA-256: $(sha256sum "$zip" | cut -d' ' -f1)"
