#!/usr/bin/env bash
# Installs what is missing, builds kvitok with its tests and runs every test.
# Extra arguments go to the CMake configure step (for example -DKVITOK_WERROR=ON).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${KVITOK_BUILD_DIR:-$root/build}

"$root/scripts/install-deps.sh"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@"
cmake --build "$build" -j "$(nproc)"
ctest --test-dir "$build" --output-on-failure -j "$(nproc)"
