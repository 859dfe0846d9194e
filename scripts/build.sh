#!/usr/bin/env bash
# Configures and builds Vexa in ./build through ccache (two jobs: the usual machine has two cores).
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/ccache.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER_LAUNCHER=ccache \
    -DVEXA_WERROR="${VEXA_WERROR:-OFF}"
cmake --build build -j2
