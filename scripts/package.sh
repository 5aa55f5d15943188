#!/usr/bin/env bash
# Installs what is missing and builds the Debian package kvitok_<version>-<revision>_<arch>.deb
# in its own build folder, with Debian's build flags; prints the package's path. The build is the
# one scripts/test.sh makes: given test.sh's folder (KVITOK_PACKAGE_DIR=build), it packages what
# was tested there without building it again. Extra arguments go to the CMake configure step.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${KVITOK_PACKAGE_DIR:-$root/build-package}

"$root/scripts/install-deps.sh"
. "$root/scripts/build-flags.sh"
kvitok_set_build_args

# A folder the tests were built in keeps them (the package takes only what is installed);
# elsewhere only the program is built.
parts=(-DKVITOK_TESTS=OFF -DKVITOK_BENCH=OFF)
if [ -f "$build/CMakeCache.txt" ] && grep -q '^KVITOK_TESTS:BOOL=ON' "$build/CMakeCache.txt"; then
    parts=()
fi
cmake -S "$root" -B "$build" "${kvitok_build_args[@]}" -DCMAKE_INSTALL_PREFIX=/usr "${parts[@]}" "$@"
cmake --build "$build" -j "$(nproc)"
rm -f "$build"/kvitok_*.deb
(cd "$build" && cpack -G DEB)
ls "$build"/kvitok_*.deb
