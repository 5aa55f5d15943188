#!/usr/bin/env bash
# Shows that one commit gives the same bytes wherever and whenever it is built: exports the commit
# into two fresh folders, builds in each (the second at least a minute after the first) and
# compares what is shipped: the Debian package, kvitok.exe, the Windows installer and the
# portable zip. A difference names the file and shows where it lies: with diffoscope (from
# Debian, installed when missing), else the first differing byte.
#
# Signed Windows files (scripts/windows.sh signs with KVITOK_SIGN_CERT and KVITOK_SIGN_KEY) are
# compared without their signatures (osslsigncode remove-signature), and then whole. The second
# build signs with the same key when one is given without a time-stamp server, which shows that
# signing too gives the same bytes; else it takes the first build's signatures
# (KVITOK_SIGN_LIKE), so that a signed release, given by --first-win, proves its commit without
# its key: the setup holds the signed kvitok.exe and uninstaller, and is the same only with them.
# KVITOK_SIGN_LIKE=DIR given here has both builds take the signatures of the signed files in DIR
# (kvitok.exe, uninstall.exe, the setup), as a check of signed downloads does (see the README).
#
#   scripts/reproduce.sh                  the package and the Windows files, of the last commit
#   scripts/reproduce.sh deb              the Debian package only
#   scripts/reproduce.sh windows          kvitok.exe, the installer and the zip only
#   --commit REV                          another commit than HEAD
#   --first-deb FILE, --first-win DIR     take the first build from there (a .deb built by
#                                         scripts/package.sh, a folder built by scripts/windows.sh
#                                         package) and build only the second
#   --share-windows-libraries             the second build takes the first's Windows libraries
#                                         rather than building them again (CI, to stay quick;
#                                         a run without it shows they too give the same bytes)
#
# The builds lie in build-reproduce/ (KVITOK_REPRODUCE_DIR). Exit status 0: the same bytes.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=${KVITOK_REPRODUCE_DIR:-$root/build-reproduce}

want_deb=0
want_win=0
commit=HEAD
first_deb=
first_win=
share_libraries=0
while [ $# -gt 0 ]; do
    case $1 in
    deb) want_deb=1 ;;
    windows) want_win=1 ;;
    --commit) commit=$2 && shift ;;
    --first-deb) first_deb=$2 && shift ;;
    --first-win) first_win=$2 && shift ;;
    --share-windows-libraries) share_libraries=1 ;;
    *)
        echo "usage: $0 [deb] [windows] [--commit REV] [--first-deb FILE] [--first-win DIR]" \
            "[--share-windows-libraries]" >&2
        exit 2
        ;;
    esac
    shift
done
if [ "$want_deb" -eq 0 ] && [ "$want_win" -eq 0 ]; then
    want_deb=1 want_win=1
fi

rev=$(git -C "$root" rev-parse --verify "$commit^{commit}")
SOURCE_DATE_EPOCH=$(git -C "$root" log -1 --format=%ct "$rev")
export SOURCE_DATE_EPOCH
echo "== reproduce: commit $rev, build time $(date -u -d "@$SOURCE_DATE_EPOCH" '+%F %T') UTC"

# signed <file>: true when the file carries an Authenticode signature.
signed() {
    # osslsigncode writes no file that is there already.
    rm -f "$out/.signature"
    [ -f "$1" ] && command -v osslsigncode >/dev/null &&
        osslsigncode extract-signature -in "$1" -out "$out/.signature" >/dev/null 2>&1
}

# build <n>: the commit exported into $out/<n>/src, built there; each build in a fresh folder.
started=
build() {
    local dir=$out/$1
    rm -rf "$dir"
    mkdir -p "$dir/src"
    git -C "$root" archive --format=tar "$rev" | tar -x -C "$dir/src"
    started=$SECONDS
    if [ "$want_deb" -eq 1 ]; then
        echo "== reproduce: build $1, Debian package, in $dir"
        KVITOK_PACKAGE_DIR=$dir/build-package "$dir/src/scripts/package.sh" >"$dir/package.log" 2>&1 ||
            { tail -n 40 "$dir/package.log"; exit 1; }
        ln -sf "$(ls "$dir"/build-package/kvitok_*.deb)" "$dir/deb"
    fi
    if [ "$want_win" -eq 1 ]; then
        echo "== reproduce: build $1, Windows, in $dir"
        mkdir -p "$dir/build-win/deps"
        if [ "$share_libraries" -eq 1 ] && [ -d "$out/one/win/deps/lib" ]; then
            echo "   with the first build's Windows libraries"
            (cd "$out/one/win/deps" && tar -cf - --exclude=./work --exclude=./apt .) |
                tar -xf - -C "$dir/build-win/deps"
        elif [ -d "$out/one/win/deps/src" ]; then
            # The pinned sources already fetched are the same bytes (their sha256 is checked).
            cp -r "$out/one/win/deps/src" "$dir/build-win/deps/"
        fi
        local sign=()
        if [ "$1" = one ] || [ -n "${KVITOK_SIGN_LIKE:-}" ]; then
            : # signed as the caller asked, or not at all
        elif signed "$out/one/win/kvitok.exe"; then
            if [ -n "${KVITOK_SIGN_CERT:-}" ] && [ -n "${KVITOK_SIGN_KEY:-}" ] && [ -z "${KVITOK_SIGN_TIMESTAMP:-}" ]; then
                echo "   signed with $(basename "$KVITOK_SIGN_CERT"), as the first build is"
            else
                echo "   with the signatures of the first build"
                sign=(-u KVITOK_SIGN_CERT -u KVITOK_SIGN_KEY KVITOK_SIGN_LIKE="$(readlink -f "$out/one/win")")
            fi
        else
            sign=(-u KVITOK_SIGN_CERT -u KVITOK_SIGN_KEY)
        fi
        env "${sign[@]}" KVITOK_WIN_BUILD_DIR="$dir/build-win" \
            "$dir/src/scripts/windows.sh" package -DKVITOK_TESTS=OFF \
            >"$dir/windows.log" 2>&1 || { tail -n 40 "$dir/windows.log"; exit 1; }
        ln -sfn "$dir/build-win" "$dir/win"
    fi
}

