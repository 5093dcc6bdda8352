#!/usr/bin/env bash
# Fresh machine: installs what is missing, builds, and starts the game.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh
if [ -x build/desktop/karvan-mirk ]; then
  exec build/desktop/karvan-mirk "$@"
fi
# The desktop window is not part of this build yet: run the game on the headless simulator
# instead and show what it does, one JSON state line at a time.
echo "The desktop window is not built yet; running the headless simulator (see README.md)."
exec build/sim/karvan-sim --script scripts/demo.sim "$@"
