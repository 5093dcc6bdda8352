#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the package check need, only those
# that are missing.
set -euo pipefail

packages=(cmake g++ make pkg-config libgtest-dev libgmock-dev libbenchmark-dev nlohmann-json3-dev
  libcli11-dev qt6-base-dev libsdl2-dev clang libclang-rt-14-dev
  fonts-liberation2
  # Sound on a real audio server in the tests: a user-mode PulseAudio daemon with a null sink.
  pulseaudio pulseaudio-utils python3
  # The same through PipeWire's PulseAudio service, with its session manager on a D-Bus of its own.
  pipewire pipewire-pulse wireplumber dbus-daemon
  dpkg-dev fakeroot file lintian appstream desktop-file-utils xdotool
  # The game's windows on a virtual X display, to look at them as a player sees them:
  # xvfb-run -a with the xcb platform plugin, import -window root for the picture.
  qt6-qpa-plugins xvfb xauth imagemagick)

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$package")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "Installing: ${missing[*]}"
as_root=()
if [ "$(id -u)" -ne 0 ]; then
  as_root=(sudo)
fi
"${as_root[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${as_root[@]}" apt-get install -y -qq --no-install-recommends \
  "${missing[@]}"
