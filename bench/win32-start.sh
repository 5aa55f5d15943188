#!/usr/bin/env bash
# Compares kvitok.exe's start with the bare Win32 dialog's (BareWin32Dialog.cpp) under Wine, on a
# virtual display of its own. A run starts one program and waits for its about box: the time from
# the start until the box is on screen, the CPU time the process has spent by then and its memory
# there (VmRSS, a second later) are what it measures. The programs take turns, after one run each
# to warm Wine up, and the medians are printed.
#
#   scripts/windows.sh -DKVITOK_BENCH=ON           builds both into build-win/
#   bench/win32-start.sh [-n RUNS] [PROGRAM.exe...]
#
# Without programs: build-win/src/win32/kvitok.exe and build-win/bench/bare_win32_dialog.exe
# (KVITOK_WIN_BUILD_DIR names another build folder; its Wine prefix "wine" is made when missing).
# RUNS is 10 unless given. kvitok.exe as shipped is the stripped copy `scripts/windows.sh package`
# leaves in build-win/.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${KVITOK_WIN_BUILD_DIR:-$root/build-win}
runs=10
if [ "${1:-}" = -n ]; then
    runs=$2
    shift 2
fi
programs=("$@")
if [ ${#programs[@]} -eq 0 ]; then
    programs=("$build/src/win32/kvitok.exe" "$build/bench/bare_win32_dialog.exe")
fi
for i in "${!programs[@]}"; do
    [ -f "${programs[$i]}" ] || {
        echo "no ${programs[$i]}: build it with scripts/windows.sh test -DKVITOK_BENCH=ON" >&2
        exit 1
    }
    programs[i]=$(readlink -f "${programs[$i]}")
done

export WINEPREFIX=${WINEPREFIX:-$build/wine} WINEDEBUG=-all LANG=C.UTF-8
work=$(mktemp -d)
xvfb_pid=
finish() {
    wineserver -k 2>/dev/null || true
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
    rm -rf "$work"
}
trap finish EXIT
mkfifo "$work/display"
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" >/dev/null 2>&1 &
xvfb_pid=$!
DISPLAY=:$(head -n1 <"$work/display")
export DISPLAY
# One Wine server and Wine's own processes for every run, started before the first.
wineserver -p </dev/null >/dev/null 2>&1
wineboot </dev/null >/dev/null 2>&1

about_box() {
    xdotool search --onlyvisible --name '^О программе' 2>/dev/null | head -n1 || true
}

# run <program> <result file>: one start, appended to the file as "milliseconds kilobytes
# CPU-milliseconds" (the last: the process's own work until then, less swayed by a busy machine).
run() {
    local began ended pid window="" i kb ticks
    # The last run's box must be gone first, or it would be taken for this one's.
    for i in $(seq 500); do
        [ -z "$(about_box)" ] && break
        sleep 0.01
    done
    began=$(date +%s%N)
    (cd "$work" && exec wine "$1") </dev/null >/dev/null 2>&1 &
    pid=$!
    for i in $(seq 3000); do
        window=$(about_box)
        [ -n "$window" ] && break
        sleep 0.01
    done
    ended=$(date +%s%N)
    ticks=$(awk '{ print $14 + $15 }' "/proc/$pid/stat")
    sleep 1
    kb=$(sed -n 's/^VmRSS:\s*\([0-9]*\) kB/\1/p' "/proc/$pid/status")
    kill "$pid"
    wait "$pid" 2>/dev/null || true
    if [ -z "$window" ]; then
        echo "$1 showed no about box" >&2
        exit 1
    fi
    echo "$(((ended - began) / 1000000)) $kb $((ticks * 1000 / $(getconf CLK_TCK)))" >>"$2"
}

median() {
    sort -n | awk '{ v[NR] = $1 } END { print (NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2) }'
}

for i in "${!programs[@]}"; do
    run "${programs[$i]}" "$work/warm"
done
for round in $(seq "$runs"); do
    for i in "${!programs[@]}"; do
        run "${programs[$i]}" "$work/$i"
    done
    echo "round $round of $runs" >&2
done

printf '%-40s %10s %10s %10s\n' program "start ms" "CPU ms" "MiB"
for i in "${!programs[@]}"; do
    ms=$(cut -d' ' -f1 "$work/$i" | median)
    kb=$(cut -d' ' -f2 "$work/$i" | median)
    cpu=$(cut -d' ' -f3 "$work/$i" | median)
    printf '%-40s %10s %10s %10s\n' "$(basename "$(dirname "${programs[$i]}")")/$(basename "${programs[$i]}")" \
        "$ms" "$cpu" "$(awk -v kb="$kb" 'BEGIN { printf "%.1f", kb / 1024 }')"
done
echo "each run (start ms, kB, CPU ms):"
for i in "${!programs[@]}"; do
    echo "  $(basename "${programs[$i]}"): $(tr ' ' , <"$work/$i" | paste -sd' ')"
done
