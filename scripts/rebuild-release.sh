#!/usr/bin/env bash
# The release's second build, which release.reproducible compares with the first: tavune.exe
# built again from a fresh clone of this tree (with what is not yet committed), in other
# folders, under another umask and time zone. The test command makes it in its build stage,
# beside the three trees; the test makes it itself when the one it finds is of other sources.
# Usage: scripts/rebuild-release.sh DIR           (DIR/src, DIR/build/tavune.exe, DIR/sources)
#        scripts/rebuild-release.sh --sources     (prints what the sources are now)
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

# The commit, and a hash of every change and untracked file on top of it.
sources() {
  git -C "$root" rev-parse HEAD &&
    { git -C "$root" diff HEAD --binary &&
      git -C "$root" ls-files -z -o --exclude-standard | (cd "$root" && tar --null -T - -cf - --mtime=@0 --owner=0 --group=0); } |
    sha256sum | cut -d' ' -f1
}
if [ "${1:-}" = --sources ]; then sources; exit; fi

dir=$1
state=$(sources) || exit 1
[ "$(cat "$dir/sources" 2>/dev/null)" = "$state" ] && [ -f "$dir/build/tavune.exe" ] && exit 0
rm -rf "$dir" && mkdir -p "$dir" || exit 1
# The make that runs this script may give it a pool of jobs; alone it takes every core.
jobs=()
[[ ${MAKEFLAGS:-} == *jobserver* ]] || jobs=(-j "$(nproc)")
(umask 077 && export TZ=XYZ-14 && git clone -q "$root" "$dir/src" &&
  git -C "$root" diff HEAD --binary | git -C "$dir/src" apply --allow-empty &&
  git -C "$root" ls-files -z -o --exclude-standard | (cd "$root" && tar --null -T - -cf -) | tar -xf - -C "$dir/src" &&
  cmake -S "$dir/src" -B "$dir/build" -DCMAKE_TOOLCHAIN_FILE="$dir/src/cmake/mingw-w64-x86_64.cmake" \
    -DCMAKE_BUILD_TYPE=Release >/dev/null && cmake --build "$dir/build" --target tavune "${jobs[@]}" >/dev/null) ||
  { echo "rebuild-release: the second build did not finish" >&2; exit 1; }
# Written last, as they were at the start: a build cut short leaves no claim to them.
echo "$state" > "$dir/sources"
