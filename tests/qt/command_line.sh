#!/bin/sh
# Runs the real program with --version, --help and a mistyped option, without any display: each
# must be answered before the window system is touched, with the right stream and exit code.
# Usage: command_line.sh PROGRAM VERSION
set -u
program=$1
version=$2
run() {
    env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb "$program" "$@" >"$out" 2>"$err"
}
out=$(mktemp) err=$(mktemp)
trap 'rm -f "$out" "$err"' EXIT
failed=0
fail() {
    echo "FAIL: $*"
    echo "  stdout: $(cat "$out")"
    echo "  stderr: $(cat "$err")"
    failed=1
}

run --version
rc=$?
[ $rc -eq 0 ] && [ "$(cat "$out")" = "kvitok $version" ] && [ ! -s "$err" ] || fail "--version (exit $rc)"

run --help
rc=$?
[ $rc -eq 0 ] && grep -q '^Usage: ' "$out" && grep -q -- '--version' "$out" || fail "--help (exit $rc)"

run --bogus
rc=$?
[ $rc -ne 0 ] && grep -q "Unknown option 'bogus'" "$err" && [ ! -s "$out" ] || fail "--bogus (exit $rc)"

exit $failed
