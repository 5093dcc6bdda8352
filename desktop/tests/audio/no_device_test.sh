#!/usr/bin/env bash
# Without a sound server and without a sound card the player is silent, and says so in no more
# than the check program's own line: the audio libraries' complaints stay out of the terminal.
#   no_device_test.sh SOUND_CHECK_PROGRAM
# Exits 77 (skipped) on a machine with a sound card, where ALSA alone would play.
set -euo pipefail
check=$1
home=$(mktemp -d /tmp/karvan-nodevice.XXXXXX)
trap 'rm -rf "$home"' EXIT
export HOME=$home XDG_RUNTIME_DIR=$home/run XDG_CONFIG_HOME=$home/config
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
# No server to reach, and none started on the program's behalf.
echo "autospawn = no" >"$home/client.conf"
export PULSE_CLIENTCONFIG=$home/client.conf PULSE_SERVER=unix:$home/no-server
export PIPEWIRE_RUNTIME_DIR=$home/run
unset PULSE_SINK SDL_AUDIODRIVER
status=0
"$check" --idle 0 >"$home/out.txt" 2>"$home/err.txt" || status=$?
if [ "$status" -eq 0 ]; then
  echo "skipped: this machine plays sound without a server ($(head -1 "$home/out.txt"))"
  exit 77
fi
if [ "$(cat "$home/err.txt")" != "karvan-sound-check: no audio output" ]; then
  echo "expected one line on stderr, got:"
  cat "$home/err.txt"
  exit 1
fi
echo "silent, with nothing but: $(cat "$home/err.txt")"
