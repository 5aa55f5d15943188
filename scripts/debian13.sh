#!/usr/bin/env bash
# Tries kvitok on a fresh Debian 13 as a new user would: makes a minimal Debian 13 chroot
# (debootstrap, as root), runs the README's test command in it from this clone, builds the package
# there with the package checks, installs it into the chroot and starts the installed program.
# The chroot stays in the build folder for a quicker rerun; --fresh makes a new one. --prepare
# only makes the chroot and installs what the build needs there (CI does that while it builds
# elsewhere).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
work=${KVITOK_DEBIAN13_DIR:-$root/build-debian13}
mkdir -p "$work"
chroot=$(realpath "$work")/chroot
# The mirror this machine's apt already uses for its main Debian suite.
mirror=${KVITOK_DEBIAN_MIRROR:-$("$root/scripts/apt-sources.sh" |
    awk -F'\t' -v c="$(. /etc/os-release && echo "${VERSION_CODENAME:-}")" '$2 == c { print $1; exit }')}
if [ -z "$mirror" ]; then
    echo "debian13.sh: this machine's apt sources name no Debian mirror (KVITOK_DEBIAN_MIRROR gives one)" >&2
    exit 1
fi
# The build's time is the last commit's, as outside.
SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH:-$(git -C "$root" log -1 --format=%ct 2>/dev/null || date +%s)}

if [ "$(id -u)" -ne 0 ]; then
    echo "debian13.sh makes a chroot and must run as root" >&2
    exit 1
fi
command -v debootstrap >/dev/null || apt-get install -y -qq --no-install-recommends debootstrap

mounted() {
    findmnt -rn -o TARGET | grep -E "^$chroot(/|$)" | sort -r || true
}

# Ends what was started inside the chroot and takes its mounts down, innermost first, so that
# neither a process nor a mount outlives the stage, whichever way it ends.
cleanup() {
    local pid
    for pid in /proc/[0-9]*; do
        if [ "$(readlink "$pid/root" 2>/dev/null)" = "$chroot" ]; then
            kill -KILL "${pid#/proc/}" 2>/dev/null || true
        fi
    done
    local target
    for target in $(mounted); do
        umount "$target" 2>/dev/null || umount -l "$target"
    done
}
trap cleanup EXIT
trap 'exit 130' INT TERM HUP
cleanup

fresh=0
prepare_only=0
for arg in "$@"; do
    case $arg in
    --fresh) fresh=1 ;;
    --prepare) prepare_only=1 ;;
    *)
        echo "usage: $0 [--fresh] [--prepare]" >&2
        exit 2
        ;;
    esac
done

if [ "$fresh" -eq 1 ] || [ ! -e "$chroot/.kvitok-ready" ]; then
    if [ -n "$(mounted)" ]; then
        echo "debian13.sh: $chroot still has mounts; not removing it" >&2
        exit 1
    fi
    rm -rf --one-file-system "$chroot"
    mkdir -p "$work"
    echo "== Debian 13: debootstrap trixie from $mirror"
    debootstrap --variant=minbase trixie "$chroot" "$mirror" >"$work/debootstrap.log" 2>&1 ||
        { tail -n 30 "$work/debootstrap.log"; exit 1; }
    # Services that packages would start have no place in a build chroot.
    printf '#!/bin/sh\nexit 101\n' >"$chroot/usr/sbin/policy-rc.d"
    chmod +x "$chroot/usr/sbin/policy-rc.d"
    # A chroot thrown away after the run needs no sync after every file dpkg writes.
    echo force-unsafe-io >"$chroot/etc/dpkg/dpkg.cfg.d/kvitok-unsafe-io"
    touch "$chroot/.kvitok-ready"
    echo "chroot made in $SECONDS s"
fi
cp /etc/resolv.conf "$chroot/etc/resolv.conf"

mount -t proc proc "$chroot/proc"
mount -t sysfs sys "$chroot/sys"
mount --bind /dev "$chroot/dev"
mount --bind /dev/pts "$chroot/dev/pts"
mount -t tmpfs tmpfs "$chroot/tmp"
# The clone is seen read-only: everything built goes to the chroot's own folders.
mkdir -p "$chroot/kvitok"
mount --bind "$root" "$chroot/kvitok"
mount -o remount,bind,ro "$chroot/kvitok"

in_chroot() {
    chroot "$chroot" env -i HOME=/root PATH=/usr/local/bin:/usr/bin:/bin:/usr/local/sbin:/usr/sbin:/sbin \
        LANG=C.UTF-8 TERM=dumb SOURCE_DATE_EPOCH="$SOURCE_DATE_EPOCH" "$@"
}

if [ "$prepare_only" -eq 1 ]; then
    echo "== Debian 13: installing what the build needs"
    in_chroot /kvitok/scripts/install-deps.sh
    echo "prepared in $SECONDS s"
    exit 0
fi

echo "== Debian 13: scripts/test.sh"
in_chroot env KVITOK_BUILD_DIR=/root/build /kvitok/scripts/test.sh -DKVITOK_WERROR=ON
echo "tests passed at $SECONDS s"
echo "== Debian 13: scripts/run.sh (asked for the version only: there is no display)"
in_chroot env KVITOK_BUILD_DIR=/root/build /kvitok/scripts/run.sh --version
echo "== Debian 13: format check with this release's clang-format"
(cd "$root" && git ls-files -- 'src/*.cpp' 'src/*.h' 'tests/*.cpp' 'tests/*.h' 'bench/*.cpp') |
    in_chroot sh -c 'cd /kvitok && xargs -r clang-format --dry-run --Werror'
echo "== Debian 13: scripts/package.sh, of the build the tests ran on"
in_chroot env KVITOK_PACKAGE_DIR=/root/build /kvitok/scripts/package.sh
echo "== Debian 13: installing the package"
in_chroot sh -c 'DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends \
    /root/build/kvitok_*.deb'
in_chroot kvitok --version
echo "installed at $SECONDS s"
# The program has no web site, so its metainfo names no homepage; AppStream 1.0 warns of that,
# and its documented --override lowers that one check to a note.
in_chroot appstreamcli validate --no-net --override=url-homepage-missing=info \
    /usr/share/metainfo/ru.zorvenfond.kvitok.metainfo.xml
in_chroot sh -c 'lintian --allow-root --fail-on error /root/build/kvitok_*.deb'
