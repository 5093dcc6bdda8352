#!/usr/bin/env bash
# The sanitizer build: clang, AddressSanitizer and UndefinedBehaviorSanitizer, optimised so that
# the long level replays stay quick, with the libFuzzer targets. No desktop front end.
set -euo pipefail
cd "$(dirname "$0")/.."
# Line tables are all a sanitizer report needs for its file:line stacks; full debug information
# made the build half a minute longer on two cores.
cmake -S . -B build-sanitize -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKARVAN_WERROR=ON \
  "-DCMAKE_CXX_FLAGS_RELWITHDEBINFO=-O2 -gline-tables-only -DNDEBUG" \
  -DKARVAN_SANITIZE=ON -DKARVAN_FUZZ=ON -DKARVAN_BUILD_DESKTOP=OFF
cmake --build build-sanitize -j "$(nproc)"
