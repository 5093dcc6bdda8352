#!/usr/bin/env bash
# Records the golden traces again (tests/golden/) after a change that is meant to alter the game,
# e.g. a redesigned level: its replay's trace and the random-play traces on it.
#   bash scripts/record-golden.sh            every built-in level
#   bash scripts/record-golden.sh 9 10 24    only these levels
# Check the traces without recording: build/sim/karvan-golden check tests/golden/*.trace
set -euo pipefail
cd "$(dirname "$0")/.."
if [ ! -x build/sim/karvan-golden ]; then
  cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
fi
cmake --build build -j "$(nproc)" --target karvan-golden >/dev/null
levels=("$@")
if [ ${#levels[@]} -eq 0 ]; then levels=($(seq 1 24)); fi
build/sim/karvan-golden replay "${levels[@]}"
for level in "${levels[@]}"; do
  for trace in tests/golden/soak_level_$(printf %02d "$level")_seed_*.trace; do
    [ -e "$trace" ] && build/sim/karvan-golden rerecord "$trace"
  done
done
