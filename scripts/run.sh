#!/usr/bin/env bash
# Installs what is missing, builds Vexa and starts it. Without arguments it starts on the demo
# installation (--demo); arguments given are passed on instead.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh
if [ "$#" -eq 0 ]; then
    set -- --demo
fi
exec build/vexa "$@"
