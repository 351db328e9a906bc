#!/usr/bin/env bash
# Configures build/ the one way both README commands use it, so that running either after the
# other (in any order, any number of times) reuses the same CMake cache instead of discarding it.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=g++ \
      -DQM_BUILD_TESTS=ON -DQM_BUILD_BENCHMARKS=ON >/dev/null
