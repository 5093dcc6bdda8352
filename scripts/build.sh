#!/usr/bin/env bash
# Configures and builds the project in build/ (warnings are errors).
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKARVAN_WERROR=ON
cmake --build build -j "$(nproc)"
