#!/usr/bin/env bash
# Every recording, played through the desktop's sound player into a real PulseAudio daemon,
# must come out of its sink whole, in order, on time, and a new sound must cut the one playing.
#   recordings_heard_test.sh SOUND_CHECK_PROGRAM SOUNDS_DIR
set -euo pipefail
check=$1
sounds=$2
here=$(cd "$(dirname "$0")" && pwd)
. "$here/pulse_session.sh"
start_pulse

record_start "$AUDIO_DIR/monitor.raw"
"$check" >"$AUDIO_DIR/plays.txt" &
check_pid=$!
sleep 1
echo "stream: $(stream_latency)"
wait "$check_pid"
record_stop
head -1 "$AUDIO_DIR/plays.txt"
python3 "$here/heard.py" timetable "$sounds" "$AUDIO_DIR/plays.txt" "$AUDIO_DIR/monitor.raw"
