#!/usr/bin/env bash
# Fuzzes custom level files for the given number of seconds in all (default 60) in the
# sanitizer build, starting from the seed corpus in fuzz/corpus: a third of the time the loading
# target (bytes read, checked and built into a level), the rest the playing target (a file
# loaded and played for a few seconds of random keys). New inputs go to
# build-sanitize/fuzz-work/{load,play}; a crash, hang or leak stops that target's run and leaves
# its input in build-sanitize/fuzz-work as crash-*, timeout-* or leak-*.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-60}"
if ! [[ "$seconds" =~ ^[0-9]+$ ]] || [ "$seconds" -lt 2 ]; then
  echo "usage: $0 [SECONDS >= 2]" >&2
  exit 2
fi
# libFuzzer counts its time from its own start; starting a target and reading the corpus take
# about a second each, which comes off the playing target's share.
load_seconds=$((seconds / 3 > 0 ? seconds / 3 : 1))
play_seconds=$((seconds - load_seconds - 2 > 0 ? seconds - load_seconds - 2 : 1))
if ! [ -x build-sanitize/fuzz/karvan-fuzz-load-level ] ||
  ! [ -x build-sanitize/fuzz/karvan-fuzz-custom-level ]; then
  bash scripts/build-sanitize.sh
fi
mkdir -p build-sanitize/fuzz-work/load build-sanitize/fuzz-work/play
cd build-sanitize/fuzz-work
options=(-timeout=10 -rss_limit_mb=2048 -max_len=4096 -print_final_stats=1)
status=0
ASAN_OPTIONS=detect_leaks=1 ../fuzz/karvan-fuzz-load-level -max_total_time="$load_seconds" \
  "${options[@]}" load ../../fuzz/corpus || status=$?
ASAN_OPTIONS=detect_leaks=1 ../fuzz/karvan-fuzz-custom-level -max_total_time="$play_seconds" \
  "${options[@]}" play ../../fuzz/corpus || status=$?
exit "$status"
