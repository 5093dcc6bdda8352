#!/usr/bin/env bash
# Fresh machine: installs what is missing, builds, and runs every test: once in the normal
# build, once more built by clang with AddressSanitizer and UndefinedBehaviorSanitizer watching,
# then a minute of fuzzing custom level files in that build; last the Debian package is made
# from build/, installed, checked and removed again.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh
ctest --test-dir build --output-on-failure -j "$(nproc)"

bash scripts/build-sanitize.sh
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1
ctest --test-dir build-sanitize --output-on-failure -j "$(nproc)"

bash scripts/fuzz.sh 60

bash scripts/package.sh
bash scripts/check-package.sh
