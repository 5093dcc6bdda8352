#!/usr/bin/env bash
# Checks the Debian package the way a player meets it: installs it with apt-get, runs the
# installed game from outside the source tree (its version; under an Xvfb of its own the
# information window, and README.TXT and WHATSNEW.TXT opened from the right-click menu),
# validates the desktop entries and the metainfo, runs lintian (errors fail, warnings are
# listed), then removes the package and requires that none of its files is left.
#
#   bash scripts/check-package.sh [PACKAGE.deb]    # default: build/package/karvan-mirk_*.deb
#
# Screenshots and logs go to build/package/check/. Needs root or sudo (apt-get).
set -euo pipefail
cd "$(dirname "$0")/.."
source_tree=$(pwd)

deb=${1:-}
if [ -z "$deb" ]; then
  deb=$(ls -t build/package/karvan-mirk_*.deb 2>/dev/null | head -n 1 || true)
fi
[ -n "$deb" ] && [ -f "$deb" ] || { echo "check-package: no package; run scripts/package.sh" >&2; exit 2; }
deb=$(realpath "$deb")
package=$(dpkg-deb -f "$deb" Package)
version=$(dpkg-deb -f "$deb" Version)
out="$source_tree/build/package/check"
rm -rf "$out"
mkdir -p "$out"

as_root=()
[ "$(id -u)" -ne 0 ] && as_root=(sudo)
apt_get() {
  # Other users of the machine may hold the dpkg lock for a while: wait for it.
  DEBIAN_FRONTEND=noninteractive "${as_root[@]}" apt-get -o DPkg::Lock::Timeout=600 -y -qq "$@"
}

failures=0
fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}
pass() { echo "ok: $*"; }

work=$(mktemp -d /tmp/karvan-check.XXXXXX)
xvfb_pid=""
game_pid=""
installed=0
cleanup() {
  [ -n "$game_pid" ] && kill "$game_pid" 2>/dev/null || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
  if [ "$installed" -eq 1 ]; then apt_get remove "$package" >/dev/null || true; fi
  rm -rf "$work"
}
trap cleanup EXIT

if dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
  echo "check-package: $package is installed already; remove it first" >&2
  exit 2
fi

# ---------------------------------------------------------------- install
echo "Installing $deb"
apt_get install --no-install-recommends "$deb" >"$out/install.log" 2>&1 ||
  { cat "$out/install.log" >&2; fail "apt-get install"; exit 1; }
installed=1
mapfile -t files < <(dpkg-deb -c "$deb" | awk '$1 !~ /^d/ { sub(/^\./, "", $6); print $6 }')
pass "installed $package $version (${#files[@]} files)"

# Everything below runs from outside the source tree, on the installed files only, with the
# PATH of a player's session (Debian's has /usr/games; root's often lacks it).
cd "$work"
case ":$PATH:" in *:/usr/games:*) ;; *) export PATH="$PATH:/usr/games" ;; esac
program=$(command -v karvan-mirk || true)
[ "$program" = /usr/games/karvan-mirk ] || fail "karvan-mirk on PATH is '$program', not /usr/games/karvan-mirk"

for name in karvan-mirk karvan-edit; do
  answer=$(env -u DISPLAY -u WAYLAND_DISPLAY "$name" --version 2>"$out/version.log" || true)
  if [ "$answer" = "$name $version" ]; then pass "--version: $answer"; else fail "$name --version answered '$answer'"; fi
done

# Every program's icon at every size of the theme, and a scalable one.
for name in karvan-mirk karvan-edit; do
  missing_icons=""
  for size in 16x16 22x22 24x24 32x32 48x48 64x64 128x128 256x256; do
    [ -f "/usr/share/icons/hicolor/$size/apps/$name.png" ] || missing_icons="$missing_icons $size"
  done
  [ -f "/usr/share/icons/hicolor/scalable/apps/$name.svg" ] || missing_icons="$missing_icons scalable"
  [ -z "$missing_icons" ] && pass "$name's icons at every size" || fail "$name's icons missing:$missing_icons"
done

# The level-file type reaches the shared MIME database (shared-mime-info's trigger), so a file
# manager offers the game for a .karvan file.
if grep -q 'application/x-karvan-mirk-level:\*\.karvan' /usr/share/mime/globs2 2>/dev/null; then
  pass "the MIME database knows *.karvan as application/x-karvan-mirk-level"
else
  fail "the MIME database does not know *.karvan"
fi

