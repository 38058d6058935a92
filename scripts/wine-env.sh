# Sourced by the scripts that run Windows programs: a private Wine prefix under build/,
# the Japanese code page, CJK fonts for Wine's UI fonts, and a display (Xvfb when there
# is none). Safe to source more than once.
root=${root:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}
export WINEPREFIX=${WINEPREFIX:-$root/build/wineprefix}
# No .NET, no Gecko, and no menu entries: winemenubuilder ran at every start of a Wine server.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
export WINEARCH=win64
export LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8
export WINEDEBUG=${WINEDEBUG:--all}

# Starts an Xvfb of its own when no display is given, of the size TAVUNE_SCREEN gives (WxHxDEPTH);
# TAVUNE_XVFB_PID is then set. Xvfb picks a free display itself and names it once it takes
# connections: two tests starting at once never take the same one, and nothing polls.
tavune_ensure_display() {
  if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then return 0; fi
  local dir n=
  dir=$(mktemp -d) && mkfifo "$dir/display" || return 1
  Xvfb -displayfd 3 -screen 0 "${TAVUNE_SCREEN:-1280x1024x24}" -nolisten tcp 3>"$dir/display" >/dev/null 2>&1 &
  TAVUNE_XVFB_PID=$!
  # An Xvfb that fails closes the pipe without a word, which ends the read.
  read -r -t 30 n < "$dir/display"
  rm -rf "$dir"
  if [ -n "$n" ]; then
    export DISPLAY=:$n
    return 0
  fi
  kill "$TAVUNE_XVFB_PID" 2>/dev/null
  echo "wine-env: could not start Xvfb" >&2
  return 1
}

# Creates the prefix once, with the font replacements that show Japanese text. Marks it
# ready only when every step did its part: a prefix left half made by a failed step fails
# here, loudly, until a run makes it whole.
tavune_ensure_prefix() {
  if [ -f "$WINEPREFIX/.tavune-ready" ]; then return 0; fi
  mkdir -p "$WINEPREFIX" || return 1
  # Each step on one server: a step started as the last one's server quit would be lost.
  tavune_new_server || return 1
  local failed=
  wineboot -i >/dev/null 2>&1 || failed="wineboot -i"
  cat > "$WINEPREFIX/fonts.reg" <<'REG'
REGEDIT4

[HKEY_CURRENT_USER\Software\Wine\Fonts\Replacements]
"MS UI Gothic"="IPAPGothic"
"MS Shell Dlg"="IPAPGothic"
"MS Shell Dlg 2"="IPAPGothic"
"Tahoma"="IPAPGothic"
"MS Gothic"="IPAGothic"
"MS PGothic"="IPAPGothic"
"System"="IPAPGothic"
"Segoe UI"="IPAPGothic"
REG
  # regedit's exit code says little: the registry is asked whether the last line arrived.
  [ -n "$failed" ] || { wine regedit "$WINEPREFIX/fonts.reg" >/dev/null 2>&1 &&
    wine reg query 'HKCU\Software\Wine\Fonts\Replacements' /v 'Segoe UI' >/dev/null 2>&1; } ||
    failed="the font replacements (regedit)"
  # Caption buttons are Marlett glyphs; this Wine finds the font only in the prefix.
  [ -n "$failed" ] ||
    cp -f /usr/share/wine/fonts/marlett.ttf "$WINEPREFIX/drive_c/windows/Fonts/" ||
    failed="copying marlett.ttf"
  tavune_new_server --none
  if [ -n "$failed" ]; then
    echo "wine-env: $failed failed: the prefix $WINEPREFIX is not ready" >&2
    return 1
  fi
  touch "$WINEPREFIX/.tavune-ready"
}

# The tests' prefix also makes every window unmanaged. Wine's X11 driver waits up to 2 s for
# a window manager each time a managed window is hidden or destroyed, and under Xvfb none
# answers: a test closing a window paid those 2 s. The run prefix keeps managed windows,
# so that a user's window manager frames and moves them.
tavune_ensure_test_prefix() {
  tavune_ensure_prefix || return 1
  # A test cut off while it staged another display scale left it behind.
  if [ -f "$WINEPREFIX/.tavune-dpi" ]; then tavune_set_dpi 96 || return 1; fi
  if [ -f "$WINEPREFIX/.tavune-unmanaged" ]; then return 0; fi
  tavune_new_server || return 1
  local rc=0
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1 || rc=$?
  tavune_new_server --none
  if ((rc != 0)); then
    echo "wine-env: making the windows of $WINEPREFIX unmanaged failed (wine reg, exit $rc)" >&2
    return 1
  fi
  touch "$WINEPREFIX/.tavune-unmanaged"
}

