#!/usr/bin/env bash
# Builds the benchmarks in a Release build of their own and runs them: the start-up pair
# (Vexa's start-up against a bare window with the same widgets), the file benchmarks, then the
# server list (1,000 servers from a stand-in master). "bench/run.sh startup", "bench/run.sh files"
# or "bench/run.sh servers" runs one part. VEXA_BENCH_PAIRS sets the number
# of start-up pairs (default 15), VEXA_BENCH_BUILD the build directory (default build-bench).
set -euo pipefail
cd "$(dirname "$0")/.."
source=$PWD
build=${VEXA_BENCH_BUILD:-$source/build-bench}
pairs=${VEXA_BENCH_PAIRS:-15}
part=${1:-all}
case $part in all | startup | files | servers) ;; *)
    echo "usage: $0 [startup|files|servers]" >&2
    exit 2
    ;;
esac

scripts/install-deps.sh
cmake -S "$source" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DVEXA_BUILD_BENCH=ON \
    -DVEXA_BUILD_TESTS=OFF -DVEXA_BUILD_TOOLS=OFF >/dev/null
ninja -C "$build" -j2 vexa_bench_startup vexa_bench_floor vexa_bench_files vexa_bench_servers vexa

export QT_QPA_PLATFORM=offscreen QT_LOGGING_RULES='qt.qpa.*=false'
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
startup=$build/bench/vexa_bench_startup
floor=$build/bench/vexa_bench_floor

files() {
    echo
    echo "Files"
    (cd "$work" && "$build/bench/vexa_bench_files" --benchmark_min_time=0.2 \
        --benchmark_repetitions=7 --benchmark_enable_random_interleaving=true \
        --benchmark_display_aggregates_only=true)
}
# vexa --query-servers --masters against a stand-in master listing 1,000 stand-in servers (a
# process of their own): wall-clock and CPU time, peak memory, and how many answered.
servers() {
    local count=1000 home=$work/servers-home master
    echo
    echo "Server list: $count servers from a stand-in master"
    coproc STANDINS { "$build/bench/vexa_bench_servers" "$count"; }
    read -r master <&"${STANDINS[0]}"
    mkdir -p "$home"
    printf '[servers]\nmasters=%s\n' "$master" >"$home/vexa.ini"
    (cd "$work" && XDG_CONFIG_HOME=$home /usr/bin/time -f '%e %U %S %M' -o "$work/servers-time" \
        "$build/vexa" --query-servers --masters >"$work/servers-out" 2>"$work/servers-err")
    exec {STANDINS[1]}>&-
    wait "$STANDINS_PID" || true
    local answered
    answered=$(grep -cP '\t\d+ ms\t' "$work/servers-out" || true)
    awk -v n="$answered" -v c="$count" '{
        printf "%d of %d servers answered in %.2f s (CPU %.2f s), peak memory %.1f MB\n", n, c, $1, $2 + $3, $4 / 1024
    }' "$work/servers-time"
}
if [[ $part == files ]]; then
    files
    exit
fi
if [[ $part == servers ]]; then
    servers
    exit
fi

"$startup" --prepare "$work/q2"
# Also the warm-up: the first start-up settles vexa.ini, later ones leave it as it is.
"$startup" --inventory "$work/inventory" "$work/q2"
"$floor" "$work/inventory"

# Appends "cpu-seconds peak-kB" of the command to the file: the CPU time (user + system, to the
# millisecond) from bash's time, the peak memory from GNU time in a second run.
measure() {
    local out=$1
    shift
    local TIMEFORMAT='%3U %3S' cpu
    cpu=$({ time "$@" >/dev/null 2>&1; } 2>&1)
    /usr/bin/time -f '%M' -o "$work/time" "$@" >/dev/null 2>&1
    echo "$cpu $(cat "$work/time")" | awk '{ printf "%.3f %d\n", $1 + $2, $3 }' >>"$out"
}

echo "Start-up pair: $pairs runs each, alternating"
for ((i = 0; i < pairs; i++)); do
    measure "$work/vexa" "$startup" "$work/q2"
    measure "$work/floor" "$floor" "$work/inventory"
done

median() { # column of file
    sort -n -k"$2" "$1" | awk -v c="$2" '{ v[NR] = $c } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}
widgets=$(awk '$1 == "kind" { n += $3 } $1 == "page" { n++ } END { print n }' "$work/inventory")
tabs=$(grep -c '^page$' "$work/inventory")
vcpu=$(median "$work/vexa" 1)
fcpu=$(median "$work/floor" 1)
vmem=$(median "$work/vexa" 2)
fmem=$(median "$work/floor" 2)
echo "Window: $widgets widgets on $tabs tab pages"
awk -v vc="$vcpu" -v fc="$fcpu" -v vm="$vmem" -v fm="$fmem" 'BEGIN {
    printf "%-22s %10s %10s %8s %s\n", "median", "Vexa", "floor", "ratio", "target"
    rc = vc / fc; rm = vm / fm
    printf "%-22s %9.3fs %9.3fs %7.2fx <= 1.5x %s\n", "CPU time (user+sys)", vc, fc, rc, rc <= 1.5 ? "ok" : "MISSED"
    printf "%-22s %8.1fMB %8.1fMB %7.2fx <= 1.3x %s\n", "peak memory (RSS)", vm / 1024, fm / 1024, rm, rm <= 1.3 ? "ok" : "MISSED"
}'

if [[ $part == all ]]; then
    files
    servers
fi
