#!/usr/bin/env bash
# Installs what is missing, builds kvitok with its tests and runs every test. The build is the
# one the Debian package is made of (scripts/build-flags.sh).
# Extra arguments go to the CMake configure step (for example -DKVITOK_WERROR=ON).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${KVITOK_BUILD_DIR:-$root/build}

"$root/scripts/install-deps.sh"
. "$root/scripts/build-flags.sh"
kvitok_set_build_args
cmake -S "$root" -B "$build" "${kvitok_build_args[@]}" "$@"
cmake --build "$build" -j "$(nproc)"
ctest --test-dir "$build" --output-on-failure -j "$(nproc)"
