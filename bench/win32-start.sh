#!/usr/bin/env bash
# Compares kvitok.exe's start with the bare Win32 dialog's (BareWin32Dialog.cpp) under Wine, on a
# virtual display of its own; bench/start.sh does the same for the Qt window on Linux. A run starts
# one program and measures the time until its about box is on screen and the CPU time the process
# has spent by then; PAUSE seconds later (1 unless given: a person reads the box first) it presses
# Enter on the box and measures the time until the form is on screen, then the memory (VmRSS). The
# runs take turns, after one run each to warm Wine up, and the medians are printed.
#
#   scripts/windows.sh -DKVITOK_BENCH=ON           builds what it runs into build-win/
#   bench/win32-start.sh [-n RUNS] [-w PAUSE] [-p PAYERS] [PROGRAM.exe...]
#
# Without programs: build-win/src/win32/kvitok.exe and build-win/bench/bare_win32_dialog.exe
# (KVITOK_WIN_BUILD_DIR names another build folder). The runs use a Wine prefix of their own,
# "wine-bench" in the build folder, made when missing, in which Wine handles the windows without a
# window manager, as the display has none; else it would wait two seconds for one whenever a window
# goes, the about box included.
# RUNS is 10 unless given. kvitok.exe as shipped is the stripped copy `scripts/windows.sh package`
# leaves in build-win/. Each program starts in a folder of its own that keeps its payer file between
# runs, as at a person's later starts. With -p, kvitok.exe alone (unless programs are named) runs in
# turns with an empty payer file and with a copy of PAYERS; `build/bench/make_payer_file FILE` (or
# the .exe beside this build's benchmarks) writes one of 100 000 payers.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${KVITOK_WIN_BUILD_DIR:-$root/build-win}
default_programs=("$build/src/win32/kvitok.exe" "$build/bench/bare_win32_dialog.exe")
build_hint="scripts/windows.sh -DKVITOK_BENCH=ON"
export WINEPREFIX=${WINEPREFIX:-$build/wine-bench} WINEDEBUG=-all LANG=C.UTF-8

launch() {
    cd "$1" && exec wine "$2"
}
prepare_case() {
    if [ "$2" = empty ]; then
        wine "$build/bench/make_payer_file.exe" "$1/insurers.db" 0 </dev/null >/dev/null 2>&1
    fi
}
finish_more() {
    wineserver -k 2>/dev/null || true
}

. "$root/bench/start-runs.sh"
if [ ! -d "$WINEPREFIX" ]; then
    wineboot -i </dev/null >/dev/null 2>&1
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f </dev/null >/dev/null 2>&1
    wineserver -w
fi
# One Wine server and Wine's own processes for every run, started before the first.
wineserver -p </dev/null >/dev/null 2>&1
wineboot </dev/null >/dev/null 2>&1
prepare_cases
measure_starts