# Makes $WINEPREFIX a copy of the ready test prefix FROM, in a second where Wine takes ten
# to make one. The DLLs, which Wine writes only when it makes or updates a prefix, are
# linked; the registry and the user folders, which the tests write, are copied. No Wine
# process of FROM may run meanwhile: its server writes the registry as it likes.
tavune_copy_test_prefix() {  # FROM
  local from=$1 making=$WINEPREFIX.making dlls=drive_c/windows/system32
  if [ -f "$WINEPREFIX/.tavune-ready" ] && [ -f "$WINEPREFIX/.tavune-unmanaged" ]; then return 0; fi
  rm -rf "$WINEPREFIX" "$making" && mkdir -p "$making/${dlls%/*}" &&
    tar -C "$from" --exclude="./$dlls" -cf - . | tar -C "$making" -xf - &&
    cp -al "$from/$dlls" "$making/$dlls" && mv "$making" "$WINEPREFIX" || {
    echo "wine-env: could not copy the prefix $from to $WINEPREFIX" >&2
    return 1
  }
}

# Stages the display scale (DPI, 96 for 100 %) that the next program started in the prefix
# sees. Wine reads it from two registry values, which must change while no Wine process
# runs: so the server is ended, and the hive files it has just written are edited in place,
# quicker than any Wine program could. A marker in the prefix tells of any DPI but 96, so
# that the test set-up puts a scale left behind back to 96. Leaves no server running.
tavune_set_dpi() {  # DPI
  local hex
  hex=$(printf '%08x' "$1")
  # Marked before the change, so that no way out leaves an unmarked scale.
  [ "$1" = 96 ] || echo "$1" > "$WINEPREFIX/.tavune-dpi"
  tavune_new_server --none
  _tavune_set_logpixels user.reg 'Control Panel\\Desktop' "$hex" &&
    _tavune_set_logpixels system.reg 'Hardware Profiles\\Current\\Software\\Fonts' "$hex" || {
    echo "wine-env: could not set the display scale of $WINEPREFIX to $1 DPI" >&2
    return 1
  }
  [ "$1" != 96 ] || rm -f "$WINEPREFIX/.tavune-dpi"
}

