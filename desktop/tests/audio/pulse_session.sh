# Sourced by the audio tests: a sound server of the test's own, with a null sink "karvan" whose
# monitor can be recorded, in a private temporary home. Works as root and as a normal user.
# After sourcing: $AUDIO_DIR (the temporary folder, removed at exit), the functions
# start_sound_server (PulseAudio, or PipeWire's PulseAudio service when KARVAN_SOUND_SERVER is
# "pipewire"), sound_server_tools, record_start / record_stop and stream_latency; the server is
# stopped at exit whatever happens, and PULSE_SERVER points at it.

AUDIO_DIR=$(mktemp -d /tmp/karvan-audio.XXXXXX)
PULSE_PID=
RECORD_PID=
SERVER_PIDS=()  # started in this order, stopped in the reverse one

audio_cleanup() {
  if [ -n "$RECORD_PID" ]; then kill "$RECORD_PID" 2>/dev/null || true; fi
  local i
  for ((i = ${#SERVER_PIDS[@]} - 1; i >= 0; i--)); do
    kill "${SERVER_PIDS[i]}" 2>/dev/null || true
    wait "${SERVER_PIDS[i]}" 2>/dev/null || true
  done
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
  SERVER_PIDS+=("$PULSE_PID")
  wait_for_server "$AUDIO_DIR/pulse.log"
}

# PipeWire, its session manager and its PulseAudio service, as a desktop runs them, on a D-Bus
# session bus of their own (the session manager needs one). The null sink is made through the
# PulseAudio service, as a user would with pactl.
start_pipewire() {
  export PIPEWIRE_RUNTIME_DIR=$XDG_RUNTIME_DIR
  export DBUS_SESSION_BUS_ADDRESS=unix:path=$AUDIO_DIR/bus
  dbus-daemon --session --nofork --nopidfile --address="$DBUS_SESSION_BUS_ADDRESS" \
    >"$AUDIO_DIR/dbus.log" 2>&1 &
  SERVER_PIDS+=($!)
  for _ in $(seq 50); do
    if [ -S "$AUDIO_DIR/bus" ]; then break; fi
    sleep 0.1
  done
  pipewire >"$AUDIO_DIR/pipewire.log" 2>&1 &
  SERVER_PIDS+=($!)
  for _ in $(seq 50); do
    if [ -S "$XDG_RUNTIME_DIR/pipewire-0" ]; then break; fi
    sleep 0.1
  done
  wireplumber >"$AUDIO_DIR/wireplumber.log" 2>&1 &
  SERVER_PIDS+=($!)
  pipewire-pulse >"$AUDIO_DIR/pipewire-pulse.log" 2>&1 &
  PULSE_PID=$!
  SERVER_PIDS+=("$PULSE_PID")
  export PULSE_SERVER=unix:$XDG_RUNTIME_DIR/pulse/native
  wait_for_server "$AUDIO_DIR"/pipewire*.log "$AUDIO_DIR/wireplumber.log" || return 1
  pactl load-module module-null-sink sink_name=karvan rate=44100 channels=2 >/dev/null
  pactl set-default-sink karvan
}

# The programs start_sound_server needs, for the tests' "skipped" message.
sound_server_tools() {
  if [ "${KARVAN_SOUND_SERVER:-pulseaudio}" = pipewire ]; then
    echo pipewire wireplumber pipewire-pulse dbus-daemon pactl parec
  else
    echo pulseaudio pactl parec
  fi
}

start_sound_server() {
  case "${KARVAN_SOUND_SERVER:-pulseaudio}" in
    pulseaudio) start_pulse ;;
    pipewire) start_pipewire ;;
    *)
      echo "KARVAN_SOUND_SERVER must be pulseaudio or pipewire" >&2
      return 1
      ;;
  esac
  echo "sound server: $(pactl info | sed -n 's/^Server Name: //p')"
}

# Waits until the server answers; otherwise shows the given logs.
wait_for_server() {
  for _ in $(seq 50); do
    if pactl info >/dev/null 2>&1; then return 0; fi
    sleep 0.1
  done
  echo "the sound server did not start:" >&2
  cat "$@" >&2 || true
  return 1
}

# Records the null sink's monitor, mono 16-bit at 44 100 Hz, into the given raw file.
# parec takes a second or two to connect, so this returns once the recording has begun. What
# it records is one continuous stream whatever its latency; a generous one only lets the
# recorder wake less often, which leaves more of a busy machine to the program and the server.
# A recorder held up too long loses a piece of the recording (PipeWire's service drops what it
# cannot hand over), which moves every later sound; so it runs at a high priority where that is
# allowed. The program under test and the server keep theirs, as a player's would.
record_start() {
  nice -n -15 parec --latency-msec=100 -d karvan.monitor --format=s16le --rate=44100 --channels=1 --raw \
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
