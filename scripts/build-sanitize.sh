#!/usr/bin/env bash
# The sanitizer build: clang, AddressSanitizer and UndefinedBehaviorSanitizer, optimised so that
# the long level replays stay quick, with the libFuzzer targets. No desktop front end.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build-sanitize -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKARVAN_WERROR=ON \
  -DKARVAN_SANITIZE=ON -DKARVAN_FUZZ=ON -DKARVAN_BUILD_DESKTOP=OFF
cmake --build build-sanitize -j "$(nproc)"
