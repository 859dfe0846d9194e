#!/usr/bin/env bash
# Builds the fuzz targets with clang and runs each for a short time on its seeds; fails on any
# crash, hang, leak or broken property. Usage: fuzz/smoke.sh [seconds per target] (default 30).
# BUILD_DIR (default build-fuzz) and JOBS (default 2) may be set in the environment.
set -euo pipefail

seconds=${1:-30}
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$root/build-fuzz}
targets=(cfglines cfgload ini batchfile scriptwords jpeg serverstatus masterlist pakdirectory zipdirectory)

source "$root/scripts/ccache.sh"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DVEXA_BUILD_FUZZ=ON \
    -DVEXA_BUILD_TESTS=OFF -DVEXA_BUILD_TOOLS=OFF -DCMAKE_CXX_COMPILER_LAUNCHER=ccache \
    -DVEXA_WERROR="${VEXA_WERROR:-OFF}" >/dev/null
ninja -C "$build" -j "${JOBS:-2}" "${targets[@]/#/fuzz_}"

artifacts=$build/fuzz-artifacts
mkdir -p "$artifacts"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failed=()
for t in "${targets[@]}"; do
    # New inputs go to a scratch corpus: the committed seeds stay as they are.
    mkdir -p "$work/$t"
    echo "== fuzz_$t: ${seconds}s"
    if ! "$build/fuzz/fuzz_$t" -max_total_time="$seconds" -timeout=10 -max_len=8192 \
        -artifact_prefix="$artifacts/$t-" "$work/$t" "$root/fuzz/corpus/$t" >"$work/$t.log" 2>&1; then
        tail -n 40 "$work/$t.log"
        failed+=("$t")
    else
        grep -E '^Done|^#[0-9]+.*DONE' "$work/$t.log" | tail -n 1 || true
    fi
done

if [ ${#failed[@]} -gt 0 ]; then
    echo "fuzz findings in: ${failed[*]} (inputs in $artifacts)" >&2
    exit 1
fi
echo "fuzz smoke: all ${#targets[@]} targets clean"
