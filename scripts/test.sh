#!/usr/bin/env bash
# Fresh machine: installs what is missing, builds, and runs every test: once in the normal
# build, and once more with AddressSanitizer and UndefinedBehaviorSanitizer watching.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh
ctest --test-dir build --output-on-failure -j "$(nproc)"

cmake -S . -B build-sanitize -DCMAKE_BUILD_TYPE=Debug -DKARVAN_WERROR=ON -DKARVAN_SANITIZE=ON \
  -DKARVAN_BUILD_DESKTOP=OFF
cmake --build build-sanitize -j "$(nproc)"
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir build-sanitize --output-on-failure -j "$(nproc)"
