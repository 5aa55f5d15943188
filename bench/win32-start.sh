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
runs=10
payers=
pause=1
while [ $# -gt 0 ]; do
    case $1 in
    -n) runs=$2 && shift 2 ;;
    -w) pause=$2 && shift 2 ;;
    -p) payers=$(readlink -f "$2") && shift 2 ;;
    *) break ;;
    esac
done
programs=("$@")
if [ ${#programs[@]} -eq 0 ]; then
    programs=("$build/src/win32/kvitok.exe")
    [ -n "$payers" ] || programs+=("$build/bench/bare_win32_dialog.exe")
fi
for i in "${!programs[@]}"; do
    [ -f "${programs[$i]}" ] || {
        echo "no ${programs[$i]}: build it with scripts/windows.sh -DKVITOK_BENCH=ON" >&2
        exit 1
    }
    programs[i]=$(readlink -f "${programs[$i]}")
done

export WINEPREFIX=${WINEPREFIX:-$build/wine-bench} WINEDEBUG=-all LANG=C.UTF-8
work=$(mktemp -d)
xvfb_pid=
finish() {
    wineserver -k 2>/dev/null || true
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
    rm -rf "$work"
}
trap finish EXIT
mkfifo "$work/display"
# Kept up between runs: left to reset when its last client goes, it could refuse the next start.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3>"$work/display" >/dev/null 2>&1 &
xvfb_pid=$!
DISPLAY=:$(head -n1 <"$work/display")
export DISPLAY
if [ ! -d "$WINEPREFIX" ]; then
    wineboot -i </dev/null >/dev/null 2>&1
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f </dev/null >/dev/null 2>&1
    wineserver -w
fi
# One Wine server and Wine's own processes for every run, started before the first.
wineserver -p </dev/null >/dev/null 2>&1
wineboot </dev/null >/dev/null 2>&1

# One case a program and the payer file in its folder: none (the program makes its own), an empty
# one, or the copy of PAYERS.
cases=()
for program in "${programs[@]}"; do
    if [ -n "$payers" ]; then
        cases+=("$program empty" "$program payers")
    else
        cases+=("$program none")
    fi
done
for i in "${!cases[@]}"; do
    mkdir -p "$work/case$i"
    case ${cases[$i]##* } in
    empty) wine "$build/bench/make_payer_file.exe" "$work/case$i/insurers.db" 0 </dev/null >/dev/null 2>&1 ;;
    payers) cp "$payers" "$work/case$i/insurers.db" ;;
    esac
done

window() {
    xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n1 || true
}
about_box() { window '^О программе'; }
form() { window '^(kvitok|bare)$'; }

# run <case number> <result file>: one start, appended to the file as "milliseconds to the about
# box, CPU milliseconds by then (the process's own work, less swayed by a busy machine),
# milliseconds from Enter to the form, kilobytes".
run() {
    local program=${cases[$1]% *} began ended pid box="" shown="" i kb ticks pressed
    # The last run's windows must be gone first, or they would be taken for this one's.
    for i in $(seq 500); do
        [ -z "$(about_box)$(form)" ] && break
        sleep 0.01
    done
    began=$(date +%s%N)
    (cd "$work/case$1" && exec wine "$program") </dev/null >/dev/null 2>"$work/case$1/stderr" &
    pid=$!
    for i in $(seq 3000); do
        box=$(about_box)
        [ -n "$box" ] && break
        sleep 0.01
    done
    ended=$(date +%s%N)
    if [ -z "$box" ] || ! ticks=$(awk '{ print $14 + $15 }' "/proc/$pid/stat" 2>/dev/null); then
        kill "$pid" 2>/dev/null || true
        echo "$program showed no about box:" >&2
        cat "$work/case$1/stderr" >&2
        exit 1
    fi
    sleep "$pause"
    xdotool windowfocus --sync "$box" 2>/dev/null || true
    pressed=$(date +%s%N)
    xdotool key Return
    for i in $(seq 3000); do
        shown=$(form)
        [ -n "$shown" ] && break
        sleep 0.01
    done
    shown=$([ -n "$shown" ] && echo $((($(date +%s%N) - pressed) / 1000000)) || echo -)
    if ! kb=$(sed -n 's/^VmRSS:\s*\([0-9]*\) kB/\1/p' "/proc/$pid/status" 2>/dev/null); then
        echo "$program ended before its form was closed:" >&2
        cat "$work/case$1/stderr" >&2
        exit 1
    fi
    kill "$pid"
    wait "$pid" 2>/dev/null || true
    echo "$(((ended - began) / 1000000)) $((ticks * 1000 / $(getconf CLK_TCK))) $shown $kb" >>"$2"
}

median() {
    sort -n | awk '{ v[NR] = $1 } END { print (NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2) }'
}

for i in "${!cases[@]}"; do
    run "$i" "$work/warm"
done
for round in $(seq "$runs"); do
    for i in "${!cases[@]}"; do
        run "$i" "$work/$i"
    done
    echo "round $round of $runs" >&2
done

printf '%-36s %10s %8s %10s %8s\n' "program, payer file" "about ms" "CPU ms" "form ms" "MiB"
for i in "${!cases[@]}"; do
    printf '%-36s %10s %8s %10s %8s\n' "$(basename "${cases[$i]% *}"), ${cases[$i]##* }" \
        "$(cut -d' ' -f1 "$work/$i" | median)" "$(cut -d' ' -f2 "$work/$i" | median)" \
        "$(cut -d' ' -f3 "$work/$i" | median)" \
        "$(cut -d' ' -f4 "$work/$i" | median | awk '{ printf "%.1f", $1 / 1024 }')"
done
echo "each run (about ms, CPU ms, form ms, kB):"
for i in "${!cases[@]}"; do
    echo "  $(basename "${cases[$i]% *}"), ${cases[$i]##* }: $(tr ' ' , <"$work/$i" | paste -sd' ')"
done
