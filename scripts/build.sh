#!/usr/bin/env bash
# Configures and builds Vexa in ./build (two jobs: the usual machine has two cores).
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j2