# ---------------------------------------------------------------- the installed game under Xvfb
# A stand-in xdg-open, first on PATH, logs what the game asks to open.
mkdir -p "$work/bin"
cat >"$work/bin/xdg-open" <<'STANDIN'
#!/bin/sh
echo "$*" >>"$KARVAN_OPEN_LOG"
STANDIN
chmod +x "$work/bin/xdg-open"
export KARVAN_OPEN_LOG="$work/opened.log"
: >"$KARVAN_OPEN_LOG"

# -noreset: a server left with no client resets itself, and a program started in that moment
# cannot connect (the game started right after the previous one was killed).
exec 5>"$work/display"
Xvfb -displayfd 5 -screen 0 1024x768x24 -nolisten tcp -noreset >"$out/xvfb.log" 2>&1 &
xvfb_pid=$!
exec 5>&-
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] || { fail "Xvfb did not start"; exit 1; }
export DISPLAY=":$(cat "$work/display")"

shot() { import -window root "$out/$1.png"; }
# Waits up to 20 s for a visible window whose name matches $1; prints its id.
wait_window() {
  local id=""
  for _ in $(seq 200); do
    id=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | tail -n 1 || true)
    [ -n "$id" ] && break
    sleep 0.1
  done
  echo "$id"
}
# Waits up to 10 s until the log of opened documents has $1 lines.
wait_opened() {
  for _ in $(seq 100); do
    [ "$(wc -l <"$KARVAN_OPEN_LOG")" -ge "$1" ] && return 0
    sleep 0.1
  done
  return 1
}

PATH="$work/bin:$PATH" QT_QPA_PLATFORM=xcb XDG_CURRENT_DESKTOP= karvan-mirk \
  >"$out/game.log" 2>&1 &
game_pid=$!

# The information window: its title, and the size of its form.
intro=$(wait_window "^Karvan Mirk™$")
if [ -n "$intro" ]; then
  eval "$(xdotool getwindowgeometry --shell "$intro")"
  if [ "${WIDTH}x${HEIGHT}" = 426x369 ]; then
    pass "the information window is shown: '$(xdotool getwindowname "$intro")', ${WIDTH}x${HEIGHT}"
  else
    fail "the information window is ${WIDTH}x${HEIGHT}, not 426x369"
  fi
else
  fail "no information window"
fi
sleep 0.5
shot 1-information-window
colours=$(convert "$out/1-information-window.png" -format %k info:)
[ "$colours" -gt 200 ] || fail "the screen shows only $colours colours"

# Play, then the level choice's OK: the device window with level 1.
xdotool key --clearmodifiers Return
sleep 1
shot 2-level-choice
xdotool key --clearmodifiers Return
sleep 1.5
device=$(xdotool search --onlyvisible --pid "$game_pid" 2>/dev/null | head -n 1 || true)
shot 3-level-1
[ -n "$device" ] || fail "no device window"

# The right-click menu: Restart, Load custom level, Info, README.TXT, WHATSNEW.TXT, Quit.
open_from_menu() {  # $1: how many entries down, $2: the screenshot's name
  xdotool mousemove --window "$device" 400 300 click 3
  sleep 0.7
  for _ in $(seq "$1"); do xdotool key Down; sleep 0.1; done
  shot "$2"
  xdotool key Return
}
if [ -n "$device" ]; then
  open_from_menu 4 4-menu-readme
  wait_opened 1 || true
  open_from_menu 5 5-menu-whatsnew
  wait_opened 2 || true
fi
for document in README.TXT WHATSNEW.TXT; do
  if grep -qx "file:///usr/share/karvan-mirk/$document" "$KARVAN_OPEN_LOG"; then
    pass "the menu opened /usr/share/karvan-mirk/$document"
  else
    fail "the menu did not open /usr/share/karvan-mirk/$document (asked: $(tr '\n' ' ' <"$KARVAN_OPEN_LOG"))"
  fi
done
cp "$KARVAN_OPEN_LOG" "$out/opened.log"
kill "$game_pid" 2>/dev/null || true
wait "$game_pid" 2>/dev/null || true
game_pid=""

