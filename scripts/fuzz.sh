#!/usr/bin/env bash
# Fuzzes custom level files for the given number of seconds (default 60) in the sanitizer
# build, starting from the seed corpus in fuzz/corpus. New inputs go to build-sanitize/fuzz-work;
# a crash, hang or leak stops the run and leaves its input there as crash-*, timeout-* or leak-*.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-60}"
[ -x build-sanitize/fuzz/karvan-fuzz-custom-level ] || bash scripts/build-sanitize.sh
mkdir -p build-sanitize/fuzz-work/corpus
cd build-sanitize/fuzz-work
ASAN_OPTIONS=detect_leaks=1 ../fuzz/karvan-fuzz-custom-level -max_total_time="$seconds" \
  -timeout=10 -rss_limit_mb=2048 -max_len=4096 -print_final_stats=1 corpus ../../fuzz/corpus
