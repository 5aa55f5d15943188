#!/usr/bin/env bash
# Builds the fuzz targets of tests/fuzz with clang and runs each for a bounded time (seconds,
# 30 unless given) from a copy of its checked-in corpus, so the checkout is never written to.
# A crash, a leak, a sanitizer report or a broken property fails the run; the input that did it
# is kept in the build folder's fuzz-artifacts/.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-30}
build=${KVITOK_FUZZ_BUILD_DIR:-$root/build-fuzz}

"$root/scripts/install-deps.sh"
clangxx=clang++-$("$root/scripts/clang-version.sh")
cmake -S "$root" -B "$build" -DCMAKE_CXX_COMPILER="$clangxx" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DKVITOK_FUZZ=ON -DKVITOK_WERROR=ON -DKVITOK_GUI=OFF -DKVITOK_TESTS=OFF -DKVITOK_BENCH=OFF
cmake --build "$build" -j "$(nproc)"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
artifacts="$build/fuzz-artifacts"
mkdir -p "$artifacts"
# One target per core at a time: each still fuzzes for its whole time on a core of its own.
names=()
for corpus in "$root"/tests/fuzz/corpus/*/; do
    names+=("$(basename "$corpus")")
done
fuzz() {
    local name=$1
    cp -r "$root/tests/fuzz/corpus/$name" "$work/$name"
    "$build/tests/fuzz/$name" "$work/$name" -max_total_time="$seconds" -timeout=25 \
        -artifact_prefix="$artifacts/$name-" -print_final_stats=1 >"$work/$name.log" 2>&1
}
report() {
    local name=$1 status=$2 runs coverage
    if [ "$status" -ne 0 ]; then
        tail -n 60 "$work/$name.log"
        echo "$name failed; its input is in $artifacts" >&2
        kill "${pids[@]}" 2>/dev/null || true
        exit 1
    fi
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$work/$name.log")
    coverage=$(grep -o 'cov: [0-9]* ft: [0-9]*' "$work/$name.log" | tail -n 1)
    printf '%-20s %8s runs in %ss, %s\n' "$name" "$runs" "$seconds" "$coverage"
}
at_once=$(nproc)
for ((first = 0; first < ${#names[@]}; first += at_once)); do
    batch=("${names[@]:first:at_once}")
    pids=()
    for name in "${batch[@]}"; do
        fuzz "$name" &
        pids+=($!)
    done
    for i in "${!batch[@]}"; do
        status=0
        wait "${pids[i]}" || status=$?
        report "${batch[i]}" "$status"
    done
done