mkdir -p "$out"
if [ -n "$first_deb" ] || [ -n "$first_win" ]; then
    # The first build was made elsewhere: only the second is made here.
    rm -rf "$out/one"
    mkdir -p "$out/one"
    [ -n "$first_deb" ] && ln -s "$(realpath "$first_deb")" "$out/one/deb"
    [ -n "$first_win" ] && ln -s "$(realpath "$first_win")" "$out/one/win"
    if { [ "$want_deb" -eq 1 ] && [ -z "$first_deb" ]; } || { [ "$want_win" -eq 1 ] && [ -z "$first_win" ]; }; then
        echo "reproduce.sh: with --first-deb or --first-win, give the first build of each target asked for" >&2
        exit 2
    fi
else
    build one
    # At least a minute apart, so that a time taken from the clock shows.
    while [ $((SECONDS - started)) -lt 60 ]; do sleep 5; done
fi
build two

differ=0
show_difference() {
    if ! command -v diffoscope >/dev/null && [ "$(id -u)" -eq 0 ]; then
        echo "installing diffoscope to show the difference"
        DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends diffoscope-minimal xxd \
            >/dev/null 2>&1 || true
    fi
    if command -v diffoscope >/dev/null; then
        diffoscope --text - --max-text-report-size 200000 "$1" "$2" || true
    else
        cmp "$1" "$2" || true
        echo "$(cmp -l "$1" "$2" 2>/dev/null | wc -l) bytes differ"
    fi
}
# compare <name> <file of the first build> <file of the second build>
compare() {
    local sum1 sum2
    if [ ! -f "$2" ] || [ ! -f "$3" ]; then
        echo "DIFFERENT  $1: missing in one build ($2, $3)"
        differ=1
        return
    fi
    sum1=$(sha256sum <"$2" | cut -d' ' -f1)
    sum2=$(sha256sum <"$3" | cut -d' ' -f1)
    if signed "$2" || signed "$3"; then
        compare_signed "$@" "$sum1" "$sum2"
    elif [ "$sum1" = "$sum2" ]; then
        echo "same       $1  sha256 $sum1"
    else
        echo "DIFFERENT  $1  sha256 $sum1 (first) $sum2 (second)"
        show_difference "$2" "$3"
        differ=1
    fi
}

# compare_signed <name> <first> <second> <sha256 of the first> <sha256 of the second>: the two
# without their signatures, which is the code of the commit, then whole, which is its signatures too.
compare_signed() {
    local bare=$out/.bare sum1 sum2 i file
    mkdir -p "$bare"
    i=1
    for file in "$2" "$3"; do
        rm -f "$bare/$i"
        if signed "$file"; then
            osslsigncode remove-signature -in "$file" -out "$bare/$i" >/dev/null
        else
            cp "$file" "$bare/$i"
        fi
        i=2
    done
    sum1=$(sha256sum <"$bare/1" | cut -d' ' -f1)
    sum2=$(sha256sum <"$bare/2" | cut -d' ' -f1)
    if [ "$sum1" != "$sum2" ]; then
        echo "DIFFERENT  $1 without its signature  sha256 $sum1 (first) $sum2 (second)"
        show_difference "$bare/1" "$bare/2"
        differ=1
    elif [ "$4" != "$5" ]; then
        echo "DIFFERENT  $1: the same without the signatures, but signed differently"
        differ=1
    else
        echo "same       $1  sha256 $4, signed; without its signature sha256 $sum1"
    fi
}

echo "== reproduce: comparing"
if [ "$want_deb" -eq 1 ]; then
    compare "$(basename "$(readlink -f "$out/two/deb")")" "$(readlink -f "$out/one/deb")" "$(readlink -f "$out/two/deb")"
fi
if [ "$want_win" -eq 1 ]; then
    version=$(sed -n 's/^project(kvitok VERSION \([0-9.]*\).*/\1/p' "$out/two/src/CMakeLists.txt")
    files=(src/win32/kvitok.exe kvitok.exe "kvitok-$version-setup.exe" "kvitok-$version-portable.zip")
    # A signed build keeps its signed uninstaller beside them.
    [ -f "$out/one/win/uninstall.exe" ] && files+=(uninstall.exe)
    for file in "${files[@]}"; do
        compare "$file" "$out/one/win/$file" "$out/two/win/$file"
    done
fi
if [ "$differ" -ne 0 ]; then
    echo "the two builds of $rev differ" >&2
    exit 1
fi
echo "the two builds of $rev give the same bytes"
