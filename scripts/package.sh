#!/usr/bin/env bash
# Installs what is missing and builds the Debian package kvitok_<version>-<revision>_<arch>.deb
# in its own build folder, with Debian's build flags; prints the package's path.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${KVITOK_PACKAGE_DIR:-$root/build-package}

"$root/scripts/install-deps.sh"

# The flags a Debian package is built with: optimised, hardened, debug info for the strip step.
# -Wdate-time goes: the about box shows the date and time of the build on purpose.
cd "$root"
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
cppflags=$(dpkg-buildflags --get CPPFLAGS | sed 's/-Wdate-time//')
cxxflags=$(dpkg-buildflags --get CXXFLAGS)
ldflags=$(dpkg-buildflags --get LDFLAGS)

cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=None -DCMAKE_INSTALL_PREFIX=/usr \
    -DKVITOK_TESTS=OFF -DKVITOK_BENCH=OFF \
    -DCMAKE_CXX_FLAGS="$cppflags $cxxflags" -DCMAKE_EXE_LINKER_FLAGS="$ldflags"
cmake --build "$build" -j "$(nproc)"
rm -f "$build"/kvitok_*.deb
(cd "$build" && cpack -G DEB)
ls "$build"/kvitok_*.deb
