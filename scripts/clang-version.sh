#!/usr/bin/env bash
# Prints the major version of the release's own clang (14 on Debian 12, 19 on Debian 13): the
# one its "clang" package stands for, so the fuzz build uses a clang whose libFuzzer and runtime
# come from the same release. Prints nothing when the package lists do not know clang.
set -euo pipefail
apt-cache depends clang 2>/dev/null | sed -n 's/^ *Depends: clang-\([0-9][0-9]*\)$/\1/p' | head -n 1
