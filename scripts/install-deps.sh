#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing kvitok need (Debian 12 or 13),
# but only those that are missing; quiet when everything is already there.
set -euo pipefail

packages=(
    g++ cmake pkg-config make
    qt6-base-dev qt6-translations-l10n
    libqrencode-dev libpng-dev libsqlite3-dev
    libgtest-dev libgmock-dev libbenchmark-dev
    libzbar-dev zbar-tools
    chromium poppler-utils
    xvfb xauth
    clang-format
    locales
    dpkg-dev lintian appstream desktop-file-utils
)

as_root() {
    if [ "$(id -u)" -eq 0 ]; then
        "$@"
    else
        sudo "$@"
    fi
}

# The fuzz targets need one clang with libFuzzer and its runtime; each release names its own.
here=$(cd "$(dirname "$0")" && pwd)
updated=false
clang=$("$here/clang-version.sh")
if [ -z "$clang" ]; then
    as_root apt-get update -qq
    updated=true
    clang=$("$here/clang-version.sh")
fi
if [ -z "$clang" ]; then
    echo "install-deps.sh: this release's package lists have no clang" >&2
    exit 1
fi
packages+=("clang-$clang" "libclang-rt-$clang-dev")

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$p")
    fi
done

if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    "$updated" || as_root apt-get update -qq
    as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# The calculator is tested under a comma-decimal locale as well.
if ! locale -a 2>/dev/null | grep -qi '^ru_RU\.utf-\?8$'; then
    echo "Generating the ru_RU.UTF-8 locale"
    as_root sh -c "grep -q '^ru_RU.UTF-8 UTF-8' /etc/locale.gen || echo 'ru_RU.UTF-8 UTF-8' >> /etc/locale.gen"
    as_root locale-gen >/dev/null
fi
