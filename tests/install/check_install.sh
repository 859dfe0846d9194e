#!/usr/bin/env bash
# Installs the build into a scratch prefix and checks what a desktop finds there: the program,
# its menu entry, icons, AppStream file and manual page, each accepted by its validator, and a
# manual page that has every option the program lists.
# Usage: check_install.sh BUILD_DIR APP_ID VERSION
set -euo pipefail

build=$1 id=$2 version=$3
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
failures=0
fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

cmake --install "$build" --prefix "$prefix" >/dev/null

share=$prefix/share
for file in bin/vexa "share/applications/$id.desktop" "share/metainfo/$id.metainfo.xml" \
    share/man/man1/vexa.1; do
    [ -f "$prefix/$file" ] || fail "$file not installed"
done
for size in 48 64 128 256; do
    icon=$share/icons/hicolor/${size}x$size/apps/$id.png
    file -b "$icon" | grep -q "^PNG image data, $size x $size, 8-bit/color RGBA" ||
        fail "icon $size: $(file -b "$icon" 2>&1)"
done

# validator NAME COMMAND...: COMMAND succeeds and reports no error, warning or note. Hints pass
# (two main categories put Vexa under Games and under Settings, as meant).
validator() {
    local name=$1 report
    shift
    if ! report=$("$@" 2>&1) || grep -qE '^ *[EWIP]: |: (error|warning):' <<<"$report"; then
        fail "$name: $report"
    fi
}
validator "desktop file" desktop-file-validate "$share/applications/$id.desktop"
validator AppStream appstreamcli validate --no-net --pedantic --strict \
    "$share/metainfo/$id.metainfo.xml"
validator "AppStream tree" appstreamcli validate-tree --no-net --pedantic "$prefix"

warnings=$(LC_ALL=C.UTF-8 man --warnings -E UTF-8 -l "$share/man/man1/vexa.1" 2>&1 >/dev/null)
[ -z "$warnings" ] || fail "manual page: $warnings"

actual=$("$prefix/bin/vexa" --version 2>/dev/null) || true
[ "$actual" = "vexa $version" ] || fail "--version printed '$actual', not 'vexa $version'"

# Every long option of --help has its entry: a .B, .BR or .BI line naming it.
options=$("$prefix/bin/vexa" --help | grep -E '^ +-' | grep -oE -- '--[a-z-]+') ||
    fail "no options in --help"
for option in $options; do
    grep -E '^\.B[IR]? ' "$share/man/man1/vexa.1" | grep -qF -- "${option//-/\\-}" ||
        fail "manual page lacks $option"
done

[ "$failures" -eq 0 ] && echo "installation: all checks passed"
exit $((failures > 0))
