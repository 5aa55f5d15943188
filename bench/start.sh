#!/usr/bin/env bash
# Times kvitok's start on Linux: the Qt window on a virtual display of its own (xcb), as
# bench/win32-start.sh does under Wine. A run starts one program and measures the time until its
# about box is on screen and the CPU time the process has spent by then; PAUSE seconds later (1
# unless given: a person reads the box first) it presses Enter on the box and measures the time
# until the form is on screen, then the memory (VmRSS). The runs take turns, after one run each to
# warm up, and the medians are printed.
#
#   bench/start.sh [-n RUNS] [-w PAUSE] [-p PAYERS] [PROGRAM...]
#
# Without programs: build/src/qt/kvitok and build/bench/bare_dialog (KVITOK_BUILD_DIR names
# another build folder). RUNS is 10 unless given. Each program starts in a folder of its own that
# keeps its payer file and profile between runs, as at a person's later starts. With -p, kvitok
# alone (unless programs are named) runs in turns with an empty payer file and with a copy of
# PAYERS; `build/bench/make_payer_file FILE` writes one of 100 000 payers.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${KVITOK_BUILD_DIR:-$root/build}
default_programs=("$build/src/qt/kvitok" "$build/bench/bare_dialog")
build_hint="scripts/test.sh (KVITOK_BENCH is on by default)"

launch() {
    cd "$1" && XDG_CONFIG_HOME=$1/config XDG_DATA_HOME=$1/data exec "$2"
}
prepare_case() {
    mkdir -p "$1/config" "$1/data"
    if [ "$2" = empty ]; then
        "$build/bench/make_payer_file" "$1/insurers.db" 0 >/dev/null
    fi
}
finish_more() { :; }

. "$root/bench/start-runs.sh"
export QT_QPA_PLATFORM=xcb LANG=C.UTF-8
prepare_cases
measure_starts
