#!/bin/sh
# Runs a test program under Wine at a screen DPI, which Wine takes from the registry when a
# program starts: at_dpi.sh <dpi> <program> <test filter> <the emulator's command...>
set -u
dpi=$1
program=$2
filter=$3
shift 3
key='HKCU\Control Panel\Desktop'
"$@" reg add "$key" /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1 || exit 1
"$@" "$program" --gtest_filter="$filter"
status=$?
"$@" reg add "$key" /v LogPixels /t REG_DWORD /d 96 /f >/dev/null 2>&1
exit "$status"
