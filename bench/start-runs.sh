# The part that bench/start.sh and bench/win32-start.sh share, read by both with `.`: the options,
# the virtual display, the cases, one timed start and the medians. The reader first defines
#   launch FOLDER PROGRAM      starts PROGRAM in FOLDER and becomes it (exec), so that its pid is
#                              the one whose CPU time and memory are read;
#   prepare_case FOLDER KIND   gets a case's folder ready (KIND none, empty or payers; the copy of
#                              PAYERS is made here);
#   finish_more                what goes at the end besides the display and the work folder;
# and sets default_programs (the second one runs only without -p) and build_hint. The moment a
# window appears is told by window_watch of the Linux build (KVITOK_BUILD_DIR, else build/).

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
    programs=("${default_programs[0]}")
    [ -n "$payers" ] || programs+=("${default_programs[1]}")
fi
for i in "${!programs[@]}"; do
    [ -f "${programs[$i]}" ] || {
        echo "no ${programs[$i]}: build it with $build_hint" >&2
        exit 1
    }
    programs[i]=$(readlink -f "${programs[$i]}")
done

watch=${KVITOK_BUILD_DIR:-$root/build}/bench/window_watch
[ -x "$watch" ] || {
    echo "no $watch: build it with scripts/test.sh (KVITOK_BENCH is on by default)" >&2
    exit 1
}

work=$(mktemp -d)
xvfb_pid=
finish() {
    finish_more
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
prepare_cases() {
    local i kind
    for i in "${!cases[@]}"; do
        kind=${cases[$i]##* }
        mkdir -p "$work/case$i"
        if [ "$kind" = payers ]; then
            cp "$payers" "$work/case$i/insurers.db"
        fi
        prepare_case "$work/case$i" "$kind"
    done
}

window() {
    xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n1 || true
}
about_box() { window '^О программе'; }
form() { window '^(kvitok|bare)$'; }

# run <case number> <result file>: one start, appended to the file as "milliseconds to the about
# box, CPU milliseconds by then (the process's own work, less swayed by a busy machine),
# milliseconds from Enter to the form, kilobytes".
# watch_for PATTERN FILE: a watcher for a window of that title, listening once this returns; the
# moment the window appears goes into FILE's second line.
watch_for() {
    timeout 30 "$watch" "$1" >"$2" &
    watcher=$!
    for i in $(seq 1000); do
        [ -s "$2" ] && break
        sleep 0.002
    done
}

# run <case number> <result file>: one start, appended to the file as "milliseconds to the about
# box, CPU milliseconds by then (the process's own work, less swayed by a busy machine),
# milliseconds from Enter to the form, kilobytes".
run() {
    local program=${cases[$1]% *} folder=$work/case$1 began ended pid box="" shown="" i kb ticks pressed
    # The last run's windows must be gone first, or they would be taken for this one's.
    for i in $(seq 500); do
        [ -z "$(about_box)$(form)" ] && break
        sleep 0.01
    done
    watch_for '^О программе' "$work/about-seen"
    began=$(date +%s%N)
    launch "$folder" "$program" </dev/null >/dev/null 2>"$folder/stderr" &
    pid=$!
    wait "$watcher" || true
    ended=$(sed -n 2p "$work/about-seen")
    box=$(about_box)
    if [ -z "$ended" ] || [ -z "$box" ] || ! ticks=$(awk '{ print $14 + $15 }' "/proc/$pid/stat" 2>/dev/null); then
        kill "$pid" 2>/dev/null || true
        echo "$program showed no about box:" >&2
        cat "$folder/stderr" >&2
        exit 1
    fi
    sleep "$pause"
    # A key sent to a window does not reach Qt: the box takes the focus, then the key goes.
    xdotool windowfocus --sync "$box" 2>/dev/null || true
    watch_for '^(kvitok|bare)$' "$work/form-seen"
    pressed=$(date +%s%N)
    xdotool key Return
    wait "$watcher" || true
    shown=$(sed -n 2p "$work/form-seen")
    shown=$([ -n "$shown" ] && echo $(((shown - pressed) / 1000000)) || echo -)
    if ! kb=$(sed -n 's/^VmRSS:\s*\([0-9]*\) kB/\1/p' "/proc/$pid/status" 2>/dev/null); then
        echo "$program ended before its form was closed:" >&2
        cat "$folder/stderr" >&2
        exit 1
    fi
    kill "$pid"
    wait "$pid" 2>/dev/null || true
    echo "$(((ended - began) / 1000000)) $((ticks * 1000 / $(getconf CLK_TCK))) $shown $kb" >>"$2"
}

median() {
    sort -n | awk '{ v[NR] = $1 } END { print (NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2) }'
}

# One run of each case to warm up, then RUNS rounds taking turns, then the medians and each run.
measure_starts() {
    local i round
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
}
