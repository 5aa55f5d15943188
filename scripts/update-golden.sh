#!/usr/bin/env bash
# Rewrites the golden receipt files in tests/receipt/golden from the current code, for a change
# to the page that is meant; review the diff of the golden files before committing it.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${KVITOK_BUILD_DIR:-$root/build}

"$root/scripts/install-deps.sh"
. "$root/scripts/build-flags.sh"
kvitok_set_build_args
cmake -S "$root" -B "$build" "${kvitok_build_args[@]}"
cmake --build "$build" -j "$(nproc)" --target golden_receipt_tests
KVITOK_UPDATE_GOLDEN=1 "$build/tests/receipt/golden_receipt_tests"
git -C "$root" status --short -- tests/receipt/golden
