#!/usr/bin/env bash
# What a waiting game costs with sound on: the game under Xvfb on a sound server of its own,
# level 1 started and nobody pressing a key, measured over SECONDS (default 20).
#   idle_cost.sh KARVAN_MIRK [SECONDS]
# KARVAN_SOUND_SERVER=pipewire measures through PipeWire's PulseAudio service. A measuring aid
# for the README's figures, not a test: the figures depend on the machine.
set -euo pipefail
game=$1
seconds=${2:-20}
here=$(cd "$(dirname "$0")" && pwd)
if [ -z "${KARVAN_UNDER_XVFB:-}" ]; then
  KARVAN_UNDER_XVFB=1 exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$@"
fi
export QT_QPA_PLATFORM=xcb
. "$here/pulse_session.sh"
start_sound_server
"$game" >"$AUDIO_DIR/game.log" 2>&1 &
game_pid=$!
timeout 30 xdotool search --sync --onlyvisible --name "Karvan Mirk" >/dev/null
sleep 1
xdotool key Return sleep 1 key Return sleep 3
echo "stream: $(stream_latency)"
python3 "$here/idle_cost.py" "$seconds" "$game_pid" "$PULSE_PID"
kill "$game_pid"
wait "$game_pid" 2>/dev/null || true
