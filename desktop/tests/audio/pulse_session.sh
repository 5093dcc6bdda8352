# Sourced by the audio tests: a PulseAudio daemon of the test's own, with a null sink whose
# monitor can be recorded, in a private temporary home. Works as root and as a normal user.
# After sourcing: $AUDIO_DIR (the temporary folder, removed at exit), the daemon stopped at exit
# whatever happens, PULSE_SERVER pointing at it, and the function record_start / record_stop.

AUDIO_DIR=$(mktemp -d /tmp/karvan-audio.XXXXXX)
PULSE_PID=
RECORD_PID=

audio_cleanup() {
  if [ -n "$RECORD_PID" ]; then kill "$RECORD_PID" 2>/dev/null || true; fi
  if [ -n "$PULSE_PID" ]; then
    kill "$PULSE_PID" 2>/dev/null || true
    wait "$PULSE_PID" 2>/dev/null || true
  fi
  if [ -n "${KEEP_AUDIO_DIR:-}" ]; then
    echo "kept $AUDIO_DIR"
  else
    rm -rf "$AUDIO_DIR"
  fi
}
trap audio_cleanup EXIT

export HOME=$AUDIO_DIR
export XDG_RUNTIME_DIR=$AUDIO_DIR/run
export XDG_CONFIG_HOME=$AUDIO_DIR/config
mkdir -p "$XDG_RUNTIME_DIR" "$XDG_CONFIG_HOME"
chmod 700 "$XDG_RUNTIME_DIR"
# Clients must reach this daemon and no other, and never start one of their own.
echo "autospawn = no" > "$AUDIO_DIR/client.conf"
export PULSE_CLIENTCONFIG=$AUDIO_DIR/client.conf
export PULSE_SERVER=unix:$AUDIO_DIR/native
unset PULSE_SINK PULSE_SOURCE

start_pulse() {
  # Real-time scheduling where allowed, and a high priority, keep the server fed on a busy machine.
  # Root gets a warning ("not intended to be run as root") but a working user-mode daemon.
  pulseaudio -n --daemonize=no --exit-idle-time=-1 --realtime=yes --high-priority=yes \
    --use-pid-file=no --log-target=file:"$AUDIO_DIR/pulse.log" --log-level=${PULSE_LOG_LEVEL:-notice} \
    -L "module-null-sink sink_name=karvan rate=44100 channels=2" \
    -L "module-native-protocol-unix auth-anonymous=1 socket=$AUDIO_DIR/native" &
  PULSE_PID=$!
  for _ in $(seq 50); do
    if pactl info >/dev/null 2>&1; then return 0; fi
    sleep 0.1
  done
  echo "the PulseAudio daemon did not start:" >&2
  cat "$AUDIO_DIR/pulse.log" >&2 || true
  return 1
}

# Records the null sink's monitor, mono 16-bit at 44 100 Hz, into the given raw file.
# parec takes a second or two to connect, so this returns once the recording has begun.
record_start() {
  parec --latency-msec=20 -d karvan.monitor --format=s16le --rate=44100 --channels=1 --raw \
    >"$1" &
  RECORD_PID=$!
  for _ in $(seq 100); do
    if [ -s "$1" ]; then return 0; fi
    sleep 0.05
  done
  echo "parec recorded nothing" >&2
  return 1
}

record_stop() {
  sleep 0.3
  kill "$RECORD_PID" 2>/dev/null || true
  wait "$RECORD_PID" 2>/dev/null || true
  RECORD_PID=
}

# The latencies the server reports for the program's stream (its buffer, then the sink's).
stream_latency() {
  pactl list sink-inputs | grep -i "latency" | sed 's/^[[:space:]]*//' | paste -sd ';' -
}