# ---------------------------------------------------------------- a level file, game and editor
# A level file made here, in a folder whose name is not ASCII: the installed game plays it at once
# (no level choice), and the installed editor opens it.
mkdir -p "$work/уровни"
level="$work/уровни/two screens.karvan"
cat >"$level" <<'LEVEL'
AddRow('5,69,7,4,4,4,4,4,4,4,1,0,0,0,0');
AddRow('1,4,4,4,4,5,4,0,0,1025,1,0,0,0,0');
AddRow('1,0,0,1,0,0,0,0,5,0,1,0,0,0,0');
AddRow('17,0,1,4,36,4,4,4,0,640,1,0,0,0,0');
AddRow('4,4,0,4,4,4,4,4,4,4,1,0,0,0,0');
AddSwitch(9, 3, 2, 4, PosTop);
LEVEL
QT_QPA_PLATFORM=xcb karvan-mirk "$level" >"$out/game-file.log" 2>&1 &
game_pid=$!
intro=$(wait_window "^Karvan Mirk™$")
sleep 0.5
if [ -n "$intro" ]; then xdotool key --clearmodifiers Return; else fail "karvan-mirk FILE: no information window"; fi
sleep 1.5
shot 6-level-file
choice=$(xdotool search --onlyvisible --name "^Choose level$" 2>/dev/null | head -n 1 || true)
device=$(xdotool search --onlyvisible --pid "$game_pid" 2>/dev/null | head -n 1 || true)
if [ -n "$device" ] && [ -z "$choice" ]; then
  pass "karvan-mirk FILE plays the file without the level choice"
else
  fail "karvan-mirk FILE: device window '${device}', level choice '${choice}'"
fi
kill "$game_pid" 2>/dev/null || true
wait "$game_pid" 2>/dev/null || true
game_pid=""

QT_QPA_PLATFORM=xcb karvan-edit "$level" >"$out/editor.log" 2>&1 &
editor_pid=$!
editor=$(wait_window "^two screens.karvan.* - karvan-edit$")
sleep 0.5
shot 7-editor
if [ -n "$editor" ]; then
  pass "the installed editor opened the level: '$(xdotool getwindowname "$editor")'"
else
  fail "the installed editor shows no window for the level"
fi
kill "$editor_pid" 2>/dev/null || true
wait "$editor_pid" 2>/dev/null || true

# ---------------------------------------------------------------- desktop entries, metainfo
desktop_files=()
metainfo_files=()
for file in "${files[@]}"; do
  case "$file" in
    /usr/share/applications/*.desktop) desktop_files+=("$file") ;;
    /usr/share/metainfo/*.xml) metainfo_files+=("$file") ;;
  esac
done
[ ${#desktop_files[@]} -gt 0 ] || fail "the package has no .desktop entry"
[ ${#metainfo_files[@]} -gt 0 ] || fail "the package has no metainfo"
for file in "${desktop_files[@]}"; do
  if desktop-file-validate "$file"; then pass "desktop-file-validate $file"; else fail "desktop-file-validate $file"; fi
done
for file in "${metainfo_files[@]}"; do
  if appstreamcli validate --no-net --pedantic "$file" >"$out/appstream.log" 2>&1; then
    pass "appstreamcli validate $file"
  else
    cat "$out/appstream.log" >&2
    fail "appstreamcli validate $file"
  fi
done

# ---------------------------------------------------------------- lintian
lintian --fail-on error --display-info "$deb" >"$out/lintian.log" 2>&1 && lintian_status=0 || lintian_status=$?
grep -v '^N: ' "$out/lintian.log" | grep -v 'running with root privileges' || true
if [ "$lintian_status" -eq 0 ]; then
  pass "lintian: no errors ($(grep -c '^W: ' "$out/lintian.log" || true) warnings)"
else
  fail "lintian reported errors"
fi

# ---------------------------------------------------------------- removal
apt_get remove "$package" >"$out/remove.log" 2>&1 || fail "apt-get remove"
installed=0
status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
case "$status" in
  "" | "unknown ok not-installed" | "deinstall ok not-installed") pass "removed" ;;
  *) fail "after removal the package is '$status'" ;;
esac
left=0
for file in "${files[@]}"; do
  if [ -e "$file" ] || [ -L "$file" ]; then echo "left behind: $file" >&2; left=$((left + 1)); fi
done
for folder in /usr/share/karvan-mirk /usr/share/doc/"$package"; do
  [ -e "$folder" ] && { echo "left behind: $folder" >&2; left=$((left + 1)); }
done
[ "$left" -eq 0 ] && pass "nothing left under /usr" || fail "$left files left behind"

if [ "$failures" -ne 0 ]; then
  echo "check-package: $failures checks failed; screenshots and logs in $out" >&2
  exit 1
fi
echo "check-package: all checks passed; screenshots in $out"
