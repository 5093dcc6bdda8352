#!/usr/bin/env bash
# Fresh machine: installs what is missing, builds, and starts the game.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh
exec build/desktop/karvan-mirk "$@"
