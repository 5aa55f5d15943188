#!/usr/bin/env bash
# Installs what is missing, builds kvitok and starts it.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${KVITOK_BUILD_DIR:-$root/build}

"$root/scripts/install-deps.sh"
. "$root/scripts/build-flags.sh"
kvitok_set_build_args
cmake -S "$root" -B "$build" "${kvitok_build_args[@]}"
cmake --build "$build" -j "$(nproc)" --target kvitok
exec "$build/src/qt/kvitok" "$@"