# Sets "LogPixels"=dword:HEX in the key of the hive file whose path ends in KEY (as the
# file spells it, backslashes doubled), adding the value where the key lacks it. False when
# the file has no such key.
_tavune_set_logpixels() {  # FILE KEY HEX
  local file=$WINEPREFIX/$1
  KEY="$2]" VALUE="\"LogPixels\"=dword:$3" awk '
    function add() { if (here && !done) { print ENVIRON["VALUE"]; done = 1 } }
    /^\[/ { add(); head = substr($0, 1, index($0, "]")); key = ENVIRON["KEY"]
            here = substr(head, length(head) - length(key) + 1) == key; found = found || here }
    here && /^"LogPixels"=/ { print ENVIRON["VALUE"]; done = 1; next }
    here && $0 == "" { add(); here = 0 }
    { print }
    END { add(); exit !found }' "$file" > "$file.tavune" && mv "$file.tavune" "$file" ||
    { rm -f "$file.tavune"; return 1; }
}

# Ends every Wine process of the prefix and its server, then starts a server that stays until
# the next call (none with --none). Debian's wineserver quits the moment its last program ends
# (-p0), and a program started in that moment goes down with it without a word: a winepath or
# reg run just before a test's start, or the test before, took the start with it about once
# in a hundred on a busy machine. A server that stays has no such moment.
# Returns 1, with a message, when no such server could be started.
tavune_new_server() {
  local _ rc
  # On a slot of the test command (scripts/wine-slot.sh) the server, with the system's own
  # processes, stays from entry to entry, and only the programs go: a server's boot cost
  # more than many a test. Exit 2: the slot's server runs already.
  if [ -n "${TAVUNE_LASTING_SERVER:-}" ] && [ "${1:-}" != --none ]; then
    tavune_end_programs
    rc=0
    wineserver -p >/dev/null 2>&1 || rc=$?
    ((rc == 0)) && _tavune_boot
    if ((rc == 0 || rc == 2)); then
      _tavune_center_pointer
      return 0
    fi
  fi
  for _ in 1 2 3 4 5; do
    # -k fails when no server runs; the scripts that source this file may run under set -e.
    wineserver -k 2>/dev/null || true
    # A dying server still writes its registry; the next one must not read it half-way. A
    # program that was starting as the kill came outlives it and keeps the server: killed
    # again.
    for _ in 1 2 3 4 5 6; do
      timeout 5 wineserver -w 2>/dev/null && break
      wineserver -k 2>/dev/null || true
    done
    [ "${1:-}" = --none ] && return 0
    # -p fails (exit 2) when a server runs already: a program of the prefix that was still
    # starting as the last one went has started its own, which quits with its last program.
    # That one is ended too, and a server that stays is started again.
    if wineserver -p >/dev/null 2>&1; then
      [ -n "${TAVUNE_LASTING_SERVER:-}" ] && _tavune_boot
      return 0
    fi
  done
  echo "wine-env: no lasting Wine server for $WINEPREFIX: another server kept starting" >&2
  return 1
}

# Ends what a test entry started in the prefix: on a slot whose server stays, its
# programs; elsewhere the server too.
tavune_end_entry() {
  if [ -n "${TAVUNE_LASTING_SERVER:-}" ]; then
    tavune_end_programs
  else
    tavune_new_server --none
  fi
}

# Ends the Wine programs of the prefix but the system's own processes (services, drivers,
# Plug and Play, RPC), and waits until they are gone. The default desktop goes too: its
# first program started it, and it holds that entry's output open.
tavune_end_programs() {
  local file pid args key state _ pids=()
  for file in $(grep -lzxF "WINEPREFIX=$WINEPREFIX" /proc/[0-9]*/environ 2>/dev/null); do
    pid=${file#/proc/} && pid=${pid%/environ}
    { mapfile -d '' -t args < "/proc/$pid/cmdline"; } 2>/dev/null || continue
    # A Wine program names itself by its .exe; scripts and the server do not.
    [[ ${args[0],,} == *.exe ]] || continue
    case "${args[0],,} ${args[1]:-}" in
      'c:\windows\system32\services.exe '* | 'c:\windows\system32\winedevice.exe '* | \
        'c:\windows\system32\plugplay.exe '* | 'c:\windows\system32\svchost.exe '* | \
        'c:\windows\system32\rpcss.exe '*) continue ;;
    esac
    pids+=("$pid")
  done
  ((${#pids[@]})) || return 0
  kill -KILL "${pids[@]}" 2>/dev/null
  # Gone, or a zombie that its script has yet to reap.
  for _ in $(seq 100); do
    for pid in "${pids[@]}"; do
      state=Z
      [ -r "/proc/$pid/status" ] && while read -r key state _; do
        [ "$key" = State: ] && break
      done < "/proc/$pid/status"
      [ "$state" = Z ] || break
    done
    [ "$state" = Z ] && return 0
    sleep 0.05
  done
  echo "wine-env: programs of $WINEPREFIX outlived KILL: ${pids[*]}" >&2
}

# Starts the system's processes of a new lasting server with nothing of the entry's open:
# started by the entry's first program, they would hold its output open after it ends, and
# ctest waits for that to close.
_tavune_boot() {
  (
    for fd in /proc/$BASHPID/fd/*; do
      fd=${fd##*/}
      ((fd > 2)) && eval "exec $fd>&-"
    done
    exec wine cmd /c exit
  ) </dev/null >/dev/null 2>&1
}

# The pointer where a new Xvfb has it, in the middle of the screen, for a test that finds
# the display that the entry before it used.
_tavune_center_pointer() {
  local size=${TAVUNE_SCREEN:-1280x1024x24}
  local width=${size%%x*} height=${size#*x}
  height=${height%%x*}
  command -v xdotool >/dev/null && xdotool mousemove $((width / 2)) $((height / 2)) 2>/dev/null
  return 0
}

# A Windows name for a file of this machine: drive Z: is the Unix root. Made here, not by
# winepath, a Wine program whose server, quitting, could take the next start with it.
tavune_winpath() {
  local path=$1
  # A plain absolute path is its own real path: no process started for it.
  [[ $path == /* && $path != */ && $path != *//* && $path != */./* && $path != */../* &&
     $path != */. && $path != */.. ]] || path=$(realpath -ms "$1")
  echo "Z:${path//\//\\}"
}
