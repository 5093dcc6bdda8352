#!/usr/bin/env bash
# The desktop game's processor use while it waits for input on a level, under an Xvfb of its
# own: plays into level N from the level choice, lets it settle, then counts the game's CPU time
# over SECONDS of standing still.
#   bash scripts/idle-cpu.sh [GAME] [LEVEL] [SECONDS] [SHOT.png]
set -euo pipefail
game=${1:-build/desktop/karvan-mirk}
level=${2:-1}
seconds=${3:-10}
shot=${4:-}
display=:$((90 + RANDOM % 9))
Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
game_pid=""
cleanup() {
  [ -n "$game_pid" ] && kill "$game_pid" 2>/dev/null || true
  kill "$xvfb" 2>/dev/null || true
}
trap cleanup EXIT
export DISPLAY=$display QT_QPA_PLATFORM=xcb XDG_CURRENT_DESKTOP=
sleep 1
"$game" >/dev/null 2>&1 &
game_pid=$!
sleep 2
xdotool key --clearmodifiers Return # the information window's Play
sleep 1
for _ in $(seq $((level - 1))); do xdotool key Down; sleep 0.05; done
xdotool key --clearmodifiers Return # the level choice's OK
sleep 3
[ -n "$shot" ] && import -window root "$shot"
ticks() { awk '{print $14 + $15}' "/proc/$game_pid/stat"; }
start=$(ticks)
sleep "$seconds"
end=$(ticks)
hz=$(getconf CLK_TCK)
awk -v t=$((end - start)) -v hz="$hz" -v s="$seconds" -v l="$level" \
  'BEGIN { printf "level %d: %.2f %% of a core over %d s\n", l, 100 * t / hz / s, s }'
